#include "pages/ui/setwindow.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "link/linkcontroller.h"
#include "pages/parameterservice.h"
#include "pages/sets/restoreplan.h"
#include "pages/sets/setblocks.h"
#include "pages/sets/setfile.h"
#include "widgets/windowconduct.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr const char *kContext = "frmSets";
constexpr int kFamilyRole = Qt::UserRole;
constexpr int kControlRole = Qt::UserRole + 1;

enum Column { ColField, ColUnit, ColFirst, ColSecond, ColBytes, ColumnCount };

QString tickKey(FrameId family, const QString &control)
{
    return QString::number(int(family)) + u'/' + control;
}

const char *jobTitle(ParameterSetWindow::Job job)
{
    using Job = ParameterSetWindow::Job;
    switch (job) {
    case Job::Backup:
        return QT_TRANSLATE_NOOP("frmSets", "Back up controller");
    case Job::CompareFile:
        return QT_TRANSLATE_NOOP("frmSets", "Compare with file");
    case Job::Restore:
        return QT_TRANSLATE_NOOP("frmSets", "Restore from file");
    case Job::CompareFiles:
        return QT_TRANSLATE_NOOP("frmSets", "Compare two files");
    case Job::CompareDefaults:
        return QT_TRANSLATE_NOOP("frmSets", "Compare with defaults");
    case Job::None:
        break;
    }
    return QT_TRANSLATE_NOOP("frmSets", "Parameter sets");
}

// "type 2, serial 1234, saved 2026-12-09 10:14" for a side of a comparison.
QString setSummary(const ParameterSet &set, int code)
{
    QStringList parts{controllerTypeName(set.controllerType(), code)};
    if (const std::optional<SetIdentity> id = set.identity())
        parts << bilingual(code, kContext, QT_TRANSLATE_NOOP("frmSets", "serial %1")).arg(id->serialNumber);
    if (set.time.isValid())
        parts << bilingual(code, kContext, QT_TRANSLATE_NOOP("frmSets", "taken %1"))
                     .arg(set.time.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    if (set.partial())
        parts << bilingual(code, kContext, QT_TRANSLATE_NOOP("frmSets", "partial"));
    return parts.join(QStringLiteral(", "));
}
} // namespace

ParameterSetWindow::ParameterSetWindow(ParameterService &service, const ConnectionState &connection,
                                       const LanguageState &language, MessageService &messages, QWidget *parent)
    : QWidget(parent, kOwnedWindow),
      m_service(service),
      m_connection(connection),
      m_language(language),
      m_messages(messages),
      m_backup(new SetBackup(service, this)),
      m_restore(new SetRestore(service, this))
{
    setObjectName(QStringLiteral("frmSets"));
    buildUi();
    connect(m_backup, &SetBackup::progress, this, [this](int done, int total, FrameId family) {
        showProgress(done, total, family, QT_TRANSLATE_NOOP("frmSets", "Reading %1 (%2 of %3) ..."));
    });
    connect(m_backup, &SetBackup::finished, this, [this](const BackupResult &result) {
        m_progress->setValue(m_progress->maximum());
        m_lblProgress->clear();
        const auto then = std::exchange(m_afterRead, {});
        if (then)
            then(result);
        updateButtons();
    });
    connect(m_restore, &SetRestore::progress, this, [this](int done, int total, FrameId family) {
        showProgress(done, total, family, QT_TRANSLATE_NOOP("frmSets", "Writing %1 (%2 of %3) ..."));
    });
    connect(m_restore, &SetRestore::finished, this, &ParameterSetWindow::restoreEnded);
    applyLanguage();
    resize(820, 560);
}

ParameterSetWindow::~ParameterSetWindow() = default;

MessageService::Message ParameterSetWindow::message(MessageService::Icon icon, const QString &text) const
{
    return {icon, QStringLiteral("info"), text, objectName()}; // the box belongs to this window
}

QString ParameterSetWindow::tr_(const char *source) const
{
    return bilingual(m_language.languageCode, kContext, source);
}

void ParameterSetWindow::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    auto label = [this, layout](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setWordWrap(true);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(l);
        return l;
    };
    m_lblSides = label("lblSides");
    m_lblSides->setWordWrap(false); // two short lines; a wrapped label keeps its old height a moment
    m_lblWarnings = label("lblWarnings");
    m_lblWarnings->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_lblCounts = label("lblCounts");
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("treeDifferences"));
    m_tree->setColumnCount(ColumnCount);
    m_tree->setAlternatingRowColors(true);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionResizeMode(ColField, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    layout->addWidget(m_tree, 1);
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
        if (column == ColField && item->data(ColField, kControlRole).isValid())
            m_ticks[tickKey(FrameId(item->data(ColField, kFamilyRole).toInt()),
                            item->data(ColField, kControlRole).toString())] = item->checkState(ColField) == Qt::Checked;
    });

    auto *typeRow = new QHBoxLayout;
    m_lblConfirmType = new QLabel(this);
    m_lblConfirmType->setObjectName(QStringLiteral("lblConfirmType"));
    m_lblConfirmType->setWordWrap(true);
    m_txtConfirmType = new QLineEdit(this);
    m_txtConfirmType->setObjectName(QStringLiteral("txtConfirmType"));
    m_txtConfirmType->setMaximumWidth(160);
    typeRow->addWidget(m_lblConfirmType, 1);
    typeRow->addWidget(m_txtConfirmType);
    layout->addLayout(typeRow);

    m_lblProgress = label("lblProgress");
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressTransfer"));
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(12);
    layout->addWidget(m_progress);
    m_txtResult = new QPlainTextEdit(this);
    m_txtResult->setObjectName(QStringLiteral("txtResult"));
    m_txtResult->setReadOnly(true);
    m_txtResult->setMaximumHeight(110);
    layout->addWidget(m_txtResult);

    layout->addStretch(); // only a backup, without the table, leaves room here
    auto *buttons = new QHBoxLayout;
    auto button = [this, buttons](const char *name) {
        auto *b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(true);
        buttons->addWidget(b);
        return b;
    };
    m_cmdTickAll = button("cmdTickAll");
    m_cmdTickNone = button("cmdTickNone");
    buttons->addStretch(1);
    m_cmdWrite = button("cmdWrite");
    m_cmdClose = button("cmdClose");
    layout->addLayout(buttons);
    connect(m_cmdTickAll, &QPushButton::clicked, this, [this] {
        for (const RestoreTick &t : defaultTicks(*m_comparison))
            m_ticks[tickKey(t.family, t.control)] = true;
        fillTree();
    });
    connect(m_cmdTickNone, &QPushButton::clicked, this, [this] {
        m_ticks.clear();
        fillTree();
    });
    connect(m_cmdWrite, &QPushButton::clicked, this, &ParameterSetWindow::writeTicked);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

void ParameterSetWindow::applyLanguage()
{
    const int code = m_language.languageCode;
    setWindowTitle(tr_(jobTitle(m_job)));
    m_tree->setHeaderLabels({tr_(QT_TRANSLATE_NOOP("frmSets", "Field")), tr_(QT_TRANSLATE_NOOP("frmSets", "Unit")),
                             sideName(true), sideName(false), tr_(QT_TRANSLATE_NOOP("frmSets", "Bytes"))});
    m_cmdTickAll->setText(tr_(QT_TRANSLATE_NOOP("frmSets", "Tick all")));
    m_cmdTickNone->setText(tr_(QT_TRANSLATE_NOOP("frmSets", "Tick none")));
    m_cmdWrite->setText(tr_(QT_TRANSLATE_NOOP("frmSets", "Write ticked fields")));
    m_cmdClose->setText(tr_(QT_TRANSLATE_NOOP("frmSets", "Close")));
    if (m_first && m_second)
        m_comparison = compareSets(*m_first, *m_second, code);
    showComparison();
    if (m_lastRestore && m_job == Job::Restore)
        m_txtResult->setPlainText(m_lastRestore->lines(code).join(u'\n'));
    else
        m_txtResult->setPlainText(m_resultText);
    updateButtons();
}

QString ParameterSetWindow::sideName(bool first) const
{
    switch (m_job) {
    case Job::CompareFiles:
        return first ? m_firstName : m_secondName;
    case Job::CompareDefaults:
        return first ? tr_(QT_TRANSLATE_NOOP("frmSets", "Defaults")) : tr_(QT_TRANSLATE_NOOP("frmSets", "Controller"));
    case Job::CompareFile:
    case Job::Restore:
        return first ? tr_(QT_TRANSLATE_NOOP("frmSets", "File")) : tr_(QT_TRANSLATE_NOOP("frmSets", "Controller"));
    case Job::Backup:
    case Job::None:
        break;
    }
    return first ? tr_(QT_TRANSLATE_NOOP("frmSets", "First")) : tr_(QT_TRANSLATE_NOOP("frmSets", "Second"));
}

QString ParameterSetWindow::choose(FileAction action, const QString &suggested)
{
    if (m_chooser)
        return m_chooser(action, suggested);
    const QString filter = tr_(QT_TRANSLATE_NOOP("frmSets", "Parameter sets (*.kparams);;All files (*)"));
    switch (action) {
    case FileAction::Save:
        return QFileDialog::getSaveFileName(this, tr_(jobTitle(Job::Backup)), suggested, filter);
    case FileAction::Open:
        return QFileDialog::getOpenFileName(this, tr_(QT_TRANSLATE_NOOP("frmSets", "Open a parameter set")), suggested,
                                            filter);
    case FileAction::OpenSecond:
        return QFileDialog::getOpenFileName(this, tr_(QT_TRANSLATE_NOOP("frmSets", "Open the second parameter set")),
                                            suggested, filter);
    }
    return {};
}

bool ParameterSetWindow::refuseWhenBusy()
{
    if (!busy())
        return false;
    show();
    raise();
    activateWindow();
    m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmSets", "The controller is being read or written: wait until it has "
                                                     "ended.")));
    return true;
}

bool ParameterSetWindow::refuseWhenOffline()
{
    if (m_connection.online())
        return false;
    m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmSets", "No controller answers: connect it and choose its port under "
                                                     "Options > Com Setting first. Nothing was read or written.")));
    return true;
}

// A set file chosen by the user, or none (cancelled, or refused with a
// message that says which block and why).
std::optional<ParameterSet> ParameterSetWindow::openSet(FileAction action)
{
    const QString path = choose(action, m_folder);
    if (path.isEmpty())
        return std::nullopt;
    SetReadResult file = readSetFile(path);
    if (!file.set) {
        m_messages.show(message(MessageService::Icon::Warning, QDir::toNativeSeparators(path) + QStringLiteral("\n\n") +
                             file.error.message(m_language.languageCode)));
        return std::nullopt;
    }
    m_folder = QFileInfo(path).absolutePath();
    (action == FileAction::OpenSecond ? m_secondName : m_firstName) = QFileInfo(path).fileName();
    return file.set;
}

// A new job: nothing of the last one stays on screen.
void ParameterSetWindow::begin(Job job)
{
    m_job = job;
    m_comparison.reset();
    m_lastRestore.reset();
    m_ticks.clear();
    m_resultText.clear();
    m_txtConfirmType->clear();
    m_progress->setValue(0);
    applyLanguage();
    // A backup has no table: a small window is enough.
    if (job == Job::Backup)
        resize(560, 220);
    else if (height() < 480)
        resize(820, 560);
    show();
    raise();
    activateWindow();
}

void ParameterSetWindow::readController(std::function<void(const BackupResult &)> then)
{
    m_afterRead = std::move(then);
    m_backup->start(m_service.link().portName(), m_service.link().settings());
    updateButtons();
}

bool ParameterSetWindow::startBackup()
{
    if (refuseWhenBusy() || refuseWhenOffline())
        return false;
    const QString stem = QStringLiteral("Controller_") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) +
                         QStringLiteral(".") + QLatin1String(kSetFileSuffix);
    QString path = choose(FileAction::Save, QDir(m_folder).filePath(stem));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + QLatin1String(kSetFileSuffix);
    m_backupPath = path;
    m_folder = QFileInfo(path).absolutePath();
    m_first.reset();
    m_second.reset();
    begin(Job::Backup);
    readController([this](const BackupResult &r) { backupRead(r); });
    return true;
}

void ParameterSetWindow::backupRead(const BackupResult &result)
{
    const int code = m_language.languageCode;
    const QString path = QDir::toNativeSeparators(m_backupPath);
    if (result.nothingAnswered()) {
        m_resultText = tr_(QT_TRANSLATE_NOOP("frmSets", "No block came from the controller: nothing was saved."));
        m_txtResult->setPlainText(m_resultText);
        m_messages.show(message(MessageService::Icon::Warning, m_resultText));
        return;
    }
    ParameterSet set = result.set;
    if (m_modelNamer)
        set.model = m_modelNamer(set);
    if (const SetFileError e = writeSetFile(m_backupPath, set); !e.ok()) {
        m_resultText = path + QStringLiteral("\n") + e.message(code);
        m_txtResult->setPlainText(m_resultText);
        m_messages.show(message(MessageService::Icon::Warning, m_resultText));
        return;
    }
    m_second = set;
    QStringList lines{tr_(QT_TRANSLATE_NOOP("frmSets", "%1 blocks saved in %2."))
                          .arg(int(setBlocks().size()) - int(result.missing.size()))
                          .arg(path)};
    if (!result.missing.isEmpty()) {
        QStringList names;
        for (FrameId f : result.missing)
            names << findSetBlock(f)->title(code);
        lines << tr_(QT_TRANSLATE_NOOP("frmSets", "The backup is partial: %1 did not come. The file says so."))
                     .arg(names.join(QStringLiteral(", ")));
    }
    m_resultText = lines.join(u'\n');
    m_lblSides->setText(tr_(QT_TRANSLATE_NOOP("frmSets", "Controller: %1")).arg(setSummary(set, code)));
    m_txtResult->setPlainText(m_resultText);
    emit jobEnded(lines.first());
    if (!result.missing.isEmpty())
        m_messages.show(message(MessageService::Icon::Warning, m_resultText));
}

bool ParameterSetWindow::startCompareFile()
{
    return startAgainstController(Job::CompareFile);
}

bool ParameterSetWindow::startRestore()
{
    return startAgainstController(Job::Restore);
}

// A file chosen, then the controller read to compare it with.
bool ParameterSetWindow::startAgainstController(Job job)
{
    if (refuseWhenBusy() || refuseWhenOffline())
        return false;
    std::optional<ParameterSet> file = openSet(FileAction::Open);
    if (!file)
        return false;
    m_first = std::move(file);
    m_second.reset();
    begin(job);
    readController([this](const BackupResult &r) { compareRead(r); });
    return true;
}

bool ParameterSetWindow::startCompareDefaults()
{
    if (refuseWhenBusy() || refuseWhenOffline())
        return false;
    m_first.reset();
    m_second.reset();
    begin(Job::CompareDefaults);
    readController([this](const BackupResult &r) { compareRead(r); });
    return true;
}

bool ParameterSetWindow::startCompareFiles()
{
    if (refuseWhenBusy())
        return false;
    std::optional<ParameterSet> first = openSet(FileAction::Open);
    if (!first)
        return false;
    std::optional<ParameterSet> second = openSet(FileAction::OpenSecond);
    if (!second)
        return false;
    m_first = std::move(first);
    m_second = std::move(second);
    begin(Job::CompareFiles);
    return true;
}

// The controller has been read: the comparison is made against it (and the
// defaults for its type). A fresh comparison for a restore ticks every
// writable difference outside the protected blocks.
void ParameterSetWindow::compareRead(const BackupResult &result)
{
    if (result.nothingAnswered()) {
        m_resultText = tr_(QT_TRANSLATE_NOOP("frmSets", "No block came from the controller: nothing was compared."));
        m_txtResult->setPlainText(m_resultText);
        m_messages.show(message(MessageService::Icon::Warning, m_resultText));
        return;
    }
    const bool fresh = !m_second.has_value();
    m_second = result.set;
    if (m_job == Job::CompareDefaults)
        m_first = ParameterSet::designDefaults(m_second->controllerType());
    m_comparison = compareSets(*m_first, *m_second, m_language.languageCode);
    if (fresh && m_job == Job::Restore) {
        for (const RestoreTick &t : defaultTicks(*m_comparison))
            m_ticks[tickKey(t.family, t.control)] = true;
    }
    m_resultText.clear();
    if (!result.missing.isEmpty()) {
        QStringList names;
        for (FrameId f : result.missing)
            names << findSetBlock(f)->title(m_language.languageCode);
        m_resultText = tr_(QT_TRANSLATE_NOOP("frmSets", "Not read from the controller: %1."))
                           .arg(names.join(QStringLiteral(", ")));
    }
    applyLanguage();
}

void ParameterSetWindow::showComparison()
{
    const int code = m_language.languageCode;
    const bool compares = m_job != Job::Backup && m_job != Job::None;
    m_tree->setVisible(compares);
    m_lblCounts->setVisible(compares);
    QStringList sides;
    const bool named = m_job == Job::CompareFile || m_job == Job::Restore;
    if (m_first && compares)
        sides << sideName(true) + QStringLiteral(": ") + (named ? m_firstName + QStringLiteral(" (") : QString()) +
                     setSummary(*m_first, code) + (named ? QStringLiteral(")") : QString());
    if (m_second)
        sides << sideName(false) + QStringLiteral(": ") + setSummary(*m_second, code);
    m_lblSides->setText(sides.join(u'\n'));
    const bool warn = m_comparison && !m_comparison->warnings.isEmpty();
    m_lblWarnings->setVisible(warn);
    m_lblWarnings->setText(warn ? m_comparison->warnings.join(u'\n') : QString());
    const bool askType = m_comparison && m_comparison->typeDiffers && m_job == Job::Restore;
    m_lblConfirmType->setVisible(askType);
    m_txtConfirmType->setVisible(askType);
    if (askType)
        m_lblConfirmType->setText(
            tr_(QT_TRANSLATE_NOOP("frmSets", "The file is of %1, the controller of %2. To write it all the same, "
                                             "type \"%1\" here:"))
                .arg(controllerTypeName(m_first->controllerType(), code),
                     controllerTypeName(m_second->controllerType(), code)));
    showCounts();
    fillTree();
}

void ParameterSetWindow::showCounts()
{
    if (!m_comparison) {
        m_lblCounts->setText(m_backup->running() ? QString() : tr_(QT_TRANSLATE_NOOP("frmSets", "Nothing compared yet.")));
        return;
    }
    const SetComparison &c = *m_comparison;
    QString text = tr_(QT_TRANSLATE_NOOP("frmSets", "%1 fields differ, %2 are equal, %3 are not used by this "
                                                    "controller type."))
                       .arg(c.changed)
                       .arg(c.unchanged)
                       .arg(c.notForType);
    if (c.notComparable > 0)
        text += u' ' + tr_(QT_TRANSLATE_NOOP("frmSets", "%1 blocks are missing on one side.")).arg(c.notComparable);
    if (c.equal())
        text += u' ' + tr_(QT_TRANSLATE_NOOP("frmSets", "Both hold the same."));
    m_lblCounts->setText(text);
}

QTreeWidgetItem *ParameterSetWindow::blockItem(const BlockComparison &block)
{
    auto *item = new QTreeWidgetItem(m_tree);
    QFont bold = item->font(ColField);
    bold.setBold(true);
    item->setFont(ColField, bold);
    QString state;
    switch (block.state) {
    case BlockComparison::State::Compared:
        state = tr_(QT_TRANSLATE_NOOP("frmSets", "%1 differ")).arg(block.changed);
        break;
    case BlockComparison::State::MissingInFirst:
        state = tr_(QT_TRANSLATE_NOOP("frmSets", "missing in \"%1\"")).arg(sideName(true));
        break;
    case BlockComparison::State::MissingInSecond:
        state = tr_(QT_TRANSLATE_NOOP("frmSets", "missing in \"%1\"")).arg(sideName(false));
        break;
    }
    item->setText(ColField, block.title + QStringLiteral(" (") + state + u')');
    item->setFirstColumnSpanned(true);
    return item;
}

// One row per block that differs or misses, its differing fields below it;
// for a restore, each writable field with its tick.
void ParameterSetWindow::fillTree()
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    if (!m_comparison)
        return;
    const bool ticks = m_job == Job::Restore && !busy();
    for (const BlockComparison &block : m_comparison->blocks) {
        if (block.state == BlockComparison::State::Compared && block.differences.isEmpty())
            continue;
        QTreeWidgetItem *parent = blockItem(block);
        bool anyTick = false;
        for (const FieldDifference &d : block.differences) {
            auto *row = new QTreeWidgetItem(parent, {d.caption, d.unit, d.first, d.second,
                                                     d.firstBytes + QStringLiteral(" / ") + d.secondBytes});
            row->setData(ColField, kFamilyRole, int(block.family));
            if (m_job == Job::Restore && d.writable) {
                row->setData(ColField, kControlRole, d.control);
                row->setCheckState(ColField, m_ticks.value(tickKey(block.family, d.control)) ? Qt::Checked
                                                                                             : Qt::Unchecked);
                row->setFlags(ticks ? row->flags() | Qt::ItemIsUserCheckable : row->flags() & ~Qt::ItemIsEnabled);
                anyTick = true;
            } else if (!d.writable) {
                row->setToolTip(ColField, tr_(QT_TRANSLATE_NOOP("frmSets", "Shown only: a restore does not write it.")));
            }
        }
        if (isProtectedBlock(block.family) && anyTick)
            parent->setToolTip(ColField, tr_(QT_TRANSLATE_NOOP("frmSets", "Identity, calibration and password: "
                                                                          "written only when ticked here.")));
        parent->setExpanded(true);
    }
    for (int c = ColUnit; c < ColumnCount; ++c)
        m_tree->resizeColumnToContents(c);
}

void ParameterSetWindow::showProgress(int done, int total, FrameId family, const char *what)
{
    m_progress->setMaximum(total);
    m_progress->setValue(done);
    m_lblProgress->setText(tr_(what).arg(findSetBlock(family)->title(m_language.languageCode)).arg(done + 1).arg(total));
}

void ParameterSetWindow::updateButtons()
{
    const bool restore = m_job == Job::Restore;
    const bool idle = !busy();
    for (QPushButton *b : {m_cmdWrite, m_cmdTickAll, m_cmdTickNone}) {
        b->setVisible(restore);
        b->setEnabled(idle && m_comparison.has_value());
    }
    m_txtConfirmType->setEnabled(idle);
    m_progress->setVisible(!idle);
    m_txtResult->setVisible(!m_txtResult->toPlainText().isEmpty() || m_job == Job::Backup);
    m_tree->setEnabled(idle);
}

QList<RestoreTick> ParameterSetWindow::ticks() const
{
    QList<RestoreTick> list;
    if (!m_comparison)
        return list;
    for (const BlockComparison &b : m_comparison->blocks) {
        for (const FieldDifference &d : b.differences) {
            if (d.writable && m_ticks.value(tickKey(b.family, d.control)))
                list.append({b.family, d.control});
        }
    }
    return list;
}

void ParameterSetWindow::setTicked(FrameId family, const QString &control, bool ticked)
{
    m_ticks[tickKey(family, control)] = ticked;
    fillTree();
}

// The ticks as a restore request: a tick in the Idc calibration or User
// information block is the explicit choice those blocks need.
RestoreRequest ParameterSetWindow::request(bool unknownLayoutConfirmed) const
{
    RestoreRequest r;
    r.ticked = ticks();
    for (const RestoreTick &t : r.ticked) {
        if (isProtectedBlock(t.family) && !r.explicitBlocks.contains(t.family))
            r.explicitBlocks << t.family;
    }
    r.confirmedType = m_txtConfirmType->text();
    r.unknownLayoutConfirmed = unknownLayoutConfirmed;
    return r;
}

// "Basic:\n  Max speed: 3000 -> 4000" for every field a plan writes.
QString ParameterSetWindow::planText(const RestorePlan &plan) const
{
    QStringList lines;
    for (const PlannedBlock &p : plan.blocks) {
        const BlockComparison *b = m_comparison->block(p.family);
        lines << b->title + u':';
        for (const FieldDifference &d : b->differences) {
            if (p.controls.contains(d.control)) {
                const QString unit = d.unit.isEmpty() ? QString() : u' ' + d.unit;
                lines << QStringLiteral("    %1: %2 -> %3%4").arg(d.caption, d.second, d.first, unit);
            }
        }
    }
    return lines.join(u'\n');
}

void ParameterSetWindow::writeTicked()
{
    if (m_job != Job::Restore || busy() || !m_comparison || !m_first || !m_second)
        return;
    if (refuseWhenOffline())
        return;
    const RestorePlan plan = planRestore(*m_first, *m_second, request(false), m_language.languageCode);
    if (plan.refused) {
        m_messages.show(message(MessageService::Icon::Warning, plan.refusal));
        if (m_txtConfirmType->isVisible())
            m_txtConfirmType->setFocus();
        return;
    }
    const RestorePlan withZeros = planRestore(*m_first, *m_second, request(true), m_language.languageCode);
    if (withZeros.blocks.size() > plan.blocks.size()) {
        askUnknownLayout(plan);
        return;
    }
    confirmWrite(plan, false);
}

// Some ticked blocks have bytes whose layout the controller type does not
// tell: zeros go there only when the user says so.
void ParameterSetWindow::askUnknownLayout(const RestorePlan &plan)
{
    QStringList notes;
    for (const QString &n : plan.notes)
        notes << n;
    const QString question =
        notes.join(u'\n') + QStringLiteral("\n\n") +
        tr_(QT_TRANSLATE_NOOP("frmSets", "Write zeros into the bytes whose layout is not known for these blocks?"));
    m_messages.ask(message(MessageService::Icon::Warning, question), [this, plan](bool yes) {
        if (!yes && plan.blocks.isEmpty()) {
            m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmSets", "Nothing was written.")));
            return;
        }
        const RestorePlan chosen =
            yes ? planRestore(*m_first, *m_second, request(true), m_language.languageCode) : plan;
        confirmWrite(chosen, yes);
    });
}

void ParameterSetWindow::confirmWrite(const RestorePlan &plan, bool unknownLayoutConfirmed)
{
    if (plan.blocks.isEmpty()) {
        QString text = tr_(QT_TRANSLATE_NOOP("frmSets", "No ticked field differs from the controller: nothing was "
                                                        "written."));
        if (!plan.notes.isEmpty())
            text += QStringLiteral("\n\n") + plan.notes.join(u'\n');
        m_messages.infoAbout(objectName(), text);
        return;
    }
    QString question = tr_(QT_TRANSLATE_NOOP("frmSets", "Write these fields into the controller? Each block is "
                                                        "read back and compared afterwards."))
                       + QStringLiteral("\n\n") + planText(plan);
    if (!plan.notes.isEmpty())
        question += QStringLiteral("\n\n") + plan.notes.join(u'\n');
    m_messages.ask(message(MessageService::Icon::Warning, question),
                   [this, unknownLayoutConfirmed](bool yes) {
                       if (yes)
                           rereadAndWrite(unknownLayoutConfirmed);
                   });
}

// What was shown is what is written: the controller is read again first,
// and a block it changed in the meantime stops the restore before anything
// is sent.
void ParameterSetWindow::rereadAndWrite(bool unknownLayoutConfirmed)
{
    if (busy() || refuseWhenOffline())
        return;
    const ParameterSet shown = *m_second;
    const RestoreRequest req = request(unknownLayoutConfirmed);
    readController([this, shown, req](const BackupResult &result) {
        const RestorePlan plan = planRestore(*m_first, result.set, req, m_language.languageCode);
        bool changed = result.nothingAnswered() || plan.refused;
        for (const PlannedBlock &p : plan.blocks)
            changed = changed || shown.block(p.family) != result.set.block(p.family);
        if (changed) {
            if (!result.nothingAnswered())
                compareRead(result);
            m_messages.show(message(MessageService::Icon::Warning, tr_(QT_TRANSLATE_NOOP("frmSets", "The controller does not hold what was shown any more "
                                                              "(or did not answer). Nothing was written: look at "
                                                              "the table again."))));
            return;
        }
        m_txtResult->clear();
        fillTree();
        m_restore->start(plan);
        updateButtons();
    });
}

void ParameterSetWindow::restoreEnded(const RestoreResult &result)
{
    const int code = m_language.languageCode;
    m_lastRestore = result;
    emit restored(result, m_firstName);
    m_lblProgress->clear();
    m_progress->setValue(m_progress->maximum());
    const QStringList lines = result.lines(code);
    m_txtResult->setPlainText(lines.join(u'\n'));
    const QString summary =
        result.allVerified()
            ? tr_(QT_TRANSLATE_NOOP("frmSets", "%1 blocks written and verified.")).arg(result.blocks.size())
            : tr_(QT_TRANSLATE_NOOP("frmSets", "Not every block was verified:"));
    emit jobEnded(result.allVerified() ? summary : summary + u' ' + lines.join(QStringLiteral("; ")));
    m_messages.show(message(result.allVerified() ? MessageService::Icon::Information : MessageService::Icon::Warning,
                            summary + QStringLiteral("\n\n") + lines.join(u'\n')));
    // The table shows what is left to differ, from what the controller holds now.
    if (m_connection.online())
        readController([this](const BackupResult &r) { compareRead(r); });
    updateButtons();
}

void ParameterSetWindow::closeEvent(QCloseEvent *event)
{
    if (busy()) {
        event->ignore();
        m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmSets", "The controller is being read or written: the window "
                                                         "closes when it has ended.")));
        return;
    }
    QWidget::closeEvent(event);
}

void ParameterSetWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
