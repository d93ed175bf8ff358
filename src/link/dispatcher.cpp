#include "link/dispatcher.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "link/linksupervisor.h"

#include <QPointer>

Dispatcher::Dispatcher(FrameBuffers &frames, const LanguageState &language, LinkSupervisor &supervisor,
                       MessageService &messages, QObject *parent)
    : QObject(parent), m_frames(frames), m_language(language), m_supervisor(supervisor), m_messages(messages)
{
}

const ReplyRow *Dispatcher::dispatch(const Block &block)
{
    const ReplyRow *row = findReplyRow(block);
    if (!row)
        return nullptr;
    if (row->buffer != FrameId::None)
        m_frames[row->buffer] = block;

    switch (row->action) {
    case ReplyAction::None:
        break;
    case ReplyAction::Ack:
        acknowledge(*row);
        break;
    case ReplyAction::HallWarning:
        hallWarning();
        emit hallReply(row->action);
        break;
    case ReplyAction::DecodeStatus:
        emit statusReceived();
        m_supervisor.statusBlock();
        break;
    case ReplyAction::HallADone:
        // The group A result is laid out as a Motor block.
        emit blockReceived(FrameId::Motor);
        emit hallReply(row->action);
        break;
    case ReplyAction::HallAUnderTest:
    case ReplyAction::HallBUnderTest:
    case ReplyAction::HallBDone:
        emit hallReply(row->action);
        break;
    default:
        emit blockReceived(row->buffer);
        break;
    }
    return row;
}

void Dispatcher::acknowledge(const ReplyRow &row)
{
    const quint8 command = row.command;
    const QString text = bilingual(m_language.languageCode, "Link", row.ackText);
    if (text.isNull()) {
        emit acknowledgementClosed(command);
        return;
    }
    QPointer<Dispatcher> self(this);
    m_messages.info(text, [self, command] {
        if (self)
            emit self->acknowledgementClosed(command);
    });
}

void Dispatcher::hallWarning()
{
    // The one message with its own title and icon in English.
    if (m_language.languageCode == LanguageCode::English) {
        m_messages.show({MessageService::Icon::Critical, QStringLiteral("warning"),
                         QString::fromUtf8(kHallWarningText)});
    } else if (m_language.languageCode == LanguageCode::Chinese) {
        m_messages.info(bilingual(m_language.languageCode, "Link", kHallWarningText));
    }
}
