// A paced window paints a run of changes once a frame, paints a change that
// comes now and then at once, always ends showing the last change, and
// wakes for nothing once quiet.

#include "paintlog.h"
#include "widgets/framepacer.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>

class TestFramePacer : public QObject
{
    Q_OBJECT
private slots:
    void paintsWhatChanged_data();
    void paintsWhatChanged();
};

void TestFramePacer::paintsWhatChanged_data()
{
    QTest::addColumn<int>("intervalMs");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<int>("changes");
    QTest::addColumn<bool>("eachAtOnce"); // else at most a third of them

    QTest::newRow("a run of changes, paced") << 40 << 2 << 90 << false;
    QTest::newRow("a run of changes, unpaced") << 0 << 2 << 40 << true;
    QTest::newRow("now and then, paced") << 20 << 70 << 6 << true;
}

void TestFramePacer::paintsWhatChanged()
{
    QFETCH(int, intervalMs);
    QFETCH(int, gapMs);
    QFETCH(int, changes);
    QFETCH(bool, eachAtOnce);

    QWidget window;
    auto *label = new QLabel(QStringLiteral("start"), &window);
    label->setFixedSize(120, 20);
    (new QVBoxLayout(&window))->addWidget(label);
    auto *pacer = new FramePacer(&window);
    pacer->setIntervalMs(intervalMs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int frame = std::max(intervalMs, 20);
    QTest::qWait(3 * frame);
    PaintLog log;
    label->installEventFilter(&log);

    for (int i = 0; i < changes; ++i) {
        const int before = log.paints;
        label->setText(QString::number(i));
        QCoreApplication::processEvents();
        if (eachAtOnce) {
            QCOMPARE(log.paints, before + 1);
            QCOMPARE(log.lastPainted, label->text());
        }
        QTest::qWait(gapMs);
    }
    if (!eachAtOnce)
        QVERIFY2(log.paints <= changes / 3, qPrintable(QString::number(log.paints)));
    // The last change is on the screen a frame later, and then all is quiet.
    QTRY_COMPARE_WITH_TIMEOUT(log.lastPainted, QString::number(changes - 1), 10 * frame);
    const int settled = log.paints;
    QTest::qWait(5 * frame);
    QCOMPARE(log.paints, settled);
}

QTEST_MAIN(TestFramePacer)
#include "tst_framepacer.moc"
