#include "app/settingsreader.h"
#include "net/netlocalinfo.h"

#include "tests/common/testenvironment.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Which local interfaces discovery may work from, on veth interfaces made
// for each case inside the test's own network namespace.
class TestNetLocalInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listingsOfTheHost();
    void singleInterfaceOverridesLocalIP();
    void zeroMacOnlyInTheDialog();
};

void TestNetLocalInfo::initTestCase()
{
    // orvVM0/orvvm0: a pair whose one end is named like a virtual machine's
    // adapter; orvDn0/orvDn1: a pair that stays down.
    const QStringList commands{"ip link add orvVM0 type veth peer name orvvm0",
                               "ip addr add 10.80.0.1/24 dev orvVM0",
                               "ip addr add 10.80.0.2/24 dev orvvm0",
                               "ip -6 addr add fd00:80::2/64 dev orvvm0 nodad",
                               "ip link set orvVM0 up",
                               "ip link set orvvm0 up",
                               "ip link add orvDn0 type veth peer name orvDn1",
                               "ip addr add 10.81.0.1/24 dev orvDn0"};
    for (const QString &command : commands) {
        const QStringList words = command.split(' ');
        QCOMPARE(QProcess::execute(words.first(), words.mid(1)), 0);
    }
}

void TestNetLocalInfo::listingsOfTheHost()
{
    // The kernel may take a moment to show a fresh link as up.
    QTRY_COMPARE(NetLocalInfo().names(), QStringList{"orvvm0"});
    const NetLocalInfo info;
    QCOMPARE(info.addresses(), QStringList{"10.80.0.2"});
    QCOMPARE(info.hardwareAddresses().size(), 1);
    QVERIFY(info.hardwareAddresses().first() != "00:00:00:00:00:00");
    QCOMPARE(NetLocalInfo::configDialogAddresses(), QStringList{"10.80.0.2"});
}

void TestNetLocalInfo::singleInterfaceOverridesLocalIP()
{
    QTemporaryDir dir;
    const QString ini = SettingsReader::configIniPath(dir.path());
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Default]\nLocalIP=192.168.9.9\n");
    file.close();
    QCOMPARE(SettingsReader::read({"Orvanto"}, dir.path(), NetLocalInfo().addresses()).localIP, QString("10.80.0.2"));
    QCOMPARE(SettingsReader::read({"Orvanto"}, dir.path(), {"10.80.0.2", "10.80.0.3"}).localIP, QString("192.168.9.9"));
}

void TestNetLocalInfo::zeroMacOnlyInTheDialog()
{
    NetLocalInfo::Interface zero;
    zero.name = "eth7";
    zero.hardwareAddress = "00:00:00:00:00:00";
    zero.up = true;
    zero.addresses = {QHostAddress("10.9.0.1")};
    const NetLocalInfo info({zero});
    QCOMPARE(info.count(), 0);
    QCOMPARE(NetLocalInfo::configDialogAddresses({zero}), QStringList{"10.9.0.1"});
}

ORV_TEST_GUILESS_MAIN(TestNetLocalInfo)
#include "tst_netlocalinfo.moc"
