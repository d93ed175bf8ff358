#pragma once
// The Derate block (D5 C5 / D5 C6): power derating and recovery delays, the
// ECO torque-current reference table, the speed step, the Iq/Id reference
// limits and the flux switch speed.

#include "pages/engine/fieldcodec.h"

struct AppState;

const BlockTable &derateTable();

EncodeResult encodeDerate(AppState &state, const ValueMap &values);
void decodeDerate(AppState &state, ValueMap &values);
