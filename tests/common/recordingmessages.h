#pragma once
// A message service for tests: keeps every message; the test closes them.

#include "core/messageservice.h"

#include <QList>

class RecordingMessages : public MessageService
{
public:
    struct Shown
    {
        Message message;
        std::function<void()> onClosed;
    };

    void show(const Message &message, std::function<void()> onClosed = {}) override
    {
        shown.append({message, std::move(onClosed)});
    }

    // Closes every open box in order, running what follows the closing.
    void closeAll()
    {
        const QList<Shown> open = std::exchange(shown, {});
        closed += open;
        for (const Shown &s : open)
            if (s.onClosed)
                s.onClosed();
    }

    QStringList texts() const
    {
        QStringList t;
        for (const Shown &s : shown)
            t << s.message.text;
        return t;
    }

    QList<Shown> shown;
    QList<Shown> closed;
};
