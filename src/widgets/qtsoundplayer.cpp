#include "widgets/qtsoundplayer.h"

#include "core/soundmodule.h"
#include "widgets/soundoutput.h"

#include <QLibrary>
#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcSound, "kestrane.sound", QtInfoMsg)
}

QtSoundPlayer::QtSoundPlayer(DataFolder folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder))
{
}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString &fileName)
{
    QString path = m_paths.value(fileName);
    if (path.isEmpty()) {
        // A missing file is looked for again next time: the user may put it
        // in place while the tool runs.
        path = m_folder.findResource(fileName);
        if (path.isEmpty())
            return;
        m_paths.insert(fileName, path);
    }
    if (SoundOutput *out = output())
        out->play(path);
}

SoundOutput *QtSoundPlayer::output()
{
    if (m_outputTried)
        return m_output.get();
    m_outputTried = true;
    const QString programDir = m_folder.places().programDir;
    const QString module = findSoundModule(programDir);
    if (module.isEmpty()) {
        qCWarning(lcSound, "no sound: the module %s is in none of %s", qPrintable(soundModuleFileName()),
                  qPrintable(soundModuleCandidates(programDir).join(QStringLiteral(", "))));
        return nullptr;
    }
    // Stays loaded for the rest of the run: the output lives in it.
    QLibrary library(module);
    const auto make = reinterpret_cast<MakeSoundOutput>(library.resolve(KESTRANE_SOUND_ENTRY));
    if (!make) {
        qCWarning(lcSound, "no sound: %s", qPrintable(library.errorString()));
        return nullptr;
    }
    m_output.reset(make());
    m_modulePath = module;
    return m_output.get();
}
