#pragma once

#include <QString>

// How the "Lamp Hours" cell is drawn: a bar from 0 to the rated life with
// the hours as text, its chunk green, brown past 75 % and red past 90 %.
class LampHoursBar
{
public:
    enum class Colour
    {
        Green,
        Brown,
        Red
    };

    // From the cell texts (hours, rated life); blank when the life is not
    // known or the bar would be empty.
    static LampHoursBar fromCells(const QString &hours, const QString &life);

    bool isBlank() const { return m_blank; }
    int maximum() const { return m_life; }
    // Clamped to the life: a light source past its rated life shows a full
    // red bar (an out-of-range value would leave the bar empty).
    int value() const { return qMin(m_hours, m_life); }
    // The real hours, also past the life.
    QString text() const { return QString::number(m_hours); }
    Colour colour() const { return m_colour; }
    QString styleSheet() const;

private:
    bool m_blank = true;
    int m_hours = 0;
    int m_life = 0;
    Colour m_colour = Colour::Green;
};
