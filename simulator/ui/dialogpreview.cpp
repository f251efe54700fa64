#include "dialogpreview.h"

#include "slideart.h"

#include <QPainter>
#include <QPainterPath>

namespace {

using Preview = DialogItem::Preview;
using ValueMap = QMap<QString, QString>;

void paintFont(QPainter &p, const QRect &r, const ValueMap &v, const QFont &base)
{
    p.fillRect(r, Qt::white);
    Slide sample;
    for (auto it = v.begin(); it != v.end(); ++it)
        sample.attributes.insert(QStringLiteral("预览.") + it.key(), it.value());
    // Sizes shown at screen size, capped to the box.
    SlideArt::TextStyle style = SlideArt::textStyle(sample, QStringLiteral("预览"), 96.0 / 72.0, base);
    style.font.setPixelSize(std::min(style.font.pixelSize(), std::min(36, r.height() - 14)));
    QString text = v.value(QStringLiteral("选中文字"));
    if (text.isEmpty())
        text = QStringLiteral("金山演示 AaBbCc");
    const QString effect = v.value(QStringLiteral("效果"));
    QRectF box = r.adjusted(8, 4, -8, -4);
    if (effect == u"上标" || effect == u"下标") {
        style.font.setPixelSize(std::max(6, style.font.pixelSize() * 2 / 3));
        box.translate(0, effect == u"上标" ? -r.height() / 5.0 : r.height() / 5.0);
    }
    p.setFont(style.font);
    if (effect == u"阴文") {
        QPainterPath path;
        path.addText(0, 0, style.font, text);
        path.translate(box.center() - path.boundingRect().center());
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(style.colour, 1));
        p.setBrush(Qt::white);
        p.drawPath(path);
    } else {
        if (style.shadow || effect == u"阴影") {
            p.setPen(QColor(150, 150, 150));
            p.drawText(box.translated(2, 2), Qt::AlignCenter, text);
        }
        p.setPen(style.colour);
        p.drawText(box, Qt::AlignCenter, text);
    }
    const QColor underline = SlideArt::colour(v.value(QStringLiteral("下划线颜色")), QColor());
    if (underline.isValid() && style.font.underline()) {
        const QFontMetricsF m(style.font);
        const double w = m.horizontalAdvance(text);
        const double y = box.center().y() + m.ascent() / 2 + 2;
        p.setPen(QPen(underline, 2));
        p.drawLine(QPointF(box.center().x() - w / 2, y), QPointF(box.center().x() + w / 2, y));
    }
    p.setPen(QColor(120, 120, 120));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void paintBackground(QPainter &p, const QRect &r, const ValueMap &v, const Slide &base)
{
    // The slide as it looks, with the fill chosen in the dialog over its own.
    Slide sample;
    sample.attributes = base.attributes;
    if (const QString fill = v.value(QStringLiteral("填充")); !fill.isEmpty()) {
        sample.attributes.insert(QStringLiteral("背景.填充"), fill);
        sample.attributes.insert(QStringLiteral("背景.设置"), v.value(QStringLiteral("设置")));
    }
    if (const QString plain = v.value(QStringLiteral("忽略母版的背景图形")); !plain.isEmpty())
        sample.attributes.insert(QStringLiteral("背景.忽略母版的背景图形"), plain);
    const QRectF slide(r.left() + (r.width() - r.height() * 4.0 / 3) / 2, r.top(), r.height() * 4.0 / 3, r.height() - 1);
    SlideArt::paintBackground(p, slide, sample);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(slide);
    p.fillRect(QRectF(slide.left() + slide.width() * 0.2, slide.top() + slide.height() * 0.15, slide.width() * 0.6, 4),
               QColor(60, 60, 60));
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(slide.left() + slide.width() * 0.15, slide.top() + slide.height() * (0.4 + i * 0.15),
                          slide.width() * (0.6 - i * 0.1), 2), QColor(110, 110, 110));
}

void paintPage(QPainter &p, const QRect &r, const ValueMap &v, Preview kind)
{
    const QRectF page(r.left() + (r.width() - r.height() * 0.75) / 2, r.top(), r.height() * 0.75, r.height() - 1);
    p.fillRect(page, Qt::white);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(page);
    if (kind == Preview::HeaderFooter) {
        // The footer places that are switched on are filled.
        const QRectF slide(r.adjusted(4, 8, -4, -8));
        p.fillRect(r, Qt::white);
        p.drawRect(slide);
        const double w = slide.width() / 3.6, h = slide.height() / 10, y = slide.bottom() - h * 1.6;
        const bool on[] = {!v.value(QStringLiteral("日期和时间")).isEmpty(), !v.value(QStringLiteral("页脚")).isEmpty(),
                           v.value(QStringLiteral("幻灯片编号")) == u"是"};
        for (int i = 0; i < 3; ++i) {
            const QRectF place(slide.left() + slide.width() * 0.05 + i * w * 1.2, y, w, h);
            p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
            p.setBrush(on[i] ? QColor(40, 40, 40) : Qt::transparent);
            p.drawRect(place);
        }
        return;
    }
    const QString content = v.value(QStringLiteral("打印内容"));
    int count = v.value(QStringLiteral("每页幻灯片数")).toInt();
    if (content.startsWith(u"讲义") && count <= 0)
        count = 6;
    if (!content.startsWith(u"讲义"))
        count = 1;
    count = std::clamp(count, 1, 9);
    const int columns = count <= 3 ? 1 : count <= 6 ? 2 : 3;
    const int rows = (count + columns - 1) / columns;
    const bool vertical = v.value(QStringLiteral("顺序")) == u"垂直";
    const QRectF inner = page.adjusted(6, 6, -6, -6);
    for (int i = 0; i < count; ++i) {
        const int row = vertical ? i % rows : i / columns;
        const int column = vertical ? i / rows : i % columns;
        const double w = inner.width() / columns, h = inner.height() / rows;
        QRectF cell(inner.left() + column * w + 2, inner.top() + row * h + 2, w - 4, h - 4);
        if (count == 1 && content == u"备注页")
            cell.setHeight(cell.height() / 2);
        if (content == u"大纲视图") {
            for (int l = 0; l < 6; ++l)
                p.drawLine(QPointF(cell.left(), cell.top() + l * 8 + 4), QPointF(cell.right() - (l % 2) * 10, cell.top() + l * 8 + 4));
            break;
        }
        const double sh = std::min(cell.height(), cell.width() * 0.75);
        p.setBrush(QColor(200, 215, 240));
        p.drawRect(QRectF(cell.left(), cell.top() + (cell.height() - sh) / 2, cell.width(), sh));
    }
}

} // namespace

DialogPreview::DialogPreview(DialogItem::Preview kind, Values values, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_values(std::move(values))
{
    setObjectName(QStringLiteral("preview"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void DialogPreview::setBase(const Slide &slide)
{
    m_base = slide;
    update();
}

QSize DialogPreview::sizeHint() const
{
    switch (m_kind) {
    case Preview::Font: return {380, 64};
    case Preview::Background: return {200, 140};
    case Preview::HeaderFooter: return {150, 120};
    case Preview::Handout: return {120, 96};
    case Preview::None: break;
    }
    return {100, 60};
}

void DialogPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const ValueMap values = m_values ? m_values() : ValueMap();
    const QRect r = rect();
    switch (m_kind) {
    case Preview::Font: paintFont(p, r, values, font()); break;
    case Preview::Background: paintBackground(p, r, values, m_base); break;
    case Preview::HeaderFooter:
    case Preview::Handout: paintPage(p, r, values, m_kind); break;
    case Preview::None: break;
    }
}
