// The tasks of the question simulators, through the editor's model: every
// question of the sample bank gets a sound task whose solution path reaches
// its goal, the task kinds are derived from the question texts, and the
// verdict looks at the document, not at the way the candidate went.

#include "commands.h"
#include "contentsources.h"
#include "session.h"
#include "simbank.h"
#include "simulatorfolders.h"
#include "task.h"
#include "testbank.h"
#include "verdictrecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestSimulatorTasks : public QObject
{
    Q_OBJECT

private slots:
    void everyQuestionHasASolvableTask();
    void derivedKinds_data();
    void derivedKinds();
    void verdictAcceptsAnyWay_data();
    void verdictAcceptsAnyWay();
    void malformedTaskFiles_data();
    void malformedTaskFiles();
    void guideFollowsTheSolutionPath();
    void foldersHoldTaskAndRelativeLink();
    void verdictRecords();
};

void TestSimulatorTasks::everyQuestionHasASolvableTask()
{
    const ContentSources sources = ContentSources::read(QStringLiteral(CONTENT_SOURCES));
    QVERIFY(sources.questions.size() >= 400);
    QMap<QString, QSet<QString>> kindsByChapter;
    QSet<QString> kinds;
    for (const ContentSources::Question &question : sources.questions) {
        const Task task = deriveTask(question.th, question.ti);
        const QStringList problems = task.problems();
        QVERIFY2(problems.isEmpty(), qPrintable(question.th + u' ' + question.ti + u'\n' + problems.join(u'\n')));
        // The file is what the simulator reads: the written text must give the same task.
        QStringList errors;
        const Task reread = Task::parse(task.toText(), &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QCOMPARE(reread.toText(), task.toText());
        Session session(reread.startDocument());
        QVERIFY(!reread.isMet(session.document()));
        reread.playSolution(session);
        QVERIFY2(reread.isMet(session.document()), qPrintable(question.th));
        kinds.insert(task.kind.section(u'：', 0, 0));
        kindsByChapter[question.chapter].insert(task.kind);
    }
    QVERIFY2(kinds.size() >= 12, qPrintable(QStringList(kinds.begin(), kinds.end()).join(u' ')));
    QCOMPARE(kindsByChapter.size(), 6);
}

void TestSimulatorTasks::derivedKinds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::newRow("insert slide") << "在第2张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。" << "插入幻灯片" << "slide3.layout" << "标题和文本";
    QTest::newRow("insert at the end") << "在演示文稿的最后插入一张新幻灯片，版式为“空白”。" << "插入幻灯片" << "slide7.layout" << "空白";
    QTest::newRow("delete two") << "在幻灯片浏览视图中，同时删除第2张和第4张幻灯片。" << "删除幻灯片" << "slide2.title" << "市场分析";
    QTest::newRow("move after") << "使用“剪切”和“粘贴”命令，将第6张幻灯片移动到第3张幻灯片之后。" << "移动幻灯片" << "slide4.title" << "团队建设";
    QTest::newRow("copy after") << "将第2张幻灯片复制到第4张幻灯片之后。" << "复制幻灯片" << "slide5.title" << "公司概况";
    QTest::newRow("hide") << "隐藏第4张幻灯片，使其在放映时不显示。" << "隐藏幻灯片" << "slide4.hidden" << "1";
    QTest::newRow("unhide") << "取消第4张幻灯片的隐藏状态。" << "取消隐藏幻灯片" << "slide4.hidden" << "";
    QTest::newRow("layout") << "将第3张幻灯片的版式更改为“标题和表格”。" << "更改版式" << "slide3.layout" << "标题和表格";
    QTest::newRow("notes") << "在第3张幻灯片的备注窗格中输入“此处停顿，请听众提问”。" << "备注" << "slide3.notes" << "此处停顿，请听众提问";
    QTest::newRow("title changed") << "将第5张幻灯片的标题文字“计划”修改为“工作计划”。" << "标题文字" << "slide5.title" << "工作计划";
    QTest::newRow("view") << "将当前演示文稿的视图方式切换为“幻灯片浏览”视图。" << "视图" << "doc.视图" << "幻灯片浏览";
    QTest::newRow("zoom") << "通过“视图”菜单将当前幻灯片的显示比例设置为75%。" << "显示比例" << "doc.显示比例.比例" << "75%";
    QTest::newRow("font") << "将第2张幻灯片标题文字的字体设置为“隶书”，字号为40磅，并加粗。" << "字体" << "slide2.标题.字号" << "40";
    QTest::newRow("alignment") << "将第4张幻灯片标题文字设置为“右对齐”。" << "对齐" << "slide4.标题.对齐" << "右对齐";
    QTest::newRow("background all") << "将所有幻灯片的背景设置为考生文件夹中的图片“背景.jpg”。" << "背景" << "slide6.背景.填充" << "图片";
    QTest::newRow("template one slide") << "只为第2张幻灯片应用设计模板“古典”。" << "设计模板" << "slide2.设计模板" << "古典";
    QTest::newRow("table") << "在第4张幻灯片中插入一个4行3列的表格。" << "插入对象" << "slide4.表格.列数" << "3";
    QTest::newRow("animation") << "为第3张幻灯片的标题设置“飞入”动画效果，方向为“自左侧”。" << "自定义动画" << "slide3.动画.标题.方向" << "自左侧";
    QTest::newRow("transition all") << "为所有幻灯片设置“横向棋盘式”切换效果，速度为“快速”。" << "幻灯片切换" << "slide1.切换.速度" << "快速";
    QTest::newRow("set up show") << "设置放映时只放映第2张到第5张幻灯片。" << "设置放映方式" << "doc.放映方式.放映幻灯片" << "第2张到第5张";
    QTest::newRow("header and footer") << "为所有幻灯片添加页脚“金山演示培训”。" << "页眉和页脚" << "doc.页眉和页脚.页脚" << "金山演示培训";
    QTest::newRow("print") << "打印当前演示文稿的全部幻灯片，打印份数为2份。" << "打印" << "doc.打印.份数" << "2";
    QTest::newRow("named fields") << "在“文件属性”对话框中，将当前演示文稿的作者设置为“张明”，单位设置为“市场部”。" << "操作：属性" << "doc.属性.单位" << "市场部";
}

void TestSimulatorTasks::derivedKinds()
{
    QFETCH(QString, text);
    QFETCH(QString, kind);
    QFETCH(QString, path);
    QFETCH(QString, value);
    const Task task = deriveTask(QStringLiteral("999"), text);
    QCOMPARE(task.kind, kind);
    QVERIFY2(task.problems().isEmpty(), qPrintable(task.problems().join(u'\n')));
    Session session(task.startDocument());
    task.playSolution(session);
    QCOMPARE(session.document().value(path), value);
}

void TestSimulatorTasks::verdictAcceptsAnyWay_data()
{
    // A task, then a series of session actions ("select 2", "run 隐藏幻灯片",
    // "run 幻灯片切换 效果=溶解", "type title …") and the expected verdict.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("met");
    const QString hide = QStringLiteral("隐藏第4张幻灯片，使其在放映时不显示。");
    QTest::newRow("hide, other slide first") << hide << QStringList{"select 2", "run 隐藏幻灯片", "run 隐藏幻灯片", "select 4", "run 隐藏幻灯片"} << true;
    QTest::newRow("hide, wrong slide") << hide << QStringList{"select 3", "run 隐藏幻灯片"} << false;
    QTest::newRow("hide twice undoes it") << hide << QStringList{"select 4", "run 隐藏幻灯片", "run 隐藏幻灯片"} << false;
    const QString insert = QStringLiteral("在第2张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。");
    QTest::newRow("insert, then fix the layout") << insert << QStringList{"select 2", "run 新幻灯片 版式=空白", "run 幻灯片版式 版式=标题和文本"} << true;
    QTest::newRow("insert at the wrong place") << insert << QStringList{"select 1", "run 新幻灯片 版式=标题和文本"} << false;
    const QString transition = QStringLiteral("为所有幻灯片设置“随机”切换效果。");
    QTest::newRow("every slide one by one") << transition
        << QStringList{"select 1", "run 幻灯片切换 效果=随机", "select 2", "run 幻灯片切换 效果=随机", "select 3", "run 幻灯片切换 效果=随机",
                       "select 4", "run 幻灯片切换 效果=随机", "select 5", "run 幻灯片切换 效果=随机", "select 6", "run 幻灯片切换 效果=随机"} << true;
    QTest::newRow("one slide only") << transition << QStringList{"select 1", "run 幻灯片切换 效果=随机"} << false;
    const QString move = QStringLiteral("使用“剪切”和“粘贴”命令，将第6张幻灯片移动到第3张幻灯片之后。");
    QTest::newRow("move by copy and delete") << move << QStringList{"select 6", "run 复制", "run 删除幻灯片", "select 3", "run 粘贴"} << true;
    QTest::newRow("copied, not moved") << move << QStringList{"select 6", "run 复制", "select 3", "run 粘贴"} << false;
}

void TestSimulatorTasks::verdictAcceptsAnyWay()
{
    QFETCH(QString, text);
    QFETCH(QStringList, actions);
    QFETCH(bool, met);
    const Task task = deriveTask(QStringLiteral("999"), text);
    Session session(task.startDocument());
    for (const QString &action : actions) {
        const QStringList words = action.split(u' ');
        if (words.at(0) == u"select") {
            session.select(words.at(1).toInt());
        } else if (words.at(0) == u"type") {
            session.setText(words.at(1), words.mid(2).join(u' '));
        } else {
            QMap<QString, QString> fields;
            for (const QString &pair : words.mid(2))
                fields.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
            QVERIFY(session.run(words.at(1), fields));
        }
    }
    QCOMPARE(task.isMet(session.document()), met);
}

void TestSimulatorTasks::malformedTaskFiles_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    const QString head = QStringLiteral("th: 1\ntext: 隐藏第2张幻灯片。\ngoal: slide2.hidden = 1\n");
    QTest::newRow("no colon") << head + "step select 2" << "第4行";
    QTest::newRow("unknown key") << head + "steps: select 2 | x" << "无法识别的项目";
    QTest::newRow("bad path") << "th: 1\ntext: x\ngoal: page2.hidden = 1\n" << "无法识别的路径";
    QTest::newRow("bad step") << head + "step: click 2 | x" << "无法识别的步骤";
    QTest::newRow("too many slides") << head + "start: slides = 500\n" << "1到50";
    QTest::newRow("unknown command") << head + "step: select 2 | a\nstep: command 飞行 | b\n" << "未知的命令";
    QTest::newRow("field outside a dialog") << head + "step: field 版式 = 空白 | a\n" << "对话框中没有";
    QTest::newRow("path does not reach the goal") << head + "step: select 3 | a\nstep: command 隐藏幻灯片 | b\n" << "仍不符合目标";
    QTest::newRow("goal met at the start") << "th: 1\ntext: x\ngoal: count = 6\nstep: select 1 | a\n" << "已经符合目标";
    QTest::newRow("no hint") << head + "step: select 2\nstep: command 隐藏幻灯片 | b\n" << "缺少提示";
}

void TestSimulatorTasks::malformedTaskFiles()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("task.txt"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(source.toUtf8());
    out.close();
    const QStringList problems = checkTask(file);
    QVERIFY2(problems.join(u'\n').contains(expected), qPrintable(problems.join(u'\n')));
    QVERIFY(problems.first().startsWith(file));
    QVERIFY(!checkTask(dir.filePath(QStringLiteral("missing.txt"))).isEmpty());
}

void TestSimulatorTasks::guideFollowsTheSolutionPath()
{
    const Task task = deriveTask(QStringLiteral("1"), QStringLiteral("将第3张幻灯片的版式更改为“标题和表格”。"));
    Guide guide(task.steps);
    using K = TaskStep::Kind;
    // Actions off the path leave the guide where it is.
    QVERIFY(!guide.report({K::Select, QStringLiteral("2"), {}, {}}));
    QVERIFY(guide.report({K::Select, QStringLiteral("3"), {}, {}}));
    QVERIFY(!guide.report({K::Menu, QStringLiteral("插入"), {}, {}}));
    QVERIFY(guide.report({K::Menu, QStringLiteral("格式"), {}, {}}));
    QVERIFY(guide.report({K::Command, QStringLiteral("幻灯片版式"), {}, {}}));
    QVERIFY(!guide.report({K::Field, QStringLiteral("版式"), QStringLiteral("空白"), {}}));
    QCOMPARE(guide.current()->hint, QStringLiteral("在“版式”中选择或输入“标题和表格”"));
    QVERIFY(guide.report({K::Field, QStringLiteral("版式"), QStringLiteral("标题和表格"), {}}));
    QVERIFY(guide.report({K::Ok, {}, {}, {}}));
    QCOMPARE(guide.current(), nullptr);
}

void TestSimulatorTasks::foldersHoldTaskAndRelativeLink()
{
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/app/");
    QDir().mkpath(program);
    QFile executable(program + QStringLiteral("pelquor-simulator"));
    QVERIFY(executable.open(QIODevice::WriteOnly));
    executable.close();
    const QList<ContentSources::Question> questions = {
        {QStringLiteral("101"), {}, QStringLiteral("隐藏第4张幻灯片，使其在放映时不显示。"), QStringLiteral("基本操作")},
        {QStringLiteral("612"), {}, QStringLiteral("打印当前幻灯片。"), QStringLiteral("放映与输出")},
    };
    writeSimulatorFolders(questions, program, program + QStringLiteral("pelquor-simulator"));
    writeSimulatorFolders(questions, program, program + QStringLiteral("pelquor-simulator"));  // again over the old ones
    for (const auto &question : questions) {
        const QString folder = program + QStringLiteral("ovti/金山演示") + question.th;
        const QFileInfo link(folder + QStringLiteral("/ov"));
        QVERIFY(link.isSymLink());
        QCOMPARE(link.symLinkTarget(), QFileInfo(executable).absoluteFilePath());
        char target[512] = {};
        const ssize_t length = readlink(QFile::encodeName(link.filePath()).constData(), target, sizeof target - 1);
        QVERIFY(length > 0 && target[0] != '/');
        QCOMPARE(checkTask(folder + QStringLiteral("/task.txt")), QStringList());
    }
    // The folder moves with its program.
    QVERIFY(QDir().rename(program, dir.path() + QStringLiteral("/moved")));
    QVERIFY(QFileInfo(dir.path() + QStringLiteral("/moved/ovti/金山演示101/ov")).exists());
}

void TestSimulatorTasks::verdictRecords()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    bank.addQuestion(2, QStringLiteral("102"), QStringLiteral("基本操作"), QStringLiteral("dqwz=2,ks=1"));
    const auto column = [&](const char *th, const char *name) {
        return bank.value(QStringLiteral("select %1 as v from sbsti where th='%2'").arg(QString::fromUtf8(name), QString::fromUtf8(th)));
    };

    SimBank practiceBank(bank.folder(), QStringLiteral("101"));
    practiceBank.open();
    QCOMPARE(practiceBank.read().mode, SimBank::Mode::Practice);
    VerdictRecorder practice(practiceBank, SimBank::Mode::Practice);
    QVERIFY(!practice.update(false));
    QCOMPARE(column("101", "zt"), QString());
    QVERIFY(practice.update(true));
    QVERIFY(!practice.update(true));   // said once
    QVERIFY(!practice.update(false));  // a completed question stays completed
    QCOMPARE(column("101", "zt"), QStringLiteral("已完成"));
    QCOMPARE(column("101", "ks"), QString());

    SimBank examBank(bank.folder(), QStringLiteral("102"));
    examBank.open();
    QCOMPARE(examBank.read().mode, SimBank::Mode::Exam);
    VerdictRecorder exam(examBank, SimBank::Mode::Exam);
    for (const auto &[correct, ks] : {std::pair{false, ""}, {true, "1"}, {true, "1"}, {false, ""}, {true, "1"}}) {
        exam.update(correct);
        QCOMPARE(column("102", "ks"), QString::fromUtf8(ks));
    }
    QCOMPARE(column("102", "zt"), QString());
}

QTEST_GUILESS_MAIN(TestSimulatorTasks)
#include "tst_simulatortasks.moc"
