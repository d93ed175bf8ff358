// The baseline of the idle benchmark: the least a Qt program can do to keep
// a controller polled. Opens the port, writes the given request every
// 100 ms and reads whatever comes back.
//   bench_idle_poller DEVICE HEXBYTES

#include <QByteArray>
#include <QCoreApplication>
#include <QSerialPort>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_idle_poller DEVICE HEXBYTES\n");
        return 2;
    }
    const QByteArray request = QByteArray::fromHex(argv[2]);
    QSerialPort port;
    port.setPortName(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "bench_idle_poller: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    qint64 received = 0;
    QObject::connect(&port, &QSerialPort::readyRead, [&] { received += port.readAll().size(); });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { port.write(request); });
    poll.start(100);
    return app.exec();
}
