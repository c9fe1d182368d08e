#include "ui/shellfonts.h"

#include "ui/shellresources.h"

#include <QApplication>
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

QString ShellFonts::chineseFamily()
{
    static const char *const preferred[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC",
                                            "WenQuanYi Zen Hei", "Microsoft YaHei", "SimHei", "SimSun"};
    const QStringList chinese = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
    for (const char *family : preferred)
        if (chinese.contains(QLatin1String(family), Qt::CaseInsensitive))
            return QLatin1String(family);
    return chinese.value(0);
}

QString ShellFonts::useChineseFallback(const QString &language)
{
    if (!language.startsWith(QLatin1String("zh")))
        return QString();
    const QString chinese = chineseFamily();
    if (chinese.isEmpty())
        return QString();
    QFont font = QApplication::font();
    const QStringList asked{font.family(), QStringLiteral("Arial"), load().monoFamily()};
    for (const QString &family : asked)
        if (!family.isEmpty() && !QFont::substitutes(family).contains(chinese))
            QFont::insertSubstitution(family, chinese);
    font.setFamilies({font.family(), chinese});
    QApplication::setFont(font);
    return chinese;
}
