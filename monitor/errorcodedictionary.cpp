#include "monitor/errorcodedictionary.h"

#include <QCoreApplication>

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

const Names FanErrors{{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")},
                      {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Fan Locked(Rotate Error)")},
                      {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Fan Speed Error (too high or too low)")},
                      {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Communication Fail")}};
const Names ChipErrors{{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Communication Fail")}};

const Category Categories[] = {
    {0x00, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "NoError"), UnitKind::Listed, {}, {}},
    {0x01,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Formatter/DMD"),
     UnitKind::Listed,
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "R__")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "_G_")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "RG_")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "__B")}, {5, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "R_B")}, {6, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "_GB")}, {7, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "RGB")}},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "DAD Fail")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "PMD Fail")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Sequence Fail")}}},
    {0x04,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Laser"),
     UnitKind::Listed,
     {},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Communication Fail")},
      {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Over Life")},
      {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Lit Fail")},
      {5, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Voltage (54V)")},
      {6, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Color Sensor Fail")},
      {7, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "COlor Sensor Not Connect")}}},
    {0x06, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "System FAN (1~16)"), UnitKind::PlusOne, {}, FanErrors},
    {0x07, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Blower(17~32)"), UnitKind::PlusSeventeen, {}, FanErrors},
    {0x08,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Color Wheel"),
     UnitKind::Listed,
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Phospher wheel")}},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Spin Error")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Read Fail")}, {5, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Env Check Fail")}}},
    {0x10,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal Sensor"),
     UnitKind::Listed,
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Inlet Thermal Sensor")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "DMD Thermal Sensor")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Inlet2 Thermal Sensor")}},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Error(or no detected)")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Over Temperature")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Not Connect")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Low Temperature")}}},
    {0x11, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Inter Lock"), UnitKind::Listed, {{4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Lens")}, {5, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Cover")}}, {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Door Open")}}},
    {0x12,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal Break"),
     UnitKind::Listed,
     {{4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal Stat1")}, {5, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal Stat2")}, {6, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal Stat3")}, {7, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal Stat4")}},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Thermal break be triggered")}}},
    {0x14, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "EEPROM"), UnitKind::Listed, {{0, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "System EEPROM")}}, {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Read/Write Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Checksum Error")}}},
    {0x20,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "MCU"),
     UnitKind::Listed,
     {{0, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Host MCU I2C")}, {1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Host MCU SPI")}},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Port 0 Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Port 1 Fail")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Port 2 Fail")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Port 3 Fail")}}},
    {0x21, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Scaler"), UnitKind::Listed, {}, {{3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Load OSD Fail")}}},
    {0x22, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Digital Receiver"), UnitKind::PlusOne, {}, ChipErrors},
    {0x23, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "ADC Decoder"), UnitKind::PlusOne, {}, ChipErrors},
    {0x26, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "TMDS Transmitter"), UnitKind::Listed, {}, ChipErrors},
    {0x27, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Expand GPIO"), UnitKind::PlusOne, {}, ChipErrors},
    {0x28, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Warping Chip"), UnitKind::PlusOne, {}, ChipErrors},
    {0x29, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "FAN Driver"), UnitKind::PlusOne, {}, ChipErrors},
    {0x30, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Motor Board"), UnitKind::Listed, {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "System View")}}, ChipErrors},
    {0x31, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "RJ45 Board"), UnitKind::Listed, {}, ChipErrors},
    {0x33, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Pressure Sensor"), UnitKind::Listed, {}, ChipErrors},
    {0x34, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "G Sensor"), UnitKind::Listed, {}, ChipErrors},
    {0x35, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Laser Bank"), UnitKind::PlusOne, {}, {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Over Temperature")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Not Connect")}}},
    {0x36, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Laser Diode"), UnitKind::PlusOne, {}, {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Over Temperature")}}},
    {0x37,
     QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Pump"),
     UnitKind::Listed,
     {{0, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Water Pump")}},
     {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Init Fail")}, {2, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Communication Fail")}, {3, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Speed too low")}, {4, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "Speed to high")}}},
    {0x38, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "LCU (Standby MCU)"), UnitKind::Listed, {}, {{1, QT_TRANSLATE_NOOP("ErrorCodeDictionary", "I2C Fail")}}},
};

// The words are shown to the operator in their language; the table keeps
// the English source texts the projector documentation uses.
QString translated(const char *text)
{
    return QCoreApplication::translate("ErrorCodeDictionary", text);
}

QString nameOf(const Names &names, int key)
{
    for (const auto &entry : names) {
        if (entry.first == key)
            return translated(entry.second);
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
        category = translated(entry.text);
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

bool ErrorCodeDictionary::isErrorCode(const QString &code)
{
    if (code.size() != 4)
        return false;
    for (const QChar c : code) {
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    }
    return true;
}

QString ErrorCodeDictionary::explain(const QString &code)
{
    return isErrorCode(code) ? decodeErrorCode(code) : QString();
}
