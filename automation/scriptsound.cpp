#include "automation/scriptsound.h"

#include "app/orvlog/OrvLog.h"
#include "ui/shellresources.h"

#include <QFile>
#include <QSound>

ScriptSound::ScriptSound(QObject *parent) : QObject(parent)
{
    ShellResources::ensureLoaded();
}

void ScriptSound::play(const QString &resource)
{
    QSound *player = m_players.value(resource);
    if (!player) {
        if (!resource.startsWith(QLatin1String(":/audio/")) || !QFile::exists(resource)) {
            OLOG_WARN() << "No such sound:" << resource;
            return;
        }
        player = new QSound(resource, this);
        m_players.insert(resource, player);
    }
    player->stop();
    player->play();
}
