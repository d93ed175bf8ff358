// The receive path on one core: assemble, dispatch and decode live-status
// blocks, for chunk sizes 1, 7, 32 and 4096, on a status stream and on a
// mixed stream; then a ride, where every status field moves on every block,
// read as the tool reads a port: readyRead, then read. Prints one row per
// case (microseconds per 32-byte block).
//   build/bin/bench_receive

#include "benchstreams.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "link/serialport.h"
#include "monitor/statusdecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstring>

namespace {
class NoMessages : public MessageService
{
public:
    void show(const Message &, std::function<void()>) override {}
    void ask(const Message &, std::function<void(bool)>) override {}
};

double nsPerBlock(const QByteArray &stream, int chunk, int rounds)
{
    AppState state;
    NoMessages messages;
    LinkController link(state.connection, state.language, messages);
    StatusDecoder decoder; // as the main window keeps it
    qint64 decoded = 0;
    // As the main window does: the block into the status buffer, then decoded.
    QObject::connect(&link.dispatcher(), &Dispatcher::statusReceived, [&](const Block &block) {
        state.frames[FrameId::Status] = block;
        decoder.decode(state.statusParts());
        ++decoded;
    });
    // Chunks cut beforehand: the port's read is not part of the figure.
    QList<QByteArray> chunks;
    for (qsizetype pos = 0; pos < stream.size(); pos += chunk)
        chunks << stream.mid(pos, chunk);
    double best = 1e12;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        for (const QByteArray &c : chunks)
            link.receiveBytes(c);
        best = std::min(best, double(t.nsecsElapsed()));
    }
    if (decoded == 0)
        qFatal("no status block was decoded");
    return best / (stream.size() / double(kBlockSize));
}
// A port that hands over a stream in reads of at most a given size, as a
// serial port hands over what arrived since the last read.
class StreamPort : public SerialPort
{
public:
    const QByteArray *stream = nullptr;
    qsizetype pos = 0;
    qsizetype readSize = 32;

    OpenResult open(const QString &, const PortSettings &) override
    {
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString portName() const override { return QStringLiteral("bench"); }
    bool write(const QByteArray &) override { return true; }
    qint64 read(char *data, qint64 maxSize) override
    {
        if (!stream || pos >= stream->size() || m_handedOver)
            return 0;
        const qsizetype n = qsizetype(std::min<qint64>({readSize, stream->size() - pos, maxSize}));
        std::memcpy(data, stream->constData() + pos, size_t(n));
        pos += n;
        m_handedOver = true; // one read's worth for each readyRead
        return n;
    }
    void deliver()
    {
        m_handedOver = false;
        emit readyRead();
    }
private:
    bool m_open = false;
    bool m_handedOver = false;
};

// The ride through the port's readyRead and read, as the tool reads it.
// Median of `rounds` rounds, in nanoseconds per block.
double nsPerBlockThroughPort(const QByteArray &stream, int readSize, int rounds)
{
    AppState state;
    // In a language, as the tool always is: the I/O text is made.
    setLanguage(state.language, LanguageCode::English);
    NoMessages messages;
    LinkController link(state.connection, state.language, messages);
    StreamPort *port = nullptr;
    link.setPortFactory([&port](const QString &) {
        auto p = std::make_unique<StreamPort>();
        port = p.get();
        return p;
    });
    link.setPortName(QStringLiteral("bench"));
    link.setSettings(QString::fromLatin1(kDefaultPortSettings));
    if (!link.openPort().ok() || !port)
        qFatal("the bench port did not open");
    StatusDecoder decoder;
    qint64 decoded = 0;
    // As the main window does: the block into the status buffer, then decoded.
    QObject::connect(&link.dispatcher(), &Dispatcher::statusReceived, [&](const Block &block) {
        state.frames[FrameId::Status] = block;
        decoder.decode(state.statusParts());
        ++decoded;
    });
    port->stream = &stream;
    port->readSize = readSize;
    QList<double> figures;
    for (int r = 0; r < rounds; ++r) {
        port->pos = 0;
        QElapsedTimer t;
        t.start();
        while (port->pos < stream.size())
            port->deliver();
        figures << double(t.nsecsElapsed());
    }
    if (decoded != rounds * (stream.size() / kBlockSize))
        qFatal("%lld of %lld status blocks were decoded", decoded, rounds * (stream.size() / kBlockSize));
    return bench::median(figures) / (stream.size() / double(kBlockSize));
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QByteArray status = bench::statusStream(20000);
    const QByteArray mixed = bench::mixedStream(20000);
    for (int chunk : {1, 7, 32, 4096}) {
        const QByteArray label = "receive, status stream, chunks of " + QByteArray::number(chunk);
        // The goal is set for the reads a serial port hands over at speed.
        bench::report(label.constData(), nsPerBlock(status, chunk, 7) / 1000.0, "us/blk",
                      chunk == 32 ? "<= 0.5" : "-");
    }
    for (int chunk : {1, 7, 32, 4096}) {
        const QByteArray label = "receive, mixed stream, chunks of " + QByteArray::number(chunk);
        bench::report(label.constData(), nsPerBlock(mixed, chunk, 7) / 1000.0, "us/blk", "-");
    }
    // A ride at speed: the tool's reads, every field changing. The median
    // of seven rounds.
    const QByteArray ride = bench::rideStream(20000);
    for (int readSize : {7, 32, 4096}) {
        const QByteArray label = "receive, ride via readyRead, reads of " + QByteArray::number(readSize);
        bench::report(label.constData(), nsPerBlockThroughPort(ride, readSize, 7) / 1000.0, "us/blk",
                      readSize == 32 ? "<= 0.5" : "-");
    }
    return 0;
}
