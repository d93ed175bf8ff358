// The parameter blocks without a window: a program linked with neither Qt
// Widgets nor Qt Gui reads every parameter block of the simulated controller
// through the parameter service, and each model holds what the controller
// holds, byte for byte.

#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include "recordingmessages.h"

#include <QTest>

namespace {
// The bytes a write of the table sends for this controller type: the codes,
// the end marker and every field of the type that is written.
QList<int> writtenBytes(const BlockTable &table, int type)
{
    QList<int> bytes{0, 1, kBlockSize - 1};
    for (const FieldSpec &f : table.fields()) {
        if (!f.hasBytes() || f.readOnly || !f.appliesTo(type))
            continue;
        for (int k = 0; k < f.width(); ++k)
            bytes << f.offset + k;
    }
    return bytes;
}
} // namespace

class TestReadAllHeadless : public QObject
{
    Q_OBJECT
private slots:
    void everyBlockIntoItsModel_data();
    void everyBlockIntoItsModel();
};

void TestReadAllHeadless::everyBlockIntoItsModel_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("type 1") << 1;
    QTest::newRow("type 2") << 2;
    QTest::newRow("type 3") << 3;
}

void TestReadAllHeadless::everyBlockIntoItsModel()
{
    QFETCH(int, type);
    AppState state;
    RecordingMessages messages;
    sim::SimOptions options;
    options.controllerType = type;
    auto controller = std::make_shared<sim::SimLine>(options);
    LinkController link(state.connection, state.language, messages);
    link.setPortFactory([controller](const QString &) { return std::make_unique<SimulatorPort>(controller); });
    link.setPortName(QString::fromLatin1(kSimulatorPortName));
    QVERIFY(link.openPort().ok());
    ParameterService service(state.blockParts(), link, state.language);

    // The Idc block first: it tells the controller type the others need.
    QList<FrameId> families{FrameId::IdcCalib};
    for (const PageDef &def : allPages()) {
        if (def.table && def.family != FrameId::IdcCalib)
            families << def.family;
    }
    QCOMPARE(families.size(), 12);
    int answered = 0;
    for (FrameId f : families)
        service.read(f, [&answered](const RequestQueue::Result &r) { answered += r.ok() ? 1 : 0; });
    QTRY_COMPARE(answered, 12);
    QCOMPARE(state.controllerType, qint16(type));

    for (FrameId f : families) {
        const BlockModel *model = service.model(f);
        const QByteArray stored = controller->model().storedBlock(commandOf(f));
        QVERIFY2(model->received(), model->table().definition().window);
        QCOMPARE(hexString(*model->received()), hexString(stored));
        // What the model shows writes back every written byte as it came.
        const ParameterService::WritePlan plan = service.planWrite(f, model->values(), true);
        QCOMPARE(plan.step, ParameterService::WritePlan::Step::Send);
        for (int at : writtenBytes(model->table(), type)) {
            const quint8 expected = at == 1 ? findFamily(f)->writeCode : quint8(stored[at]);
            QVERIFY2(plan.block[std::size_t(at)] == expected,
                     qPrintable(QStringLiteral("%1 byte %2").arg(model->table().window()).arg(at)));
        }
    }
    QVERIFY(messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestReadAllHeadless)
#include "tst_readall_headless.moc"
