// The projector simulator that the session, status and bridge tests rely on.
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

const quint16 kPort = 7000;

// Reads until a full answer line (or the limit); returns it without CR LF.
QString readAnswer(QIODevice &device, int timeoutMs = 3000)
{
    QByteArray buffer;
    QElapsedTimer clock;
    clock.start();
    while (!buffer.endsWith("\r\n") && clock.elapsed() < timeoutMs) {
        if (!device.waitForReadyRead(int(qMax<qint64>(1, timeoutMs - clock.elapsed()))))
            break;
        buffer += device.readAll();
    }
    return buffer.endsWith("\r\n") ? QString::fromLatin1(buffer.chopped(2)) : QString::fromLatin1(buffer);
}

QString ask(QTcpSocket &socket, const QString &request)
{
    socket.write(request.toLatin1() + "\r\n");
    return readAnswer(socket);
}

std::unique_ptr<QTcpSocket> connectTo(const QString &address)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(address, kPort);
    if (!socket->waitForConnected(2000))
        return nullptr;
    return socket;
}

} // namespace

class TestProjSim : public QObject
{
    Q_OBJECT

private slots:
    void commandLineErrors_data();
    void commandLineErrors();
    void builtInAnswers_data();
    void builtInAnswers();
    void powerStateMachine();
    void faultNeedsPowerOff();
    void eachAddressIsItsOwnProjector();
    void catalogueDrivenAnswers_data();
    void catalogueDrivenAnswers();
    void addressModes();
    void manyClientsAtOnce();
    void endsWhenStandardInputCloses();
    void serialProjector();

private:
    bool startCatalogueSimulator(SimulatorProcess &sim);
};

void TestProjSim::commandLineErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
    QTest::newRow("unknown mode") << QStringList{QStringLiteral("--mode"), QStringLiteral("127.0.0.2=sleepy")} << 2;
    QTest::newRow("delay needs ms") << QStringList{QStringLiteral("--mode"), QStringLiteral("127.0.0.2=delay")} << 2;
    QTest::newRow("bad range") << QStringList{QStringLiteral("--range"), QStringLiteral("127.0.0.9-127.0.0.2")} << 2;
    QTest::newRow("bad power") << QStringList{QStringLiteral("--power"), QStringLiteral("7")} << 2;
    QTest::newRow("missing catalogue") << QStringList{QStringLiteral("--catalogue"), QStringLiteral("/nonexistent.csv")}
                                       << 1;
    QTest::newRow("address not on this host")
        << QStringList{QStringLiteral("--address"), QStringLiteral("192.0.2.1")} << 1;
}

void TestProjSim::commandLineErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QProcess process;
    process.start(SimulatorProcess::programPath(), arguments);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY(!process.readAllStandardOutput().contains("READY"));
}

void TestProjSim::builtInAnswers_data()
{
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("answers");
    auto rows = [](std::initializer_list<const char *> list) {
        QStringList l;
        for (const char *s : list)
            l << QLatin1String(s);
        return l;
    };
    QTest::newRow("model") << rows({"op model ?"}) << rows({"OP MODEL=KX4410Q"});
    QTest::newRow("upper-case request") << rows({"OP MODEL ?"}) << rows({"OP MODEL=KX4410Q"});
    QTest::newRow("status and error code")
        << rows({"op status ?", "op errcode ?"}) << rows({"OP STATUS=0", "OP ERRCODE=0000"});
    QTest::newRow("setting kept") << rows({"op bright = 70", "op bright ?"}) << rows({"OP BRIGHT=70", "OP BRIGHT=70"});
    QTest::newRow("setting without blanks") << rows({"op contrast=33"}) << rows({"OP CONTRAST=33"});
    QTest::newRow("range clamps") << rows({"op bright = 150", "op bright = -3"})
                                  << rows({"OP BRIGHT=100", "OP BRIGHT=0"});
    QTest::newRow("not a number") << rows({"op bright = high"}) << rows({"OP BRIGHT=NA"});
    QTest::newRow("enumeration by name and index")
        << rows({"op gamma = 2.4", "op gamma ?", "op gamma = 1"}) << rows({"OP GAMMA=3", "OP GAMMA=3", "OP GAMMA=1"});
    QTest::newRow("enumeration out of range")
        << rows({"op gamma = 9", "op gamma ?"}) << rows({"OP GAMMA=NA", "OP GAMMA=1"});
    QTest::newRow("input drives active source")
        << rows({"op input.sel = 3", "op act.source ?"}) << rows({"OP INPUT.SEL=3", "OP ACT.SOURCE=VGA"});
    QTest::newRow("read-only information")
        << rows({"op model = X", "op sw.ver = 2"}) << rows({"OP MODEL=NA", "OP SW.VER=NA"});
    QTest::newRow("action") << rows({"op hsg.reset"}) << rows({"OP HSG.RESET=OK"});
    QTest::newRow("setting run as action") << rows({"op bright"}) << rows({"OP BRIGHT=NA"});
    QTest::newRow("unknown word") << rows({"op warp.drive ?", "op warp.drive = 9", "op warp.drive"})
                                  << rows({"OP WARP.DRIVE=NA", "OP WARP.DRIVE=NA", "OP WARP.DRIVE=NA"});
    QTest::newRow("remote key") << rows({"ky menu"}) << rows({"KY MENU=OK"});
    QTest::newRow("not a command") << rows({"hello there"}) << rows({"HELLO THERE=NA"});
    QTest::newRow("no signal in standby")
        << rows({"op signal ?", "op total.hours ?"}) << rows({"OP SIGNAL=No Signal", "OP TOTAL.HOURS=1234"});
}

void TestProjSim::builtInAnswers()
{
    QFETCH(QStringList, requests);
    QFETCH(QStringList, answers);
    SimulatorProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--hours"), QStringLiteral("1234")}), sim.errorText());
    auto socket = connectTo(QStringLiteral("127.0.0.2"));
    QVERIFY(socket);
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(ask(*socket, requests.at(i)), answers.at(i));
    // The serial number is stable per model and address.
    QVERIFY(QRegularExpression(QStringLiteral("^OP SER\\.NO=KXQ\\d{7}$"))
                .match(ask(*socket, QStringLiteral("op ser.no ?")))
                .hasMatch());
}

void TestProjSim::powerStateMachine()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--warmup-ms"), QStringLiteral("1000"), QStringLiteral("--cooldown-ms"),
                        QStringLiteral("1000"), QStringLiteral("--hour-ms"), QStringLiteral("20"),
                        QStringLiteral("--hours"), QStringLiteral("100")}),
             sim.errorText());
    auto socket = connectTo(QStringLiteral("127.0.0.2"));
    QVERIFY(socket);
    QCOMPARE(ask(*socket, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=0"));
    QCOMPARE(ask(*socket, QStringLiteral("op power.on")), QStringLiteral("OP POWER.ON=OK"));
    QCOMPARE(ask(*socket, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=1"));
    QCOMPARE(ask(*socket, QStringLiteral("op power ?")), QStringLiteral("OP POWER=1"));
    QTRY_COMPARE_WITH_TIMEOUT(ask(*socket, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=2"), 4000);
    QCOMPARE(ask(*socket, QStringLiteral("op signal ?")), QStringLiteral("OP SIGNAL=1920x1080@60Hz"));
    // Lamp hours grow while lit (one hour per 20 ms here).
    const int hours = ask(*socket, QStringLiteral("op total.hours ?")).section(QLatin1Char('='), 1).toInt();
    QVERIFY2(hours > 100, qPrintable(QString::number(hours)));
    QCOMPARE(ask(*socket, QStringLiteral("op power.off")), QStringLiteral("OP POWER.OFF=OK"));
    QCOMPARE(ask(*socket, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=3"));
    // No restrike while cooling down.
    QCOMPARE(ask(*socket, QStringLiteral("op power.on")), QStringLiteral("OP POWER.ON=NA"));
    QTRY_COMPARE_WITH_TIMEOUT(ask(*socket, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=0"), 4000);
    // Hours stand still in standby.
    const QString standing = ask(*socket, QStringLiteral("op total.hours ?"));
    QTest::qWait(100);
    QCOMPARE(ask(*socket, QStringLiteral("op total.hours ?")), standing);
    // The setting form of power does the same.
    QCOMPARE(ask(*socket, QStringLiteral("op power = 1")), QStringLiteral("OP POWER=1"));
    QCOMPARE(ask(*socket, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=1"));
}

void TestProjSim::faultNeedsPowerOff()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--range"), QStringLiteral("127.0.0.2-127.0.0.3"), QStringLiteral("--fault"),
                        QStringLiteral("127.0.0.3=0x2103"), QStringLiteral("--power"), QStringLiteral("2"),
                        QStringLiteral("--cooldown-ms"), QStringLiteral("200")}),
             sim.errorText());
    auto healthy = connectTo(QStringLiteral("127.0.0.2"));
    auto faulty = connectTo(QStringLiteral("127.0.0.3"));
    QVERIFY(healthy && faulty);
    QCOMPARE(ask(*healthy, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=2"));
    QCOMPARE(ask(*faulty, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=4"));
    QCOMPARE(ask(*faulty, QStringLiteral("op errcode ?")), QStringLiteral("OP ERRCODE=2103"));
    QCOMPARE(ask(*faulty, QStringLiteral("op power.on")), QStringLiteral("OP POWER.ON=NA"));
    QCOMPARE(ask(*faulty, QStringLiteral("op power.off")), QStringLiteral("OP POWER.OFF=OK"));
    QTRY_COMPARE_WITH_TIMEOUT(ask(*faulty, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=0"), 2000);
    QCOMPARE(ask(*faulty, QStringLiteral("op errcode ?")), QStringLiteral("OP ERRCODE=0000"));
}

void TestProjSim::eachAddressIsItsOwnProjector()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--range"), QStringLiteral("127.0.0.2-127.0.0.4")}), sim.errorText());
    QStringList serials;
    for (int i = 2; i <= 4; ++i) {
        auto socket = connectTo(QStringLiteral("127.0.0.%1").arg(i));
        QVERIFY(socket);
        serials << ask(*socket, QStringLiteral("op ser.no ?"));
    }
    QCOMPARE(serials.size(), 3);
    QVERIFY2(serials.at(0) != serials.at(1) && serials.at(1) != serials.at(2) && serials.at(0) != serials.at(2),
             qPrintable(serials.join(QLatin1Char(' '))));

    auto first = connectTo(QStringLiteral("127.0.0.2"));
    auto second = connectTo(QStringLiteral("127.0.0.3"));
    QVERIFY(first && second);
    QCOMPARE(ask(*first, QStringLiteral("op bright = 10")), QStringLiteral("OP BRIGHT=10"));
    QCOMPARE(ask(*first, QStringLiteral("op power.on")), QStringLiteral("OP POWER.ON=OK"));
    QCOMPARE(ask(*second, QStringLiteral("op bright ?")), QStringLiteral("OP BRIGHT=50"));
    QCOMPARE(ask(*second, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=0"));
    // State belongs to the projector, not to the connection.
    auto again = connectTo(QStringLiteral("127.0.0.2"));
    QVERIFY(again);
    QCOMPARE(ask(*again, QStringLiteral("op bright ?")), QStringLiteral("OP BRIGHT=10"));
    QCOMPARE(ask(*again, QStringLiteral("op ser.no ?")), serials.first());
}

bool TestProjSim::startCatalogueSimulator(SimulatorProcess &sim)
{
    const QString path = TestEnvironment::root() + QStringLiteral("/tmp/TX100.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("Category,Function Name,OP Command,Value,Query,Min,Max,Names\r\n"
               "Information,Model Name,model,,?\r\n"
               "Information,Serial Number,ser.no,,?\r\n"
               "Information,Projector Status,status,,?\r\n"
               "Information,Light Source Life,light.life,30000,?\r\n"
               "Picture,Brightness,bright,40,?,0,80\r\n"
               "Picture,Gamma,gamma,2,?,,3,1.8,2.0,2.2,2.4\r\n"
               "Picture,Picture Mode,pic.mode,1 [Cinema],?,,2,Standard,Cinema,Vivid\r\n"
               ",,orphan,1,?\r\n"
               "Power,Power On,power.on,,\r\n"
               "Lens,Lens Save,lens.save,,\r\n"
               "IR controller,Menu,ky menu,,\r\n");
    file.close();
    return sim.start({QStringLiteral("--catalogue"), path, QStringLiteral("--model"), QStringLiteral("TX100")});
}

void TestProjSim::catalogueDrivenAnswers_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("answer");
    QTest::newRow("model from the command line") << "op model ?"
                                                 << "OP MODEL=TX100";
    QTest::newRow("initial value") << "op bright ?"
                                   << "OP BRIGHT=40";
    QTest::newRow("catalogue range") << "op bright = 90"
                                     << "OP BRIGHT=80";
    QTest::newRow("catalogue names") << "op gamma = 2.4"
                                     << "OP GAMMA=3";
    QTest::newRow("value index beyond n") << "op gamma = 4"
                                          << "OP GAMMA=NA";
    QTest::newRow("initial value with name") << "op pic.mode ?"
                                             << "OP PIC.MODE=1";
    QTest::newRow("not in this catalogue") << "op contrast ?"
                                           << "OP CONTRAST=NA";
    QTest::newRow("line without category skipped") << "op orphan ?"
                                                   << "OP ORPHAN=NA";
    QTest::newRow("action") << "op lens.save"
                            << "OP LENS.SAVE=OK";
    QTest::newRow("action with a value") << "op lens.save = 3"
                                         << "OP LENS.SAVE=3";
    QTest::newRow("not queryable") << "op lens.save ?"
                                   << "OP LENS.SAVE=NA";
    QTest::newRow("remote key") << "ky menu"
                                << "KY MENU=OK";
    QTest::newRow("error code known without a row") << "op errcode ?"
                                                    << "OP ERRCODE=0000";
}

void TestProjSim::catalogueDrivenAnswers()
{
    QFETCH(QString, request);
    QFETCH(QString, answer);
    SimulatorProcess sim;
    QVERIFY2(startCatalogueSimulator(sim), sim.errorText());
    auto socket = connectTo(QStringLiteral("127.0.0.2"));
    QVERIFY(socket);
    QCOMPARE(ask(*socket, request), answer);
}

void TestProjSim::addressModes()
{
    SimulatorProcess sim;
    QVERIFY2(
        sim.start({QStringLiteral("--range"), QStringLiteral("127.0.0.2-127.0.0.7"), QStringLiteral("--mode"),
                   QStringLiteral("127.0.0.2=delay:300"), QStringLiteral("--mode"), QStringLiteral("127.0.0.3=silent"),
                   QStringLiteral("--mode"), QStringLiteral("127.0.0.4=close"), QStringLiteral("--mode"),
                   QStringLiteral("127.0.0.5=refuse"), QStringLiteral("--mode"), QStringLiteral("127.0.0.6=backlog"),
                   QStringLiteral("--mode"), QStringLiteral("127.0.0.7=split:200")}),
        sim.errorText());

    auto delayed = connectTo(QStringLiteral("127.0.0.2"));
    QVERIFY(delayed);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ask(*delayed, QStringLiteral("op status ?")), QStringLiteral("OP STATUS=0"));
    QVERIFY(clock.elapsed() >= 290);

    auto silent = connectTo(QStringLiteral("127.0.0.3"));
    QVERIFY(silent);
    silent->write("op model ?\r\n");
    QVERIFY(!silent->waitForReadyRead(500));
    QCOMPARE(silent->state(), QAbstractSocket::ConnectedState);

    auto closing = connectTo(QStringLiteral("127.0.0.4"));
    QVERIFY(closing);
    closing->write("op model ?\r\n");
    QVERIFY(closing->waitForDisconnected(2000));
    QCOMPARE(closing->readAll(), QByteArray());

    QTcpSocket refused;
    refused.connectToHost(QStringLiteral("127.0.0.5"), kPort);
    QVERIFY(!refused.waitForConnected(2000));
    QCOMPARE(refused.error(), QAbstractSocket::ConnectionRefusedError);

    QTcpSocket hanging;
    hanging.connectToHost(QStringLiteral("127.0.0.6"), kPort);
    QVERIFY(!hanging.waitForConnected(1000));
    QCOMPARE(hanging.error(), QAbstractSocket::SocketTimeoutError);

    // Two segments, 200 ms apart.
    auto split = connectTo(QStringLiteral("127.0.0.7"));
    QVERIFY(split);
    split->write("op model ?\r\n");
    QVERIFY(split->waitForReadyRead(2000));
    const QByteArray first = split->readAll();
    QVERIFY(!first.endsWith("\r\n"));
    QVERIFY(!split->waitForReadyRead(100));
    QVERIFY(split->waitForReadyRead(1000));
    QCOMPARE(first + split->readAll(), QByteArray("OP MODEL=KX4410Q\r\n"));
}

void TestProjSim::manyClientsAtOnce()
{
    SimulatorProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--range"), QStringLiteral("127.0.0.2-127.0.0.41")}), sim.errorText());
    const int clients = 300;
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    int answered = 0;
    for (int i = 0; i < clients; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        const QString address = QStringLiteral("127.0.0.%1").arg(2 + i % 40);
        connect(socket.get(), &QTcpSocket::connected, this, [s = socket.get()] { s->write("op model ?\r\n"); });
        connect(socket.get(), &QTcpSocket::readyRead, this, [s = socket.get(), &answered] {
            if (s->bytesAvailable() >= 18 && s->readAll() == "OP MODEL=KX4410Q\r\n")
                ++answered;
        });
        socket->connectToHost(address, kPort);
        sockets.push_back(std::move(socket));
    }
    QTRY_COMPARE_WITH_TIMEOUT(answered, clients, 10000);
}

void TestProjSim::endsWhenStandardInputCloses()
{
    QProcess process;
    process.start(SimulatorProcess::programPath(), {QStringLiteral("--address"), QStringLiteral("127.0.0.9")});
    QVERIFY(process.waitForReadyRead(5000));
    QCOMPARE(process.readLine().trimmed(), QByteArray("READY"));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(3000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void TestProjSim::serialProjector()
{
    const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
    if (socat.isEmpty())
        QSKIP("socat is not installed");
    const QString projectorEnd = TestEnvironment::root() + QStringLiteral("/tmp/pty-projector");
    const QString hostEnd = TestEnvironment::root() + QStringLiteral("/tmp/pty-host");
    QProcess pair;
    pair.start(socat,
               {QStringLiteral("-d"), QStringLiteral("-d"), QStringLiteral("pty,raw,echo=0,link=") + projectorEnd,
                QStringLiteral("pty,raw,echo=0,link=") + hostEnd});
    QVERIFY(pair.waitForStarted(3000));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(projectorEnd) && QFile::exists(hostEnd), 3000);

    struct Case
    {
        QStringList options;
        QByteArray expected;
    };
    const Case cases[] = {
        {{}, "op model ?\r\nOP MODEL=KX4410Q\r\n"},
        {{QStringLiteral("--no-echo")}, "OP MODEL=KX4410Q\r\n"},
        {{QStringLiteral("--burst"), QStringLiteral("--slow"), QStringLiteral("300")},
         "op model ?\r\nOP MODEL=KX4410Q\r\n"},
        {{QStringLiteral("--partial")}, "op model ?\r\nOP MODEL=KX4410Q\r\n"},
    };
    for (const Case &c : cases) {
        SimulatorProcess sim;
        QVERIFY2(sim.start(QStringList{QStringLiteral("--serial"), projectorEnd} + c.options), sim.errorText());
        QSerialPort host(hostEnd);
        QVERIFY2(host.open(QIODevice::ReadWrite), qPrintable(host.errorString()));
        host.setBaudRate(115200);
        QElapsedTimer clock;
        clock.start();
        // A bare CR ends a line as well as CR LF does.
        host.write("op model ?\r");
        QByteArray received;
        qint64 firstAt = -1;
        while (received.size() < c.expected.size() && clock.elapsed() < 3000) {
            if (host.waitForReadyRead(100)) {
                if (firstAt < 0)
                    firstAt = clock.elapsed();
                received += host.readAll();
            }
        }
        QCOMPARE(received, c.expected);
        if (c.options.contains(QStringLiteral("--slow")))
            QVERIFY2(firstAt >= 290, qPrintable(QString::number(firstAt))); // even the echo waits in a burst
        host.close();
        sim.stop();
    }
    pair.terminate();
    pair.waitForFinished(3000);
}

ORV_TEST_GUILESS_MAIN(TestProjSim)
#include "tst_projsim.moc"
