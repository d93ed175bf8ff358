#pragma once
// Turns whatever chunks the serial port delivers into whole 32-byte blocks.
//
// Every controller reply is exactly one block ending with the marker 0xDA.
// Two things put the stream out of step: bytes that belong to no reply (line
// noise, a reply cut short by a reset) and bytes lost on the way. Both are
// met here, not at the next poll:
// - a block without its end marker is handed out once as it stands (the
//   receive handler counts it as bad), and the assembler then looks, in the
//   bytes it already holds, for the next place where a reply can start: a
//   command pair that some reply carries, with the end marker 31 bytes on.
//   Under a continuous stream the next whole block is found at once. A
//   block whose end marker sits behind a pair no reply carries is handed
//   out as it stands and is followed by the same search: it is either a
//   reply the tool does not know or a window across two replies.
// - a partial block is dropped only when the line has been seen quiet for
//   longer than a frame gap since its last byte came. Time spent away from
//   the port (a slow repaint, a page opening) is not quiet: the rest of the
//   block may be waiting to be read.
// Between calls the assembler holds less than one block.

#include "core/frames.h"

#include <QByteArray>

#include <vector>

class BlockAssembler
{
public:
    explicit BlockAssembler(qint64 frameGapMs = 100) : m_gapMs(frameGapMs) {}

    // Bytes read from the port at `nowMs`.
    void append(const char *data, qsizetype size, qint64 nowMs);
    void append(const QByteArray &chunk, qint64 nowMs) { append(chunk.constData(), chunk.size(), nowMs); }
    // Takes out the next block, whole or (once per falling out of step)
    // without its end marker. False when no whole block is waiting.
    bool next(Block &block);
    // append() and every block it completed.
    std::vector<Block> feed(const QByteArray &chunk, qint64 nowMs);

    // The port had nothing waiting at `nowMs`: a partial block whose last
    // byte came more than a frame gap ago belongs to no reply still coming.
    void dropStale(qint64 nowMs);
    void clear();

    int pending() const { return int(m_buffer.size() - m_head); }
    // Looking for the next block start after a block without end marker.
    bool searching() const { return m_searching; }
    qint64 frameGapMs() const { return m_gapMs; }
    void setFrameGapMs(qint64 ms) { m_gapMs = ms; }

    // Bytes 0 and 1 of some reply the tool knows.
    static bool isReplyPair(quint8 command, quint8 subCommand);

private:
    bool seekBlockStart();

    std::vector<quint8> m_buffer;
    std::size_t m_head = 0; // first byte not yet handed out or skipped
    bool m_searching = false;
    qint64 m_lastByteMs = 0;
    qint64 m_gapMs;
};
