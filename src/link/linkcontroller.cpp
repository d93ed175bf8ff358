#include "link/linkcontroller.h"

#include "link/logging.h"
#include "core/appstate.h"
#include "link/commandtable.h"
#include "core/messageservice.h"

#include <QMetaEnum>
#include <QPointer>

#include <algorithm>
#include <ctime>

LinkController::LinkController(ConnectionState &connection, const LanguageState &language,
                               MessageService &messages, QObject *parent)
    : QObject(parent),
      m_connection(connection),
      m_messages(messages),
      m_supervisor(connection),
      m_dispatcher(language, m_supervisor, messages),
      m_queue([this](const QByteArray &frame) { return sendFrame(frame); }),
      m_portName(portNameForNumber(1)),
      m_settings(QString::fromLatin1(kDefaultPortSettings))
{
    m_clock.start();
#ifdef CLOCK_MONOTONIC_COARSE
    timespec t{};
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) == 0)
        m_coarseStartMs = qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
#endif
    m_timer.setObjectName(QStringLiteral("Timer3"));
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &LinkController::onTimer);
}

void LinkController::startTimer()
{
    m_sleeping = 0;
    m_timer.setTimerType(Qt::CoarseTimer);
    m_timer.start(kTickMs);
}

void LinkController::onTimer()
{
    countSleptTicks();
    tick();
    planSleep();
}

// The ticks slept through, as far as their time has come: counted as quiet
// ticks, each with its ticked().
void LinkController::countSleptTicks()
{
    const int planned = m_sleeping;
    m_sleeping = 0;
    const int n = int(std::clamp<qint64>((nowMs() - m_lastTickMs) / kTickMs, 0, planned));
    for (int i = 0; i < n; ++i) {
        m_supervisor.skipQuietTicks(1);
        m_lastTickMs += kTickMs;
        emit ticked();
    }
}

void LinkController::planSleep()
{
    int quiet = 0;
    if (m_timer.isActive() && isOpen() && !m_portLost && !m_portReturned && !m_queue.busy()
        && m_queue.waiting() == 0 && m_assembler.pending() == 0 && !(m_ticksWanted && m_ticksWanted()))
        quiet = m_supervisor.quietTicksAhead();
    if (quiet >= 2) {
        // To the tick that polls or finds the line silent, on the 100 ms
        // steps of the ticks so far.
        m_sleeping = quiet;
        const qint64 due = m_lastTickMs + (quiet + 1) * kTickMs - nowMs();
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.start(int(std::clamp<qint64>(due, 1, (quiet + 1) * kTickMs)));
    } else if (m_timer.isActive() && m_timer.interval() != kTickMs) {
        tickOnSteps();
    }
}

// Every 100 ms again, from the next of the 100 ms steps of the ticks so far.
void LinkController::tickOnSteps()
{
    m_timer.setTimerType(Qt::CoarseTimer);
    m_timer.start(int(std::clamp<qint64>(m_lastTickMs + kTickMs - nowMs(), 1, kTickMs)));
}

void LinkController::wake()
{
    if (m_sleeping == 0)
        return;
    countSleptTicks();
    tickOnSteps();
}

bool LinkController::setPollsPerSecond(int rate)
{
    wake();
    return m_supervisor.setPollsPerSecond(rate);
}

LinkController::~LinkController()
{
    closePort();
}

void LinkController::setPortFactory(PortFactory factory)
{
    closePort();
    m_port.reset();
    m_factory = std::move(factory);
}

void LinkController::setPortName(const QString &name)
{
    // A port chosen by hand ends the search for the adapter of the old one.
    if (name != m_portName) {
        m_portLost = false;
        m_adapters.forget();
    }
    m_portName = name;
}

SerialPort::OpenResult LinkController::openPort()
{
    wake();
    if (isOpen())
        return {};
    const auto settings = PortSettings::parse(m_settings);
    if (!settings)
        return {SerialPort::OpenError::BadSettings, m_settings};
    if (m_portName.isEmpty() || !m_factory)
        return {SerialPort::OpenError::NotFound, m_portName};

    // A fresh port object per opening: the previous one may have died with
    // its device, and the name may now mean a different kind of port.
    if (m_port) {
        m_port->disconnect(this);
        m_port->close();
    }
    m_port = m_factory(m_portName);
    if (!m_port)
        return {SerialPort::OpenError::NotFound, m_portName};
    connect(m_port.get(), &SerialPort::readyRead, this, &LinkController::onReadyRead);
    connect(m_port.get(), &SerialPort::failed, this, &LinkController::onPortFailed);

    const SerialPort::OpenResult result = m_port->open(m_portName, *settings);
    if (result.ok()) {
        m_queue.setLineSettings(*settings);
        m_closing = false;
        m_failureReported = false;
        m_portReturned = m_portLost;
        m_portLost = false;
        m_adapters.opened(m_portName);
        // Bytes that waited from before the opening are no replies.
        m_assembler.clear();
        m_port->readAll();
        qCInfo(lcLink, "port %s opened with %s", qPrintable(m_portName), qPrintable(m_settings));
    } else {
        qCInfo(lcLink, "port %s cannot be opened: %s", qPrintable(m_portName),
               qPrintable(result.detail));
    }
    return result;
}

SerialPort::OpenResult LinkController::connectTo(const QString &portName, const QString &settings)
{
    disconnectPort();
    setPortName(portName);
    setSettings(settings);
    const SerialPort::OpenResult result = openPort();
    if (!result.ok())
        return result;
    m_disconnected = false;
    m_failureReported = false;
    startTimer();
    return result;
}

QString LinkController::disconnectedText() const
{
    return tr("The link is disconnected: nothing was sent. Choose the port under Options > Com Setting "
              "to connect again.");
}

void LinkController::disconnectPort()
{
    wake();
    const int before = m_connection.linkState;
    m_disconnected = true;
    m_timer.stop();
    m_sleeping = 0;
    closePort();
    m_assembler.clear();
    m_supervisor.reset();
    m_queue.cancelAll();
    noteStateChange(before);
}

bool LinkController::isOpen() const
{
    return m_port && !m_closing && m_port->isOpen();
}

void LinkController::closePort()
{
    wake();
    if (m_port && m_port->isOpen()) {
        m_port->close();
        qCInfo(lcLink, "port %s closed", qPrintable(m_portName));
    }
}

bool LinkController::sendFrame(const QByteArray &frame)
{
    wake();
    if (m_disconnected) {
        reportOnce(disconnectedText());
        return false;
    }
    if (!isOpen()) {
        const SerialPort::OpenResult result = m_portLost ? reopenLostPort() : openPort();
        if (!result.ok()) {
            reportOnce(openFailureText(result));
            return false;
        }
    }
    qCDebug(lcFrames, "out %s", qPrintable(hexString(frame)));
    return m_port->write(frame);
}

void LinkController::tick()
{
    const int before = m_connection.linkState;
    const qint64 now = nowMs();
    // A tick that comes late means the window was busy: bytes may be waiting
    // that the port has not announced yet, so the line cannot be called quiet.
    const bool onTime = m_lastTickMs >= 0 && now - m_lastTickMs <= kOnTimeTickMs;
    m_lastTickMs = now;

    const LinkSupervisor::TickActions actions = m_supervisor.tick();
    if (actions.sendIdcCalibRead) {
        // Once per connection, as it always went: no retry.
        RequestQueue::Request idc = RequestQueue::read(FrameId::IdcCalib);
        idc.retries = 0;
        m_queue.submit(std::move(idc));
    }
    if (isOpen()) {
        // Whatever waits is taken through the assembler, which finds the
        // block boundaries again by itself: after a block without end marker
        // nothing that waits is a reply to throw away.
        const QByteArray waiting = m_port->readAll();
        if (actions.discardInput)
            qCDebug(lcFrames, "out of step: %d waiting bytes resynchronised", int(waiting.size()));
        if (!waiting.isEmpty())
            receiveBytes(waiting);
        else if (onTime)
            m_assembler.dropStale(now);
    }
    m_replyAwaited = actions.sendPoll;
    if (actions.sendPoll) {
        sendFrame(requestFrames().statusPollRequest);
        if (m_portReturned && isOpen()) {
            m_portReturned = false;
            m_supervisor.pollOnReturnedPort();
        }
    }
    m_queue.expire();
    noteStateChange(before);
    emit ticked();
}

qint64 LinkController::coarseElapsedMs() const
{
#ifdef CLOCK_MONOTONIC_COARSE
    timespec t{};
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) == 0)
        return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000 - m_coarseStartMs;
#endif
    return m_clock.elapsed();
}

void LinkController::onReadyRead()
{
    if (!isOpen())
        return;
    // Read into a buffer of our own: a stream of blocks allocates nothing.
    char chunk[4096];
    for (;;) {
        const qint64 n = m_port->read(chunk, qint64(sizeof chunk));
        if (n <= 0)
            break;
        receiveBytes(chunk, qsizetype(n));
        // A handler may have closed the port meanwhile.
        if (n < qint64(sizeof chunk) || !isOpen())
            break;
    }
    // The answer to the last poll, once whole, sends the link back to sleep
    // at once if nothing else is due (a stream of blocks wakes it anyway).
    if (m_replyAwaited && m_assembler.pending() == 0) {
        m_replyAwaited = false;
        planSleep();
    }
}

void LinkController::receiveBytes(const QByteArray &data)
{
    receiveBytes(data.constData(), data.size());
}

void LinkController::receiveBytes(const char *data, qsizetype size)
{
    wake();
    m_assembler.append(data, size, nowMs());
    // One block at a time: a handler that lets the event loop run may
    // receive more bytes meanwhile, and they queue up behind.
    Block block;
    while (m_assembler.next(block))
        handleBlock(block);
}

void LinkController::handleBlock(const Block &block)
{
    const int before = m_connection.linkState;
    qCDebug(lcFrames, "in  %s", qPrintable(hexString(block)));
    if (block[kBlockSize - 1] != kEndMarker) {
        m_supervisor.badBlock();
        qCInfo(lcLink, "block without end marker dropped");
        return;
    }
    m_supervisor.goodBlock();
    const RequestQueue::Request *awaiting = m_queue.awaiting(block);
    m_dispatcher.dispatch(block, awaiting && awaiting->quiet);
    m_supervisor.activity();
    // After the dispatch: whoever keeps the block has it when the request's
    // caller hears of the answer.
    m_queue.offer(block);
    noteStateChange(before);
}

void LinkController::onPortFailed(SerialPort::LossCause cause, const QString &detail)
{
    wake();
    // Some drivers report the same dead line again and again while the port
    // stays open: act on the first report only and close the port once.
    if (m_closing)
        return;
    m_closing = true;
    m_portLost = true;
    m_portReturned = false;
    const int before = m_connection.linkState;
    qCInfo(lcLink, "port %s lost: %s (%s)", qPrintable(m_portName),
           QMetaEnum::fromType<SerialPort::LossCause>().valueToKey(int(cause)), qPrintable(detail));
    m_supervisor.forceOffline();
    m_assembler.clear();
    noteStateChange(before);

    // Closed from the event loop, not from inside the port's own signal.
    QPointer<SerialPort> failedPort = m_port.get();
    QMetaObject::invokeMethod(
        this,
        [this, failedPort] {
            if (failedPort && failedPort == m_port.get() && m_closing)
                failedPort->close();
        },
        Qt::QueuedConnection);

    emit portLost(cause);
    if (!m_failureReported) {
        m_failureReported = true;
        m_messages.showDismissable(QString::fromLatin1(kLinkLostKey),
                                   {MessageService::Icon::Warning, QStringLiteral("info"), lostPortText(cause)});
    }
}

// The lost port's name first; when that name stays away, the same adapter
// under whatever name it came back with. A built-in port, or an adapter that
// cannot be told apart from others, is only ever reopened under its name.
SerialPort::OpenResult LinkController::reopenLostPort()
{
    const SerialPort::OpenResult result = openPort();
    if (result.error != SerialPort::OpenError::NotFound)
        return result;
    const QString returned = m_adapters.returnedName(m_portName);
    if (returned.isEmpty())
        return result;
    qCInfo(lcLink, "adapter of port %s is back as %s", qPrintable(m_portName), qPrintable(returned));
    m_portName = returned;
    m_connection.portNumber = portNumberForName(returned);
    emit portRenamed(returned);
    return openPort();
}

void LinkController::reportOnce(const QString &text)
{
    if (m_failureReported)
        return;
    m_failureReported = true;
    m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"), text});
}

QString LinkController::lostPortText(SerialPort::LossCause cause) const
{
    QString why;
    switch (cause) {
    case SerialPort::LossCause::Removed:
        why = tr("the adapter was unplugged or the device is gone");
        break;
    case SerialPort::LossCause::PermissionDenied:
        why = tr("access to the port was taken away");
        break;
    case SerialPort::LossCause::Other:
        why = tr("the port stopped working");
        break;
    }
    return tr("The connection to the controller on %1 was lost: %2. The link is offline and "
              "comes back by itself when the port returns.")
        .arg(m_portName, why);
}

QString LinkController::openFailureText(const SerialPort::OpenResult &result) const
{
    switch (result.error) {
    case SerialPort::OpenError::None:
        return {};
    case SerialPort::OpenError::NotFound:
        return tr("The serial port %1 was not found. Check that the adapter is plugged in and "
                  "that the right port is chosen in the port settings.")
            .arg(m_portName);
    case SerialPort::OpenError::PermissionDenied:
        return tr("No permission to open the serial port %1. Add your user to the group "
                  "\"dialout\" and log in again.")
            .arg(m_portName);
    case SerialPort::OpenError::Busy:
        return tr("The serial port %1 is in use by another program.").arg(m_portName);
    case SerialPort::OpenError::BadSettings:
        return tr("The serial port %1 does not accept the settings %2.").arg(m_portName, m_settings);
    case SerialPort::OpenError::Other:
        break;
    }
    return tr("The serial port %1 cannot be opened: %2").arg(m_portName, result.detail);
}

void LinkController::noteStateChange(int before)
{
    if (m_connection.linkState == before)
        return;
    qCInfo(lcLink, "link state %d -> %d", before, m_connection.linkState);
    // What waits for an answer will not get one from a link that went down.
    if (m_connection.linkState == LinkStateCode::Offline)
        m_queue.cancelAll();
    // The notice of a lost port says nothing true once the link is back.
    if (m_connection.linkState == LinkStateCode::Online)
        m_messages.dismiss(QString::fromLatin1(kLinkLostKey));
    emit linkStateChanged(m_connection.linkState);
}
