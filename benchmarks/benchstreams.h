#pragma once
// The byte streams the receive benchmarks feed: a live-status stream as a
// running drive sends it, and a mixed stream of replies, acknowledgements,
// blocks no row knows, a block with a wrong end marker and stray bytes.

#include "core/frames.h"

#include <QByteArray>

#include <cstdio>

namespace bench {

// A drive at speed: speed, currents and throttle move on every block, the
// slow readings and the words now and then.
inline QByteArray statusStream(int blocks)
{
    QByteArray s;
    s.reserve(blocks * kBlockSize);
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    b[2] = 0xD9;
    b[3] = 0x12;
    b[8] = 45;
    b[12] = 30;
    b[17] = 0x95;
    b[18] = 3;
    b[28] = 2;
    b[30] = 1;
    b[31] = kEndMarker;
    for (int i = 0; i < blocks; ++i) {
        const int speed = 1500 + int(next() % 40);
        b[6] = quint8(speed & 0xFF);
        b[7] = quint8(speed >> 8);
        const int idc = 1200 + int(next() % 100);
        b[4] = quint8(idc & 0xFF);
        b[5] = quint8(idc >> 8);
        b[13] = quint8(80 + next() % 4);
        b[21] = quint8(78 + next() % 6);
        b[25] = quint8(next() % 3);
        const int throttle = 23000 + int(next() % 30);
        b[15] = quint8(throttle & 0xFF);
        b[16] = quint8(throttle >> 8);
        b[29] = quint8(1 + (i / 7) % 6);
        if (i % 50 == 0) {
            b[8] = quint8(45 + next() % 2);
            b[2] = quint8(0xD0 + next() % 16);
        }
        s.append(reinterpret_cast<const char *>(b.data()), kBlockSize);
    }
    return s;
}

// Status blocks with a parameter reply, an acknowledgement-free reply, an
// unknown pair, a wrong end marker and stray bytes in between.
inline QByteArray mixedStream(int blocks)
{
    const QByteArray status = statusStream(blocks);
    QByteArray s;
    s.reserve(blocks * kBlockSize * 2);
    Block basic{};
    basic[0] = 0xF0;
    basic[1] = 0xE0;
    basic[31] = kEndMarker;
    Block motor = basic;
    motor[0] = 0xF6;
    motor[1] = 0xE6;
    Block unknown = basic;
    unknown[0] = 0x01;
    unknown[1] = 0x02;
    auto add = [&s](const Block &b) { s.append(reinterpret_cast<const char *>(b.data()), kBlockSize); };
    for (int i = 0; i < blocks; ++i) {
        s.append(status.mid(i * kBlockSize, kBlockSize));
        switch (i % 8) {
        case 1:
            add(basic);
            break;
        case 3:
            add(motor);
            break;
        case 5:
            add(unknown);
            break;
        case 7: {
            Block bad = basic;
            bad[31] = 0xDB;
            add(bad);
            s.append("\x11\x22\x33\x44\x55", 5);
            break;
        }
        default:
            break;
        }
    }
    return s;
}

// One row of the table scripts/bench prints: what, figure, unit, goal.
inline void report(const char *what, double figure, const char *unit, const char *goal)
{
    std::printf("%-46s %12.3f %-6s %s\n", what, figure, unit, goal);
    std::fflush(stdout);
}

} // namespace bench
