// The tool's modules: where each is looked for, that a missing or broken one
// is reported with its name and places rather than crashing, and that the
// module of the build loads once for every thread that asks.

#include "programdir.h"
#include "core/modules.h"
#include "core/soundmodule.h"
#include "monitor/workbookmodule.h"
#include "monitor/workbooksink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <thread>
#include <vector>

namespace {
bool touch(const QString &path, const QByteArray &bytes = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString builtWorkbookModule()
{
    return QDir::cleanPath(QStringLiteral(KESTRANE_BIN_DIR) + u'/' + workbookModuleFileName());
}
} // namespace

class TestModules : public QObject
{
    Q_OBJECT
private slots:
    void eachModuleIsFound_data();
    void eachModuleIsFound();
    void unusableModuleIsExplained_data();
    void unusableModuleIsExplained();
    void loadsOnceForEveryThread();
    void moduleLaterPutInPlaceIsFound();
};

void TestModules::eachModuleIsFound_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("found"); // index into the candidates, -1: none
    for (const QString &name : {soundModuleFileName(), workbookModuleFileName()}) {
        const QByteArray n = name.toUtf8();
        QTest::addRow("%s: a build or a portable copy", n.constData()) << name << true << false << 0;
        QTest::addRow("%s: an installed copy", n.constData()) << name << false << true << 1;
        QTest::addRow("%s: both, the one beside the program", n.constData()) << name << true << true << 0;
        QTest::addRow("%s: neither", n.constData()) << name << false << false << -1;
    }
}

void TestModules::eachModuleIsFound()
{
    QFETCH(QString, fileName);
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(int, found);
    TemporaryProgramDir program;
    QVERIFY(program.make());
    const QTemporaryDir &root = program.root;
    const QString &bin = program.bin;
    const QStringList candidates = moduleCandidates(fileName, bin);
    QCOMPARE(candidates.size(), 2);
    QCOMPARE(candidates[0], QDir::cleanPath(bin + u'/' + fileName));
    // The installed place is the installation's libraries folder, outside
    // the program's.
    QCOMPARE(candidates[1], QDir::cleanPath(bin + u'/' + modulesDirFromProgram() + u'/' + fileName));
    QVERIFY(!candidates[1].startsWith(QDir::cleanPath(bin) + u'/'));
    QVERIFY(candidates[1].startsWith(QDir::cleanPath(root.path()) + u'/'));
    if (beside)
        QVERIFY(touch(candidates[0]));
    if (installed)
        QVERIFY(touch(candidates[1]));
    const QString expected = found < 0 ? QString() : candidates[found];
    QCOMPARE(findModule(fileName, bin), expected);
    // The named lookups are the same lookup.
    if (fileName == soundModuleFileName()) {
        QCOMPARE(soundModuleCandidates(bin), candidates);
        QCOMPARE(findSoundModule(bin), expected);
    } else {
        QCOMPARE(workbookModuleCandidates(bin), candidates);
        QCOMPARE(findWorkbookModule(bin), expected);
    }
    QVERIFY(moduleCandidates(fileName, QString()).isEmpty());
}

void TestModules::unusableModuleIsExplained_data()
{
    // The module file beside the program: empty, none; "sound", the sound
    // module of the build under the workbook module's name.
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("namesBothPlaces"); // else it names the file found
    QTest::newRow("nowhere") << QByteArray() << true;
    QTest::newRow("not a library") << QByteArray("not a library\n") << false;
    QTest::newRow("a library without the function") << QByteArray("sound") << false;
}

void TestModules::unusableModuleIsExplained()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, namesBothPlaces);
    TemporaryProgramDir program;
    QVERIFY(program.make());
    const QString &bin = program.bin;
    const QString beside = bin + u'/' + workbookModuleFileName();
    if (content == "sound")
        QVERIFY(QFile::copy(QStringLiteral(KESTRANE_BIN_DIR "/") + soundModuleFileName(), beside));
    else if (!content.isEmpty())
        QVERIFY(touch(beside, content));

    const ModuleEntry module = loadModuleEntry(workbookModuleFileName(), bin, KESTRANE_WORKBOOK_ENTRY);
    QVERIFY(!module.function);
    QVERIFY(module.error.contains(workbookModuleFileName()));
    if (namesBothPlaces) {
        QVERIFY(module.path.isEmpty());
        for (const QString &place : workbookModuleCandidates(bin))
            QVERIFY2(module.error.contains(QDir::toNativeSeparators(place)), qPrintable(module.error));
    } else {
        QCOMPARE(module.path, QDir::cleanPath(beside));
        QVERIFY2(module.error.contains(QDir::toNativeSeparators(module.path)), qPrintable(module.error));
    }
    QString error;
    QVERIFY(!makeWorkbookSink(bin, &error));
    QVERIFY(error.contains(workbookModuleFileName()));
}

void TestModules::loadsOnceForEveryThread()
{
    // Exports run on a worker thread; several asking at once get the one
    // module.
    constexpr int kThreads = 4;
    std::vector<ModuleEntry> got(kThreads);
    {
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i)
            threads.emplace_back([&got, i] {
                got[std::size_t(i)] = loadModuleEntry(workbookModuleFileName(), QStringLiteral(KESTRANE_BIN_DIR),
                                                      KESTRANE_WORKBOOK_ENTRY);
            });
        for (std::thread &t : threads)
            t.join();
    }
    for (const ModuleEntry &module : got) {
        QVERIFY2(module.function, qPrintable(module.error));
        QVERIFY(module.function == got[0].function);
        QCOMPARE(module.path, builtWorkbookModule());
        QVERIFY(module.error.isEmpty());
    }
    QString error;
    const std::unique_ptr<WorkbookSink> sink = makeWorkbookSink(QStringLiteral(KESTRANE_BIN_DIR), &error);
    QVERIFY2(sink, qPrintable(error));
    QCOMPARE(sink->maxRows(), 1048576u);
    QVERIFY(sink->errorText(WorkbookSink::kOk) != nullptr);
}

void TestModules::moduleLaterPutInPlaceIsFound()
{
    // A failed look-up is not remembered: a module installed while the tool
    // runs serves the next export.
    TemporaryProgramDir program;
    QVERIFY(program.make());
    const QString &bin = program.bin;
    QString error;
    QVERIFY(!makeWorkbookSink(bin, &error));
    QVERIFY(!error.isEmpty());
    const QString installed = workbookModuleCandidates(bin).at(1);
    QVERIFY(QDir().mkpath(QFileInfo(installed).path()));
    QVERIFY(QFile::copy(builtWorkbookModule(), installed));
    error.clear();
    QVERIFY2(makeWorkbookSink(bin, &error), qPrintable(error));
    QVERIFY(error.isEmpty());
}

QTEST_GUILESS_MAIN(TestModules)
#include "tst_modules.moc"
