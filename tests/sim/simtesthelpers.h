#pragma once
// Shared by the simulator tests: a model on a hand-driven clock, and byte
// helpers that read the controller's blocks without any of the tool's codecs.

#include "controllermodel.h"
#include "simcommands.h"

#include <QByteArray>
#include <QList>

#include <initializer_list>

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

inline int u8At(const QByteArray &b, int i) { return quint8(b.at(i)); }
inline int u16At(const QByteArray &b, int i) { return u8At(b, i) | (u8At(b, i + 1) << 8); }
inline int sm16At(const QByteArray &b, int i)
{
    const int mag = u8At(b, i) | ((u8At(b, i + 1) & 0x7F) << 8);
    return (u8At(b, i + 1) & 0x80) ? -mag : mag;
}

// A 32-byte block: the head bytes, then `fill` up to byte 30, then `end`.
inline QByteArray block(std::initializer_list<int> head, int fill = 0, int end = 0xDA)
{
    QByteArray b(32, char(fill));
    int i = 0;
    for (int v : head)
        b[i++] = char(v);
    b[31] = char(end);
    return b;
}

// A model and its clock. Time only moves forward, by hand.
struct SimBench
{
    sim::ControllerModel model;
    qint64 now = 2000; // past the drive's start-up second

    explicit SimBench(const sim::SimOptions &o = {}) : model(o, 0) {}

    // Everything due up to now + `ms`, each chunk separately; moves the clock.
    QList<sim::OutChunk> wait(qint64 ms)
    {
        now += ms;
        QList<sim::OutChunk> out;
        for (const sim::OutChunk &c : model.advance(now))
            out << c;
        return out;
    }
    QByteArray waitBytes(qint64 ms)
    {
        QByteArray b;
        for (const sim::OutChunk &c : wait(ms))
            b += c.bytes;
        return b;
    }
    // Sends a request and returns what comes back within `windowMs`.
    QByteArray ask(const QByteArray &request, qint64 windowMs = 50)
    {
        model.feed(request, now);
        return waitBytes(windowMs);
    }
    QByteArray poll() { return ask(bytes({0xFD, 0x48, 0x55})); }
    // Runs the bench for `ms` in poll periods and returns the last status.
    QByteArray runFor(qint64 ms)
    {
        QByteArray last;
        for (qint64 t = 0; t < ms; t += 1000) {
            last = poll();
            waitBytes(950);
        }
        return last;
    }
};
