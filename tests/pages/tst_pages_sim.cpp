// The pages against the simulated controller inside the tool: what a page
// writes is what the controller keeps and gives back.

#include "simline.h"
#include "sim/simulatorport.h"

#include "link/linkcontroller.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"
#include "core/appstate.h"

#include "recordingmessages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace {
const QString kPending = QStringLiteral("(waiting for the controller)");

struct SimBench
{
    AppState state;
    RecordingMessages messages;
    std::shared_ptr<sim::SimLine> controller = std::make_shared<sim::SimLine>(sim::SimOptions{});
    LinkController link{state, messages};
    QWidget mainWindow;
    PageNavigator nav{state, link, messages, &mainWindow};
    SimBench()
    {
        link.setPortFactory([line = controller](const QString &) {
            return std::make_unique<SimulatorPort>(line);
        });
        link.setPortName(QStringLiteral("Simulator"));
    }

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

QTEST_MAIN(TestPagesSim)
#include "tst_pages_sim.moc"
