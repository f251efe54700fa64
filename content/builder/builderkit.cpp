#include "builderkit.h"

#include "storeerror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace BuilderOutput {

void writeFile(const QString &path, const QByteArray &bytes, bool executable)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw StoreError(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

void writeImage(const QString &path, const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw StoreError(QStringLiteral("无法生成图片 %1：%2").arg(QDir::toNativeSeparators(path), writer.errorString()));
    writeFile(path, bytes);
}

} // namespace BuilderOutput

namespace Canvas {

QFont font(const QString &family, qreal pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void drawText(QPainter &p, const QString &text, const QRectF &box, QFont f, const QColor &colour,
              Qt::Alignment alignment)
{
    while (f.pixelSize() > 8 && QFontMetricsF(f).horizontalAdvance(text) > box.width())
        f.setPixelSize(f.pixelSize() - 1);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(box, alignment | Qt::TextSingleLine, text);
}

} // namespace Canvas
