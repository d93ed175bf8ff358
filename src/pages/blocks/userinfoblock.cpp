#include "pages/blocks/userinfoblock.h"

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QCoreApplication>

namespace {
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
