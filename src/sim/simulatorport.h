#pragma once
// The simulated controller as a serial port inside the tool: the port named
// "Simulator" of the demo mode and of the port dialog. The controller lives
// as long as the program; the link makes a fresh port object for every
// opening, and each one talks to the same controller, so what was written
// stays written. Each opening tells the controller the settings it was
// opened at: one with line settings of its own answers an opening at other
// settings with garbage, as a real line at the wrong rate does.

#include "link/serialport.h"

#include <memory>

namespace sim {
class SimLine;
}

class SimulatorPort : public SerialPort
{
    Q_OBJECT
public:
    explicit SimulatorPort(std::shared_ptr<sim::SimLine> line, QObject *parent = nullptr);
    ~SimulatorPort() override;

    OpenResult open(const QString &portName, const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString portName() const override { return m_name; }
    bool write(const QByteArray &bytes) override;
    qint64 read(char *data, qint64 maxSize) override { return moveOut(m_input, data, maxSize); }

private:
    void onTransmit(const QByteArray &bytes);

    std::shared_ptr<sim::SimLine> m_line;
    QString m_name;
    QByteArray m_input;
    bool m_open = false;
    bool m_notifyPending = false;
};
