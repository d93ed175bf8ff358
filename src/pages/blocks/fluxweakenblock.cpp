#include "pages/blocks/fluxweakenblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
enum Group : quint8 { StartUp, References, Print };

constexpr const char *kGroups[] = {
    QT_TRANSLATE_NOOP("frmFluxWeaken", "Start-up and direction"),
    QT_TRANSLATE_NOOP("frmFluxWeaken", "Flux-weakening current references"),
    QT_TRANSLATE_NOOP("frmFluxWeaken", "Diagnostic print"),
};

constexpr quint8 kEightBitTypes = ControllerTypes::Type2 | ControllerTypes::Type3;
constexpr quint8 kSixteenBitTypes = ControllerTypes::Type1;

constexpr FieldSpec idref(const char *control, int offset, const char *caption, const char *defaultText)
{
    return u8Field(control, offset, caption, "A", defaultText).inGroup(References);
}

// Byte 2 is not written (0) and not read. The layouts of bytes 16..28 follow
// as one run of rows per controller type; the boxes of type 1's 16-bit
// layout are the first six of the 8-bit one.
constexpr FieldSpec kFields[] = {
    // Stored as value + 1 in one byte; a value the byte cannot hold is refused
    // rather than wrapped or clamped into another direction.
    u8Field("txtFluxSign", 3, QT_TRANSLATE_NOOP("frmFluxWeaken", "Flux sign"), "", "0")
        .plus(1)
        .rounded()
        .refuseOutOfRange()
        .inGroup(StartUp),
    u16Field("txtStartupMS", 4, QT_TRANSLATE_NOOP("frmFluxWeaken", "Startup speed min"), "", "10").inGroup(StartUp),
    u16Field("txtStartupLS", 6, QT_TRANSLATE_NOOP("frmFluxWeaken", "Startup speed low"), "", "160").inGroup(StartUp),
    u16Field("txtStartupHS", 8, QT_TRANSLATE_NOOP("frmFluxWeaken", "Startup speed high"), "", "320").inGroup(StartUp),
    idref("txtIdP0", 10, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 0[A]"), "5"),
    idref("txtIdP1", 11, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 1[A]"), "5"),
    idref("txtIdP2", 12, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 2[A]"), "5"),
    idref("txtIdP3", 13, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 3[A]"), "5"),
    idref("txtIdP4", 14, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 4[A]"), "5"),
    idref("txtIdP5", 15, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 5[A]"), "110"),

    // Types 2 and 3: thirteen 8-bit points.
    idref("txtIdP6", 16, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 6[A]"), "110").onlyFor(kEightBitTypes),
    idref("txtIdP7", 17, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 7[A]"), "110").onlyFor(kEightBitTypes),
    idref("txtIdP8", 18, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 8[A]"), "20").onlyFor(kEightBitTypes),
    idref("txtIdP9", 19, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 9[A]"), "20").onlyFor(kEightBitTypes),
    idref("txtIdP10", 20, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 10[A]"), "20").onlyFor(kEightBitTypes),
    idref("txtIdP11", 21, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 11[A]"), "20").onlyFor(kEightBitTypes),
    idref("txtIdP12", 22, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 12[A]"), "70")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),
    idref("txtIdP13", 23, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 13[A]"), "60")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),
    idref("txtId_HP8", 24, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref H 8[A]"), "90")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),
    idref("txtId_HP9", 25, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref H 9[A]"), "100")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),
    idref("txtId_HP10", 26, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref H 10[A]"), "145")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),
    idref("txtId_HP11", 27, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref H 11[A]"), "145")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),
    idref("txtId_HP12", 28, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref H 12[A]"), "150")
        .onlyFor(kEightBitTypes).hiddenFor(kSixteenBitTypes),

    // Type 1: six 16-bit points in 16..27; byte 28 stays 0.
    u16Field("txtIdP6", 16, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 6[A]"), "A", "110")
        .onlyFor(kSixteenBitTypes).inGroup(References),
    u16Field("txtIdP7", 18, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 7[A]"), "A", "110")
        .onlyFor(kSixteenBitTypes).inGroup(References),
    u16Field("txtIdP8", 20, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 8[A]"), "A", "20")
        .onlyFor(kSixteenBitTypes).inGroup(References),
    u16Field("txtIdP9", 22, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 9[A]"), "A", "20")
        .onlyFor(kSixteenBitTypes).inGroup(References),
    u16Field("txtIdP10", 24, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 10[A]"), "A", "20")
        .onlyFor(kSixteenBitTypes).inGroup(References),
    u16Field("txtIdP11", 26, QT_TRANSLATE_NOOP("frmFluxWeaken", "Idref 11[A]"), "A", "20")
        .onlyFor(kSixteenBitTypes).inGroup(References),
    // Known to be 0 for type 1, so a write does not ask about it.
    constantByte(28, 0).onlyFor(kSixteenBitTypes),

    u8Field("txtPrintfP", 29, QT_TRANSLATE_NOOP("frmFluxWeaken", "Printf period[5ms]"), "", "1000").inGroup(Print),
    u8Field("txtPrintfSW", 30, QT_TRANSLATE_NOOP("frmFluxWeaken", "PrintfSwitcher"), "", "1")
        .range(0, 1)
        .inGroup(Print),
};

constexpr BlockSpec kSpec{
    "frmFluxWeaken",
    QT_TRANSLATE_NOOP("frmFluxWeaken", "FluxWeaken Reference"),
    FrameId::FluxWeaken,
    kFields,
    kGroups,
};
} // namespace

const BlockTable &fluxWeakenTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeFluxWeaken(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::FluxWeaken, parts, values);
}

void decodeFluxWeaken(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::FluxWeaken, parts, values);
}
