#pragma once
#include "core/soundplayer.h"

#include <QStringList>

class RecordingSound : public SoundPlayer
{
public:
    void play(const QString &fileName) override { played << fileName; }
    QStringList played;
};
