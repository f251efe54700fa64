#pragma once

#include "../shell/shellfixture.h"
#include "testbank.h"

#include <QString>

// Rows of the study tables for a fixture bank.
inline void addTitleRow(TestBank &bank, const QString &table, int id, const QString &title, const QString &html)
{
    bank.exec(QStringLiteral("insert into %1 (id, list, wy) values (%2, '%3', '%4')").arg(table).arg(id).arg(title, html));
}

inline void addLesson(TestBank &bank, const QString &course, const QString &title, const QString &movie)
{
    bank.exec(QStringLiteral("insert into wlktsp (wlkt, list, spname) values ('%1', '%2', '%3')").arg(course, title, movie));
}

inline void writePageTemplate(const QString &folder)
{
    QFile file(folder + QStringLiteral("ov.html"));
    if (file.open(QIODevice::WriteOnly))
        file.write("<html><head><meta charset=\"utf-8\"></head><body><p>模板</p></body></html>");
}
