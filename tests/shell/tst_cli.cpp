// kestrane COMMAND: the exit statuses and what each prints, in process; and
// the real program without a display.

#include "setsamples.h"

#include "core/appstate.h"
#include "core/language.h"
#include "pages/sets/setfile.h"
#include "shell/cli/cli.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void withTheController_data();
    void withTheController();
    void jsonOutput();
    void runsWithoutADisplay();
    void report_data();
    void report();

private:
    QString file(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

void TestCli::initTestCase()
{
    const ParameterSet a = samples::defaultsSet(2);
    ParameterSet b = a;
    Block basic = *a.block(FrameId::Basic);
    basic[2] = 0x90; // Max speed 350 -> 400
    b.setBlock(FrameId::Basic, basic);
    Block user = *a.block(FrameId::UserInfo);
    user[4] = 0x1B; // an escape into the terminal
    b.setBlock(FrameId::UserInfo, user);
    QVERIFY(writeSetFile(file("a.kparams"), a).ok());
    QVERIFY(writeSetFile(file("same.kparams"), a).ok());
    QVERIFY(writeSetFile(file("b.kparams"), b).ok());
    QFile cut(file("cut.kparams"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(setFileBytes(a).left(500));
}

void TestCli::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // a part of standard output
    QTest::addColumn<QString>("err"); // a part of standard error

    const QString a = file("a.kparams"), b = file("b.kparams");
    QTest::newRow("equal") << QStringList{"diff", a, file("same.kparams")} << int(cli::Done)
                           << "0 changed" << "Reading";
    QTest::newRow("a difference") << QStringList{"diff", a, b} << int(cli::Differences)
                                  << "Max speed[rpm]: 350 rpm -> 400 rpm" << "";
    QTest::newRow("a control character") << QStringList{"diff", a, b} << int(cli::Differences)
                                         << "User name: tovrin -> t\\x1bvrin" << "";
    QTest::newRow("in Chinese") << QStringList{"diff", a, b, "--language", "zh"} << int(cli::Differences)
                                << "350 rpm -> 400 rpm" << "";
    QTest::newRow("against the defaults") << QStringList{"diff", a, "--defaults"} << int(cli::Differences)
                                          << "not comparable" << "";
    QTest::newRow("a truncated file") << QStringList{"diff", a, file("cut.kparams")} << int(cli::Differences) << ""
                                      << "truncated";
    QTest::newRow("no such file") << QStringList{"diff", file("none.kparams"), a} << int(cli::Usage) << ""
                                  << "cannot be read";
    QTest::newRow("one file only") << QStringList{"diff", a} << int(cli::Usage) << "" << "FILE2";
    QTest::newRow("three files") << QStringList{"diff", a, a, a} << int(cli::Usage) << "" << "FILE2";
    QTest::newRow("an unknown option") << QStringList{"diff", a, b, "--colour"} << int(cli::Usage) << "" << "colour";
    QTest::newRow("a wrong language") << QStringList{"diff", a, b, "--language", "fr"} << int(cli::Usage) << ""
                                      << "en or zh";
    QTest::newRow("help") << QStringList{"diff", "--help"} << int(cli::Done) << "Exit status" << "";
    QTest::newRow("no such command") << QStringList{"frobnicate"} << int(cli::Usage) << "" << "diff";
    QTest::newRow("the commands") << QStringList{"help"} << int(cli::Done) << "diff" << "";
}

void TestCli::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    if (!arguments.contains(QLatin1String("--language")))
        arguments << QStringLiteral("--language") << QStringLiteral("en");
    QCOMPARE(cli::run(QStringList{"kestrane"} + arguments, outStream, errStream), status);
    QVERIFY2(outText.contains(out), qPrintable(outText));
    QVERIFY2(errText.contains(err), qPrintable(errText));
    installChineseTranslator(false);
}

void TestCli::withTheController_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // a part of standard output
    QTest::addColumn<QString>("err"); // a part of standard error
    const QString backup = file("backup.kparams");
    // In this order: the rows after the first use its file.
    QTest::newRow("backup") << QStringList{"backup", backup, "--demo"} << int(cli::Done) << "Saved 12 blocks"
                            << "Reading Idc calibration (1 of 12)";
    QTest::newRow("the backup against the controller") << QStringList{"diff", backup, "--demo"} << int(cli::Done)
                                                        << "0 changed" << "";
    QTest::newRow("nothing to restore") << QStringList{"restore", backup, "--demo"} << int(cli::Done)
                                        << "Nothing to write" << "";
    QTest::newRow("a changed file, shown only")
        << QStringList{"restore", file("changed.kparams"), "--demo"} << int(cli::Differences)
        << "Nothing was written" << "";
    QTest::newRow("a changed file, written and verified")
        << QStringList{"restore", file("changed.kparams"), "--demo", "--yes"} << int(cli::Done)
        << "Basic setting: verified" << "Writing Basic setting (1 of 1)";
    QTest::newRow("only the named blocks")
        << QStringList{"restore", file("changed.kparams"), "--demo", "--yes", "--blocks", "basic"} << int(cli::Done)
        << "Basic setting: verified" << "";
    QTest::newRow("no such block") << QStringList{"read", "Brakes", "--demo"} << int(cli::Usage) << ""
                                   << "Mode set";
    QTest::newRow("read") << QStringList{"read", "Motor", "--demo"} << int(cli::Done) << "Pole pairs" << "";
    QTest::newRow("identify") << QStringList{"identify", "--demo", "--type", "3"} << int(cli::Done)
                              << "controller type 3, project" << "";
    QTest::newRow("monitor") << QStringList{"monitor", "--demo", "--count", "1", "--csv"} << int(cli::Done)
                             << "time,battery voltage [V]" << "";
    QTest::newRow("no controller named") << QStringList{"backup", backup} << int(cli::Usage) << "" << "--demo";
    QTest::newRow("no such port") << QStringList{"identify", "--port", "/dev/ttyNONE"} << int(cli::LinkFailure)
                                  << "" << "not found";
}

void TestCli::withTheController()
{
    QFETCH(QStringList, arguments);
    if (QTest::currentDataTag() == QLatin1String("a changed file, shown only")) {
        // The backup with one field changed, as a file from another controller would bring it.
        SetReadResult r = readSetFile(file("backup.kparams"));
        QVERIFY(r.set);
        Block basic = *r.set->block(FrameId::Basic);
        basic[2] ^= 0x04;
        r.set->setBlock(FrameId::Basic, basic);
        QVERIFY(writeSetFile(file("changed.kparams"), *r.set).ok());
    }
    exitStatus();
}

void TestCli::jsonOutput()
{
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    QCOMPARE(cli::run({"kestrane", "diff", file("a.kparams"), file("b.kparams"), "--json"}, outStream, errStream),
             int(cli::Differences));
    const QJsonObject o = QJsonDocument::fromJson(outText.toUtf8()).object();
    QCOMPARE(o.value(u"changed").toInt(), 2);
    QCOMPARE(o.value(u"equal").toBool(true), false);
    const QJsonObject basic = o.value(u"blocks").toArray().at(1).toObject();
    QCOMPARE(basic.value(u"name").toString(), QStringLiteral("Basic"));
    QCOMPARE(basic.value(u"differences").toArray().at(0)[u"control"].toString(), QStringLiteral("txtMaxspeed"));
}

void TestCli::runsWithoutADisplay()
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KESTRANE_BIN), {"diff", file("a.kparams"), file("b.kparams"), "--language", "en"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), int(cli::Differences));
    QVERIFY(p.readAllStandardOutput().contains("Max speed[rpm]: 350 rpm -> 400 rpm"));
    QVERIFY(p.readAllStandardError().contains("Reading"));
}

// kestrane report: the real program (it draws), without a display.
void TestCli::report_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("written"); // the file and how it begins, or nothing
    const QString pdf = file("report.pdf"), html = file("report.html");
    QTest::newRow("PDF, JSON") << QStringList{"report", pdf, "--demo", "--json", "--technician", "Ding Wen"}
                               << int(cli::Done) << "\"format\": \"pdf\"" << pdf + "|%PDF-";
    QTest::newRow("HTML in Chinese against a file")
        << QStringList{"report", html, "--html", "--language", "zh", "--demo", "--reference", file("a.kparams")}
        << int(cli::Done) << "服务报告已写入" << html + "|<!DOCTYPE html>";
    QTest::newRow("a refused reference") << QStringList{"report", file("no.pdf"), "--demo", "--reference", file("cut.kparams")}
                                         << int(cli::Differences) << "" << "";
    QTest::newRow("no controller named") << QStringList{"report", file("no.pdf")} << int(cli::Usage) << "" << "";
    QTest::newRow("no controller there") << QStringList{"report", file("no.pdf"), "--port", "/dev/kestrane-none"}
                                         << int(cli::LinkFailure) << "" << "";
    QTest::newRow("help") << QStringList{"report", "--help"} << int(cli::Done) << "--technician" << "";
}

void TestCli::report()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, written);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KESTRANE_BIN), arguments);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(p.exitCode() == status, qPrintable(err));
    QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).contains(out));
    QVERIFY(!QFile::exists(file("no.pdf")));
    if (!written.isEmpty()) {
        QFile f(written.section(u'|', 0, 0));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(64).startsWith(written.section(u'|', 1).toUtf8()));
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
