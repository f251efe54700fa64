#pragma once

#include <QtGlobal>

// The processes the simulator host launches. They are started detached (the
// host does not wait for them), so they are watched through /proc: a process
// that has ended, or only lingers as a zombie nobody reaped, counts as gone.
namespace ProcessWatch {

bool isRunning(qint64 pid);

// True when `pid` is `ancestor` itself or one of its descendants, so that a
// simulator reached through a small launcher is still recognised.
bool isSameOrDescendant(qint64 pid, qint64 ancestor);

// Asks the process to end, and kills it when it is still there after
// `graceMs`. Returns at once for a process that has already ended.
void end(qint64 pid, int graceMs = 200);

} // namespace ProcessWatch
