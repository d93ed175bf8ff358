#pragma once
// The Reference block (F2 E2 / F2 E3): battery-voltage thresholds, start-up
// settings and torque-current reference steps.

#include "pages/engine/fieldcodec.h"

struct AppState;

const BlockTable &referenceTable();

EncodeResult encodeReference(AppState &state, const ValueMap &values);
void decodeReference(AppState &state, ValueMap &values);
