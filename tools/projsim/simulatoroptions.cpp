#include "simulatoroptions.h"

#include <QCommandLineParser>

namespace {

bool parseInt(const QString &text, int minimum, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < minimum)
        return false;
    *value = v;
    return true;
}

bool parseRange(const QString &text, QVector<QHostAddress> *addresses)
{
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() != 2)
        return false;
    bool firstOk = false;
    bool lastOk = false;
    const quint32 first = QHostAddress(ends.at(0).trimmed()).toIPv4Address(&firstOk);
    const quint32 last = QHostAddress(ends.at(1).trimmed()).toIPv4Address(&lastOk);
    if (!firstOk || !lastOk || last < first || last - first > 4096)
        return false;
    for (quint32 a = first; a <= last; ++a)
        addresses->append(QHostAddress(a));
    return true;
}

// "IP=VALUE" or just "VALUE" (for every projector).
void splitKeyed(const QString &text, QString *key, QString *value)
{
    const int eq = text.indexOf(QLatin1Char('='));
    *key = eq < 0 ? QString() : QHostAddress(text.left(eq).trimmed()).toString();
    *value = eq < 0 ? text.trimmed() : text.mid(eq + 1).trimmed();
}

} // namespace

QString SimulatorOptions::usage()
{
    return QStringLiteral(
        "usage: projsim [--port 7000] [--address IP]... [--range FIRST-LAST] [--model KX4410Q]\n"
        "               [--catalogue FILE.csv] [--mode IP=MODE]...\n"
        "       projsim --serial PTY_PATH [--baud 115200] [--model ...] [--catalogue ...]\n"
        "               [--no-echo] [--slow MS] [--partial] [--burst]\n"
        "  common: [--warmup-ms 3000] [--cooldown-ms 3000] [--hour-ms 60000] [--hours N]\n"
        "          [--power [IP=]STATE]... [--fault [IP=]HEXCODE]...\n"
        "          [--life-percent [IP=]PERCENT]... [--drift [IP=]MS]...\n"
        "          [--log-requests]  (each request line to stderr as \"REQ <ip> <line>\")\n"
        "  discovery: every address but refuse ones answers \"?ZZ?\" on UDP 35070 [--no-discovery]\n"
        "  modes: normal | delay:MS | silent | close[:N] | split[:MS] | nul | garbage | refuse | backlog\n");
}

bool SimulatorOptions::parse(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption portOption(QStringLiteral("port"), QString(), QStringLiteral("port"));
    const QCommandLineOption addressOption(QStringLiteral("address"), QString(), QStringLiteral("ip"));
    const QCommandLineOption rangeOption(QStringLiteral("range"), QString(), QStringLiteral("first-last"));
    const QCommandLineOption modelOption(QStringLiteral("model"), QString(), QStringLiteral("model"));
    const QCommandLineOption catalogueOption(QStringLiteral("catalogue"), QString(), QStringLiteral("file"));
    const QCommandLineOption modeOption(QStringLiteral("mode"), QString(), QStringLiteral("ip=mode"));
    const QCommandLineOption serialOption(QStringLiteral("serial"), QString(), QStringLiteral("path"));
    const QCommandLineOption baudOption(QStringLiteral("baud"), QString(), QStringLiteral("baud"));
    const QCommandLineOption noEchoOption(QStringLiteral("no-echo"));
    const QCommandLineOption slowOption(QStringLiteral("slow"), QString(), QStringLiteral("ms"));
    const QCommandLineOption partialOption(QStringLiteral("partial"));
    const QCommandLineOption burstOption(QStringLiteral("burst"));
    const QCommandLineOption warmupOption(QStringLiteral("warmup-ms"), QString(), QStringLiteral("ms"));
    const QCommandLineOption cooldownOption(QStringLiteral("cooldown-ms"), QString(), QStringLiteral("ms"));
    const QCommandLineOption hourOption(QStringLiteral("hour-ms"), QString(), QStringLiteral("ms"));
    const QCommandLineOption hoursOption(QStringLiteral("hours"), QString(), QStringLiteral("hours"));
    const QCommandLineOption powerOption(QStringLiteral("power"), QString(), QStringLiteral("[ip=]state"));
    const QCommandLineOption faultOption(QStringLiteral("fault"), QString(), QStringLiteral("[ip=]code"));
    const QCommandLineOption noDiscoveryOption(QStringLiteral("no-discovery"));
    const QCommandLineOption lifePercentOption(QStringLiteral("life-percent"), QString(), QStringLiteral("[ip=]percent"));
    const QCommandLineOption driftOption(QStringLiteral("drift"), QString(), QStringLiteral("[ip=]ms"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({portOption, addressOption, rangeOption, modelOption, catalogueOption, modeOption, serialOption,
                       baudOption, noEchoOption, slowOption, partialOption, burstOption, warmupOption, cooldownOption,
                       hourOption, hoursOption, powerOption, faultOption, noDiscoveryOption, lifePercentOption,
                       driftOption, helpOption});
    // Tests compare what a projector was told with what the manager meant.
    const QCommandLineOption logRequestsOption(QStringLiteral("log-requests"));
    parser.addOption(logRequestsOption);
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    discovery = !parser.isSet(noDiscoveryOption);
    if (parser.isSet(helpOption)) {
        *error = QString();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }
    int number = 0;
    if (parser.isSet(portOption)) {
        if (!parseInt(parser.value(portOption), 1, &number) || number > 65535) {
            *error = QStringLiteral("bad --port");
            return false;
        }
        port = quint16(number);
    }
    for (const QString &text : parser.values(addressOption)) {
        const QHostAddress address(text.trimmed());
        if (address.isNull()) {
            *error = QStringLiteral("bad --address %1").arg(text);
            return false;
        }
        addresses.append(address);
    }
    for (const QString &text : parser.values(rangeOption)) {
        if (!parseRange(text, &addresses)) {
            *error = QStringLiteral("bad --range %1").arg(text);
            return false;
        }
    }
    for (const QString &text : parser.values(modeOption)) {
        QString key;
        QString value;
        splitKeyed(text, &key, &value);
        AddressMode mode;
        if (key.isEmpty() || QHostAddress(key).isNull() || !AddressMode::parse(value, &mode)) {
            *error = QStringLiteral("bad --mode %1").arg(text);
            return false;
        }
        modes.insert(key, mode);
        // A mode names an address to serve even without --address.
        if (!addresses.contains(QHostAddress(key)))
            addresses.append(QHostAddress(key));
    }
    if (addresses.isEmpty())
        addresses.append(QHostAddress(QStringLiteral("127.0.0.2")));
    QVector<QHostAddress> unique;
    for (const QHostAddress &a : qAsConst(addresses)) {
        if (!unique.contains(a))
            unique.append(a);
    }
    addresses = unique;

    if (parser.isSet(modelOption))
        model = parser.value(modelOption).trimmed();
    catalogue = parser.value(catalogueOption);
    serialPort = parser.value(serialOption);
    if (parser.isSet(baudOption) && !parseInt(parser.value(baudOption), 1, &baudRate)) {
        *error = QStringLiteral("bad --baud");
        return false;
    }
    echo = !parser.isSet(noEchoOption);
    partial = parser.isSet(partialOption);
    burst = parser.isSet(burstOption);
    logRequests = parser.isSet(logRequestsOption);
    const struct
    {
        const QCommandLineOption &option;
        int *target;
        int minimum;
    } numbers[] = {{slowOption, &slowMs, 0},
                   {warmupOption, &warmupMs, 0},
                   {cooldownOption, &cooldownMs, 0},
                   {hourOption, &hourMs, 1},
                   {hoursOption, &hours, 0}};
    for (const auto &n : numbers) {
        if (parser.isSet(n.option) && !parseInt(parser.value(n.option), n.minimum, n.target)) {
            *error = QStringLiteral("bad --%1").arg(n.option.names().first());
            return false;
        }
    }
    for (const QString &text : parser.values(powerOption)) {
        QString key;
        QString value;
        splitKeyed(text, &key, &value);
        if (!parseInt(value, 0, &number) || number > 4) {
            *error = QStringLiteral("bad --power %1").arg(text);
            return false;
        }
        power.insert(key, number);
    }
    for (const QString &text : parser.values(faultOption)) {
        QString key;
        QString value;
        splitKeyed(text, &key, &value);
        const QString digits = value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? value.mid(2) : value;
        bool ok = false;
        digits.toUInt(&ok, 16);
        if (!ok) {
            *error = QStringLiteral("bad --fault %1").arg(text);
            return false;
        }
        faults.insert(key, value);
    }
    const struct
    {
        const QCommandLineOption &option;
        QMap<QString, int> *target;
        int minimum;
    } keyedNumbers[] = {{lifePercentOption, &lifePercent, 0}, {driftOption, &driftMs, 1}};
    for (const auto &n : keyedNumbers) {
        for (const QString &text : parser.values(n.option)) {
            QString key;
            QString value;
            splitKeyed(text, &key, &value);
            if (!parseInt(value, n.minimum, &number)) {
                *error = QStringLiteral("bad --%1 %2").arg(n.option.names().first(), text);
                return false;
            }
            n.target->insert(key, number);
        }
    }
    return true;
}

AddressMode SimulatorOptions::modeFor(const QHostAddress &address) const
{
    return modes.value(address.toString(), AddressMode());
}
