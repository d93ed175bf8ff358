#pragma once
// The real serial port: QSerialPort behind the port interface.

#include "link/serialport.h"

#include <QSerialPort>

class QtSerialPort : public SerialPort
{
    Q_OBJECT
public:
    explicit QtSerialPort(QObject *parent = nullptr);

    OpenResult open(const QString &portName, const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QString portName() const override { return m_name; }
    bool write(const QByteArray &bytes) override;
    // The link timer asks ten times a second: an empty port costs no
    // read buffer (the port's own buffer is all readAll could return).
    QByteArray readAll() override { return m_port.bytesAvailable() > 0 ? m_port.readAll() : QByteArray(); }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_name;
    bool m_failedReported = false;
};
