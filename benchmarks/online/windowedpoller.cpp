// The baseline of the online benchmarks: the least a Qt Widgets program can
// do to keep a controller polled and show what it says. Opens the port,
// writes the given request every INTERVAL ms, cuts what comes back into
// 32-byte blocks and shows the readings of each status block in a window of
// plain labels, one per reading, as a technician would want to see them.
// With TICK_MS it also runs a timer that does nothing at that interval: what
// a program that keeps such a tick pays for the tick alone.
//   bench_windowed_poller DEVICE HEXBYTES INTERVAL_MS [TICK_MS]

#include <QApplication>
#include <QByteArray>
#include <QGridLayout>
#include <QLabel>
#include <QSerialPort>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
int u16(const QByteArray &b, int lo)
{
    return quint8(b[lo]) | quint8(b[lo + 1]) << 8;
}
int sm16(const QByteArray &b, int lo)
{
    const int v = u16(b, lo);
    return v & 0x8000 ? -(v & 0x7FFF) : v;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: bench_windowed_poller DEVICE HEXBYTES INTERVAL_MS [TICK_MS]\n");
        return 2;
    }
    const QByteArray request = QByteArray::fromHex(argv[2]);
    QSerialPort port;
    port.setPortName(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "bench_windowed_poller: %s\n", qPrintable(port.errorString()));
        return 1;
    }

    QWidget window;
    auto *grid = new QGridLayout(&window);
    const char *const captions[] = {"Vdc[V]", "Idc[A]", "Revolution[rpm]", "Power T[Deg]", "Motor T[Deg]",
                                    "Throttle vdc[V]", "Iq ref[A]", "Iq actual[A]", "Id ref[A]",
                                    "Id actual[A]", "Inputs", "State", "Gear", "Faults"};
    constexpr int kReadings = int(std::size(captions));
    QLabel *values[kReadings];
    for (int i = 0; i < kReadings; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[i])), i % 7, (i / 7) * 2);
        values[i] = new QLabel(QStringLiteral("***"));
        grid->addWidget(values[i], i % 7, (i / 7) * 2 + 1);
    }
    window.resize(600, 300);
    window.show();

    QByteArray pending;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        pending += port.readAll();
        while (pending.size() >= 32) {
            const QByteArray b = pending.left(32);
            pending.remove(0, 32);
            if (quint8(b[0]) != 0xDF || quint8(b[1]) != 0xEF)
                continue;
            const int shown[kReadings] = {u16(b, 2),     sm16(b, 4),  sm16(b, 6),  quint8(b[8]) - 10,
                                          quint8(b[12]) * 2, u16(b, 15), sm16(b, 13), sm16(b, 21),
                                          sm16(b, 23),    sm16(b, 25), quint8(b[17]), quint8(b[18]),
                                          quint8(b[28]),  u16(b, 19)};
            for (int i = 0; i < kReadings; ++i)
                values[i]->setText(QString::number(shown[i]));
        }
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { port.write(request); });
    poll.start(std::max(10, atoi(argv[3])));
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [] {});
    if (argc == 5)
        tick.start(std::max(10, atoi(argv[4])));
    return app.exec();
}
