#include "bridge/mainwindow.h"

#include "bridge/bridgerules.h"
#include "bridge/discoveryreply.h"
#include "bridge/localaddresses.h"
#include "bridge/mytcpserver.h"
#include "bridge/myudprx.h"
#include "bridge/paneentry.h"
#include "bridge/settingsdialog.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSysInfo>
#include <QTimer>
#include <QUdpSocket>

// The resources live in a static library: they must be registered by hand.
static void initBrivoxResources()
{
    Q_INIT_RESOURCE(brivox);
}

namespace {
const char *Version = "0.9.1.0";
// The panes are logs, not archives: old entries go once this many are kept.
constexpr int MaxPaneBlocks = 5000;
// A command still unwritten after this long has met a stalled line.
constexpr int WriteTimeoutMs = 1000;
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    initBrivoxResources();
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/images/brivox.png")));
    ui->plainTextEditTCP->setMaximumBlockCount(MaxPaneBlocks);
    ui->plainTextEditSerial->setMaximumBlockCount(MaxPaneBlocks);
    ui->splitter->setStretchFactor(0, 1);
    ui->splitter->setStretchFactor(1, 1);

    m_windowTitleBase =
        QStringLiteral("%1-%2 UDPRX@%3/").arg(QStringLiteral("Brivox"), QLatin1String(Version)).arg(m_udpPortRx) +
        QStringLiteral("IP@") + LocalAddresses::localAddresses(LocalAddresses::IPv4Address).first();
    setWindowTitle(m_windowTitleBase);

    m_server = new MyServer(this);
    m_udpRx = new MyUdpRX(quint16(m_udpPortRx), this);
    connect(m_udpRx, &MyUdpRX::sigSendUDPdata, this, &MainWindow::slotUdpRX);
    connect(m_server, &MyServer::sigSendTCPdata, this, &MainWindow::slotTcpRX);
    connect(this, &MainWindow::sigWriteTCPdata, m_server, &MyServer::slotWriteTCP);

    m_serial = new QSerialPort(this);
    m_settings = std::make_unique<SettingsDialog>();
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    ui->statusBar->addWidget(m_status, 1);

    connect(ui->actionConfigSerial, &QAction::triggered, m_settings.get(), &QDialog::show);
    connect(m_serial, &QSerialPort::errorOccurred, this, &MainWindow::handleSerialError);
    connect(m_serial, &QSerialPort::readyRead, this, &MainWindow::readSerialData);
    connect(m_settings.get(), &SettingsDialog::sigSettingChange, this, &MainWindow::slotSerialChange);

    connect(ui->actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::on_actionAbout_triggered);
    connect(ui->lineEditSerial, &QLineEdit::returnPressed, this, &MainWindow::on_lineEditSerial_returnPressed);
    connect(ui->pushButtonClearSerial, &QPushButton::clicked, this, &MainWindow::on_pushButtonClearSerial_clicked);
    connect(ui->pushButtonClearTCP, &QPushButton::clicked, this, &MainWindow::on_pushButtonClearTCP_clicked);
}

void MainWindow::start()
{
    if (m_settings->portsAvailable())
        openSerialPort();
    else
        m_settings->reportMissingPorts();
}

MainWindow::~MainWindow()
{
    // The children outlive this part of the window while they are torn
    // down; none of their last signals may reach it.
    m_serial->disconnect(this);
    m_server->disconnect(this);
    m_udpRx->disconnect(this);
    m_settings->disconnect(this);
    closeSerialPort();
    delete ui;
}

QString MainWindow::statusText() const
{
    return m_status->text();
}

void MainWindow::showStatusMessage(const QString &text)
{
    m_status->setText(text);
}

void MainWindow::appendEntry(QPlainTextEdit *pane, const QString &html)
{
    pane->appendHtml(html);
    pane->moveCursor(QTextCursor::End);
}

void MainWindow::slotTcpRX(const QString &line)
{
    qDebug() << "mainwindow" << __func__ << line;
    appendEntry(ui->plainTextEditTCP, PaneEntry::entry(PaneEntry::darkBlue(), QStringLiteral("TCP>"), line));
    appendEntry(ui->plainTextEditSerial, PaneEntry::entry(PaneEntry::darkBlue(), QStringLiteral("&gt;"), line));

    const QByteArray bytes = BridgeRules::serialCommand(line);
    if (BridgeRules::isOpLine(line)) {
        qDebug() << "mainwindow" << __func__ << bytes;
        if (m_serial->isOpen())
            writeSerialData(bytes);
        else if (m_settings->portsAvailable())
            // The client gets no answer; the operator should know why.
            appendEntry(ui->plainTextEditTCP,
                        PaneEntry::entry(PaneEntry::red(), QString(),
                                         tr("Not forwarded: serial port %1 is not open").arg(m_serial->portName())));
    }
    if (!m_settings->portsAvailable())
        emit sigWriteTCPdata(BridgeRules::localAnswer(line).toUtf8());
}

void MainWindow::writeSerialData(const QByteArray &data)
{
    if (!m_serial->isWritable()) {
        QMessageBox::critical(this, tr("Error"), m_serial->errorString());
        showStatusMessage(tr("Write Serial Error!"));
        return;
    }
    if (m_serial->write(data) != data.size()) {
        showStatusMessage(tr("Write Serial Error!"));
        return;
    }
    // Checked later rather than waited for: the window must keep answering.
    QTimer::singleShot(WriteTimeoutMs, this, [this]() {
        if (m_serial->isOpen() && m_serial->bytesToWrite() > 0)
            ui->plainTextEditSerial->appendPlainText(QStringLiteral("TimeOut!!!"));
    });

    m_echoFilter.remember(data);
    qDebug() << "mainwindow" << __func__ << "Srial Written:" << m_echoFilter.lastSerialCommand();
    appendEntry(ui->plainTextEditSerial,
                PaneEntry::entry(PaneEntry::red(), QStringLiteral("&gt;&gt;&gt;"), QString::fromLocal8Bit(data)));
}

void MainWindow::readSerialData()
{
    m_serialLines.append(m_serial->readAll());
    // Echo and answer often come in one burst: every complete line is
    // handled now, as no further notification comes for bytes already read.
    while (m_serialLines.hasLine()) {
        bool complete = false;
        const QByteArray line = m_serialLines.takeLine(&complete);
        const QString text = BridgeRules::latin1UpToNul(line);
        // A run cut at the length bound is no answer line: shown, not sent.
        const EchoFilter::Kind kind = complete ? m_echoFilter.classify(line) : EchoFilter::Kind::Other;
        if (kind == EchoFilter::Kind::Echo)
            continue;
        const QString entry = PaneEntry::entry(PaneEntry::darkBlue(), QStringLiteral("&lt;&lt;&lt;"), text);
        if (kind == EchoFilter::Kind::Answer) {
            qDebug() << "mainwindow" << __func__ << "Got OP response:" << line;
            emit sigWriteTCPdata(line);
            appendEntry(ui->plainTextEditTCP, entry);
        }
        appendEntry(ui->plainTextEditSerial, entry);
    }
}

void MainWindow::openSerialPort()
{
    if (!m_settings->portsAvailable() || m_serial->isOpen())
        return;
    m_settings->listSerialPorts();
    // The port may have gone since the last listing; the box has said so.
    if (!m_settings->portsAvailable())
        return;
    m_settings->readINI();
    const SerialSettings p = m_settings->settings();

    m_serial->setPortName(p.name);
    m_serial->setBaudRate(p.baudRate);
    m_serial->setDataBits(static_cast<QSerialPort::DataBits>(p.dataBits));
    m_serial->setParity(static_cast<QSerialPort::Parity>(p.parity));
    m_serial->setStopBits(static_cast<QSerialPort::StopBits>(p.stopBits));
    m_serial->setFlowControl(static_cast<QSerialPort::FlowControl>(p.flowControl));
    m_serialLines.clear();
    if (m_serial->open(QIODevice::ReadWrite)) {
        ui->labelSerialPort->setEnabled(true);
        ui->lineEditSerial->setEnabled(true);
        showStatusMessage(tr("Connected to %1 : %2, %3, %4, %5, %6")
                              .arg(p.name, p.stringBaudRate, p.stringDataBits, p.stringParity, p.stringStopBits,
                                   p.stringFlowControl));
        ui->labelSerialPort->setText(
            QStringLiteral("%1:%2,%3,%4,%5")
                .arg(p.name, p.stringBaudRate, p.stringDataBits, p.stringParity, p.stringStopBits));
        setWindowTitle(m_windowTitleBase + QStringLiteral(" >>>") + p.name);
        qDebug() << "mainwindow" << __func__ << "Serial Open:" << ui->labelSerialPort->text();
    } else {
        ui->labelSerialPort->setEnabled(false);
        ui->lineEditSerial->setEnabled(false);
        // Named: on a first start the stored default may not exist here.
        QMessageBox::critical(this, tr("Error"),
                              tr("Cannot open serial port %1: %2").arg(p.name, m_serial->errorString()));
        showStatusMessage(tr("Open error"));
    }
}

void MainWindow::closeSerialPort()
{
    if (m_serial->isOpen()) {
        m_serial->close();
        qDebug() << "mainwindow" << __func__ << "Serial Closed!";
        showPortClosed();
    }
}

void MainWindow::showPortClosed()
{
    // Otherwise a pulled adapter would still read "Connected to ...".
    ui->labelSerialPort->setEnabled(false);
    ui->lineEditSerial->setEnabled(false);
    showStatusMessage(tr("Serial port %1 closed").arg(m_serial->portName()));
    setWindowTitle(m_windowTitleBase);
}

void MainWindow::handleSerialError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError || m_inSerialErrorBox)
        return;
    const QString description = m_serial->errorString();
    m_inSerialErrorBox = true;
    if (m_serial->isOpen()) {
        // Closed before the box, which runs its own event loop: a vanished
        // device must not be written to, nor report itself again meanwhile.
        closeSerialPort();
        QMessageBox::critical(this, tr("Critical Error"), description);
    } else {
        QMessageBox::warning(this, tr("Serial Port"), description);
    }
    m_inSerialErrorBox = false;
}

void MainWindow::slotSerialChange()
{
    closeSerialPort();
    // A port plugged in after start is found here, at the user's request.
    if (!m_settings->portsAvailable())
        m_settings->listSerialPorts();
    openSerialPort();
}

void MainWindow::slotUdpRX(const QString &text)
{
    qDebug() << "mainwindow" << __func__ << text;
    appendEntry(ui->plainTextEditTCP, PaneEntry::datagram(text));
    if (DiscoveryReply::isRequest(text)) {
        qDebug() << "mainwindow" << __func__ << "UDP Discovery!";
        broadcastPJUDP();
    }
}

void MainWindow::broadcastPJUDP()
{
    const QString ip = LocalAddresses::localAddresses(LocalAddresses::IPv4Address).first();
    const QString mac = LocalAddresses::localAddresses(LocalAddresses::HardwareAddress).first();
    const QHostAddress destination = DiscoveryReply::destination(ip, DiscoveryReply::systemWantsDirectedBroadcast());
    const QByteArray datagram = DiscoveryReply::build(ip, mac, m_replyCounter++);

    // One socket per reply, gone right after sending: kept sockets bound to
    // the request port would pile up and take unicast requests away from
    // the receiver.
    QUdpSocket socket;
    socket.bind(quint16(m_udpPortRx));
    const qint64 sent = socket.writeDatagram(datagram, destination, quint16(m_udpPortReply));
    qDebug() << "mainwindow" << __func__ << destination.toString() << datagram
             << (sent == datagram.size() ? "" : socket.errorString());
    appendEntry(ui->plainTextEditTCP,
                PaneEntry::entry(PaneEntry::darkBlue(), QStringLiteral("&gt;&gt;&gt;"), QString::fromUtf8(datagram)));
}

void MainWindow::on_actionAbout_triggered()
{
    const QString path = QStringLiteral(":/html/About_en_US.html");
    QFile page(path);
    if (!page.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "mainwindow" << __func__ << "About Not Found:" << path;
        return;
    }
    const QString text = QString::fromUtf8(page.readAll()) + QStringLiteral("<br>OS: ") +
                         QSysInfo::prettyProductName().toHtmlEscaped() + QStringLiteral("<br>IP: ") +
                         LocalAddresses::localAddresses(LocalAddresses::IPv4Address).first().toHtmlEscaped() +
                         QStringLiteral("<br>Port: ") + ui->labelSerialPort->text().toHtmlEscaped();
    QMessageBox::about(this, QStringLiteral("Brivox") + QStringLiteral(" ReleaseBuild-%1").arg(QLatin1String(__DATE__)),
                       text);
}

void MainWindow::on_lineEditSerial_returnPressed()
{
    if (m_serial->isOpen())
        writeSerialData((ui->lineEditSerial->text() + QStringLiteral("\r")).toLocal8Bit());
}

void MainWindow::on_pushButtonClearSerial_clicked()
{
    ui->plainTextEditSerial->clear();
}

void MainWindow::on_pushButtonClearTCP_clicked()
{
    ui->plainTextEditTCP->clear();
}
