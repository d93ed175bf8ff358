// The live trends in the main window: the history from the first block,
// link drops and faults as markers, the trend window's series, units, time
// windows, pause, cursor, recordings opened and saved, the poll rate menu,
// and the window at 1366x768 in both languages (grabbed into
// build/screens/ to be looked at).
#include "mainwindowbench.h"

#include "../monitor/statussequence.h"
#include "core/language.h"
#include "monitor/trendhistory.h"
#include "monitor/trendrecording.h"
#include "monitor/ui/trendplot.h"
#include "monitor/ui/trendwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTest>

namespace {
struct Bench : MainWindowBench
{
    QList<SequenceStep> steps = recordedStatusSequence();
    int next = 0;
    int stepMs = 100;

    Bench() { goOnline(); }
    void click(const char *name) { QTest::mouseClick(button(QLatin1String(name)), Qt::LeftButton); }
    // `n` blocks of the recorded run, 100 ms apart, each the answer to a poll.
    void blocks(int n)
    {
        for (int i = 0; i < n; ++i) {
            now = now.addMSecs(stepMs);
            line.deliver(toByteArray(steps[next++ % steps.size()].block));
            ticks(1);
        }
    }
    // The controller falls silent until the link is down, then answers again.
    void dropAndReturn()
    {
        for (int i = 0; i < 25; ++i) {
            now = now.addMSecs(100);
            ticks(1);
        }
        QCOMPARE(state.connection.linkState, LinkStateCode::Offline);
        while (state.connection.linkState != LinkStateCode::Online) {
            now = now.addMSecs(100);
            ticks(1);
            line.deliver(toByteArray(steps[next++ % steps.size()].block));
        }
    }
    TrendWindow *trends()
    {
        window->Menu_Option_Trends_Click();
        TrendWindow *w = window->trendWindow();
        w->refreshNow();
        return w;
    }
    QString valueText(TrendWindow *w, int v) const
    {
        return w->findChild<QLabel *>(QStringLiteral("lblTrendValue_") + QLatin1String(kTrendValues[std::size_t(v)].key))
            ->text();
    }
    QString chosen;
    void choose(TrendWindow *w, const QString &path)
    {
        chosen = path;
        w->setFileChooser([this](TrendWindow::FileAction, const QString &) { return chosen; });
    }
};

QString shotPath(const QString &name)
{
    const QString dir = QStringLiteral(KESTRANE_BUILD_DIR "/screens");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}
} // namespace

class TestTrends : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void historyFromTheFirstBlock();
    void seriesAndUnits_data();
    void seriesAndUnits();
    void timeWindows_data();
    void timeWindows();
    void pauseAndResume();
    void cursorReadsEveryShownValue();
    void openRecordings_data();
    void openRecordings();
    void saveWhatIsShown();
    void drawnBlockByBlockAsAfresh_data();
    void drawnBlockByBlockAsAfresh();
    void pollRateMenu_data();
    void pollRateMenu();
    void lookAtIt_data();
    void lookAtIt();
};

// Kept with the window never opened; the drop is a gap with its markers,
// and the window opened later draws nothing inside it.
void TestTrends::historyFromTheFirstBlock()
{
    Bench b;
    b.blocks(40);
    b.dropAndReturn();
    b.blocks(40);
    const TrendHistory &h = b.window->trendHistory();
    QVERIFY(!b.window->trendWindow());
    QCOMPARE(h.size(), b.next + 1); // and the block that brought the link up
    int down = 0, up = 0;
    qint64 downAt = 0;
    for (const TrendEvent &e : h.events()) {
        if (e.kind == TrendEvent::LinkDown)
            ++down, downAt = e.timeMs;
        up += e.kind == TrendEvent::LinkUp;
    }
    QCOMPARE(down, 1);
    QCOMPARE(up, 2);
    const int after = h.lowerBound(downAt);
    QVERIFY(h.at(after).segmentStart());
    QVERIFY(h.at(after).timeMs - h.at(after - 1).timeMs > 2000);

    TrendWindow *w = b.trends();
    w->setWindowMinutes(1);
    w->refreshNow();
    const TrendPlot *plot = w->plot();
    const auto &speed = plot->columns().values[TrendValue::Speed];
    QVERIFY(speed.size() > 40);
    const double columnMs = double(plot->timeTo() - plot->timeFrom()) / plot->pane(0)->width();
    for (const TraceColumn &c : speed) {
        const qint64 start = plot->timeFrom() + qint64(c.column * columnMs);
        QVERIFY2(start < h.at(after - 1).timeMs || start + columnMs >= h.at(after).timeMs || !c.joined,
                 "a line was drawn into the gap");
    }
}

void TestTrends::seriesAndUnits_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("current");  // the caption of the DC current
    QTest::addColumn<QString>("paneTitle"); // of the current pane
    QTest::addColumn<QString>("menu");
    QTest::newRow("English") << 22 << "DC current" << "Current [A]" << "Trends";
    QTest::newRow("Chinese") << 11 << QString::fromUtf8("直流电流") << QString::fromUtf8("电流 [A]")
                             << QString::fromUtf8("趋势图");
}

void TestTrends::seriesAndUnits()
{
    QFETCH(int, language);
    QFETCH(QString, current);
    QFETCH(QString, paneTitle);
    QFETCH(QString, menu);
    Bench b;
    b.window->applyLanguage(language);
    TrendWindow *w = b.trends();
    QCOMPARE(b.window->findChild<QAction *>(QStringLiteral("Menu_Option_Trends"))->text(), menu);
    QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkTrend_dcCurrent"))->text(), current);
    QCOMPARE(w->plot()->pane(int(TrendPane::Current))->axis(QCPAxis::atLeft)->label(), paneTitle);
    // Every reading has its box and every pane its unit, in either language.
    for (const TrendValueDef &d : kTrendValues) {
        QCheckBox *box = w->findChild<QCheckBox *>(QStringLiteral("chkTrend_") + QLatin1String(d.key));
        QVERIFY(box);
        QVERIFY(!box->text().isEmpty());
        if (language == LanguageCode::Chinese)
            QVERIFY2(box->text() != QLatin1String(d.caption.source), d.key);
    }
    for (int p = 0; p < kTrendPaneCount; ++p)
        QVERIFY(w->plot()->pane(p)->axis(QCPAxis::atLeft)->label().endsWith(
            QStringLiteral("[%1]").arg(QString::fromUtf8(kTrendPanes[std::size_t(p)].unit))));
    // Unticking every reading of a pane takes the pane away.
    for (const char *key : {"dcCurrent", "iqRef", "iqActual", "idRef", "idActual"})
        w->findChild<QCheckBox *>(QStringLiteral("chkTrend_") + QLatin1String(key))->setChecked(false);
    QVERIFY(!w->plot()->paneShown(int(TrendPane::Current)));
    QVERIFY(!w->plot()->pane(int(TrendPane::Current))->visible());
    QVERIFY(w->plot()->pane(int(TrendPane::Speed))->visible());
}

void TestTrends::timeWindows_data()
{
    QTest::addColumn<int>("minutes");
    for (int m : TrendWindow::kWindowMinutes)
        QTest::addRow("%d min", m) << m;
}

void TestTrends::timeWindows()
{
    QFETCH(int, minutes);
    Bench b;
    b.blocks(20);
    TrendWindow *w = b.trends();
    QComboBox *box = w->findChild<QComboBox *>(QStringLiteral("cboTrendWindow"));
    box->setCurrentIndex(box->findData(minutes));
    emit box->activated(box->currentIndex());
    QCOMPARE(w->windowMinutes(), minutes);
    const qint64 span = minutes * 60000LL;
    QCOMPARE(w->plot()->timeTo() - w->plot()->timeFrom(), span);
    // The latest block near the right edge, the view a tenth further on.
    auto latestNearTheEdge = [&] {
        const qint64 latest = b.window->trendHistory().last().timeMs;
        return latest <= w->plot()->timeTo() && latest >= w->plot()->timeTo() - span / 5;
    };
    QVERIFY(latestNearTheEdge());
    QCOMPARE(w->plot()->timeTo(), b.window->trendHistory().last().timeMs + span / 10);
    // Minutes of blocks later the view has moved on with them.
    for (int i = 0; i < 3; ++i) {
        b.blocks(minutes * 60 * 10 / 8);
        w->refreshNow();
        QVERIFY(latestNearTheEdge());
    }
}

void TestTrends::pauseAndResume()
{
    Bench b;
    b.blocks(20);
    TrendWindow *w = b.trends();
    QPushButton *pause = w->findChild<QPushButton *>(QStringLiteral("cmdTrendPause"));
    QCOMPARE(pause->text(), QStringLiteral("Pause"));
    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(w->paused());
    QCOMPARE(pause->text(), QStringLiteral("Resume"));
    const qint64 end = w->plot()->timeTo();
    b.blocks(30);
    QCoreApplication::processEvents();
    QCOMPARE(w->plot()->timeTo(), end);
    QCOMPARE(b.window->trendHistory().size(), 20 + 30 + 1); // the history goes on
    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(!w->paused());
    QVERIFY(w->plot()->timeTo() >= b.window->trendHistory().last().timeMs);
    QVERIFY(w->plot()->timeFrom() <= b.window->trendHistory().last().timeMs);

    // Dragging the time pauses too; a double click returns to the latest.
    w->plot()->setTimeRange(end - 120000, end - 60000);
    emit w->plot()->timeRangeChangedByUser(end - 120000, end - 60000);
    QVERIFY(w->paused());
    emit w->plot()->liveRequested();
    QVERIFY(!w->paused());
    QVERIFY(w->plot()->timeTo() >= b.window->trendHistory().last().timeMs);
    QVERIFY(w->plot()->timeFrom() <= b.window->trendHistory().last().timeMs);
}

void TestTrends::cursorReadsEveryShownValue()
{
    Bench b;
    b.blocks(30);
    b.dropAndReturn();
    b.blocks(5);
    TrendWindow *w = b.trends();
    const TrendHistory &h = b.window->trendHistory();
    const TrendSample &s = h.at(17);
    w->setCursorTime(s.timeMs + 20);
    for (int v = 0; v < kTrendValueCount; ++v) {
        const TrendValueDef &d = kTrendValues[std::size_t(v)];
        QCOMPARE(b.valueText(w, v),
                 countsText(s.counts(v), d.divisor) + u' ' + QString::fromUtf8(kTrendPanes[std::size_t(d.pane)].unit));
    }
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblTrendCursorTime"))->text(),
             QDateTime::fromMSecsSinceEpoch(s.timeMs + 20).toString(QStringLiteral("HH:mm:ss.zzz")));
    // In the middle of the drop no value; at its start the marker named.
    qint64 downAt = 0;
    for (const TrendEvent &e : h.events())
        if (e.kind == TrendEvent::LinkDown)
            downAt = e.timeMs;
    const int after = h.lowerBound(downAt);
    w->setCursorTime((h.at(after - 1).timeMs + h.at(after).timeMs) / 2);
    QCOMPARE(b.valueText(w, TrendValue::Speed), QStringLiteral("\u2013"));
    w->setCursorTime(downAt);
    QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblTrendCursorEvent"))->text().contains(QStringLiteral("Link down")));
    // A fault that appeared is named by its row of the fault table.
    for (const TrendEvent &e : h.events()) {
        if (e.kind == TrendEvent::FaultAppeared && e.bits == 0x0004) {
            w->setCursorTime(e.timeMs);
            QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblTrendCursorEvent"))->text().contains(
                QStringLiteral("Over vdc appeared")));
        }
    }
    // Without the cursor: the latest values.
    w->clearCursor();
    QCOMPARE(b.valueText(w, TrendValue::Speed),
             QString::number(h.last().counts(TrendValue::Speed)) + QStringLiteral(" rpm"));
}

void TestTrends::openRecordings_data()
{
    QTest::addColumn<QString>("file"); // "csv": the timed recording, "txt": the log
    QTest::addColumn<bool>("currents"); // the recording has the DC current
    QTest::newRow("timed recording") << "csv" << true;
    QTest::newRow("record file") << "txt" << false;
}

void TestTrends::openRecordings()
{
    QFETCH(QString, file);
    QFETCH(bool, currents);
    Bench b;
    b.click("cmdRecord");
    b.blocks(30);
    b.dropAndReturn();
    b.blocks(10);
    b.click("cmdRecordStop");
    const QString csv = b.window->records()->timedRecordingPath();
    QVERIFY(csv.isEmpty()); // stopped
    const QStringList made = QDir(b.dataDir.path()).entryList({QStringLiteral("Realtimedata_*.csv")});
    QCOMPARE(made.size(), 1);
    const QString path = file == QLatin1String("csv") ? QDir(b.dataDir.path()).filePath(made[0])
                                                       : b.window->records()->logPath();
    TrendWindow *w = b.trends();
    b.choose(w, path);
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdTrendOpen")), Qt::LeftButton);
    QVERIFY(w->showingRecording());
    QCOMPARE(w->shownHistory().size(), b.state.recorder.recordCount);
    QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("chkTrend_dcCurrent"))->isEnabled(), currents);
    QVERIFY(w->findChild<QCheckBox *>(QStringLiteral("chkTrend_speed"))->isEnabled());
    QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblTrendSource"))->text().contains(QFileInfo(path).fileName()));
    // The timed recording keeps its drop; the log has no times to tell.
    int drops = 0;
    for (const TrendEvent &e : w->shownHistory().events())
        drops += e.kind == TrendEvent::LinkDown;
    QCOMPARE(drops, currents ? 1 : 0);
    // New blocks do not disturb it; "Back to live" returns.
    const qint64 end = w->plot()->timeTo();
    b.blocks(3);
    QCOMPARE(w->plot()->timeTo(), end);
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdTrendLive")), Qt::LeftButton);
    QVERIFY(!w->showingRecording());
    QVERIFY(w->findChild<QCheckBox *>(QStringLiteral("chkTrend_dcCurrent"))->isEnabled());

    // A file that is no recording: said, and the live view stays.
    const QString junk = QDir(b.dataDir.path()).filePath(QStringLiteral("junk.csv"));
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a,b\r\n");
    f.close();
    b.messages.shown.clear();
    QVERIFY(!w->openRecording(junk));
    QVERIFY(!w->showingRecording());
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.shown[0].message.text.contains(QStringLiteral("is not a Kestrane recording")));
}

void TestTrends::saveWhatIsShown()
{
    Bench b;
    b.blocks(50);
    TrendWindow *w = b.trends();
    w->setWindowMinutes(1);
    w->setPaused(true);
    const qint64 end = b.window->trendHistory().last().timeMs;
    w->plot()->setTimeRange(end - 2000, end); // the last 20 blocks and a bit
    const QString png = QDir(b.dataDir.path()).filePath(QStringLiteral("t.png"));
    b.choose(w, png);
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdTrendSavePng")), Qt::LeftButton);
    QImage image(png);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), w->plot()->size());

    const QString csv = QDir(b.dataDir.path()).filePath(QStringLiteral("t.csv"));
    b.choose(w, csv);
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdTrendSaveCsv")), Qt::LeftButton);
    const RecordingLoad load = loadRecording(csv, 22);
    QVERIFY2(load.history, qPrintable(load.error));
    const TrendHistory &h = b.window->trendHistory();
    QCOMPARE(load.history->size(), h.upperBound(end) - h.lowerBound(end - 2000));
    QCOMPARE(load.history->last().status(), h.last().status());
    QVERIFY(b.messages.shown.isEmpty());

    // A folder that is not there: said, nothing written.
    b.choose(w, QDir(b.dataDir.path()).filePath(QStringLiteral("none/t.csv")));
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdTrendSaveCsv")), Qt::LeftButton);
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.shown[0].message.text.contains(QStringLiteral("cannot be saved")));
}

// Following the latest, each block draws only the columns it changed; the
// picture is the one drawn afresh, drops and faults included.
void TestTrends::drawnBlockByBlockAsAfresh_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("stepMs"); // between two blocks
    QTest::addColumn<int>("before"); // blocks before the window opens
    QTest::newRow("10 a second, 1 min") << 1 << 100 << 100;
    QTest::newRow("1 a second, 5 min") << 5 << 1000 << 30;
    QTest::newRow("opened before the first block") << 5 << 1000 << 0;
}

void TestTrends::drawnBlockByBlockAsAfresh()
{
    QFETCH(int, minutes);
    QFETCH(int, stepMs);
    QFETCH(int, before);
    Bench b;
    b.stepMs = stepMs;
    b.blocks(before);
    TrendWindow *w = b.trends();
    w->setWindowMinutes(minutes);
    w->refreshNow();
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 40; ++i) {
            b.blocks(1);
            QCoreApplication::processEvents();
        }
        if (round == 1)
            b.dropAndReturn();
        QCoreApplication::processEvents();
        const QImage stepwise = w->plot()->grab().toImage();
        w->plot()->refresh();
        const QImage afresh = w->plot()->picture().toImage();
        QCOMPARE(stepwise, afresh);
    }
}

void TestTrends::pollRateMenu_data()
{
    QTest::addColumn<int>("rate");
    for (int rate : LinkSupervisor::kPollRates)
        QTest::addRow("%d a second", rate) << rate;
}

// Chosen from the menu, the rate is what goes out on the line.
void TestTrends::pollRateMenu()
{
    QFETCH(int, rate);
    Bench b;
    auto *menu = b.window->findChild<QMenu *>(QStringLiteral("Menu_Option_PollRate"));
    QVERIFY(menu);
    QAction *one = b.window->findChild<QAction *>(QStringLiteral("Menu_Option_PollRate_1"));
    QVERIFY(one->isChecked());
    QAction *a = b.window->findChild<QAction *>(QStringLiteral("Menu_Option_PollRate_%1").arg(rate));
    a->trigger();
    QVERIFY(a->isChecked());
    QCOMPARE(one->isChecked(), rate == 1);
    QCOMPARE(a->text(), QStringLiteral("%1 a second").arg(rate));
    b.ticks(10); // past the poll the old rate had due
    b.line.clearWrites();
    b.ticks(20);
    QCOMPARE(int(b.line.writes.count(requestFrames().statusPollRequest)), 2 * rate);
    b.window->applyLanguage(LanguageCode::Chinese);
    QCOMPARE(a->text(), QString::fromUtf8("每秒 %1 次").arg(rate));
}

void TestTrends::lookAtIt_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("en") << 22;
    QTest::newRow("zh") << 11;
}

// The window on a 1366x768 screen (less its frame and a taskbar), with a
// ride, a drop and faults in view.
void TestTrends::lookAtIt()
{
    QFETCH(int, language);
    Bench b;
    b.blocks(250);
    b.dropAndReturn();
    b.blocks(300);
    b.window->applyLanguage(language);
    TrendWindow *w = b.trends();
    w->setWindowMinutes(1);
    QVERIFY(w->minimumSizeHint().width() <= 1366 && w->minimumSizeHint().height() <= 768 - 70);
    w->resize(1366, 768 - 70);
    const qint64 cursor = b.window->trendHistory().at(400).timeMs;
    w->setCursorTime(cursor);
    w->refreshNow();
    // The cursor line runs down the pane where the cursor is.
    QCPAxisRect *speed = w->plot()->pane(int(TrendPane::Speed));
    const int x = qRound(speed->axis(QCPAxis::atBottom)->coordToPixel(cursor / 1000.0));
    const QImage plot = w->plot()->picture().toImage();
    int dark = 0;
    for (int y = speed->top(); y < speed->bottom(); ++y)
        dark += std::min({qGray(plot.pixel(x - 1, y)), qGray(plot.pixel(x, y)), qGray(plot.pixel(x + 1, y))}) < 80;
    QVERIFY2(dark > speed->height() * 9 / 10, qPrintable(QString::number(dark)));
    // And the speed is drawn in its colour.
    const quint32 rgb = kTrendValues[TrendValue::Speed].color;
    int green = 0;
    for (int y = speed->top(); y < speed->bottom(); ++y)
        for (int x = speed->left(); x < speed->right(); ++x)
            green += (plot.pixel(x, y) & 0xFFFFFF) == rgb;
    QVERIFY2(green > speed->width(), qPrintable(QString::number(green)));
    QVERIFY(w->grab().save(shotPath(QStringLiteral("frmTrends-") + (language == 22 ? "en" : "zh"))));
}

QTEST_MAIN(TestTrends)
#include "tst_trends.moc"
