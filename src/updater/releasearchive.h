#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A release archive: a tar file (plain, or gzip-compressed) whose root is
// the contents of a program folder. Only what a program folder holds is
// accepted: regular files with their permissions, folders, and symbolic
// links that stay inside the folder. Absolute names, ".." and every other
// kind of entry (hard links, devices) make the whole archive unusable.
namespace ReleaseArchive {

struct Result
{
    bool ok = false;
    QString error;      // why not, in Chinese
    QStringList files;  // the files and links written, relative, in archive order
};

// Unpacks `archive` into the empty folder `into`, leaving out every entry
// whose first name is in `skipped` (for the bank's folder "data").
Result extract(const QByteArray &archive, const QString &into, const QStringList &skipped);

} // namespace ReleaseArchive
