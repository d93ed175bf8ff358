#include "monitor/statusdecoder.h"
#include "core/appstate.h"
#include "core/language.h"

#include "fakeport.h"
#include "statussequence.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
using Bytes = QList<QPair<int, int>>; // (index, value)

Block statusBlock(const Bytes &bytes)
{
    Block b = makeBlock({0xDF, 0xEF});
    for (const auto &[i, v] : bytes)
        b[i] = quint8(v);
    return b;
}

const QDateTime kNow(QDate(2026, 12, 8), QTime(10, 0, 0));
} // namespace

class TestStatusDecoder : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void readings_data();
    void readings();
    void signBitsAreClearedInTheBuffer();
    void stateWordColour_data();
    void stateWordColour();
    void faultTable_data();
    void faultTable();
    void ioText_data();
    void ioText();
    void ioTextOtherLanguageLeavesLabel();
    void heatingAlert_data();
    void heatingAlert();
    void liveValuesForTheRecorder();
    void numbersOverEveryRawValue_data();
    void numbersOverEveryRawValue();
    void keptDecoderMatchesAFreshOne_data();
    void keptDecoderMatchesAFreshOne();
    void alertAsksTheClockOnlyWhenItFires();
};

void TestStatusDecoder::readings_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("voltage 48.25") << Bytes{{2, 0xD9}, {3, 0x12}} << "lblfrmSysStatusVdc_a" << "48.25";
    QTest::newRow("voltage keeps two decimals") << Bytes{{2, 0xC0}, {3, 0x12}} << "lblfrmSysStatusVdc_a" << "48.00";
    QTest::newRow("voltage zero") << Bytes{} << "lblfrmSysStatusVdc_a" << "0.00";
    QTest::newRow("current -12.5") << Bytes{{4, 0xE2}, {5, 0x84}} << "lblfrmSysStatusIdc_a" << "-12.5";
    QTest::newRow("current -3 drops zeros") << Bytes{{4, 0x2C}, {5, 0x81}} << "lblfrmSysStatusIdc_a" << "-3";
    QTest::newRow("current 0.05") << Bytes{{4, 5}} << "lblfrmSysStatusIdc_a" << "0.05";
    QTest::newRow("current minus zero") << Bytes{{5, 0x80}} << "lblfrmSysStatusIdc_a" << "0";
    QTest::newRow("speed 1500") << Bytes{{6, 0xDC}, {7, 0x05}} << "lblfrmSysStatusRPM_a" << "1500";
    QTest::newRow("speed backwards") << Bytes{{6, 0x64}, {7, 0x80}} << "lblfrmSysStatusRPM_a" << "-100";
    QTest::newRow("power stage -5") << Bytes{{8, 5}} << "lblfrmSysStatustemp_a" << "-5";
    QTest::newRow("power stage 35") << Bytes{{8, 45}} << "lblfrmSysStatustemp_a" << "35";
    QTest::newRow("motor 130") << Bytes{{12, 65}} << "lblfrmSysStatusVthrot_a" << "130";
    QTest::newRow("throttle 1.000") << Bytes{{15, 0x10}, {16, 0x27}} << "lblfrmSysStatusHallP_a" << "1.000";
    QTest::newRow("throttle rounds half up") << Bytes{{15, 0x39}, {16, 0x30}} << "lblfrmSysStatusHallP_a" << "1.235";
    QTest::newRow("throttle 0.000") << Bytes{} << "lblfrmSysStatusHallP_a" << "0.000";
    QTest::newRow("iq ref -12") << Bytes{{13, 12}, {14, 0x80}} << "lblfrmSysStatusTref_a" << "-12";
    QTest::newRow("iq actual 300") << Bytes{{21, 0x2C}, {22, 0x01}} << "lblfrmSysStatusTact_a" << "300";
    QTest::newRow("id ref -7") << Bytes{{23, 7}, {24, 0x80}} << "lblIdref_a" << "-7";
    QTest::newRow("id actual 20") << Bytes{{25, 20}} << "lblIdactual_a" << "20";
    QTest::newRow("gear forward") << Bytes{{28, 2}} << "lblgearStatus" << "FORWARD";
    QTest::newRow("gear backward") << Bytes{{28, 4}} << "lblgearStatus" << "BACKWARD";
    QTest::newRow("gear without a word") << Bytes{{28, 7}} << "lblgearStatus" << "7";
    QTest::newRow("pedal number") << Bytes{{28, 3}} << "lblPedalErr" << "3";
    QTest::newRow("hall state") << Bytes{{29, 5}} << "lblHallSt_a" << "5";
    QTest::newRow("mode") << Bytes{{30, 2}} << "lblMode_a" << "2";
    QTest::newRow("forward set") << Bytes{{9, 0x01}} << "lblfrmSysStatusEco_a" << "F";
    QTest::newRow("forward clear") << Bytes{{9, 0xFE}} << "lblfrmSysStatusEco_a" << "Null";
    QTest::newRow("backward set") << Bytes{{9, 0x02}} << "lblfrmSysStatusDir_a" << "B";
    QTest::newRow("hall calib") << Bytes{{9, 0x04}} << "lblfrmSysStatusHallC_a" << "Y";
    QTest::newRow("alarm clear") << Bytes{{9, 0xF7}} << "lblfrmSysStatusAlarm_a" << "N";
    QTest::newRow("brake") << Bytes{{9, 0x10}} << "lblfrmSysStatusBrake_a" << "Y";
    QTest::newRow("eco") << Bytes{{9, 0x20}} << "lblECO_a" << "Y";
    QTest::newRow("hall group 1") << Bytes{{9, 0x40}} << "lblHallGroup" << "1";
    QTest::newRow("hall group 2") << Bytes{} << "lblHallGroup" << "2";
    QTest::newRow("boost") << Bytes{{9, 0x80}} << "lblfrmSysStatusBoost_a" << "Y";
}

void TestStatusDecoder::readings()
{
    QFETCH(Bytes, bytes);
    QFETCH(QString, label);
    QFETCH(QString, text);
    AppState state;
    state.frames.statusFrame() = statusBlock(bytes);
    const StatusView v = decodeStatus(state.statusParts(), kNow);
    QVERIFY2(v.label(qPrintable(label)), qPrintable(label));
    QCOMPARE(v.text(qPrintable(label)), text);
}

void TestStatusDecoder::signBitsAreClearedInTheBuffer()
{
    AppState state;
    state.frames.statusFrame() = statusBlock({{4, 0xE2}, {5, 0x84}, {7, 0x80}, {14, 0x81}, {22, 0x90},
                                              {24, 0x80}, {26, 0xFF}, {3, 0x92}});
    decodeStatus(state.statusParts(), kNow);
    const Block &b = state.frames.statusFrame();
    QCOMPARE(b[5], quint8(0x04));
    for (int hi : {7, 14, 22, 24})
        QVERIFY(!(b[hi] & 0x80));
    QCOMPARE(b[26], quint8(0x7F));
    QCOMPARE(b[3], quint8(0x92)); // unsigned fields are left alone
}

void TestStatusDecoder::stateWordColour_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("color");
    const char *words[] = {"IDLE", "STARTUP", "PARASET", "RUN", "STOP", "WAIT", "FAULT"};
    for (int c = 0; c <= 6; ++c)
        QTest::addRow("%s", words[c]) << c << words[c] << (c == 6 ? 255 : 65280);
    QTest::newRow("no word: the number") << 9 << "9" << 65280;
}

void TestStatusDecoder::stateWordColour()
{
    QFETCH(int, code);
    QFETCH(QString, word);
    QFETCH(int, color);
    AppState state;
    state.frames.statusFrame() = statusBlock({{18, code}});
    const StatusView v = decodeStatus(state.statusParts(), kNow);
    QCOMPARE(v.label("lblfrmSysMach_a")->text, word);
    QCOMPARE(v.label("lblfrmSysMach_a")->color, color);
}

void TestStatusDecoder::faultTable_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("history");
    QTest::addColumn<QStringList>("currentNG");    // rows whose current cell reads NG
    QTest::addColumn<QStringList>("historyNG");
    QTest::addColumn<bool>("title");
    QTest::newRow("all ok") << 0 << 0 << QStringList{} << QStringList{} << false;
    QTest::newRow("hall from 0x0400") << 0x0400 << 0 << QStringList{"Hall"} << QStringList{} << true;
    QTest::newRow("hall from 0x0002") << 0x0002 << 0x0002 << QStringList{"Hall"} << QStringList{"Hall"} << true;
    QTest::newRow("thermistor bits swap: current short, history open")
        << 0x2000 << 0x2000 << QStringList{"MSShort"} << QStringList{"MSOpen"} << true;
    QTest::newRow("thermistor bits swap: current open, history short")
        << 0x4000 << 0x4000 << QStringList{"MSOpen"} << QStringList{"MSShort"} << true;
    QTest::newRow("every shown bit")
        << 0x70FE << 0x70FE
        << QStringList{"Hall", "UV", "OV", "OH", "OIac", "DQtime", "LockM", "MOH", "MSShort", "MSOpen"}
        << QStringList{"Hall", "UV", "OV", "OH", "OIac", "DQtime", "LockM", "MOH", "MSShort", "MSOpen"}
        << true;
    QTest::newRow("bits not shown still raise the title")
        << 0x8B01 << 0x8B01 << QStringList{} << QStringList{} << true;
    QTest::newRow("history only") << 0 << 0x0008 << QStringList{} << QStringList{"UV"} << false;
}

void TestStatusDecoder::faultTable()
{
    QFETCH(int, current);
    QFETCH(int, history);
    QFETCH(QStringList, currentNG);
    QFETCH(QStringList, historyNG);
    QFETCH(bool, title);
    AppState state;
    state.frames.statusFrame() =
        statusBlock({{19, current & 0xFF}, {20, current >> 8}, {10, history & 0xFF}, {11, history >> 8}});
    const StatusView v = decodeStatus(state.statusParts(), kNow);
    for (const FaultRow &row : kFaultRows) {
        const QString key = QString::fromLatin1(row.nameLabel).mid(9);
        if (row.currentMask == 0) { // "BMS Err": cells untouched, description always hidden
            QVERIFY(!v.label(row.currentCell));
            QVERIFY(!v.label(row.historyCell));
            QVERIFY(!v.isVisible(row.description));
            continue;
        }
        const bool cur = currentNG.contains(key);
        const bool hist = historyNG.contains(key);
        QCOMPARE(v.label(row.currentCell)->text, cur ? QStringLiteral("NG") : QStringLiteral("OK"));
        QCOMPARE(v.label(row.currentCell)->color, cur ? 255 : 65280);
        QCOMPARE(v.label(row.historyCell)->text, hist ? QStringLiteral("NG") : QStringLiteral("OK"));
        QCOMPARE(v.label(row.historyCell)->color, hist ? 255 : 65280);
        QCOMPARE(v.isVisible(row.description), cur);
    }
    QCOMPARE(v.isVisible("lblErrTitle"), title);
    QCOMPARE(state.recorder.live.lastErrorWord, history);
}

void TestStatusDecoder::ioText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("levels");
    QTest::addColumn<QString>("text");
    QTest::newRow("english, all high")
        << 22 << 0xFF
        << " \r\n  I/O STATUS:\r\n  --  Input Forward: H\r\n  --  Input Backward: H"
           "\r\n  --  Input Eco  : H\r\n  --  Input BrakeL: H\r\n  --  Input BrakeH: H"
           "\r\n  --  Input Boost : H";
    QTest::newRow("english, bits 3 and 6 not shown")
        << 22 << 0x48
        << " \r\n  I/O STATUS:\r\n  --  Input Forward: L\r\n  --  Input Backward: L"
           "\r\n  --  Input Eco  : L\r\n  --  Input BrakeL: L\r\n  --  Input BrakeH: L"
           "\r\n  --  Input Boost : L";
    QTest::newRow("english, mixed")
        << 22 << 0x95
        << " \r\n  I/O STATUS:\r\n  --  Input Forward: H\r\n  --  Input Backward: L"
           "\r\n  --  Input Eco  : H\r\n  --  Input BrakeL: H\r\n  --  Input BrakeH: L"
           "\r\n  --  Input Boost : H";
    QTest::newRow("chinese, mixed")
        << 11 << 0x22
        << QString::fromUtf8(" \r\n  端口状态：\r\n  --  前进档： 低\r\n  --  倒车档： 高"
                             "\r\n  --  两档口： 低\r\n  --  低刹车： 低\r\n  --  高刹车： 高"
                             "\r\n  --  增力口： 低");
}

void TestStatusDecoder::ioText()
{
    QFETCH(int, code);
    QFETCH(int, levels);
    QFETCH(QString, text);
    AppState state;
    setLanguage(state.language, code);
    state.frames.statusFrame() = statusBlock({{17, levels}});
    QCOMPARE(decodeStatus(state.statusParts(), kNow).text("lblPortStatus"), text);
    setLanguage(state.language, 22);
}

void TestStatusDecoder::ioTextOtherLanguageLeavesLabel()
{
    AppState state;
    state.language.languageCode = 33;
    state.frames.statusFrame() = statusBlock({{17, 0xFF}});
    const StatusView v = decodeStatus(state.statusParts(), kNow);
    QVERIFY(!v.label("lblPortStatus"));
    QCOMPARE(v.text("lblfrmSysStatusVdc_a"), QStringLiteral("0.00")); // the rest is decoded
    QCOMPARE(ioStatusInitialText(22),
             QStringLiteral(" \r\n  I/O STATUS:\r\n  --  Input Forward: H\r\n  --  Input Backward: H"
                            "\r\n  --  Input Eco   : H\r\n  --  Input BrakeL: H\r\n  --  Input BrakeH: H"
                            "\r\n  --  Input Boost : H"));
}

void TestStatusDecoder::heatingAlert_data()
{
    QTest::addColumn<bool>("armed");
    QTest::addColumn<QList<int>>("temperatureBytes");
    QTest::addColumn<int>("firesOnBlock"); // -1: never
    QTest::newRow("fires at 100 degrees") << true << QList<int>{100, 109, 110, 115, 120} << 2;
    QTest::newRow("99 degrees is not enough") << true << QList<int>{109, 109} << -1;
    QTest::newRow("already hot: first block") << true << QList<int>{200, 200} << 0;
    QTest::newRow("not armed") << false << QList<int>{110, 120} << -1;
}

void TestStatusDecoder::heatingAlert()
{
    QFETCH(bool, armed);
    QFETCH(QList<int>, temperatureBytes);
    QFETCH(int, firesOnBlock);
    AppState state;
    state.iqTest.tempAlertArmed = armed;
    state.iqTest.iqTestStartTime = kNow.addSecs(-187);
    for (int i = 0; i < temperatureBytes.size(); ++i) {
        state.frames.statusFrame() = statusBlock({{8, temperatureBytes[i]}});
        const StatusView v = decodeStatus(state.statusParts(), kNow);
        QCOMPARE(v.alertFired, i == firesOnBlock);
        if (v.alertFired) {
            QCOMPARE(v.alertElapsedSeconds, 187);
            QCOMPARE(minutesSeconds(v.alertElapsedSeconds), QStringLiteral("03:07"));
            QCOMPARE(v.alertStopTime, kNow);
            QVERIFY(!state.iqTest.tempAlertArmed);
        }
    }
}

void TestStatusDecoder::liveValuesForTheRecorder()
{
    AppState state;
    // 48.25 V, 1500 rpm, power stage 45, motor 130, Iq actual -12, throttle 1.234 V, history 0x0010.
    state.frames.statusFrame() = statusBlock({{2, 0xD9}, {3, 0x12}, {6, 0xDC}, {7, 0x05}, {8, 55},
                                              {12, 65}, {21, 12}, {22, 0x80}, {15, 0x34}, {16, 0x30},
                                              {10, 0x10}});
    decodeStatus(state.statusParts(), kNow);
    QCOMPARE(state.recorder.live.batteryVoltage, 48.25);
    QCOMPARE(state.recorder.live.lastSpeed, 1500.0);
    QCOMPARE(state.recorder.live.lastPowerTemp, 45);
    QCOMPARE(state.recorder.live.lastMotorTemp, 130.0);
    QCOMPARE(state.recorder.live.lastIqActual, -12.0);
    QCOMPARE(state.recorder.live.lastThrottle, 1.234);
    QCOMPARE(state.recorder.live.lastErrorWord, 0x10);
}

// The decoder that keeps its texts from block to block gives, for every
// block of a varied run, the very texts, colours, order and visibility of a
// decode from scratch, and leaves the same live values and buffer.
// Every value of a two-byte reading, through one kept decoder, against the
// number written out plainly.
void TestStatusDecoder::numbersOverEveryRawValue_data()
{
    QTest::addColumn<int>("lo");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("form"); // how the raw value reads
    QTest::newRow("voltage") << 2 << "lblfrmSysStatusVdc_a" << "hundredths";
    QTest::newRow("DC current") << 4 << "lblfrmSysStatusIdc_a" << "signed, plain hundredths";
    QTest::newRow("speed") << 6 << "lblfrmSysStatusRPM_a" << "signed";
    QTest::newRow("throttle") << 15 << "lblfrmSysStatusHallP_a" << "thousandths";
}

void TestStatusDecoder::numbersOverEveryRawValue()
{
    QFETCH(int, lo);
    QFETCH(QString, label);
    QFETCH(QString, form);
    const bool isSigned = form.startsWith(QLatin1String("signed"));
    AppState state;
    StatusDecoder decoder;
    for (int raw = 0; raw <= 0xFFFF; ++raw) {
        state.frames.statusFrame() = statusBlock({{lo, raw & 0xFF}, {lo + 1, raw >> 8}});
        const StatusView &v = decoder.decode(state.statusParts());
        const int value = isSigned && (raw & 0x8000) ? -(raw & 0x7FFF) : raw;
        QString want;
        if (form == QLatin1String("hundredths")) {
            want = QString::number(value / 100.0, 'f', 2);
        } else if (form == QLatin1String("thousandths")) {
            want = QString::number((value + 5) / 10 / 1000.0, 'f', 3);
        } else if (form == QLatin1String("signed")) {
            want = QString::number(value);
        } else {
            want = QString::number(value / 100.0, 'f', 2);
            while (want.endsWith(u'0'))
                want.chop(1);
            if (want.endsWith(u'.'))
                want.chop(1);
            if (want == QLatin1String("-0"))
                want = QStringLiteral("0");
        }
        if (v.text(qPrintable(label)) != want)
            QFAIL(qPrintable(QStringLiteral("raw %1: %2, not %3").arg(raw).arg(v.text(qPrintable(label)), want)));
    }
}

void TestStatusDecoder::keptDecoderMatchesAFreshOne_data()
{
    QTest::addColumn<QList<SequenceStep>>("steps");
    QTest::newRow("recorded run") << recordedStatusSequence();
    // Each byte on its own, to values that flip a sign bit, a high byte, a
    // flag: a text that waits for the wrong byte shows here.
    QList<SequenceStep> single;
    Block b = statusBlock({{2, 0x10}, {3, 0x12}, {8, 40}, {18, 3}, {28, 2}});
    for (int i = 2; i < kBlockSize - 1; ++i) {
        for (int value : {0x80, 0x81, 0x01, 0x40, 0x00}) {
            b[i] = quint8(value);
            single.append({b, 22});
        }
    }
    QTest::newRow("one byte at a time") << single;
    // Every byte anew on every block, as on a ride, and some bits of the
    // flag and fault words only.
    QList<SequenceStep> ride;
    QRandomGenerator random(28);
    for (int n = 0; n < 3000; ++n) {
        for (int i = 2; i < kBlockSize - 1; ++i)
            if (n % 3 == 0 || i == 9 || i == 10 || i == 11 || i == 19 || i == 20)
                b[i] = quint8(n % 3 == 0 ? random.bounded(256) : b[i] ^ (1 << random.bounded(8)));
        ride.append({b, n < 1500 ? 22 : 11});
    }
    QTest::newRow("every byte anew") << ride;
}

void TestStatusDecoder::keptDecoderMatchesAFreshOne()
{
    QFETCH(QList<SequenceStep>, steps);
    AppState kept;
    AppState fresh;
    StatusDecoder decoder;
    int step = 0;
    for (const SequenceStep &s : steps) {
        if (s.languageCode != kept.language.languageCode) {
            // setLanguage refuses a code that is neither language.
            setLanguage(kept.language, s.languageCode);
            kept.language.languageCode = s.languageCode;
            fresh.language.languageCode = s.languageCode;
        }
        kept.frames.statusFrame() = s.block;
        fresh.frames.statusFrame() = s.block;
        const StatusView &a = decoder.decode(kept.statusParts());
        const StatusView b = decodeStatus(fresh.statusParts(), kNow);
        const QByteArray where = "block " + QByteArray::number(step++);
        QList<QString> got, want;
        for (const StatusView::Label &l : a.labels)
            if (l.present)
                got << QStringLiteral("%1=%2/%3").arg(QLatin1String(l.name), l.text).arg(l.color);
        for (const StatusView::Label &l : b.labels)
            if (l.present)
                want << QStringLiteral("%1=%2/%3").arg(QLatin1String(l.name), l.text).arg(l.color);
        QVERIFY2(got == want, where.constData());
        QCOMPARE(a.visibility.size(), b.visibility.size());
        for (std::size_t i = 0; i < a.visibility.size(); ++i) {
            QCOMPARE(a.visibility[i].name, b.visibility[i].name);
            QVERIFY2(a.visibility[i].visible == b.visibility[i].visible, where.constData());
        }
        QCOMPARE(kept.frames.statusFrame(), fresh.frames.statusFrame());
        QCOMPARE(kept.recorder.live.lastSpeed, fresh.recorder.live.lastSpeed);
        QCOMPARE(kept.recorder.live.lastThrottle, fresh.recorder.live.lastThrottle);
        QCOMPARE(kept.recorder.live.lastErrorWord, fresh.recorder.live.lastErrorWord);
    }
    setLanguage(kept.language, 22);
}

// The wall clock is read for the alert, not for every block.
void TestStatusDecoder::alertAsksTheClockOnlyWhenItFires()
{
    AppState state;
    StatusDecoder decoder;
    int asked = 0;
    decoder.setClock([&] {
        ++asked;
        return kNow;
    });
    state.iqTest.tempAlertArmed = true;
    state.iqTest.iqTestStartTime = kNow.addSecs(-65);
    for (int temperature : {50, 60, 115, 120, 130}) {
        state.frames.statusFrame() = statusBlock({{8, temperature}});
        const StatusView &v = decoder.decode(state.statusParts());
        QCOMPARE(v.alertFired, temperature == 115);
        if (v.alertFired)
            QCOMPARE(minutesSeconds(v.alertElapsedSeconds), QStringLiteral("01:05"));
    }
    QCOMPARE(asked, 1);
}

QTEST_GUILESS_MAIN(TestStatusDecoder)
#include "tst_statusdecoder.moc"
