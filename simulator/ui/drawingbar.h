#pragma once

#include <QMap>
#include <QString>
#include <QToolBar>

#include <functional>

class QMenu;
class QToolButton;

// The drawing toolbar (绘图), as the editor has it: the 绘图 menu (组合,
// 取消组合, 重新组合, 叠放次序, 对齐或分布, 旋转或翻转, 设置对象格式), the
// 自选图形 menu of shapes, buttons that draw a line, an arrow, a rectangle,
// an oval or a text box (across or down) by a drag on the slide, the
// editor's own 艺术字, 图片, 对象格式, 阴影 and 三维效果 commands, the 填充颜色, 线条颜色 and 字体颜色 buttons with
// their colour menus, and 线型, 虚线线型 and 箭头样式 with theirs.
//
// A button or entry says what it does as a command with its dialog's fields
// (`chosen`; the object acted on is the editor's to add) or asks for a
// command's dialog with one choice made (`opened`), or asks for a text box
// or shape to be drawn by the next drag on the slide (`drawAsked`). A button with a menu
// shows it below itself without waiting for it, so the candidate's click in
// the menu is an ordinary one. Each entry is named "entry:<command>:<value>".
// 自选图形 ▸ 动作按钮 ▸ holds the action buttons, drawn as the shapes are.
//
// The bar is moved by the handle at its start (`dropped` where the
// candidate lets go); the editor docks it along that edge of the window.
class DrawingBar : public QToolBar
{
    Q_OBJECT

public:
    // `command` finds the editor's action of a command (艺术字, 阴影…).
    DrawingBar(const std::function<QAction *(const QString &)> &command, QWidget *parent = nullptr);

    // The button a screen reader calls `name`; null when the bar has none.
    QToolButton *button(const QString &name) const;

signals:
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);
    void opened(const QString &commandId, const QString &field, const QString &value);
    // 文本框 with 方向, or 自选图形 with 形状 (and 箭头样式 for the arrow).
    void drawAsked(const QString &commandId, const QMap<QString, QString> &fields);
    // 相对于幻灯片 ticked or cleared in the 对齐或分布 menu.
    void alignToSlide(bool on);
    // The handle dragged and let go at `global`.
    void dropped(const QPoint &global);

private:
    QToolButton *menuButton(const QString &name, const QString &text, QMenu *menu);
    QMenu *drawMenu();
    QMenu *shapesMenu();
    // The colours of one field ("填充颜色" of 对象格式, "颜色" of 字体).
    QMenu *colourMenu(const QString &commandId, const QString &field, const QString &none, const QString &more);
    void addEntry(QMenu *menu, const QString &text, const QString &commandId, const QString &field, const QString &value);
};
