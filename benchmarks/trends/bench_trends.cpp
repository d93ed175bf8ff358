// The trend window with a full hour of history at ten blocks a second
// (36,000 samples in each reading), offscreen at 1366x698, the eight
// readings it shows at first; thread processor time:
// - a whole frame with the hour in view: a block added, then everything
//   drawn (columns, traces, markers, axes, the widget painted);
// - a block while following the latest, through the event loop as the tool
//   gets it, at ten a second (an hour shown) and at one (five minutes);
// - the live line: blocks arriving every 100 ms for some seconds, and how
//   long after each block its drawing was on the screen;
// - memory: the heap taken by the hour of history, and by the window drawn.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_trends [seconds of live line]

#include "../benchstreams.h"
#include "trendride.h"

#include "core/appstate.h"
#include "core/messageservice.h"
#include "monitor/trendhistory.h"
#include "monitor/ui/trendplot.h"
#include "monitor/ui/trendwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

#include <malloc.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {
class NoMessages : public MessageService
{
public:
    void show(const Message &, std::function<void()>) override {}
    void ask(const Message &, std::function<void(bool)>) override {}
};

double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double heapMb()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

constexpr qint64 kStartMs = 1796000000000LL; // any fixed clock time
constexpr int kHour = 36000;
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int liveSeconds = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    LanguageState language;
    NoMessages messages;

    const double heapBefore = heapMb();
    TrendHistory history;
    for (int i = 0; i < kHour; ++i)
        history.addSample(sampleFromBlock(bench::rideBlock(i)), kStartMs + i * 100LL);
    const double historyMb = heapMb() - heapBefore;

    const double windowBefore = heapMb();
    TrendWindow window(history, language, messages);
    window.resize(1366, 698);
    window.show();
    window.setWindowMinutes(60);
    QCoreApplication::processEvents();
    window.refreshNow();
    const double windowMb = heapMb() - windowBefore;

    // A whole frame: the hour in view, everything drawn again after each
    // block (what zooming, panning and the view moving on cost).
    window.setPaused(true);
    int next = kHour;
    std::vector<double> frames;
    for (int f = 0; f < 300; ++f) {
        const double t0 = threadMs();
        history.addSample(sampleFromBlock(bench::rideBlock(next)), kStartMs + next * 100LL);
        ++next;
        window.plot()->setTimeRange(history.at(0).timeMs, history.last().timeMs);
        window.refreshNow();
        frames.push_back(threadMs() - t0);
    }
    std::sort(frames.begin(), frames.end());
    const int samples = window.plot()->columns().samples;

    // Following the latest: each block through the event loop as the tool
    // gets it, drawing only the columns it changed.
    auto perBlock = [&](TrendWindow &w, TrendHistory &h, int blocks, qint64 stepMs, int &n) {
        w.setPaused(false);
        QCoreApplication::processEvents();
        std::vector<double> costs;
        for (int f = 0; f < blocks; ++f) {
            const double t0 = threadMs();
            h.addSample(sampleFromBlock(bench::rideBlock(n)), kStartMs + n * stepMs);
            ++n;
            QCoreApplication::processEvents();
            costs.push_back(threadMs() - t0);
        }
        std::sort(costs.begin(), costs.end());
        return costs;
    };
    const std::vector<double> live = perBlock(window, history, 600, 100, next);

    // At the first poll rate: a block a second, the five minutes shown at first.
    TrendHistory slow;
    TrendWindow slowWindow(slow, language, messages);
    slowWindow.resize(1366, 698);
    int slowNext = 0;
    for (; slowNext < 600; ++slowNext)
        slow.addSample(sampleFromBlock(bench::rideBlock(slowNext * 10)), kStartMs + slowNext * 1000LL);
    slowWindow.show();
    window.hide();
    const std::vector<double> slowBlocks = perBlock(slowWindow, slow, 200, 1000, slowNext);
    slowWindow.hide();
    window.show();
    QCoreApplication::processEvents();

    // The live line: a block every 100 ms, and when the drawing it caused
    // was on the screen.
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> arrived;
    std::vector<qint64> lag;
    std::size_t shown = 0;
    struct PaintWatch : QObject
    {
        std::function<void()> painted;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() != QEvent::Paint)
                return false;
            o->removeEventFilter(this);
            o->event(e);
            o->installEventFilter(this);
            painted();
            return true;
        }
    } watch;
    watch.painted = [&] {
        for (; shown < arrived.size(); ++shown)
            lag.push_back(clock.elapsed() - arrived[shown]);
    };
    window.plot()->findChild<QWidget *>(QStringLiteral("trendTraces"))->installEventFilter(&watch);
    QTimer line;
    line.setTimerType(Qt::PreciseTimer);
    line.setInterval(100);
    QObject::connect(&line, &QTimer::timeout, [&] {
        arrived.push_back(clock.elapsed());
        history.addSample(sampleFromBlock(bench::rideBlock(next)), kStartMs + next * 100LL);
        ++next;
    });
    line.start();
    while (clock.elapsed() < liveSeconds * 1000LL)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    line.stop();
    QCoreApplication::processEvents();
    const qint64 worstLag = lag.empty() ? -1 : *std::max_element(lag.begin(), lag.end());
    const int behind = int(std::count_if(lag.begin(), lag.end(), [](qint64 l) { return l >= 100; }))
                       + int(arrived.size() - lag.size());

    bench::report("trends: samples in one frame (60 min)", samples, "", "36000");
    bench::report("trends: whole redraw, median", frames[frames.size() / 2], "ms", "<= 4");
    bench::report("trends: whole redraw, 95th percentile", frames[frames.size() * 95 / 100], "ms", "<= 4");
    bench::report("trends: whole redraw, worst", frames.back(), "ms", "-");
    bench::report("trends: a block at 10/s (60 min), median", live[live.size() / 2], "ms", "-");
    bench::report("trends: a block at 10/s (60 min), worst", live.back(), "ms", "<= 4");
    bench::report("trends: a block at 1/s (5 min), median", slowBlocks[slowBlocks.size() / 2], "ms", "-");
    bench::report("trends: live, worst block to its frame", double(worstLag), "ms", "< 100");
    bench::report("trends: live, frames late for next block", behind, "", "0");
    bench::report("trends: memory, 60 min at 10/s", historyMb, "MB", "<= 20");
    bench::report("trends: memory, window drawn", windowMb, "MB", "-");
    bench::report("trends: memory, history and window", historyMb + windowMb, "MB", "<= 20");
    return 0;
}
