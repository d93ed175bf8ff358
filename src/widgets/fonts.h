#pragma once
#include <QFont>

// "Verdana" for English texts and "宋体" for Chinese ones, each with
// fallbacks that a Linux desktop has (Debian: fonts-noto-cjk).
QFont englishFont(int pointSize = 10);
QFont chineseFont(int pointSize = 10);
QFont fontForLanguage(int languageCode, int pointSize = 10);
