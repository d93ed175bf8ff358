#pragma once
// The plot of the trend window: one pane per unit (battery voltage,
// currents, speed, temperatures, throttle) on a shared time axis. The
// axes and grids are QCustomPlot's; the readings, the markers of faults and
// link drops and the cursor are drawn by the plot itself, from the history
// reduced to each pane's pixel columns, into one image per pane shown on a
// layer above. A new block while following the latest draws only the
// columns it changed. Wheel zooms the time, dragging pans it, Ctrl+wheel
// zooms the values of one pane, a double click asks for the latest again.

#include "monitor/trendhistory.h"

#include <qcustomplot.h>

#include <QImage>

#include <array>

class TraceLayer;

class TrendPlot : public QCustomPlot
{
    Q_OBJECT
public:
    explicit TrendPlot(QWidget *parent = nullptr);

    void setHistory(const TrendHistory *history);
    const TrendHistory *history() const { return m_history; }
    // The readings drawn; a pane without any is left out.
    void setShownValues(quint16 mask);
    quint16 shownValues() const { return m_shown; }
    // The time shown, in ms since the epoch.
    void setTimeRange(qint64 t0, qint64 t1);
    qint64 timeFrom() const { return m_t0; }
    qint64 timeTo() const { return m_t1; }
    // Axis titles with their units ("Current [A]"), in the order of the panes.
    void setPaneTitles(const QStringList &titles);
    // Values of every pane fitted to what is shown again.
    void autoValues();
    // Everything drawn again (on the next turn of the event loop).
    void refresh();
    // The samples added since the last drawing, drawn into the columns
    // they fall in; everything again when a pane's values no longer fit.
    void drawNewSamples();

    // The cursor line at `timeMs`, or none.
    void setCursorTime(qint64 timeMs);
    void clearCursor();
    // The time under a point of the widget, false outside the panes.
    bool timeAt(const QPointF &pos, qint64 &timeMs) const;
    // The widget with the readings drawn over it.
    QPixmap picture();

    // The columns the last drawing was made from (for tests and benchmarks).
    const TraceColumns &columns() const { return m_columns; }
    int paneCount() const { return int(m_panes.size()); }
    QCPAxisRect *pane(int i) const { return m_panes[std::size_t(i)].rect; }
    bool paneShown(int i) const { return m_panes[std::size_t(i)].shown; }

signals:
    // The user zoomed or panned the time.
    void timeRangeChangedByUser(qint64 t0, qint64 t1);
    void cursorMoved(qint64 timeMs);
    void cursorLeft();
    void liveRequested();

protected:
    void wheelEvent(QWheelEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Pane
    {
        QCPAxisRect *rect = nullptr;
        bool shown = true;
        bool manualValues = false; // zoomed by hand: not fitted any more
        QImage image;              // its readings and markers
        QRect drawn;               // where the image was drawn for
    };
    friend class TraceLayer;

    void layoutPanes();
    void prepare();
    void drawPanes();
    void fitValues(int pane);
    bool fits(int pane) const;
    void onTimeAxisChanged(const QCPRange &range);
    int columnsWanted() const;
    void drawPane(int pane, int fromX, int toX);
    void paintLayer(QPainter &painter, const QRect &region) const;
    int cursorX() const;

    const TrendHistory *m_history = nullptr;
    quint16 m_shown = TrendHistory::kAllValues;
    qint64 m_t0 = 0;
    qint64 m_t1 = 60000;
    std::array<Pane, kTrendPaneCount> m_panes;
    TraceColumns m_columns;
    quint64 m_columnsRevision = ~quint64(0);
    qint64 m_columnsT0 = 0, m_columnsT1 = 0;
    int m_columnsCount = 0;
    quint16 m_columnsShown = 0;
    std::size_t m_eventsDrawn = 0;
    TraceLayer *m_layer = nullptr;
    QCPMarginGroup *m_margins = nullptr;
    bool m_settingRange = false;
    bool m_cursorShown = false;
    qint64 m_cursorMs = 0;
};
