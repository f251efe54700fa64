#pragma once

#include "document.h"
#include "task.h"

#include <QMap>
#include <QString>
#include <QStringList>

class Session;

// 新建 (the 新建演示文稿 pane), 自定义动画, 幻灯片切换, 幻灯片版式, 幻灯片设计, 动画方案 (幻灯片设计 -
// 动画方案) and 剪贴画 are task panes: their
// menu entries show the pane, and the pane's controls act at once. A task
// still names what the candidate sets by its command's field names
// ("step: field 效果 = 飞入"); here is how each such step acts in the pane:
//   - the object the pane works on (对象) stays chosen for what follows;
//   - some steps only choose (类别 opens its submenu of 添加效果, 更改 its
//     menu, a design template its drop-down) and the next one acts with them;
//   - the others act at once, on the selected slides or the chosen object
//     (应用范围 = 全部应用 is the button 应用于所有幻灯片);
//   - the fields of a dialog the pane opens (效果选项, 编辑配色方案) are
//     gathered and act with its 确定 ("step: ok").
class PaneSteps
{
public:
    enum class Role { Target, Choose, Act, Dialog };

    static bool isPane(const QString &commandId);
    // Whether the command reached this way (菜单, 快捷键, 工具栏…) shows its pane.
    static bool showsPane(const QString &commandId, const QString &route);
    // `inDialog`: a dialog the pane opened is taking fields.
    static Role role(const QString &commandId, const QString &field, const QString &value, bool inDialog = false);
    // The dialog's fields of the dialog a pane opens.
    static QStringList dialogFields(const QString &commandId);
    // The dialog the pane opens for those fields, as its button or link reads.
    static QString dialogName(const QString &commandId);

    // Where a path stands inside a pane.
    struct State
    {
        QString command;
        QMap<QString, QString> target, chosen, dialog;
    };
    // Plays a field step on the pane shown; false when none is (the step is a dialog's).
    static bool playField(Session &session, State &state, const TaskStep &step);
    // 确定 of the dialog the pane opened.
    static bool playOk(Session &session, State &state);
    // What the pane's control with these fields does (the button
    // 应用于所有幻灯片 carries the current slide's transition).
    static QMap<QString, QString> actingFields(const Session &session, const QString &commandId,
                                               const QMap<QString, QString> &fields);

    // The steps to play from `position` of `steps` when it lies inside a
    // pane: the pane shown again, the object and choices made before it
    // kept. Empty when `position` is not inside a pane.
    static QList<TaskStep> resume(const QList<TaskStep> &steps, qsizetype position);
};
