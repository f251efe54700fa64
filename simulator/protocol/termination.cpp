#include "termination.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace Termination {

namespace {

int wakeFds[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeFds[0], &byte, 1);
}

} // namespace

void quitEventLoopOnSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, wakeFds) != 0)
        return;
    auto *notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, QCoreApplication::instance(), [] {
        char byte;
        [[maybe_unused]] const auto got = ::read(wakeFds[1], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

namespace {

constexpr char HostPidVariable[] = "PELQUOR_HOST_PID";
constexpr char ErrorFileVariable[] = "PELQUOR_SIMULATOR_ERROR_FILE";
constexpr int HostPollMs = 500;

pid_t hostPid()
{
    bool ok = false;
    const qint64 pid = qEnvironmentVariable(HostPidVariable).toLongLong(&ok);
    return ok && pid > 1 ? pid_t(pid) : 0;
}

bool hostAlive(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

bool launchedByHost()
{
    return hostPid() != 0;
}

void quitWhenHostEnds()
{
    const pid_t host = hostPid();
    if (!host)
        return;
    // Started straight from the host, the kernel signals the simulator when
    // the host ends; the signal ends the event loop like any SIGTERM.
    if (::getppid() == host)
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    auto *app = QCoreApplication::instance();
    // The host may have ended before the line above ran, or the simulator
    // was reached through a launcher: the host's process descriptor becomes
    // readable when it ends. Kernels without it are asked every half second.
    const int pidfd = int(::syscall(SYS_pidfd_open, host, 0));
    if (pidfd >= 0) {
        auto *notifier = new QSocketNotifier(pidfd, QSocketNotifier::Read, app);
        QObject::connect(notifier, &QSocketNotifier::activated, app, [notifier] {
            notifier->setEnabled(false);
            QCoreApplication::quit();
        });
        return;
    }
    if (!hostAlive(host)) {
        QTimer::singleShot(0, app, &QCoreApplication::quit);
        return;
    }
    auto *poll = new QTimer(app);
    QObject::connect(poll, &QTimer::timeout, app, [host] {
        if (!hostAlive(host))
            QCoreApplication::quit();
    });
    poll->start(HostPollMs);
}

bool reportStartFailure(const QString &message)
{
    const QString path = qEnvironmentVariable(ErrorFileVariable);
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(message.toUtf8());
    return file.commit();
}

} // namespace Termination
