#pragma once
#include "core/messageservice.h"

#include <QPointer>
#include <QWidget>

class QMessageBox;

// Shows each message as a QMessageBox opened without a nested event loop.
// A box belongs to the window it is about: it stays above that window, takes
// the keyboard and gives it back to that window when it closes.
class QtMessageService : public MessageService
{
public:
    // The window of last resort (the main window).
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    void show(const Message &message, std::function<void()> onClosed = {}) override;
    void ask(const Message &message, std::function<void(bool yes)> onAnswer) override;
    void showDismissable(const QString &key, const Message &message) override;
    void dismiss(const QString &key) override;

    // The window a box for `message` belongs to: the shown window named in
    // `about`; else the window of a running motor test; else the active
    // window of ours (the one of the box that is active); else the main
    // window.
    QWidget *ownerFor(const Message &message) const;

private:
    QWidget *open(const Message &message, std::function<void()> onClosed);
    void present(QMessageBox *box, QWidget *owner);

    QPointer<QWidget> m_parent;
    QList<QPair<QString, QPointer<QWidget>>> m_keyed; // open boxes shown with a key
};
