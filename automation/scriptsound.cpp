#include "automation/scriptsound.h"

#include "app/orvlog/OrvLog.h"

#include <QFile>
#include <QSound>

#include <atomic>

// Q_INIT_RESOURCE must be used outside of any namespace.
static void initAutomationResources()
{
    Q_INIT_RESOURCE(automation);
}

void ScriptSound::ensureResources()
{
    static std::atomic<bool> loaded{false};
    if (!loaded.exchange(true))
        initAutomationResources();
}

ScriptSound::ScriptSound(QObject *parent) : QObject(parent)
{
    ensureResources();
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
