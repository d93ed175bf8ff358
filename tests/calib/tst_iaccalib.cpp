// The Iac / Iq test frames byte for byte, the angle step, the aging limit,
// and the hall test texts and close count.

#include "calib/halltest.h"
#include "calib/iaccalib.h"
#include "core/appstate.h"
#include "core/language.h"

#include <QTest>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
} // namespace

class TestIacCalib : public QObject
{
    Q_OBJECT
private slots:
    void calibrationPoint_data();
    void calibrationPoint();
    void phaseCodeKeepsTheCarry_data();
    void phaseCodeKeepsTheCarry();
    void shortFrames_data();
    void shortFrames();
    void angleStep_data();
    void angleStep();
    void agingLimit_data();
    void agingLimit();
    void hallTexts_data();
    void hallTexts();
    void hallCloseCount();
};

void TestIacCalib::calibrationPoint_data()
{
    QTest::addColumn<qint64>("step");
    QTest::addColumn<int>("degrees"); // -1: no option selected
    QTest::addColumn<qint64>("amps");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("I1 defaults") << qint64(105) << -1 << qint64(10) << hex("F9E969000000 0E00DA");
    QTest::newRow("I2 150 A, P:120") << qint64(105) << 120 << qint64(150) << hex("F9E96900 5555 D400DA");
    QTest::newRow("P:0 with its box 360") << qint64(105) << 360 << qint64(10) << hex("F9E96900 FFFF 0E00DA");
    QTest::newRow("P:300, half to even") << qint64(105) << 300 << qint64(10) << hex("F9E96900 54D5 0E00DA");
    // 32767.5 rounds to 32768: the carry reaches the high byte (00 80, not 00 7F).
    QTest::newRow("P:180 default, carry") << qint64(105) << 180 << qint64(10) << hex("F9E96900 0080 0E00DA");
    QTest::newRow("P:90, carry") << qint64(105) << 90 << qint64(10) << hex("F9E96900 0040 0E00DA");
    QTest::newRow("800 A limited to 1000") << qint64(105) << -1 << qint64(800) << hex("F9E96900 0000 E803DA");
    QTest::newRow("I3 default 353 A") << qint64(105) << -1 << qint64(353) << hex("F9E96900 0000 F301DA");
    QTest::newRow("500 A exactly 707") << qint64(105) << -1 << qint64(500) << hex("F9E96900 0000 C302DA");
    QTest::newRow("locked: step 0") << qint64(0) << -1 << qint64(10) << hex("F9E90000 0000 0E00DA");
    QTest::newRow("step below 1") << qint64(-7) << -1 << qint64(10) << hex("F9E90000 0000 0E00DA");
    QTest::newRow("step limited to 32767") << qint64(52429) << -1 << qint64(10) << hex("F9E9FF7F 0000 0E00DA");
    QTest::newRow("negative current: 0") << qint64(105) << -1 << qint64(-20) << hex("F9E96900 0000 0000DA");
    QTest::newRow("0 A: 0") << qint64(105) << -1 << qint64(0) << hex("F9E96900 0000 0000DA");
    QTest::newRow("angle above 360 limited") << qint64(105) << 720 << qint64(10) << hex("F9E96900 FFFF 0E00DA");
    QTest::newRow("negative angle: 0") << qint64(105) << -30 << qint64(10) << hex("F9E96900 0000 0E00DA");
    QTest::newRow("angle 0: 0") << qint64(105) << 0 << qint64(10) << hex("F9E96900 0000 0E00DA");
}

void TestIacCalib::calibrationPoint()
{
    QFETCH(qint64, step);
    QFETCH(int, degrees);
    QFETCH(qint64, amps);
    QFETCH(QByteArray, frame);
    const std::optional<qint64> angle = degrees == -1 ? std::nullopt : std::optional<qint64>(degrees);
    QCOMPARE(calibrationPointFrame(step, angle, amps).toHex(' '), frame.toHex(' '));
}

// The code is rounded as a whole: a rounding that carries into the high
// byte must reach it.
void TestIacCalib::phaseCodeKeepsTheCarry_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("code");
    QTest::newRow("120") << 120 << 21845;
    QTest::newRow("300: 54612.5 to even") << 300 << 54612;
    QTest::newRow("1: 182.04") << 1 << 182;
    QTest::newRow("2: 364.08") << 2 << 364;
    // Every whole angle gives the code nearest to it (ties to even).
    for (int a = 0; a <= 360; a += 1) {
        const double exact = a * 65535.0 / 360.0;
        QTest::addRow("%d deg", a) << a << int(std::nearbyint(exact));
    }
}

void TestIacCalib::phaseCodeKeepsTheCarry()
{
    QFETCH(int, degrees);
    QFETCH(int, code);
    QCOMPARE(iacPhaseCode(degrees), code);
    const QByteArray f = calibrationPointFrame(0, degrees, 0);
    QCOMPARE(quint8(f[4]) + 256 * quint8(f[5]), code);
}

void TestIacCalib::shortFrames_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("mode: nothing") << iqTestModeFrame({}) << hex("F9EA000000DA");
    QTest::newRow("mode: aging") << iqTestModeFrame({true, false, false}) << hex("F9EA010000DA");
    QTest::newRow("mode: lock") << iqTestModeFrame({false, true, false}) << hex("F9EA000100DA");
    QTest::newRow("mode: Iq loop") << iqTestModeFrame({false, false, true}) << hex("F9EA000001DA");
    QTest::newRow("stop") << iqTestStopFrame() << hex("F9E9000000000000DA");
    QTest::newRow("throttle 50") << iqThrottleFrame(50) << hex("F9EB0032DA");
    QTest::newRow("throttle 150 -> 100") << iqThrottleFrame(150) << hex("F9EB0064DA");
    QTest::newRow("throttle -5 -> 0") << iqThrottleFrame(-5) << hex("F9EB0000DA");
    QTest::newRow("record start") << recordStartFrame() << hex("F9EB00DA");
    QTest::newRow("write 105, aging and lock") << angleStepWriteFrame(105, {true, true, false})
                                               << hex("F9E969000101000001DA");
    QTest::newRow("write 105, nothing") << angleStepWriteFrame(105, {}) << hex("F9E969000001000000DA");
    QTest::newRow("write 32767") << angleStepWriteFrame(32767, {}) << hex("F9E9FF7F0001000000DA");
    QTest::newRow("write below 1 -> 0") << angleStepWriteFrame(-3, {}) << hex("F9E900000001000000DA");
    QTest::newRow("write 32768 refused") << angleStepWriteFrame(32768, {}) << QByteArray();
}

void TestIacCalib::shortFrames()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, frame);
    QCOMPARE(built.toHex(' '), frame.toHex(' '));
}

void TestIacCalib::angleStep_data()
{
    QTest::addColumn<QString>("elec");
    QTest::addColumn<QString>("pwm");
    QTest::addColumn<qint64>("step"); // -1: undefined
    QTest::newRow("defaults 20 Hz / 12.5 kHz") << "20" << "12.5" << qint64(105);
    QTest::newRow("0 Hz") << "0" << "12.5" << qint64(0);
    QTest::newRow("leading numbers") << "40Hz" << "16 kHz" << qint64(164);
    QTest::newRow("electrical rounded half to even") << "20.5" << "12.5" << qint64(105);
    QTest::newRow("10000 Hz: above the frame") << "10000" << "12.5" << qint64(52429);
    QTest::newRow("PWM 0") << "20" << "0" << qint64(-1);
    QTest::newRow("PWM without a number") << "20" << "fast" << qint64(-1);
    QTest::newRow("PWM empty") << "20" << "" << qint64(-1);
    QTest::newRow("PWM huge exponent") << "20" << "1e999" << qint64(-1);
    QTest::newRow("result beyond 32 bits") << "1e9" << "0.001" << qint64(-1);
}

void TestIacCalib::angleStep()
{
    QFETCH(QString, elec);
    QFETCH(QString, pwm);
    QFETCH(qint64, step);
    const std::optional<qint64> got = CalcAngleDpp(elec, pwm);
    QCOMPARE(got.value_or(-1), step);
}

void TestIacCalib::agingLimit_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<int>("step");
    QTest::newRow("200 s, 200 elapsed") << "200" << 200 << int(IqRunStep::Continue);
    QTest::newRow("200 s, 201 elapsed") << "200" << 201 << int(IqRunStep::TimeUp);
    QTest::newRow("blanks around") << " 30 " << 31 << int(IqRunStep::TimeUp);
    QTest::newRow("not a number") << "abc" << 5 << int(IqRunStep::BadLimit);
    QTest::newRow("empty") << "" << 5 << int(IqRunStep::BadLimit);
    QTest::newRow("digits then text") << "20s" << 5 << int(IqRunStep::BadLimit);
    QTest::newRow("beyond 32 bits") << "99999999999" << 5 << int(IqRunStep::BadLimit);
}

void TestIacCalib::agingLimit()
{
    QFETCH(QString, limit);
    QFETCH(int, elapsed);
    QFETCH(int, step);
    QCOMPARE(int(iqRunStep(elapsed, limit)), step);
}

void TestIacCalib::hallTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("text");
    using A = ReplyAction;
    const int en = LanguageCode::English, zh = LanguageCode::Chinese;
    QTest::newRow("A under test, en") << en << int(A::HallAUnderTest) << "Group Hall A is under testing.";
    QTest::newRow("A done, en") << en << int(A::HallADone) << "Group Hall A test is done.";
    QTest::newRow("B under test, en") << en << int(A::HallBUnderTest) << "Group Hall B is under testing.";
    QTest::newRow("B done, en") << en << int(A::HallBDone) << "Group Hall B test is done.";
    QTest::newRow("A under test, zh") << zh << int(A::HallAUnderTest) << "A组霍尔测试中";
    QTest::newRow("A done, zh") << zh << int(A::HallADone) << "A组霍尔测试完成.";
    QTest::newRow("B under test, zh") << zh << int(A::HallBUnderTest) << "B组霍尔测试中.";
    QTest::newRow("B done, zh") << zh << int(A::HallBDone) << "B组霍尔测试完成.";
    QTest::newRow("other language") << 5 << int(A::HallADone) << QString();
    QTest::newRow("warning has no text") << en << int(A::HallWarning) << QString();
}

void TestIacCalib::hallTexts()
{
    QFETCH(int, code);
    QFETCH(int, action);
    QFETCH(QString, text);
    AppState state;
    QVERIFY(setLanguage(state.language, code == 5 ? LanguageCode::English : code));
    QCOMPARE(hallTestText(code, ReplyAction(action)), text);
    QVERIFY(setLanguage(state.language, LanguageCode::English));
}

void TestIacCalib::hallCloseCount()
{
    HallCloseCounter c;
    for (int i = 0; i < 5; ++i)
        QVERIFY(!c.tick());
    QVERIFY(c.tick()); // the sixth
    c.restart();
    QVERIFY(!c.tick());
    QVERIFY(!c.tick());
    c.restart(); // a second "done"
    for (int i = 0; i < 5; ++i)
        QVERIFY(!c.tick());
    QVERIFY(c.tick());
}

QTEST_GUILESS_MAIN(TestIacCalib)
#include "tst_iaccalib.moc"
