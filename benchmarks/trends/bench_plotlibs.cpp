// The two plotting libraries weighed for the trend window, on the same
// work: an hour at ten blocks a second in eight readings, reduced to the
// pixel columns (lowest and highest sample of each, in time order), drawn
// as each library's own line series in five stacked panes at 1366x698,
// offscreen; thread processor time per frame, median of 200. Built only
// where Qt Charts is installed (qt6-charts-dev); the tool uses QCustomPlot.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_plotlibs

#include "../benchstreams.h"
#include "trendride.h"

#include "monitor/trendhistory.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QtCharts>
#include <qcustomplot.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

constexpr qint64 kStartMs = 1796000000000LL;
constexpr int kColumns = 1000;
const int kShown[8] = {TrendValue::BatteryVoltage, TrendValue::DcCurrent, TrendValue::Speed, TrendValue::MotorTemp,
                       TrendValue::PowerStageTemp, TrendValue::IqRef, TrendValue::IqActual, TrendValue::Throttle};

// The columns as points: the lowest and the highest of each, in time order.
void points(const TrendHistory &h, const TraceColumns &columns, int value, qint64 t0, qint64 t1,
            QList<QPointF> &out)
{
    out.clear();
    const double ms = double(t1 - t0) / kColumns;
    const double divisor = kTrendValues[std::size_t(value)].divisor;
    for (const TraceColumn &c : columns.values[std::size_t(value)]) {
        const double t = (t0 + (c.column + 0.5) * ms) / 1000.0;
        out.append({t, c.min / divisor});
        if (c.max != c.min)
            out.append({t, c.max / divisor});
    }
    Q_UNUSED(h);
}

template <class Draw>
double medianFrame(TrendHistory &h, int &next, Draw draw)
{
    std::vector<double> frames;
    TraceColumns columns;
    for (int f = 0; f < 200; ++f) {
        const double start = threadMs();
        h.addSample(sampleFromBlock(bench::rideBlock(next)), kStartMs + next * 100LL);
        ++next;
        const qint64 t1 = h.last().timeMs, t0 = t1 - 3600000;
        decimate(h, t0, t1, kColumns, TrendHistory::kAllValues, columns);
        draw(columns, t0, t1);
        frames.push_back(threadMs() - start);
    }
    std::sort(frames.begin(), frames.end());
    return frames[frames.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TrendHistory h;
    int next = 0;
    for (; next < 36000; ++next)
        h.addSample(sampleFromBlock(bench::rideBlock(next)), kStartMs + next * 100LL);
    QList<QPointF> pts;

    // QCustomPlot: one axis rect per pane, a graph per reading.
    QWidget qcpWindow;
    qcpWindow.resize(1366, 698);
    auto *qcp = new QCustomPlot;
    (new QVBoxLayout(&qcpWindow))->addWidget(qcp);
    qcp->plotLayout()->clear();
    std::vector<QCPAxisRect *> rects;
    for (int p = 0; p < kTrendPaneCount; ++p) {
        rects.push_back(new QCPAxisRect(qcp));
        qcp->plotLayout()->addElement(p, 0, rects.back());
    }
    std::vector<QCPGraph *> graphs;
    for (int v : kShown) {
        QCPAxisRect *r = rects[std::size_t(kTrendValues[std::size_t(v)].pane)];
        QCPGraph *g = qcp->addGraph(r->axis(QCPAxis::atBottom), r->axis(QCPAxis::atLeft));
        g->setAntialiased(false);
        g->setAdaptiveSampling(false); // the columns are made already
        graphs.push_back(g);
    }
    qcpWindow.show();
    QCoreApplication::processEvents();
    const double qcpMs = medianFrame(h, next, [&](const TraceColumns &c, qint64 t0, qint64 t1) {
        for (std::size_t i = 0; i < graphs.size(); ++i) {
            points(h, c, kShown[i], t0, t1, pts);
            QVector<double> keys(pts.size()), values(pts.size());
            for (qsizetype k = 0; k < pts.size(); ++k)
                keys[k] = pts[k].x(), values[k] = pts[k].y();
            graphs[i]->setData(keys, values, true);
        }
        for (QCPAxisRect *r : rects) {
            r->axis(QCPAxis::atBottom)->setRange(t0 / 1000.0, t1 / 1000.0);
            r->axis(QCPAxis::atLeft)->rescale();
        }
        qcp->replot(QCustomPlot::rpImmediateRefresh);
    });
    qcpWindow.hide();

    // Qt Charts: a chart view per pane, a line series per reading.
    QWidget chartsWindow;
    chartsWindow.resize(1366, 698);
    auto *layout = new QVBoxLayout(&chartsWindow);
    std::vector<QChart *> charts;
    std::vector<QValueAxis *> xs, ys;
    for (int p = 0; p < kTrendPaneCount; ++p) {
        auto *chart = new QChart;
        chart->legend()->hide();
        xs.push_back(new QValueAxis);
        ys.push_back(new QValueAxis);
        chart->addAxis(xs.back(), Qt::AlignBottom);
        chart->addAxis(ys.back(), Qt::AlignLeft);
        layout->addWidget(new QChartView(chart));
        charts.push_back(chart);
    }
    std::vector<QLineSeries *> series;
    for (int v : kShown) {
        const int p = int(kTrendValues[std::size_t(v)].pane);
        auto *s = new QLineSeries;
        charts[std::size_t(p)]->addSeries(s);
        s->attachAxis(xs[std::size_t(p)]);
        s->attachAxis(ys[std::size_t(p)]);
        series.push_back(s);
    }
    chartsWindow.show();
    QCoreApplication::processEvents();
    const double chartsMs = medianFrame(h, next, [&](const TraceColumns &c, qint64 t0, qint64 t1) {
        std::vector<double> low(kTrendPaneCount, 1e300), high(kTrendPaneCount, -1e300);
        for (std::size_t i = 0; i < series.size(); ++i) {
            points(h, c, kShown[i], t0, t1, pts);
            series[i]->replace(pts);
            const std::size_t p = std::size_t(kTrendValues[std::size_t(kShown[i])].pane);
            for (const QPointF &q : std::as_const(pts))
                low[p] = std::min(low[p], q.y()), high[p] = std::max(high[p], q.y());
        }
        for (std::size_t p = 0; p < xs.size(); ++p) {
            xs[p]->setRange(t0 / 1000.0, t1 / 1000.0);
            ys[p]->setRange(low[p], high[p]);
        }
        chartsWindow.repaint();
    });

    bench::report("plot libraries: QCustomPlot, one frame", qcpMs, "ms", "<= 4");
    bench::report("plot libraries: Qt Charts, one frame", chartsMs, "ms", "<= 4");
    return 0;
}
