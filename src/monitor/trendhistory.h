#pragma once
// The history behind the trend window: every live-status block since the
// first, as a compact sample with its time, for the last hour; the moments
// a fault appeared or cleared and the link went down or came back; and the
// reduction of any stretch of it to what a given number of pixel columns can
// show. Kept from the first block whether the window is open or not.

#include "core/frames.h"
#include "monitor/statussample.h"

#include <QDateTime>

#include <array>
#include <deque>
#include <functional>
#include <vector>

// One status block in 40 bytes: an hour at ten blocks a second is 1.4 MB.
struct TrendSample
{
    enum Flag : quint8 { SegmentStart = 0x01 }; // no line joins it to the sample before

    qint64 timeMs = 0; // milliseconds since the epoch
    // Each reading's counts in 16 bits, unsigned for the unsigned words.
    std::array<quint16, kTrendValueCount> packed{};
    quint16 currentErrors = 0;
    quint16 historyErrors = 0;
    quint8 stateBits = 0, ioLevels = 0, machine = 0, gear = 0, hallState = 0, mode = 0;
    quint8 flags = 0;

    static TrendSample from(const StatusSample &s, qint64 timeMs);
    qint32 counts(int value) const
    {
        const quint16 p = packed[std::size_t(value)];
        return kTrendValues[std::size_t(value)].form == TrendValueDef::U16 ? qint32(p) : qint32(qint16(p));
    }
    double value(int v) const { return counts(v) / double(kTrendValues[std::size_t(v)].divisor); }
    StatusSample status() const;
    bool segmentStart() const { return flags & SegmentStart; }
};

struct TrendEvent
{
    enum Kind : quint8 { FaultAppeared, FaultCleared, LinkDown, LinkUp };
    qint64 timeMs = 0;
    Kind kind = LinkDown;
    quint16 bits = 0; // the bits of the current error word that changed
};

class TrendHistory
{
public:
    static constexpr qint64 kLiveSpanMs = 60 * 60 * 1000;
    // An hour at the fastest poll, with room for a controller that sends a
    // little faster than asked.
    static constexpr int kLiveCapacity = 45000;
    // Samples further apart than this are not joined by a line even when
    // the link never reported a drop (the tool itself was held up).
    static constexpr qint64 kGapMs = 3000;
    static constexpr quint16 kAllValues = (1u << kTrendValueCount) - 1;

    // `spanMs` 0: nothing is dropped for its age (a recording opened from a
    // file); at most `capacity` samples are kept either way.
    explicit TrendHistory(int capacity = kLiveCapacity, qint64 spanMs = kLiveSpanMs);

    // A live-status block as it came (sign bits included) and its time.
    void statusBlock(const Block &block, const QDateTime &time);
    void addSample(const StatusSample &sample, qint64 timeMs);
    // The link's state (offline, connecting, online): a marker where it went
    // down and where it came back, and no line across the time between.
    void linkStateChanged(int linkState, const QDateTime &time);
    void linkDown(qint64 timeMs);
    void linkUp(qint64 timeMs);
    // The link is taken as up without a marker: a recording starts with
    // the link up, and its first marker is a drop.
    void assumeOnline() { m_online = true; }

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    const TrendSample &at(int i) const
    {
        int index = m_head + i;
        if (index >= m_capacity)
            index -= m_capacity;
        return m_samples[std::size_t(index)];
    }
    const TrendSample &last() const { return at(m_size - 1); }
    // The first sample at or after `timeMs` (size() when none).
    int lowerBound(qint64 timeMs) const;
    // The first sample after `timeMs` (size() when none).
    int upperBound(qint64 timeMs) const;
    // The sample nearest to `timeMs`, -1 when empty.
    int nearest(qint64 timeMs) const;

    const std::deque<TrendEvent> &events() const { return m_events; }

    // The readings this history has (a text log has no currents, say).
    quint16 presentValues() const { return m_present; }
    void setPresentValues(quint16 mask) { m_present = mask; }
    bool hasCurrentErrors() const { return m_hasCurrentErrors; }
    void setHasCurrentErrors(bool has) { m_hasCurrentErrors = has; }
    // Times count from zero instead of being clock times (the text log).
    bool elapsedTimes() const { return m_elapsedTimes; }
    void setElapsedTimes(bool elapsed) { m_elapsedTimes = elapsed; }
    // How its times read as clock times: from the start (shown as UTC) or local.
    Qt::TimeSpec timeZone() const { return m_elapsedTimes ? Qt::UTC : Qt::LocalTime; }

    // Grows with every change; a view redraws when it differs.
    quint64 revision() const { return m_revision; }
    // Every sample ever added has a number, the first 0: it stays with the
    // sample when older ones are dropped.
    quint64 serial(int i) const { return m_added - quint64(m_size) + quint64(i); }
    quint64 added() const { return m_added; }
    // Called after every change (one listener: the trend window).
    void setChangedCallback(std::function<void()> changed) { m_changed = std::move(changed); }

    std::size_t memoryBytes() const;

private:
    void push(const TrendSample &sample);
    void changed();

    int m_capacity;
    qint64 m_spanMs;
    std::vector<TrendSample> m_samples; // a ring once full
    int m_head = 0;
    int m_size = 0;
    std::deque<TrendEvent> m_events;
    quint16 m_present = kAllValues;
    bool m_hasCurrentErrors = true;
    bool m_elapsedTimes = false;
    bool m_online = false;
    bool m_breakNext = true;
    bool m_haveErrors = false;
    quint16 m_lastCurrentErrors = 0;
    quint64 m_revision = 0;
    quint64 m_added = 0;
    std::function<void()> m_changed;
};

// What one reading looks like in one pixel column: the first, last, lowest
// and highest counts of the samples that fall in it.
struct TraceColumn
{
    int column;  // may lie outside 0..columns-1: the samples either side of the range
    bool joined; // a line runs to it from the column before
    qint32 first, last, min, max;
};

struct TraceColumns
{
    std::array<std::vector<TraceColumn>, kTrendValueCount> values;
    int samples = 0;        // how many samples were looked at
    quint64 nextSerial = 0; // the serial of the first sample not looked at
};

// The samples from `t0` to `t1` (ms) reduced to `columns` pixel columns for
// the readings in `valueMask`, plus the sample just outside either end so
// that the lines run on to the edges. Column c covers the times from
// t0 + c * (t1 - t0) / columns on. One pass over the samples, whatever
// their number: drawing then costs the same for ten minutes as for an hour.
void decimate(const TrendHistory &history, qint64 t0, qint64 t1, int columns, quint16 valueMask,
              TraceColumns &out);
// The same columns brought up to date with the samples added since `out`
// was made by decimate (with the same range, columns and readings), as if
// made afresh. Returns the first column that changed, or INT_MAX for none.
int decimateAppend(const TrendHistory &history, qint64 t0, qint64 t1, int columns, quint16 valueMask,
                   TraceColumns &out);
