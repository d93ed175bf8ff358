// Whole controllers over a line that takes its time: a backup of every block,
// a restore with verification of every block, against the simulated
// controller pacing its bytes at 9600 baud; and finding the controller on a
// port whose controller talks at the last rate tried, and on a port where
// nothing answers. Each figure beside what the line itself needs. Prints rows
// of the table of scripts/bench.

#include "benchstreams.h"

#include "link/controllerfinder.h"
#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/settransfer.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include "recordingmessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace {
constexpr int kLatencyMs = 3; // the simulator's, from a request's end to its reply

struct Line
{
    AppState state;
    RecordingMessages messages;
    std::shared_ptr<sim::SimLine> controller;
    LinkController link{state.connection, state.language, messages};
    ParameterService service{state.blockParts(), link, state.language};
    explicit Line(const QString &settings = QStringLiteral("9600,n,8,1"))
    {
        sim::SimOptions o;
        o.pace = true;
        o.line = *sim::LineSettings::parse(settings);
        controller = std::make_shared<sim::SimLine>(o);
        link.setPortFactory([c = controller](const QString &) { return std::make_unique<SimulatorPort>(c); });
        link.setPortName(QString::fromLatin1(kSimulatorPortName));
        link.setSettings(settings);
        link.openPort();
    }
};

template <typename Done>
void waitFor(Done done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Milliseconds of `bytes` characters at 9600,n,8,1 (10 bits each).
double lineMs(int bytes)
{
    return bytes * 10.0 * 1000.0 / 9600.0;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double backupMs(Line &line, BackupResult *out = nullptr)
{
    SetBackup backup(line.service);
    std::optional<BackupResult> result;
    QObject::connect(&backup, &SetBackup::finished, [&](const BackupResult &r) { result = r; });
    QElapsedTimer t;
    t.start();
    backup.start(QStringLiteral("Simulator"), QStringLiteral("9600,n,8,1"));
    waitFor([&] { return result.has_value(); });
    if (out)
        *out = *result;
    return double(t.nsecsElapsed()) / 1e6;
}

// Every block written back as it came, each read back and compared.
double restoreMs(Line &line, const BackupResult &backup, bool *verified)
{
    RestorePlan plan;
    for (const SetBlock &b : setBlocks()) {
        Block w = *backup.set.block(b.family);
        w[1] = b.codes->writeCode;
        plan.blocks.append({b.family, w, {}});
    }
    SetRestore restore(line.service);
    std::optional<RestoreResult> result;
    QObject::connect(&restore, &SetRestore::finished, [&](const RestoreResult &r) { result = r; });
    QElapsedTimer t;
    t.start();
    restore.start(plan);
    waitFor([&] { return result.has_value(); });
    *verified = result->allVerified();
    return double(t.nsecsElapsed()) / 1e6;
}

double findMs(const QString &controllerAt, bool *found)
{
    sim::SimOptions o;
    o.line = *sim::LineSettings::parse(controllerAt);
    auto controller = std::make_shared<sim::SimLine>(o);
    ControllerFinder finder([c = controller](const QString &) { return std::make_unique<SimulatorPort>(c); });
    bool ended = false;
    *found = false;
    QObject::connect(&finder, &ControllerFinder::found, [&] { ended = *found = true; });
    QObject::connect(&finder, &ControllerFinder::notFound, [&] { ended = true; });
    QElapsedTimer t;
    t.start();
    finder.start({QStringLiteral("Simulator")}, ControllerFinder::settingsToTry());
    waitFor([&] { return ended; });
    return double(t.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // What the line needs: 12 requests (the user information's has 4 bytes)
    // and 12 replies of 32 bytes; a restore adds 12 blocks and 12 acknowledgements.
    const int requestBytes = 11 * 3 + 4;
    const double backupLine = lineMs(requestBytes + 12 * 32) + 12 * kLatencyMs;
    const double restoreLine = lineMs(12 * (32 + 32) + requestBytes + 12 * 32) + 24 * kLatencyMs;

    std::vector<double> backups, restores;
    bool verified = true;
    for (int round = 0; round < 5; ++round) {
        Line line;
        BackupResult b;
        backups.push_back(backupMs(line, &b));
        bool v = false;
        restores.push_back(restoreMs(line, b, &v));
        verified = verified && v && b.missing.isEmpty();
    }
    bench::report("backup, 12 blocks at 9600 (paced): line time", backupLine, "ms", "-");
    bench::report("backup, 12 blocks at 9600 (paced)", median(backups), "ms", "-");
    bench::report("backup / line time", median(backups) / backupLine, "x", "<= 1.2");
    bench::report("restore + verify, 12 blocks: line time", restoreLine, "ms", "-");
    bench::report("restore + verify, 12 blocks (paced)", median(restores), "ms", verified ? "-" : "NOT VERIFIED");
    bench::report("restore + verify / line time", median(restores) / restoreLine, "x", "<= 1.3");

    bool found = false;
    const double at115200 = findMs(QStringLiteral("115200,n,8,1"), &found);
    bench::report("find the controller at 115200 (5th rate)", at115200, "ms", found ? "<= 1500" : "NOT FOUND");
    const double nobody = findMs(QStringLiteral("4800,n,8,1"), &found);
    bench::report("find on a port where nothing answers (15 tries)", nobody, "ms", found ? "FOUND?" : "<= 1500");
    return 0;
}
