#include "pages/blocks/idccalibblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { Current, Inputs, Wiring, Identity, Periods };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmIdcCalib", "Current measurement and lock"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "Input levels"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "Wiring and motor temperature"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "Identity"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "Control periods"),
};

constexpr const char *kLevels[] = {
    QT_TRANSLATE_NOOP("frmIdcCalib", "L"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "H"),
};
constexpr const char *kHallWiring[] = {
    QT_TRANSLATE_NOOP("frmIdcCalib", "H1: Y->G->B"), QT_TRANSLATE_NOOP("frmIdcCalib", "H2: Y->B->G"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "H3: B->G->Y"), QT_TRANSLATE_NOOP("frmIdcCalib", "H4: B->Y->G"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "H5: G->B->Y"), QT_TRANSLATE_NOOP("frmIdcCalib", "H6: G->Y->B"),
};
constexpr const char *kPhaseWiring[] = {
    QT_TRANSLATE_NOOP("frmIdcCalib", "D1: Y->G->B"), QT_TRANSLATE_NOOP("frmIdcCalib", "D2: Y->B->G"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "D3: B->G->Y"), QT_TRANSLATE_NOOP("frmIdcCalib", "D4: B->Y->G"),
    QT_TRANSLATE_NOOP("frmIdcCalib", "D5: G->B->Y"), QT_TRANSLATE_NOOP("frmIdcCalib", "D6: G->Y->B"),
};

constexpr int kTypeByte = 14;
constexpr int kSubprojectByte = 22;

// One input level of byte 4: "L" clears the bit, "H" sets it; initially "H".
constexpr FieldSpec level(const char *control, int bit, const char *caption)
{
    return flagField(control, 4, bit, caption, "1").listOf(kLevels).inGroup(Inputs);
}

// A wiring order: the controller counts from 1. A byte outside 1..6 shows no
// selection and goes back unchanged until the user picks one.
constexpr FieldSpec wiring(const char *control, int offset, const char *caption,
                           std::span<const char *const> items)
{
    return listField(control, offset, caption, items).plus(1).range(1, 6).keepsUnlistedBytes().inGroup(Wiring);
}

// Captions that no caption routine writes: the labels keep them in both languages.
constexpr FieldSpec designOnly(FieldSpec f)
{
    return f.captions(CaptionRule::None);
}

// In the order the encoder fills them.
constexpr FieldSpec kFields[] = {
    u8Field("txtIqthreshold", 2, QT_TRANSLATE_NOOP("frmIdcCalib", "Iq threshold [A]"), "", "50")
        .inGroup(Current),
    u8Field("txtIqthresholdm", 3, QT_TRANSLATE_NOOP("frmIdcCalib", "Iq min[A]"), "", "20").inGroup(Current),
    level("cmbForward", 0, QT_TRANSLATE_NOOP("frmIdcCalib", "Forward level")),
    level("cmbBackward", 1, QT_TRANSLATE_NOOP("frmIdcCalib", "Backward level")),
    level("cmbBrakehigh", 2, QT_TRANSLATE_NOOP("frmIdcCalib", "Brake high level")),
    flagField("ChkBrakeLevelH", 4, 3, QT_TRANSLATE_NOOP("frmIdcCalib", "B H A")).inGroup(Inputs),
    level("cmbBrakelow", 4, QT_TRANSLATE_NOOP("frmIdcCalib", "Brake low level")),
    level("cmbReserve", 5, QT_TRANSLATE_NOOP("frmIdcCalib", "Reserve level")),
    flagField("ChkBrakeLevelL", 4, 6, QT_TRANSLATE_NOOP("frmIdcCalib", "B L A")).inGroup(Inputs),
    u8Field("txtMLockspeed", 6, QT_TRANSLATE_NOOP("frmIdcCalib", "Lock rot[rpm]"), "", "20").inGroup(Current),
    // Tenths of a second.
    u8Field("txtLockTmin", 7, QT_TRANSLATE_NOOP("frmIdcCalib", "Lock time[s]"), "", "20")
        .multiplyBy(10)
        .shows(DisplayForm::OneDecimal)
        .inGroup(Current),
    u16Field("txtProjectNum", 8, QT_TRANSLATE_NOOP("frmIdcCalib", "Project NO"), "", "1302")
        .range(1, 32767)
        .labelled("lblProjectNO")
        .inGroup(Identity),
    u8Field("txtYearNum", 10, QT_TRANSLATE_NOOP("frmIdcCalib", "Year"), "", "13")
        .range(0, 99)
        .labelled("lblYear")
        .inGroup(Identity),
    u16Field("txtSNNum", 12, QT_TRANSLATE_NOOP("frmIdcCalib", "Serial Num"), "", "0001")
        .range(1, 32767)
        .labelled("lblSerialNum")
        .inGroup(Identity),
    designOnly(u8Field("txtcType", kTypeByte, QT_TRANSLATE_NOOP("frmIdcCalib", "cType"), "", "26")
                   .range(1, 255)
                   .inGroup(Identity)),
    u8Field("txtFluxPeriod", 15, QT_TRANSLATE_NOOP("frmIdcCalib", "Flux period[ms]"), "", "10")
        .range(1, 255)
        .inGroup(Periods),
    u8Field("txtWeekNum", 11, QT_TRANSLATE_NOOP("frmIdcCalib", "Week"), "", "27")
        .range(0, 55)
        .labelled("lblCWNum")
        .inGroup(Identity),
    u16Field("txtIacADC128A", 16, QT_TRANSLATE_NOOP("frmIdcCalib", "Iac ADC value 128A"), "", "8192")
        .range(1, 32767)
        .inGroup(Current),
    u8Field("txtMosInPara", 18, QT_TRANSLATE_NOOP("frmIdcCalib", "Reference period[ms]"), "", "4")
        .range(1, 120)
        .inGroup(Periods),
    u16Field("txtidc_gain", 19, QT_TRANSLATE_NOOP("frmIdcCalib", "Idc gain"), "", "3")
        .range(1, 32767)
        .inGroup(Current),
    u8Field("txtidc_divisor_power_2", 21, QT_TRANSLATE_NOOP("frmIdcCalib", "Idc D2 power"), "", "3")
        .range(0, 15)
        .inGroup(Current),
    // Set in the factory: shown, never written (the byte goes out as 0).
    u8Field("txtcIdcCalibNum", kSubprojectByte, QT_TRANSLATE_NOOP("frmIdcCalib", "Subproject num"), "", "0")
        .decodedOnly()
        .inGroup(Identity),
    // Byte 23 by controller type: type 1 always 1, type 3 always 0, type 2
    // the box; any other type leaves it unknown (0, after asking).
    constantByte(23, 1).onlyFor(ControllerTypes::Type1),
    u8Field("txtIqQuit", 23, QT_TRANSLATE_NOOP("frmIdcCalib", "Iq quit[A]"), "", "5")
        .onlyFor(ControllerTypes::Type2)
        .inGroup(Current),
    constantByte(23, 0).onlyFor(ControllerTypes::Type3),
    u8Field("txtSpeedPulseCycle", 25, QT_TRANSLATE_NOOP("frmIdcCalib", "Speed pulses/cycle"), "", "1")
        .inGroup(Periods),
    wiring("cmbHallCType", 26, QT_TRANSLATE_NOOP("frmIdcCalib", "Hall connection"), kHallWiring),
    wiring("cmbPhaseCType", 27, QT_TRANSLATE_NOOP("frmIdcCalib", "Phase connection"), kPhaseWiring),
    designOnly(u8Field("txtTempMKW0", 28, QT_TRANSLATE_NOOP("frmIdcCalib", "TempM at W0"), "", "12")
                   .inGroup(Wiring)),
    designOnly(u8Field("txtTempMKW1", 29, QT_TRANSLATE_NOOP("frmIdcCalib", "TempM at W1"), "", "67")
                   .inGroup(Wiring)),
    designOnly(u8Field("txtTempIqLimitMK", 30, QT_TRANSLATE_NOOP("frmIdcCalib", "MLK turnp[Deg]"), "", "50")
                   .inGroup(Wiring)),
};

// After the boxes (byte 23 by the old type): the block names the type.
void learnControllerType(BlockParts parts, const Block &block, ValueMap &)
{
    parts.controllerType = qint16(block[kTypeByte]);
}

constexpr BlockSpec kSpec{
    "frmIdcCalib",
    QT_TRANSLATE_NOOP("frmIdcCalib", "Idc calibration"),
    FrameId::IdcCalib,
    kFields,
    kGroups,
    {nullptr, learnControllerType},
};
} // namespace

const BlockTable &idcCalibTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeIdcCalib(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::IdcCalib, parts, values);
}

void decodeIdcCalib(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::IdcCalib, parts, values);
}

int idcSubprojectNumber(const Block &block)
{
    return block[kSubprojectByte];
}
