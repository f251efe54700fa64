#pragma once

#include <QStringList>

// The input methods the candidate can choose for typing into a simulator:
// the IBus engines where IBus runs, none otherwise.
namespace InputMethods {

// Asked once per run of the program (it starts a process); every practice
// window after the first gets the same list.
QStringList installed();

} // namespace InputMethods
