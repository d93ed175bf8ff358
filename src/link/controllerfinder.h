#pragma once
// Finds the controller: every candidate port at every line setting in turn,
// the status poll sent, and the first block that comes back whole (a known
// reply pair and the end marker at byte 31) names the port and the settings.
// A line at the wrong rate or parity delivers nothing of the kind, so a
// setting that answers is the controller's. A port that is busy or not
// permitted is reported and skipped; every port is closed before the next.

#include "link/blockassembler.h"
#include "link/linkcontroller.h"
#include "link/portidentity.h"
#include "link/portsettings.h"
#include "link/serialport.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

class ControllerFinder : public QObject
{
    Q_OBJECT
public:
    // How long a try waits for the reply to its poll. At 9600 baud the poll
    // takes 3.1 ms on the line and the 32-byte reply 33.3 ms; the controller
    // answers within its next control cycles (a few ms) and a USB adapter
    // may hold received bytes for up to 16 ms: about 55 ms in all, so 90 ms
    // leaves room, and the 15 settings of a port take under 1.5 s.
    static constexpr int kTryTimeoutMs = 90;

    struct Attempt
    {
        QString port;
        PortSettings settings;
    };

    explicit ControllerFinder(LinkController::PortFactory factory, QObject *parent = nullptr);
    ~ControllerFinder() override;

    // The settings in the order they are tried: the last used ones first,
    // then 9600, 19200, 38400, 57600 and 115200 at 8N1, then the same rates
    // with odd and with even parity. Each once.
    static QList<PortSettings> settingsToTry(const std::optional<PortSettings> &lastUsed = std::nullopt);
    // The ports in the order they are tried: USB adapters first (the ones the
    // enumerator knows by USB ids), then every other listed port, then
    // `extra` (the simulated controller, when it is offered). Each once.
    static QStringList portsToTry(const QList<PortListing> &listed, const QStringList &extra = {});

    void start(const QStringList &ports, const QList<PortSettings> &settings);
    // Tests on a fake line that answers at once wait less.
    void setTryTimeoutMs(int ms) { m_tryTimeoutMs = ms; }
    // Stops at once; the port of the try is closed.
    void cancel();
    bool running() const { return m_running; }

    // The progress text of a try, in the current language ("/dev/ttyUSB0 at 19200…").
    static QString tryingText(int languageCode, const Attempt &attempt);
    // A port that could not be tried, in the current language.
    static QString skippedText(int languageCode, const QString &port, SerialPort::OpenError error);

signals:
    void trying(const ControllerFinder::Attempt &attempt);
    // The port could not be opened (busy, not permitted): no setting of it is tried.
    void skipped(const QString &port, SerialPort::OpenError error, const QString &detail);
    void found(const ControllerFinder::Attempt &attempt);
    // Every port and setting tried; nothing answered.
    void notFound();

private:
    void nextTry();
    void onReadyRead();
    void endTry();
    void finish();

    LinkController::PortFactory m_factory;
    QStringList m_ports;
    QList<PortSettings> m_settings;
    int m_portIndex = 0;
    int m_settingsIndex = 0;
    std::unique_ptr<SerialPort> m_port;
    BlockAssembler m_assembler;
    QElapsedTimer m_clock;
    QTimer m_timeout;
    bool m_running = false;
    int m_tryTimeoutMs = kTryTimeoutMs;
};
