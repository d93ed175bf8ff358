#pragma once
// The Torque PID block (D2 C2 / D2 C3): the gains of the Iq and Id current
// regulators by stage, the Kp divisors and the motor-lock acceleration.
// Every byte of the write block is written.

#include "pages/engine/fieldcodec.h"

struct BlockParts;

const BlockTable &torquePidTable();

// Fills dqPidFrame; on success ends a pending "Load para" (the gain it
// carried has now been encoded, by the chain or by a manual write).
EncodeResult encodeTorquePid(BlockParts parts, const ValueMap &values);
// Sets the values from dqPidFrame; while a "Load para" is pending, "Iq ki
// gain 3" shows the loaded gain instead of the received one.
void decodeTorquePid(BlockParts parts, ValueMap &values);

// The box of "Iq ki gain 3", replaced by the "Load para" chain.
inline constexpr const char *kIqKiGain3Box = "txtIqKiG3";
