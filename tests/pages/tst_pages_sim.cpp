// The pages against the simulated controller inside the tool: what a page
// writes is what the controller keeps and gives back.

#include "simline.h"
#include "sim/simulatorport.h"

#include "link/linkcontroller.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"
#include "core/appstate.h"

#include "recordingmessages.h"

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
    QMap<QString, QString> texts(ParameterPage *p) const
    {
        QMap<QString, QString> t;
        for (QLineEdit *box : p->findChildren<QLineEdit *>())
            t.insert(box->objectName(), box->text());
        return t;
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
}

void TestPagesSim::roundTrip()
{
    QFETCH(QString, page);
    QFETCH(QString, ack);
    QFETCH(QStringList, edits);
    SimBench b;
    if (page == QLatin1String("frmBasic"))
        b.nav.cmdBasic_Click();
    else
        b.nav.cmdReference_Click();
    ParameterPage *p = b.page(page);
    QVERIFY(p);
    b.markPending(p);
    QTRY_VERIFY(!b.texts(p).values().contains(kPending));
    QMap<QString, QString> expected = b.texts(p);

    for (int i = 0; i < edits.size(); i += 2) {
        p->box(edits[i])->setText(edits[i + 1]);
        expected[edits[i]] = edits[i + 1];
    }
    QTest::mouseClick(p->findChild<QPushButton *>(QStringLiteral("cmdwrite")), Qt::LeftButton);
    QTRY_COMPARE(b.messages.texts(), QStringList{ack});

    b.markPending(p);
    QTest::mouseClick(p->findChild<QPushButton *>(QStringLiteral("cmdread")), Qt::LeftButton);
    QTRY_VERIFY(!b.texts(p).values().contains(kPending));
    QCOMPARE(b.texts(p), expected);
}

QTEST_MAIN(TestPagesSim)
#include "tst_pages_sim.moc"
