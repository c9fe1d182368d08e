#pragma once

#include <QHash>
#include <QString>

// Which projector the command console works on and what it still has to
// learn about it. The console's category buttons and table need the target's
// catalogue rows, which are loaded when the projector's model is known; a
// target whose model is unknown is asked for it once, and the console follows
// when that answer arrives.
class ConsoleTarget
{
public:
    enum class Action
    {
        Nothing,        // nothing to do (no address)
        ShowCategories, // the model is known: show its categories now
        AskModel        // send the model query; modelAnswered() tells when to show
    };

    // The operator chose ip as target. catalogueLoaded: the catalogue already
    // holds rows for ip.
    Action pick(const QString &ip, bool catalogueLoaded);

    // A category of the target is about to be shown. AskModel while its rows
    // are missing, else Nothing.
    Action categoryShown(const QString &ip, bool catalogueLoaded);

    // A projector named its model. True when the console is waiting for just
    // this answer and should show the model's categories now.
    bool modelAnswered(const QString &ip, const QString &model);

    // The model ip reported last; empty when it never did.
    QString modelOf(const QString &ip) const { return m_models.value(ip); }
    // The address whose model answer the console waits for, or empty.
    QString awaitedIp() const { return m_awaited; }
    QString currentIp() const { return m_current; }

private:
    QString m_current;
    QString m_awaited;
    QHash<QString, QString> m_models;
};
