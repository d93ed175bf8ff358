#pragma once
// The byte streams the receive benchmarks feed: a live-status stream as a
// running drive sends it, and a mixed stream of replies, acknowledgements,
// blocks no row knows, a block with a wrong end marker and stray bytes.

#include "core/frames.h"

#include <QByteArray>
#include <QList>

#include <algorithm>

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

// A ride: every status field moves on every block, as when the vehicle
// accelerates, brakes and changes gear (the statusStream above keeps most of
// them still, so a decoder that skips unchanged bytes looks cheaper than it
// is). The two fault words change on every block too, in the bits no fault
// row shows, and raise a real fault for 64 blocks out of 512, so the fault
// rows do not blink at the block rate as no controller makes them.
inline QByteArray rideStream(int blocks)
{
    QByteArray s;
    s.reserve(blocks * kBlockSize);
    quint32 seed = 4711;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    auto put16 = [](Block &b, int lo, int v) {
        b[lo] = quint8(v & 0xFF);
        b[lo + 1] = quint8((v >> 8) & 0xFF);
    };
    // Sign-magnitude, as the controller sends currents and speed.
    auto putSm16 = [&put16](Block &b, int lo, int v) { put16(b, lo, v < 0 ? (0x8000 | -v) : v); };
    const quint16 spareBits[] = {0x0001, 0x0100, 0x0200, 0x0800, 0x8000, 0x0101, 0x0900, 0x8201};
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    b[31] = kEndMarker;
    for (int i = 0; i < blocks; ++i) {
        put16(b, 2, 4800 + int(next() % 400));                 // Vdc, hundredths
        putSm16(b, 4, int(next() % 6000) - 1000);              // Idc
        putSm16(b, 6, int(next() % 9000) - 500);               // speed
        b[8] = quint8(40 + i % 50 + next() % 3);               // power stage, +10
        b[9] = quint8(next());                                 // state bits
        const bool fault = i % 512 >= 448;
        put16(b, 10, spareBits[i % 8] | (fault ? 0x0020 : 0)); // history word
        b[12] = quint8(20 + next() % 40);                      // motor, halves
        putSm16(b, 13, int(next() % 8000) - 2000);             // Iq ref
        put16(b, 15, 5000 + int(next() % 40000));              // throttle, tenth mV
        b[17] = quint8(next());                                // input levels
        b[18] = quint8(i % 2 ? 5 : 3);                         // machine state
        put16(b, 19, spareBits[(i + 3) % 8] | (fault ? 0x0020 : 0)); // current faults
        putSm16(b, 21, int(next() % 8000) - 2000);             // Iq actual
        putSm16(b, 23, int(next() % 3000) - 1500);             // Id ref
        putSm16(b, 25, int(next() % 3000) - 1500);             // Id actual
        b[27] = quint8(next());
        b[28] = quint8(next() % 5);                            // gear
        b[29] = quint8(1 + next() % 6);                        // hall state
        b[30] = quint8(1 + next() % 5);                        // mode
        s.append(reinterpret_cast<const char *>(b.data()), kBlockSize);
    }
    return s;
}

// The median of a few rounds' figures.
inline double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0.0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
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
