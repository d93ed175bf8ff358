#include "monitor/trendhistory.h"

#include "core/appstate.h"

#include <algorithm>
#include <climits>
#include <cmath>

TrendSample TrendSample::from(const StatusSample &s, qint64 timeMs)
{
    TrendSample t;
    t.timeMs = timeMs;
    for (std::size_t i = 0; i < kTrendValues.size(); ++i)
        t.packed[i] = quint16(s.counts[i]);
    t.currentErrors = s.currentErrors;
    t.historyErrors = s.historyErrors;
    t.stateBits = s.stateBits;
    t.ioLevels = s.ioLevels;
    t.machine = s.machine;
    t.gear = s.gear;
    t.hallState = s.hallState;
    t.mode = s.mode;
    return t;
}

StatusSample TrendSample::status() const
{
    StatusSample s;
    for (int i = 0; i < kTrendValueCount; ++i)
        s.counts[std::size_t(i)] = counts(i);
    s.currentErrors = currentErrors;
    s.historyErrors = historyErrors;
    s.stateBits = stateBits;
    s.ioLevels = ioLevels;
    s.machine = machine;
    s.gear = gear;
    s.hallState = hallState;
    s.mode = mode;
    return s;
}

TrendHistory::TrendHistory(int capacity, qint64 spanMs)
    : m_capacity(std::max(1, capacity)), m_spanMs(spanMs)
{
}

void TrendHistory::statusBlock(const Block &block, const QDateTime &time)
{
    addSample(sampleFromBlock(block), time.toMSecsSinceEpoch());
}

void TrendHistory::addSample(const StatusSample &sample, qint64 timeMs)
{
    TrendSample s = TrendSample::from(sample, timeMs);
    if (m_size > 0) {
        // A clock set back must not reorder the history.
        s.timeMs = std::max(s.timeMs, last().timeMs);
        if (m_breakNext || s.timeMs - last().timeMs > kGapMs)
            s.flags |= TrendSample::SegmentStart;
    } else {
        s.flags |= TrendSample::SegmentStart;
    }
    m_breakNext = false;

    const quint16 before = m_haveErrors ? m_lastCurrentErrors : 0;
    const quint16 appeared = s.currentErrors & ~before;
    const quint16 cleared = before & ~s.currentErrors;
    m_haveErrors = true;
    m_lastCurrentErrors = s.currentErrors;
    if (appeared)
        m_events.push_back({s.timeMs, TrendEvent::FaultAppeared, appeared});
    if (cleared)
        m_events.push_back({s.timeMs, TrendEvent::FaultCleared, cleared});
    push(s);
    ++m_added;
    changed();
}

void TrendHistory::linkStateChanged(int linkState, const QDateTime &time)
{
    if (linkState == LinkStateCode::Online)
        linkUp(time.toMSecsSinceEpoch());
    else
        linkDown(time.toMSecsSinceEpoch());
}

void TrendHistory::linkDown(qint64 timeMs)
{
    // Connecting and offline are both "down": only the way out of online counts.
    if (!m_online)
        return;
    m_online = false;
    m_breakNext = true;
    m_events.push_back({timeMs, TrendEvent::LinkDown, 0});
    changed();
}

void TrendHistory::linkUp(qint64 timeMs)
{
    if (m_online)
        return;
    m_online = true;
    m_events.push_back({timeMs, TrendEvent::LinkUp, 0});
    changed();
}

void TrendHistory::push(const TrendSample &sample)
{
    bool dropped = false;
    if (int(m_samples.size()) < m_capacity) {
        m_samples.push_back(sample);
        ++m_size;
    } else {
        // Full: the oldest goes.
        m_samples[std::size_t((m_head + m_size) % m_capacity)] = sample;
        if (m_size == m_capacity) {
            m_head = (m_head + 1) % m_capacity;
            dropped = true;
        } else {
            ++m_size;
        }
    }
    if (m_spanMs > 0) {
        const qint64 oldest = sample.timeMs - m_spanMs;
        while (m_size > 1 && at(0).timeMs < oldest) {
            m_head = (m_head + 1) % m_capacity;
            --m_size;
            dropped = true;
        }
    }
    // The markers go with the samples they stood among.
    const std::size_t maxEvents = std::size_t(m_capacity) * 2 + 64;
    const qint64 firstKept = at(0).timeMs;
    while (!m_events.empty()
           && ((dropped && m_events.front().timeMs < firstKept) || m_events.size() > maxEvents))
        m_events.pop_front();
}

void TrendHistory::changed()
{
    ++m_revision;
    if (m_changed)
        m_changed();
}

int TrendHistory::lowerBound(qint64 timeMs) const
{
    int lo = 0, hi = m_size;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (at(mid).timeMs < timeMs)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int TrendHistory::upperBound(qint64 timeMs) const
{
    int lo = 0, hi = m_size;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (at(mid).timeMs <= timeMs)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int TrendHistory::nearest(qint64 timeMs) const
{
    if (m_size == 0)
        return -1;
    const int after = lowerBound(timeMs);
    if (after == 0)
        return 0;
    if (after == m_size)
        return m_size - 1;
    return (at(after).timeMs - timeMs < timeMs - at(after - 1).timeMs) ? after : after - 1;
}

std::size_t TrendHistory::memoryBytes() const
{
    return sizeof(*this) + m_samples.capacity() * sizeof(TrendSample) + m_events.size() * sizeof(TrendEvent);
}

namespace {
// The samples from..to-1 into `out`, the last column of which may go on.
int decimateRange(const TrendHistory &history, int from, int to, qint64 t0, qint64 t1, int columns,
                  quint16 valueMask, TraceColumns &out)
{
    int shown[kTrendValueCount];
    int count = 0;
    for (int v = 0; v < kTrendValueCount; ++v)
        if (valueMask & (1u << v))
            shown[count++] = v;
    out.samples += std::max(0, to - from);
    if (to > from)
        out.nextSerial = history.serial(to - 1) + 1;
    if (count == 0 || from >= to)
        return INT_MAX;

    const double perMs = double(columns) / double(t1 - t0);
    // Far outside the range the exact column does not matter, only the side.
    auto columnOf = [&](qint64 t) {
        const double c = std::floor(double(t - t0) * perMs);
        return int(std::clamp(c, -1.0e6, 1.0e6));
    };
    const std::vector<TraceColumn> &first = out.values[std::size_t(shown[0])];
    bool open = !first.empty();
    int current = open ? first.back().column : 0;
    int changed = INT_MAX;
    for (int i = from; i < to; ++i) {
        const TrendSample &s = history.at(i);
        const int column = columnOf(s.timeMs);
        changed = std::min(changed, column);
        // Before the range only the last sample counts: it steers the line
        // in from the edge.
        if (open && column < 0 && current < 0) {
            changed = std::min(changed, current);
            for (int k = 0; k < count; ++k)
                out.values[std::size_t(shown[k])].pop_back();
            open = !out.values[std::size_t(shown[0])].empty();
        }
        if (!open || column != current) {
            // The first sample of a segment starts a column no line runs to.
            const bool joined = open && !s.segmentStart();
            for (int k = 0; k < count; ++k) {
                const qint32 c = s.counts(shown[k]);
                out.values[std::size_t(shown[k])].push_back({column, joined, c, c, c, c});
            }
            current = column;
            open = true;
            continue;
        }
        for (int k = 0; k < count; ++k) {
            TraceColumn &col = out.values[std::size_t(shown[k])].back();
            const qint32 c = s.counts(shown[k]);
            col.last = c;
            col.min = std::min(col.min, c);
            col.max = std::max(col.max, c);
        }
    }
    return changed;
}
} // namespace

void decimate(const TrendHistory &history, qint64 t0, qint64 t1, int columns, quint16 valueMask,
              TraceColumns &out)
{
    for (auto &v : out.values)
        v.clear();
    out.samples = 0;
    out.nextSerial = history.added();
    if (history.isEmpty() || columns <= 0 || t1 <= t0)
        return;
    const int from = std::max(0, history.lowerBound(t0) - 1);
    const int to = std::min(history.size(), history.upperBound(t1) + 1);
    decimateRange(history, from, to, t0, t1, columns, valueMask, out);
    if (to <= from)
        out.nextSerial = history.added();
}

int decimateAppend(const TrendHistory &history, qint64 t0, qint64 t1, int columns, quint16 valueMask,
                   TraceColumns &out)
{
    if (history.isEmpty() || columns <= 0 || t1 <= t0 || out.nextSerial >= history.added())
        return INT_MAX;
    const quint64 oldest = history.serial(0);
    int from = out.nextSerial > oldest ? int(out.nextSerial - oldest) : 0;
    // A range with nothing in it yet starts with the sample before it.
    bool empty = true;
    for (const auto &v : out.values)
        empty = empty && v.empty();
    if (empty)
        from = std::max(from, history.lowerBound(t0) - 1);
    // Up to the first sample past the end, as decimate takes it.
    const int to = std::min(history.size(), history.upperBound(t1) + 1);
    if (out.nextSerial > 0 && from > 0 && history.at(from - 1).timeMs > t1)
        return INT_MAX; // the sample past the end is taken already
    return decimateRange(history, std::max(0, from), to, t0, t1, columns, valueMask, out);
}
