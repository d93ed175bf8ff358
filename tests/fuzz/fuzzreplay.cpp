// The plain-program driver of a fuzz target: runs the target once on every
// file given on the command line (a directory stands for the files in it,
// recursively), or on the corpus compiled in when no argument is given. A
// failed check aborts, so CTest sees every input that ever found a fault.

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);

    QStringList roots;
    for (int i = 1; i < argc; ++i)
        roots << QString::fromLocal8Bit(argv[i]);
#ifdef KESTRANE_FUZZ_CORPUS
    if (roots.isEmpty())
        roots << QStringLiteral(KESTRANE_FUZZ_CORPUS);
#endif

    QStringList files;
    for (const QString &root : roots) {
        if (QFileInfo(root).isDir()) {
            QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << root;
        }
    }
    files.sort();
    if (files.isEmpty()) {
        std::fprintf(stderr, "no corpus files in %s\n", qPrintable(roots.join(u' ')));
        return 1;
    }

    LLVMFuzzerTestOneInput(nullptr, 0);
    for (const QString &name : files) {
        QFile f(name);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return 1;
        }
        const QByteArray data = f.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()),
                               size_t(data.size()));
    }
    std::printf("%d inputs replayed\n", int(files.size()));
    return 0;
}
