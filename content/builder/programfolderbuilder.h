#pragma once

#include <QString>

// Builds the content of a program folder from the readable sources: the
// bank, the pictures, the start sound, the page template, the local version
// file and the stand-in updater, the movie folder, and for every question its
// simulator folder with its task and a link to `simulatorExecutable` (no
// simulator folders when that is empty).
void buildProgramFolder(const QString &sourcesFolder, const QString &programFolder,
                        const QString &simulatorExecutable = {});
