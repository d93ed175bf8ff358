#pragma once
// The Mode-set block (D7 C7 / D7 C8): speed and DC-current limits of the
// drive modes 1 to 5, boost, speed-fall delay and regeneration. The Mode 4
// speed also scales the curve's speed axis.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &modeSetTable();

// Fills modeSetFrame; on success sets curveScale to the typed Mode 4 speed
// (rounded half to even, not limited) and redraws the curve.
EncodeResult encodeModeSet(BlockParts parts, const ValueMap &values);
// Sets the values from modeSetFrame, curveScale to the stored Mode 4 speed,
// and redraws the curve.
void decodeModeSet(BlockParts parts, ValueMap &values);
