#include "widgets/qtsoundplayer.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(DataFolder folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder))
{
}

void QtSoundPlayer::play(const QString &fileName)
{
    QSoundEffect *effect = m_effects.value(fileName);
    if (!effect) {
        // A missing file is looked for again next time: the user may put it
        // in place while the tool runs.
        const QString path = m_folder.findResource(fileName);
        if (path.isEmpty())
            return;
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
        m_effects.insert(fileName, effect);
    }
    effect->play();
}
