#include "core/modules.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QMutex>

#ifndef KESTRANE_MODULES_FROM_BIN
#define KESTRANE_MODULES_FROM_BIN "../lib/kestrane"
#endif

QString modulesDirFromProgram()
{
    return QStringLiteral(KESTRANE_MODULES_FROM_BIN);
}

QStringList moduleCandidates(const QString &fileName, const QString &programDir)
{
    if (programDir.isEmpty())
        return {};
    const QDir program(programDir);
    return {QDir::cleanPath(program.filePath(fileName)),
            QDir::cleanPath(program.filePath(modulesDirFromProgram() + QLatin1Char('/') + fileName))};
}

QString findModule(const QString &fileName, const QString &programDir)
{
    for (const QString &path : moduleCandidates(fileName, programDir)) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

ModuleEntry loadModuleEntry(const QString &fileName, const QString &programDir, const char *entry)
{
    ModuleEntry result;
    result.path = findModule(fileName, programDir);
    if (result.path.isEmpty()) {
        const QStringList places = moduleCandidates(fileName, programDir);
        result.error = QStringLiteral("the module %1 is in none of %2")
                           .arg(fileName, places.isEmpty() ? QStringLiteral("(no program folder)")
                                                           : QDir::toNativeSeparators(places.join(QStringLiteral(", "))));
        return result;
    }
    // Keyed by file and function: a second export or sound, from any thread,
    // finds what the first one resolved. A failure is not remembered, so a
    // module put in place while the tool runs is found next time.
    static QMutex mutex;
    static QHash<QString, QFunctionPointer> resolved;
    const QString key = result.path + QLatin1Char('\n') + QLatin1String(entry);
    const QMutexLocker lock(&mutex);
    if (const QFunctionPointer known = resolved.value(key)) {
        result.function = known;
        return result;
    }
    // The QLibrary goes out of scope without unload(): the module stays.
    QLibrary library(result.path);
    result.function = library.resolve(entry);
    if (!result.function) {
        // The loader's own words name the file as a rule; said once.
        result.error = library.errorString();
        if (!result.error.contains(result.path))
            result.error = QStringLiteral("the module %1 cannot be used: %2")
                               .arg(QDir::toNativeSeparators(result.path), result.error);
        return result;
    }
    resolved.insert(key, result.function);
    return result;
}
