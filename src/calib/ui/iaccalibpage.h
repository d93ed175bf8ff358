#pragma once
// The Iac calibration page frmIacCalib: test mode switches, the three
// calibration points with their phase options, "STOP", the angle step
// ("Calc", "write"), the throttle command and "Record Start". Every action
// sends one short F9 frame; nothing is read back.

#include "calib/iaccalib.h"
#include "pages/ui/pagewindow.h"

#include <QPointer>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct LanguageState;
class IqTestRun;
class LinkController;
class MessageService;

class IacCalibPage : public PageWindow
{
    Q_OBJECT
public:
    IacCalibPage(const LanguageState &language, LinkController &link, MessageService &messages,
                 IqTestRun &run, QWidget *parent = nullptr);
    ~IacCalibPage() override;

    void formLoad() override;
    void applyCaptions() override;

    void sendIqTestMode();
    void cmdIq1_Click() { sendCalibrationPoint(0); }
    void cmdIq2_Click() { sendCalibrationPoint(1); }
    void cmdIq3_Click();
    void cmdStop_Click();
    void cmdwrite_Click();
    void cmdCMD_Click();
    void ChkRecordStart_Click();
    void cmdCalc_Click();

    qint64 eAngleDpp() const { return m_eAngleDpp; }
    IqTestMode mode() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildModeGroup();
    QWidget *buildPointsGroup();
    QWidget *buildAngleGroup();
    QWidget *buildThrottleGroup();
    bool sendCalibrationPoint(int point);
    // The box as an integer, or a message naming it and false.
    bool parseBox(QLineEdit *box, const QString &caption, qint64 &out, qint64 lo, qint64 hi);
    void send(const QByteArray &frame);
    QString text(const char *source) const;

    const LanguageState &m_language;
    LinkController &m_link;
    MessageService &m_messages;
    QPointer<IqTestRun> m_run;
    qint64 m_eAngleDpp = 0;

    QCheckBox *m_chkOpenloop = nullptr;
    QCheckBox *m_chkLock = nullptr;
    QCheckBox *m_chkIqCL = nullptr;
    QCheckBox *m_chkRecordStart = nullptr;
    std::array<QLineEdit *, 3> m_txtIq{};
    std::array<QPushButton *, 3> m_cmdIq{};
    std::array<QRadioButton *, 6> m_opt{};
    std::array<QLineEdit *, 6> m_txtP{};
    QButtonGroup *m_options = nullptr;
    QPushButton *m_cmdStop = nullptr;
    QLineEdit *m_txtElecFreq = nullptr;
    QLineEdit *m_txtPWMFreq = nullptr;
    QLineEdit *m_txtAngleDPP = nullptr;
    QLabel *m_lblElecFreq = nullptr;
    QLabel *m_lblPWMFreq = nullptr;
    QLabel *m_lblAngleDPP = nullptr;
    QPushButton *m_cmdCalc = nullptr;
    QPushButton *m_cmdWrite = nullptr;
    QLineEdit *m_txtCmd = nullptr;
    QPushButton *m_cmdCMD = nullptr;
    QLabel *m_lblPrintf = nullptr;
    QComboBox *m_cboPrintfSelect = nullptr;
    QGroupBox *m_grpMode = nullptr;
    QGroupBox *m_grpPoints = nullptr;
    QGroupBox *m_grpAngle = nullptr;
    QGroupBox *m_grpThrottle = nullptr;
    QLabel *m_lblCurrent = nullptr;
    QLabel *m_lblPhase = nullptr;
};

// Message texts of the page, also for the tests (context "frmIacCalib").
QString iacCalibMessage(int languageCode, const char *source);
