#pragma once
// Where the tool keeps its data files (the live-data log, the exported
// workbooks, the marker file): the program's folder when a file can be
// created there, otherwise the per-user data folder. An installed program
// usually sits in a folder the user cannot write to.

#include <QString>

// The data folder of this run: dataFolderFor() the program's folder.
QString dataFolder();

// The data folder for a program that lives in `programFolder`: that folder
// when a file can really be created in it (permissions alone do not tell:
// read-only mounts, network shares, virtualised folders), else the per-user
// application data folder, created when missing. An empty string when
// neither can be used.
QString dataFolderFor(const QString &programFolder);

// A file can be created (and removed again) in `folder`.
bool canCreateFilesIn(const QString &folder);
