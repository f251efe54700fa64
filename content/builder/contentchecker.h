#pragma once

#include <QStringList>

struct ContentSources;

// Checks a program folder against what the program relies on: the rules the
// bank's titles, numbers and papers must follow, and the files beside it.
// Returns one clear line per broken rule; empty when all is well.
QStringList checkProgramFolder(const QString &programFolder);

// The rules alone, on content read from the sources or from a bank: each line
// names where the broken rule lies (a source file and line, or a table).
QStringList checkContentRules(const ContentSources &content);
