#pragma once

// A simulator ended by the host (SIGTERM after it ignored the close message)
// or from a terminal (SIGINT, SIGHUP) leaves its event loop normally, so it
// still withdraws its window id from `jc` on the way out.
namespace Termination {

void quitEventLoopOnSignals();

} // namespace Termination
