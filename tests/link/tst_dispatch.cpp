#include "link/linkcontroller.h"
#include "core/appstate.h"
#include "core/language.h"

#include "linkbench.h"

#include <QTest>

namespace {
// A link with its port open, before any tick.
struct Bench : LinkBench
{
    Bench() { link.openPort(); }
};
} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { installChineseTranslator(false); }
    void acknowledgements_data();
    void acknowledgements();
    void hallWarning_data();
    void hallWarning();
    void userInfoNeedsQualifier();
    void unknownPairCountsAsActivity();
    void badEndMarkerChangesNothingElse();
    void everyFamilyBlockIsAnnounced();
    void hallResultsTravelWithTheirBlock();
    void acknowledgementClosedFollowsTheBox();
    void acknowledgementWithoutTextClosesAtOnce();
};

void TestDispatch::acknowledgements_data()
{
    QTest::addColumn<quint8>("cmd");
    QTest::addColumn<quint8>("sub");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");
    const struct { quint8 c, s; const char *en, *zh; } rows[] = {
        {0xF0, 0xE1, "Basic set successfull!", "基本参数设置成功！"},
        {0xF1, 0xE2, "User info set successfull!", "用户信息设置成功！"},
        {0xF2, 0xE3, "Reference set successfull!", "指令值参数设置成功！"},
        {0xF4, 0xE5, "Control set successfull!", "控制参数设置成功！"},
        {0xF6, 0xE7, "Motor set successfull!", "电机参数设置成功！"},
        {0xF8, 0xE9, "Protection set successfull!", "保护参数设置成功！"},
        {0xFA, 0xEA, "Factory set successfull!", "厂家设置成功！"},
        {0xFA, 0xEB, "Restore to default successfull!", "恢复出厂设置成功！"},
        {0xFB, 0xEE, "Idc calibration successfull!", "硬件参数设置成功！"},
        {0xFE, 0xEF, "Other set successfull!", "其他参数设置成功！"},
        {0xD0, 0xC1, "Assist set successfull!", "助力参数设置成功！"},
        {0xD2, 0xC3, "Torque PID set successfull!", "转矩控制参数设置成功！"},
        {0xD5, 0xC6, "Derate set successfull!", "降载参数设置成功！"},
        {0xD6, 0xC7, "Flux weaken set successfull!", "弱磁参数设置成功！"},
        {0xD7, 0xC8, "Mode set successfull!", "档位参数设置成功！"},
    };
    for (const auto &r : rows)
        QTest::addRow("%02X %02X", r.c, r.s)
            << r.c << r.s << QString::fromUtf8(r.en) << QString::fromUtf8(r.zh);
}

void TestDispatch::acknowledgements()
{
    QFETCH(quint8, cmd);
    QFETCH(quint8, sub);
    QFETCH(QString, english);
    QFETCH(QString, chinese);
    const Block ack = makeBlock({cmd, sub, kUserInfoQualifier});

    for (int code : {22, 11, 33, 0}) {
        Bench b;
        if (code == 11)
            QVERIFY(setLanguage(b.state.language, 11));
        else
            b.state.language.languageCode = code;
        b.receive(ack);
        if (code == 22 || code == 11) {
            QCOMPARE(b.messages.shown.size(), 1);
            const auto &m = b.messages.shown.first().message;
            QCOMPARE(m.text, code == 22 ? english : chinese);
            QCOMPARE(m.title, QStringLiteral("info"));
            QCOMPARE(m.icon, MessageService::Icon::Information);
        } else {
            QVERIFY2(b.messages.shown.isEmpty(), qPrintable(QString::number(code)));
        }
        setLanguage(b.state.language, 22);
    }
}

void TestDispatch::hallWarning_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text");
    QTest::newRow("english") << 22 << "warning" << int(MessageService::Icon::Critical)
                             << "Make sure the throttle return and motor stops";
    QTest::newRow("chinese") << 11 << "info" << int(MessageService::Icon::Information)
                             << QString::fromUtf8("请确认转把归零，电机停止！");
}

void TestDispatch::hallWarning()
{
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, text);
    Bench b;
    setLanguage(b.state.language, code);
    b.receive(makeBlock({0xFF, 0xFE}));
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.messages.shown[0].message.title, title);
    QCOMPARE(int(b.messages.shown[0].message.icon), icon);
    QCOMPARE(b.messages.shown[0].message.text, text);
    setLanguage(b.state.language, 22);
}

void TestDispatch::userInfoNeedsQualifier()
{
    Bench b;
    QList<Block> decoded;
    QObject::connect(&b.link.dispatcher(), &Dispatcher::blockReceived, [&](FrameId f, const Block &block) {
        if (f == FrameId::UserInfo)
            decoded << block;
    });
    b.link.tick();
    b.link.tick();
    QCOMPARE(b.link.supervisor().silenceTicks(), 2);
    b.receive(makeBlock({0xF1, 0xE1, 0xA3, 't', 'o'}));
    QVERIFY(decoded.isEmpty());
    QCOMPARE(b.link.supervisor().silenceTicks(), 0);
    b.receive(makeBlock({0xF1, 0xE2, 0x00}));
    QVERIFY(b.messages.shown.isEmpty());

    b.receive(makeBlock({0xF1, 0xE1, 0xA2, 't', 'o'}));
    QCOMPARE(decoded.size(), 1);
    QCOMPARE(decoded[0][3], quint8('t'));
}

void TestDispatch::unknownPairCountsAsActivity()
{
    Bench b;
    b.link.tick();
    b.receive(makeBlock({0x12, 0x34}));
    QCOMPARE(b.link.supervisor().silenceTicks(), 0);
    QVERIFY(b.messages.shown.isEmpty());
}

void TestDispatch::badEndMarkerChangesNothingElse()
{
    Bench b;
    int decoded = 0;
    QObject::connect(&b.link.dispatcher(), &Dispatcher::statusReceived, [&] { ++decoded; });
    b.link.tick();
    b.receive(makeBlock({0xDF, 0xEF}, 0xDB));
    QVERIFY(b.state.connection.lastFrameBad);
    QCOMPARE(decoded, 0);
    QCOMPARE(b.link.supervisor().silenceTicks(), 1);
    b.receive(makeBlock({0xF0, 0xE1}, 0xDB));
    QVERIFY(b.messages.shown.isEmpty());
}

void TestDispatch::everyFamilyBlockIsAnnounced()
{
    // Every read reply (and the Idc counter reset's) of every family of the
    // command table reaches the listeners with its block.
    for (const BlockFamily &f : blockFamilies()) {
        for (quint8 code : {f.readCode, f.resetCode}) {
            if (!code)
                continue;
            Bench b;
            const Block block = makeBlock({f.command(), code, f.qualifier ? f.qualifier : quint8(0x42), 0x43});
            QList<std::pair<FrameId, Block>> seen;
            QObject::connect(&b.link.dispatcher(), &Dispatcher::blockReceived,
                             [&](FrameId family, const Block &got) { seen.append({family, got}); });
            b.receive(block);
            QCOMPARE(seen.size(), 1);
            QCOMPARE(int(seen[0].first), int(f.id));
            QCOMPARE(seen[0].second, block);
        }
    }
}

void TestDispatch::hallResultsTravelWithTheirBlock()
{
    // The results have a route of their own: no Motor block is announced.
    for (quint8 sub : {quint8(0xFC), quint8(0xFA)}) {
        Bench b;
        int blocks = 0;
        QList<std::pair<ReplyAction, Block>> hall;
        QObject::connect(&b.link.dispatcher(), &Dispatcher::blockReceived, [&] { ++blocks; });
        QObject::connect(&b.link.dispatcher(), &Dispatcher::hallReply,
                         [&](ReplyAction a, const Block &got) { hall.append({a, got}); });
        const Block result = makeBlock({0xFF, sub, 23, 92});
        b.receive(result);
        QCOMPARE(blocks, 0);
        QCOMPARE(hall.size(), 1);
        QCOMPARE(hall[0].first, sub == 0xFC ? ReplyAction::HallADone : ReplyAction::HallBDone);
        QCOMPARE(hall[0].second, result);
    }
}

void TestDispatch::acknowledgementClosedFollowsTheBox()
{
    Bench b;
    QList<int> closed;
    QObject::connect(&b.link.dispatcher(), &Dispatcher::acknowledgementClosed,
                     [&](quint8 command) { closed << command; });
    b.receive(makeBlock({0xF8, 0xE9}));
    QCOMPARE(b.messages.texts(), QStringList{"Protection set successfull!"});
    QVERIFY(closed.isEmpty()); // waits for the user to close the box
    b.messages.closeAll();
    QCOMPARE(closed, QList<int>{0xF8});
}

void TestDispatch::acknowledgementWithoutTextClosesAtOnce()
{
    Bench b;
    b.state.language.languageCode = 5; // a code without texts
    QList<int> closed;
    QObject::connect(&b.link.dispatcher(), &Dispatcher::acknowledgementClosed,
                     [&](quint8 command) { closed << command; });
    b.receive(makeBlock({0xD2, 0xC3}));
    QVERIFY(b.messages.shown.isEmpty());
    QCOMPARE(closed, QList<int>{0xD2});
}

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
