#pragma once
#include <QString>

// Plays the tool's WAV files ("BUZZ.WAV", "ALARM.WAV"), found through the
// data folder (core/datafolder.h), without waiting. A missing file or a
// machine without sound is no error: nothing is played.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &fileName) = 0;
};
