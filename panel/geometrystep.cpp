#include "panel/geometrystep.h"

#include <QStringList>

QString GeometryStep::sliderFor(const QString &buttonName, int *direction)
{
    static const QStringList suffixes{QStringLiteral("CTLH"), QStringLiteral("CTLV"), QStringLiteral("CTRH"),
                                      QStringLiteral("CTRV"), QStringLiteral("CBLH"), QStringLiteral("CBLV"),
                                      QStringLiteral("CBRH"), QStringLiteral("CBRV"), QStringLiteral("KH"),
                                      QStringLiteral("KV"),   QStringLiteral("RH"),   QStringLiteral("PH"),
                                      QStringLiteral("PV"),   QStringLiteral("BT"),   QStringLiteral("BB"),
                                      QStringLiteral("BL"),   QStringLiteral("BR")};
    static const QStringList sliders{
        QStringLiteral("sliderCornerTopLeftH"),     QStringLiteral("sliderCornerTopLeftV"),
        QStringLiteral("sliderCornerTopRightH"),    QStringLiteral("sliderCornerTopRightV"),
        QStringLiteral("sliderCornerBottomLeftH"),  QStringLiteral("sliderCornerBottomLeftV"),
        QStringLiteral("sliderCornerBottomRightH"), QStringLiteral("sliderCornerBottomRightV"),
        QStringLiteral("sliderKeystoneH"),          QStringLiteral("sliderKeystoneV"),
        QStringLiteral("sliderRotationH"),          QStringLiteral("sliderPincusionH"),
        QStringLiteral("sliderPincusionV"),         QStringLiteral("sliderBlankingTop"),
        QStringLiteral("sliderBlankingBottom"),     QStringLiteral("sliderBlankingLeft"),
        QStringLiteral("sliderBlankingRight")};
    const QString prefix = QStringLiteral("pushbtn");
    if (!buttonName.startsWith(prefix) || buttonName.size() < prefix.size() + 2)
        return QString();
    const QChar last = buttonName.at(buttonName.size() - 1);
    if (last != QLatin1Char('0') && last != QLatin1Char('1'))
        return QString();
    const QString middle = buttonName.mid(prefix.size(), buttonName.size() - prefix.size() - 1);
    const int at = suffixes.indexOf(middle);
    if (at < 0)
        return QString();
    if (direction)
        *direction = last == QLatin1Char('1') ? 1 : -1;
    return sliders.at(at);
}

QStringList GeometryStep::resetSliders(const QString &buttonName)
{
    static const QList<QPair<QString, QStringList>> resets{
        {QStringLiteral("KeystoneReset"), {QStringLiteral("sliderKeystoneH"), QStringLiteral("sliderKeystoneV")}},
        {QStringLiteral("RotationReset"), {QStringLiteral("sliderRotationH")}},
        {QStringLiteral("PincusionReset"), {QStringLiteral("sliderPincusionH"), QStringLiteral("sliderPincusionV")}},
        {QStringLiteral("CornerTopLeftReset"),
         {QStringLiteral("sliderCornerTopLeftH"), QStringLiteral("sliderCornerTopLeftV")}},
        {QStringLiteral("CornerTopRightReset"),
         {QStringLiteral("sliderCornerTopRightH"), QStringLiteral("sliderCornerTopRightV")}},
        {QStringLiteral("CornerBottomLeftReset"),
         {QStringLiteral("sliderCornerBottomLeftH"), QStringLiteral("sliderCornerBottomLeftV")}},
        {QStringLiteral("CornerBottomRightReset"),
         {QStringLiteral("sliderCornerBottomRightH"), QStringLiteral("sliderCornerBottomRightV")}},
    };
    for (const auto &reset : resets)
        if (buttonName.contains(reset.first))
            return reset.second;
    return QStringList();
}
