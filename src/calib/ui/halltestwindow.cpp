#include "calib/ui/halltestwindow.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/textnumber.h"
#include "link/linkcontroller.h"
#include "pages/blocks/motorblock.h"
#include "pages/engine/fieldspec.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"
#include "widgets/windowconduct.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char *const kHallBRemaps[] = {"txtFrmHallBSec1", "txtFrmHallBSec2", "txtFrmHallBSec3",
                                    "txtFrmHallBSec4", "txtFrmHallBSec5", "txtFrmHallBSec6"};
const char *const kMarked = "hallResultChanged";

QString windowCaption(int code)
{
    const QString t = bilingual(code, "frmHallTest", QT_TRANSLATE_NOOP("frmHallTest", "Hall Test"));
    return t.isNull() ? QStringLiteral("Hall Test") : t;
}
} // namespace

void markHallResultBox(QLineEdit *box)
{
    if (!box->property(kMarked).isValid()) {
        // Hooked once per box; the mark goes with the first edit.
        QObject::connect(box, &QLineEdit::textEdited, box, [box] {
            if (box->property(kMarked).toBool()) {
                box->setProperty(kMarked, false);
                box->setStyleSheet(QString());
            }
        });
    }
    box->setProperty(kMarked, true);
    box->setStyleSheet(QStringLiteral("QLineEdit { background-color: #fff2a8; }"));
}

bool isMarkedHallResultBox(const QLineEdit *box)
{
    return box->property(kMarked).toBool();
}

HallTestController::HallTestController(ParameterService &service, const LanguageState &language,
                                       QTimer *timer1, QWidget *mainWindow)
    : QObject(mainWindow), m_service(service), m_language(language), m_timer1(timer1),
      m_mainWindow(mainWindow)
{
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &HallTestController::Timer1_Timer);
    connect(&service.link().dispatcher(), &Dispatcher::hallReply, this, &HallTestController::onReply);
}

QWidget *HallTestController::window() const
{
    return m_window.data();
}

void HallTestController::onReply(ReplyAction action, const Block &block)
{
    switch (action) {
    case ReplyAction::HallAUnderTest:
    case ReplyAction::HallBUnderTest:
        showWindow(action);
        break;
    case ReplyAction::HallADone:
    case ReplyAction::HallBDone:
        // The result is in the Motor model before the window says "done".
        if (action == ReplyAction::HallADone)
            decodeGroupA(block);
        else
            decodeGroupB(block);
        showWindow(action);
        m_counter.restart();
        m_timer1->start();
        break;
    default:
        break; // the warning box is the dispatcher's
    }
}

void HallTestController::Timer1_Timer()
{
    if (m_counter.tick()) {
        m_timer1->stop();
        closeWindow();
    }
}

void HallTestController::cmd_hallteststop_Click()
{
    closeWindow();
    m_service.link().sendFrame(requestFrames().hallTestStopRequest);
}

void HallTestController::showWindow(ReplyAction action)
{
    if (!m_window) {
        auto *w = new QWidget(m_mainWindow, kOwnedWindow);
        w->setObjectName(QLatin1String(kHallTestWindow));
        w->setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(w);
        auto *label = new QLabel(QStringLiteral("Group Hall A is under testing."), w);
        label->setObjectName(QStringLiteral("lblfrmHallTest"));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(260);
        layout->addWidget(label);
        w->setWindowTitle(windowCaption(m_language.languageCode));
        // The motor turns while it is shown: nothing of ours covers it.
        setMotorTestWindow(w, true);
        m_window = w;
        m_label = label;
    }
    const QString text = hallTestText(m_language.languageCode, action);
    if (!text.isNull())
        m_label->setText(text);
    if (!m_window->isVisible()) {
        m_window->adjustSize();
        if (m_mainWindow)
            m_window->move(m_mainWindow->frameGeometry().center() - m_window->rect().center());
        m_window->show();
    }
}

void HallTestController::closeWindow()
{
    if (m_window) {
        QWidget *w = m_window;
        m_window = nullptr;
        w->hide();
        // Never called from inside the window: it can go at once.
        delete w;
    }
}

void HallTestController::applyLanguage()
{
    if (m_window)
        m_window->setWindowTitle(windowCaption(m_language.languageCode));
}

ParameterPage *HallTestController::visibleMotorPage() const
{
    if (!m_pages)
        return nullptr;
    auto *page = qobject_cast<ParameterPage *>(m_pages->page(PageId::Motor));
    return page && page->isVisible() ? page : nullptr;
}

// The boxes of the shown Motor page whose text the result changed.
void HallTestController::markChanged(const ValueMap &before)
{
    ParameterPage *page = visibleMotorPage();
    if (!page)
        return;
    const ValueMap &after = m_service.model(FrameId::Motor)->values();
    for (int slot = 0; slot < after.size(); ++slot) {
        if (after.holdsIndex(slot) || after.at(slot) == before.at(slot))
            continue;
        if (QLineEdit *box = page->box(after.table().controlName(slot)))
            markHallResultBox(box);
    }
}

// The group A result is laid out as a whole Motor block.
void HallTestController::decodeGroupA(const Block &block)
{
    const ValueMap before = m_service.model(FrameId::Motor)->values();
    m_service.decode(FrameId::Motor, block);
    markChanged(before);
}

// The group B result comes in the Motor layout with the group's sectors in
// the Hall B remap bytes. It goes into those six boxes only, and only for the
// types whose Motor block has them: the Protection page, whose buffer the
// result would otherwise land in, would write it back as thresholds.
void HallTestController::decodeGroupB(const Block &block)
{
    const int type = m_service.controllerType();
    if (type != 1 && type != 2)
        return;
    BlockModel *motor = m_service.model(FrameId::Motor);
    const ValueMap before = motor->values();
    ValueMap values = before;
    ValueMap decoded = values;
    decodeBlock(motorTable(), block, CodecOptions{type, systemDecimalPoint()}, decoded);
    for (const char *name : kHallBRemaps) {
        const QString control = QLatin1String(name);
        if (!values.setText(control, decoded.text(control)))
            return; // the Motor table has no such box: leave the page alone
    }
    motor->setValues(values);
    markChanged(before);
}
