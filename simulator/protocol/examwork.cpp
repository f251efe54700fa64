#include "examwork.h"

#include "connection.h"
#include "query.h"
#include "statements.h"

namespace {

QString rowOf(const QString &th)
{
    return QStringLiteral("select * from kswj where th='") + Sql::quoted(th) + QStringLiteral("'");
}

} // namespace

void ExamWork::ensureTable()
{
    if (m_tableReady)
        return;
    m_connection.exec(QStringLiteral("create table if not exists kswj (th text primary key, wd text)"));
    m_tableReady = true;
}

std::optional<QString> ExamWork::read()
{
    // Reading creates nothing: a bank without the table has no saved work.
    Query query(m_connection);
    query.setSql(QStringLiteral("select name from sqlite_master where type='table' and name='kswj'"));
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    query.setSql(rowOf(m_th));
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    return query.fieldText(QStringLiteral("wd"));
}

void ExamWork::save(const QString &work)
{
    ensureTable();
    Query query(m_connection);
    query.setSql(rowOf(m_th));
    query.open();
    query.edit();   // an empty result inserts the question's row
    if (query.recordCount() == 0)
        query.setField(QStringLiteral("th"), m_th);
    query.setField(QStringLiteral("wd"), work);
    query.post();
}
