#include "fakeport.h"

#include <QTimer>

LinkController::PortFactory FakeLine::factory()
{
    return [this](const QString &) {
        auto port = std::make_unique<FakeSerialPort>(*this);
        m_current = port.get();
        return port;
    };
}

void FakeLine::answerEverything()
{
    answer = [](const QByteArray &written) -> QByteArray {
        if (written.size() < 3 || quint8(written[0]) == 0xFD)
            return {}; // the poll's answer is the test's
        if (written.size() != kBlockSize && quint8(written.back()) != kEndMarker)
            return {};
        Block b{};
        b[0] = quint8(written[0]);
        b[1] = quint8(written[1]);
        if (b[0] == 0xF1)
            b[2] = kUserInfoQualifier;
        b[kBlockSize - 1] = kEndMarker;
        return toByteArray(b);
    };
}

bool FakeLine::isOpen() const
{
    return m_current && m_current->isOpen();
}

void FakeLine::deliver(const QByteArray &bytes)
{
    waiting += bytes;
    if (m_current && m_current->isOpen())
        m_current->raiseReadyRead();
}

void FakeLine::fail(const QString &detail, int count, SerialPort::LossCause cause)
{
    for (int i = 0; i < count && m_current; ++i)
        m_current->raiseError(cause, detail);
}

QByteArray FakeLine::allWrites() const
{
    QByteArray all;
    for (const QByteArray &w : writes)
        all += w;
    return all;
}

SerialPort::OpenResult FakeSerialPort::open(const QString &portName, const PortSettings &settings)
{
    ++m_line.opens;
    m_name = portName;
    if (m_line.openError != OpenError::None)
        return {m_line.openError, QStringLiteral("fake open failure")};
    if (m_line.missing.contains(portName))
        return {OpenError::NotFound, QStringLiteral("No such file or directory")};
    if (m_line.busy.contains(portName))
        return {OpenError::Busy, QStringLiteral("Device or resource busy")};
    m_settings = settings;
    m_open = true;
    m_line.openedNames << portName;
    m_line.openedSettings << settings;
    return {};
}

void FakeSerialPort::close()
{
    if (m_open)
        ++m_line.closes;
    m_open = false;
}

bool FakeSerialPort::write(const QByteArray &bytes)
{
    if (!m_open)
        return false;
    m_line.writes << bytes;
    if (!m_line.controllerSettings.isEmpty() && m_name == m_line.controllerPort &&
        bytes == QByteArray::fromHex("FD4855")) {
        // At the wrong rate or parity a reply reaches the tool as noise.
        const bool matches = m_settings.toString() == m_line.controllerSettings;
        const QByteArray reply = matches ? toByteArray(makeBlock({0xDF, 0xEF, 0x10}))
                                         : QByteArray(40, char(0x5A));
        FakeLine *line = &m_line;
        QTimer::singleShot(1, this, [line, reply] { line->deliver(reply); });
    }
    if (m_line.answer) {
        const QByteArray reply = m_line.answer(bytes);
        if (!reply.isEmpty()) {
            FakeLine *line = &m_line;
            QTimer::singleShot(0, this, [line, reply] { line->deliver(reply); });
        }
    }
    return true;
}

Block makeBlock(std::initializer_list<quint8> head, quint8 end)
{
    Block b{};
    std::size_t i = 0;
    for (quint8 v : head)
        b[i++] = v;
    b[kBlockSize - 1] = end;
    return b;
}

QByteArray bytesOf(std::initializer_list<quint8> bytes)
{
    QByteArray a;
    for (quint8 v : bytes)
        a.append(char(v));
    return a;
}
