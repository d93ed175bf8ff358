#include "ptycontroller.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
// The tool's CPU time so far, in seconds (user + system).
double cpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    // fields[0] is the state (field 3); utime and stime are fields 14 and 15.
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(::sysconf(_SC_CLK_TCK));
}

struct Tool
{
    QProcess process;
    QByteArray log;

    void start(const QString &port)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("kestrane.link=true"));
        env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}: %{message}"));
        process.setProcessEnvironment(env);
        QObject::connect(&process, &QProcess::readyReadStandardError,
                         [this] { log += process.readAllStandardError(); });
        process.start(QStringLiteral(KESTRANE_BIN), {QStringLiteral("--port"), port});
    }
    int count(const char *text) const { return int(log.count(text)); }
    ~Tool()
    {
        process.kill();
        process.waitForFinished(3000);
    }
};
} // namespace

class TestE2ELink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void onlineSilenceAndBack();
    void unpluggedAndReplugged();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestE2ELink::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestE2ELink::onlineSilenceAndBack()
{
    PtyController controller(m_dir->filePath(QStringLiteral("ttyCTRL")));
    QVERIFY(controller.plugIn());
    Tool tool;
    tool.start(controller.linkPath());
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("port ") > 0 && tool.log.contains("opened"), 10000);

    // Online within three seconds of the opening.
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(controller.idcReads, 1, 1000);

    // Silence: offline after about two seconds, no second Idc read meanwhile.
    QTest::qWait(1500);
    QCOMPARE(controller.idcReads, 1);
    controller.answering = false;
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("-> 3") >= 1, 4000);

    // Answers resume: the link comes back by itself and reads the Idc block again.
    controller.answering = true;
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 2, 4000);
    QTRY_COMPARE_WITH_TIMEOUT(controller.idcReads, 2, 1000);
    QCOMPARE(tool.process.state(), QProcess::Running);
}

void TestE2ELink::unpluggedAndReplugged()
{
    PtyController controller(m_dir->filePath(QStringLiteral("ttyCTRL")));
    QVERIFY(controller.plugIn());
    Tool tool;
    tool.start(controller.linkPath());
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 1, 10000);

    controller.unplug();
    QTRY_VERIFY2_WITH_TIMEOUT(tool.count(" lost: ") == 1, tool.log.constData(), 3000);
    QVERIFY(tool.log.contains("-> 3"));

    // While the device is gone the tool stays alive and near idle, with one
    // notice for the drop and no storm of errors.
    const double before = cpuSeconds(tool.process.processId());
    QTest::qWait(2000);
    const double used = cpuSeconds(tool.process.processId()) - before;
    QVERIFY2(used < 0.6, qPrintable(QStringLiteral("%1 s of CPU in 2 s").arg(used)));
    QCOMPARE(tool.count(" lost: "), 1);
    QCOMPARE(tool.process.state(), QProcess::Running);

    // Plugged in again under the same name: the link returns on its own.
    QVERIFY(controller.plugIn());
    QTRY_VERIFY_WITH_TIMEOUT(tool.count("link state 1 -> 7") == 2, 6000);
    QCOMPARE(tool.count(" lost: "), 1);
}

QTEST_GUILESS_MAIN(TestE2ELink)
#include "tst_e2e_link.moc"
