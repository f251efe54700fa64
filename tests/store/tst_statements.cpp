#include "connection.h"
#include "query.h"
#include "statements.h"
#include "testbank.h"

#include <QTest>

class TestStatements : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void quoteInTitleFindsItsRow();
    void trimTitle_data();
    void trimTitle();
};

void TestStatements::texts_data()
{
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("expected");
    const QString c = QStringLiteral("基本操作");
    QTest::newRow("all") << Sql::allQuestions() << "select * from sbsti";
    QTest::newRow("all in order") << Sql::allQuestionsInOrder() << "select * from sbsti order by id";
    QTest::newRow("chapter") << Sql::chapterQuestions(c) << "select * from sbsti where list='基本操作' order by id";
    QTest::newRow("marking") << Sql::chapterMarking(c) << "select * from sbsti where list='基本操作'order by id";
    QTest::newRow("restart") << Sql::chapterRestart(c) << "select * from sbsti where list = '基本操作'";
    QTest::newRow("wrong") << Sql::wrongQuestions() << "select * from sbsti where (xz='1') and (fw='1')";
    QTest::newRow("wrong start") << Sql::startWrongPractice() << "update sbsti set dqwz='0' where xz='1'";
    QTest::newRow("chosen tight") << Sql::chosenInChapter(c, Sql::ChosenEnding::Tight)
                                  << "select * from sbsti where list='基本操作'and (xz='1')order by id";
    QTest::newRow("chosen space") << Sql::chosenInChapter(c, Sql::ChosenEnding::Space)
                                  << "select * from sbsti where list='基本操作'and (xz='1') order by id";
    QTest::newRow("chosen two spaces") << Sql::chosenInChapter(c, Sql::ChosenEnding::TwoSpaces)
                                       << "select * from sbsti where list='基本操作'and (xz='1')  order by id";
    QTest::newRow("wrong ordered") << Sql::wrongQuestionsInOrder()
                                   << "select * from sbsti where (xz='1') and (fw='1')order by id";
    QTest::newRow("wrong ordered spaced") << Sql::wrongQuestionsInOrder(true)
                                          << "select * from sbsti where (xz='1') and ( fw='1')order by id";
    QTest::newRow("working set") << Sql::workingSetInOrder() << "select * from sbsti where xz='1'order by id";
    QTest::newRow("working set spaced") << Sql::workingSetInOrder(true) << "select * from sbsti where xz='1' order by id";
    QTest::newRow("paper size") << Sql::workingSet() << "select * from sbsti where xz='1'";
    QTest::newRow("by number") << Sql::questionByNumber("101") << "select * from sbsti where th='101'";
    QTest::newRow("neighbour") << Sql::neighbourInWorkingSet("102")
                               << "select * from sbsti where th='102'and (xz='1') order by id";
    QTest::newRow("reset") << Sql::paperReset().join(u';')
                           << "update sbsti set xz='';update sbsti set dqwz='2';update sbsti set fw='';"
                              "update sbsti set ks='';update sbsti set bs='';update sbsti set jc=''";
    QTest::newRow("paper 1") << Sql::fixedPaper(1) << "select * from sbsti where gdks='1'order by id";
    QTest::newRow("paper 10") << Sql::fixedPaper(10) << "select * from sbsti where gdks='10'order by id";
    QTest::newRow("chapters") << Sql::chapters() << "select * from sbslist order by id";
    QTest::newRow("jl") << Sql::singleRow("jl") << "select * from jl";
    QTest::newRow("rq") << Sql::singleRow("rq") << "select * from rq";
    QTest::newRow("plan list") << Sql::titleList("xxjh") << "select * from xxjh order by id";
    QTest::newRow("room lookup") << Sql::titleLookup("mnkc", "模拟考试 1") << "select * from mnkc where list='模拟考试 1'";
    QTest::newRow("lessons") << Sql::lessonsOfCourse("第1课") << "select * from wlktsp where wlkt='第1课'";
    QTest::newRow("lesson") << Sql::lessonByTitle("1-1 启动") << "select * from wlktsp where list='1-1 启动'";
    QTest::newRow("quote doubled") << Sql::titleLookup("kszn", "考生's 须知") << "select * from kszn where list='考生''s 须知'";
}

void TestStatements::texts()
{
    QFETCH(QString, built);
    QFETCH(QString, expected);
    QCOMPARE(built, expected);
}

// A title holding a quote finds its own row; an injected condition stays text.
void TestStatements::quoteInTitleFindsItsRow()
{
    TestBank bank;
    bank.exec(QStringLiteral("insert into kszn (id, list, wy) values (1, '考生''s 须知', '<p>甲</p>'),"
                             " (2, '其他', '<p>乙</p>')"));
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);
    query.setSql(Sql::titleLookup(QStringLiteral("kszn"), QStringLiteral("考生's 须知")));
    query.open();
    QCOMPARE(query.recordCount(), 1);
    QCOMPARE(query.fieldText(QStringLiteral("wy")), QStringLiteral("<p>甲</p>"));

    query.setSql(Sql::titleLookup(QStringLiteral("kszn"), QStringLiteral("x' or '1'='1")));
    query.open();
    QCOMPARE(query.recordCount(), 0);
}

void TestStatements::trimTitle_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("plain") << "模拟考试 1" << "模拟考试 1";
    QTest::newRow("blanks") << "  考试简介 " << "考试简介";
    QTest::newRow("controls") << "\t考试简介\r\n" << "考试简介";
    QTest::newRow("inner blank kept") << " 模拟考试 2 " << "模拟考试 2";
    QTest::newRow("only blanks") << " \t " << "";
}

void TestStatements::trimTitle()
{
    QFETCH(QString, shown);
    QFETCH(QString, trimmed);
    QCOMPARE(Sql::trimTitle(shown), trimmed);
}

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_statements.moc"
