#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One answer line of a projector, as a command session reports it
// ("OP MODEL=KX4410Q\r\n"), taken apart the way the answer handler needs it.
// Holds no state beyond the line itself, so it is cheap to build per answer.
class AnswerLine
{
public:
    explicit AnswerLine(const QString &result);

    // The line exactly as received (what the window keeps as last result).
    const QString &result() const { return m_result; }

    // The line cut at its first NUL and split at every "=", empty parts kept.
    const QStringList &parts() const { return m_parts; }

    // True when the line has at least a key and a value part. Lines without
    // "=" only ever change the last result.
    bool hasKeyValue() const { return m_parts.size() >= 2; }

    // First and second part, white space simplified; empty when the line has
    // no key/value pair.
    const QString &key() const { return m_key; }
    const QString &value() const { return m_value; }

    // The key begins with "OP " in any letter case.
    bool isOpAnswer() const;

    // The op word of an "OP " answer (the key without its first three
    // characters); a null string for any other line.
    QString opWord() const;

    // The key names the model or the serial number. Projectors answer in
    // upper case, so these tests are deliberately case-sensitive.
    bool carriesModel() const { return hasKeyValue() && m_key.contains(QLatin1String("MODEL")); }
    bool carriesSerialNumber() const { return hasKeyValue() && m_key.contains(QLatin1String("SER.NO")); }

    // An "OP " answer whose op word names the model: its value is the model
    // whose catalogue is to be loaded for the answering projector.
    bool opCarriesModel() const { return isOpAnswer() && opWord().contains(QLatin1String("MODEL")); }

    // Wire bytes to text: Latin-1, ending before the first NUL byte.
    static QString textFromWire(const QByteArray &bytes);

    // Text cut at its first NUL and split at every "=", empty parts kept.
    static QStringList splitAnswer(const QString &text);

private:
    QString m_result;
    QStringList m_parts;
    QString m_key;
    QString m_value;
};
