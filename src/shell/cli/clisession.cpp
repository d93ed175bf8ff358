#include "shell/cli/clisession.h"

#include "calib/idccalc.h"
#include "core/language.h"
#include "pages/sets/setblocks.h"
#include "shell/ports.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

namespace cli {

void StreamMessages::show(const Message &message, std::function<void()> onClosed)
{
    m_err << message.text << '\n';
    m_err.flush();
    if (onClosed)
        onClosed();
}

void StreamMessages::ask(const Message &message, std::function<void(bool yes)> onAnswer)
{
    m_err << message.text << '\n';
    m_err.flush();
    if (onAnswer)
        onAnswer(false);
}

Session::Session(const LinkOptions &options, Context &context)
    : m_context(context),
      m_messages(context.err),
      m_link(m_state.connection, m_state.language, m_messages),
      m_portName(options.demo ? QString::fromLatin1(kSimulatorPortName) : options.port),
      m_settings(options.settings)
{
    setLanguage(m_state.language, context.languageCode);
    // The simulated controller of a command stands still: what it answers
    // does not change between two reads.
    m_link.setPortFactory(portFactory(options.controllerType, false));
    m_link.setPortName(m_portName);
    m_link.setSettings(m_settings);
    m_state.connection.portSettings = m_settings;
    m_service = std::make_unique<ParameterService>(m_state.blockParts(), m_link, m_state.language);
}

Session::~Session()
{
    m_link.closePort();
}

bool Session::open()
{
    const SerialPort::OpenResult result = m_link.openPort();
    if (!result.ok()) {
        m_context.err << m_link.openFailureText(result) << '\n';
        return false;
    }
    return true;
}

bool Session::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

QString mcuModelTextFor(const ParameterSet &set)
{
    const std::optional<SetIdentity> id = set.identity();
    return id ? mcuModelText(LanguageCode::English, id->subproject) : QString();
}

std::optional<BackupResult> backUp(Session &session, Context &ctx)
{
    SetBackup backup(session.service());
    const int code = ctx.languageCode;
    QObject::connect(&backup, &SetBackup::progress, [&](int done, int total, FrameId family) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "Reading %1 (%2 of %3) ..."))
                       .arg(findSetBlock(family)->title(code))
                       .arg(done + 1)
                       .arg(total)
                << '\n';
        ctx.err.flush();
    });
    std::optional<BackupResult> result;
    QObject::connect(&backup, &SetBackup::finished, [&](const BackupResult &r) { result = r; });
    backup.start(session.portName(), session.settings());
    session.waitFor([&] { return result.has_value(); }, 60000);
    if (!result || result->nothingAnswered()) {
        ctx.err << text(code, QT_TRANSLATE_NOOP("Cli", "No controller answered on %1 at %2."))
                       .arg(session.portName(), session.settings())
                << '\n';
        return std::nullopt;
    }
    result->set.model = mcuModelTextFor(result->set);
    return result;
}

} // namespace cli
