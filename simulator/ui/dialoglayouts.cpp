#include "dialoglayouts.h"

#include "slideart.h"

#include <QHash>
#include <QPainter>

namespace {

using Kind = FieldControl::Kind;
using Preview = DialogItem::Preview;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// A field with a label before it ("字号：").
DialogItem labelled(Kind kind, const char *field, const char *label = nullptr)
{
    const QString name = text(field);
    return {DialogItem::Extra::Field, name, kind, label ? text(label) : name + u'：', Preview::None};
}

// A field whose control needs no label (the group's title or its own text says it).
DialogItem bare(Kind kind, const char *field, const char *label = "")
{
    return {DialogItem::Extra::Field, text(field), kind, text(label), Preview::None};
}

DialogItem combo(const char *field, const char *label = nullptr) { return labelled(Kind::Combo, field, label); }
DialogItem line(const char *field, const char *label = nullptr) { return labelled(Kind::Line, field, label); }
DialogItem radios(const char *field, const char *label = nullptr) { return labelled(Kind::Radios, field, label); }
DialogItem yesNo(const char *field, const char *label) { return bare(Kind::YesNo, field, label); }
DialogItem note(const char *words) { return {DialogItem::Extra::Note, text(words), Kind::Combo, {}, Preview::None}; }
DialogItem preview(Preview kind) { return {DialogItem::Extra::Preview, {}, Kind::Combo, {}, kind}; }

DialogGroup group(const char *tab, const char *title, int row, int column, QList<DialogItem> items, int span = 1,
                  int columns = 1)
{
    return {text(tab), text(title), row, column, span, std::move(items), columns};
}

// Applying to this slide or to all of them, as the editor's two buttons do.
DialogGroup scopeRow(int row)
{
    return group("", "", row, 0, {radios("应用范围", "应用于：")}, 2);
}

DialogLayout fontDialog()
{
    return {{}, {
        group("", "", 0, 0, {combo("对象", "应用于："), line("选中文字", "选中的文字：")}, 2),
        group("", "字体", 1, 0, {combo("中文字体", "中文字体(T)："), combo("字形", "字形(Y)："),
                                 combo("西文字体", "西文字体(X)："), combo("字号", "字号(S)：")}, 2, 2),
        group("", "所有文字", 2, 0, {combo("颜色", "颜色(C)："), combo("下划线", "下划线(U)："),
                                     combo("下划线颜色", "下划线颜色(I)：")}),
        group("", "效果", 2, 1, {bare(Kind::Column, "效果")}),
        group("", "预览", 3, 0, {preview(Preview::Font)}, 2),
    }};
}

DialogLayout layoutDialog()
{
    return {{}, {
        group("", "", 0, 0, {note("单击选择一种版式，然后单击“确定”。")}),
        group("", "文字版式和内容版式", 1, 0, {bare(Kind::Tiles, "版式")}),
    }};
}

// The two buttons that close the dialog: applying to every slide or to the
// selected ones, in place of 确定.
void applyButtons(DialogLayout &layout, const char *allKey)
{
    layout.acceptedByAlsoOnly = true;
    layout.alsoAccept = {{text("全部应用(&%1)").arg(text(allKey)), text("应用范围"), text("全部应用")},
                         {text("应用(&A)"), text("应用范围"), text("应用")}};
}

DialogLayout backgroundDialog()
{
    DialogLayout layout{{}, {
        group("", "背景填充", 0, 0, {preview(Preview::Background),
                                     {DialogItem::Extra::Fill, text("填充"), Kind::Combo, {}, Preview::None}}),
        group("", "", 1, 0, {yesNo("忽略母版的背景图形", "忽略母版的背景图形(G)")}),
    }};
    applyButtons(layout, "T");
    layout.previewButton = true;
    return layout;
}

DialogLayout animationDialog()
{
    return {{}, {
        group("", "", 0, 0, {combo("对象", "选中的对象：")}, 2),
        group("添加效果", "效果类别", 0, 0, {bare(Kind::Radios, "类别"), bare(Kind::List, "效果")}),
        group("添加效果", "修改效果", 0, 1, {combo("开始", "开始："), combo("方向", "方向："), combo("速度", "速度："),
                                             combo("顺序", "顺序："), combo("重新排序", "重新排序："),
                                             combo("操作", "操作：")}),
        group("效果选项", "设置", 0, 0, {combo("尺寸", "尺寸："), combo("数量", "数量："), combo("颜色", "颜色：")}),
        group("效果选项", "增强", 1, 0, {combo("声音", "声音："), combo("播放后", "动画播放后："),
                                         combo("动画文本", "动画文本："), combo("字/词之间延迟", "字/词之间延迟：")}),
        group("计时", "计时", 0, 0, {combo("延迟时间", "延迟："), combo("重复", "重复："), combo("开始播放", "开始播放："),
                                     combo("触发器", "触发器：")}),
        group("正文文本动画", "正文文本动画", 0, 0, {combo("组合文本", "组合文本："), combo("每隔", "每隔："),
                                                     yesNo("自动预览", "自动预览"), line("其他", "其他：")}),
    }};
}

// 效果选项 of the 自定义动画 pane: the options of the effect chosen there,
// on the tabs 效果, 计时 and 正文文本动画 (the pane itself adds the effect
// to the object).
DialogLayout effectOptionsDialog()
{
    return {text("效果选项"), {
        group("效果", "设置", 0, 0, {combo("方向", "方向："), combo("尺寸", "尺寸："), combo("数量", "数量："),
                                     combo("颜色", "颜色：")}),
        group("效果", "增强", 1, 0, {combo("声音", "声音："), combo("播放后", "动画播放后："),
                                     combo("动画文本", "动画文本："), combo("字/词之间延迟", "字/词之间延迟(%)：")}),
        // A sound's or movie's 播放: where it starts and when it stops.
        group("效果", "开始播放", 2, 0, {bare(Kind::Column, "开始播放"), line("开始时间", "开始时间(秒)(M)：")}),
        group("效果", "停止播放", 3, 0, {bare(Kind::Column, "停止播放"), line("停止张数", "幻灯片张数(F)：")}),
        group("计时", "", 0, 0, {combo("开始", "开始(S)："), combo("延迟时间", "延迟(D)："), combo("速度", "速度(E)："),
                                 combo("重复", "重复(R)："), combo("触发器", "触发器(T)：")}),
        group("正文文本动画", "", 0, 0, {combo("组合文本", "组合文本(G)："), combo("每隔", "每隔(秒)：")}),
    }};
}

DialogLayout showDialog()
{
    return {{}, {
        group("", "放映类型", 0, 0, {bare(Kind::Column, "放映类型"), yesNo("显示状态栏", "显示状态栏(H)")}),
        group("", "放映幻灯片", 0, 1, {bare(Kind::Column, "放映幻灯片"), line("从", "从(F)："), line("到", "到(T)："),
                                       combo("自定义放映", "自定义放映(C)：")}),
        group("", "放映选项", 1, 0, {bare(Kind::Checks, "放映选项"), combo("绘图笔颜色", "绘图笔颜色(E)：")}),
        group("", "换片方式", 1, 1, {bare(Kind::Column, "换片方式")}),
        group("", "性能", 2, 0, {line("其他", "其他设置：")}, 2),
    }};
}

DialogLayout headerFooterDialog()
{
    DialogLayout layout{{}, {
        group("幻灯片", "幻灯片包含内容", 0, 0, {bare(Kind::Column, "日期和时间"), combo("日期格式", "日期格式："),
                                                 line("固定日期", "固定日期："),
                                                 yesNo("幻灯片编号", "幻灯片编号(N)"), line("页脚", "页脚(F)："),
                                                 yesNo("标题幻灯片中不显示", "标题幻灯片中不显示(S)")}),
        group("幻灯片", "预览", 0, 1, {preview(Preview::HeaderFooter)}),
        group("备注和讲义", "页面包含内容", 0, 0, {line("备注和讲义页眉", "页眉(H)："), yesNo("页码", "页码(P)")}),
    }};
    applyButtons(layout, "Y");
    return layout;
}

DialogLayout bulletsDialog()
{
    return {{}, {
        group("", "", 0, 0, {combo("对象", "应用于：")}, 2),
        group("", "项目符号和编号", 1, 0, {bare(Kind::Tiles, "项目符号")}, 2),
        group("", "", 2, 0, {combo("大小", "大小(% 字高)："), combo("颜色", "颜色(C)：")}),
        group("", "", 2, 1, {combo("字体", "字体："), line("图片", "图片(P)："), combo("起始编号", "开始于：")}),
    }};
}

DialogLayout printDialog()
{
    return {{}, {
        group("", "打印机", 0, 0, {note("名称：默认打印机        状态：空闲")}, 2),
        group("", "打印范围", 1, 0, {bare(Kind::Column, "打印范围"), line("幻灯片", "幻灯片(D)：")}),
        group("", "份数", 1, 1, {combo("份数", "打印份数(B)："), yesNo("逐份打印", "逐份打印(T)")}),
        group("", "", 2, 0, {combo("打印内容", "打印内容(W)："), combo("颜色", "颜色/灰度(G)：")}),
        group("", "讲义", 2, 1, {combo("每页幻灯片数", "每页幻灯片数："), radios("顺序", "顺序："),
                                 preview(Preview::Handout)}),
        group("", "", 3, 0, {bare(Kind::CheckRow, "选项")}, 2),
    }};
}

QStringList presentationTypes()
{
    return Commands::find(QStringLiteral("另存为"))->field(QStringLiteral("保存类型"))->choices;
}

DialogLayout saveDialog(bool typeField)
{
    FileChooser files;
    files.place = text("保存位置(I)：");
    files.nameField = text("文件名");
    files.nameLabel = text("文件名(N)：");
    files.typeField = typeField ? text("保存类型") : QString();
    files.typeLabel = text("保存类型(T)：");
    files.types = presentationTypes();
    files.accept = text("保存(S)");
    if (typeField)
        files.defaults = {{files.typeField, files.types.first()}};
    DialogLayout layout{text("另存为"), {}, files};
    if (typeField) {
        const QStringList pictures = {text("JPEG 文件交换格式（*.jpg）"), text("PNG 可移植网络图形格式（*.png）")};
        layout.question = Question{text("您希望导出演示文稿中的所有幻灯片还是只导出当前幻灯片？"), {}, {}, text("导出"),
                                   {{text("每张幻灯片(&E)"), text("导出"), text("每张幻灯片")},
                                    {text("仅当前幻灯片(&C)"), text("导出"), text("仅当前幻灯片")}},
                                   text("保存类型"), pictures, true};
    }
    return layout;
}

// 工具 → 选项: the program's settings by tab, the presentation's passwords
// on 安全性 (typed masked, see FieldControl).
DialogLayout optionsDialog()
{
    return {text("选项"), {
        group("常规", "常规选项", 0, 0, {yesNo("提供声音反馈", "提供声音反馈(S)"),
                                         combo("最近使用的文件列表", "最近使用的文件列表(R)："),
                                         combo("度量单位", "度量单位(M)：")}),
        group("视图", "显示", 0, 0, {yesNo("显示任务窗格", "启动时显示任务窗格(T)"), yesNo("显示状态栏", "状态栏(B)")}),
        group("编辑", "撤销", 0, 0, {combo("最多可取消操作数", "最多可取消操作数(M)：")}),
        group("保存", "保存选项", 0, 0, {yesNo("生成备份文件", "保存时生成备份文件(B)"),
                                         combo("自动保存", "自动保存时间间隔（分钟）(A)："),
                                         combo("默认保存格式", "将金山演示文件保存为(S)：")}),
        group("拼写检查", "拼写", 0, 0, {yesNo("检查拼写", "键入时检查拼写(P)")}),
        group("安全性", "此文档的文件加密选项", 0, 0, {line("打开权限密码", "打开权限密码(O)：")}),
        group("安全性", "此文档的文件共享选项", 1, 0, {line("修改权限密码", "修改权限密码(M)：")}),
    }};
}

// A chooser that looks in a folder for presentations, as 打开 and the
// dialogs that take slides or a start from another presentation do.
FileChooser presentationChooser()
{
    FileChooser files;
    files.place = text("查找范围(I)：");
    files.typeLabel = text("文件类型(T)：");
    files.types = QStringList{text("所有演示文件（*.dps;*.ppt;*.dpt）")} + presentationTypes().mid(0, 3);
    return files;
}

DialogLayout openDialog()
{
    FileChooser files = presentationChooser();
    files.nameField = text("文件名");
    files.nameLabel = text("文件名(N)：");
    files.types << text("所有文件（*.*）");
    files.accept = text("打开(O)");
    files.labels = {{text("打开方式"), text("打开方式(W)：")}};
    files.defaults = {{text("打开方式"), text("打开")}};
    return {text("打开"), {}, files};
}

// The 新建演示文稿 pane's 根据现有演示文稿…: the presentation the new one starts from.
DialogLayout newFromFileDialog()
{
    FileChooser files = presentationChooser();
    files.nameField = text("文件名");
    files.nameLabel = text("文件名(N)：");
    files.accept = text("创建(C)");
    files.hidden = {text("模板")};
    files.defaults = {{text("模板"), text("根据现有演示文稿")}};
    return {text("根据现有演示文稿新建"), {}, files};
}

DialogLayout pictureDialog()
{
    FileChooser files;
    files.place = text("查找范围(I)：");
    files.nameField = text("名称");
    files.nameLabel = text("文件名(N)：");
    files.typeLabel = text("文件类型(T)：");
    files.types = {text("所有图片（*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.wmf）"), text("所有文件（*.*）")};
    files.accept = text("插入(S)");
    // 来自文件 or 剪贴画 is the entry of 插入 → 图片 that opened the dialog.
    files.hidden = {text("来源")};
    files.defaults = {{text("来源"), text("来自文件")}};
    return {text("插入图片"), {}, files};
}

// 文件中的影片 and 文件中的声音 (剪辑管理器中的… list the clips instead of
// the folder); once a file is chosen the editor asks how it starts playing.
DialogLayout mediaDialog()
{
    FileChooser files;
    files.place = text("查找范围(I)：");
    files.nameField = text("文件");
    files.nameLabel = text("文件名(N)：");
    files.typeLabel = text("文件类型(T)：");
    const QString movies = text("影片文件（*.avi;*.mpg;*.mpeg;*.wmv;*.asf）");
    const QString sounds = text("声音文件（*.wav;*.mid;*.midi;*.mp3;*.wma;*.aif）");
    const QString all = text("所有文件（*.*）");
    files.types = {movies, sounds, all};
    files.accept = text("确定");
    files.hidden = {text("类型")};
    files.kindField = text("类型");
    files.typesFor = {{text("影片"), {movies, all}}, {text("声音"), {sounds, all}}};
    files.titleFor = {{text("影片"), text("插入影片")}, {text("声音"), text("插入声音")}};
    DialogLayout layout{text("插入影片和声音"), {}, files};
    layout.question = Question{text("您希望在幻灯片放映中如何开始播放%1？"), text("类型"), text("影片"), text("播放"),
                               {{text("自动(&A)"), text("播放"), text("自动")},
                                {text("在单击时(&C)"), text("播放"), text("单击时")}}};
    return layout;
}

// The options of a sound or movie on the slide (its context menu's
// 编辑声音对象 and 编辑影片对象).
DialogLayout soundOptionsDialog()
{
    return {text("声音选项"), {
        group("", "播放选项", 0, 0, {yesNo("循环播放", "循环播放，直到停止(L)")}),
        group("", "显示选项", 1, 0, {yesNo("放映时隐藏声音图标", "幻灯片放映时隐藏声音图标(H)")}),
    }};
}

DialogLayout movieOptionsDialog()
{
    return {text("影片选项"), {
        group("", "播放选项", 0, 0, {yesNo("循环播放", "循环播放，直到停止(L)"),
                                     yesNo("播放完毕后返回开头", "影片播放完返回开头(R)")}),
    }};
}

DialogLayout slidesFromFileDialog()
{
    FileChooser files = presentationChooser();
    files.nameField = text("文件");
    files.nameLabel = text("文件(F)：");
    files.accept = text("插入(I)");
    files.browse = true;
    files.labels = {{text("幻灯片"), text("选定幻灯片(S)：")}};
    return {text("幻灯片搜索"), {}, files};
}

DialogLayout symbolDialog()
{
    return {{}, {
        group("", "", 0, 0, {combo("字体", "字体(F)：")}),
        group("", "符号", 1, 0, {bare(Kind::Tiles, "符号")}),
    }};
}

// A symbol large in its cell, as the symbol table shows it.
void paintSymbolTile(QPainter &p, const QRectF &r, const QString &choice)
{
    p.setPen(QColor(140, 140, 140));
    p.drawRect(r);
    QFont font = p.font();
    font.setPixelSize(int(r.height() * 0.6));
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, choice);
}

DialogLayout designDialog()
{
    return {{}, {
        group("", "应用设计模板", 0, 0, {bare(Kind::Tiles, "设计模板")}, 2),
        group("", "配色方案", 1, 0, {combo("配色方案", "配色方案："), combo("操作", "操作：")}),
        group("", "自定义配色", 1, 1, {combo("配色项目", "配色项目："), combo("颜色", "颜色：")}),
        scopeRow(2),
    }};
}

DialogLayout objectDialog()
{
    return {{}, {
        group("", "", 0, 0, {combo("对象", "设置对象：")}, 2),
        group("颜色和线条", "填充", 0, 0, {combo("填充颜色", "颜色：")}),
        group("颜色和线条", "线条", 1, 0, {combo("线条颜色", "颜色："), combo("线型", "线型："),
                                           combo("线条粗细", "粗细：")}),
        group("颜色和线条", "箭头", 2, 0, {combo("箭头样式", "样式：")}),
        group("尺寸", "尺寸和旋转", 0, 0, {combo("高度", "高度："), combo("宽度", "宽度："),
                                           combo("旋转", "旋转(T)："), yesNo("锁定纵横比", "锁定纵横比(A)")}),
        group("位置", "在幻灯片上的位置", 0, 0, {combo("位置", "位置：")}),
        group("图片", "图像控制", 0, 0, {combo("图片颜色", "颜色："), combo("亮度", "亮度："), combo("对比度", "对比度："),
                                         combo("裁剪", "裁剪："), yesNo("重设", "重新设置(S)")}),
        group("文本框", "文本框", 0, 0, {combo("文字方向", "文字方向："), combo("内部边距", "内部边距："),
                                         yesNo("自动换行", "形状中的文字自动换行(W)"),
                                         yesNo("自动适应文字", "调整自选图形尺寸以显示文字(F)")}),
        group("", "", 2, 0, {yesNo("默认格式", "新对象默认值(D)")}, 2),
    }};
}

// An action button's settings, as the editor asks for them once the button
// is drawn: what it does when clicked or when the pointer passes over it.
DialogLayout actionDialog()
{
    return {text("动作设置"), {
        group("", "", 0, 0, {combo("按钮", "动作按钮：")}),
        group("", "", 1, 0, {radios("时机", "动作发生于：")}),
        group("", "动作", 2, 0, {combo("超链接到", "超链接到(H)："), line("动作", "运行程序(R)：")}),
        group("", "", 3, 0, {combo("播放声音", "播放声音(P)：")}),
    }};
}

// 设置表格格式: the table's borders, fill and text on the editor's tabs;
// above them what the table's context menu does to rows, columns and
// cells (插入行, 删除列, 合并单元格…), the operation and where.
DialogLayout tableDialog()
{
    return {text("设置表格格式"), {
        group("", "行、列和单元格", 0, 0, {combo("操作", "操作："), combo("位置", "位置："), combo("拆分为", "拆分为：")}),
        group("边框", "边框", 0, 0, {combo("外边框", "外边框粗细(W)："), combo("线条颜色", "颜色(C)："),
                                     combo("线型", "样式(S)：")}),
        group("填充", "", 0, 0, {combo("填充颜色", "填充颜色(F)：")}),
        group("文本框", "", 0, 0, {combo("文字对齐", "文本对齐方式(A)：")}),
    }};
}

void paintBulletTile(QPainter &p, const QRectF &r, const QString &choice)
{
    p.setPen(QColor(140, 140, 140));
    p.drawRect(r);
    if (choice == u"无" || choice == u"图片") {
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, choice);
        return;
    }
    const QStringList marks = choice.contains(u' ') ? choice.split(u' ', Qt::SkipEmptyParts)
                            : choice.endsWith(u'、') ? QStringList{QStringLiteral("一、"), QStringLiteral("二、"),
                                                                  QStringLiteral("三、")}
                                                    : QStringList{choice, choice, choice};
    for (int i = 0; i < 3; ++i) {
        const double y = r.top() + r.height() * (i + 0.5) / 3;
        p.setPen(Qt::black);
        p.drawText(QRectF(r.left() + 4, y - 8, 22, 16), Qt::AlignLeft | Qt::AlignVCenter, marks.value(i));
        p.setPen(QColor(120, 120, 120));
        p.drawLine(QPointF(r.left() + 28, y), QPointF(r.right() - 6, y));
    }
}

void paintTemplateTile(QPainter &p, const QRectF &r, const QString &choice)
{
    Document sample;
    Slide slide;
    slide.layout = QStringLiteral("标题和文本");
    slide.title = QStringLiteral("标题");
    slide.body = QStringLiteral("文本\n文本");
    slide.attributes.insert(QStringLiteral("设计模板"), choice);
    sample.slides.append(slide);
    SlideArt::paintSlide(p, r, sample, 0, SlideArt::Background | SlideArt::Texts, p.font());
    p.setPen(QColor(140, 140, 140));
    p.drawRect(r);
}

} // namespace

namespace DialogLayouts {

// 查找 and 替换: the texts to find and to put in, the ways of matching, and
// the buttons that search (OK finds the next match, or replaces them all).
DialogLayout findDialog(bool replace)
{
    QList<DialogItem> texts = {line("查找内容", "查找内容(N)：")};
    if (replace)
        texts << line("替换为", "替换为(P)：");
    QList<DialogItem> ways = {yesNo("区分大小写", "区分大小写(C)"), yesNo("全字匹配", "全字匹配(W)")};
    if (replace)
        ways << yesNo("替换字体", "替换字体(S)");
    DialogLayout layout{{}, {group("", "", 0, 0, texts), group("", "", 1, 0, ways)}};
    if (replace) {
        layout.accept = text("全部替换(A)");
        layout.alsoAccept = {{text("替换(R)"), text("操作"), text("替换")},
                             {text("查找下一个(F)"), text("操作"), text("查找下一个")}};
    } else {
        layout.accept = text("查找下一个(F)");
    }
    return layout;
}

const DialogLayout *find(const QString &commandId)
{
    static const QHash<QString, DialogLayout> table = {
        {QStringLiteral("字体"), fontDialog()},
        {QStringLiteral("幻灯片版式"), layoutDialog()},
        {QStringLiteral("新幻灯片"), layoutDialog()},
        {QStringLiteral("背景"), backgroundDialog()},
        {QStringLiteral("自定义动画"), animationDialog()},
        {QStringLiteral("效果选项"), effectOptionsDialog()},
        {QStringLiteral("设置放映方式"), showDialog()},
        {QStringLiteral("页眉和页脚"), headerFooterDialog()},
        {QStringLiteral("项目符号和编号"), bulletsDialog()},
        {QStringLiteral("打印"), printDialog()},
        {QStringLiteral("另存为"), saveDialog(true)},
        {QStringLiteral("保存"), saveDialog(false)},
        {QStringLiteral("打开"), openDialog()},
        {QStringLiteral("选项"), optionsDialog()},
        {QStringLiteral("根据现有演示文稿新建"), newFromFileDialog()},
        {QStringLiteral("图片"), pictureDialog()},
        {QStringLiteral("影片和声音"), mediaDialog()},
        {QStringLiteral("编辑声音对象"), soundOptionsDialog()},
        {QStringLiteral("编辑影片对象"), movieOptionsDialog()},
        {QStringLiteral("幻灯片（从文件）"), slidesFromFileDialog()},
        {QStringLiteral("幻灯片设计"), designDialog()},
        {QStringLiteral("符号"), symbolDialog()},
        {QStringLiteral("对象格式"), objectDialog()},
        {QStringLiteral("动作按钮"), actionDialog()},
        {QStringLiteral("表格属性"), tableDialog()},
        {QStringLiteral("查找"), findDialog(false)},
        {QStringLiteral("替换"), findDialog(true)},
    };
    const auto it = table.constFind(commandId);
    return it == table.constEnd() ? nullptr : &it.value();
}

TilePainter tilePainter(const QString &field)
{
    if (field == u"版式")
        return [](QPainter &p, const QRectF &r, const QString &choice) { SlideArt::paintLayoutIcon(p, r, choice); };
    if (field == u"项目符号")
        return paintBulletTile;
    if (field == u"设计模板")
        return paintTemplateTile;
    if (field == u"符号")
        return paintSymbolTile;
    return {};
}

} // namespace DialogLayouts
