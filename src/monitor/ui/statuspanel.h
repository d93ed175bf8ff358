#pragma once
// The live-status frame frmSysStatus, the fault frame frmErrCode and the
// I/O status label of the main window.

#include <QList>
#include <QWidget>

#include <vector>

class QGroupBox;
class QLabel;
struct StatusView;

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
    QLabel *find(const char *name) const;
    void forgetShown();
    template <typename Cache>
    Cache &cached(std::vector<Cache> &cache, std::size_t index, const char *name) const;

    std::vector<Shown> m_shown;
    std::vector<ShownVisibility> m_shownVisibility;

    QGroupBox *m_status = nullptr;
    QGroupBox *m_errors = nullptr;
    QLabel *m_portStatus = nullptr;
    QList<QLabel *> m_liveLabels;
    bool m_stale = false;
};

// Sets the text colour of a label from a 24-bit value with red in the low
// byte, and keeps the value in the label's "foreColor" property.
void setForeColor(QLabel *label, int bgr);
