#include "monitor/tablemodelstatus.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QTextDocument>

namespace {

// Right | HCenter | VCenter for the hours bar, centred both ways elsewhere:
// the values the status view has always been given.
constexpr int HoursAlignment = 134;
constexpr int CellAlignment = 132;

QPixmap drawLamp(int code)
{
    QPixmap picture(48, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QPixmap dark(QStringLiteral(":/images/Lamp0_24x24.png"));
    switch (code) {
    case 0:
    case 3:
        painter.drawPixmap(0, -2, dark);
        break;
    case 1:
    case 2:
        painter.drawPixmap(0, 0, QPixmap(QStringLiteral(":/images/Lamp1_24x24.png")));
        break;
    case 4:
        painter.drawPixmap(0, -2, dark);
        painter.drawPixmap(24, 0, QPixmap(QStringLiteral(":/images/Warning_24x24.png")));
        break;
    default:
        break;
    }
    return picture;
}

} // namespace

TableModelStatus::TableModelStatus(const QStringList &headers, const QStringList &lines, QObject *parent)
    : QAbstractItemModel(parent), m_headers(headers)
{
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        QStringList cells = line.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (QString &text : cells)
            text = text.simplified();
        cells = cells.mid(0, m_headers.size());
        while (cells.size() < m_headers.size())
            cells.append(QString());
        m_rows.append(cells);
    }
}

QStringList TableModelStatus::defaultHeaders()
{
    return {tr("IP Address"), tr("ModelName"), tr("SerialNumber"), tr("Status"), tr("Err"),
            tr("Lamp Hours"), tr("LIFE"),      tr("Input"),        tr("Signal")};
}

void TableModelStatus::resetAddresses(const QStringList &addresses)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(addresses.size());
    for (const QString &address : addresses) {
        QStringList cells;
        cells.reserve(m_headers.size());
        for (int column = 0; column < m_headers.size(); ++column)
            cells.append(column == AddressColumn ? address.simplified() : QString());
        m_rows.append(cells);
    }
    m_indexDirty = true;
    endResetModel();
}

void TableModelStatus::rebuildAddressIndex() const
{
    m_rowByAddress.clear();
    m_rowByAddress.reserve(m_rows.size());
    for (int row = m_rows.size() - 1; row >= 0; --row) {
        if (!m_rows.at(row).isEmpty())
            m_rowByAddress.insert(m_rows.at(row).at(AddressColumn), row); // the first row wins
    }
    m_indexDirty = false;
}

int TableModelStatus::rowOfAddress(const QString &ip) const
{
    if (ip.isEmpty())
        return -1;
    if (m_indexDirty)
        rebuildAddressIndex();
    return m_rowByAddress.value(ip, -1);
}

QString TableModelStatus::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows.at(row).size())
        return QString();
    return m_rows.at(row).at(column);
}

void TableModelStatus::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_rows.at(row).size())
        return;
    if (m_rows.at(row).at(column) == text)
        return; // a sweep mostly repeats what is shown: no repaint for it
    setData(index(row, column), text, Qt::EditRole);
}

QModelIndex TableModelStatus::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= m_rows.size() || column < 0 || column >= m_headers.size())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex TableModelStatus::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int TableModelStatus::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int TableModelStatus::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_headers.size();
}

QVariant TableModelStatus::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headers.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_rows.at(index.row()).at(index.column());
    case Qt::TextAlignmentRole:
        return index.column() == HoursColumn ? HoursAlignment : CellAlignment;
    case Qt::ToolTipRole: {
        // A PJLink projector's lamps (every lamp, on or off) say more than
        // the first lamp's share of its life.
        QString tip;
        if (index.column() == HoursColumn && !m_hoursToolTips.isEmpty())
            tip = m_hoursToolTips.value(m_rows.at(index.row()).at(AddressColumn));
        if (tip.isEmpty())
            tip = toolTip(index.row(), index.column()).toString();
        if (tip.isEmpty())
            return QVariant();
        // A tooltip that looks like markup is rendered as markup; what
        // projectors and files say is shown as the text it is.
        return Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip, Qt::WhiteSpacePre) : tip;
    }
    case Qt::AccessibleTextRole:
        if (index.column() == StatusColumn)
            return stateWord(m_rows.at(index.row()).at(index.column()));
        return m_rows.at(index.row()).at(index.column());
    case Qt::BackgroundRole:
        // Translucent, so the tint reads on the dark and the light look and
        // the alternating rows stay apart.
        if (rowInError(index.row()))
            return QColor(220, 40, 30, 70);
        return QVariant();
    case Qt::FontRole:
        if (!m_target.isEmpty() && m_rows.at(index.row()).at(AddressColumn) == m_target) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::DecorationRole:
        if (index.column() == StatusColumn) {
            const QPixmap picture = lampPicture(m_rows.at(index.row()).at(index.column()));
            if (!picture.isNull())
                return picture;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

void TableModelStatus::setHoursToolTip(const QString &ip, const QString &text)
{
    if (text.isEmpty())
        m_hoursToolTips.remove(ip);
    else
        m_hoursToolTips.insert(ip, text);
}

QPixmap TableModelStatus::lampPicture(const QString &code)
{
    bool ok = false;
    const int value = code.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 4)
        return QPixmap();
    // Five pictures for the whole table, drawn once: repaints ask for them
    // on every row.
    static QHash<int, QPixmap> cache;
    auto found = cache.find(value);
    if (found == cache.end())
        found = cache.insert(value, drawLamp(value));
    return found.value();
}

QString TableModelStatus::stateWord(const QString &code)
{
    bool ok = false;
    const int value = code.trimmed().toInt(&ok);
    switch (ok ? value : -1) {
    case 0:
        return tr("Standby");
    case 1:
        return tr("Warming up");
    case 2:
        return tr("On");
    case 3:
        return tr("Cooling down");
    case 4:
        return tr("Error");
    default:
        return tr("No answer");
    }
}

bool TableModelStatus::rowInError(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return false;
    if (m_rows.at(row).at(StatusColumn).trimmed() == QLatin1String("4"))
        return true;
    bool ok = false;
    const int code = m_rows.at(row).at(ErrorCodeColumn).trimmed().toInt(&ok, 16);
    return ok && code != 0;
}

int TableModelStatus::lifePercent(int row) const
{
    bool hoursOk = false;
    bool lifeOk = false;
    const qint64 hours = cell(row, HoursColumn).trimmed().toLongLong(&hoursOk);
    const qint64 life = cell(row, LifeColumn).trimmed().toLongLong(&lifeOk);
    if (!hoursOk || !lifeOk || life <= 0 || hours < 0)
        return -1;
    return int(qMin<qint64>(hours * 100 / life, 100000));
}

QVariant TableModelStatus::toolTip(int row, int column) const
{
    const QString text = m_rows.at(row).at(column);
    switch (column) {
    case AddressColumn: {
        const QString name = m_nameOf ? m_nameOf(text) : QString();
        return name.isEmpty() ? text : name;
    }
    case StatusColumn:
        return text.isEmpty() ? stateWord(text) : tr("%1 (state %2)").arg(stateWord(text), text);
    case ErrorCodeColumn: {
        if (text.isEmpty())
            return QVariant();
        const QString words = m_decodeError ? m_decodeError(text).simplified() : QString();
        return words.isEmpty() ? text : tr("%1: %2").arg(text, words);
    }
    case HoursColumn: {
        const int percent = lifePercent(row);
        if (percent < 0)
            return text.isEmpty() ? QVariant() : tr("%1 h (rated life unknown)").arg(text);
        const QString line = tr("%1 h of %2 h rated life: %3 %").arg(text, cell(row, LifeColumn)).arg(percent);
        if (percent <= 100)
            return line;
        return QString(line + QLatin1Char('\n') + tr("Past its rated life: replace the light source."));
    }
    default:
        return text.isEmpty() ? QVariant() : text;
    }
}

void TableModelStatus::emitRowChanged(int row)
{
    if (row >= 0 && row < m_rows.size())
        emit dataChanged(index(row, 0), index(row, m_headers.size() - 1), {Qt::FontRole});
}

void TableModelStatus::setTargetAddress(const QString &ip)
{
    if (ip == m_target)
        return;
    const int previous = rowOfAddress(m_target);
    m_target = ip;
    emitRowChanged(previous);
    emitRowChanged(rowOfAddress(ip));
}

bool TableModelStatus::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size() || index.column() >= m_headers.size())
        return false;
    m_rows[index.row()][index.column()] = value.toString();
    if (index.column() == AddressColumn)
        m_indexDirty = true;
    if (index.column() == StatusColumn || index.column() == ErrorCodeColumn)
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), m_headers.size() - 1)); // row tint
    else
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TableModelStatus::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return Qt::NoItemFlags;
    if (!m_connected.contains(m_rows.at(index.row()).value(AddressColumn)))
        return Qt::NoItemFlags;
    return QAbstractItemModel::flags(index) | Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant TableModelStatus::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return QVariant();
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case StatusColumn:
            return tr("0 Standby, 1 Warming up, 2 On, 3 Cooling down, 4 Error; empty: No answer");
        case ErrorCodeColumn:
            return tr("Error code; rows in error are tinted red. Point at a code for its meaning.");
        case HoursColumn:
            return tr("Light-source hours against the rated life: green, brown past 75 %, red past 90 %, "
                      "\"Replace\" past the rated life");
        default:
            return QVariant();
        }
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    return m_headers.at(section);
}

bool TableModelStatus::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > m_rows.size() || count <= 0)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    QStringList empty;
    for (int column = 0; column < m_headers.size(); ++column)
        empty.append(QString());
    m_rows.insert(row, count, empty);
    m_indexDirty = true;
    endInsertRows();
    return true;
}

bool TableModelStatus::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > m_rows.size())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_rows.remove(row, count);
    m_indexDirty = true;
    endRemoveRows();
    return true;
}

bool TableModelStatus::insertColumns(int column, int count, const QModelIndex &parent)
{
    if (parent.isValid() || column < 0 || column > m_headers.size() || count <= 0)
        return false;
    beginInsertColumns(parent, column, column + count - 1);
    for (int i = 0; i < count; ++i) {
        m_headers.insert(column, QString());
        for (QStringList &cells : m_rows)
            cells.insert(column, QString());
    }
    m_indexDirty = true;
    endInsertColumns();
    return true;
}

bool TableModelStatus::removeColumns(int column, int count, const QModelIndex &parent)
{
    if (parent.isValid() || column < 0 || count <= 0 || column + count > m_headers.size())
        return false;
    beginRemoveColumns(parent, column, column + count - 1);
    for (int i = 0; i < count; ++i) {
        m_headers.removeAt(column);
        for (QStringList &cells : m_rows)
            cells.removeAt(column);
    }
    m_indexDirty = true;
    endRemoveColumns();
    return true;
}

void TableModelStatus::slotUpdateConnectedIP(const QStringList &addresses)
{
    m_connectedList = addresses;
    m_connected = QSet<QString>(addresses.begin(), addresses.end());
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, m_headers.size() - 1));
}
