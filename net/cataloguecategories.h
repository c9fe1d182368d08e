#pragma once

#include <QString>
#include <QStringList>

// The categories of one catalogue file, for the console's button row: the
// first field of every non-empty line after the header, each once, in the
// order of first appearance. A file that cannot be read has no categories
// and stands for the model "Alien".
class CatalogueCategories
{
public:
    static CatalogueCategories categoriesOfFile(const QString &path);

    // The file's model (its name without extension), or "Alien".
    QString modelName() const { return m_modelName; }
    QStringList categories() const { return m_categories; }
    bool isReadable() const { return m_readable; }

private:
    QString m_modelName;
    QStringList m_categories;
    bool m_readable = false;
};
