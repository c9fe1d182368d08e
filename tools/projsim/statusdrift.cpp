#include "statusdrift.h"

#include "projectorstate.h"

#include <QTimer>

StatusDrift::StatusDrift(ProjectorState *state, int periodMs, QObject *parent)
    : QObject(parent), m_state(state), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &StatusDrift::step);
    m_timer->start(qMax(1, periodMs));
}

QStringList StatusDrift::round()
{
    return {QStringLiteral("0612"), QStringLiteral("0"),    QStringLiteral("1020"),
            QStringLiteral("0"),    QStringLiteral("07F3"), QStringLiteral("0")};
}

void StatusDrift::step()
{
    const QStringList codes = round();
    m_state->setFault(codes.at(m_next));
    m_next = (m_next + 1) % codes.size();
}
