#pragma once
// Programs a benchmark starts: a child process that is killed when it goes
// (its standard error kept), and kestrane-sim on a pty of its own.

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace bench {

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

// The tool's environment in a benchmark: offscreen, its settings and data
// in `home`, and of its log only the line that says the link is up.
inline QProcessEnvironment toolEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false;qt.*=false;kestrane.link.info=true"));
    return env;
}

// Starts the simulator `simBin` without faults; returns the device it
// serves, or empty.
inline QString startSim(Process &sim, const QString &simBin)
{
    sim.p.start(simBin, {QStringLiteral("--no-stdin"), QStringLiteral("--faults-every"), QStringLiteral("0")});
    if (!sim.p.waitForStarted(5000))
        return {};
    QElapsedTimer t;
    t.start();
    while (!sim.p.canReadLine() && t.elapsed() < 5000)
        sim.p.waitForReadyRead(100);
    const QString device = QString::fromLocal8Bit(sim.p.readLine()).trimmed();
    return device.startsWith(QLatin1String("/dev/")) ? device : QString();
}

} // namespace bench
