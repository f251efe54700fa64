#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What a lesson movie shows, in the order it shows it. Authors write the
// lessons in content/lessons/lessons.txt, one block per movie file:
//
//   == l2_1.webm
//   say: 本节学习插入新幻灯片。             a caption, spoken, over the editor
//   question: 201                           the solution path of question 201,
//                                           played in the editor from its start
//                                           document, each step with its hint
//
// The movie opens with the lesson's title from wlktsp.txt. A question's
// steps come from its task file in the program folder (ovti/金山演示<n>/task.txt):
// "step: <kind> <argument> | <hint>", the kinds being select, menu, command,
// field, ok, type, show, toolbar, click, shape, drag, drawbox, selecttext and
// pane; any other kind of step is one the recorder cannot show (Other).
struct LessonBeat
{
    enum class Action { None, Editor, Select, Menu, Command, Field, Ok, Type, Show,
                        Toolbar, Click, Shape, Drag, DrawBox, SelectText, Pane, Other };
    Action action = Action::None;
    QString arg;       // slide numbers, menu, command, field name, text part
    QString value;     // field value or typed text; for a toolbar box, the value the field after it names
    QString caption;   // shown and spoken
    QString question;  // the question whose start document the editor shows
};

struct LessonScript
{
    QString movie;     // file name inside Vide1/
    QString course;
    QString title;
    QStringList lines; // the author's lines of its block
    QList<LessonBeat> beats;
    QByteArray inputs; // everything the movie is made from
};

namespace LessonScripts {

// Bump when the builder draws or narrates differently: every movie is then
// made again.
inline constexpr int BuilderVersion = 6;

// The blocks of the lessons file by movie name. A malformed line raises
// StoreError naming the file and the line.
QMap<QString, QStringList> readBlocks(const QString &file);

// The lesson's beats, its task files read from the program folder.
LessonScript expand(const QString &movie, const QString &course, const QString &title, const QStringList &lines,
                    const QString &programFolder);

// The steps of a task file's first method as beats, then a caption naming
// its other methods; empty when the file is missing.
QList<LessonBeat> taskBeats(const QString &taskText, const QString &question);

// The hash of a script's inputs, as stored beside its movie.
QByteArray inputHash(const LessonScript &script);

} // namespace LessonScripts
