#include "countdown.h"

#include "connection.h"
#include "query.h"
#include "statements.h"

namespace Countdown {

namespace {

const QString DateTable = QStringLiteral("ksrq");
const QString DateFormat = QStringLiteral("yyyy-MM-dd");

bool hasDateTable(Connection &connection)
{
    Query query(connection);
    query.setSql(QStringLiteral("select * from sqlite_master where type='table' and name='ksrq'"));
    query.open();
    return !query.isEmpty();
}

} // namespace

QString text(const QDateTime &now, QDate exam)
{
    const QDateTime at(exam, QTime(0, 0));
    const qint64 ms = now.msecsTo(at);
    if (ms <= 0)
        return QStringLiteral("0");
    return QString::number(ms / (24LL * 60 * 60 * 1000));
}

std::function<QDateTime()> &clock()
{
    static std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    return now;
}

std::optional<QDate> storedDate(Connection &connection)
{
    if (!hasDateTable(connection))
        return std::nullopt;
    Query query(connection);
    query.setSql(Sql::singleRow(DateTable));
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    const QDate date = QDate::fromString(query.fieldText(DateTable), DateFormat);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

void storeDate(Connection &connection, QDate exam)
{
    connection.exec(QStringLiteral("create table if not exists ksrq (ksrq text)"));
    Query query(connection);
    query.setSql(Sql::singleRow(DateTable));
    query.open();
    query.edit();
    query.setField(DateTable, exam.toString(DateFormat));
    query.post();
    query.close();
}

qint64 untilNextDay(const QDateTime &now)
{
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    return now.msecsTo(midnight) + 1000;
}

} // namespace Countdown
