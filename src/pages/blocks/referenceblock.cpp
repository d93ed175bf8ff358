#include "pages/blocks/referenceblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { BatteryVoltage, StartUp, ReferenceSteps };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmReference", "Battery voltage"),
    QT_TRANSLATE_NOOP("frmReference", "Limits and start-up"),
    QT_TRANSLATE_NOOP("frmReference", "Torque current steps"),
};

// Voltages travel in units of 0.01 V.
constexpr FieldSpec volts(const char *control, int offset, const char *caption,
                          const char *defaultText)
{
    return u16Field(control, offset, caption, "V", defaultText).multiplyBy(100).inGroup(BatteryVoltage);
}

// The lenient boxes: leading number, limited, then rounded half to even.
constexpr FieldSpec lenient(const char *control, int offset, const char *caption,
                            const char *unit, const char *defaultText, int high)
{
    return u8Field(control, offset, caption, unit, defaultText)
        .leadingNumber()
        .rounded()
        .range(0, high)
        .inGroup(StartUp);
}

constexpr FieldSpec kFields[] = {
    volts("txtVoltageH", 2, QT_TRANSLATE_NOOP("frmReference", "Over vdc[V]"), "200"),
    volts("txtVoltageHRec", 4, QT_TRANSLATE_NOOP("frmReference", "Over vdc recover[V]"), "-92"),
    volts("txtVoltageL", 6, QT_TRANSLATE_NOOP("frmReference", "Under vdc[V]"), "6"),
    volts("txtVoltageLRec", 8, QT_TRANSLATE_NOOP("frmReference", "Under vdc recover[V]"), "68.75"),
    volts("txtRegHighV", 10, QT_TRANSLATE_NOOP("frmReference", "Highest vdc for reg[V]"), "62.5"),
    volts("txtRegLowV", 12, QT_TRANSLATE_NOOP("frmReference", "vdc of full reg[V]"), "0"),
    volts("txtIdclimitHighV", 14, QT_TRANSLATE_NOOP("frmReference", "Vdc of idc limit[V]"), "85"),
    volts("txtIdclimitLowV", 16, QT_TRANSLATE_NOOP("frmReference", "Vdc of idc min[V]"), "750"),
    lenient("txtFluxCompToVdc", 18, QT_TRANSLATE_NOOP("frmReference", "Reg comp to vdc[%]"), "%",
            "10", 160),
    lenient("txtIdcMinPerc", 19, QT_TRANSLATE_NOOP("frmReference", "Idc min percent[%]"), "%",
            "57.5", 160),
    // Below 1 is stored as 0, not raised to 1.
    lenient("txtHALL_60_360_Switch", 20,
            QT_TRANSLATE_NOOP("frmReference", "Hall steps for 60 switch to 360"), "hall steps",
            "55", 255)
        .belowOneIsZero(),
    lenient("txtStartupPercentageFast", 21, QT_TRANSLATE_NOOP("frmReference", "Start speed forcast"),
            "", "20", 128),
    lenient("txtStepSquareStart", 22, QT_TRANSLATE_NOOP("frmReference", "Square start step"), "",
            "100", 255),
    u16Field("txtsqu_angle_step_int", 23, QT_TRANSLATE_NOOP("frmReference", "Square step DDP"), "",
             "88")
        .inGroup(StartUp),
    u8Field("txtConstBwPT12", 25, QT_TRANSLATE_NOOP("frmReference", "BW iqref step 12[A]"), "A", "800")
        .inGroup(ReferenceSteps),
    u8Field("txtConstBwPT13", 26, QT_TRANSLATE_NOOP("frmReference", "BW iqref step 13[A]"), "A", "150")
        .inGroup(ReferenceSteps),
    u8Field("txtConstECOPT12", 27, QT_TRANSLATE_NOOP("frmReference", "ECO iqref step12[A]"), "A", "180")
        .inGroup(ReferenceSteps),
    u8Field("txtConstECOPT13", 28, QT_TRANSLATE_NOOP("frmReference", "ECO iqref step13[A]"), "A", "150")
        .inGroup(ReferenceSteps),
    u16Field("txtConstBwPT0", 29, QT_TRANSLATE_NOOP("frmReference", "BW iqref step 0[A]"), "A", "350")
        .inGroup(ReferenceSteps),
};

constexpr BlockSpec kSpec{
    "frmReference",
    QT_TRANSLATE_NOOP("frmReference", "Reference"),
    FrameId::Reference,
    kFields,
    kGroups,
};
} // namespace

const BlockTable &referenceTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeReference(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Reference, parts, values);
}

void decodeReference(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Reference, parts, values);
}
