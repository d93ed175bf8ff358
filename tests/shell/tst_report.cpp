// The service report read back from the PDF (pdftotext) and the HTML file:
// a simulated session with a fault, a hall test and a restore in both
// languages; a session with no data; a long fault list over pages.

#include "core/appstate.h"
#include "core/language.h"
#include "link/linkcontroller.h"
#include "monitor/trendhistory.h"
#include "pages/parameterservice.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/settransfer.h"
#include "shell/report/reportdialog.h"
#include "shell/report/reportwriter.h"
#include "shell/report/sessionlog.h"
#include "sim/model/simline.h"
#include "sim/simulatorport.h"

#include "recordingmessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The text of a PDF (pages split by form feeds), without white space: the
// columns of a table come out in any order of spaces. Compatibility forms
// of CJK characters (a font's radical glyphs) read as the characters.
QString pdfText(const QString &path, int page = 0)
{
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args << path << QStringLiteral("-"));
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("(pdftotext failed: %1; poppler-utils is in scripts/setup-deps)").arg(p.errorString());
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

QString squeezed(QString s)
{
    return s.remove(QRegularExpression(QStringLiteral("[ \\t\\n\\r]")));
}

int pageCount(const QString &text)
{
    return int(text.count(u'\f'));
}

Block statusWithErrors(quint8 errors)
{
    Block b{};
    b[0] = 0xDF;
    b[1] = 0xEF;
    b[19] = errors;
    b[20] = errors;
    b[31] = 0x55;
    return b;
}

struct Session
{
    AppState state;
    RecordingMessages messages;
    std::shared_ptr<sim::SimLine> controller = std::make_shared<sim::SimLine>(sim::SimOptions{});
    LinkController link{state.connection, state.language, messages};
    ParameterService service{state.blockParts(), link, state.language};
    SessionLog log;
    TrendHistory trends;
    Session()
    {
        link.setPortFactory([c = controller](const QString &) { return std::make_unique<SimulatorPort>(c); });
        link.setPortName(QString::fromLatin1(kSimulatorPortName));
        log.attach(link, service);
        QObject::connect(&link.dispatcher(), &Dispatcher::statusReceived,
                         [this](const Block &b) { trends.statusBlock(b, QDateTime::currentDateTime()); });
        link.openPort();
        link.startTimer();
    }
};
} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    // KESTRANE_REPORT_DIR=/tmp/x-XXXXXX keeps the reports to look at.
    void initTestCase() { m_dir.setAutoRemove(!qEnvironmentVariableIsSet("KESTRANE_REPORT_DIR")); }
    void simulatedSession_data();
    void simulatedSession();
    void sessionWithoutData_data();
    void sessionWithoutData();
    void longFaultList_data();
    void longFaultList();
    void dialogWritesTheReport_data();
    void dialogWritesTheReport();

private:
    QTemporaryDir m_dir{qEnvironmentVariable("KESTRANE_REPORT_DIR", QDir::tempPath() + QStringLiteral("/tst_report-XXXXXX"))};
};

void TestReport::simulatedSession_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("html");
    QTest::addColumn<QStringList>("expected");
    const QStringList common{"Kestrane", "417", "1302", "Ding Wen"};
    QTest::newRow("English PDF") << int(LanguageCode::English) << false
                                 << common + QStringList{"Service report", "Technician: Ding Wen", "Serial number",
                                                         "Hall sensor is error", "appeared", "Hall A",
                                                         "Basic setting", "verified", "Link drops",
                                                         "The link did not drop in this session.",
                                                         "Max speed[rpm]", "status blocks", "Page 1 of"};
    QTest::newRow("Chinese PDF") << int(LanguageCode::Chinese) << false
                                 << common + QStringList{"服务报告", "技术员: Ding Wen", "序列号", "霍尔传感器故障",
                                                         "出现", "霍尔 A", "已校验", "通讯中断",
                                                         "本次会话通讯未中断。", "个状态块"};
    QTest::newRow("English HTML") << int(LanguageCode::English) << true
                                  << common + QStringList{"Hall sensor is error", "verified",
                                                          "data:image/png;base64,", "<meta charset=\"utf-8\">"};
}

void TestReport::simulatedSession()
{
    QFETCH(int, language);
    QFETCH(bool, html);
    QFETCH(QStringList, expected);
    installChineseTranslator(language == LanguageCode::Chinese);
    Session s;
    s.state.language.languageCode = language;

    // The blocks, then a restore of a changed Basic block, verified.
    SetBackup backup(s.service);
    std::optional<BackupResult> read;
    connect(&backup, &SetBackup::finished, [&](const BackupResult &r) { read = r; });
    backup.start(QStringLiteral("Simulator"), QStringLiteral("9600,n,8,1"));
    QTRY_VERIFY_WITH_TIMEOUT(read.has_value(), 20000);
    ParameterSet file = read->set;
    Block basic = *file.block(FrameId::Basic);
    basic[2] = quint8(basic[2] ^ 0x05);
    file.setBlock(FrameId::Basic, basic);
    RestoreRequest request;
    request.ticked = defaultTicks(compareSets(file, read->set, language));
    SetRestore restore(s.service);
    s.log.watch(restore, QStringLiteral("workshop.kparams"));
    restore.start(planRestore(file, read->set, request, language));
    QTRY_COMPARE_WITH_TIMEOUT(s.log.restores().size(), 1, 20000);

    // A hall test, then a hall fault.
    s.link.sendFrame(requestFrames().hallATestRequest);
    QTRY_COMPARE_WITH_TIMEOUT(s.log.hallResults().size(), 1, 10000);
    QVERIFY(s.controller->command(QStringLiteral("fault hall")).ok);
    QTRY_VERIFY_WITH_TIMEOUT(!s.log.faultEvents().isEmpty(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(s.trends.size() >= 2, 10000);

    ReportInput input;
    input.languageCode = language;
    input.time = QDateTime::currentDateTime();
    input.toolVersion = QStringLiteral("2.0.0");
    input.technician = QStringLiteral("Ding Wen");
    input.session = &s.log;
    input.controller = receivedSet(s.service);
    input.reference = reportReference(QString(), 2, language);
    const QString path = m_dir.filePath(QStringLiteral("session.%1").arg(html ? "html" : "pdf"));
    const ReportWriteResult r = writeReport(input, &s.trends, path, html);
    QVERIFY2(r.ok, qPrintable(r.error));
    for (const ReportSection &section : r.sections)
        QVERIFY2(section.hasData || qstrcmp(section.key, "link") == 0, section.key);

    QString text;
    if (html) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        text = QString::fromUtf8(f.readAll());
        // One file: nothing it refers to lies outside it.
        QVERIFY(!text.contains(QLatin1String("src=\"http")) && !text.contains(QLatin1String("src=\"file")));
    } else {
        text = pdfText(path);
        // The password is never printed, whatever the reference says.
        QVERIFY(!text.contains(QLatin1String("2468")));
    }
    const QString flat = squeezed(text);
    for (const QString &e : expected)
        QVERIFY2(flat.contains(squeezed(e)), qPrintable(e + QStringLiteral(" is not in ") + text.left(3000)));
    installChineseTranslator(false);
}

void TestReport::sessionWithoutData_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("English") << int(LanguageCode::English)
                             << QStringList{"The controller's identity was not read in this session.",
                                            "No live status was received in this session.",
                                            "No fault information: no live status was received.",
                                            "No hall test was run in this session.",
                                            "The controller's parameters were not read in this session.",
                                            "Nothing was restored in this session.",
                                            "The link did not drop in this session.",
                                            "No trend data was recorded in this session.", "Technician: not given"};
    QTest::newRow("Chinese") << int(LanguageCode::Chinese)
                             << QStringList{"本次会话未读取控制器身份信息。", "本次会话未收到实时状态。",
                                            "本次会话未进行霍尔测试。", "本次会话未恢复任何参数。",
                                            "本次会话未记录趋势数据。", "技术员: 未填写"};
}

void TestReport::sessionWithoutData()
{
    QFETCH(int, language);
    QFETCH(QStringList, expected);
    installChineseTranslator(language == LanguageCode::Chinese);
    SessionLog log;
    TrendHistory trends;
    ReportInput input;
    input.languageCode = language;
    input.time = QDateTime::currentDateTime();
    input.session = &log;
    input.reference = reportReference(QString(), 2, language);
    const QString path = m_dir.filePath(QStringLiteral("empty.pdf"));
    const ReportWriteResult r = writeReport(input, &trends, path, false);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.sections.size(), 8);
    for (const ReportSection &section : r.sections)
        QVERIFY2(!section.hasData, section.key);
    const QString text = pdfText(path);
    QCOMPARE(pageCount(text), 1);
    for (const QString &e : expected)
        QVERIFY2(squeezed(text).contains(squeezed(e)), qPrintable(e + QStringLiteral(" is not in ") + text));
    installChineseTranslator(false);
}

void TestReport::longFaultList_data()
{
    QTest::addColumn<int>("toggles"); // each sets or clears the error bits
    QTest::addColumn<int>("errors");  // the bits, in both bytes of the current error word
    QTest::addColumn<int>("events");
    QTest::addColumn<int>("minPages");
    QTest::addColumn<int>("maxPages");
    QTest::newRow("a fault that came and went: one page") << 2 << 0x08 << 2 << 1 << 1;
    QTest::newRow("every fault, ten times: more pages") << 20 << 0xFF << 200 << 2 << 10;
    QTest::newRow("more than are kept: counted") << 60 << 0xFF << SessionLog::kMaxEvents << 2 << 30;
}

void TestReport::longFaultList()
{
    QFETCH(int, toggles);
    QFETCH(int, errors);
    QFETCH(int, events);
    QFETCH(int, minPages);
    QFETCH(int, maxPages);
    SessionLog log;
    for (int i = 0; i < toggles; ++i)
        log.statusBlock(statusWithErrors(i % 2 ? 0x00 : quint8(errors)));
    ReportInput input;
    input.languageCode = LanguageCode::English;
    input.time = QDateTime::currentDateTime();
    input.session = &log;
    input.reference = reportReference(QString(), 2, LanguageCode::English);
    const QString path = m_dir.filePath(QStringLiteral("faults.pdf"));
    QVERIFY(writeReport(input, nullptr, path, false).ok);
    const QString text = pdfText(path);
    const int count = pageCount(text);
    QVERIFY2(count >= minPages && count <= maxPages, qPrintable(QString::number(count)));
    QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(count)));
    for (int page = 2; page <= count; ++page) {
        // A page that continues the table starts with its header row.
        const QString next = squeezed(pdfText(path, page));
        if (next.contains(QLatin1String("appeared")))
            QVERIFY2(next.startsWith(QLatin1String("TimeFaultEventDescription")), qPrintable(next.left(200)));
    }
    QCOMPARE(int(squeezed(text).count(QLatin1String("appeared")) + squeezed(text).count(QLatin1String("cleared"))),
             events);
    if (events == SessionLog::kMaxEvents)
        QVERIFY(text.contains(QStringLiteral("%1 later events are not listed.").arg(toggles * 10 - SessionLog::kMaxEvents)));
}

void TestReport::dialogWritesTheReport_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::newRow("English") << int(LanguageCode::English) << "en";
    QTest::newRow("Chinese") << int(LanguageCode::Chinese) << "zh";
}

// Online, the dialog reads every block before it writes: the identity and
// the comparison are of the controller as it is now.
void TestReport::dialogWritesTheReport()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    installChineseTranslator(language == LanguageCode::Chinese);
    Session s;
    s.state.language.languageCode = language;
    QTRY_VERIFY_WITH_TIMEOUT(s.state.connection.online(), 10000);
    ReportDialog dialog(s.service, s.state.connection, s.log, s.trends, s.state.language, s.messages);
    dialog.setFolder(m_dir.path());
    dialog.findChild<QLineEdit *>(QStringLiteral("txtTechnician"))->setText(QStringLiteral("Ding Wen"));
    dialog.findChild<QRadioButton *>(QStringLiteral("optHtml"))->setChecked(true);
    const QString path = dialog.findChild<QLineEdit *>(QStringLiteral("txtReportFile"))->text();
    QVERIFY(path.endsWith(QLatin1String(".html")));
    dialog.show();
    // A look at it, in the build folder.
    QVERIFY(dialog.grab().save(QStringLiteral(KESTRANE_BUILD_DIR "/report-dialog-%1.png").arg(name)));
    QSignalSpy written(&dialog, &ReportDialog::written);
    dialog.findChild<QPushButton *>(QStringLiteral("cmdWriteReport"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(written.size(), 1, 20000);
    QCOMPARE(written.first().at(0).toBool(), true);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    QVERIFY(html.contains(QLatin1String("Ding Wen")));
    QVERIFY(html.contains(QLatin1String("<td>417</td>"))); // the serial number, read just now
    QCOMPARE(s.messages.shown.size(), 1); // "written to ..."
    installChineseTranslator(false);
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
