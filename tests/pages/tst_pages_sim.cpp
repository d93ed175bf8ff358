// The pages against the simulated controller inside the tool: what a page
// writes is what the controller keeps and gives back.

#include "simline.h"
#include "sim/simulatorport.h"

#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"
#include "pages/ui/protectionpage.h"
#include "pages/loadparachain.h"
#include "core/appstate.h"

#include "recordingmessages.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kPending = QStringLiteral("(waiting for the controller)");

struct SimBench
{
    AppState state;
    RecordingMessages messages;
    std::shared_ptr<sim::SimLine> controller = std::make_shared<sim::SimLine>(sim::SimOptions{});
    LinkController link{state.connection, state.language, messages};
    QWidget mainWindow;
    ParameterService service{state.blockParts(), link, state.language};
    PageNavigator nav{service, state.language, messages, &mainWindow};
    LoadParaChain chain{service, messages};
    SimBench()
    {
        link.setPortFactory([line = controller](const QString &) {
            return std::make_unique<SimulatorPort>(line);
        });
        link.setPortName(QStringLiteral("Simulator"));
        // As the main window sets it up.
        nav.setPageFactory(PageId::Protection, [this](QWidget *parent) -> QWidget * {
            return new ProtectionPage(service, state.language, messages, chain, parent);
        });
        // The simulated controller's type, as the Idc block would report it.
        state.controllerType = qint16(controller->model().controllerType());
    }
    sim::ControllerModel &model() { return controller->model(); }

    ParameterPage *page(const QString &name) const
    {
        return qobject_cast<ParameterPage *>(nav.page(name));
    }

    // Every box shows kPending until the reply has been decoded.
    void markPending(ParameterPage *p)
    {
        for (QLineEdit *box : p->findChildren<QLineEdit *>())
            box->setText(kPending);
    }
    // The texts of the boxes and the states ("0", "1") of the check boxes.
    QMap<QString, QString> texts(ParameterPage *p) const
    {
        QMap<QString, QString> t;
        for (QLineEdit *box : p->findChildren<QLineEdit *>())
            t.insert(box->objectName(), box->text());
        for (QCheckBox *check : p->findChildren<QCheckBox *>())
            t.insert(check->objectName(), check->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        return t;
    }
    void edit(ParameterPage *p, const QString &control, const QString &text)
    {
        if (auto *check = qobject_cast<QCheckBox *>(p->editor(control)))
            check->setChecked(text == QLatin1String("1"));
        else
            p->box(control)->setText(text);
    }
};
} // namespace

class TestPagesSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void roundTrip_data();
    void roundTrip();
    void loadPara_data();
    void loadPara();
};

void TestPagesSim::roundTrip_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("ack");
    QTest::addColumn<QStringList>("edits"); // control, text, control, text
    QTest::newRow("Basic") << "frmBasic" << "Basic set successfull!"
                           << QStringList{"txtMaxspeed", "4321", "txtBspeed", "-123"};
    QTest::newRow("Reference") << "frmReference" << "Reference set successfull!"
                               << QStringList{"txtVoltageLRec", "68.75", "txtIdcMinPerc", "57"};
    QTest::newRow("Control") << "frmControl" << "Control set successfull!"
                             << QStringList{"txtECOSpeedLimitKpDivisor", "-45", "txtspeedPIDstep1", "450"};
    QTest::newRow("Other") << "frmOther" << "Other set successfull!"
                           << QStringList{"txtThrottleL", "1.2345", "ChkAst", "1"};
    QTest::newRow("Other, a switch off") << "frmOther" << "Other set successfull!"
                                         << QStringList{"Chk_Tab6_FR_en", "0", "txtConstBwPT1", "40000"};
    QTest::newRow("Derate") << "frmDerate" << "Derate set successfull!"
                            << QStringList{"txtFluxSTspeed", "1200", "txtConstECOPT2", "1018"};
    QTest::newRow("Mode set") << "frmModeSet" << "Mode set successfull!"
                              << QStringList{"txtSpeedMode4", "1300", "txtMaxRegQ", "-1500"};
    QTest::newRow("Protection") << "frmProtection" << "Protection set successfull!"
                                << QStringList{"txtConstPT6", "300", "txtConstPT13", "77", "txtHighDQtime", "9"};
    QTest::newRow("Torque PID") << "frmdqPID" << "Torque PID set successfull!"
                                << QStringList{"txtIqKiG3", "1234", "txtLockRefAcc", "2500"};
    QTest::newRow("Flux weakening") << "frmFluxWeaken" << "Flux weaken set successfull!"
                                    << QStringList{"txtFluxSign", "-1", "txtIdP13", "66", "txtPrintfSW", "1"};
}

void TestPagesSim::roundTrip()
{
    QFETCH(QString, page);
    QFETCH(QString, ack);
    QFETCH(QStringList, edits);
    SimBench b;
    const PageDef *def = findPage(page);
    QVERIFY(def);
    b.nav.open(def->id);
    ParameterPage *p = b.page(page);
    QVERIFY(p);
    b.markPending(p);
    QTRY_VERIFY(!b.texts(p).values().contains(kPending));
    QMap<QString, QString> expected = b.texts(p);

    for (int i = 0; i < edits.size(); i += 2) {
        QVERIFY2(expected.contains(edits[i]), qPrintable(edits[i]));
        QVERIFY2(expected[edits[i]] != edits[i + 1], "an edit that changes nothing proves nothing");
        b.edit(p, edits[i], edits[i + 1]);
        expected[edits[i]] = edits[i + 1];
    }
    QTest::mouseClick(p->findChild<QPushButton *>(QStringLiteral("cmdwrite")), Qt::LeftButton);
    QTRY_COMPARE(b.messages.texts(), QStringList{ack});

    b.markPending(p);
    QTest::mouseClick(p->findChild<QPushButton *>(QStringLiteral("cmdread")), Qt::LeftButton);
    QTRY_VERIFY(!b.texts(p).values().contains(kPending));
    QCOMPARE(b.texts(p), expected);
    if (page == QLatin1String("frmModeSet"))
        QCOMPARE(b.state.curve.curveScale, 1300);
}

void TestPagesSim::loadPara_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<QString>("refusal"); // empty: the chain runs
    QTest::newRow("four values") << QByteArray("90\r\n110\r\n100\r\n250\r\n") << QString();
    QTest::newRow("three values") << QByteArray("90\r\n110\r\n100\r\n") << "holds 3 values";
    QTest::newRow("missing file") << QByteArray() << "was not found";
    QTest::newRow("junk") << QByteArray("90\r\n110\r\nlots\r\n250\r\n") << "value 3 (\"lots\")";
    QTest::newRow("twelve values") << QByteArray("90,110,100,250,1,2,3,4,5,6,7,8") << "holds 12 values";
}

void TestPagesSim::loadPara()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("IqSet.txt"));
    if (!file.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    SimBench b;
    b.chain.setIqSetPath(path);
    auto *p = qobject_cast<ProtectionPage *>(b.nav.ensurePage(PageId::Protection));
    QVERIFY(p);
    const QByteArray protectionBefore = b.model().storedBlock(0xF8);
    const QByteArray torqueBefore = b.model().storedBlock(0xD2);
    const QString pt6Before = p->box(u"txtConstPT6")->text();

    QTest::mouseClick(p->findChild<QPushButton *>(QStringLiteral("cmdLoadPara")), Qt::LeftButton);

    if (!refusal.isEmpty()) {
        // One message naming the file and the problem; nothing on the line.
        QCOMPARE(b.messages.texts().size(), 1);
        const QString message = b.messages.texts().first();
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)) && message.contains(refusal),
                 qPrintable(message));
        QTest::qWait(50);
        QVERIFY(b.model().counters().requests.empty());
        QCOMPARE(p->box(u"txtConstPT6")->text(), pt6Before);
        QVERIFY(!b.state.loadPara.loadParaPending);
        return;
    }

    QCOMPARE(p->box(u"txtConstPT6")->text(), QStringLiteral("90"));
    QCOMPARE(p->box(u"txtConstPT7")->text(), QStringLiteral("110"));
    QCOMPARE(p->box(u"txtConstPT8")->text(), QStringLiteral("100"));
    QTRY_COMPARE(b.messages.texts(), QStringList{QStringLiteral("Protection set successfull!")});
    const QByteArray protection = b.model().storedBlock(0xF8);
    QCOMPARE(protection.mid(22, 3).toHex(' '), QByteArray("5a 00 6e"));
    QCOMPARE(protection.at(26), char(100));
    QVERIFY(protection != protectionBefore);

    // While the acknowledgement box is open, the Torque PID block is not touched.
    QTest::qWait(50);
    QCOMPARE(b.model().requestCount(QStringLiteral("D2 C2")), 0);
    b.messages.closeAll();
    QTRY_COMPARE(b.messages.texts(), QStringList{QStringLiteral("Torque PID set successfull!")});
    QCOMPARE(b.model().requestCount(QStringLiteral("D2 C2")), 1);
    QCOMPARE(b.model().requestCount(QStringLiteral("D2 C3")), 1);

    // Every other field as received; "Iq ki gain 3" = 250 in bytes 17 and 18.
    QByteArray expected = torqueBefore;
    expected[17] = char(0xFA);
    expected[18] = char(0x00);
    QCOMPARE(b.model().storedBlock(0xD2).toHex(' '), expected.toHex(' '));
    QVERIFY(!b.state.loadPara.loadParaPending);
    QCOMPARE(b.service.model(FrameId::DqPid)->values().text(u"txtIqKiG3"), QStringLiteral("250"));
}

QTEST_MAIN(TestPagesSim)
#include "tst_pages_sim.moc"
