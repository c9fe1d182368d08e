#include "simulatorprocess.h"

#include "tests/common/testenvironment.h"

#include <QDeadlineTimer>
#include <QFileInfo>

SimulatorProcess::SimulatorProcess()
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

QString SimulatorProcess::programPath()
{
    return TestEnvironment::binDir() + QStringLiteral("/projsim");
}

bool SimulatorProcess::start(const QStringList &arguments, int readyTimeoutMs)
{
    stop();
    m_error.clear();
    m_stderr.clear();
    const QString program = programPath();
    if (!QFileInfo(program).isExecutable()) {
        m_error = "projsim not found at " + program.toLocal8Bit();
        return false;
    }
    // stdin stays an open pipe: the simulator ends by itself when we die.
    m_process.start(program, arguments, QIODevice::ReadWrite);
    if (!m_process.waitForStarted(readyTimeoutMs)) {
        m_error = "projsim did not start: " + m_process.errorString().toLocal8Bit();
        return false;
    }
    QDeadlineTimer deadline(readyTimeoutMs);
    QByteArray output;
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            break;
        if (m_process.canReadLine() || m_process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 200)))) {
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line == "READY")
                    return true;
                output += line + '\n';
            }
        }
    }
    m_stderr += m_process.readAllStandardError();
    m_error = "projsim did not get ready (" + QByteArray::number(int(m_process.state())) + "): " + output + m_stderr;
    stop();
    return false;
}

void SimulatorProcess::stop(int waitMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(waitMs)) {
        m_process.kill();
        m_process.waitForFinished(waitMs);
    }
    m_stderr += m_process.readAllStandardError();
}

QByteArray SimulatorProcess::standardError()
{
    m_stderr += m_process.readAllStandardError();
    return m_stderr;
}
