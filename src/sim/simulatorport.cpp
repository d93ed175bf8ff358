#include "simulatorport.h"

#include "simline.h"

SimulatorPort::SimulatorPort(std::shared_ptr<sim::SimLine> line, QObject *parent)
    : SerialPort(parent), m_line(std::move(line))
{
}

SimulatorPort::~SimulatorPort()
{
    close();
}

SerialPort::OpenResult SimulatorPort::open(const QString &portName, const PortSettings &settings)
{
    if (!m_line)
        return {OpenError::NotFound, portName};
    // Unless the controller was given settings of its own, it answers at
    // any: the demo must not depend on the rate picked in the port dialog.
    const int stopHalves = settings.stopBits == PortSettings::StopBits::Two          ? 4
                           : settings.stopBits == PortSettings::StopBits::OneAndHalf ? 3
                                                                                     : 2;
    m_line->setToolLine({settings.baudRate, settings.parity, settings.dataBits, stopHalves});
    if (!m_open)
        connect(m_line.get(), &sim::SimLine::transmit, this, &SimulatorPort::onTransmit);
    m_open = true;
    m_name = portName;
    m_input.clear();
    return {};
}

void SimulatorPort::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_input.clear();
    disconnect(m_line.get(), &sim::SimLine::transmit, this, &SimulatorPort::onTransmit);
}

bool SimulatorPort::write(const QByteArray &bytes)
{
    if (!m_open)
        return false;
    m_line->receive(bytes);
    return true;
}

void SimulatorPort::onTransmit(const QByteArray &bytes)
{
    if (!m_open)
        return;
    m_input.append(bytes);
    // Announced from the event loop, once for whatever arrived meanwhile, as
    // a real port does.
    if (m_notifyPending)
        return;
    m_notifyPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_notifyPending = false;
            if (m_open && !m_input.isEmpty())
                emit readyRead();
        },
        Qt::QueuedConnection);
}
