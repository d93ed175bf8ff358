// How long one block takes through the field codec, both ways. Run by hand:
//   build-pages/bin/bench_fieldcodec            (wall time per block)
//   build-pages/bin/bench_fieldcodec -tickcounter

#include "pages/blocks/basicblock.h"
#include "pages/blocks/referenceblock.h"
#include "core/appstate.h"

#include <QTest>

class BenchFieldCodec : public QObject
{
    Q_OBJECT
private slots:
    void encodeBasic_();
    void decodeBasic_();
    void encodeReference_();
    void decodeReference_();
};

void BenchFieldCodec::encodeBasic_()
{
    AppState state;
    const ValueMap values(basicTable());
    QBENCHMARK {
        encodeBasic(state.blockParts(), values);
    }
    QVERIFY(encodeBasic(state.blockParts(), values).ok());
}

void BenchFieldCodec::decodeBasic_()
{
    AppState state;
    ValueMap values(basicTable());
    encodeBasic(state.blockParts(), values);
    QBENCHMARK {
        decodeBasic(state.blockParts(), values);
    }
    QCOMPARE(values.text(u"txtMaxspeed"), QStringLiteral("350"));
}

void BenchFieldCodec::encodeReference_()
{
    AppState state;
    const ValueMap values(referenceTable());
    QBENCHMARK {
        encodeReference(state.blockParts(), values);
    }
    QVERIFY(encodeReference(state.blockParts(), values).ok());
}

void BenchFieldCodec::decodeReference_()
{
    AppState state;
    ValueMap values(referenceTable());
    encodeReference(state.blockParts(), values);
    QBENCHMARK {
        decodeReference(state.blockParts(), values);
    }
    QCOMPARE(values.text(u"txtVoltageLRec"), QStringLiteral("68.75"));
}

QTEST_GUILESS_MAIN(BenchFieldCodec)
#include "bench_fieldcodec.moc"
