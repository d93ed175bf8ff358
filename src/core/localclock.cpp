#include "core/localclock.h"

#include <QtGlobal>
#include <ctime>
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
#include <QTimeZone>
#endif

namespace {
// The zone's offset at a time: one reading of the zone rules, where
// QDateTime reads them twice.
int offsetFromUtcAt(qint64 ms)
{
#if defined(__GLIBC__)
    tzset(); // the rules as they are now, should the zone have changed
    const time_t secs = time_t(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    tm local{};
    if (localtime_r(&secs, &local))
        return int(local.tm_gmtoff);
#endif
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).offsetFromUtc();
}
} // namespace

QDateTime LocalClock::now()
{
    return at(QDateTime::currentMSecsSinceEpoch());
}

QDateTime LocalClock::at(qint64 ms)
{
    // Once a second, and again whenever the clock was set back.
    if (!m_haveOffset || ms - m_offsetAtMs >= 1000 || ms < m_offsetAtMs) {
        m_offsetSeconds = offsetFromUtcAt(ms);
        m_offsetAtMs = ms;
        m_haveOffset = true;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::fromSecondsAheadOfUtc(m_offsetSeconds));
#else
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, m_offsetSeconds);
#endif
}
