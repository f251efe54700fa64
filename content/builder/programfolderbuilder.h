#pragma once

#include <QStringList>

// Builds the content of a program folder from the readable sources: the
// bank, the pictures, the start sound, the page template, the local version
// file and the stand-in updater, the movie folder, and for every question its
// simulator folder with its task and a link to `simulatorExecutable` (no
// simulator folders when that is empty). A malformed source raises StoreError
// naming its file and line; broken rules are returned, one line each with
// their file and line, and then nothing is written.
QStringList buildProgramFolder(const QString &sourcesFolder, const QString &programFolder,
                               const QString &simulatorExecutable = {});

// Removes the bank of a program folder whose build failed, so that no bank
// the checks rejected (or one older than its sources) is left to be opened.
void discardBank(const QString &programFolder);
