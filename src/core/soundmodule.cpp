#include "core/soundmodule.h"

#include "core/modules.h"

#ifndef KESTRANE_SOUND_MODULE
#define KESTRANE_SOUND_MODULE "kestrane-sound.so"
#endif

QString soundModuleFileName()
{
    return QStringLiteral(KESTRANE_SOUND_MODULE);
}

QString soundModuleDirFromProgram()
{
    return modulesDirFromProgram();
}

QStringList soundModuleCandidates(const QString &programDir)
{
    return moduleCandidates(soundModuleFileName(), programDir);
}

QString findSoundModule(const QString &programDir)
{
    return findModule(soundModuleFileName(), programDir);
}
