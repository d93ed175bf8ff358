#include "calib/ui/iaccalibpage.h"

#include "calib/ui/iqtestrun.h"
#include "core/appstate.h"
#include "core/language.h"
#include "core/messageservice.h"
#include "core/textnumber.h"
#include "link/linkcontroller.h"
#include "pages/ui/parameterpage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr const char *kCtx = "frmIacCalib";

const char *const kPhaseOptions[6] = {"Opt0", "Opt60", "Opt120", "Opt180", "Opt240", "Opt300"};
const char *const kPhaseCaptions[6] = {"P:0", "P:60", "P:120", "P:180", "P:240", "P:300"};
const char *const kPhaseBoxes[6] = {"txtP0", "txtP60", "txtP120", "txtP180", "txtP240", "txtP300"};
const char *const kPhaseDefaults[6] = {"360", "60", "120", "180", "240", "300"};
const char *const kCurrentBoxes[3] = {"txtIq1", "txtIq2", "txtIq3"};
const char *const kCurrentDefaults[3] = {"10", "150", "353 "};
const char *const kPointButtons[3] = {"cmdIq1", "cmdIq2", "cmdIq3"};
const char *const kPointCaptions[3] = {QT_TRANSLATE_NOOP("frmIacCalib", "Calib I1"),
                                       QT_TRANSLATE_NOOP("frmIacCalib", "Calib I2"),
                                       QT_TRANSLATE_NOOP("frmIacCalib", "Calib I3")};
const char *const kPrintfItems[] = {QT_TRANSLATE_NOOP("frmIacCalib", "None"),
                                    "Ia",
                                    "Ia Calib",
                                    "Ic",
                                    "Ic Calib",
                                    "Ia & Ia Calib",
                                    "Ic & Ic Calib",
                                    "Ia & Ic",
                                    "Ia Calib & Ic Calib",
                                    "Ic orginal & Ic",
                                    "Ic orginal"};

QLineEdit *lineEdit(const char *name, const char *text, QWidget *parent, int width = 70)
{
    auto *box = new QLineEdit(QString::fromLatin1(text), parent);
    box->setObjectName(QLatin1String(name));
    box->setFixedWidth(width);
    return box;
}

template<typename T>
T *named(const char *name, QWidget *parent)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}
} // namespace

QString iacCalibMessage(int languageCode, const char *source)
{
    const QString t = bilingual(languageCode, kCtx, source);
    return t.isNull() ? QString::fromUtf8(source) : t;
}

IacCalibPage::IacCalibPage(const LanguageState &language, LinkController &link, MessageService &messages,
                           IqTestRun &run, QWidget *parent)
    : PageWindow(parent), m_language(language), m_link(link), m_messages(messages), m_run(&run)
{
    setObjectName(QStringLiteral("frmIacCalib"));
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    left->addWidget(buildModeGroup());
    left->addWidget(buildPointsGroup());
    left->addStretch();
    right->addWidget(buildAngleGroup());
    right->addWidget(buildThrottleGroup());
    auto *printfRow = new QHBoxLayout;
    m_lblPrintf = named<QLabel>("lblPrintfSelect", this);
    m_cboPrintfSelect = named<QComboBox>("cboPrintfSelect", this);
    m_lblPrintf->setBuddy(m_cboPrintfSelect);
    printfRow->addWidget(m_lblPrintf);
    printfRow->addWidget(m_cboPrintfSelect, 1);
    right->addLayout(printfRow);
    right->addStretch();
    m_cmdStop = named<QPushButton>("cmdStop", this);
    m_cmdStop->setMinimumHeight(44);
    QFont bold = m_cmdStop->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    m_cmdStop->setFont(bold);
    m_cmdStop->setStyleSheet(QStringLiteral("QPushButton { color: #b00000; }"));
    right->addWidget(m_cmdStop);
    columns->addLayout(left);
    columns->addLayout(right);

    connect(m_chkOpenloop, &QCheckBox::clicked, this, &IacCalibPage::sendIqTestMode);
    connect(m_chkLock, &QCheckBox::clicked, this, &IacCalibPage::sendIqTestMode);
    connect(m_chkIqCL, &QCheckBox::clicked, this, &IacCalibPage::sendIqTestMode);
    connect(m_chkRecordStart, &QCheckBox::clicked, this, &IacCalibPage::ChkRecordStart_Click);
    connect(m_cmdIq[0], &QPushButton::clicked, this, &IacCalibPage::cmdIq1_Click);
    connect(m_cmdIq[1], &QPushButton::clicked, this, &IacCalibPage::cmdIq2_Click);
    connect(m_cmdIq[2], &QPushButton::clicked, this, &IacCalibPage::cmdIq3_Click);
    connect(m_cmdStop, &QPushButton::clicked, this, &IacCalibPage::cmdStop_Click);
    connect(m_cmdCalc, &QPushButton::clicked, this, &IacCalibPage::cmdCalc_Click);
    connect(m_cmdWrite, &QPushButton::clicked, this, &IacCalibPage::cmdwrite_Click);
    connect(m_cmdCMD, &QPushButton::clicked, this, &IacCalibPage::cmdCMD_Click);
}

IacCalibPage::~IacCalibPage()
{
    // The navigator deletes the page without closing it when another page
    // takes its place: a running test stops first all the same.
    if (m_run)
        m_run->stopBeforeLeaving();
}

QWidget *IacCalibPage::buildModeGroup()
{
    m_grpMode = named<QGroupBox>("frmMode", this);
    auto *v = new QVBoxLayout(m_grpMode);
    m_chkOpenloop = named<QCheckBox>("ChkOpenloop", m_grpMode);
    m_chkLock = named<QCheckBox>("ChkLock", m_grpMode);
    m_chkIqCL = named<QCheckBox>("ChkIqCL", m_grpMode);
    m_chkRecordStart = named<QCheckBox>("ChkRecordStart", m_grpMode);
    for (QCheckBox *c : {m_chkOpenloop, m_chkLock, m_chkIqCL, m_chkRecordStart})
        v->addWidget(c);
    return m_grpMode;
}

QWidget *IacCalibPage::buildPointsGroup()
{
    m_grpPoints = named<QGroupBox>("frmPoints", this);
    auto *grid = new QGridLayout(m_grpPoints);
    m_lblCurrent = named<QLabel>("lblCurrent", m_grpPoints);
    grid->addWidget(m_lblCurrent, 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        m_txtIq[i] = lineEdit(kCurrentBoxes[i], kCurrentDefaults[i], m_grpPoints);
        m_cmdIq[i] = named<QPushButton>(kPointButtons[i], m_grpPoints);
        grid->addWidget(m_txtIq[i], i + 1, 0);
        grid->addWidget(m_cmdIq[i], i + 1, 1);
    }
    m_lblPhase = named<QLabel>("lblPhase", m_grpPoints);
    grid->addWidget(m_lblPhase, 4, 0, 1, 2);
    // A check of no option is allowed: then the phase code is 0.
    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);
    for (int i = 0; i < 6; ++i) {
        m_opt[i] = named<QRadioButton>(kPhaseOptions[i], m_grpPoints);
        m_opt[i]->setText(QString::fromLatin1(kPhaseCaptions[i]));
        m_options->addButton(m_opt[i], i);
        m_txtP[i] = lineEdit(kPhaseBoxes[i], kPhaseDefaults[i], m_grpPoints);
        grid->addWidget(m_opt[i], 5 + i, 0);
        grid->addWidget(m_txtP[i], 5 + i, 1);
    }
    return m_grpPoints;
}

QWidget *IacCalibPage::buildAngleGroup()
{
    m_grpAngle = named<QGroupBox>("frmAngle", this);
    auto *grid = new QGridLayout(m_grpAngle);
    m_lblElecFreq = named<QLabel>("lblElecFreq", m_grpAngle);
    m_lblPWMFreq = named<QLabel>("lblPWMFreq", m_grpAngle);
    m_lblAngleDPP = named<QLabel>("lblAngleDPP", m_grpAngle);
    m_txtElecFreq = lineEdit("txtElecFreq", "20", m_grpAngle);
    m_txtPWMFreq = lineEdit("txtPWMFreq", "12.5", m_grpAngle);
    m_txtAngleDPP = lineEdit("txtAngleDPP", "100", m_grpAngle);
    // The step that goes out is the computed one; a typed step would be
    // shown but never sent.
    m_txtAngleDPP->setReadOnly(true);
    m_lblElecFreq->setBuddy(m_txtElecFreq);
    m_lblPWMFreq->setBuddy(m_txtPWMFreq);
    m_lblAngleDPP->setBuddy(m_txtAngleDPP);
    m_cmdCalc = named<QPushButton>("cmdCalc", m_grpAngle);
    m_cmdWrite = named<QPushButton>("cmdWrite", m_grpAngle);
    grid->addWidget(m_lblElecFreq, 0, 0);
    grid->addWidget(m_txtElecFreq, 0, 1);
    grid->addWidget(m_lblPWMFreq, 1, 0);
    grid->addWidget(m_txtPWMFreq, 1, 1);
    grid->addWidget(m_lblAngleDPP, 2, 0);
    grid->addWidget(m_txtAngleDPP, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdCalc);
    buttons->addWidget(m_cmdWrite);
    grid->addLayout(buttons, 3, 0, 1, 2);
    return m_grpAngle;
}

QWidget *IacCalibPage::buildThrottleGroup()
{
    m_grpThrottle = named<QGroupBox>("frmThrottle", this);
    auto *row = new QHBoxLayout(m_grpThrottle);
    m_txtCmd = lineEdit("txtCmd", "50", m_grpThrottle);
    m_cmdCMD = named<QPushButton>("cmdCMD", m_grpThrottle);
    row->addWidget(m_txtCmd);
    row->addWidget(m_cmdCMD, 1);
    return m_grpThrottle;
}

void IacCalibPage::formLoad()
{
    m_cboPrintfSelect->clear();
    for (const char *item : kPrintfItems)
        m_cboPrintfSelect->addItem(QString::fromLatin1(item));
    m_cboPrintfSelect->setCurrentIndex(0);
    applyCaptions();
    cmdCalc_Click();
}

QString IacCalibPage::text(const char *source) const
{
    return iacCalibMessage(m_language.languageCode, source);
}

void IacCalibPage::applyCaptions()
{
    const int code = m_language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    setWindowTitle(text(QT_TRANSLATE_NOOP("frmIacCalib", "AC current calibration")));
    m_grpMode->setTitle(text(QT_TRANSLATE_NOOP("frmIacCalib", "Test mode")));
    m_chkOpenloop->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Aging enable")));
    m_chkLock->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Lock Active")));
    m_chkIqCL->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Iq close loop enable")));
    m_chkRecordStart->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Record Start")));
    m_grpPoints->setTitle(text(QT_TRANSLATE_NOOP("frmIacCalib", "Calibration points")));
    m_lblCurrent->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Current[A]")));
    m_lblPhase->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Phase angle[Deg]")));
    for (int i = 0; i < 3; ++i)
        m_cmdIq[i]->setText(text(kPointCaptions[i]));
    m_grpAngle->setTitle(text(QT_TRANSLATE_NOOP("frmIacCalib", "Angle step")));
    m_lblElecFreq->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Electrical Freq[hz]")));
    m_lblPWMFreq->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "PWM Freq[khz]")));
    m_lblAngleDPP->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "eAngle DPP")));
    m_cmdCalc->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Calc")));
    m_cmdWrite->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "write")));
    m_grpThrottle->setTitle(text(QT_TRANSLATE_NOOP("frmIacCalib", "Throttle")));
    m_cmdCMD->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Throttle set[%]")));
    m_lblPrintf->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "Printf selcection")));
    m_cboPrintfSelect->setItemText(0, text(kPrintfItems[0]));
    m_cmdStop->setText(text(QT_TRANSLATE_NOOP("frmIacCalib", "STOP")));
}

IqTestMode IacCalibPage::mode() const
{
    return {m_chkOpenloop->isChecked(), m_chkLock->isChecked(), m_chkIqCL->isChecked()};
}

void IacCalibPage::send(const QByteArray &frame)
{
    m_link.sendFrame(frame);
}

bool IacCalibPage::parseBox(QLineEdit *box, const QString &caption, qint64 &out, qint64 lo, qint64 hi)
{
    ParsedNumber n = parseInteger(box->text(), systemDecimalPoint());
    if (n.ok() && (n.value < double(lo) || n.value > double(hi)))
        n.error = ParseError::OutOfRange;
    if (!n.ok()) {
        m_messages.infoAbout(objectName(), parseFailureMessage(m_language.languageCode, n.error, caption, box->text(), 0));
        box->setFocus();
        box->selectAll();
        return false;
    }
    out = qint64(n.value);
    return true;
}

void IacCalibPage::sendIqTestMode()
{
    if (m_chkLock->isChecked()) {
        m_txtElecFreq->setText(QStringLiteral("0"));
        m_txtAngleDPP->setText(QStringLiteral("0"));
        m_eAngleDpp = 0;
    }
    send(iqTestModeFrame(mode()));
}

bool IacCalibPage::sendCalibrationPoint(int point)
{
    constexpr qint64 kMin = std::numeric_limits<qint32>::min();
    constexpr qint64 kMax = std::numeric_limits<qint32>::max();
    const QString pointCaption = m_cmdIq[point]->text() + QLatin1Char(' ') + m_lblCurrent->text();
    qint64 amps = 0;
    if (!parseBox(m_txtIq[point], pointCaption, amps, kMin, kMax))
        return false;
    std::optional<qint64> degrees;
    if (const int checked = m_options->checkedId(); checked >= 0) {
        qint64 angle = 0;
        if (!parseBox(m_txtP[checked], m_opt[checked]->text(), angle, kMin, kMax))
            return false;
        degrees = angle;
    }
    send(calibrationPointFrame(m_eAngleDpp, degrees, amps));
    return true;
}

void IacCalibPage::cmdIq3_Click()
{
    // The limit is checked before the motor moves: a run that would be
    // stopped at its first tick never starts.
    if (m_run && !m_run->checkLimit())
        return;
    if (!sendCalibrationPoint(2))
        return;
    if (m_run)
        m_run->start(this);
}

void IacCalibPage::cmdStop_Click()
{
    if (m_run)
        m_run->cmdStop_Click();
    else
        send(iqTestStopFrame());
}

void IacCalibPage::cmdwrite_Click()
{
    const QByteArray frame = angleStepWriteFrame(m_eAngleDpp, mode());
    if (frame.isEmpty()) {
        m_messages.infoAbout(objectName(), text(QT_TRANSLATE_NOOP("frmIacCalib",
                                               "The angle step %1 is above %2, the largest step the "
                                               "controller takes. Lower \"Electrical Freq[hz]\" or raise "
                                               "\"PWM Freq[khz]\" and press \"Calc\"; nothing was written."))
                            .arg(m_eAngleDpp)
                            .arg(kMaxAngleStep));
        return;
    }
    send(frame);
}

void IacCalibPage::cmdCMD_Click()
{
    qint64 percent = 0;
    if (!parseBox(m_txtCmd, m_cmdCMD->text(), percent, -32768, 32767))
        return;
    send(iqThrottleFrame(percent));
}

void IacCalibPage::ChkRecordStart_Click()
{
    send(recordStartFrame());
}

void IacCalibPage::cmdCalc_Click()
{
    const std::optional<qint64> dpp = CalcAngleDpp(m_txtElecFreq->text(), m_txtPWMFreq->text());
    if (!dpp) {
        m_messages.infoAbout(objectName(), text(QT_TRANSLATE_NOOP("frmIacCalib",
                                               "The angle step cannot be computed: \"PWM Freq[khz]\" must be "
                                               "a number other than 0 (it holds \"%1\") and the result must "
                                               "fit. The angle step stays %2."))
                            .arg(m_txtPWMFreq->text().left(40))
                            .arg(m_eAngleDpp));
        return;
    }
    m_eAngleDpp = *dpp;
    m_txtAngleDPP->setText(QString::number(m_eAngleDpp));
}

void IacCalibPage::closeEvent(QCloseEvent *event)
{
    if (m_run)
        m_run->stopBeforeLeaving();
    PageWindow::closeEvent(event);
}
