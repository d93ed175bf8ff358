#include "pages/blocks/userinfoblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include "core/language.h"

#include <QCoreApplication>

namespace {
QString text(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, "frmUserInfo", source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

// "中" (U+4E2D); control characters by their code alone.
QString describeCharacter(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    const QString shown = QString::fromUcs4(&c, 1);
    if (shown.isEmpty() || !QChar::isPrint(c))
        return code;
    return QStringLiteral("\"%1\" (%2)").arg(shown, code);
}

constexpr FieldSpec kFields[] = {
    charsField("txtUserName", 3, kUserNameLength, QT_TRANSLATE_NOOP("frmUserInfo", "User name"), "tovrin"),
    charsField("txtPassword", 23, kPasswordLength, QT_TRANSLATE_NOOP("frmUserInfo", "Password"), "47474747"),
};

constexpr BlockSpec kSpec{
    "frmUserInfo",
    QT_TRANSLATE_NOOP("frmUserInfo", "User information"),
    FrameId::UserInfo,
    kFields,
    {},
};
} // namespace

const BlockTable &userInfoTable()
{
    static const BlockTable table(kSpec);
    return table;
}

EncodeResult encodeUserInfo(BlockParts parts, const ValueMap &values)
{
    return encodePage(PageId::UserInfo, parts, values);
}

void decodeUserInfo(BlockParts parts, ValueMap &values)
{
    decodePage(PageId::UserInfo, parts, values);
}

std::optional<char32_t> firstCharacterOutsideLatin1(const QString &text)
{
    for (char32_t c : text.toUcs4()) {
        // A zero byte would end the text early on the controller's side.
        if (c == 0 || c > 0xFF)
            return c;
    }
    return std::nullopt;
}

QString userInfoRefusal(int languageCode, ParseError error, const QString &caption,
                        char32_t character, int maxLength)
{
    if (error == ParseError::TooLong) {
        return text(languageCode,
                    QT_TRANSLATE_NOOP("frmUserInfo",
                                      "\"%1\" holds more than %2 characters, more than the "
                                      "controller stores. Nothing was written."))
            .arg(caption)
            .arg(maxLength);
    }
    return text(languageCode,
                QT_TRANSLATE_NOOP("frmUserInfo",
                                  "\"%1\" holds the character %2, which the controller cannot "
                                  "store. Nothing was written."))
        .arg(caption, describeCharacter(character));
}

