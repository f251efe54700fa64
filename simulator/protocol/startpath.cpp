#include "startpath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace StartPath {

namespace {

QString absoluteFolderOf(const QString &startedPath)
{
    // cleanPath works on the text only, so a linked "ov" is not followed.
    const QString absolute = QDir::isAbsolutePath(startedPath)
        ? startedPath
        : QDir::currentPath() + u'/' + startedPath;
    const QString cleaned = QDir::cleanPath(absolute);
    return cleaned.left(cleaned.lastIndexOf(u'/') + 1);
}

} // namespace

QString questionNumber(const QString &startedPath)
{
    static const QRegularExpression name(QStringLiteral("金山演示([0-9]+)/$"));
    const QRegularExpressionMatch match = name.match(absoluteFolderOf(startedPath));
    if (!match.hasMatch())
        return {};
    // The number as the bank writes it: decimal, no leading zeros.
    return QString::number(match.captured(1).toLongLong());
}

QString questionFolder(const QString &startedPath)
{
    return absoluteFolderOf(startedPath);
}

QString programFolder(const QString &startedPath)
{
    QString folder = QDir::cleanPath(absoluteFolderOf(startedPath) + QStringLiteral("../.."));
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString ofThisProcess()
{
    QFile cmdline(QStringLiteral("/proc/self/cmdline"));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray first = cmdline.readAll().split('\0').value(0);
        if (!first.isEmpty())
            return QFile::decodeName(first);
    }
    return QCoreApplication::arguments().value(0);
}

} // namespace StartPath
