#include "app/commandline.h"

#include "app/appinfo.h"
#include "app/translationloader.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

// The toolkit's own options; QGuiApplication and QApplication take them out
// of the argument list later, so they only need to be let through here.
const char *const toolkitValueOptions[] = {"platform",   "platformpluginpath", "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry", "qwindowicon",  "qwindowtitle",
                                           "session",    "display",            "geometry",      "style",
                                           "stylesheet"};
const char *const toolkitFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void addToolkitOptions(QCommandLineParser &parser)
{
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
}

} // namespace

CommandLine CommandLine::finish(int exitCode, const QString &message)
{
    CommandLine result;
    result.m_exits = true;
    result.m_exitCode = exitCode;
    result.m_message = message;
    return result;
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    // The toolkit's options are single-dash words (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(tr("Manages a fleet of network projectors."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("settings-file"),
        tr("Settings file to use instead of Orvanto.ini in the configuration folder."),
        QStringLiteral("[settings-file]"));
    addToolkitOptions(parser);

    const auto usageError = [&parser](const QString &problem) {
        return finish(CommandLine::usageError, problem + QStringLiteral("\n\n") + parser.helpText());
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    // Qt adds --help-all beside --help; the toolkit's options are in its manual.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return finish(0, parser.helpText());
    if (parser.isSet(version))
        return finish(0, AppInfo::name() + QLatin1Char(' ') + AppInfo::version() + QLatin1Char('\n'));

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return usageError(tr("Too many arguments: %1").arg(positional.join(QLatin1Char(' '))));
    CommandLine result;
    if (positional.isEmpty())
        return result;

    const QString path = positional.constFirst();
    const QFileInfo info(path);
    if (!info.exists())
        return finish(CommandLine::usageError, tr("Settings file not found: %1\n").arg(path));
    QFile file(path);
    // A folder does not open either.
    if (!file.open(QIODevice::ReadOnly))
        return finish(CommandLine::usageError, tr("Cannot read the settings file %1\n").arg(path));
    file.close();
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return finish(CommandLine::usageError, tr("Not a settings file: %1\n").arg(path));
    result.m_settingsPath = path;
    return result;
}

QString CommandLine::language(const QString &configFolder) const
{
    if (m_settingsPath.isEmpty())
        return TranslationLoader::languageFromConfig(configFolder);
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    return settings.value(QStringLiteral("Default/Language"), QStringLiteral("en_US")).toString();
}
