#include "shell/report/reportdialog.h"

#include "buildinfo/buildinfo.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/sets/settransfer.h"
#include "shell/report/reportwriter.h"
#include "shell/report/sessionlog.h"
#include "widgets/fonts.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>

namespace {
constexpr const char *kContext = "ServiceReport";

QString defaultName(bool html)
{
    return QStringLiteral("Service_report_%1.%2")
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")),
             html ? QStringLiteral("html") : QStringLiteral("pdf"));
}
} // namespace

ReportDialog::ReportDialog(ParameterService &service, const ConnectionState &connection, const SessionLog &session,
                           const TrendHistory &trends, const LanguageState &language, MessageService &messages,
                           QWidget *parent)
    : QDialog(parent), m_service(service), m_connection(connection), m_session(session), m_trends(trends), m_language(language),
      m_messages(messages)
{
    setObjectName(QStringLiteral("frmServiceReport"));
    auto *grid = new QGridLayout(this);
    auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    m_technicianLabel = new QLabel(this);
    m_technician = new QLineEdit(this);
    named(m_technician, "txtTechnician");
    m_technician->setMaxLength(80);
    m_referenceLabel = new QLabel(this);
    m_defaults = new QRadioButton(this);
    named(m_defaults, "optReferenceDefaults");
    m_fromFile = new QRadioButton(this);
    named(m_fromFile, "optReferenceFile");
    m_referencePath = new QLineEdit(this);
    named(m_referencePath, "txtReferenceFile");
    m_browseReference = new QPushButton(this);
    named(m_browseReference, "cmdBrowseReference");
    m_formatLabel = new QLabel(this);
    m_pdf = new QRadioButton(QStringLiteral("PDF"), this);
    named(m_pdf, "optPdf");
    m_html = new QRadioButton(QStringLiteral("HTML"), this);
    named(m_html, "optHtml");
    m_fileLabel = new QLabel(this);
    m_path = new QLineEdit(this);
    named(m_path, "txtReportFile");
    m_browsePath = new QPushButton(this);
    named(m_browsePath, "cmdBrowseReport");
    m_progress = new QLabel(this);
    named(m_progress, "lblReportProgress");
    m_write = new QPushButton(this);
    named(m_write, "cmdWriteReport");
    m_cancel = new QPushButton(this);
    named(m_cancel, "cmdCancel");

    auto *references = new QButtonGroup(this);
    references->addButton(m_defaults);
    references->addButton(m_fromFile);
    auto *formats = new QButtonGroup(this);
    formats->addButton(m_pdf);
    formats->addButton(m_html);
    m_defaults->setChecked(true);
    m_pdf->setChecked(true);
    m_referencePath->setEnabled(false);
    m_browseReference->setEnabled(false);

    grid->addWidget(m_technicianLabel, 0, 0);
    grid->addWidget(m_technician, 0, 1, 1, 2);
    grid->addWidget(m_referenceLabel, 1, 0);
    grid->addWidget(m_defaults, 1, 1, 1, 2);
    grid->addWidget(m_fromFile, 2, 1, 1, 2);
    grid->addWidget(m_referencePath, 3, 1);
    grid->addWidget(m_browseReference, 3, 2);
    grid->addWidget(m_formatLabel, 4, 0);
    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(m_pdf);
    formatRow->addWidget(m_html);
    formatRow->addStretch();
    grid->addLayout(formatRow, 4, 1, 1, 2);
    grid->addWidget(m_fileLabel, 5, 0);
    grid->addWidget(m_path, 5, 1);
    grid->addWidget(m_browsePath, 5, 2);
    grid->addWidget(m_progress, 6, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_write);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 7, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    m_write->setDefault(true);

    connect(m_fromFile, &QRadioButton::toggled, this, [this](bool on) {
        m_referencePath->setEnabled(on);
        m_browseReference->setEnabled(on);
    });
    connect(m_html, &QRadioButton::toggled, this, &ReportDialog::formatChanged);
    connect(m_browseReference, &QPushButton::clicked, this, &ReportDialog::browseReference);
    connect(m_browsePath, &QPushButton::clicked, this, &ReportDialog::browseReport);
    connect(m_write, &QPushButton::clicked, this, &ReportDialog::write);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFolder(QDir::homePath());
    applyLanguage();
    resize(560, sizeHint().height());
}

ReportDialog::~ReportDialog() = default;

QString ReportDialog::tr_(const char *source) const
{
    return reportText(m_language.languageCode, source);
}

void ReportDialog::setFolder(const QString &folder)
{
    m_path->setText(QDir(folder).filePath(defaultName(m_html->isChecked())));
}

void ReportDialog::applyLanguage()
{
    setFont(fontForLanguage(m_language.languageCode, 9));
    setWindowTitle(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Service report")));
    m_technicianLabel->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Technician:")));
    m_referenceLabel->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Compare with:")));
    m_defaults->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "The defaults")));
    m_fromFile->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "A parameter-set file:")));
    m_formatLabel->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Format:")));
    m_fileLabel->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Report file:")));
    m_browseReference->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Browse...")));
    m_browsePath->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Browse...")));
    m_write->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Write report")));
    m_cancel->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Cancel")));
}

void ReportDialog::formatChanged()
{
    // The suffix follows the format, unless the user typed another name.
    const QString path = m_path->text();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf") || suffix == QLatin1String("html") || suffix.isEmpty())
        m_path->setText(path.left(path.size() - suffix.size() - (suffix.isEmpty() ? 0 : 1)) + u'.'
                        + (m_html->isChecked() ? QStringLiteral("html") : QStringLiteral("pdf")));
}

void ReportDialog::browseReference()
{
    const QString suggested = m_referencePath->text();
    const QString path = m_chooser ? m_chooser(FileAction::Reference, suggested)
                                   : QFileDialog::getOpenFileName(this, m_fromFile->text(), suggested,
                                                                  tr_(QT_TRANSLATE_NOOP("ServiceReport", "Parameter sets (*.kparams)")));
    if (!path.isEmpty())
        m_referencePath->setText(QDir::toNativeSeparators(path));
}

void ReportDialog::browseReport()
{
    const QString suggested = m_path->text();
    const QString filter = m_html->isChecked() ? QStringLiteral("HTML (*.html)") : QStringLiteral("PDF (*.pdf)");
    const QString path = m_chooser ? m_chooser(FileAction::Report, suggested)
                                   : QFileDialog::getSaveFileName(this, windowTitle(), suggested, filter);
    if (!path.isEmpty())
        m_path->setText(QDir::toNativeSeparators(path));
}

void ReportDialog::write()
{
    if (busy())
        return;
    if (m_path->text().trimmed().isEmpty()) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Name the file to write the report to.")));
        return;
    }
    if (m_fromFile->isChecked() && m_referencePath->text().trimmed().isEmpty()) {
        m_messages.info(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Name the parameter-set file to compare with, or choose the defaults.")));
        return;
    }
    if (!m_connection.online()) {
        finish();
        return;
    }
    // The blocks as the controller holds them now.
    m_write->setEnabled(false);
    m_backup = new SetBackup(m_service, this);
    connect(m_backup, &SetBackup::progress, this, [this](int done, int total, FrameId) {
        m_progress->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Reading the controller's blocks (%1 of %2) ..."))
                                .arg(done + 1)
                                .arg(total));
    });
    connect(m_backup, &SetBackup::finished, this, [this](const BackupResult &) {
        m_backup->deleteLater();
        m_backup = nullptr;
        finish();
    });
    m_backup->start(m_service.link().portName(), m_service.link().settings());
}

void ReportDialog::finish()
{
    const int code = m_language.languageCode;
    const QString path = QDir::fromNativeSeparators(m_path->text().trimmed());
    ReportInput input;
    input.languageCode = code;
    input.time = QDateTime::currentDateTime();
    input.toolVersion = QString::fromUtf8(buildinfo::versionString());
    input.technician = m_technician->text();
    input.session = &m_session;
    const ParameterSet controller = receivedSet(m_service);
    input.controller = controller; // the report names what is missing
    input.reference = reportReference(m_fromFile->isChecked() ? QDir::fromNativeSeparators(m_referencePath->text().trimmed())
                                                              : QString(),
                                      controller.controllerType(), code);
    m_progress->setText(tr_(QT_TRANSLATE_NOOP("ServiceReport", "Writing the report ...")));
    const ReportWriteResult r = writeReport(input, &m_trends, path, m_html->isChecked());
    m_progress->clear();
    m_write->setEnabled(true);
    emit written(r.ok, path);
    if (!r.ok) {
        m_messages.info(r.error);
        return;
    }
    m_messages.info(tr_(QT_TRANSLATE_NOOP("ServiceReport", "The service report was written to %1."))
                        .arg(QDir::toNativeSeparators(path)));
    accept();
}
