#include "monitor/datafolder.h"

#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

bool canCreateFilesIn(const QString &folder)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return false;
    // A unique name, so that two programs probing the same folder at once
    // cannot disturb each other; removed when the probe goes out of scope.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kestrane-probe-XXXXXX")));
    return probe.open();
}

QString dataFolderFor(const QString &programFolder)
{
    if (canCreateFilesIn(programFolder))
        return QDir::cleanPath(programFolder);
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (perUser.isEmpty() || !QDir().mkpath(perUser))
        return {};
    return QDir::cleanPath(perUser);
}

QString dataFolder()
{
    // The same folder the rest of the tool uses (an installed copy writes to
    // the per-user folder even when it could write beside the program).
    return DataFolder::forThisProgram().writableDir();
}
