#pragma once
// The Other block (FE EE / FE EF): mid-range torque-reference settings, the
// throttle voltages, the backward torque-current steps 1 to 11 and a byte of
// eight feature switches.

#include "pages/engine/fieldcodec.h"

struct AppState;

const BlockTable &otherTable();

EncodeResult encodeOther(AppState &state, const ValueMap &values);
void decodeOther(AppState &state, ValueMap &values);
