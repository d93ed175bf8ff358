#include "pages/blocks/derateblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { Delays, EcoReference, Limits };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmDerate", "Derate and recover delays"),
    QT_TRANSLATE_NOOP("frmDerate", "ECO torque-current reference"),
    QT_TRANSLATE_NOOP("frmDerate", "Speed-dependent limits"),
};

// The controller takes no zero here: 0 goes out as 1.
constexpr FieldSpec atLeastOne(const char *control, int offset, const char *caption,
                               const char *unit, const char *defaultText, Group group)
{
    return u8Field(control, offset, caption, unit, defaultText).range(1, 255).inGroup(group);
}

constexpr FieldSpec eco16(const char *control, int offset, const char *caption,
                          const char *defaultText)
{
    return u16Field(control, offset, caption, "A", defaultText).inGroup(EcoReference);
}

// "BW speed step[rpm]" travels in no byte of this block; it is left off the
// page rather than shown as a box that looks like a setting.
constexpr FieldSpec kFields[] = {
    atLeastOne("txtPderateDelay", 2, QT_TRANSLATE_NOOP("frmDerate", "Power derate delay[s]"), "s", "30",
               Delays),
    atLeastOne("txtPrecoverDelay", 3, QT_TRANSLATE_NOOP("frmDerate", "Power recover delay[s]"), "s",
               "30", Delays),
    atLeastOne("txtMPderateDelay", 4, QT_TRANSLATE_NOOP("frmDerate", "Mot power derate delay[s]"), "s",
               "10", Delays),
    atLeastOne("txtMPrecoverDelay", 5, QT_TRANSLATE_NOOP("frmDerate", "Mot power recover delay[s]"),
               "s", "10", Delays),
    eco16("txtConstECOPT1", 6, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 1[A]"), "0")
        .labelled("lblIqrefStandstill"),
    eco16("txtConstECOPT2", 8, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 2[A]"), "1018"),
    eco16("txtConstECOPT3", 10, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 3[A]"), "1018"),
    eco16("txtConstECOPT4", 12, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 4[A]"), "10"),
    eco16("txtConstECOPT5", 14, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 5[A]"), "90"),
    eco16("txtConstECOPT6", 16, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 6[A]"), "80"),
    eco16("txtConstECOPT7", 18, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 7[A]"), "40"),
    atLeastOne("txtConstECOPT8", 20, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 8[A]"), "A", "110",
               EcoReference),
    atLeastOne("txtConstECOPT9", 21, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 9[A]"), "A", "100",
               EcoReference),
    atLeastOne("txtConstECOPT10", 22, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 10[A]"), "A", "90",
               EcoReference),
    atLeastOne("txtConstECOPT11", 23, QT_TRANSLATE_NOOP("frmDerate", "ECO iqref 11[A]"), "A", "100",
               EcoReference),
    u16Field("txtSpeedstep", 24, QT_TRANSLATE_NOOP("frmDerate", "Speed step[rpm]"), "rpm", "500")
        .inGroup(Limits),
    u8Field("txtIqref_limit1", 26, QT_TRANSLATE_NOOP("frmDerate", "Iqref limit 1[A]"), "A", "50")
        .inGroup(Limits),
    u8Field("txtIqref_limit0", 27, QT_TRANSLATE_NOOP("frmDerate", "Iqref limit 0[A]"), "A", "10")
        .inGroup(Limits),
    u8Field("txtIdref_limit1", 28, QT_TRANSLATE_NOOP("frmDerate", "Idref limit 1[A]"), "A", "60")
        .inGroup(Limits),
    u8Field("txtIdref_limit0", 29, QT_TRANSLATE_NOOP("frmDerate", "Idref limit 0[A]"), "A", "30")
        .inGroup(Limits),
    // Stored in units of 100 rpm; the page starts with the factory's 900 rpm,
    // shown in the box like every other default.
    u8Field("txtFluxSTspeed", 30, QT_TRANSLATE_NOOP("frmDerate", "Flux switch speed[rpm]"), "rpm",
            "900")
        .divideBy(100)
        .inGroup(Limits),
};

constexpr BlockSpec kSpec{
    "frmDerate",
    QT_TRANSLATE_NOOP("frmDerate", "Derate setting"),
    FrameId::Derate,
    kFields,
    kGroups,
};
} // namespace

const BlockTable &derateTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeDerate(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::Derate, parts, values);
}

void decodeDerate(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::Derate, parts, values);
}
