#pragma once
// The link controller on a fake line, with recorded messages and a clock the
// test advances: the bench of the link tests.

#include "core/appstate.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QList>

struct LinkBench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    qint64 now = 0;
    QList<Block> statusBlocks; // what the status decoder saw

    LinkBench()
    {
        link.setPortFactory(line.factory());
        link.setPortName(QStringLiteral("/dev/ttyFAKE"));
        link.setClock([this] { return now; });
        QObject::connect(&link.dispatcher(), &Dispatcher::statusReceived,
                         [this](const Block &b) { statusBlocks << b; });
    }
    void receive(const Block &b) { line.deliver(toByteArray(b)); }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            now += 100;
            link.tick();
        }
    }
    // Ticks until a poll has been written.
    void untilPoll()
    {
        const QByteArray poll = requestFrames().statusPollRequest;
        const int before = int(line.writes.count(poll));
        for (int i = 0; i < 10 && line.writes.count(poll) == before; ++i)
            tick();
    }
    void bringOnline()
    {
        link.openPort();
        untilPoll();
        line.deliver(toByteArray(status(0)));
        statusBlocks.clear();
    }
    static Block status(quint8 marker)
    {
        return makeBlock({0xDF, 0xEF, 0x10, 0x13, marker});
    }
};
