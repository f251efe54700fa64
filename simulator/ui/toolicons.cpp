#include "toolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 16;

const QColor ink(40, 40, 40);
const QColor paper(255, 255, 255);
const QColor blue(40, 90, 190);
const QColor gold(235, 180, 40);

// A page with a folded corner.
void page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

// A small slide: a frame with a title bar.
void slide(QPainter &p, const QRectF &r, const QColor &fill = paper)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 2, r.top() + 2, r.width() - 3, 2), blue);
}

// Letters are drawn as strokes: text would load a font engine for every
// size and weight, which costs more than all the other pictures together.
void letter(QPainter &p, char which, const QRectF &r, double weight, const QColor &colour = ink)
{
    p.setPen(QPen(colour, weight, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const double l = r.left(), t = r.top(), w = r.width(), h = r.height();
    QPainterPath path;
    switch (which) {
    case 'A':
        path.moveTo(l, t + h);
        path.lineTo(l + w / 2, t);
        path.lineTo(l + w, t + h);
        path.moveTo(l + w * 0.22, t + h * 0.62);
        path.lineTo(l + w * 0.78, t + h * 0.62);
        break;
    case 'a':
        path.addEllipse(QRectF(l, t + h * 0.35, w * 0.75, h * 0.65));
        path.moveTo(l + w * 0.85, t + h * 0.3);
        path.lineTo(l + w * 0.85, t + h);
        break;
    case 'B':
        path.moveTo(l, t);
        path.lineTo(l, t + h);
        path.lineTo(l + w * 0.6, t + h);
        path.arcTo(QRectF(l + w * 0.2, t + h * 0.47, w * 0.8, h * 0.53), -90, 180);
        path.lineTo(l, t + h * 0.47);
        path.moveTo(l, t);
        path.lineTo(l + w * 0.55, t);
        path.arcTo(QRectF(l + w * 0.25, t, w * 0.6, h * 0.47), 90, -180);
        break;
    case 'I':
        path.moveTo(l + w * 0.35, t);
        path.lineTo(l + w, t);
        path.moveTo(l, t + h);
        path.lineTo(l + w * 0.65, t + h);
        path.moveTo(l + w * 0.75, t);
        path.lineTo(l + w * 0.25, t + h);
        break;
    case 'S':
        path.moveTo(l + w, t + h * 0.12);
        path.cubicTo(l + w * 0.7, t - h * 0.05, l, t, l + w * 0.05, t + h * 0.28);
        path.cubicTo(l + w * 0.1, t + h * 0.5, l + w, t + h * 0.45, l + w, t + h * 0.72);
        path.cubicTo(l + w, t + h * 1.02, l + w * 0.2, t + h * 1.05, l, t + h * 0.86);
        break;
    case 'U':
        path.moveTo(l, t);
        path.lineTo(l, t + h * 0.6);
        path.arcTo(QRectF(l, t + h * 0.2, w, h * 0.8), 180, 180);
        path.lineTo(l + w, t);
        break;
    }
    p.drawPath(path);
}

void lines(QPainter &p, const QList<std::pair<double, double>> &spans)
{
    p.setPen(QPen(ink, 1.2));
    double y = 3.5;
    for (const auto &[from, to] : spans) {
        p.drawLine(QPointF(from, y), QPointF(to, y));
        y += 3;
    }
}

void triangle(QPainter &p, double x, double y, bool up)
{
    QPolygonF t;
    if (up)
        t << QPointF(x, y + 3) << QPointF(x + 5, y + 3) << QPointF(x + 2.5, y);
    else
        t << QPointF(x, y) << QPointF(x + 5, y) << QPointF(x + 2.5, y + 3);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(t);
}

void star(QPainter &p, const QPointF &c, double outer, const QColor &fill)
{
    QPolygonF s;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, radius = i % 2 ? outer * 0.45 : outer;
        s << c + QPointF(std::cos(a) * radius, std::sin(a) * radius);
    }
    p.setPen(QPen(ink, 0.8));
    p.setBrush(fill);
    p.drawPolygon(s);
}

// A small picture: sky over a green hill, as the picture toolbar shows one.
void picture(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(200, 225, 250));
    p.drawRect(r);
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(r.left(), r.bottom()), QPointF(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45),
                             QPointF(r.left() + r.width() * 0.75, r.bottom())}));
}

// A sun with rays (亮度) or a half-black disc (对比度), with a plus or minus.
void adjustment(QPainter &p, bool light, bool more)
{
    p.setPen(QPen(ink, 1));
    if (light) {
        p.setBrush(gold);
        p.drawEllipse(QRectF(3.5, 3.5, 6, 6));
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            p.drawLine(QPointF(6.5 + std::cos(a) * 4.5, 6.5 + std::sin(a) * 4.5), QPointF(6.5 + std::cos(a) * 6, 6.5 + std::sin(a) * 6));
        }
    } else {
        p.setBrush(paper);
        p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
        QPainterPath half;
        half.moveTo(6.5, 1.5);
        half.arcTo(QRectF(1.5, 1.5, 10, 10), 90, 180);
        half.closeSubpath();
        p.fillPath(half, ink);
    }
    p.setPen(QPen(blue, 1.6));
    p.drawLine(QPointF(10, 13), QPointF(15, 13));
    if (more)
        p.drawLine(QPointF(12.5, 10.5), QPointF(12.5, 15.5));
}

// A table's grid of 3 × 3 cells.
void grid(QPainter &p, const QRectF &r, const QPen &outside = QPen(ink, 1))
{
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(paper);
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(r.left() + r.width() * i / 3, r.top()), QPointF(r.left() + r.width() * i / 3, r.bottom()));
        p.drawLine(QPointF(r.left(), r.top() + r.height() * i / 3), QPointF(r.right(), r.top() + r.height() * i / 3));
    }
    p.setPen(outside);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

// A WordArt letter: a slanted blue A.
void wordArt(QPainter &p, const QRectF &r)
{
    letter(p, 'A', r, 2, blue);
}

// An action button in the 16 × 16 square: raised, with the sign of what it does.
void actionButton(QPainter &p, const QString &which)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(200, 210, 230));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (which == u"后退或前一项") {
        p.drawPolygon(QPolygonF({QPointF(11, 4), QPointF(4, 8), QPointF(11, 12)}));
    } else if (which == u"前进或下一项") {
        p.drawPolygon(QPolygonF({QPointF(5, 4), QPointF(12, 8), QPointF(5, 12)}));
    } else if (which == u"第一张") {
        p.drawPolygon(QPolygonF({QPointF(12, 4), QPointF(6, 8), QPointF(12, 12)}));
        p.fillRect(QRectF(4, 4, 1.6, 8), ink);
    } else if (which == u"结束") {
        p.drawPolygon(QPolygonF({QPointF(4, 4), QPointF(10, 8), QPointF(4, 12)}));
        p.fillRect(QRectF(10.4, 4, 1.6, 8), ink);
    } else if (which == u"开始") {   // a house
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(8, 3.5), QPointF(13, 8)}));
        p.fillRect(QRectF(4.5, 8, 7, 4.5), ink);
    } else if (which == u"上一张") {   // back to where the show came from
        p.setPen(QPen(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 4, 7, 7), 90 * 16, -180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(8.5, 2), QPointF(5, 4), QPointF(8.5, 6)}));
    } else if (which == u"文档") {
        page(p, QRectF(4.5, 3.5, 7, 9));
    } else if (which == u"声音") {
        p.drawPolygon(QPolygonF({QPointF(3, 6.5), QPointF(6, 6.5), QPointF(9, 4), QPointF(9, 12), QPointF(6, 9.5), QPointF(3, 9.5)}));
        p.setPen(QPen(ink, 1));
        p.drawArc(QRectF(8, 5, 5, 6), -60 * 16, 120 * 16);
    } else if (which == u"影片") {
        p.fillRect(QRectF(3, 5, 7, 6), ink);
        p.drawPolygon(QPolygonF({QPointF(10, 8), QPointF(13.5, 5), QPointF(13.5, 11)}));
    } else if (which == u"帮助" || which == u"信息") {
        p.setPen(QPen(ink, 1.6));
        p.setBrush(Qt::NoBrush);
        if (which == u"帮助") {
            p.drawArc(QRectF(5, 3, 6, 5), 180 * 16, -240 * 16);
            p.drawLine(QPointF(8, 8), QPointF(8, 10));
        } else {
            p.drawLine(QPointF(8, 6.5), QPointF(8, 12));
        }
        p.drawPoint(QPointF(8, which == u"帮助" ? 12.5 : 4));
    }
}

// The pictures of the object toolbars (图片, 艺术字, 表格和边框) and of the action buttons.
bool paintObjectTool(QPainter &p, const QString &name)
{
    if (name == u"插入图片") {
        picture(p, QRectF(1.5, 3.5, 13, 10));
    } else if (name == u"颜色") {
        picture(p, QRectF(1.5, 1.5, 13, 9));
        p.fillRect(QRectF(1, 12, 4.5, 3.5), Qt::black);
        p.fillRect(QRectF(5.5, 12, 5, 3.5), QColor(128, 128, 128));
        p.fillRect(QRectF(10.5, 12, 4.5, 3.5), QColor(220, 220, 220));
    } else if (name == u"增加对比度" || name == u"降低对比度" || name == u"增加亮度" || name == u"降低亮度") {
        adjustment(p, name.endsWith(u"亮度"), name.startsWith(u"增加"));
    } else if (name == u"裁剪") {
        p.setPen(QPen(ink, 1.6));
        p.drawPolyline(QPolygonF({QPointF(4, 1), QPointF(4, 12), QPointF(15, 12)}));
        p.drawPolyline(QPolygonF({QPointF(1, 4), QPointF(12, 4), QPointF(12, 15)}));
    } else if (name == u"向左旋转90°") {
        p.setPen(QPen(ink, 1.4));
        p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, -270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF({QPointF(8, 0.5), QPointF(4, 3), QPointF(8, 5.5)}));
    } else if (name == u"线型" || name == u"边框宽度") {
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(2, 3 + i * 4.5, 12, 0.8 + i), Qt::black);
    } else if (name == u"边框样式") {
        for (int i = 0; i < 3; ++i)
            for (double x = 2; x < 14; x += 3 + i)
                p.fillRect(QRectF(x, 3 + i * 4.5, 1.5 + i, 1.2), Qt::black);
    } else if (name == u"压缩图片") {
        picture(p, QRectF(3.5, 4.5, 9, 7));
        p.setPen(QPen(blue, 1.4));
        p.drawLine(QPointF(1, 1), QPointF(4, 4));
        p.drawLine(QPointF(15, 1), QPointF(12, 4));
        p.drawLine(QPointF(1, 15), QPointF(4, 12));
        p.drawLine(QPointF(15, 15), QPointF(12, 12));
    } else if (name == u"设置图片格式") {
        picture(p, QRectF(1.5, 1.5, 10, 8));
        p.setPen(QPen(ink, 1.4));
        p.drawLine(QPointF(8, 15), QPointF(15, 8));
    } else if (name == u"设置透明色") {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(2, 14), QPointF(10, 6));
        p.setBrush(QColor(120, 180, 230));
        p.drawEllipse(QRectF(9, 1.5, 5.5, 5.5));
    } else if (name == u"重设图片") {
        picture(p, QRectF(4.5, 4.5, 10, 9));
        p.setPen(QPen(blue, 1.4));
        p.drawArc(QRectF(1, 1, 8, 8), 90 * 16, 180 * 16);
    } else if (name == u"插入艺术字") {
        wordArt(p, QRectF(2, 2, 12, 12));
    } else if (name == u"编辑文字") {
        letter(p, 'a', QRectF(2, 4, 8, 10), 1.3);
    } else if (name == u"艺术字库") {
        for (int i = 0; i < 4; ++i)
            wordArt(p, QRectF(1 + (i % 2) * 8, 1 + (i / 2) * 8, 6, 6));
    } else if (name == u"设置艺术字格式") {
        wordArt(p, QRectF(1, 1, 9, 10));
        p.setPen(QPen(ink, 1.4));
        p.drawLine(QPointF(9, 15), QPointF(15, 9));
    } else if (name == u"艺术字形状") {
        p.setPen(QPen(blue, 2));
        p.setBrush(Qt::NoBrush);
        QPainterPath wave;
        wave.moveTo(1, 6);
        wave.cubicTo(5, 1, 9, 11, 15, 5);
        wave.moveTo(1, 13);
        wave.cubicTo(5, 8, 9, 18, 15, 12);
        p.drawPath(wave);
    } else if (name == u"艺术字字母高度相同") {
        letter(p, 'A', QRectF(1, 3, 6, 11), 1.3, blue);
        letter(p, 'a', QRectF(9, 3, 6, 11), 1.3, blue);
    } else if (name == u"艺术字竖排文字") {
        letter(p, 'A', QRectF(4, 0.5, 7, 6.5), 1.3, blue);
        letter(p, 'B', QRectF(5, 8.5, 6, 6.5), 1.3, blue);
    } else if (name == u"艺术字对齐方式" || name == u"艺术字字符间距") {
        const bool spacing = name.endsWith(u"间距");
        letter(p, 'A', spacing ? QRectF(1, 1, 5, 7) : QRectF(5, 1, 6, 7), 1.2, blue);
        if (spacing)
            letter(p, 'A', QRectF(10, 1, 5, 7), 1.2, blue);
        lines(p, spacing ? QList<std::pair<double, double>>{{1, 15}} : QList<std::pair<double, double>>{{1, 15}, {3, 13}});
    } else if (name == u"外部框线") {
        grid(p, QRectF(1.5, 1.5, 13, 13), QPen(ink, 2));
    } else if (name == u"表格") {
        grid(p, QRectF(1.5, 3.5, 13, 11));
        p.fillRect(QRectF(1.5, 1.5, 13, 2.5), blue);
    } else if (name == u"边框颜色") {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(3, 11), QPointF(12, 2));
        p.fillRect(QRectF(1, 13, 14, 3), Qt::red);
    } else if (name == u"填充颜色") {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(paper);
        p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(8, 2), QPointF(13, 7), QPointF(8, 12)}));
        p.fillRect(QRectF(1, 13, 14, 3), QColor(250, 230, 120));
    } else if (name == u"合并单元格") {
        grid(p, QRectF(1.5, 3.5, 13, 9));
        p.fillRect(QRectF(2, 4, 12, 2.5), QColor(200, 220, 250));
    } else if (name == u"拆分单元格") {
        grid(p, QRectF(1.5, 3.5, 13, 9));
        p.setPen(QPen(blue, 1.6));
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
    } else if (name == u"顶端对齐" || name == u"垂直居中" || name == u"底端对齐") {
        p.setPen(QPen(ink, 1));
        p.setBrush(paper);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        const double y = name == u"顶端对齐" ? 3.5 : name == u"垂直居中" ? 7 : 10.5;
        p.fillRect(QRectF(4, y, 8, 1.2), blue);
        p.fillRect(QRectF(4, y + 2, 8, 1.2), blue);
    } else if (name.startsWith(u"动作按钮：")) {
        actionButton(p, name.mid(5));
    } else {
        return false;
    }
    return true;
}

bool paint(QPainter &p, const QString &name)
{
    if (name == u"新建") {
        page(p, QRectF(3.5, 1.5, 9, 13));
    } else if (name == u"打开") {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawRect(QRectF(1.5, 3.5, 5, 1));
        p.setBrush(QColor(250, 225, 130));
        p.drawPolygon(QPolygonF{QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
    } else if (name == u"保存") {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(4, 2, 8, 5), paper);
        p.fillRect(QRectF(4.5, 10, 7, 4.5), QColor(200, 200, 200));
    } else if (name == u"打印") {
        page(p, QRectF(4.5, 1.5, 7, 6));
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    } else if (name == u"剪切") {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(4, 1), QPointF(10, 10));
        p.drawLine(QPointF(12, 1), QPointF(6, 10));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(180, 30, 30), 1.4));
        p.drawEllipse(QPointF(5, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(11, 12), 2.5, 2.5);
    } else if (name == u"复制") {
        page(p, QRectF(1.5, 1.5, 8, 10));
        page(p, QRectF(6.5, 4.5, 8, 10));
    } else if (name == u"粘贴") {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(200, 150, 80));
        p.drawRect(QRectF(1.5, 2.5, 10, 12));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(4.5, 1.5, 4, 2));
        page(p, QRectF(7.5, 6.5, 7, 8));
    } else if (name == u"撤销") {
        p.setPen(QPen(blue, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 4, 10, 9), 90 * 16, -240 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawPolygon(QPolygonF{QPointF(1, 5), QPointF(7, 1.5), QPointF(7, 8.5)});
    } else if (name == u"新幻灯片") {
        slide(p, QRectF(1.5, 3.5, 11, 9));
        p.setPen(QPen(QColor(0, 140, 0), 2));
        p.drawLine(QPointF(12.5, 0.5), QPointF(12.5, 6.5));
        p.drawLine(QPointF(9.5, 3.5), QPointF(15.5, 3.5));
    } else if (name == u"字体") {
        letter(p, 'A', QRectF(1, 2, 8, 12), 1.8, blue);
        letter(p, 'a', QRectF(10, 7, 5, 7), 1.1);
    } else if (name == u"背景") {
        QLinearGradient g(0, 0, 16, 16);
        g.setColorAt(0, QColor(90, 150, 230));
        g.setColorAt(1, QColor(230, 245, 255));
        p.setPen(QPen(ink, 1));
        p.setBrush(g);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
    } else if (name == u"幻灯片设计") {
        slide(p, QRectF(1.5, 2.5, 13, 11), QColor(250, 235, 200));
        p.fillRect(QRectF(2, 11, 12, 2), QColor(190, 60, 40));
        p.fillRect(QRectF(2, 3, 2, 10), QColor(190, 60, 40));
    } else if (name == u"自定义动画") {
        star(p, QPointF(8, 8.5), 7, gold);
    } else if (name == u"幻灯片切换") {
        slide(p, QRectF(0.5, 1.5, 9, 7));
        slide(p, QRectF(6.5, 7.5, 9, 7), QColor(210, 230, 255));
    } else if (name == u"普通") {
        // A slide with the slide list beside it.
        slide(p, QRectF(5.5, 3.5, 9, 9));
        p.fillRect(QRectF(1.5, 3.5, 3, 9), QColor(170, 190, 220));
    } else if (name == u"幻灯片浏览") {
        for (const QPointF &at : {QPointF(1.5, 2.5), QPointF(8.5, 2.5), QPointF(1.5, 9.5), QPointF(8.5, 9.5)})
            slide(p, QRectF(at, QSizeF(6, 4.5)));
    } else if (name == u"观看放映" || name == u"从当前幻灯片开始") {
        p.setPen(QPen(ink, 1));
        p.setBrush(paper);
        p.drawRect(QRectF(1.5, 1.5, 13, 9));
        p.drawLine(QPointF(8, 10.5), QPointF(8, 13));
        p.drawLine(QPointF(4, 15), QPointF(8, 12.5));
        p.drawLine(QPointF(12, 15), QPointF(8, 12.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 140, 0));
        p.drawPolygon(QPolygonF{QPointF(6, 3.5), QPointF(6, 8.5), QPointF(10.5, 6)});
    } else if (name == u"加粗") {
        letter(p, 'B', QRectF(4.5, 2.5, 7, 11), 2);
    } else if (name == u"倾斜") {
        letter(p, 'I', QRectF(4, 2.5, 8, 11), 1.6);
    } else if (name == u"下划线") {
        letter(p, 'U', QRectF(4.5, 1.5, 7, 10), 1.8);
        p.fillRect(QRectF(3, 14, 10, 1.2), ink);
    } else if (name == u"文字阴影") {
        letter(p, 'S', QRectF(5.5, 3.5, 7, 11), 1.8, QColor(160, 160, 160));
        letter(p, 'S', QRectF(4, 2, 7, 11), 1.8);
    } else if (name == u"左对齐") {
        lines(p, {{1, 15}, {1, 10}, {1, 15}, {1, 10}});
    } else if (name == u"居中") {
        lines(p, {{1, 15}, {4, 12}, {1, 15}, {4, 12}});
    } else if (name == u"右对齐") {
        lines(p, {{1, 15}, {6, 15}, {1, 15}, {6, 15}});
    } else if (name == u"增大字号") {
        letter(p, 'A', QRectF(1, 3, 9, 12), 1.3);
        triangle(p, 10.5, 2, true);
    } else if (name == u"减小字号") {
        letter(p, 'A', QRectF(2, 7, 7, 8), 1.2);
        triangle(p, 10.5, 3, false);
    } else if (name == u"格式刷") {
        p.setPen(QPen(ink, 1));
        p.setBrush(gold);
        p.drawRect(QRectF(2.5, 1.5, 11, 5));
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(QRectF(6.5, 6.5, 3, 8));
    } else {
        return paintObjectTool(p, name);
    }
    return true;
}

} // namespace

namespace ToolIcons {

QIcon icon(const QString &name)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const bool known = paint(p, name);
    p.end();
    return known ? QIcon(pixmap) : QIcon();
}

void paintActionButton(QPainter &p, const QRectF &r, const QString &button)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / Size, r.height() / Size);
    actionButton(p, button);
    p.restore();
}

QIcon fontColour(const QColor &colour)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    letter(p, 'A', QRectF(3.5, 1, 9, 9.5), 1.8);
    p.fillRect(QRectF(1, 12, 14, 3.5), colour);
    p.end();
    return QIcon(pixmap);
}

} // namespace ToolIcons
