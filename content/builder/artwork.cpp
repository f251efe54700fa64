#include "artwork.h"

#include "builderkit.h"
#include "storeerror.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using BuilderOutput::writeFile;
using BuilderOutput::writeImage;
using Canvas::font;
using Canvas::KaiFamily;
using Canvas::SansFamily;

// ---------------------------------------------------------------------------
// Icons, drawn in a 40 × 40 design space scaled to the target rectangle.
// The pen carries the ink colour; the brush carries the "paper" colour that
// fills closed shapes so they stand out from the background behind them.

enum class Glyph { Calendar, Screen, Board, TimedPaper, OpenBook, Refresh };

void drawCalendar(QPainter &p, const QColor &ink)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(6, 8, 28, 27), 3, 3);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.fillRect(QRectF(6, 8, 28, 7), ink);
    p.restore();
    p.drawLine(QPointF(13, 4.5), QPointF(13, 10));
    p.drawLine(QPointF(27, 4.5), QPointF(27, 10));

    QPen thin = p.pen();
    thin.setWidthF(2.0);
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    for (const qreal y : {21.0, 28.5}) {
        p.drawPolyline(std::array{QPointF(10, y), QPointF(12.5, y + 2.5), QPointF(16.5, y - 2.5)}.data(), 3);
        p.drawLine(QPointF(20, y), QPointF(30, y));
    }
}

void drawScreen(QPainter &p, const QColor &ink)
{
    p.drawRoundedRect(QRectF(4, 6, 32, 22), 2.5, 2.5);
    p.drawLine(QPointF(20, 28), QPointF(20, 33.5));
    p.drawLine(QPointF(12, 34.5), QPointF(28, 34.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(std::array{QPointF(16.5, 11.5), QPointF(16.5, 22.5), QPointF(26, 17)}.data(), 3);
}

void drawBoard(QPainter &p, const QColor &ink)
{
    p.drawRoundedRect(QRectF(15, 4, 22, 17), 1.5, 1.5);
    p.drawLine(QPointF(26, 21), QPointF(26, 26));

    QPen thin = p.pen();
    thin.setWidthF(1.8);
    p.setPen(thin);
    p.drawLine(QPointF(19, 9), QPointF(33, 9));
    p.drawLine(QPointF(19, 14), QPointF(29, 14));
    // The pointer reaching from the teacher's hand to the board.
    p.drawLine(QPointF(13, 28), QPointF(21, 17));

    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(9, 20), 4.2, 4.2);
    QPainterPath shoulders;
    shoulders.moveTo(1.5, 37);
    shoulders.lineTo(1.5, 32);
    shoulders.quadTo(1.5, 26, 9, 26);
    shoulders.quadTo(16.5, 26, 16.5, 32);
    shoulders.lineTo(16.5, 37);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

void drawTimedPaper(QPainter &p)
{
    p.drawRoundedRect(QRectF(5, 3.5, 22, 30), 2, 2);
    QPen thin = p.pen();
    thin.setWidthF(1.8);
    p.setPen(thin);
    for (const qreal y : {10.0, 15.5, 21.0})
        p.drawLine(QPointF(9.5, y), QPointF(22.5, y));
    p.drawLine(QPointF(9.5, 26.5), QPointF(15, 26.5));

    QPen pen = p.pen();
    pen.setWidthF(2.4);
    p.setPen(pen);
    const QPointF centre(28.5, 27.5);
    p.drawEllipse(centre, 9.5, 9.5);
    p.drawLine(centre, centre + QPointF(0, -5.5));
    p.drawLine(centre, centre + QPointF(4, 0));
}

void drawOpenBook(QPainter &p)
{
    for (const qreal side : {-1.0, 1.0}) {
        QPainterPath page;
        page.moveTo(20, 11);
        page.cubicTo(20 + side * 5, 7, 20 + side * 12, 7, 20 + side * 17, 9);
        page.lineTo(20 + side * 17, 32);
        page.cubicTo(20 + side * 12, 30, 20 + side * 5, 30, 20, 34);
        page.closeSubpath();
        p.drawPath(page);
    }
    QPen thin = p.pen();
    thin.setWidthF(1.6);
    p.setPen(thin);
    for (const qreal y : {15.5, 20.5, 25.5}) {
        p.drawLine(QPointF(7, y), QPointF(16, y));
        p.drawLine(QPointF(24, y), QPointF(33, y));
    }
}

void drawRefresh(QPainter &p, const QColor &ink)
{
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 5, 30, 30), 70 * 16, 290 * 16);
    p.drawLine(QPointF(20, 12), QPointF(20, 26));
    p.drawPolyline(std::array{QPointF(15, 21.5), QPointF(20, 26.5), QPointF(25, 21.5)}.data(), 3);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(std::array{QPointF(35, 12), QPointF(30, 20.5), QPointF(40, 20.5)}.data(), 3);
}

void drawGlyph(QPainter &p, Glyph glyph, const QRectF &rect, const QColor &ink, const QColor &paper)
{
    p.save();
    p.translate(rect.topLeft());
    p.scale(rect.width() / 40.0, rect.height() / 40.0);
    p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(paper);
    switch (glyph) {
    case Glyph::Calendar: drawCalendar(p, ink); break;
    case Glyph::Screen: drawScreen(p, ink); break;
    case Glyph::Board: drawBoard(p, ink); break;
    case Glyph::TimedPaper: drawTimedPaper(p); break;
    case Glyph::OpenBook: drawOpenBook(p); break;
    case Glyph::Refresh: drawRefresh(p, ink); break;
    }
    p.restore();
}

// A round green badge with a white tick, in the same 40 × 40 design space.
void drawTickBadge(QPainter &p, const QRectF &rect)
{
    p.save();
    p.translate(rect.topLeft());
    p.scale(rect.width() / 40.0, rect.height() / 40.0);
    p.setPen(QPen(Qt::white, 1.8));
    p.setBrush(QColor(0x2E, 0x9E, 0x4F));
    p.drawEllipse(QPointF(32, 31), 8.5, 8.5);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(std::array{QPointF(28, 31), QPointF(31, 34), QPointF(36, 28)}.data(), 3);
    p.restore();
}

// ---------------------------------------------------------------------------
// Navigation buttons

constexpr int ButtonSize = 75;
const QRectF IconArea(17.5, 5, 40, 40);
const QRectF CaptionArea(1, 46, 73, 24);

enum class Look { Normal, Selected, Hover };

struct LookColours
{
    bool tile;
    QColor top, bottom, border, ink, paper;
};

LookColours coloursFor(Look look)
{
    switch (look) {
    case Look::Selected:
        return {true, QColor(0x4A, 0x86, 0xCB), QColor(0x2A, 0x62, 0xA6), QColor(0x1F, 0x4F, 0x8A),
                Qt::white, QColor(0x2F, 0x6D, 0xB5)};
    case Look::Hover:
        return {true, QColor(0xFB, 0xFD, 0xFF), QColor(0xDC, 0xEB, 0xFA), QColor(0x5B, 0x9B, 0xD8),
                QColor(0x1F, 0x4E, 0x86), Qt::white};
    case Look::Normal:
        break;
    }
    return {false, {}, {}, {}, QColor(0x1F, 0x4E, 0x86), Qt::white};
}

QString lookSuffix(Look look)
{
    switch (look) {
    case Look::Selected: return QStringLiteral("1");
    case Look::Hover: return QStringLiteral("2");
    case Look::Normal: break;
    }
    return {};
}

void drawTile(QPainter &p, const LookColours &colours)
{
    if (!colours.tile)
        return;
    const QRectF rect(1.5, 1.5, ButtonSize - 3, ButtonSize - 3);
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    p.setPen(QPen(colours.border, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(rect, 7, 7);
}

QImage drawButton(Glyph glyph, const QString &caption, Look look, bool updating = false)
{
    QImage image(ButtonSize, ButtonSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);

    const LookColours colours = coloursFor(look);
    drawTile(p, colours);
    drawGlyph(p, glyph, IconArea, colours.ink, colours.paper);
    QColor captionColour = colours.ink;
    if (updating) {
        drawTickBadge(p, IconArea);
        captionColour = QColor(0x1E, 0x7A, 0x3A);
    }
    Canvas::drawText(p, caption, CaptionArea, font(SansFamily, 12, true), captionColour);
    return image;
}

struct NavigationButton
{
    const char16_t *name;
    Glyph glyph;
};

constexpr std::array NavigationButtons{
    NavigationButton{u"学习计划", Glyph::Calendar},
    NavigationButton{u"网络课堂", Glyph::Screen},
    NavigationButton{u"手把手教学", Glyph::Board},
    NavigationButton{u"模拟考场", Glyph::TimedPaper},
    NavigationButton{u"考试指南", Glyph::OpenBook},
    NavigationButton{u"在线升级", Glyph::Refresh},
};

// ---------------------------------------------------------------------------
// Window caption buttons

QImage drawMinimiseHover()
{
    QImage image(28, 20, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fill(0, 0, 0, image.height());
    fill.setColorAt(0, QColor(0x5E, 0x9C, 0xE0));
    fill.setColorAt(1, QColor(0x35, 0x72, 0xBE));
    p.fillRect(image.rect(), fill);
    p.fillRect(QRect(9, 12, 10, 2), Qt::white);
    return image;
}

QImage drawCloseHover()
{
    QImage image(31, 23, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(0xD9, 0x40, 0x3A));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(15.5, 11.5);
    const qreal half = 4.5;
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
    return image;
}

// ---------------------------------------------------------------------------
// The banner strip at the top of the guided-practice chapter browser

QImage drawGuidedPracticeBanner()
{
    const QSize size(194, 31);
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    QLinearGradient band(0, 0, 0, size.height());
    band.setColorAt(0, QColor(0x3A, 0x7E, 0xCB));
    band.setColorAt(1, QColor(0x1D, 0x55, 0x98));
    p.fillRect(image.rect(), band);

    drawGlyph(p, Glyph::OpenBook, QRectF(6, 3, 25, 25), Qt::white, QColor(255, 255, 255, 50));
    const QRectF titleArea(34, 0, 96, size.height());
    Canvas::drawText(p, QStringLiteral("手把手教学"), titleArea.translated(1, 1), font(KaiFamily, 19, true),
                    QColor(0, 0, 0, 80));
    Canvas::drawText(p, QStringLiteral("手把手教学"), titleArea, font(KaiFamily, 19, true), Qt::white);
    Canvas::drawText(p, QStringLiteral("边学边练"), QRectF(132, 0, 60, size.height()), font(KaiFamily, 13, false),
                    QColor(0xDC, 0xEB, 0xFA));
    return image;
}

// ---------------------------------------------------------------------------
// Sound

QByteArray wavFile(const std::vector<qint16> &samples, int sampleRate)
{
    QByteArray bytes;
    const auto put32 = [&bytes](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    };
    const auto put16 = [&bytes](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    };
    const quint32 dataBytes = quint32(samples.size() * sizeof(qint16));
    bytes.append("RIFF", 4);
    put32(36 + dataBytes);
    bytes.append("WAVE", 4);
    bytes.append("fmt ", 4);
    put32(16);                   // format chunk size
    put16(1);                    // PCM
    put16(1);                    // mono
    put32(quint32(sampleRate));
    put32(quint32(sampleRate) * 2); // bytes per second
    put16(2);                    // bytes per frame
    put16(16);                   // bits per sample
    bytes.append("data", 4);
    put32(dataBytes);
    for (const qint16 s : samples)
        put16(quint16(s));
    return bytes;
}

} // namespace

namespace Artwork {

void writePictures(const QString &imagesDir)
{
    const QDir dir(imagesDir);
    for (const NavigationButton &button : NavigationButtons) {
        const QString name = QString::fromUtf16(button.name);
        for (const Look look : {Look::Normal, Look::Selected, Look::Hover})
            writeImage(dir.filePath(name + lookSuffix(look) + QStringLiteral(".png")),
                       drawButton(button.glyph, name, look), "png");
    }
    writeImage(dir.filePath(QStringLiteral("shengji.png")),
               drawButton(Glyph::Refresh, QStringLiteral("升级中"), Look::Normal, true), "png");
    writeImage(dir.filePath(QStringLiteral("xiao.jpg")), drawMinimiseHover(), "jpg", 95);
    writeImage(dir.filePath(QStringLiteral("guan.png")), drawCloseHover(), "png");
    writeImage(dir.filePath(QStringLiteral("shoubashou.jpg")), drawGuidedPracticeBanner(), "jpg", 90);
}

void writeStartSound(const QString &path)
{
    constexpr int SampleRate = 44100;
    constexpr double Duration = 1.1;
    constexpr double Attack = 0.012;
    constexpr double FadeOut = 0.2;

    // A rising C major arpeggio; every note rings on under the next one.
    struct Note { double frequency, start, level; };
    constexpr std::array Notes{Note{523.25, 0.00, 1.0}, Note{659.26, 0.10, 0.9},
                               Note{783.99, 0.20, 0.85}, Note{1046.50, 0.30, 0.8}};

    const int count = int(SampleRate * Duration);
    std::vector<double> mix(static_cast<size_t>(count), 0.0);
    for (const Note &note : Notes) {
        for (int i = int(note.start * SampleRate); i < count; ++i) {
            const double t = double(i) / SampleRate - note.start;
            const double attack = std::min(1.0, t / Attack);
            const double envelope = attack * attack * std::exp(-4.5 * t);
            const double phase = 2 * std::numbers::pi * note.frequency * t;
            mix[size_t(i)] += note.level * envelope
                              * (std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.06 * std::sin(3 * phase));
        }
    }

    double peak = 1e-9;
    for (const double v : mix)
        peak = std::max(peak, std::abs(v));
    std::vector<qint16> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double remaining = double(count - 1 - i) / SampleRate;
        const double fade = std::min(1.0, remaining / FadeOut);
        samples[size_t(i)] = qint16(std::lround(mix[size_t(i)] / peak * 0.6 * fade * 32767));
    }
    writeFile(path, wavFile(samples, SampleRate));
}

void writePageTemplate(const QString &path)
{
    const QString html = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
        "<html>\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
        "<meta charset=\"utf-8\">\n"
        "<title></title>\n"
        "<style type=\"text/css\">\n"
        "body { font-family: \"SimSun\", \"宋体\", \"AR PL UMing CN\", \"Noto Serif CJK SC\", serif;"
        " font-size: 14px; color: #222222; background-color: #ffffff; margin: 6px; }\n"
        "h2 { font-family: \"Microsoft YaHei\", \"微软雅黑\", \"SimHei\", \"黑体\", \"Noto Sans CJK SC\", sans-serif;"
        " font-size: 19px; font-weight: bold; color: #1f4e86; margin-top: 8px; margin-bottom: 8px; }\n"
        "h3 { font-family: \"Microsoft YaHei\", \"微软雅黑\", \"SimHei\", \"黑体\", \"Noto Sans CJK SC\", sans-serif;"
        " font-size: 16px; font-weight: bold; color: #2f6db5; margin-top: 10px; margin-bottom: 4px; }\n"
        "p { margin-top: 4px; margin-bottom: 4px; }\n"
        "ul, ol { margin-top: 2px; margin-bottom: 4px; }\n"
        "li { margin-top: 1px; margin-bottom: 1px; }\n"
        "table { margin-top: 4px; margin-bottom: 6px; }\n"
        "th { font-family: \"Microsoft YaHei\", \"微软雅黑\", \"Noto Sans CJK SC\", sans-serif;"
        " font-weight: bold; color: #1f4e86; background-color: #d3e5f7; padding: 3px 8px 3px 8px; }\n"
        "td { background-color: #eef4fb; padding: 3px 8px 3px 8px; }\n"
        "b { color: #111111; }\n"
        ".tip { color: #1f5e2e; background-color: #eaf6ec; margin-top: 6px; margin-bottom: 6px; }\n"
        ".note { color: #6b4a00; background-color: #fdf5e2; margin-top: 6px; margin-bottom: 6px; }\n"
        ".key { font-family: \"DejaVu Sans Mono\", monospace; font-weight: bold; color: #1f4e86;"
        " background-color: #e8eef5; }\n"
        "</style>\n"
        "</head>\n"
        "<body>\n"
        "</body>\n"
        "</html>\n");
    writeFile(path, html.toUtf8());
}

} // namespace Artwork
