// The slow paths of a command session: projectors that never answer,
// connects that are refused or hang. Kept apart from the quick session
// tests because every case waits for a real time-out.
#include "net/mytcpsocket.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"
#include "tests/session/sessionrecorder.h"

#include <QtTest>

namespace {

const quint16 kPort = 7000;
const QString kSilent = QStringLiteral("127.0.0.2");
const QString kHanging = QStringLiteral("127.0.0.3");
const QString kRefusing = QStringLiteral("127.0.0.4");
// Timers never fire early; how late they may be on a loaded two-core
// machine running the sanitizer build is the tolerance.
const qint64 kLate = 900;

QByteArray describe(const SessionRecorder &rec)
{
    QByteArray text;
    for (const SessionRecorder::Event &e : rec.events)
        text += QByteArray::number(e.atMs) + " " + e.text.toUtf8() + "\n";
    return text;
}

} // namespace

class TestMyTcpSocketTimeouts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void silentProjectorAndHangingConnect();
    void refusedConnect();
    void sessionTimeUpBeforeConnectLimit();

private:
    SimulatorProcess m_sim;
};

void TestMyTcpSocketTimeouts::initTestCase()
{
    QVERIFY2(m_sim.start({QStringLiteral("--address"), kSilent, QStringLiteral("--mode"),
                          kSilent + QStringLiteral("=silent"), QStringLiteral("--mode"),
                          kHanging + QStringLiteral("=backlog"), QStringLiteral("--mode"),
                          kRefusing + QStringLiteral("=refuse")}),
             m_sim.errorText());
}

// Both run side by side so that the one long wait covers both: four
// commands give 3000 + 4 x 1000 = 7000 ms; the hanging connect is given up
// at the 6000 ms connect limit first.
void TestMyTcpSocketTimeouts::silentProjectorAndHangingConnect()
{
    const QStringList commands{QStringLiteral("op model ?"), QStringLiteral("op ser.no ?"),
                               QStringLiteral("op status ?"), QStringLiteral("op errcode ?")};
    const QTime stamp(23, 59, 58, 999);
    SessionRecorder silent;
    SessionRecorder hanging;
    silent.start(kSilent, kPort, commands, stamp);
    hanging.start(kHanging, kPort, commands, stamp);
    QTRY_VERIFY_WITH_TIMEOUT(silent.finished() && hanging.finished(), 7000 + int(kLate) + 500);

    // Silent projector: only the first request goes out (pacing), then the
    // time-out ends the conversation with exactly one end line.
    QCOMPARE(silent.texts().first(), QStringLiteral("log:>op model ?"));
    const qint64 silentAt = silent.timeOf(QStringLiteral("timeout:1"));
    QVERIFY2(silentAt >= 7000 && silentAt <= 7000 + kLate, describe(silent).constData());
    QCOMPARE(silent.withPrefix(QStringLiteral("timeout:")), QStringList{QStringLiteral("1")});
    QCOMPARE(silent.logLines(), QStringList({QStringLiteral(">op model ?"),
                                             QStringLiteral("TCP:%1 Cmds:4 TotalTime:0ms---").arg(silent.tag),
                                             QStringLiteral("--- <END>TimeOut ---@23:59:58.999")}));
    QCOMPARE(silent.withPrefix(QStringLiteral("status:")).last(), QStringLiteral("Socket Timeout!"));
    QCOMPARE(silent.withPrefix(QStringLiteral("result:")), QStringList{QStringLiteral("Socket Timeout!")});
    QCOMPARE(silent.count(QStringLiteral("disconnected")), 1);
    QVERIFY(silent.withPrefix(QStringLiteral("cmd:")).isEmpty());

    // Hanging connect: given up at the connect limit, then the time-out.
    const qint64 errorAt = hanging.timeOf(QStringLiteral("status:Error:Socket operation timed out"));
    QVERIFY2(errorAt >= 6000 && errorAt <= 6000 + kLate, describe(hanging).constData());
    QCOMPARE(hanging.texts(),
             QStringList({QStringLiteral("timeout:1"), QStringLiteral("status:Error:Socket operation timed out"),
                          QStringLiteral("timeout:1"), QStringLiteral("status:Socket Timeout!"),
                          QStringLiteral("result:Socket Timeout!"),
                          QStringLiteral("log:--- <END>TimeOut ---@23:59:58.999")}));
    const qint64 timeoutAt = hanging.events.at(2).atMs;
    QVERIFY2(timeoutAt >= 7000 && timeoutAt <= 7000 + kLate, describe(hanging).constData());
    // Never connected, never disconnected; still released.
    QVERIFY(!hanging.states.contains(QAbstractSocket::ConnectedState));
}

void TestMyTcpSocketTimeouts::refusedConnect()
{
    SessionRecorder rec;
    rec.start(kRefusing, kPort, {QStringLiteral("op model ?")});
    // The refusal is reported at once, without waiting for any limit.
    QTRY_COMPARE_WITH_TIMEOUT(rec.events.size(), 2, 1000);
    QCOMPARE(rec.texts(),
             QStringList({QStringLiteral("timeout:1"), QStringLiteral("status:Error:Connection refused")}));
    QVERIFY(rec.session);
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 4000 + int(kLate) + 500);
    QCOMPARE(rec.texts().mid(2),
             QStringList({QStringLiteral("timeout:1"), QStringLiteral("status:Socket Timeout!"),
                          QStringLiteral("result:Socket Timeout!"), QStringLiteral("log:--- <END>TimeOut ---@")}));
    QVERIFY2(rec.events.at(2).atMs >= 4000 && rec.events.at(2).atMs <= 4000 + kLate, describe(rec).constData());
}

// One command gives a 4000 ms session, shorter than the connect limit: the
// connect is given up when the session ends, reported before the time-out
// as a failed connect always is.
void TestMyTcpSocketTimeouts::sessionTimeUpBeforeConnectLimit()
{
    SessionRecorder rec;
    rec.start(kHanging, kPort, {QStringLiteral("op model ?")}, QTime(0, 0));
    QTRY_VERIFY_WITH_TIMEOUT(rec.finished(), 4000 + int(kLate) + 500);
    QCOMPARE(rec.texts(),
             QStringList({QStringLiteral("timeout:1"), QStringLiteral("status:Error:Socket operation timed out"),
                          QStringLiteral("timeout:1"), QStringLiteral("status:Socket Timeout!"),
                          QStringLiteral("result:Socket Timeout!"),
                          QStringLiteral("log:--- <END>TimeOut ---@00:00:00.000")}));
    QVERIFY2(rec.events.first().atMs >= 4000 && rec.events.last().atMs <= 4000 + kLate, describe(rec).constData());
}

ORV_TEST_GUILESS_MAIN(TestMyTcpSocketTimeouts)
#include "tst_mytcpsockettimeouts.moc"
