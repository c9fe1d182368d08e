#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The six digits of a PJLink ERST answer (fan, lamp, temperature, cover,
// filter, other; 0 ok, 1 warning, 2 error) in words for the status table:
// "OK" when all are 0, else e.g. "Lamp error, Filter warning".
class PJLinkErrorStatus
{
    Q_DECLARE_TR_FUNCTIONS(PJLinkErrorStatus)
public:
    static constexpr int Digits = 6;

    // Invalid (isValid() false) unless exactly six digits 0..2.
    static PJLinkErrorStatus parse(const QString &value);

    bool isValid() const { return m_valid; }
    // 0, 1 or 2 per digit, in wire order.
    int level(int index) const { return m_levels[index]; }
    bool hasError() const;
    bool hasWarning() const;
    QStringList words() const;
    QString text() const;

private:
    bool m_valid = false;
    int m_levels[Digits] = {0, 0, 0, 0, 0, 0};
};
