// The trends' numbers against the texts of the status panel, block for block
// over the recorded run, and the plain decimals of the recording.
#include "monitor/statussample.h"
#include "monitor/statusdecoder.h"
#include "core/appstate.h"
#include "core/language.h"

#include "statussequence.h"

#include <QTest>

class TestStatusSample : public QObject
{
    Q_OBJECT
private slots:
    void sameReadingsAsThePanel();
    void countsText_data();
    void countsText();
    void parseCountsRefuses_data();
    void parseCountsRefuses();
};

void TestStatusSample::sameReadingsAsThePanel()
{
    AppState state;
    StatusDecoder decoder;
    const QList<SequenceStep> steps = recordedStatusSequence();
    // The labels of the readings, in the order of the trends' values.
    const char *const labels[kTrendValueCount] = {
        "lblfrmSysStatusVdc_a", "lblfrmSysStatusIdc_a", "lblfrmSysStatusRPM_a",
        "lblfrmSysStatusVthrot_a", "lblfrmSysStatustemp_a", "lblfrmSysStatusTref_a",
        "lblfrmSysStatusTact_a", "lblIdref_a", "lblIdactual_a", "lblfrmSysStatusHallP_a"};
    for (int i = 0; i < steps.size(); ++i) {
        state.language.languageCode = steps[i].languageCode;
        state.frames.statusFrame() = steps[i].block;
        const StatusSample s = sampleFromBlock(steps[i].block);
        const StatusView &view = decoder.decode(state.statusParts());
        const QByteArray where = QByteArray::number(i);
        for (int v = 0; v < kTrendValueCount; ++v) {
            const QString shown = view.text(labels[v]);
            // The panel rounds the throttle to millivolts, half away from zero.
            const double expected = v == TrendValue::Throttle ? ((s.counts[v] + 5) / 10) / 1000.0 : s.value(v);
            QVERIFY2(shown.toDouble() == expected,
                     where + ' ' + labels[v] + ' ' + shown.toLatin1() + " != " + QByteArray::number(expected));
        }
        for (const FaultRow &row : kFaultRows) {
            if (row.currentMask)
                QCOMPARE(view.text(row.currentCell), (s.currentErrors & row.currentMask) ? "NG" : "OK");
            if (row.historyMask)
                QCOMPARE(view.text(row.historyCell), (s.historyErrors & row.historyMask) ? "NG" : "OK");
        }
        QCOMPARE(s.historyErrors, quint16(state.recorder.live.lastErrorWord));
        QCOMPARE(view.text("lblPedalErr"), QString::number(s.gear));
        QCOMPARE(view.text("lblHallSt_a"), QString::number(s.hallState));
        QCOMPARE(view.text("lblMode_a"), QString::number(s.mode));
        QCOMPARE(view.text("lblfrmSysStatusEco_a"), (s.stateBits & 0x01) ? "F" : "Null");
        QCOMPARE(view.text("lblfrmSysStatusBoost_a"), (s.stateBits & 0x80) ? "Y" : "N");
        if (s.machine == 3)
            QCOMPARE(view.text("lblfrmSysMach_a"), QStringLiteral("RUN"));
    }
}

void TestStatusSample::countsText_data()
{
    QTest::addColumn<int>("counts");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<QString>("text");
    QTest::newRow("volts") << 4825 << 100 << "48.25";
    QTest::newRow("trailing zero") << 4820 << 100 << "48.2";
    QTest::newRow("whole") << 4800 << 100 << "48";
    QTest::newRow("negative") << -1250 << 100 << "-12.5";
    QTest::newRow("small negative") << -5 << 100 << "-0.05";
    QTest::newRow("zero") << 0 << 100 << "0";
    QTest::newRow("throttle") << 12345 << 10000 << "1.2345";
    QTest::newRow("throttle top") << 65535 << 10000 << "6.5535";
    QTest::newRow("throttle leading zeros") << 5 << 10000 << "0.0005";
    QTest::newRow("rpm") << -32767 << 1 << "-32767";
}

void TestStatusSample::countsText()
{
    QFETCH(int, counts);
    QFETCH(int, divisor);
    QFETCH(QString, text);
    QCOMPARE(::countsText(counts, divisor), text);
    qint32 back = 0;
    QVERIFY(parseCounts(text, divisor, back));
    QCOMPARE(back, counts);
    QVERIFY(parseCounts(text + (text.contains(u'.') ? QStringLiteral("00") : QString()), divisor, back));
    QCOMPARE(back, counts);
}

void TestStatusSample::parseCountsRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("divisor");
    QTest::newRow("too fine") << "48.251" << 100;
    QTest::newRow("fraction of an rpm") << "1500.5" << 1;
    QTest::newRow("empty") << "" << 100;
    QTest::newRow("sign only") << "-" << 100;
    QTest::newRow("dot only") << "." << 100;
    QTest::newRow("no digits after dot") << "48." << 100;
    QTest::newRow("comma") << "48,25" << 100;
    QTest::newRow("blank") << " 48" << 100;
    QTest::newRow("exponent") << "4e2" << 1;
    QTest::newRow("plus") << "+4" << 1;
    QTest::newRow("huge") << "99999999999" << 1;
}

void TestStatusSample::parseCountsRefuses()
{
    QFETCH(QString, text);
    QFETCH(int, divisor);
    qint32 counts = 7;
    QVERIFY(!parseCounts(text, divisor, counts));
}

QTEST_GUILESS_MAIN(TestStatusSample)
#include "tst_statussample.moc"
