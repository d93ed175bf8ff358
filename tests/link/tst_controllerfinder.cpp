// Finding the controller: the order of ports and settings, and a search on
// the fake line whose controller answers only at its own settings.

#include "link/controllerfinder.h"

#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include "fakeport.h"

#include <QSignalSpy>
#include <QTest>

namespace {
QStringList names(const QList<PortSettings> &settings)
{
    QStringList n;
    for (const PortSettings &s : settings)
        n << s.toString();
    return n;
}

struct Search
{
    FakeLine line;
    ControllerFinder finder{line.factory()};
    QStringList tried;
    QStringList skipped;
    std::optional<ControllerFinder::Attempt> found;
    bool ended = false;
    Search()
    {
        QObject::connect(&finder, &ControllerFinder::trying,
                         [this](const ControllerFinder::Attempt &a) { tried << a.port + u' ' + a.settings.toString(); });
        QObject::connect(&finder, &ControllerFinder::skipped, [this](const QString &port) { skipped << port; });
        QObject::connect(&finder, &ControllerFinder::found, [this](const ControllerFinder::Attempt &a) {
            found = a;
            ended = true;
        });
        QObject::connect(&finder, &ControllerFinder::notFound, [this] { ended = true; });
    }
};
} // namespace

class TestControllerFinder : public QObject
{
    Q_OBJECT
private slots:
    void settingsInOrder();
    void portsInOrder();
    void search_data();
    void search();
    void theSimulatorAtItsOwnSettings_data();
    void theSimulatorAtItsOwnSettings();
};

void TestControllerFinder::settingsInOrder()
{
    const QStringList rates{"9600,n,8,1", "19200,n,8,1", "38400,n,8,1", "57600,n,8,1", "115200,n,8,1"};
    QStringList all = rates;
    for (const char *parity : {"o", "e"})
        for (const QString &r : rates)
            all << QString(r).replace(QStringLiteral(",n,"), QStringLiteral(",%1,").arg(QLatin1String(parity)));
    QCOMPARE(names(ControllerFinder::settingsToTry()), all);
    // The last used first, then the rest without it again.
    const QStringList withLast = names(ControllerFinder::settingsToTry(PortSettings::parse("38400,n,8,1")));
    QCOMPARE(withLast.first(), QStringLiteral("38400,n,8,1"));
    QCOMPARE(withLast.size(), 15);
    QCOMPARE(names(ControllerFinder::settingsToTry(PortSettings::parse("4800,e,7,2"))).size(), 16);
}

void TestControllerFinder::portsInOrder()
{
    FakeEnumerator ports;
    ports.listed.append({QStringLiteral("/dev/ttyS0"), {}});
    ports.add(QStringLiteral("/dev/ttyUSB1"), QStringLiteral("B"));
    ports.add(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("A"));
    ports.listed.append({QStringLiteral("/dev/ttyS1"), {}});
    QCOMPARE(ControllerFinder::portsToTry(ports.ports(), {QStringLiteral("Simulator")}),
             (QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyS1", "Simulator"}));
}

void TestControllerFinder::search_data()
{
    QTest::addColumn<QString>("controllerAt"); // empty: nothing answers
    QTest::addColumn<QStringList>("busy");
    QTest::addColumn<int>("tries");
    for (const char *s : {"9600,n,8,1", "19200,n,8,1", "38400,n,8,1", "57600,n,8,1", "115200,n,8,1",
                          "9600,o,8,1", "115200,e,8,1"}) {
        const int place = int(names(ControllerFinder::settingsToTry()).indexOf(QLatin1String(s)));
        QTest::addRow("controller at %s", s) << QString::fromLatin1(s) << QStringList{} << 15 + place + 1;
    }
    QTest::newRow("nothing answers") << "" << QStringList{} << 30;
    QTest::newRow("the first port busy: skipped after one try")
        << "57600,n,8,1" << QStringList{"/dev/ttyUSB0"} << 1 + 4;
}

void TestControllerFinder::search()
{
    QFETCH(QString, controllerAt);
    QFETCH(QStringList, busy);
    QFETCH(int, tries);
    Search s;
    // Two adapters; the controller sits on the second.
    s.line.controllerPort = QStringLiteral("/dev/ttyUSB1");
    s.line.controllerSettings = controllerAt;
    s.line.busy = busy;
    s.finder.setTryTimeoutMs(20); // the fake line answers within a millisecond
    s.finder.start({"/dev/ttyUSB0", "/dev/ttyUSB1"}, ControllerFinder::settingsToTry());
    QTRY_VERIFY_WITH_TIMEOUT(s.ended, 10000);
    QCOMPARE(s.tried.size(), tries);
    QCOMPARE(s.skipped, busy);
    QCOMPARE(s.found.has_value(), !controllerAt.isEmpty());
    if (s.found) {
        QCOMPARE(s.found->port, QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(s.found->settings.toString(), controllerAt);
    }
    // Every port it opened, it closed again.
    QCOMPARE(s.line.closes, int(s.line.openedNames.size()));
    QVERIFY(!s.finder.running());
}

void TestControllerFinder::theSimulatorAtItsOwnSettings_data()
{
    QTest::addColumn<QString>("line"); // the simulated controller's own settings
    for (const char *s : {"9600,n,8,1", "19200,n,8,1", "38400,n,8,1", "57600,n,8,1", "115200,n,8,1",
                          "19200,o,8,1", "57600,e,8,1"})
        QTest::newRow(s) << QString::fromLatin1(s);
    QTest::newRow("at no rate tried") << "4800,n,8,1";
}

void TestControllerFinder::theSimulatorAtItsOwnSettings()
{
    QFETCH(QString, line);
    sim::SimOptions options;
    options.line = *sim::LineSettings::parse(line);
    auto controller = std::make_shared<sim::SimLine>(options);
    ControllerFinder finder([controller](const QString &) { return std::make_unique<SimulatorPort>(controller); });
    std::optional<ControllerFinder::Attempt> found;
    bool ended = false;
    QObject::connect(&finder, &ControllerFinder::found, [&](const ControllerFinder::Attempt &a) {
        found = a;
        ended = true;
    });
    QObject::connect(&finder, &ControllerFinder::notFound, [&] { ended = true; });
    finder.start({QStringLiteral("Simulator")}, ControllerFinder::settingsToTry());
    QTRY_VERIFY_WITH_TIMEOUT(ended, 5000);
    if (line == u"4800,n,8,1") {
        QVERIFY(!found); // garbage at every other setting is never taken for a reply
        return;
    }
    QVERIFY(found);
    QCOMPARE(found->settings.toString(), line);
}

QTEST_GUILESS_MAIN(TestControllerFinder)
#include "tst_controllerfinder.moc"
