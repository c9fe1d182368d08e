// How much the bridge adds to a command's round trip: the simulated serial
// projector asked directly over the pseudo-terminal, then through Brivox
// (a separate process) over TCP. Run inside the network sandbox:
//   scripts/sandbox.sh run build/bench/bench_bridge
#include "bridge/brivoxini.h"
#include "tests/bridge/ptypair.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QSerialPort>
#include <QStandardPaths>
#include <QTcpSocket>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

namespace {

constexpr int Rounds = 300;
const QByteArray Command("op model ?\r\n");
const QByteArray Answer("OP MODEL=KX4410Q\r\n");

struct Figures
{
    double median = 0;
    double mean = 0;
};

// Milliseconds that run() took, or -1 when it failed.
double timed(const std::function<bool()> &run)
{
    QElapsedTimer timer;
    timer.start();
    return run() ? timer.nsecsElapsed() / 1e6 : -1;
}

// Runs round() (which gives the time of one round trip) rounds times; logs median, mean and p95.
Figures measure(const char *what, int rounds, const std::function<double()> &round)
{
    QVector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        ms << round();
        if (ms.last() < 0) {
            qCritical("%s: no answer", what);
            return {};
        }
    }
    std::sort(ms.begin(), ms.end());
    const Figures f{ms.at(ms.size() / 2), std::accumulate(ms.begin(), ms.end(), 0.0) / ms.size()};
    qInfo("%-34s median %.3f ms  mean %.3f ms  p95 %.3f ms", what, f.median, f.mean, ms.at(ms.size() * 95 / 100));
    return f;
}

// Sends the command on device and reads until the answer is there; false on time-out.
bool roundTrip(QIODevice *device)
{
    QByteArray got;
    device->write(Command);
    while (!got.contains(Answer)) {
        if (!device->waitForReadyRead(3000))
            return false;
        got += device->readAll();
    }
    return true;
}

} // namespace

class BenchBridge : public QObject
{
    Q_OBJECT
    PtyPair pty{TestEnvironment::root() + QStringLiteral("/pty")};
    SimulatorProcess sim;
    QProcess bridge;

private slots:
    void initTestCase()
    {
        QVERIFY2(pty.start(), pty.errorText().constData());
        QVERIFY2(sim.start({QStringLiteral("--serial"), pty.projectorEnd()}), sim.errorText());
    }

    void cleanupTestCase()
    {
        bridge.terminate();
        bridge.waitForFinished(5000);
    }

    void roundTrips()
    {
        // Directly on the serial line: the projector's echo, then its answer.
        QSerialPort port(pty.bridgeEnd());
        port.setBaudRate(115200);
        QVERIFY(port.open(QIODevice::ReadWrite));
        const Figures direct =
            measure("direct serial round trip", Rounds, [&] { return timed([&] { return roundTrip(&port); }); });
        port.close();

        // Through the bridge, which now holds the serial line.
        BrivoxIni::Values values;
        values.port = pty.bridgeEnd();
        values.baudRate = QStringLiteral("115200");
        // Where the program (named Brivox) looks for it.
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QVERIFY(BrivoxIni(dataFolder + QStringLiteral("/Brivox/Brivox.ini")).write(values));
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("BRIVOX_SERIAL_PORTS", pty.bridgeEnd().toLocal8Bit());
        bridge.setStandardOutputFile(QProcess::nullDevice());
        bridge.setStandardErrorFile(QProcess::nullDevice());
        bridge.start(TestEnvironment::binDir() + QStringLiteral("/Brivox"), QStringList());
        QTcpSocket client;
        QElapsedTimer wait;
        for (wait.start(); client.state() != QAbstractSocket::ConnectedState && wait.elapsed() < 10000;) {
            client.abort();
            client.connectToHost(QHostAddress::LocalHost, 7000);
            client.waitForConnected(200);
        }
        QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
        QTest::qWait(200);
        const Figures via = measure("through the bridge (open socket)", Rounds,
                                    [&] { return timed([&] { return roundTrip(&client); }); });
        client.disconnectFromHost();

        // As the manager does it: one connection per command.
        measure("through the bridge (per session)", Rounds / 3, [&] {
            QTcpSocket session;
            const double ms = timed([&] {
                session.connectToHost(QHostAddress::LocalHost, 7000);
                return session.waitForConnected(3000) && roundTrip(&session);
            });
            session.disconnectFromHost();
            // The bridge has to see the hang-up before the next one arrives.
            if (session.state() != QAbstractSocket::UnconnectedState)
                session.waitForDisconnected(1000);
            QTest::qWait(2);
            return ms;
        });
        qInfo("added by the bridge: median %.3f ms, mean %.3f ms (target <= 2 ms)", via.median - direct.median,
              via.mean - direct.mean);
    }
};

ORV_TEST_GUILESS_MAIN(BenchBridge)
#include "bench_bridge.moc"
