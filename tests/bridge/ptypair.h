#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

// Two linked pseudo-terminals made by socat stand in for a serial cable: "A"
// (the bridge's end) and "B" (the projector's end) in the given folder.
class PtyPair
{
public:
    explicit PtyPair(const QString &folder) : m_folder(folder) { QDir().mkpath(folder); }
    ~PtyPair() { stop(); }

    QString bridgeEnd() const { return m_folder + QStringLiteral("/A"); }
    QString projectorEnd() const { return m_folder + QStringLiteral("/B"); }
    QByteArray errorText() const { return m_error; }

    // Starts socat and waits until both links exist.
    bool start()
    {
        stop();
        QFile::remove(bridgeEnd());
        QFile::remove(projectorEnd());
        const QString end = QStringLiteral("pty,raw,echo=0,link=%1");
        m_socat.start(QStringLiteral("socat"), {"-d", "-d", end.arg(bridgeEnd()), end.arg(projectorEnd())});
        for (QDeadlineTimer deadline(5000); !deadline.hasExpired() && m_socat.waitForStarted(5000);) {
            if (QFileInfo::exists(bridgeEnd()) && QFileInfo::exists(projectorEnd()))
                return true;
            QThread::msleep(10);
        }
        m_error = "socat gave no terminals: " + m_socat.errorString().toLocal8Bit() + m_socat.readAllStandardError();
        stop();
        return false;
    }

    // Ends socat: both terminals vanish, as when a USB adapter is pulled.
    void stop()
    {
        m_socat.kill();
        m_socat.waitForFinished(3000);
    }

private:
    QString m_folder;
    QProcess m_socat;
    QByteArray m_error;
};
