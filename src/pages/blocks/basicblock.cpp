#include "pages/blocks/basicblock.h"

#include "pages/engine/pageregistry.h"
#include "pages/engine/tablelookup.h"
#include "core/appstate.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { SpeedLimits, CurrentRamps, PowerStage };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmBasic", "Speed limits"),
    QT_TRANSLATE_NOOP("frmBasic", "Current ramps"),
    QT_TRANSLATE_NOOP("frmBasic", "Power stage"),
};

constexpr FieldSpec kFields[] = {
    u16Field("txtMaxspeed", 2, QT_TRANSLATE_NOOP("frmBasic", "Max speed[rpm]"), "rpm", "350")
        .inGroup(SpeedLimits),
    // The controller keeps the reverse limit positive; the page shows it negative.
    u16Field("txtBspeed", 4, QT_TRANSLATE_NOOP("frmBasic", "Back speed[rpm]"), "rpm", "74")
        .negated()
        .inGroup(SpeedLimits),
    // Type 1 has no ECO speed; the byte still travels.
    u16Field("txtEcospeed", 6, QT_TRANSLATE_NOOP("frmBasic", "ECO speed[rpm]"), "rpm", "75")
        .hiddenFor(ControllerTypes::Type1)
        .inGroup(SpeedLimits),
    u16Field("txt_AccOfRef", 8, QT_TRANSLATE_NOOP("frmBasic", "Acc of Iq"), "", "1500")
        .inGroup(CurrentRamps),
    u16Field("txt_DecOfRef", 10, QT_TRANSLATE_NOOP("frmBasic", "Dec of Iq"), "", "1500")
        .inGroup(CurrentRamps),
    u16Field("txthTReg_ACC", 12, QT_TRANSLATE_NOOP("frmBasic", "Acc of iq at reg"), "", "750")
        .inGroup(CurrentRamps),
    u16Field("txthTReg_DEC", 14, QT_TRANSLATE_NOOP("frmBasic", "Dec of iq at reg"), "", "750")
        .inGroup(CurrentRamps),
    u16Field("txthFlux_Acc", 16, QT_TRANSLATE_NOOP("frmBasic", "Acc of Id"), "", ".9")
        .inGroup(CurrentRamps),
    u16Field("txthFlux_Quit", 18, QT_TRANSLATE_NOOP("frmBasic", "Dec 1 of Id"), "", "3.7")
        .inGroup(CurrentRamps),
    u16Field("txthFlux_Dec", 20, QT_TRANSLATE_NOOP("frmBasic", "Dec of Id"), "", "2.03")
        .inGroup(CurrentRamps),
    // Stored in units of 100 rpm.
    u8Field("txtSpeedFluxQuit", 22, QT_TRANSLATE_NOOP("frmBasic", "Speed of Id0[rpm]"), "rpm", "3000")
        .divideBy(100)
        .inGroup(CurrentRamps),
    u16Field("txtIacPeak0", 23, QT_TRANSLATE_NOOP("frmBasic", "MOS pk I 0[A]"), "A", "50")
        .inGroup(PowerStage),
    u16Field("txtIacPeak1", 25, QT_TRANSLATE_NOOP("frmBasic", "MOS pk I 1[A]"), "A", "50.5")
        .inGroup(PowerStage),
    u8Field("txtTemperatureW0", 27, QT_TRANSLATE_NOOP("frmBasic", "Temp at I0[Deg]"), "deg", "1200")
        .inGroup(PowerStage),
    u8Field("txtTemperatureW1", 28, QT_TRANSLATE_NOOP("frmBasic", "Temp at I1[Deg]"), "deg", "340")
        .inGroup(PowerStage),
    u16Field("txtConstPT0", 29, QT_TRANSLATE_NOOP("frmBasic", "Max Iac pk[A]"), "A", "50")
        .inGroup(PowerStage),
};

constexpr int kCurvePoint0 = fieldIndex(kFields, "txtConstPT0");
static_assert(kCurvePoint0 >= 0);

// "Max Iac pk[A]" is point 0 of the curve table (the curve is not redrawn here).
void keepCurvePoint0(BlockParts parts, const Block &block, ValueMap &)
{
    const FieldSpec &point0 = kFields[kCurvePoint0];
    parts.curve.curveTable[0] = decodedFieldValue(point0, rawFieldValue(point0, block));
}

constexpr BlockSpec kSpec{
    "frmBasic",
    QT_TRANSLATE_NOOP("frmBasic", "Basic setting"),
    FrameId::Basic,
    kFields,
    kGroups,
    {nullptr, keepCurvePoint0},
};
} // namespace

const BlockTable &basicTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeBasic(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Basic, parts, values);
}

void decodeBasic(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Basic, parts, values);
}
