#pragma once
// Turns whatever chunks the serial port delivers into whole 32-byte blocks.
//
// Every controller reply is exactly one block, sent in one burst right after
// a request. Bytes that have sat in the buffer without completing a block for
// longer than a frame gap belong to no reply that is still coming (line noise,
// a reply cut short by a reset): they are dropped before new bytes are added,
// so that the next reply starts on a block boundary.

#include "core/frames.h"

#include <QByteArray>

#include <vector>

class BlockAssembler
{
public:
    explicit BlockAssembler(qint64 frameGapMs = 100) : m_gapMs(frameGapMs) {}

    // Adds a chunk received at `nowMs` and returns the blocks it completed.
    std::vector<Block> feed(const QByteArray &chunk, qint64 nowMs);
    // Drops a partial block that has been idle for longer than the gap.
    void dropStale(qint64 nowMs);
    void clear();

    int pending() const { return int(m_buffer.size()); }
    qint64 frameGapMs() const { return m_gapMs; }
    void setFrameGapMs(qint64 ms) { m_gapMs = ms; }

private:
    QByteArray m_buffer; // always shorter than one block between calls
    qint64 m_lastByteMs = 0;
    qint64 m_gapMs;
};
