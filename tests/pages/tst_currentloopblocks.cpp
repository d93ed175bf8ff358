// The Protection, Torque PID and Flux-weakening blocks: bytes, clamps, the
// curve points they keep and the "Load para" marks they set.

#include "core/appstate.h"
#include "pages/blocks/fluxweakenblock.h"
#include "pages/blocks/protectionblock.h"
#include "pages/blocks/torquepidblock.h"

#include <QLocale>
#include <QTest>

namespace {
struct Page
{
    const BlockTable &table;
    EncodeResult (*encode)(BlockParts, const ValueMap &);
    void (*decode)(BlockParts, ValueMap &);
    FrameId frame;
};

Page pageNamed(const QString &name)
{
    if (name == QLatin1String("Protection"))
        return {protectionTable(), encodeProtection, decodeProtection, FrameId::Protection};
    if (name == QLatin1String("TorquePid"))
        return {torquePidTable(), encodeTorquePid, decodeTorquePid, FrameId::DqPid};
    return {fluxWeakenTable(), encodeFluxWeaken, decodeFluxWeaken, FrameId::FluxWeaken};
}

Block blockFromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    Block b{};
    for (int i = 0; i < kBlockSize && i < bytes.size(); ++i)
        b[std::size_t(i)] = quint8(bytes[i]);
    return b;
}

const char *const kFluxType2 =
    "D6 C7 00 01 0A 00 A0 00 40 01 05 05 05 05 05 6E 6E 6E 14 14 14 14 46 3C 5A 64 91 91 96 FF 01 DA";
} // namespace

class TestCurrentLoopBlocks : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void defaultsEncodeExactly_data();
    void defaultsEncodeExactly();
    void edgeCases_data();
    void edgeCases();
    void refusedWritesLeaveTheBuffer_data();
    void refusedWritesLeaveTheBuffer();
    void fluxLayoutDecodesPerType_data();
    void fluxLayoutDecodesPerType();
    void curvePointsFollowTheBlock_data();
    void curvePointsFollowTheBlock();
    void failedEncodeLeavesTheCurve();
    void loadParaMarks_data();
    void loadParaMarks();
};

void TestCurrentLoopBlocks::defaultsEncodeExactly_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Protection")
        << "Protection" << 0
        << "F8 E9 FA 04 55 FF FF FF 46 FF 64 FF 3C 00 3C 00 3C 00 3C 00 04 00 04 00 75 46 3C 3C 3C 3C 50 DA";
    QTest::newRow("Torque PID")
        << "TorquePid" << 0
        << "D2 C3 01 05 02 0A 02 0A 02 14 06 64 00 06 64 00 06 C8 00 06 C8 00 01 01 01 00 01 01 01 00 14 DA";
    QTest::newRow("Flux type 2") << "Flux" << 2 << kFluxType2;
    QTest::newRow("Flux type 3") << "Flux" << 3 << kFluxType2;
    QTest::newRow("Flux type 1")
        << "Flux" << 1
        << "D6 C7 00 01 0A 00 A0 00 40 01 05 05 05 05 05 6E 6E 00 6E 00 14 00 14 00 14 00 14 00 00 FF 01 DA";
    QTest::newRow("Flux type unknown")
        << "Flux" << 0
        << "D6 C7 00 01 0A 00 A0 00 40 01 05 05 05 05 05 6E 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 01 DA";
    QTest::newRow("Flux type 4")
        << "Flux" << 4
        << "D6 C7 00 01 0A 00 A0 00 40 01 05 05 05 05 05 6E 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 01 DA";
}

void TestCurrentLoopBlocks::defaultsEncodeExactly()
{
    QFETCH(QString, page);
    QFETCH(int, type);
    QFETCH(QString, expected);
    const Page p = pageNamed(page);
    AppState state;
    state.controllerType = qint16(type);
    QVERIFY(p.encode(state.blockParts(), ValueMap(p.table)).ok());
    QCOMPARE(hexString(state.frames[p.frame]), expected);
}

void TestCurrentLoopBlocks::edgeCases_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");
    auto row = [](const char *name, const char *page, int type, const char *control,
                  const char *text, int offset, QByteArray stored, const char *readBack) {
        QTest::newRow(name) << page << type << control << text << offset << stored << readBack;
    };
    const QByteArray zero("\x00", 1);
    row("Iqref 6 300 in a u16", "Protection", 0, "txtConstPT6", "300", 22, QByteArray("\x2C\x01", 2), "300");
    row("Iqref 7 300 in a u8", "Protection", 0, "txtConstPT7", "300", 24, QByteArray("\xFF"), "255");
    row("Iqref 13 in byte 25", "Protection", 0, "txtConstPT13", "99", 25, QByteArray("\x63"), "99");
    row("Iqref 8 in byte 26", "Protection", 0, "txtConstPT8", "98", 26, QByteArray("\x62"), "98");
    row("Iqref 12 in byte 30", "Protection", 0, "txtConstPT12", "97", 30, QByteArray("\x61"), "97");
    row("Iqref 1 40000", "Protection", 0, "txtConstPT1", "40000", 12, QByteArray("\xFF\x7F", 2), "32767");
    row("Iqref 1 2.9 floors", "Protection", 0, "txtConstPT1", "2.9", 12, QByteArray("\x02\x00", 2), "2");
    row("Iqref 13 negative", "Protection", 0, "txtConstPT13", "-5", 25, zero, "0");
    row("Iac limit 56000", "Protection", 0, "txtIacLimit", "56000", 6, QByteArray("\xFF"), "255");
    row("Power oh 60000", "Protection", 0, "txtTempLimit", "60000", 9, QByteArray("\xFF"), "255");
    row("Acc of MLock 2000", "TorquePid", 0, "txtLockRefAcc", "2000", 30, QByteArray("\x14"), "2000");
    row("Acc of MLock 2099", "TorquePid", 0, "txtLockRefAcc", "2099", 30, QByteArray("\x14"), "2000");
    row("Acc of MLock 2150", "TorquePid", 0, "txtLockRefAcc", "2150", 30, QByteArray("\x15"), "2100");
    row("Acc of MLock 99999", "TorquePid", 0, "txtLockRefAcc", "99999", 30, QByteArray("\xFF"), "25500");
    row("Iq ki gain 2 40000", "TorquePid", 0, "txtIqKiG2", "40000", 11, QByteArray("\xFF\x7F", 2), "32767");
    row("Iq ki gain 3 300", "TorquePid", 0, "txtIqKiG3", "300", 17, QByteArray("\x2C\x01", 2), "300");
    row("Id ki gain 3 250", "TorquePid", 0, "txtIdKiG3", "250", 20, QByteArray("\xFA\x00", 2), "250");
    row("Id ki gain 999", "TorquePid", 0, "txtFKiGain", "999", 28, QByteArray("\xE7\x03", 2), "999");
    row("Iq kp gain 0 300", "TorquePid", 0, "txtIqKpG0", "300", 6, QByteArray("\xFF"), "255");
    row("flux sign -1", "Flux", 2, "txtFluxSign", "-1", 3, zero, "-1");
    row("flux sign 0", "Flux", 2, "txtFluxSign", "0", 3, QByteArray("\x01"), "0");
    row("flux sign 1", "Flux", 2, "txtFluxSign", "1", 3, QByteArray("\x02"), "1");
    row("flux sign 254", "Flux", 2, "txtFluxSign", "254", 3, QByteArray("\xFF"), "254");
    row("flux sign 1.5 rounds half to even", "Flux", 2, "txtFluxSign", "1.5", 3, QByteArray("\x02"), "1");
    row("flux sign 2.5 rounds half to even", "Flux", 2, "txtFluxSign", "2.5", 3, QByteArray("\x04"), "3");
    row("printf period 1000", "Flux", 2, "txtPrintfP", "1000", 29, QByteArray("\xFF"), "255");
    row("printf switch 5", "Flux", 2, "txtPrintfSW", "5", 30, QByteArray("\x01"), "1");
    row("printf switch -3", "Flux", 2, "txtPrintfSW", "-3", 30, zero, "0");
    row("startup min 300", "Flux", 2, "txtStartupMS", "300", 4, QByteArray("\x2C\x01", 2), "300");
    row("type 1 Idref 6 300", "Flux", 1, "txtIdP6", "300", 16, QByteArray("\x2C\x01", 2), "300");
    row("type 1 Idref 11 40000", "Flux", 1, "txtIdP11", "40000", 26, QByteArray("\xFF\x7F", 2), "32767");
    row("type 1 byte 28 stays 0", "Flux", 1, "txtId_HP12", "77", 28, zero, "77");
    row("type 2 Idref 6 300", "Flux", 2, "txtIdP6", "300", 16, QByteArray("\xFF"), "255");
    row("type 3 Idref H 12", "Flux", 3, "txtId_HP12", "151", 28, QByteArray("\x97"), "151");
    row("type 0 Idref 6", "Flux", 0, "txtIdP6", "99", 16, zero, "99");
}

void TestCurrentLoopBlocks::edgeCases()
{
    QFETCH(QString, page);
    QFETCH(int, type);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);
    const Page p = pageNamed(page);
    AppState state;
    state.controllerType = qint16(type);
    ValueMap values(p.table);
    QVERIFY(values.setText(control, text));
    QVERIFY(p.encode(state.blockParts(), values).ok());
    const Block &b = state.frames[p.frame];
    for (int k = 0; k < stored.size(); ++k)
        QCOMPARE(b[std::size_t(offset + k)], quint8(stored[k]));

    // The controller sends the block back: the box shows what was stored
    // (a box the type does not carry keeps its text).
    Block reply = b;
    reply[1] = quint8(reply[1] - 1);
    state.frames[p.frame] = reply;
    ValueMap shown(p.table);
    QVERIFY(shown.setText(control, text));
    p.decode(state.blockParts(), shown);
    QCOMPARE(shown.text(control), readBack);
}

void TestCurrentLoopBlocks::refusedWritesLeaveTheBuffer_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::newRow("flux sign 255") << "Flux" << "txtFluxSign" << "255" << int(ParseError::OutOfRange);
    QTest::newRow("flux sign -2") << "Flux" << "txtFluxSign" << "-2" << int(ParseError::OutOfRange);
    QTest::newRow("flux sign 1e9") << "Flux" << "txtFluxSign" << "1e9" << int(ParseError::OutOfRange);
    QTest::newRow("flux sign letters") << "Flux" << "txtFluxSign" << "left" << int(ParseError::NotANumber);
    QTest::newRow("protection empty") << "Protection" << "txtConstPT13" << "" << int(ParseError::Empty);
    QTest::newRow("gain with letters") << "TorquePid" << "txtIqKiG3" << "12abc" << int(ParseError::NotANumber);
}

void TestCurrentLoopBlocks::refusedWritesLeaveTheBuffer()
{
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, error);
    const Page p = pageNamed(page);
    AppState state;
    state.controllerType = 2;
    state.loadPara.loadParaPending = true;
    const Block before = blockFromHex("01 02 03");
    state.frames[p.frame] = before;
    ValueMap values(p.table);
    QVERIFY(values.setText(control, text));
    const EncodeResult r = p.encode(state.blockParts(), values);
    QVERIFY(!r.ok());
    QCOMPARE(int(r.error), error);
    QCOMPARE(QString::fromLatin1(p.table.field(r.failedField).control), control);
    QCOMPARE(state.frames[p.frame], before);
    // Nothing went out, so a pending "Load para" gain is still pending.
    QVERIFY(state.loadPara.loadParaPending);
}

void TestCurrentLoopBlocks::fluxLayoutDecodesPerType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QStringList>("expected"); // control, text, ...
    const char *block8 =
        "D6 C6 09 00 0A 00 A0 00 40 01 00 00 05 0A 0F 14 19 1E 23 28 2D 32 37 3C 28 2D 32 37 3C C8 00 DA";
    const char *block16 =
        "D6 C6 00 02 0A 00 A0 00 40 01 00 00 05 0A 0F 14 2C 01 1E 00 23 00 28 00 2D 00 32 00 00 C8 00 DA";
    QTest::newRow("type 2") << 2 << block8
                            << QStringList{"txtFluxSign", "-1", "txtIdP6", "25", "txtIdP7", "30",
                                           "txtIdP13", "60", "txtId_HP8", "40", "txtId_HP12", "60",
                                           "txtPrintfP", "200", "txtPrintfSW", "0"};
    QTest::newRow("type 3") << 3 << block8
                            << QStringList{"txtIdP6", "25", "txtIdP12", "55", "txtId_HP11", "55"};
    QTest::newRow("type 1") << 1 << block16
                            << QStringList{"txtFluxSign", "1", "txtIdP6", "300", "txtIdP7", "30",
                                           "txtIdP11", "50", "txtIdP12", "keep", "txtId_HP8", "keep",
                                           "txtId_HP12", "keep"};
    QTest::newRow("type unknown") << 0 << block8
                                  << QStringList{"txtIdP5", "20", "txtIdP6", "keep", "txtIdP11", "keep",
                                                 "txtIdP13", "keep", "txtId_HP12", "keep"};
}

void TestCurrentLoopBlocks::fluxLayoutDecodesPerType()
{
    QFETCH(int, type);
    QFETCH(QString, block);
    QFETCH(QStringList, expected);
    AppState state;
    state.controllerType = qint16(type);
    state.frames[FrameId::FluxWeaken] = blockFromHex(block.toLatin1().constData());
    ValueMap values(fluxWeakenTable());
    for (const char *c : {"txtIdP6", "txtIdP11", "txtIdP12", "txtIdP13", "txtId_HP8", "txtId_HP11", "txtId_HP12"})
        QVERIFY(values.setText(QString::fromLatin1(c), QStringLiteral("keep")));
    decodeFluxWeaken(state.blockParts(), values);
    for (int i = 0; i < expected.size(); i += 2)
        QCOMPARE(values.text(expected[i]) + u'@' + expected[i], expected[i + 1] + u'@' + expected[i]);
}

void TestCurrentLoopBlocks::curvePointsFollowTheBlock_data()
{
    QTest::addColumn<bool>("encode");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QList<double>>("points"); // 1..13
    QTest::newRow("defaults written") << true << QStringList{} << QString()
                                      << QList<double>{60, 60, 60, 60, 4, 4, 117, 60, 60, 60, 60, 80, 70};
    QTest::newRow("clamped values written")
        << true << QStringList{"txtConstPT6", "300", "txtConstPT7", "300", "txtConstPT13", "-4", "txtConstPT1", "2.9"}
        << QString() << QList<double>{2, 60, 60, 60, 4, 300, 255, 60, 60, 60, 60, 80, 0};
    QTest::newRow("block received")
        << false << QStringList{}
        << "F8 E8 3C 1E 55 50 64 5F 50 6E 5A 5F B4 00 AF 00 AA 00 A0 00 96 00 58 02 82 28 78 64 55 46 37 DA"
        << QList<double>{180, 175, 170, 160, 150, 600, 130, 120, 100, 85, 70, 55, 40};
}

void TestCurrentLoopBlocks::curvePointsFollowTheBlock()
{
    QFETCH(bool, encode);
    QFETCH(QStringList, edits);
    QFETCH(QString, reply);
    QFETCH(QList<double>, points);
    AppState state;
    QList<std::array<double, 14>> drawn;
    state.curve.drawCurve = [&state, &drawn] { drawn << state.curve.curveTable; };
    ValueMap values(protectionTable());
    for (int i = 0; i < edits.size(); i += 2)
        QVERIFY(values.setText(edits[i], edits[i + 1]));
    if (encode) {
        QVERIFY(encodeProtection(state.blockParts(), values).ok());
    } else {
        state.frames[FrameId::Protection] = blockFromHex(reply.toLatin1().constData());
        decodeProtection(state.blockParts(), values);
    }
    // Point 0 belongs to the Basic page; the curve is drawn once, after all
    // thirteen points are in.
    std::array<double, 14> expected{};
    expected[0] = kCurveTableStart[0];
    for (int k = 0; k < 13; ++k)
        expected[std::size_t(k + 1)] = points[k];
    QCOMPARE(state.curve.curveTable, expected);
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(drawn.first(), expected);
}

void TestCurrentLoopBlocks::failedEncodeLeavesTheCurve()
{
    AppState state;
    int draws = 0;
    state.curve.drawCurve = [&draws] { ++draws; };
    ValueMap values(protectionTable());
    QVERIFY(values.setText(QStringLiteral("txtConstPT1"), QStringLiteral("123")));
    QVERIFY(values.setText(QStringLiteral("txtConstPT13"), QStringLiteral("x")));
    QVERIFY(!encodeProtection(state.blockParts(), values).ok());
    QCOMPARE(state.curve.curveTable, kCurveTableStart);
    QCOMPARE(draws, 0);
    // Without a redraw routine the pages still encode.
    state.curve.drawCurve = nullptr;
    QVERIFY(values.setText(QStringLiteral("txtConstPT13"), QStringLiteral("1")));
    QVERIFY(encodeProtection(state.blockParts(), values).ok());
    QCOMPARE(state.curve.curveTable[1], 123.0);
}

void TestCurrentLoopBlocks::loadParaMarks_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("pendingBefore");
    QTest::addColumn<int>("stageBefore");
    QTest::addColumn<bool>("pendingAfter");
    QTest::addColumn<int>("stageAfter");
    QTest::addColumn<QString>("gain3Shown"); // decode only
    QTest::newRow("protection write starts the chain") << "encodeProtection" << true << 0 << true << 1 << "";
    QTest::newRow("protection write without a load") << "encodeProtection" << false << 0 << false << 0 << "";
    QTest::newRow("stage stays 1") << "encodeProtection" << true << 1 << true << 1 << "";
    QTest::newRow("torque PID write ends the load") << "encodeTorquePid" << true << 1 << false << 1 << "";
    QTest::newRow("torque PID reply while pending") << "decodeTorquePid" << true << 1 << true << 1 << "250";
    QTest::newRow("torque PID reply otherwise") << "decodeTorquePid" << false << 1 << false << 1 << "513";
}

void TestCurrentLoopBlocks::loadParaMarks()
{
    QFETCH(QString, step);
    QFETCH(bool, pendingBefore);
    QFETCH(int, stageBefore);
    QFETCH(bool, pendingAfter);
    QFETCH(int, stageAfter);
    QFETCH(QString, gain3Shown);
    AppState state;
    state.loadPara.loadParaPending = pendingBefore;
    state.loadPara.loadParaStage = qint16(stageBefore);
    state.loadPara.pendingIqKiGain3 = 250;
    if (step == QLatin1String("encodeProtection")) {
        QVERIFY(encodeProtection(state.blockParts(), ValueMap(protectionTable())).ok());
    } else if (step == QLatin1String("encodeTorquePid")) {
        QVERIFY(encodeTorquePid(state.blockParts(), ValueMap(torquePidTable())).ok());
        QCOMPARE(hexString(state.frames[FrameId::DqPid]).mid(17 * 3, 5), QStringLiteral("C8 00"));
    } else {
        // Every other field as received.
        state.frames[FrameId::DqPid] = blockFromHex(
            "D2 C2 01 05 02 0A 02 0A 02 14 06 64 00 06 64 00 06 01 02 06 C8 00 04 03 40 00 04 03 40 00 14 DA");
        ValueMap values(torquePidTable());
        decodeTorquePid(state.blockParts(), values);
        QCOMPARE(values.text(QString::fromLatin1(kIqKiGain3Box)), gain3Shown);
        QCOMPARE(values.text(QStringLiteral("txtIdKiG3")), QStringLiteral("200"));
        QCOMPARE(values.text(QStringLiteral("txtTKpGain")), QStringLiteral("4"));
    }
    QCOMPARE(state.loadPara.loadParaPending, pendingAfter);
    QCOMPARE(int(state.loadPara.loadParaStage), stageAfter);
}

QTEST_GUILESS_MAIN(TestCurrentLoopBlocks)
#include "tst_currentloopblocks.moc"
