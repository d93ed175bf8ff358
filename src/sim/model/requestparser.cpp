#include "requestparser.h"

#include "factoryblocks.h"

namespace sim {

namespace {

bool isParamFamily(quint8 c)
{
    switch (c) {
    case 0xF0: case 0xF2: case 0xF4: case 0xF6: case 0xF8: case 0xFE:
    case 0xD0: case 0xD2: case 0xD5: case 0xD6: case 0xD7:
        return true;
    default:
        return false;
    }
}

bool isCommandByte(quint8 c)
{
    return isParamFamily(c) || c == 0xF1 || c == 0xFB || c == 0xFA || c == 0xFC || c == 0xFD
           || c == 0xF9;
}

quint8 at(const QByteArray &b, qsizetype i) { return quint8(b[i]); }

} // namespace

// Whether `buf` starts with a whole frame (its length in `length`), with the
// beginning of one, or with a byte that begins none.
RequestParser::Match RequestParser::match(const QByteArray &buf, qsizetype &length)
{
    const qsizetype n = buf.size();
    if (n < 1 || !isCommandByte(at(buf, 0)))
        return Match::NoMatch;
    if (n < 2)
        return Match::NeedMore;
    const quint8 c = at(buf, 0), s = at(buf, 1);

    // Fixed bytes at fixed places: each present byte must fit, a missing one
    // means wait.
    auto fixed = [&](std::initializer_list<std::pair<int, quint8>> expect, qsizetype len) {
        for (auto [i, v] : expect) {
            if (i >= n)
                return Match::NeedMore;
            if (at(buf, i) != v)
                return Match::NoMatch;
        }
        length = len;
        return Match::Frame;
    };
    auto block = [&](std::initializer_list<std::pair<int, quint8>> expect) {
        for (auto [i, v] : expect) {
            if (i >= n)
                return Match::NeedMore;
            if (at(buf, i) != v)
                return Match::NoMatch;
        }
        if (n < kBlockSize)
            return Match::NeedMore;
        if (at(buf, kBlockSize - 1) != kEnd)
            return Match::NoMatch;
        length = kBlockSize;
        return Match::Frame;
    };

    if (c == 0xFD)
        return s == 0x48 ? fixed({{2, 0x55}}, 3) : Match::NoMatch;
    if (c == kUserInfoCommand) {
        if (s == 0xE1)
            return fixed({{2, kUserInfoTag}, {3, kEnd}}, 4);
        if (s == 0xE2)
            return block({{2, kUserInfoTag}});
        return Match::NoMatch;
    }
    if (c == kIdcCommand) {
        if (s == 0xED || s == 0xEC || s == 0xEB)
            return fixed({{2, kEnd}}, 3);
        if (s == 0xEE)
            return block({});
        return Match::NoMatch;
    }
    if (c == 0xFA)
        return (s == 0xEA || s == 0xEB) ? fixed({{2, kEnd}}, 3) : Match::NoMatch;
    if (c == 0xFC)
        return (s >= 0xEC && s <= 0xEE) ? fixed({{2, kEnd}}, 3) : Match::NoMatch;
    if (c == 0xF9) {
        switch (s) {
        case 0xEA: // mode flags: 6 bytes
            return fixed({{5, kEnd}}, 6);
        case 0xE9: // calibration point or stop: 9 bytes; angle-step write: 10
            if (n < 9)
                return Match::NeedMore;
            if (at(buf, 8) == kEnd) {
                length = 9;
                return Match::Frame;
            }
            return fixed({{9, kEnd}}, 10);
        case 0xEB: // record start: 4 bytes; throttle: 5 (the percentage never reaches 0xDA)
            if (n < 4)
                return Match::NeedMore;
            if (at(buf, 3) == kEnd) {
                length = 4;
                return Match::Frame;
            }
            return fixed({{4, kEnd}}, 5);
        default:
            return Match::NoMatch;
        }
    }
    // The parameter families.
    if (s == readCodeFor(c))
        return fixed({{2, kEnd}}, 3);
    if (s == writeCodeFor(c))
        return block({});
    return Match::NoMatch;
}

std::vector<QByteArray> RequestParser::feed(const QByteArray &chunk, qint64 nowMs)
{
    std::vector<QByteArray> frames;
    if (chunk.isEmpty())
        return frames;
    if (!m_buffer.isEmpty() && nowMs - m_lastByteMs > m_staleMs) {
        m_dropped += int(m_buffer.size());
        m_buffer.clear();
    }
    m_lastByteMs = nowMs;
    m_buffer.append(chunk);

    qsizetype pos = 0;
    while (pos < m_buffer.size()) {
        qsizetype length = 0;
        const QByteArray rest = QByteArray::fromRawData(m_buffer.constData() + pos,
                                                        m_buffer.size() - pos);
        const Match m = match(rest, length);
        if (m == Match::NeedMore)
            break;
        if (m == Match::NoMatch) {
            ++pos;
            ++m_dropped;
            continue;
        }
        frames.push_back(m_buffer.mid(pos, length));
        pos += length;
    }
    m_buffer.remove(0, pos);
    return frames;
}

} // namespace sim
