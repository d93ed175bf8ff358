#include "pages/blocks/controlblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { SpeedGains, SpeedSteps, MotorLock };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmControl", "Speed controller gains"),
    QT_TRANSLATE_NOOP("frmControl", "Speed PID steps"),
    QT_TRANSLATE_NOOP("frmControl", "Motor lock and assist"),
};

constexpr FieldSpec gain(const char *control, int offset, const char *caption,
                         const char *defaultText)
{
    return u16Field(control, offset, caption, "", defaultText).inGroup(SpeedGains);
}

constexpr FieldSpec kFields[] = {
    gain("txtSpeedLimitKpGain", 2, QT_TRANSLATE_NOOP("frmControl", "0 rpm speed kp G"), "12"),
    gain("txtSpeedLimitKpDivisor", 4, QT_TRANSLATE_NOOP("frmControl", "Speed control kp D"), "8"),
    gain("txtSpeedLimitKiGain", 6, QT_TRANSLATE_NOOP("frmControl", "0 rpm speed ki G"), "8"),
    gain("txtIdcLimitKpGain", 8, QT_TRANSLATE_NOOP("frmControl", "Final kp G"), "30"),
    u16Field("txtAstDisThresh", 10, QT_TRANSLATE_NOOP("frmControl", "Distance ast threshold"), "",
             "200")
        .inGroup(MotorLock),
    gain("txtIdcLimitKiGain", 12, QT_TRANSLATE_NOOP("frmControl", "Final ki G"), "5"),
    // The design default 200 is beyond the angle range: it goes out as 179.
    sm16Field("txtECOSpeedLimitKpGain", 14, QT_TRANSLATE_NOOP("frmControl", "Motor lock F angle"),
              "deg", "200")
        .inGroup(MotorLock),
    sm16Field("txtECOSpeedLimitKpDivisor", 16, QT_TRANSLATE_NOOP("frmControl", "Motor lock B angle"),
              "deg", "1")
        .inGroup(MotorLock),
    gain("txtECOSpeedLimitKiGain", 18, QT_TRANSLATE_NOOP("frmControl", "Eco speed ki G"), "5"),
    u16Field("txtspeedPIDstep0", 20, QT_TRANSLATE_NOOP("frmControl", "speed PID step 0[rpm]"), "rpm",
             "1")
        .inGroup(SpeedSteps),
    u16Field("txtspeedPIDstep1", 22, QT_TRANSLATE_NOOP("frmControl", "speed PID step 1[rpm]"), "rpm",
             "2")
        .inGroup(SpeedSteps),
    u16Field("txtspeedPIDstep2", 24, QT_TRANSLATE_NOOP("frmControl", "speed PID step 2[rpm]"), "rpm",
             "25")
        .inGroup(SpeedSteps),
    u8Field("txtbackSteps", 26, QT_TRANSLATE_NOOP("frmControl", "Back steps threshold"), "", "40")
        .inGroup(MotorLock),
    gain("txtMotSwitchTimeout", 27, QT_TRANSLATE_NOOP("frmControl", "start speed Kp G"), "30"),
    gain("txtMotLockTimeout", 29, QT_TRANSLATE_NOOP("frmControl", "start speed Ki G"), "10"),
};

// The Chinese caption routine leaves the window title as it is.
constexpr BlockSpec kSpec{
    "frmControl",
    QT_TRANSLATE_NOOP("frmControl", "Control"),
    FrameId::Control,
    kFields,
    kGroups,
    {},
    CaptionRule::EnglishOnly,
};
} // namespace

const BlockTable &controlTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeControl(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Control, parts, values);
}

void decodeControl(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Control, parts, values);
}
