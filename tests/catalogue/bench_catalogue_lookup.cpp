// Cost of handling one projector answer in the catalogue (value update plus
// the two lookups the console and the panel make) with one projector loaded
// and with a fleet of 250, each with the full laser catalogue.
//
//   bench_catalogue_lookup [answers-per-round]
//
// Two workloads for the fleet: the answers of one projector (a panel refresh
// or a console session while the others sit loaded), and answers spread over
// every projector in random order (a status sweep). The first shows what the
// lookups themselves cost as the catalogue grows; the second adds the cache
// misses of touching one cold row among tens of thousands.

#include "tests/common/testenvironment.h"

#include "app/orvlog/OrvLog.h"
#include "net/cataloguefiles.h"
#include "net/commandcatalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

struct Answer
{
    QString ip;
    QString name;
    QString op;
    QString value;
};

QString pluginFolder()
{
    const QString shipped = CatalogueFiles::pluginFolder(TestEnvironment::binDir());
    if (QFileInfo(CatalogueFiles::cataloguePath(shipped, "KX4410Q")).isFile())
        return shipped;
    return CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
}

// Addresses of one /24 network, as a site would number its projectors; the
// short ones are contained in longer ones (10.20.0.1 in 10.20.0.10 ...).
QStringList fleetAddresses(int count)
{
    QStringList ips;
    for (int i = 1; i <= count; ++i)
        ips.append(QStringLiteral("10.20.0.%1").arg(i));
    return ips;
}

QVector<Answer> answersFor(const CommandCatalogue &model, const QStringList &ips, const QStringList &answering)
{
    // Every queryable command of the catalogue, answered by every projector
    // in turn, the way a status sweep and panel refreshes deliver them.
    QVector<Answer> answers;
    const QString first = ips.first();
    for (int row = 0; row < model.rowCount(); ++row) {
        if (!model.fieldText(row, CommandCatalogue::CategoryColumn).startsWith(first + ':'))
            continue;
        if (!model.fieldText(row, CommandCatalogue::QueryColumn).contains('?'))
            continue;
        const QString name = model.fieldText(row, CommandCatalogue::FunctionNameColumn);
        const QString op = model.fieldText(row, CommandCatalogue::OpCommandColumn);
        for (int i = 0; i < answering.size(); ++i)
            answers.append({answering.at(i), name, op, QString::number(i % 3)});
    }
    std::shuffle(answers.begin(), answers.end(), std::mt19937(4410));
    return answers;
}

struct Result
{
    double loadMs = 0;
    double nsPerAnswer = 0;
    int rows = 0;
};

Result measure(int projectors, bool wholeFleetAnswers, int answersPerRound)
{
    const QString plugins = pluginFolder();
    CommandCatalogue model;
    model.loadCommandFile(CatalogueFiles::cataloguePath(plugins, "default"));
    const QStringList ips = fleetAddresses(projectors);
    QElapsedTimer timer;
    timer.start();
    for (const QString &ip : ips)
        model.loadCatalogueForIP(ip, "KX4410Q", plugins);
    Result result;
    result.loadMs = timer.nsecsElapsed() / 1e6;
    result.rows = model.rowCount();

    // The one projector answering alone is the middle of the fleet.
    const QStringList answering = wholeFleetAnswers ? ips : QStringList{ips.at(ips.size() / 2)};
    const QVector<Answer> answers = answersFor(model, ips, answering);
    // Warm up: the first question about an address builds its lookup table.
    for (const Answer &answer : answers)
        model.cmdName2opByIP(answer.name, answer.ip);

    QVector<double> rounds;
    int sink = 0;
    for (int round = 0; round < 7; ++round) {
        timer.restart();
        for (int i = 0; i < answersPerRound; ++i) {
            const Answer &answer = answers.at(i % answers.size());
            model.updateCatalogueValue(answer.ip, answer.op, answer.value);
            sink += model.cmdName2opByIP(answer.name, answer.ip).size();
            sink += model.cmdOp2Name(answer.op, answer.ip).size();
        }
        rounds.append(double(timer.nsecsElapsed()) / answersPerRound);
    }
    std::sort(rounds.begin(), rounds.end());
    result.nsPerAnswer = rounds.at(rounds.size() / 2);
    if (sink == 0)
        std::printf("no lookup succeeded\n");
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QCoreApplication app(argc, argv);
    const int perRound = argc > 1 ? QByteArray(argv[1]).toInt() : 200000;
    // Debug lines are not formatted at the level the program runs with.
    OrvLogging::Logger::instance().setLoggingLevel(OrvLogging::InfoLevel);

    const Result one = measure(1, false, perRound);
    const Result single = measure(250, false, perRound);
    const Result fleet = measure(250, true, perRound);
    std::printf("catalogue rows: %d (1 projector), %d (250 projectors)\n", one.rows, fleet.rows);
    std::printf("loading: %.1f ms (1 projector), %.1f ms (250 projectors, %.2f ms each)\n", one.loadMs, fleet.loadMs,
                fleet.loadMs / 250);
    std::printf("one answer (updateCatalogueValue + cmdName2opByIP + cmdOp2Name):\n");
    std::printf("  1 projector loaded:                         %8.0f ns\n", one.nsPerAnswer);
    std::printf("  250 loaded, answers of one projector:       %8.0f ns  ratio %.2f\n", single.nsPerAnswer,
                single.nsPerAnswer / one.nsPerAnswer);
    std::printf("  250 loaded, answers from all, random order: %8.0f ns  ratio %.2f\n", fleet.nsPerAnswer,
                fleet.nsPerAnswer / one.nsPerAnswer);
    std::printf("target ratio <= 2\n");
    return 0;
}
