#pragma once
// `kestrane --self-check`: tells a user or a package test where the tool
// finds its files and where it writes, without starting the window.

#include <QString>

class DataFolder;

struct SelfCheckResult
{
    QString report;   // one line per file or folder, for standard output
    bool ok = false;  // every file the tool ships was found
};

// `translationLoads`: the embedded Chinese translation could be loaded.
SelfCheckResult runSelfCheck(const DataFolder &folder, bool translationLoads);

// Loads the embedded translation into a throw-away translator.
bool embeddedTranslationLoads();
