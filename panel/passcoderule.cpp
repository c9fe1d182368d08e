#include "panel/passcoderule.h"

namespace {

QString emphasised(const QString &entered)
{
    return QStringLiteral("<b><u>") + entered.toHtmlEscaped() + QStringLiteral("</u></b>");
}

} // namespace

bool PasscodeRule::accepts(const QString &entered)
{
    return entered == QLatin1String("9071");
}

QString PasscodeRule::passedText(const QString &entered)
{
    return tr("Password Passed: ") + emphasised(entered);
}

QString PasscodeRule::rejectedText(const QString &entered)
{
    return tr("Password Rejected: ") + emphasised(entered);
}
