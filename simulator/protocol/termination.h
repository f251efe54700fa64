#pragma once

class QString;

// A simulator ended by the host (SIGTERM after it ignored the close message)
// or from a terminal (SIGINT, SIGHUP) leaves its event loop normally, so it
// still withdraws its window id from `jc` on the way out.
namespace Termination {

void quitEventLoopOnSignals();

// A simulator launched by the host (PELQUOR_HOST_PID) ends with it: when the
// host is killed between the launch and the embed, no simulator is left to
// show itself later as a stray window. Call after quitEventLoopOnSignals().
void quitWhenHostEnds();

// True when a host launched this simulator; it then reports a failure to
// start through the host (see reportStartFailure) instead of a message box
// nobody would see behind the host's wait.
bool launchedByHost();

// Leaves the message where the host that launched this simulator reads it
// when the simulator ends without announcing its window. False when no host
// asked for it.
bool reportStartFailure(const QString &message);

} // namespace Termination
