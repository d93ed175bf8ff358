#include "ptyendpoint.h"

#include "linerate.h"
#include "simline.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

LineSettings PtyEndpoint::toolLine() const
{
    termios tio{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0)
        return LineSettings::standard();
    LineSettings s;
    s.baud = lineRateOf(m_slave);
    s.parity = !(tio.c_cflag & PARENB) ? 'n' : (tio.c_cflag & PARODD) ? 'o' : 'e';
    switch (tio.c_cflag & CSIZE) {
    case CS5: s.dataBits = 5; break;
    case CS6: s.dataBits = 6; break;
    case CS7: s.dataBits = 7; break;
    default: s.dataBits = 8; break;
    }
    s.stopHalves = (tio.c_cflag & CSTOPB) ? 4 : 2;
#ifdef __linux__
    // A Linux pseudo-terminal keeps the rate, the stop bits and the odd flag
    // as set, but clears the parity enable and forces 8 data bits (the
    // tool's serial port then refuses even parity and 7 data bits on it).
    // Odd parity is told by its flag alone.
    if (tio.c_cflag & PARODD)
        s.parity = 'o';
#endif
    return s;
}

PtyEndpoint::PtyEndpoint(SimLine &line, QObject *parent) : QObject(parent), m_line(line)
{
    connect(&m_line, &SimLine::transmit, this, &PtyEndpoint::onTransmit);
}

PtyEndpoint::~PtyEndpoint()
{
    close();
}

bool PtyEndpoint::open(QString *error)
{
    close();
    char name[256] = {};
    termios tio{};
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::openpty(&m_master, &m_slave, name, &tio, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("cannot open a pseudo-terminal: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        m_master = m_slave = -1;
        return false;
    }
    // Programs started from here (none today) must not inherit the line.
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_devicePath = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyEndpoint::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyEndpoint::onWritable);
    return true;
}

bool PtyEndpoint::makeLink(const QString &path, QString *error)
{
    const QByteArray target = m_devicePath.toLocal8Bit();
    const QByteArray link = path.toLocal8Bit();
    // Replace a stale symlink from an earlier run, never a real file.
    const QFileInfo existing(path);
    if (existing.isSymLink())
        ::unlink(link.constData());
    if (::symlink(target.constData(), link.constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot make the link %1: %2")
                         .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_linkPath = path;
    return true;
}

void PtyEndpoint::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_backlog.clear();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    if (!m_linkPath.isEmpty()) {
        // Only our own link: the path may have been taken over meanwhile.
        const QByteArray link = m_linkPath.toLocal8Bit();
        char target[4096];
        const ssize_t n = ::readlink(link.constData(), target, sizeof target);
        if (n > 0 && QByteArray(target, int(n)) == m_devicePath.toLocal8Bit())
            ::unlink(link.constData());
        m_linkPath.clear();
    }
}

void PtyEndpoint::onReadable()
{
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            // The tool may have set other settings since its last bytes.
            m_line.setToolLine(toolLine());
            m_line.receive(QByteArray(buf, int(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            emit log(QStringLiteral("read error on the line: %1")
                         .arg(n == 0 ? QStringLiteral("end of file")
                                     : QString::fromLocal8Bit(std::strerror(errno))));
            // Nothing more to read until the pair is opened again.
            m_notifier->setEnabled(false);
        }
        return;
    }
}

void PtyEndpoint::onTransmit(const QByteArray &bytes)
{
    if (m_master < 0)
        return;
    if (m_backlog.size() + bytes.size() > kMaxBacklog) {
        // The tool does not read at all (it has the device closed): what
        // does not fit is lost, as on a real line.
        emit log(QStringLiteral("line full: %1 byte(s) not sent").arg(bytes.size()));
        return;
    }
    m_backlog += bytes;
    writeBacklog();
}

void PtyEndpoint::onWritable()
{
    writeBacklog();
}

void PtyEndpoint::writeBacklog()
{
    qsizetype done = 0;
    while (done < m_backlog.size()) {
        const ssize_t n = ::write(m_master, m_backlog.constData() + done, size_t(m_backlog.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    m_backlog.remove(0, done);
    const bool held = !m_backlog.isEmpty();
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(held);
    m_line.setLineHeld(held);
}

} // namespace sim
