#include "ptycontroller.h"

#include <QFile>
#include <QSocketNotifier>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
QByteArray block(quint8 cmd, quint8 sub, std::initializer_list<quint8> payload = {})
{
    QByteArray b(32, '\0');
    b[0] = char(cmd);
    b[1] = char(sub);
    int i = 2;
    for (quint8 v : payload)
        b[i++] = char(v);
    b[31] = char(0xDA);
    return b;
}
} // namespace

PtyController::PtyController(const QString &linkPath, QObject *parent)
    : QObject(parent), m_linkPath(linkPath)
{
}

PtyController::~PtyController()
{
    unplug();
}

bool PtyController::plugIn()
{
    unplug();
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        return false;
    // The tool must not inherit our ends: its copy would keep the line alive.
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (!QFile::link(QString::fromLocal8Bit(name), m_linkPath))
        return false;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyController::onReadable);
    return true;
}

void PtyController::unplug()
{
    // The name goes first, as an unplugged adapter's device node does. A link
    // left behind would point at a pty number that the next program to open
    // a pty (a parallel test) may be given, and the tool would open that.
    // A link left by an earlier run goes too.
    QFile::remove(m_linkPath);
    delete m_notifier;
    m_notifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    m_pending.clear();
}

void PtyController::onReadable()
{
    char buf[256];
    const ssize_t n = ::read(m_master, buf, sizeof buf);
    if (n <= 0)
        return;
    received.append(buf, n);
    m_pending.append(buf, n);
    while (m_pending.size() >= 3) {
        const auto b0 = quint8(m_pending[0]), b1 = quint8(m_pending[1]), b2 = quint8(m_pending[2]);
        if (b0 == 0xFD && b1 == 0x48 && b2 == 0x55) {
            ++polls;
            // 48.00 V, 1500 rpm, power stage 35 degrees, state RUN.
            reply(block(0xDF, 0xEF, {0xC0, 0x12, 0, 0, 0xDC, 0x05, 45}));
        } else if (b0 == 0xFB && b1 == 0xED && b2 == 0xDA) {
            ++idcReads;
            QByteArray idc = block(0xFB, 0xED);
            idc[14] = 2; // controller type
            reply(idc);
        } else {
            m_pending.remove(0, 1);
            continue;
        }
        m_pending.remove(0, 3);
    }
}

void PtyController::reply(const QByteArray &b)
{
    if (answering && m_master >= 0)
        (void)::write(m_master, b.constData(), size_t(b.size()));
}
