#pragma once
// A parameter page built from its block table: one label and one box per
// field, grouped and aligned, with "read" and "write". The boxes are free
// text; the field codec decides what their texts mean.

#include "pages/engine/fieldcodec.h"
#include "pages/ui/pagewindow.h"

#include <QList>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppState;
class LinkController;
class MessageService;

// The block of a page and its two codec entry points.
struct PageCodec
{
    const BlockTable *table;
    EncodeResult (*encode)(AppState &, const ValueMap &);
    void (*decode)(AppState &, ValueMap &);
};

class ParameterPage : public PageWindow
{
    Q_OBJECT
public:
    ParameterPage(const PageCodec &codec, AppState &state, LinkController &link,
                  MessageService &messages, QWidget *parent = nullptr);

    const BlockTable &table() const { return *m_codec.table; }

    // The texts of the boxes (lists: the index; check boxes: "1"/"0").
    ValueMap values() const;
    void setValues(const ValueMap &values);

    // The decoder: the page's block buffer into the boxes.
    void decodeReply();

    void cmdread_Click();
    void cmdwrite_Click();

    void applyCaptions() override;

    // Hides (or shows) a field's label, box and unit; its bytes still travel.
    void setFieldHidden(QStringView control, bool hidden = true);

    QLineEdit *box(QStringView control) const;
    void setReadWriteEnabled(bool enabled);

private:
    void build();
    QWidget *makeEditor(const FieldSpec &field);
    int captionFieldOfSlot(int slot) const;
    QString fieldCaption(int field) const;
    void reportFailure(const EncodeResult &result);
    void alignColumns();

    PageCodec m_codec;
    AppState &m_state;
    LinkController &m_link;
    MessageService &m_messages;
    QList<QWidget *> m_editors; // by value slot
    QList<QLabel *> m_labels;   // by value slot; nullptr for check boxes
    QList<QLabel *> m_units;    // by value slot; nullptr without a unit
    QList<QGroupBox *> m_groups;
    QList<QGridLayout *> m_grids;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
};

// Texts of the page messages, also for tests (context "ParameterPage").
QString parseFailureMessage(int languageCode, ParseError error, const QString &caption,
                            const QString &text, int maxLength);
QString parseFailureReason(int languageCode, ParseError error);
