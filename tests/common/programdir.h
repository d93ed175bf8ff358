#pragma once
// A program folder "bin" inside a temporary root, laid out as a build or an
// installation is: modules and data are looked for beside it and relative
// to it (../lib/kestrane, ../share/...), all inside the root.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

struct TemporaryProgramDir
{
    QTemporaryDir root;
    QString bin = root.filePath(QStringLiteral("bin"));

    // Makes the folder; false when it cannot be made.
    [[nodiscard]] bool make() const { return root.isValid() && QDir().mkpath(bin); }
};
