#pragma once
// The export writes its workbook through the module kestrane-workbook
// (monitor/workbooksink.h), found like every module of the tool
// (core/modules.h) and loaded on the first export.

#include <QString>
#include <QStringList>

#include <memory>

class WorkbookSink;

// The module's file name ("kestrane-workbook.so", "kestrane-workbook.dll").
QString workbookModuleFileName();
// The places looked in, in order, for a program in `programDir`.
QStringList workbookModuleCandidates(const QString &programDir);
// The first of them that is a file, or an empty string.
QString findWorkbookModule(const QString &programDir);

// A new sink from the module of a program in `programDir`; null when the
// module is missing or cannot be loaded, with the reason in `*error`.
std::unique_ptr<WorkbookSink> makeWorkbookSink(const QString &programDir, QString *error);
