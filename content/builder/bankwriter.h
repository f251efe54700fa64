#pragma once

#include <QString>

struct ContentSources;

// Writes the question bank of the sources as a new encrypted file at
// `databasePath`, replacing any earlier one only once the new one is complete.
// The single-row tables start empty: the program's first write creates their row.
void writeBank(const ContentSources &sources, const QString &databasePath);
