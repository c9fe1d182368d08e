// The history's change rules and the alert rules, fed sweeps made of
// arbitrary cells (they come from projectors' answers), and the mail text
// built from them.
#include "fuzz/fuzzsupport.h"

#include "monitor/history/alertrules.h"
#include "monitor/history/csvtable.h"
#include "monitor/history/historydiff.h"
#include "monitor/history/mailtext.h"

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList parts = FuzzSupport::pieces(FuzzSupport::bytes(data, size), 4);
    const QString ip = QString::fromUtf8(parts.at(0)).left(40);
    const QString error = QString::fromUtf8(parts.at(1)).left(16);
    const QString power = QString::fromUtf8(parts.at(2)).left(8);
    const int lamp = parts.at(3).size() ? int(quint8(parts.at(3).at(0))) * 40 - 1 : -1;
    const QDateTime t0(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);

    ProjectorState before{ip, true, QStringLiteral("1"), QStringLiteral("0000"), 100, {}, {}, 0};
    ProjectorState after{ip, !power.isEmpty(), power, error, lamp, {}, {}, 0};
    const HistoryDiff::Result result = HistoryDiff::compare({{ip, before}}, {after}, t0);
    // What is stored is what compares equal afterwards: the same sweep again
    // stores nothing.
    QHash<QString, ProjectorState> last{{ip, before}};
    for (const ProjectorState &s : result.changedStates)
        last.insert(s.ip, s);
    FUZZ_CHECK(HistoryDiff::compare(last, {after}, t0.addSecs(HistoryDiff::LampOnlySeconds)).changedStates.isEmpty());
    FUZZ_CHECK(result.events.size() <= 3);

    AlertRules rules;
    rules.setSettings(AlertSettings{true, {}, 90, 1, 5});
    const AlertInput input{ip, after.reachable, error, lamp, 1000};
    const QVector<Alert> first = rules.evaluate({input}, t0);
    // One alert per condition: the same picture a minute later (and later
    // still, within the unreachable limit) tells nothing new.
    FUZZ_CHECK(rules.evaluate({input}, t0.addSecs(61)).size() <= (after.reachable ? 0 : 1));
    FUZZ_CHECK(rules.evaluate({input}, t0.addSecs(120)).isEmpty());
    FUZZ_CHECK(first.size() <= 2);

    // Nothing in a cell can add a mail header or a CSV row.
    const QByteArray mail = MailText::build(ip, {error}, power + error, ip, t0);
    const int headerEnd = mail.indexOf("\r\n\r\n");
    FUZZ_CHECK(headerEnd > 0);
    FUZZ_CHECK(mail.left(headerEnd).count("\r\n") == 7);
    const QByteArray csv = CsvTable::toCsv({QStringLiteral("a"), QStringLiteral("b")}, {{ip, error}});
    FUZZ_CHECK(csv.endsWith("\r\n"));
    return 0;
}
