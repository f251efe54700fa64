#pragma once

#include <QStringList>

// The input methods the candidate can choose for typing into a simulator:
// the IBus engines where IBus runs, none otherwise. The practice window and
// the exam's question window list them by name, switch to the one chosen and
// record its name in `srf` for the simulators.
//
// IBus keeps one engine for the whole session (its default), so switching
// here also switches the embedded simulator, a process of its own.
namespace InputMethods {

// The names of the engines that are input methods (plain keyboard layouts
// left out), in IBus's order, as IBus names them ("libpinyin"). Asked of
// IBus once per run of the program (a bounded process); later calls return
// the same list. Empty when IBus does not run.
QStringList engines();

// Switches IBus to the engine `name`. False, and nothing changes, when no
// engine has that name. Returns at once; IBus switches a moment later.
bool activate(const QString &name);

// Back to plain keyboard input ("英文输入法"): IBus's English keyboard.
void activateEnglish();

// Whether an IBus daemon serves this session's display.
bool ibusRunning();

// Called in main() before the application object is made: where IBus runs
// and the session chose no input module for Qt, Qt's IBus module is used, so
// that Chinese typing works without further set-up. Programs started later
// (the simulators) inherit the choice.
void useIBusWhereItRuns();

} // namespace InputMethods
