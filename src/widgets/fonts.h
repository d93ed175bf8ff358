#pragma once
#include <QFont>

// "Verdana" for English texts (DejaVu Sans where it is missing) and "宋体"
// for Chinese ones, which is Noto Sans CJK SC (Debian: fonts-noto-cjk), or
// SimSun where that is missing.
QFont englishFont(int pointSize = 10);
QFont chineseFont(int pointSize = 10);
QFont fontForLanguage(int languageCode, int pointSize = 10);
