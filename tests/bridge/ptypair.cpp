#include "tests/bridge/ptypair.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

PtyPair::PtyPair(const QString &folder) : m_folder(folder)
{
    QDir().mkpath(folder);
}

PtyPair::~PtyPair()
{
    stop();
}

bool PtyPair::start()
{
    stop();
    QFile::remove(bridgeEnd());
    QFile::remove(projectorEnd());
    m_socat.setProcessChannelMode(QProcess::SeparateChannels);
    m_socat.start(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                            QStringLiteral("pty,raw,echo=0,link=%1").arg(bridgeEnd()),
                                            QStringLiteral("pty,raw,echo=0,link=%1").arg(projectorEnd())});
    if (!m_socat.waitForStarted(5000)) {
        m_error = "socat did not start: " + m_socat.errorString().toLocal8Bit();
        return false;
    }
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(bridgeEnd()) && QFileInfo::exists(projectorEnd()))
            return true;
        if (m_socat.state() != QProcess::Running)
            break;
        QThread::msleep(10);
    }
    m_error = "socat gave no terminals: " + m_socat.readAllStandardError();
    stop();
    return false;
}

void PtyPair::stop()
{
    if (m_socat.state() == QProcess::NotRunning)
        return;
    m_socat.terminate();
    if (!m_socat.waitForFinished(3000)) {
        m_socat.kill();
        m_socat.waitForFinished(3000);
    }
}
