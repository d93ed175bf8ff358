#pragma once
// The Control block (F4 E4 / F4 E5): speed-controller gains, speed PID
// steps, the assist and back-step thresholds and the two motor-lock angles.

#include "pages/engine/fieldcodec.h"

struct AppState;

const BlockTable &controlTable();

EncodeResult encodeControl(AppState &state, const ValueMap &values);
void decodeControl(AppState &state, ValueMap &values);
