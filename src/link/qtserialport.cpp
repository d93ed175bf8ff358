#include "link/qtserialport.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QtSerialPort::QtSerialPort(QObject *parent) : SerialPort(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

static bool applySettings(QSerialPort &port, const PortSettings &s)
{
    const QSerialPort::Parity parity = s.parity == 'o'   ? QSerialPort::OddParity
                                       : s.parity == 'e' ? QSerialPort::EvenParity
                                                         : QSerialPort::NoParity;
    const QSerialPort::StopBits stop =
        s.stopBits == PortSettings::StopBits::Two          ? QSerialPort::TwoStop
        : s.stopBits == PortSettings::StopBits::OneAndHalf ? QSerialPort::OneAndHalfStop
                                                           : QSerialPort::OneStop;
    return port.setBaudRate(s.baudRate) && port.setParity(parity)
           && port.setDataBits(s.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8)
           && port.setStopBits(stop) && port.setFlowControl(QSerialPort::NoFlowControl);
}

SerialPort::OpenResult QtSerialPort::open(const QString &portName, const PortSettings &settings)
{
    if (m_port.isOpen())
        m_port.close();
    m_name = portName;
    m_failedReported = false;
    m_port.setPortName(portName);

    if (!m_port.open(QIODevice::ReadWrite)) {
        OpenResult result{OpenError::Other, m_port.errorString()};
        switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            result.error = OpenError::NotFound;
            break;
        case QSerialPort::PermissionError: {
            // Qt reports a port held by another program the same way as a
            // missing permission; the file's access rights tell them apart.
            result.error = OpenError::PermissionDenied;
#ifdef Q_OS_UNIX
            const QString path = QFileInfo(portName).isAbsolute() ? portName
                                                                  : QStringLiteral("/dev/") + portName;
            if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0)
                result.error = OpenError::Busy;
#endif
            break;
        }
        default:
            break;
        }
        m_port.clearError();
        return result;
    }
    if (!applySettings(m_port, settings)) {
        OpenResult result{OpenError::BadSettings, m_port.errorString()};
        m_port.close();
        m_port.clearError();
        return result;
    }
    // Bytes that waited from before the opening are no replies.
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
    return {};
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPort::write(const QByteArray &bytes)
{
    return m_port.isOpen() && m_port.write(bytes) == bytes.size();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_port.isOpen() || m_failedReported)
        return;
    m_failedReported = true;
    LossCause cause = LossCause::Other;
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
        cause = LossCause::Removed;
        break;
    case QSerialPort::PermissionError:
        cause = LossCause::PermissionDenied;
        break;
    default:
        break;
    }
    emit failed(cause, m_port.errorString());
}
