#pragma once

// The program's start-up after the single-instance test: the application
// title, the long-lived windows created hidden in their fixed order (the
// main window first, so it is the main window), the main window shown, and
// the message loop. Returns the loop's exit code.
namespace Startup {

int run();

// Creates the long-lived windows in order (used by run() and by tests).
void createWindows();
// Destroys them again, last created first.
void destroyWindows();

} // namespace Startup
