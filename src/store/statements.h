#pragma once

#include <QString>
#include <QStringList>

// Every statement the system sends to the bank, built in one place, letter
// for letter as the screens and the simulators have always sent them: the
// simulators' own tooling matches some of these texts, so the odd spacing
// ("'order by id", "( fw='1')") is kept on purpose.
//
// Titles and numbers go between single quotes. A quote inside such a value
// is doubled, so a title with a quote finds its row instead of breaking the
// statement or changing what it does.
namespace Sql {

// The value as it goes between single quotes.
QString quoted(const QString &value);

// A displayed title as lookups use it: leading and trailing blanks and
// control characters removed.
QString trimTitle(const QString &title);

// sbsti
QString allQuestions();                                 // resets dqwz row by row
QString allQuestionsInOrder();                          // random paper
QString chapterQuestions(const QString &chapter);       // question list of a chapter
QString chapterMarking(const QString &chapter);         // marks the chosen questions
QString chapterRestart(const QString &chapter);         // "重新学习"
QString wrongQuestions();                               // wrong-question list
QString startWrongPractice();                           // dqwz := "0" for the working set

// The chosen questions of a chapter; the three endings the practice window uses.
enum class ChosenEnding { Tight, Space, TwoSpaces };
QString chosenInChapter(const QString &chapter, ChosenEnding ending);

// The wrong-question set in order; `spacedFw` gives "( fw='1')".
QString wrongQuestionsInOrder(bool spacedFw = false);
// The working set in order; `spaced` gives "xz='1' order by id".
QString workingSetInOrder(bool spaced = false);
QString workingSet();                                   // size of the paper
QString questionByNumber(const QString &th);            // one question; the hand-shake
QString neighbourInWorkingSet(const QString &th);       // previous / next in chapter mode
QStringList paperReset();
// The candidate's work in the exam's questions, kept by the simulators in
// `kswj` (th, wd) so that a question left and opened again shows it as it
// was. A new paper forgets all of it, "重做本题" the question's own.
QStringList forgetExamWork();
QStringList forgetExamWork(const QString &th);                               // the six updates, in order
QString fixedPaper(int paper);                          // gdks = paper, 1 … 10

// sbslist
QString chapters();

// Single-row tables: jl, jl1, srf, rq.
QString singleRow(const QString &table);

// Title-and-HTML tables: xxjh, wlkt, kszn, mnkc.
QString titleList(const QString &table);
QString titleLookup(const QString &table, const QString &title);

// wlktsp
QString lessonsOfCourse(const QString &courseTitle);
QString lessonByTitle(const QString &lessonTitle);

} // namespace Sql
