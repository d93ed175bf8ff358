#include "pages/ui/pagenavigator.h"

#include "pages/parameterservice.h"
#include "pages/ui/parameterpage.h"
#include "widgets/windowconduct.h"

#include <QAbstractButton>
#include <QScreen>
#include <QWidget>

const char *pageWindowName(PageId id)
{
    return pageDef(id).window;
}

PageNavigator::PageNavigator(ParameterService &service, const LanguageState &language,
                             MessageService &messages, QWidget *mainWindow, QObject *parent)
    : QObject(parent),
      m_service(service),
      m_language(language),
      m_messages(messages),
      m_mainWindow(mainWindow),
      m_slots(allPages().size())
{
    for (const PageDef &def : allPages()) {
        if (!def.table)
            continue;
        const BlockTable *table = &def.table();
        slotOf(def.id).factory = [this, table](QWidget *parent) -> QWidget * {
            return new ParameterPage(*table, m_service, m_language, m_messages, parent);
        };
    }
    connect(&service, &ParameterService::controllerTypeLearned, this, &PageNavigator::followControllerType);
}

PageNavigator::~PageNavigator() = default;

void PageNavigator::setPageFactory(PageId id, PageFactory factory)
{
    slotOf(id).factory = std::move(factory);
}

QWidget *PageNavigator::page(PageId id) const
{
    return slotOf(id).window.data();
}

QWidget *PageNavigator::page(const QString &name) const
{
    const PageDef *def = findPage(name);
    return def ? page(def->id) : nullptr;
}

QWidget *PageNavigator::ensurePage(PageId id)
{
    Slot &slot = slotOf(id);
    if (slot.window)
        return slot.window;
    if (!slot.factory)
        return nullptr;
    QWidget *w = slot.factory(m_mainWindow);
    if (!w)
        return nullptr;
    const PageDef &def = pageDef(id);
    w->setObjectName(QLatin1String(def.window));
    // Owned by the main window: the window system keeps it above.
    if (w->windowType() != Qt::Dialog)
        w->setWindowFlags(kOwnedWindow);
    w->setAttribute(Qt::WA_DeleteOnClose);
    slot.window = w;
    if (auto *p = qobject_cast<PageWindow *>(w)) {
        // A page the user closes is gone at once: the next use starts afresh.
        connect(p, &PageWindow::closing, this, [this, id, p] {
            Slot &s = slotOf(id);
            s.position = p->pos();
            s.placed = true;
            if (s.window == p) {
                s.window = nullptr;
                m_service.resetModel(pageDef(id).family);
            }
        });
        p->formLoad();
    }
    if (def.governedByLink) {
        slot.read = w->findChild<QAbstractButton *>(QStringLiteral("cmdread"));
        slot.write = w->findChild<QAbstractButton *>(QStringLiteral("cmdwrite"));
        if (m_online)
            holdLinkButtons(slot, *m_online);
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
    placePage(slotOf(id), w);
    w->show();
    w->activateWindow();
}

void PageNavigator::placePage(Slot &slot, QWidget *w)
{
    if (slot.placed) {
        w->move(slot.position);
        return;
    }
    if (!m_mainWindow)
        return;
    const QScreen *screen = m_mainWindow->screen();
    if (!screen)
        return;
    const auto global = [](const QWidget *x) { return QRect(x->mapToGlobal(QPoint(0, 0)), x->size()); };
    PagePlacement where;
    where.screen = screen->availableGeometry();
    // The frame as the window system last told it, and never less than the
    // window itself (the size may have changed since).
    where.mainFrame = m_mainWindow->frameGeometry() | global(m_mainWindow);
    if (m_anchor)
        where.bar = global(m_anchor);
    for (const QPointer<QWidget> &x : m_keepClear) {
        if (x && x->isVisible())
            where.keepClear |= global(x);
    }
    for (const Slot &other : m_slots) {
        if (other.window && other.window != w && other.window->isVisible())
            where.taken << other.window->frameGeometry();
    }
    // Before its first showing the page has no frame yet: the main window's
    // frame stands in for it.
    const QSize frame = w->testAttribute(Qt::WA_WState_Created) && w->frameGeometry().size() != w->size()
                            ? w->frameGeometry().size() - w->size()
                            : m_mainWindow->frameGeometry().size() - m_mainWindow->size();
    w->move(placePageFrame(where, w->size() + frame));
}

void PageNavigator::closePage(PageId id)
{
    Slot &slot = slotOf(id);
    // The page's values go with it, window or not.
    m_service.resetModel(pageDef(id).family);
    QWidget *w = slot.window;
    if (!w)
        return;
    slot.window = nullptr;
    if (w->isVisible()) {
        slot.position = w->pos();
        slot.placed = true;
    }
    w->hide();
    // Navigation runs from the main window, never from inside the page.
    delete w;
}

void PageNavigator::open(PageId id)
{
    const PageDef &def = pageDef(id);
    if (def.readsOnOpen)
        m_service.read(def.family);
    showPage(id, def.modal);
    for (PageId closed : def.closes)
        closePage(closed);
}

void PageNavigator::followControllerType()
{
    m_service.fitToControllerType();
    for (const PageDef &def : allPages()) {
        if (!def.captionsFollowType)
            continue;
        if (auto *p = qobject_cast<PageWindow *>(page(def.id)))
            p->applyCaptions();
    }
}

void PageNavigator::holdLinkButtons(Slot &slot, bool online)
{
    // Only these two: a page's other buttons keep their state.
    for (QAbstractButton *button : {slot.read.data(), slot.write.data()}) {
        if (button && button->isEnabled() != online)
            button->setEnabled(online);
    }
}

void PageNavigator::onLinkTick(bool online)
{
    m_online = online;
    if (online)
        m_service.fitToControllerType();
    for (const PageDef &def : allPages()) {
        Slot &slot = slotOf(def.id);
        if (def.governedByLink && slot.window)
            holdLinkButtons(slot, online);
    }
}

void PageNavigator::applyLanguage()
{
    for (const PageDef &def : allPages()) {
        if (auto *p = qobject_cast<PageWindow *>(page(def.id)))
            p->applyCaptions();
    }
}
