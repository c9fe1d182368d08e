#pragma once

#include "bridge/echofilter.h"
#include "bridge/seriallineframer.h"

#include <QMainWindow>
#include <QSerialPort>

#include <memory>

namespace Ui {
class MainWindow;
}
class QLabel;
class QPlainTextEdit;
class MyServer;
class MyUdpRX;
class SettingsDialog;

// The bridge: forwards op commands from the TCP client to the serial port and
// the projector's answers back, and answers the manager's discovery request.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window; nothing is reported or opened yet, so that no box
    // runs before the window is complete.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens the serial port, or reports that the computer has none. Called
    // once the window is built, from the event loop.
    void start();

    QString windowTitleBase() const { return m_windowTitleBase; }
    QString lastSerialCommand() const { return m_echoFilter.lastSerialCommand(); }
    int replyCounter() const { return m_replyCounter; }
    QString statusText() const;
    QSerialPort *serialPort() const { return m_serial; }
    SettingsDialog *settingsDialog() const { return m_settings.get(); }
    MyServer *server() const { return m_server; }

signals:
    void sigWriteTCPdata(const QByteArray &bytes);

public slots:
    void slotTcpRX(const QString &line);
    void writeSerialData(const QByteArray &data);
    void readSerialData();
    void openSerialPort();
    void closeSerialPort();
    void handleSerialError(QSerialPort::SerialPortError error);
    void slotSerialChange();
    void slotUdpRX(const QString &text);
    void broadcastPJUDP();

private:
    // Connected by hand (not by name) to keep every connection checked at
    // compile time.
    void on_actionAbout_triggered();
    void on_lineEditSerial_returnPressed();
    void on_pushButtonClearSerial_clicked();
    void on_pushButtonClearTCP_clicked();

    void appendEntry(QPlainTextEdit *pane, const QString &html);
    void showPortClosed();
    void showStatusMessage(const QString &text);

    int m_udpPortRx = 35070;
    int m_udpPortReply = 35069;
    QString m_windowTitleBase;
    int m_replyCounter = 0;
    bool m_inSerialErrorBox = false;
    EchoFilter m_echoFilter;
    SerialLineFramer m_serialLines;
    Ui::MainWindow *ui;
    MyServer *m_server = nullptr;
    MyUdpRX *m_udpRx = nullptr;
    QSerialPort *m_serial = nullptr;
    std::unique_ptr<SettingsDialog> m_settings;
    QLabel *m_status = nullptr;
};
