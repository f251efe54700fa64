#include "commands.h"

namespace {

using Effect = CommandSpec::Effect;

QStringList list(const char *items)
{
    return QString::fromUtf8(items).split(u' ', Qt::SkipEmptyParts);
}

FieldSpec field(const char *name, const char *choices = "")
{
    return FieldSpec{QString::fromUtf8(name), list(choices)};
}

const char *layouts = "标题幻灯片 只有标题 标题和文本 标题和两栏文本 标题和竖排文字 垂直排列标题与文本 "
                      "标题和内容 标题和表格 标题，文本与图表 标题，文本与剪贴画 标题，剪贴画与文本 "
                      "标题和组织结构图 空白";
const char *objects = "标题 正文 副标题 文本框 图片 艺术字 自选图形 表格 图表 组织结构图";
const char *colors = "黑色 红色 蓝色 绿色 黄色 白色 灰色 深蓝色 深红色 浅黄色 浅绿色 浅蓝色 浅灰色 橙色 金色";
const char *scope = "应用 全部应用";

QList<CommandSpec> buildTable()
{
    QList<CommandSpec> t;
    auto add = [&t](const char *menu, const char *id, Effect effect, const char *prefix,
                    QList<FieldSpec> fields, const char *shortcut = "", bool marks = false) {
        CommandSpec spec;
        spec.menu = QString::fromUtf8(menu);
        spec.id = QString::fromUtf8(id);
        spec.effect = effect;
        spec.prefix = QString::fromUtf8(prefix);
        spec.fields = std::move(fields);
        spec.shortcut = QString::fromUtf8(shortcut);
        spec.marksObject = marks;
        t.append(spec);
    };
    const Effect S = Effect::SlideAttributes;
    const Effect D = Effect::DocumentSettings;

    add("文件", "新建", D, "新建", {field("模板", "空演示文稿 通用 根据现有演示文稿")}, "Ctrl+N");
    add("文件", "打开", D, "打开", {field("文件名"), field("打开方式", "打开 以只读方式打开 以副本方式打开")}, "Ctrl+O");
    add("文件", "关闭", D, "关闭", {field("保存修改", "是 否")});
    add("文件", "保存", D, "保存", {field("文件名")}, "Ctrl+S");
    add("文件", "另存为", D, "另存为", {field("文件名"), field("保存类型", "金山演示文件（*.dps） PPT 文件（*.ppt） 模板文件（*.dpt） 网页（*.htm） 放映文件 JPEG PNG RTF")});
    add("文件", "另存为网页", D, "另存为网页", {field("文件名"), field("网页标题")});
    add("文件", "输出为PDF", D, "输出为PDF", {field("文件名")});
    add("文件", "打包", D, "打包", {field("方式", "打包到文件夹 打包成CD"), field("名称"), field("包含", "链接的文件 嵌入的字体 链接的文件和嵌入的字体")});
    add("文件", "页面设置", D, "页面设置", {field("幻灯片大小", "全屏显示（4：3） A4纸张 自定义"), field("宽度"), field("高度"), field("方向", "横向 纵向"), field("备注、讲义和大纲方向", "横向 纵向"), field("起始编号")});
    add("文件", "打印预览", D, "打印预览", {field("打印内容", "幻灯片 讲义（每页4张幻灯片） 备注页 大纲视图")});
    add("文件", "打印", D, "打印", {field("打印范围", "全部 当前幻灯片 幻灯片"), field("幻灯片"), field("份数", "1 2 3"), field("逐份打印", "是 否"), field("打印内容", "幻灯片 讲义 备注页 大纲视图"), field("每页幻灯片数", "2 3 4 6 9"), field("顺序", "水平 垂直"), field("颜色", "颜色 灰度 纯黑白"), field("选项", "幻灯片加框 根据纸张调整大小 打印隐藏幻灯片")}, "Ctrl+P");
    add("文件", "属性", D, "属性", {field("标题"), field("作者"), field("单位"), field("关键词"), field("权限密码"), field("修改密码")});
    add("文件", "退出", D, "退出", {field("保存修改", "是 否")});

    add("编辑", "撤销", D, "撤销", {}, "Ctrl+Z");
    add("编辑", "恢复", D, "恢复", {}, "Ctrl+Y");
    add("编辑", "剪切", Effect::Cut, "", {}, "Ctrl+X");
    add("编辑", "复制", Effect::Copy, "", {}, "Ctrl+C");
    add("编辑", "粘贴", Effect::Paste, "", {}, "Ctrl+V");
    add("编辑", "全选", D, "全选", {}, "Ctrl+A");
    add("编辑", "删除幻灯片", Effect::DeleteSlide, "", {});
    add("编辑", "查找", D, "查找", {field("查找内容")}, "Ctrl+F");
    add("编辑", "替换", D, "替换", {field("查找内容"), field("替换为"), field("区分大小写", "是 否"), field("替换字体", "是 否")}, "Ctrl+H");

    add("视图", "普通", Effect::View, "", {});
    add("视图", "幻灯片浏览", Effect::View, "", {});
    add("视图", "备注页", Effect::View, "", {});
    add("视图", "母版", D, "母版", {field("母版类型", "幻灯片母版 标题母版 讲义母版 备注母版"), field("对象", "标题样式 第一级文本 副标题样式 日期区 备注文本 文本框"), field("设置")});
    add("视图", "大纲", S, "大纲", {field("操作", "升级 降级 上移 下移 折叠 展开 显示格式"), field("内容")});
    add("视图", "任务窗格", D, "任务窗格", {field("任务窗格", "新建演示文稿 幻灯片版式 剪贴板 自定义动画 关闭")}, "Ctrl+F1");
    add("视图", "工具栏", D, "工具栏", {field("工具栏", "常用 格式 绘图 大纲 状态栏"), field("显示", "显示 隐藏")});
    add("视图", "标尺", D, "标尺", {field("显示", "显示 隐藏")});
    add("视图", "网格和参考线", D, "网格", {field("显示网格", "是 否"), field("间距", "0.2厘米 0.5厘米 1厘米")});
    add("视图", "显示比例", D, "显示比例", {field("比例", "400% 200% 150% 100% 75% 66% 50% 33% 适应窗口大小")});
    add("视图", "页眉和页脚", D, "页眉和页脚", {field("日期和时间", "自动更新 固定"), field("日期格式"), field("幻灯片编号", "是 否"), field("页脚"), field("标题幻灯片中不显示", "是 否"), field("备注和讲义页眉"), field("页码", "是 否"), field("应用范围", scope)});

    add("插入", "新幻灯片", Effect::InsertSlide, "", {field("版式", layouts)}, "Ctrl+M");
    add("插入", "幻灯片副本", Effect::DuplicateSlide, "", {});
    add("插入", "幻灯片（从文件）", D, "重用幻灯片", {field("文件"), field("幻灯片", "全部 第1张 第2张 第3张")});
    add("插入", "日期和时间", S, "日期", {field("格式"), field("自动更新", "是 否")});
    add("插入", "幻灯片编号", S, "幻灯片编号", {field("插入", "是")});
    add("插入", "符号", S, "符号", {field("符号", "® ☆ ★ √ ◆ ■"), field("字体", "宋体 Wingdings Symbol")});
    add("插入", "图片", S, "图片", {field("来源", "来自文件 剪贴画"), field("名称")}, "", true);
    add("插入", "艺术字", S, "艺术字", {field("样式"), field("文字"), field("字体", "宋体 黑体 隶书 楷体_GB2312"), field("字号")}, "", true);
    add("插入", "自选图形", S, "自选图形", {field("形状", "矩形 圆角矩形 椭圆 正圆 笑脸 右箭头 五角星 直线 云形标注"), field("填充颜色", colors), field("宽度"), field("高度"), field("文字")}, "", true);
    add("插入", "文本框", S, "文本框", {field("方向", "横排 竖排"), field("文字")}, "", true);
    add("插入", "影片和声音", S, "媒体", {field("类型", "声音 影片"), field("文件"), field("播放", "自动 单击时"), field("循环播放", "是 否")}, "", true);
    add("插入", "图表", S, "图表", {field("类型", "簇状柱形图 饼图 折线图 条形图"), field("设置")}, "", true);
    add("插入", "表格", S, "表格", {field("行数", "2 3 4 5"), field("列数", "2 3 4 5"), field("设置")}, "", true);
    add("插入", "组织结构图", S, "组织结构图", {field("设置")}, "", true);
    add("插入", "对象", S, "对象", {field("类型", "由文件创建 金山表格"), field("文件")}, "", true);
    add("插入", "超链接", S, "超链接", {field("对象", objects), field("链接到", "网址 本文档中的位置 文件 电子邮件地址 删除链接"), field("地址"), field("屏幕提示")}, "Ctrl+K");

    add("格式", "字体", S, "", {field("对象", objects), field("中文字体", "宋体 黑体 隶书 楷体_GB2312 仿宋_GB2312 华文行楷"), field("西文字体", "Arial Times New Roman"), field("字号", "18 20 24 28 32 36 40 44 48 54"), field("字形", "常规 加粗 倾斜 加粗倾斜"), field("颜色", colors), field("下划线", "无 单线"), field("效果", "阴影 阴文 上标 下标")});
    add("格式", "项目符号和编号", S, "", {field("对象", objects), field("项目符号", "无 ■ ◆ √ 1. 2. 3. 一、二、三、 A. B. C."), field("颜色", colors), field("大小")});
    add("格式", "对齐方式", S, "", {field("对象", objects), field("对齐", "左对齐 居中对齐 右对齐 两端对齐 分散对齐")});
    add("格式", "行距", S, "", {field("对象", objects), field("行距"), field("段前"), field("段后")});
    add("格式", "幻灯片版式", Effect::SlideLayout, "", {field("版式", layouts)});
    add("格式", "幻灯片设计", S, "", {field("设计模板", "通用 商务 古典 蓝色经典"), field("配色方案"), field("动画方案"), field("应用范围", scope)});
    add("格式", "背景", S, "背景", {field("填充", "浅绿色 蓝色 浅灰色 单色渐变 双色渐变 预设 纹理 图案 图片"), field("设置"), field("忽略母版的背景图形", "是 否"), field("应用范围", scope)});
    add("格式", "对象格式", S, "", {field("对象", objects), field("格式")});

    add("工具", "选项", D, "选项", {field("选项卡", "常规 视图 编辑 保存 拼写检查 安全性"), field("设置"), field("值")});
    add("工具", "自定义", D, "自定义", {field("工具栏"), field("命令")});

    add("幻灯片放映", "观看放映", Effect::Show, "", {field("从", "第一张 当前幻灯片")}, "F5");
    add("幻灯片放映", "设置放映方式", D, "放映方式", {field("放映类型", "演讲者放映（全屏幕） 观众自行浏览（窗口） 在展台浏览（全屏幕）"), field("放映幻灯片"), field("放映选项", "循环放映，按Esc键终止 放映时不加旁白 放映时不加动画"), field("绘图笔颜色", colors), field("换片方式", "人工 如果存在排练时间，则使用它"), field("其他")});
    add("幻灯片放映", "排练计时", D, "排练计时", {field("保留排练时间", "是 否"), field("设置")});
    add("幻灯片放映", "放映控制", D, "放映控制", {field("操作")});
    add("幻灯片放映", "动作按钮", S, "动作按钮", {field("按钮", "第一张 前进或下一项 后退或前一项 自定义"), field("动作")}, "", true);
    add("幻灯片放映", "动作设置", S, "动作设置", {field("对象", objects), field("动作")});
    add("幻灯片放映", "动画方案", S, "", {field("动画方案", "依次渐变 向内溶解 标题弧线 无动画"), field("应用范围", scope)});
    add("幻灯片放映", "自定义动画", S, "动画", {field("对象", objects), field("类别", "进入 强调 退出 动作路径"), field("效果", "飞入 百叶窗 擦除 盒状 出现 渐变 螺旋飞入 棋盘 缓慢进入 放大/缩小 陀螺旋 飞出 消失 切出"), field("方向"), field("速度", "非常慢 慢速 中速 快速 非常快"), field("开始", "单击时 之前 之后"), field("其他")});
    add("幻灯片放映", "幻灯片切换", S, "切换", {field("效果", "无切换 水平百叶窗 盒状收缩 随机 向下插入 溶解 新闻快报 向右擦除 横向棋盘式 水平梳理 上下收缩 圆形"), field("速度", "慢速 中速 快速"), field("声音", "无声音 风铃 打字机 鼓声 照相机 鼓掌"), field("换片方式"), field("应用范围", scope)});
    add("幻灯片放映", "隐藏幻灯片", Effect::HideSlide, "", {});
    add("幻灯片放映", "自定义放映", D, "自定义放映", {field("名称"), field("幻灯片"), field("操作", "新建 编辑 删除 复制 放映")});

    add("窗口", "新建窗口", D, "新建窗口", {field("排列", "层叠 水平平铺")});
    add("窗口", "全部重排", D, "全部重排", {field("方式", "层叠 水平平铺"), field("切换到")});

    add("帮助", "金山演示帮助", D, "帮助", {field("搜索")}, "F1");
    add("帮助", "关于金山演示", D, "关于", {});
    return t;
}

} // namespace

const FieldSpec *CommandSpec::field(const QString &name) const
{
    for (const FieldSpec &f : fields)
        if (f.name == name)
            return &f;
    return nullptr;
}

namespace Commands {

const QList<CommandSpec> &all()
{
    static const QList<CommandSpec> table = buildTable();
    return table;
}

const CommandSpec *find(const QString &id)
{
    for (const CommandSpec &spec : all())
        if (spec.id == id)
            return &spec;
    return nullptr;
}

QStringList menus()
{
    return list("文件 编辑 视图 插入 格式 工具 幻灯片放映 窗口 帮助");
}

} // namespace Commands
