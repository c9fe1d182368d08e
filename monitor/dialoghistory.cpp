#include "monitor/dialoghistory.h"
#include "ui_dialoghistory.h"

#include "monitor/history/csvtable.h"
#include "monitor/history/historyeventmodel.h"
#include "monitor/history/historyservice.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
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
    ui->comboBoxKind->addItem(tr("All events"), HistoryEventModel::AllKinds);
    ui->comboBoxKind->addItem(tr("Errors"), HistoryEvent::ErrorAppeared);
    ui->comboBoxKind->addItem(tr("Power"), HistoryEvent::PowerChanged);
    ui->comboBoxKind->addItem(tr("Lost and back"), HistoryEvent::ProjectorLost);
    // In the order of HistoryEvent::Kind.
    const QStringList kindWords{tr("Error"), tr("Error cleared"), tr("Power"), tr("Not answering"),
                                tr("Answering again")};
    m_events = new HistoryEventModel({tr("Time"), tr("Event"), tr("Detail")}, kindWords, this);
    QTableView *table = ui->tableViewEvents;
    table->setModel(m_events);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    // Wide enough for a time and the longest event word, without measuring
    // every row of a long history.
    const QFontMetrics metrics(table->font());
    table->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 24);
    int wordsWidth = metrics.horizontalAdvance(tr("Event"));
    for (const QString &words : kindWords)
        wordsWidth = qMax(wordsWidth, metrics.horizontalAdvance(words));
    table->setColumnWidth(1, wordsWidth + 24);
    connect(ui->comboBoxKind, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &DialogHistory::applyFilter);
    connect(ui->lineEditFilter, &QLineEdit::textChanged, this, &DialogHistory::applyFilter);
    connect(ui->pushButtonExport, &QPushButton::clicked, this, &DialogHistory::exportCsv);
    connect(ui->pushButtonClose, &QPushButton::clicked, this, &QDialog::close);
    buildCharts();

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

void DialogHistory::setErrorDecoder(ErrorDecoder decoder)
{
    m_events->setErrorDecoder(std::move(decoder));
}

void DialogHistory::buildCharts()
{
    QChartView *lamp = chartInto(ui->tabLampHours->layout(), palette());
    m_lampLine = new QLineSeries;
    lamp->chart()->addSeries(m_lampLine);
    m_lampTime = new QDateTimeAxis;
    m_lampTime->setFormat(QStringLiteral("yyyy-MM-dd"));
    lamp->chart()->addAxis(m_lampTime, Qt::AlignBottom);
    m_lampLine->attachAxis(m_lampTime);
    m_lampHours = new QValueAxis;
    m_lampHours->setLabelFormat(QStringLiteral("%d"));
    m_lampHours->setTitleText(tr("Lamp hours"));
    lamp->chart()->addAxis(m_lampHours, Qt::AlignLeft);
    m_lampLine->attachAxis(m_lampHours);

    QChartView *on = chartInto(ui->tabOnHours->layout(), palette());
    m_onHours = new QBarSet(tr("Hours on"));
    auto *bars = new QBarSeries;
    bars->append(m_onHours);
    on->chart()->addSeries(bars);
    m_onDays = new QBarCategoryAxis;
    on->chart()->addAxis(m_onDays, Qt::AlignBottom);
    bars->attachAxis(m_onDays);
    auto *onAxis = new QValueAxis;
    onAxis->setRange(0, 24);
    onAxis->setLabelFormat(QStringLiteral("%d"));
    on->chart()->addAxis(onAxis, Qt::AlignLeft);
    bars->attachAxis(onAxis);
}

void DialogHistory::showHistory(const ProjectorHistory &history)
{
    ui->labelState->setText(tr("%n event(s)", nullptr, int(history.events.size())));
    m_events->setEvents(history.events, history.eventTimes);

    // One replace, not a signal per point.
    QVector<QPointF> points;
    points.reserve(history.lampHours.size());
    int lowest = 0;
    int highest = 0;
    for (const auto &sample : history.lampHours) {
        points.append(QPointF(double(sample.first.toMSecsSinceEpoch()), sample.second));
        lowest = points.size() == 1 ? sample.second : qMin(lowest, sample.second);
        highest = points.size() == 1 ? sample.second : qMax(highest, sample.second);
    }
    m_lampLine->replace(points);
    if (!history.lampHours.isEmpty()) {
        m_lampTime->setRange(history.lampHours.constFirst().first.toLocalTime(),
                             history.lampHours.constLast().first.toLocalTime());
        m_lampHours->setRange(lowest, qMax(highest, lowest + 1));
        m_lampHours->applyNiceNumbers();
    }

    // The last 30 days with data, oldest first.
    QStringList days;
    QList<qreal> hours;
    const QList<QDate> dates = history.onHoursPerDay.keys();
    for (int i = qMax(0, int(dates.size()) - 30); i < dates.size(); ++i) {
        days.append(dates.at(i).toString(QStringLiteral("MM-dd")));
        hours.append(history.onHoursPerDay.value(dates.at(i)));
    }
    m_onHours->remove(0, m_onHours->count());
    m_onHours->append(hours);
    m_onDays->setCategories(days);
}

void DialogHistory::applyFilter()
{
    m_events->setFilter(ui->comboBoxKind->currentData().toInt(), ui->lineEditFilter->text());
}

QVector<QStringList> DialogHistory::shownRows() const
{
    return CsvTable::rowsOf(*m_events);
}

void DialogHistory::exportCsv()
{
    const QString suggested = QDir(m_exportFolder).filePath(
        QStringLiteral("%1_history.csv").arg(QString(m_ip).replace(QLatin1Char(':'), QLatin1Char('_'))));
    const QString path = QFileDialog::getSaveFileName(this, tr("Export history"), suggested, tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    // The file keeps its column names in English, whatever the window's language.
    QString error;
    if (!CsvTable::write(path, {QStringLiteral("Time"), QStringLiteral("Event"), QStringLiteral("Detail")},
                         shownRows(), &error))
        QMessageBox::warning(this, tr("Export history"), tr("The file could not be written: %1").arg(error));
}
