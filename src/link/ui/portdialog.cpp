#include "link/ui/portdialog.h"

#include "link/linkcontroller.h"
#include "link/portsettings.h"
#include "core/appstate.h"
#include "widgets/fonts.h"
#include "core/language.h"
#include "core/messageservice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {
QComboBox *combo(const char *name, const QStringList &items, int index, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    c->setCurrentIndex(index);
    return c;
}

QLabel *label(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}
} // namespace

PortDialog::PortDialog(ConnectionState &connection, const LanguageState &language, LinkController &link,
                       MessageService &messages, const QStringList &extraPorts, QWidget *parent)
    : QDialog(parent), m_connection(connection), m_language(language), m_link(link), m_messages(messages)
{
    setObjectName(QStringLiteral("frmComSet"));
    setModal(true);
    setWindowTitle(QStringLiteral("Form1"));

    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QStringLiteral("fmManuPara"));
    m_port = combo("cboPortNumber", {}, -1, m_frame);
    m_port->setMinimumContentsLength(14);
    m_baud = combo("cboBaudRate", {}, -1, m_frame);
    m_dataBits = combo("cboDataBit", {}, -1, m_frame);
    m_stopBits = combo("cboStopBit", {}, -1, m_frame);
    m_parity = combo("cboParity", {}, -1, m_frame);
    m_lblPort = label("lblComPort", m_frame);
    m_lblBaud = label("lblBaudRate", m_frame);
    m_lblData = label("lblDataBit", m_frame);
    m_lblStop = label("lblStopBit", m_frame);
    m_lblParity = label("lblParity", m_frame);

    auto *form = new QFormLayout(m_frame);
    form->addRow(m_lblPort, m_port);
    form->addRow(m_lblBaud, m_baud);
    form->addRow(m_lblData, m_dataBits);
    form->addRow(m_lblStop, m_stopBits);
    form->addRow(m_lblParity, m_parity);
    for (auto [l, c] : {std::pair{m_lblPort, m_port}, {m_lblBaud, m_baud}, {m_lblData, m_dataBits},
                        {m_lblStop, m_stopBits}, {m_lblParity, m_parity}})
        l->setBuddy(c);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("cmdComOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("cmdComCancel"));
    connect(m_ok, &QPushButton::clicked, this, &PortDialog::cmdComOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &PortDialog::cmdComCancel_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *top = new QVBoxLayout(this);
    top->addWidget(m_frame);
    top->addLayout(buttons);

    Form_Load(extraPorts);
}

QStringList PortDialog::detectedDevices()
{
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString location = info.systemLocation();
        if (portNumberForName(location) >= 1 && portNumberForName(location) <= 9)
            continue;
        if (!devices.contains(location))
            devices << location;
    }
    devices.sort();
    return devices;
}

void PortDialog::Form_Load(const QStringList &extraPorts)
{
    for (int n = 1; n <= 9; ++n)
        m_port->addItem(QString::number(n));
    m_port->addItems(detectedDevices());
    m_port->addItems(extraPorts);
    // Nothing is preselected until a port has been confirmed once; a device
    // chosen by name is preselected by its name.
    int index = m_connection.portNumber - 1;
    if (m_connection.portNumber == 0 && m_link.isOpen())
        index = m_port->findText(m_link.portName());
    m_port->setCurrentIndex(index);

    m_baud->addItems({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});
    m_baud->setCurrentIndex(6);
    m_dataBits->addItems({"7", "8"});
    m_dataBits->setCurrentIndex(1);
    m_stopBits->addItems({"1", "1.5", "2"});
    m_stopBits->setCurrentIndex(0);
    m_parity->addItems({"NONE", "ODD", "EVEN"});
    m_parity->setCurrentIndex(0);

    applyTexts();
}

void PortDialog::applyTexts()
{
    const int code = m_language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    auto text = [code](const char *source) { return bilingual(code, "frmComSet", source); };
    setWindowTitle(text(QT_TRANSLATE_NOOP("frmComSet", "Serial Port Setting")));
    m_frame->setTitle(text(QT_TRANSLATE_NOOP("frmComSet", "Serial Port Parameters")));
    m_lblPort->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Port Number:")));
    m_lblBaud->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Baud Rate:")));
    m_lblData->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Data Bit:")));
    m_lblStop->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Stop Bit:")));
    m_lblParity->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Parity:")));
    m_ok->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Ok")));
    m_cancel->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Cancel")));

    const QFont labelFont = code == LanguageCode::Chinese ? chineseFont(10) : englishFont(10);
    if (code == LanguageCode::English) {
        setFont(englishFont(10));
        m_frame->setFont(englishFont(10));
    }
    for (QLabel *l : {m_lblPort, m_lblBaud, m_lblData, m_lblStop, m_lblParity}) {
        l->setFont(labelFont);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void PortDialog::cmdComOK_Click()
{
    // A port box without a port number or device: close, change nothing.
    const QString portText = m_port->currentText().trimmed();
    if (m_port->currentIndex() < 0 || portText.isEmpty()) {
        reject();
        return;
    }
    bool isNumber = false;
    const int number = portText.toInt(&isNumber);
    const QString portName = isNumber ? portNameForNumber(number) : portText;
    if (portName.isEmpty()) {
        reject();
        return;
    }

    const QString parityText = m_parity->currentText();
    const QString parity = parityText == QLatin1String("NONE") ? QStringLiteral("n")
                           : parityText == QLatin1String("EVEN") ? QStringLiteral("e")
                           : parityText == QLatin1String("ODD")  ? QStringLiteral("o")
                                                                 : QString();
    m_connection.portSettings = m_baud->currentText().trimmed() + QLatin1Char(',') + parity.trimmed()
                           + QLatin1Char(',') + m_dataBits->currentText().trimmed()
                           + QLatin1Char(',') + m_stopBits->currentText().trimmed();

    // An open port keeps its settings and its number; only the string is stored.
    if (m_link.isOpen()) {
        accept();
        return;
    }

    m_link.setSettings(m_connection.portSettings);
    m_link.setPortName(portName);
    const SerialPort::OpenResult result = m_link.openPort();
    if (!result.ok()) {
        reject();
        if (result.error == SerialPort::OpenError::NotFound)
            m_messages.show({MessageService::Icon::NoIcon, QString(),
                             QStringLiteral("COM port does not exist.")});
        else
            m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"),
                             m_link.openFailureText(result)});
        return;
    }
    emit portOpened();
    m_connection.portNumber = isNumber ? number : portNumberForName(portName);
    accept();
}

void PortDialog::cmdComCancel_Click()
{
    reject();
}
