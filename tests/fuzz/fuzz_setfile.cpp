// Any bytes into the parameter-set file reader. A set that comes back must
// hold only blocks with their family's codes, and must read back as itself
// once written again; a refusal must say why in both languages.

#include "fuzzsupport.h"

#include "core/appstate.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/setfile.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const SetReadResult r = parseSetFile(bytes);
    if (!r.set) {
        FUZZ_CHECK(!r.error.ok(), QStringLiteral("a file gave no set and no reason"));
        FUZZ_CHECK(!r.error.message(LanguageCode::English).isEmpty() &&
                       !r.error.message(LanguageCode::Chinese).isEmpty(),
                   QStringLiteral("a refusal without a message"));
        return 0;
    }
    FUZZ_CHECK(r.error.ok(), QStringLiteral("a set came with an error"));
    for (const SetBlock &b : setBlocks()) {
        if (const std::optional<Block> &block = r.set->block(b.family))
            FUZZ_CHECK(hasCodesOf(b, *block), QStringLiteral("%1 without its codes").arg(b.name()));
    }
    const QByteArray again = setFileBytes(*r.set);
    const SetReadResult back = parseSetFile(again);
    FUZZ_CHECK(back.set.has_value(), QStringLiteral("a set read does not read back once written: %1")
                                         .arg(back.error.message(LanguageCode::English)));
    FUZZ_CHECK(setFileBytes(*back.set) == again, QStringLiteral("a set changes when written twice"));
    return 0;
}
