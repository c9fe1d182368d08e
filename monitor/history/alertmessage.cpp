#include "monitor/history/alertmessage.h"

namespace {

QString who(const Alert &alert, const AlertMessage::Describer &describe)
{
    if (alert.condition == Alert::JobFailed)
        return alert.ip;
    const AlertMessage::Projector projector = describe ? describe(alert.ip) : AlertMessage::Projector();
    return projector.name.isEmpty() ? alert.ip : QStringLiteral("%1 (%2)").arg(projector.name, alert.ip);
}

} // namespace

QString AlertMessage::headline(const Alert &alert, const Describer &describe, const ErrorDecoder &decode)
{
    QString what;
    switch (alert.condition) {
    case Alert::Error: {
        const QString words = decode ? decode(alert.detail).simplified() : QString();
        what = alert.cleared ? tr("error %1 cleared").arg(alert.detail)
                             : (words.isEmpty() ? tr("error %1").arg(alert.detail)
                                                : tr("error %1 (%2)").arg(alert.detail, words));
        break;
    }
    case Alert::Lamp:
        what = alert.cleared ? tr("lamp below its alert level again")
                             : tr("lamp at %1 % of rated life").arg(alert.detail);
        break;
    case Alert::Unreachable:
        what = alert.cleared ? tr("answering again") : tr("not answering for %1 minutes").arg(alert.detail);
        break;
    case Alert::JobFailed:
        what = tr("scheduled job failed: %1").arg(alert.detail);
        break;
    }
    return who(alert, describe) + QStringLiteral(": ") + what;
}

AlertMessage AlertMessage::compose(const QVector<Alert> &alerts, const Describer &describe,
                                   const ErrorDecoder &decode)
{
    AlertMessage message;
    if (alerts.isEmpty())
        return message;
    message.subject = alerts.size() == 1 ? QStringLiteral("Orvanto: ") + headline(alerts.first(), describe, decode)
                                         : tr("Orvanto: %n alerts", nullptr, int(alerts.size()));
    QStringList lines;
    for (const Alert &alert : alerts) {
        lines.append(headline(alert, describe, decode));
        if (alert.condition != Alert::JobFailed) {
            const Projector projector = describe ? describe(alert.ip) : Projector();
            lines.append(tr("  Address: %1").arg(alert.ip));
            if (!projector.model.isEmpty())
                lines.append(tr("  Model: %1").arg(projector.model));
        }
        lines.append((alert.cleared ? tr("  Cleared at: %1") : tr("  Since: %1"))
                         .arg(alert.since.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
        if (alert.condition == Alert::Error && !alert.cleared) {
            const QString words = decode ? decode(alert.detail).simplified() : QString();
            lines.append(tr("  Error: %1").arg(words.isEmpty() ? alert.detail : words));
        }
        lines.append(QString());
    }
    message.body = lines.join(QLatin1Char('\n'));
    return message;
}
