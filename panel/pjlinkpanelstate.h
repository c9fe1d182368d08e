#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

class PJLinkReply;

// What the control panel shows of one PJLink projector: power, the inputs
// it offers (INST) with their names (class 2 INNM), the current input, AV
// mute, freeze, lamp and filter hours. Filled from the answers to the
// panel's own requests; a class 1 projector is never asked a class 2 one.
class PJLinkPanelState
{
    Q_DECLARE_TR_FUNCTIONS(PJLinkPanelState)
public:
    explicit PJLinkPanelState(int classLevel = 1) : m_classLevel(classLevel) {}

    int classLevel() const { return m_classLevel; }
    // Freeze, speaker volume and filter hours are class 2 only.
    bool offersClass2() const { return m_classLevel >= 2; }

    // The questions of a refresh.
    QStringList refreshRequests() const;
    // Takes the answer to request; returns the questions it leads to (the
    // name of every input once the list of inputs is known).
    QStringList take(const QString &request, const PJLinkReply &reply);

    QString powerText() const { return m_power; }
    QStringList inputCodes() const { return m_inputs; }
    // "31 HDMI 1" when the name is known, else "31".
    QString inputLabel(const QString &code) const;
    QString currentInput() const { return m_current; }
    QString muteText() const { return m_mute; }
    QString freezeText() const { return m_freeze; }
    QString lampText() const { return m_lamp; }
    QString filterText() const { return m_filter; }

    // The lines the panel's controls send.
    QString powerLine(bool on) const;
    QString inputLine(const QString &code) const;
    QString muteLine(bool on) const;
    QString freezeLine(bool on) const;
    QString volumeLine(bool up) const;

private:
    QString prefix() const;

    int m_classLevel;
    QString m_power;
    QStringList m_inputs;
    QHash<QString, QString> m_names;
    QString m_current;
    QString m_mute;
    QString m_freeze;
    QString m_lamp;
    QString m_filter;
};
