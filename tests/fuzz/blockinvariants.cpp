#include "blockinvariants.h"

#include "link/commandtable.h"

#include "fuzzsupport.h"

#include <array>

namespace {
QString fieldName(const BlockTable &table, int index)
{
    const FieldSpec &f = table.field(index);
    return QStringLiteral("%1.%2 (byte %3)")
        .arg(table.window(), f.control ? QString::fromLatin1(f.control) : QStringLiteral("constant"))
        .arg(f.offset);
}

// A text field's own rule, to tell whether it alone fails.
ParseError charsError(const FieldSpec &f, const QString &text)
{
    if (text.size() > f.length)
        return ParseError::TooLong;
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0xFF)
            return ParseError::BadCharacter;
    }
    return ParseError::None;
}

ParseError fieldError(const FieldSpec &f, const QString &text, QChar point)
{
    if (f.form == ValueForm::Chars)
        return charsError(f, text);
    if (f.holdsIndex())
        return ParseError::None; // an index never fails
    return encodeFieldValue(f, text, point).error;
}
} // namespace

int controllerTypeFrom(quint8 byte)
{
    static constexpr std::array<int, 6> kTypes{0, 1, 2, 3, 4, -1};
    return kTypes[byte % kTypes.size()];
}

QString writtenBlockFault(const BlockTable &table, const ValueMap &values,
                          const CodecOptions &options, const Block &b)
{
    const BlockFamily *codes = findFamily(table.definition().frame);
    if (!codes)
        return QStringLiteral("no codes for the table's family");
    if (b[0] != codes->command() || b[1] != codes->writeCode)
        return QStringLiteral("codes %1 %2").arg(b[0], 2, 16).arg(b[1], 2, 16);
    if (b[kBlockSize - 1] != kEndMarker)
        return QStringLiteral("byte 31 is %1").arg(b[kBlockSize - 1], 2, 16);

    std::array<quint8, kBlockSize> owned{}; // bits some field of this type writes
    owned[0] = owned[1] = owned[kBlockSize - 1] = 0xFF;
    if (table.definition().frame == FrameId::UserInfo)
        owned[2] = 0xFF; // the user-information qualifier
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        // A decoded-only box is never written: its byte stays 0, which the
        // check of unwritten bytes below sees.
        if (!f.hasBytes() || f.readOnly || !f.appliesTo(options.controllerType))
            continue;
        if (f.offset + f.width() > kBlockSize - 1 || f.offset < 2)
            return fieldName(table, i) + QStringLiteral(" outside the payload");
        if (f.form == ValueForm::Flag)
            owned[f.offset] |= quint8(1u << f.bit);
        else
            for (int k = 0; k < f.width(); ++k)
                owned[std::size_t(f.offset + k)] = 0xFF;

        if (f.isConstant()) {
            if (b[f.offset] != f.constant)
                return fieldName(table, i) + QStringLiteral(" is not its constant");
            continue;
        }
        const QString &text = values.at(table.slotOfField(i));
        if (f.form == ValueForm::Chars) {
            for (int k = 0; k < f.length; ++k) {
                const quint8 want = k < text.size() ? quint8(text[k].unicode()) : 0;
                if (b[std::size_t(f.offset + k)] != want)
                    return fieldName(table, i) + QStringLiteral(" does not hold \"%1\"").arg(text);
            }
            continue;
        }
        const qint64 raw = rawFieldValue(f, b);
        const int slot = table.slotOfField(i);
        if (const auto held = receivedValueStillShown(f, values, slot, options.decimalPoint)) {
            if (raw != *held)
                return fieldName(table, i) + QStringLiteral(" lost its received byte");
            continue;
        }
        const FieldValue alone = f.holdsIndex() ? encodeIndexValue(f, values.indexAt(slot))
                                                : encodeFieldValue(f, text, options.decimalPoint);
        if (!alone.ok())
            return fieldName(table, i) + QStringLiteral(" was written although \"%1\" fails").arg(text);
        if (raw != alone.stored)
            return fieldName(table, i)
                   + QStringLiteral(" holds %1, its text \"%2\" gives %3").arg(raw).arg(text).arg(alone.stored);
        if (f.form != ValueForm::Flag && (raw < f.lo || raw > f.hi))
            return fieldName(table, i) + QStringLiteral(" holds %1 outside %2..%3").arg(raw).arg(f.lo).arg(f.hi);
    }
    for (int k = 0; k < kBlockSize; ++k) {
        if (b[std::size_t(k)] & ~owned[std::size_t(k)])
            return QStringLiteral("byte %1 is %2 but no field writes it").arg(k).arg(b[std::size_t(k)], 2, 16);
    }
    return {};
}

EncodeResult encodeAndCheck(const BlockTable &table, const ValueMap &values,
                            const CodecOptions &options, const Block &before, Block &out)
{
    out = before;
    const EncodeResult r = encodeBlock(table, values, options, out);
    if (r.ok()) {
        const QString fault = writtenBlockFault(table, values, options, out);
        FUZZ_CHECK(fault.isEmpty(), fault + QStringLiteral("\n  block ") + hexString(out));
        return r;
    }

    FUZZ_CHECK(out == before, table.window() + QStringLiteral(": a failed encode changed the frame"));
    FUZZ_CHECK(r.failedField < table.fieldCount(), table.window());
    FUZZ_CHECK(r.error != ParseError::None, fieldName(table, r.failedField));
    const FieldSpec &failed = table.field(r.failedField);
    // The message names a box the user can correct, of the type at hand.
    FUZZ_CHECK(!failed.isConstant() && failed.hasBytes() && table.slotOfField(r.failedField) >= 0,
               fieldName(table, r.failedField) + QStringLiteral(" names no box"));
    FUZZ_CHECK(failed.appliesTo(options.controllerType), fieldName(table, r.failedField));
    const QString &text = values.at(table.slotOfField(r.failedField));
    FUZZ_CHECK(fieldError(failed, text, options.decimalPoint) == r.error,
               fieldName(table, r.failedField) + QStringLiteral(" blamed for \"%1\"").arg(text));
    // It is the first box that fails, in the encoder's order.
    for (int i = 0; i < r.failedField; ++i) {
        const FieldSpec &f = table.field(i);
        if (!f.hasBytes() || f.isConstant() || f.readOnly || !f.appliesTo(options.controllerType))
            continue;
        FUZZ_CHECK(fieldError(f, values.at(table.slotOfField(i)), options.decimalPoint) == ParseError::None,
                   fieldName(table, i) + QStringLiteral(" fails before the box that was named"));
    }
    return r;
}
