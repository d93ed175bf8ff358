#pragma once
// What a command needs of the tool to talk to a controller, without a
// window: the program state, the link to the serial port or to the
// simulated controller, and the parameter service; messages go to standard
// error.

#include "core/appstate.h"
#include "core/messageservice.h"
#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/sets/settransfer.h"
#include "shell/cli/cli.h"

#include <functional>
#include <memory>

namespace cli {

// Boxes a window would show, as lines on standard error; a question is
// answered No (a command asks nothing: its options decide).
class StreamMessages : public MessageService
{
public:
    explicit StreamMessages(QTextStream &err) : m_err(err) {}
    void show(const Message &message, std::function<void()> onClosed = {}) override;
    void ask(const Message &message, std::function<void(bool yes)> onAnswer) override;

private:
    QTextStream &m_err;
};

class Session
{
public:
    Session(const LinkOptions &options, Context &context);
    ~Session();

    // Opens the port; says why it cannot on standard error.
    bool open();
    // The link timer polls the status once a second (monitor).
    void startPolling() { m_link.startTimer(); }

    // Runs the event loop until `done` says so, or `timeoutMs` have passed
    // (false then).
    bool waitFor(const std::function<bool()> &done, int timeoutMs);

    AppState &state() { return m_state; }
    LinkController &link() { return m_link; }
    ParameterService &service() { return *m_service; }
    QString portName() const { return m_portName; }
    QString settings() const { return m_settings; }
    int languageCode() const { return m_state.language.languageCode; }

private:
    Context &m_context;
    AppState m_state;
    StreamMessages m_messages;
    LinkController m_link;
    std::unique_ptr<ParameterService> m_service;
    QString m_portName;
    QString m_settings;
};

// The model text of the set's subproject, as the status bar shows it (in
// English); empty without an Idc block.
QString mcuModelTextFor(const ParameterSet &set);

// Reads every block of the controller (progress on standard error); none
// when nothing answered (said on standard error).
std::optional<BackupResult> backUp(Session &session, Context &context);

} // namespace cli
