#include "core/localclock.h"

#include <QtGlobal>
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
#include <QTimeZone>
#endif

QDateTime LocalClock::now()
{
    return at(QDateTime::currentMSecsSinceEpoch());
}

QDateTime LocalClock::at(qint64 ms)
{
    // Once a second, and again whenever the clock was set back.
    if (!m_haveOffset || ms - m_offsetAtMs >= 1000 || ms < m_offsetAtMs) {
        m_offsetSeconds = QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).offsetFromUtc();
        m_offsetAtMs = ms;
        m_haveOffset = true;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::fromSecondsAheadOfUtc(m_offsetSeconds));
#else
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, m_offsetSeconds);
#endif
}
