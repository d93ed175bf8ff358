#include "link/blockassembler.h"

#include "link/commandtable.h"

#include <array>
#include <cstring>

namespace {
// One bit per (command, sub-command) pair of the reply table, and one flag
// per byte that starts some pair.
struct PairTable
{
    std::array<quint64, 65536 / 64> pairs{};
    std::array<bool, 256> firstBytes{};

    PairTable()
    {
        for (const ReplyRow &row : replyTable()) {
            const int key = row.command * 256 + row.subCommand;
            pairs[key / 64] |= quint64(1) << (key % 64);
            firstBytes[row.command] = true;
        }
    }
    bool has(quint8 c, quint8 s) const
    {
        const int key = c * 256 + s;
        return (pairs[key / 64] >> (key % 64)) & 1;
    }
};

const PairTable &pairTable()
{
    static const PairTable table;
    return table;
}
} // namespace

bool BlockAssembler::isReplyPair(quint8 command, quint8 subCommand)
{
    return pairTable().has(command, subCommand);
}

void BlockAssembler::append(const char *data, qsizetype size, qint64 nowMs)
{
    if (size <= 0)
        return;
    // What was handed out or skipped goes; what is left is less than a block
    // (or what a caller has not taken out yet).
    if (m_head > 0) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + qsizetype(m_head));
        m_head = 0;
    }
    const auto *bytes = reinterpret_cast<const quint8 *>(data);
    m_buffer.insert(m_buffer.end(), bytes, bytes + size);
    m_lastByteMs = nowMs;
}

bool BlockAssembler::next(Block &block)
{
    for (;;) {
        if (m_searching) {
            if (!seekBlockStart())
                return false;
            m_searching = false;
        }
        if (m_buffer.size() - m_head < std::size_t(kBlockSize))
            return false;
        const quint8 *start = m_buffer.data() + m_head;
        std::memcpy(block.data(), start, kBlockSize);
        if (start[kBlockSize - 1] == kEndMarker) {
            if (pairTable().has(start[0], start[1])) {
                m_head += kBlockSize;
                return true;
            }
            // An end marker behind a pair no reply carries: a reply the tool
            // does not know, or a window across two replies whose byte 31
            // happens to be 0xDA. It goes out as it stands (the dispatch
            // ignores the pair), but the next start is looked for as after a
            // missing end marker: taking the next 32 bytes on trust would
            // keep the stream out of step for as long as the same byte of
            // every later reply is 0xDA.
        }
        // Out of step: this block is reported as it stands, and the next
        // start may be anywhere after its first byte.
        m_head += 1;
        m_searching = true;
        return true;
    }
}

// Moves the head to the next plausible block start: a reply pair whose end
// marker is in place. False while that cannot be told yet (the head then
// rests on the first candidate, or past everything that cannot be one).
bool BlockAssembler::seekBlockStart()
{
    const PairTable &table = pairTable();
    const std::size_t size = m_buffer.size();
    std::size_t q = m_head;
    while (q < size) {
        const quint8 c = m_buffer[q];
        if (!table.firstBytes[c]) {
            ++q;
            continue;
        }
        if (q + 1 >= size)
            break; // the pair is not complete yet
        if (!table.has(c, m_buffer[q + 1])) {
            ++q;
            continue;
        }
        if (q + kBlockSize > size)
            break; // the end marker has not come yet
        if (m_buffer[q + kBlockSize - 1] == kEndMarker) {
            m_head = q;
            return true;
        }
        ++q;
    }
    m_head = q;
    return false;
}

std::vector<Block> BlockAssembler::feed(const QByteArray &chunk, qint64 nowMs)
{
    append(chunk, nowMs);
    std::vector<Block> blocks;
    Block b;
    while (next(b))
        blocks.push_back(b);
    return blocks;
}

void BlockAssembler::dropStale(qint64 nowMs)
{
    if (nowMs - m_lastByteMs > m_gapMs)
        clear();
}

void BlockAssembler::clear()
{
    m_buffer.clear();
    m_head = 0;
    m_searching = false;
}
