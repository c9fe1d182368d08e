#include "shutdownwatcher.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

extern "C" void onTerminate(int)
{
    const char byte = 1;
    // Only async-signal-safe calls here; a full pipe is as good as a write.
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

} // namespace
#endif

ShutdownWatcher::ShutdownWatcher(QObject *parent) : QObject(parent)
{
    watchSignals();
    watchStandardInput();
}

ShutdownWatcher::~ShutdownWatcher()
{
#ifdef Q_OS_UNIX
    if (g_signalPipe[0] >= 0) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        ::close(g_signalPipe[0]);
        ::close(g_signalPipe[1]);
        g_signalPipe[0] = g_signalPipe[1] = -1;
    }
#endif
}

void ShutdownWatcher::watchSignals()
{
#ifdef Q_OS_UNIX
    if (g_signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
    m_signalNotifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &byte, 1);
        emit shutdownRequested();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
#endif
}

void ShutdownWatcher::watchStandardInput()
{
#ifdef Q_OS_UNIX
    struct stat info = {};
    if (::fstat(STDIN_FILENO, &info) != 0)
        return;
    // /dev/null or a file as stdin (a job started in the background) would
    // end the simulator at once; only a pipe or a terminal is watched.
    if (!S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode) && !::isatty(STDIN_FILENO))
        return;
    m_stdinNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdinNotifier, &QSocketNotifier::activated, this, [this] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof(buffer));
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
            m_stdinNotifier->setEnabled(false);
            emit shutdownRequested();
        }
    });
#endif
}
