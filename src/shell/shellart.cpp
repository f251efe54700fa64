#include "shellart.h"

#include <QDataStream>
#include <QIODevice>
#include <QFont>
#include <QResource>

#include <cstring>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ShellArt {

namespace {

const QColor titleDark(0x17, 0x4a, 0x8c);
const QColor titleLight(0x2f, 0x74, 0xc0);

QFont font(const QString &family, int px, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void paintTitle(QPainter &p, const QRect &bar, int px)
{
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, titleLight);
    g.setColorAt(1, titleDark);
    p.fillRect(bar, g);
    // The little mark in front of the title.
    const QRect mark(bar.left() + 8, bar.center().y() - px / 2 - 1, px + 2, px + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc8, 0x3c));
    p.drawRoundedRect(mark, 3, 3);
    p.setPen(titleDark);
    p.setFont(font(QStringLiteral("Tahoma"), px - 2, true));
    p.drawText(mark, Qt::AlignCenter, QStringLiteral("P"));
    p.setPen(Qt::white);
    p.setFont(font(QStringLiteral("Tahoma"), px, true));
    p.drawText(bar.adjusted(mark.right() + 8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Pelquor"));
}

} // namespace

QPixmap drawMainBackground()
{
    QPixmap pixmap(1020, 758);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Blue body.
    QLinearGradient body(0, HeaderBottom, 0, 758);
    body.setColorAt(0, QColor(0x24, 0x66, 0xb0));
    body.setColorAt(1, QColor(0x13, 0x3f, 0x78));
    p.fillRect(0, HeaderBottom, 1020, 758 - HeaderBottom, body);

    // Light header band behind the navigation buttons.
    QLinearGradient band(0, TitleBarHeight, 0, HeaderBottom);
    band.setColorAt(0, QColor(0xfb, 0xfd, 0xff));
    band.setColorAt(1, QColor(0xd6, 0xe6, 0xf6));
    p.fillRect(0, TitleBarHeight, 1020, HeaderBottom - TitleBarHeight, band);
    p.setPen(QColor(0x9d, 0xbf, 0xe3));
    p.drawLine(0, HeaderBottom - 2, 1020, HeaderBottom - 2);

    // What the program is for, between the buttons and the banner.
    p.setPen(QColor(0x1d, 0x55, 0x9c));
    p.setFont(font(QStringLiteral("楷体_GB2312"), 24, true));
    p.drawText(QRect(582, 36, 180, 34), Qt::AlignCenter, QStringLiteral("金山演示2005"));
    p.setPen(QColor(0x4a, 0x6f, 0x98));
    p.setFont(font(QStringLiteral("宋体"), 13));
    p.drawText(QRect(582, 72, 180, 20), Qt::AlignCenter, QStringLiteral("职称计算机考试训练"));

    paintTitle(p, QRect(0, 0, 1020, TitleBarHeight), 13);

    // Minimise glyph under Image11 (956, 0, 28 × 20).
    p.setPen(QPen(QColor(0xcf, 0xe0, 0xf5), 1));
    p.setBrush(QColor(0x25, 0x5f, 0xa6));
    p.drawRoundedRect(QRectF(957.5, 1.5, 25, 17), 3, 3);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(964, 13, 976, 13);
    // Close glyph under Image12 (985, 0, 31 × 23).
    p.setPen(QPen(QColor(0xf5, 0xd0, 0xcf), 1));
    p.setBrush(QColor(0xc8, 0x3a, 0x32));
    p.drawRoundedRect(QRectF(986.5, 1.5, 28, 19), 3, 3);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(995, 6, 1005, 16);
    p.drawLine(1005, 6, 995, 16);
    return pixmap;
}

QPixmap drawServiceBanner()
{
    // The banner is kept as opaque pixels, so its rounded corners are drawn
    // over the part of the main window's background the banner covers.
    QPixmap pixmap = drawMainBackground().copy(QRect(QPoint(767, 26), QSize(224, 85)));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(QPen(QColor(0x7f, 0xaa, 0xdb), 1));
    QLinearGradient card(0, 0, 0, 74);
    card.setColorAt(0, Qt::white);
    card.setColorAt(1, QColor(0xe3, 0xef, 0xfb));
    p.setBrush(card);
    p.drawRoundedRect(QRectF(0.5, 0.5, 222, 73), 8, 8);

    // The mascot: a smiling chat bubble with a headset.
    const QPointF c(38, 36);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x9a, 0x5a));
    QPainterPath bubble;
    bubble.addEllipse(c, 24, 21);
    bubble.moveTo(c + QPointF(-12, 16));
    bubble.lineTo(c + QPointF(-20, 29));
    bubble.lineTo(c + QPointF(-2, 19));
    bubble.closeSubpath();
    p.drawPath(bubble.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(c + QPointF(-8, -4), 3.5, 3.5);
    p.drawEllipse(c + QPointF(8, -4), 3.5, 3.5);
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 10, c.y() - 6, 20, 16), 200 * 16, 140 * 16);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 3));
    p.drawArc(QRectF(c.x() - 27, c.y() - 29, 54, 50), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    p.drawRoundedRect(QRectF(c.x() - 30, c.y() - 10, 7, 14), 2, 2);
    p.drawRoundedRect(QRectF(c.x() + 23, c.y() - 10, 7, 14), 2, 2);

    p.setPen(QColor(0xd0, 0x30, 0x20));
    p.setFont(font(QStringLiteral("楷体_GB2312"), 24, true));
    p.drawText(QRect(72, 8, 148, 32), Qt::AlignCenter, QStringLiteral("在线咨询"));
    p.setPen(QColor(0x1d, 0x55, 0x9c));
    p.setFont(font(QStringLiteral("宋体"), 13));
    p.drawText(QRect(72, 42, 148, 22), Qt::AlignCenter, QStringLiteral("客服在线 为您解答"));
    return pixmap;
}

QPixmap drawTitleStrip()
{
    QPixmap pixmap(270, 140);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 32, 0, 140);
    body.setColorAt(0, QColor(0xf7, 0xfb, 0xff));
    body.setColorAt(1, QColor(0xdc, 0xe9, 0xf7));
    p.fillRect(pixmap.rect(), body);
    paintTitle(p, QRect(0, 0, 270, 32), 14);
    p.setPen(titleDark);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 269, 139));
    return pixmap;
}

QPixmap drawExitQuestion()
{
    QPixmap pixmap = titleStrip();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(0x20, 0x30, 0x48));
    p.setFont(font(QStringLiteral("楷体_GB2312"), 19));
    p.drawText(QRect(10, 44, 250, 42), Qt::AlignCenter, QStringLiteral("您确定要退出系统吗？"));
    return pixmap;
}

namespace {

// The pictures are drawn once, when the program is built, and compiled in as
// raw pixels: drawing them at start-up would load the font database, and
// even decoding a compressed picture of the window's size costs more than
// the rest of the main window, before the window is on screen. A build
// without them draws them now.
//
// The pixels are used where the program holds them: copying a picture of
// the window's size, twice (into an image, then into a pixmap), touched
// every page of it before the window could appear.
QPixmap builtIn(const char *file, QPixmap (*draw)())
{
    const QResource resource(QStringLiteral(":/builtin/") + QLatin1String(file));
    QImage image;
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        image = ShellArt::viewRaw(QByteArrayView(resource.data(), resource.size()));
    else
        image = ShellArt::fromRaw(resource.uncompressedData());
    return image.isNull() ? draw() : QPixmap::fromImage(std::move(image));
}

} // namespace

QByteArray toRaw(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QByteArray raw;
    QDataStream out(&raw, QIODevice::WriteOnly);
    out << quint32(image.width()) << quint32(image.height());
    for (int y = 0; y < image.height(); ++y)
        out.writeRawData(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
    return raw;
}

namespace {

// The size the raw form announces, when the bytes hold exactly that many
// pixels; an invalid size otherwise.
QSize rawSize(QByteArrayView raw)
{
    if (raw.size() < 8)
        return {};
    const auto word = [&raw](int at) {
        const auto *b = reinterpret_cast<const uchar *>(raw.data()) + at;
        return quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | quint32(b[3]);
    };
    const quint32 width = word(0);
    const quint32 height = word(4);
    if (width == 0 || height == 0 || width > 0x7fff || height > 0x7fff
        || raw.size() != 8 + qint64(width) * height * 4)
        return {};
    return QSize(int(width), int(height));
}

} // namespace

QImage fromRaw(const QByteArray &raw)
{
    const QSize size = rawSize(raw);
    if (!size.isValid())
        return {};
    QImage image(size, QImage::Format_RGB32);
    const qsizetype line = qsizetype(size.width()) * 4;
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image.scanLine(y), raw.constData() + 8 + y * line, line);
    return image;
}

QImage viewRaw(QByteArrayView raw)
{
    const QSize size = rawSize(raw);
    if (!size.isValid())
        return {};
    const auto *pixels = reinterpret_cast<const uchar *>(raw.data()) + 8;
    // An image reads its pixels in 32-bit words.
    if (reinterpret_cast<quintptr>(pixels) % 4 != 0)
        return fromRaw(raw.toByteArray());
    return QImage(pixels, size.width(), size.height(), qsizetype(size.width()) * 4, QImage::Format_RGB32);
}

QPixmap mainBackground()
{
    return builtIn("main.raw", drawMainBackground);
}

QPixmap serviceBanner()
{
    return builtIn("banner.raw", drawServiceBanner);
}

QPixmap titleStrip()
{
    return builtIn("strip.raw", drawTitleStrip);
}

QPixmap exitQuestion()
{
    return builtIn("exit.raw", drawExitQuestion);
}

} // namespace ShellArt
