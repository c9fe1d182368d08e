#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QTimer;

// One simulated PJLink projector: its power cycle (standby, warming up, on,
// cooling down, with ERR3 to power requests in the middle of a change), its
// lamps, error status, input and mute, and the answer to every request line.
//
// A class 1 projector answers class 2 requests with ERR1, as the real ones do.
class PJLinkProjectorState : public QObject
{
    Q_OBJECT
public:
    enum Power
    {
        Standby = 0,
        On = 1,
        Cooling = 2,
        Warming = 3
    };

    PJLinkProjectorState(int classLevel, const QString &name, const QString &serial, QObject *parent = nullptr);

    void setTimes(int warmupMs, int cooldownMs);
    void setPower(int power) { m_power = power; }
    void setLampHours(const QString &hoursList); // "1200" or "1200,300"
    void setErrorStatus(const QString &digits) { m_erst = digits; }
    int power() const { return m_power; }
    int classLevel() const { return m_class; }

    // The answer line (without CR) to one request line (without CR and
    // without a digest).
    QByteArray answer(const QByteArray &request);

signals:
    // A state change a class 2 projector announces: "%2POWR=1" and the like.
    void notification(const QByteArray &line);

private:
    QByteArray query(char cls, const QByteArray &command, const QByteArray &parameter);
    QByteArray set(char cls, const QByteArray &command, const QByteArray &parameter);
    void changePower(int power);
    QString lampText() const;

    int m_class;
    QString m_name;
    QString m_serial;
    int m_power = Standby;
    int m_warmupMs = 3000;
    int m_cooldownMs = 3000;
    QList<int> m_lampHours{1200};
    QString m_erst = QStringLiteral("000000");
    QByteArray m_input = "31";
    QByteArray m_mute = "30";
    bool m_frozen = false;
    QTimer *m_transition;
};
