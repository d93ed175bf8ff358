// Parameter sets: two files of every block compared, with and without
// reading them (parse, checksums, every text checked against its bytes).
// Prints rows of the table of scripts/bench.

#include "benchstreams.h"
#include "setsamples.h"

#include "core/appstate.h"
#include "pages/sets/setcompare.h"
#include "pages/sets/setfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace {
// The median of `runs` timings of `work`, in milliseconds.
template <typename Work>
double medianMs(int runs, Work work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const ParameterSet a = samples::randomSet(2, 1);
    const ParameterSet b = samples::randomSet(2, 2); // nearly every field differs
    const QByteArray fileA = setFileBytes(a), fileB = setFileBytes(b);
    int changed = 0;
    const double compare = medianMs(51, [&] { changed = compareSets(a, b, LanguageCode::English).changed; });
    const double readAndCompare = medianMs(51, [&] {
        const SetReadResult x = parseSetFile(fileA), y = parseSetFile(fileB);
        changed = compareSets(*x.set, *y.set, LanguageCode::English).changed;
    });
    const double write = medianMs(51, [&] { changed += int(setFileBytes(a).size() & 1); });
    bench::report("parameter sets: compare two sets", compare, "ms", "-");
    bench::report("parameter sets: read and compare two files", readAndCompare, "ms", "< 5 ms");
    bench::report("parameter sets: one file's text", write, "ms", "-");
    return changed > 0 ? 0 : 1;
}
