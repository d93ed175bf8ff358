#pragma once
// The Motor block (F6 E6 / F6 E7): pole pairs, angle offsets, the motor
// temperature sensor, hall remap angles and hall calibration. Bytes 20 and
// 24..30 change meaning with the controller type: hall group B on types 1
// and 2, the braking and regeneration set on type 3, unknown otherwise.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &motorTable();

// Fills motorFrame from the values (the type-dependent bytes by the
// controller type at this moment); on a failed field leaves it untouched.
EncodeResult encodeMotor(BlockParts parts, const ValueMap &values);
// Sets the values from motorFrame; with a type that selects no layout the
// boxes of bytes 20 and 24..30 keep their texts.
void decodeMotor(BlockParts parts, ValueMap &values);
