#pragma once

#include "document.h"

#include <QList>
#include <QString>
#include <QStringList>

class Session;

// One question's task as its folder holds it in "task.txt": readable text,
// one statement a line ("key: value"), "#" starts a comment.
//
//   th: 162
//   text: 在第2张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。
//   kind: 插入幻灯片
//   start: slides = 6             the start document: a sample of 6 slides…
//   start: slide3.图片 = 1        …with these values set
//   goal: slide3.layout = 标题和文本
//   step: select 2 | 在左侧幻灯片列表中单击第2张幻灯片
//   step: select 1-3 | …                several slides (Shift or Ctrl with the click): "1-3", "2,4"
//   step: menu 插入 | 单击“插入”菜单
//   step: command 新幻灯片 | 单击“新幻灯片”命令
//   step: field 版式 = 标题和文本 | 在“版式”中选择“标题和文本”
//   step: ok | 单击“确定”按钮
//   step: field 播放 = 自动 | …          right after ok: the answer to the question the
//                                       editor asks once 确定 was pressed (影片和声音)
//   step: type title 欢迎 | 单击标题占位符，输入“欢迎”
//   step: type body 市场\n研发 | …      a line break in a value is written \n
//   step: show 荧光笔 | 在放映中单击右键，选择“指针选项”→“荧光笔”
//                                       an action in the running show or rehearsal (ShowActions)
//   step: key Ctrl+B | 按Ctrl+B键       a key of the editor; the command, field and ok
//                                       steps after it say what the key does; without a
//                                       command after it, Delete takes the selected
//                                       objects off the slide and Esc selects the
//                                       placeholder holding the caret as an object
//   step: click body | 单击正文占位符      the caret put into the title or body placeholder;
//                                       in the slide master view also "date", "footer",
//                                       "number": its 日期区, 页脚区 or 数字区
//   step: click gap 4 | 单击第3张和第4张幻灯片之间   in the sorter: the insertion bar
//                                       placed before slide 4 (新幻灯片 and 粘贴 go there)
//   step: selecttext title 2005 | 选中标题中的“2005”   text selected in the title or body
//   step: selecttext outline 市场分析 | 在大纲中单击“市场分析”一段   the caret put into the
//                                       current slide's paragraph (else title) of that text in the outline
//   step: toolbar 加粗 | 单击“格式”工具栏上的“加粗”按钮   a toolbar's button or box (a box takes
//                                       the value of the field step after it); the command, field
//                                       and ok steps after it say what it does, as after a key
//   step: drag 6 | 将其拖到第5张幻灯片之后   the selected slides dragged (in the slide list or the
//                                       sorter) before slide 6 as numbered now; one past the last: the end
//   step: context body | 右键单击正文    the context menu of title, body, slide, list or
//                                       sorter (its selected slide, or the insertion bar);
//                                       the command after it is its entry
//   step: pane 幻灯片切换 | 单击任务窗格标题中的箭头，选择“幻灯片切换”
//                                       a task pane chosen in the switcher of the pane shown;
//                                       the field steps after it set that pane's controls;
//                                       "pane 关闭" is the pane's ×
//   step: context 图片 | 右键单击图片   the context menu of a shape by its name, which selects it
//   step: shape 图片 | 单击图片         a shape selected by a click on it (on a placeholder's
//                                       border); several, the others with Shift: "自选图形,自选图形2"
//   step: move 副标题 下方 | …          a shape dragged to a region of the slide (左上角 上方
//                                       右上角 左侧 中央 右侧 左下角 下方 右下角, see Shapes)
//                                       or to "x,y" (its left and top edge, in 厘米)
//   step: resize 图片 12,9 | …          a shape sized by its handles to width and height in 厘米
//   step: rotate 自选图形 45 | …        a shape turned by its green rotation handle to
//                                       the angle (degrees, clockwise; Shift snaps to 15°)
//   step: drawbox 2,1,8,2 | …           a text box drawn by dragging (插入 → 文本框 → 横排): left,
//                                       top, width and height in 厘米; "drawbox 2,1,2,8 竖排" one
//                                       that writes down; "type 文本框 …" types into it
//   step: type 文本框 内部资料 | …      text typed into a drawn text box or a selected shape
//   step: dock 绘图 左侧 | …            a toolbar dragged by its handle to an edge of the
//                                       window (顶部 底部 左侧 右侧), where it docks
//
//   method: 快捷键                      the steps after it are another solution path;
//                                       before the first step it names the guide's own
//   mistake: 选错幻灯片                 the steps after it are a plausible mistake,
//                                       which must leave the goal unmet
//
// The goal is a list of checks on the document; the verdict compares the
// document with them only, so any way of reaching it counts. Values compare
// as boxes store them ("8" is "8厘米"); a region word asked of a shape's
// 位置 ("slide1.图片.位置 = 右下角") is met when the shape's centre lies in
// that part of the slide (see Shapes::inRegion), wherever it was dragged. A text that
// asks for a way ("使用快捷键") checks it: the document notes how each
// command was reached ("doc.方式.<command>": 菜单, 工具栏, 快捷键, 右键菜单
// or 任务窗格). A path's commands are reached by its menu, key or context
// steps, else as the path is named (工具栏, 任务窗格). The first method is
// the one the guide of practice mode shows; the content checks play every
// method and every mistake through the model.
struct TaskStep
{
    enum class Kind { Select, Menu, Command, Field, Ok, Type, Show, Key, Context, Click, SelectText, Drag, Toolbar, Pane,
                      Shape, Move, Resize, DrawBox, Rotate, Dock };
    Kind kind = Kind::Ok;
    QString arg;     // slide numbers, menu, command id, field name, text part, show action
    QString value;   // field value or typed text
    QString hint;    // what the guide says, in Chinese

    bool sameAction(const TaskStep &other) const;
};

// One way through a task: a solution path (method) or a mistake.
struct TaskPath
{
    QString name;
    QList<TaskStep> steps;
};

struct TaskCheck
{
    QString path;
    QString value;
};

class Task
{
public:
    QString th;
    QString text;
    QString kind;
    int slides = 6;
    QList<TaskCheck> start;
    QList<TaskCheck> goal;
    QList<TaskStep> steps;          // the guide's method
    QString method;                 // its name; empty when unnamed
    QList<TaskPath> otherMethods;
    QList<TaskPath> mistakes;

    // Every solution path, the guide's first.
    QList<TaskPath> methods() const;

    // Parse errors are returned as Chinese lines naming the line number; a
    // task with errors is still returned with what could be read.
    static Task parse(const QString &source, QStringList *errors);
    static Task load(const QString &file, QStringList *errors);
    QString toText() const;

    Document startDocument() const;
    bool isMet(const Document &document) const;
    QStringList unmetChecks(const Document &document) const;

    // Plays the guide's solution path through the session.
    void playSolution(Session &session) const { play(TaskPath{method, steps}, session); }
    static void play(const TaskPath &path, Session &session);
    // How a path's commands are reached when no menu, key or context step
    // says it: as the path is named, if that names a way.
    static QString routeOf(const TaskPath &path);

    // Everything wrong with the definition: unknown commands and fields,
    // malformed paths, a goal the start already meets, a solution that does
    // not reach the goal. Empty when the task is sound.
    QStringList problems() const;
};

// Where the candidate stands on a solution path in practice mode. The
// editor reports each action; the guide moves on when it is the awaited one.
// When the candidate goes another way, the guide plans again from the
// document as it is now (replan).
class Guide
{
public:
    explicit Guide(const QList<TaskStep> &steps) : m_methods{TaskPath{{}, steps}} {}
    explicit Guide(const Task &task);

    const TaskStep *current() const;
    // The step taken just before the current one; null at the start.
    const TaskStep *previous() const { return m_position > 0 ? &steps().at(m_position - 1) : nullptr; }
    int position() const { return m_position; }
    // The steps from the current one to the end of the method.
    QList<TaskStep> ahead() const { return steps().mid(m_position); }
    // The name of the method followed (empty for an unnamed first one).
    QString methodName() const { return m_methods.value(m_method).name; }
    // True when the action was the awaited step (the guide moved on).
    bool report(const TaskStep &action);
    // After the candidate went another way: back to the first step.
    void restart() { m_position = 0; }
    // A dialog closed without 确定 while the guide was inside it: back to
    // the steps that open it (the command, and the menu just before it).
    // True when the guide moved.
    bool reopenDialog();
    // A context menu closed while the guide was at the command to choose in
    // it: back to the right click that opens it. True when the guide moved.
    bool reopenContextMenu();
    // The way from the session's document to the task's goal: the latest
    // place on a method (the guide's first) from which the rest of that
    // method reaches the goal. Without one, the start of the guide's method.
    // True when the guide moved.
    bool replan(const Task &task, const Session &session);
    // The rest of the path from where the guide stands reaches the goal.
    bool leadsToGoal(const Task &task, const Session &session) const;

private:
    // The steps of the method followed.
    const QList<TaskStep> &steps() const { return m_methods.at(m_method).steps; }

    QList<TaskPath> m_methods;
    int m_method = 0;
    int m_position = 0;
};
