#include "pages/blocks/protectionblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"
#include "pages/engine/tablelookup.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { LoadAndLock, PhaseCurrent, Temperature, ReferencePoints };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmProtection", "Heavy load and motor lock"),
    QT_TRANSLATE_NOOP("frmProtection", "Phase current limits"),
    QT_TRANSLATE_NOOP("frmProtection", "Power stage temperature"),
    QT_TRANSLATE_NOOP("frmProtection", "Current reference by speed"),
};

// In the order of the boxes: point 13 sits in byte 25, between points 7 and 8,
// and is handled last.
constexpr FieldSpec kFields[] = {
    u8Field("txtHighDQtime", 2, QT_TRANSLATE_NOOP("frmProtection", "Heavy load timeout[s]"), "s", "250")
        .inGroup(LoadAndLock),
    u8Field("txtMotorLocktime", 3, QT_TRANSLATE_NOOP("frmProtection", "Motor lock timeout[0.1s]"), "0.1 s", "4")
        .inGroup(LoadAndLock),
    u8Field("txtHighDQ", 4, QT_TRANSLATE_NOOP("frmProtection", "heavy load Iac[%]"), "%", "85")
        .inGroup(LoadAndLock),
    u8Field("txtMotorLock", 5, QT_TRANSLATE_NOOP("frmProtection", "Motor lock Iac[%]"), "%", "350")
        .inGroup(LoadAndLock),
    u8Field("txtIacLimit", 6, QT_TRANSLATE_NOOP("frmProtection", "Iac limit level[%]"), "%", "56000")
        .inGroup(PhaseCurrent),
    u8Field("txtIdqNLevel", 7, QT_TRANSLATE_NOOP("frmProtection", "Ref iac level[%]"), "%", "57500")
        .inGroup(PhaseCurrent),
    u8Field("txtTempIqLimit", 8, QT_TRANSLATE_NOOP("frmProtection", "Power turn point[Deg]"), "deg", "70")
        .inGroup(Temperature),
    u8Field("txtTempLimit", 9, QT_TRANSLATE_NOOP("frmProtection", "Power oh[Deg]"), "deg", "60000")
        .inGroup(Temperature),
    u8Field("txtTempLimitQuit", 10, QT_TRANSLATE_NOOP("frmProtection", "Power OH recover[Deg]"), "deg", "100")
        .inGroup(Temperature),
    u8Field("txtTempLimitIac", 11, QT_TRANSLATE_NOOP("frmProtection", "Power highT mode[Deg]"), "deg", "6000")
        .inGroup(Temperature),
    u16Field("txtConstPT1", 12, QT_TRANSLATE_NOOP("frmProtection", "Iqref 1[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u16Field("txtConstPT2", 14, QT_TRANSLATE_NOOP("frmProtection", "Iqref 2[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u16Field("txtConstPT3", 16, QT_TRANSLATE_NOOP("frmProtection", "Iqref 3[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u16Field("txtConstPT4", 18, QT_TRANSLATE_NOOP("frmProtection", "Iqref 4[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u16Field("txtConstPT5", 20, QT_TRANSLATE_NOOP("frmProtection", "Iqref 5[A]"), "A", "4")
        .inGroup(ReferencePoints),
    u16Field("txtConstPT6", 22, QT_TRANSLATE_NOOP("frmProtection", "Iqref 6[A]"), "A", "4")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT7", 24, QT_TRANSLATE_NOOP("frmProtection", "Iqref 7[A]"), "A", "117")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT8", 26, QT_TRANSLATE_NOOP("frmProtection", "Iqref 8[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT9", 27, QT_TRANSLATE_NOOP("frmProtection", "Iqref 9[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT10", 28, QT_TRANSLATE_NOOP("frmProtection", "Iqref 10[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT11", 29, QT_TRANSLATE_NOOP("frmProtection", "Iqref 11[A]"), "A", "60")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT12", 30, QT_TRANSLATE_NOOP("frmProtection", "Iqref 12[A]"), "A", "80")
        .inGroup(ReferencePoints),
    u8Field("txtConstPT13", 25, QT_TRANSLATE_NOOP("frmProtection", "Iqref 13[A]"), "A", "70")
        .inGroup(ReferencePoints),
};

constexpr std::array<const char *, 13> kPointBoxes{
    "txtConstPT1", "txtConstPT2", "txtConstPT3",  "txtConstPT4",  "txtConstPT5",
    "txtConstPT6", "txtConstPT7", "txtConstPT8",  "txtConstPT9",  "txtConstPT10",
    "txtConstPT11", "txtConstPT12", "txtConstPT13"};

constexpr std::array<int, 13> pointFields()
{
    std::array<int, 13> at{};
    for (std::size_t k = 0; k < at.size(); ++k)
        at[k] = fieldIndex(kFields, kPointBoxes[k]);
    return at;
}
constexpr std::array<int, 13> kPointFields = pointFields();

constexpr bool everyPointFound()
{
    for (int i : kPointFields) {
        if (i < 0)
            return false;
    }
    return true;
}
static_assert(everyPointFound());

// Points 1..13 of the curve table from the block: after an encode these are
// the clamped values that went out, after a decode the received ones.
void keepCurvePoints(BlockParts parts, const Block &block)
{
    for (std::size_t k = 0; k < kPointFields.size(); ++k) {
        const FieldSpec &f = kFields[kPointFields[k]];
        parts.curve.curveTable[k + 1] = decodedFieldValue(f, rawFieldValue(f, block));
    }
}

void redrawCurve(BlockParts parts)
{
    if (parts.curve.drawCurve)
        parts.curve.drawCurve();
}

void afterEncode(BlockParts parts, const ValueMap &, const Block &block)
{
    keepCurvePoints(parts, block);
    if (parts.loadPara.loadParaPending && parts.loadPara.loadParaStage == 0)
        parts.loadPara.loadParaStage = 1;
    redrawCurve(parts);
}

void afterDecode(BlockParts parts, const Block &block, ValueMap &)
{
    keepCurvePoints(parts, block);
    redrawCurve(parts);
}

constexpr BlockSpec kSpec{
    "frmProtection",
    QT_TRANSLATE_NOOP("frmProtection", "Protection"),
    FrameId::Protection,
    kFields,
    kGroups,
    {afterEncode, afterDecode},
};
} // namespace

const std::array<const char *, 13> kProtectionPointBoxes = kPointBoxes;

const BlockTable &protectionTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeProtection(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Protection, parts, values);
}

void decodeProtection(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Protection, parts, values);
}
