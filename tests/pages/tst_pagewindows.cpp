#include "link/linkcontroller.h"
#include "pages/blocks/basicblock.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"
#include "core/appstate.h"
#include "core/language.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace {
const char *const kBasicDefaults =
    "F0 E1 5E 01 00 00 4B 00 DC 05 DC 05 EE 02 EE 02 00 00 03 00 02 00 1E 32 00 32 00 FF FF 32 00 DA";

struct Bench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    QWidget mainWindow;
    ParameterService service{state.blockParts(), link, state.language};
    PageNavigator nav{service, state.language, messages, &mainWindow};
    qint64 now = 0;
    Bench()
    {
        link.setPortFactory(line.factory());
        link.setClock([this] { return now; });
    }
    // Whatever waits for an answer gets none: its time runs out.
    void noAnswer()
    {
        for (int i = 0; i < 10 && link.requests().busy(); ++i) {
            now += 1000;
            link.requests().expire();
        }
    }

    ParameterPage *page(const char *name) const
    {
        return qobject_cast<ParameterPage *>(nav.page(QLatin1String(name)));
    }
    QLineEdit *box(const char *pageName, const char *control) const
    {
        ParameterPage *p = page(pageName);
        return p ? p->findChild<QLineEdit *>(QLatin1String(control)) : nullptr;
    }
    QPushButton *button(const char *pageName, const char *name) const
    {
        ParameterPage *p = page(pageName);
        return p ? p->findChild<QPushButton *>(QLatin1String(name)) : nullptr;
    }
    // A click on a page's button, after the page's read has gone
    // unanswered (the request queue sends one request at a time).
    void click(const char *pageName, const char *name)
    {
        noAnswer();
        QTest::mouseClick(button(pageName, name), Qt::LeftButton);
    }
    void receive(const Block &b) { line.deliver(toByteArray(b)); }
    QString lastWrite() const { return line.writes.isEmpty() ? QString() : hexString(line.writes.last()); }
};

using Handler = void (PageNavigator::*)();

} // namespace

Q_DECLARE_METATYPE(Handler)

class TestPageWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { installChineseTranslator(false); }
    void navigationRequests_data();
    void navigationRequests();
    void closeLists_data();
    void closeLists();
    void reopenedPageStartsFromDefaults();
    void userClosedPageIsGone();
    void pageBuiltFromTable();
    void writeRightAfterOpeningSendsDefaults();
    void replyFillsAHiddenPage();
    void replyFillsAShownPage();
    void editedWriteSendsTheExactBlock();
    void readButtonSendsTheRequest();
    void failedParseSendsNothingAndMarksTheBox_data();
    void failedParseSendsNothingAndMarksTheBox();
    void readWriteFollowTheLinkTick();
    void controllerTypeHidesOnlyWhileOnline();
    void everyNewTypeIsFitted_data();
    void everyNewTypeIsFitted();
    void hiddenEcoSpeedStillTravels();
    void fluxTypeOneHidesFourteenControls_data();
    void fluxTypeOneHidesFourteenControls();
    void fluxWriteWithUnknownTypeAsks_data();
    void fluxWriteWithUnknownTypeAsks();
    void typeRowsWithOneCaptionAreAlwaysCaptioned_data();
    void typeRowsWithOneCaptionAreAlwaysCaptioned();
    void captions_data();
    void captions();
    void captionsKeptForOtherLanguageCodes();
    void derateWriteOfNoNumberSendsNothing_data();
    void derateWriteOfNoNumberSendsNothing();
    void otherSwitchesAreCheckBoxes();
    void boxesSentOtherwiseAreShownFirst_data();
    void boxesSentOtherwiseAreShownFirst();
    void writeIsReadBackAndCompared_data();
    void writeIsReadBackAndCompared();
    void receivedValueGoesBackAsItCame_data();
    void receivedValueGoesBackAsItCame();
};

void TestPageWindows::navigationRequests_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<QString>("request");
    QTest::newRow("Basic") << &PageNavigator::cmdBasic_Click << "F0 E0 DA";
    QTest::newRow("Reference") << &PageNavigator::cmdReference_Click << "F2 E2 DA";
    QTest::newRow("Motor") << &PageNavigator::cmdMotor_Click << "F6 E6 DA";
    QTest::newRow("Control") << &PageNavigator::cmdContorl_Click << "F4 E4 DA";
    QTest::newRow("Protection") << &PageNavigator::cmdProtection_Click << "F8 E8 DA";
    QTest::newRow("Other") << &PageNavigator::cmdOther_Click << "FE EE DA";
    QTest::newRow("Torque PID") << &PageNavigator::cmddqPID_Click << "D2 C2 DA";
    QTest::newRow("Flux weaken") << &PageNavigator::cmdFluxWeaken_Click << "D6 C6 DA";
    QTest::newRow("Derate") << &PageNavigator::cmdDerate_Click << "D5 C5 DA";
    QTest::newRow("Mode set") << &PageNavigator::cmdModeSet_Click << "D7 C7 DA";
    QTest::newRow("Idc calibration") << &PageNavigator::cmdIdcCalib_Click << "FB ED DA";
    QTest::newRow("Iac calibration") << &PageNavigator::cmdIacCalib_Click << "";
    QTest::newRow("curve") << &PageNavigator::cmdCurve_Click << "";
}

void TestPageWindows::navigationRequests()
{
    QFETCH(Handler, handler);
    QFETCH(QString, request);
    Bench b;
    (b.nav.*handler)();
    if (request.isEmpty()) {
        QCOMPARE(b.line.opens, 0); // the port is left closed
        QVERIFY(b.line.writes.isEmpty());
    } else {
        QCOMPARE(b.line.writes.size(), 1);
        QCOMPARE(b.lastWrite(), request);
    }
}

void TestPageWindows::closeLists_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addColumn<bool>("closesBasic");
    QTest::addColumn<bool>("closesReference");
    QTest::newRow("Basic") << &PageNavigator::cmdBasic_Click << false << true;
    QTest::newRow("Reference") << &PageNavigator::cmdReference_Click << true << false;
    QTest::newRow("Motor") << &PageNavigator::cmdMotor_Click << false << false;
    QTest::newRow("Control") << &PageNavigator::cmdContorl_Click << true << true;
    QTest::newRow("Protection") << &PageNavigator::cmdProtection_Click << false << false;
    QTest::newRow("Other") << &PageNavigator::cmdOther_Click << true << true;
    QTest::newRow("Torque PID") << &PageNavigator::cmddqPID_Click << true << true;
    QTest::newRow("Flux weaken") << &PageNavigator::cmdFluxWeaken_Click << true << true;
    QTest::newRow("Derate") << &PageNavigator::cmdDerate_Click << true << true;
    QTest::newRow("Mode set") << &PageNavigator::cmdModeSet_Click << true << true;
    QTest::newRow("Idc calibration") << &PageNavigator::cmdIdcCalib_Click << true << true;
    QTest::newRow("Iac calibration") << &PageNavigator::cmdIacCalib_Click << true << true;
    QTest::newRow("curve") << &PageNavigator::cmdCurve_Click << false << false;
    QTest::newRow("user info") << &PageNavigator::showUserInfoPage << false << false;
}

void TestPageWindows::closeLists()
{
    QFETCH(Handler, handler);
    QFETCH(bool, closesBasic);
    QFETCH(bool, closesReference);
    Bench b;
    b.nav.ensurePage(PageId::Basic)->show();
    b.nav.ensurePage(PageId::Reference)->show();
    (b.nav.*handler)();
    QCOMPARE(b.nav.page(QStringLiteral("frmBasic")) == nullptr, closesBasic);
    QCOMPARE(b.nav.page(QStringLiteral("frmReference")) == nullptr, closesReference);
    if (!closesBasic && handler == &PageNavigator::cmdBasic_Click)
        QVERIFY(b.page("frmBasic")->isVisible());
}

void TestPageWindows::reopenedPageStartsFromDefaults()
{
    Bench b;
    b.nav.cmdBasic_Click();
    b.box("frmBasic", "txtMaxspeed")->setText(QStringLiteral("123"));
    b.nav.cmdBasic_Click(); // shown again with its current texts
    QCOMPARE(b.box("frmBasic", "txtMaxspeed")->text(), QStringLiteral("123"));
    b.nav.cmdReference_Click();
    QVERIFY(!b.page("frmBasic"));
    b.nav.cmdBasic_Click();
    QCOMPARE(b.box("frmBasic", "txtMaxspeed")->text(), QStringLiteral("350"));
}

void TestPageWindows::userClosedPageIsGone()
{
    Bench b;
    b.nav.cmdReference_Click();
    b.box("frmReference", "txtVoltageH")->setText(QStringLiteral("55"));
    QVERIFY(b.page("frmReference")->close());
    QVERIFY(!b.nav.page(QStringLiteral("frmReference")));
    // Its values went with it: the next opening starts from the defaults.
    QCOMPARE(b.service.model(FrameId::Reference)->values().text(u"txtVoltageH"), QStringLiteral("200"));
    b.nav.onLinkTick(false);
    QVERIFY(!b.page("frmReference"));
    b.nav.cmdReference_Click();
    QCOMPARE(b.box("frmReference", "txtVoltageH")->text(), QStringLiteral("200"));
}

void TestPageWindows::pageBuiltFromTable()
{
    Bench b;
    b.nav.cmdBasic_Click();
    ParameterPage *p = b.page("frmBasic");
    QVERIFY(p->isWindow());
    QCOMPARE(p->parentWidget(), &b.mainWindow);
    QVERIFY(!p->isModal());
    const BlockTable &t = basicTable();
    for (int i = 0; i < t.fieldCount(); ++i) {
        const FieldSpec &f = t.field(i);
        auto *box = p->findChild<QLineEdit *>(QLatin1String(f.control));
        QVERIFY2(box, f.control);
        QCOMPARE(box->text(), QString::fromUtf8(f.defaultText));
        auto *label = p->findChild<QLabel *>(t.labelName(i));
        QVERIFY2(label, qPrintable(t.labelName(i)));
        QCOMPARE(label->buddy(), box);
        QCOMPARE(label->text(), QString::fromUtf8(f.caption));
    }
    QCOMPARE(p->findChildren<QGroupBox *>().size(), 3);
    QCOMPARE(b.button("frmBasic", "cmdread")->text(), QStringLiteral("read"));
    QCOMPARE(b.button("frmBasic", "cmdwrite")->text(), QStringLiteral("write"));
    QCOMPARE(p->windowTitle(), QStringLiteral("Basic setting"));
}

void TestPageWindows::writeRightAfterOpeningSendsDefaults()
{
    Bench b;
    b.nav.cmdBasic_Click();
    b.click("frmBasic", "cmdwrite"); // after the read's time-out: one request at a time
    // Some defaults are no whole numbers (".9"): asked first.
    QCOMPARE(b.messages.questions.size(), 1);
    b.messages.answer(true);
    QCOMPARE(b.line.writes.size(), 4);
    QCOMPARE(b.lastWrite(), QString::fromLatin1(kBasicDefaults));
}

void TestPageWindows::replyFillsAHiddenPage()
{
    Bench b;
    b.link.openPort();
    Block reply = makeBlock({0xF0, 0xE0, 0x2C, 0x01, 0x4A, 0x00});
    reply[22] = 0x1E;
    reply[29] = 0xF4; // 500
    reply[30] = 0x01;
    b.receive(reply);
    QVERIFY(!b.page("frmBasic")); // the model takes it; no window is made for it
    const ValueMap &v = b.service.model(FrameId::Basic)->values();
    QCOMPARE(v.text(u"txtMaxspeed"), QStringLiteral("300"));
    QCOMPARE(v.text(u"txtBspeed"), QStringLiteral("-74"));
    QCOMPARE(v.text(u"txtSpeedFluxQuit"), QStringLiteral("3000"));
    QCOMPARE(v.text(u"txthFlux_Acc"), QStringLiteral("0"));
    QCOMPARE(b.state.curve.curveTable[0], 500.0);
    // Shown later, the page has the texts of the reply.
    b.nav.cmdBasic_Click();
    QCOMPARE(b.box("frmBasic", "txtMaxspeed")->text(), QStringLiteral("300"));
}

void TestPageWindows::replyFillsAShownPage()
{
    Bench b;
    b.nav.cmdReference_Click();
    b.box("frmReference", "txtVoltageLRec")->setText(QStringLiteral("being edited"));
    b.receive(makeBlock({0xF2, 0xE2, 0x20, 0x4E, 0x00, 0x00, 0x00, 0x00, 0xDB, 0x1A}));
    QCOMPARE(b.box("frmReference", "txtVoltageH")->text(), QStringLiteral("200"));
    QCOMPARE(b.box("frmReference", "txtVoltageLRec")->text(), QStringLiteral("68.75"));
    QCOMPARE(b.box("frmReference", "txtIdcMinPerc")->text(), QStringLiteral("0"));
}

void TestPageWindows::editedWriteSendsTheExactBlock()
{
    Bench b;
    b.nav.cmdReference_Click();
    b.noAnswer();
    b.line.clearWrites();
    b.box("frmReference", "txtVoltageLRec")->setText(QStringLiteral("0.29"));
    b.box("frmReference", "txtIdcMinPerc")->setText(QStringLiteral("56.5"));
    b.box("frmReference", "txtHALL_60_360_Switch")->setText(QStringLiteral("1.5"));
    b.box("frmReference", "txtVoltageHRec")->setText(QStringLiteral(" 52.4 "));
    b.click("frmReference", "cmdwrite");
    b.messages.answer(true); // 56.5 and 1.5 are rounded
    // 0.29 V is stored as 29 hundredths, exactly as typed.
    QCOMPARE(b.lastWrite(),
             QStringLiteral("F2 E3 20 4E 78 14 58 02 1D 00 6A 18 00 00 34 21 FF 7F 0A 38 02 14 64 "
                            "58 00 FF 96 B4 96 5E 01 DA"));
}

void TestPageWindows::readButtonSendsTheRequest()
{
    Bench b;
    b.nav.cmdReference_Click();
    b.noAnswer();
    b.noAnswer();
    b.line.clearWrites();
    b.click("frmReference", "cmdread");
    QCOMPARE(b.lastWrite(), QStringLiteral("F2 E2 DA"));
}

void TestPageWindows::failedParseSendsNothingAndMarksTheBox_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const int basic = int(PageId::Basic);
    const int reference = int(PageId::Reference);
    QTest::newRow("English letters")
        << basic << "txtBspeed" << 22 << "abc"
        << "The box \"Back speed[rpm]\" does not hold a number: \"abc\". Nothing was written.";
    QTest::newRow("English empty") << basic << "txtBspeed" << 22 << ""
                                   << "The box \"Back speed[rpm]\" is empty. Enter a number; nothing was written.";
    QTest::newRow("Chinese letters") << basic << "txtBspeed" << 11 << "-7x4"
                                     << "输入框“倒车转速[rpm]”中不是数字（“-7x4”）。未写入任何数据。";
    // A lenient box reads what stands in front; with no number there it
    // refuses as a strict box does.
    QTest::newRow("lenient English letters")
        << reference << "txtFluxCompToVdc" << 22 << "abc"
        << "The box \"Reg comp to vdc[%]\" does not hold a number: \"abc\". Nothing was written.";
    QTest::newRow("lenient Chinese letters")
        << reference << "txtFluxCompToVdc" << 11 << "x12"
        << "输入框“电压-弱磁补偿”中不是数字（“x12”）。未写入任何数据。";
    QTest::newRow("lenient English empty")
        << reference << "txtFluxCompToVdc" << 22 << " "
        << "The box \"Reg comp to vdc[%]\" is empty. Enter a number; nothing was written.";
}

void TestPageWindows::failedParseSendsNothingAndMarksTheBox()
{
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(int, language);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Bench b;
    setLanguage(b.state.language, language);
    const PageId id = PageId(page);
    const PageDef &def = pageDef(id);
    const QByteArray window = QByteArray(def.window);
    b.nav.open(id);
    b.noAnswer();
    b.line.clearWrites();
    const Block before = b.state.frames[def.family];
    QLineEdit *box = b.box(window.constData(), control.toLatin1().constData());
    box->setText(text);
    b.click(window.constData(), "cmdwrite");

    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.state.frames[def.family], before);
    QCOMPARE(b.messages.shown.size(), 1);
    QCOMPARE(b.messages.shown[0].message.title, QStringLiteral("info"));
    QCOMPARE(b.messages.shown[0].message.text, message);
    QVERIFY(box->property("parseError").toBool());
    QVERIFY(box->styleSheet().contains(QLatin1String("border")));
    QVERIFY(!box->toolTip().isEmpty());
    QCOMPARE(b.page(window.constData())->focusWidget(), box);

    // Editing the box clears the mark; the corrected write goes out.
    QTest::keyClicks(box, QStringLiteral("7"));
    box->setText(QStringLiteral("12abc"));
    QVERIFY(!box->property("parseError").toBool());
    QVERIFY(box->styleSheet().isEmpty());
    QVERIFY(box->toolTip().isEmpty());
    b.click(window.constData(), "cmdwrite");
    b.messages.answer(true); // boxes not written as they stand
    if (id == PageId::Basic) {
        QCOMPARE(b.line.writes.size(), 0); // "12abc" is no number in a strict box
        return;
    }
    QCOMPARE(b.line.writes.size(), 1);
    const BlockTable &table = def.table();
    const int byte = table.field(table.fieldOfSlot(table.slotOf(control))).offset;
    QCOMPARE(int(b.line.writes[0].at(byte)), 12);
}

void TestPageWindows::readWriteFollowTheLinkTick()
{
    Bench b;
    for (PageId id : {PageId::Basic, PageId::Reference})
        b.nav.ensurePage(id);
    b.nav.onLinkTick(false);
    for (const char *name : {"frmBasic", "frmReference"}) {
        QVERIFY(!b.page(name)->isVisible());
        QVERIFY(!b.button(name, "cmdread")->isEnabled());
        QVERIFY(!b.button(name, "cmdwrite")->isEnabled());
    }
    b.nav.onLinkTick(true);
    for (const char *name : {"frmBasic", "frmReference"}) {
        QVERIFY(b.button(name, "cmdread")->isEnabled());
        QVERIFY(b.button(name, "cmdwrite")->isEnabled());
    }
    b.nav.cmdReference_Click(); // closes Basic
    QVERIFY(!b.page("frmBasic"));
    b.nav.onLinkTick(false);
    QVERIFY(!b.page("frmBasic")); // no window is kept for the timer's sake
    QVERIFY(!b.button("frmReference", "cmdwrite")->isEnabled());
    QVERIFY(b.page("frmReference")->isVisible());
    // A window made later starts as the last tick left the buttons.
    b.nav.ensurePage(PageId::Basic);
    QVERIFY(!b.button("frmBasic", "cmdwrite")->isEnabled());
    // A page the timer does not govern keeps its buttons.
    b.nav.ensurePage(PageId::DqPid);
    QVERIFY(b.button("frmdqPID", "cmdwrite")->isEnabled());
}

namespace {
bool ecoSpeedHidden(const ParameterService &service)
{
    const BlockModel *basic = service.model(FrameId::Basic);
    return basic->isHidden(basic->table().slotOf(u"txtEcospeed"));
}
} // namespace

void TestPageWindows::controllerTypeHidesOnlyWhileOnline()
{
    Bench b;
    b.state.controllerType = 1;
    b.nav.cmdBasic_Click();
    b.nav.onLinkTick(false);
    QVERIFY(!b.box("frmBasic", "txtEcospeed")->isHidden());
    b.nav.onLinkTick(true);
    QVERIFY(b.box("frmBasic", "txtEcospeed")->isHidden());
    // One way: another type later does not show it again in this window.
    b.state.controllerType = 2;
    b.nav.onLinkTick(true);
    QVERIFY(b.box("frmBasic", "txtEcospeed")->isHidden());
    // A window created afterwards starts with it shown.
    b.nav.cmdReference_Click(); // closes Basic
    b.nav.onLinkTick(true);
    b.nav.cmdBasic_Click();
    QVERIFY(!b.box("frmBasic", "txtEcospeed")->isHidden());
}

// The link tick fits the models to the type ten times a second: a type that
// changes on a page that stays, and the same type on a page made afresh, is
// fitted all the same.
void TestPageWindows::everyNewTypeIsFitted_data()
{
    QTest::addColumn<QList<int>>("types"); // one online tick each
    QTest::addColumn<bool>("reopen");       // Basic closed before the last tick
    QTest::addColumn<bool>("hidden");       // "txtEcospeed" after the last tick
    QTest::newRow("2, then 1") << QList<int>{2, 1} << false << true;
    QTest::newRow("0, then 1") << QList<int>{0, 1} << false << true;
    QTest::newRow("1, 1, 1") << QList<int>{1, 1, 1} << false << true;
    QTest::newRow("1, then 1 on a new window") << QList<int>{1, 1} << true << true;
    QTest::newRow("1, then 2 on a new window") << QList<int>{1, 2} << true << false;
    QTest::newRow("2, 2") << QList<int>{2, 2} << false << false;
}

void TestPageWindows::everyNewTypeIsFitted()
{
    QFETCH(QList<int>, types);
    QFETCH(bool, reopen);
    QFETCH(bool, hidden);
    Bench b;
    for (int i = 0; i < types.size(); ++i) {
        if (reopen && i == types.size() - 1)
            b.nav.cmdReference_Click(); // closes Basic
        b.state.controllerType = qint16(types[i]);
        b.nav.onLinkTick(true);
    }
    QCOMPARE(ecoSpeedHidden(b.service), hidden);
    b.nav.cmdBasic_Click();
    QCOMPARE(b.box("frmBasic", "txtEcospeed")->isHidden(), hidden);
}

void TestPageWindows::hiddenEcoSpeedStillTravels()
{
    Bench b;
    b.state.controllerType = 1;
    b.service.fitToControllerType();
    b.nav.cmdBasic_Click();
    ParameterPage *p = b.page("frmBasic");
    QVERIFY(p->isVisible());
    QVERIFY(p->findChild<QLabel *>(QStringLiteral("lblEcospeed"))->isHidden());
    // The caption carries the unit: no second unit label.
    QVERIFY(!p->findChild<QLabel *>(QStringLiteral("unitEcospeed")));
    QLineEdit *eco = b.box("frmBasic", "txtEcospeed");
    QVERIFY(eco->isHidden());
    eco->setText(QStringLiteral("300"));
    b.click("frmBasic", "cmdwrite");
    b.messages.answer(true); // the defaults ".9", "3.7", ...
    QCOMPARE(hexString(b.line.writes.last()).mid(18, 5), QStringLiteral("2C 01"));
}

void TestPageWindows::fluxTypeOneHidesFourteenControls_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("type 1") << 1 << true;
    QTest::newRow("type 2") << 2 << false;
    QTest::newRow("type 3") << 3 << false;
    QTest::newRow("unknown") << 0 << false;
}

void TestPageWindows::fluxTypeOneHidesFourteenControls()
{
    QFETCH(int, type);
    QFETCH(bool, hidden);
    Bench b;
    b.state.controllerType = qint16(type);
    b.nav.cmdFluxWeaken_Click();
    b.nav.onLinkTick(true);
    QWidget *p = b.nav.page(QStringLiteral("frmFluxWeaken"));
    QVERIFY(p);
    int hiddenCount = 0;
    for (const char *name : {"IdP12", "IdP13", "Id_HP8", "Id_HP9", "Id_HP10", "Id_HP11", "Id_HP12"}) {
        for (const char *prefix : {"lbl", "txt"}) {
            QWidget *w = p->findChild<QWidget *>(QLatin1String(prefix) + QLatin1String(name));
            QVERIFY2(w, name);
            hiddenCount += w->isHidden() ? 1 : 0;
        }
    }
    QCOMPARE(hiddenCount, hidden ? 14 : 0);
    // The six boxes type 1 carries in 16 bits stay.
    for (const char *name : {"txtIdP6", "txtIdP11", "txtFluxSign", "txtPrintfSW"})
        QVERIFY2(!p->findChild<QWidget *>(QLatin1String(name))->isHidden(), name);
}

void TestPageWindows::fluxWriteWithUnknownTypeAsks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("sent"); // bytes 16..28 of the write, empty: nothing sent
    QTest::newRow("unknown, no") << 0 << false << "";
    QTest::newRow("unknown, yes") << 0 << true << "00 00 00 00 00 00 00 00 00 00 00 00 00";
    QTest::newRow("type 2 asks nothing") << 2 << false << "6E 6E 14 14 14 14 46 3C 5A 64 91 91 96";
    QTest::newRow("type 1 asks nothing") << 1 << false << "6E 00 6E 00 14 00 14 00 14 00 14 00 00";
}

void TestPageWindows::fluxWriteWithUnknownTypeAsks()
{
    QFETCH(int, type);
    QFETCH(bool, answer);
    QFETCH(QString, sent);
    Bench b;
    b.state.controllerType = qint16(type);
    b.nav.cmdFluxWeaken_Click();
    b.noAnswer();
    b.line.clearWrites();
    b.click("frmFluxWeaken", "cmdwrite");
    if (type == 0) {
        QCOMPARE(b.messages.questions.size(), 1);
        QVERIFY(b.messages.questions.first().message.text.contains(QStringLiteral("16, 17")));
        QVERIFY(b.line.writes.isEmpty());
        b.messages.answer(answer);
    }
    // Then the defaults the write does not send as they stand.
    if (!sent.isEmpty()) {
        QCOMPARE(b.messages.questions.size(), 1);
        QVERIFY(b.messages.questions.first().message.text.contains(QStringLiteral("not written as they stand")));
        QVERIFY(b.line.writes.isEmpty());
        b.messages.answer(true);
    }
    if (sent.isEmpty()) {
        QVERIFY(b.line.writes.isEmpty());
        return;
    }
    QCOMPARE(b.line.writes.size(), 1);
    QCOMPARE(hexString(b.line.writes.first()).mid(16 * 3, 13 * 3 - 1), sent);
}

void TestPageWindows::typeRowsWithOneCaptionAreAlwaysCaptioned_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("unknown") << 0;
    QTest::newRow("type 1") << 1;
    QTest::newRow("type 3") << 3;
}

void TestPageWindows::typeRowsWithOneCaptionAreAlwaysCaptioned()
{
    QFETCH(int, type);
    Bench b;
    b.state.controllerType = qint16(type);
    QVERIFY(setLanguage(b.state.language, LanguageCode::Chinese));
    b.nav.cmdFluxWeaken_Click();
    QWidget *p = b.nav.page(QStringLiteral("frmFluxWeaken"));
    QCOMPARE(p->findChild<QLabel *>(QStringLiteral("lblIdP6"))->text(), QStringLiteral("弱磁电流6[A]"));
    QCOMPARE(p->findChild<QLabel *>(QStringLiteral("lblId_HP12"))->text(), QStringLiteral("弱磁电流2-12[A]"));
    QCOMPARE(p->windowTitle(), QStringLiteral("弱磁指令"));
}

void TestPageWindows::captions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    const auto rows = {
        std::tuple{22, "frmBasic", "", "Basic setting"},
        std::tuple{11, "frmBasic", "", "基本参数"},
        std::tuple{11, "frmBasic", "lblConstPT0", "最大峰值相电流[A]"},
        std::tuple{11, "frmBasic", "lblhTReg_DEC", "回生转矩减速度"},
        std::tuple{22, "frmBasic", "lblhTReg_DEC", "Dec of iq at reg"},
        std::tuple{11, "frmBasic", "cmdread", "读出"},
        std::tuple{11, "frmBasic", "cmdwrite", "写入"},
        std::tuple{22, "frmBasic", "cmdwrite", "write"},
        std::tuple{11, "frmReference", "", "指令指设定"},
        std::tuple{22, "frmReference", "", "Reference"},
        std::tuple{11, "frmReference", "lblFluxCompToVdc", "电压-弱磁补偿"},
        std::tuple{11, "frmReference", "lblHALL_60_360_Switch", "霍尔切换步数"},
        std::tuple{22, "frmReference", "lblHALL_60_360_Switch", "Hall steps for 60 switch to 360"},
        std::tuple{11, "frmReference", "cmdread", "读出"},
        // The Chinese routine leaves the Control title as it is.
        std::tuple{11, "frmControl", "", "Control"},
        std::tuple{22, "frmControl", "", "Control"},
        std::tuple{11, "frmControl", "lblECOSpeedLimitKpGain", "溜坡前进角度"},
        std::tuple{22, "frmControl", "lblMotLockTimeout", "start speed Ki G"},
        std::tuple{11, "frmOther", "", "其他"},
        std::tuple{11, "frmOther", "ChkAst", "防遛坡使能"},
        std::tuple{22, "frmOther", "Chk_Tab6_MotOHEN", "Motor protectin enable"},
        std::tuple{11, "frmOther", "lblConstBwPT10", "倒车电流指令10[A]"},
        std::tuple{22, "frmOther", "lblConstBwPT10", "BW iqref step10[A]"},
        std::tuple{11, "frmDerate", "", "降载设置"},
        std::tuple{22, "frmDerate", "", "Derate setting"},
        std::tuple{11, "frmDerate", "lblIqrefStandstill", "降载电流指令1[A]"},
        std::tuple{11, "frmModeSet", "", "模式设置"},
        std::tuple{22, "frmModeSet", "", "Mode set"},
        std::tuple{11, "frmModeSet", "lblMaxSlipRegQ", "最大滑行回生量"},
        std::tuple{11, "frmModeSet", "cmdwrite", "写入"},
    };
    for (const auto &[language, page, control, text] : rows)
        QTest::addRow("%d %s %s", language, page, control)
            << language << page << control << QString::fromUtf8(text);
}

void TestPageWindows::captions()
{
    QFETCH(int, language);
    QFETCH(QString, page);
    QFETCH(QString, control);
    QFETCH(QString, text);
    auto textOf = [&](Bench &b) {
        QWidget *p = b.nav.page(page);
        if (control.isEmpty())
            return p->windowTitle();
        if (auto *label = p->findChild<QLabel *>(control))
            return label->text();
        if (auto *check = p->findChild<QCheckBox *>(control))
            return check->text();
        return p->findChild<QPushButton *>(control)->text();
    };
    {
        // A language switch reaches the pages that exist.
        Bench b;
        b.nav.cmdBasic_Click();
        b.nav.ensurePage(findPage(page)->id);
        setLanguage(b.state.language, language == 22 ? 11 : 22);
        b.nav.applyLanguage();
        setLanguage(b.state.language, language);
        b.nav.applyLanguage();
        QCOMPARE(textOf(b), text);
    }
    {
        // A page created later applies the current language itself.
        Bench b;
        setLanguage(b.state.language, language);
        b.nav.ensurePage(language == 22 ? PageId::Basic : PageId::Reference);
        b.nav.ensurePage(language == 22 ? PageId::Reference : PageId::Basic);
        b.nav.ensurePage(findPage(page)->id);
        QCOMPARE(textOf(b), text);
    }
}

void TestPageWindows::captionsKeptForOtherLanguageCodes()
{
    Bench b;
    for (PageId id : {PageId::Basic, PageId::Reference})
        b.nav.ensurePage(id);
    setLanguage(b.state.language, 11);
    b.nav.applyLanguage();
    b.state.language.languageCode = 7;
    b.nav.applyLanguage();
    QCOMPARE(b.nav.page(QStringLiteral("frmBasic"))->windowTitle(), QStringLiteral("基本参数"));
    QCOMPARE(b.button("frmReference", "cmdread")->text(), QStringLiteral("读出"));
}

void TestPageWindows::derateWriteOfNoNumberSendsNothing_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("English")
        << 22 << "The box \"Flux switch speed[rpm]\" does not hold a number: \"fast\". Nothing was written.";
    QTest::newRow("Chinese") << 11 << "输入框“弱磁切换转速[rpm]”中不是数字（“fast”）。未写入任何数据。";
}

void TestPageWindows::derateWriteOfNoNumberSendsNothing()
{
    // A flux speed that is no number: the write is refused, explained, and
    // sends nothing.
    QFETCH(int, language);
    QFETCH(QString, message);
    Bench b;
    setLanguage(b.state.language, language);
    b.nav.cmdDerate_Click();
    QCOMPARE(b.lastWrite(), QStringLiteral("D5 C5 DA"));
    b.noAnswer();
    b.line.clearWrites();
    b.box("frmDerate", "txtFluxSTspeed")->setText(QStringLiteral("fast"));
    b.click("frmDerate", "cmdwrite");
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.messages.texts(), QStringList{message});
    QVERIFY(b.box("frmDerate", "txtFluxSTspeed")->property("parseError").toBool());

    // The reply fills the box; the same button then sends the block.
    Block reply = makeBlock({0xD5, 0xC5, 30, 30, 10, 10});
    reply[30] = 12;
    b.receive(reply);
    QCOMPARE(b.box("frmDerate", "txtFluxSTspeed")->text(), QStringLiteral("1200"));
    b.click("frmDerate", "cmdwrite");
    QCOMPARE(b.line.writes.size(), 1);
    QCOMPARE(hexString(b.line.writes[0]).right(5), QStringLiteral("0C DA"));
}

void TestPageWindows::otherSwitchesAreCheckBoxes()
{
    Bench b;
    b.nav.cmdOther_Click();
    ParameterPage *p = b.page("frmOther");
    QCOMPARE(p->findChildren<QCheckBox *>().size(), 8);
    b.receive(makeBlock({0xFE, 0xEE, 1, 2, 3, 4, 5, 6, 0x05}));
    QVERIFY(p->findChild<QCheckBox *>(QStringLiteral("Chk_Tab6_ECO_EN"))->isChecked());
    QVERIFY(p->findChild<QCheckBox *>(QStringLiteral("Chk_Tab6_Eco_Enable"))->isChecked());
    QVERIFY(!p->findChild<QCheckBox *>(QStringLiteral("ChkAst"))->isChecked());
    p->findChild<QCheckBox *>(QStringLiteral("ChkAst"))->click();
    b.noAnswer();
    b.line.clearWrites();
    b.click("frmOther", "cmdwrite");
    QCOMPARE(b.line.writes.size(), 1);
    QCOMPARE(hexString(b.line.writes[0]).left(26), QStringLiteral("FE EF 01 02 03 04 05 06 45"));
}

void TestPageWindows::boxesSentOtherwiseAreShownFirst_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // the question's line; empty: no question
    QTest::newRow("as typed") << "txtMaxspeed" << "300" << "";
    QTest::newRow("the same number") << "txtMaxspeed" << "0300" << "";
    QTest::newRow("an exponent") << "txtMaxspeed" << "3e2" << "";
    QTest::newRow("floored") << "txtMaxspeed" << "300.7" << "Max speed[rpm]: \"300.7\" is written as 300";
    QTest::newRow("clamped") << "txtMaxspeed" << "40000" << "Max speed[rpm]: \"40000\" is written as 32767";
    QTest::newRow("in hundreds") << "txtSpeedFluxQuit" << "3099" << "Speed of Id0[rpm]: \"3099\" is written as 3000";
}

void TestPageWindows::boxesSentOtherwiseAreShownFirst()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    Bench b;
    b.link.openPort();
    // A received block: every other box holds what goes out.
    b.receive(makeBlock({0xF0, 0xE0, 0x2C, 0x01, 0x4A, 0x00}));
    b.nav.ensurePage(PageId::Basic);
    b.box("frmBasic", qPrintable(control))->setText(text);
    b.click("frmBasic", "cmdwrite");
    if (shown.isEmpty()) {
        QVERIFY(b.messages.questions.isEmpty());
        QCOMPARE(b.line.writes.size(), 1);
        return;
    }
    QCOMPARE(b.messages.questions.size(), 1);
    QCOMPARE(b.messages.questions[0].message.text,
             QStringLiteral("These boxes are not written as they stand:\n\n%1\n\nWrite these values?").arg(shown));
    QVERIFY(b.line.writes.isEmpty());
    b.messages.answer(false); // No sends nothing
    QVERIFY(b.line.writes.isEmpty());
}

void TestPageWindows::writeIsReadBackAndCompared_data()
{
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("readBackSpeed"); // -1: no block comes back
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("message");
    QTest::newRow("verified") << true << 300 << "Basic setting: written and verified." << "";
    QTest::newRow("differs")
        << true << 299 << ""
        << "Basic setting: the controller does not hold what was written in \u201CMax speed[rpm]\u201D. "
           "The page now shows what it holds.";
    QTest::newRow("not read back") << true << -1 << "Basic setting: written, but the block did not come back: not verified." << "";
    QTest::newRow("verifying off") << false << 299 << "" << "";
}

void TestPageWindows::writeIsReadBackAndCompared()
{
    QFETCH(bool, verify);
    QFETCH(int, readBackSpeed);
    QFETCH(QString, panel);
    QFETCH(QString, message);
    Bench b;
    b.service.setVerifyWrites(verify);
    std::optional<ParameterService::Verification> checked;
    QObject::connect(&b.service, &ParameterService::writeChecked,
                     [&](FrameId, const ParameterService::Verification &v) { checked = v; });
    b.link.openPort();
    b.receive(makeBlock({0xF0, 0xE0, 0x2C, 0x01, 0x4A, 0x00}));
    b.nav.ensurePage(PageId::Basic);
    b.click("frmBasic", "cmdwrite");
    b.receive(makeBlock({0xF0, 0xE1}));
    QCOMPARE(b.messages.texts(), QStringList{"Basic set successfull!"}); // as it always was
    QCOMPARE(b.lastWrite(), verify ? QStringLiteral("F0 E0 DA") : b.lastWrite());
    if (readBackSpeed >= 0)
        b.receive(makeBlock({0xF0, 0xE0, quint8(readBackSpeed & 0xFF), quint8(readBackSpeed >> 8), 0x4A, 0x00}));
    b.noAnswer();
    QVERIFY(checked);
    QCOMPARE(b.service.verificationText(FrameId::Basic, *checked), panel.isEmpty() ? message : panel);
    if (!message.isEmpty())
        QCOMPARE(checked->fields, QList<int>{basicTable().slotOf(u"txtMaxspeed")});
    QCOMPARE(checked->result == ParameterService::Verification::Result::NotChecked, !verify);
}

QTEST_MAIN(TestPageWindows)
void TestPageWindows::receivedValueGoesBackAsItCame_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("received");
    QTest::addColumn<QString>("edit"); // "": untouched; "pick": the shown item picked again; else typed
    QTest::addColumn<QString>("shows"); // the text, or the list index
    QTest::addColumn<int>("written");
    // The list names bytes 0 and 9, which no item has (the controller counts
    // from 1 to 5), as received, after its five items; the boxes' ranges
    // would clamp 0 to 1 and 20. Written back untouched, each byte stays
    // what it was.
    QTest::newRow("sensor 0 named as received") << "cboMTherType" << 5 << 0 << "" << "5" << 0;
    QTest::newRow("sensor 9 named as received") << "cboMTherType" << 5 << 9 << "" << "5" << 9;
    QTest::newRow("sensor listed") << "cboMTherType" << 5 << 3 << "" << "2" << 3;
    // Up from the received byte is "KTY83", the controller's 5.
    QTest::newRow("sensor picked by the user") << "cboMTherType" << 5 << 0 << "pick" << "5" << 5;
    QTest::newRow("pole pairs 0") << "txtPolePairN" << 2 << 0 << "" << "0" << 0;
    QTest::newRow("remap angle 0") << "txtFrmHallSec1" << 9 << 0 << "" << "0" << 0;
    QTest::newRow("remap angle 200") << "txtFrmHallSec1" << 9 << 200 << "" << "200" << 200;
    QTest::newRow("remap angle typed over") << "txtFrmHallSec1" << 9 << 0 << "10" << "0" << 20;
    QTest::newRow("remap angle in range") << "txtFrmHallSec1" << 9 << 61 << "" << "61" << 61;
}

void TestPageWindows::receivedValueGoesBackAsItCame()
{
    QFETCH(QString, control);
    QFETCH(int, offset);
    QFETCH(int, received);
    QFETCH(QString, edit);
    QFETCH(QString, shows);
    QFETCH(int, written);
    Bench b;
    b.state.controllerType = 2;
    b.link.openPort();
    b.nav.cmdMotor_Click();
    Block reply = blockFromBytes(QByteArray::fromHex("F6E6105C0000 05801E3C3D3B3C3E3A826E640A78031E0808"
                                                     "3C3D3E3F404101DA"));
    reply[offset] = quint8(received);
    b.receive(reply);
    ParameterPage *page = b.page("frmMotor");
    if (auto *list = page->findChild<QComboBox *>(control)) {
        QCOMPARE(list->currentIndex(), shows.toInt());
        if (shows.toInt() == 5)
            QCOMPARE(list->currentText(), QStringLiteral("Received byte %1").arg(received));
        if (edit == u"pick") {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Up);
            QCOMPARE(list->currentIndex(), 4);
            QCOMPARE(list->count(), 5); // the received byte is gone with the choice
        }
    } else {
        QLineEdit *box = b.box("frmMotor", qPrintable(control));
        QVERIFY(box);
        QCOMPARE(box->text(), shows);
        if (!edit.isEmpty()) {
            box->clear();
            QTest::keyClicks(box, edit);
        }
    }
    b.noAnswer();
    b.line.clearWrites();
    b.click("frmMotor", "cmdwrite");
    // A value typed below the range is shown with what goes out, and asked.
    QCOMPARE(b.messages.questions.size(), written != received && !edit.isEmpty() && edit != u"pick" ? 1 : 0);
    b.messages.answer(true);
    Block expected = reply;
    expected[1] = 0xE7;
    expected[offset] = quint8(written);
    QCOMPARE(b.lastWrite(), hexString(toByteArray(expected)));
}

#include "tst_pagewindows.moc"
