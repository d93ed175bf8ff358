// A family the tool does not have, added the way a new page is added: one
// row in the command table (newfamily/family.rows), one block table
// (newfamily/dummyblock.cpp) and one row in the page registry
// (newfamily/page.rows). This test build compiles the command table and the
// registry with those rows; nothing else of the tool knows the family, yet it
// is read, decoded into its model and written back, and the main window
// offers its page.

#include "link/blockassembler.h"
#include "link/commandtable.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"

#include "linkbench.h"
#include "mainwindowbench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace {
constexpr FrameId kDummy = FrameId(0xD9);
constexpr PageId kPage = PageId::FirstExtra;

// The controller's side: the stored block for a read, the acknowledgement
// of a write.
QByteArray answerFor(const QByteArray &written)
{
    if (written == QByteArray::fromHex("D9C9DA"))
        return toByteArray(makeBlock({0xD9, 0xC9, 0x2C, 0x01, 0x03, 0x01, 0x05}));
    if (written.size() == kBlockSize && quint8(written[0]) == 0xD9 && quint8(written[1]) == 0xCA)
        return toByteArray(makeBlock({0xD9, 0xCA}));
    if (written == QByteArray::fromHex("FBEDDA")) // the Idc read after connecting
        return toByteArray(makeBlock({0xFB, 0xED}));
    return {};
}

struct Bench : LinkBench
{
    ParameterService service{state.blockParts(), link, state.language};
    QWidget mainWindow;
    PageNavigator nav{service, state.language, messages, &mainWindow};
    Bench()
    {
        line.answer = answerFor;
        link.openPort();
    }
    ParameterPage *page() const { return qobject_cast<ParameterPage *>(nav.page(kPage)); }
};
} // namespace

class TestNewFamily : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void theRowsMakeTheCodes();
    void readDecodedAndWrittenBackWithoutAWindow();
    void pageFromOneTable();
    void unknownLayoutAsksBeforeWriting_data();
    void unknownLayoutAsksBeforeWriting();
    void mainWindowOffersThePage();
};

void TestNewFamily::theRowsMakeTheCodes()
{
    QCOMPARE(hexString(readRequestFor(kDummy)), QStringLiteral("D9 C9 DA"));
    QCOMPARE(hexString(newWriteBlockFor(kDummy)).left(8), QStringLiteral("D9 CA 00"));
    const ReplyRow *reply = findReplyRow(makeBlock({0xD9, 0xC9}));
    QVERIFY(reply);
    QCOMPARE(reply->action, ReplyAction::Block);
    QCOMPARE(reply->family, kDummy);
    const ReplyRow *ack = findReplyRow(makeBlock({0xD9, 0xCA}));
    QVERIFY(ack);
    QCOMPARE(ack->action, ReplyAction::Ack);
    QVERIFY(BlockAssembler::isReplyPair(0xD9, 0xC9));
    QCOMPARE(pageForFamily(kDummy), &pageDef(kPage));
}

void TestNewFamily::readDecodedAndWrittenBackWithoutAWindow()
{
    Bench b;
    b.state.controllerType = 2;
    std::optional<RequestQueue::Result> read;
    b.service.read(kDummy, [&](const RequestQueue::Result &r) { read = r; });
    QTRY_VERIFY(read);
    QVERIFY(read->ok());
    QVERIFY(!b.page()); // no window was needed
    const ValueMap &v = b.service.model(kDummy)->values();
    QCOMPARE(v.text(u"txtSpeed"), QStringLiteral("300"));
    QCOMPARE(v.index(u"cboMode"), 2);
    QCOMPARE(v.index(u"ChkFan"), 1);
    QCOMPARE(v.index(u"ChkHorn"), 0);
    QCOMPARE(v.text(u"txtGain"), QStringLiteral("5"));

    // Written back unchanged: the received payload, byte for byte.
    const ParameterService::WritePlan plan = b.service.planWrite(kDummy, v);
    QCOMPARE(plan.step, ParameterService::WritePlan::Step::Send);
    Block expected = *b.service.model(kDummy)->received();
    expected[1] = 0xCA;
    QCOMPARE(hexString(plan.block), hexString(expected));
    std::optional<RequestQueue::Result> written;
    b.service.write(plan.block, [&](const RequestQueue::Result &r) { written = r; });
    QTRY_VERIFY(written);
    QVERIFY(written->ok());
    QCOMPARE(b.messages.texts(), QStringList{"Dummy set successfull!"});
}

void TestNewFamily::pageFromOneTable()
{
    Bench b;
    b.state.controllerType = 2;
    b.nav.open(kPage);
    QCOMPARE(hexString(b.line.writes.value(0)), QStringLiteral("D9 C9 DA"));
    ParameterPage *page = b.page();
    QVERIFY(page && page->isVisible());
    auto *mode = page->findChild<QComboBox *>(QStringLiteral("cboMode"));
    QVERIFY(mode);
    QCOMPARE(mode->count(), 3);
    QCOMPARE(mode->currentText(), QStringLiteral("Slow")); // the defaults, before the reply
    QVERIFY(page->findChild<QCheckBox *>(QStringLiteral("ChkHorn"))->isChecked());

    // The reply sets the index and the check states as integers.
    QTRY_COMPARE(mode->currentIndex(), 2);
    QVERIFY(page->findChild<QCheckBox *>(QStringLiteral("ChkFan"))->isChecked());
    QVERIFY(!page->findChild<QCheckBox *>(QStringLiteral("ChkHorn"))->isChecked());
    // What the user picks is the model's.
    mode->setCurrentIndex(0);
    QCOMPARE(b.service.model(kDummy)->values().index(u"cboMode"), 0);
    b.line.clearWrites();
    QTest::mouseClick(page->findChild<QPushButton *>(QStringLiteral("cmdwrite")), Qt::LeftButton);
    QCOMPARE(hexString(b.line.writes.value(0)).left(23), QStringLiteral("D9 CA 2C 01 01 01 05 00"));

    // A name that matches no control is refused, never skipped in silence.
    ValueMap w(page->table());
    QVERIFY(!w.setText(u"txtNoSuchBox", QStringLiteral("1")));
    QVERIFY(!w.setText(u"cboMode", QStringLiteral("1")));
    QVERIFY(!w.setIndex(u"txtSpeed", 1));

    // The selection survives a language switch.
    QVERIFY(setLanguage(b.state.language, 11));
    page->applyCaptions();
    QCOMPARE(mode->currentIndex(), 0);
    QVERIFY(setLanguage(b.state.language, 22));
}

void TestNewFamily::unknownLayoutAsksBeforeWriting_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("byte6"); // of the block sent; empty: nothing sent
    QTest::newRow("type 1") << 1 << false << false << "07";
    QTest::newRow("type 3") << 3 << false << false << "09";
    QTest::newRow("type 0, No") << 0 << true << false << "";
    QTest::newRow("type 0, Yes") << 0 << true << true << "00";
    QTest::newRow("type 4, No") << 4 << true << false << "";
    QTest::newRow("type 4, Yes") << 4 << true << true << "00";
}

void TestNewFamily::unknownLayoutAsksBeforeWriting()
{
    QFETCH(int, type);
    QFETCH(bool, asks);
    QFETCH(bool, answer);
    QFETCH(QString, byte6);
    Bench b;
    b.state.controllerType = qint16(type);
    auto *page = qobject_cast<ParameterPage *>(b.nav.ensurePage(kPage));
    page->cmdwrite_Click();
    QCOMPARE(b.messages.questions.size(), asks ? 1 : 0);
    if (asks) {
        QVERIFY(b.line.writes.isEmpty()); // nothing before the answer
        QCOMPARE(b.messages.questions[0].message.text,
                 QStringLiteral("The controller type is not known yet: bytes 6 will be written as 0. "
                                "Write anyway?"));
        b.messages.answer(answer);
    }
    if (byte6.isEmpty()) {
        QVERIFY(b.line.writes.isEmpty());
    } else {
        QCOMPARE(b.line.writes.size(), 1);
        QCOMPARE(hexString(b.line.writes[0]).mid(18, 2), byte6);
    }
}

void TestNewFamily::mainWindowOffersThePage()
{
    MainWindowBench b;
    b.line.answer = answerFor;
    b.goOnline();
    QPushButton *button = b.button(QStringLiteral("cmdDummy"));
    QVERIFY(button);
    QCOMPARE(button->parentWidget()->objectName(), QStringLiteral("buttonBar"));
    QCOMPARE(button->text(), QStringLiteral("Dummy"));
    QVERIFY(button->isEnabled());
    b.line.clearWrites();
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(b.line.writes.contains(QByteArray::fromHex("D9C9DA")));
    QWidget *page = b.window->pages()->page(kPage);
    QVERIFY(page && page->isVisible());
    QTRY_COMPARE(page->findChild<QComboBox *>(QStringLiteral("cboMode"))->currentIndex(), 2);
}

QTEST_MAIN(TestNewFamily)
#include "tst_newfamily.moc"
