#pragma once
// The controller model on a real clock: what the tool writes goes in, and
// each reply chunk leaves at its due time through transmit(). Used by the
// pseudo-terminal endpoint and by the in-process port of the demo mode.

#include "controllermodel.h"
#include "simcommands.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace sim {

class SimLine : public QObject
{
    Q_OBJECT
public:
    explicit SimLine(const SimOptions &options, QObject *parent = nullptr);

    ControllerModel &model() { return m_model; }
    qint64 nowMs() const { return m_clock.elapsed(); }

    // Bytes from the tool.
    void receive(const QByteArray &bytes);
    // The settings the tool has set on its end of the line; called by the
    // driver before the bytes that came at them.
    void setToolLine(const LineSettings &settings) { m_model.setToolLine(settings); }
    // A bench command ("silence 5"), applied now.
    CommandResult command(const QString &line);
    // The other end takes no more bytes for now (its buffer is full), or
    // takes them again: a flood waits meanwhile.
    void setLineHeld(bool held);

signals:
    // Bytes the controller puts on the line. Never emitted from inside
    // receive() or command(): always from the event loop.
    void transmit(const QByteArray &bytes);

private:
    void pump();
    void schedule();

    QElapsedTimer m_clock;
    ControllerModel m_model;
    QTimer m_timer;
};

} // namespace sim
