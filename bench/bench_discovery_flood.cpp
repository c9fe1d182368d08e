// What one slice of discovery replies costs the GUI thread (MyUdpRX hands on
// at most MaxDatagramsPerTurn per event-loop turn): replies for new
// addresses until the connected list is full, for known ones, and past the
// cap, with a 200-row inventory.
//   scripts/sandbox.sh run env QT_QPA_PLATFORM=offscreen build/bench/bench_discovery_flood
#include "net/commanddispatch.h"
#include "net/grouptree.h"
#include "net/myudprx.h"
#include "net/mytreeip.h"
#include "net/udpdiscovery.h"

#include "tests/common/testenvironment.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    MyTreeIP tree;
    tree.setColumnCount(6);
    CommandDispatch dispatch;
    GroupTree groups(&tree, &dispatch);
    GroupIpFile::Group hall;
    hall.name = QStringLiteral("Hall");
    for (int i = 0; i < 200; ++i)
        hall.projectors.append({false, QStringLiteral("10.0.0.%1").arg(i + 1), QString()});
    groups.setGroups({hall});
    UdpDiscovery discovery(QStringLiteral("127.0.0.1"), 0, 0);
    QObject::connect(&discovery, &UdpDiscovery::sigReply, &groups, &GroupTree::udpFoundIP);

    const int slice = MyUdpRX::MaxDatagramsPerTurn;
    auto reply = [](int net, int i) {
        return QStringLiteral("UDP:ip=10.%1.%2.%3;model=KX4410Q;serial=S%4;mac=02:50:4A:00:00:01;")
            .arg(net)
            .arg(i / 250)
            .arg(i % 250 + 1)
            .arg(i);
    };
    qint64 worstNew = 0;
    QElapsedTimer clock;
    for (int start = 0; start < GroupTree::MaxDiscovered; start += slice) {
        clock.start();
        for (int i = start; i < start + slice; ++i)
            discovery.handleReply(reply(1, i));
        worstNew = qMax(worstNew, clock.elapsed());
    }
    clock.start();
    for (int i = 0; i < slice; ++i)
        discovery.handleReply(reply(1, i));
    const qint64 known = clock.elapsed();
    clock.start();
    for (int i = 0; i < slice; ++i)
        discovery.handleReply(reply(9, i));
    const qint64 overCap = clock.elapsed();
    std::printf("slice of %d replies: worst %lld ms while filling %d new addresses, %lld ms known, %lld ms past the cap\n",
                slice, worstNew, GroupTree::MaxDiscovered, known, overCap);
    return 0;
}
