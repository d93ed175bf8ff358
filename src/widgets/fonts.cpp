#include "widgets/fonts.h"

#include "core/appstate.h"

#include <QStringList>

QFont englishFont(int pointSize)
{
    QFont f(QStringLiteral("Verdana"), pointSize);
    QStringList families;
    families << QStringLiteral("Verdana") << QStringLiteral("DejaVu Sans")
             << QStringLiteral("Noto Sans CJK SC");
    f.setFamilies(families);
    return f;
}

QFont chineseFont(int pointSize)
{
    // "宋体" is one sans face everywhere: Noto Sans CJK SC (fonts-noto-cjk),
    // the face Qt falls back to for the Chinese texts of every other window
    // too; a serif face beside it would give one window two looks. Where it
    // is missing (Windows), the system's own SimSun.
    QFont f(QStringLiteral("Noto Sans CJK SC"), pointSize);
    QStringList families;
    families << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("宋体") << QStringLiteral("SimSun")
             << QStringLiteral("WenQuanYi Zen Hei");
    f.setFamilies(families);
    return f;
}

QFont fontForLanguage(int languageCode, int pointSize)
{
    return languageCode == LanguageCode::Chinese ? chineseFont(pointSize) : englishFont(pointSize);
}
