#include "shell/commandline.h"

#include "buildinfo/buildinfo.h"
#include "core/datafolder.h"
#include "core/modules.h"
#include "core/soundmodule.h"
#include "monitor/workbookmodule.h"
#include "shell/selfcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void selfCheckOption_data();
    void selfCheckOption();
    void versionNamesTheBuild();
    void selfCheckReport_data();
    void selfCheckReport();
    void embeddedTranslationLoads();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("exitNow");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("demo");
    QTest::newRow("nothing") << QStringList{} << false << 0 << "" << "9600,n,8,1" << false;
    QTest::newRow("port") << QStringList{"--port", "/dev/ttyUSB0"} << false << 0 << "/dev/ttyUSB0"
                          << "9600,n,8,1" << false;
    QTest::newRow("port and settings")
        << QStringList{"--port", "/dev/ttyUSB0", "--settings", "57600,e,7,2"} << false << 0
        << "/dev/ttyUSB0" << "57600,e,7,2" << false;
    QTest::newRow("bad settings") << QStringList{"--settings", "9600,x,8,1"} << true << 2 << "" << "" << false;
    QTest::newRow("demo") << QStringList{"--demo"} << false << 0 << "" << "9600,n,8,1" << true;
    QTest::newRow("demo with port") << QStringList{"--demo", "--port", "/dev/x"} << true << 2 << "" << "" << true;
    QTest::newRow("bad type") << QStringList{"--demo", "--type", "4"} << true << 2 << "" << "" << true;
    QTest::newRow("help") << QStringList{"--help"} << true << 0 << "" << "" << false;
    QTest::newRow("version") << QStringList{"--version"} << true << 0 << "" << "" << false;
    QTest::newRow("unknown option") << QStringList{"--colour"} << true << 2 << "" << "" << false;
    QTest::newRow("stray argument") << QStringList{"COM1"} << true << 2 << "" << "" << false;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(bool, exitNow);
    QFETCH(int, exitCode);
    QFETCH(QString, port);
    QFETCH(QString, settings);
    QFETCH(bool, demo);
    const CommandLineOptions o = parseCommandLine(QStringList{"/opt/bin/kestrane"} + args);
    QCOMPARE(o.exitNow, exitNow);
    QCOMPARE(o.exitCode, exitCode);
    if (exitNow) {
        QVERIFY(!o.message.isEmpty());
        // A usage line names the program as started, never a placeholder.
        QVERIFY2(!o.message.contains(QLatin1String("<executable_name>")), qPrintable(o.message));
        if (o.message.contains(QLatin1String("Usage:")))
            QVERIFY2(o.message.contains(QLatin1String("Usage: kestrane ")), qPrintable(o.message));
        return;
    }
    QCOMPARE(o.port, port);
    QCOMPARE(o.settings, settings);
    QCOMPARE(o.demo, demo);
}

void TestCommandLine::selfCheckOption_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("selfCheck");
    QTest::newRow("alone") << QStringList{"--self-check"} << true;
    QTest::newRow("with demo") << QStringList{"--demo", "--self-check"} << true;
    QTest::newRow("version wins") << QStringList{"--self-check", "--version"} << false;
    QTest::newRow("not asked") << QStringList{"--demo"} << false;
}

void TestCommandLine::selfCheckOption()
{
    QFETCH(QStringList, args);
    QFETCH(bool, selfCheck);
    const CommandLineOptions o = parseCommandLine(QStringList{"kestrane"} + args);
    QCOMPARE(o.selfCheck, selfCheck);
    if (selfCheck)
        QCOMPARE(o.exitCode, 0);
}

void TestCommandLine::versionNamesTheBuild()
{
    const CommandLineOptions o = parseCommandLine({"kestrane", "--version"});
    QCOMPARE(o.message, QStringLiteral("kestrane %1\n").arg(buildinfo::versionString()));
    const QString commit = QString::fromUtf8(buildinfo::gitCommit());
    QVERIFY(o.message.startsWith(QStringLiteral("kestrane " KESTRANE_VERSION)));
    if (commit.isEmpty())
        QCOMPARE(QString::fromUtf8(buildinfo::versionString()), QStringLiteral(KESTRANE_VERSION));
    else
        QCOMPARE(QString::fromUtf8(buildinfo::versionString()),
                 QStringLiteral(KESTRANE_VERSION " (git %1)").arg(commit));
}

void TestCommandLine::selfCheckReport_data()
{
    QTest::addColumn<QStringList>("files");     // relative to a fresh prefix
    QTest::addColumn<bool>("translation");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("lines");     // each must appear; {root} is the prefix
    // The modules beside the program, and where an installed copy has them.
    const QString besideModule = QStringLiteral("bin/") + soundModuleFileName();
    const QString installedModule
        = QDir::cleanPath(QStringLiteral("bin/") + soundModuleDirFromProgram() + u'/' + soundModuleFileName());
    const QString besideWorkbook = QStringLiteral("bin/") + workbookModuleFileName();
    const QString installedWorkbook
        = QDir::cleanPath(QStringLiteral("bin/") + modulesDirFromProgram() + u'/' + workbookModuleFileName());
    const QString workbookLine = workbookModuleFileName() + " (spreadsheet export): ";
    QTest::newRow("installed copy")
        << QStringList{"share/kestrane/BUZZ.WAV", "share/kestrane/ALARM.WAV", installedModule, installedWorkbook}
        << true << true
        << QStringList{"copy: installed", "BUZZ.WAV (100-degree alert sound): {root}/share/kestrane/BUZZ.WAV",
                       "ALARM.WAV (end-of-test alarm sound): {root}/share/kestrane/ALARM.WAV",
                       "IqSet.txt (\"Load para\" values, the user's own file): not found (optional)",
                       "Chinese translation: embedded in the program, loads",
                       "log and export folder: {root}/user", "self-check passed",
                       soundModuleFileName() + " (sound output): {root}/" + installedModule,
                       workbookLine + "{root}/" + installedWorkbook};
    QTest::newRow("portable copy with the user's IqSet.txt")
        << QStringList{"bin/BUZZ.WAV", "bin/ALARM.WAV", "user/IqSet.txt", besideModule, besideWorkbook} << true
        << true
        << QStringList{"copy: portable", "BUZZ.WAV (100-degree alert sound): {root}/bin/BUZZ.WAV",
                       "IqSet.txt (\"Load para\" values, the user's own file): {root}/user/IqSet.txt",
                       "log and export folder: {root}/bin",
                       soundModuleFileName() + " (sound output): {root}/" + besideModule,
                       workbookLine + "{root}/" + besideWorkbook, "self-check passed"};
    QTest::newRow("a sound missing")
        << QStringList{"share/kestrane/BUZZ.WAV", installedModule, installedWorkbook} << true << false
        << QStringList{"ALARM.WAV (end-of-test alarm sound): MISSING", "self-check FAILED"};
    QTest::newRow("the sound module missing")
        << QStringList{"share/kestrane/BUZZ.WAV", "share/kestrane/ALARM.WAV", installedWorkbook} << true << false
        << QStringList{soundModuleFileName() + " (sound output): MISSING", workbookLine + "{root}/" + installedWorkbook,
                       "self-check FAILED"};
    QTest::newRow("the workbook module missing")
        << QStringList{"share/kestrane/BUZZ.WAV", "share/kestrane/ALARM.WAV", installedModule} << true << false
        << QStringList{soundModuleFileName() + " (sound output): {root}/" + installedModule,
                       workbookLine + "MISSING", "self-check FAILED"};
    QTest::newRow("both modules missing, the sounds there")
        << QStringList{"bin/BUZZ.WAV", "bin/ALARM.WAV"} << true << false
        << QStringList{soundModuleFileName() + " (sound output): MISSING", workbookLine + "MISSING",
                       "self-check FAILED"};
    QTest::newRow("translation does not load")
        << QStringList{"bin/BUZZ.WAV", "bin/ALARM.WAV", besideModule, besideWorkbook} << false << false
        << QStringList{"Chinese translation: embedded in the program, DOES NOT LOAD", "self-check FAILED"};
}

void TestCommandLine::selfCheckReport()
{
    QFETCH(QStringList, files);
    QFETCH(bool, translation);
    QFETCH(bool, ok);
    QFETCH(QStringList, lines);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("bin"));
    for (const QString &f : files) {
        const QString path = root.filePath(f);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString prefix = QDir::cleanPath(root.path());
    const DataFolder folder({prefix + "/bin", prefix + "/share/kestrane", prefix + "/user"});
    const SelfCheckResult result = runSelfCheck(folder, translation);
    QCOMPARE(result.ok, ok);
    const QStringList got = result.report.split(u'\n');
    for (QString line : lines) {
        line.replace(QStringLiteral("{root}"), QDir::toNativeSeparators(prefix));
        QVERIFY2(got.contains(line), qPrintable(line + QStringLiteral("\nnot in:\n") + result.report));
    }
}

void TestCommandLine::embeddedTranslationLoads()
{
    QVERIFY(::embeddedTranslationLoads());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
