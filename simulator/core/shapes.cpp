#include "shapes.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Shapes {

bool isDeleted(const Slide &slide, const QString &placeholder)
{
    return slide.attributes.value(placeholder + QStringLiteral(".已删除")) == u"是";
}

namespace {

const QString positionKey = QStringLiteral("位置");
const QString sizeKey = QStringLiteral("大小");
const QString orderKey = QStringLiteral("层次");
const QString rotationKey = QStringLiteral("旋转");
const QString flipKey = QStringLiteral("翻转");
const QString groupKey = QStringLiteral("组合");
// The group a member belonged to before it was parted, for 重新组合.
const QString formerGroupKey = QStringLiteral("原组合");
const QString deletedKey = QStringLiteral("已删除");

// Where a shape's left and top edge are kept. A table's 位置 is the place
// 表格属性 inserts rows and columns at ("第2行下方"), which goals check:
// its frame is kept apart, under 坐标.
QString positionKeyOf(const QString &name)
{
    return kindOf(name) == u"表格" ? QStringLiteral("坐标") : positionKey;
}

QRectF inCm(const QRectF &fraction)
{
    return QRectF(fraction.x() * SlideWidthCm, fraction.y() * SlideHeightCm, fraction.width() * SlideWidthCm,
                  fraction.height() * SlideHeightCm);
}

// "8厘米", "8cm" or "8": the number of 厘米; 0 when it is none.
double centimetres(const QString &text)
{
    static const QRegularExpression measure(QStringLiteral("^\\s*([0-9]+(?:\\.[0-9]+)?)\\s*(厘米|cm)?\\s*$"));
    const QRegularExpressionMatch m = measure.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0;
}

// The frame a shape was given (moved, sized, inserted at a place); nullopt
// when it stands where the layout puts it.
std::optional<QRectF> storedFrame(const Slide &slide, const QString &name)
{
    const auto at = pair(slide.attributes.value(name + u'.' + positionKeyOf(name)));
    const auto size = pair(slide.attributes.value(name + u'.' + sizeKey));
    if (!at || !size)
        return std::nullopt;
    return QRectF(*at, QSizeF(size->x(), size->y()));
}

// The objects of the slide by name, in the order they were laid out before
// any was moved: by kind, then by number.
QStringList objectNames(const Slide &slide)
{
    QStringList names;
    for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it)
        if (!it.key().contains(u'.') && !it.value().isEmpty() && it.value() != u"0" && !kindOf(it.key()).isEmpty()
            && !QStringList{QStringLiteral("标题"), QStringLiteral("正文"), QStringLiteral("副标题")}.contains(it.key()))
            names << it.key();
    const QStringList &kinds = objectKinds();
    std::stable_sort(names.begin(), names.end(), [&kinds](const QString &a, const QString &b) {
        const qsizetype ka = kinds.indexOf(kindOf(a)), kb = kinds.indexOf(kindOf(b));
        if (ka != kb)
            return ka < kb;
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

QString bodyName(const Slide &slide)
{
    return slide.layout == u"标题幻灯片" ? QStringLiteral("副标题") : QStringLiteral("正文");
}

QList<Shape> layoutOrder(const Slide &slide)
{
    const LayoutFrames place = layoutFrames(slide.layout);
    const QStringList objects = objectNames(slide);
    QStringList laidOut;   // objects standing where the layout puts them
    for (const QString &name : objects)
        if (!storedFrame(slide, name))
            laidOut << name;

    // Objects laid out take the right of a full-width body, the layout's
    // second area, or the middle of a slide without a body.
    QRectF body = place.body;
    QRectF area;
    if (!laidOut.isEmpty()) {
        if (!place.body.isEmpty() && place.extra.isEmpty() && !place.verticalTitle) {
            area = QRectF(body.left() + body.width() * 0.58, body.top(), body.width() * 0.42, body.height());
            body.setWidth(body.width() * 0.56);
        } else if (!place.extra.isEmpty()) {
            area = place.extra;
        } else {
            area = QRectF(0.2, 0.3, 0.6, 0.6);
        }
    }

    QList<Shape> shapes;
    auto placeholder = [&](const QString &name, const QRectF &fraction) {
        if (fraction.isEmpty() || isDeleted(slide, name))
            return;
        QRectF frame = storedFrame(slide, name).value_or(inCm(fraction));
        if (const double w = centimetres(slide.attributes.value(name + QStringLiteral(".宽度"))); w > 0)
            frame.setWidth(w);
        if (const double h = centimetres(slide.attributes.value(name + QStringLiteral(".高度"))); h > 0)
            frame.setHeight(h);
        shapes.append({name, name, frame, true, 0, false, false, {}});
    };
    placeholder(QStringLiteral("标题"), place.title);
    placeholder(bodyName(slide), body);

    const int count = int(laidOut.size());
    const int columns = count > 3 ? 2 : 1;
    const int rows = count > 0 ? (count + columns - 1) / columns : 1;
    const double w = area.width() / columns, h = area.height() / rows;
    for (const QString &name : objects) {
        QRectF frame;
        if (const auto stored = storedFrame(slide, name)) {
            frame = *stored;
        } else {
            const int i = int(laidOut.indexOf(name));
            const QRectF cell(area.left() + (i % columns) * w, area.top() + (i / columns) * h, w, h);
            frame = inCm(cell.adjusted(w * 0.06, h * 0.08, -w * 0.06, -h * 0.08));
        }
        if (const double cw = centimetres(slide.attributes.value(name + QStringLiteral(".宽度"))); cw > 0)
            frame.setWidth(cw);
        if (const double ch = centimetres(slide.attributes.value(name + QStringLiteral(".高度"))); ch > 0)
            frame.setHeight(ch);
        shapes.append({name, kindOf(name), frame, false, 0, false, false, {}});
    }
    return shapes;
}

void writeOrder(Slide &slide, const QList<Shape> &shapes)
{
    for (int i = 0; i < shapes.size(); ++i)
        slide.attributes.insert(shapes.at(i).name + u'.' + orderKey, QString::number(i + 1));
}

QString number(double value)
{
    QString text = QString::number(std::round(value * 100) / 100, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

} // namespace

LayoutFrames layoutFrames(const QString &layout)
{
    LayoutFrames p;
    const QRectF title(0.08, 0.06, 0.84, 0.18);
    const QRectF body(0.08, 0.28, 0.84, 0.64);
    const QRectF left(0.08, 0.28, 0.41, 0.64);
    const QRectF right(0.51, 0.28, 0.41, 0.64);
    if (layout == u"空白")
        return p;
    p.title = title;
    if (layout == u"标题幻灯片") {
        p.title = QRectF(0.1, 0.3, 0.8, 0.2);
        p.body = QRectF(0.15, 0.55, 0.7, 0.25);
    } else if (layout == u"只有标题") {
    } else if (layout == u"标题和两栏文本") {
        p.body = left;
        p.extra = right;
        p.extraKind = QStringLiteral("文本");
    } else if (layout == u"标题和竖排文字") {
        p.body = body;
        p.verticalBody = true;
    } else if (layout == u"垂直排列标题与文本") {
        p.title = QRectF(0.74, 0.06, 0.18, 0.86);
        p.body = QRectF(0.08, 0.06, 0.62, 0.86);
        p.verticalTitle = p.verticalBody = true;
    } else if (layout == u"标题和内容" || layout == u"标题和表格" || layout == u"标题和组织结构图") {
        p.extra = body;
        p.extraKind = layout == u"标题和内容" ? QStringLiteral("内容")
                    : layout == u"标题和表格" ? QStringLiteral("表格")
                                              : QStringLiteral("组织结构图");
    } else if (layout == u"标题，文本与图表" || layout == u"标题，文本与剪贴画") {
        p.body = left;
        p.extra = right;
        p.extraKind = layout.contains(u"图表") ? QStringLiteral("图表") : QStringLiteral("剪贴画");
    } else if (layout == u"标题，剪贴画与文本") {
        p.body = right;
        p.extra = left;
        p.extraKind = QStringLiteral("剪贴画");
    } else {
        p.body = body;
    }
    return p;
}

const QStringList &objectKinds()
{
    static const QStringList kinds = {
        QStringLiteral("图片"), QStringLiteral("艺术字"), QStringLiteral("自选图形"), QStringLiteral("文本框"),
        QStringLiteral("表格"), QStringLiteral("图表"), QStringLiteral("组织结构图"), QStringLiteral("媒体"),
        QStringLiteral("对象"), QStringLiteral("动作按钮"),
    };
    return kinds;
}

QString kindOf(const QString &name)
{
    if (name == u"标题" || name == u"正文" || name == u"副标题")
        return name;
    QString base = name;
    if (base.endsWith(QStringLiteral("副本")))
        base.chop(2);
    qsizetype digits = 0;
    while (digits < base.size() && base.at(base.size() - 1 - digits).isDigit())
        ++digits;
    // "文本框2" is a second text box; "文本框1" is no name the editor gives.
    if (digits > 0 && base.mid(base.size() - digits).toInt() < 2)
        return {};
    base.chop(digits);
    return objectKinds().contains(base) ? base : QString();
}

QList<Shape> of(const Slide &slide)
{
    QList<Shape> shapes = layoutOrder(slide);
    // Shapes stacked before keep their place; one added since lies on top.
    std::stable_sort(shapes.begin(), shapes.end(), [&slide](const Shape &a, const Shape &b) {
        const int oa = slide.attributes.value(a.name + u'.' + orderKey).toInt();
        const int ob = slide.attributes.value(b.name + u'.' + orderKey).toInt();
        return (oa > 0 ? oa : 10000) < (ob > 0 ? ob : 10000);
    });
    for (Shape &shape : shapes) {
        const QString prefix = shape.name + u'.';
        shape.rotation = std::fmod(std::fmod(degrees(slide.attributes.value(prefix + rotationKey)).value_or(0), 360) + 360, 360);
        const QString flip = slide.attributes.value(prefix + flipKey);
        shape.flippedLeftRight = flip.contains(QStringLiteral("水平"));
        shape.flippedUpDown = flip.contains(QStringLiteral("垂直"));
        shape.group = slide.attributes.value(prefix + groupKey);
    }
    return shapes;
}

std::optional<Shape> find(const Slide &slide, const QString &name)
{
    for (const Shape &shape : of(slide))
        if (shape.name == name)
            return shape;
    return std::nullopt;
}

bool setFrame(Slide &slide, const QString &name, const QRectF &frame)
{
    if (!find(slide, name))
        return false;
    const double w = std::clamp(frame.width(), 0.2, SlideWidthCm);
    const double h = std::clamp(frame.height(), 0.2, SlideHeightCm);
    // At least a corner stays on the slide, as the editor keeps it reachable.
    const double x = std::clamp(frame.x(), 0.2 - w, SlideWidthCm - 0.2);
    const double y = std::clamp(frame.y(), 0.2 - h, SlideHeightCm - 0.2);
    slide.attributes.insert(name + u'.' + positionKeyOf(name), pairText(x, y));
    slide.attributes.insert(name + u'.' + sizeKey, pairText(w, h));
    // The dialog's sizes follow the frame.
    for (const auto &[key, value] : {std::pair{QStringLiteral(".宽度"), w}, std::pair{QStringLiteral(".高度"), h}})
        if (slide.attributes.contains(name + key))
            slide.attributes.insert(name + key, number(value) + QStringLiteral("厘米"));
    return true;
}

bool remove(Slide &slide, const QString &name)
{
    const auto shape = find(slide, name);
    if (!shape)
        return false;
    if (shape->placeholder) {
        // The placeholder itself goes; the layout applied again brings it back.
        (name == u"标题" ? slide.title : slide.body).clear();
        slide.attributes.insert(name + u'.' + deletedKey, QStringLiteral("是"));
        return true;
    }
    const QString prefix = name + u'.';
    for (auto it = slide.attributes.begin(); it != slide.attributes.end();)
        it = it.key() == name || it.key().startsWith(prefix) ? slide.attributes.erase(it) : std::next(it);
    return true;
}

bool restack(Slide &slide, const QString &name, const QString &how)
{
    QList<Shape> shapes = of(slide);
    const qsizetype at = std::find_if(shapes.begin(), shapes.end(), [&name](const Shape &s) { return s.name == name; })
                       - shapes.begin();
    if (at >= shapes.size())
        return false;
    qsizetype to = at;
    if (how == u"置于顶层")
        to = shapes.size() - 1;
    else if (how == u"置于底层")
        to = 0;
    else if (how == u"上移一层")
        to = std::min(at + 1, shapes.size() - 1);
    else if (how == u"下移一层")
        to = std::max<qsizetype>(at - 1, 0);
    if (to == at)
        return false;
    shapes.move(at, to);
    writeOrder(slide, shapes);
    return true;
}

QString newName(const Slide &slide, const QString &kind)
{
    const QStringList names = objectNames(slide);
    if (!names.contains(kind))
        return kind;
    for (int n = 2;; ++n)
        if (!names.contains(kind + QString::number(n)))
            return kind + QString::number(n);
}

QString placeKey(const QString &name)
{
    return positionKeyOf(name);
}

std::optional<double> degrees(const QString &text)
{
    static const QRegularExpression angle(QStringLiteral("^\\s*(-?[0-9]+(?:\\.[0-9]+)?)\\s*(?:度|°)?\\s*$"));
    const QRegularExpressionMatch m = angle.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toDouble();
}

QString degreesText(double degrees)
{
    const long whole = ((std::lround(degrees) % 360) + 360) % 360;
    return QString::number(whole) + QStringLiteral("度");
}

bool setRotation(Slide &slide, const QString &name, double degrees)
{
    if (!find(slide, name))
        return false;
    slide.attributes.insert(name + u'.' + rotationKey, degreesText(degrees));
    return true;
}

QString flipped(const QString &now, const QString &flip)
{
    const bool across = flip.contains(QStringLiteral("水平")), down = flip.contains(QStringLiteral("垂直"));
    if (!across && !down)
        return flip;
    QStringList ways;
    if (now.contains(QStringLiteral("水平")) != across)
        ways << QStringLiteral("水平翻转");
    if (now.contains(QStringLiteral("垂直")) != down)
        ways << QStringLiteral("垂直翻转");
    return ways.join(QStringLiteral("、"));
}

QStringList withGroup(const Slide &slide, const QString &name)
{
    const QList<Shape> shapes = of(slide);
    const auto shape = std::find_if(shapes.begin(), shapes.end(), [&name](const Shape &s) { return s.name == name; });
    if (shape == shapes.end())
        return {};
    if (shape->group.isEmpty())
        return {name};
    QStringList members;
    for (const Shape &s : shapes)
        if (s.group == shape->group)
            members << s.name;
    return members;
}

QString group(Slide &slide, const QStringList &names)
{
    QStringList members;
    for (const QString &name : names)
        for (const QString &member : withGroup(slide, name))
            if (!members.contains(member))
                members << member;
    if (members.size() < 2)
        return {};
    QStringList taken;   // the names of the slide's other groups
    for (const Shape &shape : of(slide))
        if (!members.contains(shape.name) && !shape.group.isEmpty())
            taken << shape.group;
    QString name;
    for (int n = 1; name.isEmpty() || taken.contains(name); ++n)
        name = groupKey + QString::number(n);
    for (const QString &member : members) {
        slide.attributes.insert(member + u'.' + groupKey, name);
        slide.attributes.remove(member + u'.' + formerGroupKey);
    }
    return name;
}

bool ungroup(Slide &slide, const QString &name)
{
    const auto shape = find(slide, name);
    if (!shape || shape->group.isEmpty())
        return false;
    for (const QString &member : withGroup(slide, name)) {
        slide.attributes.insert(member + u'.' + formerGroupKey, shape->group);
        slide.attributes.remove(member + u'.' + groupKey);
    }
    return true;
}

bool regroup(Slide &slide, const QString &name)
{
    const auto shape = find(slide, name);
    const QString former = slide.attributes.value(name + u'.' + formerGroupKey);
    if (!shape || !shape->group.isEmpty() || former.isEmpty())
        return false;
    QStringList members;
    for (const Shape &s : of(slide))
        if (s.group.isEmpty() && slide.attributes.value(s.name + u'.' + formerGroupKey) == former)
            members << s.name;
    return !group(slide, members).isEmpty();
}

QRectF groupFrame(const Slide &slide, const QString &name)
{
    QRectF box;
    for (const QString &member : withGroup(slide, name))
        if (const auto shape = find(slide, member))
            box = box.isNull() ? shape->frame : box.united(shape->frame);
    return box;
}

bool scaleGroup(Slide &slide, const QString &name, const QRectF &to)
{
    const auto shape = find(slide, name);
    const QRectF from = groupFrame(slide, name);
    if (!shape || shape->group.isEmpty() || !to.isValid() || from.width() <= 0 || from.height() <= 0)
        return false;
    const double sx = to.width() / from.width(), sy = to.height() / from.height();
    for (const QString &member : withGroup(slide, name)) {
        const QRectF f = find(slide, member)->frame;
        setFrame(slide, member, QRectF(to.x() + (f.x() - from.x()) * sx, to.y() + (f.y() - from.y()) * sy, f.width() * sx, f.height() * sy));
    }
    return true;
}

bool arrange(Slide &slide, const QStringList &names, const QString &how, bool toSlide)
{
    // Every frame is taken before any moves: an object standing where the
    // layout puts it would otherwise shift when another one is placed.
    QMap<QString, QRectF> frames;
    for (const Shape &shape : of(slide))
        frames.insert(shape.name, shape.frame);
    struct Unit
    {
        QStringList members;
        QRectF box;
    };
    QList<Unit> units;
    for (const QString &name : names) {
        if (!frames.contains(name)
            || std::any_of(units.begin(), units.end(), [&name](const Unit &u) { return u.members.contains(name); }))
            continue;
        Unit unit{withGroup(slide, name), {}};
        for (const QString &member : unit.members)
            unit.box = unit.box.isNull() ? frames.value(member) : unit.box.united(frames.value(member));
        units << unit;
    }
    if (units.isEmpty())
        return false;
    const QRectF slideRect(0, 0, SlideWidthCm, SlideHeightCm);
    QList<QRectF> placed;
    for (const Unit &unit : units)
        placed << unit.box;
    const bool across = how == u"横向分布", down = how == u"纵向分布";
    if (across || down) {
        QList<qsizetype> order;
        for (qsizetype i = 0; i < units.size(); ++i)
            order << i;
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return across ? units.at(a).box.left() < units.at(b).box.left() : units.at(a).box.top() < units.at(b).box.top();
        });
        const bool wholeSlide = toSlide || units.size() < 3;
        double from = wholeSlide ? 0 : (across ? units.at(order.first()).box.left() : units.at(order.first()).box.top());
        const double to = wholeSlide ? (across ? SlideWidthCm : SlideHeightCm)
                                     : (across ? units.at(order.last()).box.right() : units.at(order.last()).box.bottom());
        double taken = 0;
        for (const Unit &unit : units)
            taken += across ? unit.box.width() : unit.box.height();
        const qsizetype gaps = units.size() - 1;
        const double gap = gaps > 0 ? (to - from - taken) / gaps : 0;
        if (gaps == 0)   // one object alone goes to the middle
            from = ((to - from) - taken) / 2;
        for (qsizetype i : order) {
            QRectF &box = placed[i];
            if (across)
                box.moveLeft(from);
            else
                box.moveTop(from);
            from += (across ? box.width() : box.height()) + gap;
        }
    } else {
        QRectF bounds = slideRect;
        if (!toSlide && units.size() > 1) {
            bounds = units.first().box;
            for (const Unit &unit : units)
                bounds = bounds.united(unit.box);
        }
        for (QRectF &box : placed) {
            if (how == u"左对齐")
                box.moveLeft(bounds.left());
            else if (how == u"水平居中")
                box.moveLeft(bounds.center().x() - box.width() / 2);
            else if (how == u"右对齐")
                box.moveRight(bounds.right());
            else if (how == u"顶端对齐")
                box.moveTop(bounds.top());
            else if (how == u"垂直居中")
                box.moveTop(bounds.center().y() - box.height() / 2);
            else if (how == u"底端对齐")
                box.moveBottom(bounds.bottom());
            else
                return false;
        }
    }
    bool moved = false;
    for (qsizetype i = 0; i < units.size(); ++i) {
        const QPointF by = placed.at(i).topLeft() - units.at(i).box.topLeft();
        if (by.manhattanLength() < 0.005)
            continue;
        moved = true;
        for (const QString &member : units.at(i).members)
            setFrame(slide, member, frames.value(member).translated(by));
    }
    return moved;
}

std::optional<QPointF> pair(const QString &text)
{
    static const QRegularExpression numbers(
        QStringLiteral("^\\s*(-?[0-9]+(?:\\.[0-9]+)?)\\s*(?:厘米|cm)?\\s*[,，]\\s*(-?[0-9]+(?:\\.[0-9]+)?)\\s*(?:厘米|cm)?\\s*$"));
    const QRegularExpressionMatch m = numbers.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
}

QString pairText(double a, double b)
{
    return number(a) + u',' + number(b);
}

namespace {

// The ninth a region word names: column and row, 0 to 2; -1 where the word
// takes the whole row or column.
std::optional<std::pair<int, int>> regionCell(const QString &word)
{
    static const QMap<QString, std::pair<int, int>> cells = {
        {QStringLiteral("左上角"), {0, 0}}, {QStringLiteral("上方"), {-1, 0}}, {QStringLiteral("右上角"), {2, 0}},
        {QStringLiteral("左侧"), {0, -1}}, {QStringLiteral("中央"), {1, 1}}, {QStringLiteral("右侧"), {2, -1}},
        {QStringLiteral("左下角"), {0, 2}}, {QStringLiteral("下方"), {-1, 2}}, {QStringLiteral("右下角"), {2, 2}},
    };
    const QString trimmed = word.trimmed();
    if (!cells.contains(trimmed))
        return std::nullopt;
    return cells.value(trimmed);
}

} // namespace

bool isRegion(const QString &word)
{
    return regionCell(word).has_value();
}

bool inRegion(const QRectF &frame, const QString &word)
{
    const auto cell = regionCell(word);
    if (!cell)
        return false;
    const int column = std::clamp(int(frame.center().x() / (SlideWidthCm / 3)), 0, 2);
    const int row = std::clamp(int(frame.center().y() / (SlideHeightCm / 3)), 0, 2);
    return (cell->first < 0 || cell->first == column) && (cell->second < 0 || cell->second == row);
}

bool regionWithin(const QString &inner, const QString &outer)
{
    const auto a = regionCell(inner), b = regionCell(outer);
    if (!a || !b)
        return false;
    auto covers = [](int wide, int narrow) { return wide < 0 || wide == narrow; };
    return covers(b->first, a->first) && covers(b->second, a->second);
}

QString regionOf(const QRectF &frame)
{
    static const char *names[3][3] = {{"左上角", "上方", "右上角"}, {"左侧", "中央", "右侧"}, {"左下角", "下方", "右下角"}};
    const int column = std::clamp(int(frame.center().x() / (SlideWidthCm / 3)), 0, 2);
    const int row = std::clamp(int(frame.center().y() / (SlideHeightCm / 3)), 0, 2);
    return QString::fromUtf8(names[row][column]);
}

QRectF placedIn(const QRectF &frame, const QString &word)
{
    const auto cell = regionCell(word);
    if (!cell)
        return frame;
    const int column = cell->first < 0 ? 1 : cell->first;
    const int row = cell->second < 0 ? 1 : cell->second;
    QRectF placed = frame;
    placed.moveCenter(QPointF(SlideWidthCm / 6 * (2 * column + 1), SlideHeightCm / 6 * (2 * row + 1)));
    // A shape larger than its ninth still keeps to the slide.
    placed.moveLeft(std::clamp(placed.left(), 0.0, std::max(0.0, SlideWidthCm - placed.width())));
    placed.moveTop(std::clamp(placed.top(), 0.0, std::max(0.0, SlideHeightCm - placed.height())));
    return placed;
}

} // namespace Shapes
