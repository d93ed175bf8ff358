// The curve page's drawing as geometry: labels, grid and curve in the page's
// units, without looking at pixels.

#include "core/appstate.h"
#include "monitor/curvemodel.h"

#include <QTest>

class TestCurveModel : public QObject
{
    Q_OBJECT
private slots:
    void speedLabels_data();
    void speedLabels();
    void currentLabels();
    void curveFromTable_data();
    void curveFromTable();
    void gridCoversTheSurface();
    void emptyUntilDrawn();
    void coloursAreBlueGreenRed();
    void surfaceMapping_data();
    void surfaceMapping();
};

void TestCurveModel::speedLabels_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("all");
    QTest::newRow("start value 750") << 750 << "57" << "798"
                                     << "57 114 171 228 285 342 399 456 513 570 627 684 741 798";
    QTest::newRow("mode 4 speed 1300") << 1300 << "100" << "1400"
                                       << "100 200 300 400 500 600 700 800 900 1000 1100 1200 1300 1400";
    QTest::newRow("below 13: step 0") << 12 << "0" << "0" << "0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    QTest::newRow("exactly 13") << 13 << "1" << "14" << "1 2 3 4 5 6 7 8 9 10 11 12 13 14";
    QTest::newRow("zero") << 0 << "0" << "0" << "0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    // A negative scale rounds down, as the division does.
    QTest::newRow("negative") << -1 << "-1" << "-14" << "-1 -2 -3 -4 -5 -6 -7 -8 -9 -10 -11 -12 -13 -14";
    // The largest scale does not overflow the labels.
    QTest::newRow("largest") << 2147483647 << "165191049" << "2312674686" << "";
}

void TestCurveModel::speedLabels()
{
    QFETCH(int, scale);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, all);
    const QStringList labels = CurveModel::speedLabels(scale);
    QCOMPARE(labels.size(), 14);
    QCOMPARE(labels.first(), first);
    QCOMPARE(labels.last(), last);
    if (!all.isEmpty())
        QCOMPARE(labels.join(u' '), all);
}

void TestCurveModel::currentLabels()
{
    QCOMPARE(CurveModel::currentLabels().join(u' '),
             QStringLiteral("50 100 150 200 250 300 350 400 450 500"));
}

void TestCurveModel::curveFromTable_data()
{
    QTest::addColumn<QList<double>>("table");
    QTest::addColumn<QList<double>>("ys"); // of the points at x = 1..14
    QTest::newRow("start values")
        << QList<double>(kCurveTableStart.begin(), kCurveTableStart.end())
        << QList<double>{0, 2.8, 2.8, 3.8, 4.4, 4.6, 4.96, 5.44, 5.68, 7.2, 7.6, 8, 8, 10};
    QTest::newRow("above 500 lies above the top, below 0 under the bottom")
        << QList<double>{500, 750, 1000, 600, -50, 0, 250, 0, 0, 0, 0, 0, 0, 0}
        << QList<double>{0, -5, -10, -2, 11, 10, 5, 10, 10, 10, 10, 10, 10, 10};
}

void TestCurveModel::curveFromTable()
{
    QFETCH(QList<double>, table);
    QFETCH(QList<double>, ys);
    CurveState state;
    std::copy(table.begin(), table.end(), state.curveTable.begin());
    const CurveModel model = CurveModel::fromState(state);
    const QList<QPointF> points = model.curvePoints();
    QCOMPARE(points.size(), 15);
    // The first segment always starts in the top-left corner.
    QCOMPARE(points.first(), QPointF(0, 0));
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(points[i + 1].x(), double(i + 1));
        QVERIFY2(qAbs(points[i + 1].y() - ys[i]) < 1e-9,
                 qPrintable(QStringLiteral("point %1: %2").arg(i).arg(points[i + 1].y())));
    }
}

void TestCurveModel::gridCoversTheSurface()
{
    const CurveModel model(kCurveTableStart, kCurveScaleStart);
    const QList<QLineF> grid = model.gridLines();
    QCOMPARE(grid.size(), 15 + 11);
    for (int i = 0; i <= 14; ++i)
        QCOMPARE(grid[i], QLineF(i, 0, i, 10));
    for (int i = 0; i <= 10; ++i)
        QCOMPARE(grid[15 + i], QLineF(0, i, 14, i));
}

void TestCurveModel::emptyUntilDrawn()
{
    const CurveModel empty;
    QVERIFY(empty.isEmpty());
    QVERIFY(empty.gridLines().isEmpty());
    QVERIFY(empty.curvePoints().isEmpty());
    CurveState state;
    QVERIFY(!CurveModel::fromState(state).isEmpty());
    QCOMPARE(CurveModel::fromState(state).scale(), kCurveScaleStart);
}

void TestCurveModel::coloursAreBlueGreenRed()
{
    QCOMPARE(CurveLook::rgbOf(CurveLook::kGridBgr), 0xFFFACDu);
    QCOMPARE(CurveLook::rgbOf(CurveLook::kCurveBgr), 0x9932CCu);
    QCOMPARE(CurveLook::rgbOf(255), 0xFF0000u);   // red
    QCOMPARE(CurveLook::rgbOf(65280), 0x00FF00u); // green
}

void TestCurveModel::surfaceMapping_data()
{
    QTest::addColumn<QPointF>("user");
    QTest::addColumn<QPointF>("pixels");
    QTest::newRow("top left") << QPointF(0, 0) << QPointF(0, 0);
    QTest::newRow("bottom right") << QPointF(14, 10) << QPointF(700, 400);
    QTest::newRow("middle") << QPointF(7, 5) << QPointF(350, 200);
    QTest::newRow("above the top") << QPointF(1, -5) << QPointF(50, -200);
}

void TestCurveModel::surfaceMapping()
{
    QFETCH(QPointF, user);
    QFETCH(QPointF, pixels);
    QCOMPARE(CurveModel::toSurface(user, QSizeF(700, 400)), pixels);
}

QTEST_GUILESS_MAIN(TestCurveModel)
#include "tst_curvemodel.moc"
