#include "clipart.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace ClipArt {

const QList<Clip> &clips()
{
    static const QList<Clip> all = [] {
        const QList<std::pair<const char *, QStringList>> categories = {
            {"人物", {QStringLiteral("人物"), QStringLiteral("教师"), QStringLiteral("运动员")}},
            {"动物", {QStringLiteral("动物"), QStringLiteral("小鸟"), QStringLiteral("小鱼")}},
            {"植物", {QStringLiteral("植物"), QStringLiteral("花朵"), QStringLiteral("大树")}},
            {"风景", {QStringLiteral("风景"), QStringLiteral("山峰"), QStringLiteral("太阳")}},
            {"交通", {QStringLiteral("交通"), QStringLiteral("汽车"), QStringLiteral("飞机")}},
            {"商业", {QStringLiteral("商业"), QStringLiteral("电脑"), QStringLiteral("图表")}},
        };
        QList<Clip> list;
        for (const auto &[category, names] : categories)
            for (const QString &name : names)
                list.append({name, QString::fromUtf8(category)});
        return list;
    }();
    return all;
}

QList<Clip> search(const QString &words)
{
    const QString wanted = words.trimmed();
    QList<Clip> found;
    for (const Clip &clip : clips())
        if (wanted.isEmpty() || clip.name.contains(wanted) || clip.category.contains(wanted) || wanted.contains(clip.category))
            found.append(clip);
    return found;
}

bool contains(const QString &name)
{
    return std::any_of(clips().begin(), clips().end(), [&name](const Clip &clip) { return clip.name == name; });
}

namespace {

// The drawing of a category; `variant` (0, 1, 2) its clip in that category.
void person(QPainter &p, const QRectF &r, int variant)
{
    static const QColor shirts[] = {QColor(40, 110, 200), QColor(180, 60, 60), QColor(60, 160, 80)};
    const double u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    p.setBrush(QColor(250, 210, 170));
    p.drawEllipse(QRectF(c.x() - 1.3 * u, r.top() + 0.8 * u, 2.6 * u, 2.6 * u));
    p.setBrush(shirts[variant % 3]);
    QPainterPath body;
    body.moveTo(c.x() - 2.2 * u, r.top() + 7.5 * u);
    body.lineTo(c.x() - 1.6 * u, r.top() + 3.8 * u);
    body.lineTo(c.x() + 1.6 * u, r.top() + 3.8 * u);
    body.lineTo(c.x() + 2.2 * u, r.top() + 7.5 * u);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(QPen(QColor(60, 60, 60), u * 0.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 1, r.top() + 7.5 * u), QPointF(c.x() - 1.5 * u, r.top() + 9.4 * u));
    p.drawLine(QPointF(c.x() + 1, r.top() + 7.5 * u), QPointF(c.x() + 1.5 * u, r.top() + 9.4 * u));
    if (variant == 2)   // arms up, running
        p.drawLine(QPointF(c.x() + 1.6 * u, r.top() + 4.2 * u), QPointF(c.x() + 3.2 * u, r.top() + 2.4 * u));
}

void animal(QPainter &p, const QRectF &r, int variant)
{
    const double u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    if (variant == 2) {   // a fish
        p.setBrush(QColor(250, 140, 40));
        p.drawEllipse(QRectF(c.x() - 3 * u, c.y() - 1.6 * u, 5 * u, 3.2 * u));
        p.drawPolygon(QPolygonF({QPointF(c.x() + 1.8 * u, c.y()), QPointF(c.x() + 3.8 * u, c.y() - 1.6 * u),
                                 QPointF(c.x() + 3.8 * u, c.y() + 1.6 * u)}));
        return;
    }
    p.setBrush(variant == 1 ? QColor(90, 160, 230) : QColor(170, 120, 70));
    p.drawEllipse(QRectF(c.x() - 2.8 * u, c.y() - 1.2 * u, 5 * u, 3 * u));
    p.drawEllipse(QRectF(c.x() + 1.2 * u, c.y() - 2.8 * u, 2.2 * u, 2.2 * u));
    p.setBrush(QColor(240, 190, 40));
    p.drawPolygon(QPolygonF({QPointF(c.x() + 3.3 * u, c.y() - 1.9 * u), QPointF(c.x() + 4.3 * u, c.y() - 1.5 * u),
                             QPointF(c.x() + 3.3 * u, c.y() - 1.1 * u)}));
    if (variant == 0) {   // four legs
        p.setPen(QPen(QColor(110, 70, 40), u * 0.5));
        for (double x : {-2.0, -1.0, 0.6, 1.5})
            p.drawLine(QPointF(c.x() + x * u, c.y() + 1.5 * u), QPointF(c.x() + x * u, c.y() + 3.2 * u));
    }
}

void plant(QPainter &p, const QRectF &r, int variant)
{
    const double u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    if (variant == 2) {   // a tree
        p.setBrush(QColor(130, 80, 40));
        p.drawRect(QRectF(c.x() - 0.6 * u, c.y(), 1.2 * u, 4 * u));
        p.setBrush(QColor(60, 150, 60));
        p.drawEllipse(QRectF(c.x() - 3 * u, c.y() - 4 * u, 6 * u, 5 * u));
        return;
    }
    p.setPen(QPen(QColor(60, 140, 60), u * 0.5));
    p.drawLine(QPointF(c.x(), c.y()), QPointF(c.x(), c.y() + 4 * u));
    p.setPen(QColor(120, 60, 60));
    p.setBrush(variant == 1 ? QColor(240, 80, 120) : QColor(250, 200, 40));
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(c.x() + std::cos(a) * 1.5 * u, c.y() - 1.5 * u + std::sin(a) * 1.5 * u), 1.1 * u, 1.1 * u);
    }
    p.setBrush(QColor(250, 240, 200));
    p.drawEllipse(QPointF(c.x(), c.y() - 1.5 * u), 0.9 * u, 0.9 * u);
}

void landscape(QPainter &p, const QRectF &r, int variant)
{
    const double u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    p.setBrush(QColor(250, 200, 40));
    if (variant == 2) {   // the sun
        p.setPen(QPen(QColor(240, 160, 20), u * 0.4));
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 2.6 * u, c + QPointF(std::cos(a), std::sin(a)) * 3.8 * u);
        }
        p.drawEllipse(c, 2 * u, 2 * u);
        return;
    }
    p.drawEllipse(QPointF(c.x() + 2.5 * u, c.y() - 2.5 * u), 1.1 * u, 1.1 * u);
    p.setBrush(variant == 1 ? QColor(120, 120, 140) : QColor(70, 150, 70));
    p.drawPolygon(QPolygonF({QPointF(c.x() - 4 * u, c.y() + 3 * u), QPointF(c.x() - 1 * u, c.y() - 2.5 * u),
                             QPointF(c.x() + 1 * u, c.y() + 0.5 * u), QPointF(c.x() + 2.2 * u, c.y() - 0.8 * u),
                             QPointF(c.x() + 4 * u, c.y() + 3 * u)}));
}

void transport(QPainter &p, const QRectF &r, int variant)
{
    const double u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    if (variant == 2) {   // a plane
        p.setBrush(QColor(200, 205, 215));
        p.drawEllipse(QRectF(c.x() - 4 * u, c.y() - 0.8 * u, 8 * u, 1.6 * u));
        p.drawPolygon(QPolygonF({QPointF(c.x() - 0.5 * u, c.y()), QPointF(c.x() + 1 * u, c.y()),
                                 QPointF(c.x() - 1.5 * u, c.y() - 3.5 * u)}));
        p.drawPolygon(QPolygonF({QPointF(c.x() - 0.5 * u, c.y()), QPointF(c.x() + 1 * u, c.y()),
                                 QPointF(c.x() - 1.5 * u, c.y() + 3.5 * u)}));
        return;
    }
    p.setBrush(variant == 1 ? QColor(200, 40, 40) : QColor(40, 120, 200));
    p.drawRect(QRectF(c.x() - 3.8 * u, c.y() - 0.5 * u, 7.6 * u, 2 * u));
    p.drawRect(QRectF(c.x() - 2 * u, c.y() - 2 * u, 4 * u, 1.5 * u));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(c.x() - 2 * u, c.y() + 1.6 * u), 0.9 * u, 0.9 * u);
    p.drawEllipse(QPointF(c.x() + 2 * u, c.y() + 1.6 * u), 0.9 * u, 0.9 * u);
}

void business(QPainter &p, const QRectF &r, int variant)
{
    const double u = std::min(r.width(), r.height()) / 10;
    const QPointF c = r.center();
    if (variant == 1) {   // a computer
        p.setBrush(QColor(220, 220, 225));
        p.drawRect(QRectF(c.x() - 3 * u, c.y() - 3 * u, 6 * u, 4.2 * u));
        p.setBrush(QColor(70, 130, 210));
        p.drawRect(QRectF(c.x() - 2.5 * u, c.y() - 2.5 * u, 5 * u, 3.2 * u));
        p.setBrush(QColor(200, 200, 205));
        p.drawRect(QRectF(c.x() - 3.5 * u, c.y() + 2 * u, 7 * u, 1 * u));
        return;
    }
    // A bar chart; for 商业 with a briefcase's brown.
    static const double heights[] = {2.0, 3.5, 5.0};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(variant == 0 ? QColor(150, 100, 50).lighter(100 + i * 25) : QColor(60, 120, 200).lighter(100 + i * 25));
        p.drawRect(QRectF(c.x() - 3 * u + i * 2.2 * u, c.y() + 3 * u - heights[i] * u, 1.6 * u, heights[i] * u));
    }
    p.drawLine(QPointF(c.x() - 3.5 * u, c.y() + 3 * u), QPointF(c.x() + 3.5 * u, c.y() + 3 * u));
}

} // namespace

void paint(QPainter &p, const QRectF &r, const QString &name)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(70, 70, 70));
    const QList<Clip> &all = clips();
    const auto at = std::find_if(all.begin(), all.end(), [&name](const Clip &clip) { return clip.name == name; });
    if (at == all.end()) {
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(r);
        p.restore();
        return;
    }
    // Its place among the clips of its category.
    int variant = 0;
    for (auto it = all.begin(); it != at; ++it)
        variant += it->category == at->category ? 1 : 0;
    const QString &category = at->category;
    if (category == u"人物")
        person(p, r, variant);
    else if (category == u"动物")
        animal(p, r, variant);
    else if (category == u"植物")
        plant(p, r, variant);
    else if (category == u"风景")
        landscape(p, r, variant);
    else if (category == u"交通")
        transport(p, r, variant);
    else
        business(p, r, variant);
    p.restore();
}

} // namespace ClipArt
