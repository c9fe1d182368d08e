#include "monitor/pjlinkstatuscells.h"

#include "monitor/tablemodelstatus.h"
#include "net/pjlinkerrorstatus.h"
#include "net/pjlinklamps.h"
#include "net/pjlinkpower.h"

namespace {

// Cells hold a few words; a projector's 128-byte value is cut there too.
constexpr int MaxCellText = 64;

} // namespace

QVector<PJLinkStatusCells::Cell> PJLinkStatusCells::cellsFor(const QString &ip, const PJLinkReply &reply)
{
    if (reply.kind() != PJLinkReply::Kind::Answer)
        return {};
    const QString command = reply.command();
    const QString value = reply.value().left(MaxCellText);
    Cell cell;
    if (command == QLatin1String("INF1")) {
        m_maker.insert(ip, value);
        return {};
    }
    if (command == QLatin1String("INF2"))
        cell.column = TableModelStatus::ModelColumn;
    else if (command == QLatin1String("SNUM"))
        cell.column = TableModelStatus::SerialColumn;
    else if (command == QLatin1String("POWR"))
        cell.column = TableModelStatus::StatusColumn;
    else if (command == QLatin1String("ERST"))
        cell.column = TableModelStatus::ErrorCodeColumn;
    else if (command == QLatin1String("LAMP"))
        cell.column = TableModelStatus::HoursColumn;
    else if (command == QLatin1String("INPT") || command == QLatin1String("INNM"))
        cell.column = TableModelStatus::InputColumn;
    else if (command == QLatin1String("IRES"))
        cell.column = TableModelStatus::SignalColumn;
    else
        return {};

    if (reply.error() != PJLinkReply::Error::None) {
        cell.text = PJLinkReply::errorText(reply.error());
        return {cell};
    }
    if (command == QLatin1String("INF2")) {
        const QString maker = m_maker.value(ip);
        cell.text = maker.isEmpty() ? value : maker + QLatin1Char(' ') + value;
    } else if (command == QLatin1String("POWR")) {
        const int code = PJLinkPower::tableCode(value);
        cell.garbled = code < 0;
        cell.text = code < 0 ? QString() : QString::number(code);
    } else if (command == QLatin1String("ERST")) {
        const PJLinkErrorStatus status = PJLinkErrorStatus::parse(value);
        cell.garbled = !status.isValid();
        cell.text = status.text();
    } else if (command == QLatin1String("LAMP")) {
        const PJLinkLamps lamps = PJLinkLamps::parse(value);
        cell.garbled = !lamps.isValid();
        cell.text = lamps.isValid() ? QString::number(lamps.firstHours()) : QString();
        cell.toolTip = lamps.toolTip();
    } else if (command == QLatin1String("INPT")) {
        m_input.insert(ip, value);
        cell.text = value;
    } else if (command == QLatin1String("INNM")) {
        const QString input = m_input.value(ip);
        cell.text = input.isEmpty() ? value : input + QStringLiteral(" (") + value + QLatin1Char(')');
    } else {
        cell.text = value;
    }
    if (cell.garbled)
        cell.text = tr("No Answer");
    return {cell};
}

QString PJLinkStatusCells::followUp(const PJLinkReply &reply)
{
    if (reply.kind() != PJLinkReply::Kind::Answer || reply.classDigit() != QLatin1Char('2')
        || reply.command() != QLatin1String("INPT") || reply.error() != PJLinkReply::Error::None
        || reply.value().size() != 2)
        return QString();
    return QStringLiteral("%2INNM ?") + reply.value();
}

void PJLinkStatusCells::forget(const QString &ip)
{
    m_maker.remove(ip);
    m_input.remove(ip);
}

QString PJLinkStatusCells::errorReading(const QString &cell)
{
    if (cell == PJLinkErrorStatus::parse(QStringLiteral("000000")).text())
        return QStringLiteral("0000");
    const QString noReading[] = {tr("No Answer"), PJLinkReply::errorText(PJLinkReply::Error::Undefined),
                                 PJLinkReply::errorText(PJLinkReply::Error::OutOfParameter),
                                 PJLinkReply::errorText(PJLinkReply::Error::UnavailableTime)};
    for (const QString &text : noReading) {
        if (cell == text)
            return QString();
    }
    return cell;
}
