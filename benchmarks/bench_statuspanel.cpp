// The main window's share of one live-status block: decode it and show it
// in the status and fault panels (offscreen, window shown), as the receive
// handler does for every DF EF block. Prints microseconds per block: on the
// status stream with a repaint per thousand blocks, and on a ride (every
// field moving) with the window brought up to date after every block, as a
// slow line lets it: layout, paint and flush.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_statuspanel

#include "benchstreams.h"

#include "core/appstate.h"
#include "core/messageservice.h"
#include "link/linkcontroller.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstring>

namespace {
class NoMessages : public MessageService
{
public:
    void show(const Message &, std::function<void()>) override {}
    void ask(const Message &, std::function<void(bool)>) override {}
};
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

    const int blocks = 20000;
    const QByteArray stream = bench::statusStream(blocks);
    double best = 1e12;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < blocks; ++i) {
            Block block;
            std::memcpy(block.data(), stream.constData() + i * kBlockSize, kBlockSize);
            window.decodeStatus(block);
            // The window repaints between bursts of blocks, not after each.
            if (i % 1000 == 999)
                QCoreApplication::processEvents();
        }
        best = std::min(best, double(t.nsecsElapsed()));
    }
    bench::report("status panel: decode and show one block", best / blocks / 1000.0, "us/blk", "<= 10");

    const int rideBlocks = 4000;
    const QByteArray ride = bench::rideStream(rideBlocks);
    QList<double> figures;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < rideBlocks; ++i) {
            Block block;
            std::memcpy(block.data(), ride.constData() + i * kBlockSize, kBlockSize);
            window.decodeStatus(block);
            QCoreApplication::processEvents();
        }
        figures << double(t.nsecsElapsed());
    }
    bench::report("status panel: ride, paint after every block", bench::median(figures) / rideBlocks / 1000.0,
                  "us/blk", "<= 20");
    return 0;
}
