#pragma once

#include <QtGlobal>

class QString;

// The processes the simulator host launches. The host does not wait for
// them, so they are watched through /proc: a process that has ended, or only
// lingers as a zombie, counts as gone.
namespace ProcessWatch {

// Starts the program without arguments in a session of its own and returns
// its process id, 0 when it could not be started. The child is spawned
// without copying the host's address space, which keeps the launch cheap
// however large the host has grown; it is reaped as soon as it ends.
qint64 startDetached(const QString &program);

bool isRunning(qint64 pid);

// True when `pid` is `ancestor` itself or one of its descendants, so that a
// simulator reached through a small launcher is still recognised.
bool isSameOrDescendant(qint64 pid, qint64 ancestor);

// Asks the process to end, and kills it when it is still there after
// `graceMs`. Returns at once for a process that has already ended.
void end(qint64 pid, int graceMs = 200);

} // namespace ProcessWatch
