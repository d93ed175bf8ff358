#include "link/blockassembler.h"

#include <QTest>

namespace {
QByteArray stream(int blocks)
{
    QByteArray s;
    for (int b = 0; b < blocks; ++b)
        for (int i = 0; i < kBlockSize; ++i)
            s.append(char(b * 40 + i));
    return s;
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
    const std::vector<Block> got = a.feed(reply, 1000 + pause);
    if (dropped) {
        QCOMPARE(int(got.size()), 1);
        QCOMPARE(toByteArray(got[0]), reply);
        QCOMPARE(a.pending(), 0);
    } else {
        // Noise and reply arrived as one burst: the block boundary stays where it was.
        QCOMPARE(int(got.size()), 1);
        QCOMPARE(toByteArray(got[0]), noise + reply.left(kBlockSize - noise.size()));
        QCOMPARE(a.pending(), noise.size());
    }

    // dropStale works the same at a poll tick.
    BlockAssembler b(100);
    b.feed(noise, 0);
    b.dropStale(pause);
    QCOMPARE(b.pending(), dropped ? 0 : noise.size());
}

QTEST_GUILESS_MAIN(TestBlockAssembler)
#include "tst_blockassembler.moc"
