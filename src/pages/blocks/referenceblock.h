#pragma once
// The Reference block (F2 E2 / F2 E3): battery-voltage thresholds, start-up
// settings and torque-current reference steps.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &referenceTable();

EncodeResult encodeReference(BlockParts parts, const ValueMap &values);
void decodeReference(BlockParts parts, ValueMap &values);
