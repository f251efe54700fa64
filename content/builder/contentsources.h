#pragma once

#include <QList>
#include <QMap>
#include <QString>

// The readable sources of the sample content: chapters, questions, the
// title-and-HTML lists and the lessons, as authors edit them in content/sources.
// The checker reads a built bank back into the same shape, so that one set of
// rules covers both; `where` then names tables instead of files and lines.
struct ContentSources
{
    struct Chapter { int number = 0; QString title; };
    struct Question { QString th; QString gdks; QString ti; QString chapter; };
    struct Entry { QString title; QString html; };
    struct Lesson { QString course; QString title; QString movie; };

    QList<Chapter> chapters;
    QList<Question> questions;
    QMap<QString, QList<Entry>> lists;  // table name (xxjh, wlkt, kszn, mnkc) -> entries
    QList<Lesson> lessons;
    // Each question's task as authored in tasks/<chapter>.txt: the block of
    // lines from its "th:" line to the next one (see task.h for the lines).
    QMap<QString, QString> tasks;

    // Where each item came from ("<file>:<line>" for sources), parallel to the
    // lists above, and where a whole list or the question set lives.
    struct Origins
    {
        QList<QString> chapters;
        QList<QString> questions;
        QMap<QString, QList<QString>> lists;
        QList<QString> lessons;
        QMap<QString, QString> tasks;  // question number -> "<file>:<line>" of its "th:" line
        QMap<QString, QString> files;  // "sbslist", "sbsti", "wlktsp" and the list tables
    } where;

    // Reads every source file of `folder`. A malformed line, text that is not
    // UTF-8, or a questions file of a chapter that chapters.txt does not list
    // raises StoreError naming the file and the line.
    static ContentSources read(const QString &folder);
};
