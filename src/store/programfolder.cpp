#include "programfolder.h"

#include <QCoreApplication>

namespace {

QString &overridden()
{
    static QString folder;
    return folder;
}

QString withSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

namespace ProgramFolder {

QString path()
{
    if (!overridden().isEmpty())
        return overridden();
    return withSlash(QCoreApplication::applicationDirPath());
}

void setPath(const QString &folder)
{
    overridden() = folder.isEmpty() ? QString() : withSlash(folder);
}

QString file(const QString &relative)
{
    return path() + relative;
}

QString simulatorProgram(const QString &th)
{
    return file(QStringLiteral("ovti/金山演示") + th + QStringLiteral("/ov"));
}

} // namespace ProgramFolder
