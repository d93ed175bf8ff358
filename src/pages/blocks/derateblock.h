#pragma once
// The Derate block (D5 C5 / D5 C6): power derating and recovery delays, the
// ECO torque-current reference table, the speed step, the Iq/Id reference
// limits and the flux switch speed.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &derateTable();

EncodeResult encodeDerate(BlockParts parts, const ValueMap &values);
void decodeDerate(BlockParts parts, ValueMap &values);
