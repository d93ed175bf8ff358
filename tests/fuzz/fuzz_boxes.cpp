// Any texts in the boxes of any block table, for any controller type and
// either decimal separator: the write block keeps its invariants, a failed
// write leaves the frame as it was and names the box, and a block that was
// written reads back into texts that write again.

#include "blockinvariants.h"
#include "fuzzsupport.h"

#include "pages/engine/pageregistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QList<const BlockTable *> tables = allBlockTables();
    if (tables.isEmpty())
        return 0;
    const BlockTable &table = *tables[in.byte() % tables.size()];
    const CodecOptions options{controllerTypeFrom(in.byte()), (in.byte() & 1) ? u',' : u'.'};
    const bool utf8 = in.byte() & 1;

    // Per box: a length byte (0xFF keeps the design-time text), then the text.
    ValueMap values(table);
    for (int slot = 0; slot < values.size(); ++slot) {
        const quint8 length = in.byte();
        if (length == 0xFF)
            continue;
        if (values.holdsIndex(slot)) {
            // Lists and check boxes: any index, "nothing selected" included.
            values.setIndexAt(slot, int(length % 12) - 2);
            continue;
        }
        const QByteArray raw = in.bytes(length % 48);
        values.setAt(slot, utf8 ? QString::fromUtf8(raw) : QString::fromLatin1(raw));
    }

    // Whatever the frame held before: the last reply, or an earlier write.
    Block before{};
    before.fill(0x5A);
    const QByteArray old = in.bytes(kBlockSize);
    std::copy(old.begin(), old.end(), before.begin());

    Block written;
    if (!encodeAndCheck(table, values, options, before, written).ok())
        return 0;
    ValueMap readBack(table);
    decodeBlock(table, written, options, readBack);
    Block again;
    const EncodeResult r = encodeAndCheck(table, readBack, options, written, again);
    FUZZ_CHECK(r.ok(), table.window() + QStringLiteral(": the texts read from its own block do not write"));
    return 0;
}
