#include "bridge/serialparameterlists.h"

#include <QCoreApplication>
#include <QSerialPort>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsDialog", text);
}
} // namespace

SerialParameterLists::List SerialParameterLists::baudRates()
{
    return {{QStringLiteral("9600"), QSerialPort::Baud9600},
            {QStringLiteral("19200"), QSerialPort::Baud19200},
            {QStringLiteral("38400"), QSerialPort::Baud38400},
            {QStringLiteral("115200"), QSerialPort::Baud115200}};
}

SerialParameterLists::List SerialParameterLists::dataBits()
{
    return {{QStringLiteral("5"), QSerialPort::Data5},
            {QStringLiteral("6"), QSerialPort::Data6},
            {QStringLiteral("7"), QSerialPort::Data7},
            {QStringLiteral("8"), QSerialPort::Data8}};
}

SerialParameterLists::List SerialParameterLists::parities()
{
    return {{tr("None"), QSerialPort::NoParity},
            {tr("Even"), QSerialPort::EvenParity},
            {tr("Odd"), QSerialPort::OddParity},
            {tr("Mark"), QSerialPort::MarkParity},
            {tr("Space"), QSerialPort::SpaceParity}};
}

SerialParameterLists::List SerialParameterLists::stopBits()
{
    return {{QStringLiteral("1"), QSerialPort::OneStop},
            {tr("1.5"), QSerialPort::OneAndHalfStop},
            {QStringLiteral("2"), QSerialPort::TwoStop}};
}

SerialParameterLists::List SerialParameterLists::flowControls()
{
    return {{tr("None"), QSerialPort::NoFlowControl},
            {tr("RTS/CTS"), QSerialPort::HardwareControl},
            {tr("XON/XOFF"), QSerialPort::SoftwareControl}};
}

int SerialParameterLists::indexOf(const List &list, const QString &text)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).text.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int SerialParameterLists::valueFor(const List &list, const QString &text)
{
    const int index = indexOf(list, text);
    if (index >= 0)
        return list.at(index).value;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number : 0;
}
