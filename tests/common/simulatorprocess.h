#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the projector simulator (projsim from the build's bin folder) for a
// test. The test itself must already be inside the network sandbox, which
// every test registered with orv_add_test is.
//
//   SimulatorProcess sim;
//   QVERIFY2(sim.start({"--range", "127.0.0.2-127.0.0.4", "--mode", "127.0.0.3=silent"}), sim.errorText());
//   ...
//   sim.stop(); // also done by the destructor
class SimulatorProcess
{
public:
    SimulatorProcess();
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    // Starts projsim with the arguments and waits until it reports "READY".
    // Returns false (see errorText()) when it cannot start, exits or does not
    // get ready in time.
    bool start(const QStringList &arguments, int readyTimeoutMs = 10000);
    // Sends SIGTERM and waits for the end (kills it after the wait).
    void stop(int waitMs = 5000);

    static QString programPath();
    // Why start() failed, with the simulator's own error output.
    const char *errorText() const { return m_error.constData(); }
    // What the simulator wrote on its error output so far.
    QByteArray standardError();

private:
    QProcess m_process;
    QByteArray m_error;
    QByteArray m_stderr;
};
