// The simulated controller as a port inside the tool, on a real clock.

#include "simline.h"
#include "sim/simulatorport.h"

#include "link/linkcontroller.h"
#include "core/appstate.h"

#include "recordingmessages.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

std::shared_ptr<sim::SimLine> newLine()
{
    return std::make_shared<sim::SimLine>(sim::SimOptions{});
}

// Reads from `port` at each readyRead until `size` bytes have come, or a
// second has passed.
QByteArray readUntil(SerialPort &port, int size)
{
    QByteArray got;
    QSignalSpy ready(&port, &SerialPort::readyRead);
    QElapsedTimer t;
    t.start();
    while (got.size() < size && t.elapsed() < 1000) {
        if (ready.isEmpty() && !ready.wait(int(1000 - t.elapsed())))
            break;
        ready.clear();
        got += port.readAll();
    }
    return got;
}
} // namespace

class TestSimulatorPort : public QObject
{
    Q_OBJECT
private slots:
    void answersOnTheEventLoop();
    void splitRepliesArriveInPieces();
    void controllerOutlivesThePort();
    void closedPortTakesNothing();
    void linkGoesOnline();
};

void TestSimulatorPort::answersOnTheEventLoop()
{
    SimulatorPort port(newLine());
    QVERIFY(port.open(QStringLiteral("Simulator"), {}).ok());
    QCOMPARE(port.portName(), QStringLiteral("Simulator"));
    QSignalSpy ready(&port, &SerialPort::readyRead);
    QVERIFY(port.write(bytes({0xFD, 0x48, 0x55})));
    // Never from inside write(): the link is not re-entered.
    QCOMPARE(ready.count(), 0);
    const QByteArray reply = readUntil(port, 32);
    QVERIFY(ready.count() >= 1);
    QCOMPARE(reply.size(), 32);
    QCOMPARE(reply.left(2), bytes({0xDF, 0xEF}));
    QCOMPARE(quint8(reply[31]), quint8(0xDA));
}

void TestSimulatorPort::splitRepliesArriveInPieces()
{
    auto line = newLine();
    QVERIFY(line->command(QStringLiteral("split on")).ok);
    SimulatorPort port(line);
    port.open(QStringLiteral("Simulator"), {});
    QSignalSpy ready(&port, &SerialPort::readyRead);
    port.write(bytes({0xF0, 0xE0, 0xDA}));
    const QByteArray reply = readUntil(port, 32);
    QCOMPARE(reply.left(2), bytes({0xF0, 0xE0}));
    QCOMPARE(reply.size(), 32);
    QVERIFY(ready.count() >= 2);
}

// The link makes a new port object for every opening; the controller behind
// them is one and keeps what was written.
void TestSimulatorPort::controllerOutlivesThePort()
{
    auto line = newLine();
    QByteArray basic(32, '\0');
    basic[0] = char(0xF0);
    basic[1] = char(0xE1);
    basic[2] = char(0x34);
    basic[3] = char(0x12);
    basic[31] = char(0xDA);
    {
        SimulatorPort first(line);
        first.open(QStringLiteral("Simulator"), {});
        first.write(basic);
        QCOMPARE(readUntil(first, 32), basic);
        first.close();
    }
    SimulatorPort second(line);
    second.open(QStringLiteral("Simulator"), {});
    second.write(bytes({0xF0, 0xE0, 0xDA}));
    const QByteArray reply = readUntil(second, 32);
    QCOMPARE(reply.mid(2), basic.mid(2));
}

void TestSimulatorPort::closedPortTakesNothing()
{
    auto line = newLine();
    SimulatorPort port(line);
    QVERIFY(!port.write(bytes({0xFD, 0x48, 0x55})));
    port.open(QStringLiteral("Simulator"), {});
    port.write(bytes({0xFD, 0x48, 0x55}));
    port.close();
    QTest::qWait(100);
    QCOMPARE(port.readAll(), QByteArray());
    // Reopened, it starts with an empty input.
    port.open(QStringLiteral("Simulator"), {});
    QTest::qWait(50);
    QCOMPARE(port.readAll(), QByteArray());
}

// The demo's path: the link polls, the simulator answers, the link is online.
void TestSimulatorPort::linkGoesOnline()
{
    AppState state;
    RecordingMessages messages;
    LinkController link(state.connection, state.language, messages);
    auto line = newLine();
    link.setPortFactory([line](const QString &) { return std::make_unique<SimulatorPort>(line); });
    link.setPortName(QString::fromLatin1(kSimulatorPortName));
    QVERIFY(link.openPort().ok());
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &link, &LinkController::tick);
    timer.start(100);
    QTRY_COMPARE_WITH_TIMEOUT(state.connection.linkState, int(LinkStateCode::Online), 3000);
    // The after-connect request reached the controller once.
    QTRY_COMPARE_WITH_TIMEOUT(line->model().requestCount(QStringLiteral("FB ED")), 1, 1000);
    QVERIFY(messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestSimulatorPort)
#include "tst_simulatorport.moc"
