#include "link/portidentity.h"

#include "fakeport.h"

#include <QTest>

class TestPortIdentity : public QObject
{
    Q_OBJECT
private slots:
    void builtInNames_data();
    void builtInNames();
    void returnedName_data();
    void returnedName();
};

void TestPortIdentity::builtInNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("builtIn");
    QTest::newRow("COM1") << "COM1" << true;
    QTest::newRow("COM12") << "COM12" << true;
    QTest::newRow("com3") << "com3" << true;
    QTest::newRow("/dev/ttyS0") << "/dev/ttyS0" << true;
    QTest::newRow("ttyS3") << "ttyS3" << true;
    QTest::newRow("/dev/ttyUSB0") << "/dev/ttyUSB0" << false;
    QTest::newRow("/dev/ttyACM0") << "/dev/ttyACM0" << false;
    QTest::newRow("no number") << "/dev/ttyS" << false;
    QTest::newRow("COM alone") << "COM" << false;
    QTest::newRow("a link named like one") << "/tmp/ttyS0" << false;
}

void TestPortIdentity::builtInNames()
{
    QFETCH(QString, name);
    QFETCH(bool, builtIn);
    QCOMPARE(isBuiltInPortName(name), builtIn);
}

// What is plugged in now, after the adapter "A1" was opened as ttyUSB0.
void TestPortIdentity::returnedName_data()
{
    QTest::addColumn<QStringList>("present"); // "name serial"
    QTest::addColumn<QString>("expected");
    QTest::newRow("back under a new name") << QStringList{"/dev/ttyUSB1 A1"} << "/dev/ttyUSB1";
    QTest::newRow("back under its name") << QStringList{"/dev/ttyUSB0 A1", "/dev/ttyUSB1 A1"} << "";
    QTest::newRow("nothing plugged in") << QStringList{} << "";
    QTest::newRow("another adapter only") << QStringList{"/dev/ttyUSB1 B2"} << "";
    QTest::newRow("two claim the serial") << QStringList{"/dev/ttyUSB1 A1", "/dev/ttyUSB2 A1"} << "";
    QTest::newRow("among others") << QStringList{"/dev/ttyUSB1 B2", "/dev/ttyUSB2 A1", "/dev/ttyS0 -"}
                                  << "/dev/ttyUSB2";
    QTest::newRow("a built-in port never") << QStringList{"/dev/ttyS4 A1"} << "";
}

void TestPortIdentity::returnedName()
{
    QFETCH(QStringList, present);
    QFETCH(QString, expected);
    FakeEnumerator ports;
    ports.add(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("A1"));
    AdapterTracker tracker;
    tracker.setEnumerator(&ports);
    tracker.opened(QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(tracker.identity().has_value());

    ports.listed.clear();
    for (const QString &p : present) {
        const QStringList parts = p.split(u' ');
        ports.add(parts[0], parts[1] == QLatin1String("-") ? QString() : parts[1]);
    }
    QCOMPARE(tracker.returnedName(QStringLiteral("/dev/ttyUSB0")), expected);
}

QTEST_GUILESS_MAIN(TestPortIdentity)
#include "tst_portidentity.moc"
