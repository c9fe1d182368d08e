#include "panel/pjlinkpanelstate.h"

#include "net/pjlinklamps.h"
#include "net/pjlinkpower.h"
#include "net/pjlinkreply.h"

namespace {

// Input codes: two characters (class 1 digits, class 2 also letters).
constexpr int MaxInputs = 64;
constexpr int MaxNameLength = 64;

bool isInputCode(const QString &code)
{
    return code.size() == 2 && code.at(0).isLetterOrNumber() && code.at(1).isLetterOrNumber() &&
           code.at(0).unicode() < 0x80 && code.at(1).unicode() < 0x80;
}

} // namespace

QString PJLinkPanelState::prefix() const
{
    return offersClass2() ? QStringLiteral("%2") : QStringLiteral("%1");
}

QStringList PJLinkPanelState::refreshRequests() const
{
    QStringList requests{QStringLiteral("%1POWR ?"), prefix() + QStringLiteral("INST ?"),
                         prefix() + QStringLiteral("INPT ?"), QStringLiteral("%1AVMT ?"), QStringLiteral("%1LAMP ?")};
    if (offersClass2())
        requests << QStringLiteral("%2FREZ ?") << QStringLiteral("%2FILT ?");
    return requests;
}

QStringList PJLinkPanelState::take(const QString &request, const PJLinkReply &reply)
{
    if (reply.kind() != PJLinkReply::Kind::Answer || !reply.answers(request))
        return {};
    const QString command = reply.command();
    const QString value = reply.error() == PJLinkReply::Error::None ? reply.value() : QString();
    const QString shown = value.isNull() ? PJLinkReply::errorText(reply.error()) : value;
    if (command == QLatin1String("POWR")) {
        static const char *const Words[] = {QT_TR_NOOP("Standby"), QT_TR_NOOP("Warming up"), QT_TR_NOOP("On"),
                                            QT_TR_NOOP("Cooling down")};
        const int code = PJLinkPower::tableCode(value);
        m_power = code >= 0 ? tr(Words[code]) : shown;
    } else if (command == QLatin1String("INST")) {
        m_inputs.clear();
        const QStringList codes = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &code : codes) {
            if (isInputCode(code) && m_inputs.size() < MaxInputs && !m_inputs.contains(code))
                m_inputs << code;
        }
        QStringList names;
        if (offersClass2()) {
            for (const QString &code : qAsConst(m_inputs))
                names << QStringLiteral("%2INNM ?") + code;
        }
        return names;
    } else if (command == QLatin1String("INNM")) {
        const QString code = request.mid(8, 2);
        if (!value.isEmpty() && isInputCode(code))
            m_names.insert(code, value.left(MaxNameLength));
    } else if (command == QLatin1String("INPT")) {
        m_current = isInputCode(value) ? value : QString();
    } else if (command == QLatin1String("AVMT")) {
        if (value == QLatin1String("31"))
            m_mute = tr("Picture and sound muted");
        else if (value == QLatin1String("11"))
            m_mute = tr("Picture muted");
        else if (value == QLatin1String("21"))
            m_mute = tr("Sound muted");
        else if (value == QLatin1String("30"))
            m_mute = tr("Off");
        else
            m_mute = shown;
    } else if (command == QLatin1String("FREZ")) {
        m_freeze = value == QLatin1String("1") ? tr("Frozen") : value == QLatin1String("0") ? tr("Off") : shown;
    } else if (command == QLatin1String("LAMP")) {
        const PJLinkLamps lamps = PJLinkLamps::parse(value);
        m_lamp = lamps.isValid() ? lamps.toolTip() : shown;
    } else if (command == QLatin1String("FILT")) {
        bool ok = false;
        const int hours = value.toInt(&ok);
        m_filter = ok && hours >= 0 ? tr("%1 h").arg(hours) : shown;
    }
    return {};
}

QString PJLinkPanelState::inputLabel(const QString &code) const
{
    const QString name = m_names.value(code);
    return name.isEmpty() ? code : code + QLatin1Char(' ') + name;
}

QString PJLinkPanelState::powerLine(bool on) const
{
    return PJLinkPower::switchLine(on);
}

QString PJLinkPanelState::inputLine(const QString &code) const
{
    return isInputCode(code) ? prefix() + QStringLiteral("INPT ") + code : QString();
}

QString PJLinkPanelState::muteLine(bool on) const
{
    return on ? QStringLiteral("%1AVMT 31") : QStringLiteral("%1AVMT 30");
}

QString PJLinkPanelState::freezeLine(bool on) const
{
    if (!offersClass2())
        return QString();
    return on ? QStringLiteral("%2FREZ 1") : QStringLiteral("%2FREZ 0");
}

QString PJLinkPanelState::volumeLine(bool up) const
{
    if (!offersClass2())
        return QString();
    return up ? QStringLiteral("%2SVOL 1") : QStringLiteral("%2SVOL 0");
}
