#pragma once
// Local time for what is stamped on every status block. The milliseconds
// come from the system clock on every read; the offset from UTC (which needs
// the time-zone rules, a file look-up per read) is looked up again at most
// once a second, so a change of summer time or of the zone shows within a
// second.

#include <QDateTime>

class LocalClock
{
public:
    QDateTime now();
    // The same for a given time since the epoch (tests step it by hand).
    QDateTime at(qint64 msecsSinceEpoch);

private:
    qint64 m_offsetAtMs = 0;  // when the offset was looked up
    int m_offsetSeconds = 0;
    bool m_haveOffset = false;
};
