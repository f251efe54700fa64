#include "runtimefolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace RuntimeFolder {

namespace {

// A folder only the user can enter: a directory (not a link), owned by the
// user, mode 0700 — what Qt and the key files expect.
bool isPrivate(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 0777) == 0700;
}

QByteArray makePrivate()
{
    const QByteArray fixed = QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-%1").arg(::getuid()));
    if (::mkdir(fixed.constData(), 0700) == 0 || errno == EEXIST) {
        struct stat st;
        // Our own folder with other modes (an older umask) is set right; a
        // folder someone else made under that name is left alone.
        if (::lstat(fixed.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
            && (st.st_mode & 0777) != 0700)
            ::chmod(fixed.constData(), 0700);
        if (isPrivate(fixed))
            return fixed;
    }
    QByteArray unique = QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-%1-XXXXXX").arg(::getuid()));
    if (::mkdtemp(unique.data()))
        return unique;
    return {};
}

} // namespace

QString ensure()
{
    const QByteArray given = qgetenv("XDG_RUNTIME_DIR");
    if (!given.isEmpty() && isPrivate(given))
        return QFile::decodeName(given);
    const QByteArray folder = makePrivate();
    if (folder.isEmpty())
        return {};
    qputenv("XDG_RUNTIME_DIR", folder);
    return QFile::decodeName(folder);
}

} // namespace RuntimeFolder
