#pragma once
// The receive dispatch: a block with a valid end marker is looked up in the
// reply table, copied into its buffer, and handed to its decoder, its
// acknowledgement message or the hall-test window. Decoders plug in with
// setHandler(); a row without a handler only stores its block.

#include "link/commandtable.h"

#include <QByteArray>

#include <array>
#include <functional>

struct AppState;
class LinkSupervisor;
class MessageService;

class Dispatcher
{
public:
    using Handler = std::function<void()>;
    using Sender = std::function<bool(const QByteArray &)>;
    using Encoder = std::function<bool()>; // false: a box did not parse, nothing to send

    Dispatcher(AppState &state, LinkSupervisor &supervisor, MessageService &messages, Sender send);

    void setHandler(ReplyAction action, Handler handler);
    bool hasHandler(ReplyAction action) const;
    // encodeTorquePid, for the "Load para" rewrite of the Torque PID block.
    void setTorquePidEncoder(Encoder encoder) { m_encodeTorquePid = std::move(encoder); }

    // Dispatches one block whose end marker has been checked; returns the
    // matching row or nullptr.
    const ReplyRow *dispatch(const Block &block);

private:
    void run(ReplyAction action);
    void acknowledge(const ReplyRow &row);
    void hallWarning();
    void continueLoadParaAfterProtectionAck();
    void continueLoadParaAfterTorquePidReply();

    AppState &m_state;
    LinkSupervisor &m_supervisor;
    MessageService &m_messages;
    Sender m_send;
    Encoder m_encodeTorquePid;
    std::array<Handler, static_cast<std::size_t>(ReplyAction::Count)> m_handlers;
};
