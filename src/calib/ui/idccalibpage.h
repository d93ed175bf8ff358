#pragma once
// The Idc calibration page frmIdcCalib: the hardware block from its table,
// plus the calibration worksheet ("Calc"), "Reset count", "Idc Calib",
// "Specify CW" and the key rules of "Serial Num".

#include "calib/idccalc.h"
#include "pages/ui/parameterpage.h"

#include <functional>

class QCheckBox;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class IdcCalibPage : public ParameterPage
{
    Q_OBJECT
public:
    IdcCalibPage(ParameterService &service, const LanguageState &language, MessageService &messages,
                 QWidget *parent = nullptr);

    // Today, for "Specify CW" (tests set it).
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }

    void applyCaptions() override;

    void cmdCalc_Click();
    void cmdCntReset_Click();
    void cmdIdcCalibStart_Click();

    Worksheet worksheet() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildWorksheet();
    QLineEdit *addBox(const char *name, const char *text);
    void syncBrakeLevels();
    bool serialKeyPress(QKeyEvent *event);
    void askThenWrite();
    void runGainShiftStage();
    void onDecoded(FrameId family);

    std::function<QDate()> m_today;
    QGroupBox *m_worksheet = nullptr;
    std::array<QLineEdit *, 3> m_actual{};
    std::array<QLineEdit *, 3> m_adc{};
    std::array<QLineEdit *, 3> m_factor{};
    QLineEdit *m_average = nullptr;
    QLineEdit *m_icAdc = nullptr;
    QLabel *m_lblAverage = nullptr;
    QLabel *m_lblIcAdc = nullptr;
    QCheckBox *m_specifyCw = nullptr;
    QLineEdit *m_serial = nullptr;
};

// Message texts of the page, also for the tests (context "frmIdcCalib").
QString idcCalibMessage(int languageCode, const char *source);
