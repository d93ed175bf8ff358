#include "shell/mainwindow.h"

#include "link/linkcontroller.h"
#include "link/portdialog.h"
#include "link/portsettings.h"
#include "shell/appstate.h"
#include "shell/fonts.h"
#include "shell/indicator.h"
#include "shell/language.h"
#include "shell/messageservice.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
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
} // namespace

MainWindow::MainWindow(AppState &state, LinkController &link, MessageService &messages,
                       QWidget *parent)
    : QMainWindow(parent),
      m_state(state),
      m_link(link),
      m_messages(messages),
      m_quit([] { QCoreApplication::quit(); })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("EV Kestrane V2.0.0.2"));
    setFont(englishFont(9));

    m_timer3 = new QTimer(this);
    m_timer3->setObjectName(QStringLiteral("Timer3"));
    connect(m_timer3, &QTimer::timeout, this, &MainWindow::Timer3_Timer);

    buildMenus();
    buildStatusBar();
    buildCentral();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus()
{
    m_menuFile = menuBar()->addMenu(QStringLiteral("File(&F)"));
    m_menuFile->setObjectName(QStringLiteral("Menu_File"));
    m_actExit = m_menuFile->addAction(QStringLiteral("Exit(&X)"));
    m_actExit->setObjectName(QStringLiteral("Menu_File_Exit"));
    connect(m_actExit, &QAction::triggered, this, &MainWindow::Menu_File_Exit_Click);

    m_menuOption = menuBar()->addMenu(QStringLiteral("Option(&O)"));
    m_menuOption->setObjectName(QStringLiteral("Menu_Option"));
    m_actComSet = m_menuOption->addAction(QStringLiteral("ComSet(&C)"));
    m_actComSet->setObjectName(QStringLiteral("Menu_Option_ComSet"));
    connect(m_actComSet, &QAction::triggered, this, &MainWindow::Menu_Option_ComSet_Click);
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
}

void MainWindow::buildCentral()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    auto *top = new QVBoxLayout(central);

    auto *linkRow = new QHBoxLayout;
    m_shape = new IndicatorShape(central);
    m_shape->setObjectName(QStringLiteral("ShapeWelCom1"));
    m_lblWelCom1 = new QLabel(central);
    m_lblWelCom1->setObjectName(QStringLiteral("lblWelCom1"));
    m_lblWelCom1->setVisible(false);
    linkRow->addWidget(m_shape);
    linkRow->addWidget(m_lblWelCom1);
    linkRow->addStretch();
    top->addLayout(linkRow);
    top->addStretch();
    setCentralWidget(central);
}

void MainWindow::Form_Load()
{
    resize(twipsToPixels(12800, this), twipsToPixels(10000, this));
    m_link.setPortName(portNameForNumber(1));
    m_link.setSettings(QString::fromLatin1(kDefaultPortSettings));
    initLink(m_state);
    m_link.supervisor().reset();
    m_shape->setFillColor(kColorRed);
    m_timer3->stop();
    m_timer3->setInterval(100);

    setLanguage(m_state, LanguageCode::English);
    applyShellCaptions();

    m_panelPortNo->setText(QStringLiteral("COM - ?"));
    m_panelPortState->setText(QStringLiteral("?"));
}

void MainWindow::applyShellCaptions()
{
    const int code = m_state.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    auto text = [code](const char *source) { return bilingual(code, "frmMain", source); };
    setWindowTitle(QStringLiteral("EV Kestrane V2.0.0.10.1"));
    m_menuFile->setTitle(text(QT_TRANSLATE_NOOP("frmMain", "&File")));
    m_actExit->setText(text(QT_TRANSLATE_NOOP("frmMain", "E&xit")));
    m_menuOption->setTitle(text(QT_TRANSLATE_NOOP("frmMain", "&Options")));
    m_actComSet->setText(text(QT_TRANSLATE_NOOP("frmMain", "&Com Setting...")));
    m_lblWelCom1->setText(m_state.linkState == LinkStateCode::Online
                              ? text(QT_TRANSLATE_NOOP("frmMain", "ONLINE"))
                              : text(QT_TRANSLATE_NOOP("frmMain", "OFFLINE")));
    m_lblWelCom1->setFont(fontForLanguage(code, 10));
}

QString MainWindow::portLabel() const
{
    if (m_state.portNumber > 0)
        return QString::number(m_state.portNumber);
    return m_link.portName();
}

void MainWindow::startLinkTimer()
{
    m_timer3->start(100);
}

bool MainWindow::openPortAtStart(const QString &device, const QString &settings)
{
    m_state.portSettings = settings;
    m_link.setSettings(settings);
    m_link.setPortName(device);
    const SerialPort::OpenResult result = m_link.openPort();
    if (!result.ok()) {
        m_messages.show(
            {MessageService::Icon::Warning, QStringLiteral("info"), m_link.openFailureText(result)});
        return false;
    }
    m_state.portNumber = portNumberForName(device);
    startLinkTimer();
    return true;
}

void MainWindow::Timer3_Timer()
{
    m_link.tick();
    showLinkState();
}

void MainWindow::showLinkState()
{
    const QString portNo = QStringLiteral("COM - ") + portLabel();
    switch (m_state.linkState) {
    case LinkStateCode::Online:
        m_shape->setFillColor(kColorGreen);
        m_lblWelCom1->setText(QStringLiteral("ONLINE"));
        m_panelPortNo->setText(portNo);
        m_panelPortState->setText(m_state.portSettings);
        break;
    case LinkStateCode::Connecting:
        m_shape->setFillColor(kColorRed);
        m_lblWelCom1->setText(QStringLiteral("Connecting..."));
        m_panelPortNo->setText(portNo);
        m_panelPortState->setText(QStringLiteral("?"));
        break;
    default:
        m_shape->setFillColor(kColorRed);
        m_lblWelCom1->setText(QStringLiteral("OFFLINE"));
        m_panelPortNo->setText(portNo);
        m_panelPortState->setText(m_state.portSettings);
        break;
    }
}

void MainWindow::Menu_File_Exit_Click()
{
    shutDown();
}

void MainWindow::Menu_Option_ComSet_Click()
{
    auto *dialog = new PortDialog(m_state, m_link, m_messages, m_extraPorts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &PortDialog::portOpened, this, &MainWindow::startLinkTimer);
    dialog->open();
}

void MainWindow::shutDown()
{
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    m_timer3->stop();
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
