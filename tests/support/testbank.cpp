#include "testbank.h"

#include "programfolder.h"
#include "query.h"
#include "schema.h"

#include <QDir>

TestBank::TestBank()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    ProgramFolder::setPath(m_dir.path());
    m_connection.setConnectionString(connectionString());
    m_connection.open(Connection::Mode::Create);
    for (const QString &statement : Schema::createStatements())
        m_connection.exec(statement);
}

TestBank::~TestBank()
{
    m_connection.close();
    ProgramFolder::setPath({});
}

QString TestBank::folder() const
{
    return m_dir.path() + u'/';
}

QString TestBank::databasePath() const
{
    return folder() + QStringLiteral("data/orva.mdb");
}

QString TestBank::connectionString() const
{
    return Connection::connectionStringFor(folder());
}

void TestBank::exec(const QString &statements)
{
    m_connection.exec(statements);
}

void TestBank::addQuestion(int id, const QString &th, const QString &chapter, const QString &extra)
{
    QString columns = QStringLiteral("id, th, ti, list");
    QString values = QStringLiteral("%1, '%2', '题目%2的要求', '%3'").arg(id).arg(th, chapter);
    for (const QString &pair : extra.split(u',', Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(u'=');
        columns += QStringLiteral(", ") + parts.value(0).trimmed();
        values += QStringLiteral(", '%1'").arg(parts.value(1).trimmed());
    }
    exec(QStringLiteral("insert into sbsti (%1) values (%2)").arg(columns, values));
}

QString TestBank::value(const QString &select)
{
    Connection connection(connectionString());
    connection.open();
    Query query(connection);
    query.setSql(select);
    query.open();
    return query.isEmpty() ? QString() : query.fieldText(QStringLiteral("v"));
}
