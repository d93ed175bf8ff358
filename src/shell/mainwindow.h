#pragma once
// The main window frmMain: the button bar, the live-status and fault panels,
// the connection indicator and status bar, the menus, the link timer Timer3
// and the language switch.

#include "core/datafolder.h"
#include "core/localclock.h"
#include "monitor/statusdecoder.h"
#include "pages/engine/pageregistry.h"
#include "pages/parameterservice.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class HallTestController;
class IndicatorShape;
class LoadParaChain;
class IqTestRun;
class PageNavigator;
class RecordControls;
class SoundPlayer;
class StatusPanel;
class TrendHistory;
class TrendWindow;
class ParameterSetWindow;
class ReportDialog;
class SessionLog;
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
    // Sounds go here instead of the speaker (tests).
    void setSoundPlayer(SoundPlayer *player);
    // The clock of the heating test and the Iq test timing (tests).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // Called for every status block while recording, after the record has
    // been appended to the log.
    void setRecordHook(std::function<void()> hook) { m_recordHook = std::move(hook); }
    // Shows the elapsed time of a timed Iq test ("03:20").
    void setConductionDisplay(std::function<void(const QString &)> show) { m_showConduction = std::move(show); }

    // Opens `device` with `settings` and starts the link timer, as a confirmed
    // port dialog would. Reports a failure and returns false.
    bool openPortAtStart(const QString &device, const QString &settings);

    QTimer *linkTimer() const;
    QTimer *hallTestTimer() const { return m_timer1; }
    PageNavigator *pages() const { return m_pages.get(); }
    ParameterService *parameters() const { return m_service.get(); }
    HallTestController *hallTest() const { return m_hall; }
    IqTestRun *iqTestRun() const { return m_iqRun; }
    // Where the tool finds its sound and data files and writes the log and
    // the export.
    const DataFolder &dataFolder() const { return m_dataFolder; }
    LoadParaChain *loadPara() const { return m_loadPara.get(); }
    // The record buttons, the log and the export.
    RecordControls *records() const { return m_records; }
    void startLinkTimer();

    // Event handlers and routines, public so that tests can drive them.
    void Timer3_Timer();
    void Menu_File_Exit_Click();
    // File > "Service report…": what this session found and did (made on first use).
    void Menu_File_Report_Click();
    SessionLog &sessionLog() const { return *m_sessionLog; }
    ReportDialog *reportDialog() const;
    void Menu_Option_ComSet_Click();
    void Menu_Option_Disconnect_Click();
    void Menu_Option_UserInfo_Click();
    // Our own entry: the curve page, whose button stays hidden.
    void Menu_Option_Curve_Click();
    // Options > "Trends": the live trends (made on first use).
    void Menu_Option_Trends_Click();
    // Options > poll rate: 1, 2, 5 or 10 status polls a second.
    void setPollRate(int pollsPerSecond);
    TrendHistory &trendHistory() const { return *m_trendHistory; }
    TrendWindow *trendWindow() const;
    // File > back up, compare and restore parameter sets (made on first use).
    ParameterSetWindow *setWindow();
    void Menu_Help_Cont_Click();
    void Menu_Help_About_Click();
    void applyLanguage(int code);
    void decodeStatus(const Block &block);
    void disableMainButtons();
    void enableMainButtons();
    void shutDown();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void buildMenus();
    void setUpPageWindows();
    void buildStatusBar();
    void buildCentral();
    QWidget *buildBar(QWidget *parent);
    void connectBar();
    void onLinkTicked();
    void openFromMenu(PageId id);
    void showWriteChecked(FrameId family, const ParameterService::Verification &v);
    QPushButton *addButton(const char *name, const QString &designCaption);
    QPushButton *button(const char *name) const;
    void applyEnglishShell();
    void applyChineseShell();
    void applyShellCaptions();
    void applyMainCaptions();
    void showDataFolder();
    void showMcuModel();
    void showLinkState();
    void holdLinkControls(bool online);
    // What the link's texts and dot were last set from.
    struct LinkShown
    {
        int linkState = 0;
        int portNumber = 0;
        int languageCode = 0;
        QString portName;
        QString portSettings;
        bool operator==(const LinkShown &) const = default;
    };
    LinkShown linkShown() const;
    void showConnectionText();
    static void setEnabledIfChanged(QWidget *widget, bool enabled);
    void timeIqTest();
    QString portLabel() const;
    void showLastBlock();
    // Local time to the millisecond; the zone's offset is looked up at most
    // once a second (it is read on every status block).
    QDateTime now() const { return m_now ? m_now() : m_localClock.now(); }
    void send(const QByteArray &frame);
    void buildTrendMenus();
    void applyTrendCaptions();
    void wireTrends();
    void feedTrends(const Block &block);
    void buildSetMenus();
    void applySetCaptions();

    AppState &m_state;
    LinkController &m_link;
    MessageService &m_messages;
    DataFolder m_dataFolder;
    std::unique_ptr<SoundPlayer> m_ownSounds;
    SoundPlayer *m_sounds = nullptr;
    HallTestController *m_hall = nullptr;
    std::unique_ptr<ParameterService> m_service;
    std::unique_ptr<PageNavigator> m_pages;
    IqTestRun *m_iqRun = nullptr;
    StatusDecoder m_statusDecoder;
    std::unique_ptr<LoadParaChain> m_loadPara;
    RecordControls *m_records = nullptr;
    QTimer *m_timer1 = nullptr;
    IndicatorShape *m_shape = nullptr;
    StatusPanel *m_statusPanel = nullptr;
    QWidget *m_buttonBar = nullptr;
    QLabel *m_lblWelCom1 = nullptr;
    QLabel *m_lblMaxTime = nullptr;
    QLineEdit *m_txtMaxTime = nullptr;
    QLineEdit *m_txtStart = nullptr;
    QLineEdit *m_txtStop = nullptr;
    QLineEdit *m_txtDateDiff = nullptr;
    QLabel *m_panelPortNo = nullptr;
    QLabel *m_panelPortState = nullptr;
    QLabel *m_panelMcuSN = nullptr;
    QLabel *m_panelData = nullptr;
    QLabel *m_panelLastBlock = nullptr; // "Last block 12:03:41" while offline
    QDateTime m_lastBlockAt;
    QList<QPushButton *> m_bar; // the governed buttons: the bar's and the hidden factory ones
    QPushButton *m_recordStop = nullptr;
    QMenu *m_menuFile = nullptr;
    QMenu *m_menuOption = nullptr;
    QMenu *m_menuLang = nullptr;
    QMenu *m_menuHelp = nullptr;
    QAction *m_actExit = nullptr;
    QAction *m_actComSet = nullptr;
    QAction *m_actVerifyWrites = nullptr;
    QAction *m_actDisconnect = nullptr;
    QList<QAction *> m_pageActions; // the Options menu's pages, with their registry rows
    QList<const PageDef *> m_pageActionRows;
    QAction *m_actChinese = nullptr;
    QAction *m_actEnglish = nullptr;
    QAction *m_actContact = nullptr;
    QAction *m_actAbout = nullptr;
    QAction *m_actTrends = nullptr;
    QMenu *m_menuPollRate = nullptr;
    QList<QAction *> m_actPollRates;
    std::unique_ptr<TrendHistory> m_trendHistory;
    QPointer<TrendWindow> m_trendWindow;
    QPointer<ParameterSetWindow> m_setWindow;
    QList<QAction *> m_setActions; // File: back up, compare, restore, compare files, compare defaults
    SessionLog *m_sessionLog = nullptr;
    QAction *m_actReport = nullptr;
    QPointer<ReportDialog> m_reportDialog;
    QStringList m_extraPorts;
    std::function<void()> m_quit;
    std::function<QDateTime()> m_now;
    mutable LocalClock m_localClock;
    std::optional<LinkShown> m_linkShown; // none: the texts are set on the next tick
    std::function<void()> m_recordHook;
    std::function<void(const QString &)> m_showConduction;
    bool m_shuttingDown = false;
    int m_subproject = -1; // byte 22 of the last Idc block; -1 before the first
};
