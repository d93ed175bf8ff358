#include "widgets/qtsoundplayer.h"

#include "core/modules.h"
#include "core/soundmodule.h"
#include "widgets/soundoutput.h"

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
    const ModuleEntry module = loadModuleEntry(soundModuleFileName(), m_folder.places().programDir,
                                               KESTRANE_SOUND_ENTRY);
    if (!module.function) {
        qCWarning(lcSound, "no sound: %s", qPrintable(module.error));
        return nullptr;
    }
    const auto make = reinterpret_cast<MakeSoundOutput>(module.function);
    m_output.reset(make());
    m_modulePath = module.path;
    return m_output.get();
}
