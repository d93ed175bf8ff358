#pragma once
// The parameter and calibration pages as the main window sees them: the
// navigation handlers of its buttons and menu, the link timer's hold on the
// read and write buttons, and the language switch of the pages.

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

class QWidget;
struct AppState;
class LinkController;
class MessageService;
class ParameterPage;

// Every window a navigation handler shows or closes.
enum class PageId {
    Basic,
    Reference,
    Motor,
    Control,
    DqPid,
    Protection,
    Other,
    FluxWeaken,
    Derate,
    ModeSet,
    IdcCalib,
    IacCalib,
    Curve,
    UserInfo,
    Count
};

// "frmBasic", "frmdqPID", ...
const char *pageWindowName(PageId id);

class PageNavigator : public QObject
{
    Q_OBJECT
public:
    // Makes a page window (hidden) as a child window of `parent`.
    using PageFactory = std::function<QWidget *(QWidget *parent)>;

    PageNavigator(AppState &state, LinkController &link, MessageService &messages,
                  QWidget *mainWindow, QObject *parent = nullptr);
    ~PageNavigator() override;

    // The main window's navigation handlers.
    void cmdBasic_Click();
    void cmdReference_Click();
    void cmdMotor_Click();
    void cmdContorl_Click();
    void cmdProtection_Click();
    void cmdOther_Click();
    void cmddqPID_Click();
    void cmdFluxWeaken_Click();
    void cmdDerate_Click();
    void cmdModeSet_Click();
    void cmdIdcCalib_Click();
    void cmdIacCalib_Click();
    void cmdCurve_Click();
    // Shows the user information page; the main window has sent its read request.
    void showUserInfoPage();

    // Every tick of the link timer, after the link state has been shown: fits
    // the pages to the controller type while online, and enables (online) or
    // disables the read and write buttons of the pages the timer governs.
    void onLinkTick(bool online);

    // The page caption routines, in their order, for the current language.
    void applyLanguage();

    // The page window with this objectName ("frmBasic"), or nullptr when it
    // does not exist.
    QWidget *page(const QString &name) const;
    QWidget *page(PageId id) const;

    // The page window, created hidden (with its defaults and captions) when
    // it does not exist; nullptr for a page the tool does not have yet.
    QWidget *ensurePage(PageId id);

    // Plugs in the window of a page that lives elsewhere (curve, calibration,
    // user information, ...).
    void setPageFactory(PageId id, PageFactory factory);
    // The routine that fits the pages to the controller type; run on every
    // tick while online, before the read and write buttons are enabled.
    void setControllerTypeRoutine(std::function<void()> routine);
    // Controller type 1: hides "ECO speed[rpm]" on the Basic page (created
    // hidden if need be); its bytes still travel with the block.
    void hideEcoSpeed();

private:
    struct Navigation;
    void navigate(const Navigation &nav);
    void showPage(PageId id, bool modal);
    void closePage(PageId id);
    void decode(PageId id);
    ParameterPage *parameterPage(PageId id);

    AppState &m_state;
    LinkController &m_link;
    QPointer<QObject> m_linkAlive; // the link may go first when the program ends
    MessageService &m_messages;
    QPointer<QWidget> m_mainWindow;
    std::array<PageFactory, std::size_t(PageId::Count)> m_factories;
    std::array<QPointer<QWidget>, std::size_t(PageId::Count)> m_pages;
    std::function<void()> m_fitToControllerType;
};
