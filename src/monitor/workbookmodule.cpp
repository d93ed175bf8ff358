#include "monitor/workbookmodule.h"

#include "core/modules.h"
#include "monitor/workbooksink.h"

#include <QDir>

#ifndef KESTRANE_WORKBOOK_MODULE
#define KESTRANE_WORKBOOK_MODULE "kestrane-workbook.so"
#endif

QString workbookModuleFileName()
{
    return QStringLiteral(KESTRANE_WORKBOOK_MODULE);
}

QStringList workbookModuleCandidates(const QString &programDir)
{
    return moduleCandidates(workbookModuleFileName(), programDir);
}

QString findWorkbookModule(const QString &programDir)
{
    return findModule(workbookModuleFileName(), programDir);
}

std::unique_ptr<WorkbookSink> makeWorkbookSink(const QString &programDir, QString *error)
{
    const ModuleEntry module = loadModuleEntry(workbookModuleFileName(), programDir, KESTRANE_WORKBOOK_ENTRY);
    std::unique_ptr<WorkbookSink> sink;
    if (module.function)
        sink.reset(reinterpret_cast<MakeWorkbookSink>(module.function)());
    if (!sink && error)
        *error = module.function ? QStringLiteral("the module %1 made no workbook").arg(QDir::toNativeSeparators(module.path)) : module.error;
    return sink;
}
