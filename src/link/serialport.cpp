#include "serialport.h"

#include <algorithm>
#include <cstring>

QByteArray SerialPort::readAll()
{
    QByteArray all;
    char chunk[4096];
    for (;;) {
        const qint64 n = read(chunk, qint64(sizeof chunk));
        if (n <= 0)
            break;
        all.append(chunk, qsizetype(n));
        if (n < qint64(sizeof chunk))
            break;
    }
    return all;
}

qint64 SerialPort::moveOut(QByteArray &held, char *data, qint64 maxSize)
{
    const qsizetype n = qsizetype(std::min<qint64>(held.size(), std::max<qint64>(0, maxSize)));
    if (n == 0)
        return 0;
    std::memcpy(data, held.constData(), size_t(n));
    if (n == held.size())
        held.clear();
    else
        held.remove(0, n);
    return n;
}
