#pragma once

#include <QStringList>

// Checks a program folder against what the program relies on: the rules the
// bank's titles, numbers and papers must follow, and the files beside it.
// Returns one clear line per broken rule; empty when all is well.
QStringList checkProgramFolder(const QString &programFolder);
