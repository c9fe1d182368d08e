#include "projectorstate.h"

#include "oprequest.h"
#include "panelreadouts.h"

#include <QTimer>

namespace {

const QString kNotAvailable = QStringLiteral("NA");
const QString kDone = QStringLiteral("OK");

QString reply(const QString &word, const QString &value)
{
    return QLatin1String("OP ") + word.toUpper() + QLatin1Char('=') + value;
}

bool isLit(int power)
{
    return power == ProjectorState::WarmingUp || power == ProjectorState::On;
}

// Enumerated values may be given as index or by name.
int enumIndex(const CatalogueEntry &entry, const QString &text)
{
    bool ok = false;
    const int index = text.trimmed().toInt(&ok);
    if (ok)
        return index >= 0 && index < entry.valueNames.size() ? index : -1;
    for (int i = 0; i < entry.valueNames.size(); ++i) {
        if (entry.valueNames.at(i).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString initialValue(const CatalogueEntry &entry)
{
    if (entry.isEnumerated()) {
        // A catalogue may carry "1 [On]"; the leading number is the value.
        const QString first = entry.initialValue.section(QLatin1Char(' '), 0, 0);
        const int index = enumIndex(entry, first);
        return QString::number(index < 0 ? 0 : index);
    }
    if (entry.hasRange) {
        bool ok = false;
        const int v = entry.initialValue.toInt(&ok);
        return QString::number(ok ? qBound(entry.minimum, v, entry.maximum) : entry.minimum);
    }
    return entry.initialValue;
}

} // namespace

ProjectorState::ProjectorState(const CatalogueTable &catalogue, const QString &model, const QString &serialNumber,
                               QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_model(model), m_serialNumber(serialNumber),
      m_transition(new QTimer(this))
{
    m_transition->setSingleShot(true);
    connect(m_transition, &QTimer::timeout, this, &ProjectorState::finishTransition);
    for (const CatalogueEntry &entry : m_catalogue.entries())
        m_values.insert(entry.op.toLower(), initialValue(entry));
    PanelReadouts::fill(&m_values, qHash(serialNumber));
}

void ProjectorState::setHours(int hours)
{
    m_baseHours = qMax(0, hours);
    m_litMs = 0;
    if (m_litClock.isValid())
        m_litClock.restart();
}

void ProjectorState::setPower(int state)
{
    m_transition->stop();
    enterPower(qBound(int(Standby), state, int(Error)));
}

void ProjectorState::setFault(const QString &code)
{
    QString text = code.trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    bool ok = false;
    const uint number = text.toUInt(&ok, 16);
    if (!ok)
        return;
    m_errorCode = QStringLiteral("%1").arg(number & 0xffff, 4, 16, QLatin1Char('0')).toUpper();
    if (number != 0)
        setPower(Error);
    else if (m_power == Error)
        setPower(Standby);
}

int ProjectorState::hours() const
{
    qint64 lit = m_litMs;
    if (isLit(m_power) && m_litClock.isValid())
        lit += m_litClock.elapsed();
    return m_baseHours + int(lit / m_hourMs);
}

QString ProjectorState::value(const QString &op) const
{
    return m_values.value(op.toLower());
}

int ProjectorState::ratedLife() const
{
    const CatalogueEntry *life = m_catalogue.findByName(QStringLiteral("Light Source Life"));
    bool ok = false;
    const int hours = life ? life->initialValue.section(QLatin1Char(' '), 0, 0).toInt(&ok) : 0;
    return ok && hours > 0 ? hours : 20000;
}

QString ProjectorState::answer(const QString &line)
{
    emit requestReceived(line);
    const OpRequest request = OpRequest::parse(line);
    switch (request.kind()) {
    case OpRequest::Empty:
        return QString();
    case OpRequest::KeyLine:
        // Remote-control keys are taken without a state change.
        return request.text().toUpper() + QLatin1String("=OK");
    case OpRequest::Other:
        return request.text().toUpper() + QLatin1String("=NA");
    default:
        break;
    }
    const CatalogueEntry *entry = m_catalogue.find(request.word());
    const Role role = roleOf(request.word(), entry);
    // A word that is neither in the catalogue nor one every projector knows.
    if (!entry && role == Role::None)
        return reply(request.word(), kNotAvailable);
    switch (request.kind()) {
    case OpRequest::Query:
        return answerQuery(request, entry, role);
    case OpRequest::Set:
        return answerSet(request, entry, role);
    default:
        return answerAction(request, entry, role);
    }
}

ProjectorState::Role ProjectorState::roleOf(const QString &op, const CatalogueEntry *entry) const
{
    static const QHash<QString, Role> byOp{
        {QStringLiteral("model"), Role::Model},       {QStringLiteral("ser.no"), Role::Serial},
        {QStringLiteral("status"), Role::Status},     {QStringLiteral("errcode"), Role::ErrorCode},
        {QStringLiteral("total.hours"), Role::Hours}, {QStringLiteral("act.source"), Role::ActiveSource},
        {QStringLiteral("signal"), Role::Signal},     {QStringLiteral("input.sel"), Role::InputSelect},
        {QStringLiteral("power.on"), Role::PowerOn},  {QStringLiteral("power.off"), Role::PowerOff},
        {QStringLiteral("power"), Role::Power},
    };
    static const QHash<QString, Role> byName{
        {QStringLiteral("model name"), Role::Model},        {QStringLiteral("serial number"), Role::Serial},
        {QStringLiteral("projector status"), Role::Status}, {QStringLiteral("error code"), Role::ErrorCode},
        {QStringLiteral("total hours"), Role::Hours},       {QStringLiteral("active source"), Role::ActiveSource},
        {QStringLiteral("signal format"), Role::Signal},    {QStringLiteral("input select"), Role::InputSelect},
        {QStringLiteral("power on"), Role::PowerOn},        {QStringLiteral("power off"), Role::PowerOff},
    };
    const Role role = byOp.value(op.toLower(), Role::None);
    if (role != Role::None)
        return role;
    return entry ? byName.value(entry->name.toLower(), Role::None) : Role::None;
}

QString ProjectorState::dynamicValue(Role role) const
{
    switch (role) {
    case Role::Model:
        return m_model;
    case Role::Serial:
        return m_serialNumber;
    case Role::Status:
        return QString::number(m_power);
    case Role::ErrorCode:
        return m_errorCode;
    case Role::Hours:
        return QString::number(hours());
    case Role::ActiveSource:
        return activeSource();
    case Role::Signal:
        return signalFormat();
    case Role::Power:
        return isLit(m_power) ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return QString();
    }
}

QString ProjectorState::activeSource() const
{
    const CatalogueEntry *input = m_catalogue.find(QStringLiteral("input.sel"));
    if (!input)
        input = m_catalogue.findByName(QStringLiteral("Input Select"));
    if (!input)
        return QStringLiteral("HDMI1");
    const QString stored = m_values.value(input->op.toLower());
    const int index = input->isEnumerated() ? enumIndex(*input, stored) : -1;
    return index >= 0 ? input->valueNames.at(index) : stored;
}

QString ProjectorState::signalFormat() const
{
    if (m_power != On)
        return QStringLiteral("No Signal");
    const QString source = activeSource();
    if (source.contains(QLatin1String("VGA"), Qt::CaseInsensitive))
        return QStringLiteral("1280x800@60Hz");
    if (source.contains(QLatin1String("SDI"), Qt::CaseInsensitive))
        return QStringLiteral("1920x1080@50Hz");
    return QStringLiteral("1920x1080@60Hz");
}

QString ProjectorState::answerQuery(const OpRequest &request, const CatalogueEntry *entry, Role role) const
{
    if (role != Role::None && role != Role::InputSelect && role != Role::PowerOn && role != Role::PowerOff)
        return reply(request.word(), dynamicValue(role));
    if (!entry || !entry->queryable)
        return reply(request.word(), kNotAvailable);
    return reply(request.word(), m_values.value(entry->op.toLower()));
}

QString ProjectorState::answerSet(const OpRequest &request, const CatalogueEntry *entry, Role role)
{
    if (role == Role::Power) {
        const QString v = request.value().trimmed();
        const bool ok = v == QLatin1String("1") ? powerOn() : v == QLatin1String("0") ? powerOff() : false;
        return reply(request.word(), ok ? v : kNotAvailable);
    }
    // Read-only information and plain actions take no value.
    if (!entry || (role != Role::None && role != Role::InputSelect))
        return reply(request.word(), kNotAvailable);
    QString stored = request.value();
    if (entry->isEnumerated()) {
        const int index = enumIndex(*entry, stored);
        if (index < 0)
            return reply(request.word(), kNotAvailable);
        stored = QString::number(index);
    } else if (entry->hasRange) {
        bool ok = false;
        const int v = stored.toInt(&ok);
        if (!ok)
            return reply(request.word(), kNotAvailable);
        stored = QString::number(qBound(entry->minimum, v, entry->maximum));
    } else if (entry->queryable && !PanelReadouts::isWritableText(entry->op)) {
        // A queryable text without range is information (versions, clocks).
        return reply(request.word(), kNotAvailable);
    }
    m_values.insert(entry->op.toLower(), stored);
    return reply(request.word(), stored);
}

QString ProjectorState::answerAction(const OpRequest &request, const CatalogueEntry *entry, Role role)
{
    switch (role) {
    case Role::PowerOn:
        return reply(request.word(), powerOn() ? kDone : kNotAvailable);
    case Role::PowerOff:
        return reply(request.word(), powerOff() ? kDone : kNotAvailable);
    case Role::None:
        break;
    default:
        return reply(request.word(), kNotAvailable);
    }
    // Settings and information cannot be "run"; everything else is an action.
    if (!entry || entry->queryable || entry->hasRange || entry->isEnumerated())
        return reply(request.word(), kNotAvailable);
    return reply(request.word(), kDone);
}

bool ProjectorState::powerOn()
{
    switch (m_power) {
    case Standby:
        enterPower(WarmingUp);
        m_transition->start(m_warmupMs);
        return true;
    case WarmingUp:
    case On:
        return true;
    default:
        // Cooling down or in error: the lamp may not be struck now.
        return false;
    }
}

bool ProjectorState::powerOff()
{
    switch (m_power) {
    case WarmingUp:
    case On:
    case Error:
        enterPower(CoolingDown);
        m_transition->start(m_cooldownMs);
        return true;
    default:
        return true;
    }
}

void ProjectorState::finishTransition()
{
    if (m_power == WarmingUp) {
        enterPower(On);
    } else if (m_power == CoolingDown) {
        // Switching off is how an operator clears a fault.
        m_errorCode = QStringLiteral("0000");
        enterPower(Standby);
    }
}

void ProjectorState::enterPower(int state)
{
    const bool wasLit = isLit(m_power);
    const bool lit = isLit(state);
    if (wasLit && !lit && m_litClock.isValid()) {
        m_litMs += m_litClock.elapsed();
        m_litClock.invalidate();
    } else if (!wasLit && lit) {
        m_litClock.start();
    }
    if (m_power == state)
        return;
    m_power = state;
    emit powerChanged(state);
}
