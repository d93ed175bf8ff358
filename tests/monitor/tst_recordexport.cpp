#include "programdir.h"
#include "buildinfo/buildinfo.h"
#include "core/modules.h"
#include "monitor/recordexport.h"
#include "monitor/workbookmodule.h"

#include "xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

namespace {
using Status = ExportResult::Status;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray records(int n)
{
    QByteArray log;
    for (int i = 1; i <= n; ++i)
        log += QByteArray::number(i) + ",48.25,130,1500,-12,45,1.234," + QByteArray::number(i % 3) + "\r\n";
    return log;
}

QString column(int c)
{
    return QString(QChar(u'A' + c));
}

struct Bench
{
    QTemporaryDir dir;
    QString log() const { return dir.filePath(QStringLiteral("Realtimedata.txt")); }
    QString book() const { return dir.filePath(QStringLiteral("out.xlsx")); }
    ExportOptions options() const
    {
        ExportOptions o;
        o.logPath = log();
        o.workbookPath = book();
        return o;
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

// The attributes of every `element` of a part, in order.
QList<QXmlStreamAttributes> elements(const QByteArray &xml, QStringView element)
{
    QList<QXmlStreamAttributes> found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == element)
            found << reader.attributes();
    }
    return found;
}
} // namespace

class TestRecordExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void parseLine_data();
    void parseLine();
    void singlePrecision_data();
    void singlePrecision();
    void rowsBelowTheHeadings_data();
    void rowsBelowTheHeadings();
    void oddLinesAreCounted();
    void nothingToExport_data();
    void nothingToExport();
    void onlyTheSnapshotIsRead();
    void completeOrNothing_data();
    void completeOrNothing();
    void longLogGoesOnInNewSheets();
    void chartPlotsTheFirstSheet();
    void everyDataSheetReadsTheSameWay();
    void moduleWhereverTheProgramIs_data();
    void moduleWhereverTheProgramIs();
    void workbookNamesNeverRepeat();
    void jobRunsOffTheCallingThread();
};

void TestRecordExport::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QFAIL("unzip is missing: ./scripts/setup-deps installs it");
}

void TestRecordExport::parseLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("blank");
    QTest::addColumn<bool>("tooMany");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("a record") << QByteArray("1,48.25,130,1500,-12,45,1.234,0\r\n") << true << false << false
                              << QList<double>{1, 48.25, 130, 1500, -12, 45, 1.234, 0};
    QTest::newRow("LF only") << QByteArray("2,0.5\n") << true << false << false << QList<double>{2, 0.5};
    QTest::newRow("blanks around fields") << QByteArray(" 3 , -4 ") << true << false << false << QList<double>{3, -4};
    QTest::newRow("plus sign") << QByteArray("+5") << true << false << false << QList<double>{5};
    QTest::newRow("nine fields") << QByteArray("1,2,3,4,5,6,7,8,9\r\n") << true << false << true
                                 << QList<double>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("ninth field not a number") << QByteArray("1,2,3,4,5,6,7,8,x") << true << false << true
                                              << QList<double>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("torn line") << QByteArray("57,48.2") << true << false << false << QList<double>{57, 48.2};
    QTest::newRow("words") << QByteArray("Realtimedata\r\n") << false << false << false << QList<double>{};
    QTest::newRow("one bad field") << QByteArray("1,2,x,4") << false << false << false << QList<double>{};
    QTest::newRow("empty field") << QByteArray("1,,3") << false << false << false << QList<double>{};
    QTest::newRow("trailing comma") << QByteArray("1,2,") << false << false << false << QList<double>{};
    QTest::newRow("decimal comma") << QByteArray("48,25;1") << false << false << false << QList<double>{};
    QTest::newRow("infinity") << QByteArray("inf,1") << false << false << false << QList<double>{};
    QTest::newRow("not a number") << QByteArray("nan") << false << false << false << QList<double>{};
    QTest::newRow("beyond single precision") << QByteArray("1e39") << false << false << false << QList<double>{};
    QTest::newRow("blank") << QByteArray(" \r\n") << false << true << false << QList<double>{};
    QTest::newRow("empty") << QByteArray() << false << true << false << QList<double>{};
}

void TestRecordExport::parseLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, ok);
    QFETCH(bool, blank);
    QFETCH(bool, tooMany);
    QFETCH(QList<double>, values);
    const ParsedRecord r = parseRecordLine(std::string_view(line.constData(), std::size_t(line.size())));
    QCOMPARE(r.ok, ok);
    QCOMPARE(r.blank, blank);
    QCOMPARE(r.tooMany, tooMany);
    if (!ok)
        return;
    QCOMPARE(r.count, values.size());
    for (int i = 0; i < r.count; ++i)
        QCOMPARE(r.values[std::size_t(i)], values[i]);
}

void TestRecordExport::singlePrecision_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("two decimals stay clean") << QByteArray("48.26") << 48.26;
    QTest::newRow("a tenth") << QByteArray("0.1") << 0.1;
    QTest::newRow("beyond 24 bits") << QByteArray("16777217") << 16777216.0;
    QTest::newRow("nine digits") << QByteArray("1.23456789") << 1.2345679;
    QTest::newRow("minus zero") << QByteArray("-0") << 0.0;
}

void TestRecordExport::singlePrecision()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    double v = -1;
    QVERIFY(parseSingle(std::string_view(text.constData(), std::size_t(text.size())), &v));
    QCOMPARE(v, value);
    QVERIFY(!std::signbit(v) || v != 0);
}

void TestRecordExport::rowsBelowTheHeadings_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("one record") << 1;
    QTest::newRow("three records") << 3;
    QTest::newRow("forty records") << 40;
}

void TestRecordExport::rowsBelowTheHeadings()
{
    QFETCH(int, n);
    Bench b;
    writeFile(b.log(), records(n));
    const ExportResult r = exportRecords(b.options());
    QCOMPARE(int(r.status), int(Status::Written));
    QCOMPARE(r.records, qint64(n));
    QCOMPARE(r.workbookPath, b.book());

    const QMap<QString, QString> cells = xlsx::sheetCells(b.book(), 1);
    for (int c = 0; c < 8; ++c)
        QCOMPARE(cells.value(column(c) + u'1'), QString::fromUtf8(kRecordHeadings[std::size_t(c)]));
    const QStringList rest{"48.25", "130", "1500", "-12", "45", "1.234"};
    for (int i = 1; i <= n; ++i) {
        const QString row = QString::number(i + 1);
        QCOMPARE(cells.value(u'A' + row), QString::number(i));
        for (int c = 1; c <= 6; ++c)
            QCOMPARE(cells.value(column(c) + row), rest[c - 1]);
        QCOMPARE(cells.value(u'H' + row), QString::number(i % 3));
    }
    QVERIFY(!cells.contains(QStringLiteral("A%1").arg(n + 2)));
    QVERIFY(!cells.contains(QStringLiteral("I2")));
}

void TestRecordExport::oddLinesAreCounted()
{
    Bench b;
    writeFile(b.log(), "1,2,3,4,5,6,7,8\r\n"
                       "garbage\r\n"
                       "\r\n"
                       "2,2,3,4,5,6,7,8,99,100\r\n"
                       "3,x\r\n"
                       "4,2,3,4,5,6,7,8\r\n"
                       "5,48.2");
    const ExportResult r = exportRecords(b.options());
    QCOMPARE(int(r.status), int(Status::Written));
    QCOMPARE(r.records, qint64(4));
    QCOMPARE(r.skippedLines, qint64(2));
    QCOMPARE(r.firstSkippedLine, qint64(2));
    QCOMPARE(r.longLines, qint64(1));
    const QMap<QString, QString> cells = xlsx::sheetCells(b.book(), 1);
    // The records follow each other without gaps; the torn last line keeps
    // what it has.
    QCOMPARE(cells.value(QStringLiteral("A3")), QStringLiteral("2"));
    QCOMPARE(cells.value(QStringLiteral("H3")), QStringLiteral("8"));
    QVERIFY(!cells.contains(QStringLiteral("I3")));
    QCOMPARE(cells.value(QStringLiteral("A4")), QStringLiteral("4"));
    QCOMPARE(cells.value(QStringLiteral("A5")), QStringLiteral("5"));
    QCOMPARE(cells.value(QStringLiteral("B5")), QStringLiteral("48.2"));
    QVERIFY(!cells.contains(QStringLiteral("C5")));
}

void TestRecordExport::nothingToExport_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("skipped");
    QTest::newRow("no log") << false << QByteArray() << int(Status::NoLog) << 0;
    QTest::newRow("empty log") << true << QByteArray() << int(Status::NoRecords) << 0;
    QTest::newRow("blank lines") << true << QByteArray("\r\n\r\n") << int(Status::NoRecords) << 0;
    QTest::newRow("nothing but words") << true << QByteArray("a\r\nb,c\r\n") << int(Status::NoRecords) << 2;
}

void TestRecordExport::nothingToExport()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, log);
    QFETCH(int, status);
    QFETCH(int, skipped);
    Bench b;
    if (exists)
        writeFile(b.log(), log);
    const ExportResult r = exportRecords(b.options());
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.skippedLines, qint64(skipped));
    // No workbook and no leftovers.
    QCOMPARE(b.files(), exists ? QStringList{QStringLiteral("Realtimedata.txt")} : QStringList{});
}

void TestRecordExport::onlyTheSnapshotIsRead()
{
    // A record being appended while the export began is not exported half.
    Bench b;
    const QByteArray whole = records(2);
    writeFile(b.log(), whole + "3,48.25,13");
    ExportOptions o = b.options();
    o.logBytes = whole.size();
    const ExportResult r = exportRecords(o);
    QCOMPARE(r.records, qint64(2));
    QVERIFY(!xlsx::sheetCells(b.book(), 1).contains(QStringLiteral("A4")));
}

void TestRecordExport::completeOrNothing_data()
{
    QTest::addColumn<QString>("workbookFolder"); // relative to the bench folder
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("taken"); // a workbook of that name is there already
    QTest::newRow("written") << "" << false << int(Status::Written) << false;
    QTest::newRow("folder missing") << "missing" << false << int(Status::WorkbookFailed) << false;
    QTest::newRow("given up") << "" << true << int(Status::Cancelled) << false;
    QTest::newRow("name taken meanwhile") << "" << false << int(Status::WorkbookFailed) << true;
}

void TestRecordExport::completeOrNothing()
{
    // The workbook appears under its name only when it is complete; nothing
    // half written stays behind.
    QFETCH(QString, workbookFolder);
    QFETCH(bool, cancel);
    QFETCH(int, status);
    QFETCH(bool, taken);
    Bench b;
    writeFile(b.log(), records(50));
    if (taken)
        writeFile(b.book(), "the user's own work");
    ExportOptions o = b.options();
    if (!workbookFolder.isEmpty())
        o.workbookPath = b.dir.filePath(workbookFolder + QStringLiteral("/out.xlsx"));
    std::atomic<bool> stop{false};
    o.cancel = &stop;
    bool visibleEarly = false;
    o.progress = [&](int percent) {
        if (percent < 100)
            visibleEarly = visibleEarly || QFile::exists(o.workbookPath);
        if (cancel && percent >= 50)
            stop = true;
    };
    const ExportResult r = exportRecords(o);
    QCOMPARE(int(r.status), status);
    QVERIFY(taken || !visibleEarly);
    QStringList expected{QStringLiteral("Realtimedata.txt")};
    if (taken)
        QCOMPARE(QFile(b.book()).size(), qint64(19)); // never replaced
    if (status == int(Status::Written) || taken)
        expected.prepend(QStringLiteral("out.xlsx"));
    QCOMPARE(b.files(), expected);
    if (status == int(Status::Written))
        QVERIFY(xlsx::parts(b.book()).contains(QStringLiteral("xl/workbook.xml")));
    else
        QVERIFY(!r.error.isEmpty() || status == int(Status::Cancelled));
}

void TestRecordExport::longLogGoesOnInNewSheets()
{
    Bench b;
    writeFile(b.log(), records(7));
    ExportOptions o = b.options();
    o.rowsPerSheet = 4; // headings and three records
    const ExportResult r = exportRecords(o);
    QCOMPARE(r.records, qint64(7));
    QCOMPARE(r.sheets, 3);
    const QList<QStringList> firstColumns{{"1", "2", "3"}, {"4", "5", "6"}, {"7"}};
    for (int s = 0; s < 3; ++s) {
        const QMap<QString, QString> cells = xlsx::sheetCells(b.book(), s + 1);
        QCOMPARE(cells.value(QStringLiteral("A1")), QString::fromUtf8(kRecordHeadings[0]));
        QStringList first;
        for (int row = 2; cells.contains(QStringLiteral("A%1").arg(row)); ++row)
            first << cells.value(QStringLiteral("A%1").arg(row));
        QCOMPARE(first, firstColumns[s]);
    }
}

void TestRecordExport::chartPlotsTheFirstSheet()
{
    Bench b;
    writeFile(b.log(), records(5));
    QCOMPARE(int(exportRecords(b.options()).status), int(Status::Written));
    const QString charts = QString::fromUtf8(xlsx::part(b.book(), QStringLiteral("xl/charts/chart1.xml")) +
                                             xlsx::part(b.book(), QStringLiteral("xl/charts/chart2.xml")));
    // Counter against speed, voltage, current and both temperatures.
    for (const char *range : {"Sheet1!$D$2:$D$6", "Sheet1!$B$2:$B$6", "Sheet1!$E$2:$E$6",
                              "Sheet1!$C$2:$C$6", "Sheet1!$F$2:$F$6", "Sheet1!$A$2:$A$6"})
        QVERIFY2(charts.contains(QLatin1String(range)), range);
    QVERIFY(!charts.contains(QLatin1String("$G$")));
    const QString workbook = QString::fromUtf8(xlsx::part(b.book(), QStringLiteral("xl/workbook.xml")));
    QVERIFY(workbook.indexOf(QLatin1String("Sheet1")) < workbook.indexOf(QLatin1String("\"Chart\"")));
    // The document properties name the build that wrote it.
    const QString core = QString::fromUtf8(xlsx::part(b.book(), QStringLiteral("docProps/core.xml")));
    QVERIFY2(core.contains(QStringLiteral("Kestrane ") + QString::fromUtf8(buildinfo::versionString())),
             qPrintable(core));
}

void TestRecordExport::everyDataSheetReadsTheSameWay()
{
    // Headings kept in sight and numbers not cut off, on the sheets a long
    // log goes on into as on the first.
    Bench b;
    writeFile(b.log(), records(7));
    ExportOptions o = b.options();
    o.rowsPerSheet = 4;
    QCOMPARE(int(exportRecords(o).status), int(Status::Written));
    for (int s = 1; s <= 3; ++s) {
        const QByteArray sheet = xlsx::part(b.book(), QStringLiteral("xl/worksheets/sheet%1.xml").arg(s));
        const QList<QXmlStreamAttributes> cols = elements(sheet, u"col");
        QCOMPARE(cols.size(), 1);
        QCOMPARE(cols[0].value(QLatin1String("min")), QLatin1String("1"));
        QCOMPARE(cols[0].value(QLatin1String("max")), QLatin1String("8"));
        const double width = cols[0].value(QLatin1String("width")).toDouble();
        QVERIFY2(width >= 13 && width < 14, qPrintable(QString::number(width))); // 13 characters and the margin
        const QList<QXmlStreamAttributes> panes = elements(sheet, u"pane");
        QCOMPARE(panes.size(), 1);
        QCOMPARE(panes[0].value(QLatin1String("ySplit")), QLatin1String("1"));
        QVERIFY(!panes[0].hasAttribute(QLatin1String("xSplit")));
        QCOMPARE(panes[0].value(QLatin1String("state")), QLatin1String("frozen"));
    }
    // The data sheets, then the chart sheet, and nothing more.
    QStringList names;
    for (const QXmlStreamAttributes &a :
         elements(xlsx::part(b.book(), QStringLiteral("xl/workbook.xml")), u"sheet"))
        names << a.value(QLatin1String("name")).toString();
    QCOMPARE(names, (QStringList{"Sheet1", "Sheet2", "Sheet3", "Chart"}));
}

void TestRecordExport::moduleWhereverTheProgramIs_data()
{
    // Where the module is for a program in <root>/bin.
    QTest::addColumn<QString>("module"); // relative to <root>; empty: nowhere
    QTest::addColumn<QByteArray>("content"); // empty: the module of the build
    QTest::addColumn<int>("status");
    const QString beside = QStringLiteral("bin/") + workbookModuleFileName();
    const QString installed
        = QDir::cleanPath(QStringLiteral("bin/") + modulesDirFromProgram() + u'/' + workbookModuleFileName());
    QTest::newRow("beside the program") << beside << QByteArray() << int(Status::Written);
    QTest::newRow("an installed copy") << installed << QByteArray() << int(Status::Written);
    QTest::newRow("missing") << QString() << QByteArray() << int(Status::WorkbookFailed);
    QTest::newRow("not a library") << beside << QByteArray("MZ broken\n") << int(Status::WorkbookFailed);
}

void TestRecordExport::moduleWhereverTheProgramIs()
{
    QFETCH(QString, module);
    QFETCH(QByteArray, content);
    QFETCH(int, status);
    TemporaryProgramDir program;
    QVERIFY(program.make());
    const QTemporaryDir &root = program.root;
    const QString &bin = program.bin;
    if (!module.isEmpty()) {
        const QString path = root.filePath(module);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (content.isEmpty())
            QVERIFY(QFile::copy(QStringLiteral(KESTRANE_BIN_DIR "/") + workbookModuleFileName(), path));
        else
            writeFile(path, content);
    }
    Bench b;
    writeFile(b.log(), records(3));
    writeFile(b.book() + QStringLiteral(".part"), "left by a crash");
    ExportOptions o = b.options();
    o.programDir = bin;
    const ExportResult r = exportRecords(o);
    QCOMPARE(int(r.status), status);
    if (status == int(Status::Written)) {
        QCOMPARE(xlsx::sheetCells(b.book(), 1).value(QStringLiteral("A4")), QStringLiteral("3"));
        QCOMPARE(b.files(), (QStringList{"out.xlsx", "Realtimedata.txt"}));
        return;
    }
    // Said with the module's name and where it was looked for; nothing
    // written, nothing left behind.
    QVERIFY2(r.error.contains(workbookModuleFileName()), qPrintable(r.error));
    if (module.isEmpty()) {
        for (const QString &place : workbookModuleCandidates(bin))
            QVERIFY2(r.error.contains(QDir::toNativeSeparators(place)), qPrintable(r.error));
    } else {
        QVERIFY2(r.error.contains(QDir::toNativeSeparators(root.filePath(module))), qPrintable(r.error));
    }
    QCOMPARE(r.records, qint64(0));
    QVERIFY(r.workbookPath.isEmpty());
    QCOMPARE(b.files(), QStringList{QStringLiteral("Realtimedata.txt")});
}

void TestRecordExport::workbookNamesNeverRepeat()
{
    QTemporaryDir dir;
    const QDateTime t(QDate(2026, 12, 8), QTime(9, 5, 7));
    const QString first = workbookPathFor(dir.path(), t);
    QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("Realtimedata_20261208_090507.xlsx"));
    writeFile(first, "x");
    const QString second = workbookPathFor(dir.path(), t);
    QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("Realtimedata_20261208_090507_2.xlsx"));
    writeFile(second, "x");
    QCOMPARE(QFileInfo(workbookPathFor(dir.path(), t)).fileName(),
             QStringLiteral("Realtimedata_20261208_090507_3.xlsx"));
}

void TestRecordExport::jobRunsOffTheCallingThread()
{
    Bench b;
    writeFile(b.log(), records(20));
    RecordExportJob job;
    QSignalSpy finished(&job, &RecordExportJob::finished);
    QSignalSpy progress(&job, &RecordExportJob::progress);
    QVERIFY(job.start(b.options()));
    QVERIFY(job.running());
    QVERIFY(!job.start(b.options())); // one at a time
    QVERIFY(finished.wait(30000));
    QVERIFY(!job.running());
    const auto result = finished.at(0).at(0).value<ExportResult>();
    QCOMPARE(int(result.status), int(Status::Written));
    QCOMPARE(result.records, qint64(20));
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toInt(), 100);
}

QTEST_GUILESS_MAIN(TestRecordExport)
#include "tst_recordexport.moc"
