#include "simline.h"

namespace sim {

SimLine::SimLine(const SimOptions &options, QObject *parent)
    : QObject(parent), m_model(options, 0)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    // Split chunks are a few milliseconds apart; a coarse timer would merge them.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SimLine::pump);
}

void SimLine::receive(const QByteArray &bytes)
{
    m_model.feed(bytes, nowMs());
    schedule();
}

CommandResult SimLine::command(const QString &line)
{
    // Chunks that were due before now count as sent; the command acts on
    // what comes after.
    CommandResult result = runCommand(m_model, line, nowMs());
    schedule();
    return result;
}

void SimLine::setLineHeld(bool held)
{
    m_model.setLineHeld(held, nowMs());
    schedule();
}

void SimLine::pump()
{
    for (const OutChunk &chunk : m_model.advance(nowMs()))
        emit transmit(chunk.bytes);
    schedule();
}

void SimLine::schedule()
{
    const std::optional<qint64> next = m_model.nextDueMs();
    if (!next) {
        m_timer.stop();
        return;
    }
    m_timer.start(int(qBound<qint64>(0, *next - nowMs(), qint64(24) * 3600 * 1000)));
}

} // namespace sim
