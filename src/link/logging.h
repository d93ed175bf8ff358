#pragma once
#include <QLoggingCategory>

// Both are off by default; QT_LOGGING_RULES="kestrane.*=true" switches them on.
Q_DECLARE_LOGGING_CATEGORY(lcLink)   // state changes, port errors
Q_DECLARE_LOGGING_CATEGORY(lcFrames) // hex of every frame in and out
