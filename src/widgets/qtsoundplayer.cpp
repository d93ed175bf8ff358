#include "widgets/qtsoundplayer.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder)
{
}

void QtSoundPlayer::play(const QString &fileName)
{
    const QString path = QDir(m_folder).filePath(fileName);
    if (!QFileInfo::exists(path))
        return;
    QSoundEffect *effect = m_effects.value(fileName);
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
        m_effects.insert(fileName, effect);
    }
    effect->play();
}
