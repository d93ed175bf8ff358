#include "pages/engine/fieldcodec.h"

#include "link/commandtable.h"

#include <algorithm>
#include <cmath>

namespace {
// "txtMaxspeed" -> "lblMaxspeed", "cboMTherType" -> "lblMTherType"; check
// boxes carry their caption themselves and have no label.
QString derivedLabel(const FieldSpec &f)
{
    if (f.label)
        return QString::fromLatin1(f.label);
    const QString control = QString::fromLatin1(f.control);
    if (control.startsWith(QLatin1String("Chk")))
        return {};
    for (const char *prefix : {"txt", "cbo", "cmb"}) {
        if (control.startsWith(QLatin1String(prefix)))
            return QLatin1String("lbl") + control.mid(3);
    }
    return QLatin1String("lbl") + control;
}

void storeValue(const FieldSpec &f, qint64 v, Block &b)
{
    const auto at = std::size_t(f.offset);
    switch (f.form) {
    case ValueForm::U8:
    case ValueForm::List:
        b[at] = quint8(v);
        break;
    case ValueForm::U16:
        putU16(b, f.offset, quint32(v));
        break;
    case ValueForm::Sm16:
        putSm16(b, f.offset, qint32(v));
        break;
    case ValueForm::Flag:
        if (v)
            b[at] |= quint8(1u << f.bit);
        break;
    case ValueForm::Box:
    case ValueForm::Chars:
        break;
    }
}

ParseError storeChars(const FieldSpec &f, const QString &text, Block &b)
{
    if (text.size() > f.length)
        return ParseError::TooLong;
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0xFF)
            return ParseError::BadCharacter;
    }
    for (qsizetype k = 0; k < text.size(); ++k)
        b[std::size_t(f.offset + k)] = quint8(text[k].unicode());
    return ParseError::None;
}

// The first character counts even when a later one is missing; after it,
// the text ends at the first zero byte.
QString decodeChars(const FieldSpec &f, const Block &b)
{
    QString s;
    for (int k = 0; k < f.length; ++k) {
        const quint8 c = b[std::size_t(f.offset + k)];
        if (c == 0) {
            if (k == 0)
                continue;
            break;
        }
        s.append(QChar(c));
    }
    return s;
}

// 10 -> 1, 100 -> 2, ...; 0 for a factor that is not a power of ten (scaled
// in binary then).
int decimalExponent(qint32 factor)
{
    int k = 0;
    while (factor > 1 && factor % 10 == 0) {
        factor /= 10;
        ++k;
    }
    return factor == 1 ? k : 0;
}

qint64 undoOffsetAndScaleExactly(const FieldSpec &f, qint64 raw)
{
    qint64 v = raw - f.addend;
    if (f.scaling == Scaling::Divide)
        v *= f.factor;
    return f.negate ? -v : v;
}
} // namespace

BlockTable::BlockTable(const BlockSpec &definition) : m_definition(definition)
{
    for (int i = 0; i < int(definition.fields.size()); ++i) {
        const FieldSpec &f = definition.fields[std::size_t(i)];
        if (f.isConstant()) {
            m_slotOfField.append(-1);
            m_labels.append(QString());
            continue;
        }
        const QString control = QString::fromLatin1(f.control);
        int slot = int(m_controls.indexOf(control));
        if (slot < 0) {
            slot = int(m_controls.size());
            m_controls.append(control);
            m_fieldOfSlot.append(i);
        }
        m_slotOfField.append(slot);
        m_labels.append(derivedLabel(f));
    }
}

int BlockTable::slotOf(QStringView control) const
{
    for (int s = 0; s < int(m_controls.size()); ++s) {
        if (m_controls[s] == control)
            return s;
    }
    return -1;
}

ValueMap::ValueMap(const BlockTable &table) : m_table(&table)
{
    m_texts.reserve(table.slotCount());
    m_indexes.reserve(table.slotCount());
    for (int s = 0; s < table.slotCount(); ++s) {
        const FieldSpec &f = table.field(table.fieldOfSlot(s));
        const QString defaultText = QString::fromUtf8(f.defaultText);
        m_texts.append(f.holdsIndex() ? QString() : defaultText);
        m_indexes.append(f.holdsIndex() ? defaultText.toInt() : 0);
        m_held.append(std::nullopt);
    }
}

bool ValueMap::holdsIndex(int slot) const
{
    return m_table->field(m_table->fieldOfSlot(slot)).holdsIndex();
}

QString ValueMap::text(QStringView control) const
{
    const int slot = m_table->slotOf(control);
    return slot < 0 || holdsIndex(slot) ? QString() : m_texts[slot];
}

bool ValueMap::setText(QStringView control, const QString &text)
{
    const int slot = m_table->slotOf(control);
    if (slot < 0 || holdsIndex(slot))
        return false;
    m_texts[slot] = text;
    return true;
}

int ValueMap::index(QStringView control) const
{
    const int slot = m_table->slotOf(control);
    return slot < 0 || !holdsIndex(slot) ? -1 : m_indexes[slot];
}

bool ValueMap::setIndex(QStringView control, int index)
{
    const int slot = m_table->slotOf(control);
    if (slot < 0 || !holdsIndex(slot))
        return false;
    m_indexes[slot] = index;
    return true;
}

FieldValue encodeIndexValue(const FieldSpec &f, int index)
{
    // A list over a bit with nothing selected leaves the bit clear.
    if (f.form == ValueForm::Flag)
        return {index > 0 ? 1 : 0};
    return {std::clamp<qint64>(qint64(index) + f.addend, f.lo, f.hi)};
}

int decodedIndex(const FieldSpec &f, qint64 raw)
{
    if (f.form == ValueForm::Flag)
        return raw ? 1 : 0;
    return int(std::clamp<qint64>(raw - f.addend, f.decodeLo, f.decodeHi));
}

int shownIndex(const FieldSpec &f, qint64 raw)
{
    if (f.form == ValueForm::Flag)
        return raw ? 1 : 0;
    const qint64 index = f.keepsUnlisted ? raw - f.addend : decodedIndex(f, raw);
    return index >= 0 && index < qint64(f.items.size()) ? int(index) : -1;
}

FieldValue encodeFieldValue(const FieldSpec &f, QStringView text, QChar decimalPoint)
{
    // A typed decimal is scaled on its digits (0.29 x 100 is 29, not
    // 28.999999999999996), so a value read and written back keeps its byte.
    const int shift = f.scaling == Scaling::None ? 0 : decimalExponent(f.factor);
    const int decimalShift = f.scaling == Scaling::Multiply ? shift : -shift;
    bool scaled = false;
    double v = 0;
    switch (f.parse) {
    case ParseKind::Number: {
        const ParsedNumber n = parseNumber(text, decimalPoint, decimalShift);
        if (!n.ok())
            return {0, n.error};
        v = n.value;
        scaled = shift > 0;
        break;
    }
    case ParseKind::Integer: {
        const ParsedNumber n = parseInteger(text, decimalPoint);
        if (!n.ok())
            return {0, n.error};
        v = n.value;
        break;
    }
    case ParseKind::LeadingNumber: {
        // "12abc" reads as 12; a text with no number in front is no value
        // at all, and writing it as 0 would put a number the user never
        // typed into the controller.
        bool found = false;
        v = parseLeadingNumber(text, decimalShift, &found);
        if (!found)
            return {0, text.trimmed().isEmpty() ? ParseError::Empty : ParseError::NotANumber};
        scaled = shift > 0;
        break;
    }
    }

    if (f.negate)
        v = -v;
    if (!scaled) {
        if (f.scaling == Scaling::Multiply)
            v *= f.factor;
        else if (f.scaling == Scaling::Divide)
            v /= f.factor;
    }
    v += f.addend;
    if (f.rangeRule == RangeRule::BelowOneIsZero && v < 1)
        v = 0;
    v = f.conversion == Conversion::Floor ? std::floor(v) : roundHalfEven(v);

    if (f.rangeRule == RangeRule::Refuse) {
        if (!(v >= f.lo && v <= f.hi))
            return {0, ParseError::OutOfRange};
    } else {
        // Integer bounds: clamping before or after the conversion is the same.
        v = std::isnan(v) ? f.lo : std::clamp(v, double(f.lo), double(f.hi));
    }
    return {qint64(v)};
}

qint64 rawFieldValue(const FieldSpec &f, const Block &b)
{
    const auto at = std::size_t(f.offset);
    switch (f.form) {
    case ValueForm::U8:
    case ValueForm::List:
        return b[at];
    case ValueForm::U16:
        return u16At(b, f.offset);
    case ValueForm::Sm16:
        return sm16At(b, f.offset);
    case ValueForm::Flag:
        return (b[at] >> f.bit) & 1;
    case ValueForm::Box:
    case ValueForm::Chars:
        break;
    }
    return 0;
}

double decodedFieldValue(const FieldSpec &f, qint64 raw)
{
    if (f.scaling != Scaling::Multiply)
        return double(undoOffsetAndScaleExactly(f, raw));
    double v = double(raw - f.addend) / f.factor;
    if (f.negate)
        v = -v;
    return v == 0 ? 0.0 : v;
}

QString displayText(const FieldSpec &f, qint64 raw, QChar decimalPoint)
{
    if (f.holdsIndex())
        return formatInteger(decodedIndex(f, raw));
    switch (f.display) {
    case DisplayForm::Integer:
        if (f.scaling != Scaling::Multiply)
            return formatInteger(undoOffsetAndScaleExactly(f, raw));
        return formatShortest(decodedFieldValue(f, raw), decimalPoint);
    case DisplayForm::ShortestDecimal:
        return formatShortest(decodedFieldValue(f, raw), decimalPoint);
    case DisplayForm::ThreeDecimals:
    case DisplayForm::OneDecimal: {
        const int decimals = f.display == DisplayForm::ThreeDecimals ? 3 : 1;
        if (f.scaling != Scaling::Multiply)
            return formatFixed(decodedFieldValue(f, raw), decimals, decimalPoint);
        // The defined decimals are a minimum: 1.2345 V is shown whole, or a
        // write after a read would store 1.235 V.
        const qint64 numerator = f.negate ? -(raw - f.addend) : raw - f.addend;
        return formatExactRatio(numerator, f.factor, decimals, decimalPoint);
    }
    }
    return {};
}

std::optional<qint64> receivedValueStillShown(const FieldSpec &f, const ValueMap &values, int slot,
                                              QChar decimalPoint)
{
    const std::optional<qint32> held = values.heldAt(slot);
    if (!held)
        return std::nullopt;
    const bool shown = f.holdsIndex() ? values.indexAt(slot) == shownIndex(f, *held)
                                      : values.at(slot) == displayText(f, *held, decimalPoint);
    return shown ? std::optional<qint64>(*held) : std::nullopt;
}

EncodeResult encodeBlock(const BlockTable &table, const ValueMap &values,
                         const CodecOptions &options, Block &out)
{
    Block b = newWriteBlockFor(table.definition().frame);
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!f.hasBytes() || f.readOnly || !f.appliesTo(options.controllerType))
            continue;
        if (f.isConstant()) {
            b[f.offset] = f.constant;
            continue;
        }
        const int slot = table.slotOfField(i);
        const QString &text = values.at(slot);
        if (f.form == ValueForm::Chars) {
            const ParseError e = storeChars(f, text, b);
            if (e != ParseError::None)
                return {i, e};
            continue;
        }
        // A received value that what the editor shows would not give back
        // goes back as it came while the editor shows it: a read and a write
        // never change a byte.
        if (const auto held = receivedValueStillShown(f, values, slot, options.decimalPoint)) {
            storeValue(f, *held, b);
            continue;
        }
        const FieldValue v = f.holdsIndex() ? encodeIndexValue(f, values.indexAt(slot))
                                            : encodeFieldValue(f, text, options.decimalPoint);
        if (!v.ok())
            return {i, v.error};
        storeValue(f, v.stored, b);
    }
    out = b;
    return {};
}

void decodeBlock(const BlockTable &table, const Block &block, const CodecOptions &options,
                 ValueMap &values)
{
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!f.hasBytes() || f.isConstant() || !f.appliesTo(options.controllerType))
            continue;
        const int slot = table.slotOfField(i);
        if (f.form == ValueForm::Chars) {
            values.setAt(slot, decodeChars(f, block));
        } else if (f.form == ValueForm::Flag) {
            values.setIndexAt(slot, decodedIndex(f, rawFieldValue(f, block)));
        } else if (f.holdsIndex()) {
            const qint64 raw = rawFieldValue(f, block);
            const int index = shownIndex(f, raw);
            values.setIndexAt(slot, index);
            const FieldValue back = encodeIndexValue(f, index);
            values.setHeldAt(slot, back.ok() && back.stored == raw ? std::nullopt : std::optional(qint32(raw)));
        } else {
            const qint64 raw = rawFieldValue(f, block);
            const QString shown = displayText(f, raw, options.decimalPoint);
            values.setAt(slot, shown);
            // A value outside the box's range would be clamped on the way
            // back; one the field refuses stays refused (the user is told).
            const FieldValue back = f.isNumeric() ? encodeFieldValue(f, shown, options.decimalPoint)
                                                  : FieldValue{raw};
            values.setHeldAt(slot, back.ok() && back.stored != raw ? std::optional(qint32(raw)) : std::nullopt);
        }
    }
}
