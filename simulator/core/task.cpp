#include "task.h"

#include "panesteps.h"

#include "commands.h"
#include "session.h"
#include "shapes.h"

#include <QFile>
#include <QRegularExpression>
#include <QMap>

namespace {

const QMap<QString, TaskStep::Kind> &stepKinds()
{
    static const QMap<QString, TaskStep::Kind> kinds = {
        {QStringLiteral("select"), TaskStep::Kind::Select}, {QStringLiteral("menu"), TaskStep::Kind::Menu},
        {QStringLiteral("command"), TaskStep::Kind::Command}, {QStringLiteral("field"), TaskStep::Kind::Field},
        {QStringLiteral("ok"), TaskStep::Kind::Ok}, {QStringLiteral("type"), TaskStep::Kind::Type},
        {QStringLiteral("show"), TaskStep::Kind::Show}, {QStringLiteral("key"), TaskStep::Kind::Key},
        {QStringLiteral("context"), TaskStep::Kind::Context}, {QStringLiteral("click"), TaskStep::Kind::Click},
        {QStringLiteral("selecttext"), TaskStep::Kind::SelectText}, {QStringLiteral("drag"), TaskStep::Kind::Drag},
        {QStringLiteral("toolbar"), TaskStep::Kind::Toolbar}, {QStringLiteral("pane"), TaskStep::Kind::Pane},
        {QStringLiteral("shape"), TaskStep::Kind::Shape},
        {QStringLiteral("move"), TaskStep::Kind::Move}, {QStringLiteral("resize"), TaskStep::Kind::Resize},
        {QStringLiteral("drawbox"), TaskStep::Kind::DrawBox}, {QStringLiteral("rotate"), TaskStep::Kind::Rotate},
        {QStringLiteral("dock"), TaskStep::Kind::Dock},
    };
    return kinds;
}

// Where a toolbar dragged by its handle can stand: along an edge of the window.
const QStringList &dockPlaces()
{
    static const QStringList places = {QStringLiteral("顶部"), QStringLiteral("底部"), QStringLiteral("左侧"), QStringLiteral("右侧")};
    return places;
}

// A value of several lines (text typed into the body) is written on one line, a line break as \n.
QString oneLine(QString value)
{
    return value.replace(u'\n', QStringLiteral("\\n"));
}

QString lines(QString value)
{
    return value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

std::optional<TaskCheck> parseCheck(const QString &text)
{
    const int equals = text.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return TaskCheck{text.left(equals).trimmed(), lines(text.mid(equals + 1).trimmed())};
}

std::optional<TaskStep> parseStep(const QString &text)
{
    TaskStep step;
    const int bar = text.indexOf(u'|');
    const QString action = (bar < 0 ? text : text.left(bar)).trimmed();
    step.hint = bar < 0 ? QString() : lines(text.mid(bar + 1).trimmed());
    const QString word = action.section(u' ', 0, 0);
    if (!stepKinds().contains(word))
        return std::nullopt;
    step.kind = stepKinds().value(word);
    const QString rest = action.section(u' ', 1).trimmed();
    switch (step.kind) {
    case TaskStep::Kind::Field: {
        const auto check = parseCheck(rest);
        if (!check || check->path.isEmpty())
            return std::nullopt;
        step.arg = check->path;
        step.value = check->value;
        break;
    }
    case TaskStep::Kind::Type:
    case TaskStep::Kind::SelectText:
    case TaskStep::Kind::Move:
    case TaskStep::Kind::Resize:
    case TaskStep::Kind::Rotate:
    case TaskStep::Kind::Dock:
        step.arg = rest.section(u' ', 0, 0);
        step.value = lines(rest.section(u' ', 1));
        if (step.arg.isEmpty())
            return std::nullopt;
        break;
    case TaskStep::Kind::Ok:
        break;
    default:
        step.arg = rest;
        if (step.arg.isEmpty())
            return std::nullopt;
    }
    return step;
}

QString stepText(const TaskStep &step)
{
    QString action = stepKinds().key(step.kind);
    switch (step.kind) {
    case TaskStep::Kind::Field: action += u' ' + step.arg + QStringLiteral(" = ") + oneLine(step.value); break;
    case TaskStep::Kind::Type:
    case TaskStep::Kind::SelectText:
    case TaskStep::Kind::Move:
    case TaskStep::Kind::Resize:
    case TaskStep::Kind::Rotate:
    case TaskStep::Kind::Dock: action += u' ' + step.arg + u' ' + oneLine(step.value); break;
    case TaskStep::Kind::Ok: break;
    default: action += u' ' + step.arg;
    }
    return action + QStringLiteral(" | ") + oneLine(step.hint);
}

// "ctrl + b" and "Ctrl+B" are one key.
QString keyText(QString key)
{
    key = key.remove(u' ').toLower();
    return key.replace(QStringLiteral("delete"), QStringLiteral("del")).replace(QStringLiteral("escape"), QStringLiteral("esc"));
}

const QStringList &contextPlaces()
{
    static const QStringList places = {QStringLiteral("title"), QStringLiteral("body"), QStringLiteral("slide"),
                                       QStringLiteral("list"), QStringLiteral("sorter")};
    return places;
}

// "gap 4": the sorter's gap before slide 4, where a click places the
// insertion bar; 0 for another click.
int gapOf(const QString &arg)
{
    if (!arg.startsWith(QStringLiteral("gap ")))
        return 0;
    bool ok = false;
    const int before = arg.mid(4).trimmed().toInt(&ok);
    return ok && before >= 1 ? before : 0;
}

bool isTextPart(const QString &part)
{
    return part == u"title" || part == u"body" || part == u"notes";
}

// A drawn frame "x,y,w,h" in 厘米, "竖排" after it for a box that writes
// down; nullopt for anything else.
std::optional<QRectF> drawnFrame(const QString &text)
{
    const QString direction = text.section(u' ', 1).trimmed();
    if (!direction.isEmpty() && direction != u"横排" && direction != u"竖排")
        return std::nullopt;
    const QStringList parts = text.section(u' ', 0, 0).split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    const auto at = Shapes::pair(parts.at(0) + u',' + parts.at(1));
    const auto size = Shapes::pair(parts.at(2) + u',' + parts.at(3));
    if (!at || !size || size->x() <= 0 || size->y() <= 0)
        return std::nullopt;
    return QRectF(*at, QSizeF(size->x(), size->y()));
}

// A place the guide can start from when it plans again: not inside a dialog,
// and not a command reached through the menu, key or context step before it.
bool isEntry(const QList<TaskStep> &steps, qsizetype index)
{
    const TaskStep::Kind kind = steps.at(index).kind;
    if (kind == TaskStep::Kind::Field || kind == TaskStep::Kind::Ok)
        return false;
    if (kind != TaskStep::Kind::Command || index == 0)
        return true;
    const TaskStep::Kind before = steps.at(index - 1).kind;
    return before != TaskStep::Kind::Menu && before != TaskStep::Kind::Key && before != TaskStep::Kind::Context
        && before != TaskStep::Kind::Toolbar;
}

} // namespace

bool TaskStep::sameAction(const TaskStep &other) const
{
    if (kind != other.kind)
        return false;
    switch (kind) {
    case Kind::Ok: return true;
    case Kind::Field:
    case Kind::Type:
    case Kind::SelectText: return arg == other.arg && value.trimmed() == other.value.trimmed();
    case Kind::Key: return keyText(arg) == keyText(other.arg);
    // A shape dragged anywhere into the region asked for, sized or drawn anyhow, is the step.
    case Kind::Move:
        return arg == other.arg
            && (value.trimmed() == other.value.trimmed() || Shapes::regionWithin(other.value, value));
    case Kind::Resize:
    case Kind::Rotate: return arg == other.arg;
    case Kind::DrawBox: return true;
    case Kind::Dock: return arg == other.arg && value.trimmed() == other.value.trimmed();
    default: return arg == other.arg;
    }
}

Task Task::parse(const QString &source, QStringList *errors)
{
    Task task;
    QList<TaskStep> *path = &task.steps;   // where the next step goes
    const QStringList lines = source.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        auto fail = [&](const QString &why) {
            if (errors)
                errors->append(QStringLiteral("第%1行：%2").arg(i + 1).arg(why));
        };
        const int colon = line.indexOf(u':');
        if (colon < 0) {
            fail(QStringLiteral("缺少“:”"));
            continue;
        }
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == u"th") {
            task.th = value;
        } else if (key == u"text") {
            task.text = value;
        } else if (key == u"kind") {
            task.kind = value;
        } else if (key == u"start" || key == u"goal") {
            const auto check = parseCheck(value);
            if (!check || check->path.isEmpty()) {
                fail(QStringLiteral("应为“路径 = 值”"));
            } else if (key == u"start" && check->path == u"slides") {
                bool ok = false;
                task.slides = check->value.toInt(&ok);
                if (!ok || task.slides < 1 || task.slides > 50) {
                    fail(QStringLiteral("幻灯片张数应为1到50"));
                    task.slides = 6;
                }
            } else if (!Document::isValidPath(check->path)) {
                fail(QStringLiteral("无法识别的路径“%1”").arg(check->path));
            } else {
                (key == u"start" ? task.start : task.goal).append(*check);
            }
        } else if (key == u"step") {
            const auto step = parseStep(value);
            if (!step)
                fail(QStringLiteral("无法识别的步骤“%1”").arg(value));
            else
                path->append(*step);
        } else if (key == u"method" || key == u"mistake") {
            if (value.isEmpty()) {
                fail(QStringLiteral("缺少名称"));
            } else if (key == u"method" && task.steps.isEmpty() && task.method.isEmpty() && task.otherMethods.isEmpty()
                       && task.mistakes.isEmpty()) {
                task.method = value;
            } else {
                QList<TaskPath> &paths = key == u"method" ? task.otherMethods : task.mistakes;
                paths.append(TaskPath{value, {}});
                path = &paths.last().steps;
            }
        } else {
            fail(QStringLiteral("无法识别的项目“%1”").arg(key));
        }
    }
    return task;
}

Task Task::load(const QString &fileName, QStringList *errors)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (errors)
            errors->append(QStringLiteral("无法读取任务文件：%1").arg(file.errorString()));
        return {};
    }
    return parse(QString::fromUtf8(file.readAll()), errors);
}

QString Task::toText() const
{
    QString out;
    out += QStringLiteral("# 题目%1：开始时的演示文稿、目标（对演示文稿的检查）、操作方法和常见错误。\n").arg(th);
    out += QStringLiteral("th: ") + th + u'\n';
    out += QStringLiteral("text: ") + text + u'\n';
    out += QStringLiteral("kind: ") + kind + u'\n';
    out += QStringLiteral("start: slides = %1\n").arg(slides);
    for (const TaskCheck &check : start)
        out += QStringLiteral("start: ") + check.path + QStringLiteral(" = ") + oneLine(check.value) + u'\n';
    for (const TaskCheck &check : goal)
        out += QStringLiteral("goal: ") + check.path + QStringLiteral(" = ") + oneLine(check.value) + u'\n';
    auto write = [&out](const char *key, const QString &name, const QList<TaskStep> &path) {
        if (!name.isEmpty())
            out += QString::fromUtf8(key) + QStringLiteral(": ") + name + u'\n';
        for (const TaskStep &step : path)
            out += QStringLiteral("step: ") + stepText(step) + u'\n';
    };
    write("method", method, steps);
    for (const TaskPath &path : otherMethods)
        write("method", path.name, path.steps);
    for (const TaskPath &path : mistakes)
        write("mistake", path.name, path.steps);
    return out;
}

QList<TaskPath> Task::methods() const
{
    return QList<TaskPath>{TaskPath{method, steps}} + otherMethods;
}

Document Task::startDocument() const
{
    Document document = Document::sample(slides);
    for (const TaskCheck &check : start)
        document.setValue(check.path, check.value);
    return document;
}

namespace {

// A value as a box stores it: "8" typed where the box counts in 厘米 is
// "8厘米", and "75" in a box of per cent is "75%".
bool sameValue(const QString &stored, const QString &wanted)
{
    if (stored == wanted)
        return true;
    static const QRegularExpression measure(QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)\\s*(厘米|cm|磅|pt|秒|%|％|行|份|张|度|°)?$"));
    const QRegularExpressionMatch a = measure.match(stored), b = measure.match(wanted);
    if (!a.hasMatch() || !b.hasMatch() || a.captured(1).toDouble() != b.captured(1).toDouble())
        return false;
    return a.captured(2).isEmpty() || b.captured(2).isEmpty() || a.captured(2) == b.captured(2);
}

// A region word asked of a shape's 位置 holds when the shape, as it was
// dragged or placed, lies in that part of the slide; the master's text box
// lies where it does on every slide.
bool inRegionAsked(const Document &document, const QString &path, const QString &wanted)
{
    static const QRegularExpression shapePosition(QStringLiteral("^slide([0-9]+)\\.(.+)\\.位置$"));
    const QRegularExpressionMatch m = shapePosition.match(path);
    if (!Shapes::isRegion(wanted) || !Shapes::pair(document.value(path)))
        return false;
    if (path == u"doc.母版.文本框.位置") {
        Slide box;
        box.attributes.insert(QStringLiteral("文本框"), QStringLiteral("1"));
        for (const QString &name : {QStringLiteral("位置"), QStringLiteral("大小")})
            box.attributes.insert(QStringLiteral("文本框.") + name, document.settings.value(QStringLiteral("母版.文本框.") + name));
        const auto shape = Shapes::find(box, QStringLiteral("文本框"));
        return shape && Shapes::inRegion(shape->frame, wanted);
    }
    if (!m.hasMatch())
        return false;
    const int n = m.captured(1).toInt();
    if (n < 1 || n > document.slides.size())
        return false;
    const auto shape = Shapes::find(document.slides.at(n - 1), m.captured(2));
    return shape && Shapes::inRegion(shape->frame, wanted);
}

} // namespace

QStringList Task::unmetChecks(const Document &document) const
{
    QStringList unmet;
    for (const TaskCheck &check : goal)
        if (!sameValue(document.value(check.path).trimmed(), check.value) && !inRegionAsked(document, check.path, check.value))
            unmet.append(check.path + QStringLiteral(" = ") + check.value);
    return unmet;
}

bool Task::isMet(const Document &document) const
{
    return !goal.isEmpty() && unmetChecks(document).isEmpty();
}

QString Task::routeOf(const TaskPath &path)
{
    return path.name == u"工具栏" || path.name == u"任务窗格" ? path.name : QString();
}

void Task::play(const TaskPath &path, Session &session)
{
    const QString pathRoute = routeOf(path);
    QString route = pathRoute;   // how the next command is reached
    QString pending, pendingRoute;
    int pendingSlide = 0;   // the slide current when the pending command was taken
    QMap<QString, QString> fields;
    PaneSteps::State pane;   // the task pane whose controls the field steps set
    for (qsizetype i = 0; i < path.steps.size(); ++i) {
        const TaskStep &step = path.steps.at(i);
        switch (step.kind) {
        case TaskStep::Kind::Select: {
            const QList<int> numbers = Document::slideNumbers(step.arg);
            if (numbers.size() == 1)
                session.select(numbers.first());
            else
                session.select(numbers);
            route = pathRoute;
            break;
        }
        case TaskStep::Kind::Menu:
            route = QStringLiteral("菜单");
            break;
        case TaskStep::Kind::Key: {
            route = QStringLiteral("快捷键");
            // A key no command step follows acts on the slide itself: Delete
            // takes the selected objects away, Esc turns the placeholder with
            // the caret into the selected object.
            const bool commandFollows = i + 1 < path.steps.size() && path.steps.at(i + 1).kind == TaskStep::Kind::Command;
            if (!commandFollows && keyText(step.arg) == u"del") {
                session.deleteShapes();
                route = pathRoute;
            } else if (!commandFollows && keyText(step.arg) == u"esc" && !session.editedObject().isEmpty()) {
                session.selectShape(session.editedObject());
                route = pathRoute;
            }
            break;
        }
        case TaskStep::Kind::Toolbar:
            route = QStringLiteral("工具栏");
            break;
        case TaskStep::Kind::Click:
            // A click into a placeholder's text places the caret: nothing stays selected.
            if (step.arg == u"title" || step.arg == u"body")
                session.setSelectedText(step.arg, {});
            else if (const int before = gapOf(step.arg))
                session.placeInsertionBar(before);
            else if (Shapes::kindOf(step.arg) == u"文本框")
                session.selectShape(step.arg);   // the caret in the text box: it is selected, typing goes there
            else
                session.setEditing(step.arg);
            route = pathRoute;
            break;
        case TaskStep::Kind::SelectText:
            session.setSelectedText(step.arg, step.value);
            route = pathRoute;
            break;
        case TaskStep::Kind::Drag:
            session.moveSlides(session.selection(), step.arg.toInt());
            route = pathRoute;
            break;
        case TaskStep::Kind::Context:
            // A right click into a placeholder puts the caret there; on a
            // shape not selected, it selects that shape.
            if (step.arg == u"title" || step.arg == u"body")
                session.setEditing(step.arg);
            else if (!Shapes::kindOf(step.arg).isEmpty() && !session.selectedShapes().contains(step.arg))
                session.selectShape(step.arg);
            route = QStringLiteral("右键菜单");
            break;
        case TaskStep::Kind::Command: {
            const CommandSpec *spec = Commands::find(step.arg);
            if (PaneSteps::showsPane(step.arg, route)) {
                session.showPane(step.arg, route);
                pane = {step.arg, {}, {}, {}};
            } else if (spec && spec->hasDialog()) {
                pane = {};
                pending = step.arg;
                pendingRoute = route;
                pendingSlide = session.current();
                fields.clear();
            } else {
                session.run(step.arg, {}, route);
            }
            route = pathRoute;
            break;
        }
        case TaskStep::Kind::Field:
            if (pending.isEmpty() && PaneSteps::playField(session, pane, step))
                break;
            fields.insert(step.arg, step.value);
            break;
        case TaskStep::Kind::Ok:
            if (pending.isEmpty() && PaneSteps::playOk(session, pane)) {
                route = pathRoute;
                break;
            }
            if (!pending.isEmpty()) {
                // The answer to the question 确定 brings up is the step after it.
                const QString asked = Commands::find(pending)->askedAfterOk;
                if (!asked.isEmpty() && i + 1 < path.steps.size() && path.steps.at(i + 1).kind == TaskStep::Kind::Field
                    && path.steps.at(i + 1).arg == asked)
                    fields.insert(asked, path.steps.at(++i).value);
                const CommandSpec *spec = Commands::find(pending);
                if (spec->effect == CommandSpec::Effect::FormatPainter && session.current() != pendingSlide
                    && pendingSlide >= 1 && pendingSlide <= session.document().slides.size()) {
                    // The painter was picked up on another slide than the one
                    // painted: it copies from there, and the candidate stays.
                    const QList<int> painted = session.selection();
                    session.select(pendingSlide);
                    session.run(pending, fields, pendingRoute);
                    session.select(painted);
                } else {
                    session.run(pending, fields, pendingRoute);
                }
            }
            pending.clear();
            route = pathRoute;
            break;
        case TaskStep::Kind::Type:
            if (isTextPart(step.arg))
                session.setText(step.arg, step.value);
            else
                session.setShapeText(step.arg, step.value);
            route = pathRoute;
            break;
        case TaskStep::Kind::Shape: {
            const QStringList names = step.arg.split(u',', Qt::SkipEmptyParts);
            for (qsizetype k = 0; k < names.size(); ++k)
                session.selectShape(names.at(k).trimmed(), k > 0);
            route = pathRoute;
            break;
        }
        case TaskStep::Kind::Move:
            session.moveShape(step.arg, step.value.trimmed());
            route = pathRoute;
            break;
        case TaskStep::Kind::Resize:
            session.resizeShape(step.arg, step.value.trimmed());
            route = pathRoute;
            break;
        case TaskStep::Kind::Rotate:
            if (const auto angle = Shapes::degrees(step.value))
                session.rotateShape(step.arg, *angle);
            route = pathRoute;
            break;
        case TaskStep::Kind::DrawBox:
            if (const auto frame = drawnFrame(step.arg))
                session.drawTextBox(*frame, step.arg.section(u' ', 1).trimmed() == u"竖排");
            route = pathRoute;
            break;
        case TaskStep::Kind::Dock:
            // Dragged by its handle: where the toolbar stands is what 工具栏 says.
            session.run(QStringLiteral("工具栏"), {{QStringLiteral("工具栏"), step.arg}, {QStringLiteral("显示"), QStringLiteral("显示")},
                                                  {QStringLiteral("位置"), step.value.trimmed()}}, pathRoute);
            route = pathRoute;
            break;
        case TaskStep::Kind::Show:
            session.runShowAction(step.arg);
            break;
        case TaskStep::Kind::Pane:
            // Chosen in the switcher of the task pane shown.
            session.run(QStringLiteral("任务窗格"), {{QStringLiteral("任务窗格"), step.arg}}, QStringLiteral("任务窗格"));
            pane = PaneSteps::isPane(step.arg) ? PaneSteps::State{step.arg, {}, {}, {}} : PaneSteps::State{};
            pending.clear();
            route = pathRoute;
            break;
        }
    }
}

namespace {

// What is wrong with the steps of one path, each line beginning with `where`.
QStringList stepProblems(const QList<TaskStep> &steps, const QString &where)
{
    QStringList found;
    QString pending;
    bool showing = false;   // a show runs: started and not yet ended
    bool paneDialog = false;   // a dialog the task pane opened takes fields
    QString openMenu;   // the menu bar's menu the step before opened
    for (const TaskStep &step : steps) {
        // A command picked from an open menu is one the menu bar offers (the
        // drawing and formatting toolbars' own commands are not).
        if (step.kind == TaskStep::Kind::Command && !openMenu.isEmpty()) {
            if (const CommandSpec *spec = Commands::find(step.arg); spec && !Commands::menus().contains(spec->menu))
                found << where + QStringLiteral("“%1”菜单中没有“%2”").arg(openMenu, step.arg);
        }
        openMenu = step.kind == TaskStep::Kind::Menu ? step.arg : QString();
        if (PaneSteps::isPane(pending) && step.kind == TaskStep::Kind::Field) {
            const PaneSteps::Role role = PaneSteps::role(pending, step.arg, step.value, paneDialog);
            paneDialog = paneDialog || role == PaneSteps::Role::Dialog;
        } else if (PaneSteps::isPane(pending) && step.kind == TaskStep::Kind::Ok) {
            // Without a dialog of the pane open, 确定 is the change the pane made.
            paneDialog = false;
        } else if (step.kind == TaskStep::Kind::Command) {
            paneDialog = false;
        } else if (step.kind == TaskStep::Kind::Pane) {
            static const QStringList panes = {QStringLiteral("新建演示文稿"), QStringLiteral("幻灯片版式"), QStringLiteral("幻灯片设计"),
                                              QStringLiteral("自定义动画"), QStringLiteral("幻灯片切换"), QStringLiteral("剪贴板"),
                                              QStringLiteral("动画方案"), QStringLiteral("剪贴画"),
                                              QStringLiteral("关闭")};
            if (!panes.contains(step.arg))
                found << where + QStringLiteral("没有“%1”任务窗格").arg(step.arg);
            pending = PaneSteps::isPane(step.arg) ? step.arg : QString();
            paneDialog = false;
        }
        if (step.hint.isEmpty())
            found << where + QStringLiteral("步骤缺少提示：%1").arg(stepText(step));
        if (step.kind == TaskStep::Kind::Command) {
            const CommandSpec *spec = Commands::find(step.arg);
            if (!spec)
                found << where + QStringLiteral("未知的命令“%1”").arg(step.arg);
            pending = spec && spec->hasDialog() ? step.arg : QString();
            if (spec && (spec->effect == CommandSpec::Effect::Show || spec->effect == CommandSpec::Effect::Rehearsal))
                showing = true;
        } else if (step.kind == TaskStep::Kind::Show) {
            if (!ShowActions::find(step.arg))
                found << where + QStringLiteral("未知的放映操作“%1”").arg(step.arg);
            else if (!showing && !QStringList{QStringLiteral("保留墨迹"), QStringLiteral("放弃墨迹"), QStringLiteral("保留排练时间"),
                                              QStringLiteral("放弃排练时间")}.contains(step.arg.section(u' ', 0, 0)))
                found << where + QStringLiteral("放映操作“%1”之前没有开始放映").arg(step.arg);
            if (step.arg == u"结束")
                showing = false;
        } else if (step.kind == TaskStep::Kind::Menu && !Commands::menus().contains(step.arg)) {
            found << where + QStringLiteral("未知的菜单“%1”").arg(step.arg);
        } else if (step.kind == TaskStep::Kind::Field) {
            const CommandSpec *spec = Commands::find(pending);
            if (!spec || !spec->field(step.arg))
                found << where + QStringLiteral("命令“%1”的对话框中没有“%2”").arg(pending, step.arg);
        } else if (step.kind == TaskStep::Kind::Ok && pending.isEmpty()) {
            found << where + QStringLiteral("“确定”之前没有打开对话框");
        } else if (step.kind == TaskStep::Kind::Select) {
            if (Document::slideNumbers(step.arg).isEmpty())
                found << where + QStringLiteral("无效的幻灯片编号“%1”").arg(step.arg);
        } else if (step.kind == TaskStep::Kind::Type && !isTextPart(step.arg) && Shapes::kindOf(step.arg).isEmpty()) {
            found << where + QStringLiteral("无法输入到“%1”").arg(step.arg);
        } else if (step.kind == TaskStep::Kind::Drag && step.arg.toInt() < 1) {
            found << where + QStringLiteral("无效的位置“%1”").arg(step.arg);
        } else if ((step.kind == TaskStep::Kind::Click || step.kind == TaskStep::Kind::SelectText)
                   && step.arg != u"title" && step.arg != u"body"
                   && !(step.kind == TaskStep::Kind::SelectText && step.arg == u"outline")
                   && !(step.kind == TaskStep::Kind::Click && !Session::masterArea(step.arg).isEmpty())
                   && !(step.kind == TaskStep::Kind::Click && gapOf(step.arg) > 0)
                   && !(step.kind == TaskStep::Kind::Click && Shapes::kindOf(step.arg) == u"文本框")) {
            found << where + QStringLiteral("无法单击“%1”").arg(step.arg);
        } else if (step.kind == TaskStep::Kind::Context && !contextPlaces().contains(step.arg)
                   && Shapes::kindOf(step.arg).isEmpty()) {
            found << where + QStringLiteral("没有“%1”的右键菜单").arg(step.arg);
        } else if (step.kind == TaskStep::Kind::Shape) {
            for (const QString &name : step.arg.split(u','))
                if (Shapes::kindOf(name.trimmed()).isEmpty())
                    found << where + QStringLiteral("没有名为“%1”的对象").arg(name);
        } else if ((step.kind == TaskStep::Kind::Move || step.kind == TaskStep::Kind::Resize
                    || step.kind == TaskStep::Kind::Rotate)
                   && Shapes::kindOf(step.arg).isEmpty()) {
            found << where + QStringLiteral("没有名为“%1”的对象").arg(step.arg);
        } else if (step.kind == TaskStep::Kind::Rotate && !Shapes::degrees(step.value)) {
            found << where + QStringLiteral("无效的角度“%1”").arg(step.value);
        } else if (step.kind == TaskStep::Kind::Dock
                   && (step.arg != u"绘图" || !dockPlaces().contains(step.value.trimmed()))) {
            found << where + QStringLiteral("无法将“%1”工具栏停放到“%2”").arg(step.arg, step.value);
        } else if (step.kind == TaskStep::Kind::Move && !Shapes::isRegion(step.value) && !Shapes::pair(step.value)) {
            found << where + QStringLiteral("无效的位置“%1”").arg(step.value);
        } else if (step.kind == TaskStep::Kind::Resize && !Shapes::pair(step.value)) {
            found << where + QStringLiteral("无效的大小“%1”").arg(step.value);
        } else if (step.kind == TaskStep::Kind::DrawBox && !drawnFrame(step.arg)) {
            found << where + QStringLiteral("无效的文本框“%1”").arg(step.arg);
        }
    }
    return found;
}

} // namespace

QStringList Task::problems() const
{
    QStringList found;
    if (th.isEmpty())
        found << QStringLiteral("缺少题号（th）");
    if (text.isEmpty())
        found << QStringLiteral("缺少题目文字（text）");
    if (goal.isEmpty())
        found << QStringLiteral("没有目标（goal）");
    if (steps.isEmpty())
        found << QStringLiteral("没有操作步骤（step）");
    // Each path is sound, a method reaches the goal from the start, a mistake does not.
    const Document start = startDocument();
    if (!goal.isEmpty() && isMet(start))
        found << QStringLiteral("开始时的演示文稿已经符合目标");
    const QList<TaskPath> ways = methods();
    for (qsizetype i = 0; i < ways.size() + mistakes.size(); ++i) {
        const bool mistake = i >= ways.size();
        const TaskPath &path = mistake ? mistakes.at(i - ways.size()) : ways.at(i);
        const QString where = mistake            ? QStringLiteral("错误“%1”：").arg(path.name)
                            : path.name.isEmpty() ? QString()
                                                  : QStringLiteral("方法“%1”：").arg(path.name);
        if (path.steps.isEmpty() && i > 0)
            found << where + QStringLiteral("没有操作步骤");
        found << stepProblems(path.steps, where);
        if (goal.isEmpty())
            continue;
        Session session(start);
        play(path, session);
        const QStringList unmet = unmetChecks(session.document());
        if (!mistake && !unmet.isEmpty())
            found << where + QStringLiteral("按操作步骤完成后仍不符合目标：%1").arg(unmet.join(QStringLiteral("；")));
        if (mistake && unmet.isEmpty())
            found << where + QStringLiteral("这样做也符合目标");
    }
    return found;
}

Guide::Guide(const Task &task) : m_methods(task.methods()) {}

const TaskStep *Guide::current() const
{
    return m_position < steps().size() ? &steps().at(m_position) : nullptr;
}

bool Guide::report(const TaskStep &action)
{
    // Opening a menu is only one way to a command: a candidate who takes the
    // toolbar, a shortcut or the context menu skips the menu steps.
    // The same holds for a key or a context menu the guide proposes.
    auto isWay = [](TaskStep::Kind kind) {
        return kind == TaskStep::Kind::Menu || kind == TaskStep::Kind::Key || kind == TaskStep::Kind::Context
            || kind == TaskStep::Kind::Toolbar;
    };
    qsizetype step = m_position;
    while (step < steps().size() && isWay(steps().at(step).kind) && !steps().at(step).sameAction(action))
        ++step;
    if (step >= steps().size() || !steps().at(step).sameAction(action))
        return false;
    m_position = int(step) + 1;
    return true;
}

bool Guide::leadsToGoal(const Task &task, const Session &session) const
{
    // Inside a dialog that is no longer open, the way is lost; at a command
    // whose menu is open, the way goes on from the menu.
    qsizetype from = m_position;
    // Inside a task pane, the way goes on from the pane with what was chosen there.
    if (const QList<TaskStep> rest = PaneSteps::resume(steps(), from); !rest.isEmpty()) {
        Session ahead = session;
        Task::play(TaskPath{m_methods.at(m_method).name, rest}, ahead);
        return task.isMet(ahead.document());
    }
    if (from < steps().size() && !isEntry(steps(), from)) {
        const TaskStep::Kind kind = steps().at(from).kind;
        if (kind == TaskStep::Kind::Field || kind == TaskStep::Kind::Ok)
            return false;
        --from;
    }
    Session ahead = session;
    Task::play(TaskPath{m_methods.at(m_method).name, steps().mid(from)}, ahead);
    return task.isMet(ahead.document());
}

bool Guide::replan(const Task &task, const Session &session)
{
    const int before = m_method, beforePosition = m_position;
    auto settle = [&](int method, int position) {
        m_method = method;
        m_position = position;
        return m_method != before || m_position != beforePosition;
    };
    // The method followed so far first, then the others in their order.
    QList<int> order{m_method};
    for (int m = 0; m < m_methods.size(); ++m)
        if (m != m_method)
            order << m;
    for (int m : order) {
        const TaskPath &path = m_methods.at(m);
        for (qsizetype k = path.steps.size() - 1; k >= 0; --k) {
            if (!isEntry(path.steps, k))
                continue;
            Session ahead = session;
            Task::play(TaskPath{path.name, path.steps.mid(k)}, ahead);
            if (task.isMet(ahead.document()))
                return settle(m, int(k));
        }
    }
    return settle(0, 0);
}

bool Guide::reopenDialog()
{
    const TaskStep *step = current();
    if (!step || (step->kind != TaskStep::Kind::Field && step->kind != TaskStep::Kind::Ok))
        return false;
    int command = m_position - 1;
    while (command >= 0 && steps().at(command).kind == TaskStep::Kind::Field)
        --command;
    if (command < 0 || steps().at(command).kind != TaskStep::Kind::Command)
        return false;
    m_position = command > 0 && steps().at(command - 1).kind == TaskStep::Kind::Menu ? command - 1 : command;
    return true;
}

bool Guide::reopenContextMenu()
{
    const TaskStep *step = current();
    const TaskStep *way = previous();
    if (!step || step->kind != TaskStep::Kind::Command || !way || way->kind != TaskStep::Kind::Context)
        return false;
    --m_position;
    return true;
}
