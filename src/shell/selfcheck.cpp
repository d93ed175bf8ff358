#include "shell/selfcheck.h"

#include "buildinfo/buildinfo.h"
#include "core/datafolder.h"
#include "core/soundmodule.h"
#include "monitor/workbookmodule.h"

#include <QDir>
#include <QTranslator>

namespace {
struct Wanted
{
    const char *name;
    const char *use;
    bool shipped; // installed with the tool: missing is a fault
};
const Wanted kFiles[] = {
    {"BUZZ.WAV", "100-degree alert sound", true},
    {"ALARM.WAV", "end-of-test alarm sound", true},
    {"IqSet.txt", "\"Load para\" values, the user's own file", false},
};

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

bool embeddedTranslationLoads()
{
    QTranslator translator;
    return translator.load(QStringLiteral(":/i18n/kestrane_zh_CN.qm"));
}

SelfCheckResult runSelfCheck(const DataFolder &folder, bool translationLoads)
{
    SelfCheckResult result;
    result.ok = translationLoads;
    QString &out = result.report;
    out += QStringLiteral("kestrane %1\n").arg(QString::fromUtf8(buildinfo::versionString()));
    out += QStringLiteral("copy: %1\n").arg(folder.isInstalled() ? QStringLiteral("installed")
                                                                 : QStringLiteral("portable"));
    QStringList dirs;
    for (const QString &dir : folder.searchDirs())
        dirs << native(dir);
    out += QStringLiteral("looked in: %1\n")
               .arg(dirs.isEmpty() ? QStringLiteral("(no folder exists)") : dirs.join(QStringLiteral(", ")));
    for (const Wanted &file : kFiles) {
        const QString path = folder.findResource(QString::fromLatin1(file.name));
        QString where = native(path);
        if (path.isEmpty()) {
            where = file.shipped ? QStringLiteral("MISSING") : QStringLiteral("not found (optional)");
            if (file.shipped)
                result.ok = false;
        }
        out += QStringLiteral("%1 (%2): %3\n").arg(QString::fromLatin1(file.name),
                                                  QString::fromLatin1(file.use), where);
    }
    // Shipped with the tool like the sounds: without them nothing sounds and
    // "Open record" exports nothing.
    const struct
    {
        QString fileName;
        const char *use;
        QString path;
    } modules[] = {
        {soundModuleFileName(), "sound output", findSoundModule(folder.places().programDir)},
        {workbookModuleFileName(), "spreadsheet export", findWorkbookModule(folder.places().programDir)},
    };
    for (const auto &module : modules) {
        if (module.path.isEmpty())
            result.ok = false;
        out += QStringLiteral("%1 (%2): %3\n")
                   .arg(module.fileName, QString::fromLatin1(module.use),
                        module.path.isEmpty() ? QStringLiteral("MISSING") : native(module.path));
    }
    out += QStringLiteral("Chinese translation: %1\n")
               .arg(translationLoads ? QStringLiteral("embedded in the program, loads")
                                     : QStringLiteral("embedded in the program, DOES NOT LOAD"));
    const QString writable = folder.writableDir();
    out += QStringLiteral("log and export folder: %1\n")
               .arg(writable.isEmpty() ? QStringLiteral("NONE (%1)").arg(folder.writeFailure())
                                       : native(writable));
    if (writable.isEmpty())
        result.ok = false;
    out += result.ok ? QStringLiteral("self-check passed\n") : QStringLiteral("self-check FAILED\n");
    return result;
}
