#pragma once
#include "core/messageservice.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QWidget>

// Shows each message as a QMessageBox opened without a nested event loop.
class QtMessageService : public MessageService
{
public:
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    void show(const Message &message, std::function<void()> onClosed = {}) override;
    void ask(const Message &message, std::function<void(bool yes)> onAnswer) override;
    void showDismissable(const QString &key, const Message &message) override;
    void dismiss(const QString &key) override;

private:
    QWidget *open(const Message &message, std::function<void()> onClosed);
    QPointer<QWidget> m_parent;
    QList<QPair<QString, QPointer<QWidget>>> m_keyed; // open boxes shown with a key
};
