#pragma once
// The parameter and calibration pages as the main window sees them: the
// navigation handlers of its buttons and menu, the link timer's hold on the
// read and write buttons, and the language switch of the pages.

#include <QObject>
#include <QPointer>

class QWidget;
struct AppState;
class LinkController;
class MessageService;

class PageNavigator : public QObject
{
    Q_OBJECT
public:
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
};
