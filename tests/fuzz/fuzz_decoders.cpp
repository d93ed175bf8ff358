// Any block into every decoder: the live-status decoder and the decoder of
// every block table. The texts a table decoder puts in the boxes must write
// again without a failure, into a block that keeps its invariants.

#include "blockinvariants.h"
#include "fuzzsupport.h"

#include "core/appstate.h"
#include "core/language.h"
#include "link/commandtable.h"
#include "monitor/statusdecoder.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    installChineseTranslator(true); // the Chinese texts are looked up for real
    return 0;
}

namespace {
Block blockFrom(FuzzInput &in, quint8 command, quint8 subCommand)
{
    Block b{};
    const QByteArray bytes = in.bytes(kBlockSize);
    std::copy(bytes.begin(), bytes.end(), b.begin());
    // What the dispatch hands a decoder: its codes and the end marker.
    b[0] = command;
    b[1] = subCommand;
    b[kBlockSize - 1] = kEndMarker;
    return b;
}

void decodeStatusBlock(FuzzInput &in)
{
    AppState state;
    const quint8 flags = in.byte();
    static constexpr int kLanguages[] = {LanguageCode::English, LanguageCode::Chinese, 0};
    state.language.languageCode = kLanguages[flags % 3];
    state.iqTest.tempAlertArmed = flags & 0x04;
    state.iqTest.iqTestRunning = flags & 0x08;
    const QDateTime start(QDate(2024, 5, 1), QTime(8, 0));
    if (flags & 0x10)
        state.iqTest.iqTestStartTime = start;
    const QDateTime now = start.addSecs(in.word());
    state.frames.statusFrame() = blockFrom(in, Cmd::Status, Cmd::StatusSub);
    const StatusView view = decodeStatus(state.statusParts(), now);
    for (const StatusView::Label &label : view.labels)
        FUZZ_CHECK(label.name != nullptr, QStringLiteral("a status label without a name"));
}

void decodeRandomBlock(const BlockTable &table, FuzzInput &in)
{
    const CodecOptions options{controllerTypeFrom(in.byte()), (in.byte() & 1) ? u',' : u'.'};
    const BlockFamily *codes = findFamily(table.definition().frame);
    if (!codes)
        return;
    const Block reply = blockFrom(in, codes->command(), codes->readCode);

    ValueMap values(table);
    decodeBlock(table, reply, options, values);
    Block written;
    const EncodeResult r = encodeAndCheck(table, values, options, reply, written);
    FUZZ_CHECK(r.ok(), QStringLiteral("%1: decoded texts do not write; field %2 of block %3")
                           .arg(table.window())
                           .arg(r.failedField)
                           .arg(hexString(reply)));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QList<const BlockTable *> tables = allBlockTables();
    const int which = in.byte() % (tables.size() + 1);
    if (which == tables.size())
        decodeStatusBlock(in);
    else
        decodeRandomBlock(*tables[which], in);
    return 0;
}
