#include "widgets/qtmessageservice.h"

#include "widgets/windowconduct.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

QString boxTitle(const MessageService::Message &message)
{
    return message.title.isEmpty() ? QCoreApplication::applicationName() : message.title;
}

// A box is never the owner of another: its own owner is.
QWidget *ownerWindow(QWidget *w)
{
    while (w && qobject_cast<QMessageBox *>(w->window()))
        w = w->window()->parentWidget();
    return w ? w->window() : nullptr;
}
} // namespace

QWidget *QtMessageService::ownerFor(const Message &message) const
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (!message.about.isEmpty()) {
        for (QWidget *w : windows) {
            if (w->isVisible() && w->objectName() == message.about)
                return ownerWindow(w);
        }
    }
    // While a motor test runs its windows are above everything of ours: a
    // box anywhere else would be hidden behind them.
    for (QWidget *w : windows) {
        if (w->isVisible() && isMotorTestWindow(w) && !qobject_cast<QMessageBox *>(w))
            return w;
    }
    if (QWidget *active = ownerWindow(QApplication::activeWindow()))
        return active;
    return m_parent;
}

void QtMessageService::present(QMessageBox *box, QWidget *owner)
{
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (isMotorTestWindow(owner))
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    // The keyboard goes back to the window the box was about.
    QObject::connect(box, &QMessageBox::finished, box, [back = QPointer<QWidget>(owner)] {
        if (back && back->isVisible())
            back->activateWindow();
    });
    box->open();
    box->raise();
    box->activateWindow();
    if (QAbstractButton *button = box->defaultButton())
        button->setFocus(Qt::ActiveWindowFocusReason);
}

void QtMessageService::show(const Message &message, std::function<void()> onClosed)
{
    open(message, std::move(onClosed));
}

void QtMessageService::showDismissable(const QString &key, const Message &message)
{
    m_keyed.append({key, open(message, {})});
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

QWidget *QtMessageService::open(const Message &message, std::function<void()> onClosed)
{
    QWidget *owner = ownerFor(message);
    auto *box = new QMessageBox(boxIcon(message.icon), boxTitle(message), message.text, QMessageBox::Ok, owner);
    box->setDefaultButton(QMessageBox::Ok);
    QObject::connect(box, &QMessageBox::finished, box, [onClosed = std::move(onClosed)] {
        if (onClosed)
            onClosed();
    });
    present(box, owner);
    return box;
}

void QtMessageService::ask(const Message &message, std::function<void(bool yes)> onAnswer)
{
    QWidget *owner = ownerFor(message);
    auto *box = new QMessageBox(boxIcon(message.icon), boxTitle(message), message.text,
                                QMessageBox::Yes | QMessageBox::No, owner);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    QObject::connect(box, &QMessageBox::finished, box, [onAnswer = std::move(onAnswer)](int result) {
        if (onAnswer)
            onAnswer(result == QMessageBox::Yes);
    });
    present(box, owner);
}
