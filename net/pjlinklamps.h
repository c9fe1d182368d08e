#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

// A PJLink LAMP answer: one pair "<hours> <0|1>" per lamp, e.g.
// "1234 1 56 0" for a first lamp on at 1234 h and a second one off.
class PJLinkLamps
{
    Q_DECLARE_TR_FUNCTIONS(PJLinkLamps)
public:
    // Projectors carry at most eight lamps; anything longer is garbage.
    static constexpr int MaxLamps = 8;

    struct Lamp
    {
        int hours = 0;
        bool on = false;
    };

    // Invalid unless 1..8 pairs of a non-negative number (at most 99999 h)
    // and 0 or 1, separated by single blanks.
    static PJLinkLamps parse(const QString &value);

    bool isValid() const { return !m_lamps.isEmpty(); }
    const QVector<Lamp> &lamps() const { return m_lamps; }
    int firstHours() const { return m_lamps.isEmpty() ? -1 : m_lamps.first().hours; }
    // "Lamp 1: 1234 h, on" per line.
    QString toolTip() const;

private:
    QVector<Lamp> m_lamps;
};
