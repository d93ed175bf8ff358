#include "pages/blocks/otherblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { MidReference, Throttle, BackwardSteps, Switches };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmOther", "Mid-range torque reference"),
    QT_TRANSLATE_NOOP("frmOther", "Throttle"),
    QT_TRANSLATE_NOOP("frmOther", "Backward torque-current steps"),
    QT_TRANSLATE_NOOP("frmOther", "Functions"),
};

// The 16-bit fields of this block use the whole unsigned range.
constexpr FieldSpec step16(const char *control, int offset, const char *caption,
                           const char *defaultText)
{
    return u16Field(control, offset, caption, "A", defaultText).range(0, 65535).inGroup(BackwardSteps);
}

constexpr FieldSpec step8(const char *control, int offset, const char *caption,
                          const char *defaultText)
{
    return u8Field(control, offset, caption, "A", defaultText).inGroup(BackwardSteps);
}

// Volts in units of 0.1 mV: 0 .. 6.5535 V.
constexpr FieldSpec throttle(const char *control, int offset, const char *caption,
                             const char *defaultText)
{
    return u16Field(control, offset, caption, "V", defaultText)
        .range(0, 65535)
        .multiplyBy(10000)
        .shows(DisplayForm::ThreeDecimals)
        .inGroup(Throttle);
}

constexpr FieldSpec feature(const char *control, int bit, const char *caption)
{
    return flagField(control, 8, bit, caption).inGroup(Switches);
}

// In the order the encoder stores them: bytes 2..5, the switches, 9..30,
// then the two steps at 6 and 7 (the first box that fails is reported).
constexpr FieldSpec kFields[] = {
    u8Field("txtTrefmidpercent2", 2, QT_TRANSLATE_NOOP("frmOther", "Percentage in mid tref2[%]"), "%",
            "1")
        .range(0, 100)
        .inGroup(MidReference),
    u8Field("txtTrefdelay", 3, QT_TRANSLATE_NOOP("frmOther", "Tref mid vary delay[s]"), "s", "500")
        .inGroup(MidReference),
    // Stored in units of 100 rpm.
    u8Field("txtTrefmidspeed", 4, QT_TRANSLATE_NOOP("frmOther", "Tref mid vary speed[rpm]"), "rpm", "1")
        .divideBy(100)
        .inGroup(MidReference),
    u8Field("txtTrefMidpercent1", 5, QT_TRANSLATE_NOOP("frmOther", "Percentage in mid tref[%]"), "%",
            "23")
        .range(0, 100)
        .inGroup(MidReference),
    feature("Chk_Tab6_ECO_EN", 0, QT_TRANSLATE_NOOP("frmOther", "Forward enable")),
    feature("Chk_Tab6_FR_en", 1, QT_TRANSLATE_NOOP("frmOther", "Backward enable")),
    feature("Chk_Tab6_Eco_Enable", 2, QT_TRANSLATE_NOOP("frmOther", "Eco enable")),
    feature("Chk_Tab6_Alarm_en", 3, QT_TRANSLATE_NOOP("frmOther", "Alarm enable")),
    feature("Chk_Tab6_BrakeE_EN", 4, QT_TRANSLATE_NOOP("frmOther", "Brake drive stop enable")),
    feature("Chk_Tab6_MotOHEN", 5, QT_TRANSLATE_NOOP("frmOther", "Motor protectin enable")),
    feature("ChkAst", 6, QT_TRANSLATE_NOOP("frmOther", "Assist enable")),
    feature("Chk_Tab6_BoostEnable", 7, QT_TRANSLATE_NOOP("frmOther", "Boost enable")),
    throttle("txtThrottleL", 9, QT_TRANSLATE_NOOP("frmOther", "Throttle low[V]"), "500"),
    throttle("txtThrottleH", 11, QT_TRANSLATE_NOOP("frmOther", "Throttle high[V]"), "70"),
    throttle("txtThrottleM", 13, QT_TRANSLATE_NOOP("frmOther", "Throttle mid[V]"), "63"),
    step16("txtConstBwPT1", 15, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 1[A]"), "500"),
    step16("txtConstBwPT2", 17, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 2[A]"), "500"),
    step16("txtConstBwPT3", 19, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 3[A]"), "400"),
    step16("txtConstBwPT4", 21, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 4[A]"), "350"),
    step16("txtConstBwPT5", 23, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 5[A]"), "320"),
    step16("txtConstBwPT6", 25, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 6[A]"), "250"),
    step16("txtConstBwPT7", 27, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 7[A]"), "230"),
    step8("txtConstBwPT8", 29, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 8[A]"), "200"),
    step8("txtConstBwPT9", 30, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 9[A]"), "180"),
    step8("txtConstBwPT10", 6, QT_TRANSLATE_NOOP("frmOther", "BW iqref step10[A]"), "150"),
    step8("txtConstBwPT11", 7, QT_TRANSLATE_NOOP("frmOther", "BW iqref step 11[A]"), "100"),
};

constexpr BlockSpec kSpec{
    "frmOther",
    QT_TRANSLATE_NOOP("frmOther", "Other"),
    FrameId::Other,
    kFields,
    kGroups,
};
} // namespace

const BlockTable &otherTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeOther(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Other, parts, values);
}

void decodeOther(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Other, parts, values);
}
