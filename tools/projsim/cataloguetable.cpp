#include "cataloguetable.h"

#include <QFile>

namespace {

CatalogueEntry entryFromFields(const QStringList &fields)
{
    CatalogueEntry entry;
    auto field = [&fields](int i) { return i < fields.size() ? fields.at(i).trimmed() : QString(); };
    entry.category = field(0);
    entry.name = field(1);
    entry.op = field(2);
    entry.initialValue = field(3);
    entry.queryable = field(4).contains(QLatin1Char('?'));
    bool minOk = false;
    bool maxOk = false;
    const int minimum = field(5).toInt(&minOk);
    const int maximum = field(6).toInt(&maxOk);
    // Field 6 is the highest value index when names follow, the maximum of
    // a range otherwise.
    if (maxOk && maximum >= 0 && !field(7).isEmpty()) {
        for (int i = 0; i <= maximum; ++i)
            entry.valueNames << field(7 + i);
        entry.minimum = 0;
        entry.maximum = maximum;
    } else if (minOk && maxOk && minimum <= maximum) {
        entry.hasRange = true;
        entry.minimum = minimum;
        entry.maximum = maximum;
    }
    return entry;
}

CatalogueEntry make(const char *category, const char *name, const char *op, const char *value, bool query,
                    const QStringList &names = {})
{
    CatalogueEntry entry;
    entry.category = QLatin1String(category);
    entry.name = QLatin1String(name);
    entry.op = QLatin1String(op);
    entry.initialValue = QLatin1String(value);
    entry.queryable = query;
    entry.valueNames = names;
    if (!names.isEmpty())
        entry.maximum = names.size() - 1;
    return entry;
}

CatalogueEntry ranged(const char *category, const char *name, const char *op, int value, int minimum, int maximum)
{
    CatalogueEntry entry = make(category, name, op, "", true);
    entry.initialValue = QString::number(value);
    entry.hasRange = true;
    entry.minimum = minimum;
    entry.maximum = maximum;
    return entry;
}

} // namespace

CatalogueTable CatalogueTable::builtIn()
{
    CatalogueTable c;
    const QStringList offOn{QStringLiteral("Off"), QStringLiteral("On")};
    c.add(make("Information", "Model Name", "model", "", true));
    c.add(make("Information", "Serial Number", "ser.no", "", true));
    c.add(make("Information", "Projector Status", "status", "", true));
    c.add(make("Information", "Error Code", "errcode", "", true));
    c.add(make("Information", "Total Hours", "total.hours", "", true));
    c.add(make("Information", "Light Source Life", "light.life", "20000", true));
    c.add(make("Information", "Active Source", "act.source", "", true));
    c.add(make("Information", "Signal Format", "signal", "", true));
    c.add(make("Information", "Software Version", "sw.ver", "1.04.012", true));
    c.add(make("Information", "Motor Version", "motor.ver", "2.10", true));
    c.add(make("Information", "F336 Version", "f336.ver", "0.9.7", true));
    c.add(make("Information", "Horizontal Refresh", "h.refresh", "67.50kHz", true));
    c.add(make("Information", "Vertical Refresh", "v.refresh", "60.00Hz", true));
    c.add(make("Information", "Pixel Clock", "pixel.clock", "148.50MHz", true));
    c.add(make("Power", "Power On", "power.on", "", false));
    c.add(make("Power", "Power Off", "power.off", "", false));
    c.add(make("Power", "Power", "power", "0", true, offOn));
    c.add(make("Input", "Input Select", "input.sel", "0", true,
               {QStringLiteral("HDMI1"), QStringLiteral("HDMI2"), QStringLiteral("DVI"), QStringLiteral("VGA"),
                QStringLiteral("HDBT")}));
    c.add(make("Input", "Auto Source", "auto.src", "1", true, offOn));
    c.add(make("Input", "Aspect Ratio", "aspect", "0", true,
               {QStringLiteral("Auto"), QStringLiteral("4:3"), QStringLiteral("16:9"), QStringLiteral("16:10")}));
    c.add(make("Input", "Blank", "blank", "0", true, offOn));
    c.add(ranged("Picture", "Brightness", "bright", 50, 0, 100));
    c.add(ranged("Picture", "Contrast", "contrast", 50, 0, 100));
    c.add(ranged("Picture", "Sharpness", "sharp", 8, 0, 15));
    c.add(make("Picture", "Gamma", "gamma", "1", true,
               {QStringLiteral("1.8"), QStringLiteral("2.0"), QStringLiteral("2.2"), QStringLiteral("2.4")}));
    c.add(make("Picture", "Color Temperature", "color.temp", "1", true,
               {QStringLiteral("5400K"), QStringLiteral("6500K"), QStringLiteral("7500K"), QStringLiteral("9300K")}));
    c.add(make("Picture", "Color Space", "color.space", "0", true,
               {QStringLiteral("Auto"), QStringLiteral("RGB"), QStringLiteral("YCbCr")}));
    c.add(make("Picture", "HSG Reset", "hsg.reset", "", false));
    c.add(ranged("Light", "Laser Power", "laser.power", 80, 30, 100));
    c.add(make("Light", "Light Mode", "laser.mode", "0", true,
               {QStringLiteral("Normal"), QStringLiteral("Eco"), QStringLiteral("Custom")}));
    c.add(make("Install", "Test Pattern", "pattern", "0", true,
               {QStringLiteral("Off"), QStringLiteral("Grid"), QStringLiteral("White"), QStringLiteral("Black")}));
    c.add(make(
        "Install", "Projection", "rotation", "0", true,
        {QStringLiteral("Front"), QStringLiteral("Rear"), QStringLiteral("Ceiling"), QStringLiteral("Rear Ceiling")}));
    c.add(ranged("Install", "H Keystone", "h.keystone", 0, -40, 40));
    c.add(ranged("Install", "V Keystone", "v.keystone", 0, -40, 40));
    c.add(make("Install", "Factory Reset", "fact.reset", "", false));
    c.add(make("Lens", "Lens Type", "lens.type", "0", true, {QStringLiteral("Standard"), QStringLiteral("Wide")}));
    c.add(make("Lens", "Zoom In", "zoom.in", "", false));
    c.add(make("Lens", "Zoom Out", "zoom.out", "", false));
    c.add(make("Lens", "Focus Near", "focus.near", "", false));
    c.add(make("Lens", "Focus Far", "focus.far", "", false));
    c.add(make("IR controller", "Menu", "ky menu", "", false));
    c.add(make("IR controller", "Power Key", "ky power", "", false));
    return c;
}

bool CatalogueTable::loadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    loadText(QString::fromLatin1(file.readAll()), true);
    return true;
}

void CatalogueTable::loadText(const QString &text, bool skipHeader)
{
    QString normalised = text;
    normalised.remove(QLatin1Char('\r'));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    for (int i = skipHeader ? 1 : 0; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(QLatin1Char(','));
        if (fields.isEmpty() || fields.first().trimmed().isEmpty())
            continue;
        CatalogueEntry entry = entryFromFields(fields);
        if (entry.op.isEmpty())
            continue;
        add(entry);
    }
}

void CatalogueTable::add(const CatalogueEntry &entry)
{
    const QString key = entry.op.toLower();
    // The first line for an op word wins, as the manager's lookups do.
    if (m_byOp.contains(key))
        return;
    m_entries.append(entry);
    m_byOp.insert(key, m_entries.size() - 1);
    if (!entry.name.isEmpty() && !m_byName.contains(entry.name.toLower()))
        m_byName.insert(entry.name.toLower(), m_entries.size() - 1);
}

const CatalogueEntry *CatalogueTable::find(const QString &op) const
{
    const auto it = m_byOp.constFind(op.toLower());
    return it == m_byOp.constEnd() ? nullptr : &m_entries.at(it.value());
}

const CatalogueEntry *CatalogueTable::findByName(const QString &name) const
{
    const auto it = m_byName.constFind(name.toLower());
    return it == m_byName.constEnd() ? nullptr : &m_entries.at(it.value());
}
