#pragma once
// The parameter sets in the window: a whole controller backed up into a
// file, a file compared with the controller, with another file or the
// controller with the pages' defaults, and a file restored into the
// controller, field by field as ticked, each block verified by reading it
// back. One window does all of it; what it is doing shows in its title.

#include "pages/sets/parameterset.h"
#include "pages/sets/setcompare.h"
#include "core/messageservice.h"
#include "pages/sets/settransfer.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class ParameterService;
struct ConnectionState;
struct LanguageState;

class ParameterSetWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Job {
        None,
        Backup,          // the controller into a file
        CompareFile,     // a file against the controller
        Restore,         // a file into the controller
        CompareFiles,    // a file against a file
        CompareDefaults, // the controller against the pages' defaults
    };
    enum class FileAction { Save, Open, OpenSecond };
    // Asks the user for a file: the path, or empty when cancelled.
    using FileChooser = std::function<QString(FileAction action, const QString &suggested)>;

    ParameterSetWindow(ParameterService &service, const ConnectionState &connection, const LanguageState &language,
                       MessageService &messages, QWidget *parent = nullptr);
    ~ParameterSetWindow() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // The model text a backup file names (as the status bar shows it, in English).
    void setModelNamer(std::function<QString(const ParameterSet &)> namer) { m_modelNamer = std::move(namer); }
    // Where the file dialogs start.
    void setFolder(const QString &folder) { m_folder = folder; }

    // Each asks for what it needs (files, the controller) and returns false
    // when it could not start; a job already running is not interrupted.
    bool startBackup();
    bool startCompareFile();
    bool startRestore();
    bool startCompareFiles();
    bool startCompareDefaults();

    Job job() const { return m_job; }
    bool busy() const { return m_backup->running() || m_restore->running(); }
    const std::optional<SetComparison> &comparison() const { return m_comparison; }
    const std::optional<RestoreResult> &lastRestore() const { return m_lastRestore; }
    // The fields ticked for a restore, by block.
    QList<RestoreTick> ticks() const;
    void setTicked(FrameId family, const QString &control, bool ticked);
    // Asks, then writes the ticked fields' blocks (Restore only).
    void writeTicked();

    void applyLanguage();

signals:
    // A backup was saved, a restore ended: the main window's status bar says so.
    void jobEnded(const QString &summary);
    // A restore ended: what became of each block, and the file it came from.
    void restored(const RestoreResult &result, const QString &file);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildUi();
    QString tr_(const char *source) const;
    MessageService::Message message(MessageService::Icon icon, const QString &text) const;
    QString choose(FileAction action, const QString &suggested);
    bool refuseWhenBusy();
    bool refuseWhenOffline();
    std::optional<ParameterSet> openSet(FileAction action);
    bool startAgainstController(Job job);
    void begin(Job job);
    void readController(std::function<void(const BackupResult &)> then);
    void backupRead(const BackupResult &result);
    void compareRead(const BackupResult &result);
    void showComparison();
    void fillTree();
    QTreeWidgetItem *blockItem(const BlockComparison &block);
    void showCounts();
    void showProgress(int done, int total, FrameId family, const char *what);
    void showResult(const QString &text);
    void updateButtons();
    RestoreRequest request(bool unknownLayoutConfirmed) const;
    QString planText(const RestorePlan &plan) const;
    void askUnknownLayout(const RestorePlan &plan);
    void confirmWrite(const RestorePlan &plan, bool unknownLayoutConfirmed);
    void rereadAndWrite(bool unknownLayoutConfirmed);
    void restoreEnded(const RestoreResult &result);
    QString sideName(bool first) const;

    ParameterService &m_service;
    const ConnectionState &m_connection;
    const LanguageState &m_language;
    MessageService &m_messages;
    SetBackup *m_backup = nullptr;
    SetRestore *m_restore = nullptr;
    FileChooser m_chooser;
    std::function<QString(const ParameterSet &)> m_modelNamer;
    QString m_folder;
    Job m_job = Job::None;
    std::function<void(const BackupResult &)> m_afterRead;

    // The two sides: the file (or the first file, or the defaults) and the
    // controller (or the second file).
    std::optional<ParameterSet> m_first, m_second;
    QString m_firstName, m_secondName;
    std::optional<SetComparison> m_comparison;
    std::optional<RestoreResult> m_lastRestore;
    QString m_backupPath;
    // Ticks by "family/control", kept across a language switch and a re-read.
    QHash<QString, bool> m_ticks;
    QString m_resultText;

    QLabel *m_lblSides = nullptr;
    QLabel *m_lblWarnings = nullptr;
    QLabel *m_lblCounts = nullptr;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_lblConfirmType = nullptr;
    QLineEdit *m_txtConfirmType = nullptr;
    QLabel *m_lblProgress = nullptr;
    QProgressBar *m_progress = nullptr;
    QPlainTextEdit *m_txtResult = nullptr;
    QPushButton *m_cmdWrite = nullptr;
    QPushButton *m_cmdTickAll = nullptr;
    QPushButton *m_cmdTickNone = nullptr;
    QPushButton *m_cmdClose = nullptr;
};
