// Cost of handling one projector answer in the catalogue (value update plus
// the lookups the console and the panel make), with one projector loaded and
// with a fleet of 250 on one /24 network (10.20.0.1 lies inside 10.20.0.10),
// each with the full laser catalogue. The fleet runs twice: answers of one
// projector (a panel refresh), and answers of all in random order (a status
// sweep, with the cache misses of touching cold rows).
//   bench_catalogue_lookup [answers-per-round]
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
    QString ip, name, op, value;
};

struct Result
{
    double loadMs = 0;
    double nsPerAnswer = 0;
    int rows = 0;
};

QString pluginFolder()
{
    const QString shipped = CatalogueFiles::pluginFolder(TestEnvironment::binDir());
    if (QFileInfo(CatalogueFiles::cataloguePath(shipped, "KX4410Q")).isFile())
        return shipped;
    return CatalogueFiles::pluginFolder(TestEnvironment::sourceDir());
}

// Every queryable command, answered by each answering projector, shuffled.
QVector<Answer> answersFor(const CommandCatalogue &model, const QString &firstIp, const QStringList &answering)
{
    QVector<Answer> answers;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (!model.fieldText(row, CommandCatalogue::CategoryColumn).startsWith(firstIp + ':') ||
            !model.fieldText(row, CommandCatalogue::QueryColumn).contains('?'))
            continue;
        for (int i = 0; i < answering.size(); ++i)
            answers.append({answering.at(i), model.fieldText(row, CommandCatalogue::FunctionNameColumn),
                            model.fieldText(row, CommandCatalogue::OpCommandColumn), QString::number(i % 3)});
    }
    std::shuffle(answers.begin(), answers.end(), std::mt19937(4410));
    return answers;
}

Result measure(int projectors, bool wholeFleetAnswers, int answersPerRound)
{
    const QString plugins = pluginFolder();
    CommandCatalogue model;
    model.loadCommandFile(CatalogueFiles::cataloguePath(plugins, "default"));
    QStringList ips;
    for (int i = 1; i <= projectors; ++i)
        ips.append(QStringLiteral("10.20.0.%1").arg(i));
    QElapsedTimer timer;
    timer.start();
    for (const QString &ip : ips)
        model.loadCatalogueForIP(ip, "KX4410Q", plugins);
    Result result;
    result.loadMs = timer.nsecsElapsed() / 1e6;
    result.rows = model.rowCount();

    const QStringList answering = wholeFleetAnswers ? ips : QStringList{ips.at(ips.size() / 2)};
    const QVector<Answer> answers = answersFor(model, ips.first(), answering);
    for (const Answer &answer : answers) // the first question about an address builds its table
        model.cmdName2opByIP(answer.name, answer.ip);

    QVector<double> rounds;
    int sink = 0;
    for (int round = 0; round < 7; ++round) {
        timer.restart();
        for (int i = 0; i < answersPerRound; ++i) {
            const Answer &answer = answers.at(i % answers.size());
            model.updateCatalogueValue(answer.ip, answer.op, answer.value);
            sink += model.cmdName2opByIP(answer.name, answer.ip).size() + model.cmdOp2Name(answer.op, answer.ip).size();
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
