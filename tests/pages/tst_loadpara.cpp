// "Load para": what IqSet.txt may hold, how a refusal reads, and the chain
// that follows the Protection write on the line.

#include "core/appstate.h"
#include "core/language.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/blocks/torquepidblock.h"
#include "pages/loadparachain.h"
#include "pages/parameterservice.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(IqSetList::Problem)

namespace {
using Problem = IqSetList::Problem;

// A Torque PID reply whose fields all differ from the page defaults.
const char *const kTorquePidReply =
    "D2 C2 03 07 04 0B 05 0C 06 15 07 65 00 08 66 00 09 01 02 0A 67 00 04 03 40 00 04 03 41 00 15 DA";

Block blockFromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    Block b{};
    for (int i = 0; i < kBlockSize && i < bytes.size(); ++i)
        b[std::size_t(i)] = quint8(bytes[i]);
    return b;
}

struct ChainBench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    ParameterService service{state.blockParts(), link, state.language};
    LoadParaChain chain{service, messages};
    ChainBench() { link.setPortFactory(line.factory()); }

    // The Protection block went out as "Load para" sends it.
    void startWithGain(qint32 gain)
    {
        chain.arm(gain);
        state.loadPara.loadParaStage = 1; // what the Protection encoder does
        link.sendFrame(QByteArray::fromHex("F8E9"));
        chain.protectionSent();
        line.clearWrites();
    }
    void receive(const Block &b) { line.deliver(toByteArray(b)); }
    void receiveHex(const char *hex) { receive(blockFromHex(hex)); }
    QStringList writes() const
    {
        QStringList w;
        for (const QByteArray &b : line.writes)
            w << hexString(b);
        return w;
    }
};
} // namespace

class TestLoadPara : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void fileProblems();
    void messageNamesFileAndProblem_data();
    void messageNamesFileAndProblem();
    void chainWritesGainAfterAckClosed();
    void chainIgnoresOtherTraffic();
    void chainReportsWhatNeverCame_data();
    void chainReportsWhatNeverCame();
    void manualTorquePidWriteEndsTheChain();
    void abandonedLoadShowsNothing();
    void defaultPathIsTheProgramFolder();
};

void TestLoadPara::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("values");
    auto ok = [](const char *name, QByteArray text, QList<int> values) {
        QTest::newRow(name) << text << Problem::None << 0 << int(values.size()) << values;
    };
    auto bad = [](const char *name, QByteArray text, Problem problem, int position, int count) {
        QTest::newRow(name) << text << problem << position << count << QList<int>{};
    };
    ok("four lines", "90\n110\n100\n250\n", {90, 110, 100, 250});
    ok("commas", "90,110,100,250", {90, 110, 100, 250});
    ok("blanks, CRLF, BOM, comma at line end",
       "\xEF\xBB\xBF 90 ,\t110,\r\n100,\r\n\r\n  250  \r\n\r\n", {90, 110, 100, 250});
    ok("plus sign and zeros", "+90,0110,100,0", {90, 110, 100, 0});
    ok("eleven values", "1,2,3,4,5,6,7,8,9,10,11", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    ok("unused values may be negative", "90,110,100,250,-32768", {90, 110, 100, 250, -32768});
    ok("largest 16-bit value", "32767,110,100,32767", {32767, 110, 100, 32767});
    bad("twelve values", "1,2,3,4,5,6,7,8,9,10,11,12", Problem::TooMany, 0, 12);
    bad("three values", "90\n110\n100\n", Problem::TooFew, 0, 3);
    bad("empty file", "", Problem::TooFew, 0, 0);
    bad("blank lines only", "\n \r\n\t\n", Problem::TooFew, 0, 0);
    bad("junk", "90\nabc\n100\n250\n", Problem::NotAnInteger, 2, 0);
    bad("decimal", "90.5,110,100,250", Problem::NotAnInteger, 1, 0);
    bad("above 16 bits", "90,110,100,32768", Problem::NotAnInteger, 4, 0);
    bad("below 16 bits", "90,110,100,250,-32769", Problem::NotAnInteger, 5, 0);
    bad("endless digits", "99999999999999999999999999,1,2,3", Problem::NotAnInteger, 1, 0);
    bad("hexadecimal", "&H5A,110,100,250", Problem::NotAnInteger, 1, 0);
    bad("two numbers in one item", "90 110,100,250,1", Problem::NotAnInteger, 1, 0);
    bad("junk after eleven values", "1,2,3,4,5,6,7,8,9,10,11,x", Problem::NotAnInteger, 12, 0);
    bad("missing value between commas", "90,,110,100,250", Problem::EmptyValue, 2, 0);
    bad("line that is only a comma", "90\n,\n110\n100\n250", Problem::EmptyValue, 2, 0);
    bad("negative gain", "90,110,100,-250", Problem::Negative, 4, 0);
    bad("negative reference", "-90,110,100,250", Problem::Negative, 1, 0);
}

void TestLoadPara::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(Problem, problem);
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(QList<int>, values);
    const IqSetList l = parseIqSet(text);
    QCOMPARE(l.problem, problem);
    QCOMPARE(l.position, position);
    if (problem == Problem::None || problem == Problem::TooMany || problem == Problem::TooFew)
        QCOMPARE(l.count, count);
    QList<int> got;
    for (qint16 v : l.values)
        got << v;
    QCOMPARE(got, values);
    QCOMPARE(l.ok(), problem == Problem::None);
}

void TestLoadPara::fileProblems()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(readIqSetFile(dir.filePath(QStringLiteral("IqSet.txt"))).problem, Problem::Missing);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QCOMPARE(readIqSetFile(dir.filePath(QStringLiteral("folder"))).problem, Problem::Unreadable);

    QFile big(dir.filePath(QStringLiteral("big.txt")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write("90,110,100,250");
    big.write(QByteArray(1 << 20, ' '));
    big.close();
    QCOMPARE(readIqSetFile(big.fileName()).problem, Problem::TooLarge);

    QFile good(dir.filePath(QStringLiteral("IqSet.txt")));
    QVERIFY(good.open(QIODevice::WriteOnly));
    good.write("90\r\n110\r\n100\r\n250\r\n");
    good.close();
    const IqSetList l = readIqSetFile(good.fileName());
    QVERIFY(l.ok());
    QCOMPARE(l.values, (QList<qint16>{90, 110, 100, 250}));
}

void TestLoadPara::messageNamesFileAndProblem_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("text"); // empty: the file is missing
    QTest::addColumn<QString>("mentions");
    const int en = LanguageCode::English;
    const int zh = LanguageCode::Chinese;
    QTest::newRow("missing, English") << en << QByteArray() << "not found";
    QTest::newRow("missing, Chinese") << zh << QByteArray() << "找不到";
    QTest::newRow("three values, English") << en << QByteArray("1,2,3") << "holds 3 values";
    QTest::newRow("three values, Chinese") << zh << QByteArray("1,2,3") << "包含 3 个数值";
    QTest::newRow("twelve values, English") << en << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12") << "holds 12 values";
    QTest::newRow("twelve values, Chinese") << zh << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12") << "最多允许 11 个";
    QTest::newRow("junk, English") << en << QByteArray("1,abc,3,4") << "value 2 (\"abc\")";
    QTest::newRow("junk, Chinese") << zh << QByteArray("1,abc,3,4") << "第 2 个数值（“abc”）";
    QTest::newRow("empty value, English") << en << QByteArray("1,,3,4") << "value 2 is empty";
    QTest::newRow("negative, English") << en << QByteArray("1,2,3,-4") << "value 4 (-4) is negative";
    QTest::newRow("negative, Chinese") << zh << QByteArray("1,2,3,-4") << "为负数";
}

void TestLoadPara::messageNamesFileAndProblem()
{
    QFETCH(int, language);
    QFETCH(QByteArray, text);
    QFETCH(QString, mentions);
    AppState state;
    QVERIFY(setLanguage(state.language, language));
    const QString path = QStringLiteral("/data/IqSet.txt");
    const IqSetList l = text.isNull() ? readIqSetFile(QStringLiteral("/nonexistent/IqSet.txt"))
                                      : parseIqSet(text);
    QVERIFY(!l.ok());
    const QString message = iqSetProblemMessage(language, l, path);
    setLanguage(state.language, LanguageCode::English);
    QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QVERIFY2(message.contains(mentions), qPrintable(message));
    // Every refusal says that nothing went out.
    QVERIFY2(message.contains(language == LanguageCode::English ? QStringLiteral("Nothing was written")
                                                                 : QStringLiteral("未写入")),
             qPrintable(message));
}

void TestLoadPara::chainWritesGainAfterAckClosed()
{
    ChainBench b;
    QSignalSpy written(&b.chain, &LoadParaChain::torquePidWritten);
    b.startWithGain(250);
    b.receiveHex("F8 E9 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 DA");
    QCOMPARE(b.messages.texts(), QStringList{QStringLiteral("Protection set successfull!")});
    QVERIFY(b.line.writes.isEmpty()); // the box is still open
    b.messages.closeAll();
    QCOMPARE(b.writes(), QStringList{QStringLiteral("D2 C2 DA")});
    QCOMPARE(b.chain.stage(), LoadParaChain::Stage::AwaitingTorquePid);

    b.line.clearWrites();
    b.receiveHex(kTorquePidReply);
    // Written back as received, code C3, with the gain in bytes 17 and 18.
    QCOMPARE(b.writes(), QStringList{QStringLiteral(
        "D2 C3 03 07 04 0B 05 0C 06 15 07 65 00 08 66 00 09 FA 00 0A 67 00 04 03 40 00 04 03 41 00 15 DA")});
    QCOMPARE(written.count(), 1);
    QVERIFY(!b.state.loadPara.loadParaPending);
    QCOMPARE(b.chain.stage(), LoadParaChain::Stage::Idle);

    // The next reply is an ordinary one.
    b.line.clearWrites();
    b.receiveHex(kTorquePidReply);
    QVERIFY(b.line.writes.isEmpty());
}

void TestLoadPara::chainIgnoresOtherTraffic()
{
    ChainBench b;
    b.startWithGain(250);
    // Another page's acknowledgement and an early Torque PID reply do not move it.
    b.receiveHex("F0 E1 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 DA");
    b.messages.closeAll();
    b.receiveHex(kTorquePidReply);
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.chain.stage(), LoadParaChain::Stage::AwaitingProtectionAck);
    QVERIFY(b.state.loadPara.loadParaPending);

    // Without "Load para" a Protection acknowledgement reads nothing.
    ChainBench idle;
    idle.link.sendFrame(QByteArray::fromHex("F8E9"));
    idle.line.clearWrites();
    idle.receiveHex("F8 E9 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 DA");
    idle.messages.closeAll();
    QVERIFY(idle.line.writes.isEmpty());
}

void TestLoadPara::chainReportsWhatNeverCame_data()
{
    QTest::addColumn<bool>("acknowledged");
    QTest::addColumn<QString>("message");
    QTest::newRow("no acknowledgement")
        << false
        << "Load para: the controller did not acknowledge the Protection block. The Torque PID block was not "
           "written; read the Protection page to see what the controller holds.";
    QTest::newRow("no Torque PID block")
        << true << "Load para: the controller did not send its Torque PID block. Iq ki gain 3 was not written.";
}

void TestLoadPara::chainReportsWhatNeverCame()
{
    QFETCH(bool, acknowledged);
    QFETCH(QString, message);
    ChainBench b;
    qint64 now = 0;
    b.link.setClock([&now] { return now; });
    b.chain.arm(250);
    b.state.loadPara.loadParaStage = 1;
    b.chain.protectionSent();
    LoadParaChain *chain = &b.chain;
    b.service.write(makeBlock({0xF8, 0xE9}), [chain](const RequestQueue::Result &r) { chain->protectionAnswered(r); });
    if (acknowledged) {
        b.receive(makeBlock({0xF8, 0xE9}));
        b.messages.closeAll();
        QCOMPARE(b.writes().last(), QStringLiteral("D2 C2 DA"));
    }
    for (int i = 0; i < 4; ++i) {
        now += 1000;
        b.link.requests().expire();
    }
    QCOMPARE(b.messages.texts(), QStringList{message});
    QCOMPARE(b.messages.shown[0].message.icon, MessageService::Icon::Warning);
    QVERIFY(!b.state.loadPara.loadParaPending);
    QCOMPARE(b.chain.stage(), LoadParaChain::Stage::Idle);
    for (const QString &w : b.writes())
        QVERIFY2(!w.startsWith(QStringLiteral("D2 C3")), qPrintable(w));
}

void TestLoadPara::manualTorquePidWriteEndsTheChain()
{
    ChainBench b;
    b.startWithGain(250);
    // The user writes the Torque PID page by hand: the gain is used up.
    QVERIFY(encodeTorquePid(b.state.blockParts(), ValueMap(torquePidTable())).ok());
    b.receiveHex("F8 E9 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 DA");
    b.messages.closeAll();
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.chain.stage(), LoadParaChain::Stage::Idle);
}

void TestLoadPara::abandonedLoadShowsNothing()
{
    ChainBench b;
    b.chain.arm(250);
    b.chain.abandon();
    QVERIFY(!b.state.loadPara.loadParaPending);
    b.state.frames[FrameId::DqPid] = blockFromHex(kTorquePidReply);
    ValueMap values(torquePidTable());
    decodeTorquePid(b.state.blockParts(), values);
    QCOMPARE(values.text(QString::fromLatin1(kIqKiGain3Box)), QStringLiteral("513"));
}

void TestLoadPara::defaultPathIsTheProgramFolder()
{
    ChainBench b;
    QCOMPARE(b.chain.iqSetPath(), QDir(QCoreApplication::applicationDirPath()).filePath("IqSet.txt"));
    b.chain.setIqSetPath(QStringLiteral("/elsewhere/IqSet.txt"));
    QCOMPARE(b.chain.iqSetPath(), QStringLiteral("/elsewhere/IqSet.txt"));
}

QTEST_MAIN(TestLoadPara)
#include "tst_loadpara.moc"
