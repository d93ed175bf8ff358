#include "link/blockassembler.h"

std::vector<Block> BlockAssembler::feed(const QByteArray &chunk, qint64 nowMs)
{
    std::vector<Block> blocks;
    if (chunk.isEmpty())
        return blocks;
    dropStale(nowMs);
    m_lastByteMs = nowMs;

    qsizetype pos = 0;
    if (!m_buffer.isEmpty()) {
        const qsizetype need = kBlockSize - m_buffer.size();
        if (chunk.size() < need) {
            m_buffer.append(chunk);
            return blocks;
        }
        m_buffer.append(chunk.constData(), need);
        blocks.push_back(blockFromBytes(m_buffer));
        m_buffer.clear();
        pos = need;
    }
    while (chunk.size() - pos >= kBlockSize) {
        blocks.push_back(blockFromBytes(chunk.mid(pos, kBlockSize)));
        pos += kBlockSize;
    }
    if (pos < chunk.size())
        m_buffer = chunk.mid(pos);
    return blocks;
}

void BlockAssembler::dropStale(qint64 nowMs)
{
    if (!m_buffer.isEmpty() && nowMs - m_lastByteMs > m_gapMs)
        m_buffer.clear();
}

void BlockAssembler::clear()
{
    m_buffer.clear();
}
