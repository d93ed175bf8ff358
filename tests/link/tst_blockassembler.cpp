#include "link/blockassembler.h"

#include <QTest>

namespace {
// A status block that carries its number in bytes 2..30 (never the end
// marker), so that every block of a stream differs and a torn one shows.
Block numbered(int n)
{
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    for (int i = 2; i < kBlockSize - 1; ++i)
        b[i] = quint8((n * 7 + i) % 0xD0);
    b[kBlockSize - 1] = kEndMarker;
    return b;
}

QByteArray stream(int blocks, int first = 0)
{
    QByteArray s;
    for (int b = 0; b < blocks; ++b)
        s += toByteArray(numbered(first + b));
    return s;
}

// Numbered blocks that all carry 0xDA at byte `at` of their data (a reading
// that happens to be 218, say).
Block markedAt(int n, int at)
{
    Block b = numbered(n);
    b[at] = kEndMarker;
    return b;
}

QList<Block> markedList(int blocks, int at, int first = 0)
{
    QList<Block> out;
    for (int b = 0; b < blocks; ++b)
        out << markedAt(first + b, at);
    return out;
}

// What a receive handler would decode: whole blocks only.
QList<Block> whole(const std::vector<Block> &blocks)
{
    QList<Block> out;
    for (const Block &b : blocks)
        if (b[kBlockSize - 1] == kEndMarker)
            out << b;
    return out;
}

QList<Block> numberedList(int blocks, int first = 0)
{
    QList<Block> out;
    for (int b = 0; b < blocks; ++b)
        out << numbered(first + b);
    return out;
}

enum class Garbage { Noise, EndMarkers, CutReply };

QByteArray garbage(Garbage kind, int length)
{
    switch (kind) {
    case Garbage::Noise:
        return QByteArray(length, '\x11');
    case Garbage::EndMarkers:
        return QByteArray(length, char(kEndMarker));
    case Garbage::CutReply: {
        // A reply cut short (no end marker), then noise up to the length.
        QByteArray g = toByteArray(numbered(900)).left(qMin(length, kBlockSize - 1));
        return g + QByteArray(length - g.size(), '\x33');
    }
    }
    return {};
}
} // namespace

class TestBlockAssembler : public QObject
{
    Q_OBJECT
private slots:
    void chunksOfEverySize_data();
    void chunksOfEverySize();
    void blockSplitAcrossManyReads();
    void stalePartialIsDropped_data();
    void stalePartialIsDropped();
    void stallBetweenReadsKeepsEveryBlock_data();
    void stallBetweenReadsKeepsEveryBlock();
    void garbageInAContinuousStream_data();
    void garbageInAContinuousStream();
    void endMarkerInsideTheData_data();
    void endMarkerInsideTheData();
    void missingEndMarkerIsReportedOnce();
    void searchWaitsForTheEndMarker();
    void holdsLessThanABlock();
};

void TestBlockAssembler::chunksOfEverySize_data()
{
    QTest::addColumn<int>("chunk");
    for (int n = 1; n <= 3 * kBlockSize + 1; ++n)
        QTest::addRow("chunk %d", n) << n;
}

void TestBlockAssembler::chunksOfEverySize()
{
    QFETCH(int, chunk);
    const QByteArray all = stream(3);
    BlockAssembler a;
    std::vector<Block> got;
    for (int pos = 0; pos < all.size(); pos += chunk) {
        for (const Block &b : a.feed(all.mid(pos, chunk), 0))
            got.push_back(b);
        QVERIFY(a.pending() < kBlockSize);
    }
    QCOMPARE(int(got.size()), 3);
    for (int b = 0; b < 3; ++b)
        QCOMPARE(toByteArray(got[b]), all.mid(b * kBlockSize, kBlockSize));
    QCOMPARE(a.pending(), 0);
}

void TestBlockAssembler::blockSplitAcrossManyReads()
{
    const QByteArray one = stream(1);
    BlockAssembler a;
    for (int i = 0; i < kBlockSize - 1; ++i) {
        QVERIFY(a.feed(one.mid(i, 1), i).empty());
        QCOMPARE(a.pending(), i + 1);
    }
    const std::vector<Block> got = a.feed(one.mid(kBlockSize - 1), kBlockSize);
    QCOMPARE(int(got.size()), 1);
    QCOMPARE(toByteArray(got[0]), one);
}

// A partial block goes only when the line was seen quiet for longer than the
// gap; the reply after it then starts on a block boundary.
void TestBlockAssembler::stalePartialIsDropped_data()
{
    QTest::addColumn<qint64>("pause");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("within the gap") << qint64(100) << false;
    QTest::newRow("just over the gap") << qint64(101) << true;
    QTest::newRow("a second later") << qint64(1000) << true;
}

void TestBlockAssembler::stalePartialIsDropped()
{
    QFETCH(qint64, pause);
    QFETCH(bool, dropped);
    BlockAssembler a(100);
    const QByteArray noise(7, '\x11');
    const QByteArray reply = stream(1);
    QVERIFY(a.feed(noise, 1000).empty());
    a.dropStale(1000 + pause); // the port had nothing waiting then
    QCOMPARE(a.pending(), dropped ? 0 : noise.size());
    const std::vector<Block> got = a.feed(reply, 1000 + pause);
    if (dropped) {
        QCOMPARE(int(got.size()), 1);
        QCOMPARE(toByteArray(got[0]), reply);
    } else {
        // Noise and reply as one burst: the torn block is reported without
        // its end marker, then the reply is found behind the noise.
        QCOMPARE(int(got.size()), 2);
        QCOMPARE(toByteArray(got[0]), noise + reply.left(kBlockSize - noise.size()));
        QCOMPARE(toByteArray(got[1]), reply);
    }
    QCOMPARE(a.pending(), 0);

    // Without a quiet line seen in between, no time is long enough.
    BlockAssembler b(100);
    b.feed(noise, 0);
    QCOMPARE(int(whole(b.feed(reply, pause)).size()), 1);
}

// The window was busy between two reads (200 ms) while the rest of the
// stream waited in the port: a read may end anywhere inside a block.
void TestBlockAssembler::stallBetweenReadsKeepsEveryBlock_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("readSize");
    for (int cut = 0; cut < kBlockSize; ++cut) {
        QTest::addRow("cut at %d, pty reads", cut) << cut << 4095;
        QTest::addRow("cut at %d, small reads", cut) << cut << 45;
    }
}

void TestBlockAssembler::stallBetweenReadsKeepsEveryBlock()
{
    QFETCH(int, cut);
    QFETCH(int, readSize);
    const int count = 300;
    const QByteArray all = stream(count);
    BlockAssembler a(100);
    QList<Block> got;
    qint64 now = 0;
    QList<QByteArray> reads{all.left(cut)};
    for (qsizetype pos = cut; pos < all.size(); pos += readSize)
        reads << all.mid(pos, readSize);
    for (const QByteArray &r : reads) {
        for (const Block &b : a.feed(r, now)) {
            QCOMPARE(b[kBlockSize - 1], kEndMarker); // nothing torn, nothing bad
            got << b;
        }
        now += 200;
    }
    QCOMPARE(got, numberedList(count));
}

// Garbage of every length between two blocks of a continuous stream, in
// one burst with them: every block before it and the very next block after
// it are decoded, and nothing torn ever is.
void TestBlockAssembler::garbageInAContinuousStream_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("readSize");
    for (int length = 1; length <= 64; ++length) {
        QTest::addRow("noise %d", length) << int(Garbage::Noise) << length << 4095;
        QTest::addRow("end markers %d", length) << int(Garbage::EndMarkers) << length << 4095;
        QTest::addRow("cut reply %d", length) << int(Garbage::CutReply) << length << 4095;
        QTest::addRow("noise %d, read by 32", length) << int(Garbage::Noise) << length << 32;
        QTest::addRow("cut reply %d, read by 7", length) << int(Garbage::CutReply) << length << 7;
    }
}

void TestBlockAssembler::garbageInAContinuousStream()
{
    QFETCH(int, kind);
    QFETCH(int, length);
    QFETCH(int, readSize);
    const QByteArray all = stream(10) + garbage(Garbage(kind), length) + stream(10, 10);
    BlockAssembler a(100);
    std::vector<Block> got;
    for (qsizetype pos = 0; pos < all.size(); pos += readSize)
        for (const Block &b : a.feed(all.mid(pos, readSize), 0))
            got.push_back(b);
    QList<Block> decoded;
    for (const Block &b : whole(got))
        if (b[0] == 0xDF && b[1] == 0xEF) // what the dispatch would decode
            decoded << b;
    QCOMPARE(decoded, numberedList(20));
    QVERIFY(a.pending() < kBlockSize);
}

// Stray bytes put the stream out of step by just so many bytes that every
// 32-byte window ends on the 0xDA inside the next block's data: each window
// then has its end marker, but behind a pair no reply carries. Whatever the
// stray bytes and however the stream is read, the blocks after them are
// found and decoded whole.
void TestBlockAssembler::endMarkerInsideTheData_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<char>("stray");
    QTest::addColumn<int>("readSize");
    for (int at = 2; at < kBlockSize - 1; ++at) {
        QTest::addRow("0xDA at byte %d, noise", at) << at << '\x11' << 4095;
        QTest::addRow("0xDA at byte %d, noise, read by 32", at) << at << '\x11' << 32;
        // A byte that starts replies, but never twice in a row.
        QTest::addRow("0xDA at byte %d, F0 bytes, read by 7", at) << at << '\xF0' << 7;
    }
}

void TestBlockAssembler::endMarkerInsideTheData()
{
    QFETCH(int, at);
    QFETCH(char, stray);
    QFETCH(int, readSize);
    const QList<Block> sent = markedList(20, at);
    QByteArray all;
    for (int b = 0; b < sent.size(); ++b) {
        if (b == 10)
            all += QByteArray(kBlockSize - 1 - at, stray);
        all += toByteArray(sent[b]);
    }
    BlockAssembler a(100);
    QList<Block> decoded;
    for (qsizetype pos = 0; pos < all.size(); pos += readSize) {
        for (const Block &b : whole(a.feed(all.mid(pos, readSize), 0)))
            if (BlockAssembler::isReplyPair(b[0], b[1])) // what the dispatch would act on
                decoded << b;
        QVERIFY(a.pending() < kBlockSize);
    }
    QCOMPARE(decoded, sent);
}

void TestBlockAssembler::missingEndMarkerIsReportedOnce()
{
    // A reply whose end marker is wrong, then stray bytes, then two replies.
    QByteArray bad = stream(1);
    bad[kBlockSize - 1] = char(0xDB);
    BlockAssembler a;
    const std::vector<Block> got = a.feed(bad + QByteArray(40, '\x05') + stream(2, 5), 0);
    QCOMPARE(int(got.size()), 3);
    QCOMPARE(got[0][kBlockSize - 1], quint8(0xDB));
    QCOMPARE(got[1], numbered(5));
    QCOMPARE(got[2], numbered(6));
}

void TestBlockAssembler::searchWaitsForTheEndMarker()
{
    // Out of step, a reply pair arrives whose end marker is still on the way.
    BlockAssembler a;
    const QByteArray reply = stream(1, 3);
    std::vector<Block> got = a.feed(QByteArray(32, '\x11') + reply.left(10), 0);
    QCOMPARE(int(got.size()), 1); // the 32 stray bytes, reported once
    QVERIFY(a.searching());
    QCOMPARE(a.pending(), 10);
    got = a.feed(reply.mid(10), 50);
    QCOMPARE(int(got.size()), 1);
    QCOMPARE(got[0], numbered(3));
    QVERIFY(!a.searching());
}

void TestBlockAssembler::holdsLessThanABlock()
{
    // However long the garbage, what is kept between reads is less than a block.
    BlockAssembler a;
    QByteArray junk;
    for (int i = 0; i < 5000; ++i)
        junk.append(char(i * 37 % 251));
    for (qsizetype pos = 0; pos < junk.size(); pos += 333) {
        a.feed(junk.mid(pos, 333), 0);
        QVERIFY(a.pending() < kBlockSize);
    }
    a.dropStale(1000);
    QCOMPARE(a.pending(), 0);
    QVERIFY(!a.searching());
}

QTEST_GUILESS_MAIN(TestBlockAssembler)
#include "tst_blockassembler.moc"
