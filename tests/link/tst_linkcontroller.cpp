#include "link/linkcontroller.h"
#include "core/appstate.h"
#include "link/commandtable.h"
#include "core/language.h"

#include "linkbench.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {
using Bench = LinkBench;
} // namespace

class TestLinkController : public QObject
{
    Q_OBJECT
private slots:
    void sendOpensAClosedPort();
    void openFailureIsReportedOnce_data();
    void openFailureIsReportedOnce();
    void bytesWaitingBeforeOpenAreNoReplies();
    void unpluggedAdapter();
    void lostPortNotice_data();
    void lostPortNotice();
    void adapterBackUnderAnotherName_data();
    void adapterBackUnderAnotherName();
    void returnedPortSilent();
    void resynchronisation_data();
    void resynchronisation();
    void busyWindowLosesNoBlock_data();
    void busyWindowLosesNoBlock();
    void quietLineDropsAPartialBlock_data();
    void quietLineDropsAPartialBlock();
};

void TestLinkController::sendOpensAClosedPort()
{
    Bench b;
    b.link.setSettings(QStringLiteral("57600,e,7,2"));
    QVERIFY(!b.link.isOpen());
    QVERIFY(b.link.sendFrame(requestFrames().basicReadRequest));
    QVERIFY(b.link.isOpen());
    QCOMPARE(b.line.openedNames, QStringList{"/dev/ttyFAKE"});
    QCOMPARE(b.line.openedSettings.first().toString(), QStringLiteral("57600,e,7,2"));
    QCOMPARE(b.line.writes, QList<QByteArray>{bytesOf({0xF0, 0xE0, 0xDA})});
    b.link.sendFrame(requestFrames().motorReadRequest);
    QCOMPARE(b.line.opens, 1);
}

void TestLinkController::openFailureIsReportedOnce_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("not found") << int(SerialPort::OpenError::NotFound) << 22
                               << "The serial port /dev/ttyFAKE was not found.";
    QTest::newRow("permission") << int(SerialPort::OpenError::PermissionDenied) << 22
                                << "No permission to open the serial port /dev/ttyFAKE.";
    QTest::newRow("busy") << int(SerialPort::OpenError::Busy) << 22
                          << "The serial port /dev/ttyFAKE is in use by another program.";
    QTest::newRow("not found, chinese") << int(SerialPort::OpenError::NotFound) << 11
                                        << QString::fromUtf8("找不到串口 /dev/ttyFAKE。");
}

void TestLinkController::openFailureIsReportedOnce()
{
    QFETCH(int, error);
    QFETCH(int, language);
    QFETCH(QString, expected);
    Bench b;
    setLanguage(b.state.language, language);
    b.line.openError = SerialPort::OpenError(error);
    for (int i = 0; i < 50; ++i) // five seconds of polls
        b.tick();
    QVERIFY(b.line.opens >= 5);
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY2(b.messages.shown[0].message.text.startsWith(expected),
             qPrintable(b.messages.shown[0].message.text));
    QCOMPARE(b.state.connection.linkState, 3);

    // Once the port opens again, a later failure is reported again.
    b.line.openError = SerialPort::OpenError::None;
    b.untilPoll();
    QVERIFY(b.link.isOpen());
    b.link.closePort();
    b.line.openError = SerialPort::OpenError(error);
    b.untilPoll();
    QCOMPARE(b.messages.shown.size(), 2);
    setLanguage(b.state.language, 22);
}

void TestLinkController::bytesWaitingBeforeOpenAreNoReplies()
{
    Bench b;
    b.line.waiting = toByteArray(Bench::status(1)); // sat in the device before the open
    b.link.openPort();
    b.line.deliver(toByteArray(Bench::status(2)));
    QCOMPARE(b.statusBlocks.size(), 1);
    QCOMPARE(b.statusBlocks[0][4], quint8(2));
}

void TestLinkController::unpluggedAdapter()
{
    Bench b;
    b.bringOnline();
    QCOMPARE(b.state.connection.linkState, 7);
    QSignalSpy lost(&b.link, &LinkController::portLost);

    // The driver reports the dead line over and over while the port stays open.
    b.line.fail(QStringLiteral("Input/output error"), 5000);
    QCOMPARE(lost.size(), 1);
    QCOMPARE(b.state.connection.linkState, 3);
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(!b.link.isOpen());
    QCoreApplication::processEvents(); // the port is closed from the event loop
    QCOMPARE(b.line.closes, 1);

    // The device is gone: polls try to reopen it, quietly.
    b.line.openError = SerialPort::OpenError::NotFound;
    b.tick(40);
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.state.connection.linkState, 3);

    // It is back: the next poll reopens it, and its reply brings the link
    // back at once, as after the first opening.
    b.line.openError = SerialPort::OpenError::None;
    b.untilPoll();
    QVERIFY(b.link.isOpen());
    QCOMPARE(b.state.connection.linkState, 1);
    b.line.deliver(toByteArray(Bench::status(3)));
    QCOMPARE(b.state.connection.linkState, 7);
    // The notice of the loss is closed: it is no longer true.
    QVERIFY(b.messages.shown.isEmpty());
    QCOMPARE(b.messages.closed.size(), 1);
    b.line.clearWrites();
    b.tick();
    QCOMPARE(b.line.writes, QList<QByteArray>{requestFrames().idcCalibReadRequest});

    // A second drop gets its own notice.
    b.line.fail(QStringLiteral("Input/output error"), 3);
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.messages.closed.size(), 1);
}

// The notice names the port and a cause in the current language, never the
// system's own words, which may be left over from an unrelated call.
void TestLinkController::lostPortNotice_data()
{
    QTest::addColumn<int>("cause");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    using C = SerialPort::LossCause;
    const QString tail = QStringLiteral(". The link is offline and comes back by itself when the port returns.");
    QTest::newRow("removed") << int(C::Removed) << 22
                             << "The connection to the controller on /dev/ttyFAKE was lost: the adapter "
                                "was unplugged or the device is gone" + tail;
    QTest::newRow("permission") << int(C::PermissionDenied) << 22
                                << "The connection to the controller on /dev/ttyFAKE was lost: access "
                                   "to the port was taken away" + tail;
    QTest::newRow("other") << int(C::Other) << 22
                           << "The connection to the controller on /dev/ttyFAKE was lost: the port "
                              "stopped working" + tail;
    const QString zhTail = QString::fromUtf8("。链路处于离线状态，端口恢复后会自动重新连接。");
    QTest::newRow("removed, chinese")
        << int(C::Removed) << 11
        << QString::fromUtf8("与 /dev/ttyFAKE 上控制器的连接已断开：转接器已拔出或设备已不存在") + zhTail;
    QTest::newRow("permission, chinese")
        << int(C::PermissionDenied) << 11
        << QString::fromUtf8("与 /dev/ttyFAKE 上控制器的连接已断开：端口的访问权限已被收回") + zhTail;
    QTest::newRow("other, chinese")
        << int(C::Other) << 11
        << QString::fromUtf8("与 /dev/ttyFAKE 上控制器的连接已断开：端口停止工作") + zhTail;
}

void TestLinkController::lostPortNotice()
{
    QFETCH(int, cause);
    QFETCH(int, language);
    QFETCH(QString, expected);
    Bench b;
    setLanguage(b.state.language, language);
    b.bringOnline();
    QSignalSpy lost(&b.link, &LinkController::portLost);
    b.line.fail(QStringLiteral("Inappropriate ioctl for device"), 3, SerialPort::LossCause(cause));
    setLanguage(b.state.language, 22);
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost[0][0].value<SerialPort::LossCause>(), SerialPort::LossCause(cause));
    QCOMPARE(b.messages.texts(), QStringList{expected});
    QCOMPARE(b.messages.shown[0].message.title, QStringLiteral("info"));
}

// The adapter goes away as ttyUSB0. Whatever appears meanwhile, only the same
// adapter is taken, and only when its old name stays away.
void TestLinkController::adapterBackUnderAnotherName_data()
{
    QTest::addColumn<QString>("opened");   // the name the link had open
    QTest::addColumn<QString>("identity"); // serial number, or "" for vid/pid + socket only
    QTest::addColumn<QString>("appears");  // name, serial, vid, pid, socket of what is plugged in
    QTest::addColumn<bool>("oldNameBack");
    QTest::addColumn<QString>("expectedName"); // the name open afterwards; "" when none

    const QString usb0 = QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("same serial, new name")
        << usb0 << "A10K3" << "/dev/ttyUSB1,A10K3,0403,6001," << false << "/dev/ttyUSB1";
    QTest::newRow("same serial, old name back")
        << usb0 << "A10K3" << "/dev/ttyUSB1,A10K3,0403,6001," << true << usb0;
    QTest::newRow("other serial")
        << usb0 << "A10K3" << "/dev/ttyUSB1,B77Q1,0403,6001," << false << "";
    QTest::newRow("same serial, other maker")
        << usb0 << "A10K3" << "/dev/ttyUSB1,A10K3,067b,2303," << false << "";
    QTest::newRow("no serial, same socket")
        << usb0 << "" << "/dev/ttyUSB1,,1a86,7523,1-1.4" << false << "/dev/ttyUSB1";
    QTest::newRow("no serial, other socket")
        << usb0 << "" << "/dev/ttyUSB1,,1a86,7523,1-1.3" << false << "";
    QTest::newRow("no serial, same ids, gained a serial")
        << usb0 << "" << "/dev/ttyUSB1,X1,1a86,7523,1-1.4" << false << "";
    QTest::newRow("built-in port keeps its name")
        << "/dev/ttyS0" << "A10K3" << "/dev/ttyUSB1,A10K3,0403,6001," << false << "";
    QTest::newRow("short names")
        << "ttyACM0" << "A10K3" << "/dev/ttyACM1,A10K3,0403,6001," << false << "/dev/ttyACM1";
}

void TestLinkController::adapterBackUnderAnotherName()
{
    QFETCH(QString, opened);
    QFETCH(QString, identity);
    QFETCH(QString, appears);
    QFETCH(bool, oldNameBack);
    QFETCH(QString, expectedName);
    Bench b;
    FakeEnumerator ports;
    b.link.setPortEnumerator(&ports);
    b.link.setPortName(opened);
    const quint16 vid = identity.isEmpty() ? 0x1a86 : 0x0403;
    const quint16 pid = identity.isEmpty() ? 0x7523 : 0x6001;
    ports.add(opened, identity, vid, pid, identity.isEmpty() ? QStringLiteral("1-1.4") : QString());
    b.bringOnline();
    QCOMPARE(b.state.connection.linkState, 7);
    QSignalSpy renamed(&b.link, &LinkController::portRenamed);

    b.line.fail(QStringLiteral("Input/output error"));
    QCoreApplication::processEvents();
    ports.remove(opened);
    b.line.missing << opened;
    b.tick(30); // gone for a while: quiet retries under the old name
    QVERIFY(!b.link.isOpen());
    QCOMPARE(b.link.portName(), opened);

    const QStringList a = appears.split(u',');
    ports.add(a[0], a[1], quint16(a[2].toUInt(nullptr, 16)), quint16(a[3].toUInt(nullptr, 16)), a[4]);
    if (oldNameBack) {
        ports.add(opened, identity, vid, pid);
        b.line.missing.clear();
    }
    b.line.openedNames.clear();
    b.untilPoll();
    b.line.deliver(toByteArray(Bench::status(5)));

    if (expectedName.isEmpty()) {
        QVERIFY(!b.link.isOpen());
        QVERIFY(b.line.openedNames.isEmpty());
        QCOMPARE(b.link.portName(), opened);
        QCOMPARE(b.state.connection.linkState, 3);
        QCOMPARE(renamed.size(), 0);
        return;
    }
    QVERIFY(b.link.isOpen());
    QCOMPARE(b.line.openedNames, QStringList{expectedName});
    QCOMPARE(b.link.portName(), expectedName);
    QCOMPARE(b.state.connection.linkState, 7);
    QCOMPARE(renamed.size(), expectedName == opened ? 0 : 1);
    // The notice of the drop, nothing more, closed once the link is back.
    QVERIFY(b.messages.shown.isEmpty());
    QCOMPARE(b.messages.closed.size(), 1);
}

// A port that comes back but whose controller stays silent goes offline
// again after the usual two seconds.
void TestLinkController::returnedPortSilent()
{
    Bench b;
    b.bringOnline();
    b.line.fail(QStringLiteral("Input/output error"));
    QCoreApplication::processEvents();
    b.untilPoll();
    QVERIFY(b.link.isOpen());
    QCOMPARE(b.state.connection.linkState, 1);
    for (int i = 0; i < 20; ++i) {
        b.tick();
        QCOMPARE(b.state.connection.linkState, 1);
    }
    b.tick();
    QCOMPARE(b.state.connection.linkState, 3);
}

// Garbage before a reply, a reply whose payload holds the end marker, a reply
// that arrives in two reads split anywhere: the first clean reply after the
// next poll is decoded, and no decoder ever sees a torn block.
void TestLinkController::resynchronisation_data()
{
    QTest::addColumn<int>("garbage");
    QTest::addColumn<bool>("sameBurst"); // garbage directly in front of the reply
    QTest::addColumn<int>("split");
    QTest::addColumn<int>("markerAt");   // payload index holding 0xDA, or -1
    for (int g = 0; g <= 64; ++g)
        QTest::addRow("garbage %d before the poll", g) << g << false << 16 << -1;
    for (int split = 1; split < kBlockSize; ++split)
        QTest::addRow("split at %d", split) << 5 << false << split << 12;
    for (int g : {1, 2, 5, 19, 31, 32, 33, 64})
        for (int marker : {-1, 12, 29})
            QTest::addRow("garbage %d in the reply's burst, marker %d", g, marker)
                << g << true << 16 << marker;
}

void TestLinkController::resynchronisation()
{
    QFETCH(int, garbage);
    QFETCH(bool, sameBurst);
    QFETCH(int, split);
    QFETCH(int, markerAt);
    Bench b;
    b.bringOnline();
    QCOMPARE(b.state.connection.linkState, 7);

    Block reply = Bench::status(0x77);
    if (markerAt >= 0)
        reply[markerAt] = kEndMarker;
    const QByteArray replyBytes = toByteArray(reply);
    const QByteArray noise(garbage, '\x11');

    if (sameBurst) {
        b.untilPoll();
        b.line.deliver(noise + replyBytes);
    } else {
        b.line.deliver(noise);
        b.now += 300; // the noise came well before the poll
        b.untilPoll();
        b.line.deliver(replyBytes.left(split));
        b.line.deliver(replyBytes.mid(split));
    }
    for (int i = 0; i < 3 && !b.statusBlocks.contains(reply); ++i) {
        b.untilPoll();
        b.line.deliver(replyBytes);
    }

    QVERIFY(b.statusBlocks.contains(reply));
    for (const Block &seen : b.statusBlocks)
        QCOMPARE(seen, reply);
    if (!sameBurst)
        QCOMPARE(b.statusBlocks.size(), 1); // the first reply after the poll
    QVERIFY(b.link.assembler().pending() < kBlockSize);
    QCOMPARE(b.state.connection.linkState, 7);
}

// A continuous stream of status blocks, read in pieces that end anywhere in
// a block, while the window is busy for 200 ms between reads and the rest
// waits in the port: announced late, or found waiting by a link tick. Reads
// of 150 blocks hold more than the link reads at a time.
void TestLinkController::busyWindowLosesNoBlock_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<bool>("byTick");
    QTest::addColumn<int>("blocksPerRead");
    for (int cut = 1; cut < kBlockSize; ++cut) {
        QTest::addRow("cut at %d, announced late", cut) << cut << false << 3;
        QTest::addRow("cut at %d, found by a tick", cut) << cut << true << 3;
    }
    QTest::addRow("4800 bytes a read, announced late") << 7 << false << 150;
    QTest::addRow("4800 bytes a read, found by a tick") << 7 << true << 150;
}

void TestLinkController::busyWindowLosesNoBlock()
{
    QFETCH(int, cut);
    QFETCH(bool, byTick);
    QFETCH(int, blocksPerRead);
    Bench b;
    b.bringOnline();
    QList<Block> sent;
    QByteArray all;
    for (int i = 0; i < std::max(40, 3 * blocksPerRead); ++i) {
        Block block = Bench::status(quint8(i));
        block[5] = quint8(i * 3);
        sent << block;
        all += toByteArray(block);
    }
    // Cut the stream into reads that end `cut` bytes into a block, several
    // blocks apart.
    qsizetype pos = 0;
    int read = 0;
    while (pos < all.size()) {
        const qsizetype end = qMin(all.size(), qsizetype((read * blocksPerRead + 1) * kBlockSize + cut));
        const QByteArray piece = all.mid(pos, end - pos);
        pos = end;
        if (read == 0 || !byTick) {
            b.line.deliver(piece);
        } else {
            b.line.waiting += piece; // arrived while the window was busy
            b.tick();
        }
        b.now += 200;
        ++read;
    }
    QCOMPARE(b.statusBlocks, sent);
    QVERIFY(!b.state.connection.lastFrameBad);
}

// Half a block and then nothing: once the line has been seen quiet for more
// than the gap at a tick on time, the half block is gone and the next reply
// is decoded as a whole. A tick that comes late judges nothing.
void TestLinkController::quietLineDropsAPartialBlock_data()
{
    QTest::addColumn<qint64>("pause");
    QTest::addColumn<bool>("lateTick");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("quiet for a second") << qint64(1000) << false << true;
    QTest::newRow("quiet within the gap") << qint64(0) << false << false;
    QTest::newRow("only a late tick") << qint64(0) << true << false;
}

void TestLinkController::quietLineDropsAPartialBlock()
{
    QFETCH(qint64, pause);
    QFETCH(bool, lateTick);
    QFETCH(bool, dropped);
    Bench b;
    b.bringOnline();
    const QByteArray half = toByteArray(Bench::status(0x55)).left(16);
    b.line.deliver(half);
    if (lateTick) {
        b.now += 900; // busy for most of a second, then one tick
        b.tick();
    } else {
        for (qint64 t = 0; t < pause; t += 100)
            b.tick();
    }
    QCOMPARE(b.link.assembler().pending(), dropped ? 0 : half.size());
    const Block reply = Bench::status(0x66);
    b.line.deliver(toByteArray(reply));
    // Kept, the half block and the reply make one block without its end
    // marker; the reply is found behind it all the same.
    QCOMPARE(b.statusBlocks, QList<Block>{reply});
}

QTEST_GUILESS_MAIN(TestLinkController)
#include "tst_linkcontroller.moc"
