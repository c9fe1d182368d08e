#include "monitor/dialogfleethistory.h"
#include "ui_dialogfleethistory.h"

#include "monitor/history/csvtable.h"
#include "monitor/history/historyservice.h"
#include "monitor/history/texttablemodel.h"

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
    for (QTableView *table : {ui->tableViewLampsDue, ui->tableViewErrors, ui->tableViewUnreachable}) {
        m_lists.append(new TextTableModel(this));
        table->setModel(m_lists.constLast());
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setAlternatingRowColors(true);
        table->verticalHeader()->hide();
        table->horizontalHeader()->setStretchLastSection(true);
        // Column widths from a sample of the rows: a fleet's worth of rows
        // would hold the window while each one is measured.
        table->horizontalHeader()->setResizeContentsPrecision(100);
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

void DialogFleetHistory::showView(const FleetView &view)
{
    auto name = [this](const QString &ip) { return m_namer ? m_namer(ip) : QString(); };
    QVector<QStringList> lamps;
    for (const FleetView::LampDue &due : view.lampsDue)
        lamps.append({due.ip, name(due.ip), QString::number(due.hours), QString::number(due.ratedLife),
                      QString::number(due.days, 'f', 1)});
    m_lists.at(0)->setTable({tr("Address"), tr("Name"), tr("Lamp hours"), tr("Rated life"), tr("Days left")}, lamps);
    QVector<QStringList> errors;
    for (const auto &count : view.errorCounts)
        errors.append({count.first, name(count.first), QString::number(count.second)});
    m_lists.at(1)->setTable({tr("Address"), tr("Name"), tr("Errors")}, errors);
    QVector<QStringList> silent;
    for (const auto &lost : view.unreachable)
        silent.append({lost.first, name(lost.first),
                       lost.second.isValid() ? lost.second.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))
                                             : tr("never answered")});
    m_lists.at(2)->setTable({tr("Address"), tr("Name"), tr("Not answering since")}, silent);
    for (QTableView *table : {ui->tableViewLampsDue, ui->tableViewErrors, ui->tableViewUnreachable})
        table->resizeColumnsToContents();
    ui->labelState->setText(tr("Updated %1").arg(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss"))));
}

void DialogFleetHistory::exportCsv()
{
    const TextTableModel *shown = list(ui->tabWidgetFleet->currentIndex());
    if (!shown)
        return;
    const QStringList names{QStringLiteral("lamps_due"), QStringLiteral("errors"), QStringLiteral("unreachable")};
    const QString suggested = QDir(m_exportFolder)
                                  .filePath(QStringLiteral("fleet_%1.csv").arg(names.value(ui->tabWidgetFleet->currentIndex())));
    const QString path = QFileDialog::getSaveFileName(this, tr("Export fleet history"), suggested,
                                                      tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!CsvTable::write(path, *shown, &error))
        QMessageBox::warning(this, tr("Export fleet history"), tr("The file could not be written: %1").arg(error));
}
