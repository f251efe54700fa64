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
//   step: type title 欢迎 | 单击标题占位符，输入“欢迎”
//   step: type body 市场\n研发 | …      a line break in a value is written \n
//   step: show 荧光笔 | 在放映中单击右键，选择“指针选项”→“荧光笔”
//                                       an action in the running show or rehearsal (ShowActions)
//
// The goal is a list of checks on the document; the verdict compares the
// document with them only, so any way of reaching it counts. The steps are
// one solution path: the guide of practice mode shows them, and the content
// checks play them through the model.
struct TaskStep
{
    enum class Kind { Select, Menu, Command, Field, Ok, Type, Show };
    Kind kind = Kind::Ok;
    QString arg;     // slide numbers, menu, command id, field name, text part, show action
    QString value;   // field value or typed text
    QString hint;    // what the guide says, in Chinese

    bool sameAction(const TaskStep &other) const;
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
    QList<TaskStep> steps;

    // Parse errors are returned as Chinese lines naming the line number; a
    // task with errors is still returned with what could be read.
    static Task parse(const QString &source, QStringList *errors);
    static Task load(const QString &file, QStringList *errors);
    QString toText() const;

    Document startDocument() const;
    bool isMet(const Document &document) const;
    QStringList unmetChecks(const Document &document) const;

    // Plays the solution path through the session.
    void playSolution(Session &session) const;

    // Everything wrong with the definition: unknown commands and fields,
    // malformed paths, a goal the start already meets, a solution that does
    // not reach the goal. Empty when the task is sound.
    QStringList problems() const;
};

// Where the candidate stands on the solution path in practice mode. The
// editor reports each action; the guide moves on when it is the awaited one.
class Guide
{
public:
    explicit Guide(const QList<TaskStep> &steps) : m_steps(steps) {}

    const TaskStep *current() const;
    int position() const { return m_position; }
    // True when the action was the awaited step (the guide moved on).
    bool report(const TaskStep &action);
    // After the candidate went another way: back to the first step.
    void restart() { m_position = 0; }
    // A dialog closed without 确定 while the guide was inside it: back to
    // the steps that open it (the command, and the menu just before it).
    // True when the guide moved.
    bool reopenDialog();

private:
    QList<TaskStep> m_steps;
    int m_position = 0;
};
