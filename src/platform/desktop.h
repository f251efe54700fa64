#pragma once

#include <QString>

namespace Desktop {

// Opens a web address with the desktop's handler for it (the default
// browser). The outcome is not examined: a missing browser shows nothing.
void openAddress(const QString &address);

} // namespace Desktop
