#pragma once
#include "core/datafolder.h"
#include "core/soundplayer.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

class QtSoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    // Each sound is looked up through `folder` when it is first played: next
    // to the program, then in the installed share folder, then in the
    // per-user data folder.
    explicit QtSoundPlayer(DataFolder folder, QObject *parent = nullptr);
    void play(const QString &fileName) override;

private:
    DataFolder m_folder;
    QHash<QString, QSoundEffect *> m_effects; // made on first use: no audio set-up at start
};
