#pragma once
// The page windows as the main window sees them: the navigation handlers of
// its buttons and menu (one generic handler over the page registry), the link
// timer's hold on the read and write buttons, and the language switch of the
// pages. The windows are views of the parameter service's models: a window
// is made when a page is shown, and closing a page sends its model back to
// the defaults, as closing the window always did.

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QWidget;
class MessageService;
class ParameterService;

// "frmBasic", "frmdqPID", ...
const char *pageWindowName(PageId id);

class PageNavigator : public QObject
{
    Q_OBJECT
public:
    // Makes a page window (hidden) as a child window of `parent`.
    using PageFactory = std::function<QWidget *(QWidget *parent)>;

    PageNavigator(ParameterService &service, const LanguageState &language, MessageService &messages,
                  QWidget *mainWindow, QObject *parent = nullptr);
    ~PageNavigator() override;

    // The navigation handler of a page: sends the read request when the page
    // reads on open (opening the port), shows the page, then closes the pages
    // of its close list in their order.
    void open(PageId id);

    // The main window's handlers by their names.
    void cmdBasic_Click() { open(PageId::Basic); }
    void cmdReference_Click() { open(PageId::Reference); }
    void cmdMotor_Click() { open(PageId::Motor); }
    void cmdContorl_Click() { open(PageId::Control); }
    void cmdProtection_Click() { open(PageId::Protection); }
    void cmdOther_Click() { open(PageId::Other); }
    void cmddqPID_Click() { open(PageId::DqPid); }
    void cmdFluxWeaken_Click() { open(PageId::FluxWeaken); }
    void cmdDerate_Click() { open(PageId::Derate); }
    void cmdModeSet_Click() { open(PageId::ModeSet); }
    void cmdIdcCalib_Click() { open(PageId::IdcCalib); }
    void cmdIacCalib_Click() { open(PageId::IacCalib); }
    void cmdCurve_Click() { open(PageId::Curve); }
    void showUserInfoPage() { open(PageId::UserInfo); }

    // Every tick of the link timer, after the link state has been shown: fits
    // the pages to the controller type while online, and enables (online) or
    // disables the read and write buttons of the pages the timer governs.
    void onLinkTick(bool online);

    // After a block that told the controller type: the models are fitted to
    // it and the pages whose captions follow it are captioned again.
    void followControllerType();

    // The page caption routines, in their order, for the current language.
    void applyLanguage();

    // The page window with this objectName ("frmBasic"), or nullptr when it
    // does not exist.
    QWidget *page(const QString &name) const;
    QWidget *page(PageId id) const;

    // The page window, created hidden (with its model's values and the
    // captions) when it does not exist; nullptr for a page without a window.
    QWidget *ensurePage(PageId id);

    // Pages open to the right of the main window when they fit on the
    // screen, else beside this widget (the main window's button bar), never
    // over it nor over the widgets of `setKeepClear` (the connection
    // indicator); a page that would open exactly over another cascades.
    void setAnchor(QWidget *anchor) { m_anchor = anchor; }
    void setKeepClear(const QList<QWidget *> &widgets)
    {
        m_keepClear.clear();
        for (QWidget *w : widgets)
            m_keepClear << w;
    }

    // Plugs in the window of a page that is not a plain parameter page
    // (curve, calibration, user information, a page with extra buttons).
    void setPageFactory(PageId id, PageFactory factory);

signals:
    // A page window was created (hidden, captions applied).
    void pageCreated(PageId id, QWidget *page);

private:
    struct Slot
    {
        PageFactory factory;
        QPointer<QWidget> window;
        QPoint position; // where the user left the page
        bool placed = false;
        QPointer<QAbstractButton> read;  // the buttons the link timer holds
        QPointer<QAbstractButton> write;
    };
    Slot &slotOf(PageId id) { return m_slots[std::size_t(pageIndex(id))]; }
    const Slot &slotOf(PageId id) const { return m_slots[std::size_t(pageIndex(id))]; }
    void showPage(PageId id, bool modal);
    void placePage(Slot &slot, QWidget *w);
    void closePage(PageId id);
    void holdLinkButtons(Slot &slot, bool online);

    ParameterService &m_service;
    const LanguageState &m_language;
    MessageService &m_messages;
    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_anchor;
    QList<QPointer<QWidget>> m_keepClear;
    std::vector<Slot> m_slots; // by registry row
    std::optional<bool> m_online; // as the last link tick left it
};
