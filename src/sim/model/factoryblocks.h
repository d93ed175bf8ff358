#pragma once
// What a freshly built controller holds: one stored block per parameter
// family, as a 72 V hub-motor drive would leave the factory.

#include "rawblock.h"

#include <map>

namespace sim {

// The families the controller stores, keyed by command byte. Each block is
// kept as a read reply: command, read code, payload, end marker (the user
// information block with its qualifier in byte 2).
using BlockStore = std::map<quint8, RawBlock>;

inline constexpr quint8 kIdcCommand = 0xFB;
inline constexpr quint8 kUserInfoCommand = 0xF1;
inline constexpr quint8 kMotorCommand = 0xF6;
inline constexpr quint8 kProtectionCommand = 0xF8;
inline constexpr quint8 kBasicCommand = 0xF0;
inline constexpr quint8 kReferenceCommand = 0xF2;
inline constexpr quint8 kOtherCommand = 0xFE;
inline constexpr quint8 kDerateCommand = 0xD5;
inline constexpr quint8 kModeSetCommand = 0xD7;

// Byte of the Idc block that counts calibration runs since the last reset
// (the tool neither shows nor writes it).
inline constexpr int kIdcCalibCountByte = 24;
// Byte of the Idc block with the model code of the unit; fixed in the factory.
inline constexpr int kIdcModelByte = 22;
// Byte of the Idc block with the controller type.
inline constexpr int kIdcTypeByte = 14;

// `controllerType` 1, 2 or 3 picks the layout of the type-dependent bytes.
BlockStore factoryBlocks(int controllerType);

// The read code of a parameter family (command - 0x10); the Idc family reads
// with 0xED.
quint8 readCodeFor(quint8 command);
// The write code (command - 0x0F); the Idc family writes with 0xEE.
quint8 writeCodeFor(quint8 command);

} // namespace sim
