#include "pages/engine/pageregistry.h"

#include "core/appstate.h"
#include "pages/blocks/basicblock.h"
#include "pages/blocks/idccalibblock.h"
#include "pages/blocks/motorblock.h"
#include "pages/blocks/controlblock.h"
#include "pages/blocks/derateblock.h"
#include "pages/blocks/modesetblock.h"
#include "pages/blocks/otherblock.h"
#include "pages/blocks/fluxweakenblock.h"
#include "pages/blocks/protectionblock.h"
#include "pages/blocks/referenceblock.h"
#include "pages/blocks/torquepidblock.h"
#include "pages/blocks/userinfoblock.h"
#ifdef KESTRANE_EXTRA_PAGE_HEADER
#include KESTRANE_EXTRA_PAGE_HEADER // a test build's further block tables
#endif

#include <algorithm>

namespace {
using P = PageId;

// The close lists of the navigation handlers.
constexpr PageId kClosedByBasic[] = {P::Reference, P::Motor, P::Control, P::DqPid, P::Protection,
                                     P::Other, P::FluxWeaken, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByReference[] = {P::Basic, P::Motor, P::Control, P::DqPid, P::Protection,
                                         P::Other, P::FluxWeaken, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByControl[] = {P::Basic, P::Reference, P::Motor, P::DqPid, P::Protection,
                                       P::Other, P::FluxWeaken, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByOther[] = {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid,
                                     P::Protection, P::FluxWeaken, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByDqPid[] = {P::Basic, P::Reference, P::Motor, P::Control, P::Protection,
                                     P::Other, P::FluxWeaken, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByFluxWeaken[] = {P::Basic, P::Reference, P::Motor, P::Control,
                                          P::DqPid, P::Other, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByDerate[] = {P::Basic, P::Other, P::Reference, P::Motor, P::Control,
                                      P::DqPid, P::Protection, P::FluxWeaken, P::IdcCalib,
                                      P::IacCalib};
constexpr PageId kClosedByModeSet[] = {P::Basic, P::Reference, P::Control, P::DqPid,
                                       P::Other, P::IdcCalib, P::IacCalib};
constexpr PageId kClosedByIdcCalib[] = {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid,
                                        P::Protection, P::Other, P::FluxWeaken, P::IacCalib};
constexpr PageId kClosedByIacCalib[] = {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid,
                                        P::Protection, P::Other, P::FluxWeaken, P::IdcCalib};

#define TR(text) QT_TRANSLATE_NOOP("frmMain", text)
// In the order of the caption routines.
constexpr PageDef kPages[] = {
    {.id = P::Basic, .window = "frmBasic", .button = "cmdBasic", .family = FrameId::Basic,
     .table = &basicTable, .closes = kClosedByBasic, .governedByLink = true, .place = 0,
     .caption = TR("Basic")},
    {.id = P::Reference, .window = "frmReference", .button = "cmdReference",
     .family = FrameId::Reference, .table = &referenceTable, .closes = kClosedByReference,
     .governedByLink = true, .place = 1, .caption = TR("Reference")},
    {.id = P::Motor, .window = "frmMotor", .button = "cmdMotor", .family = FrameId::Motor,
     .table = &motorTable, .governedByLink = true, .captionsFollowType = true, .place = 2,
     .caption = TR("Motor")},
    {.id = P::Control, .window = "frmControl", .button = "cmdContorl", .family = FrameId::Control,
     .table = &controlTable, .closes = kClosedByControl, .governedByLink = true, .place = 3,
     .caption = TR("Control")},
    {.id = P::DqPid, .window = "frmdqPID", .button = "cmddqPID", .family = FrameId::DqPid,
     .table = &torquePidTable, .closes = kClosedByDqPid, .place = 6, .caption = TR("Torque PID")},
    {.id = P::Protection, .window = "frmProtection", .button = "cmdProtection",
     .family = FrameId::Protection, .table = &protectionTable, .governedByLink = true, .place = 4,
     .caption = TR("Protection")},
    {.id = P::Other, .window = "frmOther", .button = "cmdOther", .family = FrameId::Other,
     .table = &otherTable, .closes = kClosedByOther, .governedByLink = true, .place = 5,
     .caption = TR("Other")},
    {.id = P::FluxWeaken, .window = "frmFluxWeaken", .button = "cmdFluxWeaken",
     .family = FrameId::FluxWeaken, .table = &fluxWeakenTable, .closes = kClosedByFluxWeaken,
     .place = 7, .caption = TR("Flux weaken")},
    {.id = P::IdcCalib, .window = "frmIdcCalib", .button = "cmdIdcCalib",
     .family = FrameId::IdcCalib, .table = &idcCalibTable, .closes = kClosedByIdcCalib, .group = 1,
     .place = 0, .caption = TR("DC current calbiration")},
    {.id = P::Derate, .window = "frmDerate", .button = "cmdDerate", .family = FrameId::Derate,
     .table = &derateTable, .closes = kClosedByDerate, .place = 8, .caption = TR("Derate")},
    {.id = P::ModeSet, .window = "frmModeSet", .button = "cmdModeSet", .family = FrameId::ModeSet,
     .table = &modeSetTable, .closes = kClosedByModeSet, .governedByLink = true, .place = 9,
     .caption = TR("ModeSet")},
    {.id = P::IacCalib, .window = "frmIacCalib", .button = "cmdIacCalib",
     .closes = kClosedByIacCalib, .readsOnOpen = false, .group = 1, .place = 1,
     .caption = TR("AC current calibration")},
    {.id = P::Curve, .window = "frmCurve", .button = "cmdCurve", .readsOnOpen = false,
     .opener = Opener::HiddenButton, .menuEntry = "Menu_Option_Curve", .place = 1,
     .caption = TR("Curve"), .designCaption = "curve"},
    {.id = P::UserInfo, .window = "frmUserInfo", .button = "Menu_Option_UserInfo",
     .family = FrameId::UserInfo, .table = &userInfoTable, .modal = true,
     .opener = Opener::OptionsMenu, .place = 0, .designCaption = "UserInfo(&U)"},
#ifdef KESTRANE_EXTRA_PAGE_ROWS
// A test build's further pages (one row each).
#include KESTRANE_EXTRA_PAGE_ROWS
#endif
};
#undef TR

constexpr bool everyPageOnce()
{
    for (int i = 0; i < int(PageId::FirstExtra); ++i) {
        int seen = 0;
        for (const PageDef &p : kPages)
            seen += p.id == PageId(i) ? 1 : 0;
        if (seen != 1)
            return false;
    }
    return true;
}
static_assert(everyPageOnce(), "every PageId has exactly one registry row");

constexpr bool everyOpenerOnce()
{
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        for (std::size_t j = i + 1; j < std::size(kPages); ++j) {
            const PageDef &a = kPages[i];
            const PageDef &b = kPages[j];
            if (a.opener == b.opener && a.group == b.group && a.place == b.place)
                return false;
            if (a.family != FrameId::None && a.family == b.family)
                return false;
        }
    }
    return true;
}
static_assert(everyOpenerOnce(), "two pages at one place of the bar, or of one family");

CodecOptions optionsFor(const BlockParts &parts)
{
    return {parts.controllerType, systemDecimalPoint()};
}
} // namespace

std::span<const PageDef> allPages()
{
    return kPages;
}

const PageDef &pageDef(PageId id)
{
    for (const PageDef &p : kPages) {
        if (p.id == id)
            return p;
    }
    Q_UNREACHABLE();
}

const PageDef *findPage(QStringView window)
{
    for (const PageDef &p : kPages) {
        if (window == QLatin1String(p.window))
            return &p;
    }
    return nullptr;
}

int pageIndex(PageId id)
{
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        if (kPages[i].id == id)
            return int(i);
    }
    Q_UNREACHABLE();
}

const PageDef *pageForFamily(FrameId family)
{
    if (family == FrameId::None)
        return nullptr;
    for (const PageDef &p : kPages) {
        if (p.family == family)
            return &p;
    }
    return nullptr;
}

QList<const BlockTable *> allBlockTables()
{
    QList<const BlockTable *> tables;
    for (const PageDef &p : kPages) {
        if (p.table)
            tables.append(&p.table());
    }
    return tables;
}

EncodeResult encodeTable(const BlockTable &table, BlockParts parts, const ValueMap &values)
{
    Block &frame = parts.frames[table.definition().frame];
    const EncodeResult result = encodeBlock(table, values, optionsFor(parts), frame);
    if (result.ok() && table.definition().hooks.afterEncode)
        table.definition().hooks.afterEncode(parts, values, frame);
    return result;
}

void decodeTable(const BlockTable &table, BlockParts parts, ValueMap &values)
{
    const Block &frame = parts.frames[table.definition().frame];
    decodeBlock(table, frame, optionsFor(parts), values);
    if (table.definition().hooks.afterDecode)
        table.definition().hooks.afterDecode(parts, frame, values);
}

EncodeResult encodePage(PageId id, BlockParts parts, const ValueMap &values)
{
    return encodeTable(pageDef(id).table(), parts, values);
}

void decodePage(PageId id, BlockParts parts, ValueMap &values)
{
    decodeTable(pageDef(id).table(), parts, values);
}

QList<int> bytesOfUnknownLayout(const BlockTable &table, int controllerType)
{
    std::array<bool, kBlockSize> covered{};
    std::array<bool, kBlockSize> typeDependent{};
    for (const FieldSpec &f : table.fields()) {
        if (!f.hasBytes())
            continue;
        for (int k = 0; k < f.width(); ++k) {
            const int at = f.offset + k;
            if (f.types != ControllerTypes::Any)
                typeDependent[std::size_t(at)] = true;
            if (f.appliesTo(controllerType))
                covered[std::size_t(at)] = true;
        }
    }
    QList<int> bytes;
    for (int at = 0; at < kBlockSize; ++at) {
        if (typeDependent[std::size_t(at)] && !covered[std::size_t(at)])
            bytes.append(at);
    }
    return bytes;
}

QList<int> fieldsThatDiffer(const BlockTable &table, int controllerType, const Block &written,
                            const Block &readBack)
{
    QList<int> fields;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const FieldSpec &f = table.field(i);
        if (!f.hasBytes() || f.isConstant() || f.readOnly || !f.appliesTo(controllerType))
            continue;
        const bool differs = f.form == ValueForm::Flag
                                 ? ((written[f.offset] ^ readBack[f.offset]) >> f.bit) & 1
                                 : !std::equal(written.begin() + f.offset, written.begin() + f.offset + f.width(),
                                               readBack.begin() + f.offset);
        if (differs)
            fields << i;
    }
    return fields;
}
