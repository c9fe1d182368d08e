#pragma once

#include "cataloguetable.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>

class QTimer;
class OpRequest;

// The state of one simulated projector and its answers to op commands.
//
// Power follows the real sequence: standby (0) -> warming up (1) -> on (2)
// -> cooling down (3) -> standby, with error (4) when a fault is set. The
// light-source hours grow while the lamp is lit (warming up or on). Every
// other command the catalogue names is a setting kept in a store, limited to
// its range or enumeration.
class ProjectorState : public QObject
{
    Q_OBJECT
public:
    enum Power
    {
        Standby = 0,
        WarmingUp = 1,
        On = 2,
        CoolingDown = 3,
        Error = 4
    };

    ProjectorState(const CatalogueTable &catalogue, const QString &model, const QString &serialNumber,
                   QObject *parent = nullptr);

    void setWarmupMs(int ms) { m_warmupMs = qMax(0, ms); }
    void setCooldownMs(int ms) { m_cooldownMs = qMax(0, ms); }
    // Length of one light-source hour in real milliseconds.
    void setHourMs(int ms) { m_hourMs = qMax(1, ms); }
    void setHours(int hours);
    // Sets the power state at once, without a transition.
    void setPower(int state);
    // Puts the projector into the error state with this code (hexadecimal
    // text such as "2103" or "0x2103"); "0" clears it.
    void setFault(const QString &code);

    // The answer to one request line, without line end ("OP MODEL=KX4410Q");
    // an empty text means no answer.
    QString answer(const QString &line);

    int power() const { return m_power; }
    int hours() const;
    QString errorCode() const { return m_errorCode; }
    QString model() const { return m_model; }
    QString serialNumber() const { return m_serialNumber; }
    // Stored value of a setting (by op word), null when unknown.
    QString value(const QString &op) const;
    // Rated light-source life from the catalogue (20000 h when not given).
    int ratedLife() const;

signals:
    void powerChanged(int state);
    // Every request line, before it is answered.
    void requestReceived(const QString &line);

private:
    enum class Role
    {
        None,
        Model,
        Serial,
        Status,
        ErrorCode,
        Hours,
        ActiveSource,
        Signal,
        InputSelect,
        PowerOn,
        PowerOff,
        Power
    };

    Role roleOf(const QString &op, const CatalogueEntry *entry) const;
    QString answerQuery(const OpRequest &request, const CatalogueEntry *entry, Role role) const;
    QString answerSet(const OpRequest &request, const CatalogueEntry *entry, Role role);
    QString answerAction(const OpRequest &request, const CatalogueEntry *entry, Role role);
    QString dynamicValue(Role role) const;
    QString activeSource() const;
    QString signalFormat() const;
    bool powerOn();
    bool powerOff();
    void enterPower(int state);
    void finishTransition();

    CatalogueTable m_catalogue;
    QString m_model;
    QString m_serialNumber;
    QHash<QString, QString> m_values; // lower-case op word -> value
    QString m_errorCode = QStringLiteral("0000");
    int m_power = Standby;
    int m_warmupMs = 3000;
    int m_cooldownMs = 3000;
    int m_hourMs = 60000;
    int m_baseHours = 0;
    qint64 m_litMs = 0;
    QElapsedTimer m_litClock;
    QTimer *m_transition;
};
