#include "pages/ui/pagenavigator.h"

#include "link/linkcontroller.h"
#include "pages/blocks/basicblock.h"
#include "pages/ui/parameterpage.h"
#include "pages/blocks/referenceblock.h"
#include "core/appstate.h"
#include "link/commandtable.h"

#include <QAbstractButton>
#include <QWidget>

#include <initializer_list>

namespace {
constexpr const char *kWindowNames[] = {
    "frmBasic",      "frmReference", "frmMotor",   "frmControl", "frmdqPID",
    "frmProtection", "frmOther",     "frmFluxWeaken", "frmDerate", "frmModeSet",
    "frmIdcCalib",   "frmIacCalib",  "frmCurve",   "frmUserInfo",
};
static_assert(std::size(kWindowNames) == std::size_t(PageId::Count));

// The pages whose read and write buttons follow the link state.
constexpr PageId kGoverned[] = {PageId::Basic,   PageId::Reference, PageId::Motor,
                                PageId::Protection, PageId::Control, PageId::Other,
                                PageId::ModeSet};

// The order of the caption routines on a language switch.
constexpr PageId kCaptionOrder[] = {PageId::Basic,      PageId::Reference, PageId::Motor,
                                    PageId::Control,    PageId::DqPid,     PageId::Protection,
                                    PageId::Other,      PageId::FluxWeaken, PageId::IdcCalib,
                                    PageId::Derate,     PageId::ModeSet};

std::size_t at(PageId id)
{
    return std::size_t(id);
}
} // namespace

const char *pageWindowName(PageId id)
{
    return kWindowNames[at(id)];
}

struct PageNavigator::Navigation
{
    PageId shows;
    FrameId request; // FrameId::None: the port is left alone and nothing is sent
    std::initializer_list<PageId> closes;
    bool modal = false;
};

PageNavigator::PageNavigator(AppState &state, LinkController &link, MessageService &messages,
                             QWidget *mainWindow, QObject *parent)
    : QObject(parent),
      m_state(state),
      m_link(link),
      m_linkAlive(&link),
      m_messages(messages),
      m_mainWindow(mainWindow)
{
    auto parameterPage = [this](const PageCodec &codec) {
        return [this, codec](QWidget *parent) -> QWidget * {
            return new ParameterPage(codec, m_state, m_link, m_messages, parent);
        };
    };
    m_factories[at(PageId::Basic)] = parameterPage({&basicTable(), encodeBasic, decodeBasic});
    m_factories[at(PageId::Reference)] =
        parameterPage({&referenceTable(), encodeReference, decodeReference});

    Dispatcher &dispatch = link.dispatcher();
    dispatch.setHandler(ReplyAction::DecodeBasic, [this] { decode(PageId::Basic); });
    dispatch.setHandler(ReplyAction::DecodeReference, [this] { decode(PageId::Reference); });
}

PageNavigator::~PageNavigator()
{
    if (m_linkAlive) {
        m_link.dispatcher().setHandler(ReplyAction::DecodeBasic, {});
        m_link.dispatcher().setHandler(ReplyAction::DecodeReference, {});
    }
}

void PageNavigator::setPageFactory(PageId id, PageFactory factory)
{
    m_factories[at(id)] = std::move(factory);
}

void PageNavigator::setControllerTypeRoutine(std::function<void()> routine)
{
    m_fitToControllerType = std::move(routine);
}

QWidget *PageNavigator::page(PageId id) const
{
    return m_pages[at(id)].data();
}

QWidget *PageNavigator::page(const QString &name) const
{
    for (std::size_t i = 0; i < std::size(kWindowNames); ++i) {
        if (name == QLatin1String(kWindowNames[i]))
            return m_pages[i].data();
    }
    return nullptr;
}

QWidget *PageNavigator::ensurePage(PageId id)
{
    if (QWidget *existing = m_pages[at(id)])
        return existing;
    const PageFactory &factory = m_factories[at(id)];
    if (!factory)
        return nullptr;
    QWidget *w = factory(m_mainWindow);
    if (!w)
        return nullptr;
    w->setObjectName(QLatin1String(pageWindowName(id)));
    w->setWindowFlag(Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_pages[at(id)] = w;
    if (auto *p = qobject_cast<PageWindow *>(w)) {
        // A page the user closes is gone at once: the next use starts afresh.
        connect(p, &PageWindow::closing, this, [this, id, p] {
            if (m_pages[at(id)] == p)
                m_pages[at(id)] = nullptr;
        });
        p->formLoad();
    }
    return w;
}

ParameterPage *PageNavigator::parameterPage(PageId id)
{
    return qobject_cast<ParameterPage *>(ensurePage(id));
}

void PageNavigator::showPage(PageId id, bool modal)
{
    QWidget *w = ensurePage(id);
    if (!w)
        return;
    if (modal)
        w->setWindowModality(Qt::ApplicationModal);
    if (w->isVisible()) {
        w->raise();
        w->activateWindow();
        return;
    }
    w->adjustSize();
    if (m_mainWindow) {
        const QRect frame = m_mainWindow->frameGeometry();
        w->move(frame.topLeft() + QPoint(40, 60));
    }
    w->show();
    w->activateWindow();
}

void PageNavigator::closePage(PageId id)
{
    QWidget *w = m_pages[at(id)];
    if (!w)
        return;
    m_pages[at(id)] = nullptr;
    w->hide();
    // Navigation runs from the main window, never from inside the page.
    delete w;
}

void PageNavigator::navigate(const Navigation &nav)
{
    if (nav.request != FrameId::None)
        m_link.sendFrame(requestFrames().readRequestFor(nav.request));
    showPage(nav.shows, nav.modal);
    for (PageId id : nav.closes)
        closePage(id);
}

void PageNavigator::decode(PageId id)
{
    if (ParameterPage *p = parameterPage(id))
        p->decodeReply();
}

using P = PageId;

void PageNavigator::cmdBasic_Click()
{
    navigate({P::Basic, FrameId::Basic,
              {P::Reference, P::Motor, P::Control, P::DqPid, P::Protection, P::Other,
               P::FluxWeaken, P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmdReference_Click()
{
    navigate({P::Reference, FrameId::Reference,
              {P::Basic, P::Motor, P::Control, P::DqPid, P::Protection, P::Other, P::FluxWeaken,
               P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmdMotor_Click()
{
    navigate({P::Motor, FrameId::Motor, {}});
}

void PageNavigator::cmdContorl_Click()
{
    navigate({P::Control, FrameId::Control,
              {P::Basic, P::Reference, P::Motor, P::DqPid, P::Protection, P::Other, P::FluxWeaken,
               P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmdProtection_Click()
{
    navigate({P::Protection, FrameId::Protection, {}});
}

void PageNavigator::cmdOther_Click()
{
    navigate({P::Other, FrameId::Other,
              {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid, P::Protection,
               P::FluxWeaken, P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmddqPID_Click()
{
    navigate({P::DqPid, FrameId::DqPid,
              {P::Basic, P::Reference, P::Motor, P::Control, P::Protection, P::Other,
               P::FluxWeaken, P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmdFluxWeaken_Click()
{
    navigate({P::FluxWeaken, FrameId::FluxWeaken,
              {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid, P::Other, P::IdcCalib,
               P::IacCalib}});
}

void PageNavigator::cmdDerate_Click()
{
    navigate({P::Derate, FrameId::Derate,
              {P::Basic, P::Other, P::Reference, P::Motor, P::Control, P::DqPid, P::Protection,
               P::FluxWeaken, P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmdModeSet_Click()
{
    navigate({P::ModeSet, FrameId::ModeSet,
              {P::Basic, P::Reference, P::Control, P::DqPid, P::Other, P::IdcCalib, P::IacCalib}});
}

void PageNavigator::cmdIdcCalib_Click()
{
    navigate({P::IdcCalib, FrameId::IdcCalib,
              {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid, P::Protection, P::Other,
               P::FluxWeaken, P::IacCalib}});
}

void PageNavigator::cmdIacCalib_Click()
{
    navigate({P::IacCalib, FrameId::None,
              {P::Basic, P::Reference, P::Motor, P::Control, P::DqPid, P::Protection, P::Other,
               P::FluxWeaken, P::IdcCalib}});
}

void PageNavigator::cmdCurve_Click()
{
    navigate({P::Curve, FrameId::None, {}});
}

void PageNavigator::showUserInfoPage()
{
    navigate({P::UserInfo, FrameId::None, {}, true});
}

void PageNavigator::hideEcoSpeed()
{
    if (ParameterPage *basic = parameterPage(PageId::Basic))
        basic->setFieldHidden(QString::fromLatin1(kEcoSpeedControl));
}

void PageNavigator::onLinkTick(bool online)
{
    if (online && m_fitToControllerType)
        m_fitToControllerType();
    for (PageId id : kGoverned) {
        QWidget *p = ensurePage(id);
        if (!p)
            continue;
        // Only these two: a page's other buttons keep their state.
        for (const char *name : {"cmdread", "cmdwrite"}) {
            if (auto *button = p->findChild<QAbstractButton *>(QLatin1String(name)))
                button->setEnabled(online);
        }
    }
}

void PageNavigator::applyLanguage()
{
    for (PageId id : kCaptionOrder) {
        if (auto *p = qobject_cast<PageWindow *>(ensurePage(id)))
            p->applyCaptions();
    }
}
