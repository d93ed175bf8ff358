#include "core/language.h"
#include "monitor/statusdecoder.h"
#include "monitor/ui/curvepage.h"
#include "pages/ui/pagenavigator.h"

#include "mainwindowbench.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QStringList kBar{"cmdBasic",      "cmdReference",     "cmdMotor",          "cmdContorl",
                       "cmdProtection", "cmdOther",         "cmddqPID",          "cmdFluxWeaken",
                       "cmdDerate",     "cmd_halltest",     "cmd_hallBtest",     "cmd_hallteststop",
                       "cmd_ResetDefaults", "cmd_SetFactory", "cmdIdcCalib",     "cmdIacCalib",
                       "cmdRecord",     "cmdRecordStop",    "cmdOpenRec",        "cmdModeSet"};

struct Bench : MainWindowBench
{
    QStringList enabledBar() const
    {
        QStringList on;
        for (const QString &name : kBar)
            if (button(name)->isEnabled())
                on << name;
        return on;
    }
};
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp();
    void barFollowsTheLink();
    void staleValuesAreGreyed_data();
    void staleValuesAreGreyed();
    void recordStopFollowsRecording_data();
    void recordStopFollowsRecording();
    void idleTicksChangeNothing_data();
    void idleTicksChangeNothing();
    void statusBlockFillsThePanels();
    void heatingAlert();
    void recordingCountsBlocks();
    void userInfoMenuSendsTheRequest();
    void userInfoMenuReportsAPortThatCannotOpen();
    void iqTestStopsWhenTimeIsUp_data();
    void iqTestStopsWhenTimeIsUp();
    void buttonsSendTheirRequests_data();
    void buttonsSendTheirRequests();
    void curvePageFollowsTheProtectionBlock();
    void curveMenuEntry_data();
    void curveMenuEntry();
};

void TestMainWindow::startUp()
{
    Bench b;
    QCOMPARE(b.enabledBar(), QStringList{});
    for (const char *name : kStatusValueLabels)
        QCOMPARE(b.label(name)->text(), QStringLiteral("***"));
    for (const char *hidden : {"cmd_SetFactory", "cmd_ResetDefaults", "cmdCurve", "Command1"})
        QVERIFY2(b.button(hidden)->isHidden(), hidden);
    for (const char *hidden : {"txt1", "txtStart", "txtstop", "txtdatediff"})
        QVERIFY2(b.window->findChild<QLineEdit *>(hidden)->isHidden(), hidden);
    QCOMPARE(b.window->findChild<QLineEdit *>("txtMaxTime")->text(), QStringLiteral("200"));
    QCOMPARE(b.button("cmd_SetFactory")->text(), QStringLiteral("Factory set"));
    QCOMPARE(b.button("cmd_ResetDefaults")->text(), QStringLiteral("Factory Restore"));
    QCOMPARE(b.button("cmdCurve")->text(), QStringLiteral("curve"));
    QCOMPARE(b.button("Command1")->text(), QStringLiteral("Beep"));
    QVERIFY(b.label("lblErrTitle")->isHidden());
    QVERIFY(!b.window->hallTestTimer()->isActive());
    // 12800 x 10000 twips
    const qreal dpi = b.window->logicalDpiX();
    QCOMPARE(b.window->width(), qRound(12800 * dpi / 1440.0));
}

void TestMainWindow::barFollowsTheLink()
{
    Bench b;
    b.window->openPortAtStart(QStringLiteral("/dev/ttyFAKE"), QStringLiteral("9600,n,8,1"));
    b.window->linkTimer()->stop();
    b.ticks(10);
    QCOMPARE(b.state.connection.linkState, 1);
    QCOMPARE(b.enabledBar(), QStringList{});
    b.status({0xDF, 0xEF});
    b.ticks(1);
    QStringList expected = kBar;
    expected.removeAll(QStringLiteral("cmdRecordStop")); // nothing is being recorded
    QCOMPARE(b.enabledBar(), expected);
    b.ticks(20); // silent for 21 ticks
    QCOMPARE(b.state.connection.linkState, 3);
    QCOMPARE(b.enabledBar(), QStringList{});
    // Values stay as the last block left them.
    QCOMPARE(b.label("lblfrmSysStatusVdc_a")->text(), QStringLiteral("0.00"));
}

void TestMainWindow::staleValuesAreGreyed_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("lastBlock");
    QTest::newRow("English") << int(LanguageCode::English) << "Last block 09:00:05";
    QTest::newRow("Chinese") << int(LanguageCode::Chinese) << "最后数据块 09:00:05";
}

// Offline, the last values stay but are greyed, and the status bar says
// when they came; the next block shows them live again.
void TestMainWindow::staleValuesAreGreyed()
{
    QFETCH(int, language);
    QFETCH(QString, lastBlock);
    Bench b;
    b.window->applyLanguage(language);
    b.now = b.now.addSecs(5);
    b.goOnline();
    b.status({0xDF, 0xEF, 0x10, 0x27, 0, 0, 0, 3, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0x04});
    QStringList live{"lblfrmSysMach_a", "lblPortStatus", "lblErrTitle"};
    for (const char *name : kStatusValueLabels)
        live << QLatin1String(name);
    for (const FaultRow &row : kFaultRows)
        live << QLatin1String(row.currentCell) << QLatin1String(row.historyCell) << QLatin1String(row.description);
    auto greyed = [&b](const QStringList &names) {
        QStringList g;
        for (const QString &n : names) {
            if (!b.window->findChild<QLabel *>(n)->isEnabled())
                g << n;
        }
        return g;
    };
    QCOMPARE(greyed(live), QStringList{});
    QLabel *lastBlockPanel = b.label("lblLastBlock");
    QVERIFY(lastBlockPanel->isHidden());

    b.now = b.now.addSecs(10);
    b.ticks(21);
    QCOMPARE(b.state.connection.linkState, 3);
    QCOMPARE(greyed(live), live);
    QCOMPARE(b.label("lblfrmSysStatusVdc_a")->text(), QStringLiteral("100.00")); // kept, greyed
    QCOMPARE(b.label("lblfrmSysMach_a")->text(), QStringLiteral("RUN"));
    QCOMPARE(greyed({"lblfrmSysStatusVdc", "lblState"}), QStringList{}); // captions stay
    QVERIFY(!lastBlockPanel->isHidden());
    QCOMPARE(lastBlockPanel->text(), lastBlock);
    // The grey reads as grey: the colour of a fault cell is not kept.
    QLabel *cell = b.label(kFaultRows[0].currentCell);
    QCOMPARE(cell->palette().color(QPalette::Disabled, QPalette::WindowText),
             b.label("lblfrmSysStatusVdc_a")->palette().color(QPalette::Disabled, QPalette::WindowText));

    b.status({0xDF, 0xEF});
    QCOMPARE(greyed(live), QStringList{});
    QVERIFY(lastBlockPanel->isHidden());
}

void TestMainWindow::recordStopFollowsRecording_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("recording");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("online, recording") << true << true << true;
    QTest::newRow("online, not recording") << true << false << false;
    QTest::newRow("offline, recording") << false << true << false;
    QTest::newRow("offline, not recording") << false << false << false;
}

void TestMainWindow::recordStopFollowsRecording()
{
    QFETCH(bool, online);
    QFETCH(bool, recording);
    QFETCH(bool, enabled);
    Bench b;
    if (online)
        b.goOnline();
    b.state.recorder.recordingActive = recording;
    b.ticks(1);
    QCOMPARE(b.button("cmdRecordStop")->isEnabled(), enabled);
    b.state.recorder.recordingActive = !recording;
    b.ticks(1);
    QCOMPARE(b.button("cmdRecordStop")->isEnabled(), online && !recording);
}

namespace {
// Counts enable and disable events: each is a repaint of the button.
struct EnableChanges : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        count += e->type() == QEvent::EnabledChange;
        return false;
    }
};
} // namespace

// Ten ticks a second while nothing changes: no button is enabled or
// disabled, not even for a moment within a tick.
void TestMainWindow::idleTicksChangeNothing_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("recording");
    QTest::newRow("online") << true << false;
    QTest::newRow("online, recording") << true << true;
    QTest::newRow("offline") << false << false;
}

void TestMainWindow::idleTicksChangeNothing()
{
    QFETCH(bool, online);
    QFETCH(bool, recording);
    Bench b;
    if (online)
        b.goOnline();
    b.state.recorder.recordingActive = recording;
    b.ticks(1);
    EnableChanges changes;
    for (const QString &name : kBar)
        b.button(name)->installEventFilter(&changes);
    for (int i = 0; i < 9; ++i) { // up to the tick before the next poll
        if (online && i == 5)
            b.status({0xDF, 0xEF});
        b.ticks(1);
    }
    QCOMPARE(b.state.connection.linkState, online ? 7 : 1);
    QCOMPARE(changes.count, 0);
}

void TestMainWindow::statusBlockFillsThePanels()
{
    Bench b;
    b.goOnline();
    // 48.25 V, -12.5 A, 1500 rpm, FAULT, current word 0x0400, history 0x2000.
    b.status({0xDF, 0xEF, 0xD9, 0x12, 0xE2, 0x84, 0xDC, 0x05, 45, 0x01, 0x00, 0x20, 65,
              0, 0, 0x10, 0x27, 0x95, 6, 0x00, 0x04, 0, 0, 0, 0, 0, 0, 0, 2, 5, 1});
    QCOMPARE(b.label("lblfrmSysStatusVdc_a")->text(), QStringLiteral("48.25"));
    QCOMPARE(b.label("lblfrmSysStatusIdc_a")->text(), QStringLiteral("-12.5"));
    QCOMPARE(b.label("lblfrmSysStatusRPM_a")->text(), QStringLiteral("1500"));
    QCOMPARE(b.label("lblfrmSysStatusHallP_a")->text(), QStringLiteral("1.000"));
    QCOMPARE(b.label("lblgearStatus")->text(), QStringLiteral("FORWARD"));
    QCOMPARE(b.label("lblfrmSysMach_a")->text(), QStringLiteral("FAULT"));
    QCOMPARE(b.label("lblfrmSysMach_a")->property("foreColor").toInt(), 255);
    QCOMPARE(b.label("lblfrmErrHallC")->text(), QStringLiteral("NG"));
    QCOMPARE(b.label("lblfrmErrHallC")->property("foreColor").toInt(), 255);
    QCOMPARE(b.label("lblfrmErrMSOpenH")->text(), QStringLiteral("NG"));
    QCOMPARE(b.label("lblfrmErrMSShortH")->text(), QStringLiteral("OK"));
    QVERIFY(!b.label("lblfrmErrHallD")->isHidden());
    QVERIFY(!b.label("lblErrTitle")->isHidden());
    QVERIFY(b.label("lblfrmErrBMSD")->isHidden());
    QVERIFY(b.label("lblPortStatus")->text().contains(QStringLiteral("Input Forward: H")));

    // The next block: RUN in green, faults gone.
    b.status({0xDF, 0xEF, 0xD9, 0x12, 0, 0, 0, 0, 45, 0, 0, 0, 65, 0, 0, 0, 0, 0, 3});
    QCOMPARE(b.label("lblfrmSysMach_a")->text(), QStringLiteral("RUN"));
    QCOMPARE(b.label("lblfrmSysMach_a")->property("foreColor").toInt(), 65280);
    QVERIFY(b.label("lblfrmErrHallD")->isHidden());
    QVERIFY(b.label("lblErrTitle")->isHidden());
    QCOMPARE(b.label("lblfrmErrHallC")->text(), QStringLiteral("OK"));
}

void TestMainWindow::heatingAlert()
{
    Bench b;
    b.goOnline();
    b.state.iqTest.tempAlertArmed = true;
    b.state.iqTest.iqTestStartTime = b.now.addSecs(-187);
    b.status({0xDF, 0xEF, 0, 0, 0, 0, 0, 0, 109});
    QVERIFY(b.messages.shown.isEmpty());
    b.status({0xDF, 0xEF, 0, 0, 0, 0, 0, 0, 110});
    QCOMPARE(b.messages.texts(), QStringList{"Time to 100 Degree:03:07"});
    QCOMPARE(b.messages.shown[0].message.title, QStringLiteral("info"));
    QCOMPARE(b.sounds.played, QStringList{"BUZZ.WAV"});
    QCOMPARE(b.window->findChild<QLineEdit *>("txtdatediff")->text(), QStringLiteral("187"));
    QCOMPARE(b.window->findChild<QLineEdit *>("txtstop")->text(), QStringLiteral("09:00:00"));
    b.status({0xDF, 0xEF, 0, 0, 0, 0, 0, 0, 130});
    QCOMPARE(b.messages.shown.size(), 1); // once per arming
    QCOMPARE(b.label("lblfrmSysStatustemp_a")->text(), QStringLiteral("120"));
}

void TestMainWindow::recordingCountsBlocks()
{
    Bench b;
    b.goOnline();
    b.status({0xDF, 0xEF});
    QCOMPARE(b.records, 0);
    b.state.recorder.recordingActive = true;
    b.status({0xDF, 0xEF});
    b.status({0xDF, 0xEF});
    b.status({0xF0, 0xE0}); // not a status block
    QCOMPARE(b.records, 2);
    QCOMPARE(b.state.recorder.recordCount, 2);
}

void TestMainWindow::userInfoMenuSendsTheRequest()
{
    Bench b; // offline, port never chosen: the menu works all the same
    b.window->findChild<QAction *>("Menu_Option_UserInfo")->trigger();
    QCOMPARE(b.line.writes, QList<QByteArray>{bytesOf({0xF1, 0xE1, 0xA2, 0xDA})});
    QCOMPARE(b.line.openedNames, QStringList{portNameForNumber(1)});
    QVERIFY(b.messages.shown.isEmpty());
}

void TestMainWindow::userInfoMenuReportsAPortThatCannotOpen()
{
    Bench b;
    b.line.openError = SerialPort::OpenError::NotFound;
    b.window->Menu_Option_UserInfo_Click();
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.shown[0].message.text.contains(portNameForNumber(1)));
}

void TestMainWindow::iqTestStopsWhenTimeIsUp_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<bool>("stops");
    QTest::newRow("200 s, 200 s elapsed") << "200" << 200 << false;
    QTest::newRow("200 s, 201 s elapsed") << "200" << 201 << true;
    QTest::newRow("30 s, 31 s elapsed") << " 30 " << 31 << true;
    // A limit that is no number stops the run at once (with one message).
    QTest::newRow("no number: stopped at 150 s") << "abc" << 150 << true;
    QTest::newRow("no number: stopped at 201 s") << "abc" << 201 << true;
}

void TestMainWindow::iqTestStopsWhenTimeIsUp()
{
    QFETCH(QString, limit);
    QFETCH(int, elapsed);
    QFETCH(bool, stops);
    Bench b;
    QStringList shown;
    b.window->setConductionDisplay([&](const QString &t) { shown << t; });
    b.goOnline();
    b.window->findChild<QLineEdit *>("txtMaxTime")->setText(limit);
    b.state.iqTest.iqTestRunning = true;
    b.state.iqTest.iqTestStartTime = b.now.addSecs(-elapsed);
    b.line.clearWrites();
    b.ticks(1);
    QCOMPARE(shown.last(), minutesSeconds(elapsed));
    const QByteArray stop = bytesOf({0xF9, 0xE9, 0, 0, 0, 0, 0, 0, 0xDA});
    QCOMPARE(b.line.writes.contains(stop), stops);
    QCOMPARE(b.state.iqTest.iqTestRunning, !stops);
    const bool numeric = limit.trimmed() != QStringLiteral("abc");
    QCOMPARE(b.sounds.played.contains(QStringLiteral("ALARM.WAV")), stops && numeric);
    QCOMPARE(b.messages.shown.size(), numeric ? 0 : 1);
}

void TestMainWindow::buttonsSendTheirRequests_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("Hall A") << "cmd_halltest" << bytesOf({0xFC, 0xEC, 0xDA});
    QTest::newRow("Hall B") << "cmd_hallBtest" << bytesOf({0xFC, 0xED, 0xDA});
    QTest::newRow("Stop hall") << "cmd_hallteststop" << bytesOf({0xFC, 0xEE, 0xDA});
    QTest::newRow("Factory set") << "cmd_SetFactory" << bytesOf({0xFA, 0xEA, 0xDA});
    QTest::newRow("Factory restore") << "cmd_ResetDefaults" << bytesOf({0xFA, 0xEB, 0xDA});
}

void TestMainWindow::buttonsSendTheirRequests()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, frame);
    Bench b;
    b.goOnline();
    b.line.clearWrites();
    b.button(name)->click();
    QCOMPARE(b.line.writes, QList<QByteArray>{frame});
}

void TestMainWindow::curvePageFollowsTheProtectionBlock()
{
    Bench b;
    // There from the start (made right after the window is up), hidden, with
    // its button hidden too.
    QTRY_VERIFY(b.window->pages()->page(PageId::Curve));
    auto *curve = qobject_cast<CurvePage *>(b.window->pages()->page(PageId::Curve));
    QVERIFY(curve);
    QVERIFY(!curve->isVisible());
    QVERIFY(b.button(QStringLiteral("cmdCurve"))->isHidden());
    QVERIFY(curve->model().isEmpty());

    b.goOnline();
    Block reply = makeBlock({0xF8, 0xE8});
    reply[22] = 0x58; // Iqref 6 = 600 A: above the top edge
    reply[23] = 0x02;
    b.line.deliver(toByteArray(reply));
    QVERIFY(!curve->isVisible());
    QCOMPARE(curve->model().table()[6], 600.0);
    QCOMPARE(curve->model().table()[1], 0.0);

    // Closed by the user, it comes back hidden with the next change.
    curve->show();
    curve->close();
    QTRY_VERIFY(!b.window->pages()->page(PageId::Curve));
    reply[12] = 0x2A;
    b.line.deliver(toByteArray(reply));
    curve = qobject_cast<CurvePage *>(b.window->pages()->page(PageId::Curve));
    QVERIFY(curve);
    QVERIFY(!curve->isVisible());
    QCOMPARE(curve->model().table()[1], 42.0);
}

void TestMainWindow::curveMenuEntry_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << LanguageCode::English << "Curve";
    QTest::newRow("Chinese") << LanguageCode::Chinese << "曲线";
}

void TestMainWindow::curveMenuEntry()
{
    QFETCH(int, language);
    QFETCH(QString, caption);
    Bench b;
    b.window->applyLanguage(language);
    auto *entry = b.window->findChild<QAction *>(QStringLiteral("Menu_Option_Curve"));
    QVERIFY(entry);
    QCOMPARE(entry->text(), caption);
    entry->trigger();
    QWidget *curve = b.window->pages()->page(PageId::Curve);
    QVERIFY(curve && curve->isVisible());
    QVERIFY(b.line.writes.isEmpty()); // the curve page reads nothing
    b.window->applyLanguage(LanguageCode::English);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
