// The hall test, the factory commands, the Iac page and the timed Iq test
// on the main window over a fake port: what goes out, what is shown, and
// every way out of a run.

#include "calib/ui/halltestwindow.h"
#include "calib/ui/iaccalibpage.h"
#include "calib/ui/iqtestrun.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"

#include "../shell/mainwindowbench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

#include <optional>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
const QByteArray kStop = QByteArray::fromHex("F9E9000000000000DA");

struct Bench : MainWindowBench
{
    Bench(int language = LanguageCode::English)
    {
        window->applyLanguage(language);
        goOnline();
        line.clearWrites();
    }
    void reply(std::initializer_list<quint8> head) { line.deliver(toByteArray(makeBlock(head))); }
    void reply(const Block &b) { line.deliver(toByteArray(b)); }
    QWidget *hallWindow() const { return window->findChild<QWidget *>("frmHallTest"); }
    QString hallText() const { return hallWindow()->findChild<QLabel *>("lblfrmHallTest")->text(); }
    void timer1Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            window->hallTest()->Timer1_Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    IacCalibPage *iac()
    {
        window->pages()->open(PageId::IacCalib);
        return qobject_cast<IacCalibPage *>(window->pages()->page(PageId::IacCalib));
    }
    template<typename T = QLineEdit>
    T *on(QWidget *page, const char *name)
    {
        return page->findChild<T *>(QLatin1String(name));
    }
    QLineEdit *maxTime() { return window->findChild<QLineEdit *>("txtMaxTime"); }
    void click(QWidget *page, const char *button) { QTest::mouseClick(on<QPushButton>(page, button), Qt::LeftButton); }
    void startRun(const QString &limit)
    {
        maxTime()->setText(limit);
        click(iac(), "cmdIq3");
        line.clearWrites();
    }
    void later(int seconds) { now = now.addSecs(seconds); }
    int stops() const { return int(line.writes.count(kStop)); }
};
} // namespace

class TestHallIqPage : public QObject
{
    Q_OBJECT
private slots:
    void hallSequence_data();
    void hallSequence();
    void hallWarning_data();
    void hallWarning();
    void stopHallTestClosesFirst();
    void groupBResult_data();
    void groupBResult();
    void groupAResultMarksChangedBoxes();
    void factoryAcknowledgements_data();
    void factoryAcknowledgements();
    void pageFrames_data();
    void pageFrames();
    void pageRefusals_data();
    void pageRefusals();
    void timedRun();
    void timedRunWaysOut_data();
    void timedRunWaysOut();
    void badLimitDuringRunStopsOnce();
    void linkDropDuringRun();
};

void TestHallIqPage::hallSequence_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts"); // A under test, A done, B under test, B done
    QTest::newRow("English") << int(LanguageCode::English)
                             << QStringList{"Group Hall A is under testing.", "Group Hall A test is done.",
                                            "Group Hall B is under testing.", "Group Hall B test is done."};
    QTest::newRow("Chinese") << int(LanguageCode::Chinese)
                             << QStringList{"A组霍尔测试中", "A组霍尔测试完成.", "B组霍尔测试中.", "B组霍尔测试完成."};
}

void TestHallIqPage::hallSequence()
{
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    Bench b(language);
    QVERIFY(!b.hallWindow());
    QTest::mouseClick(b.button("cmd_halltest"), Qt::LeftButton);
    QCOMPARE(b.line.writes, QList<QByteArray>{hex("FCECDA")});
    b.reply({0xFF, 0xFD});
    QVERIFY(b.hallWindow() && b.hallWindow()->isVisible());
    QCOMPARE(b.hallText(), texts[0]);
    QVERIFY(!b.window->hallTestTimer()->isActive());
    b.reply({0xFF, 0xFC});
    QCOMPARE(b.hallText(), texts[1]);
    QVERIFY(b.window->hallTestTimer()->isActive());
    QCOMPARE(b.window->hallTestTimer()->interval(), 100);
    b.timer1Ticks(5);
    QVERIFY(b.hallWindow());
    b.timer1Ticks(1); // the sixth tick closes it
    QVERIFY(!b.hallWindow());
    QVERIFY(!b.window->hallTestTimer()->isActive());

    // Group B; a second "done" restarts the count.
    b.reply({0xFF, 0xFB});
    QCOMPARE(b.hallText(), texts[2]);
    b.reply({0xFF, 0xFA});
    QCOMPARE(b.hallText(), texts[3]);
    b.timer1Ticks(4);
    b.reply({0xFF, 0xFA});
    b.timer1Ticks(5);
    QVERIFY(b.hallWindow());
    b.timer1Ticks(1);
    QVERIFY(!b.hallWindow());
    QVERIFY(b.messages.shown.isEmpty());
}

void TestHallIqPage::hallWarning_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text");
    QTest::newRow("English") << int(LanguageCode::English) << "warning" << int(MessageService::Icon::Critical)
                             << "Make sure the throttle return and motor stops";
    QTest::newRow("Chinese") << int(LanguageCode::Chinese) << "info" << int(MessageService::Icon::Information)
                             << "请确认转把归零，电机停止！";
}

void TestHallIqPage::hallWarning()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, text);
    Bench b(language);
    b.reply({0xFF, 0xFE});
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.messages.shown[0].message.title, title);
    QCOMPARE(int(b.messages.shown[0].message.icon), icon);
    QCOMPARE(b.messages.shown[0].message.text, text);
    QVERIFY(!b.hallWindow());
    QVERIFY(!b.window->hallTestTimer()->isActive());
    QVERIFY(b.line.writes.isEmpty());
}

void TestHallIqPage::stopHallTestClosesFirst()
{
    Bench b;
    QTest::mouseClick(b.button("cmd_hallteststop"), Qt::LeftButton); // nothing running
    QCOMPARE(b.line.writes, QList<QByteArray>{hex("FCEEDA")});
    b.reply({0xFF, 0xFD});
    QPointer<QWidget> w = b.hallWindow();
    QVERIFY(w && w->isVisible());
    b.line.clearWrites();
    QTest::mouseClick(b.button("cmd_hallteststop"), Qt::LeftButton);
    QVERIFY(!b.hallWindow());
    QCOMPARE(b.line.writes, QList<QByteArray>{hex("FCEEDA")});
}

void TestHallIqPage::groupBResult_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("hallB3"); // what txtFrmHallBSec3 shows afterwards
    QTest::newRow("type 1: decoded") << 1 << "57";
    QTest::newRow("type 2: decoded") << 2 << "57";
    QTest::newRow("type 3: untouched") << 3 << "0";
    QTest::newRow("type unknown: untouched") << 0 << "60";
}

void TestHallIqPage::groupBResult()
{
    QFETCH(int, type);
    QFETCH(QString, hallB3);
    Bench b;
    b.state.controllerType = qint16(type);
    b.window->pages()->open(PageId::Motor);
    auto *motor = qobject_cast<ParameterPage *>(b.window->pages()->page(PageId::Motor));
    QVERIFY(motor);
    // A Motor read of this type first, so the boxes hold known values.
    Block read = makeBlock({0xF6, 0xE6});
    for (int i = 2; i <= 30; ++i)
        read[i] = 0;
    read[2] = 16;
    for (int i = 24; i <= 29; ++i)
        read[i] = type == 3 ? 0 : 60;
    b.reply(read);
    const QString hallB3Before = b.on(motor, "txtFrmHallBSec3")->text();
    const QString polesBefore = b.on(motor, "txtPolePairN")->text();
    const Block protectionBefore = b.state.frames[FrameId::Protection];
    auto *protection = qobject_cast<ParameterPage *>(b.window->pages()->page(PageId::Protection));
    const std::optional<ValueMap> protectionTexts =
        protection ? std::optional<ValueMap>(protection->values()) : std::nullopt;

    Block result = makeBlock({0xFF, 0xFA});
    result[2] = 99; // pole pairs: not a hall B field
    for (int i = 24; i <= 29; ++i)
        result[i] = quint8(55 + i - 24);
    b.reply(result);
    QCOMPARE(b.on(motor, "txtFrmHallBSec1")->text(), type == 1 || type == 2 ? QStringLiteral("55") : b.on(motor, "txtFrmHallBSec1")->text());
    QCOMPARE(b.on(motor, "txtFrmHallBSec3")->text(), type == 0 ? hallB3Before : hallB3);
    QCOMPARE(b.on(motor, "txtPolePairN")->text(), polesBefore);
    QVERIFY(b.state.frames[FrameId::Protection] == protectionBefore);
    // The Protection page, if it exists, shows what it showed before.
    auto *protectionAfter = qobject_cast<ParameterPage *>(b.window->pages()->page(PageId::Protection));
    QCOMPARE(bool(protectionAfter), bool(protectionTexts));
    if (protectionAfter)
        QVERIFY(protectionAfter->values() == *protectionTexts);
    QCOMPARE(b.hallText(), QStringLiteral("Group Hall B test is done."));
}

void TestHallIqPage::groupAResultMarksChangedBoxes()
{
    Bench b;
    b.state.controllerType = 2;
    b.window->pages()->open(PageId::Motor);
    auto *motor = qobject_cast<ParameterPage *>(b.window->pages()->page(PageId::Motor));
    Block read = makeBlock({0xF6, 0xE6});
    read[2] = 16;
    for (int i = 9; i <= 14; ++i)
        read[i] = 60;
    b.reply(read);
    Block result = read;
    result[0] = 0xFF;
    result[1] = 0xFC;
    result[10] = 58;
    result[12] = 62;
    b.reply(result);
    QCOMPARE(b.on(motor, "txtFrmHallSec2")->text(), QStringLiteral("58"));
    QStringList marked;
    for (QLineEdit *box : motor->findChildren<QLineEdit *>())
        if (isMarkedHallResultBox(box))
            marked << box->objectName();
    marked.sort();
    QCOMPARE(marked, (QStringList{"txtFrmHallSec2", "txtFrmHallSec4"}));
    QLineEdit *box = b.on(motor, "txtFrmHallSec2");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(!isMarkedHallResultBox(box));
    QVERIFY(isMarkedHallResultBox(b.on(motor, "txtFrmHallSec4")));
    // A plain read marks nothing.
    b.reply(read);
    QVERIFY(isMarkedHallResultBox(b.on(motor, "txtFrmHallSec4"))); // still until edited
    QVERIFY(!isMarkedHallResultBox(b.on(motor, "txtFrmHallSec1")));
}

void TestHallIqPage::factoryAcknowledgements_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("text");
    QTest::newRow("set, en") << int(LanguageCode::English) << "cmd_SetFactory" << hex("FAEADA") << "Factory set successfull!";
    QTest::newRow("set, zh") << int(LanguageCode::Chinese) << "cmd_SetFactory" << hex("FAEADA") << "厂家设置成功！";
    QTest::newRow("restore, en") << int(LanguageCode::English) << "cmd_ResetDefaults" << hex("FAEBDA")
                                 << "Restore to default successfull!";
    QTest::newRow("restore, zh") << int(LanguageCode::Chinese) << "cmd_ResetDefaults" << hex("FAEBDA") << "恢复出厂设置成功！";
}

void TestHallIqPage::factoryAcknowledgements()
{
    QFETCH(int, language);
    QFETCH(QString, button);
    QFETCH(QByteArray, request);
    QFETCH(QString, text);
    Bench b(language);
    b.button(button)->click(); // hidden, but enabled with the bar
    QCOMPARE(b.line.writes, QList<QByteArray>{request});
    b.reply({quint8(request[0]), quint8(request[1])});
    QCOMPARE(b.messages.texts(), QStringList{text});
    QCOMPARE(b.messages.shown[0].message.title, QStringLiteral("info"));
}

void TestHallIqPage::pageFrames_data()
{
    QTest::addColumn<QStringList>("actions"); // "box=text", "check:name", "click:name"
    QTest::addColumn<QList<QByteArray>>("frames");
    using L = QList<QByteArray>;
    QTest::newRow("I1 defaults") << QStringList{"click:cmdIq1"} << L{hex("F9E969000000 0E00DA")};
    QTest::newRow("I2 150 A, P:120") << QStringList{"check:Opt120", "click:cmdIq2"} << L{hex("F9E969005555D400DA")};
    QTest::newRow("P:0 with 360") << QStringList{"check:Opt0", "click:cmdIq1"} << L{hex("F9E96900FFFF0E00DA")};
    QTest::newRow("P:300") << QStringList{"check:Opt300", "click:cmdIq1"} << L{hex("F9E9690054D50E00DA")};
    QTest::newRow("800 A") << QStringList{"txtIq1=800", "click:cmdIq1"} << L{hex("F9E969000000E803DA")};
    QTest::newRow("throttle 150") << QStringList{"txtCmd=150", "click:cmdCMD"} << L{hex("F9EB0064DA")};
    QTest::newRow("throttle -5") << QStringList{"txtCmd=-5", "click:cmdCMD"} << L{hex("F9EB0000DA")};
    QTest::newRow("Lock Active, then I1")
        << QStringList{"check:ChkLock", "click:cmdIq1"} << L{hex("F9EA000100DA"), hex("F9E9000000000E00DA")};
    QTest::newRow("aging and Iq loop")
        << QStringList{"check:ChkOpenloop", "check:ChkIqCL"} << L{hex("F9EA010000DA"), hex("F9EA010001DA")};
    QTest::newRow("write the step") << QStringList{"click:cmdWrite"} << L{hex("F9E969000001000000DA")};
    QTest::newRow("record start, both ways")
        << QStringList{"check:ChkRecordStart", "check:ChkRecordStart"} << L{hex("F9EB00DA"), hex("F9EB00DA")};
    QTest::newRow("Calc 40 Hz, then I1")
        << QStringList{"txtElecFreq=40", "click:cmdCalc", "click:cmdIq1"} << L{hex("F9E9D20000000E00DA")};
    QTest::newRow("STOP") << QStringList{"click:cmdStop"} << L{kStop};
    QTest::newRow("printf selection sends nothing") << QStringList{"list:cboPrintfSelect=3"} << L{};
}

void TestHallIqPage::pageFrames()
{
    QFETCH(QStringList, actions);
    QFETCH(QList<QByteArray>, frames);
    Bench b;
    IacCalibPage *page = b.iac();
    QVERIFY(page && page->isVisible());
    QVERIFY(b.line.writes.isEmpty()); // opening sends nothing
    QCOMPARE(b.on(page, "txtAngleDPP")->text(), QStringLiteral("105"));
    QCOMPARE(b.on<QComboBox>(page, "cboPrintfSelect")->count(), 11);
    for (const QString &a : actions) {
        if (a.startsWith("click:"))
            b.click(page, qPrintable(a.mid(6)));
        else if (a.startsWith("check:"))
            QTest::mouseClick(b.on<QAbstractButton>(page, qPrintable(a.mid(6))), Qt::LeftButton, {},
                              QPoint(6, b.on<QAbstractButton>(page, qPrintable(a.mid(6)))->height() / 2));
        else if (a.startsWith("list:"))
            b.on<QComboBox>(page, qPrintable(a.mid(5).section('=', 0, 0)))->setCurrentIndex(a.section('=', 1).toInt());
        else
            b.on(page, qPrintable(a.section('=', 0, 0)))->setText(a.section('=', 1));
    }
    QCOMPARE(b.line.writes, frames);
    QVERIFY(b.messages.shown.isEmpty());
    if (actions.contains("check:ChkLock")) {
        QCOMPARE(b.on(page, "txtElecFreq")->text(), QStringLiteral("0"));
        QCOMPARE(b.on(page, "txtAngleDPP")->text(), QStringLiteral("0"));
    }
}

void TestHallIqPage::pageRefusals_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("message"); // a part of it
    QTest::addColumn<QString>("angleStep"); // txtAngleDPP afterwards
    QTest::newRow("PWM 0") << QStringList{"txtPWMFreq=0", "click:cmdCalc"} << "must be a number other than 0" << "105";
    QTest::newRow("PWM no number") << QStringList{"txtPWMFreq=kHz", "click:cmdCalc"} << "(it holds \"kHz\")" << "105";
    QTest::newRow("step above 32767 on write")
        << QStringList{"txtElecFreq=10000", "click:cmdCalc", "click:cmdWrite"} << "52429 is above 32767" << "52429";
    QTest::newRow("current no number") << QStringList{"txtIq2=abc", "click:cmdIq2"} << "does not hold a number" << "105";
    QTest::newRow("angle no number") << QStringList{"txtP60=", "check:Opt60", "click:cmdIq1"} << "is empty" << "105";
    QTest::newRow("throttle beyond 16 bits") << QStringList{"txtCmd=40000", "click:cmdCMD"} << "out of range" << "105";
    QTest::newRow("I3 with no aging time") << QStringList{"limit=abc", "click:cmdIq3"} << "The Iq test was not started" << "105";
}

void TestHallIqPage::pageRefusals()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, message);
    QFETCH(QString, angleStep);
    Bench b;
    IacCalibPage *page = b.iac();
    for (const QString &a : actions) {
        if (a.startsWith("click:"))
            b.click(page, qPrintable(a.mid(6)));
        else if (a.startsWith("check:"))
            b.on<QRadioButton>(page, qPrintable(a.mid(6)))->setChecked(true);
        else if (a.startsWith("limit="))
            b.maxTime()->setText(a.mid(6));
        else
            b.on(page, qPrintable(a.section('=', 0, 0)))->setText(a.section('=', 1));
    }
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY2(b.messages.texts()[0].contains(message), qPrintable(b.messages.texts()[0]));
    QCOMPARE(b.on(page, "txtAngleDPP")->text(), angleStep);
    QVERIFY(!b.state.iqTest.iqTestRunning);
}

void TestHallIqPage::timedRun()
{
    Bench b;
    IacCalibPage *page = b.iac();
    b.maxTime()->setText("200");
    b.click(page, "cmdIq3");
    QCOMPARE(b.line.writes, QList<QByteArray>{hex("F9E969000000F301DA")});
    QVERIFY(b.state.iqTest.iqTestRunning);
    QVERIFY(b.state.iqTest.tempAlertArmed);
    QCOMPARE(b.state.iqTest.iqTestStartTime, b.now);
    QCOMPARE(b.window->findChild<QLineEdit *>("txtStart")->text(), QStringLiteral("09:00:00"));
    TimeWindow *time = b.window->iqTestRun()->timeWindow();
    QVERIFY(time && time->isVisible() && !time->isModal());
    QCOMPARE(time->conduction(), QStringLiteral("00:00"));
    b.line.clearWrites();
    b.later(200);
    b.ticks(1);
    QCOMPARE(time->conduction(), QStringLiteral("03:20"));
    QCOMPARE(time->findChild<QProgressBar *>("progressAging")->value(), 200);
    QCOMPARE(b.stops(), 0);
    b.later(1);
    b.ticks(1); // the first tick after the limit
    QCOMPARE(b.stops(), 1);
    QCOMPARE(b.sounds.played, QStringList{"ALARM.WAV"});
    QVERIFY(!b.state.iqTest.iqTestRunning);
    b.later(5);
    b.ticks(3);
    QCOMPARE(b.stops(), 1);
    QVERIFY(b.messages.shown.isEmpty());
}

void TestHallIqPage::timedRunWaysOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("STOP") << "stop";
    QTest::newRow("closing the page") << "close";
    QTest::newRow("another page takes its place") << "navigate";
    QTest::newRow("closing the program") << "exit";
}

void TestHallIqPage::timedRunWaysOut()
{
    QFETCH(QString, way);
    Bench b;
    b.startRun("200");
    IacCalibPage *page = qobject_cast<IacCalibPage *>(b.window->pages()->page(PageId::IacCalib));
    b.later(10);
    b.ticks(1);
    QCOMPARE(b.stops(), 0);
    if (way == "stop") {
        b.click(page, "cmdStop");
    } else if (way == "close") {
        page->close();
    } else if (way == "navigate") {
        b.window->pages()->open(PageId::Basic);
        QVERIFY(!b.window->pages()->page(PageId::IacCalib));
    } else {
        const int closesBefore = b.line.closes;
        b.window->Menu_File_Exit_Click();
        QCOMPARE(b.line.closes, closesBefore + 1);
        QCOMPARE(b.line.writes.last(), kStop); // before the port closed
    }
    QCOMPARE(b.stops(), 1);
    QVERIFY(!b.state.iqTest.iqTestRunning);
    QVERIFY(b.messages.shown.isEmpty());
    QVERIFY(b.sounds.played.isEmpty());
    b.later(500);
    b.ticks(2);
    QCOMPARE(b.stops(), 1);
}

void TestHallIqPage::badLimitDuringRunStopsOnce()
{
    Bench b;
    b.startRun("200");
    b.later(3);
    b.maxTime()->setText("2oo");
    b.ticks(5);
    QCOMPARE(b.stops(), 1);
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.texts()[0].contains("The Iq test has been stopped"));
    QVERIFY(!b.state.iqTest.iqTestRunning);
}

void TestHallIqPage::linkDropDuringRun()
{
    Bench b;
    b.startRun("30");
    b.later(5);
    b.ticks(25); // silence: offline after 21 ticks
    QCOMPARE(b.state.connection.linkState, 3);
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.texts()[0].contains("may still be driving the motor"));
    b.later(60); // the time runs out while the link is down
    b.ticks(15);
    QCOMPARE(b.messages.shown.size(), 1); // said once
    QCOMPARE(b.stops(), 0);
    QVERIFY(b.state.iqTest.iqTestRunning);
    // Back: the stop frame on the first online tick.
    b.status({0xDF, 0xEF}); // the controller answers again
    for (int i = 0; i < 10 && b.state.connection.linkState != 1; ++i)
        b.ticks(1); // up to the next poll
    QCOMPARE(b.stops(), 0);
    b.status({0xDF, 0xEF});
    b.ticks(1);
    QCOMPARE(b.state.connection.linkState, 7);
    QCOMPARE(b.stops(), 1);
    QCOMPARE(b.sounds.played, QStringList{"ALARM.WAV"});
    QVERIFY(!b.state.iqTest.iqTestRunning);
}

QTEST_MAIN(TestHallIqPage)
#include "tst_halliqpage.moc"
