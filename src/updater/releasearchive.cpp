#include "releasearchive.h"

#include <QDir>
#include <QFile>

#include <zlib.h>

#include <filesystem>
#include <optional>
#include <system_error>

namespace ReleaseArchive {

namespace {

constexpr int Block = 512;
constexpr qint64 MaxUnpacked = qint64(4) << 30;  // a program folder is far smaller

// gzip (detected by its magic bytes) into the tar it holds.
std::optional<QByteArray> gunzip(const QByteArray &packed)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    QByteArray out;
    char chunk[1 << 16];
    int rc = Z_OK;
    while (rc == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        rc = inflate(&stream, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END)
            break;
        out.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (out.size() > MaxUnpacked)
            rc = Z_MEM_ERROR;
        else if (rc == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)
            rc = Z_DATA_ERROR;  // the stream ends early
    }
    inflateEnd(&stream);
    if (rc != Z_STREAM_END)
        return std::nullopt;
    return out;
}

QByteArray field(const char *header, int at, int size)
{
    QByteArray value(header + at, size);
    const qsizetype end = value.indexOf('\0');
    return end < 0 ? value : value.left(end);
}

std::optional<qint64> octal(const char *header, int at, int size)
{
    const QByteArray text = field(header, at, size).trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 8);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

bool checksumMatches(const char *header)
{
    const auto stored = octal(header, 148, 8);
    if (!stored)
        return false;
    qint64 sum = 0;
    for (int i = 0; i < Block; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : quint8(header[i]);
    return sum == *stored;
}

// The name made safe: relative, without "." or "..", with "/" between names;
// empty when it is not acceptable.
QString cleanName(const QString &raw)
{
    if (raw.startsWith(u'/'))
        return {};
    QStringList parts;
    for (const QString &part : raw.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..")
            return {};
        parts << part;
    }
    return parts.join(u'/');
}

// A link target must stay inside the folder, seen from the link's own folder.
bool linkStaysInside(const QString &name, const QString &target)
{
    if (target.isEmpty() || target.startsWith(u'/'))
        return false;
    int depth = int(name.count(u'/'));
    for (const QString &part : target.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..")
            --depth;
        else if (part != u".")
            ++depth;
        if (depth < 0)
            return false;
    }
    return true;
}

// Whether a folder on the way to `name` is a link: writing through it could
// leave the folder even when every link on its own stays inside.
bool throughLink(const QDir &root, const QString &name)
{
    const QStringList parts = name.split(u'/');
    QString partial;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        partial += (i ? QStringLiteral("/") : QString()) + parts.at(i);
        if (QFileInfo(root.filePath(partial)).isSymLink())
            return true;
    }
    return false;
}

// The values a pax header sets for the next entry ("path", "linkpath").
void readPax(const QByteArray &data, QString &path, QString &linkPath)
{
    qsizetype at = 0;
    while (at < data.size()) {
        const qsizetype space = data.indexOf(' ', at);
        if (space < 0)
            return;
        bool ok = false;
        const qsizetype length = data.mid(at, space - at).toLongLong(&ok);
        if (!ok || length <= 0 || at + length > data.size())
            return;
        const QByteArray record = data.mid(space + 1, at + length - space - 2);  // without the newline
        const qsizetype equals = record.indexOf('=');
        if (equals > 0) {
            const QByteArray key = record.left(equals);
            if (key == "path")
                path = QString::fromUtf8(record.mid(equals + 1));
            else if (key == "linkpath")
                linkPath = QString::fromUtf8(record.mid(equals + 1));
        }
        at += length;
    }
}

Result failure(const QString &error)
{
    return Result{false, error, {}};
}

} // namespace

Result extract(const QByteArray &archive, const QString &into, const QStringList &skipped)
{
    QByteArray tar = archive;
    if (archive.startsWith("\x1f\x8b")) {
        const auto unpacked = gunzip(archive);
        if (!unpacked)
            return failure(QStringLiteral("升级包无法解压（压缩数据已损坏）"));
        tar = *unpacked;
    }

    Result result;
    const QDir root(into);
    QString longName;
    QString longLink;
    QString paxPath;
    QString paxLink;
    qint64 at = 0;
    bool ended = false;
    while (at + Block <= tar.size()) {
        const char *header = tar.constData() + at;
        if (QByteArray(header, Block).count('\0') == Block) {
            ended = true;
            break;
        }
        if (!checksumMatches(header))
            return failure(QStringLiteral("升级包已损坏（条目头校验失败）"));
        const auto size = octal(header, 124, 12);
        if (!size || *size > tar.size() - at - Block)
            return failure(QStringLiteral("升级包已损坏（条目长度不对）"));
        const QByteArray data = tar.mid(at + Block, *size);
        at += Block + ((*size + Block - 1) / Block) * Block;

        const char type = header[156];
        if (type == 'L') {
            longName = QString::fromUtf8(field(data.constData(), 0, int(data.size())));
            continue;
        }
        if (type == 'K') {
            longLink = QString::fromUtf8(field(data.constData(), 0, int(data.size())));
            continue;
        }
        if (type == 'x') {
            readPax(data, paxPath, paxLink);
            continue;
        }
        if (type == 'g')
            continue;

        QString raw = QString::fromUtf8(field(header, 0, 100));
        if (field(header, 257, 5) == "ustar") {
            const QByteArray prefix = field(header, 345, 155);
            if (!prefix.isEmpty())
                raw = QString::fromUtf8(prefix) + u'/' + raw;
        }
        if (!longName.isEmpty())
            raw = longName;
        if (!paxPath.isEmpty())
            raw = paxPath;
        QString linkTarget = QString::fromUtf8(field(header, 157, 100));
        if (!longLink.isEmpty())
            linkTarget = longLink;
        if (!paxLink.isEmpty())
            linkTarget = paxLink;
        longName.clear();
        longLink.clear();
        paxPath.clear();
        paxLink.clear();

        const QString name = cleanName(raw);
        if (name.isEmpty()) {
            if (type == '5' && !raw.startsWith(u'/') && !raw.contains(QStringLiteral("..")))
                continue;  // "./" itself
            return failure(QStringLiteral("升级包含有不允许的文件名“%1”").arg(raw));
        }
        if (skipped.contains(name.section(u'/', 0, 0)))
            continue;
        if (throughLink(root, name))
            return failure(QStringLiteral("升级包中的“%1”位于一个链接之下").arg(name));
        const QString path = root.filePath(name);
        if (QFileInfo(path).isSymLink() || QFileInfo(path).isFile())
            QFile::remove(path);  // a later entry of the same name wins
        const QString parent = QFileInfo(path).path();
        if (!QDir().mkpath(parent))
            return failure(QStringLiteral("无法创建临时文件夹 %1").arg(parent));

        if (type == '5') {
            if (!QDir().mkpath(path))
                return failure(QStringLiteral("无法创建临时文件夹 %1").arg(path));
        } else if (type == '0' || type == '\0' || type == '7') {
            QFile file(path);
            const auto mode = octal(header, 100, 8).value_or(0644);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
                return failure(QStringLiteral("无法写入临时文件 %1（%2）").arg(path, file.errorString()));
            }
            file.close();
            std::error_code error;
            std::filesystem::permissions(QFile::encodeName(path).toStdString(),
                                         std::filesystem::perms(mode & 0777), error);
            result.files << name;
        } else if (type == '2') {
            if (!linkStaysInside(name, linkTarget))
                return failure(QStringLiteral("升级包中的链接“%1”指向程序文件夹以外").arg(name));
            std::error_code error;
            std::filesystem::create_symlink(QFile::encodeName(linkTarget).toStdString(),
                                            QFile::encodeName(path).toStdString(), error);
            if (error)
                return failure(QStringLiteral("无法创建链接 %1（%2）").arg(path, QString::fromLocal8Bit(error.message())));
            result.files << name;
        } else {
            return failure(QStringLiteral("升级包含有不支持的条目“%1”").arg(name));
        }
    }
    if (!ended)
        return failure(QStringLiteral("升级包不完整（缺少结尾）"));
    if (result.files.isEmpty())
        return failure(QStringLiteral("升级包中没有文件"));
    result.ok = true;
    return result;
}

} // namespace ReleaseArchive
