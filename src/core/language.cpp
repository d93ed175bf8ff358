#include "core/language.h"

#include "core/appstate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
QTranslator *chineseTranslator()
{
    static QTranslator *translator = [] {
        auto *t = new QTranslator(QCoreApplication::instance());
        if (!t->load(QStringLiteral(":/i18n/kestrane_zh_CN.qm")))
            qWarning("kestrane: the Chinese translation is missing from the program");
        return t;
    }();
    return translator;
}
// Qt's own texts (the standard "OK", "Yes", "No" of the message boxes).
// Optional: without it those buttons stay English.
QTranslator *qtChineseTranslator()
{
    static QTranslator *translator = [] {
        auto *t = new QTranslator(QCoreApplication::instance());
        const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
        for (const QString &folder : folders) {
            if (t->load(QStringLiteral("qtbase_zh_CN"), folder))
                break;
        }
        return t;
    }();
    return translator;
}
bool g_installed = false;
} // namespace

QString bilingual(int languageCode, const char *context, const char *source,
                  const char *disambiguation)
{
    if (languageCode == LanguageCode::English)
        return QString::fromUtf8(source);
    if (languageCode == LanguageCode::Chinese)
        return QCoreApplication::translate(
            context, source, disambiguation && *disambiguation ? disambiguation : nullptr);
    return {};
}

bool installChineseTranslator(bool install)
{
    if (install == g_installed)
        return true;
    bool ok = true;
    if (install) {
        ok = QCoreApplication::installTranslator(chineseTranslator());
        if (!qtChineseTranslator()->isEmpty())
            QCoreApplication::installTranslator(qtChineseTranslator());
    } else {
        QCoreApplication::removeTranslator(chineseTranslator());
        QCoreApplication::removeTranslator(qtChineseTranslator());
    }
    g_installed = install && ok;
    return ok;
}

bool chineseTranslatorInstalled()
{
    return g_installed;
}

bool setLanguage(LanguageState &language, int code)
{
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return false;
    language.languageCode = code;
    return installChineseTranslator(code == LanguageCode::Chinese);
}
