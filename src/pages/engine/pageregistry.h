#pragma once
// The registry of every page window: one row per page with its family and
// block table (if it has one), its navigation (opener, read on open, close
// list), its hold by the link timer and what the main window needs to offer
// it (bar group and place, caption). The navigator, the parameter service,
// the main window and the tests loop over it; adding a parameter page is a
// family row in the command table, one file in pages/blocks and one row here.

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
    // A test build's further pages take ids from here on.
    FirstExtra
};

// How the main window offers a page.
enum class Opener : quint8 {
    BarButton,    // a button of the bar
    HiddenButton, // a button that stays hidden (its page opens from the menu too)
    OptionsMenu,  // an entry of the Options menu
};

struct PageDef
{
    PageId id;
    const char *window; // objectName: "frmBasic"
    const char *button; // the main-window button or menu entry that opens it
    // The block family; FrameId::None for windows without a block of their own.
    FrameId family = FrameId::None;
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
    // Some captions of the page depend on the controller type.
    bool captionsFollowType = false;
    // The opener in the main window: where it sits and its caption (English,
    // context "frmMain"; nullptr: the button keeps its design-time caption).
    Opener opener = Opener::BarButton;
    // An entry of the Options menu beside a hidden button (its objectName).
    const char *menuEntry = nullptr;
    quint8 group = 0; // of the bar: 0 parameter pages, 1 calibration and tests
    quint8 place = 0; // within its group, or within the menu
    const char *caption = nullptr; // of the bar button, or of the menu entry
    const char *designCaption = nullptr; // the opener before any caption routine ran
};

// Every page, in the order of the caption routines on a language switch.
std::span<const PageDef> allPages();
const PageDef &pageDef(PageId id);
// The row of `id` in allPages().
int pageIndex(PageId id);
// The page with this window name, or nullptr.
const PageDef *findPage(QStringView window);
// The page of a block family, or nullptr.
const PageDef *pageForFamily(FrameId family);

// Every block table of the registry.
QList<const BlockTable *> allBlockTables();

// The generic codec of a registered page, with the table's hooks: encodes into
// the family's block buffer (untouched on failure) / decodes from it.
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

// The fields of `table` for this controller type that a write sends (no
// constant, no field shown only) whose bytes differ between the block that
// was written and the block read back afterwards: what the controller did
// not take as sent. Indexes into the table.
QList<int> fieldsThatDiffer(const BlockTable &table, int controllerType, const Block &written,
                            const Block &readBack);
