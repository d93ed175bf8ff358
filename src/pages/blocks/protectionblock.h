#pragma once
// The Protection block (F8 E8 / F8 E9): heavy-load and motor-lock limits,
// phase-current levels, power-stage temperatures and the thirteen current
// reference points that, with "Max Iac pk[A]" of the Basic block, make the
// current-versus-speed curve.

#include "pages/engine/fieldcodec.h"

#include <array>

struct BlockParts;

const BlockTable &protectionTable();

// Fills protectionFrame; on success also keeps the clamped reference points
// as curve points 1..13, marks the "Load para" chain as started when a load
// is pending, and redraws the curve.
EncodeResult encodeProtection(BlockParts parts, const ValueMap &values);
// Sets the values from protectionFrame, keeps the received points as curve
// points 1..13 and redraws the curve.
void decodeProtection(BlockParts parts, ValueMap &values);

// The boxes of the reference points 1..13, in curve order ("txtConstPT1" ...).
extern const std::array<const char *, 13> kProtectionPointBoxes;
