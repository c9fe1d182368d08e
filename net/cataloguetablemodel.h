#pragma once

#include "net/commandcatalogue.h"

#include <QAbstractTableModel>
#include <QPointer>

// The command console's table: the catalogue rows of one projector (its
// model's rows with its own values, and rows added for it by hand), with the
// columns of the catalogue ("IP:Category", function name, op word, value,
// then the hidden fields). An empty address shows the default file's rows.
// Follows the catalogue: rows appear when the projector's model arrives,
// values as they are answered.
class CatalogueTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CatalogueTableModel(CommandCatalogue *catalogue, QObject *parent = nullptr);

    void setAddress(const QString &ip);
    QString address() const { return m_ip; }
    // The catalogue's number of the row shown at tableRow, or -1.
    int catalogueRow(int tableRow) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void reload();
    void onRowsChanged(const QString &ip);
    void onValueChanged(int row);

    QPointer<CommandCatalogue> m_catalogue;
    QString m_ip;
    CommandCatalogue::RowsOfIp m_rows;
};
