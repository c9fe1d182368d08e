#include "net/singlesenddebounce.h"

#include "tests/common/logcapture.h"
#include "tests/common/testenvironment.h"

#include <QtTest>

namespace {

constexpr int Hour = 60 * 60 * 1000;
constexpr int Day = SingleSendDebounce::DayMs;

} // namespace

Q_DECLARE_METATYPE(SingleSendDebounce::Verdict)

class TestSingleSendDebounce : public QObject
{
    Q_OBJECT
private slots:
    void pairs_data();
    void pairs();
    void firstSendAlwaysGoes();
    void dropKeepsLastAddress();
    void burstStaysDroppedUntilQuiet();
    void alternatingAddressesAllGo();
    void emptyInputIgnoredWithoutTouchingState();
    void invalidClockCountsAsMidnight();
    void systemClockIsTimeOfDay();
    void droppedSendIsLogged();

private:
    int m_now = 0;
    SingleSendDebounce makeDebounce()
    {
        return SingleSendDebounce([this]() { return m_now; });
    }
};

void TestSingleSendDebounce::pairs_data()
{
    QTest::addColumn<int>("firstTime");
    QTest::addColumn<QString>("firstIp");
    QTest::addColumn<int>("secondTime");
    QTest::addColumn<QString>("secondIp");
    QTest::addColumn<SingleSendDebounce::Verdict>("verdict");
    QTest::addColumn<int>("difference");

    using V = SingleSendDebounce::Verdict;
    const QString a = QStringLiteral("127.0.0.2");
    const QString b = QStringLiteral("127.0.0.3");
    const int noon = 12 * Hour;

    QTest::newRow("same address 100 ms later") << noon << a << noon + 100 << a << V::Drop << 100;
    QTest::newRow("same address 299 ms later") << noon << a << noon + 299 << a << V::Drop << 299;
    QTest::newRow("same address exactly 300 ms later") << noon << a << noon + 300 << a << V::Send << 300;
    QTest::newRow("same address at once") << noon << a << noon << a << V::Drop << 0;
    QTest::newRow("other address at once") << noon << a << noon << b << V::Send << 0;
    QTest::newRow("other address 100 ms later") << noon << a << noon + 100 << b << V::Send << 100;
    QTest::newRow("across midnight 200 ms apart") << Day - 100 << a << 100 << a << V::Drop << 200;
    QTest::newRow("across midnight exactly 300 ms apart") << Day - 150 << a << 150 << a << V::Send << 300;
    QTest::newRow("across midnight an hour apart") << Day - Hour / 2 << a << Hour / 2 << a << V::Send << Hour;
    QTest::newRow("just before midnight to just after, other address") << Day - 1 << a << 0 << b << V::Send << 1;
    QTest::newRow("hours later the same day") << 8 * Hour << a << 20 * Hour << a << V::Send << 12 * Hour;
}

void TestSingleSendDebounce::pairs()
{
    QFETCH(int, firstTime);
    QFETCH(QString, firstIp);
    QFETCH(int, secondTime);
    QFETCH(QString, secondIp);
    QFETCH(SingleSendDebounce::Verdict, verdict);
    QFETCH(int, difference);

    SingleSendDebounce debounce = makeDebounce();
    m_now = firstTime;
    QCOMPARE(debounce.admit(firstIp, QStringLiteral("op bright = 50")), SingleSendDebounce::Verdict::Send);
    m_now = secondTime;
    int reported = -1;
    QCOMPARE(debounce.admit(secondIp, QStringLiteral("op bright = 51"), &reported), verdict);
    QCOMPARE(reported, difference);
    QCOMPARE(debounce.lastDifference(), difference);
}

void TestSingleSendDebounce::firstSendAlwaysGoes()
{
    // The state starts at midnight with no address, so even a send at
    // 00:00:00.000 goes out.
    m_now = 0;
    SingleSendDebounce debounce = makeDebounce();
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op model ?")),
             SingleSendDebounce::Verdict::Send);
    QCOMPARE(debounce.lastIp(), QStringLiteral("127.0.0.2"));
}

void TestSingleSendDebounce::dropKeepsLastAddress()
{
    SingleSendDebounce debounce = makeDebounce();
    m_now = 1000;
    debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op bright = 1"));
    m_now = 1100;
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op bright = 2")),
             SingleSendDebounce::Verdict::Drop);
    QCOMPARE(debounce.lastIp(), QStringLiteral("127.0.0.2"));
}

void TestSingleSendDebounce::burstStaysDroppedUntilQuiet()
{
    // Every attempt restarts the interval, dropped ones included: a slider
    // dragged in 200 ms steps sends only its first value until it rests.
    SingleSendDebounce debounce = makeDebounce();
    const QString ip = QStringLiteral("127.0.0.2");
    const QString cmd = QStringLiteral("op bright = 1");
    using V = SingleSendDebounce::Verdict;
    m_now = 5000;
    QCOMPARE(debounce.admit(ip, cmd), V::Send);
    m_now = 5200;
    QCOMPARE(debounce.admit(ip, cmd), V::Drop);
    m_now = 5400;
    QCOMPARE(debounce.admit(ip, cmd), V::Drop);
    QCOMPARE(debounce.lastDifference(), 200);
    m_now = 5700;
    QCOMPARE(debounce.admit(ip, cmd), V::Send);
}

void TestSingleSendDebounce::alternatingAddressesAllGo()
{
    SingleSendDebounce debounce = makeDebounce();
    const QString cmd = QStringLiteral("op power.on");
    using V = SingleSendDebounce::Verdict;
    m_now = 7000;
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), cmd), V::Send);
    m_now = 7050;
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.3"), cmd), V::Send);
    m_now = 7100;
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), cmd), V::Send);
    m_now = 7150;
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), cmd), V::Drop);
}

void TestSingleSendDebounce::emptyInputIgnoredWithoutTouchingState()
{
    SingleSendDebounce debounce = makeDebounce();
    const QString ip = QStringLiteral("127.0.0.2");
    using V = SingleSendDebounce::Verdict;
    m_now = 10000;
    QCOMPARE(debounce.admit(ip, QStringLiteral("op model ?")), V::Send);
    m_now = 10100;
    int reported = -1;
    QCOMPARE(debounce.admit(QString(), QStringLiteral("op model ?"), &reported), V::Ignore);
    QCOMPARE(reported, -1);
    m_now = 10200;
    QCOMPARE(debounce.admit(ip, QString()), V::Ignore);
    QCOMPARE(debounce.lastIp(), ip);
    // Had the ignored calls restarted the interval this would be dropped.
    m_now = 10350;
    QCOMPARE(debounce.admit(ip, QStringLiteral("op model ?")), V::Send);
    QCOMPARE(debounce.lastDifference(), 350);
}

void TestSingleSendDebounce::invalidClockCountsAsMidnight()
{
    SingleSendDebounce debounce = makeDebounce();
    const QString ip = QStringLiteral("127.0.0.2");
    m_now = -1;
    QCOMPARE(debounce.admit(ip, QStringLiteral("op model ?")), SingleSendDebounce::Verdict::Send);
    m_now = 250;
    QCOMPARE(debounce.admit(ip, QStringLiteral("op model ?")), SingleSendDebounce::Verdict::Drop);
    QCOMPARE(debounce.lastDifference(), 250);
}

void TestSingleSendDebounce::systemClockIsTimeOfDay()
{
    const int now = SingleSendDebounce::systemTimeOfDay();
    QVERIFY(now >= 0);
    QVERIFY(now < Day);
    // A default object uses it; two immediate sends to one address collide
    // (unless midnight falls in between, which the wrap turns into a few ms).
    SingleSendDebounce debounce;
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op model ?")),
             SingleSendDebounce::Verdict::Send);
    QCOMPARE(debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op model ?")),
             SingleSendDebounce::Verdict::Drop);
}

void TestSingleSendDebounce::droppedSendIsLogged()
{
    LogCapture log(OrvLogging::DebugLevel);
    SingleSendDebounce debounce = makeDebounce();
    const QStringList skipLine{QStringLiteral("sendMyTcpCmd"), QStringLiteral("TimeDiff Skiped:")};

    m_now = 3000;
    debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op bright = 1"));
    m_now = 3450;
    debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op bright = 2"));
    QVERIFY(log.linesWith(skipLine).isEmpty());

    m_now = 3550;
    debounce.admit(QStringLiteral("127.0.0.2"), QStringLiteral("op bright = 3"));
    const QStringList lines = log.linesWith(skipLine);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(QStringLiteral(" 100")), qPrintable(lines.first()));
}

ORV_TEST_GUILESS_MAIN(TestSingleSendDebounce)
#include "tst_singlesenddebounce.moc"
