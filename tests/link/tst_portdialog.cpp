#include "link/controllerfinder.h"
#include "link/linkcontroller.h"
#include "link/ui/portdialog.h"
#include "core/appstate.h"
#include "core/language.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
struct Bench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    Bench() { link.setPortFactory(line.factory()); }

    std::unique_ptr<PortDialog> dialog(const QStringList &extra = {})
    {
        return std::make_unique<PortDialog>(state.connection, state.language, link, messages, extra);
    }
};

QComboBox *box(QWidget *w, const char *name)
{
    return w->findChild<QComboBox *>(QLatin1String(name));
}
} // namespace

class TestPortDialog : public QObject
{
    Q_OBJECT
private slots:
    void firstOpening();
    void settingsString_data();
    void settingsString();
    void okWithoutPortChangesNothing();
    void cancelChangesNothing();
    void portThatDoesNotExist();
    void permissionDenied();
    void reopeningPreselectsThePort();
    void okWhilePortIsOpenAppliesTheChoice_data();
    void okWhilePortIsOpenAppliesTheChoice();
    void disconnectStopsEverything();
    void findControllerPreselectsWhatAnswered();
    void namedDevice();
    void texts_data();
    void texts();
};

void TestPortDialog::firstOpening()
{
    Bench b;
    auto d = b.dialog({QStringLiteral("Simulator")});
    QCOMPARE(d->objectName(), QStringLiteral("frmComSet"));
    QComboBox *port = box(d.get(), "cboPortNumber");
    QCOMPARE(port->currentIndex(), -1);
    for (int n = 1; n <= 9; ++n)
        QCOMPARE(port->itemText(n - 1), QString::number(n));
    QCOMPARE(port->itemText(port->count() - 1), QStringLiteral("Simulator"));
    // The settings in use: Ok as it stands reaches a controller at its default rate.
    QCOMPARE(box(d.get(), "cboBaudRate")->currentText(), QStringLiteral("9600"));
    QCOMPARE(box(d.get(), "cboBaudRate")->count(), 8);
    QCOMPARE(box(d.get(), "cboDataBit")->currentText(), QStringLiteral("8"));
    QCOMPARE(box(d.get(), "cboStopBit")->currentText(), QStringLiteral("1"));
    QCOMPARE(box(d.get(), "cboParity")->currentText(), QStringLiteral("NONE"));
}

void TestPortDialog::settingsString_data()
{
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("expected");
    QTest::newRow("preselected") << "57600" << "NONE" << "8" << "1" << "57600,n,8,1";
    QTest::newRow("even") << "9600" << "EVEN" << "7" << "2" << "9600,e,7,2";
    QTest::newRow("odd") << "1200" << "ODD" << "8" << "1.5" << "1200,o,8,1.5";
}

void TestPortDialog::settingsString()
{
    QFETCH(QString, baud);
    QFETCH(QString, parity);
    QFETCH(QString, data);
    QFETCH(QString, stop);
    QFETCH(QString, expected);
    Bench b;
    auto d = b.dialog();
    QSignalSpy opened(d.get(), &PortDialog::portOpened);
    box(d.get(), "cboPortNumber")->setCurrentIndex(2);
    box(d.get(), "cboBaudRate")->setCurrentText(baud);
    box(d.get(), "cboParity")->setCurrentText(parity);
    box(d.get(), "cboDataBit")->setCurrentText(data);
    box(d.get(), "cboStopBit")->setCurrentText(stop);
    QTest::mouseClick(d->findChild<QPushButton *>("cmdComOK"), Qt::LeftButton);

    QCOMPARE(b.state.connection.portSettings, expected);
    QCOMPARE(b.link.settings(), expected);
    QCOMPARE(b.line.openedNames, QStringList{portNameForNumber(3)});
    QCOMPARE(b.state.connection.portNumber, 3);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(d->result(), int(QDialog::Accepted));
}

void TestPortDialog::okWithoutPortChangesNothing()
{
    Bench b;
    auto d = b.dialog();
    box(d.get(), "cboBaudRate")->setCurrentText(QStringLiteral("1200"));
    d->cmdComOK_Click();
    QCOMPARE(b.state.connection.portSettings, QStringLiteral("9600,n,8,1"));
    QCOMPARE(b.state.connection.portNumber, 0);
    QCOMPARE(b.line.opens, 0);
    QVERIFY(b.messages.shown.isEmpty());
}

void TestPortDialog::cancelChangesNothing()
{
    Bench b;
    auto d = b.dialog();
    box(d.get(), "cboPortNumber")->setCurrentIndex(4);
    box(d.get(), "cboBaudRate")->setCurrentText(QStringLiteral("1200"));
    QTest::mouseClick(d->findChild<QPushButton *>("cmdComCancel"), Qt::LeftButton);
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(b.state.connection.portSettings, QStringLiteral("9600,n,8,1"));
    QCOMPARE(b.state.connection.portNumber, 0);
    QCOMPARE(b.line.opens, 0);
}

void TestPortDialog::portThatDoesNotExist()
{
    Bench b;
    b.line.openError = SerialPort::OpenError::NotFound;
    auto d = b.dialog();
    QSignalSpy opened(d.get(), &PortDialog::portOpened);
    box(d.get(), "cboPortNumber")->setCurrentIndex(8);
    d->cmdComOK_Click();
    QCOMPARE(b.messages.texts(), QStringList{"COM port does not exist."});
    QCOMPARE(opened.size(), 0); // the link timer is not started
    QCOMPARE(b.state.connection.portNumber, 0);
    QCOMPARE(b.state.connection.portSettings, QStringLiteral("9600,n,8,1"));
    QCOMPARE(b.link.portName(), portNameForNumber(9));
    QVERIFY(b.link.disconnected()); // nothing half-open, nothing polled
    QVERIFY(!b.link.linkTimer()->isActive());
}

void TestPortDialog::permissionDenied()
{
    Bench b;
    b.line.openError = SerialPort::OpenError::PermissionDenied;
    auto d = b.dialog();
    box(d.get(), "cboPortNumber")->setCurrentIndex(0);
    d->cmdComOK_Click();
    QCOMPARE(b.messages.shown.size(), 1);
    QVERIFY(b.messages.shown[0].message.text.contains(QStringLiteral("dialout")));
}

void TestPortDialog::reopeningPreselectsThePort()
{
    Bench b;
    {
        auto d = b.dialog();
        box(d.get(), "cboPortNumber")->setCurrentIndex(1);
        box(d.get(), "cboBaudRate")->setCurrentText(QStringLiteral("9600"));
        box(d.get(), "cboParity")->setCurrentText(QStringLiteral("ODD"));
        d->cmdComOK_Click();
    }
    auto d = b.dialog();
    QCOMPARE(box(d.get(), "cboPortNumber")->currentText(), QStringLiteral("2"));
    QCOMPARE(box(d.get(), "cboBaudRate")->currentText(), QStringLiteral("9600"));
    QCOMPARE(box(d.get(), "cboParity")->currentText(), QStringLiteral("ODD"));
    QCOMPARE(box(d.get(), "cboDataBit")->currentText(), QStringLiteral("8"));
    QCOMPARE(box(d.get(), "cboStopBit")->currentText(), QStringLiteral("1"));
}

void TestPortDialog::okWhilePortIsOpenAppliesTheChoice_data()
{
    QTest::addColumn<bool>("newPortOpens");
    QTest::newRow("the new port opens") << true;
    QTest::newRow("the new port fails") << false;
}

void TestPortDialog::okWhilePortIsOpenAppliesTheChoice()
{
    QFETCH(bool, newPortOpens);
    Bench b;
    {
        auto d = b.dialog();
        box(d.get(), "cboPortNumber")->setCurrentIndex(0);
        d->cmdComOK_Click();
    }
    QVERIFY(b.link.isOpen());
    if (!newPortOpens)
        b.line.missing << portNameForNumber(6);
    auto d = b.dialog();
    QSignalSpy opened(d.get(), &PortDialog::portOpened);
    box(d.get(), "cboPortNumber")->setCurrentIndex(5);
    box(d.get(), "cboBaudRate")->setCurrentText(QStringLiteral("115200"));
    d->cmdComOK_Click();
    QCOMPARE(b.line.closes, 1); // the old port, exactly once
    QCOMPARE(b.state.connection.portSettings, QStringLiteral("115200,n,8,1"));
    QCOMPARE(b.link.portName(), portNameForNumber(6));
    QCOMPARE(opened.size(), newPortOpens ? 1 : 0);
    QCOMPARE(b.link.isOpen(), newPortOpens);
    QCOMPARE(b.link.linkTimer()->isActive(), newPortOpens);
    if (newPortOpens) {
        QCOMPARE(b.line.openedSettings.last().toString(), QStringLiteral("115200,n,8,1"));
        QCOMPARE(b.state.connection.portNumber, 6);
        for (int i = 0; i < 10; ++i)
            b.link.tick(); // polled on the new port
        QCOMPARE(b.line.writes.last(), bytesOf({0xFD, 0x48, 0x55}));
    } else {
        QCOMPARE(b.messages.texts(), QStringList{"COM port does not exist."});
        QCOMPARE(b.state.connection.portNumber, 1);
    }
}

void TestPortDialog::disconnectStopsEverything()
{
    Bench b;
    auto d = b.dialog();
    box(d.get(), "cboPortNumber")->setCurrentIndex(0);
    d->cmdComOK_Click();
    b.link.disconnectPort();
    QVERIFY(!b.link.isOpen());
    QVERIFY(!b.link.linkTimer()->isActive());
    QCOMPARE(b.state.connection.linkState, LinkStateCode::Offline);
    // Nothing is sent, and nothing opens the port on demand.
    b.line.clearWrites();
    QVERIFY(!b.link.sendFrame(requestFrames().basicReadRequest));
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.line.opens, 1);
    QCOMPARE(b.messages.texts().size(), 1);
    // Confirming the dialog connects again.
    auto again = b.dialog();
    again->cmdComOK_Click();
    QVERIFY(b.link.isOpen() && !b.link.disconnected());
}

void TestPortDialog::findControllerPreselectsWhatAnswered()
{
    Bench b;
    FakeEnumerator ports;
    ports.add(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("A"));
    ports.add(QStringLiteral("/dev/ttyUSB3"), QStringLiteral("B"));
    b.link.setPortEnumerator(&ports);
    b.line.busy << QStringLiteral("/dev/ttyUSB0");
    b.line.controllerPort = QStringLiteral("/dev/ttyUSB3");
    b.line.controllerSettings = QStringLiteral("19200,e,8,1");
    auto d = b.dialog();
    d->finder()->setTryTimeoutMs(20);
    auto *progress = d->findChild<QLabel *>(QStringLiteral("lblFindProgress"));
    d->cmdFindController_Click();
    QVERIFY(!d->findChild<QPushButton *>(QStringLiteral("cmdComOK"))->isEnabled());
    QTRY_VERIFY(progress->text().contains(QStringLiteral("at ")));
    QTRY_VERIFY_WITH_TIMEOUT(!d->finder()->running(), 5000);
    QVERIFY2(progress->text().contains(QStringLiteral("/dev/ttyUSB0: in use by another program; skipped.")),
             qPrintable(progress->text()));
    QVERIFY2(progress->text().contains(QStringLiteral("Found the controller on /dev/ttyUSB3 at 19200,e,8,1")),
             qPrintable(progress->text()));
    QCOMPARE(box(d.get(), "cboPortNumber")->currentText(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(box(d.get(), "cboBaudRate")->currentText(), QStringLiteral("19200"));
    QCOMPARE(box(d.get(), "cboParity")->currentText(), QStringLiteral("EVEN"));
    b.line.busy.clear();
    d->cmdComOK_Click();
    QCOMPARE(b.link.portName(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(b.link.settings(), QStringLiteral("19200,e,8,1"));
}

void TestPortDialog::namedDevice()
{
    Bench b;
    auto d = b.dialog({QStringLiteral("Simulator")});
    QComboBox *port = box(d.get(), "cboPortNumber");
    port->setCurrentIndex(port->findText(QStringLiteral("Simulator")));
    d->cmdComOK_Click();
    QCOMPARE(b.line.openedNames, QStringList{"Simulator"});
    QCOMPARE(b.state.connection.portNumber, 0);
    auto again = b.dialog({QStringLiteral("Simulator")});
    QCOMPARE(box(again.get(), "cboPortNumber")->currentText(), QStringLiteral("Simulator"));
}

void TestPortDialog::texts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("expected"); // caption, frame, five labels, OK, Cancel
    QTest::newRow("english") << 22
                             << QStringList{"Serial Port Setting", "Serial Port Parameters",
                                            "Port Number:", "Baud Rate:", "Data Bit:", "Stop Bit:",
                                            "Parity:", "Ok", "Cancel", "Find controller",
                                            "/dev/ttyUSB0 at 19200, odd parity\u2026"};
    QTest::newRow("chinese") << 11
                             << QStringList{"串口配置", "自定义参数", "端口号：", "波特率：",
                                            "数据位：", "停止位：", "校验和：", "确 定", "取 消",
                                            "查找控制器", "/dev/ttyUSB0，19200 波特，奇校验\u2026"};
}

void TestPortDialog::texts()
{
    QFETCH(int, code);
    QFETCH(QStringList, expected);
    Bench b;
    setLanguage(b.state.language, code);
    auto d = b.dialog();
    QStringList got{d->windowTitle(), d->findChild<QGroupBox *>("fmManuPara")->title()};
    for (const char *name : {"lblComPort", "lblBaudRate", "lblDataBit", "lblStopBit", "lblParity"})
        got << d->findChild<QLabel *>(name)->text();
    got << d->findChild<QPushButton *>("cmdComOK")->text()
        << d->findChild<QPushButton *>("cmdComCancel")->text()
        << d->findChild<QPushButton *>("cmdFindController")->text()
        << ControllerFinder::tryingText(code, {QStringLiteral("/dev/ttyUSB0"), *PortSettings::parse("19200,o,8,1")});
    QCOMPARE(got, expected);
    setLanguage(b.state.language, 22);
}

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
