#pragma once

#include <QtGlobal>

#include <QString>

// The processes the simulator host launches. The host does not wait for
// them, so they are watched through /proc: a process that has ended, or only
// lingers as a zombie, counts as gone.
namespace ProcessWatch {

// Starts the program without arguments in a session of its own and returns
// its process id, 0 when it could not be started. The child is spawned
// without copying the host's address space, which keeps the launch cheap
// however large the host has grown; it is reaped as soon as it ends.
//
// The child learns who launched it (HostPidVariable), so that it can end
// when the host is gone, and where to leave a message when it cannot start
// (ErrorFileVariable, set when `errorFile` is given).
qint64 startDetached(const QString &program, const QString &errorFile = {});

inline constexpr char HostPidVariable[] = "PELQUOR_HOST_PID";
inline constexpr char ErrorFileVariable[] = "PELQUOR_SIMULATOR_ERROR_FILE";

bool isRunning(qint64 pid);

// True when `pid` is `ancestor` itself or one of its descendants, so that a
// simulator reached through a small launcher is still recognised.
bool isSameOrDescendant(qint64 pid, qint64 ancestor);

// Asks the process and everything it started in its session to end, and
// kills what is still there after `graceMs`: a launcher that started the
// real program and lingers, or has ended already, leaves nothing behind.
void end(qint64 pid, int graceMs = 200);

} // namespace ProcessWatch
