#pragma once

#include <QStringList>

// The input methods the candidate can choose for typing into a simulator:
// the IBus engines where IBus runs, none otherwise.
namespace InputMethods {

QStringList installed();

} // namespace InputMethods
