// Prints the store's figures as "name: value unit" lines: the first keyed
// open of the bank in a process, a re-open in a process that already opened
// it (what every pass of the simulator hand-shake pays), and the question
// list of a 50-question chapter.
#include "connection.h"
#include "query.h"
#include "statements.h"
#include "testbank.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

namespace {

template<typename F>
double milliseconds(int repeats, F &&work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i)
        work();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / repeats;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The fixture is written without opening it through the store's key cache.
    TestBank bank;
    QString rows = QStringLiteral("begin;");
    for (int i = 1; i <= 400; ++i) {
        const int chapter = (i - 1) / 50 + 1;
        rows += QStringLiteral("insert into sbsti (id, th, ti, list) values (%1, '%2%3', '任务', '第%2章');")
                    .arg(i).arg(chapter).arg((i - 1) % 50 + 1, 2, 10, QLatin1Char('0'));
    }
    bank.exec(rows + QStringLiteral("commit;"));

    Connection connection(bank.connectionString());
    const double firstOpen = milliseconds(1, [&] { connection.open(); });
    const double reopen = milliseconds(200, [&] { connection.close(); connection.open(); });
    Query query(connection);
    const double chapterQuery = milliseconds(200, [&] {
        query.setSql(Sql::chapterQuestions(QStringLiteral("第3章")));
        query.open();
    });
    if (query.recordCount() != 50)
        return 1;

    std::printf("first_open_ms: %.2f ms\n", firstOpen);
    std::printf("reopen_ms: %.3f ms\n", reopen);
    std::printf("reopen_speedup: %.0f x\n", firstOpen / reopen);
    std::printf("chapter_query_ms: %.3f ms\n", chapterQuery);
    return 0;
}
