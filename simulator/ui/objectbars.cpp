#include "objectbars.h"

#include "commands.h"
#include "toolicons.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QToolButton>

ObjectBar::ObjectBar(const QString &title, QWidget *parent) : QToolBar(title, parent)
{
    setObjectName(QStringLiteral("objectBar:") + title);
    setAccessibleName(title + QStringLiteral("工具栏"));
    setMovable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // A floating bar of the era: a raised frame over the slide.
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("ObjectBar { border: 1px solid #7a8aa8; background: #eef1f7; }"));
    if (title == u"图片")
        buildPicture();
    else if (title == u"艺术字")
        buildWordArt();
    else
        buildTable();
    hide();
    if (parent)
        parent->installEventFilter(this);
}

QStringList ObjectBar::titles()
{
    return {QStringLiteral("图片"), QStringLiteral("艺术字"), QStringLiteral("表格和边框")};
}

bool ObjectBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        place(m_row);
    return QToolBar::eventFilter(watched, event);
}

void ObjectBar::place(int row)
{
    m_row = row;
    if (!parentWidget())
        return;
    resize(sizeHint());
    const int x = std::max(0, parentWidget()->width() - width() - 4);
    move(x, 4 + row * (height() + 2));
    raise();
}

QAction *ObjectBar::button(const QString &name, const std::function<void()> &done)
{
    QAction *action = addAction(ToolIcons::icon(name), name);
    action->setObjectName(QStringLiteral("objectButton:") + name);
    action->setToolTip(name);
    connect(action, &QAction::triggered, this, done);
    if (QWidget *shown = widgetForAction(action))
        shown->setAccessibleName(name);
    return action;
}

QToolButton *ObjectBar::listButton(const QString &name, QMenu *menu)
{
    auto *b = new QToolButton(this);
    b->setObjectName(QStringLiteral("button:") + name);
    b->setAccessibleName(name);
    b->setToolTip(name);
    b->setIcon(ToolIcons::icon(name));
    b->setText(name);
    b->setAutoRaise(true);
    // Its list drops at once: the candidate's click in it is an ordinary one.
    b->setToolButtonStyle(ToolIcons::icon(name).isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    if (b->toolButtonStyle() == Qt::ToolButtonTextOnly)
        b->setText(name + QStringLiteral(" ▾"));
    menu->setParent(b, menu->windowFlags());
    menu->setObjectName(QStringLiteral("objectMenu:") + name);
    menu->setAccessibleName(name);
    connect(b, &QToolButton::clicked, this, [b, menu] { menu->popup(b->mapToGlobal(QPoint(0, b->height()))); });
    addWidget(b);
    return b;
}

QMenu *ObjectBar::choices(const QString &commandId, const QString &field, const QStringList &values)
{
    auto *menu = new QMenu(this);
    for (const QString &value : values) {
        QAction *entry = menu->addAction(value);
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(commandId, value));
        connect(entry, &QAction::triggered, this, [this, commandId, field, value] { emit chosen(commandId, {{field, value}}); });
    }
    return menu;
}

void ObjectBar::buildPicture()
{
    m_kind = QStringLiteral("图片");
    const QString format = QStringLiteral("对象格式");
    button(QStringLiteral("插入图片"), [this] { emit opened(QStringLiteral("图片"), QStringLiteral("来源"), QStringLiteral("来自文件")); });
    listButton(QStringLiteral("颜色"), choices(format, QStringLiteral("图片颜色"),
                                                Commands::find(format)->field(QStringLiteral("图片颜色"))->choices));
    for (const auto &[name, field, by] : {std::tuple{"增加对比度", "对比度", 1}, std::tuple{"降低对比度", "对比度", -1},
                                          std::tuple{"增加亮度", "亮度", 1}, std::tuple{"降低亮度", "亮度", -1}})
        button(QString::fromUtf8(name), [this, field = QString::fromUtf8(field), by = by] { emit stepped(field, by); });
    button(QStringLiteral("裁剪"), [this, format] { emit opened(format, QStringLiteral("裁剪"), {}); });
    button(QStringLiteral("向左旋转90°"), [this] {
        emit chosen(QStringLiteral("旋转或翻转"), {{QStringLiteral("旋转"), QStringLiteral("向左旋转90°")}});
    });
    listButton(QStringLiteral("线型"), choices(format, QStringLiteral("线条粗细"),
                                                {QStringLiteral("0.25磅"), QStringLiteral("0.5磅"), QStringLiteral("0.75磅"),
                                                 QStringLiteral("1磅"), QStringLiteral("1.5磅"), QStringLiteral("2.25磅"),
                                                 QStringLiteral("3磅"), QStringLiteral("4.5磅"), QStringLiteral("6磅")}));
    button(QStringLiteral("压缩图片"), [this] { emit opened(QStringLiteral("压缩图片"), {}, {}); });
    button(QStringLiteral("设置图片格式"), [this, format] { emit opened(format, {}, {}); });
    button(QStringLiteral("设置透明色"), [this] {
        emit chosen(QStringLiteral("设置透明色"), {{QStringLiteral("透明色"), QStringLiteral("是")}});
    });
    button(QStringLiteral("重设图片"), [this, format] { emit chosen(format, {{QStringLiteral("重设"), QStringLiteral("是")}}); });
}

void ObjectBar::buildWordArt()
{
    m_kind = QStringLiteral("艺术字");
    const QString format = QStringLiteral("对象格式"), wordArt = QStringLiteral("艺术字");
    button(QStringLiteral("插入艺术字"), [this, wordArt] { emit opened(wordArt, {}, {}); });
    // 编辑文字 opens the 艺术字 dialog on the object's own text; the
    // gallery on its style.
    QAction *edit = button(QStringLiteral("编辑文字"), [this, wordArt] { emit opened(wordArt, {}, {}); });
    edit->setText(QStringLiteral("编辑文字(&X)…"));
    if (QToolButton *shown = qobject_cast<QToolButton *>(widgetForAction(edit))) {
        shown->setToolButtonStyle(Qt::ToolButtonTextOnly);
        shown->setAccessibleName(QStringLiteral("编辑文字"));
    }
    button(QStringLiteral("艺术字库"), [this, wordArt] { emit opened(wordArt, {}, {}); });
    button(QStringLiteral("设置艺术字格式"), [this, format] { emit opened(format, {}, {}); });
    listButton(QStringLiteral("艺术字形状"), choices(format, QStringLiteral("形状"),
                                                      Commands::find(format)->field(QStringLiteral("形状"))->choices));
    button(QStringLiteral("艺术字字母高度相同"), [this] { emit toggled(QStringLiteral("艺术字字母高度相同"), QStringLiteral("字母高度相同")); });
    button(QStringLiteral("艺术字竖排文字"), [this, format] { emit toggled(format, QStringLiteral("文字方向")); });
    for (const char *id : {"艺术字对齐方式", "艺术字字符间距"}) {
        const QString command = QString::fromUtf8(id);
        const FieldSpec &field = Commands::find(command)->fields.last();
        listButton(command, choices(command, field.name, field.choices));
    }
}

void ObjectBar::buildTable()
{
    m_kind = QStringLiteral("表格");
    const QString table = QStringLiteral("表格属性");
    const CommandSpec *spec = Commands::find(table);
    listButton(QStringLiteral("边框样式"), choices(table, QStringLiteral("线型"), spec->field(QStringLiteral("线型"))->choices));
    listButton(QStringLiteral("边框宽度"), choices(table, QStringLiteral("外边框"),
                                                    {QStringLiteral("0.5磅"), QStringLiteral("1磅"), QStringLiteral("1.5磅"),
                                                     QStringLiteral("2.25磅"), QStringLiteral("3磅"), QStringLiteral("4.5磅"),
                                                     QStringLiteral("6磅")}));
    listButton(QStringLiteral("边框颜色"), choices(table, QStringLiteral("线条颜色"), spec->field(QStringLiteral("线条颜色"))->choices));
    button(QStringLiteral("外部框线"), [this, table] { emit chosen(table, {{QStringLiteral("外边框"), QStringLiteral("1磅")}}); });
    listButton(QStringLiteral("填充颜色"), choices(table, QStringLiteral("填充颜色"), spec->field(QStringLiteral("填充颜色"))->choices));
    // 表格 ▾: the table's operations, each in the 表格 dialog with its choice made.
    auto *operations = new QMenu(this);
    for (const QString &operation : spec->field(QStringLiteral("操作"))->choices) {
        QAction *entry = operations->addAction(operation);
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(table, operation));
        connect(entry, &QAction::triggered, this, [this, table, operation] { emit opened(table, QStringLiteral("操作"), operation); });
    }
    operations->addSeparator();
    QAction *properties = operations->addAction(QStringLiteral("表格属性(&I)…"));
    properties->setObjectName(QStringLiteral("entry:%1:").arg(table));
    connect(properties, &QAction::triggered, this, [this, table] { emit opened(table, {}, {}); });
    listButton(QStringLiteral("表格"), operations);
    button(QStringLiteral("合并单元格"), [this, table] { emit opened(table, QStringLiteral("操作"), QStringLiteral("合并")); });
    button(QStringLiteral("拆分单元格"), [this, table] { emit opened(table, QStringLiteral("操作"), QStringLiteral("拆分")); });
    addSeparator();
    for (const char *where : {"顶端对齐", "垂直居中", "底端对齐"})
        button(QString::fromUtf8(where), [this, table, where] {
            emit chosen(table, {{QStringLiteral("文字对齐"), QString::fromUtf8(where)}});
        });
}
