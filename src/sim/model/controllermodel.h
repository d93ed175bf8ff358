#pragma once
// The simulated motor controller, byte for byte: requests in, replies out,
// with explicit time. feed() takes what the tool wrote at a moment;
// advance() hands out what the controller puts on the line up to a moment,
// each chunk with the time it is due. The drivers (pseudo-terminal, the
// in-process port) call both with a real clock; the tests with a made-up
// one, so every run is fast and the same for the same seed.
//
// It keeps every parameter block as raw bytes and builds the live-status
// block itself: it shares no codec with the tool, so a fault in the tool's
// field tables cannot hide behind the same fault here.

#include "benchvehicle.h"
#include "factoryblocks.h"
#include "linesettings.h"
#include "requestparser.h"
#include "simrandom.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace sim {

struct SimOptions
{
    int controllerType = 2; // 1, 2 or 3: reported in byte 14 of the Idc block
    quint64 seed = 1;
    qint64 replyLatencyMs = 3; // from the end of a request to the start of its reply
    qint64 hallTestMs = 1000;  // from "under test" to "done"
    int faultEverySeconds = 0; // mean time between spontaneous drive faults; 0: none
    // Bytes take their time on the line, both ways; off, they cross at once.
    bool pace = false;
    // The controller's own line settings; what it leaves open it takes from
    // the tool's end. All open (the default): it understands any settings.
    LineSettings line;
};

struct OutChunk
{
    qint64 dueMs;
    QByteArray bytes;
};

class ControllerModel
{
public:
    explicit ControllerModel(const SimOptions &options = {}, qint64 startMs = 0);

    // Bytes from the tool, arriving at `nowMs`.
    void feed(const QByteArray &bytes, qint64 nowMs);
    // What goes out on the line up to `nowMs`, in order.
    std::vector<OutChunk> advance(qint64 nowMs);
    // When the next chunk is due (nothing queued: nullopt).
    std::optional<qint64> nextDueMs() const;

    // Faults of the line. Each takes effect at `nowMs`; advance() up to
    // `nowMs` first, so that what was already due has gone out.
    void silence(qint64 durationMs, qint64 nowMs); // nothing goes out for a while
    void corruptNextBlock();                        // the next block ends with 0xDB
    void sendGarbage(int count, qint64 nowMs);      // random bytes, at once
    void setSplit(bool on) { m_split = on; }        // replies in 2..4 chunks, ms apart
    void setDelayMs(qint64 ms) { m_delayMs = qMax<qint64>(0, ms); }
    void setDropFraction(double f) { m_dropFraction = qBound(0.0, f, 1.0); }
    // Live-status blocks unasked, `perSecond` of them (0 stops), in bursts
    // at most a millisecond apart. While the line is held (the other end
    // reads no more) the flood waits instead of piling up.
    void setFlood(int perSecond, qint64 nowMs);
    int flood() const { return m_floodPerSecond; }
    void setLineHeld(bool held, qint64 nowMs);
    bool split() const { return m_split; }
    qint64 delayMs() const { return m_delayMs; }
    double dropFraction() const { return m_dropFraction; }
    qint64 silentUntil() const { return m_silentUntil; }

    // The line itself. Paced, a request counts as arrived when its last byte
    // has crossed at the tool's settings, and a reply leaves no faster than
    // the controller's own settings allow.
    void setPace(bool on);
    bool pace() const { return m_pace; }
    void setOwnLine(const LineSettings &settings);
    const LineSettings &ownLine() const { return m_ownLine; }
    // What the tool set on its end, as the driver last saw it (a line nobody
    // set: 9600,n,8,1). When the controller's own settings differ, requests
    // are not understood and whatever it sends arrives as a few random bytes.
    void setToolLine(const LineSettings &settings);
    const LineSettings &toolLine() const { return m_toolLine; }
    bool lineMismatch() const { return !m_ownLine.accepts(m_toolLine); }
    // The settings the controller sends at.
    LineSettings sendingLine() const { return m_ownLine.filledFrom(m_toolLine); }
    QString lineSummary() const;

    // The bench.
    BenchVehicle &vehicle() { return m_vehicle; }
    const BenchVehicle &vehicle() const { return m_vehicle; }
    void advanceVehicle(qint64 nowMs) { m_vehicle.advanceTo(nowMs, m_store); }
    int controllerType() const { return m_store.at(kIdcCommand)[kIdcTypeByte]; }

    // The stored block of a family as a read would return it.
    QByteArray storedBlock(quint8 command) const;

    struct Counters
    {
        std::map<QString, int> requests; // by first bytes, "FB ED"
        int replies = 0;                 // blocks put on the line
        int dropped = 0;                 // replies dropped on purpose
        int silenced = 0;                // replies lost to a silence
        int garbageBytes = 0;
        qint64 floodBlocks = 0;          // live-status blocks sent unasked
        int mismatched = 0;              // request chunks heard at other line settings
    };
    const Counters &counters() const { return m_counters; }
    int requestCount(const QString &head) const;
    int ignoredBytes() const { return m_parser.droppedBytes(); }

    // Bench log lines ("rx FB ED DA", "tx DF EF ..."); off when unset.
    void setLogger(std::function<void(const QString &)> logger) { m_log = std::move(logger); }

private:
    // Garbled: the answer to a request heard at other settings.
    enum class Tag { Reply, HallDone, Garbled };
    struct Pending
    {
        qint64 readyUs;
        RawBlock block;
        Tag tag;
        bool dropped; // decided when the reply was made
    };
    struct Arrival
    {
        qint64 atUs; // when the frame's last byte has crossed the line
        QByteArray frame;
    };

    // Times inside the model are microseconds wherever a paced line may put
    // a byte between two milliseconds (`atUs`, `startUs`).
    void accept(const QByteArray &frame, qint64 atUs);
    void hearGarbled(const QByteArray &bytes, qint64 nowMs);
    void handle(const QByteArray &frame, qint64 atUs);
    void handleWrite(const RawBlock &frame, qint64 atUs);
    void handleHallTest(quint8 group, qint64 atUs);
    void handleTestFrame(const QByteArray &frame);
    void reply(const RawBlock &block, qint64 atUs, Tag tag = Tag::Reply, qint64 extraMs = 0);
    void putOnLine(const Pending &p);
    // Queues bytes that start at `startUs`; returns when their last bit is out.
    qint64 queueOnLine(const QByteArray &bytes, qint64 startUs);
    // When bytes ready at `readyUs` can start: after what is queued before them.
    qint64 lineStartUs(qint64 readyUs) const;
    QByteArray garble();
    void floodUpTo(qint64 nowMs);
    void log(const QString &line) const;

    SimOptions m_options;
    BlockStore m_store;
    BlockStore m_factory; // what "restore defaults" brings back
    BenchVehicle m_vehicle;
    RequestParser m_parser;
    SimRandom m_lineRng;
    SimRandom m_measureRng;
    SimRandom m_noiseRng; // what a mismatched line makes of the bytes

    std::vector<Pending> m_pending; // replies not yet on the line, by ready time
    std::deque<OutChunk> m_line;    // chunks on their way, in order
    qint64 m_lineEndMs = 0;         // when the last queued chunk goes out
    std::deque<Arrival> m_arrivals; // paced requests still crossing the line
    bool m_pace = false;
    qint64 m_lineOutFreeUs = 0;     // paced: when the last queued bit has left
    qint64 m_lineInFreeUs = 0;      // paced: when the tool's last byte has come
    LineSettings m_ownLine;
    LineSettings m_toolLine = LineSettings::standard();

    bool m_split = false;
    qint64 m_delayMs = 0;
    double m_dropFraction = 0;
    bool m_corruptNext = false;
    qint64 m_silentFrom = 0;
    qint64 m_silentUntil = 0;
    static constexpr qint64 kMaxFloodBurst = 512; // blocks
    int m_floodPerSecond = 0;
    qint64 m_floodFromMs = 0;  // the flood's count is reckoned from here
    qint64 m_floodSent = 0;    // blocks since m_floodFromMs
    bool m_lineHeld = false;

    Counters m_counters;
    std::function<void(const QString &)> m_log;
};

} // namespace sim
