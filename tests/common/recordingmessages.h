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
        QString key = {}; // shown to be dismissed
    };

    void show(const Message &message, std::function<void()> onClosed = {}) override
    {
        shown.append({message, std::move(onClosed), {}});
    }

    void ask(const Message &message, std::function<void(bool yes)> onAnswer) override
    {
        questions.append({message, std::move(onAnswer)});
    }

    void showDismissable(const QString &key, const Message &message) override
    {
        shown.append({message, {}, key});
    }
    // A box closed by its sender goes to `closed` without its follow-up.
    void dismiss(const QString &key) override
    {
        for (qsizetype i = 0; i < shown.size();) {
            if (!key.isEmpty() && shown[i].key == key)
                closed.append(shown.takeAt(i));
            else
                ++i;
        }
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
