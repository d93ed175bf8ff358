#pragma once
// A parameter block as data: one FieldSpec per box (or constant byte), in
// the order the encoder handles them. The rows are built with the small
// constexpr helpers at the end of this file, for example
//
//     u16Field("txtBspeed", 4, QT_TRANSLATE_NOOP("frmBasic", "Back speed[rpm]"), "rpm", "74")
//         .negated()
//
// Every step of a field's road between box text and bytes is a member here;
// the codec (fieldcodec.h) is the one place that walks that road.

#include "core/frames.h"

#include <QtGlobal>

#include <limits>
#include <span>

// Where the value lives in the block.
enum class ValueForm : quint8 {
    Box,   // a box of the page that travels in no byte
    U8,    // one byte
    U16,   // two bytes, low byte first
    Sm16,  // sign-magnitude: bit 15 set means negative, then as U16
    Flag,  // one bit of a byte shared with other Flag fields
    List,  // one byte holding a list index
    Chars, // single-byte character codes, zero-filled
};

// What the page shows for a field: a free-text box, a list (the value is the
// index) or a check box (the value is 0 or 1). Lists and check boxes hold
// integers, never texts.
enum class EditorKind : quint8 { Text, List, Check };

enum class ParseKind : quint8 { Number, LeadingNumber, Integer };
enum class Scaling : quint8 { None, Multiply, Divide };
enum class Conversion : quint8 { Floor, Round };

enum class RangeRule : quint8 {
    Clamp,          // silently limited to lo..hi
    BelowOneIsZero, // as Clamp, but anything below 1 is stored as 0 (before rounding)
    Refuse,         // a value outside lo..hi stops the write
};

// How a decoded number is shown.
enum class DisplayForm : quint8 {
    Integer,         // "350", "-74"
    ShortestDecimal, // 6875 / 100 -> "68.75", 20000 / 100 -> "200"
    ThreeDecimals,   // 5000 / 10000 -> "0.500"; more when needed: 12345 / 10000 -> "1.2345"
    OneDecimal,      // 25 / 10 -> "2.5", 20 / 10 -> "2.0"; more when needed
};

// Which caption routine languages write the field's label.
enum class CaptionRule : quint8 { Both, EnglishOnly, None };

// Controller types a field belongs to. Types 1, 2 and 3 have a bit each;
// every other value (0 before the controller reported one) shares one bit.
namespace ControllerTypes {
inline constexpr quint8 Unknown = 0x01;
inline constexpr quint8 Type1 = 0x02;
inline constexpr quint8 Type2 = 0x04;
inline constexpr quint8 Type3 = 0x08;
inline constexpr quint8 Any = 0x0F;
constexpr quint8 bitFor(int controllerType)
{
    return controllerType >= 1 && controllerType <= 3 ? quint8(1u << controllerType) : Unknown;
}
} // namespace ControllerTypes

struct FieldSpec
{
    const char *control = nullptr; // objectName of the box; nullptr for a constant byte
    const char *label = nullptr;   // nullptr: "lbl" + the control name after its prefix
    const char *caption = nullptr; // English caption, translated in the table's context
    const char *designCaption = nullptr; // label text before any caption routine ran (nullptr: caption)
    const char *unit = "";
    const char *defaultText = "";
    // List: the English item texts, translated in the table's context.
    std::span<const char *const> items;

    qint32 lo = 0;
    qint32 hi = 32767;
    qint32 factor = 1;
    qint32 addend = 0; // added after scaling (list index + 1, flux sign + 1)
    qint32 decodeLo = std::numeric_limits<qint32>::min(); // List: index limits when shown
    qint32 decodeHi = std::numeric_limits<qint32>::max();
    quint8 offset = 0;
    quint8 bit = 0;      // Flag
    quint8 length = 0;   // Chars
    quint8 constant = 0; // constant byte
    quint8 types = ControllerTypes::Any;
    quint8 hiddenTypes = 0; // controller types for which the page hides the field (one-way)
    quint8 group = 0; // index into the table's group titles

    ValueForm form = ValueForm::U16;
    EditorKind editor = EditorKind::Text;
    ParseKind parse = ParseKind::Number;
    Scaling scaling = Scaling::None;
    Conversion conversion = Conversion::Floor;
    RangeRule rangeRule = RangeRule::Clamp;
    DisplayForm display = DisplayForm::Integer;
    CaptionRule captionRule = CaptionRule::Both;
    bool negate = false;
    // List: a received byte that names no item shows no selection and, while
    // the user picks none, goes back unchanged on a write.
    bool keepsUnlisted = false;
    // Shown from the block, never written: the encoder leaves the byte 0.
    bool readOnly = false;

    constexpr bool isConstant() const { return control == nullptr; }
    constexpr bool hasBytes() const { return form != ValueForm::Box; }
    constexpr bool isNumeric() const
    {
        return form == ValueForm::U8 || form == ValueForm::U16 || form == ValueForm::Sm16;
    }
    constexpr int width() const
    {
        switch (form) {
        case ValueForm::Box: return 0;
        case ValueForm::U16:
        case ValueForm::Sm16: return 2;
        case ValueForm::Chars: return length;
        default: return 1;
        }
    }
    constexpr bool appliesTo(int controllerType) const
    {
        return (types & ControllerTypes::bitFor(controllerType)) != 0;
    }
    constexpr bool hiddenFor(int controllerType) const
    {
        return (hiddenTypes & ControllerTypes::bitFor(controllerType)) != 0;
    }
    // The value is an integer (list index, check state), not a text.
    constexpr bool holdsIndex() const { return editor != EditorKind::Text; }

    // Chained modifiers for the tables.
    constexpr FieldSpec negated() const { FieldSpec f = *this; f.negate = true; return f; }
    constexpr FieldSpec divideBy(qint32 n) const
    {
        FieldSpec f = *this;
        f.scaling = Scaling::Divide;
        f.factor = n;
        return f;
    }
    // The decoder divides back, so the box shows a decimal.
    constexpr FieldSpec multiplyBy(qint32 n) const
    {
        FieldSpec f = *this;
        f.scaling = Scaling::Multiply;
        f.factor = n;
        f.display = DisplayForm::ShortestDecimal;
        return f;
    }
    constexpr FieldSpec plus(qint32 n) const { FieldSpec f = *this; f.addend = n; return f; }
    constexpr FieldSpec range(qint32 low, qint32 high) const
    {
        FieldSpec f = *this;
        f.lo = low;
        f.hi = high;
        return f;
    }
    constexpr FieldSpec leadingNumber() const
    {
        FieldSpec f = *this;
        f.parse = ParseKind::LeadingNumber;
        return f;
    }
    constexpr FieldSpec integer() const { FieldSpec f = *this; f.parse = ParseKind::Integer; return f; }
    constexpr FieldSpec rounded() const { FieldSpec f = *this; f.conversion = Conversion::Round; return f; }
    constexpr FieldSpec belowOneIsZero() const
    {
        FieldSpec f = *this;
        f.rangeRule = RangeRule::BelowOneIsZero;
        return f;
    }
    constexpr FieldSpec refuseOutOfRange() const
    {
        FieldSpec f = *this;
        f.rangeRule = RangeRule::Refuse;
        return f;
    }
    constexpr FieldSpec shows(DisplayForm d) const { FieldSpec f = *this; f.display = d; return f; }
    constexpr FieldSpec onlyFor(quint8 typeMask) const { FieldSpec f = *this; f.types = typeMask; return f; }
    // The page hides the field for these controller types; its bytes still travel.
    constexpr FieldSpec hiddenFor(quint8 typeMask) const
    {
        FieldSpec f = *this;
        f.hiddenTypes = typeMask;
        return f;
    }
    constexpr FieldSpec keepsUnlistedBytes() const
    {
        FieldSpec f = *this;
        f.keepsUnlisted = true;
        return f;
    }
    constexpr FieldSpec decodedOnly() const { FieldSpec f = *this; f.readOnly = true; return f; }
    constexpr FieldSpec inGroup(quint8 g) const { FieldSpec f = *this; f.group = g; return f; }
    constexpr FieldSpec labelled(const char *name) const { FieldSpec f = *this; f.label = name; return f; }
    constexpr FieldSpec designedAs(const char *text) const
    {
        FieldSpec f = *this;
        f.designCaption = text;
        return f;
    }
    constexpr FieldSpec captions(CaptionRule r) const { FieldSpec f = *this; f.captionRule = r; return f; }
    constexpr FieldSpec listLimits(qint32 low, qint32 high) const
    {
        FieldSpec f = *this;
        f.decodeLo = low;
        f.decodeHi = high;
        return f;
    }
    // Shows the field as a list of these items (index = stored value - addend).
    constexpr FieldSpec listOf(std::span<const char *const> texts) const
    {
        FieldSpec f = *this;
        f.editor = EditorKind::List;
        f.items = texts;
        return f;
    }
};

// Row helpers. Defaults: number parse, floor, clamp, plain integer shown.
constexpr FieldSpec u8Field(const char *control, int offset, const char *caption,
                            const char *unit, const char *defaultText)
{
    FieldSpec f;
    f.control = control;
    f.offset = quint8(offset);
    f.caption = caption;
    f.unit = unit;
    f.defaultText = defaultText;
    f.form = ValueForm::U8;
    f.lo = 0;
    f.hi = 255;
    return f;
}

constexpr FieldSpec u16Field(const char *control, int offset, const char *caption,
                             const char *unit, const char *defaultText)
{
    FieldSpec f = u8Field(control, offset, caption, unit, defaultText);
    f.form = ValueForm::U16;
    f.hi = 32767;
    return f;
}

// Signed angles: integer parse, -180..179.
constexpr FieldSpec sm16Field(const char *control, int offset, const char *caption,
                              const char *unit, const char *defaultText)
{
    FieldSpec f = u8Field(control, offset, caption, unit, defaultText);
    f.form = ValueForm::Sm16;
    f.parse = ParseKind::Integer;
    f.lo = -180;
    f.hi = 179;
    return f;
}

// One check box of a flags byte (value 0 or 1; default clear unless "1").
constexpr FieldSpec flagField(const char *control, int offset, int bit, const char *caption,
                              const char *defaultState = "0")
{
    FieldSpec f = u8Field(control, offset, caption, "", defaultState);
    f.form = ValueForm::Flag;
    f.editor = EditorKind::Check;
    f.bit = quint8(bit);
    f.lo = 0;
    f.hi = 1;
    return f;
}

// A list box over these items; the value is the list index (-1: nothing
// selected). The default is an index too.
constexpr FieldSpec listField(const char *control, int offset, const char *caption,
                              std::span<const char *const> items, const char *defaultIndex = "0")
{
    FieldSpec f = u8Field(control, offset, caption, "", defaultIndex);
    f.form = ValueForm::List;
    f.editor = EditorKind::List;
    f.items = items;
    return f;
}

constexpr FieldSpec charsField(const char *control, int offset, int length,
                               const char *caption, const char *defaultText)
{
    FieldSpec f = u8Field(control, offset, caption, "", defaultText);
    f.form = ValueForm::Chars;
    f.length = quint8(length);
    return f;
}

// A byte the encoder always writes with the same value.
constexpr FieldSpec constantByte(int offset, int value)
{
    FieldSpec f;
    f.offset = quint8(offset);
    f.form = ValueForm::U8;
    f.constant = quint8(value);
    f.lo = 0;
    f.hi = 255;
    return f;
}

// A box of the page that no byte carries.
constexpr FieldSpec pageBox(const char *control, const char *caption, const char *unit,
                            const char *defaultText)
{
    FieldSpec f = u8Field(control, 0, caption, unit, defaultText);
    f.form = ValueForm::Box;
    return f;
}

struct BlockParts;
class ValueMap;

// The small per-block side effects beside the generic codec (curve points,
// scales): run after a successful encode and after every decode.
struct BlockHooks
{
    // After the block was encoded from `values` (the block holds the clamped
    // fields).
    void (*afterEncode)(BlockParts parts, const ValueMap &values, const Block &block) = nullptr;
    // After the values were decoded from `block`.
    void (*afterDecode)(BlockParts parts, const Block &block, ValueMap &values) = nullptr;
};

// A whole block: its window, its buffer (the codes come from the command
// table) and its fields in encoder order.
struct BlockSpec
{
    const char *window;  // "frmBasic": objectName of the page and translation context
    const char *caption; // English window caption
    FrameId frame;
    std::span<const FieldSpec> fields;
    std::span<const char *const> groups; // English group titles, same context
    BlockHooks hooks = {};
    CaptionRule windowCaptionRule = CaptionRule::Both;
    // Fields that may share a byte although neither is a flag nor are their
    // controller types apart (none so far; the invariant test reads it).
    bool allowsSharedBytes = false;
};
