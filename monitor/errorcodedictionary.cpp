#include "monitor/errorcodedictionary.h"

#include <initializer_list>
#include <utility>

namespace {

using Names = std::initializer_list<std::pair<int, const char *>>;

// How a category names its unit digit.
enum class UnitKind
{
    Listed,       // from the category's own unit list
    PlusOne,      // the number U+1
    PlusSeventeen // the number U+17 (blowers follow the sixteen system fans)
};

struct Category
{
    int value;
    const char *text;
    UnitKind unitKind;
    Names units;
    Names errors;
};

const Names FanErrors{{1, "Init Fail"},
                      {2, "Fan Locked(Rotate Error)"},
                      {3, "Fan Speed Error (too high or too low)"},
                      {4, "Communication Fail"}};
const Names ChipErrors{{1, "Init Fail"}, {2, "Communication Fail"}};

const Category Categories[] = {
    {0x00, "NoError", UnitKind::Listed, {}, {}},
    {0x01,
     "Formatter/DMD",
     UnitKind::Listed,
     {{1, "R__"}, {2, "_G_"}, {3, "RG_"}, {4, "__B"}, {5, "R_B"}, {6, "_GB"}, {7, "RGB"}},
     {{1, "Init Fail"}, {2, "DAD Fail"}, {3, "PMD Fail"}, {4, "Sequence Fail"}}},
    {0x04,
     "Laser",
     UnitKind::Listed,
     {},
     {{1, "Communication Fail"},
      {3, "Over Life"},
      {4, "Lit Fail"},
      {5, "Voltage (54V)"},
      {6, "Color Sensor Fail"},
      {7, "COlor Sensor Not Connect"}}},
    {0x06, "System FAN (1~16)", UnitKind::PlusOne, {}, FanErrors},
    {0x07, "Blower(17~32)", UnitKind::PlusSeventeen, {}, FanErrors},
    {0x08,
     "Color Wheel",
     UnitKind::Listed,
     {{1, "Phospher wheel"}},
     {{1, "Spin Error"}, {3, "Init Fail"}, {4, "Read Fail"}, {5, "Env Check Fail"}}},
    {0x10,
     "Thermal Sensor",
     UnitKind::Listed,
     {{1, "Inlet Thermal Sensor"}, {3, "DMD Thermal Sensor"}, {4, "Inlet2 Thermal Sensor"}},
     {{1, "Init Error(or no detected)"}, {2, "Over Temperature"}, {3, "Not Connect"}, {4, "Low Temperature"}}},
    {0x11, "Inter Lock", UnitKind::Listed, {{4, "Lens"}, {5, "Cover"}}, {{1, "Door Open"}}},
    {0x12,
     "Thermal Break",
     UnitKind::Listed,
     {{4, "Thermal Stat1"}, {5, "Thermal Stat2"}, {6, "Thermal Stat3"}, {7, "Thermal Stat4"}},
     {{1, "Thermal break be triggered"}}},
    {0x14, "EEPROM", UnitKind::Listed, {{0, "System EEPROM"}}, {{1, "Read/Write Fail"}, {2, "Checksum Error"}}},
    {0x20,
     "MCU",
     UnitKind::Listed,
     {{0, "Host MCU I2C"}, {1, "Host MCU SPI"}},
     {{1, "Port 0 Fail"}, {2, "Port 1 Fail"}, {3, "Port 2 Fail"}, {4, "Port 3 Fail"}}},
    {0x21, "Scaler", UnitKind::Listed, {}, {{3, "Load OSD Fail"}}},
    {0x22, "Digital Receiver", UnitKind::PlusOne, {}, ChipErrors},
    {0x23, "ADC Decoder", UnitKind::PlusOne, {}, ChipErrors},
    {0x26, "TMDS Transmitter", UnitKind::Listed, {}, ChipErrors},
    {0x27, "Expand GPIO", UnitKind::PlusOne, {}, ChipErrors},
    {0x28, "Warping Chip", UnitKind::PlusOne, {}, ChipErrors},
    {0x29, "FAN Driver", UnitKind::PlusOne, {}, ChipErrors},
    {0x30, "Motor Board", UnitKind::Listed, {{1, "System View"}}, ChipErrors},
    {0x31, "RJ45 Board", UnitKind::Listed, {}, ChipErrors},
    {0x33, "Pressure Sensor", UnitKind::Listed, {}, ChipErrors},
    {0x34, "G Sensor", UnitKind::Listed, {}, ChipErrors},
    {0x35, "Laser Bank", UnitKind::PlusOne, {}, {{1, "Init Fail"}, {2, "Over Temperature"}, {3, "Not Connect"}}},
    {0x36, "Laser Diode", UnitKind::PlusOne, {}, {{1, "Init Fail"}, {2, "Over Temperature"}}},
    {0x37,
     "Pump",
     UnitKind::Listed,
     {{0, "Water Pump"}},
     {{1, "Init Fail"}, {2, "Communication Fail"}, {3, "Speed too low"}, {4, "Speed to high"}}},
    {0x38, "LCU (Standby MCU)", UnitKind::Listed, {}, {{1, "I2C Fail"}}},
};

QString nameOf(const Names &names, int key)
{
    for (const auto &entry : names) {
        if (entry.first == key)
            return QString::fromLatin1(entry.second);
    }
    return QString();
}

// One hexadecimal digit; anything else (or nothing) counts as 0.
int digitAt(const QString &code, int position)
{
    if (position >= code.size())
        return 0;
    bool ok = false;
    const int value = QString(code.at(position)).toInt(&ok, 16);
    return ok ? value : 0;
}

int categoryOf(const QString &code)
{
    // Only true hexadecimal digits: toInt would also take a sign or blanks.
    const QString digits = code.left(2);
    for (const QChar c : digits) {
        if (!c.isDigit() && !QStringLiteral("abcdefABCDEF").contains(c))
            return 0;
    }
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    return ok ? value : 0;
}

} // namespace

QString ErrorCodeDictionary::decodeErrorCode(const QString &code)
{
    const int categoryValue = categoryOf(code);
    const int unit = digitAt(code, 2);
    const int error = digitAt(code, 3);

    QString category;
    QString unitText;
    QString errorText;
    for (const Category &entry : Categories) {
        if (entry.value != categoryValue)
            continue;
        category = QString::fromLatin1(entry.text);
        switch (entry.unitKind) {
        case UnitKind::Listed:
            unitText = nameOf(entry.units, unit);
            break;
        case UnitKind::PlusOne:
            unitText = QString::number(unit + 1);
            break;
        case UnitKind::PlusSeventeen:
            unitText = QString::number(unit + 17);
            break;
        }
        errorText = nameOf(entry.errors, error);
        break;
    }
    return category + QLatin1Char(' ') + unitText + QLatin1Char(' ') + errorText;
}

QString ErrorCodeDictionary::labelStyleSheet(const QString &code, bool darkStyle)
{
    const QString digits = code.trimmed();
    if (digits.isEmpty() || digits.startsWith(QLatin1String("00")))
        return QStringLiteral("QLabel{color:grey;font-weight:bold}");
    return darkStyle ? QStringLiteral("QLabel{color:gold;font-weight:bold}")
                     : QStringLiteral("QLabel{color:magenta;font-weight:bold}");
}
