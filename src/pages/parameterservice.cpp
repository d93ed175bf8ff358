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
    if (m_hiddenSlots.size() != m_models.size() || m_hiddenForType != m_parts.controllerType) {
        m_hiddenSlots.assign(m_models.size(), {});
        for (std::size_t i = 0; i < m_models.size(); ++i) {
            if (m_models[i])
                m_hiddenSlots[i] = hiddenSlotsFor(m_models[i]->table(), m_parts.controllerType);
        }
        m_hiddenForType = m_parts.controllerType;
    }
    for (std::size_t i = 0; i < m_models.size(); ++i) {
        if (m_models[i])
            m_models[i]->hide(m_hiddenSlots[i]);
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

namespace {
// The field of `slot` that the controller type writes, or -1.
int writtenFieldOfSlot(const BlockTable &table, int slot, int controllerType)
{
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (table.slotOfField(i) == slot && f.isNumeric() && !f.readOnly && f.appliesTo(controllerType))
            return i;
    }
    return -1;
}

QString pageCaption(int languageCode, const BlockTable &table)
{
    const BlockSpec &d = table.definition();
    const QString t = bilingual(languageCode, d.window, d.caption);
    return t.isNull() ? QString::fromUtf8(d.caption) : t;
}
} // namespace

QList<ParameterService::SentAs> ParameterService::sentDifferently(FrameId family, const ValueMap &values) const
{
    QList<SentAs> boxes;
    const BlockModel *m = model(family);
    if (!m)
        return boxes;
    const BlockTable &table = m->table();
    const QChar point = systemDecimalPoint();
    Block block{};
    if (!encodeBlock(table, values, CodecOptions{m_parts.controllerType, point}, block).ok())
        return boxes;
    for (int slot = 0; slot < table.slotCount(); ++slot) {
        const int field = writtenFieldOfSlot(table, slot, m_parts.controllerType);
        if (field < 0 || values.holdsIndex(slot))
            continue;
        const FieldSpec &f = table.field(field);
        const qint64 raw = rawFieldValue(f, block);
        const QString text = values.at(slot);
        const QString sent = displayText(f, raw, point);
        if (text.trimmed() == sent)
            continue;
        // "0350" is 350 as it stands: only a different number counts.
        const ParsedNumber typed = parseNumber(text, point);
        if (typed.ok() && typed.value == decodedFieldValue(f, raw))
            continue;
        boxes.append({field, text, sent});
    }
    return boxes;
}

QString ParameterService::sentDifferentlyQuestion(FrameId family, const QList<SentAs> &boxes) const
{
    const int code = m_language.languageCode;
    const BlockTable &table = model(family)->table();
    QStringList lines;
    for (const SentAs &b : boxes) {
        lines << pageText(code, QT_TRANSLATE_NOOP("ParameterPage", "%1: \"%2\" is written as %3"))
                     .arg(fieldCaptionText(code, table, b.field), elided(b.text, 40), b.sent);
    }
    return pageText(code, QT_TRANSLATE_NOOP("ParameterPage",
                                            "These boxes are not written as they stand:\n\n%1\n\nWrite these "
                                            "values?"))
        .arg(lines.join(u'\n'));
}

void ParameterService::writeVerified(const Block &block, std::function<void(const Verification &)> done)
{
    const FrameId family = FrameId(block[0]);
    auto finish = [this, family, done](const Verification &v) {
        if (done)
            done(v);
        emit writeChecked(family, v);
    };
    write(block, [this, block, family, finish](const RequestQueue::Result &ack) {
        if (!ack.ok()) {
            finish({Verification::Result::NotAcknowledged, {}});
            return;
        }
        if (!m_verifyWrites || !model(family)) {
            finish({Verification::Result::NotChecked, {}});
            return;
        }
        read(family, [this, block, family, finish](const RequestQueue::Result &back) {
            if (!back.ok()) {
                finish({Verification::Result::NotReadBack, {}});
                return;
            }
            const QList<int> fields =
                fieldsThatDiffer(model(family)->table(), m_parts.controllerType, block, back.reply);
            finish({fields.isEmpty() ? Verification::Result::Verified : Verification::Result::Differs, fields});
        });
    });
}

QString ParameterService::verificationText(FrameId family, const Verification &v) const
{
    const int code = m_language.languageCode;
    const BlockModel *m = model(family);
    const QString page = m ? pageCaption(code, m->table()) : QString();
    switch (v.result) {
    case Verification::Result::Verified:
        return pageText(code, QT_TRANSLATE_NOOP("ParameterPage", "%1: written and verified.")).arg(page);
    case Verification::Result::Differs: {
        QStringList names;
        for (int field : v.fields)
            names << QStringLiteral("\u201C%1\u201D").arg(fieldCaptionText(code, m->table(), field));
        return pageText(code, QT_TRANSLATE_NOOP("ParameterPage",
                                                "%1: the controller does not hold what was written in %2. "
                                                "The page now shows what it holds."))
            .arg(page, names.join(QStringLiteral(", ")));
    }
    case Verification::Result::NotAcknowledged:
        return pageText(code, QT_TRANSLATE_NOOP("ParameterPage",
                                                "%1: the controller did not acknowledge the write; it may "
                                                "not hold it. Read the page to see."))
            .arg(page);
    case Verification::Result::NotReadBack:
        return pageText(code, QT_TRANSLATE_NOOP("ParameterPage",
                                                "%1: written, but the block did not come back: not verified."))
            .arg(page);
    case Verification::Result::NotChecked:
        break;
    }
    return {};
}
