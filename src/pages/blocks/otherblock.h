#pragma once
// The Other block (FE EE / FE EF): mid-range torque-reference settings, the
// throttle voltages, the backward torque-current steps 1 to 11 and a byte of
// eight feature switches.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &otherTable();

EncodeResult encodeOther(BlockParts parts, const ValueMap &values);
void decodeOther(BlockParts parts, ValueMap &values);
