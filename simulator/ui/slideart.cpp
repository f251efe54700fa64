#include "master.h"
#include "slideart.h"

#include "clipart.h"
#include "session.h"
#include "textruns.h"

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

void paintPicture(QPainter &p, const QRectF &r)
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

void paintTable(QPainter &p, const QRectF &r, int rows, int columns)
{
    p.fillRect(r, Qt::white);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(r);
    for (int i = 1; i < rows; ++i)
        p.drawLine(QPointF(r.left(), r.top() + r.height() * i / rows), QPointF(r.right(), r.top() + r.height() * i / rows));
    for (int i = 1; i < columns; ++i)
        p.drawLine(QPointF(r.left() + r.width() * i / columns, r.top()), QPointF(r.left() + r.width() * i / columns, r.bottom()));
}

void paintChart(QPainter &p, const QRectF &r, const QString &type)
{
    p.fillRect(r, Qt::white);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(r);
    const QRectF plot = r.adjusted(r.width() * 0.12, r.height() * 0.12, -r.width() * 0.08, -r.height() * 0.12);
    const QColor colours[] = {QColor(70, 100, 200), QColor(200, 70, 70), QColor(240, 190, 40)};
    if (type.contains(u"饼")) {
        const double d = std::min(plot.width(), plot.height());
        const QRectF pie(plot.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
        int start = 90 * 16;
        for (int i = 0; i < 3; ++i) {
            const int span = (i == 0 ? 170 : i == 1 ? 110 : 80) * 16;
            p.setBrush(colours[i]);
            p.drawPie(pie, start, span);
            start += span;
        }
        return;
    }
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    const double values[] = {0.5, 0.8, 0.65, 0.95};
    if (type.contains(u"折线")) {
        p.setPen(QPen(colours[0], std::max(1.0, r.width() / 80)));
        QPolygonF line;
        for (int i = 0; i < 4; ++i)
            line << QPointF(plot.left() + plot.width() * (i + 0.5) / 4, plot.bottom() - plot.height() * values[i]);
        p.drawPolyline(line);
        return;
    }
    const bool bars = type.contains(u"条形");
    for (int i = 0; i < 4; ++i) {
        if (bars) {
            const double h = plot.height() / 4;
            p.fillRect(QRectF(plot.left(), plot.top() + h * i + h * 0.2, plot.width() * values[i], h * 0.6), colours[i % 3]);
        } else {
            const double w = plot.width() / 4;
            p.fillRect(QRectF(plot.left() + w * i + w * 0.2, plot.bottom() - plot.height() * values[i], w * 0.6,
                              plot.height() * values[i]), colours[i % 3]);
        }
    }
}

void paintOrgChart(QPainter &p, const QRectF &r)
{
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(255, 250, 210));
    const double w = r.width() / 4, h = r.height() / 4;
    const QRectF top(r.center().x() - w / 2, r.top(), w, h);
    p.drawRect(top);
    p.drawLine(QPointF(top.center().x(), top.bottom()), QPointF(top.center().x(), r.top() + h * 1.9));
    p.drawLine(QPointF(r.left() + w * 0.5, r.top() + h * 1.9), QPointF(r.right() - w * 0.5, r.top() + h * 1.9));
    for (int i = 0; i < 3; ++i) {
        const double x = r.left() + w * 0.5 + i * (r.width() - w) / 2;
        p.drawLine(QPointF(x, r.top() + h * 1.9), QPointF(x, r.top() + h * 2.5));
        p.drawRect(QRectF(x - w * 0.45, r.top() + h * 2.5, w * 0.9, h));
    }
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

// The objects inserted on a slide, in the order they are laid out.
struct SlideObject
{
    QString kind;
    QString prefix;
    double rotation = 0;
    bool flippedLeftRight = false;
    bool flippedUpDown = false;
};

void paintObject(QPainter &p, const QRectF &r, const Slide &slide, const SlideObject &object, const QFont &base)
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
        paintPicture(p, r);
    } else if (kind == u"艺术字") {
        QString text = value(u"文字");
        if (text.isEmpty())
            text = QStringLiteral("艺术字");
        QFont f = base;
        f.setFamilies(familiesFor(value(u"字体")));
        f.setBold(true);
        f.setPixelSize(std::max(6, int(std::min(r.height() * 0.6, r.width() * 0.9 / std::max<qsizetype>(1, text.size())))));
        QPainterPath path;
        path.addText(0, 0, f, text);
        const QRectF bounds = path.boundingRect();
        path.translate(r.center() - bounds.center());
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, QColor(250, 210, 60));
        fill.setColorAt(1, QColor(220, 90, 20));
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(path.translated(r.width() / 80 + 1, r.width() / 80 + 1), QColor(120, 120, 120));
        p.fillPath(path, fill);
    } else if (kind == u"自选图形") {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(line);
        p.setBrush(colour(value(u"填充颜色"), QColor(150, 180, 230)));
        paintShape(p, r, value(u"形状"));
        if (!value(u"文字").isEmpty())
            paintFittedText(p, r, value(u"文字"), Qt::black, Qt::AlignCenter);
    } else if (kind == u"文本框") {
        // A text box has no line of its own until one is set; an empty one
        // shows a faint outline so that it can be found.
        const QString lineColour = value(u"线条颜色");
        if (!lineColour.isEmpty() && !lineColour.contains(u"无"))
            p.setPen(line);
        else if (value(u"文字").isEmpty())
            p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
        else
            p.setPen(Qt::NoPen);
        p.setBrush(colour(value(u"填充颜色"), Qt::transparent));
        p.drawRect(r);
        QString text = value(u"文字");
        if (value(u"方向") == u"竖排" || value(u"文字方向") == u"竖排")
            text = text.split(QString()).join(u'\n').trimmed();
        paintFittedText(p, r.adjusted(2, 2, -2, -2), text.isEmpty() ? QStringLiteral("文本框") : text, Qt::black,
                        Qt::AlignLeft | Qt::AlignTop);
    } else if (kind == u"表格") {
        paintTable(p, r, std::clamp(value(u"行数").toInt(), 2, 8), std::clamp(value(u"列数").toInt(), 2, 8));
    } else if (kind == u"图表") {
        QString type = value(u"图表类型");
        paintChart(p, r, type.isEmpty() ? value(u"类型") : type);
    } else if (kind == u"组织结构图") {
        paintOrgChart(p, r);
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
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(200, 200, 210));
        const double d = std::min(r.width(), r.height()) * 0.55;
        const QRectF button(r.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
        p.drawRect(button);
        p.setBrush(QColor(60, 60, 60));
        const bool back = value(u"按钮").contains(u"后退") || value(u"按钮").contains(u"第一张");
        const double s = d * 0.3;
        const QPointF c = button.center();
        p.drawPolygon(back ? QPolygonF({c + QPointF(s, -s), c + QPointF(-s, 0), c + QPointF(s, s)})
                           : QPolygonF({c + QPointF(-s, -s), c + QPointF(s, 0), c + QPointF(-s, s)}));
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
        if (!place.title.isEmpty())
            p.drawRect(titleRect);
        if (!place.body.isEmpty())
            p.drawRect(body);
        if (!place.extra.isEmpty() && objects.isEmpty()) {
            const QRectF extra = within(r, place.extra);
            p.drawRect(extra);
            const QRectF icon = QRectF(extra.center() - QPointF(extra.width() * 0.2, extra.height() * 0.2),
                                       QSizeF(extra.width() * 0.4, extra.height() * 0.4));
            if (place.extraKind == u"图表")
                paintChart(p, icon, {});
            else if (place.extraKind == u"表格")
                paintTable(p, icon, 3, 3);
            else if (place.extraKind == u"组织结构图")
                paintOrgChart(p, icon);
            else if (place.extraKind == u"剪贴画")
                paintClipArt(p, icon);
            else if (place.extraKind == u"内容") {
                const QSizeF half(icon.width() / 2 - 2, icon.height() / 2 - 2);
                paintTable(p, QRectF(icon.topLeft(), half), 2, 2);
                paintChart(p, QRectF(icon.topLeft() + QPointF(icon.width() / 2 + 2, 0), half), {});
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
    auto paintObjectAt = [&](qsizetype i) {
        const QRectF box = objectRects.at(i);
        const SlideObject &object = objects.at(i);
        p.save();
        p.translate(box.center());
        p.rotate(object.rotation);
        p.scale(object.flippedLeftRight ? -1 : 1, object.flippedUpDown ? -1 : 1);
        p.translate(-box.center());
        if (object.rotation != 0)
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        paintObject(p, box, slide, object, base);
        p.restore();
    };
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
                const QRectF line(left + indent + paragraph.textIndent(), y, body.right() - left - indent - paragraph.textIndent(), metrics.height());
                // 分散对齐 spreads a line's characters over the whole width.
                const double natural = metrics.horizontalAdvance(lines.at(i));
                QFont font = style.font;
                if (spread && lines.at(i).size() > 1 && natural < line.width())
                    font.setLetterSpacing(QFont::AbsoluteSpacing, (line.width() - natural) / lines.at(i).size());
                p.setFont(font);
                drawText(p, line, int(spread ? Qt::AlignLeft : style.alignment & Qt::AlignHorizontal_Mask), lines.at(i),
                         rangesIn(slide.body, bodyRuns, lineStart, lines.at(i).size()));
                lineStart += lines.at(i).size() + 1;
                const double single = metrics.height() * 1.15;
                y += paragraph.lineHeightType() == QTextBlockFormat::ProportionalHeight ? single * paragraph.lineHeight() / 100
                   : paragraph.lineHeightType() == QTextBlockFormat::FixedHeight      ? paragraph.lineHeight()
                                                                                       : single;
                y += paragraph.bottomMargin();
            }
        }
    };

    // The masters' objects lie behind all the slide's own.
    if (parts & Objects)
        for (const Slide &layer : Master::objectsBehind(document, index))
            for (const Shapes::Shape &shape : Shapes::of(layer)) {
                const QRectF box = onSlide(r, shape.frame);
                p.save();
                p.translate(box.center());
                p.rotate(shape.rotation);
                p.scale(shape.flippedLeftRight ? -1 : 1, shape.flippedUpDown ? -1 : 1);
                p.translate(-box.center());
                paintObject(p, box, layer, {shape.kind, shape.name, shape.rotation, shape.flippedLeftRight, shape.flippedUpDown}, base);
                p.restore();
            }

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
            paintChart(p, e, {});
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
