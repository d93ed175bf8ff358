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

// In the order of the caption routines.
constexpr PageDef kPages[] = {
    {.id = P::Basic, .window = "frmBasic", .button = "cmdBasic", .buffer = FrameId::Basic,
     .table = &basicTable, .closes = kClosedByBasic, .governedByLink = true},
    {.id = P::Reference, .window = "frmReference", .button = "cmdReference",
     .buffer = FrameId::Reference, .table = &referenceTable, .closes = kClosedByReference,
     .governedByLink = true},
    {.id = P::Motor, .window = "frmMotor", .button = "cmdMotor", .buffer = FrameId::Motor,
     .table = &motorTable, .governedByLink = true, .captionsFollowType = true},
    {.id = P::Control, .window = "frmControl", .button = "cmdContorl", .buffer = FrameId::Control,
     .table = &controlTable, .closes = kClosedByControl, .governedByLink = true},
    {.id = P::DqPid, .window = "frmdqPID", .button = "cmddqPID", .buffer = FrameId::DqPid,
     .table = &torquePidTable, .closes = kClosedByDqPid},
    {.id = P::Protection, .window = "frmProtection", .button = "cmdProtection",
     .buffer = FrameId::Protection, .table = &protectionTable, .governedByLink = true},
    {.id = P::Other, .window = "frmOther", .button = "cmdOther", .buffer = FrameId::Other,
     .table = &otherTable, .closes = kClosedByOther, .governedByLink = true},
    {.id = P::FluxWeaken, .window = "frmFluxWeaken", .button = "cmdFluxWeaken",
     .buffer = FrameId::FluxWeaken, .table = &fluxWeakenTable, .closes = kClosedByFluxWeaken},
    {.id = P::IdcCalib, .window = "frmIdcCalib", .button = "cmdIdcCalib",
     .buffer = FrameId::IdcCalib, .table = &idcCalibTable, .closes = kClosedByIdcCalib,
     .teachesControllerType = true},
    {.id = P::Derate, .window = "frmDerate", .button = "cmdDerate", .buffer = FrameId::Derate,
     .table = &derateTable, .closes = kClosedByDerate},
    {.id = P::ModeSet, .window = "frmModeSet", .button = "cmdModeSet", .buffer = FrameId::ModeSet,
     .table = &modeSetTable, .closes = kClosedByModeSet, .governedByLink = true},
    {.id = P::IacCalib, .window = "frmIacCalib", .button = "cmdIacCalib",
     .closes = kClosedByIacCalib, .readsOnOpen = false, .captionsOnSwitch = false},
    {.id = P::Curve, .window = "frmCurve", .button = "cmdCurve", .readsOnOpen = false,
     .captionsOnSwitch = false},
    {.id = P::UserInfo, .window = "frmUserInfo", .button = "Menu_Option_UserInfo",
     .buffer = FrameId::UserInfo, .table = &userInfoTable, .modal = true, .captionsOnSwitch = false},
};
static_assert(std::size(kPages) == std::size_t(PageId::Count));

constexpr bool everyPageOnce()
{
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        int seen = 0;
        for (const PageDef &p : kPages)
            seen += p.id == PageId(i) ? 1 : 0;
        if (seen != 1)
            return false;
    }
    return true;
}
static_assert(everyPageOnce(), "every PageId has exactly one registry row");


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

const PageDef *pageForBuffer(FrameId buffer)
{
    if (buffer == FrameId::None)
        return nullptr;
    for (const PageDef &p : kPages) {
        if (p.buffer == buffer)
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
