// The editor's side of the shapes on the slide under edit: what the slide
// view tells (a click, Shift or Ctrl with a click, a drag, a handle pulled,
// the rotation handle turned, an arrow key, Delete, a text box or shape
// drawn, text typed into a shape) is carried out on the session and told
// to the guide; and the context menu of a shape.
#include "editorwindow.h"

#include "commands.h"
#include "editorparts.h"
#include "inputroute.h"
#include "objectbars.h"
#include "shapes.h"
#include "slideart.h"

#include <algorithm>
#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <utility>

void EditorWindow::buildShapes()
{
    connect(m_slide, &SlideView::shapeClicked, this, [this](const QString &name, bool add) {
        if (name.isEmpty()) {
            m_session.clearShapeSelection();
        } else {
            m_session.selectShape(name, add);
            report(TaskStep{TaskStep::Kind::Shape, m_session.selectedShapes().join(u','), {}, {}});
            // A click on a text box puts the caret into it too: what is typed or inserted goes there.
            if (!add && Shapes::kindOf(name) == u"文本框")
                report(TaskStep{TaskStep::Kind::Click, name, {}, {}});
        }
        m_slide->setSelectedShapes(m_session.selectedShapes());
        updateObjectBars();
    });
    connect(m_slide, &SlideView::shapeUnselected, this, [this](const QString &name) {
        m_session.unselectShape(name);
        if (!m_session.selectedShapes().isEmpty())
            report(TaskStep{TaskStep::Kind::Shape, m_session.selectedShapes().join(u','), {}, {}});
        m_slide->setSelectedShapes(m_session.selectedShapes());
        updateObjectBars();
    });
    connect(m_slide, &SlideView::shapeRotated, this, [this](const QString &name, double degrees) {
        if (!m_session.rotateShape(name, degrees))
            return;
        const QString angle = m_session.document().slides.at(m_session.current() - 1).attributes.value(name + QStringLiteral(".旋转"));
        shapeChanged(TaskStep{TaskStep::Kind::Rotate, name, angle, {}});
    });
    connect(m_slide, &SlideView::shapeFramed, this, [this](const QString &name, const QRectF &frame, bool sized) {
        if (!m_session.setShapeFrame(name, frame))
            return;
        const QRectF now = Shapes::find(m_session.shapeSlide(), name)->frame;
        shapeChanged(sized ? TaskStep{TaskStep::Kind::Resize, name, Shapes::pairText(now.width(), now.height()), {}}
                           : TaskStep{TaskStep::Kind::Move, name, Shapes::regionOf(now), {}});
    });
    connect(m_slide, &SlideView::groupFramed, this, [this](const QString &member, const QRectF &frame) {
        if (!m_session.setGroupFrame(member, frame))
            return;
        const QRectF now = Shapes::groupFrame(m_session.document().slides.at(m_session.current() - 1), member);
        shapeChanged(TaskStep{TaskStep::Kind::Resize, member, Shapes::pairText(now.width(), now.height()), {}});
    });
    connect(m_slide, &SlideView::shapesDeleteAsked, this, [this] {
        if (m_session.deleteShapes())
            shapeChanged(TaskStep{TaskStep::Kind::Key, QStringLiteral("Del"), {}, {}});
    });
    connect(m_slide, &SlideView::boxDrawn, this, [this](const QRectF &frame) {
        if (std::exchange(m_drawCommand, {}) == u"动作按钮") {
            // The button is placed where it was drawn once its 动作设置 are given.
            const QMap<QString, QString> fields = std::exchange(m_drawShape, {});
            trigger(QStringLiteral("动作按钮"));
            if (!m_dialog)
                return;
            m_dialog->setValue(QStringLiteral("按钮"), fields.value(QStringLiteral("按钮")));
            m_drawnButton = {m_dialog, frame};
            return;
        }
        if (!m_drawShape.isEmpty()) {
            // Told to the guide as the 自选图形 command with the shape's fields.
            const QMap<QString, QString> fields = std::exchange(m_drawShape, {});
            const CommandSpec *spec = Commands::find(QStringLiteral("自选图形"));
            report(TaskStep{TaskStep::Kind::Command, spec->id, {}, {}});
            for (const FieldSpec &field : spec->fields)
                if (fields.contains(field.name))
                    report(TaskStep{TaskStep::Kind::Field, field.name, fields.value(field.name), {}});
            report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
            m_session.drawShape(fields, frame, m_drawRoute);
            m_slide->setSelectedShapes(m_session.selectedShapes());
            refresh();
            changed();
            return;
        }
        m_session.drawTextBox(frame, m_drawVertical);
        QString drawn = Shapes::pairText(frame.x(), frame.y()) + u',' + Shapes::pairText(frame.width(), frame.height());
        if (m_drawVertical)
            drawn += QStringLiteral(" 竖排");
        shapeChanged(TaskStep{TaskStep::Kind::DrawBox, drawn, {}, {}});
    });
    connect(m_slide, &SlideView::shapeTyped, this, [this](const QString &name, const QString &text) {
        m_session.setShapeText(name, text);
        shapeChanged(TaskStep{TaskStep::Kind::Type, name, text, {}});
    });
}

QAction *EditorWindow::textBoxMenu()
{
    auto *menu = new QMenu(QStringLiteral("文本框(&X)"), this);
    menu->setObjectName(QStringLiteral("menu:文本框"));
    menu->setAccessibleName(QStringLiteral("文本框"));
    for (const auto &[direction, key] : {std::pair{"横排", 'H'}, std::pair{"竖排", 'V'}}) {
        const QString name = QString::fromUtf8(direction);
        QAction *entry = menu->addAction(QStringLiteral("%1(&%2)").arg(name).arg(QLatin1Char(key)));
        entry->setObjectName(QStringLiteral("entry:文本框:") + name);
        connect(entry, &QAction::triggered, this, [this, name] {
            startDrawing(QStringLiteral("文本框"), {{QStringLiteral("方向"), name}});
        });
    }
    return menu->menuAction();
}

void EditorWindow::startDrawing(const QString &commandId, const QMap<QString, QString> &fields)
{
    // The pointer becomes a cross: the next drag on the slide draws the box
    // or the shape; a click without a drag places one of the editor's size.
    m_drawRoute = m_route->route();
    m_drawCommand = commandId;
    if (commandId == u"文本框") {
        m_drawShape.clear();
        m_drawVertical = fields.value(QStringLiteral("方向")) == u"竖排";
        m_slide->setDrawingBox(true);
    } else {
        m_drawShape = fields;
        m_slide->setDrawingBox(true, QSizeF(2.54, 2.54), fields.value(QStringLiteral("形状")) == u"直线");
    }
    m_slide->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::shapeChanged(const TaskStep &action)
{
    report(action);
    refresh();
    changed();
}

void EditorWindow::shapeMenu(const QString &shape, const QPoint &at)
{
    // The menu's commands act on the shape clicked, with those selected along with it.
    if (!m_session.selectedShapes().contains(shape)) {
        m_session.selectShape(shape);
        m_slide->setSelectedShapes(m_session.selectedShapes());
    }
    report(TaskStep{TaskStep::Kind::Context, shape, {}, {}});
    if (Shapes::kindOf(shape) == u"表格")
        return tableMenu(m_slide->mapToGlobal(at));
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("shapeMenu"));
    for (const char *id : {"剪切", "复制", "粘贴"})
        menu.addAction(m_actions.value(QString::fromUtf8(id)));
    menu.addSeparator();
    // 组合 ▸ as on the drawing toolbar's 绘图 menu: the selected shapes together.
    QMenu *group = menu.addMenu(QStringLiteral("组合(&G)"));
    group->setObjectName(QStringLiteral("shapeMenu:组合"));
    for (const auto &[how, key] : {std::pair{"组合", 'G'}, std::pair{"取消组合", 'U'}, std::pair{"重新组合", 'O'}}) {
        const QString operation = QString::fromUtf8(how);
        QAction *entry = group->addAction(QStringLiteral("%1(&%2)").arg(operation).arg(QLatin1Char(key)));
        entry->setObjectName(QStringLiteral("entry:组合:") + operation);
        connect(entry, &QAction::triggered, this, [this, operation] {
            drawingChosen(QStringLiteral("组合"), {{QStringLiteral("操作"), operation}});
        });
    }
    QMenu *order = menu.addMenu(QStringLiteral("叠放次序(&R)"));
    order->setObjectName(QStringLiteral("shapeMenu:叠放次序"));
    for (const char *how : {"置于顶层", "置于底层", "上移一层", "下移一层"}) {
        QAction *entry = order->addAction(QString::fromUtf8(how));
        entry->setObjectName(QStringLiteral("entry:叠放次序:") + QString::fromUtf8(how));
        connect(entry, &QAction::triggered, this, [this, how] {
            runWithoutDialog(QStringLiteral("叠放次序"), {{QStringLiteral("叠放次序"), QString::fromUtf8(how)}});
        });
    }
    if (Shapes::kindOf(shape) == u"媒体") {
        // A sound's or a movie's own options.
        const bool movie = m_session.document().slides.at(m_session.current() - 1)
                               .attributes.value(shape + QStringLiteral(".类型")) == u"影片";
        menu.addSeparator();
        menu.addAction(m_actions.value(movie ? QStringLiteral("编辑影片对象") : QStringLiteral("编辑声音对象")));
    }
    menu.addSeparator();
    for (const char *id : {"自定义动画", "动作设置", "超链接"})
        menu.addAction(m_actions.value(QString::fromUtf8(id)));
    menu.addSeparator();
    // The 对象格式 command on the selection, named after it (设置图片格式…).
    QAction *format = menu.addAction(QStringLiteral("设置%1格式(&O)…").arg(selectionName()));
    format->setObjectName(QStringLiteral("command:对象格式"));
    connect(format, &QAction::triggered, this, [this] { trigger(QStringLiteral("对象格式")); });
    execContextMenu(menu, m_slide->mapToGlobal(at));
}

void EditorWindow::buildObjectBars()
{
    for (const QString &title : ObjectBar::titles()) {
        auto *bar = new ObjectBar(title, m_slide);
        m_objectBars.append(bar);
        m_toolBars.insert(title, bar);
        connect(bar, &ObjectBar::chosen, this, &EditorWindow::drawingChosen);
        connect(bar, &ObjectBar::opened, this, &EditorWindow::drawingOpened);
        connect(bar, &ObjectBar::stepped, this, &EditorWindow::objectStepped);
        connect(bar, &ObjectBar::toggled, this, &EditorWindow::objectToggled);
        // A list dropped from a button is the candidate's toolbar step, as on the drawing toolbar.
        for (QToolButton *button : bar->findChildren<QToolButton *>())
            for (QMenu *menu : button->findChildren<QMenu *>(Qt::FindDirectChildrenOnly)) {
                connect(menu, &QMenu::aboutToShow, this, [this, name = button->accessibleName()] {
                    report(TaskStep{TaskStep::Kind::Toolbar, name, {}, {}});
                });
                connect(menu, &QMenu::aboutToHide, this, &EditorWindow::updateGuideLater);
            }
        if (auto *more = bar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(QStringLiteral("工具栏选项"));
    }
}

void EditorWindow::updateObjectBars()
{
    const QStringList selected = m_session.selectedShapes();
    const QString kind = selected.isEmpty() ? QString() : Shapes::kindOf(selected.first());
    const bool fullScreen = m_session.document().settings.value(QStringLiteral("全屏显示")) == u"1";
    // Made when first needed, not while the simulator starts: an object
    // selected, or one of them ticked in 视图 → 工具栏.
    if (m_objectBars.isEmpty()) {
        const QStringList titles = ObjectBar::titles();
        const bool ticked = std::any_of(titles.begin(), titles.end(), [this](const QString &t) { return m_toolBarShown.value(t); });
        if (selected.isEmpty() && !ticked)
            return;
        buildObjectBars();
    }
    int row = 0;
    for (ObjectBar *bar : std::as_const(m_objectBars)) {
        const QString title = bar->windowTitle();
        // Ticked or cleared in 视图 → 工具栏 it stays so; else it comes with its object.
        const bool shown = m_toolBarShown.contains(title) ? m_toolBarShown.value(title) : kind == bar->objectKind();
        if (QAction *tick = m_toolBarTicks.value(title))
            tick->setChecked(shown);
        bar->setVisible(shown && !fullScreen);
        if (bar->isVisible())
            bar->place(row++);
    }
}

void EditorWindow::objectStepped(const QString &field, int by)
{
    const QString object = drawingObject(QStringLiteral("对象格式"));
    const QString now = object.isEmpty() ? QString()
                                         : m_session.document().slides.at(m_session.current() - 1).attributes.value(object + u'.' + field);
    drawingChosen(QStringLiteral("对象格式"), {{field, SlideArt::adjustmentText(SlideArt::adjustmentSteps(now) + by)}});
}

void EditorWindow::objectToggled(const QString &commandId, const QString &field)
{
    const QString object = drawingObject(commandId);
    const QString now = object.isEmpty() ? QString()
                                         : m_session.document().slides.at(m_session.current() - 1).attributes.value(object + u'.' + field);
    const QString turned = field == u"文字方向" ? (now == u"竖排" ? QStringLiteral("横排") : QStringLiteral("竖排"))
                                                : (now == u"是" ? QStringLiteral("否") : QStringLiteral("是"));
    drawingChosen(commandId, {{field, turned}});
}

void EditorWindow::tableMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("tableMenu"));
    for (const char *id : {"剪切", "复制", "粘贴"})
        menu.addAction(m_actions.value(QString::fromUtf8(id)));
    menu.addSeparator();
    const QString command = QStringLiteral("表格属性");
    QAction *borders = menu.addAction(QStringLiteral("边框和填充(&B)…"));
    borders->setObjectName(QStringLiteral("command:") + command);
    connect(borders, &QAction::triggered, this, [this, command] { trigger(command); });
    menu.addSeparator();
    // Each opens the table's dialog with its operation chosen: the candidate
    // says there which row, column or cell.
    struct Entry { const char *text; char key; const char *operation; };
    const Entry entries[] = {{"插入行", 'I', "插入一行"}, {"插入列", 'C', "插入一列"}, {"删除行", 'D', "删除"},
                             {"删除列", 'L', "删除"}, {"合并单元格", 'M', "合并"}, {"拆分单元格", 'T', "拆分"}};
    for (const Entry &e : entries) {
        const QString text = QString::fromUtf8(e.text);
        if (text == u"合并单元格")
            menu.addSeparator();
        QAction *entry = menu.addAction(QStringLiteral("%1(&%2)…").arg(text).arg(QLatin1Char(e.key)));
        entry->setObjectName(QStringLiteral("entry:%1:%2").arg(command, text));
        connect(entry, &QAction::triggered, this, [this, command, operation = QString::fromUtf8(e.operation)] {
            trigger(command);
            if (m_dialog)
                m_dialog->setValue(QStringLiteral("操作"), operation);
        });
    }
    menu.addSeparator();
    for (const char *id : {"自定义动画", "动作设置", "超链接"})
        menu.addAction(m_actions.value(QString::fromUtf8(id)));
    menu.addSeparator();
    QAction *format = menu.addAction(QStringLiteral("设置表格格式(&O)…"));
    format->setObjectName(QStringLiteral("entry:%1:设置表格格式").arg(command));
    connect(format, &QAction::triggered, this, [this, command] { trigger(command); });
    execContextMenu(menu, at);
}
