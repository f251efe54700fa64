#pragma once

#include <QString>

// Builds the content of a program folder from the readable sources: the
// bank, the pictures, the start sound, the page template, the local version
// file and the stand-in updater, and the empty simulator and movie folders.
void buildProgramFolder(const QString &sourcesFolder, const QString &programFolder);
