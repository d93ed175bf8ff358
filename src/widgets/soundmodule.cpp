// The sound module kestrane-sound: the only part of the tool that links Qt
// Multimedia. Loaded by QtSoundPlayer on the first sound.

#include "widgets/soundoutput.h"

#include <QHash>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

namespace {

class QtSoundOutput : public SoundOutput
{
public:
    ~QtSoundOutput() override { qDeleteAll(m_effects); }

    void play(const QString &path) override
    {
        // One effect per file, made on its first use: no audio set-up at
        // start, and a second alert does not load the file again.
        QSoundEffect *&effect = m_effects[path];
        if (!effect) {
            effect = new QSoundEffect;
            effect->setSource(QUrl::fromLocalFile(path));
        }
        effect->play();
    }

private:
    QHash<QString, QSoundEffect *> m_effects;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *kestraneMakeSoundOutput()
{
    return new QtSoundOutput;
}
