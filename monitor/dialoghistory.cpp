#include "monitor/dialoghistory.h"
#include "ui_dialoghistory.h"

#include "monitor/history/csvtable.h"
#include "monitor/history/historyservice.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineSeries>
#include <QMessageBox>
#include <QValueAxis>

using namespace QtCharts;

namespace {

QChartView *chartInto(QLayout *layout, const QPalette &palette)
{
    auto *view = new QChartView;
    view->setRenderHint(QPainter::Antialiasing);
    // The chart follows the window's look instead of a white box on Dark.
    view->chart()->setTheme(palette.color(QPalette::Window).lightness() < 128 ? QChart::ChartThemeDark
                                                                              : QChart::ChartThemeLight);
    view->chart()->legend()->hide();
    view->chart()->setBackgroundRoundness(0);
    layout->addWidget(view);
    return view;
}

} // namespace

DialogHistory::DialogHistory(HistoryService *history, const QString &ip, const QString &title, QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogHistory), m_history(history), m_ip(ip)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("History of %1").arg(title));
    ui->labelProjector->setText(title);
    ui->comboBoxKind->addItem(tr("All events"), -1);
    ui->comboBoxKind->addItem(tr("Errors"), HistoryEvent::ErrorAppeared);
    ui->comboBoxKind->addItem(tr("Power"), HistoryEvent::PowerChanged);
    ui->comboBoxKind->addItem(tr("Lost and back"), HistoryEvent::ProjectorLost);
    ui->tableWidgetEvents->setColumnCount(3);
    ui->tableWidgetEvents->setHorizontalHeaderLabels({tr("Time"), tr("Event"), tr("Detail")});
    ui->tableWidgetEvents->horizontalHeader()->setStretchLastSection(true);
    ui->tableWidgetEvents->verticalHeader()->hide();
    connect(ui->comboBoxKind, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &DialogHistory::applyFilter);
    connect(ui->lineEditFilter, &QLineEdit::textChanged, this, &DialogHistory::applyFilter);
    connect(ui->pushButtonExport, &QPushButton::clicked, this, &DialogHistory::exportCsv);
    connect(ui->pushButtonClose, &QPushButton::clicked, this, &QDialog::close);

    if (!history || !history->isOn()) {
        ui->labelState->setText(tr("History is off: %1").arg(history ? history->offReason() : QString()));
        return;
    }
    ui->labelState->setText(tr("Loading…"));
    connect(history, &HistoryService::projectorHistoryReady, this,
            [this](int request, const ProjectorHistory &answer) {
                if (request == m_request)
                    showHistory(answer);
            });
    m_request = history->requestProjectorHistory(ip);
}

DialogHistory::~DialogHistory()
{
    delete ui;
}

QString DialogHistory::eventWords(const HistoryEvent &event) const
{
    switch (event.kind) {
    case HistoryEvent::ErrorAppeared:
        return tr("Error");
    case HistoryEvent::ErrorCleared:
        return tr("Error cleared");
    case HistoryEvent::PowerChanged:
        return tr("Power");
    case HistoryEvent::ProjectorLost:
        return tr("Not answering");
    case HistoryEvent::ProjectorBack:
        return tr("Answering again");
    }
    return QString();
}

QString DialogHistory::detailWords(const HistoryEvent &event) const
{
    if ((event.kind == HistoryEvent::ErrorAppeared || event.kind == HistoryEvent::ErrorCleared) && m_decode)
        return event.detail + QStringLiteral("  ") + m_decode(event.detail).simplified();
    return event.detail;
}

void DialogHistory::showHistory(const ProjectorHistory &history)
{
    m_shown = history;
    ui->labelState->setText(tr("%n event(s)", nullptr, int(history.events.size())));
    applyFilter();

    QChartView *lamp = chartInto(ui->tabLampHours->layout(), palette());
    auto *line = new QLineSeries;
    for (const auto &sample : history.lampHours)
        line->append(double(sample.first.toMSecsSinceEpoch()), sample.second);
    lamp->chart()->addSeries(line);
    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy-MM-dd"));
    lamp->chart()->addAxis(time, Qt::AlignBottom);
    line->attachAxis(time);
    auto *hours = new QValueAxis;
    hours->setLabelFormat(QStringLiteral("%d"));
    hours->setTitleText(tr("Lamp hours"));
    lamp->chart()->addAxis(hours, Qt::AlignLeft);
    line->attachAxis(hours);

    QChartView *on = chartInto(ui->tabOnHours->layout(), palette());
    auto *set = new QBarSet(tr("Hours on"));
    QStringList days;
    // The last 30 days with data, oldest first.
    const QList<QDate> dates = history.onHoursPerDay.keys();
    for (int i = qMax(0, int(dates.size()) - 30); i < dates.size(); ++i) {
        days.append(dates.at(i).toString(QStringLiteral("MM-dd")));
        *set << history.onHoursPerDay.value(dates.at(i));
    }
    auto *bars = new QBarSeries;
    bars->append(set);
    on->chart()->addSeries(bars);
    auto *dayAxis = new QBarCategoryAxis;
    dayAxis->append(days);
    on->chart()->addAxis(dayAxis, Qt::AlignBottom);
    bars->attachAxis(dayAxis);
    auto *onAxis = new QValueAxis;
    onAxis->setRange(0, 24);
    onAxis->setLabelFormat(QStringLiteral("%d"));
    on->chart()->addAxis(onAxis, Qt::AlignLeft);
    bars->attachAxis(onAxis);
}

void DialogHistory::applyFilter()
{
    const int kind = ui->comboBoxKind->currentData().toInt();
    const QString text = ui->lineEditFilter->text().trimmed();
    QTableWidget *table = ui->tableWidgetEvents;
    table->setRowCount(0);
    for (const HistoryEvent &event : qAsConst(m_shown.events)) {
        const bool kindMatches = kind < 0 || event.kind == kind ||
                                 (kind == HistoryEvent::ErrorAppeared && event.kind == HistoryEvent::ErrorCleared) ||
                                 (kind == HistoryEvent::ProjectorLost && event.kind == HistoryEvent::ProjectorBack);
        const QStringList cells{event.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                eventWords(event), detailWords(event)};
        if (!kindMatches || (!text.isEmpty() && !cells.join(QLatin1Char(' ')).contains(text, Qt::CaseInsensitive)))
            continue;
        const int row = table->rowCount();
        table->insertRow(row);
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
    table->resizeColumnToContents(0);
    table->resizeColumnToContents(1);
}

QStringList DialogHistory::exportHeader()
{
    return {QStringLiteral("Time"), QStringLiteral("Event"), QStringLiteral("Detail")};
}

QVector<QStringList> DialogHistory::shownRows() const
{
    QVector<QStringList> rows;
    const QTableWidget *table = ui->tableWidgetEvents;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.append(table->item(row, column) ? table->item(row, column)->text() : QString());
        rows.append(cells);
    }
    return rows;
}

void DialogHistory::exportCsv()
{
    const QString suggested = QDir(m_exportFolder).filePath(
        QStringLiteral("%1_history.csv").arg(QString(m_ip).replace(QLatin1Char(':'), QLatin1Char('_'))));
    const QString path = QFileDialog::getSaveFileName(this, tr("Export history"), suggested, tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!CsvTable::write(path, exportHeader(), shownRows(), &error))
        QMessageBox::warning(this, tr("Export history"), tr("The file could not be written: %1").arg(error));
}
