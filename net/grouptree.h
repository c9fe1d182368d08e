#pragma once

#include "net/groupipfile.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QTreeWidgetItem;
class CommandDispatch;
class MyTreeIP;

// Owner of the group and projector tree: GroupIP.csv in and out, the
// context menu, clicks, the temporary "Found" group and everything that
// discovery and the target search learn about a projector.
//
// Columns: 0 group name / check box and state icon, 1 IP, 2 name, 3 model,
// 4 serial number, 5 MAC. A row with a name in column 0 is a group. The
// connected state is the status tip "connected" of column 0; it follows the
// dispatcher's connected-IP list (its owner) and is never set from here
// otherwise.
//
// Rows are found by address through an index, so one reply costs the same
// with 20 rows or 2,000.
class GroupTree : public QObject
{
    Q_OBJECT

public:
    enum Column
    {
        ColumnGroup = 0,
        ColumnIP = 1,
        ColumnName = 2,
        ColumnModel = 3,
        ColumnSerial = 4,
        ColumnMac = 5
    };
    // Beyond this many connected addresses, discovery replies for new ones
    // are dropped (with a WARN now and then): a flood of made-up addresses must not grow
    // the "Found" group without end.
    static constexpr int MaxDiscovered = 4096;

    GroupTree(MyTreeIP *tree, CommandDispatch *dispatch, QObject *parent = nullptr);

    MyTreeIP *tree() const { return m_tree; }

    void load(const QString &path);
    void setGroups(const GroupIpFile::Groups &groups);
    // What would be written: every group but "Found", in tree order.
    GroupIpFile::Groups groups() const;
    // Writes the tree atomically; on success emits sigTreeSaved.
    bool save(const QString &path, QString *error = nullptr);

    // Address queries over every group but "Found", in tree order.
    QStringList allAddresses() const;
    QStringList checkedAddresses() const;
    QStringList connectedAddresses() const;

    // The address of the current row when it is a projector, else empty.
    QString currentAddress() const;

    // Every row shows the dispatcher's connected state again.
    void resetConnectionState();
    // Marks every row of ip connected (or not); returns how many there are.
    int markConnected(const QString &ip, bool connected = true);
    // One discovery reply: rows of ip connected with model, serial and MAC,
    // ip appended to the connected list, the "Found" group rebuilt when ip
    // has no row. True when ip was new to the connected list.
    bool udpFoundIP(const QString &ip, const QString &model, const QString &serial, const QString &mac);
    // The "Found" group lists exactly ips afterwards.
    void checkFoundGroup(const QStringList &ips);
    // An answer naming the model or serial number of a projector.
    void updateFromAnswer(const QString &ip, const QString &key, const QString &value);

    // Context menu and its actions, clicks.
    void showContextMenu(const QPoint &pos);
    // Adds entries of other subsystems to a projector's context menu.
    void setProjectorMenuExtender(std::function<void(QMenu *, const QString &ip)> extender)
    {
        m_menuExtender = std::move(extender);
    }
    void addGroup();
    void deleteGroup();
    void addIP();
    void deleteIP();
    void itemClicked(QTreeWidgetItem *item, int column);

    QAction *addGroupAction() const { return m_addGroup; }
    QAction *deleteGroupAction() const { return m_deleteGroup; }
    QAction *addIPAction() const { return m_addIP; }
    QAction *deleteIPAction() const { return m_deleteIP; }

    static bool isGroup(const QTreeWidgetItem *item);
    static bool isFoundGroup(const QTreeWidgetItem *item);

signals:
    void sigTreeSaved();
    // A connected projector was clicked.
    void sigTargetClicked(const QString &ip);
    // An edit of a name or address was refused (the old text stays): why,
    // for the status bar.
    void sigEditRefused(const QString &message);

private:
    QTreeWidgetItem *newGroupItem(const QString &name, bool checked, bool fromFile) const;
    QTreeWidgetItem *newIpItem(const GroupIpFile::Projector &projector, bool fromFile) const;
    QList<QTreeWidgetItem *> itemsOfIp(const QString &ip) const;
    QTreeWidgetItem *foundGroup() const;
    void watchModel();
    void rebuildIndex() const;
    void indexRows(const QList<QTreeWidgetItem *> &rows) const;
    QStringList addresses(bool (*wanted)(const QTreeWidgetItem *)) const;
    static void setConnected(QTreeWidgetItem *item, bool connected);
    void fitColumns();

    MyTreeIP *m_tree;
    CommandDispatch *m_dispatch;
    QAction *m_addGroup;
    QAction *m_deleteGroup;
    QAction *m_addIP;
    QAction *m_deleteIP;
    std::function<void(QMenu *, const QString &)> m_menuExtender;
    mutable QHash<QString, QList<QTreeWidgetItem *>> m_rowsByIp;
    mutable bool m_indexDirty = true;
    bool m_fillingFound = false;
    int m_ignoredOverCap = 0;
};
