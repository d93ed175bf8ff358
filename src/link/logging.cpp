#include "link/logging.h"

Q_LOGGING_CATEGORY(lcLink, "kestrane.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFrames, "kestrane.frames", QtWarningMsg)
