// The receive path on one core: assemble, dispatch and decode live-status
// blocks, for chunk sizes 1, 7, 32 and 4096, on a status stream and on a
// mixed stream. Prints one row per case (nanoseconds per 32-byte block).
//   build/bin/bench_receive

#include "benchstreams.h"

#include "core/appstate.h"
#include "core/messageservice.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "monitor/statusdecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

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
    QObject::connect(&link.dispatcher(), &Dispatcher::statusReceived, [&] {
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
    return 0;
}
