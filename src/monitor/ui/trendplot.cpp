#include "monitor/ui/trendplot.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr qint64 kShortestSpanMs = 1000;
constexpr qint64 kLongestSpanMs = 7LL * 24 * 3600 * 1000;

// Far outside the pane only the side matters.
int clampPixel(double p)
{
    return int(std::floor(std::clamp(p, -1.0e6, 1.0e6) + 0.5));
}

QRgb rgbOf(quint32 rgb)
{
    return qRgb(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// Fault appeared, fault cleared, link down, link back.
const QRgb kMarkerColors[4] = {qRgb(240, 140, 140), qRgb(140, 205, 140), qRgb(60, 60, 60), qRgb(150, 150, 150)};

// Pixel writes into a pane's image, clipped to a strip of it: a few per
// pixel column instead of a painter call per line.
class PanePixels
{
public:
    PanePixels(QImage &image, QPoint origin, int fromX, int toX)
        : m_bits(reinterpret_cast<QRgb *>(image.bits())),
          m_stride(image.bytesPerLine() / 4),
          m_width(image.width()),
          m_height(image.height()),
          m_origin(origin),
          m_from(int(std::max<qint64>(0, qint64(fromX) - origin.x()))),
          m_to(int(std::min<qint64>(image.width() - 1, qint64(toX) - origin.x())))
    {
    }
    bool empty() const { return m_from > m_to; }
    void clear()
    {
        for (int y = 0; y < m_height; ++y)
            std::fill(m_bits + y * m_stride + m_from, m_bits + y * m_stride + m_to + 1, QRgb(0));
    }
    // A vertical run of pixels; every `dash` on, `dash / 2` off when dashed.
    void column(int x, int top, int bottom, QRgb color, int dash = 0)
    {
        x -= m_origin.x();
        if (x < m_from || x > m_to)
            return;
        top = std::max(top - m_origin.y(), 0);
        bottom = std::min(bottom - m_origin.y(), m_height - 1);
        QRgb *pixel = m_bits + top * m_stride + x;
        for (int y = top; y <= bottom; ++y, pixel += m_stride) {
            if (!dash || (y % (dash + dash / 2)) < dash)
                *pixel = color;
        }
    }
    // A line between columns further apart. Clipped to the whole image, not
    // to the strip: the pixels of a line drawn in parts are those of the
    // line drawn whole.
    void line(int x1, int y1, int x2, int y2, QRgb color)
    {
        const double ax = x1 - m_origin.x(), ay = y1 - m_origin.y();
        const double dx = x2 - x1, dy = y2 - y1;
        double t0 = 0, t1 = 1;
        // Liang-Barsky against the image.
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {ax, m_width - 1 - ax, ay, m_height - 1 - ay};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return;
        }
        int x = int(std::floor(ax + t0 * dx + 0.5)), y = int(std::floor(ay + t0 * dy + 0.5));
        const int ex = int(std::floor(ax + t1 * dx + 0.5)), ey = int(std::floor(ay + t1 * dy + 0.5));
        const int sx = x < ex ? 1 : -1, sy = y < ey ? 1 : -1;
        const int ddx = std::abs(ex - x), ddy = -std::abs(ey - y);
        int err = ddx + ddy;
        for (;;) {
            if (x >= m_from && x <= m_to && y >= 0 && y < m_height)
                m_bits[y * m_stride + x] = color;
            if (x == ex && y == ey)
                break;
            const int e2 = 2 * err;
            if (e2 >= ddy) {
                err += ddy;
                x += sx;
            }
            if (e2 <= ddx) {
                err += ddx;
                y += sy;
            }
        }
    }

private:
    QRgb *m_bits;
    qsizetype m_stride;
    int m_width, m_height;
    QPoint m_origin;
    int m_from, m_to; // image columns
};
} // namespace

// The panes' images above the axes and grids, and the cursor line: a layer
// of its own, so that a new block or a moved cursor repaints a strip of it
// and not the whole plot.
class TraceLayer : public QWidget
{
public:
    explicit TraceLayer(TrendPlot *plot) : QWidget(plot), m_plot(plot)
    {
        setObjectName(QStringLiteral("trendTraces"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        m_plot->paintLayer(painter, event->rect());
    }

private:
    TrendPlot *m_plot;
};

TrendPlot::TrendPlot(QWidget *parent) : QCustomPlot(parent)
{
    setObjectName(QStringLiteral("plotTrends"));
    setNoAntialiasingOnDrag(true);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_margins = new QCPMarginGroup(this);

    for (int p = 0; p < kTrendPaneCount; ++p) {
        Pane &pane = m_panes[std::size_t(p)];
        // The plot's own first rect is the first pane.
        pane.rect = p == 0 ? axisRect() : new QCPAxisRect(this);
        pane.rect->setMarginGroup(QCP::msLeft | QCP::msRight, m_margins);
        pane.rect->setRangeDrag(Qt::Horizontal);
        pane.rect->setRangeZoom(Qt::Horizontal);
        QSharedPointer<QCPAxisTickerDateTime> ticker(new QCPAxisTickerDateTime);
        ticker->setDateTimeFormat(QStringLiteral("HH:mm:ss"));
        QCPAxis *time = pane.rect->axis(QCPAxis::atBottom);
        time->setTicker(ticker);
        // Solid grid lines: dotted ones cost more to draw than the traces.
        for (QCPAxis *axis : {time, pane.rect->axis(QCPAxis::atLeft)}) {
            axis->grid()->setPen(QPen(QColor(225, 225, 225), 0));
            axis->grid()->setZeroLinePen(QPen(QColor(190, 190, 190), 0));
        }
        connect(time, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this, &TrendPlot::onTimeAxisChanged);
        QFont small = font();
        small.setPointSizeF(std::max(7.0, small.pointSizeF() - 1));
        pane.rect->axis(QCPAxis::atLeft)->setLabelFont(small);
        pane.rect->axis(QCPAxis::atLeft)->setTickLabelFont(small);
        time->setTickLabelFont(small);
    }
    m_layer = new TraceLayer(this);
    m_layer->setGeometry(rect());
    connect(this, &QCustomPlot::beforeReplot, this, &TrendPlot::prepare);
    connect(this, &QCustomPlot::afterLayout, this, &TrendPlot::drawPanes);
    layoutPanes();
    setTimeRange(m_t0, m_t1);
}

void TrendPlot::setHistory(const TrendHistory *history)
{
    m_history = history;
    m_columnsRevision = ~quint64(0);
    const Qt::TimeSpec zone = history ? history->timeZone() : Qt::LocalTime;
    for (Pane &pane : m_panes) {
        if (auto ticker = pane.rect->axis(QCPAxis::atBottom)->ticker().dynamicCast<QCPAxisTickerDateTime>())
            ticker->setDateTimeSpec(zone);
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

// The lowest and highest value of a pane's readings in the columns shown.
static bool paneExtent(const TraceColumns &columns, int count, quint16 shown, int pane, double &low, double &high)
{
    bool any = false;
    for (int v = 0; v < kTrendValueCount; ++v) {
        if (int(kTrendValues[std::size_t(v)].pane) != pane || !(shown & (1u << v)))
            continue;
        const double divisor = kTrendValues[std::size_t(v)].divisor;
        for (const TraceColumn &c : columns.values[std::size_t(v)]) {
            // The samples outside the range only steer the lines to the edge.
            if (c.column < 0 || c.column >= count)
                continue;
            const double lo = c.min / divisor, hi = c.max / divisor;
            low = any ? std::min(low, lo) : lo;
            high = any ? std::max(high, hi) : hi;
            any = true;
        }
    }
    return any;
}

// The values a pane shows when fitted to its columns.
static QCPRange fittedRange(const TraceColumns &columns, int count, quint16 shown, int pane)
{
    double low = 0, high = 1;
    if (!paneExtent(columns, count, shown, pane, low, high)) {
        low = 0;
        high = 1;
    }
    const double span = high - low;
    const double margin = span > 0 ? span * 0.06 : std::max(1.0, std::abs(high) * 0.05);
    return QCPRange(low - margin, high + margin);
}

void TrendPlot::fitValues(int p)
{
    m_panes[std::size_t(p)].rect->axis(QCPAxis::atLeft)->setRange(fittedRange(m_columns, m_columnsCount, m_shown, p));
}

// Whether the pane's values stay as they are with the columns as they are
// now: if not, the whole plot is drawn again with them fitted.
bool TrendPlot::fits(int p) const
{
    const QCPRange now = m_panes[std::size_t(p)].rect->axis(QCPAxis::atLeft)->range();
    const QCPRange fitted = fittedRange(m_columns, m_columnsCount, m_shown, p);
    return now.lower == fitted.lower && now.upper == fitted.upper;
}

// After the layout of every drawing: each pane's image made afresh.
void TrendPlot::drawPanes()
{
    if (columnsWanted() != m_columnsCount && m_history) {
        // Resized since the columns were made: the values stay as fitted.
        m_columnsCount = columnsWanted();
        decimate(*m_history, m_t0, m_t1, m_columnsCount, quint16(m_shown & m_history->presentValues()), m_columns);
    }
    for (int p = 0; p < kTrendPaneCount; ++p) {
        Pane &pane = m_panes[std::size_t(p)];
        if (!pane.rect->visible())
            continue;
        const QRect r = pane.rect->rect();
        if (pane.image.size() != r.size())
            pane.image = QImage(r.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        pane.drawn = r;
        drawPane(p, INT_MIN, INT_MAX);
    }
    m_eventsDrawn = m_history ? m_history->events().size() : 0;
    // The plot repaints all of itself after this, the layer with it.
}

void TrendPlot::drawPane(int p, int fromX, int toX)
{
    Pane &pane = m_panes[std::size_t(p)];
    PanePixels pixels(pane.image, pane.drawn.topLeft(), fromX, toX);
    if (pixels.empty())
        return;
    pixels.clear();
    QCPAxis *keys = pane.rect->axis(QCPAxis::atBottom);
    QCPAxis *values = pane.rect->axis(QCPAxis::atLeft);
    const int top = pane.drawn.top();
    const int bottom = pane.drawn.bottom();

    if (m_history && !m_history->events().empty()) {
        const auto &events = m_history->events();
        auto it = std::lower_bound(events.begin(), events.end(), m_t0,
                                   [](const TrendEvent &e, qint64 t) { return e.timeMs < t; });
        for (; it != events.end() && it->timeMs <= m_t1; ++it) {
            const int x = clampPixel(keys->coordToPixel(it->timeMs / 1000.0));
            const bool link = it->kind == TrendEvent::LinkDown || it->kind == TrendEvent::LinkUp;
            pixels.column(x, top, bottom, kMarkerColors[it->kind], link ? 4 : 0);
        }
    }
    if (m_columnsCount <= 0)
        return;

    // In each pixel column a stroke from the lowest to the highest sample,
    // reaching to the last sample of the column before; columns further
    // apart joined by a line from the last sample to the first. Whole
    // pixels, unsmoothed: what a polyline through every sample looks like
    // at this size.
    const double columnMs = double(m_columnsT1 - m_columnsT0) / m_columnsCount;
    const double firstCentre = (double(m_columnsT0) + 0.5 * columnMs) / 1000.0;
    const double x0 = keys->coordToPixel(firstCentre);
    const double xa = keys->coordToPixel(firstCentre + columnMs / 1000.0) - x0;
    for (int v = 0; v < kTrendValueCount; ++v) {
        const TrendValueDef &d = kTrendValues[std::size_t(v)];
        if (int(d.pane) != p || !(m_columnsShown & (1u << v)))
            continue;
        const std::vector<TraceColumn> &columns = m_columns.values[std::size_t(v)];
        const double y0 = values->coordToPixel(0);
        const double ya = values->coordToPixel(1.0 / d.divisor) - y0;
        auto X = [&](int c) { return clampPixel(x0 + xa * c); };
        auto Y = [&](qint32 counts) { return clampPixel(y0 + ya * counts); };
        const QRgb color = rgbOf(d.color);
        int previousX = 0;
        int previousY = 0;
        const std::size_t n = columns.size();
        for (std::size_t i = 0; i < n; ++i) {
            const TraceColumn &c = columns[i];
            const int x = X(c.column);
            if (x < qint64(fromX) - 1 && (i + 1 >= n || X(columns[i + 1].column) < fromX)) {
                previousX = x;
                previousY = Y(c.last);
                continue; // left of the strip, and so is the next
            }
            if (x > qint64(toX) + 1 && (!c.joined || previousX > toX))
                break;
            const int yMin = Y(c.min), yMax = Y(c.max);
            int low = std::min(yMin, yMax);
            int high = std::max(yMin, yMax);
            if (c.joined) {
                if (x - previousX <= 1) {
                    low = std::min(low, previousY);
                    high = std::max(high, previousY);
                } else {
                    pixels.line(previousX, previousY, x, Y(c.first), color);
                }
            }
            pixels.column(x, low, high, color);
            // A sample with a gap either side would be lost as a single pixel.
            const bool nextJoined = i + 1 < n && columns[i + 1].joined;
            if (!c.joined && !nextJoined) {
                for (int dx = -1; dx <= 1; ++dx)
                    pixels.column(x + dx, low - 1, high + 1, color);
            }
            previousX = x;
            previousY = Y(c.last);
        }
    }
}

void TrendPlot::paintLayer(QPainter &painter, const QRect &region) const
{
    for (const Pane &pane : m_panes) {
        if (!pane.rect->visible() || pane.image.isNull())
            continue;
        const QRect target = pane.drawn.intersected(region);
        if (!target.isEmpty())
            painter.drawImage(target, pane.image, target.translated(-pane.drawn.topLeft()));
    }
    const int x = cursorX();
    if (x >= 0) {
        painter.setPen(QPen(QColor(20, 20, 20), 0));
        for (const Pane &pane : m_panes)
            if (pane.rect->visible())
                painter.drawLine(x, pane.drawn.top(), x, pane.drawn.bottom());
    }
}

void TrendPlot::drawNewSamples()
{
    const int columns = columnsWanted();
    if (!m_history || m_columnsT0 != m_t0 || m_columnsT1 != m_t1 || m_columnsCount != columns
        || m_columnsShown != m_shown) {
        refresh();
        return;
    }
    const int changed = decimateAppend(*m_history, m_t0, m_t1, m_columnsCount,
                                       quint16(m_shown & m_history->presentValues()), m_columns);
    m_columnsRevision = m_history->revision();
    int fromX = INT_MAX;
    const QCPAxis *keys = nullptr;
    for (const Pane &pane : m_panes)
        if (pane.rect->visible())
            keys = pane.rect->axis(QCPAxis::atBottom);
    if (!keys)
        return;
    if (changed != INT_MAX) {
        for (int p = 0; p < kTrendPaneCount; ++p) {
            if (m_panes[std::size_t(p)].rect->visible() && !m_panes[std::size_t(p)].manualValues && !fits(p)) {
                refresh();
                return;
            }
        }
        // From the column with samples before: its line runs on into the
        // new one, and a lone sample there is no longer drawn as a dot.
        int before = changed - 1;
        for (const auto &values : m_columns.values) {
            for (auto it = values.rbegin(); it != values.rend(); ++it) {
                if (it->column < changed) {
                    before = std::min(before, it->column);
                    break;
                }
            }
        }
        const double columnMs = double(m_t1 - m_t0) / m_columnsCount;
        fromX = clampPixel(keys->coordToPixel((m_t0 + before * columnMs) / 1000.0)) - 2;
    }
    const auto &events = m_history->events();
    if (events.size() < m_eventsDrawn)
        m_eventsDrawn = 0;
    for (std::size_t i = m_eventsDrawn; i < events.size(); ++i)
        fromX = std::min(fromX, clampPixel(keys->coordToPixel(events[i].timeMs / 1000.0)) - 1);
    m_eventsDrawn = events.size();
    if (fromX == INT_MAX)
        return;
    int toX = fromX;
    for (int p = 0; p < kTrendPaneCount; ++p) {
        const Pane &pane = m_panes[std::size_t(p)];
        if (!pane.rect->visible())
            continue;
        toX = std::max(toX, pane.drawn.right());
        drawPane(p, fromX, pane.drawn.right());
    }
    if (toX >= fromX)
        m_layer->update(QRect(fromX, 0, toX - fromX + 1, height()));
}

void TrendPlot::refresh()
{
    replot(rpQueuedReplot);
}

int TrendPlot::cursorX() const
{
    if (!m_cursorShown)
        return -1;
    for (const Pane &pane : m_panes) {
        if (!pane.rect->visible())
            continue;
        const int x = clampPixel(pane.rect->axis(QCPAxis::atBottom)->coordToPixel(m_cursorMs / 1000.0));
        return x >= pane.drawn.left() && x <= pane.drawn.right() ? x : -1;
    }
    return -1;
}

void TrendPlot::setCursorTime(qint64 timeMs)
{
    const int before = cursorX();
    m_cursorShown = true;
    m_cursorMs = timeMs;
    const int after = cursorX();
    if (before == after)
        return;
    if (before >= 0)
        m_layer->update(QRect(before, 0, 1, height()));
    if (after >= 0)
        m_layer->update(QRect(after, 0, 1, height()));
}

void TrendPlot::clearCursor()
{
    const int before = cursorX();
    m_cursorShown = false;
    if (before >= 0)
        m_layer->update(QRect(before, 0, 1, height()));
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

QPixmap TrendPlot::picture()
{
    replot(rpImmediateRefresh);
    return grab();
}

void TrendPlot::resizeEvent(QResizeEvent *event)
{
    m_layer->setGeometry(QRect(QPoint(0, 0), event->size()));
    QCustomPlot::resizeEvent(event);
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
