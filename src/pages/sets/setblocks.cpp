#include "pages/sets/setblocks.h"

#include "core/appstate.h"
#include "core/language.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>
#include <QTranslator>

#include <array>

namespace {
constexpr const char *kContext = "ParameterSet";

// The Idc block first: its reply names the controller type, and the layout of
// three other blocks depends on it.
constexpr FrameId kBackupOrder[] = {
    FrameId::IdcCalib, FrameId::Basic,  FrameId::Reference, FrameId::Motor,
    FrameId::Protection, FrameId::Control, FrameId::Other, FrameId::DqPid,
    FrameId::FluxWeaken, FrameId::Derate, FrameId::ModeSet, FrameId::UserInfo,
};

std::vector<SetBlock> makeSetBlocks()
{
    std::vector<SetBlock> blocks;
    for (FrameId family : kBackupOrder) {
        const PageDef *page = pageForFamily(family);
        const BlockFamily *codes = findFamily(family);
        Q_ASSERT(page && page->table && codes);
        blocks.push_back({family, &page->table(), codes});
    }
    return blocks;
}

} // namespace

QString translated(int languageCode, const char *context, const char *source)
{
    // A set file carries both languages whichever one is shown: the Chinese
    // texts come from a translator of their own, not from the one installed.
    if (languageCode == LanguageCode::Chinese) {
        static QTranslator *chinese = [] {
            auto *t = new QTranslator;
            if (!t->load(QStringLiteral(":/i18n/kestrane_zh_CN.qm")))
                qWarning("kestrane: the Chinese translation is missing from the program");
            return t;
        }();
        const QString t = chinese->translate(context, source);
        if (!t.isEmpty())
            return t;
    }
    return QString::fromUtf8(source);
}

QString SetBlock::title(int languageCode) const
{
    const BlockSpec &def = table->definition();
    return translated(languageCode, def.window, def.caption);
}

std::span<const SetBlock> setBlocks()
{
    static const std::vector<SetBlock> blocks = makeSetBlocks();
    return blocks;
}

const SetBlock *findSetBlock(FrameId family)
{
    for (const SetBlock &b : setBlocks()) {
        if (b.family == family)
            return &b;
    }
    return nullptr;
}

const SetBlock *findSetBlock(QStringView name)
{
    for (const SetBlock &b : setBlocks()) {
        if (name == QLatin1String(b.codes->name))
            return &b;
    }
    return nullptr;
}

int setBlockIndex(FrameId family)
{
    const std::span<const SetBlock> blocks = setBlocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].family == family)
            return int(i);
    }
    return -1;
}

bool isProtectedBlock(FrameId family)
{
    return family == FrameId::IdcCalib || family == FrameId::UserInfo;
}

bool hasCodesOf(const SetBlock &block, const Block &bytes)
{
    const BlockFamily &f = *block.codes;
    const quint8 code = bytes[1];
    const bool knownCode = (f.readCode && code == f.readCode) || (f.resetCode && code == f.resetCode) ||
                           code == f.writeCode;
    return bytes[0] == f.command() && knownCode && (!f.qualifier || bytes[2] == f.qualifier) &&
           bytes[kBlockSize - 1] == kEndMarker;
}

bool holdsValue(const FieldSpec &f)
{
    return f.hasBytes() && !f.isConstant();
}

bool sameFieldBytes(const FieldSpec &f, const Block &a, const Block &b)
{
    if (f.form == ValueForm::Flag)
        return rawFieldValue(f, a) == rawFieldValue(f, b);
    for (int k = 0; k < f.width(); ++k) {
        if (a[std::size_t(f.offset + k)] != b[std::size_t(f.offset + k)])
            return false;
    }
    return true;
}

void copyFieldBytes(const FieldSpec &f, const Block &from, Block &to)
{
    if (f.form == ValueForm::Flag) {
        const quint8 mask = quint8(1u << f.bit);
        to[f.offset] = quint8((to[f.offset] & ~mask) | (from[f.offset] & mask));
        return;
    }
    for (int k = 0; k < f.width(); ++k)
        to[std::size_t(f.offset + k)] = from[std::size_t(f.offset + k)];
}

QString fieldBytesText(const FieldSpec &f, const Block &b)
{
    QByteArray bytes;
    for (int k = 0; k < f.width(); ++k)
        bytes.append(char(b[std::size_t(f.offset + k)]));
    return hexString(bytes);
}

QString fieldCaption(const BlockTable &table, int field, int languageCode)
{
    const FieldSpec &f = table.field(field);
    const bool written = f.captionRule == CaptionRule::Both ||
                         (f.captionRule == CaptionRule::EnglishOnly && languageCode == LanguageCode::English);
    if (!written)
        return QString::fromUtf8(f.designCaption ? f.designCaption : f.caption);
    return translated(languageCode, table.definition().window, f.caption);
}

QString fieldUnit(const FieldSpec &f, int languageCode)
{
    return *f.unit ? translated(languageCode, "ParameterPage", f.unit) : QString();
}

BlockTexts::BlockTexts(const SetBlock &block, const Block &bytes, int controllerType, int languageCode,
                       QChar decimalPoint)
    : m_block(block), m_bytes(bytes), m_values(*block.table), m_languageCode(languageCode)
{
    decodeBlock(*block.table, bytes, {controllerType, decimalPoint}, m_values);
}

QString BlockTexts::text(int field) const
{
    const BlockTable &table = *m_block.table;
    const FieldSpec &f = table.field(field);
    const int slot = table.slotOfField(field);
    if (f.editor == EditorKind::Check) {
        return m_values.indexAt(slot) ? translated(m_languageCode, kContext, QT_TRANSLATE_NOOP("ParameterSet", "checked"))
                                      : translated(m_languageCode, kContext, QT_TRANSLATE_NOOP("ParameterSet", "unchecked"));
    }
    if (f.editor == EditorKind::List) {
        const int index = m_values.indexAt(slot);
        if (index >= 0 && index < int(f.items.size()))
            return translated(m_languageCode, table.definition().window, f.items[std::size_t(index)]);
        // A byte no item names: the page shows no selection.
        return translated(m_languageCode, kContext, QT_TRANSLATE_NOOP("ParameterSet", "(no item: %1)"))
            .arg(rawFieldValue(f, m_bytes));
    }
    return m_values.at(slot);
}
