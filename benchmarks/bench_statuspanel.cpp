// The main window's share of one live-status block: decode it and show it
// in the status and fault panels (offscreen, window shown), as the receive
// handler does for every DF EF block. Prints microseconds per block:
// - on the status stream, with a repaint per thousand blocks;
// - on a ride (every field moving): showing it without painting, and with a
//   paint after every block (layout, paint and flush);
// - on a ride coming as a 115200-baud line brings it, 360 blocks a second:
//   how many paints the window makes for each block, painting once a frame
//   as it does and after every block as it did (both in the same rounds),
//   and from that and the two figures above, showing and painting per block.
// The processor time of a few seconds at 360 blocks a second is not taken
// as the figure itself: on a virtual machine a wake-up costs as much as a
// paint, and varies from one second to the next.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_statuspanel

#include "benchstreams.h"
#include "paintlog.h"

#include "core/appstate.h"
#include "core/messageservice.h"
#include "link/linkcontroller.h"
#include "shell/mainwindow.h"
#include "widgets/framepacer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {
class NoMessages : public MessageService
{
public:
    void show(const Message &, std::function<void()>) override {}
    void ask(const Message &, std::function<void(bool)>) override {}
};


void show(MainWindow &window, const QByteArray &stream, int i)
{
    Block block;
    const int count = int(stream.size() / kBlockSize);
    std::memcpy(block.data(), stream.constData() + (i % count) * kBlockSize, kBlockSize);
    window.decodeStatus(block);
}

// Nanoseconds per block, the event loop run after every `paintEvery`
// blocks; the median of five rounds.
double tight(MainWindow &window, const QByteArray &stream, int blocks, int paintEvery)
{
    QList<double> figures;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < blocks; ++i) {
            show(window, stream, i);
            if (i % paintEvery == paintEvery - 1)
                QCoreApplication::processEvents();
        }
        figures << double(t.nsecsElapsed()) / blocks;
    }
    return bench::median(figures);
}

// Hands `blocks` of the ride to the window as the line brings them, 360 a
// second (a timer every 2 ms hands over those whose time has come), and
// returns how many times the I/O label, new on every block, was painted.
int paintsAtLineRate(MainWindow &window, QLabel *ioLabel, const QByteArray &ride, int blocks)
{
    constexpr double kPerSecond = 360.0;
    PaintLog counter;
    ioLabel->installEventFilter(&counter);
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(2);
    QElapsedTimer clock;
    int fed = 0;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        const int due = std::min(blocks, int(clock.nsecsElapsed() * kPerSecond / 1e9));
        for (; fed < due; ++fed)
            show(window, ride, fed);
        if (fed == blocks)
            loop.quit();
    });
    clock.start();
    timer.start();
    loop.exec();
    // The last frame's paint belongs to these blocks too.
    QTimer::singleShot(40, &loop, &QEventLoop::quit);
    loop.exec();
    ioLabel->removeEventFilter(&counter);
    return counter.paints;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    AppState state;
    NoMessages messages;
    LinkController link(state.connection, state.language, messages);
    MainWindow window(state, link, messages);
    window.show();
    QCoreApplication::processEvents();
    FramePacer *pacer = window.findChild<FramePacer *>();
    auto *ioLabel = window.findChild<QLabel *>(QStringLiteral("lblPortStatus"));
    if (!pacer || !ioLabel)
        qFatal("the main window has no frame pacer or no I/O label");
    const int frameMs = pacer->intervalMs();

    // The window repaints between bursts of blocks, not after each.
    const QByteArray stream = bench::statusStream(20000);
    bench::report("status panel: decode and show one block", tight(window, stream, 20000, 1000) / 1000.0, "us/blk",
                  "<= 10");

    const int rideBlocks = 4000;
    const QByteArray ride = bench::rideStream(rideBlocks);
    pacer->setIntervalMs(0);
    const double showOnly = tight(window, ride, rideBlocks, 1000);
    const double paintEach = tight(window, ride, rideBlocks, 1);
    bench::report("status panel: ride, show without painting", showOnly / 1000.0, "us/blk", "-");
    bench::report("status panel: ride, paint after every block", paintEach / 1000.0, "us/blk", "-");

    QList<double> paced, unpaced;
    const int lineBlocks = 720;
    for (int round = 0; round < 5; ++round) {
        pacer->setIntervalMs(frameMs);
        paced << double(paintsAtLineRate(window, ioLabel, ride, lineBlocks)) / lineBlocks;
        pacer->setIntervalMs(0);
        unpaced << double(paintsAtLineRate(window, ioLabel, ride, lineBlocks)) / lineBlocks;
    }
    pacer->setIntervalMs(frameMs);
    const double paint = std::max(0.0, paintEach - showOnly);
    bench::report("status panel: 360 blk/s, paints per block", bench::median(paced), "", "-");
    bench::report("status panel: 360 blk/s, the same unpaced", bench::median(unpaced), "", "-");
    bench::report("status panel: 360 blk/s, show + paint", (showOnly + paint * bench::median(paced)) / 1000.0,
                  "us/blk", "<= 20");
    bench::report("status panel: 360 blk/s, show + paint unpaced", (showOnly + paint * bench::median(unpaced)) / 1000.0, "us/blk", "-");
    return 0;
}
