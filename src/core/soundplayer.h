#pragma once
#include <QString>

// Plays the tool's WAV files ("BUZZ.WAV", "ALARM.WAV") from the program's
// folder without waiting. A missing file or a machine without sound is no
// error: nothing is played.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &fileName) = 0;
};
