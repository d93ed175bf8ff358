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
    void okWhilePortIsOpenOnlyStoresTheSettings();
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
    QCOMPARE(box(d.get(), "cboBaudRate")->currentText(), QStringLiteral("57600"));
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
    // What ran before the failure keeps its effect.
    QCOMPARE(b.state.connection.portSettings, QStringLiteral("57600,n,8,1"));
    QCOMPARE(b.link.portName(), portNameForNumber(9));
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
    QCOMPARE(box(d.get(), "cboBaudRate")->currentText(), QStringLiteral("57600"));
    QCOMPARE(box(d.get(), "cboParity")->currentText(), QStringLiteral("NONE"));
    QCOMPARE(box(d.get(), "cboDataBit")->currentText(), QStringLiteral("8"));
    QCOMPARE(box(d.get(), "cboStopBit")->currentText(), QStringLiteral("1"));
}

void TestPortDialog::okWhilePortIsOpenOnlyStoresTheSettings()
{
    Bench b;
    {
        auto d = b.dialog();
        box(d.get(), "cboPortNumber")->setCurrentIndex(0);
        d->cmdComOK_Click();
    }
    QVERIFY(b.link.isOpen());
    auto d = b.dialog();
    QSignalSpy opened(d.get(), &PortDialog::portOpened);
    box(d.get(), "cboPortNumber")->setCurrentIndex(5);
    box(d.get(), "cboBaudRate")->setCurrentText(QStringLiteral("115200"));
    d->cmdComOK_Click();
    QCOMPARE(b.state.connection.portSettings, QStringLiteral("115200,n,8,1"));
    QCOMPARE(b.link.settings(), QStringLiteral("57600,n,8,1"));
    QCOMPARE(b.link.portName(), portNameForNumber(1));
    QCOMPARE(b.state.connection.portNumber, 1);
    QCOMPARE(b.line.opens, 1);
    QCOMPARE(opened.size(), 0);
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
                                            "Parity:", "Ok", "Cancel"};
    QTest::newRow("chinese") << 11
                             << QStringList{"串口配置", "自定义参数", "端口号：", "波特率：",
                                            "数据位：", "停止位：", "校验和：", "确 定", "取 消"};
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
        << d->findChild<QPushButton *>("cmdComCancel")->text();
    QCOMPARE(got, expected);
    setLanguage(b.state.language, 22);
}

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
