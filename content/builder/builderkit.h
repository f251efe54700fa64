#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QByteArray;
class QImage;
class QPainter;
class QRectF;

// What every part of the content builder needs to draw its pictures and to
// write what it makes into the program folder.

namespace BuilderOutput {

// Writes the whole file or nothing; raises StoreError with the path and the
// reason when it cannot.
void writeFile(const QString &path, const QByteArray &bytes, bool executable = false);

// Encodes the picture ("png", "jpg" with a quality) and writes it as above.
void writeImage(const QString &path, const QImage &image, const char *format, int quality = -1);

} // namespace BuilderOutput

namespace Canvas {

inline const QString SansFamily = QStringLiteral("Noto Sans CJK SC");
inline const QString KaiFamily = QStringLiteral("AR PL UKai CN");

// A smooth, unhinted font of the family at the pixel size.
QFont font(const QString &family, qreal pixelSize, bool bold = false);

// One line of text in `box`, the font made smaller step by step until the
// line fits the box's width.
void drawText(QPainter &p, const QString &text, const QRectF &box, QFont f, const QColor &colour,
              Qt::Alignment alignment = Qt::AlignCenter);

} // namespace Canvas
