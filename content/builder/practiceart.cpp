#include "practiceart.h"

#include "builderkit.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace {

// ---------------------------------------------------------------------------
// Palette

const QColor DeepBlue(0x1F, 0x4E, 0x86);
const QColor MidBlue(0x2F, 0x6D, 0xB5);
const QColor BrightBlue(0x3A, 0x7E, 0xCB);
const QColor PaleBlue(0xDC, 0xEB, 0xFA);
const QColor BandTop(0xEA, 0xF3, 0xFC);
const QColor BandBottom(0xD3, 0xE5, 0xF7);
const QColor EdgeBlue(0xA9, 0xC8, 0xE8);
const QColor SoftInk(0x44, 0x55, 0x6A);
const QColor CurrentRed(0xD9, 0x40, 0x3A);

const QString &Sans = Canvas::SansFamily;
const QString &Kai = Canvas::KaiFamily;

// ---------------------------------------------------------------------------
// Canvas, saving and text

// A painter set up for smooth drawing on `image`.
void prepare(QPainter &p)
{
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

QImage opaqueCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage clearCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The same, with a faint dark copy one pixel lower right, for white captions on blue.
void drawRaisedLabel(QPainter &p, const QString &text, const QRectF &box, const QFont &f,
                     Qt::Alignment alignment = Qt::AlignCenter)
{
    Canvas::drawText(p, text, box.translated(1, 1), f, QColor(0, 0, 0, 70), alignment);
    Canvas::drawText(p, text, box, f, Qt::white, alignment);
}

// The rectangle spanned by two corner pixels, both included.
QRectF spanning(int left, int top, int right, int bottom)
{
    return QRectF(left, top, right - left + 1, bottom - top + 1);
}

// ---------------------------------------------------------------------------
// Shared pieces

// The blue title bar look: a vertical gradient with a light top line and a
// darker bottom line.
void fillBlueBar(QPainter &p, const QRectF &rect)
{
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, QColor(0x4B, 0x8D, 0xD6));
    fill.setColorAt(0.5, BrightBlue);
    fill.setColorAt(1, QColor(0x26, 0x5E, 0xA3));
    p.fillRect(rect, fill);
    p.fillRect(QRectF(rect.left(), rect.top(), rect.width(), 1), QColor(255, 255, 255, 90));
    p.fillRect(QRectF(rect.left(), rect.bottom() - 1, rect.width(), 1), DeepBlue);
}

enum class PillStyle { Filled, Outlined };

// A rounded label that marks a clickable area lying over the picture.
void drawPill(QPainter &p, const QRectF &area, const QString &text, PillStyle style)
{
    const QRectF pill = area.adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = pill.height() / 2;

    p.save();
    // A soft shadow under the pill.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x4E, 0x86, 40));
    p.drawRoundedRect(pill.translated(0, 1.5), radius, radius);

    QLinearGradient fill(pill.topLeft(), pill.bottomLeft());
    QColor ink;
    if (style == PillStyle::Filled) {
        fill.setColorAt(0, QColor(0x5B, 0x9B, 0xE0));
        fill.setColorAt(1, MidBlue);
        p.setPen(QPen(DeepBlue, 1.0));
        ink = Qt::white;
    } else {
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, QColor(0xE4, 0xF0, 0xFC));
        p.setPen(QPen(BrightBlue, 1.2));
        ink = DeepBlue;
    }
    p.setBrush(fill);
    p.drawRoundedRect(pill, radius, radius);

    // A small chevron at the right end says "go there".
    const qreal cx = pill.right() - radius + 1;
    const qreal cy = pill.center().y();
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(std::array{QPointF(cx - 2, cy - 4), QPointF(cx + 2, cy), QPointF(cx - 2, cy + 4)}.data(), 3);
    p.restore();

    const QRectF textBox(pill.left() + radius - 2, pill.top(), pill.width() - 2 * radius - 2, pill.height());
    const int size = qBound(12, int(pill.height() * 0.5), 15);
    if (style == PillStyle::Filled)
        drawRaisedLabel(p, text, textBox, Canvas::font(Sans, size, true));
    else
        Canvas::drawText(p, text, textBox, Canvas::font(Sans, size, true), ink);
}

// A numbered blue disc, used for the steps on the chapter browser's panel.
void drawStepDisc(QPainter &p, const QPointF &centre, int number)
{
    p.save();
    QRadialGradient fill(centre + QPointF(-2, -3), 12);
    fill.setColorAt(0, QColor(0x6A, 0xA6, 0xE6));
    fill.setColorAt(1, MidBlue);
    p.setPen(QPen(DeepBlue, 1.0));
    p.setBrush(fill);
    p.drawEllipse(centre, 9.5, 9.5);
    p.restore();
    Canvas::drawText(p, QString::number(number), QRectF(centre.x() - 9, centre.y() - 9.5, 18, 18),
              Canvas::font(Sans, 12, true), Qt::white);
}

// A small square swatch with a thin darker rim.
void drawSwatch(QPainter &p, const QRectF &rect, const QColor &colour)
{
    p.save();
    p.setPen(QPen(colour.darker(130), 1.0));
    p.setBrush(colour);
    p.drawRoundedRect(rect, 2, 2);
    p.restore();
}

// A teacher pointing at a board with a slide on it, in blue line work.
void drawBoardScene(QPainter &p, const QRectF &rect)
{
    p.save();
    p.translate(rect.topLeft());
    p.scale(rect.width() / 120.0, rect.height() / 90.0);

    // The board and its stand.
    p.setPen(QPen(MidBlue, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(38, 6, 78, 54), 3, 3);
    p.drawLine(QPointF(77, 60), QPointF(77, 72));
    p.drawLine(QPointF(66, 80), QPointF(77, 72));
    p.drawLine(QPointF(88, 80), QPointF(77, 72));

    // The slide: a title line and a small bar chart.
    p.setPen(QPen(BrightBlue, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(46, 15), QPointF(80, 15));
    p.setPen(Qt::NoPen);
    const std::array bars{QColor(0x5B, 0x9B, 0xE0), QColor(0x8C, 0xBA, 0xEA), QColor(0xE8, 0xA8, 0x3A),
                          QColor(0x5B, 0x9B, 0xE0)};
    const std::array heights{14.0, 22.0, 30.0, 18.0};
    for (size_t i = 0; i < bars.size(); ++i) {
        p.setBrush(bars[i]);
        const qreal x = 48 + qreal(i) * 15;
        p.drawRect(QRectF(x, 53 - heights[i], 10, heights[i]));
    }
    p.setPen(QPen(EdgeBlue, 1.4));
    p.drawLine(QPointF(45, 53.5), QPointF(110, 53.5));

    // The teacher with a pointer.
    p.setPen(QPen(DeepBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 50), QPointF(52, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(DeepBlue);
    p.drawEllipse(QPointF(16, 40), 7, 7);
    QPainterPath body;
    body.moveTo(3, 86);
    body.lineTo(3, 64);
    body.quadTo(3, 51, 16, 51);
    body.quadTo(29, 51, 29, 64);
    body.lineTo(29, 86);
    body.closeSubpath();
    p.drawPath(body);
    p.restore();
}

// An hourglass with sand running from the upper bulb into the lower one.
void drawHourglass(QPainter &p, const QRectF &rect)
{
    p.save();
    p.translate(rect.topLeft());
    p.scale(rect.width() / 60.0, rect.height() / 90.0);

    const QColor wood(0x9A, 0x6A, 0x3C);
    const QColor sand(0xE8, 0xB3, 0x4A);

    QPainterPath glass;
    glass.moveTo(12, 10);
    glass.lineTo(48, 10);
    glass.cubicTo(48, 30, 34, 38, 32, 45);
    glass.cubicTo(34, 52, 48, 60, 48, 80);
    glass.lineTo(12, 80);
    glass.cubicTo(12, 60, 26, 52, 28, 45);
    glass.cubicTo(26, 38, 12, 30, 12, 10);
    glass.closeSubpath();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xF9, 0xFF));
    p.drawPath(glass);

    // Sand: what is left above, the thin stream, and the heap below.
    p.save();
    p.setClipPath(glass);
    p.setBrush(sand);
    p.drawRect(QRectF(0, 27, 60, 20));
    p.drawRect(QRectF(29, 40, 2, 34));
    QPainterPath heap;
    heap.moveTo(10, 80);
    heap.quadTo(30, 56, 50, 80);
    heap.closeSubpath();
    p.drawPath(heap);
    p.restore();

    p.setPen(QPen(MidBlue, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    // A glint on the glass.
    p.setPen(QPen(QColor(255, 255, 255, 220), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 15), QPointF(19, 26));

    // The wooden caps and posts.
    p.setPen(QPen(wood.darker(130), 1.2));
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(4, 3, 52, 8), 3, 3);
    p.drawRoundedRect(QRectF(4, 79, 52, 8), 3, 3);
    p.drawRect(QRectF(7, 11, 3, 68));
    p.drawRect(QRectF(50, 11, 3, 68));
    p.restore();
}

// ---------------------------------------------------------------------------
// The chapter browser

QImage drawBrowserBackground()
{
    QImage image = opaqueCanvas(1016, 637);
    QPainter p(&image);
    prepare(p);

    QLinearGradient fill(0, 0, 0, image.height());
    fill.setColorAt(0, QColor(0xF1, 0xF5, 0xFA));
    fill.setColorAt(1, QColor(0xD9, 0xE3, 0xEE));
    p.fillRect(image.rect(), fill);

    // A soft light glow in the upper left corner.
    QRadialGradient glow(QPointF(180, 80), 520);
    glow.setColorAt(0, QColor(255, 255, 255, 120));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);

    // A very faint diagonal weave.
    p.setPen(QPen(QColor(0x2F, 0x6D, 0xB5, 10), 1.0));
    for (int x = -image.height(); x < image.width(); x += 9)
        p.drawLine(QPointF(x, image.height()), QPointF(x + image.height(), 0));
    p.setPen(QPen(QColor(255, 255, 255, 28), 1.0));
    for (int x = 0; x < image.width() + image.height(); x += 9)
        p.drawLine(QPointF(x, image.height()), QPointF(x - image.height(), 0));

    // Two large, barely visible rings in the lower right.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 60), 26));
    p.drawEllipse(QPointF(930, 600), 190, 190);
    p.setPen(QPen(QColor(0x3A, 0x7E, 0xCB, 14), 14));
    p.drawEllipse(QPointF(930, 600), 280, 280);
    return image;
}

QImage drawBrowserRightPanel()
{
    const int width = 173;
    const int height = 638;
    const int plainTop = 540;
    QImage image = opaqueCanvas(width, height);
    QPainter p(&image);
    prepare(p);

    QLinearGradient fill(0, 0, 0, plainTop);
    fill.setColorAt(0, BandTop);
    fill.setColorAt(0.45, QColor(0xF6, 0xFA, 0xFE));
    fill.setColorAt(1, BandBottom);
    p.fillRect(QRectF(0, 0, width, plainTop), fill);

    // Title.
    const QRectF titleBox(4, 14, width - 8, 40);
    Canvas::drawText(p, QStringLiteral("手把手教学"), titleBox.translated(1, 1), Canvas::font(Kai, 27, true),
              QColor(255, 255, 255, 200));
    Canvas::drawText(p, QStringLiteral("手把手教学"), titleBox, Canvas::font(Kai, 27, true), DeepBlue);
    QLinearGradient rule(16, 0, width - 16, 0);
    rule.setColorAt(0, QColor(0x3A, 0x7E, 0xCB, 0));
    rule.setColorAt(0.5, BrightBlue);
    rule.setColorAt(1, QColor(0x3A, 0x7E, 0xCB, 0));
    p.fillRect(QRectF(16, 58, width - 32, 2), rule);

    // The three steps.
    const std::array steps{QStringLiteral("选择章节"), QStringLiteral("开始练习"), QStringLiteral("逐题指导")};
    for (size_t i = 0; i < steps.size(); ++i) {
        const qreal y = 86 + qreal(i) * 30;
        drawStepDisc(p, QPointF(50, y), int(i) + 1);
        Canvas::drawText(p, steps[i], QRectF(67, y - 12, width - 72, 24), Canvas::font(Sans, 15, true), SoftInk,
                  Qt::AlignLeft | Qt::AlignVCenter);
        if (i + 1 < steps.size()) {
            p.setPen(QPen(EdgeBlue, 1.4, Qt::DotLine));
            p.drawLine(QPointF(50, y + 10.5), QPointF(50, y + 19.5));
        }
    }

    // The two labels under the clickable areas.
    drawPill(p, spanning(38, 189, 136, 220), QStringLiteral("更多资料"), PillStyle::Outlined);
    drawPill(p, spanning(34, 236, 147, 265), QStringLiteral("访问官网"), PillStyle::Filled);

    // A friendly picture and a short encouragement.
    drawBoardScene(p, QRectF(20, 300, 133, 100));
    Canvas::drawText(p, QStringLiteral("跟着提示一步一步做"), QRectF(6, 420, width - 12, 24), Canvas::font(Kai, 16, true),
              DeepBlue);
    Canvas::drawText(p, QStringLiteral("边学边练  轻松掌握"), QRectF(6, 448, width - 12, 22), Canvas::font(Kai, 15), MidBlue);

    // The plain area at the bottom.
    p.fillRect(QRectF(0, plainTop, width, height - plainTop), QColor(0xF3, 0xF8, 0xFD));
    p.fillRect(QRectF(10, plainTop - 1, width - 20, 1), EdgeBlue);

    // A thin frame line on the left side joins the panel to the lists.
    p.fillRect(QRectF(0, 0, 1, height), EdgeBlue);
    return image;
}

QImage drawTaskBar()
{
    QImage image = opaqueCanvas(193, 27);
    QPainter p(&image);
    prepare(p);
    fillBlueBar(p, image.rect());

    // A small white sheet with lines stands for the task.
    p.setPen(QPen(Qt::white, 1.3));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(9.5, 6.5, 11, 14), 1.5, 1.5);
    p.drawLine(QPointF(12.5, 10.5), QPointF(17.5, 10.5));
    p.drawLine(QPointF(12.5, 13.5), QPointF(17.5, 13.5));
    p.drawLine(QPointF(12.5, 16.5), QPointF(15.5, 16.5));

    drawRaisedLabel(p, QStringLiteral("题目要求"), QRectF(27, 0, 160, 26), Canvas::font(Sans, 14, true),
                    Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

// ---------------------------------------------------------------------------
// The practice window

QImage drawColumnHeader()
{
    QImage image = opaqueCanvas(199, 25);
    QPainter p(&image);
    fillBlueBar(p, image.rect());
    return image;
}

QImage drawSidePicture()
{
    const int width = 199;
    const int height = 384;
    QImage image = opaqueCanvas(width, height);
    QPainter p(&image);
    prepare(p);

    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, QColor(0xF8, 0xFB, 0xFF));
    fill.setColorAt(1, PaleBlue);
    p.fillRect(image.rect(), fill);

    // Caption.
    const QRectF captionBox(6, 8, width - 12, 34);
    Canvas::drawText(p, QStringLiteral("手把手教学"), captionBox.translated(1, 1), Canvas::font(Kai, 23, true),
              QColor(255, 255, 255, 220));
    Canvas::drawText(p, QStringLiteral("手把手教学"), captionBox, Canvas::font(Kai, 23, true), DeepBlue);
    QLinearGradient rule(12, 0, width - 12, 0);
    rule.setColorAt(0, QColor(0x3A, 0x7E, 0xCB, 0));
    rule.setColorAt(0.5, BrightBlue);
    rule.setColorAt(1, QColor(0x3A, 0x7E, 0xCB, 0));
    p.fillRect(QRectF(12, 46, width - 24, 1.5), rule);

    // The tips, in a light card.
    const QRectF card(8.5, 58.5, width - 17, 124);
    p.setPen(QPen(EdgeBlue, 1.0));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(card, 6, 6);
    Canvas::drawText(p, QStringLiteral("小提示"), QRectF(18, 62, 80, 20), Canvas::font(Sans, 13, true), MidBlue,
              Qt::AlignLeft | Qt::AlignVCenter);

    const QFont tipFont = Canvas::font(Sans, 12);
    const qreal textLeft = 36;
    const QRectF firstLine(textLeft, 84, card.right() - textLeft - 4, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(BrightBlue);
    p.drawEllipse(QPointF(25, firstLine.center().y()), 3, 3);
    Canvas::drawText(p, QStringLiteral("单击“自选题目”可跳到"), firstLine, tipFont, SoftInk,
              Qt::AlignLeft | Qt::AlignVCenter);
    Canvas::drawText(p, QStringLiteral("任意一题"), firstLine.translated(0, 18), tipFont, SoftInk,
              Qt::AlignLeft | Qt::AlignVCenter);

    const QRectF secondLine = firstLine.translated(0, 42);
    drawSwatch(p, QRectF(19.5, secondLine.center().y() - 5.5, 11, 11), MidBlue);
    Canvas::drawText(p, QStringLiteral("蓝色表示已完成"), secondLine, tipFont, SoftInk, Qt::AlignLeft | Qt::AlignVCenter);

    const QRectF thirdLine = secondLine.translated(0, 23);
    drawSwatch(p, QRectF(19.5, thirdLine.center().y() - 5.5, 11, 11), CurrentRed);
    Canvas::drawText(p, QStringLiteral("红色表示当前题目"), thirdLine, tipFont, SoftInk, Qt::AlignLeft | Qt::AlignVCenter);

    // The labels under the two click areas.
    drawPill(p, spanning(45, 195, 166, 228), QStringLiteral("访问官网"), PillStyle::Filled);
    drawPill(p, spanning(51, 232, 172, 265), QStringLiteral("学习论坛"), PillStyle::Outlined);

    // A small picture and a good wish at the bottom.
    drawBoardScene(p, QRectF(52, 280, 96, 72));
    Canvas::drawText(p, QStringLiteral("祝您考试顺利！"), QRectF(6, 356, width - 12, 22), Canvas::font(Kai, 16, true),
              MidBlue);
    return image;
}

QImage drawPositionBar()
{
    const int width = 199;
    const int height = 36;
    QImage image = opaqueCanvas(width, height);
    QPainter p(&image);
    prepare(p);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, PaleBlue);
    p.fillRect(image.rect(), fill);
    p.setPen(QPen(EdgeBlue, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
    return image;
}

QImage drawGridHeader()
{
    QImage image = opaqueCanvas(193, 27);
    QPainter p(&image);
    prepare(p);
    fillBlueBar(p, image.rect());

    // A little 3 × 2 grid of squares.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool current = row == 1 && column == 1;
            p.setBrush(current ? QColor(0xFF, 0xD2, 0xCF) : QColor(255, 255, 255, 230));
            p.drawRoundedRect(QRectF(9 + column * 5.5, 8 + row * 5.5, 4.2, 4.2), 0.8, 0.8);
        }
    }

    drawRaisedLabel(p, QStringLiteral("选择题目"), QRectF(30, 0, 193 - 30 - 28, 26), Canvas::font(Sans, 14, true),
                    Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage drawGridClose()
{
    QImage image = clearCanvas(25, 23);
    QPainter p(&image);
    prepare(p);

    const QRectF square(2.5, 1.5, 20, 20);
    QLinearGradient fill(square.topLeft(), square.bottomLeft());
    fill.setColorAt(0, QColor(0x2F, 0x6D, 0xB5));
    fill.setColorAt(1, QColor(0x1A, 0x43, 0x74));
    p.setPen(QPen(QColor(0x15, 0x38, 0x62), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(square, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(square.adjusted(1, 1, -1, -1), 3, 3);

    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = square.center();
    const qreal half = 4.5;
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
    return image;
}

QImage drawWaitCard()
{
    const int width = 490;
    const int height = 160;
    QImage image = clearCanvas(width, height);
    QPainter p(&image);
    prepare(p);

    const QRectF card(4.5, 3.5, width - 10, height - 10);
    const qreal radius = 16;

    // A soft shadow, built from a few widening translucent outlines.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(QPen(QColor(0x1F, 0x4E, 0x86, 34 - i * 7), 1.0));
        p.drawRoundedRect(card.translated(0, 1.5).adjusted(-i + 1, -i + 2, i - 1, i - 1), radius + i - 1,
                          radius + i - 1);
    }

    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, BandTop);
    p.setPen(QPen(EdgeBlue, 1.6));
    p.setBrush(fill);
    p.drawRoundedRect(card, radius, radius);

    // The hourglass on a pale round backdrop.
    const QPointF hub(card.left() + 78, card.center().y());
    QRadialGradient backdrop(hub, 56);
    backdrop.setColorAt(0, PaleBlue);
    backdrop.setColorAt(0.8, QColor(0xDC, 0xEB, 0xFA, 160));
    backdrop.setColorAt(1, QColor(0xDC, 0xEB, 0xFA, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(backdrop);
    p.drawEllipse(hub, 56, 56);
    drawHourglass(p, QRectF(hub.x() - 30, hub.y() - 45, 60, 90));

    // The message and a row of dots underneath.
    const QRectF textBox(card.left() + 156, card.top() + 32, card.right() - card.left() - 170, 46);
    Canvas::drawText(p, QStringLiteral("正在加载题目，请稍候……"), textBox, Canvas::font(Kai, 27, true), DeepBlue,
              Qt::AlignLeft | Qt::AlignVCenter);
    Canvas::drawText(p, QStringLiteral("马上就好，请不要关闭窗口"), textBox.translated(0, 42).adjusted(0, 6, 0, -10),
              Canvas::font(Sans, 13), SoftInk, Qt::AlignLeft | Qt::AlignVCenter);

    const std::array shades{BrightBlue, QColor(0x6A, 0xA6, 0xE6), QColor(0x9F, 0xC6, 0xEF), QColor(0xC8, 0xDE, 0xF5),
                            QColor(0xC8, 0xDE, 0xF5)};
    for (size_t i = 0; i < shades.size(); ++i) {
        p.setBrush(shades[i]);
        p.drawEllipse(QPointF(textBox.left() + 6 + qreal(i) * 18, card.bottom() - 24), 5, 5);
    }
    return image;
}

} // namespace

namespace Artwork {

void writePracticePictures(const QString &imagesDir)
{
    const QDir dir(imagesDir);
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbsjx_bg.png")), drawBrowserBackground(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbsjx_right.png")), drawBrowserRightPanel(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbsjx_bar.png")), drawTaskBar(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbs_header.png")), drawColumnHeader(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbs_side.png")), drawSidePicture(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbs_posbar.png")), drawPositionBar(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbs_gridhead.png")), drawGridHeader(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbs_gridclose.png")), drawGridClose(), "png");
    BuilderOutput::writeImage(dir.filePath(QStringLiteral("sbs_wait.png")), drawWaitCard(), "png");
}

} // namespace Artwork
