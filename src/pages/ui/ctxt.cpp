#include "pages/ui/ctxt.h"

#include <QKeyEvent>
#include <QLineEdit>

cTxt::cTxt(QLineEdit *box, bool decimal, QObject *parent)
    : QObject(parent), textbox(box), isDecimal(decimal)
{
    if (textbox)
        textbox->installEventFilter(this);
}

bool cTxt::accepts(int code, bool decimal)
{
    if (code >= 0 && code <= 31)
        return true;
    if (code == 45 || code == 46 || (code >= 48 && code <= 57))
        return decimal;
    if ((code >= 65 && code <= 90) || (code >= 97 && code <= 122))
        return !decimal;
    return false;
}

bool cTxt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != textbox || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Keys that type no character (arrows, Delete, function keys) are not
    // character presses and pass untouched.
    if (key->text().isEmpty() || key->key() == Qt::Key_Delete)
        return false;
    for (QChar c : key->text()) {
        if (!accepts(c.unicode(), isDecimal))
            return true; // swallowed: nothing is typed
    }
    return false;
}
