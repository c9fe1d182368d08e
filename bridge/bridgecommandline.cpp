#include "bridge/bridgecommandline.h"

#include <QCommandLineParser>

namespace {

// The toolkit's own options; QApplication takes them out of the argument
// list later, so they only need to be let through here.
const char *const toolkitValueOptions[] = {"platform",   "platformpluginpath", "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry", "qwindowicon",  "qwindowtitle",
                                           "session",    "display",            "geometry",      "style",
                                           "stylesheet"};
const char *const toolkitFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

BridgeCommandLine BridgeCommandLine::parse(const QStringList &arguments, const QString &version)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(tr("Serial bridge: lets a projector with only a serial port join the "
                                        "projector network."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    for (const char *name : toolkitValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : toolkitFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    BridgeCommandLine result;
    QString problem;
    if (!parser.parse(arguments))
        problem = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        problem = tr("Unexpected argument: %1").arg(parser.positionalArguments().join(QLatin1Char(' ')));
    if (!problem.isEmpty()) {
        result.m_exits = true;
        result.m_exitCode = usageError;
        result.m_message = problem + QStringLiteral("\n\n") + parser.helpText();
    } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.m_exits = true;
        result.m_message = parser.helpText();
    } else if (parser.isSet(versionOption)) {
        result.m_exits = true;
        result.m_message = QStringLiteral("Brivox ") + version + QLatin1Char('\n');
    }
    return result;
}
