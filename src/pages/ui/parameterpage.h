#pragma once
// A parameter page built from its block table: one label and one box per
// field, grouped and aligned, with "read" and "write". The boxes are free
// text; the field codec decides what their texts mean.

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"
#include "pages/ui/pagewindow.h"

#include <QList>

class QGridLayout;
class QHBoxLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class LinkController;
class MessageService;

class ParameterPage : public PageWindow
{
    Q_OBJECT
public:
    ParameterPage(const BlockTable &table, BlockParts parts, const LanguageState &language,
                  LinkController &link, MessageService &messages, QWidget *parent = nullptr);

    const BlockTable &table() const { return m_table; }

    // The values of the editors (text boxes: the text; lists: the index;
    // check boxes: 0 or 1).
    ValueMap values() const;
    void setValues(const ValueMap &values);

    // The decoder: the page's block buffer into the boxes.
    void decodeReply() override;

    void cmdread_Click();
    // Encodes the boxes and sends the block. When the controller type leaves
    // some bytes' layout unknown (they would go out as 0), asks first; a box
    // that does not parse is marked and named, and nothing is sent.
    void cmdwrite_Click();

    void applyCaptions() override;

    // Hides, one way, every field the table hides for this controller type;
    // their bytes still travel.
    void hideFieldsFor(int controllerType);
    // Hides (or shows) a field's label, box and unit; its bytes still travel.
    void setFieldHidden(QStringView control, bool hidden = true);

    QLineEdit *box(QStringView control) const;
    QWidget *editor(QStringView control) const;
    void setReadWriteEnabled(bool enabled);

protected:
    // Encodes and sends without asking; false when a box failed (reported).
    bool encodeAndSend();
    // Widgets of a page beyond its table (worksheets, extra buttons), placed
    // after the fields.
    void addSection(QWidget *section);
    const BlockParts &parts() const { return m_parts; }
    int languageCode() const { return m_language.languageCode; }
    LinkController &link() { return m_link; }
    MessageService &messages() { return m_messages; }

private:
    void build();
    QWidget *makeEditor(const FieldSpec &field);
    void fillLists();
    int captionFieldOfSlot(int slot) const;
    QString fieldCaption(int field) const;
    void reportFailure(const EncodeResult &result);
    void alignColumns();
    void arrangeColumns();

    const BlockTable &m_table;
    BlockParts m_parts;
    const LanguageState &m_language;
    LinkController &m_link;
    MessageService &m_messages;
    QList<QWidget *> m_editors; // by value slot
    QList<QLabel *> m_labels;   // by value slot; nullptr for check boxes
    QList<QLabel *> m_units;    // by value slot; nullptr without a unit
    QList<QGroupBox *> m_groups; // the boxes; a long group continues in a second one
    QList<int> m_groupOfBox;
    QList<QWidget *> m_sections; // extra widgets of a page, arranged with the groups
    QHBoxLayout *m_columns = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
    QList<QGridLayout *> m_grids;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
};

// Texts of the page messages, also for tests (context "ParameterPage").
QString parseFailureMessage(int languageCode, ParseError error, const QString &caption,
                            const QString &text, int maxLength);
QString parseFailureReason(int languageCode, ParseError error);
// The question before a write whose listed bytes' layout is unknown.
QString unknownLayoutQuestion(int languageCode, const QList<int> &bytes);
