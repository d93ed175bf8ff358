#include "link/controllerfinder.h"

#include "core/appstate.h"
#include "core/language.h"
#include "link/commandtable.h"
#include "link/logging.h"

#include <QCoreApplication>

ControllerFinder::ControllerFinder(LinkController::PortFactory factory, QObject *parent)
    : QObject(parent), m_factory(std::move(factory))
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        endTry();
        nextTry();
    });
    m_clock.start();
}

ControllerFinder::~ControllerFinder()
{
    cancel();
}

QList<PortSettings> ControllerFinder::settingsToTry(const std::optional<PortSettings> &lastUsed)
{
    QList<PortSettings> list;
    auto add = [&list](const PortSettings &s) {
        for (const PortSettings &had : list) {
            if (had.toString() == s.toString())
                return;
        }
        list << s;
    };
    if (lastUsed)
        add(*lastUsed);
    for (char parity : {'n', 'o', 'e'}) {
        for (int baud : {9600, 19200, 38400, 57600, 115200}) {
            PortSettings s;
            s.baudRate = baud;
            s.parity = parity;
            add(s);
        }
    }
    return list;
}

QStringList ControllerFinder::portsToTry(const QList<PortListing> &listed, const QStringList &extra)
{
    QStringList usb;
    QStringList others;
    for (const PortListing &p : listed) {
        QStringList &into = p.identity.hasUsbIds() ? usb : others;
        if (!usb.contains(p.name) && !others.contains(p.name))
            into << p.name;
    }
    usb.sort();
    others.sort();
    QStringList all = usb + others;
    for (const QString &e : extra) {
        if (!all.contains(e))
            all << e;
    }
    return all;
}

void ControllerFinder::start(const QStringList &ports, const QList<PortSettings> &settings)
{
    cancel();
    m_ports = ports;
    m_settings = settings;
    m_portIndex = 0;
    m_settingsIndex = 0;
    m_running = true;
    // From the event loop: whoever started the search hears all of it.
    QTimer::singleShot(0, this, [this] {
        if (m_running)
            nextTry();
    });
}

void ControllerFinder::cancel()
{
    m_timeout.stop();
    endTry();
    m_running = false;
}

void ControllerFinder::nextTry()
{
    while (m_running && m_portIndex < m_ports.size()) {
        if (m_settingsIndex >= m_settings.size()) {
            ++m_portIndex;
            m_settingsIndex = 0;
            continue;
        }
        const Attempt attempt{m_ports[m_portIndex], m_settings[m_settingsIndex++]};
        m_port = m_factory ? m_factory(attempt.port) : nullptr;
        if (!m_port) {
            ++m_portIndex;
            m_settingsIndex = 0;
            continue;
        }
        emit trying(attempt);
        const SerialPort::OpenResult opened = m_port->open(attempt.port, attempt.settings);
        if (!opened.ok()) {
            m_port.reset();
            if (opened.error == SerialPort::OpenError::Busy ||
                opened.error == SerialPort::OpenError::PermissionDenied)
                emit skipped(attempt.port, opened.error, opened.detail);
            // A port that cannot be opened at one setting cannot at any.
            if (opened.error != SerialPort::OpenError::BadSettings) {
                ++m_portIndex;
                m_settingsIndex = 0;
            }
            continue;
        }
        qCInfo(lcLink, "looking for the controller on %s at %s", qPrintable(attempt.port),
               qPrintable(attempt.settings.toString()));
        m_assembler.clear();
        connect(m_port.get(), &SerialPort::readyRead, this, &ControllerFinder::onReadyRead);
        m_port->write(requestFrames().statusPollRequest);
        m_timeout.start(m_tryTimeoutMs);
        return;
    }
    if (m_running)
        finish();
}

void ControllerFinder::onReadyRead()
{
    if (!m_port)
        return;
    m_assembler.append(m_port->readAll(), m_clock.elapsed());
    Block block;
    while (m_assembler.next(block)) {
        if (block[kBlockSize - 1] != kEndMarker || !BlockAssembler::isReplyPair(block[0], block[1]))
            continue;
        const Attempt attempt{m_ports[m_portIndex], m_settings[m_settingsIndex - 1]};
        cancel();
        emit found(attempt);
        return;
    }
}

void ControllerFinder::endTry()
{
    if (!m_port)
        return;
    m_port->disconnect(this);
    m_port->close();
    // Perhaps from inside the port's own signal: it goes when that is over.
    m_port.release()->deleteLater();
}

void ControllerFinder::finish()
{
    m_running = false;
    emit notFound();
}

QString ControllerFinder::tryingText(int languageCode, const Attempt &attempt)
{
    const PortSettings &s = attempt.settings;
    const QString parity = s.parity == 'n'   ? QString()
                           : s.parity == 'o' ? bilingual(languageCode, "ControllerFinder",
                                                         QT_TRANSLATE_NOOP("ControllerFinder", ", odd parity"))
                                             : bilingual(languageCode, "ControllerFinder",
                                                         QT_TRANSLATE_NOOP("ControllerFinder", ", even parity"));
    const QString text = bilingual(languageCode, "ControllerFinder",
                                   QT_TRANSLATE_NOOP("ControllerFinder", "%1 at %2%3\u2026"));
    return (text.isNull() ? QStringLiteral("%1 at %2%3\u2026") : text).arg(attempt.port).arg(s.baudRate).arg(parity);
}

QString ControllerFinder::skippedText(int languageCode, const QString &port, SerialPort::OpenError error)
{
    const char *source = error == SerialPort::OpenError::PermissionDenied
                             ? QT_TRANSLATE_NOOP("ControllerFinder",
                                                 "%1: no permission to open it (group \"dialout\"); skipped.")
                             : QT_TRANSLATE_NOOP("ControllerFinder", "%1: in use by another program; skipped.");
    const QString text = bilingual(languageCode, "ControllerFinder", source);
    return (text.isNull() ? QString::fromUtf8(source) : text).arg(port);
}
