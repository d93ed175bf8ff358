#pragma once
#include "core/soundplayer.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

class QtSoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    // `folder`: where the sound files are (the program's folder).
    explicit QtSoundPlayer(const QString &folder, QObject *parent = nullptr);
    void play(const QString &fileName) override;

private:
    QString m_folder;
    QHash<QString, QSoundEffect *> m_effects; // made on first use: no audio set-up at start
};
