// The hall tests and the timed Iq run end to end, on the main window over
// the simulated controller (real link timer, a clock the test moves for the
// run). Also grabs frmHallTest, frmIacCalib and frmTime in both languages.

#include "simline.h"
#include "sim/simulatorport.h"

#include "calib/ui/halltestwindow.h"
#include "calib/ui/iaccalibpage.h"
#include "calib/ui/iqtestrun.h"
#include "core/appstate.h"
#include "link/linkcontroller.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"
#include "shell/mainwindow.h"

#include "recordingmessages.h"
#include "recordingsound.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
struct SimBench
{
    AppState state;
    RecordingMessages messages;
    RecordingSound sounds;
    std::shared_ptr<sim::SimLine> controller;
    LinkController link{state.connection, state.language, messages};
    std::unique_ptr<MainWindow> window;
    QDateTime now{QDate(2026, 12, 8), QTime(9, 0, 0)};
    QStringList rx; // what the controller received

    explicit SimBench(int type = 2)
    {
        sim::SimOptions options;
        options.controllerType = type;
        options.hallTestMs = 300;
        controller = std::make_shared<sim::SimLine>(options);
        controller->model().setLogger([this](const QString &l) {
            if (l.startsWith(QStringLiteral("rx ")))
                rx << l.mid(3);
        });
        link.setPortFactory([line = controller](const QString &) { return std::make_unique<SimulatorPort>(line); });
        window = std::make_unique<MainWindow>(state, link, messages);
        window->setSoundPlayer(&sounds);
        window->setQuitFunction([] {});
        window->setClock([this] { return now; });
    }
    bool online()
    {
        if (!window->openPortAtStart(QStringLiteral("Simulator"), QStringLiteral("9600,n,8,1")))
            return false;
        return QTest::qWaitFor([this] { return state.online() && state.controllerType != 0; }, 5000);
    }
    QWidget *hallWindow() const { return window->findChild<QWidget *>("frmHallTest"); }
    int count(const QString &frame) const { return int(rx.count(frame)); }
};

const QString kStop = QStringLiteral("F9 E9 00 00 00 00 00 00 DA");
} // namespace

class TestHallIqSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void hallTests_data();
    void hallTests();
    void hallRefusedWhileThrottle();
    void timedRun();
    void windowsInBothLanguages();
};

void TestHallIqSim::hallTests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("done");
    QTest::addColumn<QString>("box"); // a box of the measured group on the Motor page
    QTest::newRow("group A") << "cmd_halltest" << "Group Hall A is under testing."
                             << "Group Hall A test is done." << "txtFrmHallSec6";
    QTest::newRow("group B") << "cmd_hallBtest" << "Group Hall B is under testing."
                             << "Group Hall B test is done." << "txtFrmHallBSec6";
}

void TestHallIqSim::hallTests()
{
    QFETCH(QString, button);
    QFETCH(QString, first);
    QFETCH(QString, done);
    QFETCH(QString, box);
    SimBench b(2);
    QVERIFY(b.online());
    b.window->pages()->open(PageId::Motor);
    auto *motor = qobject_cast<ParameterPage *>(b.window->pages()->page(PageId::Motor));
    QTRY_COMPARE(motor->box(u"txtPolePairN")->text(), QStringLiteral("16"));
    QTRY_VERIFY(b.window->findChild<QPushButton *>(button)->isEnabled());
    b.window->findChild<QPushButton *>(button)->click();
    QTRY_VERIFY(b.hallWindow());
    QCOMPARE(b.hallWindow()->findChild<QLabel *>("lblfrmHallTest")->text(), first);
    QTRY_COMPARE_WITH_TIMEOUT(b.hallWindow()->findChild<QLabel *>("lblfrmHallTest")->text(), done, 3000);
    // The six measured sectors add up to a full turn.
    int sum = 0;
    for (int i = 1; i <= 6; ++i)
        sum += motor->box(QString(box).replace(QLatin1Char('6'), QString::number(i)))->text().toInt();
    QCOMPARE(sum, 360);
    QTRY_VERIFY_WITH_TIMEOUT(!b.hallWindow(), 2000); // about 0.6 s later
    QVERIFY(b.messages.shown.isEmpty());
}

void TestHallIqSim::hallRefusedWhileThrottle()
{
    SimBench b(2);
    QVERIFY(b.online());
    b.controller->model().vehicle().setThrottle(30);
    b.window->findChild<QPushButton *>("cmd_halltest")->click();
    QTRY_COMPARE(b.messages.texts(), QStringList{"Make sure the throttle return and motor stops"});
    QCOMPARE(b.messages.shown[0].message.title, QStringLiteral("warning"));
    QVERIFY(!b.hallWindow());
}

void TestHallIqSim::timedRun()
{
    SimBench b(2);
    QVERIFY(b.online());
    b.window->pages()->open(PageId::IacCalib);
    QWidget *page = b.window->pages()->page(PageId::IacCalib);
    b.window->findChild<QLineEdit *>("txtMaxTime")->setText(QStringLiteral("3"));
    QTest::mouseClick(page->findChild<QPushButton *>("cmdIq3"), Qt::LeftButton);
    QTRY_COMPARE(b.count(QStringLiteral("F9 E9 69 00 00 00 F3 01 DA")), 1);
    QVERIFY(b.state.iqTest.iqTestRunning);
    // The link timer runs on its own; the run's clock is moved by the test.
    b.now = b.now.addSecs(3);
    QTest::qWait(300);
    QCOMPARE(b.count(kStop), 0);
    QCOMPARE(b.window->iqTestRun()->timeWindow()->conduction(), QStringLiteral("00:03"));
    b.now = b.now.addSecs(1);
    QTRY_COMPARE(b.count(kStop), 1);
    QCOMPARE(b.sounds.played, QStringList{"ALARM.WAV"});
    QVERIFY(!b.state.iqTest.iqTestRunning);
    QTest::qWait(300);
    QCOMPARE(b.count(kStop), 1);
    QVERIFY(b.messages.shown.isEmpty());
}

void TestHallIqSim::windowsInBothLanguages()
{
    SimBench b(2);
    QVERIFY(b.online());
    const QDir dir(QStringLiteral(KESTRANE_SHOT_DIR));
    QVERIFY(QDir().mkpath(dir.path()));
    for (int code : {int(LanguageCode::English), int(LanguageCode::Chinese)}) {
        b.window->applyLanguage(code);
        const QString suffix = code == LanguageCode::English ? QStringLiteral("en") : QStringLiteral("zh");
        auto shoot = [&](QWidget *w, const char *name) {
            w->adjustSize();
            QVERIFY2(w->sizeHint().height() <= 640, name);
            QVERIFY2(w->sizeHint().width() <= 1000, name);
            QVERIFY(w->grab().save(dir.filePath(QStringLiteral("%1_%2.png").arg(QLatin1String(name), suffix))));
        };
        // The hall test wants the motor at rest.
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(b.controller->model().vehicle().speed()) < 5, 10000);
        b.window->findChild<QPushButton *>("cmd_halltest")->click();
        QTRY_VERIFY(b.hallWindow());
        shoot(b.hallWindow(), "frmHallTest");
        QTRY_VERIFY_WITH_TIMEOUT(!b.hallWindow(), 3000);
        b.window->pages()->open(PageId::IacCalib);
        QWidget *page = b.window->pages()->page(PageId::IacCalib);
        QTest::mouseClick(page->findChild<QPushButton *>("cmdIq3"), Qt::LeftButton);
        b.now = b.now.addSecs(75);
        QTRY_COMPARE(b.window->iqTestRun()->timeWindow()->conduction(), QStringLiteral("01:15"));
        shoot(page, "frmIacCalib");
        shoot(b.window->iqTestRun()->timeWindow(), "frmTime");
        QTest::mouseClick(page->findChild<QPushButton *>("cmdStop"), Qt::LeftButton);
        QVERIFY(b.messages.shown.isEmpty());
    }
}

QTEST_MAIN(TestHallIqSim)
#include "tst_halliq_sim.moc"
