#pragma once
// Cuts the byte stream from the tool into request frames. The line carries
// no length field: the frame's length follows from its first bytes (3-byte
// requests, the 4-byte user-info request, the 3-byte poll without end marker,
// 32-byte write blocks, and the 4- to 10-byte test frames). Bytes that start
// no known frame are dropped one at a time until the stream is back in step.

#include <QByteArray>

#include <vector>

namespace sim {

class RequestParser
{
public:
    // A frame that stays incomplete for longer than `staleMs` without new
    // bytes is given up: the tool writes every frame in one go.
    explicit RequestParser(qint64 staleMs = 200) : m_staleMs(staleMs) {}

    std::vector<QByteArray> feed(const QByteArray &chunk, qint64 nowMs);
    int droppedBytes() const { return m_dropped; }
    int pending() const { return int(m_buffer.size()); }

private:
    enum class Match { Frame, NeedMore, NoMatch };
    static Match match(const QByteArray &buf, qsizetype &length);

    QByteArray m_buffer;
    qint64 m_lastByteMs = 0;
    qint64 m_staleMs;
    int m_dropped = 0;
};

} // namespace sim
