#pragma once
// The Basic block (F0 E0 / F0 E1): speed limits, current ramps, power-stage
// ratings. Its table, and encodeBasic / decodeBasic over the field codec.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &basicTable();

// Fills basicFrame from the values; on a failed field leaves it untouched.
EncodeResult encodeBasic(BlockParts parts, const ValueMap &values);
// Sets the values from basicFrame and keeps "Max Iac pk[A]" as point 0 of
// the curve table (the curve is not redrawn here).
void decodeBasic(BlockParts parts, ValueMap &values);
