#include "drawingbar.h"

#include "colourdialog.h"
#include "commands.h"
#include "slideart.h"
#include "toolicons.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int Size = 16;
const QColor ink(40, 40, 40);

// A picture of the button, drawn: the bar stays light without image files.
QIcon drawn(const std::function<void(QPainter &)> &paint)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.2));
    paint(p);
    return QIcon(pixmap);
}

QIcon shapeIcon(const QString &shape)
{
    return drawn([shape](QPainter &p) {
        if (shape == u"直线") {
            p.drawLine(QPointF(2, 14), QPointF(14, 2));
        } else if (shape == u"箭头") {
            p.drawLine(QPointF(2, 14), QPointF(13, 3));
            p.setBrush(ink);
            p.drawPolygon(QPolygonF({QPointF(14, 2), QPointF(8, 4), QPointF(12, 8)}));
        } else if (shape == u"矩形") {
            p.drawRect(QRectF(2.5, 4.5, 11, 8));
        } else if (shape == u"椭圆") {
            p.drawEllipse(QRectF(2.5, 4.5, 11, 8));
        }
    });
}

// A colour button's picture: what it colours, over a bar of the colour.
QIcon colourIcon(const QString &field, const QColor &colour)
{
    return drawn([field, colour](QPainter &p) {
        if (field == u"填充颜色") {
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(8, 2), QPointF(13, 7), QPointF(8, 12)}));
        } else if (field == u"线条颜色") {
            p.drawLine(QPointF(3, 11), QPointF(12, 2));
            p.drawLine(QPointF(3, 11), QPointF(2, 12));
        } else {   // the font's colour: an A
            p.drawLine(QPointF(3, 12), QPointF(8, 1.5));
            p.drawLine(QPointF(8, 1.5), QPointF(13, 12));
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
        }
        p.fillRect(QRectF(1, 13, 14, 3), colour);
    });
}

QIcon swatch(const QString &name)
{
    return drawn([name](QPainter &p) {
        p.setBrush(SlideArt::colour(name, Qt::white));
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
    });
}

QString fromUtf8(const char *text)
{
    return QString::fromUtf8(text);
}

// The handle a docked toolbar is dragged by: two grooves across the bar's
// start, the pointer a four-way cross over it.
class Grip : public QWidget
{
public:
    Grip(QToolBar *bar, const std::function<void(const QPoint &)> &dropped) : QWidget(bar), m_bar(bar), m_dropped(dropped)
    {
        setCursor(Qt::SizeAllCursor);
        setToolTip(QStringLiteral("拖动可移动工具栏"));
        QObject::connect(bar, &QToolBar::orientationChanged, this, [this] { updateGeometry(); });
    }
    QSize sizeHint() const override
    {
        return m_bar->orientation() == Qt::Horizontal ? QSize(8, Size + 6) : QSize(Size + 6, 8);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const bool across = m_bar->orientation() == Qt::Horizontal;
        for (int i = 0; i < 2; ++i) {
            const QRect groove = across ? QRect(2 + i * 3, 2, 1, height() - 4) : QRect(2, 2 + i * 3, width() - 4, 1);
            p.fillRect(groove, Qt::white);
            p.fillRect(groove.translated(1, 1), QColor(128, 128, 128));
        }
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressed = event->button() == Qt::LeftButton;
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const QPoint at = mapToGlobal(event->position().toPoint());
        if (std::exchange(m_pressed, false) && !rect().contains(event->position().toPoint()))
            m_dropped(at);
    }

private:
    QToolBar *m_bar;
    std::function<void(const QPoint &)> m_dropped;
    bool m_pressed = false;
};

} // namespace

DrawingBar::DrawingBar(const std::function<QAction *(const QString &)> &command, QWidget *parent)
    : QToolBar(QStringLiteral("绘图"), parent)
{
    setObjectName(QStringLiteral("drawingBar"));
    setAccessibleName(QStringLiteral("绘图工具栏"));
    setMovable(false);
    setIconSize(QSize(Size, Size));
    auto *grip = new Grip(this, [this](const QPoint &global) { emit dropped(global); });
    grip->setObjectName(QStringLiteral("grip:绘图"));
    grip->setAccessibleName(QStringLiteral("移动绘图工具栏"));
    addWidget(grip);
    menuButton(QStringLiteral("绘图"), QStringLiteral("绘图(&R)"), drawMenu());
    addSeparator();
    menuButton(QStringLiteral("自选图形"), QStringLiteral("自选图形(&U)"), shapesMenu());
    // Shapes drawn by the next drag on the slide (a click places one).
    const QList<std::pair<const char *, QMap<QString, QString>>> shapes = {
        {"直线", {{QStringLiteral("形状"), QStringLiteral("直线")}}},
        {"箭头", {{QStringLiteral("形状"), QStringLiteral("直线")}, {QStringLiteral("箭头样式"), QStringLiteral("末端箭头")}}},
        {"矩形", {{QStringLiteral("形状"), QStringLiteral("矩形")}}},
        {"椭圆", {{QStringLiteral("形状"), QStringLiteral("椭圆")}}},
    };
    for (const auto &[name, fields] : shapes) {
        const QString shape = fromUtf8(name);
        QAction *draw = addAction(shapeIcon(shape), shape);
        draw->setObjectName(QStringLiteral("draw:") + shape);
        draw->setToolTip(shape);
        connect(draw, &QAction::triggered, this, [this, fields] { emit drawAsked(QStringLiteral("自选图形"), fields); });
    }
    // The editor's own commands.
    auto addCommand = [this, &command](const char *id, const QIcon &icon = {}) {
        QAction *action = command(fromUtf8(id));
        if (!action)
            return;
        if (!icon.isNull())
            action->setIcon(icon);
        action->setToolTip(action->iconText());
        addAction(action);
    };
    // Text boxes too are drawn on the slide, across or down.
    for (const auto &[name, direction] : {std::pair{"文本框", "横排"}, std::pair{"竖排文本框", "竖排"}}) {
        const bool down = QString::fromUtf8(direction) == u"竖排";
        QAction *box = addAction(drawn([down](QPainter &p) {
                                     p.drawRect(QRectF(1.5, 2.5, 13, 11));
                                     if (down) {
                                         p.drawLine(QPointF(10, 5), QPointF(10, 11));
                                         p.drawLine(QPointF(6, 5), QPointF(6, 11));
                                     } else {
                                         p.drawLine(QPointF(4, 6), QPointF(12, 6));
                                         p.drawLine(QPointF(8, 6), QPointF(8, 11));
                                     }
                                 }),
                                 fromUtf8(name));
        box->setObjectName(QStringLiteral("draw:") + fromUtf8(name));
        box->setToolTip(fromUtf8(name));
        connect(box, &QAction::triggered, this, [this, direction] {
            emit drawAsked(QStringLiteral("文本框"), {{QStringLiteral("方向"), fromUtf8(direction)}});
        });
    }
    addCommand("艺术字", drawn([](QPainter &p) {
        p.setPen(QPen(QColor(40, 90, 190), 2));
        p.drawLine(QPointF(2, 13), QPointF(8, 2));
        p.drawLine(QPointF(8, 2), QPointF(14, 13));
        p.drawLine(QPointF(4.5, 9), QPointF(11.5, 9));
    }));
    addCommand("图片", drawn([](QPainter &p) {
        p.setBrush(QColor(200, 225, 250));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(60, 150, 60));
        p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(7, 7), QPointF(11, 13)}));
    }));
    // 插入剪贴画: the clip art task pane.
    addCommand("剪贴画", drawn([](QPainter &p) {
        p.setBrush(QColor(250, 210, 170));
        p.drawEllipse(QRectF(5.5, 1.5, 5, 5));
        p.setBrush(QColor(40, 110, 200));
        p.drawPolygon(QPolygonF({QPointF(3, 14.5), QPointF(5, 7.5), QPointF(11, 7.5), QPointF(13, 14.5)}));
    }));
    if (QAction *clips = command(QStringLiteral("剪贴画"))) {
        clips->setToolTip(QStringLiteral("插入剪贴画"));
        if (QWidget *button = widgetForAction(clips))
            button->setAccessibleName(QStringLiteral("插入剪贴画"));
    }
    addSeparator();
    const QList<std::tuple<const char *, const char *, const char *, const char *, const char *, QColor>> colours = {
        {"填充颜色", "对象格式", "填充颜色", "无填充颜色(&N)", "其他填充颜色(&M)…", QColor(120, 200, 120)},
        {"线条颜色", "对象格式", "线条颜色", "无线条颜色(&N)", "其他线条颜色(&M)…", QColor(40, 40, 160)},
        {"字体颜色", "字体", "颜色", "", "其他颜色(&M)…", QColor(200, 0, 0)},
    };
    for (const auto &[name, id, field, none, more, shown] : colours) {
        QToolButton *colour = menuButton(fromUtf8(name), fromUtf8(name),
                                         colourMenu(fromUtf8(id), fromUtf8(field), fromUtf8(none), fromUtf8(more)));
        colour->setIcon(colourIcon(fromUtf8(name), shown));
        colour->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    // The line's weight, its dashes and its arrowheads, each from its menu.
    const QList<std::tuple<const char *, const char *, QStringList, std::function<void(QPainter &)>>> lines = {
        {"线型", "线条粗细", {QStringLiteral("0.25磅"), QStringLiteral("0.5磅"), QStringLiteral("0.75磅"), QStringLiteral("1磅"),
                              QStringLiteral("1.5磅"), QStringLiteral("2.25磅"), QStringLiteral("3磅"), QStringLiteral("4.5磅"),
                              QStringLiteral("6磅")},
         [](QPainter &p) {
             for (int i = 0; i < 3; ++i)
                 p.fillRect(QRectF(2, 3 + i * 4.5, 12, 0.8 + i), Qt::black);
         }},
        {"虚线线型", "线型", Commands::find(QStringLiteral("对象格式"))->field(QStringLiteral("线型"))->choices,
         [](QPainter &p) {
             for (int i = 0; i < 3; ++i)
                 for (double x = 2; x < 14; x += 3 + i)
                     p.fillRect(QRectF(x, 3 + i * 4.5, 1.5 + i, 1.2), Qt::black);
         }},
        {"箭头样式", "箭头样式", Commands::find(QStringLiteral("对象格式"))->field(QStringLiteral("箭头样式"))->choices,
         [](QPainter &p) {
             p.drawLine(QPointF(2, 8), QPointF(14, 8));
             p.setBrush(Qt::black);
             p.drawPolygon(QPolygonF({QPointF(14, 8), QPointF(10, 5.5), QPointF(10, 10.5)}));
         }},
    };
    for (const auto &[name, field, choices, paint] : lines) {
        auto *menu = new QMenu(this);
        for (const QString &choice : choices)
            addEntry(menu, choice, QStringLiteral("对象格式"), fromUtf8(field), choice);
        menu->addSeparator();
        QAction *other = menu->addAction(QStringLiteral("其他线条(&M)…"));
        other->setObjectName(QStringLiteral("entry:对象格式:"));
        connect(other, &QAction::triggered, this, [this] { emit opened(QStringLiteral("对象格式"), {}, {}); });
        QToolButton *lineButton = menuButton(fromUtf8(name), fromUtf8(name), menu);
        lineButton->setIcon(drawn(paint));
        lineButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    addSeparator();
    addCommand("阴影", drawn([](QPainter &p) {
        p.fillRect(QRectF(5, 5, 10, 10), QColor(150, 150, 150));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 10, 10));
    }));
    addCommand("三维效果", drawn([](QPainter &p) {
        p.setBrush(QColor(230, 230, 230));
        p.drawPolygon(QPolygonF({QPointF(1.5, 5.5), QPointF(5.5, 1.5), QPointF(14.5, 1.5), QPointF(10.5, 5.5)}));
        p.drawPolygon(QPolygonF({QPointF(10.5, 5.5), QPointF(14.5, 1.5), QPointF(14.5, 10.5), QPointF(10.5, 14.5)}));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 5.5, 9, 9));
    }));
    addCommand("对象格式", drawn([](QPainter &p) {
        p.setBrush(QColor(250, 230, 150));
        p.drawRect(QRectF(1.5, 3.5, 10, 8));
        p.drawLine(QPointF(9, 14), QPointF(15, 8));
    }));
}

QToolButton *DrawingBar::button(const QString &name) const
{
    for (QToolButton *b : findChildren<QToolButton *>())
        if (b->accessibleName() == name || (b->defaultAction() && b->defaultAction()->iconText() == name))
            return b;
    return nullptr;
}

QToolButton *DrawingBar::menuButton(const QString &name, const QString &text, QMenu *menu)
{
    auto *b = new QToolButton(this);
    b->setObjectName(QStringLiteral("button:") + name);
    b->setAccessibleName(name);
    b->setToolTip(name);
    b->setText(text + QStringLiteral(" ▾"));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    menu->setParent(b, menu->windowFlags());
    menu->setObjectName(QStringLiteral("drawingMenu:") + name);
    menu->setAccessibleName(name);
    // Shown without waiting: the candidate's click in it is an ordinary one.
    connect(b, &QToolButton::clicked, this, [b, menu] {
        menu->popup(b->mapToGlobal(QPoint(0, b->height())));
    });
    addWidget(b);
    return b;
}

void DrawingBar::addEntry(QMenu *menu, const QString &text, const QString &commandId, const QString &field, const QString &value)
{
    QAction *entry = menu->addAction(text);
    entry->setObjectName(QStringLiteral("entry:%1:%2").arg(commandId, value));
    connect(entry, &QAction::triggered, this, [this, commandId, field, value] {
        emit chosen(commandId, {{field, value}});
    });
}

QMenu *DrawingBar::drawMenu()
{
    auto *menu = new QMenu(this);
    const QString group = QStringLiteral("组合"), operation = QStringLiteral("操作");
    addEntry(menu, QStringLiteral("组合(&G)"), group, operation, QStringLiteral("组合"));
    addEntry(menu, QStringLiteral("取消组合(&U)"), group, operation, QStringLiteral("取消组合"));
    addEntry(menu, QStringLiteral("重新组合(&O)"), group, operation, QStringLiteral("重新组合"));
    menu->addSeparator();
    QMenu *order = menu->addMenu(QStringLiteral("叠放次序(&R)"));
    order->setObjectName(QStringLiteral("drawingMenu:叠放次序"));
    const QList<std::pair<const char *, QChar>> orders = {{"置于顶层", u'T'}, {"置于底层", u'K'}, {"上移一层", u'F'},
                                                          {"下移一层", u'B'}, {"置于文字上方", u'R'}, {"置于文字下方", u'H'}};
    for (const auto &[choice, key] : orders)
        addEntry(order, QStringLiteral("%1(&%2)").arg(fromUtf8(choice)).arg(key), QStringLiteral("叠放次序"),
                 QStringLiteral("叠放次序"), fromUtf8(choice));
    QMenu *align = menu->addMenu(QStringLiteral("对齐或分布(&A)"));
    align->setObjectName(QStringLiteral("drawingMenu:对齐或分布"));
    const QString alignId = QStringLiteral("对齐或分布");
    for (const QString &choice : Commands::find(alignId)->field(QStringLiteral("对齐"))->choices)
        addEntry(align, choice, alignId, QStringLiteral("对齐"), choice);
    align->addSeparator();
    for (const QString &choice : Commands::find(alignId)->field(QStringLiteral("分布"))->choices)
        addEntry(align, choice, alignId, QStringLiteral("分布"), choice);
    align->addSeparator();
    // Ticked, the entries above line the objects up with the slide.
    QAction *toSlide = align->addAction(QStringLiteral("相对于幻灯片(&R)"));
    toSlide->setObjectName(QStringLiteral("entry:对齐或分布:相对于幻灯片"));
    toSlide->setCheckable(true);
    connect(toSlide, &QAction::toggled, this, [this](bool on) { emit alignToSlide(on); });
    QMenu *turn = menu->addMenu(QStringLiteral("旋转或翻转(&P)"));
    turn->setObjectName(QStringLiteral("drawingMenu:旋转或翻转"));
    const QString turnId = QStringLiteral("旋转或翻转");
    QAction *free = turn->addAction(QStringLiteral("自由旋转(&F)…"));
    free->setObjectName(QStringLiteral("entry:旋转或翻转:自由旋转"));
    connect(free, &QAction::triggered, this, [this, turnId] { emit opened(turnId, {}, {}); });
    // A quarter turn on from where the object stands.
    addEntry(turn, QStringLiteral("向左旋转90°(&L)"), turnId, QStringLiteral("旋转"), QStringLiteral("向左旋转90°"));
    addEntry(turn, QStringLiteral("向右旋转90°(&T)"), turnId, QStringLiteral("旋转"), QStringLiteral("向右旋转90°"));
    turn->addSeparator();
    addEntry(turn, QStringLiteral("水平翻转(&H)"), turnId, QStringLiteral("翻转"), QStringLiteral("水平翻转"));
    addEntry(turn, QStringLiteral("垂直翻转(&V)"), turnId, QStringLiteral("翻转"), QStringLiteral("垂直翻转"));
    menu->addSeparator();
    QAction *format = menu->addAction(QStringLiteral("设置对象格式(&O)…"));
    format->setObjectName(QStringLiteral("entry:对象格式:"));
    connect(format, &QAction::triggered, this, [this] { emit opened(QStringLiteral("对象格式"), {}, {}); });
    return menu;
}

QMenu *DrawingBar::shapesMenu()
{
    auto *menu = new QMenu(this);
    const QList<std::pair<const char *, QStringList>> kinds = {
        {"线条(&L)", {QStringLiteral("直线")}},
        {"基本形状(&B)", {QStringLiteral("矩形"), QStringLiteral("圆角矩形"), QStringLiteral("椭圆"), QStringLiteral("正圆"),
                          QStringLiteral("笑脸")}},
        {"箭头总汇(&A)", {QStringLiteral("右箭头")}},
        {"星与旗帜(&S)", {QStringLiteral("五角星")}},
        {"标注(&C)", {QStringLiteral("云形标注")}},
    };
    for (const auto &[kind, shapes] : kinds) {
        QMenu *sub = menu->addMenu(fromUtf8(kind));
        sub->setObjectName(QStringLiteral("drawingMenu:") + QString(fromUtf8(kind)).section(u'(', 0, 0));
        for (const QString &shape : shapes) {
            // Chosen, the shape is drawn by the next drag on the slide.
            QAction *entry = sub->addAction(shape);
            entry->setObjectName(QStringLiteral("entry:自选图形:") + shape);
            connect(entry, &QAction::triggered, this, [this, shape] {
                emit drawAsked(QStringLiteral("自选图形"), {{QStringLiteral("形状"), shape}});
            });
        }
    }
    // 动作按钮 ▸: chosen, the button is drawn by the next drag and its
    // 动作设置 asked for.
    QMenu *actions = menu->addMenu(QStringLiteral("动作按钮(&I)"));
    actions->setObjectName(QStringLiteral("drawingMenu:动作按钮"));
    for (const QString &button : Commands::find(QStringLiteral("动作按钮"))->field(QStringLiteral("按钮"))->choices) {
        QAction *entry = actions->addAction(ToolIcons::icon(QStringLiteral("动作按钮：") + button), button);
        entry->setObjectName(QStringLiteral("entry:动作按钮:") + button);
        entry->setToolTip(QStringLiteral("动作按钮：") + button);
        connect(entry, &QAction::triggered, this, [this, button] {
            emit drawAsked(QStringLiteral("动作按钮"), {{QStringLiteral("按钮"), button}});
        });
    }
    menu->addSeparator();
    QAction *more = menu->addAction(QStringLiteral("其他自选图形(&M)…"));
    more->setObjectName(QStringLiteral("entry:自选图形:"));
    connect(more, &QAction::triggered, this, [this] { emit opened(QStringLiteral("自选图形"), {}, {}); });
    return menu;
}

QMenu *DrawingBar::colourMenu(const QString &commandId, const QString &field, const QString &none, const QString &more)
{
    auto *menu = new QMenu(this);
    if (!none.isEmpty())
        addEntry(menu, none, commandId, field, QStringLiteral("无"));
    for (const QString &colour : Commands::find(commandId)->field(field)->choices) {
        addEntry(menu, colour, commandId, field, colour);
        menu->actions().last()->setIcon(swatch(colour));
    }
    menu->addSeparator();
    // 其他…颜色 opens the 颜色 dialog; what it gave lately is offered above it.
    QAction *other = menu->addAction(more);
    other->setObjectName(QStringLiteral("entry:%1:").arg(commandId));
    connect(other, &QAction::triggered, this, [this, commandId, field] {
        ColourDialog::ask(this, {}, [this, commandId, field](const QString &colour) { emit chosen(commandId, {{field, colour}}); });
    });
    connect(menu, &QMenu::aboutToShow, this, [this, menu, other, commandId, field] {
        for (QAction *action : menu->actions())
            if (action->property("recent").toBool())
                delete action;
        for (const QString &colour : ColourDialog::recentColours()) {
            addEntry(menu, colour, commandId, field, colour);
            QAction *entry = menu->actions().last();
            entry->setIcon(swatch(colour));
            entry->setProperty("recent", true);
            menu->removeAction(entry);
            menu->insertAction(other, entry);
        }
    });
    return menu;
}
