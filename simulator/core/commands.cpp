#include "commands.h"

#include <QHash>
#include <QRegularExpression>

namespace {

using Effect = CommandSpec::Effect;

QStringList list(const char *items)
{
    // Choices are separated by spaces, or by "|" when a choice holds a space.
    const QString text = QString::fromUtf8(items);
    return text.split(text.contains(u'|') ? u'|' : u' ', Qt::SkipEmptyParts);
}

FieldSpec field(const char *name, const char *choices = "")
{
    return FieldSpec{QString::fromUtf8(name), list(choices)};
}

const char *layouts = "标题幻灯片 只有标题 标题和文本 标题和两栏文本 标题和竖排文字 垂直排列标题与文本 "
                      "标题和内容 标题和表格 标题，文本与图表 标题，文本与剪贴画 标题，剪贴画与文本 "
                      "标题和组织结构图 空白";
const char *objects = "标题 正文 副标题 文本框 文本占位符 图片 艺术字 自选图形 表格 图表 组织结构图 影片 声音";
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

    add("文件", "新建", Effect::NewPresentation, "新建", {field("模板", "空白演示文稿 通用 根据现有演示文稿"), field("文件名")}, "Ctrl+N");
    add("文件", "打开", D, "打开", {field("文件名"), field("打开方式", "打开 以只读方式打开 以副本方式打开")}, "Ctrl+O");
    add("文件", "关闭", D, "关闭", {field("保存修改", "是 否")});
    add("文件", "保存", D, "保存", {field("文件名")}, "Ctrl+S");
    // Saved as a picture type, the editor asks once 保存 was pressed whether
    // every slide or only the current one becomes a picture.
    add("文件", "另存为", D, "另存为", {field("文件名"), field("保存类型", "金山演示文件（*.dps）|PPT 文件（*.ppt）|模板文件（*.dpt）|网页（*.htm）|放映文件（*.dps）|JPEG 文件交换格式（*.jpg）|PNG 可移植网络图形格式（*.png）|RTF 大纲文件（*.rtf）"),
                                       field("导出", "每张幻灯片 仅当前幻灯片")});
    t.last().askedAfterOk = QStringLiteral("导出");
    add("文件", "另存为网页", D, "另存为网页", {field("文件名"), field("网页标题")});
    add("文件", "网页预览", D, "网页预览", {});
    add("文件", "输出为PDF", D, "输出为PDF", {field("文件名")});
    add("文件", "打包", D, "打包", {field("方式", "文件夹 CD"), field("名称"), field("包含", "链接的文件 嵌入的字体 链接的文件和嵌入的字体")});
    add("文件", "页面设置", D, "页面设置", {field("幻灯片大小", "全屏显示（4：3） A4纸张 自定义"), field("宽度"), field("高度"), field("方向", "横向 纵向"), field("备注、讲义和大纲的方向", "横向 纵向"), field("起始值")});
    add("文件", "打印预览", D, "打印预览", {field("打印内容", "幻灯片 讲义（每页2张幻灯片） 讲义（每页4张幻灯片） 讲义（每页6张幻灯片） 备注页 大纲视图")});
    add("文件", "打印", D, "打印", {field("打印范围", "全部 当前幻灯片 幻灯片"), field("幻灯片"), field("份数", "1 2 3"), field("逐份打印", "是 否"), field("打印内容", "幻灯片 讲义 备注页 大纲视图"), field("每页幻灯片数", "2 3 4 6 9"), field("顺序", "水平 垂直"), field("颜色", "颜色 灰度 纯黑白"), field("选项", "幻灯片加框 根据纸张调整大小 打印隐藏幻灯片")}, "Ctrl+P");
    add("文件", "属性", D, "属性", {field("标题"), field("作者"), field("单位"), field("关键词")});
    // The files used last, listed at the foot of the 文件 menu: a click opens one.
    add("文件", "最近使用的文件", D, "打开", {field("文件名", "年度总结.dps 产品介绍.dps 销售报告.dps 蓝色经典.dpt")});
    add("文件", "退出", D, "退出", {field("保存修改", "是 否")});

    add("编辑", "撤销", D, "撤销", {}, "Ctrl+Z");
    add("编辑", "恢复", D, "恢复", {}, "Ctrl+Y");
    add("编辑", "剪切", Effect::Cut, "", {}, "Ctrl+X");
    add("编辑", "复制", Effect::Copy, "", {}, "Ctrl+C");
    add("编辑", "粘贴", Effect::Paste, "", {}, "Ctrl+V");
    add("编辑", "选择性粘贴", S, "选择性粘贴", {field("形式", "金山演示对象 图片 无格式文本 HTML格式"), field("方式", "粘贴 粘贴链接")}, "", true);
    add("编辑", "全选", Effect::SelectAll, "全选", {}, "Ctrl+A");
    add("编辑", "清除", S, "清除", {field("对象", objects), field("清除", "格式 内容 全部")});
    add("编辑", "删除幻灯片", Effect::DeleteSlide, "", {});
    add("编辑", "编辑声音对象", S, "媒体", {field("循环播放", "是 否"), field("放映时隐藏声音图标", "是 否")});
    add("编辑", "编辑影片对象", S, "媒体", {field("循环播放", "是 否"), field("播放完毕后返回开头", "是 否")});
    add("编辑", "复制对象", Effect::CopyObject, "", {field("对象", objects)});
    add("编辑", "粘贴对象", Effect::PasteObject, "", {});
    add("编辑", "查找", Effect::FindReplace, "查找", {field("查找内容"), field("区分大小写", "是 否"), field("全字匹配", "是 否")}, "Ctrl+F");
    add("编辑", "替换", Effect::FindReplace, "替换", {field("查找内容"), field("替换为"), field("区分大小写", "是 否"), field("全字匹配", "是 否"), field("替换字体", "是 否")}, "Ctrl+H");

    add("视图", "普通", Effect::View, "", {});
    add("视图", "幻灯片浏览", Effect::View, "", {});
    add("视图", "备注页", Effect::View, "", {});
    add("视图", "颜色/灰度", D, "颜色/灰度", {field("显示", "颜色 灰度 纯黑白")});
    // The master views (视图 → 母版) and the way back from them.
    add("视图", "幻灯片母版", Effect::View, "", {});
    add("视图", "讲义母版", Effect::View, "", {});
    add("视图", "备注母版", Effect::View, "", {});
    add("视图", "标题母版", Effect::View, "", {});
    add("视图", "关闭母版视图", Effect::View, "", {});
    add("视图", "母版", D, "母版", {field("母版类型", "幻灯片母版 标题母版 讲义母版 备注母版"), field("对象", "标题样式 第一级文本 副标题样式 日期区 页脚区 数字区 页眉区 备注文本 文本占位符"), field("中文字体", "宋体 黑体 隶书 楷体_GB2312"), field("字号"), field("字形", "常规 加粗 倾斜"), field("颜色", colors), field("项目符号", "■ ◆ √"), field("行距"), field("文本框"), field("讲义幻灯片数", "2 3 4 6 9"), field("设置")});
    add("视图", "大纲", S, "大纲", {field("操作", "提升 降级 上移 下移 折叠 展开 全部折叠 全部展开 显示格式 删除"), field("内容")});
    add("视图", "左侧窗格", D, "左侧窗格", {field("显示", "显示 关闭"), field("选项卡", "幻灯片 大纲")});
    add("视图", "任务窗格", D, "任务窗格", {}, "Ctrl+F1");
    add("视图", "工具栏", D, "工具栏", {field("工具栏", "常用 格式 绘图 大纲 图片 艺术字 表格和边框 状态栏"), field("显示", "显示 隐藏"), field("位置", "顶部 底部 左侧 右侧 浮动")});
    add("视图", "标尺", D, "标尺", {field("显示", "显示 隐藏")});
    add("视图", "网格和参考线", D, "网格", {field("显示网格", "是 否"), field("间距", "0.2厘米 0.5厘米 1厘米"), field("对象与网格对齐", "是 否"), field("显示绘图参考线", "是 否")});
    add("视图", "全屏显示", Effect::FullScreen, "全屏显示", {});
    add("视图", "显示比例", D, "显示比例", {field("比例", "400% 200% 150% 100% 75% 66% 50% 33% 适应窗口大小")});
    add("视图", "页眉和页脚", D, "页眉和页脚", {field("日期和时间", "自动更新 固定"), field("日期格式"), field("固定日期"), field("幻灯片编号", "是 否"), field("页脚"), field("标题幻灯片中不显示", "是 否"), field("备注和讲义页眉"), field("页码", "是 否"), field("应用范围", scope)});

    add("插入", "新幻灯片", Effect::InsertSlide, "", {field("版式", layouts)}, "Ctrl+M");
    add("插入", "幻灯片副本", Effect::DuplicateSlide, "", {});
    add("插入", "幻灯片（从文件）", Effect::InsertFromFile, "", {field("文件"), field("幻灯片", "全部 第1张 第2张 第3张")});
    add("插入", "日期和时间", S, "日期", {field("格式"), field("自动更新", "是 否")});
    add("插入", "幻灯片编号", S, "幻灯片编号", {field("插入", "是")});
    add("插入", "符号", S, "符号", {field("符号", "® © ™ ☆ ★ √ ◆ ■"), field("字体", "宋体 Wingdings Symbol")});
    add("插入", "图片", S, "图片", {field("来源", "来自文件 剪贴画"), field("名称")}, "", true);
    // The clip art task pane: its search boxes choose, a click on a clip inserts it as a 图片 (see Session::run).
    add("插入", "剪贴画", S, "剪贴画", {field("搜索文字"), field("搜索范围", "所有收藏集 我的收藏集 共享收藏集"), field("结果类型", "所有媒体文件类型 剪贴画 照片 影片 声音"), field("名称")});
    add("插入", "艺术字", S, "艺术字", {field("样式"), field("文字"), field("字体", "宋体 黑体 隶书 楷体_GB2312"), field("字号")}, "", true);
    add("插入", "自选图形", S, "自选图形", {field("形状", "矩形 圆角矩形 椭圆 正圆 笑脸 右箭头 五角星 直线 云形标注"), field("填充颜色", colors), field("填充效果"), field("线条颜色", colors), field("线条粗细"), field("宽度"), field("高度"), field("文字"), field("箭头样式", "无 末端箭头 始端箭头 双向箭头")}, "", true);
    add("插入", "文本框", S, "文本框", {field("方向", "横排 竖排"), field("文字")}, "", true);
    // 插入 → 影片和声音: the submenu's entry says which kind, the file dialog
    // which file; how it starts playing is asked after 确定. Its further
    // options are the inserted object's (its context menu).
    add("插入", "影片和声音", S, "媒体", {field("类型", "声音 影片"), field("文件"), field("播放", "自动 单击时")}, "", true);
    t.last().askedAfterOk = QStringLiteral("播放");
    add("插入", "图表", S, "图表", {field("类型", "簇状柱形图 饼图 折线图 条形图"), field("设置")}, "", true);
    add("插入", "表格", S, "表格", {field("行数", "2 3 4 5"), field("列数", "2 3 4 5"), field("设置"), field("单元格"), field("内容")}, "", true);
    add("插入", "组织结构图", S, "组织结构图", {field("设置")}, "", true);
    add("插入", "对象", S, "对象", {field("类型", "由文件创建 金山表格"), field("文件")}, "", true);
    add("插入", "超链接", S, "超链接", {field("对象", objects), field("文字"), field("链接到", "网址 本文档中的位置 文件 电子邮件地址 删除链接"), field("地址"), field("屏幕提示")}, "Ctrl+K");
    add("插入", "批注", S, "批注", {field("内容")}, "", true);

    add("格式", "字体", S, "", {field("对象", objects), field("中文字体", "宋体 黑体 隶书 楷体_GB2312 仿宋_GB2312 华文行楷"), field("选中文字"), field("西文字体", "Arial|Times New Roman|Courier New"), field("字号", "14 16 18 20 24 28 32 36 40 44 48 54"), field("字形", "常规 加粗 倾斜 加粗倾斜"), field("颜色", colors), field("下划线", "无 单线"), field("下划线颜色", colors), field("效果", "无 阴影 阴文 上标 下标")});
    add("格式", "项目符号和编号", S, "", {field("对象", objects), field("项目符号", "无|■|◆|√|图片|1. 2. 3.|一、二、三、|A. B. C."), field("图片"), field("字体", "宋体 Wingdings Symbol"), field("颜色", colors), field("大小"), field("起始编号")});
    add("格式", "对齐方式", S, "", {field("对象", objects), field("对齐", "左对齐 居中对齐 右对齐 两端对齐 分散对齐"), field("垂直对齐", "顶端对齐 垂直居中对齐 底端对齐")});
    add("格式", "行距", S, "", {field("对象", objects), field("行距"), field("段前"), field("段后")});
    add("格式", "段落", S, "", {field("对象", objects), field("段落"), field("首行缩进"), field("缩进", "增加一级 减少一级")});
    add("格式", "更改大小写", S, "", {field("对象", objects), field("大小写", "句首字母大写 全部小写 全部大写 词首字母大写 切换大小写")});
    add("格式", "字符间距", S, "", {field("对象", objects), field("间距", "标准 加宽 紧缩"), field("度量值")});
    add("格式", "中文版式", S, "", {field("对象", objects), field("选项", "按中文习惯控制首尾字符 允许标点溢出边界 允许西文在单词中间换行")});
    add("格式", "幻灯片版式", Effect::SlideLayout, "", {field("版式", layouts)});
    add("格式", "幻灯片设计", S, "", {field("设计模板", "通用 商务 古典 蓝色经典"), field("配色方案", "第一种 第二种 第三种 第四种"), field("配色项目", "背景 文本和线条 阴影 标题文本 填充 强调"), field("颜色", colors), field("操作", "添加为标准配色方案"), field("应用范围", scope)});
    add("格式", "背景", S, "背景", {field("填充", "自动 浅绿色 蓝色 浅灰色 单色渐变 双色渐变 预设 纹理 图案 图片"), field("设置"), field("忽略母版的背景图形", "是 否"), field("应用范围", scope)});
    add("格式", "替换字体", Effect::ReplaceFont, "替换字体", {field("替换", "宋体 黑体 隶书 楷体_GB2312 仿宋_GB2312 华文行楷"), field("替换为", "宋体 黑体 隶书 楷体_GB2312 仿宋_GB2312 华文行楷")});
    add("格式", "对象格式", S, "", {field("对象", objects), field("填充颜色", colors), field("线条颜色", colors), field("线型", "实线 虚线"), field("线条粗细"), field("高度"), field("宽度"), field("旋转"), field("锁定纵横比", "是 否"), field("位置", "上方 下方 左侧 右侧 中央"), field("图片颜色", "自动 灰度 黑白 冲蚀"), field("裁剪"), field("亮度"), field("对比度"), field("重设", "是 否"), field("内部边距"), field("文字方向", "横排 竖排"), field("自动换行", "是 否"), field("自动适应文字", "是 否"), field("默认格式", "是 否"), field("形状", "波形1 波形2 细上弯弧 粗下弯弧"), field("格式"), field("箭头样式", "无 末端箭头 始端箭头 双向箭头")});
    add("格式工具栏", "增大字号", Effect::FontSize, "", {field("对象", objects)});
    add("格式工具栏", "减小字号", Effect::FontSize, "", {field("对象", objects)});
    add("格式工具栏", "格式刷", Effect::FormatPainter, "", {field("对象", objects), field("目标幻灯片"), field("目标对象", objects)});
    add("绘图", "叠放次序", S, "", {field("对象", objects), field("叠放次序", "置于顶层 置于底层 上移一层 下移一层 置于文字上方 置于文字下方")});
    add("绘图", "组合", S, "", {field("对象", objects), field("操作", "组合 取消组合 重新组合")});
    add("绘图", "对齐或分布", S, "", {field("对象", objects), field("对齐", "左对齐 水平居中 右对齐 顶端对齐 垂直居中 底端对齐"), field("分布", "横向分布 纵向分布"), field("相对于幻灯片", "是 否")});
    add("绘图", "旋转或翻转", S, "", {field("对象", objects), field("旋转"), field("翻转", "水平翻转 垂直翻转")});
    add("绘图", "阴影", S, "", {field("对象", objects), field("阴影样式")});
    add("绘图", "三维效果", S, "", {field("对象", objects), field("三维效果样式")});
    add("格式", "表格属性", S, "表格", {field("操作", "插入一行 插入一列 删除 合并 拆分"), field("位置"), field("拆分为"), field("外边框"), field("线条颜色", colors), field("线型", "实线 虚线"), field("填充颜色", colors), field("文字对齐", "水平居中 垂直居中 水平和垂直均居中 顶端对齐 底端对齐")});
    // The picture and WordArt toolbars' own commands.
    add("图片工具栏", "压缩图片", S, "", {field("对象", objects), field("更改分辨率", "网页/屏幕 打印 不更改"), field("压缩图片", "是 否"), field("删除图片的剪裁区域", "是 否")});
    add("图片工具栏", "设置透明色", S, "", {field("对象", objects), field("透明色", "是 否")});
    add("艺术字工具栏", "艺术字字母高度相同", S, "", {field("对象", objects), field("字母高度相同", "是 否")});
    add("艺术字工具栏", "艺术字对齐方式", S, "", {field("对象", objects), field("对齐方式", "左对齐 居中 右对齐 单词调整 字母调整 延伸调整")});
    add("艺术字工具栏", "艺术字字符间距", S, "", {field("对象", objects), field("字符间距", "很紧 紧密 常规 稀疏 很松")});
    add("格式", "图表选项", S, "图表", {field("图表类型", "簇状柱形图 饼图 折线图 条形图"), field("单元格"), field("数据"), field("图表标题"), field("图例位置", "底部 右侧 顶部 左侧"), field("数据标签", "值 百分比 类别名称")});
    add("格式", "组织结构图格式", S, "组织结构图", {field("选中"), field("添加", "下属 同事 助手"), field("数量"), field("版式", "标准 两边悬挂 左悬挂 右悬挂")});

    // The settings of the program, on the tabs of the 选项 dialog; the
    // passwords of 安全性 are the presentation's, taken on when it is saved.
    add("工具", "选项", D, "选项", {field("最近使用的文件列表", "4 6 9"), field("提供声音反馈", "是 否"), field("度量单位", "厘米 英寸 毫米 磅"),
                                   field("显示任务窗格", "是 否"), field("显示状态栏", "是 否"), field("最多可取消操作数", "20 50 100"),
                                   field("自动保存", "5 10 15"), field("生成备份文件", "是 否"),
                                   field("默认保存格式", "金山演示文件（*.dps）|PPT 文件（*.ppt）|模板文件（*.dpt）"),
                                   field("检查拼写", "是 否"), field("打开权限密码"), field("修改权限密码")});
    add("工具", "拼写检查", D, "拼写检查", {field("不在词典中"), field("更改为"), field("操作", "忽略 全部忽略 更改 全部更改 添加")}, "F7");
    add("工具", "自动更正选项", D, "自动更正", {field("替换"), field("替换为"), field("键入时自动替换", "是 否")});
    add("工具", "自定义", D, "自定义", {field("工具栏", "常用 格式 绘图"), field("命令")});

    add("幻灯片放映", "观看放映", Effect::Show, "第一张", {}, "F5");
    add("幻灯片放映", "从当前幻灯片开始", Effect::Show, "当前幻灯片", {}, "Shift+F5");
    add("幻灯片放映", "设置放映方式", D, "放映方式", {field("放映类型", "演讲者放映（全屏幕） 观众自行浏览（窗口） 在展台浏览（全屏幕）"), field("放映幻灯片", "全部 从 自定义放映"), field("从"), field("到"), field("自定义放映"), field("放映选项", "循环放映，按Esc键终止 放映时不加旁白 放映时不加动画 使用硬件图形加速"), field("显示状态栏", "是 否"), field("绘图笔颜色", colors), field("换片方式", "人工 如果存在排练时间，则使用它"), field("其他")});
    add("幻灯片放映", "排练计时", Effect::Rehearsal, "排练计时", {});
    add("幻灯片放映", "排练时间", D, "排练计时", {field("操作", "清除 查看")});
    add("幻灯片放映", "录制旁白", D, "录制旁白", {field("链接旁白", "是 否"), field("排练时间", "保存 不保存")});
    add("幻灯片放映", "放映控制", D, "放映控制", {field("定位"), field("指针选项", "箭头 绘图笔 荧光笔 永远隐藏"), field("墨迹颜色", colors), field("墨迹", "保留 放弃 擦除"), field("屏幕", "黑屏 白屏"), field("操作", "上一张 下一张 帮助")});
    add("幻灯片放映", "动作按钮", S, "动作按钮", {field("按钮", "自定义 第一张 后退或前一项 前进或下一项 开始 结束 上一张 文档 声音 影片 帮助 信息"), field("时机", "单击鼠标 鼠标移过"), field("超链接到", "第一张幻灯片 下一张幻灯片 上一张幻灯片 最后一张幻灯片"), field("播放声音", "鼓掌 风铃 打字机 鼓声"), field("动作")}, "", true);
    add("幻灯片放映", "动作设置", S, "动作设置", {field("对象", objects), field("运行程序"), field("时机", "单击鼠标 鼠标移过"), field("超链接到", "第一张幻灯片 下一张幻灯片 上一张幻灯片 最后一张幻灯片"), field("播放声音", "鼓掌 风铃 打字机 鼓声"), field("动作")});
    add("幻灯片放映", "动画方案", S, "", {field("动画方案", "依次渐变 向内溶解 标题弧线 无动画"), field("应用范围", scope)});
    add("幻灯片放映", "自定义动画", Effect::Animation, "动画", {field("对象", objects), field("类别", "进入 强调 退出 动作路径"), field("效果", "飞入 百叶窗 擦除 盒状 出现 渐变 螺旋飞入 棋盘 缓慢进入 放大/缩小 陀螺旋 飞出 消失 切出 更改填充颜色 更改字体颜色 闪烁 压缩 扇形展开 展开 字幕式 随机效果 播放 向右 向左 向上 向下 直线 自定义路径"), field("方向"), field("速度", "非常慢 慢速 中速 快速 非常快"), field("开始", "单击时 之前 之后"), field("延迟时间"), field("顺序"), field("重新排序", "向前移动 向后移动"), field("重复"), field("尺寸", "较小 较大 微小 巨大"), field("数量", "四分之一旋转 半旋转 完全旋转 旋转两周"), field("颜色", colors), field("播放后", "不变暗 变为灰色 隐藏 下次单击后隐藏"), field("声音", "无声音 风铃 打字机 鼓声 照相机 鼓掌"), field("动画文本", "整批发送|按字/词|按字母"), field("字/词之间延迟"), field("每隔"), field("组合文本", "作为一个对象 所有段落同时 按第一级段落 按第二级段落"), field("触发器", "单击标题 单击正文 单击图片 单击文本框"), field("开始播放", "从头开始 从上一位置 开始时间"), field("开始时间"), field("停止播放", "单击时 当前幻灯片之后 在指定张数幻灯片后"), field("停止张数"), field("预览"), field("自动预览", "是 否"), field("操作", "更改 删除"), field("其他")});
    add("幻灯片放映", "幻灯片切换", S, "切换", {field("效果", "无切换 水平百叶窗 盒状收缩 随机 向下插入 溶解 新闻快报 向右擦除 横向棋盘式 水平梳理 上下收缩 圆形 顺时针回旋，4根轮辐"), field("速度", "慢速 中速 快速"), field("声音", "无声音 风铃 打字机 鼓声 照相机 鼓掌"), field("换片方式"), field("单击鼠标", "是 否"), field("每隔"), field("循环播放到下一声音开始时", "是 否"), field("应用范围", scope)});
    add("幻灯片放映", "结束放映", Effect::EndShow, "", {});
    add("幻灯片放映", "隐藏幻灯片", Effect::HideSlide, "", {});
    add("幻灯片放映", "自定义放映", D, "自定义放映", {field("名称"), field("幻灯片"), field("操作", "新建 编辑 删除 复制 放映"), field("重命名为")});

    add("窗口", "新建窗口", D, "新建窗口", {field("排列", "层叠 水平平铺")});
    add("窗口", "全部重排", D, "全部重排", {field("方式", "层叠 水平平铺")});
    // The open presentations, listed at the foot of the 窗口 menu: a click brings one to the front.
    add("窗口", "切换窗口", D, "切换窗口", {field("切换到", "演示文稿1 产品介绍.dps")});
    add("窗口", "最小化", Effect::WindowState, "", {});
    add("窗口", "最大化", Effect::WindowState, "", {});
    add("窗口", "还原", Effect::WindowState, "", {});

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

QString Commands::initialValue(const QString &commandId, const QString &field)
{
    using Values = QHash<QString, QString>;
    static const QHash<QString, Values> initial = {
        {QStringLiteral("打印"), Values{{QStringLiteral("打印范围"), QStringLiteral("全部")}, {QStringLiteral("份数"), QStringLiteral("1")},
                                      {QStringLiteral("逐份打印"), QStringLiteral("是")}, {QStringLiteral("打印内容"), QStringLiteral("幻灯片")},
                                      {QStringLiteral("每页幻灯片数"), QStringLiteral("6")}, {QStringLiteral("顺序"), QStringLiteral("水平")},
                                      {QStringLiteral("颜色"), QStringLiteral("颜色")}}},
        {QStringLiteral("页面设置"), Values{{QStringLiteral("幻灯片大小"), QStringLiteral("全屏显示（4：3）")},
                                          {QStringLiteral("宽度"), QStringLiteral("25.4厘米")}, {QStringLiteral("高度"), QStringLiteral("19.05厘米")},
                                          {QStringLiteral("方向"), QStringLiteral("横向")},
                                          {QStringLiteral("备注、讲义和大纲的方向"), QStringLiteral("纵向")},
                                          {QStringLiteral("起始值"), QStringLiteral("1")}}},
        {QStringLiteral("设置放映方式"), Values{{QStringLiteral("放映类型"), QStringLiteral("演讲者放映（全屏幕）")},
                                              {QStringLiteral("放映幻灯片"), QStringLiteral("全部")},
                                              {QStringLiteral("绘图笔颜色"), QStringLiteral("红色")},
                                              {QStringLiteral("换片方式"), QStringLiteral("如果存在排练时间，则使用它")}}},
    };
    return initial.value(commandId).value(field);
}

namespace ShowActions {

std::optional<ShowAction> find(const QString &action)
{
    const QString control = QStringLiteral("放映控制");
    auto set = [&](const char *field, const QString &value) {
        return ShowAction{control, {{QString::fromUtf8(field), value}}};
    };
    const QString word = action.section(u' ', 0, 0);
    const QString rest = action.section(u' ', 1).trimmed();
    if (word != action) {
        static const QRegularExpression seconds(QStringLiteral("^[0-9]{1,5}秒$"));
        if (word == u"保留排练时间" && seconds.match(rest).hasMatch())
            return ShowAction{QStringLiteral("排练计时"), {{QStringLiteral("操作"), QStringLiteral("排练计时")},
                                                          {QStringLiteral("停留"), rest},
                                                          {QStringLiteral("保留排练时间"), QStringLiteral("是")}}};
        if (word == u"定位") {
            bool ok = false;
            const int n = rest.toInt(&ok);
            if (!ok || n < 1)
                return std::nullopt;
            return set("定位", QStringLiteral("第%1张").arg(n));
        }
        if (word == u"墨迹颜色" && Commands::find(control)->field(word)->choices.contains(rest))
            return set("墨迹颜色", rest);
        return std::nullopt;
    }
    // Moving on is the show's ordinary course and records nothing: going back
    // or asking for help stays recorded however the show goes on after it.
    if (action == u"下一张")
        return ShowAction{};
    if (action == u"上一张" || action == u"帮助")
        return set("操作", action);
    if (action == u"箭头" || action == u"绘图笔" || action == u"荧光笔" || action == u"永远隐藏")
        return set("指针选项", action);
    if (action == u"自动" || action == u"可见")
        return set("指针选项", QStringLiteral("箭头"));
    if (action == u"黑屏" || action == u"白屏")
        return set("屏幕", action);
    if (action == u"擦除墨迹")
        return set("墨迹", QStringLiteral("擦除"));
    if (action == u"保留墨迹" || action == u"放弃墨迹")
        return set("墨迹", action.left(2));
    if (action == u"放弃排练时间")
        return ShowAction{QStringLiteral("排练计时"), {{QStringLiteral("操作"), QStringLiteral("排练计时")},
                                                      {QStringLiteral("保留排练时间"), QStringLiteral("否")}}};
    if (action == u"画线")
        return ShowAction{};
    if (action == u"结束")
        return ShowAction{QStringLiteral("结束放映"), {}};
    return std::nullopt;
}

} // namespace ShowActions
