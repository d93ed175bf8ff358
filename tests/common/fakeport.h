#pragma once
// A port for tests: records every write, lets the test deliver bytes in any
// chunks, fail the opening, or kill the line while open.

#include "link/linkcontroller.h"
#include "link/portidentity.h"
#include "link/serialport.h"

#include <QByteArray>
#include <QList>
#include <QPointer>

#include <functional>

class FakeSerialPort;

// What the test sees and steers; it outlives the port objects, because the
// link makes a fresh port object for every opening.
class FakeLine
{
public:
    QList<QByteArray> writes;
    QStringList openedNames;
    QList<PortSettings> openedSettings;
    int opens = 0;
    int closes = 0;
    SerialPort::OpenError openError = SerialPort::OpenError::None; // for every open until reset
    QStringList missing; // names whose open fails with NotFound (an unplugged adapter)
    QStringList busy;    // names whose open fails with Busy (another program has them)
    // A controller on `controllerPort` that answers the status poll only at
    // these line settings ("19200,n,8,1"); at others the line carries garbage.
    QString controllerPort;
    QString controllerSettings;
    QByteArray waiting; // bytes the port holds for the next read
    // A controller behind the line: the answer to each write (empty: none),
    // delivered from the event loop as a real port would.
    std::function<QByteArray(const QByteArray &written)> answer;
    // A controller that answers every read with an empty block of its family
    // and acknowledges every write, so that requests never wait for a
    // time-out.
    void answerEverything();

    LinkController::PortFactory factory();
    bool isOpen() const;
    // The controller sends these bytes; the port raises readyRead once.
    void deliver(const QByteArray &bytes);
    // The line dies while open: the port reports `count` errors in a row.
    void fail(const QString &detail, int count = 1,
              SerialPort::LossCause cause = SerialPort::LossCause::Removed);
    QByteArray allWrites() const;
    void clearWrites() { writes.clear(); }

private:
    friend class FakeSerialPort;
    QPointer<FakeSerialPort> m_current;
};

class FakeSerialPort : public SerialPort
{
    Q_OBJECT
public:
    explicit FakeSerialPort(FakeLine &line) : m_line(line) {}

    OpenResult open(const QString &portName, const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString portName() const override { return m_name; }
    bool write(const QByteArray &bytes) override;
    qint64 read(char *data, qint64 maxSize) override { return moveOut(m_line.waiting, data, maxSize); }

    void raiseError(SerialPort::LossCause cause, const QString &detail) { emit failed(cause, detail); }
    void raiseReadyRead() { emit readyRead(); }

private:
    FakeLine &m_line;
    QString m_name;
    PortSettings m_settings;
    bool m_open = false;
};

// The ports "present" for the link's search of a returned adapter.
class FakeEnumerator : public PortEnumerator
{
public:
    QList<PortListing> listed;
    mutable int calls = 0;
    QList<PortListing> ports() const override
    {
        ++calls;
        return listed;
    }
    void add(const QString &name, const QString &serial, quint16 vid = 0x0403, quint16 pid = 0x6001,
             const QString &location = {})
    {
        listed.append({name, {serial, vid, pid, location}});
    }
    void remove(const QString &name)
    {
        listed.removeIf([&](const PortListing &p) { return p.name == name; });
    }
};

// A 32-byte block with the given head bytes and the end marker.
Block makeBlock(std::initializer_list<quint8> head, quint8 end = 0xDA);
QByteArray bytesOf(std::initializer_list<quint8> bytes);
