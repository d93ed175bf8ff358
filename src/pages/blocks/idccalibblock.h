#pragma once
// The Idc calibration block (FB ED / FB EC read, FB EE write): Idc gain and
// shift, ADC scale, lock and temperature thresholds, input levels, wiring,
// control periods, the controller type and the unit's identity. Decoding it
// is how the tool learns the controller type.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &idcCalibTable();

// Fills idcCalibFrame from the values; byte 23 by the controller type at this
// moment (type 2: "Iq quit[A]", type 1: 1, otherwise 0), bytes 5, 22 and 24 0.
EncodeResult encodeIdcCalib(BlockParts parts, const ValueMap &values);
// Sets the values from idcCalibFrame ("Iq quit[A]" only while the type is
// already 2), then takes the controller type from byte 14.
void decodeIdcCalib(BlockParts parts, ValueMap &values);

// The subproject number of a decoded block (byte 22).
int idcSubprojectNumber(const Block &block);
