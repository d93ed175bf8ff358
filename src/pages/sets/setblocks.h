#pragma once
// The blocks a parameter set holds, in the order a backup reads them: the Idc
// calibration block first (it names the controller type), then the pages'
// blocks, the user information last. This is the one place that knows which
// tables take part, in which order and with which codes; everything else in
// pages/sets loops over setBlocks().

#include "link/commandtable.h"
#include "pages/engine/fieldcodec.h"

#include <QString>

#include <span>

struct SetBlock
{
    FrameId family;
    const BlockTable *table;
    const BlockFamily *codes;

    // "Basic", "Idc calibration": the block's name in a set file.
    QString name() const { return QString::fromLatin1(codes->name); }
    // The page's window caption in the language (the block's name on screen).
    QString title(int languageCode) const;
};

// Every block of a set, in backup order.
std::span<const SetBlock> setBlocks();
// The block of a family, or nullptr when no set holds it.
const SetBlock *findSetBlock(FrameId family);
// The block with this name in a set file, or nullptr.
const SetBlock *findSetBlock(QStringView name);
// Its place in setBlocks().
int setBlockIndex(FrameId family);

// Identity and calibration, and the password: a restore writes these only when
// the user asked for the block by itself, never as part of "all".
bool isProtectedBlock(FrameId family);

// The codes a block of the family may carry: its command, a reply's read (or
// reset) code or a write code, its qualifier, the end marker.
bool hasCodesOf(const SetBlock &block, const Block &bytes);

// A field row that holds a value of the controller's block (not a constant
// byte, not a box without bytes).
bool holdsValue(const FieldSpec &f);
// The field's bytes (its bit, for a flag) are the same in both blocks.
bool sameFieldBytes(const FieldSpec &f, const Block &a, const Block &b);
// Copies the field's bytes (its bit, for a flag) from `from` into `to`.
void copyFieldBytes(const FieldSpec &f, const Block &from, Block &to);
// "1F 00": the bytes a field covers.
QString fieldBytesText(const FieldSpec &f, const Block &b);

// A source text in the language (English for any code but Chinese).
QString translated(int languageCode, const char *context, const char *source);

// The caption of a field row in the language, as the page's label shows it
// (a label that no caption routine writes keeps its design-time text).
QString fieldCaption(const BlockTable &table, int field, int languageCode);
// The unit in the language.
QString fieldUnit(const FieldSpec &f, int languageCode);

// The texts of one block's fields as its page shows them for the controller
// type: boxes as decoded, lists by their item, check boxes checked or not.
class BlockTexts
{
public:
    BlockTexts(const SetBlock &block, const Block &bytes, int controllerType, int languageCode,
               QChar decimalPoint = u'.');
    QString text(int field) const;

private:
    const SetBlock &m_block;
    const Block &m_bytes;
    ValueMap m_values;
    int m_languageCode;
};
