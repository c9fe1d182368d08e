#pragma once

#include <QAbstractItemModel>
#include <functional>
#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QStringList>
#include <QVector>

// The status table: one row per monitored projector, one text per column.
// Rows whose address is not in the connected list are shown greyed and
// cannot be selected.
//
// Answers arrive by the thousand during a sweep, so a row is found by its
// exact address through an index (never by containment: an answer from
// 10.0.0.1 must not land in the row of 10.0.0.11).
class TableModelStatus final : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column
    {
        AddressColumn = 0,
        ModelColumn = 1,
        SerialColumn = 2,
        StatusColumn = 3,
        ErrorCodeColumn = 4,
        HoursColumn = 5,
        LifeColumn = 6, // hidden: rated light-source life of the row's model
        InputColumn = 7,
        SignalColumn = 8,
        ColumnCount = 9
    };
    Q_ENUM(Column)

    // The first line is a header and skipped; every further non-empty line
    // is split at "," (empty parts dropped) into the cells of a new row.
    TableModelStatus(const QStringList &headers, const QStringList &lines, QObject *parent = nullptr);

    // The nine translated header texts.
    static QStringList defaultHeaders();
    // Replaces every row by one row per address (values are lost).
    void resetAddresses(const QStringList &addresses);

    // Row of exactly this address (the first one when listed twice), or -1.
    int rowOfAddress(const QString &ip) const;
    QString cell(int row, int column) const;
    // Stores text and signals the change when it differs.
    void setCell(int row, int column, const QString &text);

    QStringList connectedList() const { return m_connectedList; }
    // Extra words on the lamp-hours cell of an address (every lamp of a
    // PJLink projector); empty text removes them.
    void setHoursToolTip(const QString &ip, const QString &text);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;

    // Lamp picture of a power-state code: 48 x 24, null for codes without one.
    static QPixmap lampPicture(const QString &code);

    // The word of a power-state code ("On", "Standby", ...); "No answer" for
    // anything else, an empty cell included.
    static QString stateWord(const QString &code);
    // True for a row in error: state 4 or an error code other than 0000.
    bool rowInError(int row) const;
    // Rated-life percentage of the row's light source, -1 when unknown.
    int lifePercent(int row) const;

    // The projector the console and the control panel act on: its row is
    // drawn in bold. Kept when the rows are rebuilt.
    void setTargetAddress(const QString &ip);
    QString targetAddress() const { return m_target; }
    // Tool-tip sources: the tree name of an address, the words of an error
    // code. Without them the tool tips show the cells alone.
    void setNameLookup(std::function<QString(const QString &)> lookup) { m_nameOf = std::move(lookup); }
    void setErrorDecoder(std::function<QString(const QString &)> decoder) { m_decodeError = std::move(decoder); }

public slots:
    void slotUpdateConnectedIP(const QStringList &addresses);

private:
    void rebuildAddressIndex() const;
    QVariant toolTip(int row, int column) const;
    void emitRowChanged(int row);

    QStringList m_headers;
    QVector<QStringList> m_rows; // each row holds m_headers.size() cells
    QStringList m_connectedList;
    QHash<QString, QString> m_hoursToolTips;
    QSet<QString> m_connected;
    mutable QHash<QString, int> m_rowByAddress;
    mutable bool m_indexDirty = true;
    QString m_target;
    std::function<QString(const QString &)> m_nameOf;
    std::function<QString(const QString &)> m_decodeError;
};
