#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef KESTRANE_SHARE_FROM_BIN
#define KESTRANE_SHARE_FROM_BIN "../share/kestrane"
#endif

namespace {
QString clean(const QString &dir)
{
    return dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath());
}
} // namespace

DataFolder::DataFolder(Places places, WritableCheck canWrite)
    : m_places{clean(places.programDir), clean(places.shareDir), clean(places.userDir)},
      m_canWrite(canWrite ? std::move(canWrite) : WritableCheck(&DataFolder::canCreateFileIn))
{
}

DataFolder::Places DataFolder::placesFor(const QString &programDir)
{
    Places p;
    p.programDir = programDir;
    if (!programDir.isEmpty())
        p.shareDir = QDir(programDir).filePath(QStringLiteral(KESTRANE_SHARE_FROM_BIN));
    p.userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return p;
}

DataFolder DataFolder::forThisProgram()
{
    return DataFolder(placesFor(QCoreApplication::applicationDirPath()));
}

QStringList DataFolder::searchDirs() const
{
    QStringList dirs;
    for (const QString &dir : {m_places.programDir, m_places.shareDir, m_places.userDir}) {
        if (!dir.isEmpty() && !dirs.contains(dir) && QFileInfo(dir).isDir())
            dirs << dir;
    }
    return dirs;
}

QString DataFolder::findResource(const QString &name) const
{
    if (name.isEmpty())
        return {};
    for (const QString &dir : searchDirs()) {
        const QFileInfo file(QDir(dir).filePath(name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

bool DataFolder::isInstalled() const
{
    return !m_places.shareDir.isEmpty() && m_places.shareDir != m_places.programDir
           && QFileInfo(m_places.shareDir).isDir();
}

QString DataFolder::writableDir() const
{
    m_writeFailure.clear();
    const QString &program = m_places.programDir;
    if (!isInstalled() && !program.isEmpty() && QFileInfo(program).isDir() && m_canWrite(program))
        return program;

    const QString &user = m_places.userDir;
    if (user.isEmpty()) {
        m_writeFailure = QStringLiteral("the program's folder %1 cannot be written and there is "
                                        "no per-user data folder")
                             .arg(QDir::toNativeSeparators(program));
        return {};
    }
    if (!QDir().mkpath(user)) {
        m_writeFailure = QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(user));
        return {};
    }
    if (!m_canWrite(user)) {
        m_writeFailure = QStringLiteral("cannot write to the folder %1").arg(QDir::toNativeSeparators(user));
        return {};
    }
    return user;
}

QString DataFolder::writablePath(const QString &name) const
{
    const QString dir = writableDir();
    return dir.isEmpty() ? QString() : QDir(dir).filePath(name);
}

bool DataFolder::canCreateFileIn(const QString &dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".kestrane-write-test-XXXXXX")));
    return probe.open(); // removed again when `probe` goes
}

QString dataFolder()
{
    return DataFolder::forThisProgram().writableDir();
}
