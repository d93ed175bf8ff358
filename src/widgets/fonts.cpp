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
    QFont f(QStringLiteral("宋体"), pointSize);
    QStringList families;
    families << QStringLiteral("宋体") << QStringLiteral("SimSun") << QStringLiteral("Noto Serif CJK SC")
             << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("WenQuanYi Zen Hei");
    f.setFamilies(families);
    return f;
}

QFont fontForLanguage(int languageCode, int pointSize)
{
    return languageCode == LanguageCode::Chinese ? chineseFont(pointSize) : englishFont(pointSize);
}
