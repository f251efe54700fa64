#include "connection.h"
#include "contentchecker.h"
#include "contentsources.h"
#include "programfolderbuilder.h"
#include "storeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestContent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sampleContentBuildsClean();
    void checkerReportsEveryBrokenRule_data();
    void checkerReportsEveryBrokenRule();
    void malformedSourcesNameFileAndLine_data();
    void malformedSourcesNameFileAndLine();

private:
    QTemporaryDir m_built;
    QStringList m_problems;
};

// One folder built from the real sample content, then broken in every way
// the checker knows; each data row looks for its own report line.
void TestContent::initTestCase()
{
    buildProgramFolder(QStringLiteral(CONTENT_SOURCES), m_built.path());
    // The programs are linked into the folder by the build, not by the
    // content builder: the updater here is any executable file.
    QFile updater(m_built.path() + QStringLiteral("/app_upd"));
    QVERIFY(updater.open(QIODevice::WriteOnly));
    updater.write("#!/bin/sh\n");
    updater.close();
    QVERIFY(updater.setPermissions(updater.permissions() | QFile::ExeOwner));
}

void TestContent::sampleContentBuildsClean()
{
    QCOMPARE(checkProgramFolder(m_built.path()), QStringList());

    Connection connection(Connection::connectionStringFor(m_built.path() + u'/'));
    connection.open();  // the built bank opens with the system's password
    Connection wrong(QStringLiteral("Data Source=%1/data/orva.mdb;Jet OLEDB:Database Password=x").arg(m_built.path()));
    QVERIFY_THROWS_EXCEPTION(StoreError, wrong.open());
}

void TestContent::checkerReportsEveryBrokenRule_data()
{
    QTest::addColumn<QString>("expected");
    if (m_problems.isEmpty()) {
        Connection connection(Connection::connectionStringFor(m_built.path() + u'/'));
        connection.open();
        connection.exec(QStringLiteral(
            "update mnkc set list='考生''s 须知' where id=2;"
            "update kszn set list=' 考试简介' where id=1;"
            "update xxjh set list='第一步|预习' where id=1;"
            "update sbsti set th='102' where th='101';"
            "update sbsti set list='没有的章节' where th='205';"
            "update wlktsp set wlkt='没有的课程' where rowid=1;"
            "update sbsti set gdks='' where th='301';"));
        connection.close();
        QFile::remove(m_built.path() + QStringLiteral("/images/guan.png"));
        QImage(10, 10, QImage::Format_RGB32).save(m_built.path() + QStringLiteral("/images/xiao.jpg"));
        QDir(m_built.path()).mkpath(QStringLiteral("ovti/金山演示101"));
        m_problems = checkProgramFolder(m_built.path());
    }
    QTest::newRow("quote") << "标题“考生's 须知”含有单引号";
    QTest::newRow("blanks") << "标题“ 考试简介”首尾有空白或控制字符";
    QTest::newRow("plan bar") << "学习计划标题“第一步|预习”含有“|”";
    QTest::newRow("duplicate number") << "题号：“102”重复";
    QTest::newRow("missing chapter") << "题目 205 的章节“没有的章节”不在章节表中";
    QTest::newRow("missing course") << "的课程“没有的课程”不在课程表中";
    QTest::newRow("paper not of 40") << "固定试卷";
    QTest::newRow("missing picture") << "图片 images/guan.png 缺失或无法读取";
    QTest::newRow("wrong size") << "图片 images/xiao.jpg 的大小为 10×10，应为 28×20";
    QTest::newRow("no simulator") << "题目 401 没有模拟程序 ovti/金山演示401/ov";
}

void TestContent::checkerReportsEveryBrokenRule()
{
    QFETCH(QString, expected);
    const QString all = m_problems.join(u'\n');
    QVERIFY2(all.contains(expected), qPrintable(all));
}

void TestContent::malformedSourcesNameFileAndLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chapter fields") << "chapters.txt" << "# c\n1 | 基本操作 | x\n" << "chapters.txt:2: 应有 2 个";
    QTest::newRow("chapter number") << "chapters.txt" << "一 | 基本操作\n" << "chapters.txt:1: 章节编号“一”";
    QTest::newRow("question number") << "questions/1.txt" << "101 | 1 | 甲。\n\n10a | | 乙。\n" << "questions/1.txt:3: 题号“10a”";
    QTest::newRow("empty task") << "questions/1.txt" << "101 | 1 | \n" << "questions/1.txt:1: 题目为空";
    QTest::newRow("html before title") << "kszn.txt" << "<p>无标题</p>\n== 考试简介\n" << "kszn.txt:1: 内容前缺少";
    QTest::newRow("lesson fields") << "wlktsp.txt" << "第1课 | 1-1\n" << "wlktsp.txt:1: 应有 3 个";
}

void TestContent::malformedSourcesNameFileAndLine()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("questions"));
    auto write = [&](const QString &name, const QString &content) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content.toUtf8());
    };
    for (const QString &name : QStringList{"chapters.txt", "questions/1.txt", "xxjh.txt", "wlkt.txt", "kszn.txt", "mnkc.txt", "wlktsp.txt"})
        write(name, name == u"chapters.txt" ? QStringLiteral("1 | 基本操作\n") : QString());
    write(file, text);
    try {
        ContentSources::read(dir.path());
        QFAIL("malformed source accepted");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(dir.filePath(expected.section(u':', 0, 0)) + u':' + expected.section(u':', 1)),
                 qPrintable(error.message()));
    }
}

QTEST_MAIN(TestContent)
#include "tst_content.moc"
