#pragma once

#include <QString>

// One running program per user session. The lock is an advisory lock on a
// file named after the instance name in the user's runtime folder; it is held
// as long as the object lives (normally the whole process) and the system
// drops it when the process ends, even after a crash. A second start that
// finds the lock taken leaves the file and the first instance alone.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // False only when another process holds the lock. When the lock file
    // cannot be made at all the program runs rather than refusing to start.
    bool acquire();

    // The folder that holds the lock files: $XDG_RUNTIME_DIR, or a private
    // folder of the user under the temporary folder (RuntimeFolder).
    static QString runtimeFolder();

private:
    QString m_name;
    int m_fd = -1;
};
