// Work behind the first paint: it comes after the window's first frame (or
// at the latest after the given time), once, in order, and never for a
// window that is gone. The main window makes its hidden page windows that
// way: they are there before the link timer's first tick, hidden, and
// nothing goes out on the line for them.

#include "pages/ui/pagenavigator.h"
#include "widgets/firstpaint.h"

#include "mainwindowbench.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace {
class CountingWindow : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};
} // namespace

class TestFirstPaint : public QObject
{
    Q_OBJECT
private slots:
    void comesAfterTheFirstFrame();
    void comesAnywayForAWindowNotShown();
    void neverForAWindowThatIsGone();
    void stepsRunInOrderInTurnsOfTheLoop();
    void onlyTheCurvePageBeforeTheFirstTick();
};

void TestFirstPaint::comesAfterTheFirstFrame()
{
    CountingWindow w;
    int paintsSeen = -1;
    int calls = 0;
    afterFirstPaint(&w, 60000, [&] {
        paintsSeen = w.paints;
        ++calls;
    });
    QCoreApplication::processEvents();
    QCOMPARE(calls, 0); // not before the window is painted
    w.show();
    QTRY_COMPARE(calls, 1);
    QVERIFY(paintsSeen >= 1);
    w.update();
    QTRY_VERIFY(w.paints > paintsSeen);
    QTest::qWait(20);
    QCOMPARE(calls, 1);
}

void TestFirstPaint::comesAnywayForAWindowNotShown()
{
    QWidget w;
    int calls = 0;
    QElapsedTimer t;
    t.start();
    afterFirstPaint(&w, 50, [&] { ++calls; });
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
    QVERIFY(t.elapsed() >= 50);
    w.show(); // painted afterwards: no second call
    QTest::qWait(50);
    QCOMPARE(calls, 1);
}

void TestFirstPaint::neverForAWindowThatIsGone()
{
    int calls = 0;
    auto *w = new QWidget;
    afterFirstPaint(w, 10, [&] { ++calls; });
    w->show();
    delete w; // before the loop came back
    QTest::qWait(50);
    QCOMPARE(calls, 0);

    auto *context = new QObject;
    stepByStep(context, {[&] { ++calls; }, [&] { ++calls; }});
    delete context;
    QTest::qWait(20);
    QCOMPARE(calls, 0);
}

void TestFirstPaint::stepsRunInOrderInTurnsOfTheLoop()
{
    QObject context;
    QList<int> ran;
    stepByStep(&context, {[&] { ran << 1; }, [&] { ran << 2; }, [&] { ran << 3; }});
    QVERIFY(ran.isEmpty()); // nothing before the loop turns
    QCoreApplication::sendPostedEvents();
    QCOMPARE(ran, QList<int>{1}); // one step per turn, input can come in between
    QTRY_COMPARE(ran, (QList<int>{1, 2, 3}));
}

void TestFirstPaint::onlyTheCurvePageBeforeTheFirstTick()
{
    // The curve page follows the curve from the start; the parameter pages
    // need no window before they are shown (their models are there).
    MainWindowBench b;
    b.window->show();
    QTRY_VERIFY(b.window->pages()->page(PageId::Curve));
    QVERIFY(!b.window->pages()->page(PageId::Curve)->isVisible());
    for (const PageDef &def : allPages()) {
        if (def.id != PageId::Curve)
            QVERIFY2(!b.window->pages()->page(def.id), def.window);
    }
    QVERIFY(b.line.writes.isEmpty()); // nothing asked of the controller for them
    QVERIFY(!b.window->linkTimer()->isActive());
}

QTEST_MAIN(TestFirstPaint)
#include "tst_firstpaint.moc"
