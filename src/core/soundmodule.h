#pragma once
// The sound output is a module of its own (kestrane-sound), loaded when the
// first sound plays: Qt Multimedia and the audio libraries behind it would
// otherwise be loaded, and cost time, at every start of a tool that sounds
// twice in a long test at most. It is found like every module of the tool
// (core/modules.h).

#include <QString>
#include <QStringList>

// The module's file name ("kestrane-sound.so", "kestrane-sound.dll").
QString soundModuleFileName();
// Where an installed copy keeps it, relative to the program's folder.
QString soundModuleDirFromProgram();
// The places looked in, in order, for a program in `programDir`.
QStringList soundModuleCandidates(const QString &programDir);
// The first of them that is a file, or an empty string.
QString findSoundModule(const QString &programDir);
