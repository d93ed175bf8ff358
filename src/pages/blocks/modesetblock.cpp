#include "pages/blocks/modesetblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"
#include "pages/engine/tablelookup.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
enum Group : quint8 { Speeds, Currents, Regeneration };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmModeSet", "Mode speeds"),
    QT_TRANSLATE_NOOP("frmModeSet", "Mode currents and boost"),
    QT_TRANSLATE_NOOP("frmModeSet", "Regeneration"),
};

// Every byte of this block is at least 1.
constexpr FieldSpec positive(const char *control, int offset, const char *caption,
                             const char *unit, const char *defaultText, Group group)
{
    return u8Field(control, offset, caption, unit, defaultText).range(1, 255).inGroup(group);
}

// Speeds in units of 10 rpm.
constexpr FieldSpec speed(const char *control, int offset, const char *caption,
                          const char *defaultText)
{
    return positive(control, offset, caption, "rpm", defaultText, Speeds).divideBy(10);
}

// Regeneration settings in units of 100; the two quantities are kept
// positive by the controller and shown negative.
constexpr FieldSpec regen(const char *control, int offset, const char *caption,
                          const char *unit, const char *defaultText)
{
    return positive(control, offset, caption, unit, defaultText, Regeneration).divideBy(100);
}

// Bytes 19..30 belong to no field and go out as 0.
constexpr FieldSpec kFields[] = {
    speed("txtSpeedMode1", 2, QT_TRANSLATE_NOOP("frmModeSet", "Mode 1 speed[rpm]"), "200"),
    speed("txtSpeedMode2", 3, QT_TRANSLATE_NOOP("frmModeSet", "Mode 2 speed[rpm]"), "500"),
    speed("txtSpeedMode3", 4, QT_TRANSLATE_NOOP("frmModeSet", "Mode 3 speed[rpm]"), "500"),
    speed("txtSpeedMode4", 5, QT_TRANSLATE_NOOP("frmModeSet", "Mode 4 speed[rpm]"), "800"),
    positive("txtIdcMode1", 6, QT_TRANSLATE_NOOP("frmModeSet", "Mode 1 idc[A]"), "A", "50", Currents),
    positive("txtIdcMode2", 7, QT_TRANSLATE_NOOP("frmModeSet", "Mode 2 idc[A]"), "A", "120", Currents),
    positive("txtIdcMode3", 8, QT_TRANSLATE_NOOP("frmModeSet", "Mode 3 idc[A]"), "A", "120", Currents),
    positive("txtIdcMode4", 9, QT_TRANSLATE_NOOP("frmModeSet", "Mode 4 idc[A]"), "A", "150", Currents),
    positive("txtIdcMode5", 10, QT_TRANSLATE_NOOP("frmModeSet", "Mode 5 idc[A]"), "A", "180", Currents),
    positive("txtBstRatioIac", 11, QT_TRANSLATE_NOOP("frmModeSet", "Boost ratio Iac[%]"), "%", "120",
             Currents),
    positive("txtBstActiveSec", 12, QT_TRANSLATE_NOOP("frmModeSet", "Boost active sec[s]"), "s", "3",
             Currents),
    positive("txtDelaySpeedMode", 13, QT_TRANSLATE_NOOP("frmModeSet", "Speed fall delay[s]"), "s", "3",
             Speeds),
    regen("txtMaxRegQ", 14, QT_TRANSLATE_NOOP("frmModeSet", "Max reg Q"), "", "-1000").negated(),
    regen("txtRegMinSpeed", 15, QT_TRANSLATE_NOOP("frmModeSet", "Min reg speed[rpm]"), "rpm", "200"),
    regen("txtRegAcc1", 16, QT_TRANSLATE_NOOP("frmModeSet", "Acc of regenerate"), "", "1500"),
    regen("txtRegDec1", 17, QT_TRANSLATE_NOOP("frmModeSet", "Dec of regenerate"), "", "2000"),
    regen("txtMaxSlipRegQ", 18, QT_TRANSLATE_NOOP("frmModeSet", "Max slip Reg Q"), "", "-2000")
        .negated(),
};

constexpr int kMode4 = fieldIndex(kFields, "txtSpeedMode4");
static_assert(kMode4 >= 0);

void redrawCurve(BlockParts parts)
{
    if (parts.curve.drawCurve)
        parts.curve.drawCurve();
}

// The curve follows the speed the user asked for, not the one the byte can
// hold: 3000 rpm scales the curve to 3000 until the next read says 2550.
void scaleFromTypedSpeed(BlockParts parts, const ValueMap &values, const Block &)
{
    const ParsedNumber typed =
        parseNumber(values.text(QString::fromLatin1(kFields[kMode4].control)), systemDecimalPoint());
    if (!typed.ok())
        return; // cannot happen after a successful encode; keep the old scale
    const double rounded = roundHalfEven(typed.value);
    // Far beyond any speed, but it must still fit the integer.
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    parts.curve.curveScale = std::isnan(rounded) ? 0 : int(std::clamp(rounded, lo, hi));
    redrawCurve(parts);
}

void scaleFromStoredSpeed(BlockParts parts, const Block &block, ValueMap &)
{
    const FieldSpec &mode4 = kFields[kMode4];
    parts.curve.curveScale = int(decodedFieldValue(mode4, rawFieldValue(mode4, block)));
    redrawCurve(parts);
}

constexpr BlockSpec kSpec{
    "frmModeSet",
    QT_TRANSLATE_NOOP("frmModeSet", "Mode set"),
    FrameId::ModeSet,
    kFields,
    kGroups,
    {scaleFromTypedSpeed, scaleFromStoredSpeed},
};
} // namespace

const BlockTable &modeSetTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeModeSet(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::ModeSet, parts, values);
}

void decodeModeSet(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::ModeSet, parts, values);
}
