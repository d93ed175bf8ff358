#include "link/dispatcher.h"

#include "link/linksupervisor.h"
#include "core/appstate.h"
#include "link/commandtable.h"
#include "core/language.h"
#include "core/messageservice.h"

Dispatcher::Dispatcher(AppState &state, LinkSupervisor &supervisor, MessageService &messages,
                       Sender send)
    : m_state(state), m_supervisor(supervisor), m_messages(messages), m_send(std::move(send))
{
}

void Dispatcher::setHandler(ReplyAction action, Handler handler)
{
    m_handlers[static_cast<std::size_t>(action)] = std::move(handler);
}

bool Dispatcher::hasHandler(ReplyAction action) const
{
    return bool(m_handlers[static_cast<std::size_t>(action)]);
}

void Dispatcher::run(ReplyAction action)
{
    if (const Handler &h = m_handlers[static_cast<std::size_t>(action)])
        h();
}

const ReplyRow *Dispatcher::dispatch(const Block &block)
{
    const ReplyRow *row = findReplyRow(block);
    if (!row)
        return nullptr;
    if (row->buffer != FrameId::None)
        m_state.frames[row->buffer] = block;

    switch (row->action) {
    case ReplyAction::None:
        break;
    case ReplyAction::Ack:
        acknowledge(*row);
        break;
    case ReplyAction::HallWarning:
        hallWarning();
        break;
    case ReplyAction::DecodeStatus:
        run(ReplyAction::DecodeStatus);
        m_supervisor.statusBlock();
        break;
    case ReplyAction::HallADone:
        // The group A result is laid out as a Motor block.
        run(ReplyAction::DecodeMotor);
        run(ReplyAction::HallADone);
        break;
    case ReplyAction::DecodeTorquePid:
        run(ReplyAction::DecodeTorquePid);
        continueLoadParaAfterTorquePidReply();
        break;
    default:
        run(row->action);
        break;
    }
    return row;
}

void Dispatcher::acknowledge(const ReplyRow &row)
{
    const bool protectionAck = row.command == 0xF8 && row.subCommand == 0xE9;
    const QString text = bilingual(m_state.languageCode, "Link", row.ackText);
    if (text.isNull()) {
        if (protectionAck)
            continueLoadParaAfterProtectionAck();
        return;
    }
    if (protectionAck)
        m_messages.info(text, [this] { continueLoadParaAfterProtectionAck(); });
    else
        m_messages.info(text);
}

void Dispatcher::hallWarning()
{
    // The one message with its own title and icon in English.
    if (m_state.languageCode == LanguageCode::English) {
        m_messages.show({MessageService::Icon::Critical, QStringLiteral("warning"),
                         QString::fromUtf8(kHallWarningText)});
    } else if (m_state.languageCode == LanguageCode::Chinese) {
        m_messages.info(bilingual(m_state.languageCode, "Link", kHallWarningText));
    }
}

void Dispatcher::continueLoadParaAfterProtectionAck()
{
    if (m_state.loadPara.loadParaStage == 1 && m_state.loadPara.loadParaPending)
        m_send(requestFrames().dqPidReadRequest);
}

void Dispatcher::continueLoadParaAfterTorquePidReply()
{
    if (m_state.loadPara.loadParaStage != 1 || !m_state.loadPara.loadParaPending || !m_encodeTorquePid)
        return;
    if (m_encodeTorquePid())
        m_send(toByteArray(m_state.frames[FrameId::DqPid]));
}
