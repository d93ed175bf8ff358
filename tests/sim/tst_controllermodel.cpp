// The simulated controller on its own: requests in, exact replies out.

#include "simtesthelpers.h"

#include "link/commandtable.h"

#include <QTest>

using sim::ControllerModel;
using sim::SimOptions;

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestControllerModel : public QObject
{
    Q_OBJECT
private slots:
    void readReplies_data();
    void readReplies();
    void noReply_data();
    void noReply();
    void everyToolRequestIsServed();
    void writeThenRead_data();
    void writeThenRead();
    void idcWriteKeepsFactoryBytes();
    void writeWithWrongEndMarkerIsIgnored();
    void idcBlockCarriesType_data();
    void idcBlockCarriesType();
    void idcCountReset();
    void factorySetAndRestore();
    void storedValuesWithinFieldRanges_data();
    void storedValuesWithinFieldRanges();
    void streamResync_data();
    void streamResync();
    void hallTest_data();
    void hallTest();
    void hallTestRefusedWhileThrottle();
    void hallTestStop();
};

// ---------------------------------------------------------------- reads

void TestControllerModel::readReplies_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("stored"); // the family whose stored block is the reply; 0: none

    auto row = [](const char *name, std::initializer_list<int> req, std::initializer_list<int> head,
                  int stored) { QTest::newRow(name) << bytes(req) << bytes(head) << stored; };
    row("Basic", {0xF0, 0xE0, 0xDA}, {0xF0, 0xE0}, 0xF0);
    row("Reference", {0xF2, 0xE2, 0xDA}, {0xF2, 0xE2}, 0xF2);
    row("Control", {0xF4, 0xE4, 0xDA}, {0xF4, 0xE4}, 0xF4);
    row("Motor", {0xF6, 0xE6, 0xDA}, {0xF6, 0xE6}, 0xF6);
    row("Protection", {0xF8, 0xE8, 0xDA}, {0xF8, 0xE8}, 0xF8);
    row("Other", {0xFE, 0xEE, 0xDA}, {0xFE, 0xEE}, 0xFE);
    row("Assist", {0xD0, 0xC0, 0xDA}, {0xD0, 0xC0}, 0xD0);
    row("Torque PID", {0xD2, 0xC2, 0xDA}, {0xD2, 0xC2}, 0xD2);
    row("Derate", {0xD5, 0xC5, 0xDA}, {0xD5, 0xC5}, 0xD5);
    row("Flux weakening", {0xD6, 0xC6, 0xDA}, {0xD6, 0xC6}, 0xD6);
    row("Mode set", {0xD7, 0xC7, 0xDA}, {0xD7, 0xC7}, 0xD7);
    row("User information", {0xF1, 0xE1, 0xA2, 0xDA}, {0xF1, 0xE1, 0xA2}, 0xF1);
    row("Idc read", {0xFB, 0xED, 0xDA}, {0xFB, 0xED}, 0xFB);
    row("Idc count reset", {0xFB, 0xEC, 0xDA}, {0xFB, 0xEC}, 0xFB);
    row("Factory set", {0xFA, 0xEA, 0xDA}, {0xFA, 0xEA}, 0);
    row("Restore defaults", {0xFA, 0xEB, 0xDA}, {0xFA, 0xEB}, 0);
    row("Status poll", {0xFD, 0x48, 0x55}, {0xDF, 0xEF}, 0);
}

void TestControllerModel::readReplies()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, head);
    QFETCH(int, stored);

    SimBench bench;
    const QByteArray reply = bench.ask(request);
    QCOMPARE(reply.size(), 32);
    QCOMPARE(reply.left(head.size()), head);
    QCOMPARE(u8At(reply, 31), 0xDA);
    if (stored) {
        QByteArray expected = bench.model.storedBlock(quint8(stored));
        expected.replace(0, head.size(), head);
        QCOMPARE(reply, expected);
        // A realistic block, not an empty one.
        QVERIFY(reply.mid(3, 28).count('\0') < 24);
    } else if (head.startsWith(char(0xFA))) {
        QCOMPARE(reply, block({u8At(head, 0), u8At(head, 1)}));
    }
    // Exactly one reply, and nothing later.
    QCOMPARE(bench.waitBytes(3000), QByteArray());
}

void TestControllerModel::noReply_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("Idc calibration start") << bytes({0xFB, 0xEB, 0xDA});
    QTest::newRow("hall test stop") << bytes({0xFC, 0xEE, 0xDA});
    QTest::newRow("Iq test mode") << bytes({0xF9, 0xEA, 0x01, 0x00, 0x01, 0xDA});
    QTest::newRow("Iq test start")
        << bytes({0xF9, 0xE9, 0x69, 0x00, 0x00, 0x00, 0x0E, 0x00, 0xDA});
    QTest::newRow("Iq test stop") << bytes({0xF9, 0xE9, 0, 0, 0, 0, 0, 0, 0xDA});
    QTest::newRow("angle step write") << bytes({0xF9, 0xE9, 0x69, 0x00, 0x01, 0x01, 0, 0, 0x00, 0xDA});
    QTest::newRow("test throttle") << bytes({0xF9, 0xEB, 0x00, 0x32, 0xDA});
    QTest::newRow("record start") << bytes({0xF9, 0xEB, 0x00, 0xDA});
    QTest::newRow("read without end marker") << bytes({0xF0, 0xE0, 0xDB});
    QTest::newRow("unknown family") << bytes({0xF3, 0xE3, 0xDA});
    QTest::newRow("poll with a wrong byte") << bytes({0xFD, 0x48, 0x54});
    QTest::newRow("user info without qualifier") << bytes({0xF1, 0xE1, 0xA3, 0xDA});
    QTest::newRow("status code as request") << bytes({0xDF, 0xEF, 0xDA});
}

void TestControllerModel::noReply()
{
    QFETCH(QByteArray, request);
    SimBench bench;
    QCOMPARE(bench.ask(request, 3000), QByteArray());
    // The controller is still in step afterwards.
    QCOMPARE(bench.poll().left(2), bytes({0xDF, 0xEF}));
}

// Every request frame the tool builds finds its answer (or its silence).
void TestControllerModel::everyToolRequestIsServed()
{
    const RequestFrames r = buildRequestFrames();
    const QList<QPair<QByteArray, QByteArray>> expected = {
        {r.derateReadRequest, bytes({0xD5, 0xC5})},
        {r.fluxWeakenReadRequest, bytes({0xD6, 0xC6})},
        {r.otherReadRequest, bytes({0xFE, 0xEE})},
        {r.dqPidReadRequest, bytes({0xD2, 0xC2})},
        {r.hallTestStopRequest, {}},
        {r.restoreDefaultsRequest, bytes({0xFA, 0xEB})},
        {r.factorySetRequest, bytes({0xFA, 0xEA})},
        {r.basicReadRequest, bytes({0xF0, 0xE0})},
        {r.referenceReadRequest, bytes({0xF2, 0xE2})},
        {r.motorReadRequest, bytes({0xF6, 0xE6})},
        {r.modeSetReadRequest, bytes({0xD7, 0xC7})},
        {r.protectionReadRequest, bytes({0xF8, 0xE8})},
        {r.controlReadRequest, bytes({0xF4, 0xE4})},
        {r.idcCountResetRequest, bytes({0xFB, 0xEC})},
        {r.idcCalibStartRequest, {}},
        {r.userInfoReadRequest, bytes({0xF1, 0xE1, 0xA2})},
        {r.idcCalibReadRequest, bytes({0xFB, 0xED})},
        {r.statusPollRequest, bytes({0xDF, 0xEF})},
        {r.hallATestRequest, bytes({0xFF, 0xFD})},
        {r.hallBTestRequest, bytes({0xFF, 0xFB})},
    };
    for (const auto &[request, head] : expected) {
        SimBench bench;
        const QByteArray reply = bench.ask(request);
        QVERIFY2(reply.size() == (head.isEmpty() ? 0 : 32), qPrintable(sim::hex(request)));
        QCOMPARE(reply.left(head.size()), head);
    }
}

// ---------------------------------------------------------------- writes

void TestControllerModel::writeThenRead_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("writeCode");
    QTest::addColumn<QByteArray>("readRequest");
    auto row = [](const char *name, int c, int w, QByteArray read) {
        QTest::newRow(name) << c << w << read;
    };
    row("Basic", 0xF0, 0xE1, bytes({0xF0, 0xE0, 0xDA}));
    row("Reference", 0xF2, 0xE3, bytes({0xF2, 0xE2, 0xDA}));
    row("Control", 0xF4, 0xE5, bytes({0xF4, 0xE4, 0xDA}));
    row("Motor", 0xF6, 0xE7, bytes({0xF6, 0xE6, 0xDA}));
    row("Protection", 0xF8, 0xE9, bytes({0xF8, 0xE8, 0xDA}));
    row("Other", 0xFE, 0xEF, bytes({0xFE, 0xEE, 0xDA}));
    row("Assist", 0xD0, 0xC1, bytes({0xD0, 0xC0, 0xDA}));
    row("Torque PID", 0xD2, 0xC3, bytes({0xD2, 0xC2, 0xDA}));
    row("Derate", 0xD5, 0xC6, bytes({0xD5, 0xC5, 0xDA}));
    row("Flux weakening", 0xD6, 0xC7, bytes({0xD6, 0xC6, 0xDA}));
    row("Mode set", 0xD7, 0xC8, bytes({0xD7, 0xC7, 0xDA}));
    row("User information", 0xF1, 0xE2, bytes({0xF1, 0xE1, 0xA2, 0xDA}));
}

void TestControllerModel::writeThenRead()
{
    QFETCH(int, command);
    QFETCH(int, writeCode);
    QFETCH(QByteArray, readRequest);

    SimBench bench;
    QByteArray frame = block({command, writeCode});
    for (int i = 2; i < 31; ++i)
        frame[i] = char((i * 37 + command) & 0xFF);
    if (command == 0xF1)
        frame[2] = char(0xA2);

    // The acknowledgement repeats the write.
    QCOMPARE(bench.ask(frame), frame);

    QByteArray expected = frame;
    expected[1] = char(writeCode - 1);
    QCOMPARE(bench.ask(readRequest), expected);
}

// The unit's model code and its calibration count are the drive's own; the
// tool's write carries zeros there.
void TestControllerModel::idcWriteKeepsFactoryBytes()
{
    SimBench bench;
    const QByteArray before = bench.ask(bytes({0xFB, 0xED, 0xDA}));
    QByteArray frame = block({0xFB, 0xEE, 50, 20, 0x3F, 0, 14, 200, 0x16, 0x05, 13, 27, 1, 0, 3});
    QCOMPARE(bench.ask(frame), frame);
    const QByteArray after = bench.ask(bytes({0xFB, 0xED, 0xDA}));
    QCOMPARE(after.mid(2, 20), frame.mid(2, 20));
    QCOMPARE(u8At(after, 14), 3); // the type as written
    QCOMPARE(u8At(after, 22), u8At(before, 22));
    QVERIFY(u8At(after, 22) != 0);
    QCOMPARE(u8At(after, 24), u8At(before, 24));
    QCOMPARE(after.mid(25, 6), frame.mid(25, 6));
}

void TestControllerModel::writeWithWrongEndMarkerIsIgnored()
{
    SimBench bench;
    const QByteArray before = bench.model.storedBlock(0xF0);
    QCOMPARE(bench.ask(block({0xF0, 0xE1, 1, 2, 3}, 0, 0xDB)), QByteArray());
    QCOMPARE(bench.model.storedBlock(0xF0), before);
    QCOMPARE(bench.poll().left(2), bytes({0xDF, 0xEF}));
}

// ---------------------------------------------------------------- Idc family

void TestControllerModel::idcBlockCarriesType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("iqQuit");
    QTest::newRow("type 1") << 1 << 1;
    QTest::newRow("type 2") << 2 << 5;
    QTest::newRow("type 3") << 3 << 0;
}

void TestControllerModel::idcBlockCarriesType()
{
    QFETCH(int, type);
    QFETCH(int, iqQuit);
    SimOptions o;
    o.controllerType = type;
    SimBench bench(o);
    const QByteArray idc = bench.ask(bytes({0xFB, 0xED, 0xDA}));
    QCOMPARE(u8At(idc, 14), type);
    QCOMPARE(u8At(idc, 23), iqQuit);
}

void TestControllerModel::idcCountReset()
{
    SimBench bench;
    QCOMPARE(bench.ask(bytes({0xFB, 0xEB, 0xDA})), QByteArray());
    QCOMPARE(bench.ask(bytes({0xFB, 0xEB, 0xDA})), QByteArray());
    const QByteArray read = bench.ask(bytes({0xFB, 0xED, 0xDA}));
    QCOMPARE(u8At(read, 24), 2);
    const QByteArray reset = bench.ask(bytes({0xFB, 0xEC, 0xDA}));
    QCOMPARE(reset.left(2), bytes({0xFB, 0xEC}));
    QCOMPARE(u8At(reset, 24), 0);
    QCOMPARE(reset.mid(2, 22), read.mid(2, 22));
}

void TestControllerModel::factorySetAndRestore()
{
    SimBench bench;
    const QByteArray factory = bench.ask(bytes({0xF0, 0xE0, 0xDA}));
    const QByteArray idcBefore = bench.ask(bytes({0xFB, 0xED, 0xDA}));

    // Restore brings the factory block back; the Idc block stays as written.
    bench.ask(block({0xF0, 0xE1, 0x10, 0x01}));
    bench.ask(block({0xFB, 0xEE, 1, 2, 3}));
    QCOMPARE(bench.ask(bytes({0xFA, 0xEB, 0xDA})), block({0xFA, 0xEB}));
    QCOMPARE(bench.ask(bytes({0xF0, 0xE0, 0xDA})), factory);
    QVERIFY(bench.ask(bytes({0xFB, 0xED, 0xDA})) != idcBefore);

    // Factory set makes the present settings the ones a restore returns to.
    const QByteArray mine = block({0xF0, 0xE1, 0x20, 0x02});
    bench.ask(mine);
    QCOMPARE(bench.ask(bytes({0xFA, 0xEA, 0xDA})), block({0xFA, 0xEA}));
    bench.ask(block({0xF0, 0xE1, 0x30, 0x03}));
    bench.ask(bytes({0xFA, 0xEB, 0xDA}));
    QByteArray expected = mine;
    expected[1] = char(0xE0);
    QCOMPARE(bench.ask(bytes({0xF0, 0xE0, 0xDA})), expected);
}

// The tool clamps what it writes back; a stored value outside a field's
// range would change on the first round trip. Only the narrow ranges are
// listed: the byte itself bounds the others.
void TestControllerModel::storedValuesWithinFieldRanges_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    for (int type = 1; type <= 3; ++type) {
        auto row = [type](const char *name, int c, int first, int last, int lo, int hi) {
            QTest::addRow("type %d %s", type, name) << type << c << first << last << lo << hi;
        };
        row("Reference percentages", 0xF2, 18, 19, 0, 160);
        row("Reference start forecast", 0xF2, 21, 21, 0, 128);
        row("Motor pole pairs", 0xF6, 2, 2, 1, 255);
        row("Motor sensor type", 0xF6, 5, 5, 1, 5);
        row("Motor square offset", 0xF6, 8, 8, 0, 60);
        row("Motor hall A sectors", 0xF6, 9, 14, 20, 100);
        row("Motor hall calibration", 0xF6, 21, 23, 1, 255);
        if (type == 3) {
            row("Motor dec2", 0xF6, 20, 20, 1, 255);
            row("Motor regeneration quantity", 0xF6, 26, 26, 0, 32);
        } else {
            row("Motor hall filter", 0xF6, 20, 20, 1, 255);
            row("Motor hall B sectors", 0xF6, 24, 29, 20, 100);
            row("Motor hall group", 0xF6, 30, 30, 0, 1);
        }
        row("Other percentages", 0xFE, 2, 2, 0, 100);
        row("Other percentage 1", 0xFE, 5, 5, 0, 100);
        row("Flux printf switch", 0xD6, 30, 30, 0, 1);
        row("Derate delays", 0xD5, 2, 5, 1, 255);
        row("Derate ECO points", 0xD5, 20, 23, 1, 255);
        row("Mode set", 0xD7, 2, 18, 1, 255);
        row("Idc year", 0xFB, 10, 10, 0, 99);
        row("Idc week", 0xFB, 11, 11, 0, 55);
        row("Idc type", 0xFB, 14, 14, 1, 3);
        row("Idc flux period", 0xFB, 15, 15, 1, 255);
        row("Idc reference period", 0xFB, 18, 18, 1, 120);
        row("Idc divisor power", 0xFB, 21, 21, 0, 15);
        row("Idc wiring", 0xFB, 26, 27, 1, 6);
    }
}

void TestControllerModel::storedValuesWithinFieldRanges()
{
    QFETCH(int, type);
    QFETCH(int, command);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, lo);
    QFETCH(int, hi);
    SimOptions o;
    o.controllerType = type;
    const ControllerModel model(o);
    const QByteArray b = model.storedBlock(quint8(command));
    for (int i = first; i <= last; ++i)
        QVERIFY2(u8At(b, i) >= lo && u8At(b, i) <= hi, qPrintable(QStringLiteral("byte %1 = %2")
                                                                      .arg(i)
                                                                      .arg(u8At(b, i))));
}

// ---------------------------------------------------------------- the stream

void TestControllerModel::streamResync_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks"); // fed 10 ms apart
    QTest::addColumn<QByteArray>("heads");         // first two bytes of each reply, in order

    const QByteArray poll = bytes({0xFD, 0x48, 0x55});
    const QByteArray basic = bytes({0xF0, 0xE0, 0xDA});
    QTest::newRow("garbage before a poll") << QList<QByteArray>{bytes({0x00, 0x13, 0xFD, 0x48}) + poll}
                                           << bytes({0xDF, 0xEF});
    QTest::newRow("poll in three pieces")
        << QList<QByteArray>{bytes({0xFD}), bytes({0x48}), bytes({0x55})} << bytes({0xDF, 0xEF});
    QTest::newRow("two requests in one chunk") << QList<QByteArray>{basic + poll}
                                               << bytes({0xF0, 0xE0, 0xDF, 0xEF});
    QTest::newRow("command byte followed by another request")
        << QList<QByteArray>{bytes({0xF0}) + poll} << bytes({0xDF, 0xEF});
    QTest::newRow("poll right after a 9-byte test frame")
        << QList<QByteArray>{bytes({0xF9, 0xE9, 0xDA, 0, 0, 0, 0x0E, 0, 0xDA}) + poll}
        << bytes({0xDF, 0xEF});
    QTest::newRow("poll right after a 10-byte test frame")
        << QList<QByteArray>{bytes({0xF9, 0xE9, 0x69, 0, 1, 1, 0, 0, 1, 0xDA}) + poll}
        << bytes({0xDF, 0xEF});
    QTest::newRow("poll right after the 4-byte record start")
        << QList<QByteArray>{bytes({0xF9, 0xEB, 0x00, 0xDA}) + poll} << bytes({0xDF, 0xEF});
    QTest::newRow("write block in pieces")
        << QList<QByteArray>{block({0xF2, 0xE3, 7}).left(10), block({0xF2, 0xE3, 7}).mid(10)}
        << bytes({0xF2, 0xE3});
    QTest::newRow("user info request after a stray F1")
        << QList<QByteArray>{bytes({0xF1, 0xF1, 0xE1, 0xA2, 0xDA})} << bytes({0xF1, 0xE1});
}

void TestControllerModel::streamResync()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QByteArray, heads);
    SimBench bench;
    QByteArray out;
    for (const QByteArray &c : chunks) {
        bench.model.feed(c, bench.now);
        out += bench.waitBytes(10);
    }
    out += bench.waitBytes(100);
    QCOMPARE(out.size(), heads.size() / 2 * 32);
    for (int i = 0; i < heads.size() / 2; ++i)
        QCOMPARE(out.mid(32 * i, 2), heads.mid(2 * i, 2));
}

// ---------------------------------------------------------------- hall test

void TestControllerModel::hallTest_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("sub");
    QTest::addColumn<int>("underTest");
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("firstSector");
    QTest::newRow("group A") << 2 << 0xEC << 0xFD << 0xFC << 9;
    QTest::newRow("group B") << 2 << 0xED << 0xFB << 0xFA << 24;
    QTest::newRow("group B on type 1") << 1 << 0xED << 0xFB << 0xFA << 24;
    QTest::newRow("group A on type 3") << 3 << 0xEC << 0xFD << 0xFC << 9;
}

void TestControllerModel::hallTest()
{
    QFETCH(int, type);
    QFETCH(int, sub);
    QFETCH(int, underTest);
    QFETCH(int, done);
    QFETCH(int, firstSector);
    SimOptions o;
    o.controllerType = type;
    SimBench bench(o);

    QCOMPARE(bench.ask(bytes({0xFC, sub, 0xDA})), block({0xFF, underTest}));
    // While the test runs the drive says so in the state bits.
    QVERIFY(u8At(bench.poll(), 9) & 0x04);
    QCOMPARE(bench.waitBytes(800), QByteArray());
    const QByteArray result = bench.waitBytes(200);
    QCOMPARE(result.size(), 32);
    QCOMPARE(result.left(2), bytes({0xFF, done}));

    // The Motor layout: the stored Motor block with six fresh sectors that
    // make a full turn, each within the range the Motor page accepts.
    const QByteArray motor = bench.model.storedBlock(0xF6);
    int sum = 0;
    for (int i = 0; i < 6; ++i) {
        const int sector = u8At(result, firstSector + i);
        QVERIFY(sector >= 20 && sector <= 100);
        sum += sector;
    }
    QCOMPARE(sum, 360);
    for (int i = 2; i < 32; ++i) {
        if (i < firstSector || i >= firstSector + 6)
            QCOMPARE(u8At(result, i), u8At(motor, i));
    }
    QVERIFY(!(u8At(bench.poll(), 9) & 0x04));
}

void TestControllerModel::hallTestRefusedWhileThrottle()
{
    SimBench bench;
    bench.model.vehicle().setThrottle(20);
    QCOMPARE(bench.ask(bytes({0xFC, 0xEC, 0xDA})), block({0xFF, 0xFE}));
    QCOMPARE(bench.waitBytes(2000), QByteArray());

    // A wheel still rolling out after the throttle came back is refused too.
    bench.runFor(3000);
    bench.model.vehicle().setThrottle(0);
    QCOMPARE(bench.ask(bytes({0xFC, 0xED, 0xDA})), block({0xFF, 0xFE}));
}

void TestControllerModel::hallTestStop()
{
    SimBench bench;
    QCOMPARE(bench.ask(bytes({0xFC, 0xEC, 0xDA})).left(2), bytes({0xFF, 0xFD}));
    QCOMPARE(bench.ask(bytes({0xFC, 0xEE, 0xDA}), 2000), QByteArray());
    QVERIFY(!(u8At(bench.poll(), 9) & 0x04));
}

QTEST_GUILESS_MAIN(TestControllerModel)
#include "tst_controllermodel.moc"
