#include "link/commandtable.h"
#include "link/portsettings.h"

#include "fakeport.h"

#include <QTest>

class TestCommandTable : public QObject
{
    Q_OBJECT
private slots:
    void requestFrames_data();
    void requestFrames();
    void familiesFollowTheCodeRule();
    void writeBlockShape();
    void replyLookup_data();
    void replyLookup();
    void portSettings_data();
    void portSettings();
    void portNumbers();
};

void TestCommandTable::requestFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("hex");
    const RequestFrames r = buildRequestFrames();
    QTest::newRow("derate") << r.derateReadRequest << "D5 C5 DA";
    QTest::newRow("flux weaken") << r.fluxWeakenReadRequest << "D6 C6 DA";
    QTest::newRow("other") << r.otherReadRequest << "FE EE DA";
    QTest::newRow("torque pid") << r.dqPidReadRequest << "D2 C2 DA";
    QTest::newRow("hall stop") << r.hallTestStopRequest << "FC EE DA";
    QTest::newRow("hall B") << r.hallBTestRequest << "FC ED DA";
    QTest::newRow("hall A") << r.hallATestRequest << "FC EC DA";
    QTest::newRow("restore defaults") << r.restoreDefaultsRequest << "FA EB DA";
    QTest::newRow("factory set") << r.factorySetRequest << "FA EA DA";
    QTest::newRow("basic") << r.basicReadRequest << "F0 E0 DA";
    QTest::newRow("reference") << r.referenceReadRequest << "F2 E2 DA";
    QTest::newRow("motor") << r.motorReadRequest << "F6 E6 DA";
    QTest::newRow("mode set") << r.modeSetReadRequest << "D7 C7 DA";
    QTest::newRow("protection") << r.protectionReadRequest << "F8 E8 DA";
    QTest::newRow("control") << r.controlReadRequest << "F4 E4 DA";
    QTest::newRow("idc count reset") << r.idcCountResetRequest << "FB EC DA";
    QTest::newRow("idc calib start") << r.idcCalibStartRequest << "FB EB DA";
    QTest::newRow("user info: four bytes") << r.userInfoReadRequest << "F1 E1 A2 DA";
    QTest::newRow("idc read") << r.idcCalibReadRequest << "FB ED DA";
    QTest::newRow("poll: three bytes, no end marker") << r.statusPollRequest << "FD 48 55";
}

void TestCommandTable::requestFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, hex);
    QCOMPARE(hexString(frame), hex);
}

void TestCommandTable::familiesFollowTheCodeRule()
{
    for (const BlockFamily &f : blockFamilies()) {
        const bool idc = f.id == FrameId::IdcCalib;
        QCOMPARE(f.readCode, idc ? quint8(0xED) : quint8(f.command() - 0x10));
        QCOMPARE(f.writeCode, idc ? quint8(0xEE) : quint8(f.command() - 0x0F));
        // Both the reply to the read and the acknowledgement of the write are
        // dispatched (the user-info family only with its qualifier).
        Block reply = makeBlock({f.command(), f.readCode, kUserInfoQualifier});
        Block ack = makeBlock({f.command(), f.writeCode, kUserInfoQualifier});
        QVERIFY2(findReplyRow(reply), f.name);
        QVERIFY2(findReplyRow(ack), f.name);
        QCOMPARE(findReplyRow(reply)->family, f.id);
        QCOMPARE(findReplyRow(ack)->action, ReplyAction::Ack);
        const QByteArray request = readRequestFor(f.id);
        if (f.id == FrameId::Assist) {
            QVERIFY(request.isEmpty()); // the tool never asks for it
            continue;
        }
        QCOMPARE(quint8(request.at(0)), f.command());
        QCOMPARE(quint8(request.at(1)), f.readCode);
        QCOMPARE(quint8(request.back()), kEndMarker);
    }
    // Mode set, the example: read C7, write C8.
    QCOMPARE(findFamily(FrameId::ModeSet)->readCode, quint8(0xC7));
    QCOMPARE(findFamily(FrameId::ModeSet)->writeCode, quint8(0xC8));
}

void TestCommandTable::writeBlockShape()
{
    for (const BlockFamily &f : blockFamilies()) {
        const Block b = newWriteBlockFor(f.id);
        QCOMPARE(b[0], f.command());
        QCOMPARE(b[1], f.writeCode);
        QCOMPARE(b[31], kEndMarker);
        const bool userInfo = f.id == FrameId::UserInfo;
        QCOMPARE(b[2], quint8(userInfo ? 0xA2 : 0));
        for (int i = 3; i < 31; ++i)
            QCOMPARE(b[i], quint8(0));
    }
}

void TestCommandTable::replyLookup_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("action"); // -1: no row
    QTest::addColumn<int>("family");
    QTest::newRow("status") << bytesOf({0xDF, 0xEF}) << int(ReplyAction::Status) << int(FrameId::Status);
    QTest::newRow("user info with A2") << bytesOf({0xF1, 0xE1, 0xA2}) << int(ReplyAction::Block) << int(FrameId::UserInfo);
    QTest::newRow("user info without A2") << bytesOf({0xF1, 0xE1, 0xA3}) << -1 << -1;
    QTest::newRow("user info ack without A2") << bytesOf({0xF1, 0xE2, 0x00}) << -1 << -1;
    QTest::newRow("idc read reply") << bytesOf({0xFB, 0xED}) << int(ReplyAction::Block) << int(FrameId::IdcCalib);
    QTest::newRow("idc count reset reply") << bytesOf({0xFB, 0xEC}) << int(ReplyAction::Block) << int(FrameId::IdcCalib);
    QTest::newRow("idc start: no reply row") << bytesOf({0xFB, 0xEB}) << -1 << -1;
    QTest::newRow("assist reply: a block nobody keeps") << bytesOf({0xD0, 0xC0}) << int(ReplyAction::Block) << int(FrameId::Assist);
    QTest::newRow("hall A done lands in motor") << bytesOf({0xFF, 0xFC}) << int(ReplyAction::HallADone) << int(FrameId::Motor);
    QTest::newRow("hall B done: Motor layout") << bytesOf({0xFF, 0xFA}) << int(ReplyAction::HallBDone) << int(FrameId::Motor);
    QTest::newRow("test reply kept by nobody") << bytesOf({0xFF, 0xF9}) << int(ReplyAction::None) << int(FrameId::None);
    QTest::newRow("hall warning") << bytesOf({0xFF, 0xFE}) << int(ReplyAction::HallWarning) << int(FrameId::None);
    QTest::newRow("unknown pair") << bytesOf({0x12, 0x34}) << -1 << -1;
    QTest::newRow("poll echo is no reply") << bytesOf({0xFD, 0x48}) << -1 << -1;
}

void TestCommandTable::replyLookup()
{
    QFETCH(QByteArray, head);
    QFETCH(int, action);
    QFETCH(int, family);
    Block b = blockFromBytes(head);
    b[31] = kEndMarker;
    const ReplyRow *row = findReplyRow(b);
    if (action < 0) {
        QVERIFY(!row);
        return;
    }
    QVERIFY(row);
    QCOMPARE(int(row->action), action);
    QCOMPARE(int(row->family), family);
}

void TestCommandTable::portSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("start-up") << "9600,n,8,1" << true << "9600,n,8,1";
    QTest::newRow("dialog default") << "57600,n,8,1" << true << "57600,n,8,1";
    QTest::newRow("odd 7 1.5") << "1200,o,7,1.5" << true << "1200,o,7,1.5";
    QTest::newRow("even two stop, blanks") << " 115200 , e , 8 , 2 " << true << "115200,e,8,2";
    QTest::newRow("upper-case parity") << "9600,N,8,1" << true << "9600,n,8,1";
    QTest::newRow("mark parity") << "9600,m,8,1" << false << "";
    QTest::newRow("six data bits") << "9600,n,6,1" << false << "";
    QTest::newRow("three stop bits") << "9600,n,8,3" << false << "";
    QTest::newRow("three fields") << "9600,n,8" << false << "";
    QTest::newRow("no baud") << ",n,8,1" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestCommandTable::portSettings()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, normalised);
    const auto s = PortSettings::parse(text);
    QCOMPARE(bool(s), valid);
    if (s)
        QCOMPARE(s->toString(), normalised);
}

void TestCommandTable::portNumbers()
{
#ifdef Q_OS_WIN
    QCOMPARE(portNameForNumber(1), QStringLiteral("COM1"));
#else
    QCOMPARE(portNameForNumber(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(portNameForNumber(9), QStringLiteral("/dev/ttyS8"));
    QCOMPARE(portNumberForName(QStringLiteral("/dev/ttyS2")), 3);
    QCOMPARE(portNumberForName(QStringLiteral("/dev/ttyUSB0")), 0);
#endif
    QCOMPARE(portNameForNumber(0), QString());
}

QTEST_GUILESS_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
