#include "widgets/qtmessageservice.h"

#include <QCoreApplication>
#include <QMessageBox>

void QtMessageService::show(const Message &message, std::function<void()> onClosed)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (message.icon) {
    case Icon::NoIcon: icon = QMessageBox::NoIcon; break;
    case Icon::Information: icon = QMessageBox::Information; break;
    case Icon::Warning: icon = QMessageBox::Warning; break;
    case Icon::Critical: icon = QMessageBox::Critical; break;
    }
    const QString title =
        message.title.isEmpty() ? QCoreApplication::applicationName() : message.title;
    auto *box = new QMessageBox(icon, title, message.text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [onClosed = std::move(onClosed)] {
        if (onClosed)
            onClosed();
    });
    box->open();
}
