#pragma once

#include <QString>

// The user's runtime folder, where the single-instance lock and the bank's
// key files live. Desktop sessions provide $XDG_RUNTIME_DIR; a plain console,
// `su` or a container often does not. Then both programs use a private folder
// of their own under the temporary folder (mode 0700, owned by the user) and
// put it into XDG_RUNTIME_DIR, so that Qt does not complain on every start and
// the simulators the program starts inherit the same folder.
namespace RuntimeFolder {

// Makes sure XDG_RUNTIME_DIR names a usable private folder and returns it.
// Called first thing in main(), before any thread starts: it may change the
// environment. Empty only when no folder can be made at all.
QString ensure();

} // namespace RuntimeFolder
