// The Control and Other blocks through the registry's generic codec: every
// box text to its bytes, and the bytes back to what the box shows.

#include "pages/blocks/controlblock.h"
#include "pages/blocks/otherblock.h"
#include "pages/engine/pageregistry.h"
#include "core/appstate.h"

#include <QLocale>
#include <QTest>

namespace {
const char *const kControlDefaults =
    "F4 E5 0C 00 08 00 08 00 1E 00 C8 00 05 00 B3 00 01 00 05 00 01 00 02 00 19 00 28 1E 00 0A 00 DA";
const char *const kOtherDefaults =
    "FE EF 01 FF 00 17 96 64 00 FF FF FF FF FF FF F4 01 F4 01 90 01 5E 01 40 01 FA 00 E6 00 C8 B4 DA";

constexpr const char *kSwitches[] = {"Chk_Tab6_ECO_EN",    "Chk_Tab6_FR_en",    "Chk_Tab6_Eco_Enable",
                                     "Chk_Tab6_Alarm_en",  "Chk_Tab6_BrakeE_EN", "Chk_Tab6_MotOHEN",
                                     "ChkAst",             "Chk_Tab6_BoostEnable"};

PageId pageNamed(const QString &name)
{
    return name == QLatin1String("Control") ? PageId::Control : PageId::Other;
}

const BlockTable &tableOf(PageId id)
{
    return pageDef(id).table();
}

FrameId frameOf(PageId id)
{
    return pageDef(id).family;
}
} // namespace

class TestControlOther : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void defaultsEncodeExactly_data();
    void defaultsEncodeExactly();
    void edgeCases_data();
    void edgeCases();
    void receivedValuesShown_data();
    void receivedValuesShown();
    void switchesByte_data();
    void switchesByte();
    void receivedSwitches_data();
    void receivedSwitches();
    void failedParseStopsTheWrite_data();
    void failedParseStopsTheWrite();
};

void TestControlOther::defaultsEncodeExactly_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    // "Motor lock F angle" 200 goes out as 179; "Throttle low[V]" 500 as 65535.
    QTest::newRow("Control") << "Control" << kControlDefaults;
    QTest::newRow("Other") << "Other" << kOtherDefaults;
}

void TestControlOther::defaultsEncodeExactly()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);
    const PageId id = pageNamed(page);
    AppState state;
    QVERIFY(encodePage(id, state.blockParts(), ValueMap(tableOf(id))).ok());
    QCOMPARE(hexString(state.frames[frameOf(id)]), expected);
}

void TestControlOther::edgeCases_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");
    auto row = [](const char *name, const char *page, const char *control, const char *text,
                  int offset, QByteArray stored, const char *readBack) {
        QTest::newRow(name) << page << control << text << offset << stored << readBack;
    };
    // Motor-lock angles: integer parse (half to even), -180..179, sign-magnitude.
    row("lock F 200 clamped", "Control", "txtECOSpeedLimitKpGain", "200", 14, QByteArray("\xB3\x00", 2), "179");
    row("lock B 1", "Control", "txtECOSpeedLimitKpDivisor", "1", 16, QByteArray("\x01\x00", 2), "1");
    row("lock -90", "Control", "txtECOSpeedLimitKpGain", "-90", 14, QByteArray("\x5A\x80", 2), "-90");
    row("lock -5", "Control", "txtECOSpeedLimitKpDivisor", "-5", 16, QByteArray("\x05\x80", 2), "-5");
    row("lock -180", "Control", "txtECOSpeedLimitKpGain", "-180", 14, QByteArray("\xB4\x80", 2), "-180");
    row("lock -200 clamped", "Control", "txtECOSpeedLimitKpGain", "-200", 14, QByteArray("\xB4\x80", 2), "-180");
    row("lock 178.5 to even", "Control", "txtECOSpeedLimitKpGain", "178.5", 14, QByteArray("\xB2\x00", 2), "178");
    row("lock 179.5 rounds then clamps", "Control", "txtECOSpeedLimitKpGain", "179.5", 14,
        QByteArray("\xB3\x00", 2), "179");
    row("lock -0.4 is 0", "Control", "txtECOSpeedLimitKpDivisor", "-0.4", 16, QByteArray("\x00\x00", 2), "0");
    row("lock 1e6 never wraps", "Control", "txtECOSpeedLimitKpGain", "1e6", 14, QByteArray("\xB3\x00", 2), "179");
    row("kp G 40000", "Control", "txtSpeedLimitKpGain", "40000", 2, QByteArray("\xFF\x7F", 2), "32767");
    row("kp G 12.9", "Control", "txtSpeedLimitKpGain", "12.9", 2, QByteArray("\x0C\x00", 2), "12");
    row("kp G -0.5", "Control", "txtSpeedLimitKpGain", "-0.5", 2, QByteArray("\x00\x00", 2), "0");
    row("PID step 300", "Control", "txtspeedPIDstep2", "300", 24, QByteArray("\x2C\x01", 2), "300");
    row("back steps 300", "Control", "txtbackSteps", "300", 26, QByteArray("\xFF"), "255");
    row("start speed Ki last bytes", "Control", "txtMotLockTimeout", "258", 29, QByteArray("\x02\x01", 2), "258");

    // Throttle voltages: x10000 on the typed digits, floor, 0..65535.
    row("throttle 0.5", "Other", "txtThrottleL", "0.5", 9, QByteArray("\x88\x13", 2), "0.500");
    row("throttle default 500", "Other", "txtThrottleL", "500", 9, QByteArray("\xFF\xFF", 2), "6.5535");
    row("throttle 7 V", "Other", "txtThrottleH", "7", 11, QByteArray("\xFF\xFF", 2), "6.5535");
    row("throttle 1e308", "Other", "txtThrottleM", "1e308", 13, QByteArray("\xFF\xFF", 2), "6.5535");
    row("throttle 1.2345 whole", "Other", "txtThrottleM", "1.2345", 13, QByteArray("\x39\x30", 2), "1.2345");
    row("throttle 1.23456 floors", "Other", "txtThrottleM", "1.23456", 13, QByteArray("\x39\x30", 2), "1.2345");
    row("throttle 2.5", "Other", "txtThrottleH", "2.5", 11, QByteArray("\xA8\x61", 2), "2.500");
    row("throttle 0.29 exact", "Other", "txtThrottleL", "0.29", 9, QByteArray("\x54\x0B", 2), "0.290");
    row("throttle negative", "Other", "txtThrottleL", "-1", 9, QByteArray("\x00\x00", 2), "0.000");
    row("throttle below step", "Other", "txtThrottleL", "0.00009", 9, QByteArray("\x00\x00", 2), "0.000");
    // The 16-bit steps of this page take the whole unsigned range.
    row("BW step 1 40000", "Other", "txtConstBwPT1", "40000", 15, QByteArray("\x40\x9C", 2), "40000");
    row("BW step 7 70000", "Other", "txtConstBwPT7", "70000", 27, QByteArray("\xFF\xFF", 2), "65535");
    row("BW step 8 300", "Other", "txtConstBwPT8", "300", 29, QByteArray("\xFF"), "255");
    row("BW step 10 at byte 6", "Other", "txtConstBwPT10", "77", 6, QByteArray("\x4D"), "77");
    row("BW step 11 at byte 7", "Other", "txtConstBwPT11", "78", 7, QByteArray("\x4E"), "78");
    row("percentage 150", "Other", "txtTrefMidpercent1", "150", 5, QByteArray("\x64"), "100");
    row("percentage 2 150", "Other", "txtTrefmidpercent2", "150", 2, QByteArray("\x64"), "100");
    row("delay 500", "Other", "txtTrefdelay", "500", 3, QByteArray("\xFF"), "255");
    row("mid speed 1", "Other", "txtTrefmidspeed", "1", 4, QByteArray("\x00", 1), "0");
    row("mid speed 250", "Other", "txtTrefmidspeed", "250", 4, QByteArray("\x02"), "200");
    row("mid speed 30000", "Other", "txtTrefmidspeed", "30000", 4, QByteArray("\xFF"), "25500");
}

void TestControlOther::edgeCases()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);
    const PageId id = pageNamed(page);
    const FrameId frame = frameOf(id);
    AppState state;
    ValueMap values(tableOf(id));
    QVERIFY(values.setText(control, text));
    QVERIFY(encodePage(id, state.blockParts(), values).ok());
    const Block written = state.frames[frame];
    QCOMPARE(toByteArray(written).mid(offset, stored.size()), stored);

    // The controller echoes what it stored; the reply carries the read code.
    state.frames[frame][1] = quint8(written[1] - 1);
    ValueMap shown(tableOf(id));
    decodePage(id, state.blockParts(), shown);
    QCOMPARE(shown.text(control), readBack);
    // ... and the text shown goes out as the same bytes.
    QVERIFY(encodePage(id, state.blockParts(), shown).ok());
    QCOMPARE(state.frames[frame], written);
}

void TestControlOther::receivedValuesShown_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    // Beyond the range of the box: shown as received, limited only when written.
    QTest::newRow("control u16 40000") << "Control" << 2 << QByteArray("\x40\x9C", 2)
                                       << "txtSpeedLimitKpGain" << "40000";
    QTest::newRow("lock 0x05 0x80") << "Control" << 14 << QByteArray("\x05\x80", 2)
                                    << "txtECOSpeedLimitKpGain" << "-5";
    QTest::newRow("lock -300 as received") << "Control" << 16 << QByteArray("\x2C\x81", 2)
                                           << "txtECOSpeedLimitKpDivisor" << "-300";
    QTest::newRow("lock negative zero") << "Control" << 14 << QByteArray("\x00\x80", 2)
                                        << "txtECOSpeedLimitKpGain" << "0";
    QTest::newRow("throttle 5000") << "Other" << 9 << QByteArray("\x88\x13", 2) << "txtThrottleL" << "0.500";
    QTest::newRow("throttle 12345") << "Other" << 11 << QByteArray("\x39\x30", 2) << "txtThrottleH" << "1.2345";
    QTest::newRow("throttle 12340") << "Other" << 11 << QByteArray("\x34\x30", 2) << "txtThrottleH" << "1.234";
    QTest::newRow("throttle 65535") << "Other" << 13 << QByteArray("\xFF\xFF", 2) << "txtThrottleM" << "6.5535";
    QTest::newRow("throttle 1") << "Other" << 13 << QByteArray("\x01\x00", 2) << "txtThrottleM" << "0.0001";
    QTest::newRow("BW step 65535") << "Other" << 25 << QByteArray("\xFF\xFF", 2) << "txtConstBwPT6" << "65535";
}

void TestControlOther::receivedValuesShown()
{
    QFETCH(QString, page);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    const PageId id = pageNamed(page);
    AppState state;
    Block &b = state.frames[frameOf(id)];
    for (int k = 0; k < bytes.size(); ++k)
        b[std::size_t(offset + k)] = quint8(bytes[k]);
    ValueMap values(tableOf(id));
    decodePage(id, state.blockParts(), values);
    QCOMPARE(values.text(control), shown);
}

void TestControlOther::switchesByte_data()
{
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<int>("byte8");
    QTest::newRow("none") << QStringList{} << 0x00;
    QTest::newRow("assist and boost") << QStringList{"ChkAst", "Chk_Tab6_BoostEnable"} << 0xC0;
    QTest::newRow("forward") << QStringList{"Chk_Tab6_ECO_EN"} << 0x01;
    QTest::newRow("backward") << QStringList{"Chk_Tab6_FR_en"} << 0x02;
    QTest::newRow("eco") << QStringList{"Chk_Tab6_Eco_Enable"} << 0x04;
    QTest::newRow("alarm") << QStringList{"Chk_Tab6_Alarm_en"} << 0x08;
    QTest::newRow("brake stop") << QStringList{"Chk_Tab6_BrakeE_EN"} << 0x10;
    QTest::newRow("motor protection") << QStringList{"Chk_Tab6_MotOHEN"} << 0x20;
    QStringList all;
    for (const char *c : kSwitches)
        all << QLatin1String(c);
    QTest::newRow("all") << all << 0xFF;
}

void TestControlOther::switchesByte()
{
    QFETCH(QStringList, checked);
    QFETCH(int, byte8);
    AppState state;
    ValueMap values(otherTable());
    for (const QString &c : checked)
        QVERIFY(values.setIndex(c, 1));
    QVERIFY(encodeOther(state.blockParts(), values).ok());
    const Block &b = state.frames[FrameId::Other];
    QCOMPARE(int(b[8]), byte8);
    QCOMPARE(int(b[7]), 100); // the neighbours keep their own values
    QCOMPARE(int(b[9]), 0xFF);
}

void TestControlOther::receivedSwitches_data()
{
    QTest::addColumn<int>("byte8");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("0x05") << 0x05 << QStringList{"Chk_Tab6_ECO_EN", "Chk_Tab6_Eco_Enable"};
    QTest::newRow("0xC0") << 0xC0 << QStringList{"ChkAst", "Chk_Tab6_BoostEnable"};
    QTest::newRow("0x00") << 0x00 << QStringList{};
    QTest::newRow("0x3B") << 0x3B
                          << QStringList{"Chk_Tab6_ECO_EN", "Chk_Tab6_FR_en", "Chk_Tab6_Alarm_en",
                                         "Chk_Tab6_BrakeE_EN", "Chk_Tab6_MotOHEN"};
}

void TestControlOther::receivedSwitches()
{
    QFETCH(int, byte8);
    QFETCH(QStringList, checked);
    AppState state;
    state.frames[FrameId::Other][8] = quint8(byte8);
    ValueMap values(otherTable());
    // Every box starts checked, so a clear bit has to clear it.
    for (const char *c : kSwitches)
        QVERIFY(values.setIndex(QString::fromLatin1(c), 1));
    decodeOther(state.blockParts(), values);
    for (const char *c : kSwitches) {
        const QString name = QString::fromLatin1(c);
        QCOMPARE(values.index(name), checked.contains(name) ? 1 : 0);
    }
    // Written back unchanged, the byte is the same.
    QVERIFY(encodeOther(state.blockParts(), values).ok());
    QCOMPARE(int(state.frames[FrameId::Other][8]), byte8);
}

void TestControlOther::failedParseStopsTheWrite_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("edits"); // control, text, ...
    QTest::addColumn<QString>("reported");
    QTest::newRow("angle 12abc") << "Control" << QStringList{"txtECOSpeedLimitKpGain", "12abc"}
                                 << "txtECOSpeedLimitKpGain";
    QTest::newRow("angle beyond 32 bits") << "Control" << QStringList{"txtECOSpeedLimitKpDivisor", "1e10"}
                                          << "txtECOSpeedLimitKpDivisor";
    QTest::newRow("gain empty") << "Control" << QStringList{"txtIdcLimitKiGain", ""} << "txtIdcLimitKiGain";
    QTest::newRow("throttle letters") << "Other" << QStringList{"txtThrottleM", "2,5"} << "txtThrottleM";
    // The encoder handles bytes 6 and 7 last: a bad box there is reported
    // only when nothing before it failed.
    QTest::newRow("byte 6 after byte 30") << "Other"
                                          << QStringList{"txtConstBwPT10", "x", "txtConstBwPT9", "y"}
                                          << "txtConstBwPT9";
    QTest::newRow("byte 7 after throttle") << "Other"
                                           << QStringList{"txtConstBwPT11", "x", "txtThrottleL", "y"}
                                           << "txtThrottleL";
    QTest::newRow("byte 5 before throttle") << "Other"
                                            << QStringList{"txtThrottleL", "x", "txtTrefMidpercent1", "y"}
                                            << "txtTrefMidpercent1";
    QTest::newRow("byte 6 alone") << "Other" << QStringList{"txtConstBwPT10", "x"} << "txtConstBwPT10";
}

void TestControlOther::failedParseStopsTheWrite()
{
    QFETCH(QString, page);
    QFETCH(QStringList, edits);
    QFETCH(QString, reported);
    const PageId id = pageNamed(page);
    AppState state;
    state.frames[frameOf(id)].fill(0x77);
    const Block before = state.frames[frameOf(id)];
    ValueMap values(tableOf(id));
    for (int i = 0; i < edits.size(); i += 2)
        QVERIFY(values.setText(edits[i], edits[i + 1]));
    const EncodeResult r = encodePage(id, state.blockParts(), values);
    QVERIFY(!r.ok());
    QCOMPARE(QString::fromLatin1(tableOf(id).field(r.failedField).control), reported);
    QCOMPARE(state.frames[frameOf(id)], before);
}

QTEST_GUILESS_MAIN(TestControlOther)
#include "tst_controlother.moc"
