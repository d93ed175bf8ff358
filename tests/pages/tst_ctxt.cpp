#include "pages/ui/ctxt.h"

#include <QLineEdit>
#include <QTest>

class TestCTxt : public QObject
{
    Q_OBJECT
private slots:
    void keyRules_data();
    void keyRules();
    void typingThroughTheFilter_data();
    void typingThroughTheFilter();
    void otherBoxesUntouched();
};

void TestCTxt::keyRules_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<bool>("passes");
    const struct { int code; bool decimalPasses, letterPasses; } rows[] = {
        {0, true, true},   {8, true, true},    {13, true, true},   {31, true, true},
        {32, false, false}, {44, false, false}, {45, true, false},  {46, true, false},
        {47, false, false}, {48, true, false},  {57, true, false},  {58, false, false},
        {64, false, false}, {65, false, true},  {90, false, true},  {91, false, false},
        {96, false, false}, {97, false, true},  {122, false, true}, {123, false, false},
        {127, false, false}, {0x4E2D, false, false}, {-1, false, false},
    };
    for (const auto &r : rows) {
        QTest::addRow("%d decimal", r.code) << r.code << true << r.decimalPasses;
        QTest::addRow("%d letters", r.code) << r.code << false << r.letterPasses;
    }
}

void TestCTxt::keyRules()
{
    QFETCH(int, code);
    QFETCH(bool, decimal);
    QFETCH(bool, passes);
    QCOMPARE(cTxt::accepts(code, decimal), passes);
}

void TestCTxt::typingThroughTheFilter_data()
{
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("decimal") << true << "a1-.b 2/e" << "1-.2";
    QTest::newRow("letters") << false << "a1-.B z_" << "aBz";
}

void TestCTxt::typingThroughTheFilter()
{
    QFETCH(bool, decimal);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit box;
    cTxt filter(&box, decimal);
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), shown);
    // Backspace is a control key and always passes.
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), shown.chopped(1));
}

void TestCTxt::otherBoxesUntouched()
{
    QLineEdit filtered, other;
    cTxt filter(&filtered, true);
    QTest::keyClicks(&other, QStringLiteral("ab 1"));
    QCOMPARE(other.text(), QStringLiteral("ab 1"));
}

QTEST_MAIN(TestCTxt)
#include "tst_ctxt.moc"
