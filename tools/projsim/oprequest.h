#pragma once

#include <QString>

// One request line as a projector reads it: "op WORD ?" (query),
// "op WORD = VALUE" (setting), "op WORD" (action), a remote-key line
// ("ky ...") or anything else.
class OpRequest
{
public:
    enum Kind
    {
        Empty,
        Query,
        Set,
        Action,
        KeyLine,
        Other
    };

    static OpRequest parse(const QString &line);

    Kind kind() const { return m_kind; }
    // The op word as sent (case kept).
    const QString &word() const { return m_word; }
    // The value of a setting, or the argument text of an action.
    const QString &value() const { return m_value; }
    // The whole line, white space simplified.
    const QString &text() const { return m_text; }

private:
    Kind m_kind = Empty;
    QString m_word;
    QString m_value;
    QString m_text;
};
