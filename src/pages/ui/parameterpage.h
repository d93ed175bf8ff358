#pragma once
// A parameter page built from its block table: one label and one box per
// field, grouped and aligned, with "read" and "write". The boxes are free
// text; the field codec decides what their texts mean. The page is a view of
// its block model: what the boxes show is the model's, an edit goes into the
// model, and a reply reaches the model whether the window exists or not.

#include "core/appstate.h"
#include "link/requestqueue.h"
#include "pages/engine/pageregistry.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagewindow.h"

#include <QList>

class QGridLayout;
class QHBoxLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class MessageService;

class ParameterPage : public PageWindow
{
    Q_OBJECT
public:
    ParameterPage(const BlockTable &table, ParameterService &service, const LanguageState &language,
                  MessageService &messages, QWidget *parent = nullptr);

    const BlockTable &table() const { return m_table; }
    BlockModel &model() const { return m_model; }

    // The values of the editors (text boxes: the text; lists: the index;
    // check boxes: 0 or 1), as the model holds them.
    ValueMap values() const;
    void setValues(const ValueMap &values);

    void cmdread_Click();
    // Encodes the boxes and sends the block. When the controller type leaves
    // some bytes' layout unknown (they would go out as 0), asks first; a box
    // that does not parse is marked and named, and nothing is sent.
    void cmdwrite_Click();

    void applyCaptions() override;

    // Hides (or shows) a field's label, box and unit; its bytes still travel.
    void setFieldHidden(QStringView control, bool hidden = true);

    QLineEdit *box(QStringView control) const;
    QWidget *editor(QStringView control) const;
    void setReadWriteEnabled(bool enabled);

protected:
    // Encodes and sends without asking; false when a box failed (reported).
    // `done` hears of the acknowledgement; `verified`: the block is read
    // back and compared once acknowledged (the service reports it).
    bool encodeAndSend(RequestQueue::Callback done = {}, bool verified = false);
    // Widgets of a page beyond its table (worksheets, extra buttons), placed
    // after the fields.
    void addSection(QWidget *section);
    BlockParts parts() const { return m_service.parts(); }
    ParameterService &service() const { return m_service; }
    int languageCode() const { return m_language.languageCode; }
    LinkController &link() const { return m_service.link(); }
    MessageService &messages() { return m_messages; }

private:
    void build();
    QGridLayout *gridFor(int group);
    int groupOfSlot(int slot) const;
    void addField(int slot);
    QHBoxLayout *buildButtons();
    QWidget *makeEditor(const FieldSpec &field, int slot);
    void fillLists();
    void showUnlisted(int slot);
    int captionFieldOfSlot(int slot) const;
    void reportFailure(const ParameterService::WritePlan &plan);
    void writeShownValues();
    void showModel();
    void showHidden();
    void alignColumns();
    void arrangeColumns();

    const BlockTable &m_table;
    ParameterService &m_service;
    BlockModel &m_model;
    const LanguageState &m_language;
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
    QList<QGridLayout *> m_openGrid; // by group: the box that takes its next row
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
};
