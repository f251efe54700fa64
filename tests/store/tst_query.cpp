#include "connection.h"
#include "query.h"
#include "statements.h"
#include "storeerror.h"
#include "testbank.h"

#include <QTest>

class TestQuery : public QObject
{
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
    void emptyResult();
    void nullReadsAsEmpty();
    void integerReads_data();
    void integerReads();
    void postWritesOnlyAssignedColumnsOfTheRowRead();
    void editOnEmptySingleRowTableInserts();
    void batchKeepsWhatWasPostedBeforeAnError();
    void statementOnAClosedConnectionOpensIt();
    void errorsCarryTheEngineMessage_data();
    void errorsCarryTheEngineMessage();
};

// Each step is a move followed by the expected row number, bof and eof.
void TestQuery::walk_data()
{
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("open") << QStringList{} << QStringList{"1 bof"};
    QTest::newRow("next to the end") << QStringList{"next", "next", "next"}
                                     << QStringList{"2", "3", "3 eof"};
    QTest::newRow("last, prior past the start") << QStringList{"last", "prior", "prior", "prior"}
                                                << QStringList{"3 eof", "2", "1", "1 bof"};
    QTest::newRow("move by") << QStringList{"by 2", "by -1", "by 5", "first"}
                             << QStringList{"3", "2", "3 eof", "1 bof"};
}

void TestQuery::walk()
{
    QFETCH(QStringList, moves);
    QFETCH(QStringList, expected);
    TestBank bank;
    bank.addQuestion(3, QStringLiteral("103"), QStringLiteral("基本操作"));
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    bank.addQuestion(2, QStringLiteral("102"), QStringLiteral("基本操作"));
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::chapterQuestions(QStringLiteral("基本操作")));
    query.open();
    QCOMPARE(query.recordCount(), 3);

    auto state = [&] {
        QString s = QString::number(query.recNo());
        if (query.bof())
            s += QStringLiteral(" bof");
        if (query.eof())
            s += QStringLiteral(" eof");
        // the current row is the one the row number names
        if (query.fieldText(QStringLiteral("th")) != QStringLiteral("10%1").arg(query.recNo()))
            s += QStringLiteral(" wrong row");
        return s;
    };
    if (moves.isEmpty())
        QCOMPARE(state(), expected.at(0));
    for (int i = 0; i < moves.size(); ++i) {
        const QString &move = moves.at(i);
        if (move == u"next")
            query.next();
        else if (move == u"prior")
            query.prior();
        else if (move == u"first")
            query.first();
        else if (move == u"last")
            query.last();
        else
            query.moveBy(move.mid(3).toInt());
        QCOMPARE(state(), expected.at(i));
    }
}

void TestQuery::emptyResult()
{
    TestBank bank;
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::titleLookup(QStringLiteral("mnkc"), QStringLiteral("没有这个考场")));
    query.open();
    QVERIFY(query.bof() && query.eof());
    QCOMPARE(query.recNo(), 0);
    QCOMPARE(query.recordCount(), 0);
    query.next();
    QVERIFY(query.eof());
    QCOMPARE(query.fieldText(QStringLiteral("wy")), QString());
}

void TestQuery::nullReadsAsEmpty()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("xz=1"));
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::questionByNumber(QStringLiteral("101")));
    query.open();
    QCOMPARE(query.fieldText(QStringLiteral("jc")), QString());
    QCOMPARE(query.fieldText(QStringLiteral("XZ")), QStringLiteral("1"));  // names are case-blind
}

void TestQuery::integerReads_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << "4194310" << true << 4194310;
    QTest::newRow("negative") << "-12" << true << -12;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("text") << "abc" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
}

void TestQuery::integerReads()
{
    QFETCH(QString, stored);
    QFETCH(bool, valid);
    QFETCH(int, value);
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    bank.exec(QStringLiteral("update sbsti set jc='%1'").arg(stored));
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::questionByNumber(QStringLiteral("101")));
    query.open();
    if (valid) {
        QCOMPARE(query.fieldInt(QStringLiteral("jc")), value);
        return;
    }
    try {
        query.fieldInt(QStringLiteral("jc"));
        QFAIL("no error for a value that is not a number");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("jc")), qPrintable(error.message()));
        QVERIFY2(error.message().contains(u'“' + stored + u'”'), qPrintable(error.message()));
    }
}

// A simulator writes `zt` of the row between our read and our post: the post
// of `xz` must neither undo that write nor touch a neighbouring row.
void TestQuery::postWritesOnlyAssignedColumnsOfTheRowRead()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    bank.addQuestion(2, QStringLiteral("102"), QStringLiteral("基本操作"));
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::chapterMarking(QStringLiteral("基本操作")));
    query.open();
    query.next();

    bank.exec(QStringLiteral("update sbsti set zt='已完成' where th='102'"));

    query.edit();
    query.setField(QStringLiteral("xz"), QStringLiteral("1"));
    query.setField(QStringLiteral("xzti"), QStringLiteral("1"));
    query.post();
    QCOMPARE(query.fieldText(QStringLiteral("xz")), QStringLiteral("1"));
    QCOMPARE(bank.value(QStringLiteral("select zt || '/' || xz || '/' || xzti as v from sbsti where th='102'")),
             QStringLiteral("已完成/1/1"));
    QCOMPARE(bank.value(QStringLiteral("select ifnull(xz, 'null') as v from sbsti where th='101'")),
             QStringLiteral("null"));
}

void TestQuery::editOnEmptySingleRowTableInserts()
{
    TestBank bank;
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    for (int x : {120, 350}) {
        query.setSql(Sql::singleRow(QStringLiteral("jl")));
        query.open();
        query.edit();
        query.setField(QStringLiteral("jl"), x);
        query.setField(QStringLiteral("jl1"), 109);
        query.post();
        query.close();
    }
    QCOMPARE(bank.value(QStringLiteral("select count(*) || ':' || jl || ',' || jl1 as v from jl")),
             QStringLiteral("1:350,109"));

    // Only the assigned column exists in a row created by an edit.
    query.setSql(Sql::singleRow(QStringLiteral("jl1")));
    query.open();
    query.edit();
    query.setField(QStringLiteral("jl"), 7);
    query.post();
    QCOMPARE(bank.value(QStringLiteral("select jl || ',' || ifnull(jl1, 'null') as v from jl1")),
             QStringLiteral("7,null"));
}

// A walk of posts runs as one write; an error half-way keeps the rows
// already posted, as separate posts would have.
void TestQuery::batchKeepsWhatWasPostedBeforeAnError()
{
    TestBank bank;
    for (int i = 1; i <= 3; ++i)
        bank.addQuestion(i, QStringLiteral("10%1").arg(i), QStringLiteral("基本操作"));
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::allQuestionsInOrder());
    query.open();
    QVERIFY_THROWS_EXCEPTION(StoreError, connection.batch([&] {
        for (; !query.eof(); query.next()) {
            query.edit();
            query.setField(query.recNo() == 3 ? QStringLiteral("nosuch") : QStringLiteral("dqwz"), QStringLiteral("0"));
            query.post();
        }
    }));
    QCOMPARE(bank.value(QStringLiteral("select group_concat(ifnull(dqwz, '-'), '') as v from sbsti")),
             QStringLiteral("00-"));
    // The connection is usable again: no transaction is left open.
    connection.batch([&] { connection.exec(QStringLiteral("update sbsti set dqwz='2'")); });
    QCOMPARE(bank.value(QStringLiteral("select group_concat(dqwz, '') as v from sbsti")), QStringLiteral("222"));
}

void TestQuery::statementOnAClosedConnectionOpensIt()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    Connection connection(bank.connectionString());
    Query query(connection);
    query.setSql(Sql::questionByNumber(QStringLiteral("101")));
    query.open();
    QVERIFY(connection.isOpen());
    QCOMPARE(query.recordCount(), 1);
}

void TestQuery::errorsCarryTheEngineMessage_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("execute");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing table") << "select * from nosuch" << false << "no such table: nosuch";
    QTest::newRow("missing column") << "select * from sbsti where nosuch='1'" << false << "no such column: nosuch";
    QTest::newRow("syntax") << "select * from sbsti where" << false << "syntax error";
    QTest::newRow("update") << "update sbsti set nosuch=''" << true << "no such column: nosuch";
}

void TestQuery::errorsCarryTheEngineMessage()
{
    QFETCH(QString, statement);
    QFETCH(bool, execute);
    QFETCH(QString, message);
    TestBank bank;
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(statement);
    try {
        execute ? query.execSql() : query.open();
        QFAIL("no error");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        QCOMPARE(error.statement(), statement);
    }
    QVERIFY(!query.isOpen());
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
