#include "widgets/qtmessageservice.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <utility>

namespace {
QMessageBox::Icon boxIcon(MessageService::Icon i)
{
    using Icon = MessageService::Icon;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (i) {
    case Icon::NoIcon: icon = QMessageBox::NoIcon; break;
    case Icon::Information: icon = QMessageBox::Information; break;
    case Icon::Warning: icon = QMessageBox::Warning; break;
    case Icon::Critical: icon = QMessageBox::Critical; break;
    }
    return icon;
}
} // namespace

void QtMessageService::show(const Message &message, std::function<void()> onClosed)
{
    open(message, std::move(onClosed));
}

void QtMessageService::showDismissable(const QString &key, const Message &message)
{
    m_keyed.append({key, open(message, {})});
}

QWidget *QtMessageService::open(const Message &message, std::function<void()> onClosed)
{
    const QMessageBox::Icon icon = boxIcon(message.icon);
    const QString title =
        message.title.isEmpty() ? QCoreApplication::applicationName() : message.title;
    auto *box = new QMessageBox(icon, title, message.text, QMessageBox::Ok, m_parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [onClosed = std::move(onClosed)] {
        if (onClosed)
            onClosed();
    });
    box->open();
    return box;
}

void QtMessageService::dismiss(const QString &key)
{
    const auto keyed = std::exchange(m_keyed, {});
    for (const auto &[k, box] : keyed) {
        if (!box)
            continue;
        if (k == key)
            box->close();
        else
            m_keyed.append({k, box});
    }
}

void QtMessageService::ask(const Message &message, std::function<void(bool yes)> onAnswer)
{
    const QString title =
        message.title.isEmpty() ? QCoreApplication::applicationName() : message.title;
    auto *box = new QMessageBox(boxIcon(message.icon), title, message.text,
                                QMessageBox::Yes | QMessageBox::No, m_parent);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box, [onAnswer = std::move(onAnswer)](int result) {
        if (onAnswer)
            onAnswer(result == QMessageBox::Yes);
    });
    box->open();
}
