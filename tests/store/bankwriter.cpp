// Stands in for a question simulator: opens the bank of the program folder
// given on the command line and writes `zt` of question 101 many times.
#include "connection.h"
#include "query.h"
#include "storeerror.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const int writes = args.at(2).toInt();
    try {
        Connection connection(Connection::connectionStringFor(args.at(1)));
        connection.open();
        Query query(connection);
        for (int i = 1; i <= writes; ++i) {
            query.setSql(QStringLiteral("update sbsti set zt='w%1' where th='101'").arg(i));
            query.execSql();
        }
    } catch (const StoreError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
