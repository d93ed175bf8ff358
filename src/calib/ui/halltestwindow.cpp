#include "calib/ui/halltestwindow.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/textnumber.h"
#include "link/linkcontroller.h"
#include "pages/blocks/motorblock.h"
#include "pages/engine/fieldspec.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/parameterpage.h"

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

HallTestController::HallTestController(BlockParts parts, const LanguageState &language,
                                       LinkController &link, QTimer *timer1,
                                       QWidget *mainWindow)
    : QObject(mainWindow), m_parts(parts), m_language(language), m_link(link), m_timer1(timer1),
      m_mainWindow(mainWindow)
{
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &HallTestController::Timer1_Timer);
    Dispatcher &dispatcher = link.dispatcher();
    connect(&dispatcher, &Dispatcher::blockReceived, this, [this](FrameId buffer) {
        // An FF FC result lands in the Motor buffer like a read reply; only
        // the result is compared with what the page showed.
        const Block &b = m_parts.frames[FrameId::Motor];
        if (buffer != FrameId::Motor || b[0] != 0xFF || b[1] != 0xFC)
            return;
        ParameterPage *page = visibleMotorPage();
        m_haveBeforeGroupA = page != nullptr;
        m_beforeGroupA = page ? motorTexts(page) : QHash<QString, QString>{};
    });
    connect(&dispatcher, &Dispatcher::hallReply, this, &HallTestController::onReply);
}

QWidget *HallTestController::window() const
{
    return m_window.data();
}

void HallTestController::onReply(ReplyAction action)
{
    switch (action) {
    case ReplyAction::HallAUnderTest:
    case ReplyAction::HallBUnderTest:
        showWindow(action);
        break;
    case ReplyAction::HallADone:
        // The navigator has decoded the result into the Motor page already.
        if (m_haveBeforeGroupA) {
            if (ParameterPage *page = visibleMotorPage())
                markChanged(page, m_beforeGroupA);
        }
        m_haveBeforeGroupA = false;
        showWindow(action);
        m_counter.restart();
        m_timer1->start();
        break;
    case ReplyAction::HallBDone:
        decodeGroupB();
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
    m_link.sendFrame(requestFrames().hallTestStopRequest);
}

void HallTestController::showWindow(ReplyAction action)
{
    if (!m_window) {
        auto *w = new QWidget(m_mainWindow, Qt::Window);
        w->setObjectName(QStringLiteral("frmHallTest"));
        w->setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(w);
        auto *label = new QLabel(QStringLiteral("Group Hall A is under testing."), w);
        label->setObjectName(QStringLiteral("lblfrmHallTest"));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(260);
        layout->addWidget(label);
        w->setWindowTitle(windowCaption(m_language.languageCode));
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

QHash<QString, QString> HallTestController::motorTexts(ParameterPage *page) const
{
    QHash<QString, QString> texts;
    for (QLineEdit *box : page->findChildren<QLineEdit *>())
        texts.insert(box->objectName(), box->text());
    return texts;
}

void HallTestController::markChanged(ParameterPage *page, const QHash<QString, QString> &before)
{
    for (QLineEdit *box : page->findChildren<QLineEdit *>()) {
        const auto it = before.constFind(box->objectName());
        if (it != before.constEnd() && *it != box->text())
            markHallResultBox(box);
    }
}

// The group B result comes in the Motor layout with the group's sectors in
// the Hall B remap bytes. It goes into those six boxes only, and only for the
// types whose Motor block has them: the Protection page, whose buffer the
// result would otherwise land in, would write it back as thresholds.
void HallTestController::decodeGroupB()
{
    const int type = m_parts.controllerType;
    if ((type != 1 && type != 2) || !m_pages)
        return;
    auto *page = qobject_cast<ParameterPage *>(m_pages->ensurePage(PageId::Motor));
    if (!page)
        return;
    const bool shown = page->isVisible();
    const QHash<QString, QString> before = shown ? motorTexts(page) : QHash<QString, QString>{};
    ValueMap values = page->values();
    ValueMap decoded = values;
    decodeBlock(motorTable(), m_parts.frames[FrameId::HallBResult],
                CodecOptions{type, systemDecimalPoint()}, decoded);
    for (const char *name : kHallBRemaps) {
        const QString control = QLatin1String(name);
        if (!values.setText(control, decoded.text(control)))
            return; // the Motor table has no such box: leave the page alone
    }
    page->setValues(values);
    if (shown)
        markChanged(page, before);
}
