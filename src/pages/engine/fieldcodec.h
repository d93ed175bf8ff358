#pragma once
// The field codec: one engine that turns the box texts of any block table
// into block bytes and back. Values travel in a ValueMap (control name ->
// text), so the codec never sees a widget.

#include "pages/engine/fieldspec.h"
#include "core/textnumber.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// A table ready for use: the definition plus the names derived from it, built once.
class BlockTable
{
public:
    explicit BlockTable(const BlockSpec &definition);

    const BlockSpec &definition() const { return m_definition; }
    std::span<const FieldSpec> fields() const { return m_definition.fields; }
    const FieldSpec &field(int index) const { return m_definition.fields[std::size_t(index)]; }
    int fieldCount() const { return int(m_definition.fields.size()); }
    QString window() const { return QString::fromLatin1(m_definition.window); }

    // Value slots: one per distinct control name (a control may have one row
    // per controller type). Constant bytes have no slot (-1).
    int slotCount() const { return int(m_controls.size()); }
    int slotOfField(int index) const { return m_slotOfField[index]; }
    int slotOf(QStringView control) const;
    const QString &controlName(int slot) const { return m_controls[slot]; }
    // The first field that uses `slot`.
    int fieldOfSlot(int slot) const { return m_fieldOfSlot[slot]; }
    // Label objectName of a field ("lblMaxspeed"); empty for constants.
    const QString &labelName(int index) const { return m_labels[index]; }

private:
    const BlockSpec &m_definition;
    QList<QString> m_controls;
    QList<int> m_slotOfField;
    QList<int> m_fieldOfSlot;
    QList<QString> m_labels;
};

// The values of one page's editors, by control name: the text of a text
// box, the index of a list (-1: nothing selected), the state of a check box
// (0 or 1).
class ValueMap
{
public:
    // Every editor at its design-time default.
    explicit ValueMap(const BlockTable &table);

    const BlockTable &table() const { return *m_table; }
    bool holdsIndex(int slot) const;

    // Text boxes. Returns false when the table has no such text box: a name
    // that matches no control is an error, never a silent skip.
    QString text(QStringView control) const;
    [[nodiscard]] bool setText(QStringView control, const QString &text);
    // Lists and check boxes.
    int index(QStringView control) const;
    [[nodiscard]] bool setIndex(QStringView control, int index);

    const QString &at(int slot) const { return m_texts[slot]; }
    void setAt(int slot, const QString &text) { m_texts[slot] = text; }
    int indexAt(int slot) const { return m_indexes[slot]; }
    void setIndexAt(int slot, int index) { m_indexes[slot] = index; }
    // A received value that what its editor shows would not give back: a
    // list byte no item names or one the list limits to an item, a number
    // that the box's range clamps. It goes back on a write while the editor
    // shows what it showed (see receivedValueStillShown).
    std::optional<qint32> heldAt(int slot) const { return m_held[slot]; }
    void setHeldAt(int slot, std::optional<qint32> raw) { m_held[slot] = raw; }
    int size() const { return int(m_texts.size()); }

    bool operator==(const ValueMap &other) const
    {
        return m_table == other.m_table && m_texts == other.m_texts && m_indexes == other.m_indexes &&
               m_held == other.m_held;
    }

private:
    const BlockTable *m_table;
    QList<QString> m_texts;
    QList<int> m_indexes;
    QList<std::optional<qint32>> m_held;
};

struct EncodeResult
{
    int failedField = -1; // index into the table; -1 when the block is complete
    ParseError error = ParseError::None;
    bool ok() const { return failedField < 0; }
};

// What one numeric field stores for a box text, after parse, sign, scale,
// conversion and range.
struct FieldValue
{
    qint64 stored = 0;
    ParseError error = ParseError::None;
    bool ok() const { return error == ParseError::None; }
};

struct CodecOptions
{
    int controllerType = 0;
    QChar decimalPoint = u'.';
};

// A text box's text into what the field stores.
FieldValue encodeFieldValue(const FieldSpec &field, QStringView text, QChar decimalPoint);
// A list index or check state into what the field stores.
FieldValue encodeIndexValue(const FieldSpec &field, int index);
// The list index or check state a raw value shows (lists limited as the field says).
int decodedIndex(const FieldSpec &field, qint64 raw);
// The selection a raw value shows in its list box: the decoded index, or -1
// (no selection) when no item has it.
int shownIndex(const FieldSpec &field, qint64 raw);
// The integer a numeric, flag or list field holds in `block` (sm16 signed).
qint64 rawFieldValue(const FieldSpec &field, const Block &block);
// The number a box shows for a raw value (scale, sign and offset undone).
double decodedFieldValue(const FieldSpec &field, qint64 raw);
QString displayText(const FieldSpec &field, qint64 raw, QChar decimalPoint);
// The held received value of a slot while its editor still shows it
// (the same text, the same selection); empty otherwise.
std::optional<qint64> receivedValueStillShown(const FieldSpec &field, const ValueMap &values, int slot,
                                              QChar decimalPoint);

// Builds a whole write block from the values: 32 zero bytes, command, write
// code (from the command table), end marker, then every field of the
// controller type in table order.
// On the first field that fails, stops and leaves `out` untouched.
EncodeResult encodeBlock(const BlockTable &table, const ValueMap &values,
                         const CodecOptions &options, Block &out);

// Sets the values of every field of the controller type from `block`;
// the values of other fields keep their texts.
void decodeBlock(const BlockTable &table, const Block &block, const CodecOptions &options,
                 ValueMap &values);
