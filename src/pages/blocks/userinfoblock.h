#pragma once
// The user information block (F1 E1 A2 / F1 E2 A2): the user name in bytes
// 3..22 and the password in bytes 23..30, one single-byte character code per
// character, zero-filled behind each text.

#include "pages/engine/fieldcodec.h"

#include <optional>

struct BlockParts;

inline constexpr int kUserNameLength = 20;
inline constexpr int kPasswordLength = 8;

const BlockTable &userInfoTable();

// Builds userInfoFrame from the two texts; a text longer than its field or
// holding a character without a single-byte code fails and leaves the
// buffer untouched (nothing is cut off behind the user's back).
EncodeResult encodeUserInfo(BlockParts parts, const ValueMap &values);
// Each text from the first byte of its field (or the second when the first
// is 0) up to the first zero byte.
void decodeUserInfo(BlockParts parts, ValueMap &values);

// The first character of `text` without a single-byte code, or NUL, as a
// code point; none when every character fits. A surrogate pair counts as
// the one character it makes.
std::optional<char32_t> firstCharacterOutsideLatin1(const QString &text);

// The refusal of a write, in the current language (context "frmUserInfo").
// `character` is the code point that does not fit (BadCharacter).
QString userInfoRefusal(int languageCode, ParseError error, const QString &caption,
                        char32_t character, int maxLength);
