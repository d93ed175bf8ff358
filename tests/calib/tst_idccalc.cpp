// The arithmetic behind "Calc", "Specify CW" and the model text.

#include "calib/idccalc.h"
#include "core/appstate.h"
#include "core/language.h"

#include <QTest>

class TestIdcCalc : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void gainShift_data();
    void gainShift();
    void worksheet_data();
    void worksheet();
    void calendarWeek_data();
    void calendarWeek();
    void modelText_data();
    void modelText();
};

void TestIdcCalc::gainShift_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("gain");
    QTest::addColumn<int>("shift");
    QTest::newRow("0.375: the defaults") << 0.375 << 3 << 3;
    QTest::newRow("1") << 1.0 << 1 << 0;
    QTest::newRow("0.001 meets 1 % at 15") << 0.001 << 33 << 15;
    QTest::newRow("0.0001 never: falls back to 15") << 0.0001 << 3 << 15;
    QTest::newRow("2.5 rounds away from zero") << 2.5 << 5 << 1;
    QTest::newRow("1.005 within 1 % at shift 0") << 1.005 << 1 << 0;
    QTest::newRow("0.7 needs shift 6") << 0.7 << 45 << 6; // 22.4 -> 22 is 1.8 % off, 44.8 -> 45 is 0.4 %
    QTest::newRow("large factor") << 30000.4 << 30000 << 0;
}

void TestIdcCalc::gainShift()
{
    QFETCH(double, factor);
    QFETCH(int, gain);
    QFETCH(int, shift);
    const IdcGainShift gs = idcGainShift(factor);
    QCOMPARE(gs.gain, gain);
    QCOMPARE(gs.shift, shift);
}

void TestIdcCalc::worksheet_data()
{
    QTest::addColumn<QStringList>("cells"); // actual 1, ADC 1, actual 2, ADC 2, actual 3, ADC 3
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("missingRow");
    QTest::addColumn<QStringList>("factors");
    QTest::addColumn<QString>("average");
    using O = WorksheetStage::Outcome;
    QTest::newRow("0 rows: defaults") << QStringList{"0", "0", "0", "0", "0", "0"} << int(O::NoPoints) << 0 << 0
                                      << QStringList{"", "", ""} << "";
    QTest::newRow("0 rows: ADC missing") << QStringList{"10", "0", "20", "", "30", "x"} << int(O::NoPoints) << 0
                                         << 0 << QStringList{"", "", ""} << "";
    QTest::newRow("1 row") << QStringList{"10", "2667", "0", "0", "0", "0"} << int(O::Computed) << 1 << 0
                           << QStringList{"0.3750", "0", "0"} << "0.375";
    QTest::newRow("1 row, but not row 1") << QStringList{"0", "0", "10", "2667", "0", "0"} << int(O::MissingRow)
                                          << 1 << 1 << QStringList{"", "", ""} << "";
    QTest::newRow("2 rows") << QStringList{"10", "2000", "20", "5000", "0", "0"} << int(O::Computed) << 2 << 0
                            << QStringList{"0.5000", "0.4000", "0"} << "0.450";
    QTest::newRow("2 rows with a gap") << QStringList{"10", "2000", "0", "0", "20", "5000"} << int(O::MissingRow)
                                       << 2 << 2 << QStringList{"", "", ""} << "";
    QTest::newRow("3 rows") << QStringList{"10", "3000", "20", "6000", "30", "7000"} << int(O::Computed) << 3 << 0
                            << QStringList{"0.3333", "0.3333", "0.4286"} << "0.365";
    QTest::newRow("negative currents count") << QStringList{"-10", "2000", "0", "0", "0", "0"} << int(O::Computed)
                                             << 1 << 0 << QStringList{"-0.5000", "0", "0"} << "-0.500";
}

void TestIdcCalc::worksheet()
{
    QFETCH(QStringList, cells);
    QFETCH(int, outcome);
    QFETCH(int, points);
    QFETCH(int, missingRow);
    QFETCH(QStringList, factors);
    QFETCH(QString, average);
    Worksheet rows;
    for (int k = 0; k < 3; ++k)
        rows[std::size_t(k)] = {cells[2 * k], cells[2 * k + 1]};
    const WorksheetStage s = worksheetStage(rows, u'.');
    QCOMPARE(int(s.outcome), outcome);
    QCOMPARE(s.points, points);
    QCOMPARE(s.missingRow, missingRow);
    QCOMPARE(QStringList(s.factors.begin(), s.factors.end()), factors);
    QCOMPARE(s.average, average);
}

void TestIdcCalc::calendarWeek_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("week");
    QTest::newRow("1 January") << QDate(2013, 1, 1) << 1;
    QTest::newRow("first Saturday") << QDate(2013, 1, 5) << 1;
    QTest::newRow("first Sunday starts week 2") << QDate(2013, 1, 6) << 2;
    QTest::newRow("end of 2013") << QDate(2013, 12, 31) << 53;
    QTest::newRow("year starting on Sunday") << QDate(2017, 1, 1) << 1;
    QTest::newRow("its second Sunday") << QDate(2017, 1, 8) << 2;
    QTest::newRow("leap year from Saturday: 54 weeks") << QDate(2028, 12, 31) << 54;
    QTest::newRow("a day in 2026") << QDate(2026, 12, 8) << 50;
}

void TestIdcCalc::calendarWeek()
{
    QFETCH(QDate, date);
    QFETCH(int, week);
    QCOMPARE(::calendarWeek(date), week);
}

void TestIdcCalc::modelText_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("subproject");
    QTest::addColumn<QString>("text");
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 25, 30, 35, 40, 41, 45, 80})
        QTest::addRow("code %d", code) << LanguageCode::English << code << QStringLiteral("Model %1").arg(code);
    for (int code : {0, 12, 19, 22, 79, 81, 255})
        QTest::addRow("no model for %d", code) << LanguageCode::English << code << QString();
    QTest::newRow("Chinese") << LanguageCode::Chinese << 7 << QStringLiteral("型号 7");
}

void TestIdcCalc::modelText()
{
    QFETCH(int, language);
    QFETCH(int, subproject);
    QFETCH(QString, text);
    AppState state;
    QVERIFY(setLanguage(state.language, language));
    QCOMPARE(mcuModelText(language, subproject), text);
}

QTEST_GUILESS_MAIN(TestIdcCalc)
#include "tst_idccalc.moc"
