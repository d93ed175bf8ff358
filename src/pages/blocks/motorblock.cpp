#include "pages/blocks/motorblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { Angles, Temperature, HallA, HallCalibration, TypeDependent };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmMotor", "Poles and angle offsets"),
    QT_TRANSLATE_NOOP("frmMotor", "Motor temperature"),
    QT_TRANSLATE_NOOP("frmMotor", "Hall group A"),
    QT_TRANSLATE_NOOP("frmMotor", "Hall calibration"),
    QT_TRANSLATE_NOOP("frmMotor", "Hall group B / braking"),
};

constexpr const char *kSensorTypes[] = {
    QT_TRANSLATE_NOOP("frmMotor", "PTC_1k"), QT_TRANSLATE_NOOP("frmMotor", "NTC_230k"),
    QT_TRANSLATE_NOOP("frmMotor", "NC"),     QT_TRANSLATE_NOOP("frmMotor", "NO"),
    QT_TRANSLATE_NOOP("frmMotor", "KTY83"),
};
constexpr const char *kHallGroups[] = {
    QT_TRANSLATE_NOOP("frmMotor", "Hall A"),
    QT_TRANSLATE_NOOP("frmMotor", "Hall B"),
};

constexpr quint8 kHallTypes = ControllerTypes::Type1 | ControllerTypes::Type2;
constexpr quint8 kBrakingType = ControllerTypes::Type3;

// A hall sector remapped in degrees: never wrapped, limited to 20..100.
constexpr FieldSpec remap(const char *control, int offset, const char *caption)
{
    return u8Field(control, offset, caption, "", "60").integer().range(20, 100);
}

// The motor temperatures: lenient text, rounded half to even.
constexpr FieldSpec temperature(const char *control, int offset, const char *caption,
                                const char *defaultText)
{
    return u8Field(control, offset, caption, "", defaultText).leadingNumber().rounded().inGroup(Temperature);
}

// Hall group B on types 1 and 2.
constexpr FieldSpec hallB(const char *control, int offset, const char *caption, const char *design)
{
    return remap(control, offset, caption).designedAs(design).onlyFor(kHallTypes).inGroup(TypeDependent);
}

// The braking and regeneration set of type 3: entered in units of one,
// stored in units of `factor`.
constexpr FieldSpec braking(const char *control, int offset, const char *caption, int factor,
                            const char *design, const char *defaultText = "60")
{
    return u8Field(control, offset, caption, "", defaultText)
        .divideBy(factor)
        .designedAs(design)
        .onlyFor(kBrakingType)
        .inGroup(TypeDependent);
}

constexpr FieldSpec kFields[] = {
    // The common fields, bytes 2..19 and 21..23.
    u8Field("txtPolePairN", 2, QT_TRANSLATE_NOOP("frmMotor", "Pole pairs num"), "", "23")
        .integer()
        .range(1, 255)
        .inGroup(Angles),
    sm16Field("txtAngle_degree_FDir", 3, QT_TRANSLATE_NOOP("frmMotor", "Forward angle offset[Deg]"),
              "", "92")
        .inGroup(Angles),
    // The controller counts sensor types from 1; an empty list goes out as 0.
    listField("cboMTherType", 5, QT_TRANSLATE_NOOP("frmMotor", "Motor Tsensor type"), kSensorTypes)
        .plus(1)
        .range(0, 5)
        .listLimits(0, 4)
        .inGroup(Temperature),
    sm16Field("txtAngle_degree_BDir", 6, QT_TRANSLATE_NOOP("frmMotor", "Backward angle offset[Deg]"),
              "", "-70")
        .inGroup(Angles),
    u8Field("txtAngleSquaOffset", 8, QT_TRANSLATE_NOOP("frmMotor", "Square angle offset[Deg]"), "", "30")
        .leadingNumber()
        .rounded()
        .range(0, 60)
        .inGroup(Angles),
    remap("txtFrmHallSec1", 9, QT_TRANSLATE_NOOP("frmMotor", "Hall A 1 remap[Deg]")).inGroup(HallA),
    remap("txtFrmHallSec2", 10, QT_TRANSLATE_NOOP("frmMotor", "Hall A 2 remap[Deg]")).inGroup(HallA),
    remap("txtFrmHallSec3", 11, QT_TRANSLATE_NOOP("frmMotor", "Hall A 3 remap[Deg]")).inGroup(HallA),
    remap("txtFrmHallSec4", 12, QT_TRANSLATE_NOOP("frmMotor", "Hall A 4 remap[Deg]")).inGroup(HallA),
    remap("txtFrmHallSec5", 13, QT_TRANSLATE_NOOP("frmMotor", "Hall A 5 remap[Deg]")).inGroup(HallA),
    remap("txtFrmHallSec6", 14, QT_TRANSLATE_NOOP("frmMotor", "Hall A 6 remap[Deg]")).inGroup(HallA),
    temperature("txtMotHigh", 15, QT_TRANSLATE_NOOP("frmMotor", "Motor over heat[Deg]"), "16"),
    temperature("txtMotLimit", 16, QT_TRANSLATE_NOOP("frmMotor", "Motor HighT mode[Deg]"), "2"),
    temperature("txtMotRecover", 17, QT_TRANSLATE_NOOP("frmMotor", "Motor OH quit[Deg]"), "16"),
    temperature("txtMotTecoHyster", 18, QT_TRANSLATE_NOOP("frmMotor", "MotorT hysterstic[Deg]"), "220"),
    u8Field("txtMotTeco", 19, QT_TRANSLATE_NOOP("frmMotor", "Motor switch T[Deg]"), "", "16")
        .integer()
        .inGroup(Temperature),
    u8Field("txtHallCalibIq", 21, QT_TRANSLATE_NOOP("frmMotor", "Iqref of hallC[A]"), "", "120")
        .integer()
        .range(1, 255)
        .inGroup(HallCalibration),
    // Entered in units of 1, kept in units of 10: 5 goes out as the lower bound.
    u8Field("txtHallRefAcc", 22, QT_TRANSLATE_NOOP("frmMotor", "Acc of iq at HallC"), "", "80")
        .divideBy(10)
        .range(1, 255)
        .inGroup(HallCalibration),
    u8Field("txtHallRefDec", 23, QT_TRANSLATE_NOOP("frmMotor", "Dec of iq at HallC"), "", "1")
        .divideBy(10)
        .range(1, 255)
        .inGroup(HallCalibration),

    // Types 1 and 2: hall noise filter, hall group B, the active group.
    u8Field("txtHallFilter", 20, QT_TRANSLATE_NOOP("frmMotor", "Hall noisy pulses"), "", "140")
        .integer()
        .range(1, 255)
        .designedAs("Hall noise pulse")
        .onlyFor(kHallTypes)
        .inGroup(TypeDependent),
    hallB("txtFrmHallBSec1", 24, QT_TRANSLATE_NOOP("frmMotor", "Hall B 1 remap[Deg]"), "Hall B 1 remap"),
    hallB("txtFrmHallBSec2", 25, QT_TRANSLATE_NOOP("frmMotor", "Hall B 2 remap[Deg]"), "Hall B 2 remap"),
    hallB("txtFrmHallBSec3", 26, QT_TRANSLATE_NOOP("frmMotor", "Hall B 3 remap[Deg]"), "Hall B 3 remap"),
    hallB("txtFrmHallBSec4", 27, QT_TRANSLATE_NOOP("frmMotor", "Hall B 4 remap[Deg]"), "Hall B 4 remap"),
    hallB("txtFrmHallBSec5", 28, QT_TRANSLATE_NOOP("frmMotor", "Hall B 5 remap[Deg]"), "Hall B 5 remap"),
    hallB("txtFrmHallBSec6", 29, QT_TRANSLATE_NOOP("frmMotor", "Hall B 6 remap[Deg]"), "Hall B 6 remap"),
    // Two entries name bytes 0 and 1; any other byte shows no selection and
    // goes back unchanged until the user picks a group.
    listField("cboHallGrp", 30, QT_TRANSLATE_NOOP("frmMotor", "Hall group"), kHallGroups)
        .range(0, 1)
        .keepsUnlistedBytes()
        .designedAs("Hall Group")
        .onlyFor(kHallTypes)
        .inGroup(TypeDependent),

    // Type 3: the braking and regeneration set on the same bytes.
    braking("txtHallFilter", 20, QT_TRANSLATE_NOOP("frmMotor", "Dec2 of iqref"), 10, "Hall noise pulse")
        .range(1, 255),
    braking("txtFrmHallBSec1", 24, QT_TRANSLATE_NOOP("frmMotor", "Reg high speed[rpm]"), 100,
            "Hall B 1 remap"),
    braking("txtFrmHallBSec2", 25, QT_TRANSLATE_NOOP("frmMotor", "Reg low speed[rpm]"), 100,
            "Hall B 2 remap"),
    // Entered negative; a positive entry goes out as 0.
    braking("txtFrmHallBSec3", 26, QT_TRANSLATE_NOOP("frmMotor", "Req quatity"), 1000, "Hall B 3 remap")
        .negated()
        .range(0, 32),
    braking("txtFrmHallBSec4", 27, QT_TRANSLATE_NOOP("frmMotor", "Acc of Ebrake"), 10, "Hall B 4 remap"),
    braking("txtFrmHallBSec5", 28, QT_TRANSLATE_NOOP("frmMotor", "Dec of Ebrake"), 10, "Hall B 5 remap"),
    braking("txtFrmHallBSec6", 29, QT_TRANSLATE_NOOP("frmMotor", "Speed of dec1[rpm]"), 100,
            "Hall B 6 remap"),
    braking("txtDecHighSP", 30, QT_TRANSLATE_NOOP("frmMotor", "Speed of dec2[rpm]"), 100, "Dec at high sp",
            "800"),
};

constexpr BlockSpec kSpec{
    "frmMotor",
    QT_TRANSLATE_NOOP("frmMotor", "Motor parameter"),
    FrameId::Motor,
    kFields,
    kGroups,
};
} // namespace

const BlockTable &motorTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeMotor(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Motor, parts, values);
}

void decodeMotor(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Motor, parts, values);
}
