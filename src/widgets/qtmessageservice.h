#pragma once
#include "core/messageservice.h"

#include <QPointer>
#include <QWidget>

// Shows each message as a QMessageBox opened without a nested event loop.
class QtMessageService : public MessageService
{
public:
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    void show(const Message &message, std::function<void()> onClosed = {}) override;
    void ask(const Message &message, std::function<void(bool yes)> onAnswer) override;

private:
    QPointer<QWidget> m_parent;
};
