#include "pages/ui/pagewindow.h"

#include "widgets/windowconduct.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

PageWindow::PageWindow(QWidget *parent) : QWidget(parent, kOwnedWindow)
{
    // Closing discards the texts: the next opening starts from the defaults.
    setAttribute(Qt::WA_DeleteOnClose);
}

void PageWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    QWidget::closeEvent(event);
}

void PageWindow::keyPressEvent(QKeyEvent *event)
{
    // Reaches the window when the focused box has no use for it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool PageWindow::event(QEvent *event)
{
    const bool done = QWidget::event(event);
    // The layout has placed the boxes (fields shown or hidden for the
    // controller type move the others): Tab follows them on screen.
    if (event->type() == QEvent::Show || (event->type() == QEvent::LayoutRequest && isVisible()))
        orderTabsByPosition(this);
    return done;
}
