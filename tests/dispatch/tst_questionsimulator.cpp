#include "net/powerstate.h"
#include "net/projectorquestion.h"

#include "tests/common/simulatorprocess.h"
#include "tests/common/testenvironment.h"

#include <QtTest>

// The synchronous question against the projector simulator, one address per
// way a projector can behave on the wire.
class TestQuestionSimulator : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void behaviours_data();
    void behaviours();
    void splitAnswerYieldsFirstPiece();
    void nulCutsTheAnswer();
    void powerStateFollowsTheProjector();

private:
    ProjectorQuestion question() const
    {
        ProjectorQuestion q;
        q.setWaits(500, 500, 500);
        return q;
    }

    SimulatorProcess m_sim;
};

void TestQuestionSimulator::initTestCase()
{
    QVERIFY2(m_sim.start({"--range", "127.0.0.2-127.0.0.8", "--model", "KX4410Q", "--mode", "127.0.0.3=silent",
                          "--mode", "127.0.0.4=close", "--mode", "127.0.0.5=split", "--mode", "127.0.0.6=refuse",
                          "--mode", "127.0.0.7=backlog", "--mode", "127.0.0.8=nul"}),
             m_sim.errorText());
}

void TestQuestionSimulator::cleanupTestCase()
{
    m_sim.stop();
}

void TestQuestionSimulator::behaviours_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("power");

    QTest::newRow("answers") << "127.0.0.2" << QStringList{"OP MODEL", "KX4410Q"} << int(PowerState::Standby);
    QTest::newRow("silent") << "127.0.0.3" << QStringList{QString()} << int(PowerState::NoAnswer);
    QTest::newRow("hangs up") << "127.0.0.4" << QStringList{QString()} << int(PowerState::NoAnswer);
    QTest::newRow("refused") << "127.0.0.6" << QStringList() << int(PowerState::NoAnswer);
    QTest::newRow("connect hangs") << "127.0.0.7" << QStringList() << int(PowerState::NoAnswer);
}

void TestQuestionSimulator::behaviours()
{
    QFETCH(QString, ip);
    QFETCH(QStringList, parts);
    QFETCH(int, power);

    QStringList answer = question().ask(ip, 7000, QStringLiteral("op model ?\r\n"));
    // The simulator's line end is its own business; the parts before it are not.
    if (!answer.isEmpty())
        answer.last() = answer.last().trimmed();
    QCOMPARE(answer, parts);
    QCOMPARE(question().powerState(ip, 7000, QStringLiteral("op status ?"), true), power);
    QCOMPARE(question().powerState(ip, 7000, QStringLiteral("op status ?"), false), int(PowerState::SendingDisabled));
}

void TestQuestionSimulator::splitAnswerYieldsFirstPiece()
{
    const QString whole = question().ask(QStringLiteral("127.0.0.2"), 7000, QStringLiteral("op model ?\r\n")).join('=');
    const QString piece = question().ask(QStringLiteral("127.0.0.5"), 7000, QStringLiteral("op model ?\r\n")).join('=');
    QVERIFY2(!piece.isEmpty() && piece.size() < whole.size() && whole.startsWith(piece),
             qPrintable(piece + QStringLiteral(" | ") + whole));
}

void TestQuestionSimulator::nulCutsTheAnswer()
{
    const QStringList answer = question().ask(QStringLiteral("127.0.0.8"), 7000, QStringLiteral("op model ?\r\n"));
    QVERIFY(!answer.isEmpty());
    for (const QString &part : answer)
        QVERIFY2(!part.contains(QChar(0)), qPrintable(answer.join('|')));
}

void TestQuestionSimulator::powerStateFollowsTheProjector()
{
    const QString ip = QStringLiteral("127.0.0.2");
    QCOMPARE(question().powerState(ip, 7000, QStringLiteral("op status ?"), true), int(PowerState::Standby));
    const QStringList switched = question().ask(ip, 7000, QStringLiteral("op power.on\r\n"));
    QCOMPARE(switched.size(), 2);
    const int state = question().powerState(ip, 7000, QStringLiteral("op status ?"), true);
    QVERIFY2(state == PowerState::WarmingUp || state == PowerState::On, qPrintable(QString::number(state)));
}

ORV_TEST_GUILESS_MAIN(TestQuestionSimulator)
#include "tst_questionsimulator.moc"
