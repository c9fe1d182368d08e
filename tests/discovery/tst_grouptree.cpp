#include "net/commanddispatch.h"
#include "net/groupipfile.h"
#include "net/grouptree.h"
#include "net/mytreeip.h"

#include "tests/common/testenvironment.h"
#include "tests/common/testfiles.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Header = "Group, Select, IP, Name\n";
const QByteArray Inventory = Header + "Hall A,1\n ,0,10.0.0.1,Left\n ,1,10.0.0.2,Right\n"
                                      "Found,1\n ,1,10.0.0.9,\nHall B,0\n ,1,10.0.0.3,Rear\n";

} // namespace

// The tree owner over a real tree widget: file in and out, discovery's
// marks and the "Found" group, the context menu's actions and clicks.
class TestGroupTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadSaveAndQueries();
    void discoveryMarksRowsAndFillsFound();
    void menuActionsEditTheTree();
    void clicksCopyChecksAndPickTargets();
    void editorRefusesWhatCannotBeStored();
    void dropRule_data();
    void dropRule();

private:
    QTreeWidgetItem *group(const QString &name) const { return m_tree->findItems(name, Qt::MatchExactly, 0).value(0); }
    QByteArray saved()
    {
        const QString path = m_dir->filePath("out.csv");
        return m_groups->save(path) ? TestFiles::read(path) : "save failed";
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MyTreeIP> m_tree;
    std::unique_ptr<CommandDispatch> m_dispatch;
    std::unique_ptr<GroupTree> m_groups;
};

void TestGroupTree::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(TestFiles::write(m_dir->filePath("GroupIP.csv"), Inventory));
    m_tree = std::make_unique<MyTreeIP>();
    m_tree->setColumnCount(6);
    m_dispatch = std::make_unique<CommandDispatch>();
    m_groups = std::make_unique<GroupTree>(m_tree.get(), m_dispatch.get());
    m_groups->load(m_dir->filePath("GroupIP.csv"));
    m_groups->resetConnectionState();
}

void TestGroupTree::cleanup()
{
    m_groups.reset();
    m_tree.reset();
    m_dispatch.reset();
}

void TestGroupTree::loadSaveAndQueries()
{
    QCOMPARE(m_groups->allAddresses(), (QStringList{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
    QCOMPARE(m_groups->checkedAddresses(), (QStringList{"10.0.0.2", "10.0.0.3"}));
    // The loaded "Found" group is not written back; the rest byte for byte.
    QCOMPARE(saved(), Header + "Hall A,1\n ,0,10.0.0.1,Left\n ,1,10.0.0.2,Right\nHall B,0\n ,1,10.0.0.3,Rear\n");
}

void TestGroupTree::discoveryMarksRowsAndFillsFound()
{
    QSignalSpy announced(m_dispatch.get(), &CommandDispatch::sigUpdateConnectedIP);
    QVERIFY(m_groups->udpFoundIP("10.0.0.2", "KX4410Q", "S-1", "AA:BB"));
    // The same address again updates the row but is not announced again.
    QVERIFY(!m_groups->udpFoundIP("10.0.0.2", "KX4410Q", "S-2", "AA:BB"));
    QCOMPARE(group("Hall A")->child(1)->text(4), QString("S-2"));
    QTRY_COMPARE(announced.count(), 1);
    // The row follows the connected list, whoever changes it.
    QTreeWidgetItem *right = group("Hall A")->child(1);
    QCOMPARE(right->statusTip(0), QString("connected"));
    m_dispatch->removeConnectedIPs({"10.0.0.2"});
    QCOMPARE(right->statusTip(0), QString());
    m_dispatch->addConnectedIP("10.0.0.2");
    QCOMPARE(right->statusTip(0), QString("connected"));

    // An address without a row: the loaded "Found" group becomes the
    // temporary one and lists the whole connected list.
    QVERIFY(m_groups->udpFoundIP("10.0.0.50", "KX", "S", "M"));
    QTreeWidgetItem *found = group("Found");
    QCOMPARE(m_tree->topLevelItemCount(), 3);
    QCOMPARE(found->text(1), QString("(temporary)"));
    QCOMPARE((QStringList{found->child(0)->text(1), found->child(1)->text(1)}), (QStringList{"10.0.0.2", "10.0.0.50"}));
    QVERIFY(!(found->child(1)->flags() & Qt::ItemIsEditable));
    // A search result replaces the list.
    m_groups->checkFoundGroup({"10.0.0.3"});
    QCOMPARE(found->childCount(), 1);
    m_groups->resetConnectionState();
    QCOMPARE(m_groups->markConnected("10.0.0.3"), 2); // its row and the Found row
    QCOMPARE(m_groups->markConnected("10.0.0.77"), 0);

    // Answers over TCP fill model and serial number.
    m_groups->updateFromAnswer("10.0.0.1", "OP MODEL", "KX5");
    m_groups->updateFromAnswer("10.0.0.1", "OP SER.NO", "123");
    QCOMPARE(group("Hall A")->child(0)->text(3), QString("KX5"));
    QCOMPARE(group("Hall A")->child(0)->text(4), QString("123"));

    // A new "Found" group when none was loaded.
    m_groups->setGroups(GroupIpFile::parse(Header + "Hall,1\n"));
    m_groups->checkFoundGroup({"10.0.0.8"});
    QCOMPARE(m_tree->topLevelItem(1)->text(0), QString("Found"));
}

void TestGroupTree::menuActionsEditTheTree()
{
    QTreeWidgetItem *hallB = group("Hall B");
    // Delete Group with a projector current deletes that projector's group.
    m_tree->setCurrentItem(hallB->child(0));
    m_groups->deleteGroupAction()->trigger();

    m_tree->setCurrentItem(group("Hall A")->child(1));
    m_groups->addIPAction()->trigger();
    m_tree->setCurrentItem(group("Hall A")->child(0));
    m_groups->deleteIPAction()->trigger();
    // A group current: Add IP and Delete IP do nothing.
    m_tree->setCurrentItem(group("Hall A"));
    m_groups->addIPAction()->trigger();
    m_groups->deleteIPAction()->trigger();

    m_tree->setCurrentItem(group("Found"));
    m_groups->addGroupAction()->trigger();
    QCOMPARE(m_tree->currentItem(), group("GroupNew"));
    QCOMPARE(saved(), Header + "Hall A,1\n ,1,New IP,\n ,1,10.0.0.2,Right\nGroupNew,1\n ,1,New IP,\n");

    // The menu offers the actions for the kind of row under the point.
    m_tree->resize(400, 300);
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    m_groups->showContextMenu(m_tree->visualItemRect(group("Hall A")).center());
    QMenu *menu = m_tree->findChild<QMenu *>("menuGroupIP");
    QTRY_VERIFY(menu && menu->isVisible());
    QCOMPARE(menu->actions(), (QList<QAction *>{m_groups->addGroupAction(), m_groups->deleteGroupAction()}));
    menu->close();
    m_groups->showContextMenu(QPoint(5, 290)); // empty space
    QTRY_VERIFY(!m_tree->findChild<QMenu *>("menuGroupIP"));
}

void TestGroupTree::clicksCopyChecksAndPickTargets()
{
    QSignalSpy targets(m_groups.get(), &GroupTree::sigTargetClicked);
    QTreeWidgetItem *hallB = group("Hall B");
    m_groups->itemClicked(hallB, 0); // unchecked group
    QCOMPARE(hallB->child(0)->checkState(0), Qt::Unchecked);
    m_groups->itemClicked(hallB->child(0), 1);
    QCOMPARE(targets.count(), 0); // not connected
    m_dispatch->addConnectedIP("10.0.0.3");
    m_groups->itemClicked(hallB->child(0), 2);
    QCOMPARE(targets.count(), 1);
    QCOMPARE(targets.at(0).at(0).toString(), QString("10.0.0.3"));
}

void TestGroupTree::editorRefusesWhatCannotBeStored()
{
    QSignalSpy refused(m_groups.get(), &GroupTree::sigEditRefused);
    const auto edit = [this](QTreeWidgetItem *item, int column, const QString &text) {
        m_tree->editItem(item, column);
        auto *editor = m_tree->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!m_tree->findChild<QLineEdit *>());
    };
    m_tree->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tree.get()));
    QTreeWidgetItem *hall = group("Hall A");
    edit(hall, 0, "  ");
    edit(hall->child(0), 2, "Left, front");
    QCOMPARE(refused.count(), 2);
    QCOMPARE(hall->text(0) + "|" + hall->child(0)->text(2), QString("Hall A|Left")); // the old texts stay
    edit(hall, 0, "Hall C");
    QCOMPARE(hall->text(0), QString("Hall C"));
    QCOMPARE(refused.count(), 2);
}

void TestGroupTree::dropRule_data()
{
    QTest::addColumn<bool>("onProjector");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("into a group") << false << int(MyTreeIP::DropOnRow) << true;
    QTest::newRow("between groups") << false << int(MyTreeIP::DropAboveRow) << false;
    QTest::newRow("beside a projector") << true << int(MyTreeIP::DropBelowRow) << true;
    QTest::newRow("onto a projector") << true << int(MyTreeIP::DropOnRow) << false;
}

void TestGroupTree::dropRule()
{
    QFETCH(bool, onProjector);
    QFETCH(int, position);
    QFETCH(bool, accepted);
    QTreeWidgetItem *target = onProjector ? group("Hall A")->child(0) : group("Hall A");
    QCOMPARE(MyTreeIP::acceptsDrop(target, MyTreeIP::DropSpot(position)), accepted);
    QVERIFY(!MyTreeIP::acceptsDrop(nullptr, MyTreeIP::DropOnEmptySpace));
}

ORV_TEST_MAIN(TestGroupTree)
#include "tst_grouptree.moc"
