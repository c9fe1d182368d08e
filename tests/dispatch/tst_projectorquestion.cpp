#include "net/powerstate.h"
#include "net/projectorquestion.h"

#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString Loopback = QStringLiteral("127.0.0.1");
const QString StatusQuery = QStringLiteral("op status ?\r\n");

// A stand-in projector on loopback: it answers the first request line of
// every connection the way a real (or broken) device does.
struct Peer
{
    enum Mode
    {
        Answer,        // reply delayMs after the request line
        Silent,        // read, never answer
        CloseOnAccept, // hang up as soon as the connection is accepted
        CloseOnRequest // hang up when the request arrives
    };
    Mode mode = Answer;
    QByteArray reply;
    int delayMs = 0;
    std::function<void()> onRequest; // the request line is in
    int connections = 0;
    QByteArray received; // on the latest connection
    QTcpServer server;

    Peer(Mode m, const QByteArray &r = {}, int d = 0) : mode(m), reply(r), delayMs(d)
    {
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                ++connections;
                received.clear();
                if (mode == CloseOnAccept)
                    socket->close();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
            }
        });
        server.listen(QHostAddress::LocalHost, 0);
    }
    void read(QTcpSocket *socket)
    {
        received += socket->readAll();
        if (!received.endsWith('\n'))
            return;
        if (onRequest)
            onRequest();
        if (mode == CloseOnRequest)
            socket->close();
        QTimer::singleShot(delayMs, socket, [this, socket] {
            if (mode == Answer && socket->state() == QAbstractSocket::ConnectedState)
                socket->write(reply);
        });
    }
    quint16 port() const { return server.serverPort(); }
};

ProjectorQuestion quickQuestion(int readMs = 300)
{
    ProjectorQuestion question;
    question.setWaits(1000, 1000, readMs);
    return question;
}

} // namespace

Q_DECLARE_METATYPE(Peer::Mode)

class TestProjectorQuestion : public QObject
{
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<Peer::Mode>("mode");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<int>("power");

        const auto row = [](const char *name, Peer::Mode mode, const QByteArray &reply, const QStringList &parts,
                            int power) { QTest::newRow(name) << mode << reply << parts << power; };
        row("answer", Peer::Answer, "OP STATUS=2\r\n", {"OP STATUS", "2\r\n"}, PowerState::On);
        row("blanks around the code", Peer::Answer, "OP STATUS= 3 \r\n", {"OP STATUS", " 3 \r\n"}, 3);
        row("empty parts kept", Peer::Answer, "OP LENS==3=\r\n", {"OP LENS", "", "3", "\r\n"}, PowerState::NoAnswer);
        row("nonsense is no answer", Peer::Answer, "OP MODEL=KX4410Q", {"OP MODEL", "KX4410Q"}, PowerState::NoAnswer);
        row("no equals sign", Peer::Answer, "ERR\r\n", {"ERR\r\n"}, PowerState::NoAnswer);
        row("NUL ends the answer", Peer::Answer, QByteArray("OP STATUS=1\0=junk\r\n", 18), {"OP STATUS", "1"}, 1);
        row("silent", Peer::Silent, {}, {QString()}, PowerState::NoAnswer);
        row("hangs up on accept", Peer::CloseOnAccept, {}, {QString()}, PowerState::NoAnswer);
        row("hangs up on request", Peer::CloseOnRequest, {}, {QString()}, PowerState::NoAnswer);
    }

    void answers()
    {
        QFETCH(Peer::Mode, mode);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, parts);
        QFETCH(int, power);

        Peer peer(mode, reply, 100);
        QVERIFY(peer.server.isListening());
        QCOMPARE(quickQuestion().ask(Loopback, peer.port(), StatusQuery), parts);
        // The power state asks the same, with the line end added.
        QCOMPARE(quickQuestion().powerState(Loopback, peer.port(), QStringLiteral("op status ?"), true), power);
        QCOMPARE(peer.connections, 2);
        if (mode != Peer::CloseOnAccept)
            QCOMPARE(peer.received, StatusQuery.toLatin1());
    }

    void answerWaitIsItsOwn()
    {
        // A projector that takes 600 ms to answer is heard within a long answer
        // wait even when the other two waits are short, and not within a short one.
        Peer peer(Peer::Answer, "OP STATUS=2\r\n", 600);
        ProjectorQuestion question;
        question.setWaits(100, 100, 2000);
        QCOMPARE(question.ask(Loopback, peer.port(), StatusQuery), QStringList({"OP STATUS", "2\r\n"}));
        question.setWaits(2000, 2000, 100);
        QCOMPARE(question.ask(Loopback, peer.port(), StatusQuery), QStringList{QString()});
    }

    void disabledSendingAsksNobody()
    {
        Peer peer(Peer::Answer, "OP STATUS=2\r\n");
        QCOMPARE(quickQuestion().powerState(Loopback, peer.port(), QStringLiteral("op status ?"), false),
                 int(PowerState::SendingDisabled));
        QTest::qWait(200); // every chance for a stray connection to show up
        QCOMPARE(peer.connections, 0);
        QCOMPARE(quickQuestion().powerState(Loopback, peer.port(), QStringLiteral("op status ?"), true),
                 int(PowerState::On));
    }

    void windowKeepsRunningWhileWaiting()
    {
        Peer peer(Peer::Silent);
        int ticks = 0;
        QTimer clock;
        connect(&clock, &QTimer::timeout, this, [&ticks]() { ++ticks; });
        clock.start(20);
        QCOMPARE(quickQuestion(400).ask(Loopback, peer.port(), StatusQuery), QStringList{QString()});
        QVERIFY2(ticks > 0, "the timer never fired while the question was waiting");
        // The peer was served from inside the question's own loop as well.
        QCOMPARE(peer.received, StatusQuery.toLatin1());
    }

    void nestedQuestions_data()
    {
        QTest::addColumn<int>("outerDelayMs");
        QTest::addColumn<int>("innerDelayMs");
        QTest::newRow("outer answers after the inner question") << 300 << 0;
        QTest::newRow("outer answers during the inner wait") << 50 << 300;
    }

    void nestedQuestions()
    {
        QFETCH(int, outerDelayMs);
        QFETCH(int, innerDelayMs);

        Peer outerPeer(Peer::Answer, "OP MODEL=OUTER\r\n", outerDelayMs);
        Peer innerPeer(Peer::Answer, "OP SER.NO=INNER\r\n", innerDelayMs);
        int waitingAtInnerRequest = -1;
        innerPeer.onRequest = [&]() { waitingAtInnerRequest = ProjectorQuestion::waitingQuestions(); };
        const ProjectorQuestion question = quickQuestion(2000);
        QStringList inner;
        // Started once the outer request is in: the outer question is waiting.
        outerPeer.onRequest = [&]() {
            QTimer::singleShot(0, this, [&]() {
                inner = question.ask(Loopback, innerPeer.port(), QStringLiteral("op ser.no ?\r\n"));
            });
        };
        const QStringList outer = question.ask(Loopback, outerPeer.port(), QStringLiteral("op model ?\r\n"));
        QCOMPARE(waitingAtInnerRequest, 2);
        QCOMPARE(outer, QStringList({"OP MODEL", "OUTER\r\n"}));
        QCOMPARE(inner, QStringList({"OP SER.NO", "INNER\r\n"}));
        QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
    }

    void nestingDepthIsBounded()
    {
        Peer peer(Peer::Silent);
        const ProjectorQuestion question = quickQuestion(200);
        int deepest = 0;
        QStringList refusedAnswer{QStringLiteral("not asked")};
        // Each question, once its request is out, starts one more from inside
        // its own wait, until the limit turns one away.
        const std::function<void()> askDeeper = [&]() {
            const int waiting = ProjectorQuestion::waitingQuestions();
            deepest = qMax(deepest, waiting);
            const QStringList answer = question.ask(Loopback, peer.port(), StatusQuery);
            if (waiting == ProjectorQuestion::MaxNesting)
                refusedAnswer = answer;
        };
        peer.onRequest = [&]() {
            if (deepest < ProjectorQuestion::MaxNesting)
                QTimer::singleShot(0, this, askDeeper);
        };
        askDeeper();
        QCOMPARE(deepest, int(ProjectorQuestion::MaxNesting));
        QCOMPARE(refusedAnswer, QStringList());
        QCOMPARE(peer.connections, int(ProjectorQuestion::MaxNesting)); // none for the refused one
        QCOMPARE(ProjectorQuestion::waitingQuestions(), 0);
    }

    void ownerDestroyedWhileWaiting()
    {
        Peer peer(Peer::Answer, "OP STATUS=2\r\n", 100);
        auto question = std::make_unique<ProjectorQuestion>(quickQuestion(1000));
        const ProjectorQuestion *raw = question.get();
        peer.onRequest = [&]() { QTimer::singleShot(0, this, [&]() { question.reset(); }); };
        QCOMPARE(raw->ask(Loopback, peer.port(), StatusQuery), QStringList({"OP STATUS", "2\r\n"}));
        QVERIFY(!question);
    }

    void simulator()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--range", "127.0.0.2-127.0.0.5", "--model", "KX4410Q", "--mode", "127.0.0.3=split",
                            "--mode", "127.0.0.4=refuse", "--mode", "127.0.0.5=backlog"}),
                 sim.errorText());
        ProjectorQuestion question;
        question.setWaits(500, 500, 500);
        const auto ask = [&](const char *ip) { return question.ask(ip, 7000, QStringLiteral("op model ?\r\n")); };
        const QString whole = ask("127.0.0.2").join('=');
        QCOMPARE(whole.trimmed(), QStringLiteral("OP MODEL=KX4410Q"));
        // Only what the first read brings counts: a piece of the whole answer.
        const QString piece = ask("127.0.0.3").join('=');
        QVERIFY2(!piece.isEmpty() && whole.startsWith(piece) && piece.size() < whole.size(), qPrintable(piece));
        QCOMPARE(ask("127.0.0.4"), QStringList());
        QCOMPARE(ask("127.0.0.5"), QStringList());
        QCOMPARE(question.powerState("127.0.0.2", 7000, QStringLiteral("op status ?"), true), int(PowerState::Standby));
        QCOMPARE(question.powerState("127.0.0.4", 7000, QStringLiteral("op status ?"), true),
                 int(PowerState::NoAnswer));
    }
};

ORV_TEST_GUILESS_MAIN(TestProjectorQuestion)
#include "tst_projectorquestion.moc"
