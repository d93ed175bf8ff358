#pragma once
#include "core/datafolder.h"
#include "core/soundplayer.h"

#include <QHash>
#include <QObject>

#include <memory>

class SoundOutput;

class QtSoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    // Each sound is looked up through `folder` when it is first played: next
    // to the program, then in the installed share folder, then in the
    // per-user data folder. The sound module (core/soundmodule.h) is looked
    // for relative to the folder's program folder, on the first sound.
    explicit QtSoundPlayer(DataFolder folder, QObject *parent = nullptr);
    ~QtSoundPlayer() override;
    void play(const QString &fileName) override;

    // The module the sounds go through; empty before the first sound, or
    // when there is none (then nothing sounds).
    QString modulePath() const { return m_modulePath; }

private:
    SoundOutput *output();

    DataFolder m_folder;
    QHash<QString, QString> m_paths; // file name -> the file found for it
    std::unique_ptr<SoundOutput> m_output;
    QString m_modulePath;
    bool m_outputTried = false;
};
