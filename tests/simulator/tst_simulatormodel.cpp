// The editor's model without a screen: what a command does to the document,
// and where a simulator started from finds its question.

#include "master.h"
#include "document.h"
#include "session.h"
#include "shapes.h"
#include "sessionscript.h"
#include "startpath.h"
#include "task.h"

#include <QTest>

class TestSimulatorModel : public QObject
{
    Q_OBJECT

private slots:
    void slideNumbers_data();
    void slideNumbers();
    void commandsChangeTheDocument_data();
    void commandsChangeTheDocument();
    void searchNotices_data();
    void searchNotices();
    void filesAndHistory_data();
    void filesAndHistory();
    void copyPlaysAheadWithTheHistory();
    void documentKeptAsText();
    void malformedDocumentText_data();
    void malformedDocumentText();
    void masterReachesTheSlides();
    void insertedOnTheMaster_data();
    void insertedOnTheMaster();
    void shapesOnTheSlide_data();
    void shapesOnTheSlide();
    void positionGoals_data();
    void positionGoals();
    void questionFromStartedPath_data();
    void questionFromStartedPath();
};

void TestSimulatorModel::slideNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("written");   // the numbers written back
    QTest::newRow("one") << "3" << QList<int>{3} << "3";
    QTest::newRow("range") << "1-3" << QList<int>{1, 2, 3} << "1-3";
    QTest::newRow("list") << "2,4" << QList<int>{2, 4} << "2,4";
    QTest::newRow("ranges joined") << "4,1-2,3" << QList<int>{4, 1, 2, 3} << "1-4";
    QTest::newRow("twice") << "2,2-3" << QList<int>{2, 3} << "2-3";
    QTest::newRow("backwards") << "3-1" << QList<int>{} << "";
    QTest::newRow("zero") << "0" << QList<int>{} << "";
    QTest::newRow("words") << "第2张" << QList<int>{} << "";
    QTest::newRow("empty") << "" << QList<int>{} << "";
}

void TestSimulatorModel::slideNumbers()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, written);
    QCOMPARE(Document::slideNumbers(text), numbers);
    QCOMPARE(Document::slideNumbersText(numbers), written);
}

void TestSimulatorModel::commandsChangeTheDocument_data()
{
    // Actions on a session of the six sample slides ("select 2,4", "type title x",
    // "run 字体 对象=标题 字号=40") and checks of the document ("path = value").
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("checks");
    // The selection.
    QTest::newRow("one slide selected") << QStringList{"select 4"} << QStringList{"doc.选中 = 4"};
    QTest::newRow("several selected") << QStringList{"select 1-3"} << QStringList{"doc.选中 = 1-3"};
    QTest::newRow("selected slides deleted") << QStringList{"select 2,4", "run 删除幻灯片"}
        << QStringList{"count = 4", "slide2.title = 市场分析", "slide3.title = 工作计划", "doc.选中 = 2"};
    QTest::newRow("the last slide is not deleted") << QStringList{"select 1-6", "run 删除幻灯片"} << QStringList{"count = 6"};
    QTest::newRow("selected slides hidden") << QStringList{"select 2-3", "run 隐藏幻灯片"} << QStringList{"slide2.hidden = 1", "slide3.hidden = 1", "slide4.hidden = "};
    QTest::newRow("one shown: all hidden") << QStringList{"select 2", "run 隐藏幻灯片", "select 2-3", "run 隐藏幻灯片"}
        << QStringList{"slide2.hidden = 1", "slide3.hidden = 1"};
    QTest::newRow("all hidden: all shown") << QStringList{"select 2-3", "run 隐藏幻灯片", "run 隐藏幻灯片"} << QStringList{"slide2.hidden = ", "slide3.hidden = "};
    QTest::newRow("two cut, pasted at the end") << QStringList{"select 3,5", "run 剪切", "select 4", "run 粘贴"}
        << QStringList{"count = 6", "slide4.title = 团队建设", "slide5.title = 市场分析", "slide6.title = 工作计划", "doc.选中 = 6"};
    QTest::newRow("layout of the selected") << QStringList{"select 2-3", "run 幻灯片版式 版式=空白"}
        << QStringList{"slide2.layout = 空白", "slide3.layout = 空白", "slide4.layout = 标题和文本"};
    QTest::newRow("transition of the selected") << QStringList{"select 1,3", "run 幻灯片切换 效果=溶解"}
        << QStringList{"slide1.切换.效果 = 溶解", "slide2.切换.效果 = ", "slide3.切换.效果 = 溶解"};
    QTest::newRow("a new slide is the selection") << QStringList{"select 1-3", "run 新幻灯片 版式=空白"} << QStringList{"slide4.layout = 空白", "doc.选中 = 4"};
    QTest::newRow("select all in the sorter") << QStringList{"run 幻灯片浏览", "run 全选"} << QStringList{"doc.选中 = 1-6", "doc.全选 = 1"};
    QTest::newRow("select all on a slide") << QStringList{"select 2", "run 全选"} << QStringList{"doc.选中 = 2", "doc.全选 = 1"};
    // 全选 without a caret takes every object of the slide, placeholders too;
    // Delete takes them off it, and the layout applied again brings them back.
    QTest::newRow("select all, deleted") << QStringList{"select 2", "run 全选", "delete"}
        << QStringList{"slide2.标题.已删除 = 是", "slide2.正文.已删除 = 是", "slide2.title = ", "count = 6"};
    QTest::newRow("a deleted placeholder back with its layout") << QStringList{"select 2", "shape 标题", "delete", "run 幻灯片版式 版式=标题和文本"}
        << QStringList{"slide2.标题.已删除 = ", "slide2.正文.已删除 = "};
    QTest::newRow("a deleted placeholder back with undo") << QStringList{"select 2", "shape 正文", "delete", "run 撤销"}
        << QStringList{"slide2.正文.已删除 = ", "slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国"};
    // The sorter's insertion bar: 新幻灯片 and 粘贴 put their slides there; it goes with a slide chosen.
    QTest::newRow("a new slide at the bar") << QStringList{"run 幻灯片浏览", "bar 4", "run 新幻灯片 版式=空白"}
        << QStringList{"count = 7", "slide4.layout = 空白", "slide5.title = 销售业绩", "doc.选中 = 4"};
    QTest::newRow("a new slide at the bar before the first") << QStringList{"run 幻灯片浏览", "bar 1", "run 新幻灯片 版式=空白"}
        << QStringList{"slide1.layout = 空白", "slide2.title = 年度工作总结"};
    QTest::newRow("two cut, pasted at the bar at the end") << QStringList{"select 3,5", "run 剪切", "bar 5", "run 粘贴"}
        << QStringList{"slide5.title = 市场分析", "slide6.title = 工作计划", "count = 6"};
    QTest::newRow("the bar goes with a slide chosen") << QStringList{"bar 2", "select 5", "run 新幻灯片 版式=空白"}
        << QStringList{"slide6.layout = 空白", "slide2.title = 公司概况"};
    QTest::newRow("the bar goes after one command") << QStringList{"bar 1", "run 新幻灯片 版式=空白", "run 新幻灯片 版式=标题幻灯片"}
        << QStringList{"slide1.layout = 空白", "slide2.layout = 标题幻灯片"};
    // A new presentation.
    QTest::newRow("new blank presentation") << QStringList{"select 4", "run 新建 模板=空白演示文稿"}
        << QStringList{"count = 1", "slide1.layout = 标题幻灯片", "slide1.title = ", "slide1.body = ", "doc.视图 = 普通", "doc.选中 = 1"};
    QTest::newRow("new from a design template") << QStringList{"run 新建 模板=通用"} << QStringList{"count = 1", "slide1.设计模板 = 通用"};
    QTest::newRow("new from an existing file") << QStringList{"run 新建 文件名=产品介绍.dps"}
        << QStringList{"count = 3", "slide1.layout = 标题幻灯片", "slide2.title = 产品介绍 第2张"};
    QTest::newRow("new keeps the program's settings only") << QStringList{"run 工具栏 工具栏=绘图", "run 属性 作者=张明", "run 幻灯片浏览", "run 新建"}
        << QStringList{"doc.工具栏.工具栏 = 绘图", "doc.属性.作者 = ", "doc.视图 = 普通"};
    QTest::newRow("typing into the new presentation") << QStringList{"run 新建 模板=空白演示文稿", "type title 欢迎"} << QStringList{"slide1.title = 欢迎"};
    // Window, full screen and show.
    QTest::newRow("minimised and restored") << QStringList{"run 最小化", "run 还原"} << QStringList{"doc.窗口 = 还原"};
    QTest::newRow("full screen") << QStringList{"run 全屏显示"} << QStringList{"doc.全屏显示 = 1"};
    QTest::newRow("full screen and back") << QStringList{"run 全屏显示", "run 全屏显示"} << QStringList{"doc.全屏显示 = 0"};
    QTest::newRow("show ended") << QStringList{"run 观看放映 从=第一张", "run 结束放映"} << QStringList{"doc.放映 = 第一张", "doc.放映状态 = 已结束"};
    QTest::newRow("no show to end") << QStringList{"run 结束放映"} << QStringList{"doc.放映状态 = "};
    QTest::newRow("show from the current slide") << QStringList{"select 3", "run 从当前幻灯片开始"}
        << QStringList{"doc.放映 = 当前幻灯片", "doc.放映状态 = 放映中"};
    // Actions in the show, as the 放映控制 dialog's fields put them.
    QTest::newRow("highlighter in yellow, slide 4") << QStringList{"run 观看放映", "show 荧光笔", "show 墨迹颜色 黄色", "show 定位 4"}
        << QStringList{"doc.放映控制 = 1", "doc.放映控制.指针选项 = 荧光笔", "doc.放映控制.墨迹颜色 = 黄色", "doc.放映控制.定位 = 第4张"};
    QTest::newRow("arrow shown again") << QStringList{"run 观看放映", "show 永远隐藏", "show 可见"} << QStringList{"doc.放映控制.指针选项 = 箭头"};
    QTest::newRow("a stroke changes nothing") << QStringList{"run 观看放映", "show 画线"} << QStringList{"doc.放映控制 = "};
    QTest::newRow("ink kept at the end") << QStringList{"run 观看放映", "show 绘图笔", "show 画线", "show 结束", "show 保留墨迹"}
        << QStringList{"doc.放映状态 = 已结束", "doc.放映控制.墨迹 = 保留"};
    QTest::newRow("screen, help, back") << QStringList{"run 观看放映", "show 白屏", "show 帮助", "show 上一张"}
        << QStringList{"doc.放映控制.屏幕 = 白屏", "doc.放映控制.操作 = 上一张"};
    // Objects and their format.
    QTest::newRow("format painter") << QStringList{"select 2", "run 字体 对象=标题 中文字体=黑体 字号=40", "run 自定义动画 对象=标题 效果=飞入",
                                                   "run 格式刷 对象=标题 目标幻灯片=第3张 目标对象=正文"}
        << QStringList{"slide3.正文.中文字体 = 黑体", "slide3.正文.字号 = 40", "slide3.动画.正文.效果 = ", "slide2.标题.字号 = 40"};
    QTest::newRow("placeholder copied") << QStringList{"select 1", "run 字体 对象=标题 颜色=红色", "run 复制对象 对象=标题", "select 4", "run 粘贴对象"}
        << QStringList{"slide4.标题副本 = 年度工作总结", "slide4.标题副本.颜色 = 红色", "slide4.title = 销售业绩"};
    QTest::newRow("nothing copied, nothing pasted") << QStringList{"select 4", "run 粘贴对象"} << QStringList{"slide4.标题副本 = "};
    QTest::newRow("font size two steps up") << QStringList{"run 增大字号 对象=标题", "run 增大字号 对象=标题"} << QStringList{"slide1.标题.字号 = 54"};
    QTest::newRow("font size at the top") << QStringList{"run 字体 对象=标题 字号=54", "run 增大字号 对象=标题"} << QStringList{"slide1.标题.字号 = 54"};
    QTest::newRow("font size down") << QStringList{"run 减小字号 对象=正文"} << QStringList{"slide1.正文.字号 = 28"};
    QTest::newRow("two effects listed") << QStringList{"run 自定义动画 对象=图片 类别=进入 效果=渐变", "run 自定义动画 对象=图片 类别=强调 效果=陀螺旋"}
        << QStringList{"slide1.动画.图片.列表 = 进入：渐变、强调：陀螺旋"};
    // Without 对象, the effect goes to the object selected on the slide; a sound by its kind.
    QTest::newRow("effect of the selected placeholder") << QStringList{"shape 副标题", "run 自定义动画 类别=进入 效果=飞入"}
        << QStringList{"slide1.动画.副标题.效果 = 飞入"};
    QTest::newRow("effect of the selected sound") << QStringList{"run 影片和声音 类型=声音 文件=提示音.mid 播放=自动", "shape 媒体",
                                                                 "run 自定义动画 类别=进入 效果=出现"}
        << QStringList{"slide1.动画.声音.效果 = 出现", "slide1.动画.媒体.效果 = ", "slide1.媒体.播放 = 自动"};
    QTest::newRow("effect changed in the list") << QStringList{"run 自定义动画 对象=标题 效果=飞入", "run 自定义动画 对象=标题 效果=擦除 操作=更改"}
        << QStringList{"slide1.动画.标题.列表 = 进入：擦除"};
    QTest::newRow("effects deleted") << QStringList{"run 自定义动画 对象=标题 效果=飞入", "run 自定义动画 对象=标题 操作=删除"}
        << QStringList{"slide1.动画.标题.列表 = "};
    QTest::newRow("text of a table cell") << QStringList{"run 表格 行数=3 列数=5 单元格=第1行第1列 内容=项目"}
        << QStringList{"slide1.表格 = 1", "slide1.表格.第1行第1列 = 项目", "slide1.表格.内容 = ", "slide1.表格.单元格 = "};
    QTest::newRow("undo takes a deletion back") << QStringList{"run 删除幻灯片", "run 撤销"}
        << QStringList{"count = 6", "slide1.title = 年度工作总结", "doc.撤销 = 1"};
    QTest::newRow("redo brings it back") << QStringList{"run 删除幻灯片", "run 撤销", "run 恢复"}
        << QStringList{"count = 5", "slide1.title = 公司概况", "doc.恢复 = 1"};
    QTest::newRow("a burst of typing is one change") << QStringList{"type title 新", "type title 新标题", "run 撤销"}
        << QStringList{"slide1.title = 年度工作总结"};
    QTest::newRow("nothing to undo: only noted") << QStringList{"run 撤销"} << QStringList{"count = 6", "doc.撤销 = 1"};
    QTest::newRow("a new change forgets what was undone") << QStringList{"run 删除幻灯片", "run 撤销", "run 隐藏幻灯片", "run 恢复"}
        << QStringList{"count = 6", "slide1.hidden = 1"};
    // Commands on an object act on the placeholder the caret is in when none is named.
    QTest::newRow("the caret's placeholder") << QStringList{"select 2", "edit body", "run 中文版式 选项=允许标点溢出边界"}
        << QStringList{"slide2.正文.选项 = 允许标点溢出边界"};
    QTest::newRow("on a title slide the subtitle") << QStringList{"edit body", "run 字体 效果=阴影"} << QStringList{"slide1.副标题.效果 = 阴影"};
    QTest::newRow("typing places the caret") << QStringList{"select 2", "type body x", "run 超链接 链接到=网址 地址=http://a"}
        << QStringList{"slide2.超链接.正文.地址 = http://a"};
    QTest::newRow("a named object wins") << QStringList{"edit title", "run 字体 对象=正文 字号=20"} << QStringList{"slide1.正文.字号 = 20", "slide1.标题.字号 = "};
    QTest::newRow("another slide takes the caret away") << QStringList{"edit title", "select 3", "run 自定义动画 效果=飞入"}
        << QStringList{"slide3.动画.效果 = 飞入", "slide3.动画.标题.效果 = "};
    // Slides dragged to another place.
    QTest::newRow("one dragged down") << QStringList{"move 2 5"}
        << QStringList{"slide2.title = 市场分析", "slide4.title = 公司概况", "slide5.title = 工作计划", "doc.选中 = 4"};
    QTest::newRow("two dragged to the front") << QStringList{"move 3,5 1"}
        << QStringList{"slide1.title = 市场分析", "slide2.title = 工作计划", "slide3.title = 年度工作总结", "doc.选中 = 1-2"};
    QTest::newRow("dragged to the end, taken back") << QStringList{"move 1 7", "run 撤销"}
        << QStringList{"slide1.title = 年度工作总结", "slide6.title = 团队建设"};
    QTest::newRow("dragged to the end") << QStringList{"move 1 7"} << QStringList{"slide6.title = 年度工作总结", "count = 6"};
    // The bullet's colour is its own; the text keeps its colour.
    // Characters selected are formatted apart from the rest of their placeholder (a run).
    QTest::newRow("selected characters alone") << QStringList{"select 3", "selecttext title 分析", "run 字体 效果=上标"}
        << QStringList{"slide3.标题「分析」.效果 = 上标", "slide3.标题.效果 = "};
    QTest::newRow("two runs kept apart") << QStringList{"select 2", "selecttext body 成立", "run 字体 字形=加粗",
                                                        "selecttext body 员工", "run 字体 颜色=红色"}
        << QStringList{"slide2.正文「成立」.字形 = 加粗", "slide2.正文「员工」.颜色 = 红色", "slide2.正文「成立」.颜色 = "};
    QTest::newRow("the whole text selected is the placeholder") << QStringList{"select 3", "selecttext title 市场分析", "run 字体 字形=倾斜"}
        << QStringList{"slide3.标题.字形 = 倾斜", "slide3.标题「市场分析」.字形 = "};
    QTest::newRow("larger characters from the size they show") << QStringList{"select 3", "run 字体 对象=标题 字号=40", "selecttext title 市场", "run 增大字号 对象=标题"}
        << QStringList{"slide3.标题「市场」.字号 = 44", "slide3.标题.字号 = 40"};
    QTest::newRow("the whole placeholder reaches its runs") << QStringList{"select 3", "selecttext title 市场", "run 字体 效果=下标 颜色=红色",
                                                                           "selecttext title 市场分析", "run 字体 效果=无"}
        << QStringList{"slide3.标题.效果 = 无", "slide3.标题「市场」.效果 = ", "slide3.标题「市场」.颜色 = 红色"};
    // The same characters standing twice are formatted apart at each place.
    QTest::newRow("the second place of the same text") << QStringList{"select 3", "type title 市场分析与市场", "selecttext title 市场〔2〕", "run 字体 字形=加粗"}
        << QStringList{"slide3.标题「市场〔2〕」.字形 = 加粗", "slide3.标题「市场」.字形 = "};
    QTest::newRow("each place its own format") << QStringList{"select 3", "type title 市场分析与市场", "selecttext title 市场", "run 字体 颜色=红色",
                                                              "selecttext title 市场〔2〕", "run 字体 颜色=蓝色"}
        << QStringList{"slide3.标题「市场」.颜色 = 红色", "slide3.标题「市场〔2〕」.颜色 = 蓝色"};
    QTest::newRow("the first place deleted: the second becomes the first") << QStringList{"select 3", "type title 市场分析与市场", "selecttext title 市场〔2〕",
                                                                                            "run 字体 字形=加粗", "type title 分析与市场"}
        << QStringList{"slide3.标题「市场」.字形 = 加粗", "slide3.标题「市场〔2〕」.字形 = "};
    QTest::newRow("typed before both places") << QStringList{"select 3", "type title 市场分析与市场", "selecttext title 市场〔2〕",
                                                             "run 字体 效果=上标", "type title 新市场分析与市场"}
        << QStringList{"slide3.标题「市场〔2〕」.效果 = 上标", "slide3.标题「市场」.效果 = "};
    // A run follows its characters as the text around it is edited.
    QTest::newRow("typed at a run's end: joins it") << QStringList{"select 3", "selecttext title 市场", "run 字体 字形=加粗", "type title 市场部分析"}
        << QStringList{"slide3.标题「市场部」.字形 = 加粗", "slide3.标题「市场」.字形 = "};
    QTest::newRow("typed inside a run") << QStringList{"select 3", "selecttext title 市场", "run 字体 颜色=红色", "type title 市新场分析"}
        << QStringList{"slide3.标题「市新场」.颜色 = 红色", "slide3.标题「市场」.颜色 = "};
    QTest::newRow("typed before a run: apart") << QStringList{"select 3", "selecttext title 分析", "run 字体 效果=上标", "type title 市场新分析"}
        << QStringList{"slide3.标题「分析」.效果 = 上标", "slide3.标题「新分析」.效果 = "};
    QTest::newRow("part of a run deleted") << QStringList{"select 3", "selecttext title 场分", "run 字体 字形=倾斜", "type title 市分析"}
        << QStringList{"slide3.标题「分」.字形 = 倾斜", "slide3.标题「场分」.字形 = "};
    QTest::newRow("a run's characters all deleted") << QStringList{"select 3", "selecttext title 市场", "run 字体 字形=加粗", "type title 分析", "type title 市场分析"}
        << QStringList{"slide3.标题「市场」.字形 = ", "slide3.标题.字形 = "};
    QTest::newRow("a run in the body follows typing") << QStringList{"select 2", "selecttext body 成立", "run 字体 字形=加粗", "type body 成立之初于1998年\n员工三百余人\n业务遍及全国"}
        << QStringList{"slide2.正文「成立之初」.字形 = 加粗", "slide2.正文「成立」.字形 = "};
    QTest::newRow("bullet colour apart") << QStringList{"select 2", "run 字体 对象=正文 颜色=蓝色", "run 项目符号和编号 对象=正文 项目符号=◆ 颜色=红色 大小=80"}
        << QStringList{"slide2.正文.颜色 = 蓝色", "slide2.正文.项目符号 = ◆", "slide2.正文.项目符号颜色 = 红色", "slide2.正文.项目符号大小 = 80"};
    // A symbol at the caret; outline levels of the body's paragraphs.
    QTest::newRow("symbol at the caret") << QStringList{"select 2", "edit title", "caret 2", "run 符号 符号=★"}
        << QStringList{"slide2.title = 公司★概况", "slide2.符号.符号 = ★"};
    QTest::newRow("symbol at the body's end") << QStringList{"select 4", "type body 新增客户", "run 符号 符号=®"}
        << QStringList{"slide4.body = 新增客户®"};
    QTest::newRow("no caret, no symbol in the text") << QStringList{"select 2", "run 符号 符号=★"}
        << QStringList{"slide2.title = 公司概况", "slide2.符号.符号 = ★"};
    QTest::newRow("caret's paragraph demoted") << QStringList{"select 2", "edit body", "caret 9", "run 大纲 操作=降级"}
        << QStringList{"slide2.正文.段落2.级别 = 2", "slide2.正文.段落1.级别 = ", "slide2.大纲.操作 = 降级"};
    QTest::newRow("named paragraph down twice, up once") << QStringList{"select 2", "run 大纲 操作=降级 内容=业务遍及全国",
                                                                        "run 大纲 操作=降级 内容=业务遍及全国", "run 大纲 操作=提升 内容=业务遍及全国"}
        << QStringList{"slide2.正文.段落3.级别 = 2"};
    // A first-level paragraph promoted is a new slide's title; a title demoted joins the slide before.
    QTest::newRow("first paragraph promoted to a slide") << QStringList{"select 2", "edit body", "caret 0", "run 大纲 操作=提升"}
        << QStringList{"count = 7", "slide2.body = ", "slide3.title = 成立于1998年", "slide3.body = 员工三百余人\n业务遍及全国", "doc.选中 = 3"};
    QTest::newRow("middle paragraph promoted, the rest follow") << QStringList{"select 3", "edit body", "caret 9", "run 大纲 操作=提升"}
        << QStringList{"count = 7", "slide3.body = 市场规模稳步增长", "slide4.title = 竞争日趋激烈", "slide4.body = 客户需求多样",
                       "slide4.layout = 标题和文本", "slide5.title = 销售业绩"};
    QTest::newRow("following paragraphs one level up") << QStringList{"select 3", "run 大纲 操作=降级 内容=客户需求多样",
                                                                      "run 大纲 操作=降级 内容=客户需求多样", "run 大纲 操作=提升 内容=竞争日趋激烈"}
        << QStringList{"slide4.title = 竞争日趋激烈", "slide4.正文.段落1.级别 = 2", "slide3.正文.段落3.级别 = "};
    QTest::newRow("promoted slide taken back") << QStringList{"select 3", "edit body", "caret 9", "run 大纲 操作=提升", "run 撤销"}
        << QStringList{"count = 6", "slide3.body = 市场规模稳步增长\n竞争日趋激烈\n客户需求多样"};
    QTest::newRow("title demoted into the slide before") << QStringList{"select 3", "run 大纲 操作=降级 内容=客户需求多样", "edit title", "run 大纲 操作=降级"}
        << QStringList{"count = 5", "slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国\n市场分析\n市场规模稳步增长\n竞争日趋激烈\n客户需求多样",
                       "slide2.正文.段落4.级别 = ", "slide2.正文.段落5.级别 = 2", "slide2.正文.段落7.级别 = 3", "slide3.title = 销售业绩", "doc.选中 = 2"};
    QTest::newRow("first title stays a title") << QStringList{"edit title", "run 大纲 操作=降级"}
        << QStringList{"count = 6", "slide1.title = 年度工作总结"};
    QTest::newRow("paragraph moved down with its level") << QStringList{"select 2", "run 大纲 操作=降级 内容=成立于1998年", "edit body", "caret 0", "run 大纲 操作=下移"}
        << QStringList{"slide2.body = 员工三百余人\n成立于1998年\n业务遍及全国", "slide2.正文.段落2.级别 = 2", "slide2.正文.段落1.级别 = "};
    // Text typed into the body: the paragraphs keep their levels as lines join or come in.
    QTest::newRow("paragraph joined to the one before") << QStringList{"select 2", "run 大纲 操作=降级 内容=员工三百余人",
                                                                         "run 大纲 操作=降级 内容=业务遍及全国", "run 大纲 操作=降级 内容=业务遍及全国",
                                                                         "type body 成立于1998年员工三百余人\n业务遍及全国"}
        << QStringList{"slide2.正文.段落1.级别 = ", "slide2.正文.段落2.级别 = 3", "slide2.正文.段落3.级别 = "};
    QTest::newRow("line pasted in the middle") << QStringList{"select 2", "run 大纲 操作=降级 内容=员工三百余人",
                                                              "type body 成立于1998年\n员工三百余人\n新的一行\n业务遍及全国"}
        << QStringList{"slide2.正文.段落2.级别 = 2", "slide2.正文.段落3.级别 = 2", "slide2.正文.段落4.级别 = "};
    QTest::newRow("selected text's paragraph moved up") << QStringList{"select 3", "selecttext body 客户需求多样", "run 大纲 操作=上移"}
        << QStringList{"slide3.body = 市场规模稳步增长\n客户需求多样\n竞争日趋激烈"};
    // The master's formats, each object's kept apart.
    QTest::newRow("master title and body") << QStringList{"run 母版 母版类型=幻灯片母版 对象=标题样式 中文字体=黑体", "run 母版 母版类型=幻灯片母版 对象=第一级文本 字号=32"}
        << QStringList{"doc.母版.标题样式.中文字体 = 黑体", "doc.母版.第一级文本.字号 = 32", "doc.母版.第一级文本.中文字体 = ", "doc.母版.对象 = 第一级文本"};
    // In a master view the editor's commands act on the master, not on a slide.
    QTest::newRow("master view: title placeholder formatted") << QStringList{"run 幻灯片母版", "edit title", "run 字体 颜色=红色"}
        << QStringList{"doc.视图 = 幻灯片母版", "doc.母版.标题样式.颜色 = 红色", "slide1.标题.颜色 = "};
    QTest::newRow("master view: text placeholder of a title slide") << QStringList{"run 幻灯片母版", "edit body", "run 行距 行距=1.2行"}
        << QStringList{"doc.母版.第一级文本.行距 = 1.2行", "slide1.副标题.行距 = "};
    QTest::newRow("master view: text box, picture, background")
        << QStringList{"run 幻灯片母版", "drawbox 18,1,6,1.5", "typeshape 文本框 内部培训", "run 图片 来源=来自文件", "run 背景 填充=浅绿色"}
        << QStringList{"doc.母版.文本框 = 内部培训", "doc.母版.文本框.位置 = 18,1", "doc.母版.文本框.大小 = 6,1.5", "doc.母版.母版类型 = 幻灯片母版",
                       "doc.母版.图片 = 1", "doc.母版.背景 = 浅绿色", "slide1.文本框 = ", "slide1.背景.填充 = "};
    QTest::newRow("master view: its text box dragged, a second one drawn in its place")
        << QStringList{"run 幻灯片母版", "drawbox 18,1,6,1.5", "typeshape 文本框 内部培训", "shape 文本框", "moveshape 文本框 2,15",
                       "select 2", "drawbox 1,1,4,1", "typeshape 文本框 机密"}
        << QStringList{"doc.母版.文本框 = 机密", "doc.母版.文本框.位置 = 1,1", "doc.母版.文本框.大小 = 4,1", "slide1.文本框 = ", "slide2.文本框 = "};
    QTest::newRow("master view: the text box dragged and deleted") << QStringList{"run 幻灯片母版", "drawbox 18,1,6,1.5", "typeshape 文本框 内部培训",
                                                                                   "shape 文本框", "moveshape 文本框 2,15", "delete"}
        << QStringList{"doc.母版.文本框 = ", "doc.母版.文本框.位置 = ", "doc.母版.图片 = "};
    // The master's own objects are formatted and turned there, not on the slide under edit.
    QTest::newRow("master view: its shape filled, selected or named")
        << QStringList{"run 幻灯片母版", "drawshape 矩形 1,1,4,3", "run 对象格式 填充颜色=红色", "shape 自选图形",
                       "run 对象格式 对象=自选图形 线条颜色=蓝色"}
        << QStringList{"doc.母版.自选图形.填充颜色 = 红色", "doc.母版.自选图形.线条颜色 = 蓝色", "slide1.自选图形.填充颜色 = ",
                       "slide1.自选图形.线条颜色 = ", "slide1.填充颜色 = "};
    QTest::newRow("master view: its text box's font") << QStringList{"run 幻灯片母版", "drawbox 18,1,6,1.5", "typeshape 文本框 内部培训",
                                                                      "run 字体 对象=文本框 颜色=红色 字号=20"}
        << QStringList{"doc.母版.文本框.颜色 = 红色", "doc.母版.文本框.字号 = 20", "slide1.文本框.颜色 = ", "doc.母版.标题样式.颜色 = "};
    QTest::newRow("master view: its shape turned by the handle and the command")
        << QStringList{"run 幻灯片母版", "drawshape 矩形 1,1,4,3", "rotate 自选图形 30", "run 旋转或翻转 旋转=向右旋转90°",
                       "run 旋转或翻转 翻转=水平翻转"}
        << QStringList{"doc.母版.自选图形.旋转 = 120度", "doc.母版.自选图形.翻转 = 水平翻转", "slide1.自选图形.旋转 = "};
    QTest::newRow("title master: its shape filled there") << QStringList{"run 幻灯片母版", "run 标题母版", "drawshape 椭圆 1,1,4,3",
                                                                         "run 对象格式 填充颜色=浅绿色"}
        << QStringList{"doc.母版.标题母版.自选图形.填充颜色 = 浅绿色", "doc.母版.自选图形.填充颜色 = ",
                       "doc.母版.标题母版.副标题样式.填充颜色 = ", "slide1.自选图形.填充颜色 = "};
    QTest::newRow("master view: a formatted shape taken back by 撤销")
        << QStringList{"run 幻灯片母版", "drawshape 矩形 1,1,4,3", "run 对象格式 填充颜色=红色", "run 撤销"}
        << QStringList{"doc.母版.自选图形.填充颜色 = ", "doc.母版.自选图形 = 1"};
    QTest::newRow("title master: subtitle style") << QStringList{"run 幻灯片母版", "run 标题母版", "edit body", "run 字体 字形=倾斜"}
        << QStringList{"doc.母版.母版类型 = 标题母版", "doc.母版.标题母版.副标题样式.字形 = 倾斜", "doc.母版.副标题样式.字形 = ",
                       "doc.母版.第一级文本.字形 = "};
    QTest::newRow("notes master: notes text") << QStringList{"run 备注母版", "edit body", "run 字体 字号=16"}
        << QStringList{"doc.母版.母版类型 = 备注母版", "doc.母版.备注母版.备注文本.字号 = 16", "doc.母版.第一级文本.字号 = ",
                       "slide1.副标题.字号 = "};
    // The slide master's date, footer and number areas take the caret and their own formats.
    QTest::newRow("master view: date area formatted") << QStringList{"run 幻灯片母版", "edit date", "run 字体 字号=14 中文字体=黑体"}
        << QStringList{"doc.母版.日期区.字号 = 14", "doc.母版.日期区.中文字体 = 黑体", "doc.母版.标题样式.字号 = ", "slide1.标题.字号 = "};
    QTest::newRow("title master: number area, by the toolbar's 对象") << QStringList{"run 幻灯片母版", "run 标题母版", "run 字体 对象=数字区 字形=加粗"}
        << QStringList{"doc.母版.标题母版.数字区.字形 = 加粗", "doc.母版.数字区.字形 = ", "doc.母版.标题母版.副标题样式.字形 = "};
    QTest::newRow("notes master: header area") << QStringList{"run 备注母版", "edit header", "run 字体 字号=12"}
        << QStringList{"doc.母版.备注母版.页眉区.字号 = 12", "doc.母版.页眉区.字号 = ", "doc.母版.备注母版.备注文本.字号 = "};
    QTest::newRow("handout master: its areas") << QStringList{"run 讲义母版", "edit header", "run 字体 字号=12", "edit number", "run 字体 颜色=红色"}
        << QStringList{"doc.母版.讲义母版.页眉区.字号 = 12", "doc.母版.讲义母版.数字区.颜色 = 红色", "doc.母版.页眉区.字号 = ",
                       "doc.母版.备注母版.页眉区.字号 = ", "doc.母版.数字区.颜色 = ", "slide1.数字区.颜色 = "};
    QTest::newRow("the slide master has no header area") << QStringList{"run 幻灯片母版", "edit header", "run 字体 字号=12"}
        << QStringList{"doc.母版.备注母版.页眉区.字号 = ", "doc.母版.页眉区.字号 = "};
    QTest::newRow("typed in the notes master: its prompt, no slide") << QStringList{"run 备注母版", "type title 改了", "type body 备注样式"}
        << QStringList{"doc.母版.备注母版.正文 = 备注样式", "slide1.title = 年度工作总结", "slide1.body = 市场部\n二〇〇五年十二月"};
    QTest::newRow("title master by the 母版 command itself") << QStringList{"run 母版 母版类型=标题母版 对象=标题样式 颜色=红色"}
        << QStringList{"doc.母版.标题母版.标题样式.颜色 = 红色", "doc.母版.标题样式.颜色 = "};
    QTest::newRow("no area outside the master views") << QStringList{"edit footer", "run 字体 字号=14"}
        << QStringList{"doc.母版.页脚区.字号 = ", "doc.母版.对象 = "};
    QTest::newRow("closing the view takes the caret from the area") << QStringList{"run 幻灯片母版", "edit date", "run 关闭母版视图", "run 字体 字号=14"}
        << QStringList{"doc.母版.日期区.字号 = ", "doc.视图 = 普通"};
    // The master's prompt texts are typed over; the slides keep their own.
    QTest::newRow("master's prompt typed over") << QStringList{"run 幻灯片母版", "type title 公司标题样式", "type body 正文样式"}
        << QStringList{"doc.母版.幻灯片母版.标题 = 公司标题样式", "doc.母版.幻灯片母版.正文 = 正文样式", "slide1.title = 年度工作总结"};
    QTest::newRow("master's prompt typed, taken back") << QStringList{"run 幻灯片母版", "type title 公司", "type title 公司标题", "run 撤销"}
        << QStringList{"doc.母版.幻灯片母版.标题 = ", "slide1.title = 年度工作总结"};
    QTest::newRow("closed: formats the slide again") << QStringList{"run 幻灯片母版", "run 关闭母版视图", "edit title", "run 字体 颜色=红色"}
        << QStringList{"doc.视图 = 普通", "slide1.标题.颜色 = 红色", "doc.母版.标题样式.颜色 = "};
    QTest::newRow("last paragraph moves no further") << QStringList{"select 2", "run 大纲 操作=下移 内容=业务遍及全国"}
        << QStringList{"slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国"};
    QTest::newRow("subtitle paragraph demoted") << QStringList{"edit body", "caret 4", "run 大纲 操作=降级"}
        << QStringList{"slide1.副标题.段落2.级别 = 2"};
    QTest::newRow("value of the chart's data") << QStringList{"run 图表选项 单元格=第一季度、东部 数据=50"} << QStringList{"slide1.图表.第一季度、东部 = 50"};
    // 替换: every text of the presentation, titles, bodies, notes and text boxes.
    QTest::newRow("replace all") << QStringList{"select 3", "type notes 公司的市场", "run 文本框 文字=公司简介", "run 替换 查找内容=公司 替换为=集团"}
        << QStringList{"slide2.title = 集团概况", "slide3.notes = 集团的市场", "slide3.文本框.文字 = 集团简介", "doc.替换.替换为 = 集团"};
    QTest::newRow("replace, matching case") << QStringList{"type title Computer computer", "run 替换 查找内容=Computer 替换为=计算机 区分大小写=是"}
        << QStringList{"slide1.title = 计算机 computer"};
    QTest::newRow("replace, any case") << QStringList{"type title Computer COMPUTER", "run 替换 查找内容=computer 替换为=PC"}
        << QStringList{"slide1.title = PC PC"};
    QTest::newRow("replace whole words only") << QStringList{"type title cat category cat", "run 替换 查找内容=cat 替换为=dog 全字匹配=是"}
        << QStringList{"slide1.title = dog category dog"};
    QTest::newRow("replaced text holds the found text") << QStringList{"type title aa", "run 替换 查找内容=a 替换为=ab"}
        << QStringList{"slide1.title = abab"};
    QTest::newRow("replace the fonts instead") << QStringList{"run 替换 查找内容=宋体 替换为=黑体 替换字体=是"}
        << QStringList{"slide1.标题.中文字体 = 黑体", "slide2.正文.中文字体 = 黑体", "slide1.title = 年度工作总结"};
    QTest::newRow("nothing found, nothing replaced") << QStringList{"run 替换 查找内容=集团 替换为=公司"}
        << QStringList{"slide2.title = 公司概况", "doc.替换.查找内容 = 集团"};
    // 替换 one at a time: the match selected is replaced, the next one selected.
    QTest::newRow("find selects the next match") << QStringList{"select 1", "run 查找 查找内容=增长"}
        << QStringList{"doc.选中 = 3", "slide3.body = 市场规模稳步增长\n竞争日趋激烈\n客户需求多样"};
    QTest::newRow("replace one, then the next") << QStringList{"select 1", "run 查找 查找内容=增长", "run 替换 查找内容=增长 替换为=提高 操作=替换"}
        << QStringList{"slide3.body = 市场规模稳步提高\n竞争日趋激烈\n客户需求多样", "slide4.body = 全年销售额增长18%\n重点项目全部完成\n新增客户120家", "doc.选中 = 4"};
    // 更改大小写 changes the object's text; 清除 its format or its text.
    QTest::newRow("upper case") << QStringList{"type title welcome to beijing", "run 更改大小写 对象=标题 大小写=全部大写"}
        << QStringList{"slide1.title = WELCOME TO BEIJING", "slide1.标题.大小写 = 全部大写"};
    QTest::newRow("sentence case") << QStringList{"type title hELLO. wORLD", "run 更改大小写 对象=标题 大小写=句首字母大写"}
        << QStringList{"slide1.title = Hello. World"};
    QTest::newRow("title case") << QStringList{"type title new PRODUCT line", "run 更改大小写 对象=标题 大小写=词首字母大写"}
        << QStringList{"slide1.title = New Product Line"};
    QTest::newRow("case toggled") << QStringList{"type title Hello 你好", "run 更改大小写 对象=标题 大小写=切换大小写"}
        << QStringList{"slide1.title = hELLO 你好"};
    QTest::newRow("the caret's placeholder in lower case") << QStringList{"select 2", "type body ABC", "run 更改大小写 大小写=全部小写"}
        << QStringList{"slide2.body = abc"};
    QTest::newRow("format cleared, text kept") << QStringList{"select 4", "run 字体 对象=正文 字形=加粗 颜色=红色 下划线=单线", "run 对齐方式 对象=正文 对齐=居中对齐",
                                                              "run 清除 对象=正文 清除=格式"}
        << QStringList{"slide4.正文.字形 = ", "slide4.正文.颜色 = ", "slide4.正文.下划线 = ", "slide4.正文.对齐 = 居中对齐",
                       "slide4.body = 全年销售额增长18%\n重点项目全部完成\n新增客户120家"};
    QTest::newRow("text cleared, format kept") << QStringList{"select 4", "run 字体 对象=标题 字形=加粗", "run 清除 对象=标题 清除=内容"}
        << QStringList{"slide4.title = ", "slide4.标题.字形 = 加粗"};
    // The 自定义动画 pane's preview: with 自动预览 ticked (as it starts) an
    // effect added plays; otherwise 播放 plays the slide's effects, where it has some.
    QTest::newRow("an effect added plays at once") << QStringList{"select 1", "shape 标题", "run 自定义动画 类别=进入 效果=压缩"}
        << QStringList{"slide1.动画.预览 = 是", "slide1.动画.标题.效果 = 压缩", "slide1.动画.标题.预览 = "};
    QTest::newRow("自动预览 off: not played") << QStringList{"select 1", "shape 标题", "run 自定义动画 自动预览=否",
                                                             "run 自定义动画 类别=进入 效果=压缩"}
        << QStringList{"slide1.动画.预览 = ", "slide1.动画.自动预览 = 否", "slide1.动画.标题.自动预览 = "};
    QTest::newRow("played by 播放") << QStringList{"select 1", "shape 标题", "run 自定义动画 自动预览=否",
                                                   "run 自定义动画 类别=进入 效果=压缩", "run 自定义动画 预览=播放"}
        << QStringList{"slide1.动画.预览 = 是", "slide1.动画.标题.效果 = 压缩"};
    QTest::newRow("nothing to play") << QStringList{"select 2", "run 自定义动画 预览=播放"} << QStringList{"slide2.动画.预览 = "};
}

void TestSimulatorModel::commandsChangeTheDocument()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, checks);
    Session session;
    QCOMPARE(playScript(session, actions), QString());
    for (const QString &check : checks)
        QCOMPARE(check.section(QStringLiteral(" = "), 0, 0) + QStringLiteral(" = ") + session.document().value(check.section(QStringLiteral(" = "), 0, 0)),
                 check);
}

void TestSimulatorModel::searchNotices_data()
{
    // What 查找 and 替换 tell the candidate after the actions.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("notice");
    QTest::newRow("all replaced, counted") << QStringList{"run 替换 查找内容=市场 替换为=营销"} << "已完成对演示文稿的搜索，共替换4处。";
    QTest::newRow("nothing to replace") << QStringList{"run 替换 查找内容=集团 替换为=公司"} << "找不到要查找的内容“集团”。";
    QTest::newRow("nothing found") << QStringList{"run 查找 查找内容=computer"} << "找不到要查找的内容“computer”。";
    QTest::newRow("found: nothing to say") << QStringList{"run 查找 查找内容=市场"} << "";
    QTest::newRow("only another case") << QStringList{"type title Computer", "run 查找 查找内容=computer 区分大小写=是"}
        << "找不到要查找的内容“computer”。";
    QTest::newRow("said once only") << QStringList{"run 查找 查找内容=集团", "run 幻灯片浏览"} << "";
}

void TestSimulatorModel::searchNotices()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, notice);
    Session session;
    QCOMPARE(playScript(session, actions), QString());
    QCOMPARE(session.notice(), notice);
}

void TestSimulatorModel::filesAndHistory_data()
{
    // The history the task assumes ("", "typed": a title typed, "taken back":
    // a slide inserted and taken back, "both"),
    // the actions, then: a file the candidate's folder lists, the file name
    // of the presentation, whether 撤销 and 恢复 have anything to act on.
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("canUndo");
    QTest::addColumn<bool>("canRedo");
    QTest::newRow("fresh") << "" << QStringList{} << "产品介绍.dps" << "" << false << false;
    QTest::newRow("saved as a template") << "" << QStringList{"run 另存为 文件名=公司模板 保存类型=模板文件（*.dpt）"}
                                         << "公司模板.dpt" << "公司模板.dpt" << true << false;
    QTest::newRow("saved under a path") << "" << QStringList{"run 保存 文件名=考生文件夹/培训.dps"} << "培训.dps" << "培训.dps" << true << false;
    QTest::newRow("exported, not renamed") << "" << QStringList{"run 输出为PDF 文件名=年度总结"} << "年度总结.pdf" << "" << true << false;
    QTest::newRow("opened") << "" << QStringList{"run 打开 文件名=销售报告.dps"} << "销售报告.dps" << "销售报告.dps" << true << false;
    QTest::newRow("opened from the files used last") << "" << QStringList{"run 最近使用的文件 文件名=年度总结.dps"}
                                                     << "年度总结.dps" << "年度总结.dps" << true << false;
    QTest::newRow("a slide saved as a picture, not renamed") << "" << QStringList{"run 保存 文件名=a.dps", "run 另存为 文件名=封面页.png 导出=仅当前幻灯片"}
                                                             << "封面页.png" << "a.dps" << true << false;
    QTest::newRow("a new one has no name") << "" << QStringList{"run 保存 文件名=a.dps", "run 新建 模板=空白演示文稿"} << "a.dps" << "" << true << false;
    QTest::newRow("undone") << "" << QStringList{"run 删除幻灯片", "run 撤销"} << "风景.jpg" << "" << false << true;
    QTest::newRow("undone and redone") << "" << QStringList{"run 删除幻灯片", "run 撤销", "run 恢复"} << "风景.jpg" << "" << true << false;
    QTest::newRow("the earlier typing") << "typed" << QStringList{} << "风景.jpg" << "" << true << false;
    QTest::newRow("an insertion taken back") << "taken back" << QStringList{} << "风景.jpg" << "" << false << true;
    QTest::newRow("both") << "both" << QStringList{} << "风景.jpg" << "" << true << true;
}

// The candidate's folder holds the questions' files and what was saved; 撤销
// and 恢复 know whether they have anything to do, also for a task that
// starts just after an edit.
void TestSimulatorModel::filesAndHistory()
{
    QFETCH(QString, earlier);
    QFETCH(QStringList, actions);
    QFETCH(QString, listed);
    QFETCH(QString, fileName);
    QFETCH(bool, canUndo);
    QFETCH(bool, canRedo);
    Session session;
    const Document start = session.document();
    if (!earlier.isEmpty())
        session.startWithHistory(earlier != u"taken back", earlier != u"typed");
    QVERIFY(session.document() == start);   // the history leaves the document as it is
    QCOMPARE(playScript(session, actions), QString());
    QVERIFY2(session.folderFiles().contains(listed), qPrintable(session.folderFiles().join(u' ')));
    QCOMPARE(session.fileName(), fileName);
    QCOMPARE(session.canUndo(), canUndo);
    QCOMPARE(session.canRedo(), canRedo);
    if (canRedo && !earlier.isEmpty()) {   // 恢复 brings the slide back after the current one
        session.run(QStringLiteral("恢复"));
        QCOMPARE(session.document().value(QStringLiteral("count")), QStringLiteral("7"));
        QCOMPARE(session.document().value(QStringLiteral("slide2.layout")), QStringLiteral("标题和文本"));
    } else if (canUndo && !earlier.isEmpty()) {   // 撤销 takes the typed title away
        session.run(QStringLiteral("撤销"));
        QCOMPARE(session.document().value(QStringLiteral("slide1.title")), QString());
    }
}

void TestSimulatorModel::copyPlaysAheadWithTheHistory()
{
    // The guide plays ahead on a copy: its 撤销 and 恢复 work on the history
    // as the candidate left it and leave the candidate's session alone.
    Session session;
    QCOMPARE(playScript(session, {"select 3", "type title 市场", "run 幻灯片版式 版式=空白", "run 撤销"}), QString());
    Session ahead = session;
    QVERIFY(ahead.canUndo() && ahead.canRedo());
    QCOMPARE(playScript(ahead, {"run 撤销"}), QString());
    QCOMPARE(ahead.document().value("slide3.title"), QStringLiteral("市场分析"));
    QCOMPARE(playScript(ahead, {"run 恢复", "run 恢复"}), QString());
    QCOMPARE(ahead.document().value("slide3.layout"), QStringLiteral("空白"));
    QCOMPARE(session.document().value("slide3.title"), QStringLiteral("市场"));
    QCOMPARE(session.document().value("slide3.layout"), QStringLiteral("标题和文本"));
    QCOMPARE(playScript(session, {"run 恢复"}), QString());
    QCOMPARE(session.document().value("slide3.layout"), QStringLiteral("空白"));
}

void TestSimulatorModel::documentKeptAsText()
{
    Session session;
    QCOMPARE(playScript(session, {"select 2,4", "run 隐藏幻灯片", "type body 第一行\n“引号”'单引号'", "type notes 备注",
                                  "run 字体 对象=标题 字号=40", "run 幻灯片浏览"}), QString());
    const std::optional<Document> back = Document::fromJson(session.document().toJson());
    QVERIFY(back);
    QVERIFY(*back == session.document());
}

void TestSimulatorModel::malformedDocumentText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("slides: 6");
    QTest::newRow("cut short") << Document::sample(3).toJson().chopped(5);
    QTest::newRow("no slides") << QByteArray(R"({"slides":[],"settings":{}})");
    QTest::newRow("slide not an object") << QByteArray(R"({"slides":[1],"settings":{}})");
    QTest::newRow("attribute not text") << QByteArray(R"({"slides":[{"attributes":{"a":1}}],"settings":{}})");
}

void TestSimulatorModel::malformedDocumentText()
{
    QFETCH(QByteArray, text);
    QVERIFY(!Document::fromJson(text));
}

void TestSimulatorModel::masterReachesTheSlides()
{
    Session session;
    QCOMPARE(playScript(session, {"select 2", "run 字体 对象=标题 中文字体=隶书", "run 母版 母版类型=幻灯片母版 对象=标题样式 中文字体=黑体 颜色=深蓝色",
                                  "run 母版 母版类型=幻灯片母版 对象=第一级文本 项目符号=◆"}), QString());
    const Slide first = Master::effective(session.document(), 0);
    QCOMPARE(first.attributes.value("标题.中文字体"), "黑体");
    QCOMPARE(first.attributes.value("标题.颜色"), "深蓝色");
    QCOMPARE(first.attributes.value("正文.项目符号"), "◆");
    // A slide's own format wins over the master's.
    const Slide second = Master::effective(session.document(), 1);
    QCOMPARE(second.attributes.value("标题.中文字体"), "隶书");
    QCOMPARE(second.attributes.value("标题.颜色"), "深蓝色");
    QCOMPARE(Master::effective(session.document(), 9).title, QString());
    // What was put on the master lies on every slide, unless a slide leaves out the master's graphics.
    QCOMPARE(playScript(session, {"run 幻灯片母版", "drawbox 18,1,6,1.5", "typeshape 文本框 内部培训", "run 图片 来源=来自文件", "run 背景 填充=浅绿色",
                                  "run 关闭母版视图", "select 3", "run 背景 填充=蓝色 忽略母版的背景图形=是"}), QString());
    const Slide plain = Master::effective(session.document(), 1);
    QCOMPARE(plain.attributes.value("背景.填充"), "浅绿色");
    const QList<Slide> behind = Master::objectsBehind(session.document(), 1);
    QCOMPARE(behind.size(), 1);
    QCOMPARE(behind.first().attributes.value("图片"), "1");
    QCOMPARE(behind.first().attributes.value("文本框.文字"), "内部培训");
    QCOMPARE(Shapes::find(behind.first(), "文本框")->frame, QRectF(18, 1, 6, 1.5));
    // They are the master's, not the slide's: the slide's own shapes are its own.
    QVERIFY(!Shapes::find(session.document().slides.at(1), "文本框"));
    const Slide own = Master::effective(session.document(), 2);
    QCOMPARE(own.attributes.value("背景.填充"), "蓝色");
    QVERIFY(Master::objectsBehind(session.document(), 2).isEmpty());
    // A slide with a text box of its own shows the master's behind it.
    QCOMPARE(playScript(session, {"select 4", "drawbox 2,8,6,2", "typeshape 文本框 自己的"}), QString());
    QCOMPARE(session.document().slides.at(3).attributes.value("文本框.文字"), "自己的");
    QCOMPARE(Master::objectsBehind(session.document(), 3).value(0).attributes.value("文本框.文字"), "内部培训");
    // The date area's format reaches every slide's date; the typed prompt only the master.
    QCOMPARE(playScript(session, {"run 幻灯片母版", "edit date", "run 字体 字号=14", "type title 公司标题"}), QString());
    QCOMPARE(Master::effective(session.document(), 4).attributes.value("日期区.字号"), "14");
    QCOMPARE(Master::shown(session.document()).slides.first().title, "公司标题");
    QCOMPARE(Master::shown(session.document()).slides.first().attributes.value("日期区.字号"), "14");
    QCOMPARE(Master::effective(session.document(), 4).title, session.document().slides.at(4).title);
    // The handout master shows no slide: a box drawn there is the handout
    // master's, on no slide and not the slide master's.
    QCOMPARE(playScript(session, {"run 讲义母版"}), QString());
    const QList<Slide> slides = session.document().slides;
    QCOMPARE(session.drawTextBox(QRectF(1, 1, 5, 2)), "文本框");
    QVERIFY(session.document().slides == slides);
    QCOMPARE(session.document().value("doc.母版.讲义母版.文本框.位置"), "1,1");
    QCOMPARE(session.document().value("doc.母版.文本框"), "内部培训");
}

void TestSimulatorModel::insertedOnTheMaster_data()
{
    // The view entered, what is inserted there, the object's name and the
    // master's paths it is kept under.
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QStringList>("checks");
    const QString slideMaster = QStringLiteral("幻灯片母版");
    QTest::newRow("picture from a file") << slideMaster << "run 图片 来源=来自文件" << "图片"
        << QStringList{"doc.母版.图片 = 1", "doc.母版.图片.位置 = 7.7,5.78", "doc.母版.图片.大小 = 10,7.5"};
    QTest::newRow("clip art") << slideMaster << "run 图片 来源=剪贴画 名称=计算机" << "图片"
        << QStringList{"doc.母版.图片 = 计算机", "doc.母版.图片.来源 = 剪贴画"};
    QTest::newRow("word art") << slideMaster << "run 艺术字 文字=内部资料 字体=隶书" << "艺术字"
        << QStringList{"doc.母版.艺术字 = 1", "doc.母版.艺术字.文字 = 内部资料", "doc.母版.艺术字.字体 = 隶书"};
    QTest::newRow("autoshape by its dialog") << slideMaster << "run 自选图形 形状=五角星 填充颜色=红色" << "自选图形"
        << QStringList{"doc.母版.自选图形 = 1", "doc.母版.自选图形.形状 = 五角星", "doc.母版.自选图形.填充颜色 = 红色"};
    QTest::newRow("shape drawn from the drawing toolbar") << slideMaster << "drawshape 椭圆 1,1,4,3" << "自选图形"
        << QStringList{"doc.母版.自选图形.形状 = 椭圆", "doc.母版.自选图形.位置 = 1,1", "doc.母版.自选图形.大小 = 4,3"};
    QTest::newRow("text box by its dialog") << slideMaster << "run 文本框 方向=竖排 文字=机密" << "文本框"
        << QStringList{"doc.母版.文本框 = 机密", "doc.母版.文本框.方向 = 竖排", "doc.母版.文本框.文字 = "};
    QTest::newRow("sound") << slideMaster << "run 影片和声音 类型=声音 文件=开场.wav" << "媒体"
        << QStringList{"doc.母版.媒体.类型 = 声音", "doc.母版.媒体.大小 = 1.6,1.6"};
    QTest::newRow("table") << slideMaster << "run 表格 行数=3 列数=4" << "表格" << QStringList{"doc.母版.表格.行数 = 3", "doc.母版.表格.列数 = 4"};
    QTest::newRow("chart") << slideMaster << "run 图表 类型=饼图" << "图表" << QStringList{"doc.母版.图表.类型 = 饼图"};
    QTest::newRow("organisation chart") << slideMaster << "run 组织结构图" << "组织结构图" << QStringList{"doc.母版.组织结构图 = 1"};
    QTest::newRow("action button") << slideMaster << "run 动作按钮 按钮=第一张" << "动作按钮" << QStringList{"doc.母版.动作按钮.按钮 = 第一张"};
    QTest::newRow("title master: word art") << "标题母版" << "run 艺术字 文字=封面" << "艺术字"
        << QStringList{"doc.母版.标题母版.艺术字.文字 = 封面", "doc.母版.艺术字 = ", "doc.母版.母版类型 = 标题母版"};
    QTest::newRow("handout master: text box") << "讲义母版" << "run 文本框 文字=内部培训" << "文本框"
        << QStringList{"doc.母版.讲义母版.文本框 = 内部培训", "doc.母版.文本框 = "};
    // An OLE object is not put on a master (the editor greys it there).
    QTest::newRow("no OLE object on the master") << slideMaster << "run 对象 类型=金山表格" << QString()
        << QStringList{"doc.母版.对象 = ", "slide1.对象 = "};
}

void TestSimulatorModel::insertedOnTheMaster()
{
    QFETCH(QString, view);
    QFETCH(QString, insert);
    QFETCH(QString, object);
    QFETCH(QStringList, checks);
    Session session;
    QStringList enter = {"select 2"};
    if (view == u"标题母版")
        enter << "run 幻灯片母版";
    enter << "run " + view;
    QCOMPARE(playScript(session, enter), QString());
    const QList<Slide> slides = session.document().slides;
    QCOMPARE(playScript(session, {insert}), QString());
    for (const QString &check : checks) {
        const QString path = check.section(QStringLiteral(" = "), 0, 0);
        QCOMPARE(path + QStringLiteral(" = ") + session.document().value(path), check);
    }
    const Document &document = session.document();
    // No slide gets an object of its own.
    QVERIFY(document.slides == slides);
    if (object.isEmpty()) {
        QVERIFY(session.selectedShapes().isEmpty());
        return;
    }
    // It is a shape of the master shown, selected, to be moved and deleted there.
    QCOMPARE(session.selectedShapes(), QStringList{object});
    QVERIFY(Shapes::find(Master::shown(document).slides.first(), object));
    // The slide master's lies on every slide, the title master's on the title slides alone.
    const auto lies = [&document, &object](int index) {
        const QList<Slide> layers = Master::objectsBehind(document, index);
        return std::any_of(layers.begin(), layers.end(), [&object](const Slide &layer) { return bool(Shapes::find(layer, object)); });
    };
    QCOMPARE(lies(0), view != u"讲义母版");
    QCOMPARE(lies(1), view == u"幻灯片母版");
    // Out of the master view it cannot be taken on a slide.
    QCOMPARE(playScript(session, {"run 关闭母版视图", "select 1", "shape " + object}), "shape " + object);
    // 撤销 takes it off the master again.
    QCOMPARE(playScript(session, {"run 撤销", "run 撤销"}), QString());
    QVERIFY(Master::objects(session.document(), view).attributes.isEmpty());
}

void TestSimulatorModel::questionFromStartedPath_data()
{
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("th");
    QTest::addColumn<QString>("programFolder");
    QTest::newRow("host's path") << QStringLiteral("/opt/app/ovti/金山演示101/ov") << QStringLiteral("101") << QStringLiteral("/opt/app/");
    QTest::newRow("dots in the path") << QStringLiteral("/opt/x/../app/ovti/金山演示612/./ov") << QStringLiteral("612") << QStringLiteral("/opt/app/");
    QTest::newRow("leading zero") << QStringLiteral("/a/ovti/金山演示0101/ov") << QStringLiteral("101") << QStringLiteral("/a/");
    QTest::newRow("not a question folder") << QStringLiteral("/usr/bin/pelquor-simulator") << QString() << QStringLiteral("/");
    QTest::newRow("no number") << QStringLiteral("/a/ovti/金山演示/ov") << QString() << QStringLiteral("/a/");
}

void TestSimulatorModel::questionFromStartedPath()
{
    QFETCH(QString, started);
    QFETCH(QString, th);
    QFETCH(QString, programFolder);
    QCOMPARE(StartPath::questionNumber(started), th);
    QCOMPARE(StartPath::programFolder(started), programFolder);
}

// A session of the six sample slides with these values set ("path = value").
static Session sessionWith(const QStringList &start)
{
    Document document = Document::sample(6);
    for (const QString &value : start)
        document.setValue(value.section(QStringLiteral(" = "), 0, 0), value.section(QStringLiteral(" = "), 1));
    return Session(document);
}

void TestSimulatorModel::shapesOnTheSlide_data()
{
    // The start's values, the actions (see sessionscript.h) and checks of the document.
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("checks");
    const QStringList twoShapes = {"slide5.自选图形 = 1", "slide5.自选图形2 = 1"};
    const QStringList framed = {"slide5.自选图形 = 1", "slide5.自选图形.位置 = 1,1", "slide5.自选图形.大小 = 2,2",
                                "slide5.自选图形2 = 1", "slide5.自选图形2.位置 = 6,3", "slide5.自选图形2.大小 = 2,4",
                                "slide5.自选图形3 = 1", "slide5.自选图形3.位置 = 12,2", "slide5.自选图形3.大小 = 3,1"};
    QTest::newRow("a picture lands in the middle") << QStringList{} << QStringList{"select 3", "run 图片 来源=来自文件"}
        << QStringList{"slide3.图片 = 1", "slide3.图片.位置 = 7.7,5.78", "slide3.图片.大小 = 10,7.5"};
    QTest::newRow("a placeholder dragged") << QStringList{} << QStringList{"select 2", "shape 标题", "moveshape 标题 2.5,12"}
        << QStringList{"slide2.标题.位置 = 2.5,12", "slide2.标题.大小 = 21.34,3.43", "slide2.正文.位置 = "};
    QTest::newRow("dragged to a corner, kept on the slide") << QStringList{} << QStringList{"select 3", "run 图片", "moveshape 图片 右下角"}
        << QStringList{"slide3.图片.位置 = 15.4,11.55", "slide3.图片.大小 = 10,7.5"};
    QTest::newRow("sized by a handle; the dialog's size follows") << QStringList{"slide3.图片 = 1", "slide3.图片.高度 = 6厘米"}
        << QStringList{"select 3", "shape 图片", "resize 图片 12,9"} << QStringList{"slide3.图片.大小 = 12,9", "slide3.图片.高度 = 9厘米"};
    // 重设 takes a picture back to its own look; a look set afterwards shows again.
    // The caret put into a text box by a click: a symbol goes after its text.
    QTest::newRow("a symbol into a text box") << QStringList{"slide3.文本框 = 1", "slide3.文本框.文字 = 重点"}
        << QStringList{"select 3", "shape 文本框", "run 符号 符号=☆ 字体=宋体"}
        << QStringList{"slide3.文本框.文字 = 重点☆", "slide3.符号.符号 = ☆"};
    QTest::newRow("a symbol with no caret anywhere") << QStringList{"slide3.文本框 = 1", "slide3.文本框.文字 = 重点"}
        << QStringList{"select 3", "run 符号 符号=☆ 字体=宋体"} << QStringList{"slide3.文本框.文字 = 重点"};
    QTest::newRow("a picture reset") << QStringList{"slide3.图片 = 1", "slide3.图片.图片颜色 = 灰度", "slide3.图片.亮度 = 增加一次"}
        << QStringList{"select 3", "shape 图片", "run 对象格式 重设=是"}
        << QStringList{"slide3.图片.重设 = 是", "slide3.图片.图片颜色 = ", "slide3.图片.亮度 = "};
    QTest::newRow("grey again after a reset") << QStringList{"slide3.图片 = 1", "slide3.图片.图片颜色 = 冲蚀"}
        << QStringList{"select 3", "shape 图片", "run 对象格式 重设=是", "run 对象格式 图片颜色=灰度"}
        << QStringList{"slide3.图片.重设 = ", "slide3.图片.图片颜色 = 灰度"};
    QTest::newRow("two text boxes drawn and typed into") << QStringList{}
        << QStringList{"select 1", "drawbox 1,1,5,2", "typeshape 文本框 甲", "drawbox 10,10,5,2", "typeshape 文本框2 乙"}
        << QStringList{"slide1.文本框 = 1", "slide1.文本框.文字 = 甲", "slide1.文本框2 = 1", "slide1.文本框2.文字 = 乙", "slide1.文本框2.位置 = 10,10"};
    QTest::newRow("the selected object deleted") << QStringList{"slide3.图片 = 1", "slide3.图片.线条颜色 = 红色"}
        << QStringList{"select 3", "shape 图片", "delete"} << QStringList{"slide3.图片 = ", "slide3.图片.线条颜色 = ", "slide3.title = 市场分析"};
    QTest::newRow("a placeholder deleted: its text goes") << QStringList{} << QStringList{"select 2", "shape 标题", "delete"}
        << QStringList{"slide2.title = ", "slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国"};
    QTest::newRow("a command without object acts on the selected shape") << QStringList{}
        << QStringList{"select 2", "drawbox 2,2,6,2", "run 对象格式 填充颜色=浅黄色"} << QStringList{"slide2.文本框.填充颜色 = 浅黄色"};
    QTest::newRow("two selected shapes grouped") << twoShapes
        << QStringList{"select 5", "shape 自选图形,自选图形2", "run 组合 操作=组合"}
        << QStringList{"slide5.自选图形.操作 = 组合", "slide5.自选图形2.操作 = 组合"};
    QTest::newRow("grouped, a shape moves its group along") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形2", "run 组合 操作=组合", "moveshape 自选图形 2,2"}
        << QStringList{"slide5.自选图形.组合 = 组合1", "slide5.自选图形2.组合 = 组合1", "slide5.自选图形.位置 = 2,2",
                       "slide5.自选图形2.位置 = 7,4", "slide5.自选图形3.位置 = 12,2"};
    QTest::newRow("a group sized by its handles scales its members") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形2", "run 组合 操作=组合", "sizegroup 自选图形2 1,1,14,12"}
        << QStringList{"slide5.自选图形.位置 = 1,1", "slide5.自选图形.大小 = 4,4", "slide5.自选图形2.位置 = 11,5",
                       "slide5.自选图形2.大小 = 4,8", "slide5.自选图形3.大小 = 3,1"};
    QTest::newRow("parted, then grouped again") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形2", "run 组合 操作=组合", "run 组合 对象=自选图形 操作=取消组合",
                       "select 4", "select 5", "moveshape 自选图形 2,2", "run 组合 对象=自选图形2 操作=重新组合"}
        << QStringList{"slide5.自选图形.操作 = 取消组合", "slide5.自选图形2.位置 = 6,3", "slide5.自选图形.组合 = 组合1",
                       "slide5.自选图形2.组合 = 组合1"};
    QTest::newRow("the selection dragged together") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形3", "moveshape 自选图形3 13,3"}
        << QStringList{"slide5.自选图形.位置 = 2,2", "slide5.自选图形2.位置 = 6,3", "slide5.自选图形3.位置 = 13,3"};
    QTest::newRow("Shift on a selected shape unselects it") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形3", "unshape 自选图形", "run 对象格式 填充颜色=红色"}
        << QStringList{"slide5.自选图形.填充颜色 = ", "slide5.自选图形3.填充颜色 = 红色"};
    QTest::newRow("tops lined up") << framed << QStringList{"select 5", "shape 自选图形,自选图形2,自选图形3", "run 对齐或分布 对齐=顶端对齐"}
        << QStringList{"slide5.自选图形.位置 = 1,1", "slide5.自选图形2.位置 = 6,1", "slide5.自选图形3.位置 = 12,1",
                       "slide5.自选图形.对齐 = 顶端对齐"};
    QTest::newRow("right edges lined up") << framed << QStringList{"select 5", "shape 自选图形,自选图形2,自选图形3", "run 对齐或分布 对齐=右对齐"}
        << QStringList{"slide5.自选图形.位置 = 13,1", "slide5.自选图形2.位置 = 13,3", "slide5.自选图形3.位置 = 12,2"};
    QTest::newRow("spread evenly across") << framed << QStringList{"select 5", "shape 自选图形,自选图形2,自选图形3", "run 对齐或分布 分布=横向分布"}
        << QStringList{"slide5.自选图形.位置 = 1,1", "slide5.自选图形2.位置 = 6.5,3", "slide5.自选图形3.位置 = 12,2"};
    QTest::newRow("centred on the slide") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形2,自选图形3", "run 对齐或分布 对齐=水平居中 相对于幻灯片=是"}
        << QStringList{"slide5.自选图形.位置 = 11.7,1", "slide5.自选图形2.位置 = 11.7,3", "slide5.自选图形3.位置 = 11.2,2",
                       "slide5.自选图形.相对于幻灯片 = "};
    QTest::newRow("one object lines up with the slide") << framed << QStringList{"select 5", "shape 自选图形", "run 对齐或分布 对齐=底端对齐"}
        << QStringList{"slide5.自选图形.位置 = 1,17.05", "slide5.自选图形2.位置 = 6,3"};
    QTest::newRow("two spread down the slide") << framed << QStringList{"select 5", "shape 自选图形,自选图形2", "run 对齐或分布 分布=纵向分布"}
        << QStringList{"slide5.自选图形.位置 = 1,0", "slide5.自选图形2.位置 = 6,15.05"};
    QTest::newRow("a group lined up as one object") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形2", "run 组合 操作=组合", "shape 自选图形,自选图形2,自选图形3",
                       "run 对齐或分布 对齐=左对齐"}
        << QStringList{"slide5.自选图形.位置 = 1,1", "slide5.自选图形2.位置 = 6,3", "slide5.自选图形3.位置 = 1,2"};
    QTest::newRow("turned by its handle, kept as the dialog keeps it") << framed
        << QStringList{"select 5", "rotate 自选图形 -30"} << QStringList{"slide5.自选图形.旋转 = 330度"};
    QTest::newRow("quarter turns go on from where it stands") << framed
        << QStringList{"select 5", "run 旋转或翻转 对象=自选图形 旋转=45度", "run 旋转或翻转 对象=自选图形 旋转=向右旋转90°",
                       "run 旋转或翻转 对象=自选图形 旋转=向右旋转90°", "run 旋转或翻转 对象=自选图形2 旋转=向左旋转90°"}
        << QStringList{"slide5.自选图形.旋转 = 225度", "slide5.自选图形2.旋转 = 270度"};
    QTest::newRow("flipped twice, as it was; each way on its own") << framed
        << QStringList{"select 5", "run 旋转或翻转 对象=自选图形 翻转=水平翻转", "run 旋转或翻转 对象=自选图形 翻转=水平翻转",
                       "run 旋转或翻转 对象=自选图形2 翻转=水平翻转", "run 旋转或翻转 对象=自选图形2 翻转=垂直翻转",
                       "run 旋转或翻转 对象=自选图形3 翻转=垂直翻转", "run 旋转或翻转 对象=自选图形3 翻转=水平翻转",
                       "run 旋转或翻转 对象=自选图形3 翻转=垂直翻转"}
        << QStringList{"slide5.自选图形.翻转 = ", "slide5.自选图形2.翻转 = 水平翻转、垂直翻转", "slide5.自选图形3.翻转 = 水平翻转"};
    QTest::newRow("a table moved keeps where rows go in") << QStringList{"slide3.表格 = 1", "slide3.表格.位置 = 第2行下方"}
        << QStringList{"select 3", "moveshape 表格 2,3", "run 表格属性 操作=插入一行 位置=第1行"}
        << QStringList{"slide3.表格.位置 = 第1行", "slide3.表格.坐标 = 2,3"};
    QTest::newRow("a copy of a grouped shape is in no group") << framed
        << QStringList{"select 5", "shape 自选图形,自选图形2", "run 组合 操作=组合", "run 复制对象 对象=自选图形", "run 粘贴对象",
                       "moveshape 自选图形 3,3"}
        << QStringList{"slide5.自选图形副本.组合 = ", "slide5.自选图形2.组合 = 组合1", "slide5.自选图形副本.位置 = 1,1",
                       "slide5.自选图形2.位置 = 8,5"};
    QTest::newRow("a table copied keeps where rows go in") << QStringList{"slide3.表格 = 1", "slide3.表格.位置 = 第2行下方"}
        << QStringList{"select 3", "moveshape 表格 2,3", "shape 表格", "run 复制", "select 4", "run 粘贴"}
        << QStringList{"slide4.表格.位置 = 第2行下方", "slide4.表格.坐标 = 2,3"};
    QTest::newRow("one shape is not grouped") << twoShapes << QStringList{"select 5", "shape 自选图形", "run 组合 操作=组合"}
        << QStringList{"slide5.自选图形.操作 = "};
    QTest::newRow("sent to the back") << QStringList{"slide2.图片 = 1"}
        << QStringList{"select 2", "shape 图片", "run 叠放次序 叠放次序=置于底层"}
        << QStringList{"slide2.图片.层次 = 1", "slide2.标题.层次 = 2", "slide2.正文.层次 = 3", "slide2.图片.叠放次序 = 置于底层"};
    QTest::newRow("a shape cut and pasted onto another slide") << QStringList{}
        << QStringList{"select 3", "run 图片", "shape 图片", "run 剪切", "select 4", "run 粘贴"}
        << QStringList{"count = 6", "slide3.图片 = ", "slide4.图片 = 1", "slide4.图片.位置 = 7.7,5.78"};
    QTest::newRow("a copy pasted on its slide lies beside it") << QStringList{}
        << QStringList{"select 3", "run 图片", "shape 图片", "run 复制", "run 粘贴"}
        << QStringList{"slide3.图片2 = 1", "slide3.图片2.位置 = 8.2,6.28", "slide3.图片.位置 = 7.7,5.78"};
    QTest::newRow("slides are copied again once no shape is selected") << QStringList{}
        << QStringList{"select 3", "run 图片", "shape 图片", "run 复制", "select 2", "run 复制", "run 粘贴"}
        << QStringList{"count = 7", "slide3.title = 公司概况"};
    QTest::newRow("the layout applied again puts the title back") << QStringList{}
        << QStringList{"select 2", "moveshape 标题 2,12", "run 幻灯片版式 版式=标题和文本"} << QStringList{"slide2.标题.位置 = ", "slide2.标题.大小 = "};
    QTest::newRow("a move is taken back") << QStringList{} << QStringList{"select 3", "run 图片", "moveshape 图片 1,1", "run 撤销"}
        << QStringList{"slide3.图片.位置 = 7.7,5.78"};
    QTest::newRow("another slide leaves no shape selected") << QStringList{"slide3.图片 = 1"}
        << QStringList{"select 3", "shape 图片", "select 4", "select 3", "run 对象格式 填充颜色=红色"} << QStringList{"slide3.图片.填充颜色 = "};
    QTest::newRow("a click into the text leaves no shape selected") << QStringList{"slide3.图片 = 1"}
        << QStringList{"select 3", "shape 图片", "edit body", "run 对象格式 填充颜色=红色"}
        << QStringList{"slide3.图片.填充颜色 = ", "slide3.正文.填充颜色 = 红色"};
}

void TestSimulatorModel::shapesOnTheSlide()
{
    QFETCH(QStringList, start);
    QFETCH(QStringList, actions);
    QFETCH(QStringList, checks);
    Session session = sessionWith(start);
    QCOMPARE(playScript(session, actions), QString());
    for (const QString &check : checks) {
        const QString path = check.section(QStringLiteral(" = "), 0, 0);
        QCOMPARE(path + QStringLiteral(" = ") + session.document().value(path), check);
    }
}

void TestSimulatorModel::positionGoals_data()
{
    // A goal on a shape's 位置 after the actions: a region word is met
    // wherever in that part of the slide the shape lies.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("goal");
    QTest::addColumn<bool>("met");
    const QStringList corner = {"select 3", "run 图片", "moveshape 图片 右下角"};
    QTest::newRow("in the corner dragged to") << corner << "slide3.图片.位置 = 右下角" << true;
    QTest::newRow("the lower right is 下方") << corner << "slide3.图片.位置 = 下方" << true;
    QTest::newRow("the lower right is 右侧") << corner << "slide3.图片.位置 = 右侧" << true;
    QTest::newRow("the lower right is not 左下角") << corner << "slide3.图片.位置 = 左下角" << false;
    QTest::newRow("the middle is no corner") << QStringList{"select 3", "run 图片"} << "slide3.图片.位置 = 右下角" << false;
    QTest::newRow("the middle is 中央") << QStringList{"select 3", "run 图片"} << "slide3.图片.位置 = 中央" << true;
    QTest::newRow("dragged by numbers") << QStringList{"select 3", "run 图片", "moveshape 图片 0.5,0.5"} << "slide3.图片.位置 = 左上角" << true;
    QTest::newRow("exact numbers") << QStringList{"select 3", "run 图片", "moveshape 图片 2,3"} << "slide3.图片.位置 = 2,3" << true;
    QTest::newRow("the dialog's word") << QStringList{"select 1", "run 对象格式 对象=副标题 位置=下方"} << "slide1.副标题.位置 = 下方" << true;
    QTest::newRow("the dialog's other word") << QStringList{"select 1", "run 对象格式 对象=副标题 位置=上方"} << "slide1.副标题.位置 = 下方" << false;
    QTest::newRow("never moved") << QStringList{} << "slide1.副标题.位置 = 下方" << false;
    QTest::newRow("another shape moved") << QStringList{"select 1", "moveshape 标题 下方"} << "slide1.副标题.位置 = 下方" << false;
}

void TestSimulatorModel::positionGoals()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, goal);
    QFETCH(bool, met);
    Session session;
    QCOMPARE(playScript(session, actions), QString());
    Task task;
    task.goal = {TaskCheck{goal.section(QStringLiteral(" = "), 0, 0), goal.section(QStringLiteral(" = "), 1)}};
    QCOMPARE(task.isMet(session.document()), met);
}

QTEST_GUILESS_MAIN(TestSimulatorModel)
#include "tst_simulatormodel.moc"
