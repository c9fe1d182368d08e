#include "pjlinkprojectorstate.h"

#include <QTimer>

namespace {

const QList<QByteArray> &inputs()
{
    static const QList<QByteArray> list{"11", "31", "32", "33", "52"};
    return list;
}

QByteArray inputName(const QByteArray &input)
{
    if (input == "11")
        return "Computer";
    if (input == "52")
        return "Network";
    return "HDMI " + input.right(1);
}

} // namespace

PJLinkProjectorState::PJLinkProjectorState(int classLevel, const QString &name, const QString &serial,
                                           QObject *parent)
    : QObject(parent)
    , m_class(classLevel)
    , m_name(name)
    , m_serial(serial)
    , m_transition(new QTimer(this))
{
    m_transition->setSingleShot(true);
    connect(m_transition, &QTimer::timeout, this, [this] { changePower(m_power == Warming ? On : Standby); });
}

void PJLinkProjectorState::setTimes(int warmupMs, int cooldownMs)
{
    m_warmupMs = warmupMs;
    m_cooldownMs = cooldownMs;
}

void PJLinkProjectorState::setLampHours(const QString &hoursList)
{
    m_lampHours.clear();
    for (const QString &h : hoursList.split(QLatin1Char(',')))
        m_lampHours << h.toInt();
}

void PJLinkProjectorState::changePower(int power)
{
    m_power = power;
    if (m_class >= 2)
        emit notification("%2POWR=" + QByteArray::number(power));
}

QString PJLinkProjectorState::lampText() const
{
    QStringList parts;
    const bool lit = m_power == On || m_power == Warming;
    for (const int hours : m_lampHours)
        parts << QString::number(hours) << (lit ? QStringLiteral("1") : QStringLiteral("0"));
    return parts.join(QLatin1Char(' '));
}

QByteArray PJLinkProjectorState::answer(const QByteArray &request)
{
    // "%1POWR ?" or "%1POWR 1": a class digit, four letters, a blank, the rest.
    if (request.size() < 7 || request.at(0) != '%' || request.at(6) != ' ')
        return "%1" + request.mid(2, 4) + "=ERR1";
    const char cls = request.at(1);
    const QByteArray command = request.mid(2, 4).toUpper();
    const QByteArray parameter = request.mid(7);
    const QByteArray head = QByteArray("%") + cls + command + '=';
    if ((cls != '1' && cls != '2') || cls - '0' > m_class)
        return head + "ERR1";
    const QByteArray value = parameter.startsWith('?') ? query(cls, command, parameter.mid(1)) : set(cls, command, parameter);
    return head + value;
}

QByteArray PJLinkProjectorState::query(char cls, const QByteArray &command, const QByteArray &parameter)
{
    const bool on = m_power == On;
    if (command == "POWR")
        return QByteArray::number(m_power);
    if (command == "INPT")
        return on ? m_input : QByteArray("ERR3");
    if (command == "AVMT")
        return on ? m_mute : QByteArray("ERR3");
    if (command == "ERST")
        return m_erst.toLatin1();
    if (command == "LAMP")
        return lampText().toLatin1();
    if (command == "INST")
        return inputs().join(' ');
    if (command == "NAME")
        return m_name.toUtf8();
    if (command == "INF1")
        return "ORVSIM";
    if (command == "INF2")
        return "PJ" + QByteArray::number(m_class) + "000";
    if (command == "INFO")
        return "simulated";
    if (command == "CLSS")
        return QByteArray::number(m_class);
    if (cls == '2') {
        if (command == "SNUM")
            return m_serial.toLatin1();
        if (command == "SVER")
            return "1.00";
        if (command == "INNM")
            return inputs().contains(parameter) ? inputName(parameter) : QByteArray("ERR2");
        if (command == "IRES")
            return on ? QByteArray("1920x1080") : QByteArray("-");
        if (command == "RRES")
            return "1920x1080";
        if (command == "FILT")
            return "120";
        if (command == "RLMP")
            return "LMP-SIM1";
        if (command == "RFIL")
            return "FLT-SIM1";
        if (command == "FREZ")
            return m_frozen ? "1" : "0";
    }
    return "ERR1";
}

QByteArray PJLinkProjectorState::set(char cls, const QByteArray &command, const QByteArray &parameter)
{
    if (command == "POWR") {
        if (parameter != "0" && parameter != "1")
            return "ERR2";
        if (m_power == Warming || m_power == Cooling)
            return "ERR3";
        if (parameter == "1" && m_power == Standby) {
            changePower(Warming);
            m_transition->start(m_warmupMs);
        } else if (parameter == "0" && m_power == On) {
            changePower(Cooling);
            m_transition->start(m_cooldownMs);
        }
        return "OK";
    }
    if (command == "INPT") {
        if (!inputs().contains(parameter))
            return "ERR2";
        if (m_power != On)
            return "ERR3";
        m_input = parameter;
        if (m_class >= 2)
            emit notification("%2INPT=" + m_input);
        return "OK";
    }
    if (command == "AVMT") {
        static const QList<QByteArray> mutes{"10", "11", "20", "21", "30", "31"};
        if (!mutes.contains(parameter))
            return "ERR2";
        if (m_power != On)
            return "ERR3";
        m_mute = parameter;
        if (m_class >= 2)
            emit notification("%2AVMT=" + m_mute);
        return "OK";
    }
    if (cls == '2') {
        if (command == "FREZ" || command == "SVOL" || command == "MVOL") {
            if (parameter != "0" && parameter != "1")
                return "ERR2";
            if (m_power != On)
                return "ERR3";
            if (command == "FREZ")
                m_frozen = parameter == "1";
            return "OK";
        }
    }
    return "ERR1";
}
