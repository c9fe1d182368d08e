#include "net/cataloguetablemodel.h"

CatalogueTableModel::CatalogueTableModel(CommandCatalogue *catalogue, QObject *parent)
    : QAbstractTableModel(parent), m_catalogue(catalogue)
{
    connect(catalogue, &CommandCatalogue::sigRowsChanged, this, &CatalogueTableModel::onRowsChanged);
    connect(catalogue, &CommandCatalogue::sigValueChanged, this, &CatalogueTableModel::onValueChanged);
    reload();
}

void CatalogueTableModel::setAddress(const QString &ip)
{
    if (ip == m_ip)
        return;
    m_ip = ip;
    reload();
}

void CatalogueTableModel::reload()
{
    beginResetModel();
    m_rows = m_catalogue ? m_catalogue->rowsOf(m_ip) : CommandCatalogue::RowsOfIp();
    endResetModel();
}

void CatalogueTableModel::onRowsChanged(const QString &ip)
{
    if (ip.isEmpty() || ip == m_ip)
        reload();
}

void CatalogueTableModel::onValueChanged(int row)
{
    // A projector's values lie in its block; rows added by hand are few.
    int tableRow = -1;
    if (row >= m_rows.blockFirst && row < m_rows.blockFirst + m_rows.blockCount)
        tableRow = m_rows.extra.size() + row - m_rows.blockFirst;
    else
        tableRow = m_rows.extra.indexOf(row);
    if (tableRow < 0)
        return;
    const QModelIndex cell = index(tableRow, CommandCatalogue::ValueColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

int CatalogueTableModel::catalogueRow(int tableRow) const
{
    if (tableRow < 0 || tableRow >= m_rows.extra.size() + m_rows.blockCount)
        return -1;
    if (tableRow < m_rows.extra.size())
        return m_rows.extra.at(tableRow);
    return m_rows.blockFirst + tableRow - m_rows.extra.size();
}

int CatalogueTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.extra.size() + m_rows.blockCount;
}

int CatalogueTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.columns;
}

QVariant CatalogueTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || !m_catalogue ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_catalogue->fieldText(catalogueRow(index.row()), index.column());
}

QVariant CatalogueTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < CommandCatalogue::headerLabels().size())
        return CommandCatalogue::headerLabels().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CatalogueTableModel::flags(const QModelIndex &index) const
{
    // The command table sends on double-click; an editor must not open there.
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
