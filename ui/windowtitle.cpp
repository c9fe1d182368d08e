#include "ui/windowtitle.h"

#include "ui/aboutpage.h"

QString WindowTitle::compose(const QStringList &localAddresses, const QStringList &localMacs, const QString &osName)
{
    QString title = AboutPage::productName() + QStringLiteral(" - ") + AboutPage::productVersion();
    if (!localAddresses.isEmpty())
        title += QStringLiteral("   @%2[%3]").arg(localAddresses.first(), localMacs.value(0));
    title += QStringLiteral(" (") + osName + QLatin1Char(')');
    return title;
}
