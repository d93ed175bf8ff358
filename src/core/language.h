#pragma once
// The two languages of the tool. Every caption is an English source text in
// tr(); the Chinese texts come from the embedded translation, installed while
// the language code is 11 and removed while it is 22.

#include <QString>

struct LanguageState;

// A source text with its disambiguation, as QT_TRANSLATE_NOOP3 makes it:
// for an English text that has two Chinese ones in the same window.
struct TrText
{
    const char *source;
    const char *comment;
};

// The text for the current language: the English source for code 22, its
// Chinese translation for code 11, and a null string for any other code
// (callers then leave their text alone).
QString bilingual(int languageCode, const char *context, const char *source,
                  const char *disambiguation = nullptr);
inline QString bilingual(int languageCode, const char *context, TrText text)
{
    return bilingual(languageCode, context, text.source, text.comment);
}

// Sets the language code and installs or removes the Chinese translator.
// Codes other than 11 and 22 change nothing and return false.
bool setLanguage(LanguageState &language, int code);

// Installs (true) or removes (false) the Chinese translator only.
bool installChineseTranslator(bool install);
bool chineseTranslatorInstalled();
