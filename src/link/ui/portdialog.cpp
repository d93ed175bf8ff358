#include "link/ui/portdialog.h"

#include "link/controllerfinder.h"
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
    m_find = new QPushButton(this);
    m_find->setObjectName(QStringLiteral("cmdFindController"));
    m_find->setAutoDefault(false);
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("lblFindProgress"));
    m_progress->setWordWrap(true);
    m_progress->setMinimumWidth(m_progress->fontMetrics().horizontalAdvance(QString(44, u'n')));
    m_finder = new ControllerFinder(link.portFactory(), this);
    connect(m_ok, &QPushButton::clicked, this, &PortDialog::cmdComOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &PortDialog::cmdComCancel_Click);
    connect(m_find, &QPushButton::clicked, this, &PortDialog::cmdFindController_Click);
    connect(m_finder, &ControllerFinder::trying, this, [this](const ControllerFinder::Attempt &a) {
        m_progress->setText(ControllerFinder::tryingText(m_language.languageCode, a));
    });
    connect(m_finder, &ControllerFinder::skipped, this,
            [this](const QString &port, SerialPort::OpenError error) {
                m_skipped << ControllerFinder::skippedText(m_language.languageCode, port, error);
            });
    connect(m_finder, &ControllerFinder::found, this, [this](const ControllerFinder::Attempt &a) {
        addPortItem(a.port);
        m_port->setCurrentIndex(findPort(a.port));
        const int number = portNumberForName(a.port);
        if (number >= 1 && number <= 9)
            m_port->setCurrentIndex(number - 1);
        preselect(a.settings);
        searchEnded(bilingual(m_language.languageCode, "frmComSet",
                              QT_TRANSLATE_NOOP("frmComSet", "Found the controller on %1 at %2. Ok connects."))
                        .arg(a.port, a.settings.toString()));
        m_ok->setFocus();
    });
    connect(m_finder, &ControllerFinder::notFound, this, [this] {
        searchEnded(bilingual(m_language.languageCode, "frmComSet",
                              QT_TRANSLATE_NOOP("frmComSet", "No controller answered on any port or setting.")));
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_find);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *top = new QVBoxLayout(this);
    top->addWidget(m_frame);
    top->addWidget(m_progress);
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

// The tool's own port, listed by translation (see Form_Load).
[[maybe_unused]] constexpr const char *kSimulatorCaption = QT_TRANSLATE_NOOP("frmComSet", "Simulator");

void PortDialog::Form_Load(const QStringList &extraPorts)
{
    for (int n = 1; n <= 9; ++n)
        m_port->addItem(QString::number(n));
    m_port->addItems(detectedDevices());
    // Ports of the tool itself ("Simulator") are named in the current
    // language; the item keeps the port's own name as its data.
    for (const QString &name : extraPorts)
        m_port->addItem(name, name);
    // Nothing is preselected until a port has been confirmed once; a device
    // chosen by name is preselected by its name.
    int index = m_connection.portNumber - 1;
    if (m_connection.portNumber == 0 && m_link.isOpen())
        index = findPort(m_link.portName());
    m_port->setCurrentIndex(index);

    m_baud->addItems({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});
    m_dataBits->addItems({"7", "8"});
    m_stopBits->addItems({"1", "1.5", "2"});
    m_parity->addItems({"NONE", "ODD", "EVEN"});
    // The settings in use ("9600,n,8,1" at start), so that Ok as it stands
    // connects to a controller at its default rate.
    preselect(PortSettings::parse(m_connection.portSettings).value_or(PortSettings{}));

    applyTexts();
}

void PortDialog::preselect(const PortSettings &settings)
{
    const QString baud = QString::number(settings.baudRate);
    if (m_baud->findText(baud) < 0)
        m_baud->addItem(baud);
    m_baud->setCurrentIndex(m_baud->findText(baud));
    m_dataBits->setCurrentIndex(m_dataBits->findText(QString::number(settings.dataBits)));
    const char *stop = settings.stopBits == PortSettings::StopBits::One   ? "1"
                       : settings.stopBits == PortSettings::StopBits::Two ? "2"
                                                                          : "1.5";
    m_stopBits->setCurrentIndex(m_stopBits->findText(QLatin1String(stop)));
    m_parity->setCurrentIndex(settings.parity == 'o' ? 1 : settings.parity == 'e' ? 2 : 0);
}

void PortDialog::addPortItem(const QString &name)
{
    if (findPort(name) < 0 && portNumberForName(name) == 0)
        m_port->addItem(name);
}

int PortDialog::findPort(const QString &name) const
{
    const int byData = m_port->findData(name);
    return byData >= 0 ? byData : m_port->findText(name);
}

void PortDialog::cmdFindController_Click()
{
    if (m_finder->running()) {
        m_finder->cancel();
        searchEnded(QString());
        return;
    }
    // The search needs the line: an open port is closed first.
    if (m_link.isOpen())
        m_link.disconnectPort();
    QList<PortListing> listed;
    if (const PortEnumerator *ports = m_link.portEnumerator())
        listed = ports->ports();
    m_skipped.clear();
    m_ok->setEnabled(false);
    m_find->setText(bilingual(m_language.languageCode, "frmComSet", QT_TRANSLATE_NOOP("frmComSet", "Stop search")));
    m_finder->start(ControllerFinder::portsToTry(listed), ControllerFinder::settingsToTry(
                                                                  PortSettings::parse(m_connection.portSettings)));
}

void PortDialog::searchEnded(const QString &text)
{
    m_ok->setEnabled(true);
    m_find->setText(bilingual(m_language.languageCode, "frmComSet", QT_TRANSLATE_NOOP("frmComSet", "Find controller")));
    QStringList lines = m_skipped;
    if (!text.isEmpty())
        lines << text;
    m_progress->setText(lines.join(u'\n'));
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
    m_find->setText(text(QT_TRANSLATE_NOOP("frmComSet", "Find controller")));
    for (int i = 0; i < m_port->count(); ++i) {
        const QString name = m_port->itemData(i).toString();
        if (!name.isEmpty()) {
            const QString shown = bilingual(code, "frmComSet", name.toUtf8().constData());
            m_port->setItemText(i, shown.isEmpty() ? name : shown);
        }
    }

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
    const QString named = m_port->currentData().toString();
    const QString portText = named.isEmpty() ? m_port->currentText().trimmed() : named;
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

    // The choice is applied whether a port is open or not: the open one is
    // closed, the chosen one opened. A port that cannot be opened leaves
    // the link disconnected, and says why.
    m_finder->cancel();
    const SerialPort::OpenResult result = m_link.connectTo(portName, m_connection.portSettings);
    if (!result.ok()) {
        reject();
        if (result.error == SerialPort::OpenError::NotFound)
            m_messages.show({MessageService::Icon::NoIcon, QString(),
                             bilingual(m_language.languageCode, "frmComSet",
                                       QT_TRANSLATE_NOOP("frmComSet", "COM port does not exist."))});
        else
            m_messages.show({MessageService::Icon::Warning, QStringLiteral("info"),
                             m_link.openFailureText(result)});
        emit connectionFailed();
        return;
    }
    m_connection.portNumber = isNumber ? number : portNumberForName(portName);
    emit portOpened();
    accept();
}

void PortDialog::cmdComCancel_Click()
{
    m_finder->cancel();
    reject();
}
