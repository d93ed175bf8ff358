#pragma once
// Programs a benchmark starts: a child process that is killed when it goes
// (its standard error kept), and kestrane-sim on a pty of its own.

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

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
