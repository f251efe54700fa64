#include "master.h"
#include "slideart.h"

#include "clipart.h"
#include "session.h"
#include "textruns.h"
#include "toolicons.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextLayout>

#include <cmath>

namespace SlideArt {

namespace {

struct NamedColour
{
    const char16_t *name;
    QRgb rgb;
};

// Longer names first: "深蓝色" must not be read as "蓝色".
constexpr NamedColour namedColours[] = {
    {u"深蓝色", 0x000080}, {u"深红色", 0x800000}, {u"浅黄色", 0xffffbe}, {u"浅绿色", 0xc8f0c8},
    {u"浅蓝色", 0xc8dcff}, {u"浅灰色", 0xe1e1e1}, {u"黑色", 0x000000}, {u"红色", 0xdc0000},
    {u"蓝色", 0x003cdc}, {u"绿色", 0x00963c}, {u"黄色", 0xf0dc00}, {u"白色", 0xffffff},
    {u"灰色", 0x808080}, {u"橙色", 0xff9600}, {u"金色", 0xe6be3c},
};

QString attr(const Slide &slide, const QString &part, const char16_t *key)
{
    return slide.attributes.value(part + u'.' + QString::fromUtf16(key));
}

// Families of the editor's fonts, with what usually stands in for them.
QStringList familiesFor(const QString &name)
{
    if (name.contains(u"黑"))
        return {name, QStringLiteral("Noto Sans CJK SC")};
    if (name.contains(u"宋") || name.contains(u"仿宋"))
        return {name, QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")};
    if (name.contains(u"楷") || name.contains(u"隶") || name.contains(u"行楷"))
        return {name, QStringLiteral("AR PL UKai CN")};
    return {name};
}

// The families for a Chinese and a Western font chosen (either may be
// empty): the Western one first, for the Latin letters; none for neither.
QStringList familiesFor(const QString &chinese, const QString &western)
{
    QStringList families;
    if (!western.isEmpty())
        families << western;
    if (!chinese.isEmpty())
        families << familiesFor(chinese);
    return families;
}

QRectF within(const QRectF &outer, const QRectF &fraction)
{
    return QRectF(outer.x() + fraction.x() * outer.width(), outer.y() + fraction.y() * outer.height(),
                  fraction.width() * outer.width(), fraction.height() * outer.height());
}

// The picture itself, without its edge.
void paintScenery(QPainter &p, const QRectF &r)
{
    p.fillRect(r, QColor(190, 220, 250));
    QPainterPath hills;
    hills.moveTo(r.bottomLeft());
    hills.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.45);
    hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7);
    hills.lineTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.5);
    hills.lineTo(r.bottomRight());
    hills.closeSubpath();
    p.fillPath(hills, QColor(70, 140, 70));
    p.setBrush(QColor(250, 200, 40));
    p.setPen(Qt::NoPen);
    const double d = std::min(r.width(), r.height()) * 0.2;
    p.drawEllipse(QRectF(r.right() - d * 1.6, r.top() + d * 0.4, d, d));
}

void paintPicture(QPainter &p, const QRectF &r)
{
    paintScenery(p, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(r);
}

void paintShape(QPainter &p, const QRectF &r, const QString &shape)
{
    if (shape.contains(u"椭圆") || (shape.contains(u"圆") && !shape.contains(u"矩形"))) {
        const double d = std::min(r.width(), r.height());
        p.drawEllipse(shape.contains(u"正圆") ? QRectF(r.center() - QPointF(d / 2, d / 2), QSizeF(d, d)) : r);
    } else if (shape.contains(u"圆角")) {
        p.drawRoundedRect(r, r.height() * 0.2, r.height() * 0.2);
    } else if (shape.contains(u"箭头")) {
        const double h = r.height(), w = r.width();
        QPolygonF arrow({{r.left(), r.top() + h * 0.3}, {r.left() + w * 0.6, r.top() + h * 0.3},
                         {r.left() + w * 0.6, r.top()}, {r.right(), r.center().y()},
                         {r.left() + w * 0.6, r.bottom()}, {r.left() + w * 0.6, r.top() + h * 0.7},
                         {r.left(), r.top() + h * 0.7}});
        p.drawPolygon(arrow);
    } else if (shape.contains(u"五角星") || shape.contains(u"星")) {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5;
            const double radius = (i % 2 ? 0.4 : 1.0) * std::min(r.width(), r.height()) / 2;
            star << r.center() + QPointF(std::cos(a) * radius, std::sin(a) * radius);
        }
        p.drawPolygon(star);
    } else if (shape.contains(u"直线")) {
        p.drawLine(r.bottomLeft(), r.topRight());
    } else if (shape.contains(u"笑脸")) {
        const double d = std::min(r.width(), r.height());
        const QRectF face(r.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
        p.drawEllipse(face);
        p.drawArc(face.adjusted(d * 0.25, d * 0.3, -d * 0.25, -d * 0.25), 200 * 16, 140 * 16);
    } else {
        p.drawRect(r);
    }
}

// A number written in digits or in Chinese ("2", "两", "十二"); 0 for none.
int numberIn(const QString &text)
{
    static const QString numerals = QStringLiteral("零一二三四五六七八九");
    int digits = 0, chinese = 0;
    bool anyDigit = false;
    for (const QChar c : text) {
        if (c.isDigit()) {
            digits = digits * 10 + c.digitValue();
            anyDigit = true;
        } else if (c == u'十') {
            chinese = (chinese == 0 ? 1 : chinese) * 10;
        } else if (c == u'两') {
            chinese += 2;
        } else if (const qsizetype i = numerals.indexOf(c); i > 0) {
            chinese += int(i);
        }
    }
    return anyDigit ? digits : chinese;
}

// The steps of a 亮度 or 对比度 setting: "增加两次" is +2, "降低一次" −1.
int steps(const QString &value)
{
    const int n = std::max(1, numberIn(value));
    if (value.contains(u"降低") || value.contains(u"减少"))
        return -n;
    return value.contains(u"增加") || value.contains(u"提高") ? n : 0;
}

// A length in 磅 or 厘米 as the dialogs write it ("1.5磅", "左侧2厘米"); 0 for none.
double lengthIn(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

// A picture as formatted: cropped, recoloured, lighter or darker, with a
// border once a line colour is set. 重设 brings back the original look.
void paintPictureObject(QPainter &p, const QRectF &r, const Slide &slide, const QString &prefix, double pxPerPt)
{
    const auto value = [&](const char16_t *key) { return attr(slide, prefix, key); };
    const bool reset = value(u"重设") == u"是";
    const QSize size(std::clamp(int(std::ceil(r.width())), 1, 2000), std::clamp(int(std::ceil(r.height())), 1, 2000));
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter ip(&image);
        QRectF whole(QPointF(0, 0), QSizeF(size));
        // What is left after cropping fills the frame.
        const QString crop = reset ? QString() : value(u"裁剪");
        const double pxPerCm = pxPerPt * SlideWidthPt / Shapes::SlideWidthCm;
        const bool sideways = crop.contains(u"左") || crop.contains(u"右");
        const double cut = std::clamp(lengthIn(crop) * pxPerCm / (sideways ? r.width() : r.height()), 0.0, 0.9);
        if (cut > 0 && sideways) {
            whole.setWidth(whole.width() / (1 - cut));
            if (crop.contains(u"左"))
                whole.moveRight(size.width());
        } else if (cut > 0 && (crop.contains(u"上") || crop.contains(u"顶") || crop.contains(u"下") || crop.contains(u"底"))) {
            whole.setHeight(whole.height() / (1 - cut));
            if (crop.contains(u"上") || crop.contains(u"顶"))
                whole.moveBottom(size.height());
        }
        paintScenery(ip, whole);
    }
    const QString look = reset ? QString() : value(u"图片颜色");
    const int brightness = reset ? 0 : steps(value(u"亮度"));
    const int contrast = reset ? 0 : steps(value(u"对比度"));
    if (!look.isEmpty() || brightness != 0 || contrast != 0) {
        const double gain = std::max(0.0, 1 + 0.2 * contrast);
        const auto adjust = [&](int c) {
            double v = c;
            if (look == u"冲蚀")   // washed out: light and flat, to lie behind text
                v = 180 + v * 0.3;
            v = 128 + (v - 128) * gain + 25.5 * brightness;
            return std::clamp(int(std::lround(v)), 0, 255);
        };
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                int red = qRed(line[x]), green = qGreen(line[x]), blue = qBlue(line[x]);
                if (look == u"灰度" || look == u"黑白") {
                    red = green = blue = look == u"黑白" ? (qGray(line[x]) >= 128 ? 255 : 0) : qGray(line[x]);
                }
                line[x] = qRgb(adjust(red), adjust(green), adjust(blue));
            }
        }
    }
    p.drawImage(r, image);
    p.setBrush(Qt::NoBrush);
    const QString lineColour = reset ? QString() : value(u"线条颜色");
    if (!lineColour.isEmpty() && !lineColour.contains(u"无")) {
        const double points = std::min(lengthIn(value(u"线条粗细")), 30.0);
        QPen border(colour(lineColour, Qt::black), std::max(1.0, (points > 0 ? points : 0.75) * pxPerPt));
        border.setJoinStyle(Qt::MiterJoin);
        if (value(u"线型").contains(u"虚"))
            border.setStyle(Qt::DashLine);
        p.setPen(border);
    } else {
        p.setPen(QColor(90, 90, 90));
    }
    p.drawRect(r);
}

// Row or column N of a table named in a 位置 ("第2行第2列", "最后一列"),
// 1-based; 0 where it names none.
int tablePlace(const QString &place, QChar unit, int count)
{
    if (place.contains(QStringLiteral("最后一") + unit))
        return count;
    static const QRegularExpression nth(QStringLiteral("第([0-9一二两三四五六七八九十]+)([行列])"));
    for (QRegularExpressionMatchIterator it = nth.globalMatch(place); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(2) == unit)
            return numberIn(match.captured(1));
    }
    return 0;
}

struct TableLook
{
    int rows = 3, columns = 3;
    int mergedRow = 0, mergedColumn = 0;              // 1-based, 0 for none
    int splitRow = 0, splitColumn = 0, splitInto = 1, splitDown = 1;
    int filledRow = 0, filledColumn = 0;
    QColor fill;                                      // invalid: white
    QPen inner{QColor(60, 60, 60)};
    QPen border{QColor(60, 60, 60)};
    QStringList texts;                                // row by row
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

void paintTable(QPainter &p, const QRectF &r, const TableLook &t)
{
    const int rows = std::max(1, t.rows), columns = std::max(1, t.columns);
    const double h = r.height() / rows, w = r.width() / columns;
    const auto cell = [&](int row, int column) { return QRectF(r.left() + w * column, r.top() + h * row, w, h); };
    p.fillRect(r, Qt::white);
    if (t.fill.isValid()) {
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                if ((t.filledRow == 0 || t.filledRow == row + 1) && (t.filledColumn == 0 || t.filledColumn == column + 1))
                    p.fillRect(cell(row, column), t.fill);
    }
    p.setPen(t.inner);
    for (int row = 1; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (t.mergedColumn != column + 1)
                p.drawLine(cell(row, column).topLeft(), cell(row, column).topRight());
    for (int column = 1; column < columns; ++column)
        for (int row = 0; row < rows; ++row)
            if (t.mergedRow != row + 1)
                p.drawLine(cell(row, column).topLeft(), cell(row, column).bottomLeft());
    if (t.splitRow > 0 && t.splitRow <= rows && t.splitColumn > 0 && t.splitColumn <= columns) {
        const QRectF split = cell(t.splitRow - 1, t.splitColumn - 1);
        for (int i = 1; i < t.splitInto; ++i)
            p.drawLine(QPointF(split.left() + split.width() * i / t.splitInto, split.top()),
                       QPointF(split.left() + split.width() * i / t.splitInto, split.bottom()));
        for (int i = 1; i < t.splitDown; ++i)
            p.drawLine(QPointF(split.left(), split.top() + split.height() * i / t.splitDown),
                       QPointF(split.right(), split.top() + split.height() * i / t.splitDown));
    }
    if (!t.texts.isEmpty()) {
        QFont f = p.font();
        f.setPixelSize(std::max(4, int(h * 0.4)));
        p.setFont(f);
        p.setPen(Qt::black);
        for (int i = 0; i < t.texts.size() && i < rows * columns; ++i)
            p.drawText(cell(i / columns, i % columns).adjusted(2, 1, -2, -1), int(t.alignment), t.texts.at(i));
    }
    p.setPen(t.border);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void paintTable(QPainter &p, const QRectF &r, int rows, int columns)
{
    TableLook look;
    look.rows = rows;
    look.columns = columns;
    paintTable(p, r, look);
}

// A table with the rows and columns it was given, then changed by the last
// 表格属性 the candidate applied, and its borders, fill and text.
TableLook tableLook(const Slide &slide, const QString &prefix, double pxPerPt)
{
    const auto value = [&](const char16_t *key) { return attr(slide, prefix, key); };
    TableLook t;
    t.rows = std::clamp(value(u"行数").toInt(), 2, 30);
    t.columns = std::clamp(value(u"列数").toInt(), 2, 30);
    const QString operation = value(u"操作");
    const QString place = value(u"位置");
    if (operation == u"插入一行") {
        ++t.rows;
    } else if (operation == u"插入一列") {
        ++t.columns;
    } else if (operation == u"删除") {
        if (place.contains(u"列"))
            t.columns = std::max(1, t.columns - 1);
        else
            t.rows = std::max(1, t.rows - 1);
    } else if (operation == u"合并") {
        t.mergedRow = place.contains(u"列") ? 0 : tablePlace(place, u'行', t.rows);
        t.mergedColumn = place.contains(u"行") ? 0 : tablePlace(place, u'列', t.columns);
    } else if (operation == u"拆分") {
        t.splitRow = tablePlace(place, u'行', t.rows);
        t.splitColumn = tablePlace(place, u'列', t.columns);
        const QString into = value(u"拆分为");
        static const QRegularExpression parts(QStringLiteral("([0-9一二两三四五六七八九十]+)([行列])"));
        for (QRegularExpressionMatchIterator it = parts.globalMatch(into); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const int n = std::clamp(numberIn(match.captured(1)), 1, 10);
            (match.captured(2) == u"列" ? t.splitInto : t.splitDown) = n;
        }
    }
    if (const QColor fill = colour(value(u"填充颜色"), QColor()); fill.isValid()) {
        t.fill = fill;
        if (operation.isEmpty() || operation == u"合并") {
            t.filledRow = place.contains(u"行") ? tablePlace(place, u'行', t.rows) : 0;
            t.filledColumn = place.contains(u"列") ? tablePlace(place, u'列', t.columns) : 0;
        }
    }
    const QColor lineColour = colour(value(u"线条颜色"), QColor());
    const double borderPoints = std::min(lengthIn(value(u"外边框")), 30.0);
    if (borderPoints > 0 || lineColour.isValid()) {
        t.border = QPen(lineColour.isValid() ? lineColour : QColor(60, 60, 60), std::max(1.0, (borderPoints > 0 ? borderPoints : 1) * pxPerPt));
        t.border.setJoinStyle(Qt::MiterJoin);
        if (value(u"线型").contains(u"虚"))
            t.border.setStyle(Qt::DashLine);
        if (borderPoints <= 0)   // a colour for every line, not only the outside
            t.inner.setColor(t.border.color());
    }
    const QString content = value(u"内容");
    if (!content.isEmpty())
        t.texts = content.split(QRegularExpression(QStringLiteral("[、，,\\s]+")), Qt::SkipEmptyParts);
    const QString align = value(u"文字对齐");
    if (align.contains(u"水平和垂直"))
        t.alignment = Qt::AlignCenter;
    else if (align.contains(u"水平居中"))
        t.alignment = Qt::AlignHCenter | Qt::AlignTop;
    else if (align.contains(u"垂直居中"))
        t.alignment = Qt::AlignLeft | Qt::AlignVCenter;
    return t;
}

// The data sheet a new chart starts with: sales of three regions by quarter.
const QStringList chartSeries = {QStringLiteral("东部"), QStringLiteral("西部"), QStringLiteral("北部")};
const QStringList chartCategories = {QStringLiteral("第一季度"), QStringLiteral("第二季度"), QStringLiteral("第三季度"),
                                     QStringLiteral("第四季度")};

struct ChartLook
{
    QString type;
    QString title;
    QString legend;     // 底部 右侧 顶部 左侧, empty for none
    QString labels;     // 值 百分比 类别名称, empty for none
    double values[3][4] = {{30, 45, 80, 35}, {40, 38, 35, 32}, {45, 47, 45, 44}};
};

ChartLook chartLook(const Slide &slide, const QString &prefix)
{
    const auto value = [&](const char16_t *key) { return attr(slide, prefix, key); };
    ChartLook c;
    c.type = value(u"图表类型");
    if (c.type.isEmpty())
        c.type = value(u"类型");
    c.title = value(u"图表标题");
    c.legend = value(u"图例位置");
    if (c.legend.isEmpty() || c.legend == u"无")   // a new chart shows its legend on the right
        c.legend = c.legend.isEmpty() ? QStringLiteral("右侧") : QString();
    c.labels = value(u"数据标签");
    if (c.labels == u"无")
        c.labels.clear();
    // A value changed in the data sheet, stored by its category and series.
    for (int s = 0; s < 3; ++s)
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            const double v = slide.attributes.value(prefix + u'.' + chartCategories.at(i) + u'、' + chartSeries.at(s)).toDouble(&ok);
            if (ok && std::isfinite(v))
                c.values[s][i] = std::clamp(v, -1e6, 1e6);
        }
    return c;
}

void paintChart(QPainter &p, const QRectF &r, const ChartLook &c)
{
    p.fillRect(r, Qt::white);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    const QColor colours[] = {QColor(70, 100, 200), QColor(200, 70, 70), QColor(240, 190, 40), QColor(90, 170, 90)};
    QFont f = p.font();
    const int textPx = int(r.height() * 0.06);
    const bool legible = textPx >= 5;   // words smaller than this are left out
    f.setPixelSize(std::max(1, textPx));
    QRectF area = r.adjusted(r.width() * 0.04, r.height() * 0.05, -r.width() * 0.04, -r.height() * 0.05);
    if (!c.title.isEmpty()) {
        const QRectF band(area.left(), area.top(), area.width(), r.height() * 0.12);
        QFont bold = f;
        bold.setBold(true);
        bold.setPixelSize(std::max(1, int(r.height() * 0.08)));
        p.setFont(bold);
        p.setPen(Qt::black);
        if (bold.pixelSize() >= 5)
            p.drawText(band, Qt::AlignCenter, c.title);
        else
            p.fillRect(QRectF(band.center().x() - band.width() * 0.2, band.center().y() - 1, band.width() * 0.4, 2), Qt::black);
        area.setTop(band.bottom());
    }
    p.setFont(f);
    const bool pie = c.type.contains(u"饼");
    const int entries = pie ? 4 : 3;
    const QStringList &names = pie ? chartCategories : chartSeries;
    if (!c.legend.isEmpty()) {
        const bool across = c.legend == u"底部" || c.legend == u"顶部";
        const double swatch = std::max(2.0, r.height() * 0.05);
        double longest = 0;
        for (const QString &name : names)
            longest = std::max(longest, legible ? QFontMetricsF(f).horizontalAdvance(name) : 0.0);
        const double entryW = std::min(across ? area.width() / entries : area.width() * 0.35, swatch * 2 + longest);
        const double entryH = swatch * 1.8;
        QRectF box = across ? QRectF(0, 0, entryW * entries, entryH) : QRectF(0, 0, entryW, entryH * entries);
        if (c.legend == u"底部")
            box.moveCenter(QPointF(area.center().x(), area.bottom() - entryH / 2)), area.setBottom(box.top() - swatch);
        else if (c.legend == u"顶部")
            box.moveCenter(QPointF(area.center().x(), area.top() + entryH / 2)), area.setTop(box.bottom() + swatch);
        else if (c.legend == u"左侧")
            box.moveCenter(QPointF(area.left() + entryW / 2, area.center().y())), area.setLeft(box.right() + swatch);
        else
            box.moveCenter(QPointF(area.right() - entryW / 2, area.center().y())), area.setRight(box.left() - swatch);
        p.setPen(QColor(90, 90, 90));
        p.drawRect(box);
        for (int i = 0; i < entries; ++i) {
            const QPointF at = across ? QPointF(box.left() + entryW * i + swatch * 0.5, box.center().y())
                                      : QPointF(box.left() + swatch * 0.5, box.top() + entryH * (i + 0.5));
            p.fillRect(QRectF(at.x(), at.y() - swatch / 2, swatch, swatch), colours[i]);
            if (legible) {
                p.setPen(Qt::black);
                p.drawText(QRectF(at.x() + swatch * 1.3, at.y() - entryH / 2, entryW - swatch * 1.8, entryH),
                           Qt::AlignLeft | Qt::AlignVCenter, names.at(i));
            }
        }
    }
    const QRectF plot = area.adjusted(area.width() * 0.08, area.height() * 0.06, 0, -area.height() * 0.06);
    const auto label = [&](const QPointF &at, double v, int category, double share) {
        if (c.labels.isEmpty())
            return;
        const QString text = c.labels == u"百分比"   ? QString::number(std::lround(share * 100)) + u'%'
                           : c.labels == u"类别名称" ? chartCategories.at(category)
                                                     : QString::number(v);
        if (legible) {
            p.setPen(Qt::black);
            p.drawText(QRectF(at.x() - r.width() * 0.2, at.y() - textPx * 1.4, r.width() * 0.4, textPx * 1.3),
                       Qt::AlignHCenter | Qt::AlignBottom, text);
        } else {   // a tick where the label stands
            p.fillRect(QRectF(at.x() - 1, at.y() - 3, 2, 2), Qt::black);
        }
    };
    if (pie) {
        double total = 0;
        for (double v : c.values[0])
            total += std::max(0.0, v);
        const double d = std::min(plot.width(), plot.height()) * 0.85;
        const QRectF disc(plot.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
        double start = 90;
        for (int i = 0; i < 4 && total > 0; ++i) {
            const double span = 360 * std::max(0.0, c.values[0][i]) / total;
            p.setPen(QColor(60, 60, 60));
            p.setBrush(colours[i]);
            p.drawPie(disc, int(start * 16), int(span * 16));
            const double middle = (start + span / 2) * M_PI / 180;
            label(disc.center() + QPointF(std::cos(middle), -std::sin(middle)) * d * 0.35 + QPointF(0, textPx * 0.6),
                  c.values[0][i], i, std::max(0.0, c.values[0][i]) / total);
            start += span;
        }
        return;
    }
    double top = 0;
    for (const auto &series : c.values)
        for (double v : series)
            top = std::max(top, v);
    top = std::max(20.0, std::ceil(top / 20) * 20);
    p.setPen(QColor(90, 90, 90));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    const auto share = [&](double v) { return std::clamp(v / top, 0.0, 1.0); };
    if (c.type.contains(u"折线")) {
        for (int s = 0; s < 3; ++s) {
            p.setPen(QPen(colours[s], std::max(1.0, r.width() / 80)));
            QPolygonF line;
            for (int i = 0; i < 4; ++i)
                line << QPointF(plot.left() + plot.width() * (i + 0.5) / 4, plot.bottom() - plot.height() * share(c.values[s][i]));
            p.drawPolyline(line);
            for (int i = 0; i < 4; ++i)
                label(line.at(i), c.values[s][i], i, 0);
        }
        return;
    }
    const bool bars = c.type.contains(u"条形");
    for (int i = 0; i < 4; ++i)
        for (int s = 0; s < 3; ++s) {
            const double v = share(c.values[s][i]);
            if (bars) {
                const double band = plot.height() / 4, h = band * 0.8 / 3;
                const QRectF bar(plot.left(), plot.top() + band * i + band * 0.1 + h * s, plot.width() * v, h);
                p.fillRect(bar, colours[s]);
                label(QPointF(bar.right() + r.width() * 0.03, bar.center().y() + textPx * 0.7), c.values[s][i], i, 0);
            } else {
                const double band = plot.width() / 4, w = band * 0.8 / 3;
                const QRectF bar(plot.left() + band * i + band * 0.1 + w * s, plot.bottom() - plot.height() * v, w,
                                 plot.height() * v);
                p.fillRect(bar, colours[s]);
                label(QPointF(bar.center().x(), bar.top()), c.values[s][i], i, 0);
            }
        }
}

// An organisation chart: a box and the boxes under it, laid out by its 版式
// (side by side, or hanging down on both sides or on one side of its line).
struct OrgBox
{
    QString name;
    QList<OrgBox> children;
    int assistants = 0;
    QString layout;
};

OrgBox orgChart(const Slide *slide, const QString &prefix)
{
    OrgBox top{slide ? QStringLiteral("总经理") : QString(), {}, 0, {}};
    for (const char16_t *name : {u"技术部", u"市场部", u"财务部"})
        top.children.append({slide ? QString::fromUtf16(name) : QString(), {}, 0, {}});
    if (!slide)
        return top;
    const auto value = [&](const char16_t *key) { return attr(*slide, prefix, key); };
    const QString chosen = value(u"选中");
    OrgBox *selected = &top;
    for (OrgBox &box : top.children)
        if (!chosen.isEmpty() && box.name == chosen)
            selected = &box;
    const QString added = value(u"添加");
    const int count = added.isEmpty() ? 0 : std::clamp(value(u"数量").isEmpty() ? 1 : numberIn(value(u"数量")), 1, 6);
    if (added == u"助手")
        selected->assistants += count;
    else if (added == u"下属")
        selected->children.append(QList<OrgBox>(count));
    else if (added == u"同事" && selected != &top)
        top.children.append(QList<OrgBox>(count));
    selected->layout = value(u"版式");
    return top;
}

// Width and height of a box with all under it, in box slots.
QSizeF orgSize(const OrgBox &box)
{
    double width = 0, height = 0, widest = 0;
    for (const OrgBox &child : box.children) {
        const QSizeF size = orgSize(child);
        width += size.width();
        height = std::max(height, size.height());
        widest = std::max(widest, size.width());
    }
    const double least = box.assistants > 0 ? 2 : 1;   // an assistant stands beside the line
    const double own = 1 + box.assistants;
    if (box.children.isEmpty())
        return {least, own};
    const qsizetype n = box.children.size();
    if (box.layout == u"两边悬挂")
        return {std::max(least, 2 * widest + 0.3), own + height * double((n + 1) / 2)};
    if (box.layout == u"左悬挂" || box.layout == u"右悬挂")
        return {std::max(least, 2 * widest + 0.3), own + height * double(n)};
    return {std::max(least, width), own + height};
}

// Lays the box out in `slot` (in slot units) and draws it in slide pixels.
void paintOrgBox(QPainter &p, const OrgBox &box, const QRectF &slot, const QSizeF &unit, const QPointF &origin)
{
    const auto px = [&](const QRectF &s) {
        return QRectF(origin.x() + s.x() * unit.width(), origin.y() + s.y() * unit.height(), s.width() * unit.width(),
                      s.height() * unit.height());
    };
    const auto pt = [&](double x, double y) { return QPointF(origin.x() + x * unit.width(), origin.y() + y * unit.height()); };
    const QRectF own(slot.center().x() - 0.4, slot.top(), 0.8, 0.6);
    const double stem = slot.center().x();
    double y = slot.top() + 1;
    // Assistants hang from the line under their box, to its side.
    for (int i = 0; i < box.assistants; ++i) {
        p.drawLine(pt(stem, own.bottom()), pt(stem, y + 0.3));
        p.drawLine(pt(stem, y + 0.3), pt(stem - 0.15, y + 0.3));
        p.drawRect(px(QRectF(stem - 0.95, y, 0.8, 0.6)));
        y += 1;
    }
    if (!box.children.isEmpty()) {
        const bool both = box.layout == u"两边悬挂";
        const bool oneSide = box.layout == u"左悬挂" || box.layout == u"右悬挂";
        if (both || oneSide) {
            double rowY = y, last = y;
            for (qsizetype i = 0; i < box.children.size(); ++i) {
                const OrgBox &child = box.children.at(i);
                const QSizeF size = orgSize(child);
                const bool left = both ? i % 2 == 0 : box.layout == u"左悬挂";
                const double x = left ? stem - 0.15 - size.width() : stem + 0.15;
                paintOrgBox(p, child, QRectF(x, rowY, size.width(), size.height()), unit, origin);
                p.drawLine(pt(stem, rowY + 0.3), pt(left ? x + size.width() / 2 + 0.4 : x + size.width() / 2 - 0.4, rowY + 0.3));
                last = rowY + 0.3;
                if (!both || i % 2 == 1 || i + 1 == box.children.size())
                    rowY += size.height();
            }
            p.drawLine(pt(stem, own.bottom()), pt(stem, last));
        } else {
            double width = 0;
            for (const OrgBox &child : box.children)
                width += orgSize(child).width();
            double x = slot.center().x() - width / 2;
            const double bar = y - 0.2;
            double first = 0, lastX = 0;
            for (qsizetype i = 0; i < box.children.size(); ++i) {
                const QSizeF size = orgSize(box.children.at(i));
                const double centre = x + size.width() / 2;
                if (i == 0)
                    first = centre;
                lastX = centre;
                p.drawLine(pt(centre, bar), pt(centre, y));
                paintOrgBox(p, box.children.at(i), QRectF(x, y, size.width(), size.height()), unit, origin);
                x += size.width();
            }
            p.drawLine(pt(stem, own.bottom()), pt(stem, bar));
            p.drawLine(pt(first, bar), pt(lastX, bar));
        }
    }
    const QRectF shown = px(own);
    p.drawRect(shown);
    if (!box.name.isEmpty() && shown.height() * 0.4 >= 5) {
        const QPen pen = p.pen();
        QFont f = p.font();
        f.setPixelSize(std::max(5, int(std::min(shown.height() * 0.4, shown.width() / (box.name.size() + 1)))));
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(shown, Qt::AlignCenter, box.name);
        p.setPen(pen);
    }
}

void paintOrgChart(QPainter &p, const QRectF &r, const OrgBox &top)
{
    const QSizeF size = orgSize(top);
    const QSizeF unit(r.width() / size.width(), r.height() / size.height());
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(255, 250, 210));
    paintOrgBox(p, top, QRectF(QPointF(0, 0), size), unit, r.topLeft());
}

void paintOrgChart(QPainter &p, const QRectF &r)
{
    paintOrgChart(p, r, orgChart(nullptr, {}));
}

void paintClipArt(QPainter &p, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 60));
    const double d = std::min(r.width(), r.height()) * 0.7;
    p.drawEllipse(QRectF(r.center() - QPointF(d / 2, d / 2), QSizeF(d, d)));
    p.setBrush(QColor(80, 60, 40));
    p.drawEllipse(QRectF(r.center() + QPointF(-d * 0.22, -d * 0.15), QSizeF(d * 0.12, d * 0.12)));
    p.drawEllipse(QRectF(r.center() + QPointF(d * 0.1, -d * 0.15), QSizeF(d * 0.12, d * 0.12)));
    p.setPen(QPen(QColor(80, 60, 40), std::max(1.0, d / 30)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(r.center() + QPointF(-d * 0.25, -d * 0.1), QSizeF(d * 0.5, d * 0.35)), 200 * 16, 140 * 16);
}

void paintFittedText(QPainter &p, const QRectF &r, const QString &text, const QColor &colour, Qt::Alignment align)
{
    QFont f = p.font();
    f.setPixelSize(std::max(5, int(std::min(r.height() * 0.45, r.width() / std::max<qsizetype>(2, text.size())))));
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, align | Qt::TextWordWrap, text);
}

// WordArt: its text as outlines, filled (a gradient until a colour is
// chosen), outlined once a line colour is set, bent to its 形状 and stacked
// when written 竖排.
void paintWordArt(QPainter &p, const QRectF &r, const Slide &slide, const QString &prefix, const QFont &base)
{
    const auto value = [&](const char16_t *key) { return attr(slide, prefix, key); };
    QString text = value(u"文字");
    if (text.isEmpty())
        text = QStringLiteral("艺术字");
    const bool vertical = value(u"文字方向") == u"竖排";
    const QString shape = value(u"形状");
    const bool bent = shape.contains(u"波") || shape.contains(u"弯") || shape.contains(u"弧");
    const qsizetype n = std::max<qsizetype>(1, text.size());
    QFont f = base;
    f.setFamilies(familiesFor(value(u"字体")));
    f.setBold(true);
    const double room = bent ? 0.5 : 0.6;   // a bent line needs room to rise and fall
    f.setPixelSize(std::max(6, int(vertical ? std::min(r.width() * room, r.height() * 0.9 / n)
                                            : std::min(r.height() * room, r.width() * 0.9 / n))));
    // Each character is placed along the line, then moved across it and
    // turned with it by where it stands along it.
    const QFontMetricsF metrics(f);
    const double along = vertical ? metrics.height() * n : metrics.horizontalAdvance(text);
    const double amplitude = (vertical ? r.width() : r.height()) * 0.18;
    QPainterPath path;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QPainterPath glyph;
        if (vertical)
            glyph.addText(-metrics.horizontalAdvance(text.at(i)) / 2, metrics.ascent() + i * metrics.height(), f, text.at(i));
        else
            glyph.addText(metrics.horizontalAdvance(text.left(i)), 0, f, text.at(i));
        if (bent && along > 0) {
            const double t = (i + 0.5) / n;
            const double sign = shape.contains(u"2") || shape.contains(u"上") ? -1 : 1;
            const bool wave = shape.contains(u"波");
            const double shift = amplitude * sign * (wave ? std::sin(2 * M_PI * t) : 1 - (2 * t - 1) * (2 * t - 1));
            const double slope = amplitude * sign * (wave ? 2 * M_PI * std::cos(2 * M_PI * t) : -4 * (2 * t - 1)) / along;
            const QPointF centre = glyph.boundingRect().center();
            QTransform move;
            move.translate(centre.x() + (vertical ? shift : 0), centre.y() + (vertical ? 0 : shift));
            move.rotate((vertical ? -1 : 1) * std::atan(slope) * 180 / M_PI);
            move.translate(-centre.x(), -centre.y());
            glyph = move.map(glyph);
        }
        path.addPath(glyph);
    }
    path.translate(r.center() - path.boundingRect().center());
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path.translated(r.width() / 80 + 1, r.width() / 80 + 1), QColor(120, 120, 120));
    if (const QColor chosen = colour(value(u"填充颜色"), QColor()); chosen.isValid()) {
        p.fillPath(path, chosen);
    } else {
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, QColor(250, 210, 60));
        fill.setColorAt(1, QColor(220, 90, 20));
        p.fillPath(path, fill);
    }
    const QString lineColour = value(u"线条颜色");
    if (!lineColour.isEmpty() && !lineColour.contains(u"无"))
        p.strokePath(path, QPen(colour(lineColour, Qt::black), std::max(1.0, f.pixelSize() / 24.0)));
}

// The inset of a text box's text (内部边距, one length for all four sides,
// in 厘米 unless given in 磅), in pixels: 0.25 厘米 at the sides and 0.13
// above and below until one is set.
QMarginsF textBoxMargins(const QString &value, double pxPerPt)
{
    const double pxPerCm = 72 / 2.54 * pxPerPt;
    const double set = std::min(lengthIn(value), 20.0);
    if (set <= 0 && !value.trimmed().startsWith(u'0'))
        return QMarginsF(0.25 * pxPerCm, 0.13 * pxPerCm, 0.25 * pxPerCm, 0.13 * pxPerCm);
    const double px = value.contains(u"磅") ? set * pxPerPt : set * pxPerCm;
    return QMarginsF(px, px, px, px);
}

// A text box: its text in its own font (18 磅 until one is set), inset by its
// margins, at its 对齐 and 垂直对齐. Each paragraph stays one line, running
// past the box, until 自动换行 wraps it at the box's width; 自动适应文字
// makes the box as tall as its text (and, unwrapped, as wide), its top left
// corner staying. It has no line of its own until one is set; an empty one
// shows a faint outline so that it can be found.
void paintTextBox(QPainter &p, const QRectF &frame, const Slide &slide, const QString &prefix, const QFont &base,
                  double pxPerPt, const QPen &line)
{
    const auto value = [&](const char16_t *key) { return attr(slide, prefix, key); };
    QString text = value(u"文字");
    const bool empty = text.isEmpty();
    if (empty)
        text = QStringLiteral("文本框");
    if (value(u"方向") == u"竖排" || value(u"文字方向") == u"竖排")
        text = text.split(QString()).join(u'\n').trimmed();
    const TextStyle style = textStyle(slide, prefix, pxPerPt, base);
    const QString vertical = value(u"垂直对齐");
    const Qt::Alignment across = style.alignment & Qt::AlignHorizontal_Mask;
    const QMarginsF margins = textBoxMargins(value(u"内部边距"), pxPerPt);
    const bool wrapped = value(u"自动换行") == u"是";
    const bool fitted = value(u"自动适应文字") == u"是";

    // Lay the text out first: a box fitted to it takes its size from it.
    // Laid out from the left; each line is then placed across the box.
    QTextLayout layout(QString(text).replace(u'\n', QChar::LineSeparator), style.font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(wrapped ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    const double wrapWidth = std::max(1.0, frame.width() - margins.left() - margins.right());
    double height = 0, widest = 0;
    layout.beginLayout();
    for (QTextLine textLine = layout.createLine(); textLine.isValid(); textLine = layout.createLine()) {
        textLine.setLineWidth(wrapped ? wrapWidth : 100000);   // unwrapped: up to the next paragraph
        textLine.setPosition(QPointF(0, height));
        height += textLine.height();
        widest = std::max(widest, textLine.naturalTextWidth());
    }
    layout.endLayout();

    QRectF r = frame;
    if (fitted) {
        r.setHeight(height + margins.top() + margins.bottom());
        if (!wrapped)
            r.setWidth(widest + margins.left() + margins.right());
    }
    const QString lineColour = value(u"线条颜色");
    if (!lineColour.isEmpty() && !lineColour.contains(u"无"))
        p.setPen(line);
    else if (empty)
        p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(colour(value(u"填充颜色"), Qt::transparent));
    p.drawRect(r);

    const QRectF inner = r.marginsRemoved(margins);
    const double top = vertical.contains(u"居中") ? inner.top() + (inner.height() - height) / 2
                     : vertical.contains(u"底端") ? inner.bottom() - height
                                                  : inner.top();
    p.setPen(colour(value(u"颜色"), Qt::black));
    for (int i = 0; i < layout.lineCount(); ++i) {
        QTextLine textLine = layout.lineAt(i);
        const double room = inner.width() - textLine.naturalTextWidth();
        const double x = across & Qt::AlignHCenter ? room / 2 : across & Qt::AlignRight ? room : 0;
        textLine.setPosition(QPointF(x, textLine.position().y()));
    }
    layout.draw(&p, QPointF(inner.left(), top));
}

// The objects inserted on a slide, in the order they are laid out.
struct SlideObject
{
    QString kind;
    QString prefix;
    double rotation = 0;
    bool flippedLeftRight = false;
    bool flippedUpDown = false;
};

void paintObject(QPainter &p, const QRectF &r, const Slide &slide, const SlideObject &object, const QFont &base,
                 double pxPerPt)
{
    p.save();
    const QString kind = object.kind;
    const auto value = [&](const char16_t *key) { return attr(slide, object.prefix, key); };
    QPen line(colour(value(u"线条颜色"), QColor(50, 70, 130)), std::max(1.0, r.width() / 90));
    if (value(u"线型").contains(u"虚"))
        line.setStyle(Qt::DashLine);
    p.setFont(base);
    if (kind == u"图片" && value(u"来源") == u"剪贴画") {
        ClipArt::paint(p, r, value(u"名称"));
    } else if (kind == u"图片") {
        paintPictureObject(p, r, slide, object.prefix, pxPerPt);
    } else if (kind == u"艺术字") {
        paintWordArt(p, r, slide, object.prefix, base);
    } else if (kind == u"自选图形") {
        p.setRenderHint(QPainter::Antialiasing);
        const QColor fill = colour(value(u"填充颜色"), QColor(150, 180, 230));
        const QString shape = value(u"形状");
        const double d = std::min(r.width(), r.height());
        // A shadow lies behind the shape, offset the way its style says.
        if (const int style = numberIn(value(u"阴影样式")); style > 0) {
            constexpr QPointF ways[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {-1, 0}};
            const QPointF offset = ways[(style - 1) % 8] * std::max(3.0, d * 0.08);
            p.setPen(QPen(QColor(128, 128, 128), line.widthF()));
            p.setBrush(QColor(128, 128, 128));
            paintShape(p, r.translated(offset), shape);
        }
        // A 3-D shape shows its side going back from the face, darker.
        if (const int style = numberIn(value(u"三维效果样式")); style > 0) {
            constexpr QPointF ways[] = {{0.7, -0.7}, {-0.7, -0.7}, {0.7, 0.7}, {-0.7, 0.7}};
            const QPointF depth = ways[(style - 1) % 4] * std::max(4.0, d * 0.2);
            const QColor side = fill.darker(160);
            p.setPen(QPen(side, 1));
            p.setBrush(side);
            const int layers = std::clamp(int(std::hypot(depth.x(), depth.y())), 2, 60);
            for (int i = layers; i > 0; --i)
                paintShape(p, r.translated(depth * i / layers), shape);
        }
        p.setPen(line);
        p.setBrush(fill);
        paintShape(p, r, shape);
        if (!value(u"文字").isEmpty())
            paintFittedText(p, r, value(u"文字"), Qt::black, Qt::AlignCenter);
    } else if (kind == u"文本框") {
        paintTextBox(p, r, slide, object.prefix, base, pxPerPt, line);
    } else if (kind == u"表格") {
        paintTable(p, r, tableLook(slide, object.prefix, pxPerPt));
    } else if (kind == u"图表") {
        paintChart(p, r, chartLook(slide, object.prefix));
    } else if (kind == u"组织结构图") {
        paintOrgChart(p, r, orgChart(&slide, object.prefix));
    } else if (kind == u"媒体") {
        const bool movie = value(u"类型") == u"影片";
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(60, 60, 60));
        p.setBrush(movie ? QColor(40, 40, 40) : QColor(250, 250, 250));
        const double d = std::min(r.width(), r.height()) * (movie ? 0.9 : 0.5);
        const QRectF icon(r.center() - QPointF(d / 2, d * (movie ? 0.35 : 0.5)), QSizeF(d, movie ? d * 0.7 : d));
        p.drawRect(icon);
        p.setBrush(movie ? Qt::white : QColor(40, 40, 40));
        p.drawPolygon(QPolygonF({icon.center() + QPointF(-d * 0.12, -d * 0.18), icon.center() + QPointF(d * 0.2, 0),
                                 icon.center() + QPointF(-d * 0.12, d * 0.18)}));
    } else if (kind == u"动作按钮") {
        // The sign of the button chosen (第一张, 帮助, 影片…), as 自选图形 ▸ 动作按钮 shows it.
        const double d = std::min(r.width(), r.height()) * 0.55 * 16 / 13;
        ToolIcons::paintActionButton(p, QRectF(r.center() - QPointF(d / 2, d / 2), QSizeF(d, d)), value(u"按钮"));
    } else {
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(r);
        paintFittedText(p, r, kind, QColor(80, 80, 80), Qt::AlignCenter);
    }
    p.restore();
}

QString bulletText(const QString &style, int line)
{
    if (style.isEmpty())
        return QStringLiteral("•");
    if (style == u"无")
        return {};
    if (style.startsWith(u"1."))
        return QStringLiteral("%1.").arg(line + 1);
    if (style.startsWith(u"一")) {
        static const QString digits = QStringLiteral("一二三四五六七八九十");
        return QString(digits.at(line % digits.size())) + u'、';
    }
    if (style.startsWith(u"A."))
        return QString(QChar(u'A' + line % 26)) + u'.';
    if (style == u"图片")
        return QStringLiteral("◆");
    return style.left(1);
}

} // namespace

QColor colour(const QString &name, const QColor &fallback)
{
    static const QRegularExpression mixed(QStringLiteral("^RGB\\((\\d{1,3}),(\\d{1,3}),(\\d{1,3})\\)$"));
    if (const QRegularExpressionMatch m = mixed.match(QString(name).remove(u' ')); m.hasMatch()) {
        const int r = m.captured(1).toInt(), g = m.captured(2).toInt(), b = m.captured(3).toInt();
        return r <= 255 && g <= 255 && b <= 255 ? QColor(r, g, b) : fallback;
    }
    for (const NamedColour &c : namedColours)
        if (name.contains(QStringView(c.name)))
            return QColor(c.rgb);
    return fallback;
}

int adjustmentSteps(const QString &value)
{
    return steps(value);
}

QString adjustmentText(int steps)
{
    if (steps == 0)
        return QStringLiteral("不变");
    static const QStringList counts = {QStringLiteral("一"), QStringLiteral("两"), QStringLiteral("三"), QStringLiteral("四"),
                                       QStringLiteral("五"), QStringLiteral("六"), QStringLiteral("七"), QStringLiteral("八"),
                                       QStringLiteral("九"), QStringLiteral("十")};
    const int n = std::min<int>(std::abs(steps), int(counts.size()));
    return (steps > 0 ? QStringLiteral("增加") : QStringLiteral("降低")) + counts.at(n - 1) + QStringLiteral("次");
}

QString colourName(const QColor &colour)
{
    for (const NamedColour &c : namedColours)
        if (QColor(c.rgb).rgb() == colour.rgb())
            return QString::fromUtf16(c.name);
    return QStringLiteral("RGB(%1,%2,%3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

Placement placement(const QString &layout)
{
    return Shapes::layoutFrames(layout);
}

QString bodyPart(const Slide &slide)
{
    return slide.layout == u"标题幻灯片" ? QStringLiteral("副标题") : QStringLiteral("正文");
}

Scheme scheme(const Slide &slide)
{
    Scheme s{Qt::white, Qt::black, Qt::black, QColor(0, 60, 220), {}};
    const QString design = slide.attributes.value(QStringLiteral("设计模板"));
    if (design == u"通用") {
        s = {QColor(250, 250, 245), QColor(0, 50, 130), QColor(30, 30, 30), QColor(0, 90, 170), design};
    } else if (design == u"商务") {
        s = {QColor(20, 40, 90), QColor(240, 200, 80), Qt::white, QColor(240, 200, 80), design};
    } else if (design == u"古典") {
        s = {QColor(245, 235, 210), QColor(110, 50, 20), QColor(60, 40, 20), QColor(150, 90, 40), design};
    } else if (design == u"蓝色经典") {
        s = {QColor(40, 90, 170), Qt::white, QColor(230, 240, 255), QColor(150, 200, 255), design};
    } else if (!design.isEmpty()) {
        s.decoration = design;
    }
    const QString variant = slide.attributes.value(QStringLiteral("配色方案"));
    if (variant == u"第二种")
        s.background = s.background.darker(115);
    else if (variant == u"第三种")
        s = {QColor(255, 255, 230), QColor(150, 30, 30), QColor(40, 40, 40), QColor(200, 120, 0), s.decoration};
    else if (variant == u"第四种")
        s = {QColor(30, 30, 30), QColor(255, 230, 120), QColor(230, 230, 230), QColor(120, 200, 120), s.decoration};
    // A colour given to one item of the scheme.
    const QString item = slide.attributes.value(QStringLiteral("配色项目"));
    const QColor chosen = colour(slide.attributes.value(QStringLiteral("颜色")), QColor());
    if (chosen.isValid()) {
        if (item == u"背景")
            s.background = chosen;
        else if (item == u"标题文本")
            s.title = chosen;
        else if (item == u"文本和线条")
            s.body = chosen;
        else if (item == u"强调" || item == u"填充" || item == u"阴影")
            s.accent = chosen;
    }
    return s;
}

TextStyle textStyle(const Slide &slide, const QString &part, double pxPerPt, const QFont &base)
{
    const bool title = part == u"标题";
    const Scheme colours = scheme(slide);
    TextStyle style;
    style.font = base;
    // Text in no font of its own is in 宋体, as the formatting toolbar says.
    const QString chinese = attr(slide, part, u"中文字体");
    style.font.setFamilies(familiesFor(chinese.isEmpty() ? QStringLiteral("宋体") : chinese, attr(slide, part, u"西文字体")));
    double points = attr(slide, part, u"字号").toDouble();
    if (points <= 0 || points > 400)
        points = Session::defaultFontSize(part);  // what 增大字号 and the toolbar start from
    style.font.setPixelSize(std::max(4, int(std::lround(points * pxPerPt))));
    const QString shape = attr(slide, part, u"字形");
    style.font.setBold(shape.contains(u"加粗"));
    style.font.setItalic(shape.contains(u"倾斜"));
    style.font.setUnderline(attr(slide, part, u"下划线") == u"单线");
    // 字符间距: characters set apart (加宽) or closer (紧缩) by the points given.
    const QString spacing = attr(slide, part, u"间距");
    if (const double by = attr(slide, part, u"度量值").remove(QStringLiteral("磅")).toDouble(); by > 0 && by < 100 && spacing != u"标准")
        style.font.setLetterSpacing(QFont::AbsoluteSpacing, (spacing == u"紧缩" ? -by : spacing == u"加宽" ? by : 0) * pxPerPt);
    style.colour = colour(attr(slide, part, u"颜色"), title ? colours.title : colours.body);
    style.shadow = attr(slide, part, u"效果") == u"阴影";
    const QString align = attr(slide, part, u"对齐");
    Qt::Alignment horizontal = title || part == u"副标题" ? Qt::AlignHCenter : Qt::AlignLeft;
    if (align.contains(u"左"))
        horizontal = Qt::AlignLeft;
    else if (align.contains(u"右"))
        horizontal = Qt::AlignRight;
    else if (align.contains(u"居中"))
        horizontal = Qt::AlignHCenter;
    else if (align.contains(u"两端") || align.contains(u"分散"))
        horizontal = Qt::AlignJustify;
    style.alignment = horizontal | (title ? Qt::AlignVCenter : Qt::AlignTop);
    return style;
}

namespace {

// A length as the paragraph dialogs take it ("0.5行", "28磅", "2厘米",
// "2字符") in pixels; -1 for none.
double pixels(const QString &value, double pxPerPt, double lineHeight)
{
    static const QRegularExpression length(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s*(行|磅|厘米|字符)?\\s*$"));
    const QRegularExpressionMatch match = length.match(value);
    if (!match.hasMatch())
        return -1;
    const double number = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit == u"磅")
        return number * pxPerPt;
    if (unit == u"厘米")
        return number * 72 / 2.54 * pxPerPt;
    return number * lineHeight;   // 行, 字符 (about a line's height wide), or a bare number of lines
}

} // namespace

QTextBlockFormat paragraphFormat(const Slide &slide, const QString &part, int index, double pxPerPt, double lineHeight)
{
    QTextBlockFormat format;
    int level = std::max(1, slide.attributes.value(QStringLiteral("%1.段落%2.级别").arg(part).arg(index + 1)).toInt());
    // 段落's 缩进 moves the paragraphs it names (all of them when it names none) a level.
    const QString step = attr(slide, part, u"缩进");
    const QList<int> stepped = Document::slideNumbers(attr(slide, part, u"段落"));
    if (stepped.isEmpty() || stepped.contains(index + 1))
        level = std::clamp(level + (step == u"增加一级" ? 1 : step == u"减少一级" ? -1 : 0), 1, 5);
    format.setIndent(level - 1);
    const QString spacing = attr(slide, part, u"行距");
    if (const double lines = spacing.endsWith(u"行") ? spacing.chopped(1).toDouble() : 0; lines > 0 && lines <= 10)
        format.setLineHeight(lines * 100, QTextBlockFormat::ProportionalHeight);
    else if (const double fixed = spacing.endsWith(u"磅") ? pixels(spacing, pxPerPt, lineHeight) : -1; fixed > 0)
        format.setLineHeight(fixed, QTextBlockFormat::FixedHeight);
    if (const double before = pixels(attr(slide, part, u"段前"), pxPerPt, lineHeight); before > 0)
        format.setTopMargin(before);
    if (const double after = pixels(attr(slide, part, u"段后"), pxPerPt, lineHeight); after > 0)
        format.setBottomMargin(after);
    if (const double first = pixels(attr(slide, part, u"首行缩进"), pxPerPt, lineHeight); first > 0)
        format.setTextIndent(first);
    return format;
}

bool distributed(const Slide &slide, const QString &part)
{
    return attr(slide, part, u"对齐") == u"分散对齐";
}

QList<Run> runs(const Slide &slide, const QString &part, double pxPerPt)
{
    const QMap<QString, TextRuns::Formats> byText = TextRuns::of(slide.attributes, part);
    QList<Run> found;
    for (auto it = byText.begin(); it != byText.end(); ++it) {
        const QMap<QString, QString> &v = it.value();
        QTextCharFormat format;
        if (const QStringList families = familiesFor(v.value(QStringLiteral("中文字体")), v.value(QStringLiteral("西文字体")));
            !families.isEmpty())
            format.setFontFamilies(families);
        if (const double points = v.value(QStringLiteral("字号")).toDouble(); points > 0 && points <= 400)
            format.setProperty(QTextFormat::FontPixelSize, std::max(4, int(std::lround(points * pxPerPt))));
        if (v.contains(QStringLiteral("字形"))) {
            const QString shape = v.value(QStringLiteral("字形"));
            format.setFontWeight(shape.contains(u"加粗") ? QFont::Bold : QFont::Normal);
            format.setFontItalic(shape.contains(u"倾斜"));
        }
        if (v.contains(QStringLiteral("下划线")))
            format.setFontUnderline(v.value(QStringLiteral("下划线")) == u"单线");
        if (v.contains(QStringLiteral("下划线颜色")))
            format.setUnderlineColor(colour(v.value(QStringLiteral("下划线颜色")), Qt::black));
        if (v.contains(QStringLiteral("颜色")))
            format.setForeground(colour(v.value(QStringLiteral("颜色")), Qt::black));
        const QString effect = v.value(QStringLiteral("效果"));
        if (effect == u"上标")
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (effect == u"下标")
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        else if (effect == u"阴文" || effect == u"阴影")
            format.setTextOutline(QPen(QColor(120, 120, 120), 0.8));
        else if (!effect.isEmpty())
            format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        found.append({it.key(), format});
    }
    // A hyperlink on the part: its text, or the whole part when it names none.
    const QString link = QStringLiteral("超链接.") + part;
    const QString target = attr(slide, link, u"链接到");
    const QString whole = part == u"标题" ? slide.title : slide.body;
    if ((!target.isEmpty() || !attr(slide, link, u"地址").isEmpty()) && target != u"删除链接" && !whole.isEmpty()) {
        const QString text = attr(slide, link, u"文字");
        QTextCharFormat format;
        format.setFontUnderline(true);
        format.setForeground(scheme(slide).accent);   // the colour scheme's for links
        found.append({whole.contains(text) && !text.isEmpty() ? text : whole, format});
    }
    return found;
}


namespace {

// Where the runs stand in text[from, from + length): ranges of that stretch.
QList<QTextLayout::FormatRange> rangesIn(const QString &whole, const QList<Run> &runs, qsizetype from, qsizetype length)
{
    QList<QTextLayout::FormatRange> ranges;
    for (const Run &run : runs) {
        const qsizetype at = TextRuns::startIn(whole, run.name);
        const qsizetype start = std::max(at, from), end = std::min(at + TextRuns::textOf(run.name).size(), from + length);
        if (at >= 0 && start < end)
            ranges.append({int(start - from), int(end - start), run.format});
    }
    return ranges;
}

// drawText with some characters formatted apart; the painter's font and pen
// are the text's own.
void drawText(QPainter &p, const QRectF &rect, int flags, const QString &text, const QList<QTextLayout::FormatRange> &ranges)
{
    if (ranges.isEmpty()) {
        p.drawText(rect, flags, text);
        return;
    }
    QTextLayout layout(text, p.font());
    QTextOption option(Qt::Alignment(flags) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(flags & Qt::TextWordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setFormats(ranges);
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    const double top = flags & Qt::AlignVCenter ? rect.top() + (rect.height() - height) / 2
                     : flags & Qt::AlignBottom  ? rect.bottom() - height
                                                : rect.top();
    layout.draw(&p, QPointF(rect.left(), top));
}

} // namespace

LineBreaking lineBreaking(const Slide &slide, const QString &part)
{
    const QString option = attr(slide, part, u"选项");
    LineBreaking rules;
    rules.controlled = option.contains(QStringLiteral("首尾字符"));
    rules.hanging = option.contains(QStringLiteral("标点溢出"));
    rules.breakingWords = option.contains(QStringLiteral("单词中间"));
    return rules;
}

namespace {

// Closing punctuation, which a line with 首尾字符 control never starts
// with, and opening punctuation, which it never ends with.
bool closing(QChar c)
{
    static const QString marks = QStringLiteral("。，、；：？！）」』”’》〉】〕．…～·%,.;:?!)]}");
    return marks.contains(c);
}

bool opening(QChar c)
{
    static const QString marks = QStringLiteral("（「『“‘《〈【〔([{");
    return marks.contains(c);
}

// A letter or digit of a western word, kept whole on a line.
bool western(QChar c)
{
    return c.unicode() < 0x2e80 && c.isLetterOrNumber();
}

} // namespace

QList<QPair<qsizetype, qsizetype>> brokenLines(const QString &text, const QFont &font, double firstWidth, double width,
                                               const LineBreaking &rules)
{
    const QFontMetricsF metrics(font);
    const qsizetype n = text.size();
    QList<QPair<qsizetype, qsizetype>> lines;
    qsizetype start = 0;
    do {
        const double room = lines.isEmpty() ? firstWidth : width;
        // As many characters as fit, one at least.
        qsizetype end = start + 1;
        while (end < n && metrics.horizontalAdvance(text.mid(start, end + 1 - start)) <= room)
            ++end;
        end = std::min(end, n);
        if (end < n) {
            // A western word goes down whole, unless it fills a line alone
            // or words may be broken.
            if (!rules.breakingWords && western(text.at(end)) && western(text.at(end - 1))) {
                qsizetype wordStart = end;
                while (wordStart > start && western(text.at(wordStart - 1)))
                    --wordStart;
                if (wordStart > start)
                    end = wordStart;
            }
            if (rules.hanging) {
                // Closing punctuation stays at the line's end, past the edge.
                while (end < n && closing(text.at(end)))
                    ++end;
            } else if (rules.controlled) {
                // The character before closing punctuation goes down with it;
                // opening punctuation goes down with what it opens.
                while (end < n && end - start > 1 && closing(text.at(end)))
                    --end;
                while (end - start > 1 && opening(text.at(end - 1)))
                    --end;
            }
        }
        lines.append({start, end - start});
        start = end;
    } while (start < n);
    return lines;
}

void paintBackground(QPainter &p, const QRectF &r, const Slide &slide)
{
    const Scheme colours = scheme(slide);
    const QString fill = slide.attributes.value(QStringLiteral("背景.填充"));
    const QString detail = slide.attributes.value(QStringLiteral("背景.设置"));
    const bool plainMaster = slide.attributes.value(QStringLiteral("背景.忽略母版的背景图形")) == u"是";
    const QColor named = colour(fill, QColor());
    if (named.isValid()) {
        p.fillRect(r, named);
    } else if (fill.contains(u"渐变") || fill == u"预设") {
        const QColor first = colour(detail, fill == u"预设" ? QColor(120, 170, 230) : QColor(60, 110, 200));
        const QColor second = fill.contains(u"双色") ? colour(detail.section(u'、', 1), QColor(250, 250, 250))
                            : fill == u"预设"         ? QColor(255, 240, 200)
                                                      : Qt::white;
        const bool horizontal = detail.contains(u"水平") || fill == u"预设";
        QLinearGradient g(r.topLeft(), horizontal ? r.bottomLeft() : r.bottomRight());
        g.setColorAt(0, first);
        g.setColorAt(1, second);
        p.fillRect(r, g);
    } else if (fill == u"纹理") {
        p.fillRect(r, QColor(235, 220, 185));
        p.fillRect(r, QBrush(QColor(200, 175, 130), Qt::Dense6Pattern));
    } else if (fill == u"图案") {
        // The pattern named first, in the foreground colour named after it
        // ("浅色上对角线、灰色"), over the background colour named last.
        const QString name = detail.section(u'、', 0, 0);
        const Qt::BrushStyle style = name.contains(u"下对角") ? Qt::FDiagPattern
                                   : name.contains(u"对角")   ? Qt::BDiagPattern
                                   : name.contains(u"竖线")   ? Qt::VerPattern
                                   : name.contains(u"横线")   ? Qt::HorPattern
                                   : name.contains(u"网格")   ? Qt::CrossPattern
                                   : name.contains(u"菱形")   ? Qt::DiagCrossPattern
                                   : name.contains(u"棋盘")   ? Qt::Dense4Pattern
                                   : name == u"5%"            ? Qt::Dense7Pattern
                                   : name == u"10%"           ? Qt::Dense6Pattern
                                   : name == u"20%"           ? Qt::Dense5Pattern
                                                              : Qt::BDiagPattern;
        const QStringList parts = detail.split(u'、');
        p.fillRect(r, parts.size() > 2 ? colour(parts.at(2), Qt::white) : QColor(Qt::white));
        p.fillRect(r, QBrush(parts.size() > 1 ? colour(parts.at(1), QColor(110, 110, 110)) : QColor(110, 110, 110), style));
    } else if (fill == u"图片") {
        p.save();
        p.setClipRect(r);
        paintPicture(p, r);
        p.restore();
    } else {
        p.fillRect(r, colours.background);
    }
    if (plainMaster || colours.decoration.isEmpty())
        return;
    // The master's graphics of the design template.
    if (colours.decoration == u"通用") {
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.04), colours.accent);
        p.fillRect(QRectF(r.left(), r.bottom() - r.height() * 0.03, r.width(), r.height() * 0.03), colours.accent);
    } else if (colours.decoration == u"商务") {
        p.fillRect(QRectF(r.left() + r.width() * 0.06, r.top() + r.height() * 0.26, r.width() * 0.88,
                          std::max(1.0, r.height() * 0.008)), colours.accent);
    } else if (colours.decoration == u"古典") {
        p.setPen(QPen(colours.accent, std::max(1.0, r.width() / 160)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(r.width() * 0.02, r.width() * 0.02, -r.width() * 0.02, -r.width() * 0.02));
    } else {
        QLinearGradient band(r.topLeft(), r.topRight());
        band.setColorAt(0, colours.accent);
        band.setColorAt(1, Qt::transparent);
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.12), band);
    }
}

namespace {

// A frame in 厘米 on the slide drawn in `r`.
QRectF onSlide(const QRectF &r, const QRectF &cm)
{
    return QRectF(r.x() + cm.x() * r.width() / Shapes::SlideWidthCm, r.y() + cm.y() * r.height() / Shapes::SlideHeightCm,
                  cm.width() * r.width() / Shapes::SlideWidthCm, cm.height() * r.height() / Shapes::SlideHeightCm);
}

} // namespace

void paintSlide(QPainter &p, const QRectF &r, const Document &document, int index, int parts, const QFont &base)
{
    if (index < 0 || index >= document.slides.size())
        return;
    const Slide slide = Master::effective(document, index);   // the master's formats where it has none
    p.save();
    p.setClipRect(r);
    if (parts & Background)
        paintBackground(p, r, slide);
    const Placement place = placement(slide.layout);
    const double pxPerPt = r.width() / SlideWidthPt;

    // Every shape where it stands: the placeholders where the layout puts
    // them or where they were dragged, the objects likewise.
    const QList<Shapes::Shape> shapes = Shapes::of(slide);
    QRectF titleRect, body;
    QList<SlideObject> objects;
    QList<QRectF> objectRects;
    for (const Shapes::Shape &shape : shapes) {
        if (shape.name == u"标题")
            titleRect = onSlide(r, shape.frame);
        else if (shape.placeholder)
            body = onSlide(r, shape.frame);
        else {
            objects.append({shape.kind, shape.name, shape.rotation, shape.flippedLeftRight, shape.flippedUpDown});
            objectRects.append(onSlide(r, shape.frame));
        }
    }

    if (parts & Placeholders) {
        p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        // A placeholder deleted has no frame left to draw.
        if (!titleRect.isEmpty())
            p.drawRect(titleRect);
        if (!body.isEmpty())
            p.drawRect(body);
        if (!place.extra.isEmpty() && objects.isEmpty()) {
            const QRectF extra = within(r, place.extra);
            p.drawRect(extra);
            const QRectF icon = QRectF(extra.center() - QPointF(extra.width() * 0.2, extra.height() * 0.25),
                                       QSizeF(extra.width() * 0.4, extra.height() * 0.4));
            // Below the picture, what a double click there inserts.
            static const QMap<QString, QString> prompts = {
                {QStringLiteral("图表"), QStringLiteral("双击此处添加图表")},
                {QStringLiteral("表格"), QStringLiteral("双击此处添加表格")},
                {QStringLiteral("组织结构图"), QStringLiteral("双击此处添加组织结构图")},
                {QStringLiteral("剪贴画"), QStringLiteral("双击此处添加剪贴画")},
                {QStringLiteral("内容"), QStringLiteral("单击图标添加内容")},
            };
            if (const QString prompt = prompts.value(place.extraKind); !prompt.isEmpty()) {
                QFont small = base;
                small.setPixelSize(std::max(7, int(extra.height() * 0.06)));
                p.save();
                p.setFont(small);
                p.setPen(QColor(110, 110, 110));
                p.drawText(QRectF(extra.left(), icon.bottom() + 2, extra.width(), extra.bottom() - icon.bottom() - 2),
                           Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, prompt);
                p.restore();
            }
            if (place.extraKind == u"图表")
                paintChart(p, icon, ChartLook{});
            else if (place.extraKind == u"表格")
                paintTable(p, icon, 3, 3);
            else if (place.extraKind == u"组织结构图")
                paintOrgChart(p, icon);
            else if (place.extraKind == u"剪贴画")
                paintClipArt(p, icon);
            else if (place.extraKind == u"内容") {
                const QSizeF half(icon.width() / 2 - 2, icon.height() / 2 - 2);
                paintTable(p, QRectF(icon.topLeft(), half), 2, 2);
                paintChart(p, QRectF(icon.topLeft() + QPointF(icon.width() / 2 + 2, 0), half), ChartLook{});
                paintClipArt(p, QRectF(icon.topLeft() + QPointF(0, icon.height() / 2 + 2), half));
                paintPicture(p, QRectF(icon.center() + QPointF(2, 2), half));
            } else {
                p.setFont(base);
                p.setPen(QColor(130, 130, 130));
                p.drawText(extra, Qt::AlignCenter, QStringLiteral("单击此处添加文本"));
            }
        }
    }

    // An object is drawn turned and mirrored about its centre as it was made.
    auto paintTurned = [&](const QRectF &box, const Slide &layer, const SlideObject &object) {
        p.save();
        p.translate(box.center());
        p.rotate(object.rotation);
        p.scale(object.flippedLeftRight ? -1 : 1, object.flippedUpDown ? -1 : 1);
        p.translate(-box.center());
        if (object.rotation != 0)
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        paintObject(p, box, layer, object, base, pxPerPt);
        p.restore();
    };
    auto paintObjectAt = [&](qsizetype i) { paintTurned(objectRects.at(i), slide, objects.at(i)); };
    auto paintTitle = [&] {
        if ((parts & Texts) && !place.title.isEmpty()) {
            TextStyle title = textStyle(slide, QStringLiteral("标题"), pxPerPt, base);
            // A thumbnail's title stays legible: the slide list is found by it.
            if (title.font.pixelSize() < 8)
                title.font.setPixelSize(8);
            p.setFont(title.font);
            if (title.shadow) {
                p.setPen(QColor(128, 128, 128));
                p.drawText(titleRect.translated(1, 1), int(title.alignment) | Qt::TextWordWrap, slide.title);
            }
            p.setPen(title.colour);
            drawText(p, titleRect, int(title.alignment) | Qt::TextWordWrap, slide.title,
                     rangesIn(slide.title, runs(slide, QStringLiteral("标题"), pxPerPt), 0, slide.title.size()));
        }
    };
    auto paintBody = [&] {
        if ((parts & Texts) && !place.body.isEmpty() && !slide.body.isEmpty()) {
            const QString part = bodyPart(slide);
            const TextStyle style = textStyle(slide, part, pxPerPt, base);
            // Text too small to read is drawn as lines of its length.
            const bool greeked = style.font.pixelSize() < 4;
            if (greeked) {
                const double step = std::max(2.0, style.font.pixelSize() * 1.6);
                const double unit = style.font.pixelSize() * 0.9;
                double y = body.top() + step / 2;
                const QStringList paragraphs = slide.body.split(u'\n');
                for (int i = 0; i < paragraphs.size(); ++i) {
                    const QString &text = paragraphs.at(i);
                    if (y > body.bottom())
                        break;
                    const int indent = paragraphFormat(slide, part, i, pxPerPt, style.font.pixelSize()).indent();
                    const double left = body.left() + indent * unit * 1.5;
                    p.fillRect(QRectF(left, y, std::min(body.right() - left, unit * (text.size() + 2)), std::max(1.0, step / 3)),
                               style.colour.lighter(text.isEmpty() ? 100 : 130));
                    y += step;
                }
            }
            p.setFont(style.font);
            p.setPen(style.colour);
            const QFontMetricsF metrics(style.font);
            const QString bullets = slide.attributes.value(part + QStringLiteral(".项目符号"));
            const QColor bulletColour = colour(slide.attributes.value(part + QStringLiteral(".项目符号颜色")), style.colour);
            const QStringList lines = slide.body.split(u'\n');
            const QList<Run> bodyRuns = runs(slide, part, pxPerPt);
            const bool spread = distributed(slide, part);
            const LineBreaking rules = lineBreaking(slide, part);
            qsizetype lineStart = 0;
            double y = body.top();
            for (int i = 0; !greeked && i < lines.size(); ++i) {
                const QTextBlockFormat paragraph = paragraphFormat(slide, part, i, pxPerPt, metrics.height());
                y += paragraph.topMargin();
                if (y + metrics.height() > body.bottom() + 1)
                    break;
                const QString bullet = part == u"副标题" ? QString() : bulletText(bullets, i);
                const double indent = bullet.isEmpty() ? 0 : metrics.height() * 1.1;
                // A deeper outline level further in.
                const double left = body.left() + paragraph.indent() * metrics.height() * 1.2;
                p.setPen(bulletColour);
                p.drawText(QRectF(left, y, indent, metrics.height()), Qt::AlignLeft, bullet);
                p.setPen(style.colour);
                const double single = metrics.height() * 1.15;
                const double advance = paragraph.lineHeightType() == QTextBlockFormat::ProportionalHeight
                                         ? single * paragraph.lineHeight() / 100
                                     : paragraph.lineHeightType() == QTextBlockFormat::FixedHeight ? paragraph.lineHeight()
                                                                                                    : single;
                // A paragraph wider than the placeholder goes on over more
                // lines, broken as its 中文版式 says; lines after the first
                // start under the first's text, without its first-line indent.
                const QString &text = lines.at(i);
                const double textLeft = left + indent, width = body.right() - textLeft;
                const QList<QPair<qsizetype, qsizetype>> pieces =
                    brokenLines(text, style.font, width - paragraph.textIndent(), width, rules);
                for (qsizetype k = 0; k < pieces.size(); ++k) {
                    if (k > 0) {
                        y += advance;
                        if (y + metrics.height() > body.bottom() + 1)
                            break;
                    }
                    const QString piece = text.mid(pieces.at(k).first, pieces.at(k).second);
                    const double x = textLeft + (k == 0 ? paragraph.textIndent() : 0);
                    const QRectF line(x, y, body.right() - x, metrics.height());
                    // 分散对齐 spreads a line's characters over the whole width.
                    const double natural = metrics.horizontalAdvance(piece);
                    QFont font = style.font;
                    if (spread && piece.size() > 1 && natural < line.width())
                        font.setLetterSpacing(QFont::AbsoluteSpacing, (line.width() - natural) / piece.size());
                    p.setFont(font);
                    // Punctuation let hang past the edge is drawn there.
                    drawText(p, line, int(spread ? Qt::AlignLeft : style.alignment & Qt::AlignHorizontal_Mask) | Qt::TextDontClip,
                             piece, rangesIn(slide.body, bodyRuns, lineStart + pieces.at(k).first, piece.size()));
                }
                lineStart += text.size() + 1;
                y += advance;
                y += paragraph.bottomMargin();
            }
        }
    };

    // The masters' objects lie behind all the slide's own.
    if (parts & Objects)
        for (const Slide &layer : Master::objectsBehind(document, index))
            for (const Shapes::Shape &shape : Shapes::of(layer))
                paintTurned(onSlide(r, shape.frame), layer,
                            {shape.kind, shape.name, shape.rotation, shape.flippedLeftRight, shape.flippedUpDown});

    // Back to front, as the shapes are stacked: an object brought in front of
    // the title covers it, in the thumbnails too.
    qsizetype object = 0;
    for (const Shapes::Shape &shape : shapes) {
        if (shape.name == u"标题")
            paintTitle();
        else if (shape.placeholder)
            paintBody();
        else if (parts & Objects)
            paintObjectAt(object++);
        else
            ++object;
    }

    if (parts & Footer) {
        const QMap<QString, QString> &settings = document.settings;
        const bool titleSlideSkipped = slide.layout == u"标题幻灯片"
                                    && settings.value(QStringLiteral("页眉和页脚.标题幻灯片中不显示")) == u"是";
        QFont small = base;
        small.setPixelSize(std::max(4, int(r.height() * 0.035)));
        const QRectF strip(r.left() + r.width() * 0.05, r.bottom() - r.height() * 0.08, r.width() * 0.9, r.height() * 0.06);
        // Each in its area's format where the master gives one (日期区, 页脚区, 数字区).
        const auto draw = [&](const QString &area, Qt::Alignment alignment, const QString &text) {
            bool formatted = false;
            for (const char16_t *name : {u"中文字体", u"字号", u"字形", u"颜色"})
                formatted = formatted || !attr(slide, area, name).isEmpty();
            if (formatted) {
                const TextStyle style = textStyle(slide, area, r.width() / SlideWidthPt, base);
                p.setFont(style.font);
                p.setPen(style.colour);
            } else {
                p.setFont(small);
                p.setPen(scheme(slide).body);
            }
            p.drawText(strip, alignment | Qt::AlignVCenter, text);
        };
        if (!titleSlideSkipped) {
            if (settings.value(QStringLiteral("页眉和页脚.幻灯片编号")) == u"是"
                || slide.attributes.contains(QStringLiteral("幻灯片编号.插入")))
                draw(QStringLiteral("数字区"), Qt::AlignRight, QString::number(index + 1));
            const QString footer = settings.value(QStringLiteral("页眉和页脚.页脚"));
            if (!footer.isEmpty())
                draw(QStringLiteral("页脚区"), Qt::AlignHCenter, footer);
            if (!settings.value(QStringLiteral("页眉和页脚.日期和时间")).isEmpty()
                || slide.attributes.contains(QStringLiteral("日期.格式"))
                || slide.attributes.contains(QStringLiteral("日期.自动更新")))
                draw(QStringLiteral("日期区"), Qt::AlignLeft, QStringLiteral("2005-12-1"));
        }
    }
    p.restore();
}

void paintLayoutIcon(QPainter &p, const QRectF &r, const QString &layout)
{
    p.save();
    p.fillRect(r, Qt::white);
    p.setPen(QColor(130, 130, 130));
    p.drawRect(r);
    const Placement place = placement(layout);
    const QColor ink(60, 60, 60);
    const auto lines = [&](const QRectF &area, bool vertical, bool bullets) {
        p.setPen(QPen(QColor(120, 120, 120), 1));
        const int n = 4;
        for (int i = 0; i < n; ++i) {
            if (vertical) {
                const double x = area.right() - area.width() * (i + 0.7) / (n + 0.5);
                p.drawLine(QPointF(x, area.top() + 3), QPointF(x, area.bottom() - 3 - (i % 2) * area.height() * 0.2));
            } else {
                const double y = area.top() + area.height() * (i + 0.7) / (n + 0.5);
                if (bullets)
                    p.fillRect(QRectF(area.left() + 2, y - 1, 2, 2), ink);
                p.drawLine(QPointF(area.left() + (bullets ? 6 : 2), y),
                           QPointF(area.right() - 2 - (i % 2) * area.width() * 0.25, y));
            }
        }
    };
    if (!place.title.isEmpty()) {
        const QRectF t = within(r, place.title);
        p.setPen(Qt::NoPen);
        if (place.verticalTitle)
            p.fillRect(QRectF(t.center().x() - 2, t.top() + 3, 4, t.height() - 6), ink);
        else
            p.fillRect(QRectF(t.left() + t.width() * 0.15, t.center().y() - 2, t.width() * 0.7, 4), ink);
    }
    if (!place.body.isEmpty())
        lines(within(r, place.body), place.verticalBody, layout != u"标题幻灯片");
    if (!place.extra.isEmpty()) {
        const QRectF e = within(r, place.extra).adjusted(3, 3, -3, -3);
        if (place.extraKind == u"文本")
            lines(e, false, true);
        else if (place.extraKind == u"图表")
            paintChart(p, e, ChartLook{});
        else if (place.extraKind == u"表格")
            paintTable(p, e, 3, 3);
        else if (place.extraKind == u"组织结构图")
            paintOrgChart(p, e);
        else if (place.extraKind == u"剪贴画")
            paintClipArt(p, e);
        else {
            p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
            p.drawRect(e);
        }
    }
    p.restore();
}

bool hasTransition(const Slide &slide)
{
    const QString effect = slide.attributes.value(QStringLiteral("切换.效果"));
    return !effect.isEmpty() && effect != u"无切换";
}

bool hasAnimation(const Slide &slide)
{
    const QString scheme = slide.attributes.value(QStringLiteral("动画方案"));
    if (!scheme.isEmpty() && scheme != u"无动画")
        return true;
    for (auto it = slide.attributes.keyBegin(); it != slide.attributes.keyEnd(); ++it)
        if (it->startsWith(u"动画.") && it->endsWith(u".效果"))
            return true;
    return false;
}

} // namespace SlideArt
