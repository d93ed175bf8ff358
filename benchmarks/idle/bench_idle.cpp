// Online and idle: the tool connected to kestrane-sim on a pseudo-terminal,
// no page open, against a minimal Qt poller that writes the same status
// request every 100 ms to a kestrane-sim of its own. Both run at the same
// time, so a load on the machine weighs on both alike; the figure is the
// processor time each used over the same interval.
//   build/bin/bench_idle [seconds]

#include "../benchstreams.h"

#include "link/commandtable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

#include <unistd.h>

namespace {

// Nanoseconds on a processor so far, all threads of `pid` together. The
// scheduler's own count where the kernel keeps it, else clock ticks.
qint64 cpuNs(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    qint64 sum = 0;
    bool any = false;
    const QStringList tasks = QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        QFile f(proc + QStringLiteral("/task/") + task + QStringLiteral("/schedstat"));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        sum += f.readAll().split(' ').value(0).toLongLong();
        any = true;
    }
    if (any)
        return sum;
    QFile f(proc + QStringLiteral("/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const qint64 ticks = fields.value(11).toLongLong() + fields.value(12).toLongLong();
    return ticks * 1000000000LL / ::sysconf(_SC_CLK_TCK);
}

struct Process
{
    QProcess p;
    QByteArray err;
    explicit Process(const QProcessEnvironment &env)
    {
        p.setProcessEnvironment(env);
        QObject::connect(&p, &QProcess::readyReadStandardError, [this] { err += p.readAllStandardError(); });
    }
    ~Process()
    {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(3000);
        }
    }
};

// kestrane-sim on a pty of its own; returns the device, or empty.
QString startSim(Process &sim)
{
    sim.p.start(QStringLiteral(KESTRANE_SIM_BIN),
                {QStringLiteral("--no-stdin"), QStringLiteral("--faults-every"), QStringLiteral("0")});
    if (!sim.p.waitForStarted(5000))
        return {};
    QElapsedTimer t;
    t.start();
    while (!sim.p.canReadLine() && t.elapsed() < 5000)
        sim.p.waitForReadyRead(100);
    const QString device = QString::fromLocal8Bit(sim.p.readLine()).trimmed();
    return device.startsWith(QLatin1String("/dev/")) ? device : QString();
}

void waitFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    // Only the one line that says the link is up.
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false;qt.*=false;kestrane.link.info=true"));

    Process toolSim(env), pollerSim(env), tool(env), poller(env);
    const QString toolDevice = startSim(toolSim);
    const QString pollerDevice = startSim(pollerSim);
    if (toolDevice.isEmpty() || pollerDevice.isEmpty())
        qFatal("kestrane-sim did not start");

    tool.p.start(QStringLiteral(KESTRANE_BIN), {QStringLiteral("--port"), toolDevice});
    poller.p.start(QStringLiteral(KESTRANE_POLLER_BIN),
                   {pollerDevice, QString::fromLatin1(requestFrames().statusPollRequest.toHex())});
    QElapsedTimer t;
    t.start();
    while (!tool.err.contains("-> 7") && t.elapsed() < 10000)
        waitFor(100);
    if (!tool.err.contains("-> 7"))
        qFatal("the tool did not come online:\n%s", tool.err.constData());
    // Past the after-connect request and the pages it brings.
    waitFor(2000);
    if (poller.p.state() != QProcess::Running)
        qFatal("the poller stopped:\n%s", poller.err.constData());

    const qint64 toolBefore = cpuNs(tool.p.processId());
    const qint64 pollerBefore = cpuNs(poller.p.processId());
    QElapsedTimer wall;
    wall.start();
    // Asleep, not polling: the driver itself stays out of the way.
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double elapsedNs = double(wall.nsecsElapsed());
    const double toolShare = (cpuNs(tool.p.processId()) - toolBefore) / elapsedNs * 100.0;
    const double pollerShare = (cpuNs(poller.p.processId()) - pollerBefore) / elapsedNs * 100.0;
    if (tool.p.state() != QProcess::Running || !tool.err.contains("-> 7") || tool.err.contains("-> 3"))
        qFatal("the tool did not stay online:\n%s", tool.err.constData());

    bench::report("idle online: minimal Qt poller", pollerShare, "% core", "-");
    bench::report("idle online: the tool, no page open", toolShare, "% core", "-");
    bench::report("idle online, tool / poller", toolShare / pollerShare, "x", "<= 1.5");
    return 0;
}
