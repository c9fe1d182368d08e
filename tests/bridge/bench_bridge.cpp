// How much the bridge adds to a command's round trip: the simulated serial
// projector asked directly over the pseudo-terminal, then through Brivox
// (a separate process) over TCP. Run inside the network sandbox:
//   scripts/sandbox.sh run build/bin/bench_bridge
#include "tests/bridge/ptypair.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QSerialPort>
#include <QStandardPaths>
#include <QTcpSocket>

#include <algorithm>
#include <memory>

namespace {

constexpr int Rounds = 300;
const QByteArray Command("op model ?\r\n");
const QByteArray Answer("OP MODEL=KX4410Q\r\n");

struct Figures
{
    double median = 0;
    double mean = 0;
    double p95 = 0;
};

Figures summarize(QVector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    Figures f;
    f.median = ms.at(ms.size() / 2);
    f.p95 = ms.at(ms.size() * 95 / 100);
    double sum = 0;
    for (double v : ms)
        sum += v;
    f.mean = sum / ms.size();
    return f;
}

// Reads from device until buffer holds needle; false on time-out.
bool readUntil(QIODevice *device, QByteArray &buffer, const QByteArray &needle, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!buffer.contains(needle)) {
        if (timer.elapsed() > timeoutMs || !device->waitForReadyRead(timeoutMs))
            return false;
        buffer += device->readAll();
    }
    return true;
}

void report(const char *what, const Figures &f)
{
    qInfo("%-34s median %.3f ms  mean %.3f ms  p95 %.3f ms", what, f.median, f.mean, f.p95);
}

} // namespace

class BenchBridge : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void roundTrip();

private:
    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<SimulatorProcess> sim;
    std::unique_ptr<QProcess> bridge;
};

void BenchBridge::initTestCase()
{
    pty = std::make_unique<PtyPair>(TestEnvironment::root() + QStringLiteral("/pty"));
    QVERIFY2(pty->start(), pty->errorText().constData());
    sim = std::make_unique<SimulatorProcess>();
    QVERIFY2(sim->start({QStringLiteral("--serial"), pty->projectorEnd()}), sim->errorText());
}

void BenchBridge::cleanupTestCase()
{
    if (bridge) {
        bridge->terminate();
        bridge->waitForFinished(5000);
    }
    sim.reset();
    pty.reset();
}

void BenchBridge::roundTrip()
{
    // Directly on the serial line: the projector's echo, then its answer.
    QVector<double> direct;
    {
        QSerialPort port;
        port.setPortName(pty->bridgeEnd());
        port.setBaudRate(115200);
        QVERIFY(port.open(QIODevice::ReadWrite));
        QElapsedTimer timer;
        for (int i = 0; i < Rounds; ++i) {
            QByteArray got;
            timer.start();
            port.write(Command);
            QVERIFY(readUntil(&port, got, Answer, 3000));
            direct << timer.nsecsElapsed() / 1e6;
        }
    }

    // Through the bridge, which now holds the serial line.
    const QString ini =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brivox/Brivox.ini");
    QDir().mkpath(QFileInfo(ini).absolutePath());
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Default]\nPort=" + pty->bridgeEnd().toLocal8Bit() + "\nBaudRate=115200\n");
    file.close();
    bridge = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("BRIVOX_SERIAL_PORTS"), pty->bridgeEnd());
    bridge->setProcessEnvironment(env);
    bridge->setStandardOutputFile(QProcess::nullDevice());
    bridge->setStandardErrorFile(QProcess::nullDevice());
    bridge->start(TestEnvironment::binDir() + QStringLiteral("/Brivox"), QStringList());
    QVERIFY(bridge->waitForStarted(5000));

    QTcpSocket client;
    QElapsedTimer wait;
    wait.start();
    do {
        client.abort();
        client.connectToHost(QHostAddress::LocalHost, 7000);
    } while (!client.waitForConnected(200) && wait.elapsed() < 10000);
    QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
    QTest::qWait(200);

    QVector<double> viaBridge;
    QElapsedTimer timer;
    for (int i = 0; i < Rounds; ++i) {
        QByteArray got;
        timer.start();
        client.write(Command);
        QVERIFY(readUntil(&client, got, Answer, 3000));
        viaBridge << timer.nsecsElapsed() / 1e6;
        QCOMPARE(got, Answer);
    }
    client.disconnectFromHost();

    // As the manager does it: one connection per command.
    QVector<double> perConnection;
    for (int i = 0; i < Rounds / 3; ++i) {
        QTcpSocket session;
        QByteArray got;
        timer.start();
        session.connectToHost(QHostAddress::LocalHost, 7000);
        QVERIFY(session.waitForConnected(3000));
        session.write(Command);
        QVERIFY(readUntil(&session, got, Answer, 3000));
        perConnection << timer.nsecsElapsed() / 1e6;
        session.disconnectFromHost();
        // The bridge has to see the hang-up before the next one arrives.
        if (session.state() != QAbstractSocket::UnconnectedState)
            session.waitForDisconnected(1000);
        QTest::qWait(2);
    }

    const Figures d = summarize(direct);
    const Figures b = summarize(viaBridge);
    const Figures c = summarize(perConnection);
    report("direct serial round trip", d);
    report("through the bridge (open socket)", b);
    report("through the bridge (per session)", c);
    qInfo("added by the bridge: median %.3f ms, mean %.3f ms (target <= 2 ms)", b.median - d.median, b.mean - d.mean);
}

ORV_TEST_GUILESS_MAIN(BenchBridge)
#include "bench_bridge.moc"
