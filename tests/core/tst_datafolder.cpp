// Where the tool finds its files and where it writes: the portable copy
// (files beside the program), the installed copy (share folder, per-user
// folder) and a program folder that cannot be written. Tests run as root in
// CI, where permission bits stop nothing: a folder that cannot be written is
// made by an injected check or by a path below a regular file.
#include "core/datafolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write("x");
}
} // namespace

class TestDataFolder : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void findResource_data();
    void findResource();
    void writableDir_data();
    void writableDir();
    void probeLeavesNothingBehind();
    void placesOfAnInstalledCopy();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString dir(const QString &name) const { return m_root->filePath(name); }
};

void TestDataFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QDir(m_root->path()).mkpath(QStringLiteral("bin"));
}

void TestDataFolder::findResource_data()
{
    // Files to create (relative to the root); the folder whose copy wins.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("found");
    QTest::newRow("portable: beside the program") << QStringList{"bin/BUZZ.WAV"} << "bin";
    QTest::newRow("installed: share folder") << QStringList{"share/kestrane/BUZZ.WAV"} << "share/kestrane";
    QTest::newRow("the user's own copy") << QStringList{"user/BUZZ.WAV"} << "user";
    QTest::newRow("program beats share and user")
        << QStringList{"user/BUZZ.WAV", "share/kestrane/BUZZ.WAV", "bin/BUZZ.WAV"} << "bin";
    QTest::newRow("share beats user") << QStringList{"user/BUZZ.WAV", "share/kestrane/BUZZ.WAV"}
                                      << "share/kestrane";
    QTest::newRow("nowhere") << QStringList{"bin/ALARM.WAV"} << "";
    QTest::newRow("a folder of that name is no file") << QStringList{"bin/BUZZ.WAV/x"} << "";
    QTest::newRow("folder before file") << QStringList{"bin/BUZZ.WAV/x", "user/BUZZ.WAV"} << "user";
}

void TestDataFolder::findResource()
{
    QFETCH(QStringList, files);
    QFETCH(QString, found);
    for (const QString &f : files)
        touch(dir(f));
    const DataFolder folder({dir("bin"), dir("share/kestrane"), dir("user")});
    const QString path = folder.findResource(QStringLiteral("BUZZ.WAV"));
    if (found.isEmpty())
        QVERIFY2(path.isEmpty(), qPrintable(path));
    else
        QCOMPARE(path, QDir::cleanPath(dir(found) + "/BUZZ.WAV"));
}

void TestDataFolder::writableDir_data()
{
    QTest::addColumn<bool>("installed");       // a share folder exists
    QTest::addColumn<bool>("programWritable"); // what the injected check says of bin/
    QTest::addColumn<QString>("userDir");      // relative to the root
    QTest::addColumn<QString>("expected");     // relative to the root; "" for none
    QTest::newRow("portable, writable") << false << true << "user" << "bin";
    QTest::newRow("portable, read-only") << false << false << "user" << "user";
    QTest::newRow("read-only, user folder nested and missing")
        << false << false << "home/.local/share/Kestrane" << "home/.local/share/Kestrane";
    QTest::newRow("installed, program folder writable (root)") << true << true << "user" << "user";
    QTest::newRow("installed, read-only") << true << false << "user" << "user";
    QTest::newRow("read-only, user folder cannot be made") << false << false << "afile/user" << "";
    QTest::newRow("read-only, no user folder") << false << false << "" << "";
}

void TestDataFolder::writableDir()
{
    QFETCH(bool, installed);
    QFETCH(bool, programWritable);
    QFETCH(QString, userDir);
    QFETCH(QString, expected);
    if (installed)
        QDir().mkpath(dir("share/kestrane"));
    touch(dir("afile")); // a regular file: nothing can be made below it

    QStringList asked;
    const QString program = dir("bin");
    const DataFolder folder({program, dir("share/kestrane"), userDir.isEmpty() ? QString() : dir(userDir)},
                            [&](const QString &d) {
                                asked << d;
                                return d == QDir::cleanPath(program) ? programWritable
                                                                     : DataFolder::canCreateFileIn(d);
                            });
    QCOMPARE(folder.isInstalled(), installed);
    const QString got = folder.writableDir();
    if (expected.isEmpty()) {
        QVERIFY2(got.isEmpty(), qPrintable(got));
        QVERIFY(!folder.writeFailure().isEmpty());
        QVERIFY(folder.writablePath(QStringLiteral("Realtimedata.txt")).isEmpty());
        return;
    }
    QCOMPARE(got, QDir::cleanPath(dir(expected)));
    QVERIFY(QFileInfo(got).isDir());
    QVERIFY(folder.writeFailure().isEmpty());
    QCOMPARE(folder.writablePath(QStringLiteral("Realtimedata.txt")),
             QDir::cleanPath(dir(expected)) + QStringLiteral("/Realtimedata.txt"));
    // An installed copy never writes beside its program, even where it could.
    if (installed)
        QVERIFY(!asked.contains(QDir::cleanPath(program)));
}

void TestDataFolder::probeLeavesNothingBehind()
{
    const QString bin = dir("bin");
    QVERIFY(DataFolder::canCreateFileIn(bin));
    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    touch(dir("afile"));
    QVERIFY(!DataFolder::canCreateFileIn(dir("afile")));
    QVERIFY(!DataFolder::canCreateFileIn(dir("afile/below")));
    QVERIFY(!DataFolder::canCreateFileIn(dir("missing")));
    QVERIFY(!DataFolder::canCreateFileIn(QString()));
}

void TestDataFolder::placesOfAnInstalledCopy()
{
    // bin/../share/kestrane of the prefix the program sits in, wherever that is.
    QDir().mkpath(dir("share/kestrane"));
    touch(dir("share/kestrane/ALARM.WAV"));
    const DataFolder folder(DataFolder::placesFor(dir("bin")));
    QCOMPARE(folder.places().shareDir, QDir::cleanPath(dir("share/kestrane")));
    QVERIFY(folder.isInstalled());
    QCOMPARE(folder.findResource(QStringLiteral("ALARM.WAV")), QDir::cleanPath(dir("share/kestrane/ALARM.WAV")));
    QVERIFY(!folder.places().userDir.isEmpty());
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
