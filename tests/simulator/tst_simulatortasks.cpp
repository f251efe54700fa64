// The tasks of the question simulators, through the editor's model: every
// question of the sample bank gets a sound task whose solution path reaches
// its goal, the task kinds are derived from the question texts, and the
// verdict looks at the document, not at the way the candidate went.

#include "commands.h"
#include "contentsources.h"
#include "session.h"
#include "sessionscript.h"
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
    void derivedSolutions_data();
    void derivedSolutions();
    void verdictAcceptsAnyWay_data();
    void verdictAcceptsAnyWay();
    void malformedTaskFiles_data();
    void malformedTaskFiles();
    void guideFollowsTheSolutionPath();
    void methodsAndMistakes_data();
    void methodsAndMistakes();
    void guidePlansAgainAfterADeviation();
    void guideStaysInThePane();
    void selectedTextIsFormatted();
    void valuesAsTheEditorStoresThem_data();
    void valuesAsTheEditorStoresThem();
    void foldersHoldTaskAndRelativeLink();
    void verdictRecords();
};

void TestSimulatorTasks::everyQuestionHasASolvableTask()
{
    const ContentSources sources = ContentSources::read(QStringLiteral(CONTENT_SOURCES));
    QVERIFY(sources.questions.size() >= 400);
    // Every method reaches the goal, every mistake misses it (Task::problems).
    QList<Task> tasks;
    const QStringList problems = readAuthoredTasks(sources, &tasks);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    QCOMPARE(tasks.size(), sources.questions.size());
    QMap<QString, QSet<QString>> kindsByChapter;
    QSet<QString> kinds;
    QStringList generic;
    for (qsizetype i = 0; i < tasks.size(); ++i) {
        const ContentSources::Question &question = sources.questions.at(i);
        const Task &task = tasks.at(i);
        // The file is what the simulator reads: the written text must give the same task.
        QStringList errors;
        const Task reread = Task::parse(task.toText(), &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QCOMPARE(reread.toText(), task.toText());
        kinds.insert(task.kind.section(u'：', 0, 0));
        kindsByChapter[question.chapter].insert(task.kind);
        if (task.kind.startsWith(u"操作："))
            generic << question.th;
        // What the candidate picks in a dialog is offered there; several options are joined by "、".
        for (const TaskPath &path : task.methods() + task.mistakes) {
            const CommandSpec *dialog = nullptr;
            for (const TaskStep &step : path.steps) {
                if (step.kind == TaskStep::Kind::Command || step.kind == TaskStep::Kind::Pane)   // a pane takes its command's fields
                    dialog = Commands::find(step.arg);
                if (step.kind != TaskStep::Kind::Field || !dialog || dialog->field(step.arg)->choices.isEmpty())
                    continue;
                const QStringList choices = dialog->field(step.arg)->choices;
                const QStringList parts = step.value.split(QStringLiteral("、"));
                QVERIFY2(choices.contains(step.value) || std::all_of(parts.begin(), parts.end(), [&](const QString &p) { return choices.contains(p); }),
                         qPrintable(question.th + u' ' + path.name + u' ' + step.arg + u'=' + step.value));
            }
        }
        // A menu the text names is the menu the solution opens.
        for (const QString &menu : Commands::menus())
            if (question.ti.contains(QStringLiteral("“%1”菜单").arg(menu)))
                QVERIFY2(std::any_of(task.steps.begin(), task.steps.end(), [&](const TaskStep &step) {
                             return step.kind == TaskStep::Kind::Menu && step.arg == menu;
                         }), qPrintable(question.th));
    }
    QVERIFY2(kinds.size() >= 12, qPrintable(QStringList(kinds.begin(), kinds.end()).join(u' ')));
    // The general "操作：…" task is left for the few texts no rule reads.
    QVERIFY2(generic.size() < 40, qPrintable(generic.join(u' ')));
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
    QTest::newRow("set up show") << "设置放映时只放映第2张到第5张幻灯片。" << "设置放映方式" << "doc.放映方式.到" << "5";
    QTest::newRow("header and footer") << "为所有幻灯片添加页脚“金山演示培训”。" << "页眉和页脚" << "doc.页眉和页脚.页脚" << "金山演示培训";
    QTest::newRow("print") << "打印当前演示文稿的全部幻灯片，打印份数为2份。" << "打印" << "doc.打印.份数" << "2";
    QTest::newRow("named fields") << "在“文件属性”对话框中，将当前演示文稿的作者设置为“张明”，单位设置为“市场部”。" << "属性" << "doc.属性.单位" << "市场部";
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

// The solution path in short: "select 5; 编辑>复制; 插入>幻灯片（从文件）(文件=a.dps, 幻灯片=第2张); type title x".
QString solutionPath(const Task &task)
{
    QStringList parts;
    QString menu;
    QStringList fields;
    auto flush = [&] {
        if (!fields.isEmpty())
            parts.last() += u'(' + fields.join(QStringLiteral(", ")) + u')';
        fields.clear();
    };
    for (const TaskStep &step : task.steps) {
        switch (step.kind) {
        case TaskStep::Kind::Select: flush(); parts << QStringLiteral("select ") + step.arg; break;
        case TaskStep::Kind::Menu: flush(); menu = step.arg; break;
        case TaskStep::Kind::Toolbar: flush(); menu = QStringLiteral("工具栏"); break;
        case TaskStep::Kind::Command: parts << menu + u'>' + step.arg; break;
        case TaskStep::Kind::Field: fields << step.arg + u'=' + step.value; break;
        case TaskStep::Kind::Ok: flush(); break;
        case TaskStep::Kind::Type: flush(); parts << QStringLiteral("type ") + step.arg + u' ' + step.value; break;
        case TaskStep::Kind::Show: flush(); parts << QStringLiteral("show ") + step.arg; break;
        default: break;   // clicks, keys and gestures on the slide are left out of the short form
        }
    }
    flush();
    return parts.join(QStringLiteral("; "));
}

void TestSimulatorTasks::derivedSolutions_data()
{
    // A text, the kind and solution path derived from it, and checks its goal must hold.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<QStringList>("goal");
    // Slides copied, moved and reused.
    QTest::newRow("copy and paste after") << "使用“编辑”菜单中的“复制”命令，将第5张幻灯片复制一份并粘贴到第2张幻灯片之后。" << "复制幻灯片"
        << "select 5; 编辑>复制; select 2; 编辑>粘贴" << QStringList{"count = 7", "slide3.title = 工作计划", "slide6.title = 工作计划"};
    QTest::newRow("move before the first") << "在幻灯片浏览视图中，将第4张幻灯片移动到第1张幻灯片之前。" << "移动幻灯片"
        << "select 4; 编辑>剪切; select 1; 编辑>粘贴; select 1; 编辑>剪切; 编辑>粘贴" << QStringList{"count = 6", "slide1.title = 销售业绩", "slide2.title = 年度工作总结"};
    QTest::newRow("two to the end") << "在幻灯片浏览视图中，将第3张和第5张幻灯片一起移动到演示文稿的末尾。" << "移动幻灯片"
        << "select 3; 编辑>剪切; select 5; 编辑>粘贴; select 4; 编辑>剪切; select 5; 编辑>粘贴" << QStringList{"slide5.title = 市场分析", "slide6.title = 工作计划"};
    QTest::newRow("up one place") << "在普通视图的“大纲”选项卡中，将第3张幻灯片上移一个位置。" << "移动幻灯片"
        << "select 3; 编辑>剪切; select 1; 编辑>粘贴" << QStringList{"slide2.title = 市场分析", "slide3.title = 公司概况"};
    QTest::newRow("reuse one slide") << "从考生文件夹中的“产品介绍.dps”中重用第2张幻灯片，将其插入到当前演示文稿第3张幻灯片之后。" << "重用幻灯片"
        << "select 3; 插入>幻灯片（从文件）(文件=产品介绍.dps, 幻灯片=第2张)" << QStringList{"count = 7", "slide4.title = 产品介绍 第2张"};
    QTest::newRow("reuse all at the end") << "将考生文件夹中“销售报告.dps”的全部幻灯片插入到当前演示文稿的末尾。" << "重用幻灯片"
        << "select 6; 插入>幻灯片（从文件）(文件=销售报告.dps, 幻灯片=全部)" << QStringList{"count = 9", "slide9.title = 销售报告 第3张"};
    // Views and the show.
    QTest::newRow("double click in the sorter") << "在幻灯片浏览视图中，双击第4张幻灯片，切换到该幻灯片的普通视图。" << "视图"
        << "select 4; 视图>普通" << QStringList{"doc.视图 = 普通"};
    QTest::newRow("notes page is a view") << "将当前演示文稿的视图方式切换为“备注页”视图。" << "视图"
        << "视图>备注页" << QStringList{"doc.视图 = 备注页"};
    QTest::newRow("one part, then another") << "将当前幻灯片的显示比例设置为50%，然后切换到幻灯片浏览视图。" << "显示比例、视图"
        << "视图>显示比例(比例=50%); 视图>幻灯片浏览" << QStringList{"doc.显示比例.比例 = 50%", "doc.视图 = 幻灯片浏览"};
    QTest::newRow("show from a slide") << "从第3张幻灯片开始放映演示文稿。" << "观看放映"
        << "select 3; 幻灯片放映>从当前幻灯片开始" << QStringList{"doc.放映 = 当前幻灯片"};
    // What is done during the show goes through the show, its goal as the 放映控制 dialog leaves it.
    QTest::newRow("during the show") << "在幻灯片放映过程中，将指针选项设置为“荧光笔”，颜色为黄色。" << "放映控制"
        << "幻灯片放映>观看放映; show 荧光笔; show 墨迹颜色 黄色"
        << QStringList{"doc.放映控制 = 1", "doc.放映控制.指针选项 = 荧光笔", "doc.放映控制.墨迹颜色 = 黄色"};
    QTest::newRow("go to a slide") << "在幻灯片放映过程中，定位到第4张幻灯片。" << "放映控制"
        << "幻灯片放映>观看放映; show 定位 4" << QStringList{"doc.放映控制.定位 = 第4张"};
    QTest::newRow("ink kept at the end") << "在幻灯片放映过程中，使用绘图笔在当前幻灯片上画一条线，结束放映时保留墨迹注释。" << "放映控制"
        << "幻灯片放映>观看放映; show 绘图笔; show 画线; show 结束; show 保留墨迹"
        << QStringList{"doc.放映控制.指针选项 = 绘图笔", "doc.放映控制.墨迹 = 保留"};
    QTest::newRow("ink erased") << "在幻灯片放映过程中，擦除幻灯片上的所有墨迹。" << "放映控制"
        << "幻灯片放映>观看放映; show 绘图笔; show 画线; show 擦除墨迹" << QStringList{"doc.放映控制.墨迹 = 擦除"};
    QTest::newRow("back one slide") << "在幻灯片放映过程中，切换到上一张幻灯片。" << "放映控制"
        << "幻灯片放映>观看放映; show 下一张; show 上一张" << QStringList{"doc.放映控制.操作 = 上一张"};
    // The rehearsal times each slide in the show; its answer at the end sets
    // what the rehearsal's old dialog did. Clearing and viewing stay a dialog.
    QTest::newRow("rehearsal kept") << "为演示文稿排练计时，每张幻灯片停留约3秒，并保留排练时间。" << "排练计时"
        << "幻灯片放映>排练计时; show 下一张; show 下一张; show 下一张; show 下一张; show 下一张; show 下一张; show 保留排练时间 3秒"
        << QStringList{"doc.排练计时 = 1", "doc.排练计时.操作 = 排练计时", "doc.排练计时.停留 = 3秒", "doc.排练计时.保留排练时间 = 是"};
    QTest::newRow("timings cleared") << "清除所有幻灯片的排练时间，将换片方式改为单击鼠标时换片。" << "排练计时"
        << "幻灯片放映>排练时间(操作=清除)" << QStringList{"doc.排练计时 = 1", "doc.排练计时.操作 = 清除"};
    QTest::newRow("timings viewed") << "在幻灯片浏览视图中查看各幻灯片的排练时间。" << "排练计时"
        << "幻灯片放映>排练时间(操作=查看)" << QStringList{"doc.排练计时.操作 = 查看"};
    QTest::newRow("custom show") << "新建一个名为“精简版”的自定义放映，包含第1、3、5张幻灯片。" << "自定义放映"
        << "幻灯片放映>自定义放映(名称=精简版, 幻灯片=第1、3、5张, 操作=新建)" << QStringList{"doc.自定义放映.幻灯片 = 第1、3、5张"};
    // Files and settings: the dialog's fields from the quoted names and the choices the text mentions.
    QTest::newRow("save as another type") << "将当前演示文稿另存为模板文件，文件名为“公司模板”。" << "另存为"
        << "文件>另存为(文件名=公司模板, 保存类型=模板文件（*.dpt）)" << QStringList{"doc.另存为.保存类型 = 模板文件（*.dpt）"};
    QTest::newRow("open read-only") << "通过“打开”对话框以只读方式打开考生文件夹中的“销售报告.dps”。" << "打开"
        << "文件>打开(文件名=销售报告.dps, 打开方式=以只读方式打开)" << QStringList{"doc.打开.文件名 = 销售报告.dps"};
    QTest::newRow("option switched off") << "在“选项”对话框的“视图”选项卡中，设置启动时不显示任务窗格。" << "选项"
        << "工具>选项(显示任务窗格=否)" << QStringList{"doc.选项.显示任务窗格 = 否"};
    QTest::newRow("option by its label") << "在“选项”对话框中，将“最多可取消操作数”设置为50。" << "选项"
        << "工具>选项(最多可取消操作数=50)" << QStringList{"doc.选项.最多可取消操作数 = 50"};
    QTest::newRow("outline tab") << "在普通视图左侧窗格中，由“幻灯片”选项卡切换到“大纲”选项卡。" << "左侧窗格"
        << "视图>左侧窗格(选项卡=大纲)" << QStringList{"doc.左侧窗格.选项卡 = 大纲"};
    QTest::newRow("toolbar docked") << "将“绘图”工具栏从窗口底部拖动到窗口左侧停放。" << "工具栏"
        << "视图>工具栏(工具栏=绘图, 位置=左侧)" << QStringList{"doc.工具栏.位置 = 左侧"};
    QTest::newRow("master") << "进入幻灯片母版视图，将母版标题样式的字体设置为“黑体”，颜色为深蓝色。" << "母版"
        << "视图>母版(母版类型=幻灯片母版, 对象=标题样式, 中文字体=黑体, 颜色=深蓝色)" << QStringList{"doc.母版.对象 = 标题样式"};
    // Objects on a slide.
    QTest::newRow("animation changed") << "将第3张幻灯片中正文的“飞入”动画效果更改为“擦除”效果。" << "自定义动画"
        << "select 3; 幻灯片放映>自定义动画(对象=正文, 效果=擦除, 操作=更改)" << QStringList{"slide3.动画.正文.效果 = 擦除"};
    QTest::newRow("animation trigger") << "设置第2张幻灯片中图片的动画以单击标题作为触发器开始播放。" << "自定义动画"
        << "select 2; 幻灯片放映>自定义动画(对象=图片, 触发器=单击标题)" << QStringList{"slide2.动画.图片.触发器 = 单击标题"};
    QTest::newRow("hidden after the animation") << "将第2张幻灯片中标题的动画设置为播放后“隐藏”。" << "自定义动画"
        << "select 2; 幻灯片放映>自定义动画(对象=标题, 播放后=隐藏)" << QStringList{"slide2.动画.标题.播放后 = 隐藏"};
    QTest::newRow("animation with its colour") << "为第3张幻灯片中的图片设置“更改填充颜色”强调效果，颜色为红色。" << "自定义动画"
        << "select 3; 幻灯片放映>自定义动画(对象=图片, 类别=强调, 效果=更改填充颜色, 颜色=红色)" << QStringList{"slide3.动画.图片.颜色 = 红色"};
    QTest::newRow("word art inserted") << "在第1张幻灯片中插入艺术字，样式为第3行第2列，文字为“新年快乐”，字体为“隶书”，字号为54磅。" << "艺术字"
        << "select 1; 插入>艺术字(样式=第3行第2列, 文字=新年快乐, 字体=隶书, 字号=54)" << QStringList{"slide1.艺术字 = 1", "slide1.艺术字.字号 = 54"};
    QTest::newRow("two colours by name") << "将第2张幻灯片中文本框的填充颜色设置为浅黄色，线条颜色设置为蓝色。" << "对象格式"
        << "select 2; 格式>对象格式(对象=文本框, 填充颜色=浅黄色, 线条颜色=蓝色)" << QStringList{"slide2.文本框.线条颜色 = 蓝色"};
    QTest::newRow("table cell split") << "将第5张幻灯片表格中第2行第2列的单元格拆分为2列1行。" << "表格属性"
        << "select 5; 格式>表格属性(操作=拆分, 位置=第2行第2列, 拆分为=2列1行)" << QStringList{"slide5.表格.操作 = 拆分"};
    QTest::newRow("link inside the presentation") << "为第3张幻灯片中的标题文字创建超链接，链接到本文档中的第6张幻灯片。" << "超链接"
        << "select 3; 插入>超链接(对象=标题, 链接到=本文档中的位置, 地址=第6张幻灯片)" << QStringList{"slide3.超链接.标题.地址 = 第6张幻灯片"};
    QTest::newRow("click no longer advances") << "将第3张幻灯片的换片方式设置为仅每隔10秒自动换片，取消单击鼠标换片。" << "幻灯片切换"
        << "select 3; 幻灯片放映>幻灯片切换(单击鼠标=否, 每隔=10秒, 应用范围=应用)" << QStringList{"slide3.切换.单击鼠标 = 否"};
    QTest::newRow("one animation each") << "为第2张幻灯片的标题和正文分别设置“飞入”进入效果，方向分别为“自左侧”和“自右侧”。" << "自定义动画"
        << "select 2; 幻灯片放映>自定义动画(对象=标题, 类别=进入, 效果=飞入, 方向=自左侧); 幻灯片放映>自定义动画(对象=正文, 类别=进入, 效果=飞入, 方向=自右侧)"
        << QStringList{"slide2.动画.标题.方向 = 自左侧", "slide2.动画.正文.方向 = 自右侧"};
    QTest::newRow("border") << "为第3张幻灯片中的图片添加1.5磅的蓝色实线边框。" << "对象格式"
        << "select 3; 格式>对象格式(对象=图片, 线条颜色=蓝色, 线型=实线, 线条粗细=1.5磅)" << QStringList{"slide3.图片.线条粗细 = 1.5磅"};
    QTest::newRow("lines of the body") << "在第3张幻灯片的文本占位符中依次输入“市场”、“研发”、“生产”三行文字。" << "正文文字"
        << "select 3; type body 市场\n研发\n生产" << QStringList{"slide3.body = 市场\n研发\n生产"};
    QTest::newRow("click and timing both advance") << "为第5张幻灯片设置“新闻快报”切换效果，换片方式为单击鼠标时和每隔3秒均可换片。" << "幻灯片切换"
        << "select 5; 幻灯片放映>幻灯片切换(效果=新闻快报, 单击鼠标=是, 每隔=3秒, 应用范围=应用)" << QStringList{"slide5.切换.每隔 = 3秒"};
    QTest::newRow("each of two slides") << "为第1张和第2张幻灯片应用动画方案“标题弧线”。" << "动画方案"
        << "select 1; 幻灯片放映>动画方案(动画方案=标题弧线, 应用范围=应用); select 2; 幻灯片放映>动画方案(动画方案=标题弧线, 应用范围=应用)"
        << QStringList{"slide2.动画方案 = 标题弧线"};
    // What the text asks for, carried out by the model.
    QTest::newRow("range selected") << "在幻灯片浏览视图中，选中第1张到第3张幻灯片。" << "选中幻灯片"
        << "select 1-3" << QStringList{"doc.选中 = 1-3"};
    QTest::newRow("all selected in the sorter") << "在幻灯片浏览视图中，选中全部幻灯片。" << "选中幻灯片"
        << "编辑>全选" << QStringList{"doc.选中 = 1-6"};
    QTest::newRow("two deleted at once") << "在幻灯片浏览视图中，同时删除第2张和第4张幻灯片。" << "删除幻灯片"
        << "select 2,4; 编辑>删除幻灯片" << QStringList{"count = 4", "slide3.title = 工作计划"};
    QTest::newRow("new presentation with a title") << "新建一个空白演示文稿，在第1张幻灯片的标题中输入“欢迎参加培训”，然后以“培训.dps”为文件名保存到考生文件夹中。" << "新建、保存"
        << "文件>新建(模板=空白演示文稿); type title 欢迎参加培训; 文件>保存(文件名=培训.dps)"
        << QStringList{"count = 1", "slide1.layout = 标题幻灯片", "slide1.title = 欢迎参加培训", "doc.保存.文件名 = 培训.dps"};
    QTest::newRow("new from an existing file") << "根据考生文件夹中的现有演示文稿“产品介绍.dps”新建一个演示文稿。" << "新建"
        << "文件>新建(文件名=产品介绍.dps)" << QStringList{"count = 3", "slide3.title = 产品介绍 第3张"};
    QTest::newRow("window minimised and restored") << "将当前演示文稿窗口最小化，然后再将其还原。" << "窗口"
        << "窗口>最小化; 窗口>还原" << QStringList{"doc.窗口 = 还原"};
    QTest::newRow("full screen and back") << "将金山演示2005的窗口切换为全屏显示方式，然后恢复正常显示。" << "全屏显示"
        << "视图>全屏显示; 视图>全屏显示" << QStringList{"doc.全屏显示 = 0"};
    QTest::newRow("show ended") << "使用F5键放映演示文稿，然后按Esc键结束放映。" << "观看放映"
        << ">观看放映; show 结束" << QStringList{"doc.放映 = 第一张", "doc.放映状态 = 已结束"};
    QTest::newRow("format painter") << "将第2张幻灯片中标题文字的格式用“格式刷”复制到第3张幻灯片的标题上。" << "格式刷"
        << "select 2; 工具栏>格式刷(对象=标题, 目标幻灯片=第3张, 目标对象=标题)" << QStringList{"slide3.标题.中文字体 = 隶书", "slide3.标题.字号 = 40"};
    QTest::newRow("placeholder copied") << "复制第1张幻灯片的标题占位符，并将其粘贴到第4张幻灯片中。" << "复制对象"
        << "select 1; 编辑>复制对象(对象=标题); select 4; 编辑>粘贴对象" << QStringList{"slide4.标题副本 = 年度工作总结"};
    QTest::newRow("font size in steps") << "使用“格式”工具栏上的“增大字号”按钮，将第1张幻灯片标题的字号增大两次。" << "字体"
        << "select 1; 工具栏>增大字号(对象=标题); 工具栏>增大字号(对象=标题)" << QStringList{"slide1.标题.字号 = 54"};
    QTest::newRow("two effects on one object") << "为第3张幻灯片中的图片同时添加“渐变”进入效果和“陀螺旋”强调效果。" << "自定义动画"
        << "select 3; 幻灯片放映>自定义动画(对象=图片, 类别=进入, 效果=渐变); 幻灯片放映>自定义动画(对象=图片, 类别=强调, 效果=陀螺旋)"
        << QStringList{"slide3.动画.图片.列表 = 进入：渐变、强调：陀螺旋"};
    QTest::newRow("line with colour, weight and arrow") << "在第2张幻灯片中绘制一条红色、3磅粗的直线，末端为箭头样式。" << "自选图形"
        << "select 2; 插入>自选图形(形状=直线, 线条颜色=红色, 线条粗细=3磅, 箭头样式=末端箭头)"
        << QStringList{"slide2.自选图形.线条颜色 = 红色", "slide2.自选图形.线条粗细 = 3磅", "slide2.自选图形.箭头样式 = 末端箭头"};
    QTest::newRow("table with a cell's text") << "在第5张幻灯片中插入一个3行5列的表格，并在第1行第1列输入“项目”。" << "插入对象"
        << "select 5; 插入>表格(行数=3, 列数=5, 单元格=第1行第1列, 内容=项目)" << QStringList{"slide5.表格.第1行第1列 = 项目"};
    QTest::newRow("chart data") << "在第4张幻灯片的图表中，将“第一季度”东部的数据修改为50。" << "图表选项"
        << "select 4; 格式>图表选项(单元格=第一季度、东部, 数据=50)" << QStringList{"slide4.图表.第一季度、东部 = 50"};
    QTest::newRow("table border") << "将第3张幻灯片表格的外边框设置为2.25磅的蓝色实线。" << "表格属性"
        << "select 3; 格式>表格属性(外边框=2.25磅, 线条颜色=蓝色, 线型=实线)" << QStringList{"slide3.表格.线条颜色 = 蓝色"};
    QTest::newRow("org chart boxes counted") << "在第5张幻灯片的组织结构图中，为“技术部”添加两个下属。" << "组织结构图格式"
        << "select 5; 格式>组织结构图格式(选中=技术部, 添加=下属, 数量=2)" << QStringList{"slide5.组织结构图.数量 = 2"};
    QTest::newRow("fixed date") << "仅为当前幻灯片添加固定日期“2005-10-1”和幻灯片编号。" << "页眉和页脚"
        << "视图>页眉和页脚(日期和时间=固定, 固定日期=2005-10-1, 幻灯片编号=是, 应用范围=应用)" << QStringList{"doc.页眉和页脚.固定日期 = 2005-10-1"};
    QTest::newRow("spacing with its amount") << "将第1张幻灯片标题文字的字符间距设置为加宽3磅。" << "字符间距"
        << "select 1; 格式>字符间距(对象=标题, 间距=加宽, 度量值=3磅)" << QStringList{"slide1.标题.度量值 = 3磅"};
    QTest::newRow("action button of a kind") << "在第6张幻灯片的右下角添加“动作按钮：第一张”，单击时链接到第一张幻灯片。" << "动作按钮"
        << "select 6; 幻灯片放映>动作按钮(按钮=第一张, 超链接到=第一张幻灯片)" << QStringList{"slide6.动作按钮.按钮 = 第一张"};
    // A text no rule reads still opens the menu it names.
    QTest::newRow("unknown, menu named") << "通过“工具”菜单完成一项没有说明的操作。" << "操作：选项"
        << "工具>选项(打开权限密码=通过“工具”菜单完成一项没有说明的操作)" << QStringList{"doc.选项 = 1"};
}

void TestSimulatorTasks::derivedSolutions()
{
    QFETCH(QString, text);
    QFETCH(QString, kind);
    QFETCH(QString, solution);
    QFETCH(QStringList, goal);
    const Task task = deriveTask(QStringLiteral("999"), text);
    QCOMPARE(task.kind, kind);
    QCOMPARE(solutionPath(task), solution);
    QVERIFY2(task.problems().isEmpty(), qPrintable(task.problems().join(u'\n')));
    QStringList goals;
    for (const TaskCheck &check : task.goal)
        goals << check.path + QStringLiteral(" = ") + check.value;
    for (const QString &check : goal)
        QVERIFY2(goals.contains(check), qPrintable(goals.join(u'\n')));
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
    const QString range = QStringLiteral("在幻灯片浏览视图中，选中第1张到第3张幻灯片。");
    QTest::newRow("range by Ctrl") << range << QStringList{"select 1,2,3"} << true;
    QTest::newRow("one after another") << range << QStringList{"select 1", "select 2", "select 3"} << false;
    QTest::newRow("one too many") << range << QStringList{"select 1-4"} << false;
    const QString fresh = QStringLiteral("新建一个空白演示文稿，在第1张幻灯片的标题中输入“欢迎参加培训”，然后以“培训.dps”为文件名保存到考生文件夹中。");
    QTest::newRow("title typed, then new") << fresh << QStringList{"type title 欢迎参加培训", "run 新建 模板=空白演示文稿", "run 保存 文件名=培训.dps"} << false;
    QTest::newRow("title typed into the sample") << fresh << QStringList{"type title 欢迎参加培训", "run 保存 文件名=培训.dps"} << false;
    QTest::newRow("saved first") << fresh << QStringList{"run 保存 文件名=培训.dps", "run 新建 模板=空白演示文稿", "type title 欢迎参加培训"} << false;
    const QString screen = QStringLiteral("将金山演示2005的窗口切换为全屏显示方式，然后恢复正常显示。");
    QTest::newRow("full screen left on") << screen << QStringList{"run 全屏显示"} << false;
}

void TestSimulatorTasks::verdictAcceptsAnyWay()
{
    QFETCH(QString, text);
    QFETCH(QStringList, actions);
    QFETCH(bool, met);
    const Task task = deriveTask(QStringLiteral("999"), text);
    Session session(task.startDocument());
    QCOMPARE(playScript(session, actions), QString());
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
    QTest::newRow("bad step") << head + "step: press 2 | x" << "无法识别的步骤";
    QTest::newRow("slides backwards") << head + "step: select 3-1 | a\n" << "无效的幻灯片编号";
    QTest::newRow("too many slides") << head + "start: slides = 500\n" << "1到50";
    QTest::newRow("unknown command") << head + "step: select 2 | a\nstep: command 飞行 | b\n" << "未知的命令";
    QTest::newRow("field outside a dialog") << head + "step: field 版式 = 空白 | a\n" << "对话框中没有";
    QTest::newRow("path does not reach the goal") << head + "step: select 3 | a\nstep: command 隐藏幻灯片 | b\n" << "仍不符合目标";
    QTest::newRow("goal met at the start") << "th: 1\ntext: x\ngoal: count = 6\nstep: select 1 | a\n" << "已经符合目标";
    QTest::newRow("unknown show action") << head + "step: command 观看放映 | a\nstep: show 跳舞 | b\n" << "未知的放映操作";
    QTest::newRow("no slide to go to") << head + "step: command 观看放映 | a\nstep: show 定位 第二 | b\n" << "未知的放映操作";
    QTest::newRow("colour not offered") << head + "step: command 观看放映 | a\nstep: show 墨迹颜色 紫色 | b\n" << "未知的放映操作";
    QTest::newRow("show action, no show") << head + "step: show 黑屏 | a\n" << "之前没有开始放映";
    QTest::newRow("show action after its end") << head + "step: command 观看放映 | a\nstep: show 结束 | b\nstep: show 白屏 | c\n" << "之前没有开始放映";
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

    // The toolbar or a shortcut reaches the command without its menu; no
    // other step is skipped.
    Guide shortcut(task.steps);
    QVERIFY(shortcut.report({K::Select, QStringLiteral("3"), {}, {}}));
    QVERIFY(!shortcut.report({K::Ok, {}, {}, {}}));
    QVERIFY(shortcut.report({K::Command, QStringLiteral("幻灯片版式"), {}, {}}));
    QCOMPARE(shortcut.current()->kind, K::Field);

    // The dialog given up (取消, Esc): back to the menu that leads to it;
    // outside a dialog's steps nothing moves.
    QVERIFY(shortcut.reopenDialog());
    QCOMPARE(shortcut.current()->kind, K::Menu);
    QCOMPARE(shortcut.current()->arg, QStringLiteral("格式"));
    QVERIFY(!shortcut.reopenDialog());
    QVERIFY(shortcut.report({K::Command, QStringLiteral("幻灯片版式"), {}, {}}));
    QVERIFY(shortcut.report({K::Field, QStringLiteral("版式"), QStringLiteral("标题和表格"), {}}));
    QVERIFY(shortcut.reopenDialog());  // from the 确定 step too
    QCOMPARE(shortcut.current()->kind, K::Menu);
}

// A task whose text asks for bold through the shortcut: the key is credited,
// the menu is not; the start and the paths are judged by Task::problems.
const char *const boldByKey = R"(th: 1
text: 使用快捷键将第2张幻灯片的标题文字设置为加粗。
kind: 字体
start: slides = 6
goal: slide2.标题.字形 = 加粗
goal: doc.方式.字体 = 快捷键
step: select 2 | 单击第2张幻灯片
step: context title | 右键单击标题
step: key Ctrl+B | 按Ctrl+B键
step: command 字体 | 加粗
step: field 对象 = 标题 | 标题
step: field 字形 = 加粗 | 加粗
step: ok | 确定
)";

void TestSimulatorTasks::methodsAndMistakes_data()
{
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("problem");   // empty: sound
    const QString menuPath = QStringLiteral("step: select 2 | s\nstep: menu 格式 | m\nstep: command 字体 | c\n"
                                            "step: field 对象 = 标题 | f\nstep: field 字形 = 加粗 | f\nstep: ok | o\n");
    QTest::newRow("the key alone") << QString() << QString();
    QTest::newRow("the menu is a mistake here") << QStringLiteral("mistake: 用菜单\n") + menuPath << QString();
    QTest::newRow("the menu as a method fails") << QStringLiteral("method: 菜单\n") + menuPath
                                                << QStringLiteral("方法“菜单”：按操作步骤完成后仍不符合目标：doc.方式.字体 = 快捷键");
    QTest::newRow("the context menu as a method fails")
        << QStringLiteral("method: 右键菜单\nstep: select 2 | s\nstep: context title | r\nstep: command 字体 | c\n"
                          "step: field 对象 = 标题 | f\nstep: field 字形 = 加粗 | f\nstep: ok | o\n")
        << QStringLiteral("方法“右键菜单”：按操作步骤完成后仍不符合目标");
    QTest::newRow("a mistake that meets the goal")
        << QStringLiteral("mistake: 选错\nstep: select 2 | s\nstep: key Ctrl+B | k\nstep: command 字体 | c\n"
                          "step: field 对象 = 标题 | f\nstep: field 字形 = 加粗 | f\nstep: ok | o\n")
        << QStringLiteral("错误“选错”：这样做也符合目标");
    QTest::newRow("the wrong slide is a mistake")
        << QStringLiteral("mistake: 选错幻灯片\nstep: select 3 | s\nstep: key Ctrl+B | k\nstep: command 字体 | c\n"
                          "step: field 对象 = 标题 | f\nstep: field 字形 = 加粗 | f\nstep: ok | o\n")
        << QString();
    QTest::newRow("an empty mistake") << QStringLiteral("mistake: 什么也不做\n") << QStringLiteral("错误“什么也不做”：没有操作步骤");
    QTest::newRow("no such context menu") << QStringLiteral("method: 右键\nstep: context 桌子 | r\n")
                                          << QStringLiteral("方法“右键”：没有“桌子”的右键菜单");
    // Only the drawing toolbar has a handle, and it docks along an edge of the window.
    QTest::newRow("a toolbar docked in the middle") << QStringLiteral("mistake: 拖动\nstep: dock 绘图 中央 | d\n")
                                                    << QStringLiteral("错误“拖动”：无法将“绘图”工具栏停放到“中央”");
    QTest::newRow("a toolbar without a handle") << QStringLiteral("mistake: 拖动\nstep: dock 格式 左侧 | d\n")
                                                << QStringLiteral("错误“拖动”：无法将“格式”工具栏停放到“左侧”");
    QTest::newRow("a toolbar docked as a mistake") << QStringLiteral("mistake: 拖动\nstep: dock 绘图 左侧 | d\n") << QString();
    // The drawing and formatting toolbars' commands are not in the menu bar.
    QTest::newRow("a toolbar's command from a menu")
        << QStringLiteral("mistake: 菜单\nstep: select 2 | s\nstep: menu 格式 | m\nstep: command 增大字号 | c\n"
                          "step: field 对象 = 标题 | f\nstep: ok | o\n")
        << QStringLiteral("错误“菜单”：“格式”菜单中没有“增大字号”");
    QTest::newRow("the drawing menu's command from a menu")
        << QStringLiteral("mistake: 菜单\nstep: select 2 | s\nstep: menu 格式 | m\nstep: command 组合 | c\n"
                          "step: field 对象 = 标题 | f\nstep: field 操作 = 组合 | f\nstep: ok | o\n")
        << QStringLiteral("错误“菜单”：“格式”菜单中没有“组合”");
}

void TestSimulatorTasks::methodsAndMistakes()
{
    QFETCH(QString, extra);
    QFETCH(QString, problem);
    QStringList errors;
    const Task task = Task::parse(QString::fromUtf8(boldByKey) + extra, &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    const QStringList problems = task.problems();
    if (problem.isEmpty())
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    else
        QVERIFY2(problems.join(u'\n').contains(problem), qPrintable(problems.join(u'\n')));
    // The file the simulator reads holds the same paths.
    QCOMPARE(Task::parse(task.toText(), nullptr).toText(), task.toText());
}

void TestSimulatorTasks::guidePlansAgainAfterADeviation()
{
    using K = TaskStep::Kind;
    const Task task = deriveTask(QStringLiteral("1"), QStringLiteral("为第3张幻灯片中的图片添加1.5磅的蓝色实线边框。"));
    Guide guide(task);
    Session session(task.startDocument());
    // Off the path on another slide: the way still starts by selecting slide 3.
    session.select(5);
    QVERIFY(!guide.report({K::Select, QStringLiteral("5"), {}, {}}));
    QVERIFY(guide.leadsToGoal(task, session));
    // A wrong colour chosen and confirmed: the dialog is gone; the guide
    // leads through the menu again instead of waiting for a field.
    session.select(3);
    QVERIFY(guide.report({K::Select, QStringLiteral("3"), {}, {}}));
    QVERIFY(guide.report({K::Menu, QStringLiteral("格式"), {}, {}}));
    QVERIFY(guide.report({K::Command, QStringLiteral("对象格式"), {}, {}}));
    session.run(QStringLiteral("对象格式"), {{QStringLiteral("对象"), QStringLiteral("图片")}, {QStringLiteral("线条颜色"), QStringLiteral("红色")}});
    QVERIFY(!guide.report({K::Ok, {}, {}, {}}));
    QCOMPARE(guide.current()->kind, K::Field);
    QVERIFY(!guide.leadsToGoal(task, session));
    QVERIFY(guide.replan(task, session));
    QCOMPARE(guide.current()->kind, K::Menu);
    // Meanwhile on another slide: back to selecting slide 3.
    session.select(1);
    QVERIFY(!guide.leadsToGoal(task, session));
    guide.replan(task, session);
    QCOMPARE(guide.current()->kind, K::Select);
}

// A task pane stays open after a change: a wrong layout clicked there
// leaves the guide at the pane, where the right one is a click away; on
// another slide the way starts again by selecting the slide.
void TestSimulatorTasks::guideStaysInThePane()
{
    using K = TaskStep::Kind;
    const Task task = Task::parse(QStringLiteral(
        "th: 1\ntext: t\nkind: k\nstart: slides = 6\ngoal: slide3.layout = 标题和表格\n"
        "step: select 3 | s\nstep: menu 格式 | m\nstep: command 幻灯片版式 | c\n"
        "step: field 版式 = 标题和表格 | f\n"), nullptr);
    QVERIFY(task.problems().isEmpty());
    Guide guide(task);
    Session session(task.startDocument());
    session.select(3);
    QVERIFY(guide.report({K::Select, QStringLiteral("3"), {}, {}}));
    QVERIFY(guide.report({K::Menu, QStringLiteral("格式"), {}, {}}));
    QVERIFY(guide.report({K::Command, QStringLiteral("幻灯片版式"), {}, {}}));
    session.showPane(QStringLiteral("幻灯片版式"));
    session.run(QStringLiteral("幻灯片版式"), {{QStringLiteral("版式"), QStringLiteral("空白")}}, QStringLiteral("任务窗格"));
    QVERIFY(!guide.report({K::Field, QStringLiteral("版式"), QStringLiteral("空白"), {}}));
    QCOMPARE(guide.current()->kind, K::Field);
    QVERIFY(guide.leadsToGoal(task, session));
    session.select(1);
    QVERIFY(!guide.leadsToGoal(task, session));
    guide.replan(task, session);
    QCOMPARE(guide.current()->kind, K::Select);
}

// "2005" selected in the body and made superscript in 字体, which opens on
// the selection: those characters alone; without the selection the whole
// body would be, which is not what was asked.
void TestSimulatorTasks::selectedTextIsFormatted()
{
    const QString source = QStringLiteral(
        "th: 312\ntext: 将第3张幻灯片中“2005”几个字设置为上标。\nkind: 字体\nstart: slides = 6\n"
        "start: slide3.body = 2005年销售额\n"
        "goal: slide3.正文「2005」.效果 = 上标\n"
        "step: select 3 | s\nstep: selecttext body 2005 | t\nstep: menu 格式 | m\nstep: command 字体 | c\n"
        "step: field 效果 = 上标 | f\nstep: ok | o\n"
        "mistake: 没有选中文字\nstep: select 3 | s\nstep: click body | b\nstep: menu 格式 | m\nstep: command 字体 | c\n"
        "step: field 效果 = 上标 | f\nstep: ok | o\n"
        "mistake: 选中后又换了幻灯片\nstep: select 3 | s\nstep: selecttext body 2005 | t\nstep: select 4 | s\n"
        "step: select 3 | s\nstep: menu 格式 | m\nstep: command 字体 | c\nstep: field 效果 = 上标 | f\nstep: ok | o\n");
    QStringList errors;
    const Task task = Task::parse(source, &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    QVERIFY2(task.problems().isEmpty(), qPrintable(task.problems().join(u'\n')));
}

void TestSimulatorTasks::valuesAsTheEditorStoresThem_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("typed");    // "field=value;field=value"
    QTest::addColumn<QString>("goal");     // "path=value"
    QTest::addColumn<bool>("met");
    QTest::newRow("name without extension") << "保存" << "文件名=年度总结" << "doc.保存.文件名=年度总结.dps" << true;
    QTest::newRow("the type's extension") << "另存为" << "文件名=工作汇报;保存类型=PPT 文件（*.ppt）" << "doc.另存为.文件名=工作汇报.ppt" << true;
    QTest::newRow("another extension kept") << "保存" << "文件名=年度总结.ppt" << "doc.保存.文件名=年度总结.dps" << false;
    QTest::newRow("opening takes the name as typed") << "打开" << "文件名=产品介绍" << "doc.打开.文件名=产品介绍.dps" << false;
    QTest::newRow("a number in a box of 厘米") << "对象格式" << "对象=正文;高度=8" << "slide1.正文.高度=8厘米" << true;
    QTest::newRow("the unit typed too") << "对象格式" << "对象=正文;高度=8 厘米" << "slide1.正文.高度=8厘米" << true;
    QTest::newRow("per cent") << "显示比例" << "比例=75" << "doc.显示比例.比例=75%" << true;
    QTest::newRow("another number") << "对象格式" << "对象=正文;高度=9" << "slide1.正文.高度=8厘米" << false;
    QTest::newRow("another unit") << "对象格式" << "对象=正文;高度=8磅" << "slide1.正文.高度=8厘米" << false;
}

void TestSimulatorTasks::valuesAsTheEditorStoresThem()
{
    QFETCH(QString, command);
    QFETCH(QString, typed);
    QFETCH(QString, goal);
    QFETCH(bool, met);
    QMap<QString, QString> fields;
    for (const QString &pair : typed.split(u';'))
        fields.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    Task task;
    task.goal = {TaskCheck{goal.section(u'=', 0, 0), goal.section(u'=', 1)}};
    Session session(task.startDocument());
    QVERIFY(session.run(command, fields));
    QCOMPARE(task.isMet(session.document()), met);
}

void TestSimulatorTasks::foldersHoldTaskAndRelativeLink()
{
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/app/");
    QDir().mkpath(program);
    QFile executable(program + QStringLiteral("pelquor-simulator"));
    QVERIFY(executable.open(QIODevice::WriteOnly));
    executable.close();
    const QList<Task> questions = {
        deriveTask(QStringLiteral("101"), QStringLiteral("隐藏第4张幻灯片，使其在放映时不显示。")),
        deriveTask(QStringLiteral("612"), QStringLiteral("打印当前幻灯片。")),
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
