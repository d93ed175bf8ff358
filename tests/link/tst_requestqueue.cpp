// The request queue against the fake port with a stepped clock: one request
// on the line at a time, the answer matched by the family's codes, time-outs
// from the line speed, retries for reads only, and an outcome for every
// request.

#include "link/requestqueue.h"

#include "linkbench.h"

#include <QTest>

namespace {
using Outcome = RequestQueue::Outcome;

enum class Answer { None, Reply, OtherFamily, OnSecondAttempt, LinkDrops, PortMissing };

struct Bench : LinkBench
{
    std::optional<RequestQueue::Result> result;
    RequestQueue::Callback record()
    {
        return [this](const RequestQueue::Result &r) { result = r; };
    }
    // Time passes without an answer, tick by tick.
    void wait(qint64 ms)
    {
        for (qint64 t = 0; t < ms; t += 100)
            tick();
    }
    int sent(const QByteArray &frame) const { return int(line.writes.count(frame)); }
};
} // namespace

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(RequestQueue::Outcome)

class TestRequestQueue : public QObject
{
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void oneRequestOnTheLine();
    void lateReplyIsNotTakenForTheNext();
    void timeOutFollowsTheLine_data();
    void timeOutFollowsTheLine();
};

void TestRequestQueue::outcomes_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("attempts");
    QTest::newRow("read answered") << false << Answer::Reply << Outcome::Answered << 1;
    QTest::newRow("read answered on the retry") << false << Answer::OnSecondAttempt << Outcome::Answered << 2;
    QTest::newRow("read unanswered: asked three times") << false << Answer::None << Outcome::TimedOut << 3;
    QTest::newRow("another family's block answers nothing") << false << Answer::OtherFamily << Outcome::TimedOut << 3;
    QTest::newRow("write acknowledged") << true << Answer::Reply << Outcome::Answered << 1;
    QTest::newRow("write unacknowledged: never sent twice") << true << Answer::None << Outcome::TimedOut << 1;
    QTest::newRow("read, the link drops") << false << Answer::LinkDrops << Outcome::Cancelled << 1;
    QTest::newRow("write, the link drops") << true << Answer::LinkDrops << Outcome::Cancelled << 1;
    QTest::newRow("read, no port") << false << Answer::PortMissing << Outcome::NotSent << 1;
}

void TestRequestQueue::outcomes()
{
    QFETCH(bool, write);
    QFETCH(Answer, answer);
    QFETCH(Outcome, outcome);
    QFETCH(int, attempts);
    Bench b;
    if (answer == Answer::PortMissing)
        b.line.missing << QStringLiteral("/dev/ttyFAKE");
    else
        b.bringOnline();
    const Block block = makeBlock({0xF0, 0xE1, 0x5E, 0x01});
    RequestQueue::Request request =
        write ? RequestQueue::write(block, b.record()) : RequestQueue::read(FrameId::Basic, b.record());
    const QByteArray frame = request.frame;
    const Block reply = makeBlock({0xF0, quint8(write ? 0xE1 : 0xE0), 0x2C, 0x01});
    b.link.request(std::move(request));

    switch (answer) {
    case Answer::Reply:
        b.receive(reply);
        break;
    case Answer::OnSecondAttempt:
        b.wait(300);
        QCOMPARE(b.sent(frame), 2);
        b.receive(reply);
        break;
    case Answer::OtherFamily:
        b.receive(makeBlock({0xF6, 0xE6}));
        break;
    case Answer::LinkDrops:
        b.line.fail(QStringLiteral("unplugged"));
        break;
    default:
        break;
    }
    b.wait(2000);
    QVERIFY(b.result);
    QCOMPARE(b.result->outcome, outcome);
    QCOMPARE(b.result->attempts, attempts);
    QCOMPARE(b.sent(frame), answer == Answer::PortMissing ? 0 : attempts);
    if (outcome == Outcome::Answered)
        QCOMPARE(b.result->reply, reply);
    QVERIFY(!b.link.requests().busy());
}

void TestRequestQueue::oneRequestOnTheLine()
{
    Bench b;
    b.bringOnline();
    QList<FrameId> done;
    for (FrameId f : {FrameId::Basic, FrameId::Motor, FrameId::DqPid})
        b.link.request(RequestQueue::read(f, [&done, f](const RequestQueue::Result &) { done << f; }));
    const QByteArray basic = readRequestFor(FrameId::Basic);
    const QByteArray motor = readRequestFor(FrameId::Motor);
    QCOMPARE(b.sent(basic), 1);
    QCOMPARE(b.sent(motor), 0); // waits for Basic's answer
    QCOMPARE(b.link.requests().waiting(), 2);
    b.receive(makeBlock({0xF0, 0xE0}));
    QCOMPARE(b.sent(motor), 1); // at once, not at the next tick
    b.receive(makeBlock({0xF6, 0xE6}));
    b.receive(makeBlock({0xD2, 0xC2}));
    QCOMPARE(done, (QList<FrameId>{FrameId::Basic, FrameId::Motor, FrameId::DqPid}));
}

void TestRequestQueue::lateReplyIsNotTakenForTheNext()
{
    Bench b;
    b.bringOnline();
    b.link.request(RequestQueue::read(FrameId::Basic, b.record()));
    b.wait(2000);
    QCOMPARE(b.result->outcome, Outcome::TimedOut);
    b.result.reset();
    b.link.request(RequestQueue::read(FrameId::Motor, b.record()));
    b.receive(makeBlock({0xF0, 0xE0})); // Basic, too late
    QVERIFY(!b.result);
    QVERIFY(b.link.requests().busy());
    const Block motor = makeBlock({0xF6, 0xE6, 0x17});
    b.receive(motor);
    QVERIFY(b.result && b.result->ok());
    QCOMPARE(b.result->reply, motor);
}

void TestRequestQueue::timeOutFollowsTheLine_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("write");
    QTest::addColumn<qint64>("timeoutMs");
    // A read: 3 bytes out, 32 back; 10 bits a character at 8N1, 11 with parity.
    QTest::newRow("read at 9600") << "9600,n,8,1" << false << qint64(37 + 200);
    QTest::newRow("write at 9600") << "9600,n,8,1" << true << qint64(67 + 200);
    QTest::newRow("read at 1200, even parity") << "1200,e,8,1" << false << qint64(321 + 200);
    QTest::newRow("read at 115200") << "115200,n,8,1" << false << qint64(4 + 200);
}

void TestRequestQueue::timeOutFollowsTheLine()
{
    QFETCH(QString, settings);
    QFETCH(bool, write);
    QFETCH(qint64, timeoutMs);
    RequestQueue queue([](const QByteArray &) { return true; });
    queue.setLineSettings(*PortSettings::parse(settings));
    const RequestQueue::Request r =
        write ? RequestQueue::write(makeBlock({0xF0, 0xE1})) : RequestQueue::read(FrameId::Basic);
    QCOMPARE(queue.timeoutMs(r), timeoutMs);
}

QTEST_GUILESS_MAIN(TestRequestQueue)
#include "tst_requestqueue.moc"
