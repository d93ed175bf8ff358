#include "calib/ui/idccalibpage.h"

#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "core/textnumber.h"
#include "link/commandtable.h"
#include "link/linkcontroller.h"
#include "pages/blocks/idccalibblock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
constexpr const char *kContext = "frmIdcCalib";

constexpr const char *kWorksheetTitle = QT_TRANSLATE_NOOP("frmIdcCalib", "Calibration worksheet");
constexpr const char *kAverage = QT_TRANSLATE_NOOP("frmIdcCalib", "Idc ave factor");
constexpr const char *kIcAdc = QT_TRANSLATE_NOOP("frmIdcCalib", "Ic ADC value 128A");
constexpr const char *kNoPoints = QT_TRANSLATE_NOOP("frmIdcCalib", "Please do Idc calibration first!");
constexpr const char *kMissingRow = QT_TRANSLATE_NOOP("frmIdcCalib", "Please input DC Current %1 !");
constexpr const char *kFactorNotNumber = QT_TRANSLATE_NOOP(
    "frmIdcCalib",
    "\"Idc ave factor\" does not hold a number: \"%1\". Idc gain and Idc D2 power were left as they are.");
constexpr const char *kFactorNotPositive = QT_TRANSLATE_NOOP(
    "frmIdcCalib", "\"Idc ave factor\" must be above 0: Idc gain and Idc D2 power were left as they are.");
constexpr const char *kFactorTooLarge = QT_TRANSLATE_NOOP(
    "frmIdcCalib",
    "\"Idc ave factor\" is too large for the Idc gain (at most 32767): Idc gain and Idc D2 power were left as "
    "they are.");

constexpr const char *kEnterWritesIdentity = QT_TRANSLATE_NOOP(
    "frmIdcCalib",
    "Enter writes the whole hardware block to the controller, its identity with it:\n\n%1\n\nWrite the "
    "block now?");

constexpr double kLargestGain = 32767;

QLineEdit *selectAllOnFocus(QLineEdit *box, QObject *filter)
{
    box->installEventFilter(filter);
    return box;
}
} // namespace

QString idcCalibMessage(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kContext, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

IdcCalibPage::IdcCalibPage(ParameterService &service, const LanguageState &language, MessageService &messages,
                           QWidget *parent)
    : ParameterPage(idcCalibTable(), service, language, messages, parent)
{
    // Set in the factory: the page shows it but never writes it.
    if (QLineEdit *subproject = box(u"txtcIdcCalibNum"))
        subproject->setReadOnly(true);
    m_serial = box(u"txtSNNum");
    m_serial->installEventFilter(this);
    selectAllOnFocus(box(u"txtIacADC128A"), this);

    for (const char *name : {"ChkBrakeLevelH", "ChkBrakeLevelL"}) {
        if (auto *check = qobject_cast<QCheckBox *>(editor(QString::fromLatin1(name))))
            connect(check, &QCheckBox::toggled, this, &IdcCalibPage::syncBrakeLevels);
    }
    syncBrakeLevels();
    addSection(buildWorksheet());
    connect(&service, &ParameterService::decoded, this, &IdcCalibPage::onDecoded);
}

QLineEdit *IdcCalibPage::addBox(const char *name, const char *text)
{
    auto *b = new QLineEdit(QString::fromLatin1(text), this);
    b->setObjectName(QLatin1String(name));
    b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")));
    return b;
}

QWidget *IdcCalibPage::buildWorksheet()
{
    m_worksheet = new QGroupBox(QString::fromUtf8(kWorksheetTitle), this);
    m_worksheet->setObjectName(QStringLiteral("frmIdcWorksheet"));
    auto *grid = new QGridLayout(m_worksheet);
    grid->setHorizontalSpacing(10);
    // The column heads and row names keep their texts in both languages.
    const char *heads[] = {"Actual Idc[A]", "Idc ADC Value", "Idc Factor"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(heads[c]), m_worksheet), 0, c + 1);
    for (int k = 0; k < 3; ++k) {
        const QByteArray n = QByteArray::number(k + 1);
        auto *label = new QLabel(QStringLiteral("DC current %1").arg(k + 1), m_worksheet);
        label->setObjectName(QLatin1String("lblIdcActual" + n));
        m_actual[std::size_t(k)] = addBox(("txtIdcActual" + n).constData(), "0");
        m_adc[std::size_t(k)] = addBox(("txtIdcAdc" + n).constData(), "0");
        m_factor[std::size_t(k)] = addBox(("txtIdcCalibF" + n).constData(), "1");
        label->setBuddy(m_actual[std::size_t(k)]);
        grid->addWidget(label, k + 1, 0);
        grid->addWidget(m_actual[std::size_t(k)], k + 1, 1);
        grid->addWidget(m_adc[std::size_t(k)], k + 1, 2);
        grid->addWidget(m_factor[std::size_t(k)], k + 1, 3);
    }
    m_lblAverage = new QLabel(QString::fromUtf8(kAverage), m_worksheet);
    m_lblAverage->setObjectName(QStringLiteral("lblIdcCalibF_All"));
    m_average = addBox("txtIdcCalibF_All", "1");
    m_lblAverage->setBuddy(m_average);
    grid->addWidget(m_lblAverage, 4, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(m_average, 4, 3);

    m_lblIcAdc = new QLabel(QString::fromUtf8(kIcAdc), m_worksheet);
    m_lblIcAdc->setObjectName(QStringLiteral("lblIcADC128A"));
    m_icAdc = selectAllOnFocus(addBox("txtIcADC128A", "8192"), this);
    m_lblIcAdc->setBuddy(m_icAdc);
    grid->addWidget(m_lblIcAdc, 5, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(m_icAdc, 5, 3);

    m_specifyCw = new QCheckBox(QStringLiteral("Specify CW"), m_worksheet);
    m_specifyCw->setObjectName(QStringLiteral("ChkSpecifyCW"));
    m_specifyCw->setToolTip(QStringLiteral("Week: the calendar week of today instead of the received one"));
    grid->addWidget(m_specifyCw, 6, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    auto button = [this, buttons](const char *name, const char *caption, void (IdcCalibPage::*handler)()) {
        auto *b = new QPushButton(QString::fromLatin1(caption), m_worksheet);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        buttons->addWidget(b);
    };
    button("cmdCalc", "Calc", &IdcCalibPage::cmdCalc_Click);
    button("cmdCntReset", "Reset count", &IdcCalibPage::cmdCntReset_Click);
    button("cmdIdcCalibStart", "Idc Calib", &IdcCalibPage::cmdIdcCalibStart_Click);
    buttons->addStretch();
    grid->addLayout(buttons, 7, 0, 1, 4);
    return m_worksheet;
}

void IdcCalibPage::applyCaptions()
{
    ParameterPage::applyCaptions();
    const int code = languageCode();
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    m_worksheet->setTitle(bilingual(code, kContext, kWorksheetTitle));
    // The wiring items ("H1: Y->G->B", "H1: 黄->绿->蓝") are read whole.
    for (const char *name : {"cmbHallCType", "cmbPhaseCType"}) {
        auto *list = qobject_cast<QComboBox *>(editor(QString::fromLatin1(name)));
        if (!list)
            continue;
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
        // Room for the frame and the arrow beside the text.
        list->setMinimumWidth(widest + list->fontMetrics().height() * 2 + 12);
    }
    m_lblAverage->setText(bilingual(code, kContext, kAverage));
    m_lblIcAdc->setText(bilingual(code, kContext, kIcAdc));
}

// A brake level is set only while its brake input is active.
void IdcCalibPage::syncBrakeLevels()
{
    const std::pair<const char *, const char *> pairs[] = {{"ChkBrakeLevelH", "cmbBrakehigh"},
                                                           {"ChkBrakeLevelL", "cmbBrakelow"}};
    for (const auto &[checkName, listName] : pairs) {
        auto *check = qobject_cast<QCheckBox *>(editor(QString::fromLatin1(checkName)));
        QWidget *list = editor(QString::fromLatin1(listName));
        if (check && list)
            list->setEnabled(check->isChecked());
    }
}

// After every Idc block: "Specify CW" puts this week in place of the received one.
void IdcCalibPage::onDecoded(FrameId family)
{
    if (family != FrameId::IdcCalib)
        return;
    syncBrakeLevels();
    if (m_specifyCw->isChecked()) {
        const QDate today = m_today ? m_today() : QDate::currentDate();
        box(u"txtWeekNum")->setText(QString::number(calendarWeek(today)));
    }
}

Worksheet IdcCalibPage::worksheet() const
{
    Worksheet rows;
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k] = {m_actual[k]->text(), m_adc[k]->text()};
    return rows;
}

void IdcCalibPage::cmdCalc_Click()
{
    const int code = languageCode();
    const QChar point = systemDecimalPoint();
    const WorksheetStage stage = worksheetStage(worksheet(), point);
    switch (stage.outcome) {
    // A stage that stops with a message changes nothing on the page.
    case WorksheetStage::Outcome::NoPoints:
        messages().info(idcCalibMessage(code, kNoPoints));
        return;
    case WorksheetStage::Outcome::MissingRow:
        messages().info(idcCalibMessage(code, kMissingRow).arg(stage.missingRow));
        return;
    case WorksheetStage::Outcome::Computed:
        for (std::size_t k = 0; k < m_factor.size(); ++k)
            m_factor[k]->setText(stage.factors[k]);
        m_average->setText(stage.average);
        break;
    }
    runGainShiftStage();
}

// The gain and shift that the average factor asks for.
void IdcCalibPage::runGainShiftStage()
{
    const int code = languageCode();
    const ParsedNumber f = parseNumber(m_average->text(), systemDecimalPoint());
    if (!f.ok()) {
        messages().info(idcCalibMessage(code, kFactorNotNumber).arg(m_average->text().left(40)));
        return;
    }
    if (!(f.value > 0)) {
        messages().info(idcCalibMessage(code, kFactorNotPositive));
        return;
    }
    if (!std::isfinite(f.value) || f.value >= kLargestGain + 0.5) {
        messages().info(idcCalibMessage(code, kFactorTooLarge));
        return;
    }
    const IdcGainShift gs = idcGainShift(f.value);
    box(u"txtidc_divisor_power_2")->setText(QString::number(gs.shift));
    box(u"txtidc_gain")->setText(QString::number(gs.gain));
}

void IdcCalibPage::cmdCntReset_Click()
{
    // Answered by the Idc block, which the parameter service decodes.
    link().request(RequestQueue::command(requestFrames().idcCountResetRequest, Cmd::IdcCountReset));
    for (QLineEdit *b : m_actual)
        b->setText(QStringLiteral("0"));
    for (QLineEdit *b : m_factor)
        b->setText(QStringLiteral("1"));
    m_average->setText(QStringLiteral("1"));
}

void IdcCalibPage::cmdIdcCalibStart_Click()
{
    link().sendFrame(requestFrames().idcCalibStartRequest);
}

// A key press in "Serial Num" should not rewrite the controller's identity
// unseen: the identity boxes are named and the user confirms.
void IdcCalibPage::askThenWrite()
{
    QStringList identity;
    for (const char *name : {"ProjectNum", "YearNum", "WeekNum", "SNNum"}) {
        const QString control = QLatin1String("txt") + QLatin1String(name);
        const int slot = table().slotOf(control);
        const auto *label =
            slot < 0 ? nullptr : findChild<QLabel *>(table().labelName(table().fieldOfSlot(slot)));
        if (const QLineEdit *b = box(control))
            identity << QStringLiteral("%1: %2").arg(label ? label->text() : control, b->text());
    }
    const QString text = idcCalibMessage(languageCode(), kEnterWritesIdentity).arg(identity.join(u'\n'));
    QPointer<IdcCalibPage> self(this);
    messages().ask({MessageService::Icon::Warning, QStringLiteral("info"), text}, [self](bool yes) {
        if (yes && self)
            self->cmdwrite_Click();
    });
}

bool IdcCalibPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *b = qobject_cast<QLineEdit *>(watched)) {
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, b, [b] { b->selectAll(); });
        }
    } else if (watched == m_serial && event->type() == QEvent::KeyPress) {
        return serialKeyPress(static_cast<QKeyEvent *>(event));
    }
    return ParameterPage::eventFilter(watched, event);
}

// "Serial Num" takes digits only; Enter writes the block. Every other
// character is dropped, backspace too; keys without a character (cursor
// keys, Delete, Tab) keep their usual meaning.
bool IdcCalibPage::serialKeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        askThenWrite();
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const bool digit = text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
    return !digit;
}
