#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSound;

// Plays the scripts' sounds (one of the audio resources) without waiting for them. One
// player per sound is kept, so a script that plays in a loop restarts the
// sound instead of piling up players; without an audio device the sound is
// simply not heard.
class ScriptSound : public QObject
{
    Q_OBJECT

public:
    explicit ScriptSound(QObject *parent = nullptr);

public slots:
    void play(const QString &resource);

private:
    QHash<QString, QSound *> m_players;
};
