// The main window's File menu for parameter sets: back up the controller,
// compare with a file, with another file or with the defaults, restore.

#include "shell/mainwindow.h"

#include "core/appstate.h"
#include "calib/idccalc.h"
#include "core/language.h"
#include "monitor/ui/recordcontrols.h"
#include "pages/ui/setwindow.h"
#include "shell/report/sessionlog.h"

#include "widgets/windowconduct.h"

#include <QAction>
#include <QScreen>
#include <QLabel>
#include <QMenu>

namespace {
using Job = ParameterSetWindow::Job;

struct SetEntry
{
    const char *name;
    const char *caption;
    bool (ParameterSetWindow::*start)();
};

constexpr SetEntry kSetEntries[] = {
    {"Menu_File_Backup", QT_TRANSLATE_NOOP("frmMain", "&Back up controller…"), &ParameterSetWindow::startBackup},
    {"Menu_File_Compare", QT_TRANSLATE_NOOP("frmMain", "&Compare with file…"), &ParameterSetWindow::startCompareFile},
    {"Menu_File_Restore", QT_TRANSLATE_NOOP("frmMain", "&Restore from file…"), &ParameterSetWindow::startRestore},
    {"Menu_File_CompareFiles", QT_TRANSLATE_NOOP("frmMain", "Compare &two files…"),
     &ParameterSetWindow::startCompareFiles},
    {"Menu_File_CompareDefaults", QT_TRANSLATE_NOOP("frmMain", "Compare with &defaults…"),
     &ParameterSetWindow::startCompareDefaults},
};
} // namespace

void MainWindow::buildSetMenus()
{
    for (const SetEntry &e : kSetEntries) {
        QAction *a = m_menuFile->addAction(QString::fromUtf8(e.caption));
        a->setObjectName(QLatin1String(e.name));
        connect(a, &QAction::triggered, this, [this, start = e.start] { (setWindow()->*start)(); });
        m_setActions << a;
    }
    m_menuFile->addSeparator();
}

void MainWindow::applySetCaptions()
{
    const int code = m_state.language.languageCode;
    for (int i = 0; i < int(m_setActions.size()); ++i)
        m_setActions[i]->setText(bilingual(code, "frmMain", kSetEntries[i].caption));
}

ParameterSetWindow *MainWindow::setWindow()
{
    if (!m_setWindow) {
        m_setWindow = new ParameterSetWindow(*m_service, m_state.connection, m_state.language, m_messages, this);
        m_setWindow->setFolder(m_records->dataFolder());
        m_setWindow->setModelNamer([](const ParameterSet &set) {
            const std::optional<SetIdentity> id = set.identity();
            return id ? mcuModelText(LanguageCode::English, id->subproject) : QString();
        });
        // Beside the main window, as a page opens, clear of the button bar.
        if (const QScreen *screen = this->screen()) {
            PagePlacement where;
            where.screen = screen->availableGeometry();
            where.mainFrame = frameGeometry();
            where.bar = QRect(m_buttonBar->mapToGlobal(QPoint(0, 0)), m_buttonBar->size());
            const QSize frame = frameGeometry().size() - size();
            m_setWindow->move(placePageFrame(where, m_setWindow->size() + frame));
        }
        connect(m_setWindow, &ParameterSetWindow::restored, m_sessionLog, &SessionLog::restoreFinished);
        connect(m_setWindow, &ParameterSetWindow::jobEnded, this, [this](const QString &summary) {
            m_panelData->setText(summary);
            m_panelData->setToolTip(summary);
        });
    }
    return m_setWindow;
}
