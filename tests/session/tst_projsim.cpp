// The projector simulator that the session, status and bridge tests rely on.
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

// Sends one request and reads up to CR LF; returns the answer without it.
QString ask(QIODevice &device, const QString &request)
{
    device.write(request.toLatin1() + "\r\n");
    QByteArray answer;
    while (!answer.endsWith("\r\n") && device.waitForReadyRead(3000))
        answer += device.readAll();
    return QString::fromLatin1(answer.endsWith("\r\n") ? answer.chopped(2) : answer);
}

std::unique_ptr<QTcpSocket> connectTo(const QString &address)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(address, 7000);
    return socket->waitForConnected(2000) ? std::move(socket) : nullptr;
}

// Sends each "request -> answer" request in turn; every answer must match.
void expectAnswers(QTcpSocket &socket, const QStringList &pairs)
{
    for (const QString &pair : pairs)
        QCOMPARE(ask(socket, pair.section(" -> ", 0, 0)), pair.section(" -> ", 1));
}

} // namespace

class TestProjSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The split, silent, refuse and backlog modes are checked through the session tests.
        const QString options =
            "--range 127.0.0.2-127.0.0.6 --warmup-ms 500 --cooldown-ms 500 --hour-ms 20 --hours 100 "
            "--power 127.0.0.4=2 --fault 127.0.0.4=0x2103 --mode 127.0.0.5=delay:300 "
            "--mode 127.0.0.6=close";
        QVERIFY2(m_sim.start(options.split(' ')), m_sim.errorText());
    }

    void settingsStore()
    {
        auto first = connectTo("127.0.0.2");
        auto second = connectTo("127.0.0.3");
        QVERIFY(first && second);
        expectAnswers(*first, {"OP MODEL ? -> OP MODEL=KX4410Q", "op bright = 70 -> OP BRIGHT=70",
                               "op bright ? -> OP BRIGHT=70", "op bright = 150 -> OP BRIGHT=100",
                               "op bright = high -> OP BRIGHT=NA", "op gamma = 2.4 -> OP GAMMA=3",
                               "op model = X -> OP MODEL=NA", "op hsg.reset -> OP HSG.RESET=OK",
                               "op warp.drive ? -> OP WARP.DRIVE=NA", "hello there -> HELLO THERE=NA",
                               "op signal ? -> OP SIGNAL=No Signal"});
        // State belongs to the projector, not to the connection; the serial
        // number is stable per address.
        expectAnswers(*second, {"op bright ? -> OP BRIGHT=50"});
        const QString serial = ask(*first, "op ser.no ?");
        QVERIFY2(serial.startsWith("OP SER.NO=KXQ"), qPrintable(serial));
        QVERIFY(ask(*second, "op ser.no ?") != serial);
        auto again = connectTo("127.0.0.2");
        QVERIFY(again);
        QCOMPARE(ask(*again, "op ser.no ?"), serial);
        expectAnswers(*again, {"op bright ? -> OP BRIGHT=100"});
    }

    void powerStateMachine()
    {
        auto socket = connectTo("127.0.0.3");
        QVERIFY(socket);
        expectAnswers(*socket, {"op status ? -> OP STATUS=0", "op power.on -> OP POWER.ON=OK",
                                "op status ? -> OP STATUS=1", "op power ? -> OP POWER=1"});
        QTRY_COMPARE_WITH_TIMEOUT(ask(*socket, "op status ?"), QString("OP STATUS=2"), 3000);
        expectAnswers(*socket, {"op signal ? -> OP SIGNAL=1920x1080@60Hz"});
        // Lamp hours grow while lit (one hour per 20 ms here).
        QVERIFY(ask(*socket, "op total.hours ?").section('=', 1).toInt() > 100);
        // No restrike while cooling down.
        expectAnswers(*socket, {"op power.off -> OP POWER.OFF=OK", "op status ? -> OP STATUS=3",
                                "op power.on -> OP POWER.ON=NA"});
        QTRY_COMPARE_WITH_TIMEOUT(ask(*socket, "op status ?"), QString("OP STATUS=0"), 3000);
        expectAnswers(*socket, {"op power = 1 -> OP POWER=1", "op status ? -> OP STATUS=1"});

        // A fault holds the projector until it is switched off.
        auto faulty = connectTo("127.0.0.4");
        QVERIFY(faulty);
        expectAnswers(*faulty, {"op status ? -> OP STATUS=4", "op errcode ? -> OP ERRCODE=2103",
                                "op power.on -> OP POWER.ON=NA", "op power.off -> OP POWER.OFF=OK"});
        QTRY_COMPARE_WITH_TIMEOUT(ask(*faulty, "op status ?"), QString("OP STATUS=0"), 3000);
        expectAnswers(*faulty, {"op errcode ? -> OP ERRCODE=0000"});
    }

    void catalogueDrivenAnswers()
    {
        const QString path = TestEnvironment::root() + "/tmp/TX100.csv";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "Category,Function Name,OP Command,Value,Query,Min,Max,Names\r\n"
            "Information,Model Name,model,,?\r\nPicture,Brightness,bright,40,?,0,80\r\n"
            "Picture,Gamma,gamma,2,?,,3,1.8,2.0,2.2,2.4\r\nPicture,Picture Mode,pic.mode,1 [Cinema],?,,2,S,C,V\r\n"
            ",,orphan,1,?\r\nLens,Lens Save,lens.save,,\r\nIR controller,Menu,ky menu,,\r\n");
        file.close();
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--address", "127.0.0.11", "--catalogue", path, "--model", "TX100"}), sim.errorText());
        auto socket = connectTo("127.0.0.11");
        QVERIFY(socket);
        expectAnswers(*socket, {"op model ? -> OP MODEL=TX100", "op bright = 90 -> OP BRIGHT=80",
                                "op gamma = 2.4 -> OP GAMMA=3", "op pic.mode ? -> OP PIC.MODE=1",
                                "op contrast ? -> OP CONTRAST=NA", "op orphan ? -> OP ORPHAN=NA",
                                "op lens.save -> OP LENS.SAVE=OK", "op errcode ? -> OP ERRCODE=0000"});
    }

    void addressModes()
    {
        auto delayed = connectTo("127.0.0.5");
        QVERIFY(delayed);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ask(*delayed, "op status ?"), QString("OP STATUS=0"));
        QVERIFY(clock.elapsed() >= 290);

        auto closing = connectTo("127.0.0.6");
        QVERIFY(closing);
        closing->write("op model ?\r\n");
        QVERIFY(closing->waitForDisconnected(2000));
        QCOMPARE(closing->readAll(), QByteArray());
    }

    void serialProjector()
    {
        const QString socat = QStandardPaths::findExecutable("socat");
        if (socat.isEmpty())
            QSKIP("socat is not installed");
        const QString projectorEnd = TestEnvironment::root() + "/tmp/pty-projector";
        const QString hostEnd = TestEnvironment::root() + "/tmp/pty-host";
        QProcess pair;
        pair.start(socat, {"-d", "-d", "pty,raw,echo=0,link=" + projectorEnd, "pty,raw,echo=0,link=" + hostEnd});
        QVERIFY(pair.waitForStarted(3000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(projectorEnd) && QFile::exists(hostEnd), 3000);

        const QByteArray echoed = "op model ?\r\nOP MODEL=KX4410Q\r\n";
        const std::pair<QStringList, QByteArray> cases[] = {{{}, echoed},
                                                            {{"--no-echo"}, "OP MODEL=KX4410Q\r\n"},
                                                            {{"--burst", "--slow", "300"}, echoed},
                                                            {{"--partial"}, echoed}};
        for (const auto &[options, expected] : cases) {
            SimulatorProcess sim;
            QVERIFY2(sim.start(QStringList{"--serial", projectorEnd} + options), sim.errorText());
            QSerialPort host(hostEnd);
            QVERIFY2(host.open(QIODevice::ReadWrite), qPrintable(host.errorString()));
            QElapsedTimer clock;
            clock.start();
            // A bare CR ends a line as well as CR LF does.
            host.write("op model ?\r");
            QByteArray received;
            qint64 firstAt = -1;
            while (received.size() < expected.size() && host.waitForReadyRead(3000)) {
                firstAt = firstAt < 0 ? clock.elapsed() : firstAt;
                received += host.readAll();
            }
            QCOMPARE(received, expected);
            if (options.contains("--slow")) // even the echo waits in a burst
                QVERIFY2(firstAt >= 290, qPrintable(QString::number(firstAt)));
        }
        pair.terminate();
        pair.waitForFinished(3000);
    }

private:
    SimulatorProcess m_sim;
};

ORV_TEST_GUILESS_MAIN(TestProjSim)
#include "tst_projsim.moc"
