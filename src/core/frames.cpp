#include "core/frames.h"

#include <algorithm>

void FrameBuffers::clearAll()
{
    for (Block &b : m_buffers)
        b.fill(0);
}

QByteArray toByteArray(const Block &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), kBlockSize);
}

Block blockFromBytes(const QByteArray &bytes)
{
    Block b{};
    const auto n = std::min<qsizetype>(bytes.size(), kBlockSize);
    std::copy_n(reinterpret_cast<const quint8 *>(bytes.constData()), n, b.begin());
    return b;
}

QString hexString(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString hexString(const Block &block)
{
    return hexString(toByteArray(block));
}
