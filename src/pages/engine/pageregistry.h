#pragma once
// The registry of every page window: one row per page with its block table
// (if it has one), its navigation (button, read on open, close list) and its
// hold by the link timer. The navigator, the dispatcher's listeners and the
// tests loop over it; adding a parameter page is one file in pages/blocks and
// one row here.

#include "pages/engine/fieldcodec.h"

#include <span>

struct BlockParts;

// Every window a navigation handler shows or closes.
enum class PageId {
    Basic,
    Reference,
    Motor,
    Control,
    DqPid,
    Protection,
    Other,
    FluxWeaken,
    Derate,
    ModeSet,
    IdcCalib,
    IacCalib,
    Curve,
    UserInfo,
    Count
};

struct PageDef
{
    PageId id;
    const char *window; // objectName: "frmBasic"
    const char *button; // the main-window button or menu entry that opens it
    // The block buffer; FrameId::None for windows without a block of their own.
    FrameId buffer = FrameId::None;
    // The block table; nullptr for windows that are not built from one.
    const BlockTable &(*table)() = nullptr;
    // Closed, in this order, after the page is shown.
    std::span<const PageId> closes = {};
    // Opening sends the read request of the buffer (and opens the port).
    bool readsOnOpen = true;
    bool modal = false;
    // The link timer enables "read" and "write" online, disables them otherwise
    // (and so keeps the window in existence).
    bool governedByLink = false;
    // A language switch runs the page's caption routine (creating the page).
    bool captionsOnSwitch = true;
    // Decoding this page's block tells the tool the controller type: the
    // navigator then fits the pages to the type and re-captions the pages
    // whose captions follow it.
    bool teachesControllerType = false;
    // Some captions of the page depend on the controller type.
    bool captionsFollowType = false;
};

// Every page, in the order of the caption routines on a language switch.
std::span<const PageDef> allPages();
const PageDef &pageDef(PageId id);
// The page with this window name, or nullptr.
const PageDef *findPage(QStringView window);
// The page whose block lives in `buffer`, or nullptr.
const PageDef *pageForBuffer(FrameId buffer);

// Every block table of the registry.
QList<const BlockTable *> allBlockTables();

// The generic codec of a registered page, with the table's hooks: encodes into
// the page's block buffer (untouched on failure) / decodes from it.
EncodeResult encodePage(PageId id, BlockParts parts, const ValueMap &values);
void decodePage(PageId id, BlockParts parts, ValueMap &values);
// The same for a table (used by the two above and by the tests).
EncodeResult encodeTable(const BlockTable &table, BlockParts parts, const ValueMap &values);
void decodeTable(const BlockTable &table, BlockParts parts, ValueMap &values);

// The bytes (offsets) of `table` that a write would send as zero because no
// field of the controller type covers them while fields of other types do:
// the layout of those bytes is not known for this type. Empty when the type
// selects a layout (or the table has no type-dependent bytes).
QList<int> bytesOfUnknownLayout(const BlockTable &table, int controllerType);
