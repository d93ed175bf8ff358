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

// Reads from `port` at each readyRead until `size` bytes have come, or
// `timeoutMs` have passed.
QByteArray readUntil(SerialPort &port, int size, int timeoutMs = 1000)
{
    QByteArray got;
    QSignalSpy ready(&port, &SerialPort::readyRead);
    QElapsedTimer t;
    t.start();
    while (got.size() < size && t.elapsed() < timeoutMs) {
        if (ready.isEmpty() && !ready.wait(int(timeoutMs - t.elapsed())))
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
    void answersAtItsOwnSettings_data();
    void answersAtItsOwnSettings();
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

// With settings of its own, an opening at other settings hears noise: what
// the tool's detection meets at a wrong rate or parity.
void TestSimulatorPort::answersAtItsOwnSettings_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("pace");
    QTest::addColumn<bool>("understood");

    QTest::newRow("settings match") << QStringLiteral("19200,e,8,1") << false << true;
    QTest::newRow("settings match, paced") << QStringLiteral("19200,e,8,1") << true << true;
    QTest::newRow("rate differs") << QStringLiteral("9600,e,8,1") << false << false;
    QTest::newRow("parity differs") << QStringLiteral("19200,n,8,1") << false << false;
}

void TestSimulatorPort::answersAtItsOwnSettings()
{
    QFETCH(QString, opened);
    QFETCH(bool, pace);
    QFETCH(bool, understood);

    sim::SimOptions options;
    options.line = *sim::LineSettings::parse(QStringLiteral("19200,e"));
    options.pace = pace;
    auto line = std::make_shared<sim::SimLine>(options);
    SimulatorPort port(line);
    QVERIFY(port.open(QStringLiteral("Simulator"), *PortSettings::parse(opened)).ok());
    QSignalSpy ready(&port, &SerialPort::readyRead);
    port.write(bytes({0xFD, 0x48, 0x55}));
    // Noise is a few bytes, soon; a block would have come by then too.
    const QByteArray got = readUntil(port, 32, understood ? 1000 : 200);
    QCOMPARE(line->model().counters().mismatched, understood ? 0 : 1);
    if (understood) {
        QCOMPARE(got.size(), 32);
        QCOMPARE(got.left(2), bytes({0xDF, 0xEF}));
        // Paced, the block comes in pieces as its bytes cross the line.
        QVERIFY(ready.count() >= (pace ? 2 : 1));
    } else {
        QVERIFY(!got.isEmpty() && got.size() < 32);
        QVERIFY(!got.contains(char(0xDA)));
    }
}

QTEST_GUILESS_MAIN(TestSimulatorPort)
#include "tst_simulatorport.moc"
