#pragma once
// What holds for every block the field codec writes, whatever the box texts:
// 32 bytes with the table's codes and 0xDA at 31; every field as its own
// text encodes alone, inside its clamp; nothing in a byte no field owns.
// And when an encode fails: the frame untouched and the failing box named.

#include "pages/engine/fieldcodec.h"

// An empty string when `block` is what `values` must give; otherwise what is wrong.
QString writtenBlockFault(const BlockTable &table, const ValueMap &values,
                          const CodecOptions &options, const Block &block);

// Runs encodeBlock on `values` into a frame that held `before` and checks
// the outcome either way; FUZZ_CHECK stops the run on a fault.
EncodeResult encodeAndCheck(const BlockTable &table, const ValueMap &values,
                            const CodecOptions &options, const Block &before, Block &out);

// A fuzzer-chosen controller type: 1, 2, 3, the 0 before any Idc block, or
// something no controller reports.
int controllerTypeFrom(quint8 byte);
