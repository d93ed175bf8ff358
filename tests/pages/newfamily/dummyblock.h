#pragma once
// The block table of the test build's dummy family (D9 C9 / D9 CA).

#include "pages/engine/fieldcodec.h"

const BlockTable &dummyTable();
