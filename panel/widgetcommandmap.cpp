#include "panel/widgetcommandmap.h"

#include "panel/widgetcommandtable.h"

#include <QStringList>

void WidgetCommandMap::parse(const QString &table)
{
    const QStringList lines = table.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char(','), Qt::KeepEmptyParts);
        const QString name = parts.value(0).simplified();
        if (name.isEmpty())
            continue;
        m_map.insert(name, parts.value(1).simplified());
    }
}

void WidgetCommandMap::parseBuiltIn()
{
    parse(QString::fromLatin1(WidgetCommandTable::text()));
}
