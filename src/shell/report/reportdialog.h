#pragma once
// File > "Service report...": the technician's name, the reference the
// parameters are compared with (the defaults or a parameter-set file), PDF
// or HTML, and where to write it. With the link up, every block is read
// first so the comparison is of what the controller holds now; without it,
// the blocks read earlier in the session are used and the report says
// which are missing.

#include "core/appstate.h"
#include "pages/sets/settransfer.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class MessageService;
class ParameterService;
class SessionLog;
class SetBackup;
class TrendHistory;

class ReportDialog : public QDialog
{
    Q_OBJECT
public:
    enum class FileAction { Reference, Report };
    // Asks for a file name; empty when the user cancelled.
    using FileChooser = std::function<QString(FileAction action, const QString &suggested)>;

    ReportDialog(ParameterService &service, const ConnectionState &connection, const SessionLog &session,
                 const TrendHistory &trends, const LanguageState &language, MessageService &messages,
                 QWidget *parent = nullptr);
    ~ReportDialog() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    void setFolder(const QString &folder);
    void applyLanguage();

    // "Write report": reads the blocks when the link is up, then writes.
    void write();
    bool busy() const { return m_backup != nullptr; }

signals:
    // The report was written (or writing failed: `ok` false).
    void written(bool ok, const QString &path);

private:
    QString tr_(const char *source) const;
    void browseReference();
    void browseReport();
    void formatChanged();
    void finish();

    ParameterService &m_service;
    const ConnectionState &m_connection;
    const SessionLog &m_session;
    const TrendHistory &m_trends;
    const LanguageState &m_language;
    MessageService &m_messages;
    FileChooser m_chooser;
    QLabel *m_technicianLabel, *m_referenceLabel, *m_formatLabel, *m_fileLabel, *m_progress;
    QLineEdit *m_technician, *m_referencePath, *m_path;
    QRadioButton *m_defaults, *m_fromFile, *m_pdf, *m_html;
    QPushButton *m_browseReference, *m_browsePath, *m_write, *m_cancel;
    QPointer<SetBackup> m_backup;
};
