#include "monitor/ui/trendwindow.h"

#include "widgets/windowconduct.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "monitor/statusdecoder.h"
#include "monitor/trendrecording.h"
#include "monitor/ui/trendplot.h"
#include "widgets/fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {
constexpr const char *kContext = "frmTrends";
// Shown at first: the two field currents are seldom of interest.
constexpr quint16 kShownAtFirst =
    TrendHistory::kAllValues & ~((1u << TrendValue::IdRef) | (1u << TrendValue::IdActual));

QIcon swatch(quint32 rgb)
{
    QPixmap p(12, 12);
    p.fill(QColor(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)));
    return QIcon(p);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

TrendWindow::TrendWindow(TrendHistory &live, const LanguageState &language, MessageService &messages,
                         QWidget *parent)
    : QWidget(parent, kOwnedWindow), m_live(live), m_language(language), m_messages(messages)
{
    setObjectName(QStringLiteral("frmTrends"));
    buildUi();
    m_plot->setHistory(&m_live);
    m_plot->setShownValues(kShownAtFirst);
    applyLanguage();
    followLatest();
    resize(1200, 680);
}

TrendWindow::~TrendWindow()
{
    m_live.setChangedCallback(nullptr);
}

QString TrendWindow::tr_(const char *source, const char *disambiguation) const
{
    const QString t = bilingual(m_language.languageCode, kContext, source, disambiguation);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

void TrendWindow::buildUi()
{
    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);

    auto *bar = new QHBoxLayout;
    m_windowLabel = new QLabel(this);
    m_window = new QComboBox(this);
    m_window->setObjectName(QStringLiteral("cboTrendWindow"));
    for (int minutes : kWindowMinutes)
        m_window->addItem(QString(), minutes);
    m_window->setCurrentIndex(1);
    m_windowLabel->setBuddy(m_window);
    m_pause = new QPushButton(this);
    m_pause->setObjectName(QStringLiteral("cmdTrendPause"));
    m_liveButton = new QPushButton(this);
    m_liveButton->setObjectName(QStringLiteral("cmdTrendLive"));
    m_open = new QPushButton(this);
    m_open->setObjectName(QStringLiteral("cmdTrendOpen"));
    m_savePng = new QPushButton(this);
    m_savePng->setObjectName(QStringLiteral("cmdTrendSavePng"));
    m_saveCsv = new QPushButton(this);
    m_saveCsv->setObjectName(QStringLiteral("cmdTrendSaveCsv"));
    bar->addWidget(m_windowLabel);
    bar->addWidget(m_window);
    bar->addWidget(m_pause);
    bar->addWidget(m_liveButton);
    bar->addStretch();
    bar->addWidget(m_open);
    bar->addWidget(m_savePng);
    bar->addWidget(m_saveCsv);
    top->addLayout(bar);

    auto *body = new QHBoxLayout;
    auto *side = new QWidget(this);
    side->setObjectName(QStringLiteral("frmTrendSeries"));
    side->setFixedWidth(260);
    auto *grid = new QGridLayout(side);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (int v = 0; v < kTrendValueCount; ++v) {
        const TrendValueDef &d = kTrendValues[std::size_t(v)];
        auto *check = new QCheckBox(side);
        check->setObjectName(QStringLiteral("chkTrend_") + QLatin1String(d.key));
        check->setIcon(swatch(d.color));
        check->setChecked(kShownAtFirst & (1u << v));
        connect(check, &QCheckBox::toggled, this, &TrendWindow::updateShown);
        auto *value = new QLabel(side);
        value->setObjectName(QStringLiteral("lblTrendValue_") + QLatin1String(d.key));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(check, row, 0);
        grid->addWidget(value, row, 1);
        m_checks[v] = check;
        m_values[v] = value;
        ++row;
    }
    m_cursorTime = new QLabel(side);
    m_cursorTime->setObjectName(QStringLiteral("lblTrendCursorTime"));
    m_cursorEvent = new QLabel(side);
    m_cursorEvent->setObjectName(QStringLiteral("lblTrendCursorEvent"));
    m_cursorEvent->setWordWrap(true);
    m_source = new QLabel(side);
    m_source->setObjectName(QStringLiteral("lblTrendSource"));
    m_source->setWordWrap(true);
    m_hint = new QLabel(side);
    m_hint->setObjectName(QStringLiteral("lblTrendHint"));
    m_hint->setWordWrap(true);
    m_hint->setEnabled(false);
    grid->addWidget(m_cursorTime, row++, 0, 1, 2);
    grid->addWidget(m_cursorEvent, row++, 0, 1, 2);
    grid->setRowStretch(row++, 1);
    grid->addWidget(m_source, row++, 0, 1, 2);
    grid->addWidget(m_hint, row++, 0, 1, 2);
    body->addWidget(side);

    m_plot = new TrendPlot(this);
    body->addWidget(m_plot, 1);
    top->addLayout(body, 1);

    connect(m_window, &QComboBox::activated, this,
            [this](int index) { setWindowMinutes(m_window->itemData(index).toInt()); });
    connect(m_pause, &QPushButton::clicked, this, [this] { setPaused(!m_paused); });
    connect(m_liveButton, &QPushButton::clicked, this, &TrendWindow::showLive);
    connect(m_open, &QPushButton::clicked, this, &TrendWindow::openClicked);
    connect(m_savePng, &QPushButton::clicked, this, &TrendWindow::savePngClicked);
    connect(m_saveCsv, &QPushButton::clicked, this, &TrendWindow::saveCsvClicked);
    connect(m_plot, &TrendPlot::timeRangeChangedByUser, this, [this] {
        // Looking back: the view stops following until resumed.
        if (!m_recording && !m_paused)
            setPaused(true);
        refresh();
    });
    connect(m_plot, &TrendPlot::cursorMoved, this, &TrendWindow::setCursorTime);
    connect(m_plot, &TrendPlot::cursorLeft, this, &TrendWindow::clearCursor);
    connect(m_plot, &TrendPlot::liveRequested, this, [this] {
        if (m_recording) {
            m_plot->setTimeRange(m_recording->at(0).timeMs, m_recording->last().timeMs);
            refresh();
        } else {
            showLive();
        }
    });
}

void TrendWindow::applyLanguage()
{
    const int code = m_language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    setFont(fontForLanguage(code, 9));
    setWindowTitle(tr_(QT_TRANSLATE_NOOP("frmTrends", "Trends")));
    for (int v = 0; v < kTrendValueCount; ++v)
        m_checks[v]->setText(bilingual(code, kContext, kTrendValues[std::size_t(v)].caption));
    QStringList titles;
    for (const TrendPaneDef &pane : kTrendPanes)
        titles << QStringLiteral("%1 [%2]").arg(bilingual(code, kContext, pane.title), QString::fromUtf8(pane.unit));
    m_plot->setPaneTitles(titles);
    m_windowLabel->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Time shown:")));
    for (int i = 0; i < m_window->count(); ++i)
        m_window->setItemText(i, tr_(QT_TRANSLATE_NOOP("frmTrends", "%1 min")).arg(m_window->itemData(i).toInt()));
    m_liveButton->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Back to live")));
    m_open->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Open recording...")));
    m_savePng->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Save PNG...")));
    m_saveCsv->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Save CSV...")));
    m_hint->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Wheel: zoom the time. Drag: move it. Ctrl+wheel: zoom "
                                                       "the values of a pane. Double click: back to the latest.")));
    updatePauseText();
    updateSourceText();
    updateReadout();
    m_plot->refresh();
}

void TrendWindow::updatePauseText()
{
    m_pause->setText(m_paused ? tr_(QT_TRANSLATE_NOOP("frmTrends", "Resume"))
                              : tr_(QT_TRANSLATE_NOOP("frmTrends", "Pause")));
    m_pause->setEnabled(!m_recording);
    m_liveButton->setEnabled(m_recording != nullptr);
}

void TrendWindow::updateSourceText()
{
    if (m_recording) {
        m_source->setText(tr_(QT_TRANSLATE_NOOP("frmTrends", "Recording: %1 (%2 records)"))
                              .arg(QFileInfo(m_recordingPath).fileName())
                              .arg(m_recording->size()));
    } else {
        m_source->setText(m_paused ? tr_(QT_TRANSLATE_NOOP("frmTrends", "Live, paused: the history goes on."))
                                   : tr_(QT_TRANSLATE_NOOP("frmTrends", "Live")));
    }
}

void TrendWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_live.setChangedCallback([this] { historyChanged(); });
    refresh();
}

void TrendWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_live.setChangedCallback(nullptr);
}

void TrendWindow::historyChanged()
{
    if (!m_recording && !m_paused)
        scheduleRefresh();
}

// However fast the blocks come, at most one drawing waits: the window never
// falls behind the line.
void TrendWindow::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(this, &TrendWindow::refresh, Qt::QueuedConnection);
}

void TrendWindow::refresh()
{
    m_refreshPending = false;
    const qint64 from = m_plot->timeFrom(), to = m_plot->timeTo();
    if (!m_recording && !m_paused)
        followLatest();
    updateReadout();
    // Following and still on the same page: only the new columns.
    if (!m_recording && !m_paused && m_plot->timeFrom() == from && m_plot->timeTo() == to)
        m_plot->drawNewSamples();
    else
        m_plot->refresh();
}

void TrendWindow::refreshNow()
{
    m_refreshPending = false;
    if (!m_recording && !m_paused)
        followLatest();
    updateReadout();
    m_plot->replot(QCustomPlot::rpImmediateRefresh);
}

qint64 TrendWindow::latestTime() const
{
    qint64 latest = m_live.isEmpty() ? QDateTime::currentMSecsSinceEpoch() : m_live.last().timeMs;
    if (!m_live.events().empty())
        latest = std::max(latest, m_live.events().back().timeMs);
    return latest;
}

// The view moves on a tenth of its width at a time, the latest block near
// its right edge: in between, a block draws only the columns it falls in.
void TrendWindow::followLatest()
{
    const qint64 latest = latestTime();
    const qint64 span = m_minutes * 60000LL;
    const qint64 t0 = m_plot->timeFrom(), t1 = m_plot->timeTo();
    if (t1 - t0 == span && latest <= t1 && latest >= t1 - span / 5)
        return;
    const qint64 end = latest + span / 10;
    m_plot->setTimeRange(end - span, end);
}

void TrendWindow::setWindowMinutes(int minutes)
{
    m_minutes = minutes;
    const int index = m_window->findData(minutes);
    if (index >= 0 && index != m_window->currentIndex())
        m_window->setCurrentIndex(index);
    // Anchored at the right edge of what is shown.
    if (m_recording || m_paused)
        m_plot->setTimeRange(m_plot->timeTo() - minutes * 60000LL, m_plot->timeTo());
    refresh();
}

void TrendWindow::setPaused(bool paused)
{
    if (m_recording)
        return;
    m_paused = paused;
    if (!paused)
        m_plot->autoValues();
    updatePauseText();
    updateSourceText();
    refresh();
}

void TrendWindow::showLive()
{
    m_recording.reset();
    m_recordingPath.clear();
    m_plot->setHistory(&m_live);
    m_plot->autoValues();
    for (QCheckBox *check : m_checks)
        check->setEnabled(true);
    m_paused = false;
    updatePauseText();
    updateSourceText();
    refresh();
}

void TrendWindow::updateShown()
{
    quint16 mask = 0;
    for (int v = 0; v < kTrendValueCount; ++v)
        if (m_checks[v]->isChecked())
            mask |= quint16(1u << v);
    m_plot->setShownValues(mask);
    refresh();
}

void TrendWindow::setCursorTime(qint64 timeMs)
{
    m_cursorShown = true;
    m_cursorMs = timeMs;
    updateReadout();
    m_plot->setCursorTime(timeMs);
}

void TrendWindow::clearCursor()
{
    m_cursorShown = false;
    updateReadout();
    m_plot->clearCursor();
}

// The values at the cursor, or the latest without one.
void TrendWindow::updateReadout()
{
    const TrendHistory &h = shownHistory();
    if (!m_cursorShown) {
        showValuesAt(h.isEmpty() ? -1 : h.size() - 1);
        m_cursorTime->setText(h.isEmpty() ? QString() : tr_(QT_TRANSLATE_NOOP("frmTrends", "Latest values")));
        m_cursorEvent->clear();
        return;
    }
    const qint64 timeMs = m_cursorMs;
    const qint64 msPerPixel = (m_plot->timeTo() - m_plot->timeFrom()) / std::max(1, m_plot->width());
    // Within a few pixels of a sample, or between two that a line joins;
    // in a gap or beyond the ends there is no value to read.
    const qint64 reach = std::max<qint64>(200, msPerPixel * 3);
    int i = h.nearest(timeMs);
    if (i >= 0 && std::abs(h.at(i).timeMs - timeMs) > reach) {
        const int after = h.lowerBound(timeMs);
        if (after == 0 || after == h.size() || h.at(after).segmentStart())
            i = -1;
    }
    showValuesAt(i);
    const Qt::TimeSpec zone = h.timeZone();
    m_cursorTime->setText(QDateTime::fromMSecsSinceEpoch(timeMs, zone).toString(QStringLiteral("HH:mm:ss.zzz")));
    QStringList events;
    const qint64 near = std::max<qint64>(msPerPixel * 3, 200);
    for (const TrendEvent &e : h.events())
        if (std::abs(e.timeMs - timeMs) <= near)
            events << faultText(e);
    m_cursorEvent->setText(events.join(u'\n'));
}

void TrendWindow::showValuesAt(int sample)
{
    const TrendHistory &h = shownHistory();
    for (int v = 0; v < kTrendValueCount; ++v) {
        const TrendValueDef &d = kTrendValues[std::size_t(v)];
        const bool present = h.presentValues() & (1u << v);
        QString text = QStringLiteral("\u2013");
        if (sample >= 0 && present) {
            const QString unit = QString::fromUtf8(kTrendPanes[std::size_t(d.pane)].unit);
            text = countsText(h.at(sample).counts(v), d.divisor) + u' ' + unit;
        }
        if (m_values[v]->text() != text)
            m_values[v]->setText(text);
    }
}

// "Over vdc appeared", "Link down".
QString TrendWindow::faultText(const TrendEvent &event) const
{
    switch (event.kind) {
    case TrendEvent::LinkDown:
        return tr_(QT_TRANSLATE_NOOP("frmTrends", "Link down"));
    case TrendEvent::LinkUp:
        return tr_(QT_TRANSLATE_NOOP("frmTrends", "Link back"));
    case TrendEvent::FaultAppeared:
    case TrendEvent::FaultCleared:
        break;
    }
    QStringList names;
    quint16 rest = event.bits;
    for (const FaultRow &row : kFaultRows) {
        if (row.currentMask && (event.bits & row.currentMask)) {
            names << bilingual(m_language.languageCode, "frmMain", row.caption);
            rest &= quint16(~row.currentMask);
        }
    }
    for (int bit = 0; bit < 16; ++bit)
        if (rest & (1u << bit))
            names << QStringLiteral("0x%1").arg(1u << bit, 4, 16, QLatin1Char('0'));
    return (event.kind == TrendEvent::FaultAppeared ? tr_(QT_TRANSLATE_NOOP("frmTrends", "%1 appeared"))
                                                    : tr_(QT_TRANSLATE_NOOP("frmTrends", "%1 cleared")))
        .arg(names.join(QStringLiteral(", ")));
}

bool TrendWindow::openRecording(const QString &path)
{
    RecordingLoad load = loadRecording(path, m_language.languageCode);
    if (!load.history) {
        m_messages.infoAbout(objectName(), load.error);
        return false;
    }
    m_recording = std::move(load.history);
    m_recordingPath = path;
    m_plot->setHistory(m_recording.get());
    m_plot->autoValues();
    for (int v = 0; v < kTrendValueCount; ++v)
        m_checks[v]->setEnabled(m_recording->presentValues() & (1u << v));
    m_plot->setTimeRange(m_recording->at(0).timeMs, m_recording->last().timeMs);
    updatePauseText();
    updateSourceText();
    m_cursorShown = false;
    refresh();
    if (!load.notes.isEmpty())
        m_messages.infoAbout(objectName(), load.notes.join(u'\n'));
    return true;
}

bool TrendWindow::savePng(const QString &path)
{
    const QImage image = m_plot->picture().toImage();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmTrends", "The picture \"%1\" cannot be saved (%2)."))
                            .arg(native(path), file.errorString()));
        return false;
    }
    return true;
}

bool TrendWindow::saveCsv(const QString &path)
{
    const TrendHistory &h = shownHistory();
    const int from = h.lowerBound(m_plot->timeFrom());
    const int to = h.upperBound(m_plot->timeTo());
    if (from >= to) {
        m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmTrends", "No records are shown: nothing was saved.")));
        return false;
    }
    const LogResult result = saveRecording(path, h, from, to);
    if (!result.ok) {
        m_messages.infoAbout(objectName(), tr_(QT_TRANSLATE_NOOP("frmTrends", "The recording \"%1\" cannot be saved (%2)."))
                            .arg(native(path), result.error));
        return false;
    }
    return true;
}

QString TrendWindow::choose(FileAction action, const QString &suggested)
{
    if (m_chooser)
        return m_chooser(action, suggested);
    switch (action) {
    case FileAction::Open:
        return QFileDialog::getOpenFileName(
            this, tr_(QT_TRANSLATE_NOOP("frmTrends", "Open recording")), suggested,
            tr_(QT_TRANSLATE_NOOP("frmTrends", "Recordings (*.csv *.txt);;All files (*)")));
    case FileAction::SavePng:
        return QFileDialog::getSaveFileName(this, tr_(QT_TRANSLATE_NOOP("frmTrends", "Save PNG...")), suggested,
                                            QStringLiteral("PNG (*.png)"));
    case FileAction::SaveCsv:
        return QFileDialog::getSaveFileName(this, tr_(QT_TRANSLATE_NOOP("frmTrends", "Save CSV...")), suggested,
                                            QStringLiteral("CSV (*.csv)"));
    }
    return {};
}

void TrendWindow::openClicked()
{
    const QString path = choose(FileAction::Open, m_folder);
    if (!path.isEmpty())
        openRecording(path);
}

void TrendWindow::savePngClicked()
{
    const QString stem = QStringLiteral("Trends_") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    const QString path = choose(FileAction::SavePng, QDir(m_folder).filePath(stem + QStringLiteral(".png")));
    if (!path.isEmpty())
        savePng(path);
}

void TrendWindow::saveCsvClicked()
{
    const QString stem = QStringLiteral("Trends_") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    const QString path = choose(FileAction::SaveCsv, QDir(m_folder).filePath(stem + QStringLiteral(".csv")));
    if (!path.isEmpty())
        saveCsv(path);
}
