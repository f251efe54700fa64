#include "connection.h"
#include "contentchecker.h"
#include "contentsources.h"
#include "lessonscript.h"
#include "programfolderbuilder.h"
#include "storeerror.h"

#include <QDir>
#include <QFile>
#include <QProcess>
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
    void failedBuildNamesTheLineAndLeavesNoBank_data();
    void failedBuildNamesTheLineAndLeavesNoBank();
    void lessonShowsTheGuidesWay();
    void lessonBeatsSayWhatTheRecorderDoes();

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
    QTest::newRow("duplicate number") << "题目表 sbsti：题号“102”重复";
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
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chapter fields") << "chapters.txt" << QByteArray("# c\n1 | 基本操作 | x\n") << "chapters.txt:2: 应有 2 个";
    QTest::newRow("chapter number") << "chapters.txt" << QByteArray("一 | 基本操作\n") << "chapters.txt:1: 章节编号“一”";
    QTest::newRow("question number") << "questions/1.txt" << QByteArray("101 | 1 | 甲。\n\n10a | | 乙。\n") << "questions/1.txt:3: 题号“10a”";
    QTest::newRow("empty task") << "questions/1.txt" << QByteArray("101 | 1 | \n") << "questions/1.txt:1: 题目为空";
    QTest::newRow("html before title") << "kszn.txt" << QByteArray("<p>无标题</p>\n== 考试简介\n") << "kszn.txt:1: 内容前缺少";
    QTest::newRow("lesson fields") << "wlktsp.txt" << QByteArray("第1课 | 1-1\n") << "wlktsp.txt:1: 应有 3 个";
    QTest::newRow("not utf-8") << "kszn.txt" << QByteArray("== 考试简介\n<p>\xbf\xbc\xca\xd4</p>\n") << "kszn.txt:2: 不是有效的 UTF-8";
    QTest::newRow("chapter not listed") << "questions/7.txt" << QByteArray("# 第7章\n701 | | 甲。\n") << "questions/7.txt:2: chapters.txt 中没有第 7 章";
    QTest::newRow("chapter twice") << "chapters.txt" << QByteArray("1 | 基本操作\n1 | 编辑\n") << "chapters.txt:2: 章节编号 1 重复";
}

void TestContent::malformedSourcesNameFileAndLine()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("questions"));
    auto write = [&](const QString &name, const QByteArray &content) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    };
    for (const QString &name : QStringList{"chapters.txt", "questions/1.txt", "xxjh.txt", "wlkt.txt", "kszn.txt", "mnkc.txt", "wlktsp.txt"})
        write(name, name == u"chapters.txt" ? QByteArray("1 | 基本操作\n") : QByteArray());
    write(file, text);
    try {
        ContentSources::read(dir.path());
        QFAIL("malformed source accepted");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(dir.filePath(expected.section(u':', 0, 0)) + u':' + expected.section(u':', 1)),
                 qPrintable(error.message()));
    }
}

// The builder run as the build runs it, on a copy of the sample sources with
// one fault, over a program folder that still holds an earlier bank: it fails,
// names the file and line of the fault, and the earlier bank is gone.
void TestContent::failedBuildNamesTheLineAndLeavesNoBank_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("find");     // a line of the file, or empty for the whole file
    QTest::addColumn<QByteArray>("replace");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty exam rooms") << "mnkc.txt" << QString() << QByteArray() << "mnkc.txt:1: 没有任何条目";
    QTest::newRow("chapter line deleted")
        << "chapters.txt" << "3 | 文本与格式" << QByteArray() << "questions/3.txt:2: chapters.txt 中没有第 3 章";
    QTest::newRow("not utf-8") << "wlkt.txt" << "== 第1课 演示文稿的基本操作" << QByteArray("== \xb5\xda" "1\xbf\xce") << "wlkt.txt:2: 不是有效的 UTF-8";
    QTest::newRow("number twice")
        << "questions/1.txt" << "104 | 4 | 打开考生文件夹中的演示文稿“产品介绍.dps”。"
        << QByteArray("101 | 4 | 打开考生文件夹中的演示文稿“产品介绍.dps”。") << "questions/1.txt:5: 题号“101”重复";
    QTest::newRow("paper of 39")
        << "questions/1.txt" << "104 | 4 | 打开考生文件夹中的演示文稿“产品介绍.dps”。"
        << QByteArray("104 | | 打开考生文件夹中的演示文稿“产品介绍.dps”。") << "固定试卷 4：有 39 道题，应为 40 道";
    QTest::newRow("quote in a title") << "kszn.txt" << "== 考试简介" << QByteArray("== 考生's 须知") << "kszn.txt:2: 标题“考生's 须知”含有单引号";
}

void TestContent::failedBuildNamesTheLineAndLeavesNoBank()
{
    QFETCH(QString, file);
    QFETCH(QString, find);
    QFETCH(QByteArray, replace);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString sources = dir.filePath(QStringLiteral("sources"));
    const QString program = dir.filePath(QStringLiteral("app"));
    QVERIFY(QDir().mkpath(sources + QStringLiteral("/questions")));
    QVERIFY(QDir().mkpath(program + QStringLiteral("/data")));
    const QDir sample(QStringLiteral(CONTENT_SOURCES));
    for (const QString &name : sample.entryList({QStringLiteral("*.txt")}, QDir::Files))
        QVERIFY(QFile::copy(sample.filePath(name), sources + u'/' + name));
    for (const QString &name : QDir(sample.filePath(QStringLiteral("questions"))).entryList(QDir::Files))
        QVERIFY(QFile::copy(sample.filePath(QStringLiteral("questions/") + name), sources + QStringLiteral("/questions/") + name));

    QFile source(sources + u'/' + file);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QByteArray text = source.readAll();
    source.close();
    if (find.isEmpty()) {
        text = replace;
    } else {
        QVERIFY2(text.contains(find.toUtf8() + '\n'), qPrintable(find));
        text.replace(find.toUtf8() + '\n', replace.isEmpty() ? QByteArray() : replace + '\n');
    }
    QVERIFY(source.open(QIODevice::WriteOnly | QIODevice::Truncate));
    source.write(text);
    source.close();
    QFile earlier(program + QStringLiteral("/data/orva.mdb"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier bank");
    earlier.close();

    QProcess builder;
    builder.start(QStringLiteral(CONTENT_BUILDER), {QStringLiteral("build"), sources, program});
    QVERIFY(builder.waitForFinished(60000));
    const QString errors = QString::fromUtf8(builder.readAllStandardError());
    QCOMPARE(builder.exitStatus(), QProcess::NormalExit);
    QVERIFY2(builder.exitCode() != 0, qPrintable(errors));
    const QString located = expected.contains(u':') ? sources + u'/' + expected : expected;
    QVERIFY2(errors.contains(located), qPrintable(errors));
    QVERIFY(!QFile::exists(program + QStringLiteral("/data/orva.mdb")));
    QVERIFY(!QFile::exists(program + QStringLiteral("/data/orva.mdb.new")));
}

QTEST_MAIN(TestContent)
// A lesson's example plays the task's first method alone: its other methods
// are named, its mistakes never shown.
void TestContent::lessonShowsTheGuidesWay()
{
    const QString task = QStringLiteral(
        "th: 301\ntext: 设置字体。\nmethod: 菜单\nstep: menu 格式 | 单击“格式”菜单\nstep: ok | 确定\n"
        "method: 右键菜单\nstep: context title | 右键单击\nstep: ok | 确定\n"
        "method: 工具栏\nstep: toolbar 字号 | 字号框\nmistake: 选错幻灯片\nstep: select 2 | 第2张\n");
    QStringList captions;
    for (const LessonBeat &beat : LessonScripts::taskBeats(task, QStringLiteral("301")))
        captions << beat.caption;
    QCOMPARE(captions, (QStringList{QStringLiteral("例题：设置字体。"), QStringLiteral("单击“格式”菜单"), QStringLiteral("确定"),
                                    QStringLiteral("这道题也可以这样做：右键菜单、工具栏。")}));
}

// Each step becomes the action the recorder performs on screen; a toolbar
// box carries the value the field after it names, and a kind of step the
// recorder cannot show is marked so that the build reports it.
void TestContent::lessonBeatsSayWhatTheRecorderDoes()
{
    const QString task = QStringLiteral(
        "th: 303\ntext: 设置字号。\n"
        "step: select 3 | 第3张\nstep: selecttext body 市场 | 选中\nstep: toolbar 字号 | 字号框\n"
        "step: command 字体 | 字号框\nstep: field 对象 = 正文 | 正文\nstep: field 字号 = 28 | 选择“28”\nstep: ok | 生效\n"
        "step: drawbox 2,1,8,2 | 画出文本框\nstep: shape 文本框 | 单击\nstep: drag 2 | 拖动\n"
        "step: pane 幻灯片版式 | 版式\nstep: click title | 标题\nstep: key Ctrl+B | 按键\nstep: rotate 文本框 45 | 旋转\n");
    const QList<LessonBeat> beats = LessonScripts::taskBeats(task, QStringLiteral("303"));
    using A = LessonBeat::Action;
    QList<A> actions;
    for (const LessonBeat &beat : beats.mid(1))
        actions << beat.action;
    QCOMPARE(actions, (QList<A>{A::Select, A::SelectText, A::Toolbar, A::Command, A::Field, A::Field, A::Ok, A::DrawBox,
                                A::Shape, A::Drag, A::Pane, A::Click, A::Other, A::Other}));
    QCOMPARE(beats.at(2).arg, QStringLiteral("body"));
    QCOMPARE(beats.at(2).value, QStringLiteral("市场"));
    QCOMPARE(beats.at(3).value, QStringLiteral("28"));
}

#include "tst_content.moc"
