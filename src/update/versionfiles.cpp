#include "versionfiles.h"

#include <QDate>
#include <QFile>

#include <ini.h>

#include <cstdio>
#include <memory>

namespace VersionFiles {

namespace {

struct Lookup
{
    QString section;
    QString key;
    QString value;
    bool found = false;
};

int onValue(void *user, const char *section, const char *name, const char *value)
{
    auto *lookup = static_cast<Lookup *>(user);
    if (!lookup->found && QString::fromUtf8(section).compare(lookup->section, Qt::CaseInsensitive) == 0
        && QString::fromUtf8(name).compare(lookup->key, Qt::CaseInsensitive) == 0) {
        lookup->value = QString::fromUtf8(value);
        lookup->found = true;
    }
    return 1;  // go on: a malformed line elsewhere does not hide the key
}

struct FileCloser
{
    void operator()(FILE *file) const { std::fclose(file); }
};

} // namespace

QString read(const QString &path, const QString &section, const QString &key, const QString &fallback)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!file)
        return fallback;
    Lookup lookup{section, key, {}, false};
    ini_parse_file(file.get(), onValue, &lookup);
    return lookup.found ? lookup.value : fallback;
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QString server()
{
    const QString own = qEnvironmentVariable("PELQUOR_UPDATE_SERVER").trimmed();
    return own.isEmpty() ? DefaultServer : own;
}

QUrl checkUrl(const QString &version)
{
    return QUrl(QStringLiteral("http://%1/pelqupd/diva60/%2/tmp.txt").arg(server(), version));
}

} // namespace VersionFiles
