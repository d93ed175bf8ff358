// The Idc calibration window and the Motor window as the navigator makes
// them: "Serial Num" keys, worksheet buttons, brake levels, wiring lists
// across a language switch, captions that follow the controller type, the
// question before bytes of an unknown layout. Also writes pictures of both
// windows in both languages into the build folder.

#include "calib/ui/idccalibpage.h"
#include "core/appstate.h"
#include "core/language.h"
#include "link/linkcontroller.h"
#include "pages/blocks/idccalibblock.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"

#include "fakeport.h"
#include "recordingmessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace {
// A type-2 block: subproject 7, Iq quit 9, wiring 3 and 5, both brakes active.
const char *const kIdcType2 =
    "FB ED 32 14 48 00 14 C8 16 05 0D 12 A1 01 02 0A 00 20 04 03 00 03 07 09 00 01 03 05 0C 43 32 DA";

Block blockFrom(const QString &hex)
{
    Block b{};
    const QByteArray raw = QByteArray::fromHex(hex.toLatin1().replace(' ', ""));
    for (int i = 0; i < raw.size() && i < kBlockSize; ++i)
        b[std::size_t(i)] = quint8(raw[i]);
    return b;
}

QString withType(int type)
{
    QString hex = QString::fromLatin1(kIdcType2);
    hex.replace(14 * 3, 2, QStringLiteral("%1").arg(type, 2, 16, QLatin1Char('0')).toUpper());
    return hex;
}

struct Bench
{
    AppState state;
    RecordingMessages messages;
    FakeLine line;
    LinkController link{state.connection, state.language, messages};
    QWidget mainWindow;
    ParameterService service{state.blockParts(), link, state.language};
    PageNavigator nav{service, state.language, messages, &mainWindow};
    QList<int> subprojects;
    QDate today{2026, 12, 8};

    Bench()
    {
        link.setPortFactory(line.factory());
        link.setPortName(QStringLiteral("/dev/ttyFAKE"));
        (void)link.openPort();
        QObject::connect(&service, &ParameterService::decoded, [this](FrameId f) {
            if (f == FrameId::IdcCalib)
                subprojects << idcSubprojectNumber(*service.model(FrameId::IdcCalib)->received());
        });
        nav.setPageFactory(PageId::IdcCalib, [this](QWidget *parent) -> QWidget * {
            auto *p = new IdcCalibPage(service, state.language, messages, parent);
            p->setClock([this] { return today; });
            return p;
        });
    }
    IdcCalibPage *idc() { return qobject_cast<IdcCalibPage *>(nav.ensurePage(PageId::IdcCalib)); }
    ParameterPage *motor() { return qobject_cast<ParameterPage *>(nav.ensurePage(PageId::Motor)); }
    template<typename T = QLineEdit>
    T *child(QWidget *page, const char *name) const
    {
        return page->findChild<T *>(QLatin1String(name));
    }
    void receive(const QString &hex) { line.deliver(toByteArray(blockFrom(hex))); }
    QString lastWrite() const { return line.writes.isEmpty() ? QString() : hexString(line.writes.last()); }
};
} // namespace

class TestIdcCalibPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { installChineseTranslator(false); }
    void serialNumKeys_data();
    void serialNumKeys();
    void enterAsksLikeWrite();
    void resetCountAndIdcCalib();
    void calc_data();
    void calc();
    void decodeFillsThePage();
    void specifyCwShowsTheWeekOfToday();
    void brakeChecksEnableTheirLevels();
    void wiringListsFollowTheLanguage();
    void unlistedWiringGoesBackUnchanged();
    void motorCaptionsFollowTheType_data();
    void motorCaptionsFollowTheType();
    void unknownLayoutAsks_data();
    void unknownLayoutAsks();
    void pictures();
};

void TestIdcCalibPage::serialNumKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text"); // the key's character
    QTest::addColumn<QString>("after");
    QTest::newRow("digit") << int(Qt::Key_3) << "3" << "123";
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << "12";
    QTest::newRow("capital") << int(Qt::Key_A) << "A" << "12";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << "12";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-" << "12";
    QTest::newRow("point") << int(Qt::Key_Period) << "." << "12";
    QTest::newRow("blank") << int(Qt::Key_Space) << " " << "12";
    QTest::newRow("paste key") << int(Qt::Key_V) << "\x16" << "12";
    QTest::newRow("cursor left, no character") << int(Qt::Key_Left) << "" << "12";
}

void TestIdcCalibPage::serialNumKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    Bench b;
    b.state.controllerType = 2;
    QLineEdit *sn = b.child(b.idc(), "txtSNNum");
    sn->setText(QStringLiteral("12"));
    sn->end(false);
    QKeyEvent press(QEvent::KeyPress, key, text == QLatin1String("\x16") ? Qt::ControlModifier : Qt::NoModifier,
                    text);
    QCoreApplication::sendEvent(sn, &press);
    QCOMPARE(sn->text(), after);
    QVERIFY(b.line.writes.isEmpty());
}

void TestIdcCalibPage::enterAsksLikeWrite()
{
    Bench b;
    IdcCalibPage *p = b.idc();
    QLineEdit *sn = b.child(p, "txtSNNum");
    sn->setText(QStringLiteral("417"));
    // Enter writes the controller's identity: only after a Yes that named it.
    b.state.controllerType = 2;
    QTest::keyClick(sn, Qt::Key_Return);
    QVERIFY(b.line.writes.isEmpty());
    QCOMPARE(b.messages.questions.size(), 1);
    const QString question = b.messages.questions[0].message.text;
    for (const char *shown : {"Project NO: 1302", "Week: 27", "Serial Num: 417"})
        QVERIFY2(question.contains(QLatin1String(shown)), qPrintable(question));
    b.messages.answer(false);
    QVERIFY(b.line.writes.isEmpty());
    QTest::keyClick(sn, Qt::Key_Return);
    b.messages.answer(true);
    QCOMPARE(b.line.writes.size(), 1);
    QCOMPARE(b.lastWrite().mid(12 * 3, 5), QStringLiteral("A1 01"));
    // Type unknown: then the same question as "write"; No sends nothing.
    b.state.controllerType = 0;
    QTest::keyClick(sn, Qt::Key_Enter);
    b.messages.answer(true);
    QCOMPARE(b.messages.questions.size(), 1);
    b.messages.answer(false);
    QCOMPARE(b.line.writes.size(), 1);
    // An empty serial number stops the write with a message.
    b.state.controllerType = 2;
    sn->clear();
    QTest::keyClick(sn, Qt::Key_Return);
    b.messages.answer(true);
    QCOMPARE(b.line.writes.size(), 1);
    QCOMPARE(b.messages.texts().size(), 1);
    QVERIFY(b.messages.texts()[0].contains(QLatin1String("Serial Num")));
}

void TestIdcCalibPage::resetCountAndIdcCalib()
{
    Bench b;
    IdcCalibPage *p = b.idc();
    for (const char *name : {"txtIdcActual1", "txtIdcActual3", "txtIdcAdc2", "txtIdcCalibF2", "txtIdcCalibF_All"})
        b.child(p, name)->setText(QStringLiteral("12.5"));
    QTest::mouseClick(b.child<QPushButton>(p, "cmdCntReset"), Qt::LeftButton);
    QCOMPARE(b.lastWrite(), QStringLiteral("FB EC DA"));
    QCOMPARE(b.child(p, "txtIdcActual1")->text(), QStringLiteral("0"));
    QCOMPARE(b.child(p, "txtIdcActual3")->text(), QStringLiteral("0"));
    QCOMPARE(b.child(p, "txtIdcCalibF2")->text(), QStringLiteral("1"));
    QCOMPARE(b.child(p, "txtIdcCalibF_All")->text(), QStringLiteral("1"));
    QCOMPARE(b.child(p, "txtIdcAdc2")->text(), QStringLiteral("12.5")); // the ADC column stays
    QTest::mouseClick(b.child<QPushButton>(p, "cmdIdcCalibStart"), Qt::LeftButton);
    QCOMPARE(b.lastWrite(), QStringLiteral("FB EB DA"));
    QCOMPARE(b.line.writes.size(), 2);
    // The FB EC reply is decoded like a read.
    b.receive(withType(3).replace(0, 5, QStringLiteral("FB EC")));
    QTRY_COMPARE(b.state.controllerType, qint16(3));
}

void TestIdcCalibPage::calc_data()
{
    QTest::addColumn<QStringList>("cells"); // actual 1..3, ADC 1..3
    QTest::addColumn<QString>("average");   // txtIdcCalibF_All before
    QTest::addColumn<QString>("message");   // the one message shown, if any
    QTest::addColumn<QStringList>("after"); // F1, F2, F3, F_All, gain, shift
    const QStringList none{"0", "0", "0", "0", "0", "0"};
    const QString first = QStringLiteral("Please do Idc calibration first!");
    // A message that stops "Calc" leaves every box as it was.
    QTest::newRow("no points") << none << "1" << first << QStringList{"1", "1", "1", "1", "3", "3"};
    QTest::newRow("no points, factor 0.001")
        << none << "0.001" << first << QStringList{"1", "1", "1", "0.001", "3", "3"};
    QTest::newRow("no points, factor not a number")
        << none << "abc" << first << QStringList{"1", "1", "1", "abc", "3", "3"};
    QTest::newRow("one point in row 2") << QStringList{"0", "10", "0", "0", "2667", "0"} << "1"
                                        << "Please input DC Current 1 !"
                                        << QStringList{"1", "1", "1", "1", "3", "3"};
    QTest::newRow("one point") << QStringList{"10", "0", "0", "2667", "0", "0"} << "1" << ""
                               << QStringList{"0.3750", "0", "0", "0.375", "3", "3"};
    QTest::newRow("two points") << QStringList{"10", "20", "0", "1000", "2000", "0"} << "1" << ""
                                << QStringList{"1.0000", "1.0000", "0", "1.000", "1", "0"};
    QTest::newRow("three points") << QStringList{"10", "20", "30", "3000", "6000", "7000"} << "1" << ""
                                  << QStringList{"0.3333", "0.3333", "0.4286", "0.365", "47", "7"};
    QTest::newRow("factor 0.001") << QStringList{"0.1", "0", "0", "10000", "0", "0"} << "1" << ""
                                  << QStringList{"0.0010", "0", "0", "0.001", "33", "15"};
    QTest::newRow("factor rounds to 0")
        << QStringList{"0.0001", "0", "0", "1000", "0", "0"} << "1"
        << "\"Idc ave factor\" must be above 0: Idc gain and Idc D2 power were left as they are."
        << QStringList{"0.0000", "0", "0", "0.000", "3", "3"};
    QTest::newRow("factor too large")
        << QStringList{"1e9", "0", "0", "1", "0", "0"} << "1"
        << "\"Idc ave factor\" is too large for the Idc gain (at most 32767): Idc gain and Idc D2 power were "
           "left as they are."
        << QStringList{"100000000000.0000", "0", "0", "100000000000.000", "3", "3"};
}

void TestIdcCalibPage::calc()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, average);
    QFETCH(QString, message);
    QFETCH(QStringList, after);
    Bench b;
    IdcCalibPage *p = b.idc();
    for (int k = 0; k < 3; ++k) {
        b.child(p, QByteArray("txtIdcActual" + QByteArray::number(k + 1)).constData())->setText(cells[k]);
        b.child(p, QByteArray("txtIdcAdc" + QByteArray::number(k + 1)).constData())->setText(cells[3 + k]);
    }
    b.child(p, "txtIdcCalibF_All")->setText(average);
    QTest::mouseClick(b.child<QPushButton>(p, "cmdCalc"), Qt::LeftButton);
    QCOMPARE(b.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    const QStringList names{"txtIdcCalibF1", "txtIdcCalibF2", "txtIdcCalibF3", "txtIdcCalibF_All", "txtidc_gain",
                            "txtidc_divisor_power_2"};
    QStringList got;
    for (const QString &n : names)
        got << b.child(p, n.toLatin1().constData())->text();
    QCOMPARE(got, after);
    QVERIFY(b.line.writes.isEmpty()); // "Calc" only fills boxes
}

void TestIdcCalibPage::decodeFillsThePage()
{
    Bench b;
    b.state.controllerType = 2;
    IdcCalibPage *p = b.idc();
    b.receive(QString::fromLatin1(kIdcType2));
    QTRY_COMPARE(b.subprojects, QList<int>{7});
    QCOMPARE(b.child(p, "txtcIdcCalibNum")->text(), QStringLiteral("7"));
    QVERIFY(b.child(p, "txtcIdcCalibNum")->isReadOnly());
    QCOMPARE(b.child(p, "txtIqQuit")->text(), QStringLiteral("9"));
    QCOMPARE(b.child(p, "txtWeekNum")->text(), QStringLiteral("18"));
    QCOMPARE(b.child<QComboBox>(p, "cmbHallCType")->currentIndex(), 2);
    QCOMPARE(b.child<QComboBox>(p, "cmbForward")->currentText(), QStringLiteral("L"));
    QVERIFY(b.child<QCheckBox>(p, "ChkBrakeLevelH")->isChecked());
    // Read and written back unchanged: every byte but the subproject number.
    QPushButton *write = b.child<QPushButton>(p, "cmdwrite");
    QTest::mouseClick(write, Qt::LeftButton);
    QString expected = QString::fromLatin1(kIdcType2);
    expected.replace(3, 2, QStringLiteral("EE"));
    expected.replace(22 * 3, 2, QStringLiteral("00"));
    QCOMPARE(b.lastWrite(), expected);
}

void TestIdcCalibPage::specifyCwShowsTheWeekOfToday()
{
    Bench b;
    b.state.controllerType = 2;
    IdcCalibPage *p = b.idc();
    b.child<QCheckBox>(p, "ChkSpecifyCW")->setChecked(true);
    b.receive(QString::fromLatin1(kIdcType2));
    QTRY_COMPARE(b.subprojects.size(), 1);
    QCOMPARE(b.child(p, "txtWeekNum")->text(), QStringLiteral("50"));
    QTest::mouseClick(b.child<QPushButton>(p, "cmdwrite"), Qt::LeftButton);
    QCOMPARE(b.lastWrite().mid(11 * 3, 2), QStringLiteral("32"));
}

void TestIdcCalibPage::brakeChecksEnableTheirLevels()
{
    Bench b;
    b.state.controllerType = 2;
    IdcCalibPage *p = b.idc();
    auto *high = b.child<QComboBox>(p, "cmbBrakehigh");
    auto *low = b.child<QComboBox>(p, "cmbBrakelow");
    QVERIFY(!high->isEnabled());
    QVERIFY(!low->isEnabled());
    b.child<QCheckBox>(p, "ChkBrakeLevelH")->setChecked(true);
    QVERIFY(high->isEnabled());
    QVERIFY(!low->isEnabled());
    b.receive(QString::fromLatin1(kIdcType2).replace(4 * 3, 2, QStringLiteral("40")));
    QTRY_COMPARE(b.subprojects.size(), 1);
    QVERIFY(!high->isEnabled());
    QVERIFY(low->isEnabled());
}

void TestIdcCalibPage::wiringListsFollowTheLanguage()
{
    Bench b;
    IdcCalibPage *p = b.idc();
    auto *hall = b.child<QComboBox>(p, "cmbHallCType");
    auto *phase = b.child<QComboBox>(p, "cmbPhaseCType");
    QCOMPARE(hall->count(), 6);
    QCOMPARE(hall->currentIndex(), 0);
    hall->setCurrentIndex(3);
    phase->setCurrentIndex(5);
    setLanguage(b.state.language, LanguageCode::Chinese);
    b.nav.applyLanguage();
    QCOMPARE(hall->currentText(), QStringLiteral("H4: 蓝->黄->绿"));
    QCOMPARE(phase->currentText(), QStringLiteral("D6: 绿->黄->蓝"));
    QCOMPARE(p->windowTitle(), QStringLiteral("电流参数标定"));
    QCOMPARE(b.child<QLabel>(p, "lblIdcCalibF_All")->text(), QStringLiteral("直流电流标定系数"));
    QCOMPARE(b.child<QCheckBox>(p, "ChkBrakeLevelL")->text(), QStringLiteral("低刹车有效"));
    QCOMPARE(b.child<QLabel>(p, "lblcType")->text(), QStringLiteral("cType")); // no caption routine row
    setLanguage(b.state.language, LanguageCode::English);
    b.nav.applyLanguage();
    QCOMPARE(hall->currentText(), QStringLiteral("H4: B->Y->G"));
    QCOMPARE(phase->currentIndex(), 5);
    // A page created while Chinese fills its lists in Chinese.
    b.nav.cmdBasic_Click(); // closes the Idc page
    setLanguage(b.state.language, LanguageCode::Chinese);
    QCOMPARE(b.child<QComboBox>(b.idc(), "cmbHallCType")->currentText(), QStringLiteral("H1: 黄->绿->蓝"));
}

void TestIdcCalibPage::unlistedWiringGoesBackUnchanged()
{
    Bench b;
    b.state.controllerType = 2;
    IdcCalibPage *p = b.idc();
    b.receive(QString::fromLatin1(kIdcType2).replace(26 * 3, 5, QStringLiteral("00 09")));
    QTRY_COMPARE(b.subprojects.size(), 1);
    // Bytes 0 and 9 name no wiring: each list names the byte it received.
    auto *hall = b.child<QComboBox>(p, "cmbHallCType");
    QCOMPARE(hall->currentText(), QStringLiteral("Received byte 0"));
    QCOMPARE(b.child<QComboBox>(p, "cmbPhaseCType")->currentText(), QStringLiteral("Received byte 9"));
    b.line.answerEverything(); // each write is acknowledged before the next goes
    b.service.setVerifyWrites(false); // an empty read-back would show in the lists
    QTest::mouseClick(b.child<QPushButton>(p, "cmdwrite"), Qt::LeftButton);
    QCOMPARE(b.lastWrite().mid(26 * 3, 5), QStringLiteral("00 09"));
    hall->setCurrentIndex(1);
    QTest::mouseClick(b.child<QPushButton>(p, "cmdwrite"), Qt::LeftButton);
    QTRY_COMPARE(b.lastWrite().mid(26 * 3, 5), QStringLiteral("02 09"));
}

void TestIdcCalibPage::motorCaptionsFollowTheType_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QList<int>>("types"); // of the Idc blocks, in order
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("type 1") << 22 << QList<int>{1} << "lblFrmHallBSec1" << "Hall B 1 remap[Deg]";
    QTest::newRow("type 2 group") << 22 << QList<int>{2} << "lblHallGrp" << "Hall group";
    QTest::newRow("type 2 leaves dec2") << 22 << QList<int>{2} << "lblDecHighSP" << "Dec at high sp";
    QTest::newRow("type 3") << 22 << QList<int>{3} << "lblFrmHallBSec3" << "Req quatity";
    QTest::newRow("type 3 Chinese") << 11 << QList<int>{3} << "lblHallFilter" << "油门减速度2";
    QTest::newRow("type 1 Chinese") << 11 << QList<int>{1} << "lblHallFilter" << "霍尔噪声带宽";
    QTest::newRow("type 0: design text") << 22 << QList<int>{0} << "lblHallFilter" << "Hall noise pulse";
    QTest::newRow("type 3 then 9 keeps") << 22 << QList<int>{3, 9} << "lblFrmHallBSec6" << "Speed of dec1[rpm]";
    QTest::newRow("type 3 then 2") << 22 << QList<int>{3, 2} << "lblFrmHallBSec6" << "Hall B 6 remap[Deg]";
    QTest::newRow("common row") << 11 << QList<int>{5} << "lblPolePairN" << "极对数";
}

void TestIdcCalibPage::motorCaptionsFollowTheType()
{
    QFETCH(int, language);
    QFETCH(QList<int>, types);
    QFETCH(QString, label);
    QFETCH(QString, text);
    Bench b;
    setLanguage(b.state.language, language);
    ParameterPage *motor = b.motor();
    for (int type : types) {
        b.receive(withType(type));
        QTRY_COMPARE(b.state.controllerType, qint16(type));
    }
    QCOMPARE(b.child<QLabel>(motor, label.toLatin1().constData())->text(), text);
    // Every box of the page stays visible.
    for (const char *name : {"txtFrmHallBSec1", "txtDecHighSP", "txtHallFilter"})
        QVERIFY(!b.child(motor, name)->isHidden());
    QVERIFY(!b.child<QComboBox>(motor, "cboHallGrp")->isHidden());
}

void TestIdcCalibPage::unknownLayoutAsks_data()
{
    QTest::addColumn<bool>("motor");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("question"); // empty: no question
    QTest::addColumn<QString>("sent");     // the type-dependent bytes sent; empty: nothing sent
    const QString motorQ = QStringLiteral(
        "The controller type is not known yet: bytes 20, 24, 25, 26, 27, 28, 29, 30 will be written as 0. "
        "Write anyway?");
    const QString idcQ =
        QStringLiteral("The controller type is not known yet: bytes 23 will be written as 0. Write anyway?");
    QTest::newRow("Motor type 0, No") << true << 0 << false << motorQ << "";
    QTest::newRow("Motor type 0, Yes") << true << 0 << true << motorQ << "00 00 00 00 00 00 00 00";
    QTest::newRow("Motor type 4, No") << true << 4 << false << motorQ << "";
    QTest::newRow("Motor type 2") << true << 2 << false << "" << "8C 3C 3C 3C 3C 3C 3C 00";
    QTest::newRow("Motor type 3") << true << 3 << false << "" << "0E 00 00 00 06 06 00 08";
    QTest::newRow("Idc type 0, No") << false << 0 << false << idcQ << "";
    QTest::newRow("Idc type 0, Yes") << false << 0 << true << idcQ << "00";
    QTest::newRow("Idc type 1") << false << 1 << false << "" << "01";
    QTest::newRow("Idc type 3") << false << 3 << false << "" << "00";
}

void TestIdcCalibPage::unknownLayoutAsks()
{
    QFETCH(bool, motor);
    QFETCH(int, type);
    QFETCH(bool, answer);
    QFETCH(QString, question);
    QFETCH(QString, sent);
    Bench b;
    b.state.controllerType = qint16(type);
    ParameterPage *p = motor ? b.motor() : b.idc();
    p->cmdwrite_Click();
    if (!question.isEmpty()) {
        QCOMPARE(b.messages.questions.size(), 1);
        QCOMPARE(b.messages.questions[0].message.text, question);
        QVERIFY(b.line.writes.isEmpty());
        b.messages.answer(answer);
    }
    // Defaults that do not go out as they stand are asked about next.
    if (!b.messages.questions.isEmpty())
        b.messages.answer(true);
    if (sent.isEmpty()) {
        QVERIFY(b.line.writes.isEmpty());
        return;
    }
    QCOMPARE(b.line.writes.size(), 1);
    const QString w = b.lastWrite();
    const QString got = motor ? w.mid(20 * 3, 2) + u' ' + w.mid(24 * 3, 20) : w.mid(23 * 3, 2);
    QCOMPARE(got, sent);
}

void TestIdcCalibPage::pictures()
{
    // For the eye: both windows in both languages, as shown.
    const QDir dir(QStringLiteral(KESTRANE_SHOT_DIR));
    QVERIFY(dir.exists() || QDir().mkpath(dir.path()));
    Bench b;
    b.state.controllerType = 2;
    for (int language : {LanguageCode::English, LanguageCode::Chinese}) {
        setLanguage(b.state.language, language);
        b.nav.applyLanguage();
        for (PageId id : {PageId::Motor, PageId::IdcCalib}) {
            b.nav.open(id);
            QWidget *w = b.nav.page(id);
            QVERIFY(w);
            w->adjustSize();
            const QString name = QStringLiteral("%1_%2.png")
                                     .arg(QLatin1String(pageWindowName(id)),
                                          language == LanguageCode::English ? QStringLiteral("en")
                                                                            : QStringLiteral("zh"));
            QVERIFY(w->grab().save(dir.filePath(name)));
            qInfo("%s: %d x %d", qPrintable(name), w->width(), w->height());
        }
    }
}

QTEST_MAIN(TestIdcCalibPage)
#include "tst_idccalibpage.moc"
