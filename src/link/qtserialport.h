#pragma once
// The real serial port: QSerialPort behind the port interface.

#include "link/serialport.h"

#include <QSerialPort>

#include <algorithm>

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
    // Straight out of the port's own buffer; an empty port answers at once.
    qint64 read(char *data, qint64 maxSize) override
    {
        return m_port.bytesAvailable() > 0 ? std::max<qint64>(0, m_port.read(data, maxSize)) : 0;
    }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_name;
    bool m_failedReported = false;
};
