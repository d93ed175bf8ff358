#include "link/qtportenumerator.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {
// The USB socket path of a tty ("1-1.4"), from the device's place in sysfs:
// /sys/class/tty/ttyUSB0/device -> .../usb1/1-1/1-1.4/1-1.4:1.0/ttyUSB0.
// It stays the same when the adapter is plugged back into the same socket.
QString usbSocket(const QString &portName)
{
#ifdef Q_OS_LINUX
    const QString device =
        QFileInfo(QStringLiteral("/sys/class/tty/%1/device").arg(portName)).canonicalFilePath();
    for (const QString &part : device.split(u'/', Qt::SkipEmptyParts)) {
        // Interface directories look like "1-1.4:1.0"; the socket is before the colon.
        const qsizetype colon = part.indexOf(u':');
        if (colon > 0 && part.at(0).isDigit() && part.contains(u'-'))
            return part.left(colon);
    }
#else
    Q_UNUSED(portName);
#endif
    return {};
}
} // namespace

QList<PortListing> QtPortEnumerator::ports() const
{
    QList<PortListing> list;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        PortListing p;
        p.name = info.systemLocation();
        p.identity.serialNumber = info.serialNumber().trimmed();
        if (info.hasVendorIdentifier())
            p.identity.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            p.identity.productId = info.productIdentifier();
        p.identity.location = usbSocket(info.portName());
        list << p;
    }
    return list;
}
