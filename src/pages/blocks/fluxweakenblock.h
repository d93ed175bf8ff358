#pragma once
// The Flux-weakening block (D6 C6 / D6 C7): start-up speed commands, the
// flux sign, the Idref points by speed and the diagnostic print settings.
// Bytes 16..28 have one layout for controller type 1 and another for types
// 2 and 3; with any other type they are not known and travel as 0.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &fluxWeakenTable();

EncodeResult encodeFluxWeaken(BlockParts parts, const ValueMap &values);
void decodeFluxWeaken(BlockParts parts, ValueMap &values);
