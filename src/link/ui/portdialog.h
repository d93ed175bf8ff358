#pragma once
// The port settings dialog frmComSet: port number and line settings.
// Confirming it connects: an open port is closed and the chosen one opened
// with the chosen settings, and polled. "Find controller" tries the ports
// and settings in turn and preselects what answered.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
struct ConnectionState;
struct LanguageState;
class ControllerFinder;
class LinkController;
class MessageService;
struct PortSettings;

class PortDialog : public QDialog
{
    Q_OBJECT
public:
    // `extraPorts` follow the nine numbers and the devices found on this
    // machine (the simulated controller, for one).
    PortDialog(ConnectionState &connection, const LanguageState &language, LinkController &link,
               MessageService &messages, const QStringList &extraPorts = {},
               QWidget *parent = nullptr);

    void cmdComOK_Click();
    void cmdComCancel_Click();
    // Looks for the controller on every adapter and listed port.
    void cmdFindController_Click();
    ControllerFinder *finder() const { return m_finder; }

    // The devices that QSerialPortInfo finds here, except the numbered ones.
    static QStringList detectedDevices();

signals:
    void portOpened();
    // Ok could not open the chosen port; the link is disconnected.
    void connectionFailed();

private:
    void Form_Load(const QStringList &extraPorts);
    void applyTexts();
    void preselect(const PortSettings &settings);
    void searchEnded(const QString &text);
    void addPortItem(const QString &name);
    int findPort(const QString &name) const;

    ConnectionState &m_connection;
    const LanguageState &m_language;
    LinkController &m_link;
    MessageService &m_messages;
    QGroupBox *m_frame;
    QComboBox *m_port;
    QComboBox *m_baud;
    QComboBox *m_dataBits;
    QComboBox *m_stopBits;
    QComboBox *m_parity;
    QLabel *m_lblPort;
    QLabel *m_lblBaud;
    QLabel *m_lblData;
    QLabel *m_lblStop;
    QLabel *m_lblParity;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_find;
    QLabel *m_progress;
    ControllerFinder *m_finder;
    QStringList m_skipped; // what the search could not try, said at its end
};
