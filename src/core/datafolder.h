#pragma once
// Where the tool finds the files it reads and where it writes its own.
//
// Reading (the sounds "BUZZ.WAV" and "ALARM.WAV", "IqSet.txt"): the first of
//   1. the program's own folder (a portable copy, files beside the program
//      or the .exe; also where a build puts them),
//   2. <prefix>/share/kestrane of an installed copy, found relative to the
//      program (bin/../share/kestrane), so a copy installed under any prefix
//      finds its own files,
//   3. the per-user data folder (QStandardPaths::AppDataLocation, on Linux
//      ~/.local/share/Kestrane), where a user of an installed copy puts
//      files of their own.
//
// Writing (the live-data log "Realtimedata.txt", the export): the program's
// folder for a portable copy that may write there; an installed copy (one
// with a share folder) or a read-only program folder writes to the per-user
// data folder instead, created when missing. Whether a folder can be written
// is found by creating a file in it: permission bits say nothing for root or
// on network and Windows drives.
//
//     const DataFolder folder = DataFolder::forThisProgram();
//     const QString iqSet = folder.findResource(QStringLiteral("IqSet.txt"));
//     if (iqSet.isEmpty()) ...   // not in any of folder.searchDirs()
//     const QString log = folder.writablePath(QStringLiteral("Realtimedata.txt"));
//     if (log.isEmpty()) ...     // nowhere to write: folder.writeFailure() says why
//
// Widget-free; tests build one with folders of their own and, where needed,
// their own writability check.

#include <QString>
#include <QStringList>

#include <functional>

class DataFolder
{
public:
    struct Places
    {
        QString programDir; // the program's own folder
        QString shareDir;   // <prefix>/share/kestrane; used only when it exists
        QString userDir;    // the per-user data folder; created on demand
    };

    // Returns true when a file can be created in `dir` (an existing folder).
    using WritableCheck = std::function<bool(const QString &dir)>;

    // `canWrite` defaults to canCreateFileIn.
    explicit DataFolder(Places places, WritableCheck canWrite = {});

    // The places of the running program (needs a QCoreApplication, for the
    // program's folder and the application name of the per-user folder).
    static DataFolder forThisProgram();
    // The places for a program in `programDir`.
    static Places placesFor(const QString &programDir);

    const Places &places() const { return m_places; }

    // The folders findResource looks in, in order (missing ones and repeats
    // left out).
    QStringList searchDirs() const;

    // The full path of the file `name` in the first folder that has it, or
    // an empty string when none has.
    QString findResource(const QString &name) const;

    // True for an installed copy: its share folder exists.
    bool isInstalled() const;

    // The folder the tool writes its files to, created when needed; empty
    // when there is none (then writeFailure() says why).
    QString writableDir() const;
    // writableDir() joined with `name`; empty when there is no such folder.
    QString writablePath(const QString &name) const;
    // Why the last writableDir() found no folder (English, for logs and the
    // caller's message); empty after a success.
    QString writeFailure() const { return m_writeFailure; }

    // Tries to create (and removes) a file in `dir`.
    static bool canCreateFileIn(const QString &dir);

private:
    Places m_places;
    WritableCheck m_canWrite;
    mutable QString m_writeFailure;
};

// The folder this program writes its data files to (the live-data log, the
// exported workbooks, the marker file); empty when none can be written.
QString dataFolder();
