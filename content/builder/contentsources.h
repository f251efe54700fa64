#pragma once

#include <QList>
#include <QMap>
#include <QString>

// The readable sources of the sample content: chapters, questions, the
// title-and-HTML lists and the lessons, as authors edit them in content/sources.
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

    // Reads every source file of `folder`. A malformed line raises StoreError
    // naming the file and the line.
    static ContentSources read(const QString &folder);
};
