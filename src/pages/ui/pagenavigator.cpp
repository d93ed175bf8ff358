#include "pages/ui/pagenavigator.h"

#include "core/appstate.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/ui/parameterpage.h"

#include <QAbstractButton>
#include <QScreen>
#include <QWidget>

namespace {
std::size_t at(PageId id)
{
    return std::size_t(id);
}

bool hidesAnythingFor(const BlockTable &table, int controllerType)
{
    for (const FieldSpec &f : table.fields()) {
        if (f.control && f.hiddenFor(controllerType))
            return true;
    }
    return false;
}
} // namespace

const char *pageWindowName(PageId id)
{
    return pageDef(id).window;
}

PageNavigator::PageNavigator(BlockParts parts, const LanguageState &language, LinkController &link,
                             MessageService &messages, QWidget *mainWindow, QObject *parent)
    : QObject(parent),
      m_parts(parts),
      m_language(language),
      m_link(link),
      m_messages(messages),
      m_mainWindow(mainWindow)
{
    for (const PageDef &def : allPages()) {
        if (!def.table)
            continue;
        const BlockTable *table = &def.table();
        m_factories[at(def.id)] = [this, table](QWidget *parent) -> QWidget * {
            return new ParameterPage(*table, m_parts, m_language, m_link, m_messages, parent);
        };
    }
    connect(&link.dispatcher(), &Dispatcher::blockReceived, this, &PageNavigator::decode);
}

PageNavigator::~PageNavigator() = default;

void PageNavigator::setPageFactory(PageId id, PageFactory factory)
{
    m_factories[at(id)] = std::move(factory);
}

QWidget *PageNavigator::page(PageId id) const
{
    return m_pages[at(id)].data();
}

QWidget *PageNavigator::page(const QString &name) const
{
    const PageDef *def = findPage(name);
    return def ? page(def->id) : nullptr;
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
            m_positions[at(id)] = p->pos();
            m_placed[at(id)] = true;
            if (m_pages[at(id)] == p)
                m_pages[at(id)] = nullptr;
        });
        p->formLoad();
    }
    emit pageCreated(id, w);
    return w;
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
    if (m_placed[at(id)]) {
        w->move(m_positions[at(id)]);
    } else if (m_anchor) {
        // To the right of the bar, over the status panel, inside the screen.
        QPoint topLeft = m_anchor->mapToGlobal(QPoint(m_anchor->width() + 8, 0));
        if (const QScreen *screen = m_anchor->screen()) {
            const QRect free = screen->availableGeometry();
            const QSize size = w->frameGeometry().size().expandedTo(w->sizeHint());
            topLeft.setY(std::max(free.top(), std::min(topLeft.y(), free.bottom() - size.height())));
        }
        w->move(topLeft);
    } else if (m_mainWindow) {
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
    if (w->isVisible()) {
        m_positions[at(id)] = w->pos();
        m_placed[at(id)] = true;
    }
    w->hide();
    // Navigation runs from the main window, never from inside the page.
    delete w;
}

void PageNavigator::open(PageId id)
{
    const PageDef &def = pageDef(id);
    if (def.readsOnOpen)
        m_link.sendFrame(requestFrames().readRequestFor(def.buffer));
    showPage(id, def.modal);
    for (PageId closed : def.closes)
        closePage(closed);
}

void PageNavigator::decode(FrameId buffer)
{
    const PageDef *def = pageForBuffer(buffer);
    if (!def)
        return;
    if (auto *p = qobject_cast<PageWindow *>(ensurePage(def->id)))
        p->decodeReply();
    if (def->teachesControllerType)
        followControllerType();
}

void PageNavigator::followControllerType()
{
    applyControllerType();
    for (const PageDef &def : allPages()) {
        if (!def.captionsFollowType)
            continue;
        if (auto *p = qobject_cast<PageWindow *>(ensurePage(def.id)))
            p->applyCaptions();
    }
}

void PageNavigator::applyControllerType()
{
    const int type = m_parts.controllerType;
    if (!m_hidingKnown || m_hidingType != type) {
        for (const PageDef &def : allPages())
            m_hides[at(def.id)] = def.table && hidesAnythingFor(def.table(), type);
        m_hidingType = type;
        m_hidingKnown = true;
    }
    for (const PageDef &def : allPages()) {
        if (!m_hides[at(def.id)])
            continue;
        auto *p = qobject_cast<ParameterPage *>(ensurePage(def.id));
        if (!p)
            continue;
        Fitted &fitted = m_fitted[at(def.id)];
        if (fitted.page == p && fitted.type == type)
            continue;
        p->hideFieldsFor(type);
        fitted.page = p;
        fitted.type = type;
    }
}

void PageNavigator::onLinkTick(bool online)
{
    if (online)
        applyControllerType();
    for (const PageDef &def : allPages()) {
        if (!def.governedByLink)
            continue;
        QWidget *p = ensurePage(def.id);
        if (!p)
            continue;
        LinkButtons &buttons = m_linkButtons[at(def.id)];
        if (buttons.page != p) {
            buttons.page = p;
            buttons.read = p->findChild<QAbstractButton *>(QStringLiteral("cmdread"));
            buttons.write = p->findChild<QAbstractButton *>(QStringLiteral("cmdwrite"));
        }
        // Only these two: a page's other buttons keep their state.
        for (QAbstractButton *button : {buttons.read.data(), buttons.write.data()}) {
            if (button && button->isEnabled() != online)
                button->setEnabled(online);
        }
    }
}

void PageNavigator::applyLanguage()
{
    for (const PageDef &def : allPages()) {
        QWidget *w = def.captionsOnSwitch ? ensurePage(def.id) : page(def.id);
        if (auto *p = qobject_cast<PageWindow *>(w))
            p->applyCaptions();
    }
}
