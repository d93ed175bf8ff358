// The live-status block of the simulated drive: its encodings, and values
// that move the way a drive on a test bench moves.

#include "simtesthelpers.h"

#include <QTest>

#include <cmath>

using sim::SimOptions;

namespace {
// The readings of a status block, read with this test's own arithmetic.
struct Status
{
    explicit Status(const QByteArray &b) : raw(b)
    {
        vdc = u16At(b, 2) / 100.0;
        idc = sm16At(b, 4) / 100.0;
        rpm = sm16At(b, 6);
        powerTemp = u8At(b, 8) - 10;
        bits = u8At(b, 9);
        history = u16At(b, 10);
        motorTemp = u8At(b, 12) * 2;
        iqRef = sm16At(b, 13);
        throttleV = u16At(b, 15) / 10000.0;
        inputs = u8At(b, 17);
        state = u8At(b, 18);
        current = u16At(b, 19);
        iqAct = sm16At(b, 21);
        gear = u8At(b, 28);
        hall = u8At(b, 29);
    }
    QByteArray raw;
    double vdc, idc, throttleV;
    int rpm, powerTemp, bits, history, motorTemp, iqRef, inputs, state, current, iqAct, gear, hall;
};

enum State { Idle = 0, Startup = 1, ParaSet = 2, Run = 3, Stop = 4, Wait = 5, FaultState = 6 };
} // namespace

class TestBenchStatus : public QObject
{
    Q_OBJECT
private slots:
    void everyBlockIsWhole();
    void atRest();
    void startupThenIdle();
    void throttleRampsSpeed_data();
    void throttleRampsSpeed();
    void regenerationShowsNegativeCurrent();
    void rollsOutToIdle();
    void temperaturesFollowTheDrive();
    void agingPassesHundredDegrees_data();
    void agingPassesHundredDegrees();
    void agingStops();
    void injectedFaultLeavesHistory_data();
    void injectedFaultLeavesHistory();
    void limitsComeFromStoredBlocks();
    void parameterWriteShowsParaSet();
    void spontaneousFaults();
};

void TestBenchStatus::everyBlockIsWhole()
{
    SimOptions o;
    o.faultEverySeconds = 30;
    SimBench bench(o);
    bench.model.vehicle().setDriveCycle(true);
    for (int i = 0; i < 300; ++i) {
        const QByteArray b = bench.poll();
        QCOMPARE(b.size(), 32);
        QCOMPARE(b.left(2), bytes({0xDF, 0xEF}));
        QCOMPARE(u8At(b, 31), 0xDA);
        const Status s(b);
        QVERIFY(s.state >= 0 && s.state <= 6);
        QVERIFY(s.gear >= 0 && s.gear <= 4);
        QVERIFY(s.hall >= 1 && s.hall <= 7);
        QVERIFY(s.vdc > 60 && s.vdc < 85);
        bench.waitBytes(950);
    }
}

void TestBenchStatus::atRest()
{
    SimBench bench;
    const Status s(bench.poll());
    QCOMPARE(s.rpm, 0);
    QCOMPARE(s.iqRef, 0);
    QCOMPARE(u16At(s.raw, 15), 8500); // throttle at rest: 0.850 V
    QVERIFY(s.vdc > 78.5 && s.vdc < 80);
    QVERIFY(s.idc >= 0 && s.idc < 1);
    QVERIFY(s.powerTemp > 15 && s.powerTemp < 35);
    QCOMPARE(s.gear, 2);        // forward
    QCOMPARE(s.bits & 0x03, 0x01);
    QCOMPARE(s.inputs & 0x03, 0x01);
    QVERIFY(s.bits & 0x40);     // hall group A active
    QCOMPARE(s.current, 0);
    QCOMPARE(s.state, int(Idle));
}

void TestBenchStatus::startupThenIdle()
{
    sim::ControllerModel model;
    model.feed(bytes({0xFD, 0x48, 0x55}), 100);
    QByteArray first;
    for (const sim::OutChunk &c : model.advance(200))
        first += c.bytes;
    QCOMPARE(Status(first).state, int(Startup));
    model.feed(bytes({0xFD, 0x48, 0x55}), 1200);
    QByteArray second;
    for (const sim::OutChunk &c : model.advance(1300))
        second += c.bytes;
    QCOMPARE(Status(second).state, int(Idle));
}

void TestBenchStatus::throttleRampsSpeed_data()
{
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<double>("throttleV");
    // Forward limit 1200 rpm, backward 300 rpm; a little below the target at
    // steady load.
    QTest::newRow("forward 50 %") << false << 50 << 500 << 600 << 2.55;
    QTest::newRow("forward 100 %") << false << 100 << 1000 << 1200 << 4.0;
    QTest::newRow("backward 100 %") << true << 100 << -300 << -250 << 4.0;
}

void TestBenchStatus::throttleRampsSpeed()
{
    QFETCH(bool, backward);
    QFETCH(int, percent);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(double, throttleV);

    SimBench bench;
    const Status rest(bench.poll());
    if (backward)
        bench.model.vehicle().setGear(sim::Gear::Backward);
    bench.model.vehicle().setThrottle(percent);
    const Status early(bench.runFor(1000));
    const Status s(bench.runFor(15000));
    QVERIFY2(s.rpm >= lo && s.rpm <= hi, qPrintable(QString::number(s.rpm)));
    QVERIFY(std::abs(early.rpm) < std::abs(s.rpm)); // a ramp, not a jump
    QCOMPARE(s.throttleV, throttleV);
    QCOMPARE(s.state, int(Run));
    QVERIFY(s.idc > 1);          // drawing from the battery
    QVERIFY(s.vdc < rest.vdc);   // which sags under the load
    QVERIFY(s.iqAct * s.rpm > 0); // torque along the motion
    if (backward) {
        QVERIFY(u8At(s.raw, 7) & 0x80); // sign-magnitude, not two's complement
        QCOMPARE(s.gear, 4);
        QCOMPARE(s.bits & 0x03, 0x02);
        QCOMPARE(s.inputs & 0x03, 0x02);
    }
}

void TestBenchStatus::regenerationShowsNegativeCurrent()
{
    SimBench bench;
    bench.model.vehicle().setThrottle(100);
    bench.runFor(10000);
    bench.model.vehicle().setThrottle(0);
    bench.model.vehicle().setBrake(true);
    bool charging = false;
    for (int i = 0; i < 10 && !charging; ++i) {
        const Status s(bench.runFor(1000));
        QVERIFY(s.bits & 0x10);
        QCOMPARE(s.inputs & 0x30, 0x30);
        if (s.idc < 0) {
            charging = true;
            QVERIFY(u8At(s.raw, 5) & 0x80);
            QVERIFY(s.iqRef < 0);
        }
    }
    QVERIFY(charging);
}

void TestBenchStatus::rollsOutToIdle()
{
    SimBench bench;
    bench.model.vehicle().setThrottle(60);
    const Status fast(bench.runFor(8000));
    bench.model.vehicle().setThrottle(0);
    const Status rolling(bench.runFor(1000));
    QVERIFY(rolling.rpm > 0 && rolling.rpm < fast.rpm);
    QCOMPARE(rolling.state, int(Stop));
    const Status stopped(bench.runFor(40000));
    QCOMPARE(stopped.rpm, 0);
    QCOMPARE(stopped.state, int(Idle));
}

void TestBenchStatus::temperaturesFollowTheDrive()
{
    SimBench bench;
    const Status cold(bench.poll());
    bench.model.vehicle().setThrottle(100);
    const Status hot(bench.runFor(240000));
    QVERIFY(hot.powerTemp > cold.powerTemp + 5);
    QVERIFY(hot.motorTemp > cold.motorTemp + 5);
    // The block carries what the drive measures, in its own encodings.
    const sim::BenchVehicle &v = bench.model.vehicle();
    QCOMPARE(u8At(hot.raw, 8), int(std::lround(v.powerTemp())) + 10);
    QCOMPARE(u8At(hot.raw, 12), int(std::lround(v.motorTemp() / 2)));
    bench.model.vehicle().setThrottle(0);
    const Status cooled(bench.runFor(600000));
    QVERIFY(cooled.powerTemp < hot.powerTemp - 5);
}

void TestBenchStatus::agingPassesHundredDegrees_data()
{
    QTest::addColumn<int>("amps");
    QTest::newRow("10 A") << 10;
    QTest::newRow("353 A") << 353;
}

// An Iq test run heats the power stage past 100 degrees within one or two
// minutes; the protection then cuts it off.
void TestBenchStatus::agingPassesHundredDegrees()
{
    QFETCH(int, amps);
    SimBench bench;
    const int code = int(amps * 1.414);
    bench.ask(bytes({0xF9, 0xEA, 1, 0, 0, 0xDA}));
    bench.ask(bytes({0xF9, 0xE9, 0x69, 0, 0, 0, code & 0xFF, code >> 8, 0xDA}));
    bench.runFor(1000);
    int seconds = 1;
    Status s(bench.poll());
    QCOMPARE(s.state, int(Run));
    QVERIFY(s.iqRef > amps - 3);
    QVERIFY(s.rpm > 0); // open loop with an angle step turns the motor
    while (u8At(s.raw, 8) < 110 && seconds < 300) {
        s = Status(bench.runFor(1000));
        ++seconds;
    }
    QVERIFY2(seconds >= 20 && seconds <= 120, qPrintable(QString::number(seconds)));
    // On to the over-heat protection (110 degrees): fault, current cut.
    while (!(s.current & 0x0010) && seconds < 300) {
        s = Status(bench.runFor(1000));
        ++seconds;
    }
    QVERIFY(s.current & 0x0010);
    QVERIFY(s.history & 0x0010);
    QCOMPARE(s.state, int(FaultState));
    QVERIFY(s.powerTemp <= 112);
    const Status later(bench.runFor(5000));
    QCOMPARE(later.iqRef, 0);
}

void TestBenchStatus::agingStops()
{
    SimBench bench;
    bench.ask(bytes({0xF9, 0xE9, 0x69, 0, 0, 0, 0xF3, 0x01, 0xDA}));
    const Status running(bench.runFor(20000));
    bench.ask(bytes({0xF9, 0xE9, 0, 0, 0, 0, 0, 0, 0xDA}));
    const Status stopped(bench.runFor(30000));
    QCOMPARE(stopped.iqRef, 0);
    QVERIFY(stopped.powerTemp < running.powerTemp);
    QCOMPARE(stopped.state, int(Idle));
}

void TestBenchStatus::injectedFaultLeavesHistory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("currentBit");
    QTest::addColumn<int>("historyBit");
    QTest::newRow("hall") << "hall" << 0x0002 << 0x0002;
    QTest::newRow("over current") << "iac" << 0x0020 << 0x0020;
    // The history word keeps the two thermistor faults the other way round.
    QTest::newRow("thermistor short") << "short" << 0x2000 << 0x4000;
    QTest::newRow("thermistor open") << "open" << 0x4000 << 0x2000;
}

void TestBenchStatus::injectedFaultLeavesHistory()
{
    QFETCH(QString, name);
    QFETCH(int, currentBit);
    QFETCH(int, historyBit);
    SimBench bench;
    QVERIFY(sim::runCommand(bench.model, QStringLiteral("fault %1 2").arg(name), bench.now).ok);
    const Status during(bench.runFor(1000));
    QCOMPARE(during.current, currentBit);
    QCOMPARE(during.history, historyBit);
    QCOMPARE(during.state, int(FaultState));
    QVERIFY(during.bits & 0x08); // alarm
    if (currentBit == 0x0002)
        QCOMPARE(during.hall, 7);
    const Status after(bench.runFor(3000));
    QCOMPARE(after.current, 0);
    QCOMPARE(after.history, historyBit);
    QVERIFY(!(after.bits & 0x08));
}

// The drive protects itself with the thresholds it holds: a written
// under-voltage limit above the battery voltage trips at once.
void TestBenchStatus::limitsComeFromStoredBlocks()
{
    SimBench bench;
    QByteArray ref = bench.model.storedBlock(0xF2);
    ref[1] = char(0xE3);
    ref[6] = char(8500 & 0xFF); // under-voltage 85.00 V
    ref[7] = char(8500 >> 8);
    ref[8] = char(8600 & 0xFF); // recovers at 86.00 V
    ref[9] = char(8600 >> 8);
    bench.ask(ref);
    const Status s(bench.runFor(2000));
    QCOMPARE(s.current, 0x0008);
    QCOMPARE(s.bits & 0x08, 0x08);
}

void TestBenchStatus::parameterWriteShowsParaSet()
{
    SimBench bench;
    QByteArray basic = bench.model.storedBlock(0xF0);
    basic[1] = char(0xE1);
    bench.ask(basic, 10);
    QCOMPARE(Status(bench.poll()).state, int(ParaSet));
    bench.waitBytes(1000);
    QCOMPARE(Status(bench.poll()).state, int(Idle));
}

void TestBenchStatus::spontaneousFaults()
{
    SimOptions o;
    o.faultEverySeconds = 20;
    SimBench bench(o);
    int faulted = 0;
    for (int i = 0; i < 300; ++i)
        faulted += Status(bench.runFor(1000)).current != 0;
    // Now and then, not all the time.
    QVERIFY(faulted > 5 && faulted < 150);
    QVERIFY(Status(bench.poll()).history != 0);

    SimBench calm;
    for (int i = 0; i < 300; ++i)
        QCOMPARE(Status(calm.runFor(1000)).current, 0);
}

QTEST_GUILESS_MAIN(TestBenchStatus)
#include "tst_benchstatus.moc"
