// Text cursors stop blinking, shown, once nobody has touched the keyboard or
// the mouse for a while, blink again at the next input, and get the
// platform's blink back when the tool closes.

#include "paintlog.h"
#include "widgets/cursorrest.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>

class TestCursorRest : public QObject
{
    Q_OBJECT
private slots:
    void restsAndWakes_data();
    void restsAndWakes();
};

void TestCursorRest::restsAndWakes_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("a key") << QStringLiteral("key");
    QTest::newRow("a click") << QStringLiteral("click");
    QTest::newRow("a wheel turn") << QStringLiteral("wheel");
}

void TestCursorRest::restsAndWakes()
{
    QFETCH(QString, input);
    constexpr int kFlashMs = 200, kRestMs = 300;
    QStyleHints *hints = QGuiApplication::styleHints();
    hints->setCursorFlashTime(kFlashMs);

    QWidget window;
    auto *edit = new QLineEdit(QStringLiteral("200"), &window);
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    auto rest = std::make_unique<CursorRest>();
    rest->setRestAfterMs(kRestMs);
    PaintLog log;
    edit->installEventFilter(&log);

    QTRY_VERIFY(rest->resting());
    QCOMPARE(hints->cursorFlashTime(), 0);
    QTest::qWait(kFlashMs / 2);
    int paints = log.paints;
    QTest::qWait(3 * kFlashMs);
    QCOMPARE(log.paints, paints); // still, no blink

    QElapsedTimer sinceInput;
    sinceInput.start();
    if (input == QLatin1String("key")) {
        QTest::keyClick(edit, Qt::Key_End);
    } else if (input == QLatin1String("click")) {
        QTest::mouseClick(edit, Qt::LeftButton);
    } else {
        QWheelEvent wheel(QPointF(5, 5), edit->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(edit, &wheel);
    }
    QVERIFY(!rest->resting());
    QCOMPARE(hints->cursorFlashTime(), kFlashMs);
    paints = log.paints;
    QTRY_VERIFY(log.paints >= paints + 2); // blinking again
    QTRY_VERIFY(rest->resting());
    QVERIFY(sinceInput.elapsed() >= kRestMs);

    rest.reset();
    QCOMPARE(hints->cursorFlashTime(), kFlashMs);
}

QTEST_MAIN(TestCursorRest)
#include "tst_cursorrest.moc"
