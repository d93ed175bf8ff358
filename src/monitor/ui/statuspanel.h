#pragma once
// The live-status frame frmSysStatus, the fault frame frmErrCode and the
// I/O status label of the main window.

#include <QWidget>

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
    // Applies one decoded block.
    void showStatus(const StatusView &view);

    QGroupBox *statusFrame() const { return m_status; }

private:
    QLabel *makeLabel(const char *name, QWidget *parent, const QString &text = {});
    QLabel *find(const char *name) const;

    QGroupBox *m_status = nullptr;
    QGroupBox *m_errors = nullptr;
    QLabel *m_portStatus = nullptr;
};

// Sets the text colour of a label from a 24-bit value with red in the low
// byte, and keeps the value in the label's "foreColor" property.
void setForeColor(QLabel *label, int bgr);
