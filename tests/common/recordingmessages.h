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

    void ask(const Message &message, std::function<void(bool yes)> onAnswer) override
    {
        questions.append({message, std::move(onAnswer)});
    }

    // Answers the oldest open question.
    void answer(bool yes)
    {
        if (questions.isEmpty())
            return;
        const Question q = questions.takeFirst();
        if (q.onAnswer)
            q.onAnswer(yes);
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

    struct Question
    {
        Message message;
        std::function<void(bool)> onAnswer;
    };

    QList<Shown> shown;
    QList<Shown> closed;
    QList<Question> questions;
};
