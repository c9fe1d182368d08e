// "Brivox.ini", the parameter lists behind it and the port listing.
#include "bridge/brivoxini.h"
#include "bridge/serialparameterlists.h"
#include "bridge/serialportlister.h"
#include "tests/common/testenvironment.h"

#include <QSerialPort>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList texts(const SerialParameterLists::List &list)
{
    QStringList out;
    for (const auto &e : list)
        out << e.text;
    return out;
}

QList<int> values(const SerialParameterLists::List &list)
{
    QList<int> out;
    for (const auto &e : list)
        out << e.value;
    return out;
}
} // namespace

class TestBrivoxIni : public QObject
{
    Q_OBJECT
private slots:
    void listsHoldTheLibraryValues();
    void valueFor_data();
    void valueFor();
    void missingFileGivesDefaults();
    void defaultPathIsInAppData();
    void writeThenRead();
    void writeKeepsOtherContent();
    void writeCreatesFolder();
    void failedWriteKeepsPreviousFile();
    void failedWriteIntoImpossibleFolder();
    void handEditedValues();
    void portListFromEnvironment();
    void emptyPortListFromEnvironment();
    void infoList();
};

void TestBrivoxIni::listsHoldTheLibraryValues()
{
    QCOMPARE(texts(SerialParameterLists::baudRates()), (QStringList{"9600", "19200", "38400", "115200"}));
    QCOMPARE(values(SerialParameterLists::baudRates()), (QList<int>{QSerialPort::Baud9600, QSerialPort::Baud19200,
                                                                    QSerialPort::Baud38400, QSerialPort::Baud115200}));
    QCOMPARE(texts(SerialParameterLists::dataBits()), (QStringList{"5", "6", "7", "8"}));
    QCOMPARE(values(SerialParameterLists::dataBits()), (QList<int>{5, 6, 7, 8}));
    QCOMPARE(texts(SerialParameterLists::parities()), (QStringList{"None", "Even", "Odd", "Mark", "Space"}));
    QCOMPARE(values(SerialParameterLists::parities()), (QList<int>{0, 2, 3, 5, 4}));
    QCOMPARE(values(SerialParameterLists::parities()),
             (QList<int>{QSerialPort::NoParity, QSerialPort::EvenParity, QSerialPort::OddParity,
                         QSerialPort::MarkParity, QSerialPort::SpaceParity}));
    QCOMPARE(texts(SerialParameterLists::stopBits()), (QStringList{"1", "1.5", "2"}));
    QCOMPARE(values(SerialParameterLists::stopBits()),
             (QList<int>{QSerialPort::OneStop, QSerialPort::OneAndHalfStop, QSerialPort::TwoStop}));
    QCOMPARE(texts(SerialParameterLists::flowControls()), (QStringList{"None", "RTS/CTS", "XON/XOFF"}));
    QCOMPARE(values(SerialParameterLists::flowControls()),
             (QList<int>{QSerialPort::NoFlowControl, QSerialPort::HardwareControl, QSerialPort::SoftwareControl}));
}

void TestBrivoxIni::valueFor_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::newRow("parity exact") << 2 << "Even" << 1 << 2;
    QTest::newRow("parity other case") << 2 << "eVEN" << 1 << 2;
    QTest::newRow("parity default N") << 2 << "N" << -1 << 0;
    QTest::newRow("parity as number") << 2 << "3" << -1 << 3;
    QTest::newRow("stop bits 1.5") << 3 << "1.5" << 1 << 3;
    QTest::newRow("baud not listed") << 0 << "57600" << -1 << 57600;
    QTest::newRow("baud rubbish") << 0 << "fast" << -1 << 0;
    QTest::newRow("flow other case") << 4 << "rts/cts" << 1 << 1;
    QTest::newRow("data bits") << 1 << "7" << 2 << 7;
    QTest::newRow("empty") << 1 << "" << -1 << 0;
}

void TestBrivoxIni::valueFor()
{
    QFETCH(int, list);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(int, value);
    const SerialParameterLists::List lists[] = {SerialParameterLists::baudRates(), SerialParameterLists::dataBits(),
                                                SerialParameterLists::parities(), SerialParameterLists::stopBits(),
                                                SerialParameterLists::flowControls()};
    QCOMPARE(SerialParameterLists::indexOf(lists[list], text), index);
    QCOMPARE(SerialParameterLists::valueFor(lists[list], text), value);
}

void TestBrivoxIni::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    const BrivoxIni ini(dir.filePath(QStringLiteral("Brivox.ini")));
    const SerialSettings s = BrivoxIni::toSettings(ini.read());
    QCOMPARE(s.name, QStringLiteral("Com3"));
    QCOMPARE(s.baudRate, 9600);
    QCOMPARE(s.dataBits, int(QSerialPort::Data8));
    QCOMPARE(s.parity, int(QSerialPort::NoParity));
    QCOMPARE(s.stopBits, int(QSerialPort::OneStop));
    QCOMPARE(s.flowControl, int(QSerialPort::NoFlowControl));
    QCOMPARE(QStringList({s.stringBaudRate, s.stringDataBits, s.stringParity, s.stringStopBits, s.stringFlowControl}),
             (QStringList{"9600", "8", "N", "1", "None"}));
    QVERIFY(s.localEchoEnabled);
    QVERIFY(!QFile::exists(ini.path()));
}

void TestBrivoxIni::defaultPathIsInAppData()
{
    const QString path = BrivoxIni::defaultPath();
    QVERIFY(path.endsWith(QStringLiteral("/Brivox.ini")));
    QVERIFY2(path.startsWith(TestEnvironment::root()), qPrintable(path));
    QCOMPARE(BrivoxIni().path(), path);
}

void TestBrivoxIni::writeThenRead()
{
    QTemporaryDir dir;
    const BrivoxIni ini(dir.filePath(QStringLiteral("Brivox.ini")));
    BrivoxIni::Values v;
    v.port = QStringLiteral("/dev/pts/7");
    v.baudRate = QStringLiteral("38400");
    v.dataBits = QStringLiteral("7");
    v.parity = QStringLiteral("Even");
    v.stopBits = QStringLiteral("1.5");
    v.flowControl = QStringLiteral("RTS/CTS");
    v.localEcho = false;
    QString error;
    QVERIFY2(ini.write(v, &error), qPrintable(error));

    const QByteArray text = readFile(ini.path());
    QVERIFY(text.contains("[Default]"));
    for (const char *line :
         {"Parity=Even", "FlowControl=RTS/CTS", "StopBits=1.5", "BaudRate=38400", "DataBits=7", "LocalEcho=false"})
        QVERIFY2(text.contains(line), line);

    const SerialSettings s = BrivoxIni::toSettings(ini.read());
    QCOMPARE(s.name, QStringLiteral("/dev/pts/7"));
    QCOMPARE(s.baudRate, 38400);
    QCOMPARE(s.dataBits, 7);
    QCOMPARE(s.parity, int(QSerialPort::EvenParity));
    QCOMPARE(s.stopBits, int(QSerialPort::OneAndHalfStop));
    QCOMPARE(s.flowControl, int(QSerialPort::HardwareControl));
    QCOMPARE(s.stringStopBits, QStringLiteral("1.5"));
    QVERIFY(!s.localEchoEnabled);
}

void TestBrivoxIni::writeKeepsOtherContent()
{
    QTemporaryDir dir;
    const BrivoxIni ini(dir.filePath(QStringLiteral("Brivox.ini")));
    QVERIFY(writeFile(ini.path(), "[Default]\nPort=COM1\nRemark=kept\n\n[Site]\nRoom=Hall 2\n"));
    BrivoxIni::Values v;
    v.port = QStringLiteral("COM4");
    QVERIFY(ini.write(v));
    QSettings check(ini.path(), QSettings::IniFormat);
    QCOMPARE(check.value(QStringLiteral("Default/Port")).toString(), QStringLiteral("COM4"));
    QCOMPARE(check.value(QStringLiteral("Default/Remark")).toString(), QStringLiteral("kept"));
    QCOMPARE(check.value(QStringLiteral("Site/Room")).toString(), QStringLiteral("Hall 2"));
}

void TestBrivoxIni::writeCreatesFolder()
{
    QTemporaryDir dir;
    const BrivoxIni ini(dir.filePath(QStringLiteral("a/b/Brivox.ini")));
    QVERIFY(ini.write(BrivoxIni::Values()));
    QCOMPARE(ini.read().port, QStringLiteral("Com3"));
    QVERIFY(readFile(ini.path()).contains("Port=Com3"));
}

void TestBrivoxIni::failedWriteKeepsPreviousFile()
{
    QTemporaryDir dir;
    const BrivoxIni ini(dir.filePath(QStringLiteral("Brivox.ini")));
    const QByteArray previous("[Default]\nPort=COM1\n");
    QVERIFY(writeFile(ini.path(), previous));

#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    // A file size limit makes every write past a few bytes fail, as a full
    // disk would; root cannot be stopped by file permissions.
    struct rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    BrivoxIni::Values v;
    v.port = QStringLiteral("A-much-longer-port-name-that-does-not-fit-into-sixty-four-bytes");
    QString error;
    const bool written = ini.write(v, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(ini.path()), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Brivox.ini"});
#endif
}

void TestBrivoxIni::failedWriteIntoImpossibleFolder()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("blocker")), "not a folder"));
    const BrivoxIni ini(dir.filePath(QStringLiteral("blocker/Brivox.ini")));
    QString error;
    QVERIFY(!ini.write(BrivoxIni::Values(), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("blocker"))), QByteArray("not a folder"));
}

void TestBrivoxIni::handEditedValues()
{
    QTemporaryDir dir;
    const BrivoxIni ini(dir.filePath(QStringLiteral("Brivox.ini")));
    QVERIFY(writeFile(ini.path(), "[Default]\nPort=com7\nBaudRate=57600\nParity=odd\nStopBits=two\n"
                                  "FlowControl=\"a,b\"\nLocalEcho=false\n"));
    const BrivoxIni::Values v = ini.read();
    QCOMPARE(v.port, QStringLiteral("com7"));
    QCOMPARE(v.flowControl, QStringLiteral("a,b"));
    const SerialSettings s = BrivoxIni::toSettings(v);
    QCOMPARE(s.baudRate, 57600);
    QCOMPARE(s.parity, int(QSerialPort::OddParity));
    QCOMPARE(s.stopBits, 0);
    QCOMPARE(s.flowControl, 0);
    QCOMPARE(s.dataBits, 8);
    QVERIFY(!s.localEchoEnabled);
}

void TestBrivoxIni::portListFromEnvironment()
{
    qputenv("BRIVOX_SERIAL_PORTS", "/tmp/x/ttyA:/tmp/x/ttyB");
    const QList<SerialPortLister::Port> ports = SerialPortLister::availablePorts();
    qunsetenv("BRIVOX_SERIAL_PORTS");
    QCOMPARE(ports.size(), 2);
    QCOMPARE(ports.at(0).portName, QStringLiteral("/tmp/x/ttyA"));
    QCOMPARE(ports.at(0).systemLocation, QStringLiteral("/tmp/x/ttyA"));
    QCOMPARE(ports.at(1).portName, QStringLiteral("/tmp/x/ttyB"));
}

void TestBrivoxIni::emptyPortListFromEnvironment()
{
    qputenv("BRIVOX_SERIAL_PORTS", "");
    const QList<SerialPortLister::Port> ports = SerialPortLister::availablePorts();
    qunsetenv("BRIVOX_SERIAL_PORTS");
    QVERIFY(ports.isEmpty());
}

void TestBrivoxIni::infoList()
{
    SerialPortLister::Port ftdi;
    ftdi.portName = QStringLiteral("ttyUSB0");
    ftdi.description = QStringLiteral("FT232R USB UART");
    ftdi.manufacturer = QStringLiteral("FTDI");
    ftdi.serialNumber = QStringLiteral("A50285BI");
    ftdi.systemLocation = QStringLiteral("/dev/ttyUSB0");
    ftdi.vendorIdentifier = 0x0403;
    ftdi.productIdentifier = 0xABCD;
    QCOMPARE(SerialPortLister::infoList(ftdi),
             (QStringList{"ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI", "/dev/ttyUSB0", "403", "abcd"}));
    SerialPortLister::Port bare;
    bare.portName = QStringLiteral("COM3");
    bare.systemLocation = QStringLiteral("\\\\.\\COM3");
    QCOMPARE(SerialPortLister::infoList(bare), (QStringList{"COM3", "N/A", "N/A", "N/A", "\\\\.\\COM3", "N/A", "N/A"}));
}

ORV_TEST_GUILESS_MAIN(TestBrivoxIni)
#include "tst_brivoxini.moc"
