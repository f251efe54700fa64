#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Puts staged files into the program folder all together or not at all.
// Each file is renamed into place (so a program that is running keeps its
// old file open); the file it replaces is first moved aside into `aside`.
// When any step fails, every file moved so far goes back and the folders
// made for new files are removed again, so the folder is as it was.
// `staged`, `aside` and the program folder must be on one file system.
namespace FolderSwap {

struct Result
{
    bool ok = false;
    QString error;  // why not, in Chinese
};

// `files` are paths relative to `staged` (files and links, not folders).
// `beforeEach` runs before each file is put in place; returning false fails
// the swap there (a way to see the rollback work).
Result replace(const QString &folder, const QString &staged, const QStringList &files, const QString &aside,
               const std::function<bool(const QString &file)> &beforeEach = {});

} // namespace FolderSwap
