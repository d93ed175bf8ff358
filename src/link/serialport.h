#pragma once
// The port layer as the link sees it. Implementations: the real serial port
// (QSerialPort), the in-process simulated controller, and a fake for tests.

#include "link/portsettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class SerialPort : public QObject
{
    Q_OBJECT
public:
    enum class OpenError { None, NotFound, PermissionDenied, Busy, BadSettings, Other };
    // Why an open port stopped working, as far as the port can tell.
    enum class LossCause { Removed, PermissionDenied, Other };
    Q_ENUM(LossCause)

    struct OpenResult
    {
        OpenError error = OpenError::None;
        QString detail; // the system's own words, for the message and the log
        bool ok() const { return error == OpenError::None; }
    };

    using QObject::QObject;

    // Opens the device and clears whatever input was waiting before.
    virtual OpenResult open(const QString &portName, const PortSettings &settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString portName() const = 0;
    // Hands the whole frame to the device; false when it could not.
    virtual bool write(const QByteArray &bytes) = 0;
    // Moves up to `maxSize` of the bytes waiting into `data`: how many it
    // moved, 0 when none wait.
    virtual qint64 read(char *data, qint64 maxSize) = 0;
    // Every byte waiting.
    QByteArray readAll();

signals:
    void readyRead();
    // An error on an open port (adapter unplugged, line gone). Emitted at most
    // once per opening: the link treats it as "link down". `detail` is the
    // system's own text, for the log only: it may be left over from an
    // earlier call and says nothing to the user.
    void failed(SerialPort::LossCause cause, const QString &detail);

protected:
    // read() for a port that holds its waiting bytes in `held`.
    static qint64 moveOut(QByteArray &held, char *data, qint64 maxSize);
};
