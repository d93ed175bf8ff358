// The Derate and Mode-set blocks through the registry's generic codec, and
// the Mode 4 speed that scales the curve.

#include "pages/blocks/derateblock.h"
#include "pages/blocks/modesetblock.h"
#include "pages/engine/pageregistry.h"
#include "core/appstate.h"
#include "monitor/curvelabels.h"

#include "fakeport.h"

#include <QLocale>
#include <QTest>

#include <limits>

namespace {
// With "Flux switch speed[rpm]" 900: its design text is no number.
const char *const kDerateDefaults =
    "D5 C6 1E 1E 0A 0A 00 00 FA 03 FA 03 0A 00 5A 00 50 00 28 00 6E 64 5A 64 F4 01 32 0A 3C 1E 09 DA";
const char *const kModeSetDefaults =
    "D7 C8 14 32 32 50 32 78 78 96 B4 78 03 03 0A 02 0F 14 14 00 00 00 00 00 00 00 00 00 00 00 00 DA";

PageId pageNamed(const QString &name)
{
    return name == QLatin1String("Derate") ? PageId::Derate : PageId::ModeSet;
}

const BlockTable &tableOf(PageId id)
{
    return pageDef(id).table();
}

FrameId frameOf(PageId id)
{
    return pageDef(id).family;
}

Block modeSetReply(quint8 mode4)
{
    Block b = makeBlock({0xD7, 0xC7, 20, 50, 50, mode4, 50, 120, 120, 150, 180, 120, 3, 3, 10, 2, 15, 20, 20});
    return b;
}
} // namespace

class TestDerateModeSet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void defaultsEncodeExactly_data();
    void defaultsEncodeExactly();
    void edgeCases_data();
    void edgeCases();
    void modeSetTailIsZero();
    void curveScaleOnWrite_data();
    void curveScaleOnWrite();
    void curveScaleAfterReadBack();
    void failedWriteKeepsTheScale();
    void curveRedrawnAfterTheScale();
    void curveLabelSteps_data();
    void curveLabelSteps();
};

void TestDerateModeSet::defaultsEncodeExactly_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Derate") << "Derate" << kDerateDefaults;
    QTest::newRow("Mode set") << "ModeSet" << kModeSetDefaults;
}

void TestDerateModeSet::defaultsEncodeExactly()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);
    const PageId id = pageNamed(page);
    AppState state;
    ValueMap values(tableOf(id));
    QVERIFY(encodePage(id, state.blockParts(), values).ok());
    QCOMPARE(hexString(state.frames[frameOf(id)]), expected);
}

void TestDerateModeSet::edgeCases_data()
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
    const QByteArray one("\x01");
    row("derate delay 0", "Derate", "txtPderateDelay", "0", 2, one, "1");
    row("recover delay 0", "Derate", "txtPrecoverDelay", "0", 3, one, "1");
    row("mot derate delay 0.9", "Derate", "txtMPderateDelay", "0.9", 4, one, "1");
    row("mot recover delay -3", "Derate", "txtMPrecoverDelay", "-3", 5, one, "1");
    row("mot recover delay 256", "Derate", "txtMPrecoverDelay", "256", 5, QByteArray("\xFF"), "255");
    row("ECO 1 0", "Derate", "txtConstECOPT1", "0", 6, QByteArray("\x00\x00", 2), "0");
    row("ECO 2 1018", "Derate", "txtConstECOPT2", "1018", 8, QByteArray("\xFA\x03", 2), "1018");
    row("ECO 7 40000", "Derate", "txtConstECOPT7", "40000", 18, QByteArray("\xFF\x7F", 2), "32767");
    row("ECO 8 0", "Derate", "txtConstECOPT8", "0", 20, one, "1");
    row("ECO 11 300", "Derate", "txtConstECOPT11", "300", 23, QByteArray("\xFF"), "255");
    row("speed step 500", "Derate", "txtSpeedstep", "500", 24, QByteArray("\xF4\x01", 2), "500");
    row("Iqref limit 1 0", "Derate", "txtIqref_limit1", "0", 26, QByteArray("\x00", 1), "0");
    row("Idref limit 0 0", "Derate", "txtIdref_limit0", "0", 29, QByteArray("\x00", 1), "0");
    row("flux speed 950", "Derate", "txtFluxSTspeed", "950", 30, QByteArray("\x09"), "900");
    row("flux speed 30000", "Derate", "txtFluxSTspeed", "30000", 30, QByteArray("\xFF"), "25500");
    row("flux speed 0", "Derate", "txtFluxSTspeed", "0", 30, QByteArray("\x00", 1), "0");

    row("max reg Q -1000", "ModeSet", "txtMaxRegQ", "-1000", 14, QByteArray("\x0A"), "-1000");
    row("max reg Q +1000", "ModeSet", "txtMaxRegQ", "1000", 14, one, "-100");
    row("max reg Q -30000", "ModeSet", "txtMaxRegQ", "-30000", 14, QByteArray("\xFF"), "-25500");
    row("max slip -2000", "ModeSet", "txtMaxSlipRegQ", "-2000", 18, QByteArray("\x14"), "-2000");
    row("max slip -2050", "ModeSet", "txtMaxSlipRegQ", "-2050", 18, QByteArray("\x14"), "-2000");
    row("mode 1 speed 0", "ModeSet", "txtSpeedMode1", "0", 2, one, "10");
    row("mode 1 speed 3000", "ModeSet", "txtSpeedMode1", "3000", 2, QByteArray("\xFF"), "2550");
    row("mode 2 speed 25", "ModeSet", "txtSpeedMode2", "25", 3, QByteArray("\x02"), "20");
    row("mode 3 speed 35", "ModeSet", "txtSpeedMode3", "35", 4, QByteArray("\x03"), "30");
    row("mode 4 speed 800", "ModeSet", "txtSpeedMode4", "800", 5, QByteArray("\x50"), "800");
    row("mode 5 idc 0", "ModeSet", "txtIdcMode5", "0", 10, one, "1");
    row("boost ratio 300", "ModeSet", "txtBstRatioIac", "300", 11, QByteArray("\xFF"), "255");
    row("speed fall delay 0", "ModeSet", "txtDelaySpeedMode", "0", 13, one, "1");
    row("min reg speed 50", "ModeSet", "txtRegMinSpeed", "50", 15, one, "100");
    row("acc of regenerate 1599", "ModeSet", "txtRegAcc1", "1599", 16, QByteArray("\x0F"), "1500");
    row("dec of regenerate 2000", "ModeSet", "txtRegDec1", "2000", 17, QByteArray("\x14"), "2000");
}

void TestDerateModeSet::edgeCases()
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
    if (id == PageId::Derate && control != QLatin1String("txtFluxSTspeed"))
        QVERIFY(values.setText(u"txtFluxSTspeed", QStringLiteral("0")));
    QVERIFY(values.setText(control, text));
    QVERIFY(encodePage(id, state.blockParts(), values).ok());
    const Block written = state.frames[frame];
    QCOMPARE(toByteArray(written).mid(offset, stored.size()), stored);

    state.frames[frame][1] = quint8(written[1] - 1);
    ValueMap shown(tableOf(id));
    decodePage(id, state.blockParts(), shown);
    QCOMPARE(shown.text(control), readBack);
    QVERIFY(encodePage(id, state.blockParts(), shown).ok());
    QCOMPARE(state.frames[frame], written);
}

void TestDerateModeSet::modeSetTailIsZero()
{
    // Whatever the buffer held and whatever a reply carried there, bytes
    // 19..30 of a write are zero.
    AppState state;
    Block reply = modeSetReply(80);
    for (int at = 19; at <= 30; ++at)
        reply[std::size_t(at)] = 0xA5;
    state.frames[FrameId::ModeSet] = reply;
    ValueMap values(modeSetTable());
    decodeModeSet(state.blockParts(), values);
    state.frames[FrameId::ModeSet].fill(0x77);
    QVERIFY(encodeModeSet(state.blockParts(), values).ok());
    const Block &b = state.frames[FrameId::ModeSet];
    for (int at = 19; at <= 30; ++at)
        QCOMPARE(b[std::size_t(at)], quint8(0));
    QCOMPARE(b[31], quint8(0xDA));
    QCOMPARE(toByteArray(b).mid(2, 17), toByteArray(reply).mid(2, 17));
}

void TestDerateModeSet::curveScaleOnWrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("byte5");
    // The scale is the typed speed, rounded half to even, never limited.
    QTest::newRow("3000") << "3000" << 3000 << 255;
    QTest::newRow("1300") << "1300" << 1300 << 130;
    QTest::newRow("802.5 to even") << "802.5" << 802 << 80;
    QTest::newRow("803.5 to even") << "803.5" << 804 << 80;
    QTest::newRow("809.9") << "809.9" << 810 << 80;
    QTest::newRow("0") << "0" << 0 << 1;
    QTest::newRow("-5") << "-5" << -5 << 1;
    QTest::newRow("blanks around") << " 1500 " << 1500 << 150;
    QTest::newRow("beyond 32 bits") << "1e12" << std::numeric_limits<int>::max() << 255;
    QTest::newRow("beyond 32 bits negative") << "-1e12" << std::numeric_limits<int>::min() << 1;
}

void TestDerateModeSet::curveScaleOnWrite()
{
    QFETCH(QString, text);
    QFETCH(int, scale);
    QFETCH(int, byte5);
    AppState state;
    ValueMap values(modeSetTable());
    QVERIFY(values.setText(u"txtSpeedMode4", text));
    QVERIFY(encodeModeSet(state.blockParts(), values).ok());
    QCOMPARE(state.curve.curveScale, scale);
    QCOMPARE(int(state.frames[FrameId::ModeSet][5]), byte5);
}

void TestDerateModeSet::curveScaleAfterReadBack()
{
    // Write 3000: the byte holds 255 but the curve follows 3000 until the
    // next read, which brings 2550 and labels in steps of 196.
    AppState state;
    ValueMap values(modeSetTable());
    QVERIFY(values.setText(u"txtSpeedMode4", QStringLiteral("3000")));
    QVERIFY(encodeModeSet(state.blockParts(), values).ok());
    QCOMPARE(state.frames[FrameId::ModeSet][5], quint8(255));
    QCOMPARE(state.curve.curveScale, 3000);
    QCOMPARE(curveLabelStep(state.curve.curveScale), 230);

    state.frames[FrameId::ModeSet][1] = 0xC7;
    ValueMap back(modeSetTable());
    decodeModeSet(state.blockParts(), back);
    QCOMPARE(back.text(u"txtSpeedMode4"), QStringLiteral("2550"));
    QCOMPARE(state.curve.curveScale, 2550);
    QCOMPARE(curveLabelStep(state.curve.curveScale), 196);
}

void TestDerateModeSet::failedWriteKeepsTheScale()
{
    AppState state;
    int redraws = 0;
    state.curve.drawCurve = [&] { ++redraws; };
    ValueMap values(modeSetTable());
    QVERIFY(values.setText(u"txtSpeedMode4", QStringLiteral("1300")));
    QVERIFY(values.setText(u"txtMaxSlipRegQ", QStringLiteral("much")));
    QVERIFY(!encodeModeSet(state.blockParts(), values).ok());
    QCOMPARE(state.curve.curveScale, kCurveScaleStart);
    QCOMPARE(redraws, 0);

    QVERIFY(values.setText(u"txtMaxSlipRegQ", QStringLiteral("-2000")));
    QVERIFY(values.setText(u"txtSpeedMode4", QStringLiteral("13OO")));
    QVERIFY(!encodeModeSet(state.blockParts(), values).ok());
    QCOMPARE(state.curve.curveScale, kCurveScaleStart);
    QCOMPARE(redraws, 0);
}

void TestDerateModeSet::curveRedrawnAfterTheScale()
{
    // Each write and each read redraws the curve once, with the new scale in place.
    AppState state;
    QList<int> scalesSeen;
    state.curve.drawCurve = [&] { scalesSeen.append(state.curve.curveScale); };
    ValueMap values(modeSetTable());
    QVERIFY(values.setText(u"txtSpeedMode4", QStringLiteral("1300")));
    QVERIFY(encodeModeSet(state.blockParts(), values).ok());
    state.frames[FrameId::ModeSet] = modeSetReply(75);
    decodeModeSet(state.blockParts(), values);
    QCOMPARE(scalesSeen, (QList<int>{1300, 750}));

    // Other pages leave the scale and the curve alone.
    ValueMap derate(derateTable());
    QVERIFY(derate.setText(u"txtFluxSTspeed", QStringLiteral("0")));
    QVERIFY(encodeDerate(state.blockParts(), derate).ok());
    decodeDerate(state.blockParts(), derate);
    QCOMPARE(scalesSeen.size(), 2);
    QCOMPARE(state.curve.curveScale, 750);
}

void TestDerateModeSet::curveLabelSteps_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("step");
    QTest::newRow("start value") << 750 << 57;
    QTest::newRow("1300") << 1300 << 100;
    QTest::newRow("2550") << 2550 << 196;
    QTest::newRow("12") << 12 << 0;
    QTest::newRow("13") << 13 << 1;
    QTest::newRow("0") << 0 << 0;
}

void TestDerateModeSet::curveLabelSteps()
{
    QFETCH(int, scale);
    QFETCH(int, step);
    QCOMPARE(curveLabelStep(scale), step);
}

QTEST_GUILESS_MAIN(TestDerateModeSet)
#include "tst_deratemodeset.moc"
