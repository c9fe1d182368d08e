#include "net/commandconsolerules.h"

#include "net/powerstate.h"

namespace {

const QString OpPrefix = QStringLiteral("op ");
const QString QuerySuffix = QStringLiteral(" ?");

} // namespace

QString CommandConsoleRules::panelButtonName()
{
    return QStringLiteral("panel");
}

CommandConsoleRules::Prepared CommandConsoleRules::fromCatalogueRow(const QStringList &row, const QString &category)
{
    Prepared prepared;
    const QString name = row.value(1);
    const QString op = row.value(2);
    if (category.contains(QLatin1String("IR controller"))) {
        prepared.command = op;
        prepared.functionName = QLatin1String("");
    } else {
        prepared.command = OpPrefix + op;
        prepared.functionName = QLatin1Char('(') + name + QLatin1Char(')');
    }
    if (row.value(4).contains(QLatin1Char('?')))
        prepared.command += QuerySuffix;
    return prepared;
}

QString CommandConsoleRules::opWordOfCommand(const QString &command)
{
    QString op = command;
    if (op.startsWith(OpPrefix))
        op.remove(0, OpPrefix.size());
    if (op.endsWith(QuerySuffix))
        op.chop(QuerySuffix.size());
    return op;
}

QString CommandConsoleRules::commandForOp(const QString &op)
{
    return op.isNull() ? QString(QLatin1String("")) : OpPrefix + op;
}

QString CommandConsoleRules::functionNameField(const QString &name)
{
    return name.isNull() ? QStringLiteral("?") : QLatin1Char('(') + name + QLatin1Char(')');
}

QRegularExpression CommandConsoleRules::categoryFilter(const QString &ip, const QString &category)
{
    return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(ip + QLatin1Char(':') + category));
}

bool CommandConsoleRules::isFeatureCategory(const QString &category)
{
    return category.contains(QLatin1String("Feature"));
}

bool CommandConsoleRules::hiddenInFeature(const QString &functionName)
{
    return functionName.contains(QLatin1String("Life"));
}

bool CommandConsoleRules::isPowerToggle(const QString &catalogueCommand)
{
    return catalogueCommand.contains(QLatin1String("status"));
}

QString CommandConsoleRules::panelKeyCommand(const QString &catalogueCommand, int powerState)
{
    if (catalogueCommand.isNull())
        return QString();
    QString command = catalogueCommand;
    if (isPowerToggle(command))
        command = powerState == PowerState::On ? QStringLiteral("power.off") : QStringLiteral("power.on");
    if (!command.contains(QLatin1String("ky ")))
        command.prepend(OpPrefix);
    return command;
}
