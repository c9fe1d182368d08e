#include "ui/targetdescription.h"

#include <QStringList>

QString TargetDescription::compose(const QString &name, const QString &ip, const QString &model)
{
    if (ip.trimmed().isEmpty())
        return tr("No target: pick a connected projector in the tree or the status table");
    QStringList pieces;
    for (const QString &piece : {name.simplified(), ip.trimmed(), model.simplified()}) {
        if (!piece.isEmpty() && !pieces.contains(piece))
            pieces << piece;
    }
    return pieces.join(QStringLiteral("  \u2013  "));
}

QString TargetDescription::panelHeader(const QString &description)
{
    return tr("Target: %1").arg(description);
}

QString TargetDescription::retargetMessage(const QString &description)
{
    return tr("Target is now %1").arg(description);
}
