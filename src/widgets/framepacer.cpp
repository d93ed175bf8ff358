#include "framepacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>

FramePacer::FramePacer(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_later(new QTimer(this))
{
    m_later->setSingleShot(true);
    m_later->setTimerType(Qt::PreciseTimer);
    // The requests held back are painted by one posted request of our own,
    // which comes through the filter as any other: by then a frame has gone.
    connect(m_later, &QTimer::timeout, this,
            [this] { QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority); });
    window->installEventFilter(this);
}

int FramePacer::intervalMs() const
{
    return m_intervalMs >= 0 ? m_intervalMs : frameMs();
}

void FramePacer::setIntervalMs(int ms)
{
    m_intervalMs = std::max(0, ms);
}

int FramePacer::frameMs() const
{
    const QScreen *screen = m_window->screen();
    const qreal hz = screen ? screen->refreshRate() : 60.0;
    // A screen that reports nothing sensible is taken as a common one.
    if (!(hz >= 24.0 && hz <= 500.0))
        return 16;
    return std::max(1, int(std::floor(1000.0 / hz)));
}

bool FramePacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::UpdateRequest)
        return QObject::eventFilter(watched, event);
    if (m_later->isActive())
        return true; // painted with the others when the frame comes
    const int interval = intervalMs();
    const qint64 since = m_sincePaint.isValid() ? m_sincePaint.elapsed() : -1;
    if (interval > 0 && since >= 0 && since < interval && m_gapBeforeLast >= 0 && m_gapBeforeLast < 2 * interval) {
        m_later->start(int(interval - since));
        return true;
    }
    m_gapBeforeLast = since;
    m_sincePaint.start();
    return false;
}
