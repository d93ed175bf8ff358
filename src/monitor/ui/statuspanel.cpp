#include "monitor/ui/statuspanel.h"

#include "monitor/statusdecoder.h"
#include "core/appstate.h"
#include "widgets/fonts.h"
#include "widgets/indicator.h"
#include "widgets/valuelabel.h"
#include "core/language.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

PortStatusHost::PortStatusHost(QWidget *parent) : QWidget(parent) {}

void PortStatusHost::setLabel(QLabel *label)
{
    m_label = label;
    setSizePolicy(label->sizePolicy());
}

void PortStatusHost::fixHint(const QStringList &texts)
{
    // Asked again with the same texts in the same font: nothing to measure.
    if (m_measuredFont == m_label->font() && m_measuredTexts == texts)
        return;
    m_measuredFont = m_label->font();
    m_measuredTexts = texts;
    const QString shown = m_label->text();
    QSize hint, least;
    for (const QString &t : texts) {
        m_label->setText(t);
        hint = hint.expandedTo(m_label->sizeHint());
        least = least.expandedTo(m_label->minimumSizeHint());
    }
    m_label->setText(shown);
    m_hint = hint;
    m_least = least.expandedTo(m_label->minimumSize());
    updateGeometry();
}

void PortStatusHost::resizeEvent(QResizeEvent *)
{
    if (m_label)
        m_label->setGeometry(rect());
}

void setForeColor(QLabel *label, int bgr)
{
    // Active and inactive only: a disabled (stale) label keeps the grey of
    // the disabled group.
    QPalette p = label->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, colorFromBgr(bgr));
    p.setColor(QPalette::Inactive, QPalette::WindowText, colorFromBgr(bgr));
    label->setPalette(p);
    label->setProperty("foreColor", bgr);
}

namespace {
// Caption label, value label and English caption of each reading, in the
// order they appear in the frame.
struct Reading
{
    const char *caption;
    const char *value;
    TrText text;
};

const Reading kReadings[] = {
    {"lblfrmSysStatusVdc", "lblfrmSysStatusVdc_a", QT_TRANSLATE_NOOP3("frmMain", "Vdc[V]", "")},
    {"lblfrmSysStatusIdc", "lblfrmSysStatusIdc_a", QT_TRANSLATE_NOOP3("frmMain", "Idc[A]", "")},
    {"lblfrmSysStatusRPM", "lblfrmSysStatusRPM_a", QT_TRANSLATE_NOOP3("frmMain", "Revolution[rpm]", "")},
    {"lblfrmSysStatusVthrot", "lblfrmSysStatusVthrot_a", QT_TRANSLATE_NOOP3("frmMain", "Motor T[Deg]", "")},
    {"lblfrmSysStatustemp", "lblfrmSysStatustemp_a", QT_TRANSLATE_NOOP3("frmMain", "Power T[Deg]", "")},
    {"lblfrmSysStatusHallP", "lblfrmSysStatusHallP_a", QT_TRANSLATE_NOOP3("frmMain", "Throttle vdc[V]", "")},
    {"lblfrmSysStatusTref", "lblfrmSysStatusTref_a", QT_TRANSLATE_NOOP3("frmMain", "Iq ref[A]", "")},
    {"lblfrmSysStatusTact", "lblfrmSysStatusTact_a", QT_TRANSLATE_NOOP3("frmMain", "Iq actual[A]", "")},
    {"lblIdref", "lblIdref_a", QT_TRANSLATE_NOOP3("frmMain", "Id ref[A]", "")},
    {"lblIdactual", "lblIdactual_a", QT_TRANSLATE_NOOP3("frmMain", "Id actual[A]", "")},
    {"lblfrmSysStatusEco", "lblfrmSysStatusEco_a", QT_TRANSLATE_NOOP3("frmMain", "Forward", "")},
    {"lblfrmSysStatusDir", "lblfrmSysStatusDir_a", QT_TRANSLATE_NOOP3("frmMain", "Backward", "")},
    {"lblECO", "lblECO_a", QT_TRANSLATE_NOOP3("frmMain", "ECO status", "")},
    {"lblfrmSysStatusBrake", "lblfrmSysStatusBrake_a", QT_TRANSLATE_NOOP3("frmMain", "Brake", "")},
    {"lblfrmSysStatusBoost", "lblfrmSysStatusBoost_a", QT_TRANSLATE_NOOP3("frmMain", "Boost", "")},
    {"lblfrmSysStatusAlarm", "lblfrmSysStatusAlarm_a", QT_TRANSLATE_NOOP3("frmMain", "Alarm", "")},
    {"lblfrmSysStatusHallC", "lblfrmSysStatusHallC_a", QT_TRANSLATE_NOOP3("frmMain", "Hall calib", "")},
    {"lblHallSt", "lblHallSt_a", QT_TRANSLATE_NOOP3("frmMain", "Hall", "hall state")},
    {"lblHallGroupCaption", "lblHallGroup", QT_TRANSLATE_NOOP3("frmMain", "Hall group", "")},
    {"lblMode", "lblMode_a", QT_TRANSLATE_NOOP3("frmMain", "Mode", "")},
};

const TrText kStateCaption = QT_TRANSLATE_NOOP3("frmMain", "STATE", "");
const TrText kStatusFrameCaption = QT_TRANSLATE_NOOP3("frmMain", "System RealTime info", "");
const TrText kErrorFrameCaption = QT_TRANSLATE_NOOP3("frmMain", "Error infomation", "");
const TrText kErrTitle = QT_TRANSLATE_NOOP3("frmMain", "Error description", "");
const TrText kCurrentColumn = QT_TRANSLATE_NOOP3("frmMain", "Current", "");
const TrText kHistoryColumn = QT_TRANSLATE_NOOP3("frmMain", "History", "");
} // namespace

namespace {
// A fault's description and the column's title come and go with the faults;
// their place stays, so that the table never moves.
void keepPlaceWhenHidden(QWidget *w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}
} // namespace

QLabel *StatusPanel::makeLabel(const char *name, QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLabel *StatusPanel::makeValue(const char *name, QWidget *parent, const QString &text)
{
    auto *l = new ValueLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    // Readings and words, never markup: no test for it on every new text.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel *StatusPanel::find(const char *name) const
{
    return findChild<QLabel *>(QLatin1String(name));
}

StatusPanel::StatusPanel(QWidget *parent) : QWidget(parent)
{
    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);

    // Live values: controller state and gear first, then the readings in two columns.
    m_status = new QGroupBox(this);
    m_status->setObjectName(QStringLiteral("frmSysStatus"));
    auto *statusLayout = new QVBoxLayout(m_status);

    auto *stateRow = new QHBoxLayout;
    QLabel *stateCaption = makeLabel("lblState", m_status);
    QLabel *stateWord = makeValue("lblfrmSysMach_a", m_status);
    QFont big = stateWord->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 3);
    stateWord->setFont(big);
    stateWord->setMinimumWidth(110);
    QLabel *gear = makeValue("lblgearStatus", m_status);
    gear->setFont(big);
    QLabel *pedal = makeValue("lblPedalErr", m_status);
    pedal->setToolTip(QStringLiteral("28"));
    stateRow->addWidget(stateCaption);
    stateRow->addWidget(stateWord);
    stateRow->addSpacing(16);
    stateRow->addWidget(gear);
    stateRow->addWidget(pedal);
    stateRow->addStretch();
    statusLayout->addLayout(stateRow);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    const int rows = (int(std::size(kReadings)) + 1) / 2;
    for (int i = 0; i < int(std::size(kReadings)); ++i) {
        const Reading &r = kReadings[i];
        const int row = i % rows;
        const int col = (i / rows) * 3;
        QLabel *caption = makeLabel(r.caption, m_status);
        QLabel *value = makeValue(r.value, m_status);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(70);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        caption->setBuddy(value);
        grid->addWidget(caption, row, col);
        grid->addWidget(value, row, col + 1);
    }
    grid->setColumnMinimumWidth(2, 18);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    statusLayout->addLayout(grid);

    // The I/O label lives in a host without a layout that gives it all its
    // room: the host keeps its place in the window, so a new text (every
    // change of an input) lays out nothing.
    auto *portHost = new PortStatusHost(this);
    m_portStatus = makeValue("lblPortStatus", portHost);
    portHost->setLabel(m_portStatus);
    m_portStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_portStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_portStatus->setMinimumWidth(190);

    auto *upper = new QHBoxLayout;
    upper->addWidget(m_status, 3);
    upper->addWidget(portHost, 1);
    top->addLayout(upper);

    // Faults: one row per fault with its current and history cell and the
    // description, shown only while the fault is present.
    m_errors = new QGroupBox(this);
    m_errors->setObjectName(QStringLiteral("frmErrCode"));
    auto *errGrid = new QGridLayout(m_errors);
    errGrid->setHorizontalSpacing(14);
    errGrid->addWidget(makeLabel("lblCurrent", m_errors), 0, 1, Qt::AlignCenter);
    errGrid->addWidget(makeLabel("lblhistory", m_errors), 0, 2, Qt::AlignCenter);
    QLabel *errTitle = makeLabel("lblErrTitle", m_errors);
    keepPlaceWhenHidden(errTitle);
    errTitle->setVisible(false);
    errGrid->addWidget(errTitle, 0, 3);
    for (int i = 0; i < int(kFaultRows.size()); ++i) {
        const FaultRow &row = kFaultRows[i];
        errGrid->addWidget(makeLabel(row.nameLabel, m_errors), i + 1, 0);
        // Nothing is known before the first status block: a neutral "-", not "OK".
        QLabel *cur = makeValue(row.currentCell, m_errors, QStringLiteral("-"));
        QLabel *hist = makeValue(row.historyCell, m_errors, QStringLiteral("-"));
        for (QLabel *c : {cur, hist}) {
            c->setAlignment(Qt::AlignCenter);
            c->setMinimumWidth(44);
            QFont f = c->font();
            f.setBold(true);
            c->setFont(f);
            setForeColor(c, kColorBlackBgr);
        }
        errGrid->addWidget(cur, i + 1, 1);
        errGrid->addWidget(hist, i + 1, 2);
        QLabel *desc = makeLabel(row.description, m_errors);
        setForeColor(desc, kColorRedBgr);
        keepPlaceWhenHidden(desc);
        desc->setVisible(false);
        errGrid->addWidget(desc, i + 1, 3);
    }
    errGrid->setColumnStretch(3, 1);
    top->addWidget(m_errors);

    // Every row keeps its English height in both languages, so the window
    // never grows when the captions change (CJK fonts have taller lines).
    for (QLabel *l : findChildren<QLabel *>()) {
        if (l != m_portStatus)
            l->setFixedHeight(l->sizeHint().height());
    }
    for (const char *name : kStatusValueLabels)
        m_steady.push_back({find(name), 0});
    for (const char *name : {"lblfrmSysMach_a", "lblgearStatus", "lblPedalErr", "lblHallGroup"})
        m_steady.push_back({find(name), 0});
    for (const FaultRow &row : kFaultRows)
        for (const char *cell : {row.currentCell, row.historyCell})
            m_steady.push_back({find(cell), 0});
    for (Steady &s : m_steady)
        s.baseWidth = s.label->minimumWidth();
    fixValueSizes();
}

void StatusPanel::fixValueSizes()
{
    // Every text a value label can show is one of these or no wider: digits
    // are of one width in the fonts in use.
    static const char *const kWidest[] = {"***", "-", "-32767", "-327.67", "655.35", "65.535", "NONE", "PRE F",
                                          "FORWARD", "PRE B", "BACKWARD", "IDLE", "STARTUP", "PARASET",
                                          "RUN", "STOP", "WAIT", "FAULT", "Null", "OK", "NG"};
    // The labels share a few fonts: each font's widest text is measured once
    // (measuring is shaping, and the panel is sized before the first frame).
    static std::vector<std::pair<QFont, int>> widestOfFont;
    for (const Steady &s : m_steady) {
        const QFontMetrics fm = s.label->fontMetrics();
        const QFont font = s.label->font();
        auto known = std::find_if(widestOfFont.begin(), widestOfFont.end(),
                                  [&font](const std::pair<QFont, int> &f) { return f.first == font; });
        if (known == widestOfFont.end()) {
            int widest = 0;
            for (const char *t : kWidest)
                widest = std::max(widest, fm.horizontalAdvance(QLatin1String(t)));
            known = widestOfFont.insert(widestOfFont.end(), {font, widest});
        }
        const int widest = known->second;
        const QMargins m = s.label->contentsMargins();
        const int w = widest + m.left() + m.right() + 2 * s.label->margin() + fm.horizontalAdvance(u'x');
        s.label->setFixedSize(std::max(s.baseWidth, w), s.label->minimumHeight());
    }
    if (auto *host = qobject_cast<PortStatusHost *>(m_portStatus->parentWidget()))
        host->fixHint({ioStatusText(0xFF, LanguageCode::English), ioStatusText(0x00, LanguageCode::English),
                       ioStatusText(0xFF, LanguageCode::Chinese), ioStatusText(0x00, LanguageCode::Chinese),
                       ioStatusInitialText(LanguageCode::English), ioStatusInitialText(LanguageCode::Chinese)});
}

// The values of the last block stay, greyed, while no block comes: they are
// the last known state, not the present one.
void StatusPanel::setStale(bool stale)
{
    if (m_stale == stale)
        return;
    m_stale = stale;
    if (m_liveLabels.isEmpty()) {
        QStringList names;
        for (const char *name : kStatusValueLabels)
            names << QLatin1String(name);
        for (const char *name : {"lblHallGroup", "lblfrmSysMach_a", "lblgearStatus", "lblPedalErr", "lblErrTitle"})
            names << QLatin1String(name);
        for (const FaultRow &row : kFaultRows) {
            for (const char *name : {row.currentCell, row.historyCell, row.description})
                names << QLatin1String(name);
        }
        for (const QString &name : names) {
            if (auto *l = findChild<QLabel *>(name))
                m_liveLabels << l;
        }
        m_liveLabels << m_portStatus;
    }
    for (QLabel *l : std::as_const(m_liveLabels))
        l->setEnabled(!stale);
}

void StatusPanel::resetStatusValues()
{
    forgetShown();
    for (const char *name : kStatusValueLabels)
        find(name)->setText(QStringLiteral("***"));
    find("lblHallGroup")->setText(QStringLiteral("***"));
    for (const FaultRow &row : kFaultRows) {
        for (const char *cell : {row.currentCell, row.historyCell}) {
            QLabel *c = find(cell);
            c->setText(QStringLiteral("-"));
            setForeColor(c, kColorBlackBgr);
        }
        find(row.description)->setVisible(false);
    }
}

void StatusPanel::applyCaptions(int code)
{
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    forgetShown();
    auto text = [code](TrText t) { return bilingual(code, "frmMain", t); };
    m_status->setFont(fontForLanguage(code, 9));
    m_status->setTitle(text(kStatusFrameCaption));
    for (const Reading &r : kReadings)
        find(r.caption)->setText(text(r.text));
    find("lblState")->setText(text(kStateCaption));

    m_errors->setTitle(text(kErrorFrameCaption));
    find("lblErrTitle")->setText(text(kErrTitle));
    find("lblCurrent")->setText(text(kCurrentColumn));
    find("lblhistory")->setText(text(kHistoryColumn));
    for (const FaultRow &row : kFaultRows) {
        find(row.nameLabel)->setText(text(row.caption));
        find(row.description)->setText(text(row.descriptionText));
    }
    m_portStatus->setText(ioStatusInitialText(code));
    fixValueSizes();
}

void StatusPanel::forgetShown()
{
    for (Shown &s : m_shown)
        s.known = false;
    for (ShownVisibility &v : m_shownVisibility)
        v.visible = -1;
}

// The cache entry of the view's `index`th entry; the label is looked up once
// (again only should a view ever come with its entries in another order).
template <typename Cache>
Cache &StatusPanel::cached(std::vector<Cache> &cache, std::size_t index, const char *name) const
{
    if (index >= cache.size())
        cache.resize(index + 1);
    Cache &c = cache[index];
    if (c.name != name && (!c.name || qstrcmp(c.name, name) != 0)) {
        c = Cache{};
        c.name = name;
        c.label = find(name);
    }
    return c;
}

void StatusPanel::showStatus(const StatusView &view)
{
    setStale(false);
    for (std::size_t i = 0; i < view.labels.size(); ++i) {
        const StatusView::Label &l = view.labels[i];
        if (!l.present)
            continue;
        Shown &s = cached(m_shown, i, l.name);
        if (!s.label)
            continue;
        if (!s.known || s.text != l.text) {
            s.label->setText(l.text);
            s.text = l.text;
        }
        if (l.color >= 0 && (!s.known || s.color != l.color)) {
            setForeColor(s.label, l.color);
            s.color = l.color;
        }
        s.known = true;
    }
    for (std::size_t i = 0; i < view.visibility.size(); ++i) {
        const StatusView::Visibility &v = view.visibility[i];
        ShownVisibility &s = cached(m_shownVisibility, i, v.name);
        if (s.label && s.visible != int(v.visible)) {
            s.label->setVisible(v.visible);
            s.visible = int(v.visible);
        }
    }
}
