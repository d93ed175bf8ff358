#pragma once
// The main window frmMain: owns the link timer Timer3, shows the link state,
// and carries the menus, the button bar and the status panels.

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class IndicatorShape;
struct AppState;
class LinkController;
class MessageService;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AppState &state, LinkController &link, MessageService &messages,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Ports offered by the port dialog after the numbers and the detected devices.
    void setExtraPorts(const QStringList &ports) { m_extraPorts = ports; }
    // What ends the program after shutDown (tests replace it).
    void setQuitFunction(std::function<void()> quit) { m_quit = std::move(quit); }

    // Opens `device` with `settings` and starts the link timer, as a confirmed
    // port dialog would. Reports a failure and returns false.
    bool openPortAtStart(const QString &device, const QString &settings);

    QTimer *linkTimer() const { return m_timer3; }
    void startLinkTimer();

    // Event handlers, public so that tests can drive them directly.
    void Timer3_Timer();
    void Menu_File_Exit_Click();
    void Menu_Option_ComSet_Click();
    void shutDown();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void buildMenus();
    void buildStatusBar();
    void buildCentral();
    void applyShellCaptions();
    void showLinkState();
    QString portLabel() const;

    AppState &m_state;
    LinkController &m_link;
    MessageService &m_messages;
    QTimer *m_timer3 = nullptr;
    IndicatorShape *m_shape = nullptr;
    QLabel *m_lblWelCom1 = nullptr;
    QLabel *m_panelPortNo = nullptr;
    QLabel *m_panelPortState = nullptr;
    QLabel *m_panelMcuSN = nullptr;
    QLabel *m_panelData = nullptr;
    QMenu *m_menuFile = nullptr;
    QMenu *m_menuOption = nullptr;
    QAction *m_actExit = nullptr;
    QAction *m_actComSet = nullptr;
    QStringList m_extraPorts;
    std::function<void()> m_quit;
    bool m_shuttingDown = false;
};
