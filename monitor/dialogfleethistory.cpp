#include "monitor/dialogfleethistory.h"
#include "ui_dialogfleethistory.h"

#include "monitor/history/csvtable.h"
#include "monitor/history/historyservice.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>

DialogFleetHistory::DialogFleetHistory(HistoryService *history, Namer namer, RatedLives lives, QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogFleetHistory), m_history(history), m_namer(std::move(namer)),
      m_lives(std::move(lives))
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    for (QTableWidget *table : {ui->tableWidgetLampsDue, ui->tableWidgetErrors, ui->tableWidgetUnreachable}) {
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setAlternatingRowColors(true);
        table->verticalHeader()->hide();
        table->horizontalHeader()->setStretchLastSection(true);
    }
    connect(ui->pushButtonRefresh, &QPushButton::clicked, this, &DialogFleetHistory::refresh);
    connect(ui->pushButtonExport, &QPushButton::clicked, this, &DialogFleetHistory::exportCsv);
    connect(ui->pushButtonClose, &QPushButton::clicked, this, &QDialog::close);
    if (history) {
        connect(history, &HistoryService::fleetViewReady, this, [this](int request, const FleetView &view) {
            if (request == m_request)
                showView(view);
        });
    }
    refresh();
}

DialogFleetHistory::~DialogFleetHistory()
{
    delete ui;
}

void DialogFleetHistory::refresh()
{
    if (!m_history || !m_history->isOn()) {
        ui->labelState->setText(tr("History is off: %1").arg(m_history ? m_history->offReason() : QString()));
        return;
    }
    ui->labelState->setText(tr("Loading…"));
    m_request = m_history->requestFleetView(m_lives ? m_lives() : QHash<QString, int>());
}

void DialogFleetHistory::fill(QTableWidget *table, const QStringList &header, const QVector<QStringList> &rows)
{
    table->clear();
    table->setColumnCount(header.size());
    table->setHorizontalHeaderLabels(header);
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    }
    table->resizeColumnsToContents();
}

void DialogFleetHistory::showView(const FleetView &view)
{
    auto name = [this](const QString &ip) { return m_namer ? m_namer(ip) : QString(); };
    QVector<QStringList> lamps;
    for (const FleetView::LampDue &due : view.lampsDue)
        lamps.append({due.ip, name(due.ip), QString::number(due.hours), QString::number(due.ratedLife),
                      QString::number(due.days, 'f', 1)});
    fill(ui->tableWidgetLampsDue, {tr("Address"), tr("Name"), tr("Lamp hours"), tr("Rated life"), tr("Days left")},
         lamps);
    QVector<QStringList> errors;
    for (const auto &count : view.errorCounts)
        errors.append({count.first, name(count.first), QString::number(count.second)});
    fill(ui->tableWidgetErrors, {tr("Address"), tr("Name"), tr("Errors")}, errors);
    QVector<QStringList> silent;
    for (const auto &lost : view.unreachable)
        silent.append({lost.first, name(lost.first),
                       lost.second.isValid() ? lost.second.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                                             : tr("never answered")});
    fill(ui->tableWidgetUnreachable, {tr("Address"), tr("Name"), tr("Not answering since")}, silent);
    ui->labelState->setText(tr("Updated %1").arg(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss"))));
}

QStringList DialogFleetHistory::headerOf(const QTableWidget *table)
{
    QStringList header;
    for (int column = 0; column < table->columnCount(); ++column)
        header.append(table->horizontalHeaderItem(column) ? table->horizontalHeaderItem(column)->text() : QString());
    return header;
}

QVector<QStringList> DialogFleetHistory::rowsOf(const QTableWidget *table)
{
    QVector<QStringList> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.append(table->item(row, column) ? table->item(row, column)->text() : QString());
        rows.append(cells);
    }
    return rows;
}

void DialogFleetHistory::exportCsv()
{
    const QTableWidget *table = ui->tabWidgetFleet->currentWidget()->findChild<QTableWidget *>();
    if (!table)
        return;
    const QStringList names{QStringLiteral("lamps_due"), QStringLiteral("errors"), QStringLiteral("unreachable")};
    const QString suggested = QDir(m_exportFolder)
                                  .filePath(QStringLiteral("fleet_%1.csv").arg(names.value(ui->tabWidgetFleet->currentIndex())));
    const QString path = QFileDialog::getSaveFileName(this, tr("Export fleet history"), suggested,
                                                      tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!CsvTable::write(path, headerOf(table), rowsOf(table), &error))
        QMessageBox::warning(this, tr("Export fleet history"), tr("The file could not be written: %1").arg(error));
}
