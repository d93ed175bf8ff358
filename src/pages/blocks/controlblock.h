#pragma once
// The Control block (F4 E4 / F4 E5): speed-controller gains, speed PID
// steps, the assist and back-step thresholds and the two motor-lock angles.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &controlTable();

EncodeResult encodeControl(BlockParts parts, const ValueMap &values);
void decodeControl(BlockParts parts, ValueMap &values);
