// The sound output as a module loaded on the first sound: where it is
// looked for, that the built module plays through the player, and that a
// missing module leaves the tool silent rather than broken.

#include "programdir.h"
#include "core/datafolder.h"
#include "core/soundmodule.h"
#include "widgets/qtsoundplayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
bool touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}
} // namespace

class TestSoundPlayer : public QObject
{
    Q_OBJECT
private slots:
    void moduleIsFound_data();
    void moduleIsFound();
    void playsThroughTheBuiltModule();
    void missingModuleIsSilence();
};

void TestSoundPlayer::moduleIsFound_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("found"); // index into soundModuleCandidates, -1: none
    QTest::newRow("a build or a portable copy") << true << false << 0;
    QTest::newRow("an installed copy") << false << true << 1;
    QTest::newRow("both: the one beside the program") << true << true << 0;
    QTest::newRow("neither") << false << false << -1;
}

void TestSoundPlayer::moduleIsFound()
{
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(int, found);
    TemporaryProgramDir program;
    QVERIFY(program.make());
    const QTemporaryDir &root = program.root;
    const QString &bin = program.bin;
    const QStringList candidates = soundModuleCandidates(bin);
    QCOMPARE(candidates.size(), 2);
    // The installed place is outside the program's folder.
    QVERIFY(!candidates[1].startsWith(QDir::cleanPath(bin) + u'/'));
    QVERIFY(candidates[1].startsWith(QDir::cleanPath(root.path()) + u'/'));
    if (beside)
        QVERIFY(touch(candidates[0]));
    if (installed)
        QVERIFY(touch(candidates[1]));
    QCOMPARE(findSoundModule(bin), found < 0 ? QString() : candidates[found]);
    QVERIFY(soundModuleCandidates(QString()).isEmpty());
}

void TestSoundPlayer::playsThroughTheBuiltModule()
{
    // The build puts the module and the sounds beside the programs.
    QTemporaryDir user;
    QtSoundPlayer player(DataFolder({QStringLiteral(KESTRANE_BIN_DIR), QString(), user.path()}));
    QVERIFY(player.modulePath().isEmpty()); // nothing loaded before the first sound
    player.play(QStringLiteral("BUZZ.WAV"));
    QCOMPARE(player.modulePath(), QDir::cleanPath(QStringLiteral(KESTRANE_BIN_DIR) + u'/' + soundModuleFileName()));
    player.play(QStringLiteral("BUZZ.WAV"));
    player.play(QStringLiteral("ALARM.WAV"));
    player.play(QStringLiteral("NOSUCH.WAV"));
}

void TestSoundPlayer::missingModuleIsSilence()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QVERIFY(touch(bin + QStringLiteral("/BUZZ.WAV")));
    QtSoundPlayer player(DataFolder({bin, QString(), root.filePath(QStringLiteral("user"))}));
    // Said once, in the log; nothing sounds and nothing breaks.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^no sound: the module")));
    player.play(QStringLiteral("BUZZ.WAV"));
    player.play(QStringLiteral("BUZZ.WAV"));
    QVERIFY(player.modulePath().isEmpty());
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
