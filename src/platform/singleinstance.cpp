#include "singleinstance.h"

#include "runtimefolder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &name)
    : m_name(name)
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString SingleInstance::runtimeFolder()
{
    return RuntimeFolder::ensure();
}

bool SingleInstance::acquire()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(runtimeFolder() + u'/' + m_name);
    // Close-on-exec: the simulators and the updater started by the program
    // must not inherit the lock and keep it after the program has ended.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        return !taken;
    }
    m_fd = fd;
    return true;
}
