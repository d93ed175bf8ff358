#pragma once
// The link as one object: the port, the block assembler, the supervisor with
// its 100 ms timer, the dispatch and the request queue, with sendFrame as the
// one way a frame leaves the tool. It runs without any window.

#include "link/blockassembler.h"
#include "link/dispatcher.h"
#include "link/linksupervisor.h"
#include "link/portidentity.h"
#include "link/requestqueue.h"
#include "link/serialport.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

struct ConnectionState;
struct LanguageState;
class MessageService;

// The key of the "connection lost" notice (MessageService::dismiss).
inline constexpr char kLinkLostKey[] = "link-lost";

class LinkController : public QObject
{
    Q_OBJECT
public:
    // Makes the port object for a port name (the real serial port, or the
    // simulator for "Simulator").
    using PortFactory = std::function<std::unique_ptr<SerialPort>(const QString &portName)>;

    LinkController(ConnectionState &connection, const LanguageState &language, MessageService &messages,
                   QObject *parent = nullptr);
    ~LinkController() override;

    void setPortFactory(PortFactory factory);
    const PortFactory &portFactory() const { return m_factory; }
    // The ports present, to find an adapter that came back under another
    // name; without one the link only ever reopens the same name.
    void setPortEnumerator(const PortEnumerator *enumerator) { m_adapters.setEnumerator(enumerator); }
    const PortEnumerator *portEnumerator() const { return m_adapters.enumerator(); }

    // The serial control's port and settings, used by the next open.
    void setPortName(const QString &name);
    QString portName() const { return m_portName; }
    void setSettings(const QString &settings) { m_settings = settings; }
    QString settings() const { return m_settings; }

    // Opens the port now (port dialog, --port). Reports nothing itself.
    SerialPort::OpenResult openPort();
    bool isOpen() const;
    void closePort();

    // The port dialog confirmed: the open port (if any) is closed, the chosen
    // one opened with the chosen settings and polled. On failure the link is
    // left disconnected, nothing open, and the result says why.
    SerialPort::OpenResult connectTo(const QString &portName, const QString &settings);
    // Options > Disconnect: the port is closed and nothing is polled or sent
    // until a port is chosen again.
    void disconnectPort();
    bool disconnected() const { return m_disconnected; }
    // What a send says while disconnected (current language).
    QString disconnectedText() const;
    SerialPort *port() const { return m_port.get(); }

    // Opens the port when it is closed, then writes the whole frame. A port
    // that cannot be opened is reported once, until an open succeeds again.
    bool sendFrame(const QByteArray &frame);

    // One tick of the 100 ms link timer: after-connect request, poll,
    // silence, time-outs of the request queue; then ticked().
    void tick();
    // While nothing is due (online, nothing asked and not answered, no
    // bytes of a block waiting) the timer sleeps through the ticks that would
    // only count, up to the next poll or the silence limit, and counts them
    // when it wakes. Anything that comes or goes on the link wakes it first:
    // the ticks it slept through are counted then, and it ticks every 100 ms
    // until it may sleep again. The state after any event is the same as
    // with a tick every 100 ms.
    void wake();
    // What else needs every tick (a running motor test); asked before each
    // sleep.
    void setTicksWanted(std::function<bool()> wanted) { m_ticksWanted = std::move(wanted); }
    // The user's poll rate (LinkSupervisor::setPollsPerSecond); wakes the link.
    bool setPollsPerSecond(int rate);
    // The link timer runs from the first opening of a port on (the port
    // dialog, --port) until the program ends.
    QTimer *linkTimer() { return &m_timer; }
    void startTimer();

    // A request that gets an answer (see RequestQueue); its frame goes out
    // through sendFrame.
    quint64 request(RequestQueue::Request request) { return m_queue.submit(std::move(request)); }
    RequestQueue &requests() { return m_queue; }

    // The receive handler for one whole block.
    void handleBlock(const Block &block);
    // Bytes just read from the port, in any chunks.
    void receiveBytes(const QByteArray &data);
    void receiveBytes(const char *data, qsizetype size);

    // Milliseconds for the block assembler's frame gap (tests step it by hand).
    // The request queue's time-outs follow the same clock.
    void setClock(std::function<qint64()> nowMs)
    {
        m_now = nowMs;
        m_queue.setClock(std::move(nowMs));
    }

    Dispatcher &dispatcher() { return m_dispatcher; }
    LinkSupervisor &supervisor() { return m_supervisor; }
    BlockAssembler &assembler() { return m_assembler; }

    // Message texts for a port that failed to open (in the current language).
    QString openFailureText(const SerialPort::OpenResult &result) const;
    // The notice for a port that stopped working while open (current language).
    QString lostPortText(SerialPort::LossCause cause) const;

signals:
    // After every tick, once the link state is up to date.
    void ticked();
    void linkStateChanged(int linkState);
    // The port went away while open; the link is offline until it is back.
    void portLost(SerialPort::LossCause cause);
    // The lost adapter came back under another name, which the link now uses.
    void portRenamed(const QString &newName);

private:
    void onReadyRead();
    void onTimer();
    void planSleep();
    void countSleptTicks();
    void tickOnSteps();
    void onPortFailed(SerialPort::LossCause cause, const QString &detail);
    SerialPort::OpenResult reopenLostPort();
    void reportOnce(const QString &text);
    void ensurePortObject();
    void noteStateChange(int before);
    qint64 nowMs() const { return m_now ? m_now() : coarseElapsedMs(); }
    // Milliseconds since the link was made, from the system's coarse clock
    // where it has one (a few milliseconds fine, and it is read on every
    // read from the port: the precise clock costs more than the read).
    qint64 coarseElapsedMs() const;

    ConnectionState &m_connection;
    MessageService &m_messages;
    LinkSupervisor m_supervisor;
    Dispatcher m_dispatcher;
    BlockAssembler m_assembler;
    RequestQueue m_queue;
    QTimer m_timer;
    PortFactory m_factory;
    std::unique_ptr<SerialPort> m_port;
    QString m_portName;
    QString m_settings;
    QElapsedTimer m_clock;
    qint64 m_coarseStartMs = 0;
    std::function<qint64()> m_now;
    bool m_failureReported = false; // one notice per failure episode
    bool m_closing = false;         // a failed port is being closed
    AdapterTracker m_adapters;      // the adapter behind the opened port
    bool m_portLost = false;        // the port failed and has not been opened since
    bool m_portReturned = false;    // reopened after a loss; the next poll counts as a first one
    bool m_disconnected = false;    // by the user: no port is opened on demand
    qint64 m_lastTickMs = -1;
    int m_sleeping = 0; // quiet ticks the timer now sleeps through
    bool m_replyAwaited = false; // the last tick polled
    std::function<bool()> m_ticksWanted;
    static constexpr int kTickMs = 100;
    static constexpr qint64 kOnTimeTickMs = 150; // the link timer runs every 100 ms
};
