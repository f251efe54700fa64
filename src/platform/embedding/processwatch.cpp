#include "processwatch.h"

#include <QByteArray>
#include <QFile>
#include <QThread>

#include <chrono>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

namespace {

// State letter and parent of a process from /proc/<pid>/stat; the command
// name in parentheses may hold blanks, so fields are counted after the last ')'.
bool readStat(qint64 pid, char *state, qint64 *parent)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    if (fields.size() < 2 || fields.at(0).isEmpty())
        return false;
    *state = fields.at(0).at(0);
    *parent = fields.at(1).toLongLong();
    return true;
}

} // namespace

namespace ProcessWatch {

qint64 startDetached(const QString &program, const QString &errorFile)
{
    const QByteArray path = QFile::encodeName(program);
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return 0;
    // The simulator starts with default signal handling and nothing blocked,
    // whatever the host has set up for itself.
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    // The host's environment, with the two hand-over variables of our own.
    const QByteArray hostPid = QByteArray(HostPidVariable) + '=' + QByteArray::number(qint64(::getpid()));
    const QByteArray errorPath = QByteArray(ErrorFileVariable) + '=' + QFile::encodeName(errorFile);
    std::vector<char *> environment;
    for (char **variable = environ; *variable; ++variable) {
        const QByteArrayView entry(*variable);
        if (!entry.startsWith(QByteArray(HostPidVariable) + '=') && !entry.startsWith(QByteArray(ErrorFileVariable) + '='))
            environment.push_back(*variable);
    }
    environment.push_back(const_cast<char *>(hostPid.constData()));
    if (!errorFile.isEmpty())
        environment.push_back(const_cast<char *>(errorPath.constData()));
    environment.push_back(nullptr);

    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path.constData(), nullptr, &attributes, argv, environment.data());
    posix_spawnattr_destroy(&attributes);
    if (failed)
        return 0;
    // Nobody else waits for the child: a thread of its own reaps it the
    // moment it ends, so no zombie is left behind.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return qint64(pid);
}

bool isRunning(qint64 pid)
{
    char state = 0;
    qint64 parent = 0;
    return pid > 0 && readStat(pid, &state, &parent) && state != 'Z' && state != 'X';
}

bool isSameOrDescendant(qint64 pid, qint64 ancestor)
{
    if (pid <= 0 || ancestor <= 0)
        return false;
    for (int depth = 0; depth < 16 && pid > 1; ++depth) {
        if (pid == ancestor)
            return true;
        char state = 0;
        qint64 parent = 0;
        if (!readStat(pid, &state, &parent))
            return false;
        pid = parent;
    }
    return false;
}

void end(qint64 pid, int graceMs)
{
    if (pid <= 0)
        return;
    // The child leads a session and process group of its own (its id is
    // the group's), so the group reaches whatever it started.
    const bool groupThere = ::kill(-pid_t(pid), 0) == 0;
    if (!isRunning(pid) && !groupThere)
        return;
    ::kill(-pid_t(pid), SIGTERM);
    ::kill(pid_t(pid), SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMs);
    while ((isRunning(pid) || ::kill(-pid_t(pid), 0) == 0) && std::chrono::steady_clock::now() < deadline)
        QThread::msleep(2);
    ::kill(-pid_t(pid), SIGKILL);
    if (isRunning(pid))
        ::kill(pid_t(pid), SIGKILL);
    // A killed process is gone once the kernel has run it once more; on a
    // busy machine that takes a moment, and callers count on it being gone.
    const auto killedBy = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (isRunning(pid) && std::chrono::steady_clock::now() < killedBy)
        QThread::msleep(1);
}

} // namespace ProcessWatch
