// The parameter-set window of the main window on the simulated controller:
// back up, compare, restore ticked fields with verification, and the
// refusals that send nothing.

#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include "core/appstate.h"
#include "link/linkcontroller.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/setfile.h"
#include "pages/ui/setwindow.h"
#include "shell/mainwindow.h"
#include "shell/report/sessionlog.h"

#include "recordingmessages.h"
#include "recordingsound.h"
#include "setsamples.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {
using Job = ParameterSetWindow::Job;

struct Bench
{
    AppState state;
    RecordingMessages messages;
    RecordingSound sounds;
    std::shared_ptr<sim::SimLine> controller;
    LinkController link{state.connection, state.language, messages};
    std::unique_ptr<MainWindow> window;
    QTemporaryDir dir;
    QStringList chosen; // what the file dialogs answer, in turn

    explicit Bench(int type = 2, bool connect = true)
    {
        sim::SimOptions options;
        options.controllerType = type;
        controller = std::make_shared<sim::SimLine>(options);
        link.setPortFactory([line = controller](const QString &) { return std::make_unique<SimulatorPort>(line); });
        window = std::make_unique<MainWindow>(state, link, messages);
        window->setSoundPlayer(&sounds);
        window->setQuitFunction([] {});
        sets()->setFileChooser([this](ParameterSetWindow::FileAction, const QString &) {
            return chosen.isEmpty() ? QString() : chosen.takeFirst();
        });
        if (connect) {
            window->openPortAtStart(QStringLiteral("Simulator"), QStringLiteral("9600,n,8,1"));
            [&] { QTRY_VERIFY_WITH_TIMEOUT(state.connection.online(), 5000); }();
        }
    }
    ParameterSetWindow *sets() { return window->setWindow(); }
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void waitIdle()
    {
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!sets()->busy(), 20000); }();
    }
    ParameterSet backUp(const char *name)
    {
        chosen << path(name);
        [&] { QVERIFY(sets()->startBackup()); }();
        waitIdle();
        return *readSetFile(path(name)).set;
    }
    Block stored(FrameId f) const
    {
        const QByteArray b = controller->model().storedBlock(commandOf(f));
        Block block{};
        std::copy(b.begin(), b.end(), block.begin());
        return block;
    }
    QString saved(const char *name, const ParameterSet &set) const
    {
        writeSetFile(path(name), set);
        return path(name);
    }
};

// The set with the first field of a block changed, as a file would bring it.
ParameterSet changed(ParameterSet set, std::initializer_list<FrameId> families)
{
    for (FrameId f : families) {
        Block b = *set.block(f);
        b[2] = quint8(b[2] ^ 0x05);
        set.setBlock(f, b);
    }
    return set;
}
} // namespace

class TestSetWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void backUpCompareRestore();
    void refusalsSendNothing_data();
    void refusalsSendNothing();
    void protectedBlocksOnlyWhenTicked();
    void twoFilesInBothLanguages();
};

// The whole job of a technician: save, change, see the difference, write
// it back, and find it verified and gone from the table.
void TestSetWindow::backUpCompareRestore()
{
    Bench b;
    const ParameterSet backup = b.backUp("before.kparams");
    QVERIFY(!backup.partial());
    for (const SetBlock &block : setBlocks())
        QCOMPARE(hexString(*backup.block(block.family)), hexString(b.stored(block.family)));

    b.chosen << b.path("before.kparams");
    QVERIFY(b.sets()->startCompareFile());
    b.waitIdle();
    QVERIFY(b.sets()->comparison()->equal());

    const ParameterSet file = changed(backup, {FrameId::Basic, FrameId::Motor});
    b.chosen << b.saved("changed.kparams", file);
    QVERIFY(b.sets()->startRestore());
    b.waitIdle();
    QCOMPARE(b.sets()->comparison()->changed, 2);
    QCOMPARE(b.sets()->ticks().size(), 2);
    auto *tree = b.sets()->findChild<QTreeWidget *>(QStringLiteral("treeDifferences"));
    QCOMPARE(tree->topLevelItemCount(), 2);
    // What the technician sees before writing, in both languages.
    QDir().mkpath(QStringLiteral(KESTRANE_BUILD_DIR "/screens"));
    for (int code : {LanguageCode::Chinese, LanguageCode::English}) {
        b.window->applyLanguage(code);
        QCoreApplication::processEvents();
        QVERIFY(b.sets()->width() <= 1366 && b.sets()->height() <= 768);
        b.sets()->grab().save(QStringLiteral(KESTRANE_BUILD_DIR "/screens/sets-restore-%1.png")
                                  .arg(code == LanguageCode::Chinese ? u"zh" : u"en"));
    }

    b.sets()->writeTicked();
    QCOMPARE(b.messages.questions.size(), 1);
    QVERIFY(b.messages.questions.first().message.text.contains(u" -> "));
    QCOMPARE(b.messages.questions.first().message.about, b.sets()->objectName()); // over this window
    QCOMPARE(b.sets()->windowType(), Qt::Dialog); // kept above the main window
    QCOMPARE(hexString(b.stored(FrameId::Basic)), hexString(*backup.block(FrameId::Basic))); // not before yes
    b.messages.answer(true);
    QTRY_VERIFY_WITH_TIMEOUT(b.sets()->lastRestore().has_value(), 20000);
    QVERIFY(b.sets()->lastRestore()->allVerified());
    QCOMPARE(b.window->sessionLog().restores().size(), 1); // the service report tells it
    b.waitIdle();
    for (FrameId f : {FrameId::Basic, FrameId::Motor})
        QCOMPARE(b.stored(f)[2], file.block(f)->at(2));
    QVERIFY(b.sets()->comparison()->equal()); // read again after the restore
    QTRY_VERIFY(b.window->findChild<QLabel *>(QStringLiteral("Data"))->text().contains(u"verified"));
}

void TestSetWindow::refusalsSendNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // a part of what the user is told
    QTest::newRow("no controller") << "offline" << "No controller answers";
    QTest::newRow("a truncated file") << "truncated" << "changed.kparams";
    QTest::newRow("a file of another type") << "type" << "confirm by typing \"type 3\"";
    QTest::newRow("the controller changed since it was read") << "meanwhile" << "does not hold what was shown";
}

void TestSetWindow::refusalsSendNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    Bench b;
    const ParameterSet backup = b.backUp("before.kparams");
    ParameterSet file = changed(backup, {FrameId::Basic});
    if (fault == u"type") {
        Block idc = *file.block(FrameId::IdcCalib);
        idc[14] = 3;
        file.setBlock(FrameId::IdcCalib, idc);
    }
    const QString path = b.saved("changed.kparams", file);
    if (fault == u"truncated") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.resize(f.size() / 2);
    }
    if (fault == u"offline")
        b.window->Menu_Option_Disconnect_Click();
    QTRY_VERIFY(fault != u"offline" || !b.state.connection.online());
    const Block before = b.stored(FrameId::Basic);
    b.chosen << path;
    const bool started = b.sets()->startRestore();
    QCOMPARE(started, fault == u"type" || fault == u"meanwhile");
    b.waitIdle();
    if (started) {
        if (fault == u"meanwhile") { // another hand writes the block after it was shown
            Block w = b.stored(FrameId::Basic);
            w[1] = findSetBlock(FrameId::Basic)->codes->writeCode;
            w[2] = quint8(w[2] ^ 0x01);
            b.window->parameters()->write(w);
            QTRY_COMPARE(b.stored(FrameId::Basic)[2], w[2]);
        }
        b.sets()->writeTicked();
        b.messages.answer(true);
        b.waitIdle();
    }
    QTRY_VERIFY(!b.messages.texts().filter(message).isEmpty());
    QVERIFY(!b.sets()->lastRestore().has_value());
    if (fault != u"meanwhile")
        QCOMPARE(hexString(b.stored(FrameId::Basic)), hexString(before));
}

// Identity, calibration and the password are never ticked for the user.
void TestSetWindow::protectedBlocksOnlyWhenTicked()
{
    Bench b;
    const ParameterSet backup = b.backUp("before.kparams");
    b.chosen << b.saved("changed.kparams", changed(backup, {FrameId::IdcCalib, FrameId::Basic}));
    QVERIFY(b.sets()->startRestore());
    b.waitIdle();
    const BlockComparison *idc = b.sets()->comparison()->block(FrameId::IdcCalib);
    QVERIFY(!idc->differences.isEmpty());
    for (const RestoreTick &t : b.sets()->ticks())
        QCOMPARE(t.family, FrameId::Basic);
    b.sets()->setTicked(FrameId::IdcCalib, idc->differences.first().control, true);
    b.sets()->writeTicked();
    QCOMPARE(b.messages.questions.size(), 1);
    QVERIFY(b.messages.questions.first().message.text.contains(idc->title));
}

// Two files need no controller; the window and the menu follow the language.
void TestSetWindow::twoFilesInBothLanguages()
{
    Bench b(2, false);
    const ParameterSet first = samples::defaultsSet(2);
    b.chosen << b.saved("a.kparams", first) << b.saved("b.kparams", changed(first, {FrameId::Derate}));
    QVERIFY(b.sets()->startCompareFiles());
    QCOMPARE(b.sets()->comparison()->changed, 1);
    auto *tree = b.sets()->findChild<QTreeWidget *>(QStringLiteral("treeDifferences"));
    QCOMPARE(tree->headerItem()->text(2), QStringLiteral("a.kparams"));
    QCOMPARE(b.sets()->windowTitle(), QStringLiteral("Compare two files"));
    const QString english = tree->topLevelItem(0)->text(0);
    b.window->applyLanguage(LanguageCode::Chinese);
    QCOMPARE(b.sets()->windowTitle(), QStringLiteral("比较两个文件"));
    QVERIFY(tree->topLevelItem(0)->text(0) != english);
    for (QAction *a : b.window->findChildren<QAction *>()) {
        if (a->objectName().startsWith(u"Menu_File_") && a->objectName() != u"Menu_File_Exit")
            QVERIFY2(a->text().contains(u"(&"), qPrintable(a->text())); // "备份控制器(&B)…"
    }
}

QTEST_MAIN(TestSetWindow)
#include "tst_setwindow.moc"
