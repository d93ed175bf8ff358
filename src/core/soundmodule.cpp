#include "core/soundmodule.h"

#include <QDir>
#include <QFileInfo>

#ifndef KESTRANE_SOUND_MODULE
#define KESTRANE_SOUND_MODULE "kestrane-sound.so"
#endif
#ifndef KESTRANE_MODULES_FROM_BIN
#define KESTRANE_MODULES_FROM_BIN "../lib/kestrane"
#endif

QString soundModuleFileName()
{
    return QStringLiteral(KESTRANE_SOUND_MODULE);
}

QString soundModuleDirFromProgram()
{
    return QStringLiteral(KESTRANE_MODULES_FROM_BIN);
}

QStringList soundModuleCandidates(const QString &programDir)
{
    if (programDir.isEmpty())
        return {};
    const QDir program(programDir);
    return {QDir::cleanPath(program.filePath(soundModuleFileName())),
            QDir::cleanPath(program.filePath(soundModuleDirFromProgram() + QLatin1Char('/') + soundModuleFileName()))};
}

QString findSoundModule(const QString &programDir)
{
    for (const QString &path : soundModuleCandidates(programDir)) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}
