#pragma once
// The parameter-set file (.kparams): JSON, schema 1 (docs/parameter-sets.md).
// Written whole or not at all; read back only when every block's bytes carry
// their codes and checksum and every text in the file is what the bytes
// hold. A refused file gives no set, so nothing can be written from it.

#include "pages/sets/parameterset.h"

#include <QByteArray>
#include <QString>

#include <optional>

inline constexpr int kSetFileSchema = 1;
inline constexpr const char *kSetFileFormat = "kestrane-parameter-set";
inline constexpr const char *kSetFileSuffix = "kparams";
// A set is a few tens of kilobytes; a file far larger is not one.
inline constexpr qint64 kSetFileMaxSize = 4 * 1024 * 1024;

struct SetFileError
{
    enum class Kind {
        None,
        Unreadable,     // the file cannot be opened or read
        TooLarge,
        NotJson,
        Truncated,      // JSON that ends too early (or nothing at all)
        NotASet,        // JSON, but not ours
        FutureSchema,   // a schema this version does not know
        MissingMember,
        MalformedMember,
        UnknownBlock,
        DuplicateBlock,
        MissingList,    // "partial" and "missing" disagree with the blocks
        WrongCodes,     // a block's codes or end marker
        WrongChecksum,
        WrongType,      // the controller type is not the Idc block's
        EditedField,    // a field's text is not what the bytes hold
        EditedIdentity,
        WriteFailed,
    };
    Kind kind = Kind::None;
    FrameId family = FrameId::None; // the block at fault, if one is
    QString block;  // the block's name as the file has it (also for an unknown one)
    QString member; // the JSON member or the field's control
    QString detail; // what the file says, what was expected, or the system's reason

    bool ok() const { return kind == Kind::None; }
    // What happened and that nothing was used (or written), in the language.
    QString message(int languageCode) const;
};

struct SetReadResult
{
    std::optional<ParameterSet> set; // none when refused
    SetFileError error;
};

QByteArray setFileBytes(const ParameterSet &set);
SetReadResult parseSetFile(const QByteArray &bytes);
SetReadResult readSetFile(const QString &path);
// Through a temporary file renamed into place: an old file stays whole
// until the new one is complete.
SetFileError writeSetFile(const QString &path, const ParameterSet &set);
