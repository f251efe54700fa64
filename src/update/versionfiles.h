#pragma once

#include <QString>
#include <QUrl>

// The version files of the online update and the address they come from.
// Both files are initialization files with the section [File1]:
//   Date     the release date, "yyyy-mm-dd"; the newer date wins
//   banben   the version text shown to the candidate
// and, in the server's file, what the updater needs to fetch the release:
//   Archive  the release archive: a file name beside the version file on
//            the server, or a whole http:// address
//   Size     its size in bytes
//   Sha256   its SHA-256 checksum, 64 hexadecimal digits
namespace VersionFiles {

inline const QString TmpIni = QStringLiteral("tmp.ini");
inline const QString PredateIni = QStringLiteral("predate.ini");
inline const QString Section = QStringLiteral("File1");

// The value of `key` in `section`, or `fallback` when the file, the section
// or the key is missing. Section and key names match without regard to
// case; the first match counts. Values are read as UTF-8.
QString read(const QString &path, const QString &section, const QString &key, const QString &fallback);

// Today's local date as "yyyy-mm-dd", the default of a missing Date.
QString today();

// Release dates compare as texts, code unit by code unit: for well-formed
// dates that is their order in time.
inline bool isNewer(const QString &offered, const QString &installed)
{
    return QString::compare(offered, installed, Qt::CaseSensitive) > 0;
}

// The update server's host: our own, or host[:port] from the environment
// variable PELQUOR_UPDATE_SERVER (a test server, a school's own mirror).
inline const QString DefaultServer = QStringLiteral("update.pelquor.cn");
QString server();

// The server's version file for a program file version:
// http://<server>/pelqupd/diva60/<version>/tmp.txt
QUrl checkUrl(const QString &version);

} // namespace VersionFiles
