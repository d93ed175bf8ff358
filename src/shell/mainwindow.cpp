#include "shell/mainwindow.h"

#include "calib/idccalc.h"
#include "calib/ui/halltestwindow.h"
#include "shell/report/reportdialog.h"
#include "shell/report/sessionlog.h"
#include "calib/ui/iaccalibpage.h"
#include "calib/ui/idccalibpage.h"
#include "calib/ui/iqtestrun.h"
#include "link/linkcontroller.h"
#include "link/ui/portdialog.h"
#include "link/portsettings.h"
#include "monitor/statusdecoder.h"
#include "monitor/ui/curvepage.h"
#include "monitor/ui/recordcontrols.h"
#include "monitor/ui/statuspanel.h"
#include "monitor/trendhistory.h"
#include "monitor/ui/trendwindow.h"
#include "pages/ui/setwindow.h"
#include "pages/blocks/idccalibblock.h"
#include "pages/loadparachain.h"
#include "pages/parameterservice.h"
#include "pages/ui/pagenavigator.h"
#include "pages/ui/protectionpage.h"
#include "pages/ui/userinfopage.h"
#include "core/appstate.h"
#include "link/commandtable.h"
#include "shell/contactdialog.h"
#include "buildinfo/buildinfo.h"
#include "widgets/firstpaint.h"
#include "widgets/fonts.h"
#include "widgets/framepacer.h"
#include "widgets/indicator.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "widgets/qtsoundplayer.h"
#include "widgets/windowconduct.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Twips (1/1440 inch) to device-independent pixels at the screen's DPI.
int twipsToPixels(int twips, const QWidget *w)
{
    const qreal dpi = w->screen() ? w->screen()->logicalDotsPerInch() : 96.0;
    return qRound(twips * dpi / 1440.0);
}

QLabel *panel(const char *key, QStatusBar *bar, int stretch)
{
    auto *l = new QLabel(bar);
    l->setObjectName(QLatin1String(key));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(120);
    bar->addWidget(l, stretch);
    return l;
}

QLineEdit *hiddenBox(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setVisible(false);
    return box;
}

// The main window's own buttons in the bar, beside the pages' (the pages'
// come from the page registry, in the same groups).
struct ShellButton
{
    const char *name;
    quint8 group;
    quint8 place;
    const char *english;
};
const ShellButton kShellButtons[] = {
    {"cmd_halltest", 1, 2, QT_TRANSLATE_NOOP("frmMain", "Hall A test")},
    {"cmd_hallBtest", 1, 3, QT_TRANSLATE_NOOP("frmMain", "Hall B test")},
    {"cmd_hallteststop", 1, 4, QT_TRANSLATE_NOOP("frmMain", "Stop hall test")},
    {"cmdRecord", 2, 0, QT_TRANSLATE_NOOP("frmMain", "Data record")},
    {"cmdRecordStop", 2, 1, QT_TRANSLATE_NOOP("frmMain", "Stop record")},
    {"cmdOpenRec", 2, 2, QT_TRANSLATE_NOOP("frmMain", "Open record")},
};

// A button of the bar: a page's opener or one of the window's own.
struct BarEntry
{
    const char *name;
    int group;
    int place;
    const char *english;
};

QList<BarEntry> barEntries()
{
    QList<BarEntry> entries;
    for (const PageDef &def : allPages()) {
        if (def.opener == Opener::BarButton)
            entries.append({def.button, def.group, def.place, def.caption});
    }
    for (const ShellButton &b : kShellButtons)
        entries.append({b.name, b.group, b.place, b.english});
    std::sort(entries.begin(), entries.end(), [](const BarEntry &a, const BarEntry &b) {
        return std::pair(a.group, a.place) < std::pair(b.group, b.place);
    });
    return entries;
}

} // namespace

MainWindow::MainWindow(AppState &state, LinkController &link, MessageService &messages,
                       QWidget *parent)
    : QMainWindow(parent),
      m_state(state),
      m_link(link),
      m_messages(messages),
      m_dataFolder(DataFolder::forThisProgram()),
      m_quit([] { QCoreApplication::quit(); })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("EV Kestrane V2.0.0.2"));
    setFont(englishFont(9));
    // On a fast line the live values change several times a frame: the
    // window paints them once a frame.
    new FramePacer(this);

    m_ownSounds = std::make_unique<QtSoundPlayer>(m_dataFolder);
    m_sounds = m_ownSounds.get();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    connect(&m_link, &LinkController::ticked, this, &MainWindow::onLinkTicked);

    // The status bar first: the menu bar asks the session bus whether menus
    // go to a global menu bar, and the bus connection, made on the side at
    // start-up, has that much longer to be ready.
    buildStatusBar();
    buildMenus();
    buildCentral();
    m_service = std::make_unique<ParameterService>(m_state.blockParts(), m_link, m_state.language);
    m_hall = new HallTestController(*m_service, m_state.language, m_timer1, this);
    m_pages = std::make_unique<PageNavigator>(*m_service, m_state.language, m_messages, this);
    m_hall->setNavigator(m_pages.get());
    m_iqRun = new IqTestRun(m_state.iqTest, m_state.connection, m_state.language, m_link, m_messages, this);
    // A timed motor test counts its time in link ticks.
    m_link.setTicksWanted([this] { return m_iqRun->running(); });
    m_iqRun->setBoxes(m_txtMaxTime, m_txtStart);
    m_iqRun->setSoundPlayer(m_sounds);
    m_iqRun->setClock([this] { return now(); });
    m_iqRun->setConductionDisplay([this](const QString &t) {
        if (m_showConduction)
            m_showConduction(t);
    });
    m_pages->setAnchor(m_buttonBar);
    m_pages->setKeepClear({m_shape, m_lblWelCom1, m_lblMaxTime, m_txtMaxTime});
    // An acknowledgement appears over the page that wrote.
    m_link.dispatcher().setWindowOfFamily([](FrameId family) {
        const PageDef *def = pageForFamily(family);
        return def ? QString::fromLatin1(def->window) : QString();
    });
    installEnterPressesButtons(this);
    setUpPageWindows();
    m_records = new RecordControls(m_state.recorder, m_state.language, m_messages, button("cmdRecord"),
                                   button("cmdRecordStop"), button("cmdOpenRec"), statusBar(), this);
    connect(&m_link.dispatcher(), &Dispatcher::statusReceived, this, &MainWindow::decodeStatus);
    // The model of the attached controller, from every Idc block.
    connect(m_service.get(), &ParameterService::decoded, this, [this](FrameId family) {
        const BlockModel *idc = m_service->model(FrameId::IdcCalib);
        if (family == FrameId::IdcCalib && idc->received()) {
            m_subproject = idcSubprojectNumber(*idc->received());
            showMcuModel();
        }
    });
    connect(m_service.get(), &ParameterService::writeChecked, this, &MainWindow::showWriteChecked);
    m_statusDecoder.setClock([this] { return now(); });
    wireTrends();
    // What the service report tells, from the first block of the session.
    m_sessionLog = new SessionLog(this);
    m_sessionLog->setClock([this] { return now(); });
    m_sessionLog->attach(m_link, *m_service);
    Form_Load();
}

MainWindow::~MainWindow()
{
    // The link may outlive this window.
    m_link.setTicksWanted({});
    // The state outlives this window; its redraw must not reach a page that is gone.
    m_state.curve.drawCurve = nullptr;
    // Before the history it shows goes.
    delete m_trendWindow;
    // Before the parameter service it reads and writes through goes.
    delete m_setWindow;
}

void MainWindow::setUpPageWindows()
{
    m_pages->setPageFactory(PageId::IacCalib, [this](QWidget *parent) -> QWidget * {
        return new IacCalibPage(m_state.language, m_link, m_messages, *m_iqRun, parent);
    });
    m_pages->setPageFactory(PageId::IdcCalib, [this](QWidget *parent) -> QWidget * {
        return new IdcCalibPage(*m_service, m_state.language, m_messages, parent);
    });
    m_pages->setPageFactory(PageId::UserInfo, [this](QWidget *parent) -> QWidget * {
        return new UserInfoPage(*m_service, m_state.language, m_messages, parent);
    });
    m_loadPara = std::make_unique<LoadParaChain>(*m_service, m_messages);
    m_pages->setPageFactory(PageId::Protection, [this](QWidget *parent) -> QWidget * {
        return new ProtectionPage(*m_service, m_state.language, m_messages, *m_loadPara, parent);
    });
    // The curve page exists from the start and follows every change of the
    // curve, shown or not; a page the user closed comes back hidden.
    m_pages->setPageFactory(PageId::Curve, [this](QWidget *parent) -> QWidget * {
        return new CurvePage(m_state.curve, parent);
    });
    m_state.curve.drawCurve = [this] {
        if (auto *curve = qobject_cast<CurvePage *>(m_pages->ensurePage(PageId::Curve)))
            curve->drawCurve();
    };
    // Made once the main window has painted: the first paint does not wait
    // for it.
    afterFirstPaint(this, 100, [this] { m_pages->ensurePage(PageId::Curve); });
}

void MainWindow::setSoundPlayer(SoundPlayer *player)
{
    m_sounds = player ? player : m_ownSounds.get();
    if (m_iqRun)
        m_iqRun->setSoundPlayer(m_sounds);
}

void MainWindow::buildMenus()
{
    auto menu = [this](const char *name, const char *caption) {
        QMenu *m = menuBar()->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto action = [](QMenu *m, const char *name, const char *caption) {
        QAction *a = m->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        return a;
    };
    m_menuFile = menu("Menu_File", "File(&F)");
    buildSetMenus();
    m_actReport = action(m_menuFile, "Menu_File_Report", "Service re&port…");
    m_menuFile->addSeparator();
    m_actExit = action(m_menuFile, "Menu_File_Exit", "Exit(&X)");
    m_menuOption = menu("Menu_Option", "Option(&O)");
    m_actComSet = action(m_menuOption, "Menu_Option_ComSet", "ComSet(&C)");
    m_actDisconnect = action(m_menuOption, "Menu_Option_Disconnect", "Disconnect");
    // The pages offered in the Options menu, in their places.
    QList<const PageDef *> menuPages;
    for (const PageDef &def : allPages()) {
        if (def.opener == Opener::OptionsMenu || def.menuEntry)
            menuPages << &def;
    }
    std::sort(menuPages.begin(), menuPages.end(),
              [](const PageDef *a, const PageDef *b) { return a->place < b->place; });
    for (const PageDef *def : menuPages) {
        const char *name = def->opener == Opener::OptionsMenu ? def->button : def->menuEntry;
        const char *caption = def->opener == Opener::OptionsMenu ? def->designCaption : def->caption;
        m_pageActions << action(m_menuOption, name, caption);
        m_pageActionRows << def;
    }
    m_menuLang = menu("Menu_Lang", "Language(&L)");
    m_actChinese = action(m_menuLang, "Menu_Lang_Chs", "中文");
    m_actEnglish = action(m_menuLang, "Menu_Lang_Eng", "English");
    m_menuHelp = menu("Menu_Help", "Help(&H)");
    m_actContact = action(m_menuHelp, "Menu_Help_Cont", "Contact us(&C)");
    m_actAbout = action(m_menuHelp, "Menu_Help_About", "About(&A)");

    connect(m_actReport, &QAction::triggered, this, &MainWindow::Menu_File_Report_Click);
    connect(m_actExit, &QAction::triggered, this, &MainWindow::Menu_File_Exit_Click);
    connect(m_actComSet, &QAction::triggered, this, &MainWindow::Menu_Option_ComSet_Click);
    connect(m_actDisconnect, &QAction::triggered, this, &MainWindow::Menu_Option_Disconnect_Click);
    for (int i = 0; i < int(m_pageActions.size()); ++i) {
        const PageId id = m_pageActionRows[i]->id;
        connect(m_pageActions[i], &QAction::triggered, this, [this, id] { openFromMenu(id); });
    }
    // Every page write is read back and compared, unless switched off.
    m_actVerifyWrites = action(m_menuOption, "Menu_Option_VerifyWrites", "Verify writes");
    m_actVerifyWrites->setCheckable(true);
    m_actVerifyWrites->setChecked(true);
    connect(m_actVerifyWrites, &QAction::toggled, this, [this](bool on) { m_service->setVerifyWrites(on); });
    connect(m_actChinese, &QAction::triggered, this, [this] { applyLanguage(LanguageCode::Chinese); });
    connect(m_actEnglish, &QAction::triggered, this, [this] { applyLanguage(LanguageCode::English); });
    connect(m_actContact, &QAction::triggered, this, &MainWindow::Menu_Help_Cont_Click);
    connect(m_actAbout, &QAction::triggered, this, &MainWindow::Menu_Help_About_Click);
    buildTrendMenus();
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    m_panelPortNo = panel("PortNo", bar, 1);
    m_panelPortState = panel("PortState", bar, 1);
    m_panelMcuSN = panel("McuSN", bar, 1);
    m_panelData = panel("Data", bar, 2);
    m_panelLastBlock = new QLabel(bar);
    m_panelLastBlock->setObjectName(QStringLiteral("lblLastBlock"));
    bar->addPermanentWidget(m_panelLastBlock);
    m_panelLastBlock->hide();
}

QPushButton *MainWindow::addButton(const char *name, const QString &designCaption)
{
    auto *b = new QPushButton(designCaption, this);
    b->setObjectName(QLatin1String(name));
    return b;
}

QPushButton *MainWindow::button(const char *name) const
{
    return findChild<QPushButton *>(QLatin1String(name));
}

void MainWindow::buildCentral()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    auto *top = new QHBoxLayout(central);

    QWidget *bar = buildBar(central);
    hiddenBox("txt1", central);
    m_txtStart = hiddenBox("txtStart", central);
    m_txtStop = hiddenBox("txtstop", central);
    m_txtDateDiff = hiddenBox("txtdatediff", central);

    // Right: connection and aging time, then the live panels.
    auto *right = new QVBoxLayout;
    auto *linkRow = new QHBoxLayout;
    m_shape = new IndicatorShape(central);
    m_shape->setObjectName(QStringLiteral("ShapeWelCom1"));
    m_lblWelCom1 = new QLabel(central);
    m_lblWelCom1->setObjectName(QStringLiteral("lblWelCom1"));
    // Shown beside the dot: colour alone tells nothing to a colour-blind user
    // or a screen reader.
    m_lblWelCom1->setVisible(true);
    m_lblMaxTime = new QLabel(central);
    m_lblMaxTime->setObjectName(QStringLiteral("lblMaxTime"));
    m_txtMaxTime = new QLineEdit(QStringLiteral("200"), central);
    m_txtMaxTime->setObjectName(QStringLiteral("txtMaxTime"));
    m_txtMaxTime->setMaximumWidth(70);
    m_lblMaxTime->setBuddy(m_txtMaxTime);
    linkRow->addWidget(m_shape);
    linkRow->addWidget(m_lblWelCom1);
    linkRow->addStretch();
    linkRow->addWidget(m_lblMaxTime);
    linkRow->addWidget(m_txtMaxTime);
    right->addLayout(linkRow);

    m_statusPanel = new StatusPanel(central);
    right->addWidget(m_statusPanel, 1);

    top->addWidget(bar);
    top->addLayout(right, 1);
    setCentralWidget(central);

    connectBar();
}

// The button bar, in three groups: parameter pages, calibration and tests,
// recording; then the buttons that stay hidden for the whole run.
QWidget *MainWindow::buildBar(QWidget *parent)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(QStringLiteral("buttonBar"));
    auto *barLayout = new QVBoxLayout(bar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(4);
    const QList<BarEntry> entries = barEntries();
    for (int i = 0; i < int(entries.size()); ++i) {
        QPushButton *b = addButton(entries[i].name, QString::fromLatin1(entries[i].english));
        // One height in both languages: the bar never grows the window.
        b->setFixedHeight(26);
        barLayout->addWidget(b);
        m_bar << b;
        if (i + 1 == int(entries.size()) || entries[i + 1].group != entries[i].group)
            barLayout->addSpacing(12);
    }
    barLayout->addStretch();

    QList<QPushButton *> hidden{addButton("cmd_SetFactory", QStringLiteral("Factory set")),
                                addButton("cmd_ResetDefaults", QStringLiteral("Factory Restore"))};
    m_bar += hidden; // governed like the bar, though never shown
    for (const PageDef &def : allPages()) {
        if (def.opener == Opener::HiddenButton)
            hidden << addButton(def.button, QString::fromLatin1(def.designCaption));
    }
    hidden << addButton("Command1", QStringLiteral("Beep"));
    for (QPushButton *b : hidden)
        b->setVisible(false);
    m_buttonBar = bar;
    m_recordStop = button("cmdRecordStop");
    return bar;
}

void MainWindow::connectBar()
{
    auto connectButton = [this](const char *name, auto handler) {
        connect(button(name), &QPushButton::clicked, this, handler);
    };
    // The page buttons, from the page registry.
    for (const PageDef &def : allPages()) {
        if (QPushButton *b = findChild<QPushButton *>(QLatin1String(def.button))) {
            const PageId id = def.id;
            connect(b, &QPushButton::clicked, this, [this, id] { m_pages->open(id); });
        }
    }
    connectButton("cmd_halltest", [this] { send(requestFrames().hallATestRequest); });
    connectButton("cmd_hallBtest", [this] { send(requestFrames().hallBTestRequest); });
    connectButton("cmd_hallteststop", [this] { m_hall->cmd_hallteststop_Click(); });
    connectButton("cmd_SetFactory", [this] { send(requestFrames().factorySetRequest); });
    connectButton("cmd_ResetDefaults", [this] { send(requestFrames().restoreDefaultsRequest); });
    connectButton("Command1", [this] { m_sounds->play(QStringLiteral("BUZZ.WAV")); });
}

void MainWindow::send(const QByteArray &frame)
{
    m_link.sendFrame(frame);
}

void MainWindow::Form_Load()
{
    resize(twipsToPixels(12800, this), twipsToPixels(10000, this));
    m_link.setPortName(portNameForNumber(1));
    m_link.setSettings(QString::fromLatin1(kDefaultPortSettings));
    initLink(m_state);
    m_link.supervisor().reset();
    m_shape->setFillColor(kColorRed);
    linkTimer()->stop();
    linkTimer()->setInterval(100);

    setLanguage(m_state.language, LanguageCode::English);
    applyEnglishShell();
    m_statusPanel->resetStatusValues();
    m_panelPortNo->setText(QStringLiteral("COM - ?"));
    m_panelPortState->setText(QStringLiteral("?"));
    m_linkShown.reset();
    applyMainCaptions();
    disableMainButtons();
}

void MainWindow::applyEnglishShell()
{
    applyShellCaptions();
}

void MainWindow::applyChineseShell()
{
    applyShellCaptions();
}

// Window caption, menus and the connection label, in the current language.
// The language menu, its items and "UserInfo(&U)" keep their design captions.
void MainWindow::applyShellCaptions()
{
    const int code = m_state.language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    auto text = [code](const char *source) { return bilingual(code, "frmMain", source); };
    setWindowTitle(QStringLiteral("EV Kestrane V2.0.0.10.1"));
    m_menuFile->setTitle(text(QT_TRANSLATE_NOOP("frmMain", "&File")));
    m_actExit->setText(text(QT_TRANSLATE_NOOP("frmMain", "E&xit")));
    applySetCaptions();
    m_actReport->setText(text(QT_TRANSLATE_NOOP("frmMain", "Service re&port…")));
    m_menuOption->setTitle(text(QT_TRANSLATE_NOOP("frmMain", "&Options")));
    m_actComSet->setText(text(QT_TRANSLATE_NOOP("frmMain", "&Com Setting...")));
    m_actVerifyWrites->setText(text(QT_TRANSLATE_NOOP("frmMain", "Verify writes")));
    m_actDisconnect->setText(text(QT_TRANSLATE_NOOP("frmMain", "&Disconnect")));
    for (int i = 0; i < int(m_pageActions.size()); ++i) {
        // An entry without a caption of its own keeps its design caption.
        if (const PageDef *def = m_pageActionRows[i]; def->opener != Opener::OptionsMenu && def->caption)
            m_pageActions[i]->setText(text(def->caption));
    }
    m_menuHelp->setTitle(text(QT_TRANSLATE_NOOP("frmMain", "&Help")));
    m_actContact->setText(text(QT_TRANSLATE_NOOP("frmMain", "&Contact us")));
    m_actAbout->setText(text(QT_TRANSLATE_NOOP("frmMain", "&About Kestrane")));
    applyTrendCaptions();
    showConnectionText();
    m_lblWelCom1->setFont(fontForLanguage(code, 10));
    showDataFolder();
}

// An installed copy cannot write beside the program: the status bar says
// where the log and the export go (the record buttons say it themselves).
void MainWindow::showDataFolder()
{
    const int code = m_state.language.languageCode;
    const QString dir = m_dataFolder.writableDir();
    const QString tip
        = dir.isEmpty()
              ? bilingual(code, "frmMain", QT_TRANSLATE_NOOP("frmMain", "Records cannot be saved: %1"))
                    .arg(m_dataFolder.writeFailure())
              : bilingual(code, "frmMain", QT_TRANSLATE_NOOP("frmMain", "Records are saved in %1"))
                    .arg(QDir::toNativeSeparators(dir));
    statusBar()->setToolTip(tip);
}

void MainWindow::applyMainCaptions()
{
    const int code = m_state.language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    const QFont panelFont = fontForLanguage(code, 9);
    m_statusPanel->statusFrame()->setFont(panelFont);
    for (const char *name : {"cmd_halltest", "cmd_hallBtest", "cmd_hallteststop"})
        button(name)->setFont(panelFont);

    m_statusPanel->applyCaptions(code);
    m_lblMaxTime->setText(bilingual(code, "frmMain", QT_TRANSLATE_NOOP("frmMain", "Aging time[s]")));
    for (const BarEntry &e : barEntries())
        button(e.name)->setText(bilingual(code, "frmMain", e.english));
    if (m_records)
        m_records->applyCaptions();
    showMcuModel();
}

// The model of the attached controller, from the last Idc block.
void MainWindow::showMcuModel()
{
    m_panelMcuSN->setText(m_subproject < 0 ? QString()
                                           : mcuModelText(m_state.language.languageCode, m_subproject));
}

void MainWindow::applyLanguage(int code)
{
    if (!setLanguage(m_state.language, code))
        return;
    if (code == LanguageCode::Chinese)
        applyChineseShell();
    else
        applyEnglishShell();
    applyMainCaptions();
    if (!m_panelLastBlock->isHidden())
        showLastBlock();
    m_pages->applyLanguage();
    m_hall->applyLanguage();
    m_iqRun->applyLanguage();
    if (m_trendWindow)
        m_trendWindow->applyLanguage();
    if (m_setWindow)
        m_setWindow->applyLanguage();
    if (m_reportDialog)
        m_reportDialog->applyLanguage();
}

void MainWindow::disableMainButtons()
{
    for (QPushButton *b : m_bar)
        b->setEnabled(false);
}

void MainWindow::enableMainButtons()
{
    for (QPushButton *b : m_bar)
        b->setEnabled(true);
}

QString MainWindow::portLabel() const
{
    if (m_state.connection.portNumber > 0)
        return QString::number(m_state.connection.portNumber);
    return m_link.portName();
}

void MainWindow::startLinkTimer()
{
    // A new connection: nothing is known until its first status block.
    m_statusPanel->resetStatusValues();
    m_link.startTimer();
}

bool MainWindow::openPortAtStart(const QString &device, const QString &settings)
{
    m_state.connection.portSettings = settings;
    m_link.setSettings(settings);
    m_link.setPortName(device);
    const SerialPort::OpenResult result = m_link.openPort();
    if (!result.ok()) {
        m_messages.show(
            {MessageService::Icon::Warning, QStringLiteral("info"), m_link.openFailureText(result)});
        return false;
    }
    m_state.connection.portNumber = portNumberForName(device);
    startLinkTimer();
    return true;
}

QTimer *MainWindow::linkTimer() const
{
    return m_link.linkTimer();
}

// One tick of the link timer, as the link runs it.
void MainWindow::Timer3_Timer()
{
    m_link.tick();
}

// After every tick of the link: what the window shows of it.
// Ten times a second, mostly with nothing new: the texts and the dot are
// set only when what they show changed; the buttons are held every tick.
void MainWindow::onLinkTicked()
{
    setEnabledIfChanged(m_recordStop, m_state.recorder.recordingActive);
    if (m_linkShown && *m_linkShown == linkShown())
        holdLinkControls(m_state.connection.linkState == LinkStateCode::Online);
    else
        showLinkState();
    // Online or not: a link that drops during a run is reported.
    timeIqTest();
}

MainWindow::LinkShown MainWindow::linkShown() const
{
    return {m_state.connection.linkState, m_state.connection.portNumber, m_state.language.languageCode,
            m_link.portName(), m_state.connection.portSettings};
}

// The connection in words beside the dot, and as the dot's accessible name.
void MainWindow::showConnectionText()
{
    const int link = m_state.connection.linkState;
    QString t;
    if (m_state.language.languageCode == LanguageCode::Chinese) {
        t = bilingual(LanguageCode::Chinese, "frmMain",
                      link == LinkStateCode::Online ? QT_TRANSLATE_NOOP("frmMain", "ONLINE")
                                                    : QT_TRANSLATE_NOOP("frmMain", "OFFLINE"));
    } else {
        t = link == LinkStateCode::Online       ? QStringLiteral("ONLINE")
            : link == LinkStateCode::Connecting ? QStringLiteral("Connecting...")
                                                : QStringLiteral("OFFLINE");
    }
    if (m_lblWelCom1->text() != t) {
        m_lblWelCom1->setText(t);
        m_shape->setAccessibleName(t);
    }
}

// Ten ticks a second: a property set to the value it has would still cost a
// repaint, so only changes are made.
void MainWindow::setEnabledIfChanged(QWidget *widget, bool enabled)
{
    if (widget->isEnabled() != enabled)
        widget->setEnabled(enabled);
}

void MainWindow::showLinkState()
{
    m_linkShown = linkShown();
    const QString portNo = QStringLiteral("COM - ") + portLabel();
    m_panelPortNo->setText(portNo);
    showConnectionText();
    const bool online = m_state.connection.linkState == LinkStateCode::Online;
    const bool connecting = m_state.connection.linkState == LinkStateCode::Connecting;
    m_shape->setFillColor(online ? kColorGreen : kColorRed);
    m_panelPortState->setText(connecting ? QStringLiteral("?") : m_state.connection.portSettings);
    holdLinkControls(online);
}

// The bar and the pages' read and write buttons follow the link.
void MainWindow::holdLinkControls(bool online)
{
    if (online)
        m_pages->onLinkTick(true);
    // Online the bar is enabled, but "Stop record" only while a recording runs.
    for (QPushButton *b : std::as_const(m_bar))
        setEnabledIfChanged(b, online && (b != m_recordStop || m_state.recorder.recordingActive));
    if (!online)
        m_pages->onLinkTick(false);
}

// A timed Iq test stops itself when the aging time is up.
void MainWindow::timeIqTest()
{
    m_iqRun->tick();
}

void MainWindow::decodeStatus(const Block &block)
{
    // The block stays as it came (the history takes it); the decoding
    // clears the sign bits of its copy in the status buffer.
    m_state.frames[FrameId::Status] = block;
    // The clock is read only when the heating alert fires, not per block.
    const StatusView &view = m_statusDecoder.decode(m_state.statusParts());
    m_statusPanel->showStatus(view);
    m_lastBlockAt = now();
    if (!m_panelLastBlock->isHidden())
        m_panelLastBlock->hide();
    if (view.alertFired) {
        m_txtStop->setText(view.alertStopTime.toString(QStringLiteral("HH:mm:ss")));
        m_txtDateDiff->setText(QString::number(view.alertElapsedSeconds));
        m_sounds->play(QStringLiteral("BUZZ.WAV"));
        // About the running test, over its windows.
        m_messages.infoAbout(QStringLiteral("frmTime"),
                             QStringLiteral("Time to 100 Degree:") + minutesSeconds(view.alertElapsedSeconds));
    }
    if (m_records->recordStatus() && m_recordHook)
        m_recordHook();
    feedTrends(block);
}

// Live trends and the poll rate. The history and the timed recording take
// each status block as it came and every change of the link, from the
// first block on, whether the trend window is open or not.
void MainWindow::wireTrends()
{
    m_trendHistory = std::make_unique<TrendHistory>();
    m_records->setClock([this] { return now(); });
    connect(&m_link, &LinkController::linkStateChanged, this, &MainWindow::showLastBlock);
    connect(&m_link, &LinkController::linkStateChanged, this, [this](int linkState) {
        const QDateTime t = now();
        m_trendHistory->linkStateChanged(linkState, t);
        m_records->linkStateChanged(linkState, t);
    });
}

// Offline, the status panel keeps the last block's values greyed and the
// status bar says when that block came.
void MainWindow::showLastBlock()
{
    const bool online = m_state.connection.linkState == LinkStateCode::Online;
    m_statusPanel->setStale(!online);
    if (online || !m_lastBlockAt.isValid()) {
        m_panelLastBlock->hide();
        return;
    }
    const QString t = m_lastBlockAt.toString(QStringLiteral("HH:mm:ss"));
    m_panelLastBlock->setText(bilingual(m_state.language.languageCode, "frmMain",
                                        QT_TRANSLATE_NOOP("frmMain", "Last block %1"))
                                  .arg(t));
    m_panelLastBlock->show();
}

void MainWindow::feedTrends(const Block &block)
{
    const QDateTime t = now();
    m_trendHistory->statusBlock(block, t);
    m_records->recordTimed(block, t);
}

void MainWindow::buildTrendMenus()
{
    m_actTrends = m_menuOption->addAction(QStringLiteral("Trends"));
    m_actTrends->setObjectName(QStringLiteral("Menu_Option_Trends"));
    connect(m_actTrends, &QAction::triggered, this, &MainWindow::Menu_Option_Trends_Click);
    m_menuPollRate = m_menuOption->addMenu(QStringLiteral("Poll rate"));
    m_menuPollRate->setObjectName(QStringLiteral("Menu_Option_PollRate"));
    auto *group = new QActionGroup(this);
    for (int rate : LinkSupervisor::kPollRates) {
        QAction *a = m_menuPollRate->addAction(QString());
        a->setObjectName(QStringLiteral("Menu_Option_PollRate_%1").arg(rate));
        a->setCheckable(true);
        a->setChecked(rate == m_link.supervisor().pollsPerSecond());
        a->setData(rate);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, rate] { setPollRate(rate); });
        m_actPollRates << a;
    }
}

void MainWindow::applyTrendCaptions()
{
    const int code = m_state.language.languageCode;
    m_actTrends->setText(bilingual(code, "frmMain", QT_TRANSLATE_NOOP("frmMain", "Trends")));
    m_menuPollRate->setTitle(bilingual(code, "frmMain", QT_TRANSLATE_NOOP("frmMain", "Poll rate")));
    for (QAction *a : std::as_const(m_actPollRates))
        a->setText(bilingual(code, "frmMain", QT_TRANSLATE_NOOP("frmMain", "%1 a second")).arg(a->data().toInt()));
}

void MainWindow::setPollRate(int pollsPerSecond)
{
    if (!m_link.setPollsPerSecond(pollsPerSecond))
        return;
    for (QAction *a : std::as_const(m_actPollRates))
        a->setChecked(a->data().toInt() == pollsPerSecond);
}

TrendWindow *MainWindow::trendWindow() const
{
    return m_trendWindow;
}

void MainWindow::Menu_Option_Trends_Click()
{
    if (!m_trendWindow) {
        m_trendWindow = new TrendWindow(*m_trendHistory, m_state.language, m_messages, this);
        m_trendWindow->setFolder(m_records->dataFolder());
    }
    m_trendWindow->show();
    m_trendWindow->raise();
    m_trendWindow->activateWindow();
}

void MainWindow::Menu_File_Report_Click()
{
    if (!m_reportDialog) {
        m_reportDialog = new ReportDialog(*m_service, m_state.connection, *m_sessionLog, *m_trendHistory,
                                          m_state.language, m_messages, this);
        m_reportDialog->setFolder(m_records->dataFolder());
    }
    m_reportDialog->show();
    m_reportDialog->raise();
    m_reportDialog->activateWindow();
}

ReportDialog *MainWindow::reportDialog() const
{
    return m_reportDialog;
}

// A page write read back: the status bar says how it went; what the
// controller does not hold is a message.
void MainWindow::showWriteChecked(FrameId family, const ParameterService::Verification &v)
{
    const QString text = m_service->verificationText(family, v);
    if (v.result == ParameterService::Verification::Result::Differs)
        m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"), text});
    m_panelData->setText(text);
    m_panelData->setToolTip(text);
}

void MainWindow::Menu_File_Exit_Click()
{
    shutDown();
}

void MainWindow::Menu_Option_ComSet_Click()
{
    auto *dialog =
        new PortDialog(m_state.connection, m_state.language, m_link, m_messages, m_extraPorts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &PortDialog::portOpened, this, &MainWindow::startLinkTimer);
    connect(dialog, &PortDialog::connectionFailed, this, &MainWindow::showLinkState);
    dialog->open();
}

// A page of the Options menu. One that reads works offline too: the request
// goes out on whatever port is set, and a port that cannot be opened is
// reported every time.
void MainWindow::openFromMenu(PageId id)
{
    if (pageDef(id).readsOnOpen && m_link.disconnected()) {
        m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"), m_link.disconnectedText()});
        return;
    }
    if (pageDef(id).readsOnOpen && !m_link.isOpen()) {
        const SerialPort::OpenResult result = m_link.openPort();
        if (!result.ok()) {
            m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"),
                             m_link.openFailureText(result)});
            return;
        }
    }
    m_pages->open(id);
}

// The port is closed and nothing is polled until the port dialog is
// confirmed again.
void MainWindow::Menu_Option_Disconnect_Click()
{
    m_link.disconnectPort();
    showLinkState();
}

void MainWindow::Menu_Option_UserInfo_Click()
{
    openFromMenu(PageId::UserInfo);
}

void MainWindow::Menu_Option_Curve_Click()
{
    openFromMenu(PageId::Curve);
}

void MainWindow::Menu_Help_Cont_Click()
{
    auto *dialog = new ContactDialog(m_state.language.languageCode, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::Menu_Help_About_Click()
{
    const int code = m_state.language.languageCode;
    auto text = [code](const char *source) { return bilingual(code, "frmMain", source); };
    const QString dir = m_dataFolder.writableDir();
    QString body = text(QT_TRANSLATE_NOOP("frmMain", "Kestrane %1\nMotor controller service tool"))
                       .arg(QString::fromUtf8(buildinfo::versionString()));
    body += QStringLiteral("\n\n");
    body += dir.isEmpty()
                ? text(QT_TRANSLATE_NOOP("frmMain", "Records cannot be saved: %1")).arg(m_dataFolder.writeFailure())
                : text(QT_TRANSLATE_NOOP("frmMain", "Records are saved in %1")).arg(QDir::toNativeSeparators(dir));
    m_messages.show({MessageService::Icon::Information,
                     text(QT_TRANSLATE_NOOP("frmMain", "About Kestrane")), body});
}

void MainWindow::shutDown()
{
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    // A motor under test is stopped before the port goes.
    m_iqRun->stopBeforeLeaving();
    linkTimer()->stop();
    m_timer1->stop();
    m_link.closePort();
    hide();
    if (m_quit)
        m_quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}
