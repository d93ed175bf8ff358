// The controller type end to end: the main window on the simulated
// controller of each type. The automatic Idc read after connecting tells the
// type; the Motor page then writes the layout of that type, the type-1
// controls are hidden, the status bar names the model, and a later type does
// not show hidden controls again in a window that exists.

#include "simline.h"
#include "sim/simulatorport.h"

#include "calib/ui/idccalibpage.h"
#include "core/appstate.h"
#include "link/linkcontroller.h"
#include "pages/ui/pagenavigator.h"
#include "shell/mainwindow.h"

#include "recordingmessages.h"
#include "recordingsound.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QString kPending = QStringLiteral("(waiting)");

struct SimMainBench
{
    AppState state;
    RecordingMessages messages;
    RecordingSound sounds;
    std::shared_ptr<sim::SimLine> controller;
    LinkController link{state.connection, state.language, messages};
    std::unique_ptr<MainWindow> window;

    explicit SimMainBench(int type)
    {
        sim::SimOptions options;
        options.controllerType = type;
        controller = std::make_shared<sim::SimLine>(options);
        link.setPortFactory([line = controller](const QString &) { return std::make_unique<SimulatorPort>(line); });
        window = std::make_unique<MainWindow>(state, link, messages);
        window->setSoundPlayer(&sounds);
        window->setQuitFunction([] {});
    }
    PageNavigator &nav() { return *window->pages(); }
    template<typename T = QLineEdit>
    T *child(PageId id, const char *name)
    {
        QWidget *p = nav().page(id);
        return p ? p->findChild<T *>(QLatin1String(name)) : nullptr;
    }
    QString panel(const char *key) const { return window->findChild<QLabel *>(QLatin1String(key))->text(); }
    QByteArray stored(quint8 command) { return controller->model().storedBlock(command); }
};
} // namespace

class TestTypeFlowSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void typeFlow_data();
    void typeFlow();
};

void TestTypeFlowSim::typeFlow_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("next");
    QTest::addColumn<QString>("hallB1"); // what the Motor page shows for byte 24
    QTest::addColumn<QString>("caption24");
    QTest::newRow("--type 1") << 1 << 2 << "60" << "Hall B 1 remap[Deg]";
    QTest::newRow("--type 2") << 2 << 1 << "60" << "Hall B 1 remap[Deg]";
    QTest::newRow("--type 3") << 3 << 1 << "1000" << "Reg high speed[rpm]";
}

void TestTypeFlowSim::typeFlow()
{
    QFETCH(int, type);
    QFETCH(int, next);
    QFETCH(QString, hallB1);
    QFETCH(QString, caption24);
    SimMainBench b(type);
    QVERIFY(b.window->openPortAtStart(QStringLiteral("Simulator"), QStringLiteral("9600,n,8,1")));

    // The automatic Idc read tells the type and the model.
    QTRY_COMPARE_WITH_TIMEOUT(b.state.controllerType, qint16(type), 5000);
    QCOMPARE(b.controller->model().requestCount(QStringLiteral("FB ED")), 1);
    QTRY_COMPARE(b.panel("McuSN"), QStringLiteral("Model 7"));
    b.window->applyLanguage(LanguageCode::Chinese);
    QCOMPARE(b.panel("McuSN"), QStringLiteral("型号 7"));
    b.window->applyLanguage(LanguageCode::English);
    QCOMPARE(b.panel("McuSN"), QStringLiteral("Model 7"));
    b.nav().ensurePage(PageId::Basic); // a window without its read: nothing is closed
    QVERIFY(b.child(PageId::Basic, "txtEcospeed"));
    QTRY_COMPARE(b.child(PageId::Basic, "txtEcospeed")->isHidden(), type == 1);

    // The Motor page reads the layout of the type and writes it back unchanged.
    b.nav().open(PageId::Motor);
    QTRY_VERIFY(b.child(PageId::Motor, "txtFrmHallBSec1"));
    QLineEdit *hallB = b.child(PageId::Motor, "txtFrmHallBSec1");
    QTRY_COMPARE(b.child(PageId::Motor, "txtPolePairN")->text(), QStringLiteral("16")); // not the default 23
    QCOMPARE(hallB->text(), hallB1);
    QCOMPARE(b.child<QLabel>(PageId::Motor, "lblFrmHallBSec1")->text(), caption24);
    const QByteArray before = b.stored(0xF6);
    QTRY_VERIFY(b.child<QPushButton>(PageId::Motor, "cmdwrite")->isEnabled());
    QTest::mouseClick(b.child<QPushButton>(PageId::Motor, "cmdwrite"), Qt::LeftButton);
    QTRY_COMPARE(b.messages.texts(), QStringList{QStringLiteral("Motor set successfull!")});
    QVERIFY(b.messages.questions.isEmpty());
    QCOMPARE(hexString(b.stored(0xF6)), hexString(before));
    b.messages.closeAll();

    // An edit of a type-dependent box goes out in the layout of the type.
    hallB->setText(type == 3 ? QStringLiteral("4550") : QStringLiteral("75"));
    QTest::mouseClick(b.child<QPushButton>(PageId::Motor, "cmdwrite"), Qt::LeftButton);
    if (type == 3) { // in hundreds of rpm: asked first, with what goes out
        QCOMPARE(b.messages.questions.size(), 1);
        QVERIFY(b.messages.questions[0].message.text.contains(QStringLiteral("\"4550\" is written as 4500")));
        b.messages.answer(true);
    }
    QTRY_COMPARE(b.messages.texts(), QStringList{QStringLiteral("Motor set successfull!")});
    b.messages.closeAll();
    QCOMPARE(quint8(b.stored(0xF6)[24]), quint8(type == 3 ? 45 : 75));

    // The Idc page writes another type; reading it back to verify the write
    // teaches it.
    auto *idc = qobject_cast<IdcCalibPage *>(b.nav().ensurePage(PageId::IdcCalib));
    QVERIFY(idc);
    QLineEdit *cType = idc->findChild<QLineEdit *>(QStringLiteral("txtcType"));
    QCOMPARE(cType->text(), QString::number(type));
    cType->setText(QString::number(next));
    idc->cmdwrite_Click();
    QTRY_COMPARE(b.messages.texts(), QStringList{QStringLiteral("Idc calibration successfull!")});
    b.messages.closeAll();
    QTRY_COMPARE(b.state.controllerType, qint16(next));
    QCOMPARE(quint8(b.stored(0xFB)[22]), quint8(7)); // the model code stays in the controller
    QTRY_COMPARE(b.panel("Data"), QStringLiteral("Idc calibration: written and verified."));

    // Hidden stays hidden in the existing window; type 1 hides it now.
    QTRY_VERIFY(b.child(PageId::Basic, "txtEcospeed")->isHidden());
    // The Motor captions follow the new type.
    QCOMPARE(b.child<QLabel>(PageId::Motor, "lblFrmHallBSec1")->text(), QStringLiteral("Hall B 1 remap[Deg]"));
}

QTEST_MAIN(TestTypeFlowSim)
#include "tst_typeflow_sim.moc"
