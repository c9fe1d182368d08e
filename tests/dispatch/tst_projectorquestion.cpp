#include "net/powerstate.h"
#include "net/projectorquestion.h"
#include "testpeer.h"
#include "tests/common/logcapture.h"

#include "tests/common/testenvironment.h"

#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString Loopback = QStringLiteral("127.0.0.1");

// Short waits keep the test quick; the logic does not depend on their size.
ProjectorQuestion quickQuestion(int readMs = 300)
{
    ProjectorQuestion question;
    question.setWaits(1000, 1000, readMs);
    return question;
}

// A port on which nothing listens: taken from a server that is closed again.
quint16 refusedPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace

Q_DECLARE_METATYPE(TestPeer::Mode)

class TestProjectorQuestion : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void answers_data();
    void answers();
    void requestBytesOnTheWire_data();
    void requestBytesOnTheWire();
    void unreachablePeerGivesEmptyList();
    void defaults();
    void answerIsLogged();

    void powerState_data();
    void powerState();
    void powerStateDisabledSendsNothing();
    void powerStateRefusedPeer();

    void windowKeepsRunningWhileWaiting();
    void nestedQuestions_data();
    void nestedQuestions();
    void nestingDepthIsBounded();
    void ownerDestroyedWhileWaiting();
};

void TestProjectorQuestion::initTestCase()
{
    QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
}

void TestProjectorQuestion::answers_data()
{
    QTest::addColumn<TestPeer::Mode>("mode");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QStringList>("parts");

    using M = TestPeer::Mode;
    QTest::newRow("model answer") << M::Answer << QByteArray("OP MODEL=KX4410Q\r\n") << QByteArray()
                                  << QStringList{"OP MODEL", "KX4410Q\r\n"};
    QTest::newRow("empty parts kept") << M::Answer << QByteArray("OP LENS==3=\r\n") << QByteArray()
                                      << QStringList{"OP LENS", "", "3", "\r\n"};
    QTest::newRow("no equals sign") << M::Answer << QByteArray("ERR\r\n") << QByteArray() << QStringList{"ERR\r\n"};
    QTest::newRow("NUL ends the answer") << M::Answer << QByteArray("OP STATUS=2\0=junk\r\n", 18) << QByteArray()
                                         << QStringList{"OP STATUS", "2"};
    QTest::newRow("answer after a pause")
        << M::DelayedAnswer << QByteArray("OP STATUS=1\r\n") << QByteArray() << QStringList{"OP STATUS", "1\r\n"};
    QTest::newRow("split answer: first piece only")
        << M::Split << QByteArray("OP STAT") << QByteArray("US=2\r\n") << QStringList{"OP STAT"};
    QTest::newRow("silent peer") << M::Silent << QByteArray() << QByteArray() << QStringList{QString()};
    QTest::newRow("hangs up on accept") << M::CloseOnAccept << QByteArray() << QByteArray() << QStringList{QString()};
    QTest::newRow("hangs up on request") << M::CloseOnRequest << QByteArray() << QByteArray() << QStringList{QString()};
}

void TestProjectorQuestion::answers()
{
    QFETCH(TestPeer::Mode, mode);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, second);
    QFETCH(QStringList, parts);

    TestPeer peer;
    peer.setMode(mode);
    if (mode == TestPeer::Mode::Split)
        peer.setSplit(reply, second);
    else
        peer.setReply(reply);
    peer.setDelayMs(150);
    QVERIFY(peer.listen());

    const QStringList answer = quickQuestion().ask(Loopback, peer.port(), QStringLiteral("op status ?\r\n"));
    QCOMPARE(answer, parts);
    QCOMPARE(peer.connections(), 1);
    QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
}

void TestProjectorQuestion::requestBytesOnTheWire_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("query") << QStringLiteral("op model ?\r\n") << QByteArray("op model ?\r\n");
    QTest::newRow("Latin-1 text") << QStringLiteral("op name = Caf\u00e9\r\n") << QByteArray("op name = Caf\xe9\r\n");
    QTest::newRow("outside Latin-1 becomes ?")
        << QStringLiteral("op name = \u20ac5\r\n") << QByteArray("op name = ?5\r\n");
}

void TestProjectorQuestion::requestBytesOnTheWire()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, bytes);

    TestPeer peer;
    peer.setReply(QByteArray("OP NAME=ok\r\n"));
    QVERIFY(peer.listen());
    QCOMPARE(quickQuestion().ask(Loopback, peer.port(), command), QStringList({"OP NAME", "ok\r\n"}));
    QCOMPARE(peer.received(), bytes);
}

void TestProjectorQuestion::unreachablePeerGivesEmptyList()
{
    const quint16 port = refusedPort();
    QVERIFY(port != 0);
    QCOMPARE(quickQuestion().ask(Loopback, port, QStringLiteral("op model ?\r\n")), QStringList());
    QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
}

void TestProjectorQuestion::defaults()
{
    ProjectorQuestion question;
    QCOMPARE(question.connectWaitMs(), 3000);
    QCOMPARE(question.writeWaitMs(), 3000);
    QCOMPARE(question.readWaitMs(), 3000);
    QVERIFY(question.loopFlags().testFlag(QEventLoop::ExcludeUserInputEvents));
    question.setWaits(-5, 10, 20);
    QCOMPARE(question.connectWaitMs(), 0);
    QCOMPARE(question.writeWaitMs(), 10);
    QCOMPARE(question.readWaitMs(), 20);
}

void TestProjectorQuestion::answerIsLogged()
{
    LogCapture log(OrvLogging::DebugLevel);
    const QStringList questionLine{QStringLiteral("getPjAnserBlocked")};

    TestPeer peer;
    peer.setReply(QByteArray("OP MODEL=KX4410Q"));
    QVERIFY(peer.listen());
    quickQuestion().ask(Loopback, peer.port(), QStringLiteral("op model ?\r\n"));
    const QStringList lines = log.linesWith(questionLine);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(Loopback), qPrintable(lines.first()));
    QVERIFY2(lines.first().contains(QStringLiteral("OP MODEL, KX4410Q")), qPrintable(lines.first()));

    // A projector that cannot be reached never got a question to log.
    const quint16 port = refusedPort();
    QVERIFY(port != 0);
    quickQuestion().ask(Loopback, port, QStringLiteral("op model ?\r\n"));
    QCOMPARE(log.linesWith(questionLine).size(), 1);
}

void TestProjectorQuestion::powerState_data()
{
    QTest::addColumn<TestPeer::Mode>("mode");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("code");

    using M = TestPeer::Mode;
    QTest::newRow("standby") << M::Answer << QByteArray("OP STATUS=0\r\n") << int(PowerState::Standby);
    QTest::newRow("warming up") << M::Answer << QByteArray("OP STATUS=1\r\n") << int(PowerState::WarmingUp);
    QTest::newRow("on") << M::Answer << QByteArray("OP STATUS=2\r\n") << int(PowerState::On);
    QTest::newRow("cooling") << M::Answer << QByteArray("OP STATUS= 3 \r\n") << int(PowerState::CoolingDown);
    QTest::newRow("error") << M::Answer << QByteArray("OP STATUS=4") << int(PowerState::Error);
    QTest::newRow("nonsense counts as standby") << M::Answer << QByteArray("OP STATUS=busy\r\n") << 0;
    QTest::newRow("no equals sign") << M::Answer << QByteArray("OP STATUS\r\n") << int(PowerState::NoAnswer);
    QTest::newRow("silent") << M::Silent << QByteArray() << int(PowerState::NoAnswer);
    QTest::newRow("hangs up") << M::CloseOnRequest << QByteArray() << int(PowerState::NoAnswer);
}

void TestProjectorQuestion::powerState()
{
    QFETCH(TestPeer::Mode, mode);
    QFETCH(QByteArray, reply);
    QFETCH(int, code);

    TestPeer peer;
    peer.setMode(mode);
    peer.setReply(reply);
    QVERIFY(peer.listen());
    QCOMPARE(quickQuestion().powerState(Loopback, peer.port(), QStringLiteral("op status ?"), true), code);
    QCOMPARE(peer.received(), QByteArray("op status ?\r\n"));
}

void TestProjectorQuestion::powerStateDisabledSendsNothing()
{
    TestPeer peer;
    peer.setReply(QByteArray("OP STATUS=2\r\n"));
    QVERIFY(peer.listen());

    QCOMPARE(quickQuestion().powerState(Loopback, peer.port(), QStringLiteral("op status ?"), false),
             int(PowerState::SendingDisabled));
    // Give a stray connection every chance to show up before looking.
    QTest::qWait(200);
    QCOMPARE(peer.connections(), 0);
    QCOMPARE(peer.requests(), 0);

    // The same peer does answer when sending is enabled, so the silence
    // above is the rule's doing, not the peer's.
    QCOMPARE(quickQuestion().powerState(Loopback, peer.port(), QStringLiteral("op status ?"), true),
             int(PowerState::On));
    QCOMPARE(peer.connections(), 1);
}

void TestProjectorQuestion::powerStateRefusedPeer()
{
    const quint16 port = refusedPort();
    QVERIFY(port != 0);
    QCOMPARE(quickQuestion().powerState(Loopback, port, QStringLiteral("op status ?"), true),
             int(PowerState::NoAnswer));
}

void TestProjectorQuestion::windowKeepsRunningWhileWaiting()
{
    TestPeer peer;
    peer.setMode(TestPeer::Mode::Silent);
    QVERIFY(peer.listen());

    int ticks = 0;
    QTimer clock;
    clock.setInterval(20);
    connect(&clock, &QTimer::timeout, this, [&ticks]() { ++ticks; });
    clock.start();

    const QStringList answer = quickQuestion(400).ask(Loopback, peer.port(), QStringLiteral("op status ?\r\n"));
    const int ticksDuringQuestion = ticks;
    clock.stop();

    QCOMPARE(answer, QStringList{QString()});
    QVERIFY2(ticksDuringQuestion > 0, "the timer never fired while the question was waiting");
    // The peer was served from inside the question's own loop as well.
    QCOMPARE(peer.requests(), 1);
}

void TestProjectorQuestion::nestedQuestions_data()
{
    QTest::addColumn<int>("outerDelayMs");
    QTest::addColumn<int>("innerDelayMs");
    QTest::addColumn<int>("waitingAtOuterAnswer");

    // The outer answer arrives after the inner question is done, or while
    // the inner question is still waiting for its own.
    QTest::newRow("outer answers later") << 300 << 0 << 1;
    QTest::newRow("outer answers during inner wait") << 50 << 300 << 2;
}

void TestProjectorQuestion::nestedQuestions()
{
    QFETCH(int, outerDelayMs);
    QFETCH(int, innerDelayMs);
    QFETCH(int, waitingAtOuterAnswer);

    TestPeer outerPeer;
    outerPeer.setMode(TestPeer::Mode::DelayedAnswer);
    outerPeer.setDelayMs(outerDelayMs);
    outerPeer.setReply(QByteArray("OP MODEL=OUTER\r\n"));
    QVERIFY(outerPeer.listen());

    TestPeer innerPeer;
    innerPeer.setMode(TestPeer::Mode::DelayedAnswer);
    innerPeer.setDelayMs(innerDelayMs);
    innerPeer.setReply(QByteArray("OP SER.NO=INNER\r\n"));
    QVERIFY(innerPeer.listen());

    int waitingAtInnerRequest = -1;
    innerPeer.setOnRequest([&]() { waitingAtInnerRequest = ProjectorQuestion::waitingQuestions(); });

    const ProjectorQuestion question = quickQuestion(2000);
    QStringList inner;
    bool innerRan = false;
    int waitingBeforeInner = -1;
    int outerAnsweredAt = -1;
    outerPeer.setOnAnswer([&]() { outerAnsweredAt = ProjectorQuestion::waitingQuestions(); });
    // Started from the outer question's peer request: by then the outer
    // question is certainly waiting in its loop.
    outerPeer.setOnRequest([&]() {
        QTimer::singleShot(0, this, [&]() {
            waitingBeforeInner = ProjectorQuestion::waitingQuestions();
            inner = question.ask(Loopback, innerPeer.port(), QStringLiteral("op ser.no ?\r\n"));
            innerRan = true;
        });
    });

    const QStringList outer = question.ask(Loopback, outerPeer.port(), QStringLiteral("op model ?\r\n"));

    QVERIFY(innerRan);
    QCOMPARE(waitingBeforeInner, 1);
    QCOMPARE(waitingAtInnerRequest, 2);
    QCOMPARE(outerAnsweredAt, waitingAtOuterAnswer);
    QCOMPARE(outer, QStringList({"OP MODEL", "OUTER\r\n"}));
    QCOMPARE(inner, QStringList({"OP SER.NO", "INNER\r\n"}));
    QCOMPARE(outerPeer.received(), QByteArray("op model ?\r\n"));
    QCOMPARE(innerPeer.received(), QByteArray("op ser.no ?\r\n"));
    QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
}

void TestProjectorQuestion::nestingDepthIsBounded()
{
    TestPeer peer;
    peer.setMode(TestPeer::Mode::Silent);
    QVERIFY(peer.listen());

    const ProjectorQuestion question = quickQuestion(200);
    int deepest = 0;
    bool atLimit = false;
    QStringList refusedAnswer{QStringLiteral("not asked")};
    int refusedConnections = -1;

    // Each question, once its request is out, starts one more from inside
    // its own wait, until the limit turns one away.
    std::function<void()> askDeeper;
    askDeeper = [&]() {
        const int waiting = ProjectorQuestion::waitingQuestions();
        deepest = qMax(deepest, waiting);
        if (waiting >= ProjectorQuestion::MaxNesting) {
            atLimit = true;
            const int before = peer.connections();
            refusedAnswer = question.ask(Loopback, peer.port(), QStringLiteral("op status ?\r\n"));
            refusedConnections = peer.connections() - before;
            return;
        }
        question.ask(Loopback, peer.port(), QStringLiteral("op status ?\r\n"));
    };
    peer.setOnRequest([&]() {
        if (!atLimit)
            QTimer::singleShot(0, this, askDeeper);
    });

    askDeeper();

    QVERIFY(atLimit);
    QCOMPARE(deepest, int(ProjectorQuestion::MaxNesting));
    QCOMPARE(refusedAnswer, QStringList());
    QCOMPARE(refusedConnections, 0);
    QCOMPARE(peer.connections(), int(ProjectorQuestion::MaxNesting));
    QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
}

void TestProjectorQuestion::ownerDestroyedWhileWaiting()
{
    TestPeer peer;
    peer.setMode(TestPeer::Mode::DelayedAnswer);
    peer.setDelayMs(100);
    peer.setReply(QByteArray("OP STATUS=2\r\n"));
    QVERIFY(peer.listen());

    auto question = std::make_unique<ProjectorQuestion>();
    question->setWaits(1000, 1000, 1000);
    ProjectorQuestion *raw = question.get();
    peer.setOnRequest([&]() { QTimer::singleShot(0, this, [&]() { question.reset(); }); });

    const QStringList answer = raw->ask(Loopback, peer.port(), QStringLiteral("op status ?\r\n"));
    QVERIFY(!question);
    QCOMPARE(answer, QStringList({"OP STATUS", "2\r\n"}));
}

ORV_TEST_GUILESS_MAIN(TestProjectorQuestion)
#include "tst_projectorquestion.moc"
