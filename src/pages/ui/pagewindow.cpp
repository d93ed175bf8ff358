#include "pages/ui/pagewindow.h"

#include <QCloseEvent>

PageWindow::PageWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    // Closing discards the texts: the next opening starts from the defaults.
    setAttribute(Qt::WA_DeleteOnClose);
}

void PageWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    QWidget::closeEvent(event);
}
