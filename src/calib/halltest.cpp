#include "calib/halltest.h"

#include "core/language.h"

#include <QtGlobal>

QString hallTestText(int languageCode, ReplyAction action)
{
    const char *source = nullptr;
    switch (action) {
    case ReplyAction::HallAUnderTest:
        source = QT_TRANSLATE_NOOP("frmHallTest", "Group Hall A is under testing.");
        break;
    case ReplyAction::HallADone:
        source = QT_TRANSLATE_NOOP("frmHallTest", "Group Hall A test is done.");
        break;
    case ReplyAction::HallBUnderTest:
        source = QT_TRANSLATE_NOOP("frmHallTest", "Group Hall B is under testing.");
        break;
    case ReplyAction::HallBDone:
        source = QT_TRANSLATE_NOOP("frmHallTest", "Group Hall B test is done.");
        break;
    default:
        return {};
    }
    return bilingual(languageCode, "frmHallTest", source);
}

bool isHallTestDone(ReplyAction action)
{
    return action == ReplyAction::HallADone || action == ReplyAction::HallBDone;
}
