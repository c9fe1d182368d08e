// projsim: simulated projectors for tests and demos. Run it only inside the
// network sandbox (scripts/sandbox.sh run ...).
#include "pjlinksimoptions.h"
#include "pjlinksimulator.h"
#include "shutdownwatcher.h"
#include "simulator.h"
#include "simulatoroptions.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
#ifdef SIGPIPE
    // A test that stops reading our stdout must not kill us mid-answer.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("projsim"));

    SimulatorOptions options;
    PJLinkSimOptions pjlink;
    QString error;
    QStringList arguments = QCoreApplication::arguments();
    if (!pjlink.take(&arguments, &error) || !options.parse(arguments, &error)) {
        if (!error.isEmpty())
            std::fprintf(stderr, "projsim: %s\n", qPrintable(error));
        std::fputs(qPrintable(SimulatorOptions::usage() + PJLinkSimOptions::usage()), error.isEmpty() ? stdout : stderr);
        return error.isEmpty() ? 0 : 2;
    }

    ShutdownWatcher watcher;
    QObject::connect(&watcher, &ShutdownWatcher::shutdownRequested, &app, &QCoreApplication::quit);

    if (pjlink.enabled()) {
        PJLinkSimulator simulator(options, pjlink);
        if (!simulator.start(&error)) {
            std::fprintf(stderr, "projsim: %s\n", qPrintable(error));
            return 1;
        }
        std::fputs("READY\n", stdout);
        std::fflush(stdout);
        return app.exec();
    }

    Simulator simulator(options);
    QObject::connect(&simulator, &Simulator::serialPortLost, &app, [] {
        std::fputs("projsim: serial line lost\n", stderr);
        QCoreApplication::exit(1);
    });
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "projsim: %s\n", qPrintable(error));
        return 1;
    }
    std::fputs("READY\n", stdout);
    std::fflush(stdout);
    return app.exec();
}
