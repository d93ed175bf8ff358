#pragma once
// A recorded run of varied live-status blocks: a drive that speeds up and
// slows down, faults that come and go, state and gear words in and out of
// their tables, sign bits on every signed field, runs of identical blocks,
// and language switches in the middle (English, Chinese, and a code that is
// neither, which the main window's language switch refuses). Deterministic:
// the same blocks on every run.

#include "core/frames.h"

#include <QList>

struct SequenceStep
{
    Block block;
    int languageCode; // switched to before this block when it differs
};

inline QList<SequenceStep> recordedStatusSequence()
{
    QList<SequenceStep> steps;
    quint32 seed = 0x2545F491u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    b[31] = kEndMarker;
    int language = 22;
    for (int i = 0; i < 240; ++i) {
        const int phase = i % 60;
        // Speed ramps up and down; currents follow it with noise.
        const int speed = (phase < 30 ? phase : 60 - phase) * 97 + int(next() % 5);
        const bool backwards = (i / 60) % 2 == 1;
        b[6] = quint8(speed & 0xFF);
        b[7] = quint8((speed >> 8) | (backwards ? 0x80 : 0));
        const int idc = int(next() % 4000);
        b[4] = quint8(idc & 0xFF);
        b[5] = quint8((idc >> 8) | ((next() % 4 == 0) ? 0x80 : 0));
        for (int lo : {13, 21, 23, 25}) {
            const int v = int(next() % 300);
            b[lo] = quint8(v);
            b[lo + 1] = quint8((v >> 8) | ((next() % 3 == 0) ? 0x80 : 0));
        }
        if (i % 7 == 0) { // slow values change now and then
            const int vdc = 4000 + int(next() % 1500);
            b[2] = quint8(vdc & 0xFF);
            b[3] = quint8(vdc >> 8);
            b[8] = quint8(next() % 140);
            b[12] = quint8(next() % 80);
        }
        const int throttle = int(next() % 50000);
        b[15] = quint8(throttle & 0xFF);
        b[16] = quint8(throttle >> 8);
        if (i % 5 == 0)
            b[9] = quint8(next());
        if (i % 11 == 0)
            b[17] = quint8(next());
        if (i % 13 == 0)
            b[18] = quint8(next() % 9); // 7 and 8 have no word
        if (i % 17 == 0) {
            b[19] = quint8(next());
            b[20] = quint8(next());
        }
        if (i % 19 == 0) {
            b[10] = quint8(next());
            b[11] = quint8(next());
        }
        if (i % 23 == 0) {
            b[19] = 0; // faults clear again
            b[20] = 0;
        }
        if (i % 9 == 0)
            b[28] = quint8(next() % 7); // 5 and 6 have no word
        b[29] = quint8(next() % 7);
        b[30] = quint8(1 + next() % 5);
        b[27] = quint8(next());
        if (i == 80)
            language = 11;
        else if (i == 150)
            language = 33;
        else if (i == 170)
            language = 22;
        // Runs of the very same block: nothing may change on screen.
        const int repeats = (i % 31 == 0) ? 3 : 1;
        for (int r = 0; r < repeats; ++r)
            steps.append({b, language});
    }
    return steps;
}
