// Command sessions against the projector simulator and against a bare
// server in the test that sees the exact bytes; the slow paths (projectors
// that never answer, connects that are refused or hang) last.
#include "net/mytcpsocket.h"
#include "net/projectorquestion.h"
#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"
#include "tests/session/sessionrecorder.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

namespace {

const quint16 kPort = 7000;
// The simulated projectors: one answering normally, then one per test mode.
const QString kNormal = "127.0.0.2", kSplit = "127.0.0.3", kNul = "127.0.0.4", kCloseAfterOne = "127.0.0.5",
              kSilent = "127.0.0.6", kHanging = "127.0.0.7", kRefusing = "127.0.0.8";

// "TCP:abcd Cmd:1 Time:12ms" -> 12, after checking tag and index; else -1.
int commandTime(const QString &line, const QString &tag, int index)
{
    static const QRegularExpression pattern("^TCP:([0-9a-f]{4}) Cmd:(\\d+) Time:(\\d+)ms$");
    const QRegularExpressionMatch m = pattern.match(line);
    if (!m.hasMatch() || m.captured(1) != tag || m.captured(2).toInt() != index)
        return -1;
    return m.captured(3).toInt();
}

// Timers never fire early; how late they may be on a loaded two-core
// machine running the sanitizer build is the tolerance.
bool dueAt(const SessionRecorder &rec, int event, qint64 due)
{
    const SessionRecorder::Event e = rec.events.value(event);
    if (e.atMs >= due && e.atMs <= due + 900)
        return true;
    qWarning("\"%s\" at %lld ms, due at %lld ms", qPrintable(e.text), e.atMs, due);
    return false;
}

// What a session reports when its time is up.
QStringList timedOut(const QString &stamp)
{
    return {"timeout:1", "status:Socket Timeout!", "result:Socket Timeout!", "log:--- <END>TimeOut ---@" + stamp};
}

} // namespace

class TestMyTcpSocket : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_sim.start({"--range", "127.0.0.2-127.0.0.8", "--mode", kSplit + "=split:300", "--mode",
                              kNul + "=nul", "--mode", kCloseAfterOne + "=close:1", "--mode", kSilent + "=silent",
                              "--mode", kHanging + "=backlog", "--mode", kRefusing + "=refuse"}),
                 m_sim.errorText());
    }

    // Commands go out one at a time as Latin-1 and CR LF, a character outside
    // Latin-1 (even outside the BMP) as "?"; an answer is read as Latin-1.
    void requestsGoOutPacedAndExact()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress("127.0.0.1"), 0));
        SessionRecorder rec;
        rec.start("127.0.0.1", server.serverPort(), {"op model ?", "op  name = \u00eb\u20ac\U0001F600 "});
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket *peer = server.nextPendingConnection();
        QTRY_COMPARE(peer->bytesAvailable(), qint64(12));
        QCOMPARE(peer->readAll(), QByteArray("op model ?\r\n"));
        QCOMPARE(rec.withPrefix("status:"), QStringList{"12 bytes written!"});

        // The second request waits for the first answer, however long it takes.
        QTest::qWait(300);
        QCOMPARE(peer->bytesAvailable(), qint64(0));
        peer->write("OP X=1\r\n");
        QTRY_COMPARE(peer->bytesAvailable(), qint64(17));
        QCOMPARE(peer->readAll(), QByteArray("op  name = \xeb?? \r\n"));
        peer->write("OP NAME=\xeb\xff\r\n");
        QTRY_VERIFY(rec.finished());
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);

        const QStringList logs = rec.withPrefix("log:");
        QCOMPARE(logs.mid(0, 3), QStringList({">op model ?", "<<127.0.0.1", "<<<OP X=1"}));
        // Timed from the write of the request, so the 300 ms hold-back counts.
        QVERIFY2(commandTime(logs.at(3), rec.tag, 0) >= 290, qPrintable(logs.at(3)));
        // Blanks are simplified in the log only.
        QCOMPARE(logs.at(4), QString(">op name = \u00eb\u20ac\U0001F600"));
        QCOMPARE(rec.withPrefix("cmd:"), QStringList({"127.0.0.1|OP X=1\r\n", "127.0.0.1|OP NAME=\u00eb\u00ff\r\n"}));
    }

    void threeCommandsInOrderAndASingleOne()
    {
        SessionRecorder rec, single, untagged;
        single.start(kNormal, kPort, {"op errcode ?"}, QTime(1, 2, 3, 4));
        untagged.start(kNormal, kPort, {"op errcode ?"});
        const QStringList commands{"op model ?", "op ser.no ?", "op status ?"};
        rec.start(kNormal, kPort, commands, QTime(14, 3, 7, 250));
        QTRY_VERIFY_WITH_TIMEOUT(rec.finished() && single.finished() && untagged.finished(), 5000);
        const QStringList logs = rec.withPrefix("log:");
        QCOMPARE(logs.size(), 3 * 4 + 2);
        int total = 0;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(logs.at(4 * i), '>' + commands.at(i));
            QCOMPARE(logs.at(4 * i + 1), QString("<<127.0.0.2"));
            const int ms = commandTime(logs.at(4 * i + 3), rec.tag, i);
            QVERIFY2(ms >= 0, qPrintable(logs.at(4 * i + 3)));
            total += ms;
        }
        QCOMPARE(logs.at(2), QString("<<<OP MODEL=KX4410Q"));
        QVERIFY2(QRegularExpression("^<<<OP SER\\.NO=KXQ\\d{7}$").match(logs.at(6)).hasMatch(), qPrintable(logs.at(6)));
        QCOMPARE(logs.at(10), QString("<<<OP STATUS=0"));
        QCOMPARE(logs.at(12), QString("TCP:%1 Cmds:3 TotalTime:%2ms---").arg(rec.tag).arg(total));
        QCOMPARE(logs.at(13), QString("--- <END> ---@14:03:07.250"));

        // Per answer: logs, then result text, code 0 and the (ip, answer) pair.
        const QStringList all = rec.texts();
        const int firstTime = all.indexOf("log:" + logs.at(3));
        QCOMPARE(all.mid(firstTime + 1, 3), QStringList({"result:127.0.0.2>\tOP MODEL=KX4410Q\r\n", "timeout:0",
                                                         "cmd:127.0.0.2|OP MODEL=KX4410Q\r\n"}));
        QCOMPARE(rec.withPrefix("timeout:"), QStringList({"0", "0", "0"}));
        QCOMPARE(rec.count("disconnected"), 1);
        QVERIFY(all.indexOf("disconnected") > all.lastIndexOf(QRegularExpression("^cmd:")));
        // The owner's slotMySocketState follows the connection.
        QVERIFY(rec.states.contains(QAbstractSocket::ConnectedState));
        QCOMPARE(rec.states.last(), QAbstractSocket::UnconnectedState);

        // A single command of a task ends the task's count like any session;
        // one outside any task writes no end lines.
        const QStringList one = single.withPrefix("log:");
        QCOMPARE(one.mid(0, 3), QStringList({">op errcode ?", "<<127.0.0.2", "<<<OP ERRCODE=0000"}));
        QCOMPARE(one.size(), 6);
        QCOMPARE(one.last(), QString("--- <END> ---@01:02:03.004"));
        QCOMPARE(untagged.withPrefix("log:").size(), 4);
        QVERIFY(commandTime(one.at(3), single.tag, 0) >= 0);
    }

    // Projectors that misbehave, side by side.
    void oddProjectors()
    {
        SessionRecorder split, nul, closing;
        split.start(kSplit, kPort, {"op model ?", "op ser.no ?"});
        nul.start(kNul, kPort, {"op model ?", "op status ?"});
        closing.start(kCloseAfterOne, kPort, {"op model ?", "op ser.no ?", "op status ?"}, QTime(8, 0, 0, 1));
        QTRY_VERIFY_WITH_TIMEOUT(split.finished() && nul.finished() && closing.finished(), 5000);

        // The second half of a split answer is taken as the second answer. No
        // start time leaves the end line's stamp empty.
        const QStringList answers = split.withPrefix("cmd:127.0.0.3|");
        QCOMPARE(answers.size(), 2);
        QVERIFY(!answers.at(0).isEmpty());
        QCOMPARE(answers.at(0) + answers.at(1), QString("OP MODEL=KX4410Q\r\n"));
        QCOMPARE(split.withPrefix("log:").last(), QString("--- <END> ---@"));

        // A zero byte ends the answer; "bytes read!" counts the six bytes of junk
        // behind it and CR LF too.
        QCOMPARE(nul.withPrefix("cmd:"), QStringList({"127.0.0.4|OP MODEL=KX4410Q", "127.0.0.4|OP STATUS=0"}));
        QCOMPARE(nul.withPrefix("status:").last(), QString("20 bytes read!"));

        // Closing after one answer: code 0 for it, then the socket's error.
        QCOMPARE(closing.withPrefix("cmd:").size(), 1);
        QCOMPARE(closing.withPrefix("timeout:"),
                 QStringList({"0", QString::number(QAbstractSocket::RemoteHostClosedError)}));
        const QStringList logs = closing.withPrefix("log:");
        QVERIFY2(logs.at(logs.size() - 2).startsWith(QString("TCP:%1 Cmds:3 TotalTime:").arg(closing.tag)),
                 qPrintable(logs.join('\n')));
        QCOMPARE(logs.last(), QString("--- <END> ---@08:00:00.001"));
        QCOMPARE(closing.count("result:Socket Timeout!"), 0);
        // The two commands that got no answer are named, once.
        QCOMPARE(logs.filter(QRegularExpression("^!")),
                 QStringList{"!127.0.0.5 closed: op ser.no ? (+1 more) (The remote host closed the connection)"});
    }

    void ownerGoingAwayEndsTheSession()
    {
        auto *owner = new SessionRecorder;
        QPointer<MyTcpSocket> session = owner->start(kSilent, kPort, {"op model ?"});
        QTRY_VERIFY(owner->states.contains(QAbstractSocket::ConnectedState));
        QTRY_COMPARE(owner->withPrefix("log:").size(), 1);
        delete owner;
        QVERIFY(session.isNull());
        // Nothing of the dead session may fire later (ASan watches this).
        QTest::qWait(200);
    }

    void deletedFromItsOwnSignal_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<int>("signal");
        enum
        {
            Result,
            TextResult,
            Disconnected,
            Timeout
        };
        QTest::newRow("answer") << kNormal << int(Result);
        QTest::newRow("answer text") << kNormal << int(TextResult);
        QTest::newRow("end of connection") << kNormal << int(Disconnected);
        QTest::newRow("close after one answer") << kCloseAfterOne << int(Disconnected);
        QTest::newRow("refused") << kRefusing << int(Timeout);
    }

    // An owner may drop a session from a slot of the session's own signal, even
    // while the connection is inside its readyRead or disconnected (ASan and the
    // sanitizer build watch for the socket being used after that).
    void deletedFromItsOwnSignal()
    {
        QFETCH(QString, ip);
        QFETCH(int, signal);
        QPointer<MyTcpSocket> session = new MyTcpSocket;
        auto drop = [&session] { delete session.data(); };
        switch (signal) {
        case 0:
            connect(session, &MyTcpSocket::sigCmdResult, drop);
            break;
        case 1:
            connect(session, &MyTcpSocket::sendTcpCmdResult, drop);
            break;
        case 2:
            connect(session, &MyTcpSocket::sigDisconnected, drop);
            break;
        default:
            connect(session, &MyTcpSocket::sigMySocketTimeout, drop);
            break;
        }
        session->setCommandList({"op model ?", "op ser.no ?"});
        session->doConnect(ip, kPort);
        QTRY_VERIFY(session.isNull());
        // Whatever the dead session's connection and timers still had queued.
        QTest::qWait(300);
    }

    // While a question waits, the operator's keys are held back and delivered
    // afterwards: nothing in the window may act underneath the waiting caller.
    void questionHoldsBackUserInput()
    {
        QWidget window;
        auto *field = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        field->setFocus();
        int keysDuringQuestion = -1;
        // Typed just after the question has begun to wait, queued the way the
        // window system queues a real key press.
        QTimer::singleShot(100, field, [&] {
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window.windowHandle(), QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
        });
        QTimer::singleShot(400, field, [&] { keysDuringQuestion = field->text().size(); });
        ProjectorQuestion question;
        question.setWaits(600, 600, 600);
        const QStringList answer = question.ask(kSilent, kPort, "op status ?\r\n");
        QCOMPARE(answer, QStringList{QString()});
        QCOMPARE(keysDuringQuestion, 0);
        QTRY_VERIFY(field->text().contains('b'));
    }

    // All side by side, so that one wait covers them: four commands give
    // 3000 + 4 x 1000 = 7000 ms, one command 4000 ms; a hanging connect is given
    // up at the 6000 ms connect limit, or with the session when that ends first.
    void timeOuts()
    {
        const QStringList four{"op model ?", "op ser.no ?", "op status ?", "op errcode ?"};
        SessionRecorder silent, hanging, hangingShort, refused;
        silent.start(kSilent, kPort, four, QTime(23, 59, 58, 999));
        hanging.start(kHanging, kPort, four, QTime(23, 59, 58, 999));
        hangingShort.start(kHanging, kPort, {"op model ?"}, QTime(0, 0));
        refused.start(kRefusing, kPort, {"op model ?"});
        // The refusal is reported at once, without waiting for any limit.
        // The command is shown although it never went out, then why.
        const QStringList failedConnect{"timeout:1", "status:Error:Connection refused", "log:>op model ?",
                                        "log:!127.0.0.8 refused: op model ? (Connection refused)"};
        QTRY_COMPARE_WITH_TIMEOUT(refused.texts(), failedConnect, 1000);
        QVERIFY(refused.session);
        QTRY_VERIFY_WITH_TIMEOUT(
            silent.finished() && hanging.finished() && hangingShort.finished() && refused.finished(), 8500);

        // Silent projector: only the first request goes out (pacing), then the
        // time-out ends the conversation with one pair of end lines.
        QVERIFY(dueAt(silent, silent.texts().indexOf("timeout:1"), 7000));
        QCOMPARE(silent.withPrefix("log:"),
                 QStringList({">op model ?", "!127.0.0.6 timed out: op model ? (+3 more)",
                              "TCP:" + silent.tag + " Cmds:4 TotalTime:0ms---", "--- <END>TimeOut ---@23:59:58.999"}));
        QCOMPARE(silent.withPrefix("timeout:") + silent.withPrefix("result:"), QStringList({"1", "Socket Timeout!"}));
        QCOMPARE(silent.count("disconnected"), 1);
        QVERIFY(silent.withPrefix("cmd:").isEmpty());

        // Hanging connects: given up at the connect limit (or the session's end),
        // reported before the time-out; never connected, still released.
        const QStringList gaveUp{"timeout:1", "status:Error:Socket operation timed out", "log:>op model ?"};
        const QString unreachable = "log:!127.0.0.7 unreachable: op model ?";
        QCOMPARE(hanging.texts(), gaveUp + QStringList{unreachable + " (+3 more) (Socket operation timed out)"} +
                                      timedOut("23:59:58.999"));
        QVERIFY(dueAt(hanging, 1, 6000) && dueAt(hanging, 4, 7000));
        QVERIFY(!hanging.states.contains(QAbstractSocket::ConnectedState));
        QCOMPARE(hangingShort.texts(),
                 gaveUp + QStringList{unreachable + " (Socket operation timed out)"} + timedOut("00:00:00.000"));
        QVERIFY(dueAt(hangingShort, 0, 4000) && dueAt(hangingShort, 7, 4000));

        QCOMPARE(refused.texts(), failedConnect + timedOut(QString()));
        QVERIFY(dueAt(refused, 4, 4000));
    }

private:
    SimulatorProcess m_sim;
};

ORV_TEST_MAIN(TestMyTcpSocket)
#include "tst_mytcpsocket.moc"
