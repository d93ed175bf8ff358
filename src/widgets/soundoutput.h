#pragma once
// What the sound module (widgets/soundmodule.cpp, built as kestrane-sound)
// hands the tool; core/soundmodule.h says where the module is found.

class QString;

class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Starts playing the WAV file at `path` and returns at once.
    virtual void play(const QString &path) = 0;
};

// The module's one exported function, by name: a new output, owned by the
// caller.
#define KESTRANE_SOUND_ENTRY "kestraneMakeSoundOutput"
using MakeSoundOutput = SoundOutput *(*)();
