#include "ui/shellfonts.h"

#include "ui/shellresources.h"

#include <QFontDatabase>
#include <QHash>
#include <QMutex>

namespace {

QString registerFamily(const QString &path)
{
    // Registering the same file twice would add a second copy of the family.
    static QMutex mutex;
    static QHash<QString, QString> loaded;
    QMutexLocker lock(&mutex);
    auto it = loaded.constFind(path);
    if (it != loaded.constEnd())
        return it.value();
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    const QString family = families.value(0);
    loaded.insert(path, family);
    return family;
}

} // namespace

ShellFonts ShellFonts::load()
{
    ShellResources::ensureLoaded();
    ShellFonts fonts;
    fonts.m_clockFamily = registerFamily(QString::fromLatin1(ClockFontPath));
    fonts.m_monoFamily = registerFamily(QString::fromLatin1(MonoFontPath));
    return fonts;
}

QFont ShellFonts::clockFont(int pointSize) const
{
    QFont font(m_clockFamily, pointSize, QFont::Bold);
    font.setStyleName(QStringLiteral("Bold"));
    return font;
}

QFont ShellFonts::monoItalicFont(int pointSize) const
{
    QFont font(m_monoFamily, pointSize);
    font.setItalic(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}
