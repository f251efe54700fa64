#include "panesteps.h"

#include "commands.h"
#include "session.h"

bool PaneSteps::isPane(const QString &commandId)
{
    return commandId == u"新建" || commandId == u"自定义动画" || commandId == u"幻灯片切换" || commandId == u"幻灯片版式"
        || commandId == u"幻灯片设计" || commandId == u"动画方案" || commandId == u"剪贴画";
}

bool PaneSteps::showsPane(const QString &commandId, const QString &route)
{
    // 新建 by its key or its toolbar button makes a blank presentation at once.
    if (commandId == u"新建" && (route == u"快捷键" || route == u"工具栏"))
        return false;
    return isPane(commandId);
}

PaneSteps::Role PaneSteps::role(const QString &commandId, const QString &field, const QString &value, bool inDialog)
{
    if (commandId == u"新建") {
        // 空白演示文稿 acts at once; 根据现有演示文稿 opens the file dialog
        // whose name and 创建 act; 根据设计模板 a dialog of the templates.
        if (field == u"模板" && value.trimmed() == u"空白演示文稿")
            return Role::Act;
        if (field == u"模板" && value.trimmed() == u"根据现有演示文稿")
            return Role::Choose;
        return Role::Dialog;
    }
    if (commandId == u"自定义动画") {
        static const QStringList acting = {QStringLiteral("效果"), QStringLiteral("方向"), QStringLiteral("速度"),
                                           QStringLiteral("开始"), QStringLiteral("重新排序"), QStringLiteral("自动预览"),
                                           QStringLiteral("预览")};
        if (field == u"对象")
            return Role::Target;
        if (field == u"类别" || (field == u"操作" && value.trimmed() == u"更改"))
            return Role::Choose;
        // The effect's own dialog (效果选项) has its direction, start and speed too.
        static const QStringList alsoInDialog = {QStringLiteral("方向"), QStringLiteral("开始"), QStringLiteral("速度")};
        if (inDialog && alsoInDialog.contains(field))
            return Role::Dialog;
        if (field == u"操作" || acting.contains(field))
            return Role::Act;
        return Role::Dialog;
    }
    if (commandId == u"幻灯片设计") {
        if (field == u"设计模板" || field == u"配色方案")
            return Role::Choose;
        if (field == u"应用范围" && !inDialog)
            return Role::Act;
        return Role::Dialog;
    }
    if (commandId == u"剪贴画")   // the search looks; a click on a clip inserts it
        return field == u"名称" ? Role::Act : Role::Choose;
    return Role::Act;
}

QStringList PaneSteps::dialogFields(const QString &commandId)
{
    QStringList fields;
    if (const CommandSpec *spec = Commands::find(commandId))
        for (const FieldSpec &field : spec->fields)
            if (role(commandId, field.name, {}, true) == Role::Dialog)
                fields << field.name;
    return fields;
}

QString PaneSteps::dialogName(const QString &commandId)
{
    if (commandId == u"新建")
        return QStringLiteral("根据现有演示文稿新建");
    return commandId == u"自定义动画" ? QStringLiteral("效果选项") : QStringLiteral("编辑配色方案");
}

QMap<QString, QString> PaneSteps::actingFields(const Session &session, const QString &commandId,
                                               const QMap<QString, QString> &fields)
{
    if (fields.value(QStringLiteral("应用范围")) != u"全部应用")
        return fields;
    QMap<QString, QString> all = {{QStringLiteral("应用范围"), QStringLiteral("全部应用")}};
    const Slide &slide = session.document().slides.at(session.current() - 1);
    if (commandId == u"动画方案") {
        // The button takes the current slide's scheme to every slide.
        if (const QString scheme = slide.attributes.value(QStringLiteral("动画方案")); !scheme.isEmpty())
            all.insert(QStringLiteral("动画方案"), scheme);
        return all;
    }
    if (commandId != u"幻灯片切换")
        return fields;
    const QString prefix = QStringLiteral("切换.");
    for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it)
        if (it.key().startsWith(prefix) && !it.key().mid(prefix.size()).contains(u'.'))
            all.insert(it.key().mid(prefix.size()), it.value());
    return all;
}

bool PaneSteps::playField(Session &session, State &state, const TaskStep &step)
{
    if (state.command.isEmpty())
        return false;
    switch (role(state.command, step.arg, step.value, !state.dialog.isEmpty())) {
    case Role::Target:
        state.target.insert(step.arg, step.value);
        break;
    case Role::Choose:
        state.chosen.insert(step.arg, step.value);
        break;
    case Role::Dialog:
        state.dialog.insert(step.arg, step.value);
        break;
    case Role::Act: {
        QMap<QString, QString> fields = state.target;
        fields.insert(state.chosen);
        fields.insert(step.arg, step.value);
        state.chosen.clear();
        session.run(state.command, actingFields(session, state.command, fields), QStringLiteral("任务窗格"));
        break;
    }
    }
    return true;
}

bool PaneSteps::playOk(Session &session, State &state)
{
    if (state.command.isEmpty())
        return false;
    if (!state.dialog.isEmpty()) {
        QMap<QString, QString> fields = state.target;
        fields.insert(state.chosen);
        fields.insert(state.dialog);
        state.chosen.clear();
        state.dialog.clear();
        session.run(state.command, fields, QStringLiteral("任务窗格"));
    }
    return true;
}

QList<TaskStep> PaneSteps::resume(const QList<TaskStep> &steps, qsizetype position)
{
    if (position <= 0 || position >= steps.size())
        return {};
    const TaskStep::Kind kind = steps.at(position).kind;
    if (kind != TaskStep::Kind::Field && kind != TaskStep::Kind::Ok)
        return {};
    qsizetype command = position - 1;
    while (command >= 0 && steps.at(command).kind != TaskStep::Kind::Command && steps.at(command).kind != TaskStep::Kind::Pane)
        --command;
    if (command < 0 || !isPane(steps.at(command).arg))
        return {};
    // The object and the choices not yet acted on stand; what acted has acted.
    QList<TaskStep> rest{steps.at(command)}, choices;
    bool inDialog = false;
    for (qsizetype k = command + 1; k < position; ++k) {
        const TaskStep &step = steps.at(k);
        if (step.kind != TaskStep::Kind::Field)
            continue;
        const Role r = role(steps.at(command).arg, step.arg, step.value, inDialog);
        if (r == Role::Dialog)
            inDialog = true;
        if (r == Role::Act)
            choices.clear();
        else if (r == Role::Choose)
            choices << step;
        else
            rest << step;
    }
    return rest + choices + steps.mid(position);
}
