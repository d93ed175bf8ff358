#pragma once
// The live-status frame frmSysStatus, the fault frame frmErrCode and the
// I/O status label of the main window.

#include <QFont>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <vector>

class QGroupBox;
class QLabel;
struct StatusView;

// Holds the I/O label at its whole size, with the size hint of the label's
// largest text, so that the label's own changes of text reach no layout.
class PortStatusHost : public QWidget
{
    Q_OBJECT
public:
    explicit PortStatusHost(QWidget *parent = nullptr);
    void setLabel(QLabel *label);
    // The hint from the largest of the texts the label can show.
    void fixHint(const QStringList &texts);
    QSize sizeHint() const override { return m_hint; }
    QSize minimumSizeHint() const override { return m_least; }

protected:
    void resizeEvent(QResizeEvent *) override;

private:
    QLabel *m_label = nullptr;
    QSize m_hint, m_least;
    QFont m_measuredFont;
    QStringList m_measuredTexts;
};

class StatusPanel : public QWidget
{
    Q_OBJECT
public:
    explicit StatusPanel(QWidget *parent = nullptr);

    // "***" in the nineteen value labels; nothing else clears them.
    void resetStatusValues();
    // The captions of the two frames and the initial I/O text, for codes 11 and 22.
    void applyCaptions(int languageCode);
    // Applies one decoded block: sets a text, a colour or a visibility only
    // where it differs from what the label shows.
    void showStatus(const StatusView &view);
    // Greys the live values (and the fault cells) while the link is down;
    // the next block shows them live again.
    void setStale(bool stale);
    bool isStale() const { return m_stale; }

    QGroupBox *statusFrame() const { return m_status; }

private:
    // What showStatus last gave a label, so that an unchanged value costs a
    // comparison and no repaint.
    struct Shown
    {
        const char *name = nullptr;
        QLabel *label = nullptr;
        QString text;
        int color = -1;
        bool known = false; // false: the label was changed elsewhere since
    };
    struct ShownVisibility
    {
        const char *name = nullptr;
        QLabel *label = nullptr;
        int visible = -1; // -1: not known
    };

    QLabel *makeLabel(const char *name, QWidget *parent, const QString &text = {});
    // A label whose text changes with the blocks: it repaints only itself.
    QLabel *makeValue(const char *name, QWidget *parent, const QString &text = {});
    // The labels whose texts change with every block get a fixed size, from
    // the widest text each can show in its font: a new text then repaints
    // the label and lays out nothing.
    void fixValueSizes();
    QLabel *find(const char *name) const;
    void forgetShown();
    template <typename Cache>
    Cache &cached(std::vector<Cache> &cache, std::size_t index, const char *name) const;

    std::vector<Shown> m_shown;
    std::vector<ShownVisibility> m_shownVisibility;

    QGroupBox *m_status = nullptr;
    QGroupBox *m_errors = nullptr;
    QLabel *m_portStatus = nullptr;
    struct Steady
    {
        QLabel *label;
        int baseWidth; // the least width it was given
    };
    std::vector<Steady> m_steady;
    QList<QLabel *> m_liveLabels;
    bool m_stale = false;
};

// Sets the text colour of a label from a 24-bit value with red in the low
// byte, and keeps the value in the label's "foreColor" property.
void setForeColor(QLabel *label, int bgr);
