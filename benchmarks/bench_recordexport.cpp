// How long "Open record" takes for a long log: 100,000 records (about 28
// hours of recording) into a workbook. Run by hand:
//   build/bin/bench_recordexport             (wall time per export)
//   build/bin/bench_recordexport -iterations 3

#include "monitor/recordexport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class BenchRecordExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void export100000Records();

private:
    QTemporaryDir m_dir;
    QString m_log;
};

void BenchRecordExport::initTestCase()
{
    m_log = m_dir.filePath(QStringLiteral("Realtimedata.txt"));
    QFile f(m_log);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray chunk;
    for (int i = 1; i <= 100000; ++i) {
        // Values that move like a drive, with decimals where the tool writes them.
        chunk += QByteArray::number(i) + ',' + QByteArray::number(48.0 + (i % 500) / 100.0) + ',' +
                 QByteArray::number(60 + i % 70) + ',' + QByteArray::number((i * 37) % 4000) + ',' +
                 QByteArray::number(-(i % 200)) + ',' + QByteArray::number(30 + i % 60) + ',' +
                 QByteArray::number(1.0 + (i % 3000) / 1000.0) + ',' + QByteArray::number(i % 17 ? 0 : 16) +
                 "\r\n";
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
}

void BenchRecordExport::export100000Records()
{
    int n = 0;
    QBENCHMARK {
        ExportOptions o;
        o.logPath = m_log;
        o.workbookPath = m_dir.filePath(QStringLiteral("book%1.xlsx").arg(n++));
        const ExportResult r = exportRecords(o);
        QCOMPARE(r.records, qint64(100000));
    }
}

QTEST_GUILESS_MAIN(BenchRecordExport)
#include "bench_recordexport.moc"
