// Backups and verified restores against the simulated controller, with the
// line's faults: whatever happens, no block is reported verified that the
// controller does not hold, and every block's fate is told.

#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/settransfer.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include "recordingmessages.h"

#include <QTest>

namespace {
using State = RestoredBlock::State;

struct Bench
{
    AppState state;
    RecordingMessages messages;
    std::shared_ptr<sim::SimLine> controller = std::make_shared<sim::SimLine>(sim::SimOptions{});
    LinkController link{state.connection, state.language, messages};
    ParameterService service{state.blockParts(), link, state.language};
    Bench()
    {
        link.setPortFactory([c = controller](const QString &) { return std::make_unique<SimulatorPort>(c); });
        link.setPortName(QString::fromLatin1(kSimulatorPortName));
        link.openPort();
    }
    BackupResult backUp()
    {
        SetBackup backup(service);
        std::optional<BackupResult> result;
        QObject::connect(&backup, &SetBackup::finished, [&](const BackupResult &r) { result = r; });
        backup.start(QStringLiteral("Simulator"), QStringLiteral("9600,n,8,1"));
        [&] { QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 20000); }();
        return *result;
    }
    QByteArray stored(FrameId f) const { return controller->model().storedBlock(commandOf(f)); }
};

// The controller's set with a few fields changed, as a file would bring them.
ParameterSet changedCopy(const ParameterSet &controller)
{
    ParameterSet file = controller;
    for (FrameId f : {FrameId::Basic, FrameId::Reference, FrameId::Motor, FrameId::Protection}) {
        Block b = *file.block(f);
        b[2] = quint8(b[2] ^ 0x05); // the first field of each block
        file.setBlock(f, b);
    }
    return file;
}
} // namespace

class TestSetTransfer : public QObject
{
    Q_OBJECT
private slots:
    void backupMissesWhatDoesNotCome_data();
    void backupMissesWhatDoesNotCome();
    void restoreUnderFaults_data();
    void restoreUnderFaults();
};

void TestSetTransfer::backupMissesWhatDoesNotCome_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("partial");
    QTest::newRow("a clean line") << "" << false;
    QTest::newRow("garbage between replies") << "garbage 40" << false;
    QTest::newRow("replies in pieces") << "split on" << false;
    QTest::newRow("silence") << "silence 30" << true;
}

void TestSetTransfer::backupMissesWhatDoesNotCome()
{
    QFETCH(QString, fault);
    QFETCH(bool, partial);
    Bench b;
    if (!fault.isEmpty())
        QVERIFY(b.controller->command(fault).ok);
    const BackupResult r = b.backUp();
    QCOMPARE(r.set.partial(), partial);
    QCOMPARE(r.missing.isEmpty(), !partial);
    for (const SetBlock &block : setBlocks()) {
        if (const std::optional<Block> &got = r.set.block(block.family))
            QCOMPARE(hexString(*got), hexString(b.stored(block.family))); // what came is what it holds
        else
            QVERIFY(r.missing.contains(block.family));
    }
}

void TestSetTransfer::restoreUnderFaults_data()
{
    QTest::addColumn<QString>("fault"); // a bench command once the first block is verified
    QTest::addColumn<QList<int>>("states"); // of the four blocks
    const int v = int(State::Verified), nack = int(State::NotAcknowledged), nsent = int(State::NotSent);
    QTest::newRow("a clean line") << "" << QList<int>{v, v, v, v};
    QTest::newRow("garbage between replies") << "garbage 40" << QList<int>{v, v, v, v};
    QTest::newRow("a corrupt acknowledgement") << "corrupt" << QList<int>{v, nack, v, v};
    QTest::newRow("every reply dropped") << "drop 1" << QList<int>{v, nack, nack, nack};
    QTest::newRow("silence") << "silence 4" << QList<int>{v, nack, nack, nack};
    // The adapter pulled between two blocks: what waits is never sent.
    QTest::newRow("the adapter pulled") << "unplug" << QList<int>{v, nsent, nsent, nsent};
}

void TestSetTransfer::restoreUnderFaults()
{
    QFETCH(QString, fault);
    QFETCH(QList<int>, states);
    Bench b;
    b.link.startTimer(); // the poll tells when the link is down
    const BackupResult controller = b.backUp();
    const ParameterSet file = changedCopy(controller.set);
    const SetComparison comparison = compareSets(file, controller.set, LanguageCode::English);
    RestoreRequest request;
    request.ticked = defaultTicks(comparison);
    const RestorePlan plan = planRestore(file, controller.set, request, LanguageCode::English);
    QCOMPARE(plan.blocks.size(), 4);

    SetRestore restore(b.service);
    std::optional<RestoreResult> result;
    QObject::connect(&restore, &SetRestore::blockDone, [&](const RestoredBlock &done) {
        if (done.family != plan.blocks.first().family || fault.isEmpty())
            return;
        if (fault != u"unplug") {
            QVERIFY(b.controller->command(fault).ok);
            return;
        }
        // Before the next block goes out (from the event loop).
        QTimer::singleShot(0, [&] {
            emit b.link.port()->failed(SerialPort::LossCause::Removed, QStringLiteral("gone"));
            b.link.setPortFactory([](const QString &) { return std::unique_ptr<SerialPort>(); });
        });
    });
    QObject::connect(&restore, &SetRestore::finished, [&](const RestoreResult &r) { result = r; });
    restore.start(plan);
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 20000);
    QCOMPARE(result->blocks.size(), 4);
    QList<int> got;
    for (int i = 0; i < 4; ++i) {
        const RestoredBlock &done = result->blocks[i];
        got << int(done.state);
        if (done.state != State::Verified)
            continue;
        // Verified: the controller holds every byte that was written.
        const QByteArray stored = b.stored(done.family);
        const Block &written = plan.blocks[i].block;
        QCOMPARE(hexString(toByteArray(written).mid(2, 29)), hexString(stored.mid(2, 29)));
    }
    QCOMPARE(got, states);
    QCOMPARE(result->allVerified(), states == QList<int>(4, int(State::Verified)));
    // No box per block; a pulled adapter says so once.
    QCOMPARE(b.messages.shown.size(), fault == u"unplug" ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestSetTransfer)
#include "tst_settransfer.moc"
