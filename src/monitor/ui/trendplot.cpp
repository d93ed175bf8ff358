#include "monitor/ui/trendplot.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr qint64 kShortestSpanMs = 1000;
constexpr qint64 kLongestSpanMs = 7LL * 24 * 3600 * 1000;

QColor colorOf(quint32 rgb)
{
    return QColor(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// Far outside the pane only the side matters; keeps the stroker's fixed point
// arithmetic clear of overflow.
int clampPixel(double p)
{
    return int(std::lround(std::clamp(p, -1.0e6, 1.0e6)));
}
} // namespace

// One reading, drawn from the plot's columns: in each pixel column a
// vertical stroke from the lowest to the highest sample, joined to the
// column before by a line from its last sample to this column's first. The
// lines are whole pixels and unsmoothed: this is what a polyline through
// every sample would look like at this size, at a fraction of the cost.
class TraceDrawing : public QCPAbstractPlottable
{
public:
    TraceDrawing(TrendPlot *plot, QCPAxisRect *rect, int value)
        : QCPAbstractPlottable(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft)),
          m_plot(plot),
          m_value(value)
    {
        setPen(QPen(colorOf(kTrendValues[std::size_t(value)].color), 1));
        setAntialiased(false);
        setSelectable(QCP::stNone);
    }
    int value() const { return m_value; }

    double selectTest(const QPointF &, bool, QVariant *) const override { return -1; }
    QCPRange getKeyRange(bool &found, QCP::SignDomain) const override
    {
        found = false;
        return {};
    }
    QCPRange getValueRange(bool &found, QCP::SignDomain, const QCPRange &) const override
    {
        found = false;
        return {};
    }

protected:
    void draw(QCPPainter *painter) override
    {
        const std::vector<TraceColumn> &columns = m_plot->m_columns.values[std::size_t(m_value)];
        if (columns.empty() || m_plot->m_columnsCount <= 0)
            return;
        const double columnMs = double(m_plot->m_columnsT1 - m_plot->m_columnsT0) / m_plot->m_columnsCount;
        const double firstCentre = (double(m_plot->m_columnsT0) + 0.5 * columnMs) / 1000.0;
        const double x0 = keyAxis()->coordToPixel(firstCentre);
        const double xa = keyAxis()->coordToPixel(firstCentre + columnMs / 1000.0) - x0;
        const double divisor = kTrendValues[std::size_t(m_value)].divisor;
        const double y0 = valueAxis()->coordToPixel(0);
        const double ya = valueAxis()->coordToPixel(1.0 / divisor) - y0;
        auto X = [&](int column) { return clampPixel(x0 + xa * column); };
        auto Y = [&](qint32 counts) { return clampPixel(y0 + ya * counts); };

        m_lines.clear();
        m_dots.clear();
        int previousX = 0;
        int previousY = 0;
        const std::size_t n = columns.size();
        for (std::size_t i = 0; i < n; ++i) {
            const TraceColumn &c = columns[i];
            const int x = X(c.column);
            const int yFirst = Y(c.first);
            if (c.joined)
                m_lines.emplace_back(previousX, previousY, x, yFirst);
            if (c.min != c.max) {
                const int a = Y(c.min), b = Y(c.max);
                m_lines.emplace_back(x, std::min(a, b), x, std::max(a, b));
            }
            // A sample with a gap either side would be invisible as a line.
            const bool nextJoined = i + 1 < n && columns[i + 1].joined;
            if (!c.joined && !nextJoined)
                m_dots.emplace_back(x - 1, std::min(Y(c.min), Y(c.max)) - 1, 3, std::abs(Y(c.max) - Y(c.min)) + 3);
            previousX = x;
            previousY = Y(c.last);
        }
        applyDefaultAntialiasingHint(painter);
        painter->setPen(pen());
        if (!m_lines.empty())
            painter->drawLines(m_lines.data(), int(m_lines.size()));
        for (const QRect &dot : m_dots)
            painter->fillRect(dot, pen().color());
    }
    void drawLegendIcon(QCPPainter *, const QRectF &) const override {}

private:
    TrendPlot *m_plot;
    int m_value;
    std::vector<QLine> m_lines;
    std::vector<QRect> m_dots;
};

// The moments a fault appeared (red) or cleared (green) and the link went
// down (dark, dashed) or came back (grey, dashed), one line per pixel column
// and kind however many fall there.
class MarkerDrawing : public QCPAbstractPlottable
{
public:
    MarkerDrawing(TrendPlot *plot, QCPAxisRect *rect)
        : QCPAbstractPlottable(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft)), m_plot(plot)
    {
        setAntialiased(false);
        setSelectable(QCP::stNone);
    }
    double selectTest(const QPointF &, bool, QVariant *) const override { return -1; }
    QCPRange getKeyRange(bool &found, QCP::SignDomain) const override
    {
        found = false;
        return {};
    }
    QCPRange getValueRange(bool &found, QCP::SignDomain, const QCPRange &) const override
    {
        found = false;
        return {};
    }

protected:
    void draw(QCPPainter *painter) override
    {
        const TrendHistory *h = m_plot->history();
        if (!h || h->events().empty())
            return;
        const auto &events = h->events();
        auto it = std::lower_bound(events.begin(), events.end(), m_plot->timeFrom(),
                                   [](const TrendEvent &e, qint64 t) { return e.timeMs < t; });
        const QRect r = keyAxis()->axisRect()->rect();
        static const QPen pens[4] = {QPen(QColor(210, 0, 0, 130), 1), QPen(QColor(0, 150, 0, 130), 1),
                                     QPen(QColor(40, 40, 40), 1, Qt::DashLine),
                                     QPen(QColor(140, 140, 140), 1, Qt::DashLine)};
        int lastX[4] = {INT_MIN, INT_MIN, INT_MIN, INT_MIN};
        for (; it != events.end() && it->timeMs <= m_plot->timeTo(); ++it) {
            const int x = clampPixel(keyAxis()->coordToPixel(it->timeMs / 1000.0));
            if (x == lastX[it->kind])
                continue;
            lastX[it->kind] = x;
            painter->setPen(pens[it->kind]);
            painter->drawLine(QLine(x, r.top(), x, r.bottom()));
        }
    }
    void drawLegendIcon(QCPPainter *, const QRectF &) const override {}

private:
    TrendPlot *m_plot;
};

TrendPlot::TrendPlot(QWidget *parent) : QCustomPlot(parent)
{
    setObjectName(QStringLiteral("plotTrends"));
    setNoAntialiasingOnDrag(true);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_margins = new QCPMarginGroup(this);
    addLayer(QStringLiteral("cursor"), layer(QStringLiteral("overlay")), limAbove);
    m_cursorLayer = layer(QStringLiteral("cursor"));
    // The cursor follows the mouse without drawing the traces again.
    m_cursorLayer->setMode(QCPLayer::lmBuffered);

    for (int p = 0; p < kTrendPaneCount; ++p) {
        Pane &pane = m_panes[std::size_t(p)];
        // The plot's own first rect is the first pane: new items look for it.
        pane.rect = p == 0 ? axisRect() : new QCPAxisRect(this);
        pane.rect->setMarginGroup(QCP::msLeft | QCP::msRight, m_margins);
        pane.rect->setRangeDrag(Qt::Horizontal);
        pane.rect->setRangeZoom(Qt::Horizontal);
        QSharedPointer<QCPAxisTickerDateTime> ticker(new QCPAxisTickerDateTime);
        ticker->setDateTimeFormat(QStringLiteral("HH:mm:ss"));
        QCPAxis *time = pane.rect->axis(QCPAxis::atBottom);
        time->setTicker(ticker);
        connect(time, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this, &TrendPlot::onTimeAxisChanged);
        QFont small = font();
        small.setPointSizeF(std::max(7.0, small.pointSizeF() - 1));
        pane.rect->axis(QCPAxis::atLeft)->setLabelFont(small);
        pane.rect->axis(QCPAxis::atLeft)->setTickLabelFont(small);
        time->setTickLabelFont(small);
        new MarkerDrawing(this, pane.rect);
        pane.cursor = new QCPItemStraightLine(this);
        pane.cursor->setLayer(m_cursorLayer);
        pane.cursor->setClipAxisRect(pane.rect);
        pane.cursor->setPen(QPen(QColor(20, 20, 20), 1));
        pane.cursor->setAntialiased(false);
        for (QCPItemPosition *position : pane.cursor->positions())
            position->setAxes(time, pane.rect->axis(QCPAxis::atLeft));
        pane.cursor->setVisible(false);
        pane.cursor->setSelectable(false);
    }
    for (int v = 0; v < kTrendValueCount; ++v)
        new TraceDrawing(this, m_panes[std::size_t(kTrendValues[std::size_t(v)].pane)].rect, v);
    connect(this, &QCustomPlot::beforeReplot, this, &TrendPlot::prepare);
    layoutPanes();
    setTimeRange(m_t0, m_t1);
}

void TrendPlot::setHistory(const TrendHistory *history)
{
    m_history = history;
    m_columnsRevision = ~quint64(0);
    const Qt::TimeSpec spec = history && history->elapsedTimes() ? Qt::UTC : Qt::LocalTime;
    for (Pane &pane : m_panes) {
        if (auto ticker = pane.rect->axis(QCPAxis::atBottom)->ticker().dynamicCast<QCPAxisTickerDateTime>())
            ticker->setDateTimeSpec(spec);
    }
}

void TrendPlot::setShownValues(quint16 mask)
{
    if (mask == m_shown)
        return;
    m_shown = mask;
    layoutPanes();
}

void TrendPlot::layoutPanes()
{
    for (int i = 0; i < plottableCount(); ++i) {
        if (auto *trace = dynamic_cast<TraceDrawing *>(plottable(i)))
            trace->setVisible(m_shown & (1u << trace->value()));
    }
    for (int p = 0; p < kTrendPaneCount; ++p) {
        bool any = false;
        for (int v = 0; v < kTrendValueCount; ++v)
            any = any || (int(kTrendValues[std::size_t(v)].pane) == p && (m_shown & (1u << v)));
        m_panes[std::size_t(p)].shown = any;
    }
    // An empty layout gets one pane, so the time axis stays.
    const bool none = std::none_of(m_panes.begin(), m_panes.end(), [](const Pane &p) { return p.shown; });
    for (Pane &pane : m_panes)
        if (pane.rect->layout() == plotLayout())
            plotLayout()->take(pane.rect);
    plotLayout()->simplify();
    int row = 0;
    int last = -1;
    for (int p = 0; p < kTrendPaneCount; ++p) {
        Pane &pane = m_panes[std::size_t(p)];
        const bool shown = pane.shown || (none && p == 0);
        pane.rect->setVisible(shown);
        if (!shown)
            continue;
        plotLayout()->addElement(row++, 0, pane.rect);
        last = p;
    }
    for (int p = 0; p < kTrendPaneCount; ++p)
        m_panes[std::size_t(p)].rect->axis(QCPAxis::atBottom)->setTickLabels(p == last);
}

void TrendPlot::setTimeRange(qint64 t0, qint64 t1)
{
    const qint64 span = std::clamp(t1 - t0, kShortestSpanMs, kLongestSpanMs);
    m_t0 = t1 - span;
    m_t1 = t1;
    m_settingRange = true;
    for (Pane &pane : m_panes)
        pane.rect->axis(QCPAxis::atBottom)->setRange(m_t0 / 1000.0, m_t1 / 1000.0);
    m_settingRange = false;
}

void TrendPlot::onTimeAxisChanged(const QCPRange &range)
{
    if (m_settingRange)
        return;
    // Zoomed or dragged in one pane: every pane shows the same time.
    const qint64 t0 = qint64(std::llround(range.lower * 1000.0));
    const qint64 t1 = qint64(std::llround(range.upper * 1000.0));
    setTimeRange(t0, t1);
    emit timeRangeChangedByUser(m_t0, m_t1);
}

void TrendPlot::setPaneTitles(const QStringList &titles)
{
    for (int p = 0; p < kTrendPaneCount; ++p)
        m_panes[std::size_t(p)].rect->axis(QCPAxis::atLeft)->setLabel(titles.value(p));
}

void TrendPlot::autoValues()
{
    for (Pane &pane : m_panes)
        pane.manualValues = false;
}

int TrendPlot::columnsWanted() const
{
    for (const Pane &pane : m_panes)
        if (pane.rect->visible() && pane.rect->width() > 0)
            return pane.rect->width();
    return std::max(1, width() - 80);
}

// Before every drawing: the columns for the time and the width shown, and
// each pane's values fitted to them.
void TrendPlot::prepare()
{
    const int columns = columnsWanted();
    const quint64 revision = m_history ? m_history->revision() : 0;
    if (revision != m_columnsRevision || m_t0 != m_columnsT0 || m_t1 != m_columnsT1 || columns != m_columnsCount
        || m_shown != m_columnsShown) {
        if (m_history)
            decimate(*m_history, m_t0, m_t1, columns, quint16(m_shown & m_history->presentValues()), m_columns);
        else
            m_columns = {};
        m_columnsRevision = revision;
        m_columnsT0 = m_t0;
        m_columnsT1 = m_t1;
        m_columnsCount = columns;
        m_columnsShown = m_shown;
    }
    for (int p = 0; p < kTrendPaneCount; ++p)
        if (!m_panes[std::size_t(p)].manualValues)
            fitValues(p);
}

void TrendPlot::fitValues(int p)
{
    double low = 0, high = 0;
    bool any = false;
    for (int v = 0; v < kTrendValueCount; ++v) {
        if (int(kTrendValues[std::size_t(v)].pane) != p || !(m_shown & (1u << v)))
            continue;
        const double divisor = kTrendValues[std::size_t(v)].divisor;
        for (const TraceColumn &c : m_columns.values[std::size_t(v)]) {
            // The samples outside the range only steer the lines to the edge.
            if (c.column < 0 || c.column >= m_columnsCount)
                continue;
            const double lo = c.min / divisor, hi = c.max / divisor;
            low = any ? std::min(low, lo) : lo;
            high = any ? std::max(high, hi) : hi;
            any = true;
        }
    }
    if (!any) {
        low = 0;
        high = 1;
    }
    const double span = high - low;
    const double margin = span > 0 ? span * 0.06 : std::max(1.0, std::abs(high) * 0.05);
    m_panes[std::size_t(p)].rect->axis(QCPAxis::atLeft)->setRange(low - margin, high + margin);
}

void TrendPlot::refresh()
{
    replot(rpQueuedReplot);
}

void TrendPlot::setCursorTime(qint64 timeMs)
{
    for (Pane &pane : m_panes) {
        for (QCPItemPosition *position : pane.cursor->positions())
            position->setCoords(timeMs / 1000.0, 0);
        pane.cursor->point2->setCoords(timeMs / 1000.0, 1);
        pane.cursor->setVisible(pane.rect->visible());
    }
    m_cursorLayer->replot();
}

void TrendPlot::clearCursor()
{
    bool shown = false;
    for (Pane &pane : m_panes) {
        shown = shown || pane.cursor->visible();
        pane.cursor->setVisible(false);
    }
    if (shown)
        m_cursorLayer->replot();
}

bool TrendPlot::timeAt(const QPointF &pos, qint64 &timeMs) const
{
    for (const Pane &pane : m_panes) {
        if (!pane.rect->visible())
            continue;
        const QRect r = pane.rect->rect();
        if (pos.x() < r.left() || pos.x() > r.right())
            return false;
        timeMs = qint64(std::llround(pane.rect->axis(QCPAxis::atBottom)->pixelToCoord(pos.x()) * 1000.0));
        return true;
    }
    return false;
}

void TrendPlot::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QCustomPlot::wheelEvent(event);
        return;
    }
    QCPAxisRect *rect = axisRectAt(event->position());
    for (Pane &pane : m_panes) {
        if (pane.rect != rect)
            continue;
        QCPAxis *values = rect->axis(QCPAxis::atLeft);
        const double steps = event->angleDelta().y() / 120.0;
        values->scaleRange(std::pow(0.85, steps), values->pixelToCoord(event->position().y()));
        pane.manualValues = true;
        replot(rpQueuedReplot);
    }
    event->accept();
}

void TrendPlot::mouseMoveEvent(QMouseEvent *event)
{
    QCustomPlot::mouseMoveEvent(event);
    qint64 t = 0;
    if (timeAt(event->position(), t))
        emit cursorMoved(t);
    else
        emit cursorLeft();
}

void TrendPlot::mouseDoubleClickEvent(QMouseEvent *event)
{
    QCustomPlot::mouseDoubleClickEvent(event);
    autoValues();
    emit liveRequested();
}

void TrendPlot::leaveEvent(QEvent *event)
{
    QCustomPlot::leaveEvent(event);
    emit cursorLeft();
}
