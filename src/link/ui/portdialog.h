#pragma once
// The port settings dialog frmComSet: port number and line settings.
// Confirming it opens the port; the caller then starts the link timer.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
struct ConnectionState;
struct LanguageState;
class LinkController;
class MessageService;

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

    // The devices that QSerialPortInfo finds here, except the numbered ones.
    static QStringList detectedDevices();

signals:
    void portOpened();

private:
    void Form_Load(const QStringList &extraPorts);
    void applyTexts();

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
};
