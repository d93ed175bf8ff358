#pragma once
// The page windows as the main window sees them: the navigation handlers of
// its buttons and menu (one generic handler over the page registry), the link
// timer's hold on the read and write buttons, the controller-type fitting and
// the language switch of the pages.

#include "core/appstate.h"
#include "pages/engine/pageregistry.h"

#include <QObject>
#include <QPointer>

#include <QPoint>

#include <array>
#include <functional>

class QAbstractButton;
class QWidget;
class LinkController;
class MessageService;
class PageWindow;
class ParameterPage;

// "frmBasic", "frmdqPID", ...
const char *pageWindowName(PageId id);

class PageNavigator : public QObject
{
    Q_OBJECT
public:
    // Makes a page window (hidden) as a child window of `parent`.
    using PageFactory = std::function<QWidget *(QWidget *parent)>;

    PageNavigator(BlockParts parts, const LanguageState &language, LinkController &link,
                  MessageService &messages, QWidget *mainWindow, QObject *parent = nullptr);
    ~PageNavigator() override;

    // The navigation handler of a page: opens the port and sends the read
    // request when the page reads on open, shows the page, then closes the
    // pages of its close list in their order.
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

    // Hides, one way, the controls of every page that the controller type
    // hides (creating those pages hidden when they do not exist).
    void applyControllerType();

    // After a block that tells the controller type: fits the pages to it and
    // runs the caption routines of the pages whose captions follow it.
    void followControllerType();

    // The page caption routines, in their order, for the current language.
    void applyLanguage();

    // The page window with this objectName ("frmBasic"), or nullptr when it
    // does not exist.
    QWidget *page(const QString &name) const;
    QWidget *page(PageId id) const;

    // The page window, created hidden (with its defaults and captions) when
    // it does not exist; nullptr for a page the tool does not have yet.
    QWidget *ensurePage(PageId id);

    // Pages open beside this widget (the main window's button bar), never
    // over it.
    void setAnchor(QWidget *anchor) { m_anchor = anchor; }

    // Plugs in the window of a page that is not a plain parameter page
    // (curve, calibration, user information, a page with extra buttons).
    void setPageFactory(PageId id, PageFactory factory);

signals:
    // A page window was created (hidden, captions applied).
    void pageCreated(PageId id, QWidget *page);

private:
    void showPage(PageId id, bool modal);
    void closePage(PageId id);
    void decode(FrameId buffer);

    BlockParts m_parts;
    const LanguageState &m_language;
    LinkController &m_link;
    MessageService &m_messages;
    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_anchor;
    std::array<PageFactory, std::size_t(PageId::Count)> m_factories;
    std::array<QPointer<QWidget>, std::size_t(PageId::Count)> m_pages;
    std::array<QPoint, std::size_t(PageId::Count)> m_positions; // where the user left each page
    std::array<bool, std::size_t(PageId::Count)> m_placed{};

    // What the link timer touches ten times a second, found once per page
    // window rather than on every tick.
    struct LinkButtons
    {
        QPointer<QWidget> page; // the window the buttons were found in
        QPointer<QAbstractButton> read;
        QPointer<QAbstractButton> write;
    };
    std::array<LinkButtons, std::size_t(PageId::Count)> m_linkButtons;
    // The pages the controller type `m_hidingType` hides anything on.
    int m_hidingType = -1;
    bool m_hidingKnown = false;
    std::array<bool, std::size_t(PageId::Count)> m_hides{};
    // The type each page window was last fitted to (hiding is one way, so
    // fitting the same window to the same type again changes nothing).
    struct Fitted
    {
        QPointer<QWidget> page;
        int type = 0;
    };
    std::array<Fitted, std::size_t(PageId::Count)> m_fitted;
};
