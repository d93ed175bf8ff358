#include "core/language.h"
// The curve page keeps its last drawing and follows the curve state whether
// or not it is on screen.

#include "core/appstate.h"
#include "monitor/ui/curvepage.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
QStringList labelTexts(const QWidget &page, const QString &prefix, int count)
{
    QStringList texts;
    for (int k = 0; k < count; ++k) {
        auto *l = page.findChild<QLabel *>(prefix + QString::number(k));
        texts << (l ? l->text() : QStringLiteral("(missing)"));
    }
    return texts;
}

bool holdsColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

QImage picture(const CurvePage &page)
{
    return page.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

class TestCurvePage : public QObject
{
    Q_OBJECT
private slots:
    void designTexts();
    void blankUntilFirstDrawing();
    void drawsWhileHidden_data();
    void drawsWhileHidden();
    void repaintGivesTheSameImage();
    void redrawButtonRepeatsTheDrawing();
};

void TestCurvePage::designTexts()
{
    CurveState curve;
    CurvePage page(curve);
    QCOMPARE(page.objectName(), QStringLiteral("frmCurve"));
    QCOMPARE(page.windowTitle(), QStringLiteral("Curve"));
    QCOMPARE(labelTexts(page, QStringLiteral("lblx"), 14).join(u' '),
             QStringLiteral("57 114 171 228 285 342 399 456 513 570 627 684 741 798"));
    QCOMPARE(labelTexts(page, QStringLiteral("lbly"), 10).join(u' '),
             QStringLiteral("50 100 150 200 250 300 350 400 450 500"));
    // The axis titles and the button speak the tool's language.
    const auto titles = [&page] {
        return QStringList{page.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                           page.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                           page.findChild<QPushButton *>(QStringLiteral("cmdDrawBK"))->text()};
    };
    QCOMPARE(titles(), (QStringList{"Speed[rpm]", "Phase current[A]", "Redraw curve"}));
    QVERIFY(installChineseTranslator(true));
    QTRY_COMPARE(titles(), (QStringList{"转速[rpm]", "相电流[A]", "曲线刷新"}));
    QVERIFY(installChineseTranslator(false));
    QTRY_COMPARE(titles(), (QStringList{"Speed[rpm]", "Phase current[A]", "Redraw curve"}));
    QVERIFY(page.findChild<QWidget *>(QStringLiteral("picCurve")));
}

void TestCurvePage::blankUntilFirstDrawing()
{
    CurveState curve;
    CurvePage page(curve);
    const QRgb curveColour = CurveLook::rgbOf(CurveLook::kCurveBgr);
    QVERIFY(page.model().isEmpty());
    QVERIFY(!holdsColour(picture(page), curveColour));
    page.drawCurve();
    QVERIFY(holdsColour(picture(page), curveColour));
    QVERIFY(holdsColour(picture(page), CurveLook::rgbOf(CurveLook::kGridBgr)));
}

void TestCurvePage::drawsWhileHidden_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("labels");
    QTest::newRow("1300 rpm") << 1300 << "100 200 300 400 500 600 700 800 900 1000 1100 1200 1300 1400";
    QTest::newRow("below 13") << 5 << "0 0 0 0 0 0 0 0 0 0 0 0 0 0";
}

void TestCurvePage::drawsWhileHidden()
{
    QFETCH(int, scale);
    QFETCH(QString, labels);
    CurveState curve;
    CurvePage page(curve);
    curve.curveScale = scale;
    curve.curveTable[6] = 650;
    page.drawCurve();
    QVERIFY(!page.isVisible());
    QCOMPARE(labelTexts(page, QStringLiteral("lblx"), 14).join(u' '), labels);
    QCOMPARE(page.model(), CurveModel(curve.curveTable, scale));
    // Only drawCurve takes a new drawing: a later change of the state alone
    // does not move the picture.
    curve.curveTable[0] = 10;
    QCOMPARE(page.model().table()[0], kCurveTableStart[0]);
}

void TestCurvePage::repaintGivesTheSameImage()
{
    CurveState curve;
    curve.curveTable[3] = 900; // partly above the top edge
    CurvePage page(curve);
    page.drawCurve();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QImage first = picture(page);

    // Covered by another window, then uncovered; then hidden and shown again.
    QWidget cover;
    cover.setGeometry(page.geometry());
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    cover.hide();
    page.surface()->repaint();
    QCOMPARE(picture(page), first);
    page.hide();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(picture(page), first);

    // Another page with the same drawing paints the same picture.
    CurvePage twin(curve);
    twin.resize(page.size());
    twin.drawCurve();
    QCOMPARE(picture(twin), first);
}

void TestCurvePage::redrawButtonRepeatsTheDrawing()
{
    CurveState curve;
    curve.curveScale = 1300;
    CurvePage page(curve);
    page.drawCurve();
    const QImage before = picture(page);
    const CurveModel model = page.model();
    QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("cmdDrawBK")), Qt::LeftButton);
    QCOMPARE(page.model(), model);
    QCOMPARE(picture(page), before);
}

QTEST_MAIN(TestCurvePage)
#include "tst_curvepage.moc"
