#include "net/grouptree.h"

#include "app/orvlog/OrvLog.h"
#include "net/commanddispatch.h"
#include "net/mytreeip.h"

#include <QAction>
#include <QBrush>
#include <QIcon>
#include <QMenu>
#include <QScopedValueRollback>

namespace {

const char *const IconConnected = ":/images/cloud1_32x32.png";
const char *const IconNotConnected = ":/images/cloud0_32x32.png";
const QString Connected = QStringLiteral("connected");

constexpr Qt::ItemFlags LoadedGroupFlags = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable |
                                           Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
constexpr Qt::ItemFlags AddedGroupFlags =
    Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
constexpr Qt::ItemFlags LoadedIpFlags = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                                        Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
constexpr Qt::ItemFlags AddedIpFlags =
    Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
constexpr Qt::ItemFlags FoundGroupFlags = Qt::ItemIsSelectable | Qt::ItemIsDropEnabled | Qt::ItemIsEnabled;
constexpr Qt::ItemFlags FoundIpFlags = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;

Qt::CheckState checkState(bool checked)
{
    return checked ? Qt::Checked : Qt::Unchecked;
}

void paintGreen(QTreeWidgetItem *item)
{
    for (int column = GroupTree::ColumnGroup; column <= GroupTree::ColumnMac; ++column)
        item->setForeground(column, QBrush(Qt::darkGreen));
}

bool anyRow(const QTreeWidgetItem *)
{
    return true;
}

bool checkedRow(const QTreeWidgetItem *item)
{
    return item->checkState(GroupTree::ColumnGroup) == Qt::Checked;
}

bool connectedRow(const QTreeWidgetItem *item)
{
    return item->statusTip(GroupTree::ColumnGroup).contains(Connected);
}

} // namespace

GroupTree::GroupTree(MyTreeIP *tree, CommandDispatch *dispatch, QObject *parent)
    : QObject(parent), m_tree(tree), m_dispatch(dispatch)
{
    m_tree->setAnimated(true);
    m_tree->setDragEnabled(true);
    m_tree->setAcceptDrops(true);
    m_tree->setDropIndicatorShown(true);
    m_tree->setDragDropMode(QAbstractItemView::InternalMove);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);

    m_addGroup = new QAction(QIcon(QStringLiteral(":/images/plus64x64.png")), tr("&Add Group"), this);
    m_addGroup->setStatusTip(tr("Add New Group"));
    m_deleteGroup = new QAction(QIcon(QStringLiteral(":/images/del64x64.png")), tr("&Delete Group"), this);
    m_deleteGroup->setStatusTip(tr("Delete Group from list"));
    m_addIP = new QAction(QIcon(QStringLiteral(":/images/plus64x64.png")), tr("&Add IP"), this);
    m_addIP->setStatusTip(tr("Add New IP"));
    m_deleteIP = new QAction(QIcon(QStringLiteral(":/images/del64x64.png")), tr("&Delete IP"), this);
    m_deleteIP->setStatusTip(tr("Delete IP from list"));
    connect(m_addGroup, &QAction::triggered, this, &GroupTree::addGroup);
    connect(m_deleteGroup, &QAction::triggered, this, &GroupTree::deleteGroup);
    connect(m_addIP, &QAction::triggered, this, &GroupTree::addIP);
    connect(m_deleteIP, &QAction::triggered, this, &GroupTree::deleteIP);

    // What cannot be stored in GroupIP.csv is refused at the edit, not
    // found changed after the next save and load.
    m_tree->setEditCheck([](const QTreeWidgetItem *item, int column, const QString &text) {
        GroupIpFile::Field field;
        if (!item->parent() && column == ColumnGroup)
            field = GroupIpFile::Field::GroupName;
        else if (item->parent() && column == ColumnIP)
            field = GroupIpFile::Field::Address;
        else if (item->parent() && column == ColumnName)
            field = GroupIpFile::Field::ProjectorName;
        else
            return QString();
        const QString why = GroupIpFile::storeProblem(field, text);
        return why.isEmpty() ? why : tr("Not changed: %1.").arg(why);
    });
    connect(m_tree, &MyTreeIP::sigEditRefused, this, &GroupTree::sigEditRefused);
    connect(m_dispatch, &CommandDispatch::sigConnectedAdded, this, [this](const QString &ip) { markConnected(ip); });
    connect(m_dispatch, &CommandDispatch::sigConnectedRemoved, this,
            [this](const QString &ip) { markConnected(ip, false); });
    watchModel();
}

void GroupTree::watchModel()
{
    QAbstractItemModel *model = m_tree->model();
    auto dirty = [this] { m_indexDirty = true; };
    // Rows of the "Found" group are indexed as they are made; every other
    // change of the tree's rows or addresses sends the index to be rebuilt.
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_fillingFound)
            m_indexDirty = true;
    });
    connect(model, &QAbstractItemModel::rowsRemoved, this, dirty);
    connect(model, &QAbstractItemModel::rowsMoved, this, dirty);
    connect(model, &QAbstractItemModel::modelReset, this, dirty);
    connect(model, &QAbstractItemModel::layoutChanged, this, dirty);
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
        if (from.column() <= ColumnIP && ColumnIP <= to.column())
            m_indexDirty = true;
    });
}

void GroupTree::rebuildIndex() const
{
    m_rowsByIp.clear();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *groupItem = m_tree->topLevelItem(i);
        for (int j = 0; j < groupItem->childCount(); ++j) {
            QTreeWidgetItem *row = groupItem->child(j);
            m_rowsByIp[row->text(ColumnIP)].append(row);
        }
    }
    m_indexDirty = false;
}

void GroupTree::indexRows(const QList<QTreeWidgetItem *> &rows) const
{
    if (m_indexDirty)
        return;
    for (QTreeWidgetItem *row : rows)
        m_rowsByIp[row->text(ColumnIP)].append(row);
}

bool GroupTree::isGroup(const QTreeWidgetItem *item)
{
    return item && !item->text(ColumnGroup).isEmpty();
}

bool GroupTree::isFoundGroup(const QTreeWidgetItem *item)
{
    return item && !item->parent() && item->text(ColumnGroup) == GroupIpFile::foundGroupName();
}

QTreeWidgetItem *GroupTree::newGroupItem(const QString &name, bool checked, bool fromFile) const
{
    auto *item = new QTreeWidgetItem;
    item->setText(ColumnGroup, name);
    item->setCheckState(ColumnGroup, checkState(checked));
    item->setFlags(fromFile ? LoadedGroupFlags : AddedGroupFlags);
    if (fromFile)
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

QTreeWidgetItem *GroupTree::newIpItem(const GroupIpFile::Projector &projector, bool fromFile) const
{
    auto *item = new QTreeWidgetItem;
    item->setText(ColumnIP, projector.ip);
    item->setText(ColumnName, projector.name);
    item->setCheckState(ColumnGroup, checkState(projector.checked));
    item->setFlags(fromFile ? LoadedIpFlags : AddedIpFlags);
    setConnected(item, false);
    return item;
}

void GroupTree::setConnected(QTreeWidgetItem *item, bool connected)
{
    item->setIcon(ColumnGroup, QIcon(QString::fromLatin1(connected ? IconConnected : IconNotConnected)));
    item->setStatusTip(ColumnGroup, connected ? Connected : QString());
}

void GroupTree::fitColumns()
{
    for (int column = 0; column < m_tree->columnCount(); ++column)
        m_tree->resizeColumnToContents(column);
}

void GroupTree::load(const QString &path)
{
    QStringList warnings;
    const GroupIpFile::Groups groups = GroupIpFile::load(path, &warnings);
    for (const QString &warning : qAsConst(warnings))
        OLOG_WARN() << qUtf8Printable(warning);
    setGroups(groups);
}

void GroupTree::setGroups(const GroupIpFile::Groups &groups)
{
    m_tree->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(groups.size());
    for (const GroupIpFile::Group &group : groups) {
        QTreeWidgetItem *groupItem = newGroupItem(group.name, group.checked, true);
        for (const GroupIpFile::Projector &projector : group.projectors)
            groupItem->addChild(newIpItem(projector, true));
        items.append(groupItem);
    }
    m_tree->addTopLevelItems(items);
    m_tree->expandAll();
    fitColumns();
}

GroupIpFile::Groups GroupTree::groups() const
{
    GroupIpFile::Groups result;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *groupItem = m_tree->topLevelItem(i);
        if (isFoundGroup(groupItem))
            continue;
        GroupIpFile::Group group;
        group.name = groupItem->text(ColumnGroup);
        group.checked = checkedRow(groupItem);
        for (int j = 0; j < groupItem->childCount(); ++j) {
            const QTreeWidgetItem *row = groupItem->child(j);
            GroupIpFile::Projector projector;
            projector.checked = checkedRow(row);
            projector.ip = row->text(ColumnIP);
            projector.name = row->text(ColumnName);
            group.projectors.append(projector);
        }
        result.append(group);
    }
    return result;
}

bool GroupTree::save(const QString &path, QString *error)
{
    if (!GroupIpFile::save(path, groups(), error))
        return false;
    emit sigTreeSaved();
    return true;
}

QStringList GroupTree::addresses(bool (*wanted)(const QTreeWidgetItem *)) const
{
    QStringList result;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *groupItem = m_tree->topLevelItem(i);
        if (isFoundGroup(groupItem))
            continue;
        for (int j = 0; j < groupItem->childCount(); ++j)
            if (wanted(groupItem->child(j)))
                result.append(groupItem->child(j)->text(ColumnIP));
    }
    return result;
}

QStringList GroupTree::allAddresses() const
{
    return addresses(anyRow);
}

QStringList GroupTree::checkedAddresses() const
{
    return addresses(checkedRow);
}

QStringList GroupTree::connectedAddresses() const
{
    return addresses(connectedRow);
}

QString GroupTree::currentAddress() const
{
    const QTreeWidgetItem *current = m_tree->currentItem();
    return current && current->parent() ? current->text(ColumnIP) : QString();
}

void GroupTree::resetConnectionState()
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *groupItem = m_tree->topLevelItem(i);
        for (int j = 0; j < groupItem->childCount(); ++j) {
            QTreeWidgetItem *row = groupItem->child(j);
            setConnected(row, m_dispatch->isConnected(row->text(ColumnIP)));
        }
    }
}

QList<QTreeWidgetItem *> GroupTree::itemsOfIp(const QString &ip) const
{
    if (ip.isEmpty())
        return {};
    if (m_indexDirty)
        rebuildIndex();
    return m_rowsByIp.value(ip);
}

QTreeWidgetItem *GroupTree::foundGroup() const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        if (isFoundGroup(m_tree->topLevelItem(i)))
            return m_tree->topLevelItem(i);
    return nullptr;
}

int GroupTree::markConnected(const QString &ip, bool connected)
{
    const QList<QTreeWidgetItem *> items = itemsOfIp(ip);
    for (QTreeWidgetItem *item : items)
        setConnected(item, connected);
    return items.size();
}

bool GroupTree::udpFoundIP(const QString &ip, const QString &model, const QString &serial, const QString &mac)
{
    if (ip.isEmpty())
        return false;
    const bool known = m_dispatch->isConnected(ip);
    if (!known && m_dispatch->connectedCount() >= MaxDiscovered) {
        // One line per burst, not one per made-up address.
        if (m_ignoredOverCap++ % 256 == 0)
            OLOG_WARN() << "Discovery reply ignored, already" << MaxDiscovered << "addresses known:" << ip
                        << "ignored so far:" << m_ignoredOverCap;
        return false;
    }
    const QList<QTreeWidgetItem *> items = itemsOfIp(ip);
    for (QTreeWidgetItem *item : items) {
        OLOG_DEBUG() << "Found Items:" << items.size() << ip;
        item->setText(ColumnModel, model);
        item->setText(ColumnSerial, serial);
        item->setText(ColumnMac, mac);
    }
    if (!known) {
        // The rows turn connected by following the list.
        m_dispatch->addConnectedIP(ip);
        OLOG_DEBUG() << "Add New IP" << ip;
    }
    if (items.isEmpty()) {
        const QStringList connected = m_dispatch->connectedIPs();
        QTreeWidgetItem *found = foundGroup();
        // The usual case, one new address at the end of a list the group
        // already shows: one row, not a walk over the group.
        const int shown = found ? found->childCount() : -1;
        if (found && found->flags() == FoundGroupFlags && shown == connected.size() - 1 &&
            connected.constLast() == ip &&
            (shown == 0 || found->child(shown - 1)->text(ColumnIP) == connected.at(shown - 1))) {
            QScopedValueRollback<bool> filling(m_fillingFound, true);
            auto *row = new QTreeWidgetItem;
            row->setText(ColumnIP, ip);
            row->setCheckState(ColumnGroup, Qt::Checked);
            row->setFlags(FoundIpFlags);
            setConnected(row, true);
            paintGreen(row);
            found->addChild(row);
            indexRows({row});
        } else {
            checkFoundGroup(connected);
        }
        // The new "Found" row shows what this reply told at once, not only
        // from the next reply on.
        const QList<QTreeWidgetItem *> rows = itemsOfIp(ip);
        for (QTreeWidgetItem *row : rows) {
            row->setText(ColumnModel, model);
            row->setText(ColumnSerial, serial);
            row->setText(ColumnMac, mac);
        }
    }
    return !known;
}

void GroupTree::checkFoundGroup(const QStringList &ips)
{
    QTreeWidgetItem *found = nullptr;
    for (int i = 0; i < m_tree->topLevelItemCount() && !found; ++i)
        if (isFoundGroup(m_tree->topLevelItem(i)))
            found = m_tree->topLevelItem(i);
    int keep = 0;
    if (found) {
        OLOG_DEBUG() << "Found \"Found\" group!";
        // Discovery only ever appends to the list it hands in: rows already
        // listing its beginning stay, so a burst of new addresses costs one
        // row each instead of a rebuild each.
        const bool temporary = found->flags() == FoundGroupFlags;
        while (temporary && keep < found->childCount() && keep < ips.size() &&
               found->child(keep)->text(ColumnIP) == ips.at(keep))
            ++keep;
        while (found->childCount() > keep)
            delete found->takeChild(found->childCount() - 1);
    } else {
        OLOG_DEBUG() << "Create new Found group!";
        found = new QTreeWidgetItem;
        found->setText(ColumnGroup, GroupIpFile::foundGroupName());
        m_tree->addTopLevelItem(found);
    }
    // A "Found" group loaded from the file is taken over as the temporary one.
    found->setText(ColumnIP, tr("(temporary)"));
    found->setToolTip(ColumnIP, tr("Will NOT save in this group!"));
    found->setFlags(FoundGroupFlags);
    found->setData(ColumnGroup, Qt::CheckStateRole, QVariant());
    paintGreen(found);

    QList<QTreeWidgetItem *> rows;
    rows.reserve(ips.size() - keep);
    for (int i = keep; i < ips.size(); ++i) {
        auto *row = new QTreeWidgetItem;
        row->setText(ColumnIP, ips.at(i));
        row->setCheckState(ColumnGroup, Qt::Checked);
        row->setFlags(FoundIpFlags);
        setConnected(row, m_dispatch->isConnected(ips.at(i)));
        paintGreen(row);
        rows.append(row);
    }
    {
        QScopedValueRollback<bool> filling(m_fillingFound, true);
        found->addChildren(rows);
    }
    indexRows(rows);
    found->setExpanded(true);
}

void GroupTree::updateFromAnswer(const QString &ip, const QString &key, const QString &value)
{
    int column = -1;
    if (key.contains(QLatin1String("MODEL")))
        column = ColumnModel;
    else if (key.contains(QLatin1String("SER.NO")))
        column = ColumnSerial;
    if (column < 0)
        return;
    const QList<QTreeWidgetItem *> items = itemsOfIp(ip);
    for (QTreeWidgetItem *item : items)
        item->setText(column, value);
}

void GroupTree::showContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = m_tree->itemAt(pos);
    if (!item)
        return;
    auto *menu = new QMenu(m_tree);
    menu->setObjectName(QStringLiteral("menuGroupIP"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (isGroup(item))
        menu->addActions({m_addGroup, m_deleteGroup});
    else
        menu->addActions({m_addIP, m_deleteIP});
    if (!isGroup(item) && m_menuExtender)
        m_menuExtender(menu, item->text(ColumnIP));
    menu->popup(m_tree->viewport()->mapToGlobal(pos));
}

void GroupTree::addGroup()
{
    OLOG_DEBUG() << "Action: actAddGroup";
    QTreeWidgetItem *current = m_tree->currentItem();
    if (!current)
        return;
    // The group of the current row decides the place, also when the current
    // row is a projector (its own row number would count inside its group).
    QTreeWidgetItem *currentGroup = current->parent() ? current->parent() : current;
    const int row = m_tree->indexOfTopLevelItem(currentGroup);
    QTreeWidgetItem *group = newGroupItem(tr("GroupNew"), true, false);
    m_tree->insertTopLevelItem(row, group);
    m_tree->resizeColumnToContents(ColumnGroup);
    m_tree->setCurrentItem(group);
    GroupIpFile::Projector projector;
    projector.checked = true;
    projector.ip = tr("New IP");
    group->addChild(newIpItem(projector, false));
    group->setExpanded(true);
}

void GroupTree::deleteGroup()
{
    OLOG_DEBUG() << "Action: actDelGroup";
    QTreeWidgetItem *current = m_tree->currentItem();
    if (!current)
        return;
    // The group of the current row, never a group picked by a projector's
    // row number.
    delete (current->parent() ? current->parent() : current);
}

void GroupTree::addIP()
{
    OLOG_DEBUG() << "Action: actAddIP";
    QTreeWidgetItem *current = m_tree->currentItem();
    if (!current || !current->parent())
        return;
    GroupIpFile::Projector projector;
    projector.checked = true;
    projector.ip = tr("New IP");
    QTreeWidgetItem *group = current->parent();
    group->insertChild(group->indexOfChild(current), newIpItem(projector, false));
}

void GroupTree::deleteIP()
{
    OLOG_DEBUG() << "Action: actDelIP";
    QTreeWidgetItem *current = m_tree->currentItem();
    if (!current || !current->parent())
        return;
    delete current;
}

void GroupTree::itemClicked(QTreeWidgetItem *item, int column)
{
    if (!item)
        return;
    QString text = item->text(column);
    switch (column) {
    case ColumnGroup:
        text.prepend(QLatin1String("Group:"));
        for (int i = 0; i < item->childCount(); ++i)
            item->child(i)->setCheckState(ColumnGroup, item->checkState(ColumnGroup));
        break;
    case ColumnIP:
        text.prepend(QLatin1String("IP:"));
        break;
    case ColumnName:
        text.prepend(QLatin1String("Name:"));
        break;
    default:
        break;
    }
    const QString ip = item->text(ColumnIP);
    if (!ip.isEmpty() && m_dispatch->isConnected(ip))
        emit sigTargetClicked(ip);
    OLOG_DEBUG() << qUtf8Printable(text);
}
