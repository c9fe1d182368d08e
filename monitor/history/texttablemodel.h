#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// A read-only table of ready-made texts: a list a dialog fills in one go.
class TextTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const QStringList &header, const QVector<QStringList> &rows);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_header;
    QVector<QStringList> m_rows;
};
