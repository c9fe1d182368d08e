#include "net/cataloguecategories.h"

#include "net/cataloguecsvparser.h"
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
    // The same bounds as the catalogue's reader (which names the bad lines):
    // a line too long for it gives no button either.
    const QByteArray bytes = file.read(CatalogueCsvParser::MaxFileBytes);
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 1; i < lines.size() && result.m_categories.size() < CatalogueCsvParser::MaxRows; ++i) {
        QByteArray line = lines.at(i);
        while (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.size() > CatalogueCsvParser::MaxLineLength)
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
