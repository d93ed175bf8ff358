#include "pages/parameterservice.h"

#include "core/language.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/blocks/userinfoblock.h"

#include <QCoreApplication>

namespace {
constexpr const char *kContext = "ParameterPage";

// The text for the current language; English for a code without captions.
QString pageText(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

QString elided(const QString &text, int maxLength)
{
    QString t = text;
    t.replace(u'\n', u' ');
    return t.size() > maxLength ? t.left(maxLength) + QStringLiteral("...") : t;
}

// The hiddenSlots of `table` that the controller type hides.
QList<int> hiddenSlotsFor(const BlockTable &table, int controllerType)
{
    QList<int> hiddenSlots;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (f.control && f.hiddenFor(controllerType))
            hiddenSlots << table.slotOfField(i);
    }
    return hiddenSlots;
}
} // namespace

QString parseFailureReason(int languageCode, ParseError error)
{
    switch (error) {
    case ParseError::Empty:
        return pageText(languageCode, QT_TRANSLATE_NOOP("ParameterPage", "Empty: enter a number."));
    case ParseError::NotANumber:
        return pageText(languageCode, QT_TRANSLATE_NOOP("ParameterPage", "Not a number."));
    case ParseError::OutOfRange:
        return pageText(languageCode, QT_TRANSLATE_NOOP("ParameterPage", "Number out of range."));
    case ParseError::TooLong:
        return pageText(languageCode, QT_TRANSLATE_NOOP("ParameterPage", "Too many characters."));
    case ParseError::BadCharacter:
        return pageText(languageCode,
                        QT_TRANSLATE_NOOP("ParameterPage", "Holds a character the controller cannot store."));
    case ParseError::None:
        break;
    }
    return {};
}

QString parseFailureMessage(int languageCode, ParseError error, const QString &caption,
                            const QString &text, int maxLength)
{
    const QString shown = elided(text, 40);
    switch (error) {
    case ParseError::Empty:
        return pageText(languageCode,
                        QT_TRANSLATE_NOOP("ParameterPage",
                                          "The box \"%1\" is empty. Enter a number; nothing was written."))
            .arg(caption);
    case ParseError::NotANumber:
        return pageText(languageCode,
                        QT_TRANSLATE_NOOP("ParameterPage",
                                          "The box \"%1\" does not hold a number: \"%2\". Nothing was written."))
            .arg(caption, shown);
    case ParseError::OutOfRange:
        return pageText(languageCode,
                        QT_TRANSLATE_NOOP("ParameterPage",
                                          "The box \"%1\" holds a number out of range: \"%2\". Nothing was written."))
            .arg(caption, shown);
    case ParseError::TooLong:
        return pageText(languageCode,
                        QT_TRANSLATE_NOOP("ParameterPage",
                                          "The box \"%1\" holds more than %2 characters. Nothing was written."))
            .arg(caption)
            .arg(maxLength);
    case ParseError::BadCharacter:
        return pageText(languageCode,
                        QT_TRANSLATE_NOOP("ParameterPage",
                                          "The box \"%1\" holds a character the controller cannot store. "
                                          "Nothing was written."))
            .arg(caption);
    case ParseError::None:
        break;
    }
    return {};
}

QString unknownLayoutQuestion(int languageCode, const QList<int> &bytes)
{
    QStringList numbers;
    for (int b : bytes)
        numbers << QString::number(b);
    return pageText(languageCode,
                    QT_TRANSLATE_NOOP("ParameterPage",
                                      "The controller type is not known yet: bytes %1 will be "
                                      "written as 0. Write anyway?"))
        .arg(numbers.join(QStringLiteral(", ")));
}

QString fieldCaptionText(int languageCode, const BlockTable &table, int field)
{
    const FieldSpec &f = table.field(field);
    const QString t = bilingual(languageCode, table.definition().window, f.caption);
    return t.isNull() ? QString::fromUtf8(f.caption) : t;
}

ParameterService::ParameterService(BlockParts parts, LinkController &link, const LanguageState &language,
                                   QObject *parent)
    : QObject(parent), m_parts(parts), m_link(link), m_language(language)
{
    for (const PageDef &def : allPages())
        m_models.push_back(def.table ? new BlockModel(def.table(), this) : nullptr);
    connect(&link.dispatcher(), &Dispatcher::blockReceived, this, &ParameterService::onBlock);
}

ParameterService::~ParameterService() = default;

BlockModel *ParameterService::model(PageId page) const
{
    return m_models[std::size_t(pageIndex(page))];
}

BlockModel *ParameterService::model(FrameId family) const
{
    const PageDef *def = pageForFamily(family);
    return def ? model(def->id) : nullptr;
}

void ParameterService::read(FrameId family, RequestQueue::Callback done)
{
    m_link.request(RequestQueue::read(family, std::move(done)));
}

void ParameterService::onBlock(FrameId family, const Block &block)
{
    decode(family, block);
}

void ParameterService::decode(FrameId family, const Block &block)
{
    BlockModel *m = model(family);
    if (!m)
        return;
    m_parts.frames[family] = block;
    ValueMap values = m->values();
    decodeTable(m->table(), m_parts, values);
    m->setReceived(block);
    m->setValues(values);
    emit decoded(family);
    // The Idc calibration block names the controller type.
    if (family == FrameId::IdcCalib) {
        fitToControllerType();
        emit controllerTypeLearned(m_parts.controllerType);
    }
}

void ParameterService::fitToControllerType()
{
    for (BlockModel *m : m_models) {
        if (m)
            m->hide(hiddenSlotsFor(m->table(), m_parts.controllerType));
    }
}

void ParameterService::resetModel(FrameId family)
{
    if (BlockModel *m = model(family))
        m->reset();
}

ParameterService::WritePlan ParameterService::planWrite(FrameId family, const ValueMap &values,
                                                        bool confirmed)
{
    WritePlan plan;
    BlockModel *m = model(family);
    if (!m)
        return plan;
    const BlockTable &table = m->table();
    const QList<int> unknown = bytesOfUnknownLayout(table, m_parts.controllerType);
    if (!unknown.isEmpty() && !confirmed) {
        plan.step = WritePlan::Step::Ask;
        plan.text = unknownLayoutQuestion(m_language.languageCode, unknown);
        return plan;
    }
    const EncodeResult result = encodeTable(table, m_parts, values);
    if (!result.ok()) {
        plan.failedField = result.failedField;
        plan.error = result.error;
        plan.text = refusalText(table, result, values);
        return plan;
    }
    plan.step = WritePlan::Step::Send;
    plan.block = m_parts.frames[family];
    return plan;
}

QString ParameterService::refusalText(const BlockTable &table, const EncodeResult &result,
                                      const ValueMap &values) const
{
    const int code = m_language.languageCode;
    const FieldSpec &f = table.field(result.failedField);
    const int slot = table.slotOfField(result.failedField);
    const QString text = slot >= 0 && !values.holdsIndex(slot) ? values.at(slot) : QString();
    if (f.form == ValueForm::Chars) {
        const char32_t bad = firstCharacterOutsideLatin1(text).value_or(0);
        return userInfoRefusal(code, result.error, fieldCaptionText(code, table, result.failedField), bad,
                               f.length);
    }
    return parseFailureMessage(code, result.error, fieldCaptionText(code, table, result.failedField), text,
                               f.length);
}

void ParameterService::write(const Block &block, RequestQueue::Callback done)
{
    m_link.request(RequestQueue::write(block, std::move(done)));
}
