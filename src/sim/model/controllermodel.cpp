#include "controllermodel.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

QString headOf(const QByteArray &frame)
{
    return hex(frame.left(2));
}

bool isStoredFamily(const BlockStore &store, quint8 command)
{
    return store.find(command) != store.end();
}

qint64 ceilMs(qint64 us)
{
    return (us + 999) / 1000;
}

} // namespace

ControllerModel::ControllerModel(const SimOptions &options, qint64 startMs)
    : m_options(options),
      m_store(factoryBlocks(options.controllerType)),
      m_vehicle(options.seed, startMs),
      m_lineRng(options.seed ^ 0x6C696E65ull),
      m_measureRng(options.seed ^ 0x68616C6Cull),
      m_noiseRng(options.seed ^ 0x6E6F6973ull),
      m_lineEndMs(startMs),
      m_pace(options.pace),
      m_lineOutFreeUs(startMs * 1000),
      m_lineInFreeUs(startMs * 1000),
      m_ownLine(options.line)
{
    m_factory = m_store;
    if (options.faultEverySeconds > 0)
        m_vehicle.setSpontaneousFaults(options.faultEverySeconds);
}

QByteArray ControllerModel::storedBlock(quint8 command) const
{
    const auto it = m_store.find(command);
    return it == m_store.end() ? QByteArray() : toBytes(it->second);
}

int ControllerModel::requestCount(const QString &head) const
{
    const auto it = m_counters.requests.find(head);
    return it == m_counters.requests.end() ? 0 : it->second;
}

void ControllerModel::log(const QString &line) const
{
    if (m_log)
        m_log(line);
}

void ControllerModel::feed(const QByteArray &bytes, qint64 nowMs)
{
    m_vehicle.advanceTo(nowMs, m_store);
    if (lineMismatch()) {
        hearGarbled(bytes, nowMs);
        return;
    }
    const int droppedBefore = m_parser.droppedBytes();
    if (!m_pace) {
        for (const QByteArray &frame : m_parser.feed(bytes, nowMs))
            accept(frame, nowMs * 1000);
    } else {
        // Byte by byte, each at the moment it has crossed: a frame is
        // handled when its last byte is in, and the bytes of two frames
        // written at once queue behind each other.
        const qint64 startUs = std::max(nowMs * 1000, m_lineInFreeUs);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const qint64 atUs = startUs + m_toolLine.byteTimeUs(i + 1);
            for (QByteArray &frame : m_parser.feed(bytes.mid(i, 1), ceilMs(atUs)))
                m_arrivals.push_back({atUs, std::move(frame)});
        }
        m_lineInFreeUs = startUs + m_toolLine.byteTimeUs(bytes.size());
    }
    if (m_parser.droppedBytes() != droppedBefore)
        log(QStringLiteral("ignored %1 byte(s) that start no request")
                .arg(m_parser.droppedBytes() - droppedBefore));
}

void ControllerModel::accept(const QByteArray &frame, qint64 atUs)
{
    ++m_counters.requests[headOf(frame)];
    log(QStringLiteral("rx %1").arg(hex(frame)));
    handle(frame, atUs);
}

void ControllerModel::hearGarbled(const QByteArray &bytes, qint64 nowMs)
{
    // A receiver at the wrong rate or parity makes other bytes of these, or
    // none; the controller's answer, if any, is as garbled on the way back.
    ++m_counters.mismatched;
    log(QStringLiteral("rx %1 at %2, not understood at %3")
            .arg(hex(bytes), m_toolLine.toString(), m_ownLine.toString()));
    qint64 atUs = nowMs * 1000;
    if (m_pace) {
        atUs = std::max(atUs, m_lineInFreeUs) + m_toolLine.byteTimeUs(bytes.size());
        m_lineInFreeUs = atUs;
    }
    reply(RawBlock{}, atUs, Tag::Garbled);
}

void ControllerModel::handle(const QByteArray &frame, qint64 atUs)
{
    const quint8 c = quint8(frame[0]);
    const quint8 s = quint8(frame[1]);

    if (frame.size() == kBlockSize) {
        handleWrite(fromBytes(frame), atUs);
        return;
    }
    switch (c) {
    case 0xFD: // status poll
        reply(m_vehicle.statusBlock(m_store), atUs);
        return;
    case kIdcCommand: {
        RawBlock &idc = m_store[kIdcCommand];
        if (s == 0xEB) {
            // A calibration run: counted, answered by nothing.
            idc[kIdcCalibCountByte] = quint8(std::min(3, idc[kIdcCalibCountByte] + 1));
            return;
        }
        if (s == 0xEC)
            idc[kIdcCalibCountByte] = 0;
        RawBlock r = idc;
        r[1] = s;
        reply(r, atUs);
        return;
    }
    case 0xFA: {
        // Factory set keeps the present settings as the defaults; restore
        // brings them back. Neither touches the unit's identity and
        // calibration (Idc block) or the user information.
        for (auto &[command, block] : m_store) {
            if (command == kIdcCommand || command == kUserInfoCommand)
                continue;
            if (s == 0xEA)
                m_factory[command] = block;
            else
                block = m_factory[command];
        }
        m_vehicle.noteParameterWrite();
        reply(makeRaw(0xFA, s), atUs);
        return;
    }
    case 0xFC:
        if (s == 0xEE) {
            m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                           [](const Pending &p) { return p.tag == Tag::HallDone; }),
                            m_pending.end());
            m_vehicle.setHallTest(false);
            return;
        }
        handleHallTest(s, atUs);
        return;
    case 0xF9:
        handleTestFrame(frame);
        return;
    default:
        break;
    }
    // A read request (the parser lets only known families through).
    if (isStoredFamily(m_store, c))
        reply(m_store[c], atUs);
}

void ControllerModel::handleWrite(const RawBlock &frame, qint64 atUs)
{
    const quint8 c = frame[0];
    if (!isStoredFamily(m_store, c))
        return;
    RawBlock stored = frame;
    stored[1] = readCodeFor(c);
    if (c == kIdcCommand) {
        // The model code is set in the factory and the calibration count by
        // the drive itself; the tool sends zeros there.
        stored[kIdcModelByte] = m_store[c][kIdcModelByte];
        stored[kIdcCalibCountByte] = m_store[c][kIdcCalibCountByte];
    }
    m_store[c] = stored;
    m_vehicle.noteParameterWrite();
    reply(frame, atUs);
}

void ControllerModel::handleHallTest(quint8 sub, qint64 atUs)
{
    const bool groupA = sub == 0xEC;
    const bool running = m_vehicle.hallTestRunning();
    if (m_vehicle.throttle() > 0 || (!running && std::abs(m_vehicle.speed()) >= 5)) {
        reply(makeRaw(0xFF, 0xFE), atUs);
        return;
    }
    // A new request restarts the test.
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                   [](const Pending &p) { return p.tag == Tag::HallDone; }),
                    m_pending.end());
    m_vehicle.setHallTest(true);
    reply(makeRaw(0xFF, groupA ? 0xFD : 0xFB), atUs);

    // The result in the Motor layout: the stored Motor block with the six
    // measured sectors of the group, which add up to a full turn.
    RawBlock result = m_store[kMotorCommand];
    result[0] = 0xFF;
    result[1] = groupA ? 0xFC : 0xFA;
    const bool typeWithGroupB = controllerType() != 3;
    const int first = (groupA || !typeWithGroupB) ? 9 : 24;
    int sum = 0;
    for (int i = 0; i < 5; ++i) {
        const int sector = 60 + m_measureRng.between(-3, 3);
        result[first + i] = quint8(sector);
        sum += sector;
    }
    result[first + 5] = quint8(qBound(20, 360 - sum, 100));
    reply(result, atUs, Tag::HallDone, m_options.hallTestMs);
}

void ControllerModel::handleTestFrame(const QByteArray &frame)
{
    const RawBlock f = fromBytes(frame);
    const quint8 s = f[1];
    if (s == 0xEA) {
        m_vehicle.setTestFlags(f[2] != 0, f[3] != 0, f[4] != 0);
    } else if (s == 0xE9 && frame.size() == 9) {
        const int angleStep = getU16(f, 2);
        const int currentCode = getU16(f, 6);
        // The tool sends the amplitude times 1.414.
        m_vehicle.setAging(currentCode / 1.414, angleStep);
    } else if (s == 0xE9) {
        m_vehicle.setAngleStep(getU16(f, 2));
    } else if (s == 0xEB && frame.size() == 5) {
        m_vehicle.setThrottle(f[3]);
    }
}

void ControllerModel::reply(const RawBlock &block, qint64 atUs, Tag tag, qint64 extraMs)
{
    Pending p{atUs + (m_options.replyLatencyMs + m_delayMs + extraMs) * 1000, block, tag,
              tag != Tag::Garbled && m_dropFraction > 0 && m_lineRng.uniform() < m_dropFraction};
    const auto at = std::upper_bound(m_pending.begin(), m_pending.end(), p.readyUs,
                                     [](qint64 t, const Pending &q) { return t < q.readyUs; });
    m_pending.insert(at, p);
}

qint64 ControllerModel::lineStartUs(qint64 readyUs) const
{
    if (m_pace)
        return std::max(readyUs, m_lineOutFreeUs);
    return std::max(readyUs / 1000, m_lineEndMs) * 1000;
}

qint64 ControllerModel::queueOnLine(const QByteArray &bytes, qint64 startUs)
{
    if (!m_pace) {
        m_line.push_back({startUs / 1000, bytes});
        m_lineEndMs = startUs / 1000;
        return startUs;
    }
    // Handed out a millisecond's worth at a time: each piece is due when its
    // last byte has crossed.
    const LineSettings line = sendingLine();
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qint64 due = ceilMs(startUs + line.byteTimeUs(from + 1));
        qsizetype to = from + 1;
        while (to < bytes.size() && ceilMs(startUs + line.byteTimeUs(to + 1)) == due)
            ++to;
        m_line.push_back({due, bytes.mid(from, to - from)});
        m_lineEndMs = due;
        from = to;
    }
    m_lineOutFreeUs = startUs + line.byteTimeUs(bytes.size());
    return m_lineOutFreeUs;
}

QByteArray ControllerModel::garble()
{
    // A few bytes, never the end marker: no 32 bytes of it can pass for a block.
    QByteArray bytes(m_noiseRng.between(2, 5), '\0');
    for (char &b : bytes) {
        b = char(m_noiseRng.next() & 0xFF);
        if (quint8(b) == kEnd)
            b = char(kEnd ^ 0x80);
    }
    return bytes;
}

void ControllerModel::putOnLine(const Pending &p)
{
    if (p.tag == Tag::HallDone) {
        m_vehicle.advanceTo(p.readyUs / 1000, m_store);
        m_vehicle.setHallTest(false);
    }
    const QString what = p.tag == Tag::Garbled ? QStringLiteral("(garbled)") : hex(toBytes(p.block).left(2));
    const qint64 startUs = lineStartUs(p.readyUs);
    const qint64 start = startUs / 1000;
    if (start >= m_silentFrom && start < m_silentUntil) {
        ++m_counters.silenced;
        log(QStringLiteral("silent: reply %1 not sent").arg(what));
        return;
    }
    if (p.dropped) {
        ++m_counters.dropped;
        log(QStringLiteral("dropped reply %1").arg(what));
        return;
    }
    if (p.tag == Tag::Garbled || lineMismatch()) {
        const QByteArray noise = garble();
        log(QStringLiteral("tx %1, garbled by the line settings").arg(hex(noise)));
        queueOnLine(noise, startUs);
        return;
    }
    RawBlock block = p.block;
    if (m_corruptNext) {
        m_corruptNext = false;
        block[kBlockSize - 1] = 0xDB;
        log(QStringLiteral("reply %1 sent with end marker DB").arg(what));
    }
    const QByteArray bytes = toBytes(block);
    ++m_counters.replies;
    log(QStringLiteral("tx %1").arg(hex(bytes)));

    if (!m_split) {
        queueOnLine(bytes, startUs);
        return;
    }
    // Two to four pieces, a few milliseconds apart: well inside the gap after
    // which the tool gives up on a partial block.
    const int pieces = m_lineRng.between(2, 4);
    std::vector<int> cuts;
    while (int(cuts.size()) < pieces - 1) {
        const int cut = m_lineRng.between(1, kBlockSize - 1);
        if (std::find(cuts.begin(), cuts.end(), cut) == cuts.end())
            cuts.push_back(cut);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(kBlockSize);
    qint64 dueUs = startUs;
    int from = 0;
    for (int cut : cuts) {
        dueUs = queueOnLine(bytes.mid(from, cut - from), dueUs) + m_lineRng.between(1, 4) * 1000;
        from = cut;
    }
}

void ControllerModel::setFlood(int perSecond, qint64 nowMs)
{
    m_floodPerSecond = std::max(0, perSecond);
    m_floodFromMs = nowMs;
    m_floodSent = 0;
    log(QStringLiteral("flood of %1 status blocks a second").arg(m_floodPerSecond));
}

void ControllerModel::setLineHeld(bool held, qint64 nowMs)
{
    if (held == m_lineHeld)
        return;
    m_lineHeld = held;
    // Time spent held is not made up for with a burst afterwards.
    m_floodFromMs = nowMs;
    m_floodSent = 0;
}

void ControllerModel::floodUpTo(qint64 nowMs)
{
    if (m_floodPerSecond <= 0 || m_lineHeld || nowMs <= m_floodFromMs)
        return;
    const qint64 due = (nowMs - m_floodFromMs) * m_floodPerSecond / 1000 - m_floodSent;
    if (due <= 0)
        return;
    // At most 16 KiB at once: a sender that fell behind does not catch up
    // in one go, and a burst fits what the other end reads in a few reads.
    qint64 count = std::min<qint64>(due, kMaxFloodBurst);
    if (m_pace) {
        // One block at a time, each when the line is free: a slow line caps
        // the flood, and what it could not carry is not made up for.
        if (m_lineOutFreeUs > nowMs * 1000)
            return;
        count = 1;
        if (due > 1) {
            m_floodFromMs = nowMs;
            m_floodSent = 0;
        } else {
            m_floodSent += 1;
        }
    } else {
        m_floodSent += due;
    }
    if (nowMs >= m_silentFrom && nowMs < m_silentUntil)
        return;
    const qint64 startUs = lineStartUs(nowMs * 1000);
    if (lineMismatch()) {
        queueOnLine(garble(), startUs);
        return;
    }
    m_vehicle.advanceTo(nowMs, m_store);
    const QByteArray block = toBytes(m_vehicle.statusBlock(m_store));
    QByteArray bytes;
    bytes.reserve(count * kBlockSize);
    for (qint64 i = 0; i < count; ++i)
        bytes += block;
    queueOnLine(bytes, startUs);
    m_counters.floodBlocks += count;
}

std::vector<OutChunk> ControllerModel::advance(qint64 nowMs)
{
    const qint64 nowUs = nowMs * 1000;
    // Requests that have come and replies that are ready, in time order: a
    // reply ready before a later request arrives goes on the line first.
    for (;;) {
        const bool arrival = !m_arrivals.empty() && m_arrivals.front().atUs <= nowUs;
        const bool ready = !m_pending.empty() && m_pending.front().readyUs <= nowUs;
        if (arrival && (!ready || m_arrivals.front().atUs <= m_pending.front().readyUs)) {
            Arrival a = std::move(m_arrivals.front());
            m_arrivals.pop_front();
            m_vehicle.advanceTo(a.atUs / 1000, m_store);
            accept(a.frame, a.atUs);
        } else if (ready) {
            const Pending p = m_pending.front();
            m_pending.erase(m_pending.begin());
            putOnLine(p);
        } else {
            break;
        }
    }
    floodUpTo(nowMs);
    std::vector<OutChunk> out;
    while (!m_line.empty() && m_line.front().dueMs <= nowMs) {
        out.push_back(m_line.front());
        m_line.pop_front();
    }
    return out;
}

std::optional<qint64> ControllerModel::nextDueMs() const
{
    std::optional<qint64> next;
    auto earliest = [&next](qint64 ms) {
        if (!next || ms < *next)
            next = ms;
    };
    if (!m_pending.empty())
        earliest(ceilMs(m_pending.front().readyUs));
    if (!m_arrivals.empty())
        earliest(ceilMs(m_arrivals.front().atUs));
    if (!m_line.empty())
        earliest(m_line.front().dueMs);
    if (m_floodPerSecond > 0 && !m_lineHeld) {
        // The next block's time, but no sooner than a millisecond on.
        const qint64 due = m_floodFromMs + (m_floodSent + 1) * 1000 / m_floodPerSecond;
        earliest(std::max(due, m_lineEndMs + 1));
    }
    return next;
}

void ControllerModel::silence(qint64 durationMs, qint64 nowMs)
{
    m_silentFrom = nowMs;
    m_silentUntil = nowMs + std::max<qint64>(0, durationMs);
    // What has not gone out yet is cut off, even in the middle of a block.
    while (!m_line.empty() && m_line.back().dueMs >= nowMs)
        m_line.pop_back();
    m_lineEndMs = m_line.empty() ? std::min(m_lineEndMs, nowMs) : m_line.back().dueMs;
    m_lineOutFreeUs = std::min(m_lineOutFreeUs, nowMs * 1000);
    log(QStringLiteral("silent for %1 ms").arg(durationMs));
}

void ControllerModel::corruptNextBlock()
{
    m_corruptNext = true;
}

void ControllerModel::sendGarbage(int count, qint64 nowMs)
{
    if (count <= 0)
        return;
    if (nowMs >= m_silentFrom && nowMs < m_silentUntil) {
        log(QStringLiteral("silent: %1 garbage bytes not sent").arg(count));
        return;
    }
    QByteArray bytes(count, '\0');
    for (char &b : bytes)
        b = char(m_lineRng.next() & 0xFF);
    queueOnLine(bytes, lineStartUs(nowMs * 1000));
    m_counters.garbageBytes += count;
    log(QStringLiteral("garbage %1 byte(s): %2").arg(count).arg(hex(bytes)));
}

void ControllerModel::setPace(bool on)
{
    if (on && !m_pace)
        m_lineOutFreeUs = std::max(m_lineOutFreeUs, m_lineEndMs * 1000);
    m_pace = on;
    log(QStringLiteral("pacing %1").arg(on ? QStringLiteral("on") : QStringLiteral("off")));
}

void ControllerModel::setOwnLine(const LineSettings &settings)
{
    m_ownLine = settings;
    log(QStringLiteral("own line settings %1").arg(settings.toString()));
}

void ControllerModel::setToolLine(const LineSettings &settings)
{
    const LineSettings whole = settings.filledFrom(LineSettings::standard());
    if (whole == m_toolLine)
        return;
    m_toolLine = whole;
    log(QStringLiteral("the tool's line is at %1%2")
            .arg(whole.toString(), lineMismatch() ? QStringLiteral(": not understood") : QString()));
}

QString ControllerModel::lineSummary() const
{
    QString text = QStringLiteral("line: answering at %1; the tool's end at %2")
                       .arg(m_ownLine.anyField() ? m_ownLine.toString() : QStringLiteral("any settings"),
                            m_toolLine.toString());
    if (lineMismatch())
        text += QStringLiteral(" (other settings: requests not understood)");
    text += QStringLiteral("; %1 request(s) heard at other settings").arg(m_counters.mismatched);
    if (m_pace)
        text += QStringLiteral("; paced at %1").arg(sendingLine().toString());
    return text;
}

} // namespace sim
