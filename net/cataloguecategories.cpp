#include "net/cataloguecategories.h"

#include "net/cataloguefiles.h"

#include <QFile>
#include <QSet>

CatalogueCategories CatalogueCategories::categoriesOfFile(const QString &path)
{
    CatalogueCategories result;
    result.m_modelName = CatalogueFiles::alienName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.m_readable = true;
    result.m_modelName = CatalogueFiles::modelOfFile(path);
    QSet<QString> seen;
    file.readLine(); // header
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const int comma = line.indexOf(',');
        const QString category = QString::fromLatin1(comma < 0 ? line : line.left(comma));
        // A line without category adds no rows for a projector either, so it
        // gets no button.
        if (category.isEmpty() || seen.contains(category))
            continue;
        seen.insert(category);
        result.m_categories.append(category);
    }
    return result;
}
