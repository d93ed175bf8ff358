#include "pages/blocks/basicblock.h"
#include "pages/blocks/referenceblock.h"
#include "core/appstate.h"

#include <QLocale>
#include <QTest>

namespace {
const char *const kBasicDefaults =
    "F0 E1 5E 01 00 00 4B 00 DC 05 DC 05 EE 02 EE 02 00 00 03 00 02 00 1E 32 00 32 00 FF FF 32 00 DA";
const char *const kReferenceDefaults =
    "F2 E3 20 4E 00 00 58 02 DB 1A 6A 18 00 00 34 21 FF 7F 0A 3A 37 14 64 58 00 FF 96 B4 96 5E 01 DA";

struct Page
{
    const BlockTable &table;
    EncodeResult (*encode)(BlockParts, const ValueMap &);
    void (*decode)(BlockParts, ValueMap &);
    FrameId frame;
};

Page pageNamed(const QString &name)
{
    if (name == QLatin1String("Basic"))
        return {basicTable(), encodeBasic, decodeBasic, FrameId::Basic};
    return {referenceTable(), encodeReference, decodeReference, FrameId::Reference};
}
} // namespace

class TestBasicReference : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void defaultsEncodeExactly_data();
    void defaultsEncodeExactly();
    void edgeCases_data();
    void edgeCases();
    void receivedOutOfRangeShownAsReceived();
    void failedParseStopsTheWrite_data();
    void failedParseStopsTheWrite();
    void curvePointZero();
    void ecoSpeedTravelsForEveryType();
    void decimalSeparatorOfTheSystem();
};

void TestBasicReference::defaultsEncodeExactly_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Basic") << "Basic" << kBasicDefaults;
    QTest::newRow("Reference") << "Reference" << kReferenceDefaults;
}

void TestBasicReference::defaultsEncodeExactly()
{
    QFETCH(QString, page);
    QFETCH(QString, expected);
    const Page p = pageNamed(page);
    AppState state;
    QVERIFY(p.encode(state.blockParts(), ValueMap(p.table)).ok());
    QCOMPARE(hexString(state.frames[p.frame]), expected);
}

void TestBasicReference::edgeCases_data()
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
    const QByteArray zero16("\x00\x00", 2);
    row("back speed -74", "Basic", "txtBspeed", "-74", 4, QByteArray("\x4A\x00", 2), "-74");
    row("back speed positive", "Basic", "txtBspeed", "74", 4, zero16, "0");
    row("acc of Id .9", "Basic", "txthFlux_Acc", ".9", 16, zero16, "0");
    row("dec 1 of Id 3.7", "Basic", "txthFlux_Quit", "3.7", 18, QByteArray("\x03\x00", 2), "3");
    row("MOS pk I 1 50.5", "Basic", "txtIacPeak1", "50.5", 25, QByteArray("\x32\x00", 2), "50");
    row("speed of Id0 3000", "Basic", "txtSpeedFluxQuit", "3000", 22, QByteArray("\x1E"), "3000");
    row("speed of Id0 3099", "Basic", "txtSpeedFluxQuit", "3099", 22, QByteArray("\x1E"), "3000");
    row("speed of Id0 26000", "Basic", "txtSpeedFluxQuit", "26000", 22, QByteArray("\xFF"), "25500");
    row("max speed 40000", "Basic", "txtMaxspeed", "40000", 2, QByteArray("\xFF\x7F", 2), "32767");
    row("max speed 300", "Basic", "txtMaxspeed", "300", 2, QByteArray("\x2C\x01", 2), "300");
    row("temp 1200", "Basic", "txtTemperatureW0", "1200", 27, QByteArray("\xFF"), "255");
    row("max Iac pk", "Basic", "txtConstPT0", "420.9", 29, QByteArray("\xA4\x01", 2), "420");
    row("under vdc recover 68.75", "Reference", "txtVoltageLRec", "68.75", 8,
        QByteArray("\xDB\x1A", 2), "68.75");
    // Scaled on the typed digits: 0.29 V is 29 hundredths, never 28.
    row("0.29 is stored as 29", "Reference", "txtVoltageLRec", "0.29", 8, QByteArray("\x1D\x00", 2),
        "0.29");
    row("1.005 floors to 100", "Reference", "txtVoltageLRec", "1.005", 8, QByteArray("\x64\x00", 2),
        "1");
    row("2.9e-1 is stored as 29", "Reference", "txtVoltageLRec", "2.9e-1", 8,
        QByteArray("\x1D\x00", 2), "0.29");
    row("0.57 is stored as 57", "Reference", "txtRegHighV", "0.57", 10, QByteArray("\x39\x00", 2),
        "0.57");
    row("over vdc 400", "Reference", "txtVoltageH", "400", 2, QByteArray("\xFF\x7F", 2), "327.67");
    row("negative voltage", "Reference", "txtVoltageHRec", "-92", 4, zero16, "0");
    row("voltage 57.5", "Reference", "txtRegHighV", "57.5", 10, QByteArray("\x76\x16", 2), "57.5");
    row("hall steps 0.7", "Reference", "txtHALL_60_360_Switch", "0.7", 20, QByteArray("\x00", 1), "0");
    row("hall steps 0.99", "Reference", "txtHALL_60_360_Switch", "0.99", 20, QByteArray("\x00", 1), "0");
    row("hall steps 1.5", "Reference", "txtHALL_60_360_Switch", "1.5", 20, QByteArray("\x02"), "2");
    row("hall steps 2.5", "Reference", "txtHALL_60_360_Switch", "2.5", 20, QByteArray("\x02"), "2");
    row("hall steps 300", "Reference", "txtHALL_60_360_Switch", "300", 20, QByteArray("\xFF"), "255");
    row("hall steps 3 and letters", "Reference", "txtHALL_60_360_Switch", "3 steps", 20, QByteArray("\x03"), "3");
    // Only the scaling takes 1e308 beyond a double: clamped, not refused.
    row("over vdc 1e308", "Reference", "txtVoltageH", "1e308", 2, QByteArray("\xFF\x7F", 2), "327.67");
    row("under vdc -1e308", "Reference", "txtVoltageL", "-1e308", 6, zero16, "0");
    row("idc min 57.5", "Reference", "txtIdcMinPerc", "57.5", 19, QByteArray("\x3A"), "58");
    row("idc min 56.5", "Reference", "txtIdcMinPerc", "56.5", 19, QByteArray("\x38"), "56");
    row("idc min 200", "Reference", "txtIdcMinPerc", "200", 19, QByteArray("\xA0"), "160");
    row("idc min 12 and letters", "Reference", "txtIdcMinPerc", "12 percent", 19, QByteArray("\x0C"), "12");
    row("start forecast 200", "Reference", "txtStartupPercentageFast", "200", 21, QByteArray("\x80"), "128");
    row("square start hex", "Reference", "txtStepSquareStart", "&H20", 22, QByteArray("\x20"), "32");
    row("square step 40000", "Reference", "txtsqu_angle_step_int", "40000", 23,
        QByteArray("\xFF\x7F", 2), "32767");
    row("BW step 12 800", "Reference", "txtConstBwPT12", "800", 25, QByteArray("\xFF"), "255");
    row("BW step 0 300", "Reference", "txtConstBwPT0", "300", 29, QByteArray("\x2C\x01", 2), "300");
}

void TestBasicReference::edgeCases()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);
    const Page p = pageNamed(page);
    AppState state;
    ValueMap values(p.table);
    QVERIFY(values.setText(control, text));
    QVERIFY(p.encode(state.blockParts(), values).ok());
    const Block written = state.frames[p.frame];
    QCOMPARE(toByteArray(written).mid(offset, stored.size()), stored);

    // The controller echoes what it stored; the reply carries the read code.
    state.frames[p.frame][1] = quint8(written[1] - 1);
    ValueMap shown(p.table);
    p.decode(state.blockParts(), shown);
    QCOMPARE(shown.text(control), readBack);
}

void TestBasicReference::receivedOutOfRangeShownAsReceived()
{
    AppState state;
    Block &b = state.frames[FrameId::Basic];
    b[2] = 0x40; // 40000
    b[3] = 0x9C;
    ValueMap values(basicTable());
    decodeBasic(state.blockParts(), values);
    QCOMPARE(values.text(u"txtMaxspeed"), QStringLiteral("40000"));
    // Written back untouched, the controller's value stays what the box
    // shows; a value typed over the range is clamped.
    QVERIFY(encodeBasic(state.blockParts(), values).ok());
    QCOMPARE(b[2], quint8(0x40));
    QCOMPARE(b[3], quint8(0x9C));
    QVERIFY(values.setText(u"txtMaxspeed", QStringLiteral("40001")));
    QVERIFY(encodeBasic(state.blockParts(), values).ok());
    QCOMPARE(b[2], quint8(0xFF));
    QCOMPARE(b[3], quint8(0x7F));
}

void TestBasicReference::failedParseStopsTheWrite_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fails");
    QTest::newRow("basic letters") << "Basic" << "txtMaxspeed" << "abc" << true;
    QTest::newRow("basic 12 and letters") << "Basic" << "txtBspeed" << "12abc" << true;
    QTest::newRow("basic empty") << "Basic" << "txtConstPT0" << "" << true;
    QTest::newRow("reference voltage letters") << "Reference" << "txtVoltageH" << "high" << true;
    QTest::newRow("reference square step") << "Reference" << "txtsqu_angle_step_int" << "1/2" << true;
    QTest::newRow("reference lenient letters") << "Reference" << "txtFluxCompToVdc" << "abc" << true;
    QTest::newRow("reference lenient 12 and letters") << "Reference" << "txtFluxCompToVdc" << "12abc" << false;
}

void TestBasicReference::failedParseStopsTheWrite()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(bool, fails);
    const Page p = pageNamed(page);
    AppState state;
    state.frames[p.frame].fill(0x77);
    ValueMap values(p.table);
    QVERIFY(values.setText(control, text));
    const EncodeResult r = p.encode(state.blockParts(), values);
    QCOMPARE(!r.ok(), fails);
    if (fails) {
        QCOMPARE(QString::fromLatin1(p.table.field(r.failedField).control), control);
        QCOMPARE(state.frames[p.frame][2], quint8(0x77));
    }
}

void TestBasicReference::curvePointZero()
{
    AppState state;
    ValueMap values(basicTable());
    QVERIFY(values.setText(u"txtConstPT0", QStringLiteral("420")));
    QVERIFY(encodeBasic(state.blockParts(), values).ok());
    QCOMPARE(state.curve.curveTable[0], kCurveTableStart[0]); // a write leaves the curve alone

    Block reply{};
    reply[0] = 0xF0;
    reply[1] = 0xE0;
    reply[29] = 0x2C; // 300
    reply[30] = 0x01;
    reply[31] = 0xDA;
    state.frames[FrameId::Basic] = reply;
    decodeBasic(state.blockParts(), values);
    QCOMPARE(state.curve.curveTable[0], 300.0);
    QCOMPARE(state.curve.curveTable[1], kCurveTableStart[1]);
}

void TestBasicReference::ecoSpeedTravelsForEveryType()
{
    for (qint16 type : {0, 1, 2, 3}) {
        AppState state;
        state.controllerType = type;
        ValueMap values(basicTable());
        QVERIFY(values.setText(QStringLiteral("txtEcospeed"), QStringLiteral("300")));
        QVERIFY(encodeBasic(state.blockParts(), values).ok());
        QCOMPARE(state.frames[FrameId::Basic][6], quint8(0x2C));
        QCOMPARE(state.frames[FrameId::Basic][7], quint8(0x01));
        ValueMap back(basicTable());
        decodeBasic(state.blockParts(), back);
        QCOMPARE(back.text(QStringLiteral("txtEcospeed")), QStringLiteral("300"));
    }
}

void TestBasicReference::decimalSeparatorOfTheSystem()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    AppState state;
    ValueMap values(referenceTable());
    QVERIFY(values.setText(u"txtVoltageLRec", QStringLiteral("68,75")));
    QVERIFY(values.setText(u"txtVoltageL", QStringLiteral("6")));
    QVERIFY(values.setText(u"txtRegHighV", QStringLiteral("62,5")));
    QVERIFY(values.setText(u"txtIdclimitLowV", QStringLiteral("75")));
    const EncodeResult ok = encodeReference(state.blockParts(), values);
    QVERIFY(values.setText(u"txtVoltageH", QStringLiteral("1.500"))); // fifteen hundred in this format
    const EncodeResult refused = encodeReference(state.blockParts(), values);
    ValueMap shown(referenceTable());
    decodeReference(state.blockParts(), shown);
    QLocale::setDefault(QLocale::c());

    QVERIFY(ok.ok());
    QCOMPARE(shown.text(u"txtVoltageLRec"), QStringLiteral("68,75"));
    QCOMPARE(shown.text(u"txtRegHighV"), QStringLiteral("62,5"));
    QCOMPARE(refused.error, ParseError::NotANumber);
}

QTEST_GUILESS_MAIN(TestBasicReference)
#include "tst_basicreference.moc"
