#pragma once
// cTxt: a key filter for a text box. In decimal mode it lets through only
// digits, "-" and "."; otherwise only the letters A-Z and a-z. Control keys
// (codes 0..31: backspace, Enter, clipboard shortcuts) always pass. No page
// of the tool attaches it; it is kept for boxes that need it.

#include <QObject>

class QLineEdit;

class cTxt : public QObject
{
    Q_OBJECT
public:
    cTxt(QLineEdit *box, bool decimal, QObject *parent = nullptr);

    // Whether a key press with this character code reaches the box.
    static bool accepts(int code, bool isDecimal);

    QLineEdit *textbox = nullptr;
    bool isDecimal = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
