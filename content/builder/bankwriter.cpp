#include "bankwriter.h"

#include "connection.h"
#include "contentsources.h"
#include "schema.h"
#include "statements.h"
#include "storeerror.h"

#include <QFile>
#include <QStringList>

namespace {

QString text(const QString &value)
{
    return u'\'' + Sql::quoted(value) + u'\'';
}

QString insert(const QString &table, const QStringList &values)
{
    return QStringLiteral("insert into %1 values (%2);\n").arg(table, values.join(QStringLiteral(", ")));
}

QString insertStatements(const ContentSources &sources)
{
    QString sql;
    for (const auto &chapter : sources.chapters)
        sql += insert(QStringLiteral("sbslist (id, list)"), {QString::number(chapter.number), text(chapter.title)});
    int id = 0;
    for (const auto &q : sources.questions)
        sql += insert(QStringLiteral("sbsti (id, th, ti, list, gdks)"),
                      {QString::number(++id), text(q.th), text(q.ti), text(q.chapter), text(q.gdks)});
    for (auto it = sources.lists.cbegin(); it != sources.lists.cend(); ++it) {
        int entryId = 0;
        for (const auto &entry : it.value())
            sql += insert(it.key() + QStringLiteral(" (id, list, wy)"),
                          {QString::number(++entryId), text(entry.title), text(entry.html)});
    }
    for (const auto &lesson : sources.lessons)
        sql += insert(QStringLiteral("wlktsp (wlkt, list, spname)"),
                      {text(lesson.course), text(lesson.title), text(lesson.movie)});
    return sql;
}

} // namespace

void writeBank(const ContentSources &sources, const QString &databasePath)
{
    const QString building = databasePath + QStringLiteral(".new");
    QFile::remove(building);
    {
        Connection connection(QStringLiteral("Data Source=%1;Jet OLEDB:Database Password=%2")
                                  .arg(building, Connection::databasePassword()));
        connection.open(Connection::Mode::Create);
        QString sql = QStringLiteral("begin;\n");
        for (const QString &statement : Schema::createStatements())
            sql += statement + QStringLiteral(";\n");
        sql += insertStatements(sources);
        sql += QStringLiteral("commit;\n");
        connection.exec(sql);
    }
    for (const QString &suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(databasePath + suffix);
    if (!QFile::rename(building, databasePath))
        throw StoreError(QStringLiteral("无法把 %1 改名为 %2").arg(building, databasePath));
}
