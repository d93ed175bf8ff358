#include "pages/engine/pageregistry.h"
#include "pages/engine/fieldcodec.h"

#include <QTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(ParseError)
Q_DECLARE_METATYPE(FieldSpec)

namespace {
// A one-field block at bytes 2.., to look at one field's road in isolation.
struct OneField
{
    FieldSpec field;
    FieldSpec fields[1];
    BlockSpec definition;
    BlockTable table;
    explicit OneField(const FieldSpec &f)
        : field(f), fields{f}, definition{"frmTest", "Test", FrameId::Assist, fields, {}},
          table(definition)
    {
    }
    // Lists and check boxes take and show their index as digits here.
    EncodeResult encode(const QString &text, Block &out, int type = 0, QChar point = u'.') const
    {
        ValueMap v(table);
        if (field.holdsIndex())
            v.setIndexAt(0, text.toInt());
        else
            v.setAt(0, text);
        return encodeBlock(table, v, {type, point}, out);
    }
    QString decode(const Block &b, int type = 0, QChar point = u'.') const
    {
        constexpr int kUnchanged = -99;
        ValueMap v(table);
        v.setAt(0, QStringLiteral("unchanged"));
        v.setIndexAt(0, kUnchanged);
        decodeBlock(table, b, {type, point}, v);
        if (!field.holdsIndex())
            return v.at(0);
        return v.indexAt(0) == kUnchanged ? QStringLiteral("unchanged") : QString::number(v.indexAt(0));
    }
};

QByteArray bytes(const Block &b, int from, int count)
{
    return toByteArray(b).mid(from, count);
}

FieldSpec numberField(ValueForm form, int lo, int hi)
{
    FieldSpec f = u8Field("txtX", 2, "X", "", "0");
    f.form = form;
    return f.range(lo, hi);
}
} // namespace

class TestFieldCodec : public QObject
{
    Q_OBJECT
private slots:
    void numberParse_data();
    void numberParse();
    void leadingNumberParse_data();
    void leadingNumberParse();
    void integerParse_data();
    void integerParse();
    void floorAgainstRound_data();
    void floorAgainstRound();
    void rangeRules_data();
    void rangeRules();
    void indexRules_data();
    void indexRules();
    void byteVectors_data();
    void byteVectors();
    void displayForms_data();
    void displayForms();
    void exactRatio_data();
    void exactRatio();
    void allZeroPayloadShowsZero();
    void failureStopsAndLeavesTheBlock();
    void controllerTypeSelectsTheRows();
    void characterFields();
};

void TestFieldCodec::numberParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("point");
    QTest::addColumn<double>("value");
    QTest::addColumn<ParseError>("error");
    const QChar dot = u'.';
    const QChar comma = u',';
    const auto ok = ParseError::None;
    QTest::newRow("integer") << "350" << dot << 350.0 << ok;
    QTest::newRow("blanks around") << " \t68.75  " << dot << 68.75 << ok;
    QTest::newRow("no integer part") << ".9" << dot << 0.9 << ok;
    QTest::newRow("no fraction") << "5." << dot << 5.0 << ok;
    QTest::newRow("minus") << "-74" << dot << -74.0 << ok;
    QTest::newRow("plus") << "+3" << dot << 3.0 << ok;
    QTest::newRow("exponent") << "1e3" << dot << 1000.0 << ok;
    QTest::newRow("signed exponent") << "1.5E-2" << dot << 0.015 << ok;
    QTest::newRow("tiny") << "1e-400" << dot << 0.0 << ok;
    QTest::newRow("comma locale") << "68,75" << comma << 68.75 << ok;
    QTest::newRow("empty") << "" << dot << 0.0 << ParseError::Empty;
    QTest::newRow("blanks only") << "   " << dot << 0.0 << ParseError::Empty;
    QTest::newRow("letters") << "abc" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("trailing letters") << "12abc" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("inner blank") << "1 5" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("sign only") << "-" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("point only") << "." << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("two signs") << "--1" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("two points") << "1.2.3" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("bare exponent") << "1e" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("hex is not a number") << "&H10" << dot << 0.0 << ParseError::NotANumber;
    // Group separators would turn fifteen hundred into 1.5 somewhere.
    QTest::newRow("group separator") << "1,500" << dot << 0.0 << ParseError::NotANumber;
    QTest::newRow("point in comma locale") << "68.75" << comma << 0.0 << ParseError::NotANumber;
    QTest::newRow("too large") << "1e400" << dot << 0.0 << ParseError::OutOfRange;
}

void TestFieldCodec::numberParse()
{
    QFETCH(QString, text);
    QFETCH(QChar, point);
    QFETCH(double, value);
    QFETCH(ParseError, error);
    const ParsedNumber n = parseNumber(text, point);
    QCOMPARE(n.error, error);
    if (n.ok())
        QCOMPARE(n.value, value);
}

void TestFieldCodec::leadingNumberParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("number") << "57.5" << 57.5;
    QTest::newRow("followed by letters") << "12abc" << 12.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
    QTest::newRow("tabs and line feeds") << "1\t2\n3" << 123.0;
    QTest::newRow("carriage return stops") << "\r5" << 0.0;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("second point ends") << "3.7.1" << 3.7;
    QTest::newRow("comma ends") << "1,5" << 1.0;
    QTest::newRow("fraction only") << ".5" << 0.5;
    QTest::newRow("negative fraction") << "-.5" << -0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("incomplete exponent") << "12e" << 12.0;
    QTest::newRow("exponent sign only") << "12e+x" << 12.0;
    QTest::newRow("exponent then letters") << "1e-2x" << 0.01;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex with blanks") << "& H 1 0" << 16.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O8" << 0.0;
    QTest::newRow("ampersand only") << "&" << 0.0;
    QTest::newRow("unknown radix") << "&X1" << 0.0;
    QTest::newRow("huge") << "1e999" << inf;
    QTest::newRow("huge negative") << "-1e999" << -inf;
}

void TestFieldCodec::leadingNumberParse()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(parseLeadingNumber(text), value);
}

void TestFieldCodec::integerParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<ParseError>("error");
    const auto ok = ParseError::None;
    QTest::newRow("half down to even") << "2.5" << 2.0 << ok;
    QTest::newRow("half up to even") << "3.5" << 4.0 << ok;
    QTest::newRow("negative half") << "-2.5" << -2.0 << ok;
    QTest::newRow("not a half") << "2.51" << 3.0 << ok;
    QTest::newRow("largest") << "2147483647" << 2147483647.0 << ok;
    QTest::newRow("smallest, half to even") << "-2147483648.5" << -2147483648.0 << ok;
    QTest::newRow("rounds past the top") << "2147483647.5" << 0.0 << ParseError::OutOfRange;
    QTest::newRow("above") << "2147483648" << 0.0 << ParseError::OutOfRange;
    QTest::newRow("below") << "-2147483649" << 0.0 << ParseError::OutOfRange;
    QTest::newRow("letters") << "x1" << 0.0 << ParseError::NotANumber;
    QTest::newRow("empty") << "" << 0.0 << ParseError::Empty;
}

void TestFieldCodec::integerParse()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(ParseError, error);
    const ParsedNumber n = parseInteger(text, u'.');
    QCOMPARE(n.error, error);
    if (n.ok())
        QCOMPARE(n.value, value);
}

void TestFieldCodec::floorAgainstRound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lo");
    QTest::addColumn<qint64>("floored");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("2.5") << "2.5" << -100 << qint64(2) << qint64(2);
    QTest::newRow("3.5") << "3.5" << -100 << qint64(3) << qint64(4);
    QTest::newRow("2.9") << "2.9" << -100 << qint64(2) << qint64(3);
    QTest::newRow("-2.5") << "-2.5" << -100 << qint64(-3) << qint64(-2);
    QTest::newRow("-0.4") << "-0.4" << -100 << qint64(-1) << qint64(0);
    QTest::newRow("-0.4 clamped") << "-0.4" << 0 << qint64(0) << qint64(0);
}

void TestFieldCodec::floorAgainstRound()
{
    QFETCH(QString, text);
    QFETCH(int, lo);
    QFETCH(qint64, floored);
    QFETCH(qint64, rounded);
    const FieldSpec f = numberField(ValueForm::Sm16, lo, 100);
    QCOMPARE(encodeFieldValue(f, text, u'.').stored, floored);
    QCOMPARE(encodeFieldValue(f.rounded(), text, u'.').stored, rounded);
}

void TestFieldCodec::rangeRules_data()
{
    QTest::addColumn<FieldSpec>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<ParseError>("error");
    const auto ok = ParseError::None;
    const FieldSpec u8 = numberField(ValueForm::U8, 0, 255);
    const FieldSpec u16 = numberField(ValueForm::U16, 0, 32767);
    const FieldSpec wide = numberField(ValueForm::U16, 0, 65535);
    const FieldSpec angle = sm16Field("txtA", 2, "A", "deg", "0");
    const FieldSpec steps = u8.leadingNumber().rounded().belowOneIsZero();
    const FieldSpec fluxSign = u8.plus(1).rounded().refuseOutOfRange();

    QTest::newRow("u8 above") << u8 << "300" << qint64(255) << ok;
    QTest::newRow("u8 below") << u8 << "-5" << qint64(0) << ok;
    QTest::newRow("u16 above") << u16 << "40000" << qint64(32767) << ok;
    QTest::newRow("u16 full range") << wide << "40000" << qint64(40000) << ok;
    QTest::newRow("u16 full range above") << wide << "70000" << qint64(65535) << ok;
    QTest::newRow("angle below") << angle << "-200" << qint64(-180) << ok;
    QTest::newRow("angle above") << angle << "200" << qint64(179) << ok;
    QTest::newRow("steps 0.7") << steps << "0.7" << qint64(0) << ok;
    QTest::newRow("steps 0.99") << steps << "0.99" << qint64(0) << ok;
    QTest::newRow("steps 1") << steps << "1" << qint64(1) << ok;
    QTest::newRow("steps 1.5") << steps << "1.5" << qint64(2) << ok;
    QTest::newRow("steps 2.5") << steps << "2.5" << qint64(2) << ok;
    QTest::newRow("steps 300") << steps << "300" << qint64(255) << ok;
    QTest::newRow("steps negative") << steps << "-3" << qint64(0) << ok;
    QTest::newRow("steps huge exponent") << steps << "9e999" << qint64(255) << ok;
    QTest::newRow("flux sign -1") << fluxSign << "-1" << qint64(0) << ok;
    QTest::newRow("flux sign 1") << fluxSign << "1" << qint64(2) << ok;
    QTest::newRow("flux sign 254") << fluxSign << "254" << qint64(255) << ok;
    QTest::newRow("flux sign -1.4") << fluxSign << "-1.4" << qint64(0) << ok;
    QTest::newRow("flux sign 255 refused") << fluxSign << "255" << qint64(0) << ParseError::OutOfRange;
    QTest::newRow("flux sign -2 refused") << fluxSign << "-2" << qint64(0) << ParseError::OutOfRange;
    // A lenient box writes what stands in front; with nothing there it
    // refuses like a strict box instead of writing 0.
    QTest::newRow("lenient letters only") << steps << "abc" << qint64(0) << ParseError::NotANumber;
    QTest::newRow("lenient empty") << steps << "  " << qint64(0) << ParseError::Empty;
    QTest::newRow("lenient sign only") << steps << "-x" << qint64(0) << ParseError::NotANumber;
    QTest::newRow("lenient hex without digits") << steps << "&Hz" << qint64(0) << ParseError::NotANumber;
    QTest::newRow("lenient 12abc") << steps << "12abc" << qint64(12) << ok;
    QTest::newRow("lenient 0") << steps << "0" << qint64(0) << ok;
    // A number that only scaling takes beyond a double is clamped.
    const FieldSpec volts = u16.multiplyBy(100);
    QTest::newRow("scaled 1e308") << volts << "1e308" << qint64(32767) << ok;
    QTest::newRow("scaled -1e308") << volts << "-1e308" << qint64(0) << ok;
    QTest::newRow("lenient scaled 1e308") << volts.leadingNumber() << "1e308" << qint64(32767) << ok;
    QTest::newRow("scaled 1e400 as typed") << volts << "1e400" << qint64(0) << ParseError::OutOfRange;
}

void TestFieldCodec::indexRules_data()
{
    QTest::addColumn<FieldSpec>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<int>("shown");
    static constexpr const char *kItems[] = {"a", "b", "c", "d", "e"};
    const FieldSpec list = listField("cboX", 2, "X", kItems).plus(1).range(0, 5).listLimits(0, 4);
    const FieldSpec flag = flagField("ChkX", 2, 3, "X");
    QTest::newRow("list first") << list << 0 << qint64(1) << qint64(1) << 0;
    QTest::newRow("list nothing selected") << list << -1 << qint64(0) << qint64(0) << 0;
    QTest::newRow("list beyond") << list << 7 << qint64(5) << qint64(9) << 4;
    QTest::newRow("check box checked") << flag << 1 << qint64(1) << qint64(1) << 1;
    QTest::newRow("check box any other state") << flag << 2 << qint64(1) << qint64(0) << 0;
    QTest::newRow("check box clear") << flag << 0 << qint64(0) << qint64(0) << 0;
}

void TestFieldCodec::indexRules()
{
    QFETCH(FieldSpec, field);
    QFETCH(int, index);
    QFETCH(qint64, stored);
    QFETCH(qint64, raw);
    QFETCH(int, shown);
    QCOMPARE(encodeIndexValue(field, index).stored, stored);
    QCOMPARE(decodedIndex(field, raw), shown);
}

void TestFieldCodec::rangeRules()
{
    QFETCH(FieldSpec, field);
    QFETCH(QString, text);
    QFETCH(qint64, stored);
    QFETCH(ParseError, error);
    const FieldValue v = encodeFieldValue(field, text, u'.');
    QCOMPARE(v.error, error);
    if (v.ok())
        QCOMPARE(v.stored, stored);
}

void TestFieldCodec::byteVectors_data()
{
    QTest::addColumn<FieldSpec>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("readBack");
    const FieldSpec u16 = numberField(ValueForm::U16, 0, 32767);
    const FieldSpec angle = sm16Field("txtA", 2, "A", "deg", "0");
    QTest::newRow("u16 300") << u16 << "300" << QByteArray("\x2C\x01", 2) << "300";
    QTest::newRow("u16 40000 clamped") << u16 << "40000" << QByteArray("\xFF\x7F", 2) << "32767";
    QTest::newRow("u16 full 40000") << numberField(ValueForm::U16, 0, 65535) << "40000"
                                    << QByteArray("\x40\x9C", 2) << "40000";
    QTest::newRow("sm16 -5") << angle << "-5" << QByteArray("\x05\x80", 2) << "-5";
    QTest::newRow("sm16 -180") << angle << "-180" << QByteArray("\xB4\x80", 2) << "-180";
    QTest::newRow("sm16 179") << angle << "179" << QByteArray("\xB3\x00", 2) << "179";
    QTest::newRow("sm16 -200 clamped") << angle << "-200" << QByteArray("\xB4\x80", 2) << "-180";
    QTest::newRow("sm16 -90") << angle << "-90" << QByteArray("\x5A\x80", 2) << "-90";
    QTest::newRow("sm16 0") << angle << "-0.4" << QByteArray("\x00\x00", 2) << "0";
    QTest::newRow("u8 divided") << numberField(ValueForm::U8, 0, 255).divideBy(100) << "3099"
                                << QByteArray("\x1E", 1) << "3000";
    QTest::newRow("flag bit 6") << flagField("ChkAst", 2, 6, "A") << "1" << QByteArray("\x40", 1)
                                << "1";
}

void TestFieldCodec::byteVectors()
{
    QFETCH(FieldSpec, field);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QFETCH(QString, readBack);
    const OneField t(field);
    Block b{};
    QVERIFY(t.encode(text, b).ok());
    QCOMPARE(b[0], quint8(0xD0));
    QCOMPARE(b[1], quint8(0xC1));
    QCOMPARE(b[31], quint8(0xDA));
    QCOMPARE(bytes(b, 2, int(expected.size())), expected);
    QCOMPARE(t.decode(b), readBack);
}

void TestFieldCodec::displayForms_data()
{
    QTest::addColumn<FieldSpec>("field");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QChar>("point");
    QTest::addColumn<QString>("shown");
    const FieldSpec u16 = numberField(ValueForm::U16, 0, 65535);
    const FieldSpec volts = u16.multiplyBy(100);
    const FieldSpec throttle = u16.multiplyBy(10000).shows(DisplayForm::ThreeDecimals);
    const FieldSpec seconds = numberField(ValueForm::U8, 0, 255).multiplyBy(10).shows(DisplayForm::OneDecimal);
    const QChar dot = u'.';
    QTest::newRow("shortest 6875") << volts << qint64(6875) << dot << "68.75";
    QTest::newRow("shortest 20000") << volts << qint64(20000) << dot << "200";
    QTest::newRow("shortest 5750") << volts << qint64(5750) << dot << "57.5";
    QTest::newRow("shortest 32767") << volts << qint64(32767) << dot << "327.67";
    QTest::newRow("shortest 28") << volts << qint64(28) << dot << "0.28";
    QTest::newRow("shortest 1") << volts << qint64(1) << dot << "0.01";
    QTest::newRow("shortest comma") << volts << qint64(6875) << QChar(u',') << "68,75";
    QTest::newRow("three decimals half") << throttle << qint64(5000) << dot << "0.500";
    QTest::newRow("three decimals zero") << throttle << qint64(0) << dot << "0.000";
    // Three decimals at least, more when the exact value needs them: a
    // value shown and written back keeps its byte (6.554 would store 65540,
    // clamped to 65535 only by luck; 1.234 would store 12340).
    QTest::newRow("three decimals 65535") << throttle << qint64(65535) << dot << "6.5535";
    QTest::newRow("three decimals 5") << throttle << qint64(5) << dot << "0.0005";
    QTest::newRow("three decimals 12344") << throttle << qint64(12344) << dot << "1.2344";
    QTest::newRow("three decimals 12340") << throttle << qint64(12340) << dot << "1.234";
    QTest::newRow("three decimals 12300") << throttle << qint64(12300) << dot << "1.230";
    QTest::newRow("three decimals more, comma") << throttle << qint64(12345) << QChar(u',') << "1,2345";
    QTest::newRow("three decimals comma") << throttle << qint64(5000) << QChar(u',') << "0,500";
    QTest::newRow("one decimal 25") << seconds << qint64(25) << dot << "2.5";
    QTest::newRow("one decimal 20") << seconds << qint64(20) << dot << "2.0";
    QTest::newRow("one decimal 255") << seconds << qint64(255) << dot << "25.5";
    QTest::newRow("integer times 100") << u16.divideBy(100) << qint64(30) << dot << "3000";
    QTest::newRow("negated") << u16.negated() << qint64(74) << dot << "-74";
    QTest::newRow("negated times 1000") << u16.negated().divideBy(1000) << qint64(5) << dot << "-5000";
    QTest::newRow("plus one undone") << u16.plus(1) << qint64(0) << dot << "-1";
    QTest::newRow("sm16 negative") << sm16Field("txtA", 2, "A", "", "0") << qint64(-5) << dot << "-5";
}

void TestFieldCodec::displayForms()
{
    QFETCH(FieldSpec, field);
    QFETCH(qint64, raw);
    QFETCH(QChar, point);
    QFETCH(QString, shown);
    QCOMPARE(displayText(field, raw, point), shown);
}

void TestFieldCodec::exactRatio_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<int>("minDecimals");
    QTest::addColumn<QString>("shown");
    QTest::newRow("at least the minimum") << qint64(5000) << qint64(10000) << 3 << "0.500";
    QTest::newRow("more when needed") << qint64(12345) << qint64(10000) << 3 << "1.2345";
    QTest::newRow("negative") << qint64(-12345) << qint64(10000) << 3 << "-1.2345";
    QTest::newRow("zero") << qint64(0) << qint64(10000) << 3 << "0.000";
    QTest::newRow("no decimals") << qint64(7) << qint64(1) << 0 << "7";
    QTest::newRow("hundredths from none") << qint64(12) << qint64(100) << 0 << "0.12";
    QTest::newRow("an eighth ends") << qint64(1) << qint64(8) << 1 << "0.125";
    QTest::newRow("a third never ends") << qint64(1) << qint64(3) << 1 << "0.3";
    QTest::newRow("two thirds rounded") << qint64(2) << qint64(3) << 1 << "0.7";
    QTest::newRow("a seventh stops after one") << qint64(1) << qint64(7) << 0 << "0.1";
    QTest::newRow("a millionth") << qint64(1) << qint64(1000000) << 3 << "0.000001";
    QTest::newRow("nine decimals at most") << qint64(1) << qint64(1LL << 40) << 1 << "0.000000000";
}

void TestFieldCodec::exactRatio()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(int, minDecimals);
    QFETCH(QString, shown);
    QCOMPARE(formatExactRatio(numerator, denominator, minDecimals, u'.'), shown);
}

void TestFieldCodec::allZeroPayloadShowsZero()
{
    // Every table of the tool, plus every negated and scaled shape.
    const FieldSpec u16 = numberField(ValueForm::U16, 0, 32767);
    static const FieldSpec shapes[] = {
        u16.negated(),
        numberField(ValueForm::U8, 0, 255).negated().divideBy(1000).inGroup(0),
        u16.negated().multiplyBy(100),
        u16.negated().multiplyBy(10000).shows(DisplayForm::ThreeDecimals),
        u16.negated().multiplyBy(10).shows(DisplayForm::OneDecimal),
        sm16Field("txtA", 2, "A", "", "0"),
    };
    QList<std::pair<FieldSpec, QString>> checked;
    for (const FieldSpec &f : shapes) {
        const OneField t(f);
        checked.append({f, t.decode(Block{})});
    }
    for (const BlockTable *table : allBlockTables()) {
        // Every controller type: its rows are the ones decoded.
        for (int type = 0; type <= 4; ++type) {
            ValueMap v(*table);
            CodecOptions options;
            options.controllerType = type;
            decodeBlock(*table, Block{}, options, v);
            for (int i = 0; i < table->fieldCount(); ++i) {
                const FieldSpec &f = table->field(i);
                if (f.isNumeric() && !f.isConstant() && f.appliesTo(type))
                    checked.append({f, v.at(table->slotOfField(i))});
            }
        }
    }
    QVERIFY(checked.size() > 30);
    for (const auto &[field, text] : checked) {
        const QString where = QString::fromLatin1(field.control ? field.control : "?");
        // A field stored with an offset (flux sign + 1) shows the offset undone.
        if (field.addend != 0) {
            QVERIFY2(text == QString::number(-field.addend), qPrintable(where + QLatin1String(": ") + text));
            continue;
        }
        QVERIFY2(!text.startsWith(u'-'), qPrintable(where + QLatin1String(": ") + text));
        const ParsedNumber n = parseNumber(text, u'.');
        QVERIFY2(n.ok() && n.value == 0, qPrintable(where + QLatin1String(": ") + text));
    }
}

void TestFieldCodec::failureStopsAndLeavesTheBlock()
{
    static const FieldSpec fields[] = {
        u16Field("txtA", 2, "A", "", "1"),
        u16Field("txtB", 4, "B", "", "x"),
        u16Field("txtC", 6, "C", "", "y"),
    };
    static const BlockSpec definition{"frmTest", "Test", FrameId::Assist, fields, {}};
    const BlockTable table(definition);
    Block out;
    out.fill(0x55);
    const Block before = out;
    const EncodeResult r = encodeBlock(table, ValueMap(table), {}, out);
    QCOMPARE(r.failedField, 1); // the first failing box in encoder order
    QCOMPARE(r.error, ParseError::NotANumber);
    QCOMPARE(out, before);
}

void TestFieldCodec::controllerTypeSelectsTheRows()
{
    // One byte, two meanings, and nothing for any other type.
    static const FieldSpec fields[] = {
        u8Field("txtA", 2, "A", "", "40").integer().range(20, 100).onlyFor(
            ControllerTypes::Type1 | ControllerTypes::Type2),
        u8Field("txtA", 2, "A3", "", "40").divideBy(100).onlyFor(ControllerTypes::Type3),
        constantByte(3, 1).onlyFor(ControllerTypes::Type1),
    };
    static const BlockSpec definition{"frmTest", "Test", FrameId::Assist, fields, {}};
    const BlockTable table(definition);
    QCOMPARE(table.slotCount(), 1);
    ValueMap v(table);
    v.setAt(0, QStringLiteral("4550"));
    struct Row { int type; quint8 byte2, byte3; QString shown; };
    for (const Row &row : {Row{1, 100, 1, "100"}, Row{2, 100, 0, "100"}, Row{3, 45, 0, "4500"},
                           Row{0, 0, 0, "unchanged"}, Row{4, 0, 0, "unchanged"}}) {
        Block b{};
        QVERIFY(encodeBlock(table, v, {row.type, u'.'}, b).ok());
        QCOMPARE(b[2], row.byte2);
        QCOMPARE(b[3], row.byte3);
        ValueMap back(table);
        back.setAt(0, QStringLiteral("unchanged"));
        decodeBlock(table, b, {row.type, u'.'}, back);
        QCOMPARE(back.at(0), row.shown);
    }
}

void TestFieldCodec::characterFields()
{
    const OneField name(charsField("txtUserName", 3, 20, "User name", "tovrin"));
    Block b{};
    QVERIFY(name.encode(QStringLiteral("tovrin"), b).ok());
    QCOMPARE(bytes(b, 3, 7), QByteArray("tovrin\0", 7));
    QCOMPARE(name.decode(b), QStringLiteral("tovrin"));
    QCOMPARE(name.encode(QString(21, u'a'), b).error, ParseError::TooLong);
    QCOMPARE(name.encode(QStringLiteral("名字"), b).error, ParseError::BadCharacter);
    // A missing first character does not end the text; a later zero does.
    Block reply{};
    reply[4] = 'a';
    reply[5] = 'b';
    reply[7] = 'c';
    QCOMPARE(name.decode(reply), QStringLiteral("ab"));
}

QTEST_GUILESS_MAIN(TestFieldCodec)
#include "tst_fieldcodec.moc"
