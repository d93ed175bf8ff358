#pragma once
// A ride for the trend benchmarks: live-status blocks of a drive that speeds
// up and slows down every minute, currents with noise, slowly warming
// temperatures and now and then a fault, as the controller sends them.

#include "core/frames.h"

#include <cmath>

namespace bench {

inline Block rideBlock(int i)
{
    quint32 seed = quint32(i) * 2654435761u;
    auto noise = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(2 * range + 1)) - range;
    };
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    b[31] = kEndMarker;
    const double phase = (i % 600) / 600.0; // a minute at ten blocks a second
    const double drive = std::sin(phase * 3.14159265);
    const int speed = int(3200 * drive) + noise(15);
    const int current = int(180 * drive * (phase < 0.5 ? 1 : -0.4)) + noise(12);
    putU16(b, 2, quint32(4850 - current / 2 + noise(3)));
    putSm16(b, 4, current * 100 / 3 + noise(40));
    putSm16(b, 6, speed);
    b[8] = quint8(10 + 35 + (i / 900) % 40 + noise(1));
    b[12] = quint8(20 + (i / 1200) % 30);
    putSm16(b, 13, current + 5);
    putSm16(b, 21, current + noise(6));
    putSm16(b, 23, speed > 2500 ? -(speed - 2500) / 10 : 0);
    putSm16(b, 25, speed > 2500 ? -(speed - 2500) / 10 + noise(3) : noise(2));
    putU16(b, 15, quint32(8000 + 30000 * drive + noise(100)));
    if (i % 1500 > 1480)
        putU16(b, 19, 0x0004); // over voltage, a moment every two and a half minutes
    b[18] = 3;
    b[28] = 2;
    return b;
}

} // namespace bench
