#pragma once
// The tool's modules: parts built as libraries of their own and loaded on
// their first use, so the libraries behind them (audio, the spreadsheet
// writer and its zip and crypto libraries) cost nothing at start-up. A module
// lies beside the program (a build, a portable copy) or, for an installed
// copy, in <prefix>/lib/kestrane (the libraries folder of the installation),
// found relative to the program as the share folder is.
//
// A module is loaded at most once per process and never unloaded: objects it
// made may outlive whoever asked for them.

#include <QFunctionPointer>
#include <QString>
#include <QStringList>

// Where an installed copy keeps its modules, relative to the program's folder.
QString modulesDirFromProgram();
// The places looked in for the module file `fileName` ("kestrane-sound.so"),
// in order, for a program in `programDir`; none for an empty `programDir`.
QStringList moduleCandidates(const QString &fileName, const QString &programDir);
// The first of them that is a file, or an empty string.
QString findModule(const QString &fileName, const QString &programDir);

struct ModuleEntry
{
    QFunctionPointer function = nullptr; // null: see error
    QString path;                        // the module file, when one was found
    QString error;                       // English, names the file and where it was looked for
};

// Finds the module `fileName` for a program in `programDir`, loads it (once
// per process, whichever thread asks) and resolves its exported function
// `entry`.
ModuleEntry loadModuleEntry(const QString &fileName, const QString &programDir, const char *entry);
