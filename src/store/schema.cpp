#include "schema.h"

namespace Schema {

QStringList createStatements()
{
    QStringList statements = {
        QStringLiteral("create table sbsti (id integer, th text, ti text, list text, gdks text, xz text,"
                       " xzti text, fw text, ks text, bs text, dqwz text, jc text, zt text, dycs text)"),
        QStringLiteral("create index sbsti_th on sbsti (th)"),
        QStringLiteral("create index sbsti_list on sbsti (list)"),
        QStringLiteral("create table sbslist (id integer, list text)"),
        QStringLiteral("create table jl (jl integer, jl1 integer)"),
        QStringLiteral("create table jl1 (jl integer, jl1 integer)"),
        QStringLiteral("create table srf (srf text)"),
        QStringLiteral("create table rq (rq text)"),
        QStringLiteral("create table wlktsp (wlkt text, list text, spname text)"),
    };
    for (const QString &table : titleTables())
        statements << QStringLiteral("create table %1 (id integer, list text, wy text)").arg(table);
    return statements;
}

QStringList titleTables()
{
    return {QStringLiteral("xxjh"), QStringLiteral("wlkt"), QStringLiteral("kszn"), QStringLiteral("mnkc")};
}

} // namespace Schema
