#include "simulatorfolders.h"

#include "commands.h"
#include "session.h"
#include "storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

using Kind = TaskStep::Kind;

const QStringList objectWords = {
    QStringLiteral("副标题"), QStringLiteral("标题"), QStringLiteral("正文"), QStringLiteral("文本框"),
    QStringLiteral("艺术字"), QStringLiteral("图片"), QStringLiteral("自选图形"), QStringLiteral("表格"),
    QStringLiteral("图表"), QStringLiteral("组织结构图"),
};
const QStringList colourWords = {
    QStringLiteral("深蓝色"), QStringLiteral("深红色"), QStringLiteral("浅黄色"), QStringLiteral("浅绿色"),
    QStringLiteral("浅蓝色"), QStringLiteral("浅灰色"), QStringLiteral("红色"), QStringLiteral("蓝色"),
    QStringLiteral("绿色"), QStringLiteral("黄色"), QStringLiteral("灰色"), QStringLiteral("橙色"), QStringLiteral("金色"),
};

// The words of a question's text the rules work with.
struct Text
{
    QString text;
    QStringList quoted;
    QList<int> slideNumbers;

    explicit Text(const QString &t) : text(t)
    {
        static const QRegularExpression quotes(QStringLiteral("“([^”]*)”"));
        for (auto it = quotes.globalMatch(t); it.hasNext();)
            quoted << it.next().captured(1);
        static const QRegularExpression slides(QStringLiteral("第([0-9]+)(?:张|、)"));
        for (auto it = slides.globalMatch(t); it.hasNext();)
            slideNumbers << it.next().captured(1).toInt();
    }
    bool has(const char *word) const { return text.contains(QString::fromUtf8(word)); }
    int slide() const { return slideNumbers.value(0, 1); }
    QString capture(const char *pattern) const
    {
        const QRegularExpression re(QString::fromUtf8(pattern));
        return re.match(text).captured(1);
    }
    QString firstOf(const QStringList &words) const
    {
        for (const QString &w : words)
            if (text.contains(w))
                return w;
        return {};
    }
};

// Builds one task step by step, keeping the hints in one wording.
class Builder
{
public:
    Task task;

    void select(int slide)
    {
        task.steps.append({Kind::Select, QString::number(slide), {},
                           QStringLiteral("在左侧幻灯片列表中单击第%1张幻灯片").arg(slide)});
    }
    // Several slides at once: a range with Shift, others with Ctrl.
    void select(const QList<int> &slides)
    {
        const QString numbers = Document::slideNumbersText(slides);
        QStringList others;
        for (int n : slides.mid(1))
            others << QStringLiteral("第%1张").arg(n);
        const bool range = !numbers.contains(u',') && slides.size() > 1;
        const QString hint = range ? QStringLiteral("单击第%1张幻灯片，再按住Shift键单击第%2张幻灯片").arg(slides.first()).arg(slides.last())
                                   : QStringLiteral("单击第%1张幻灯片，再按住Ctrl键依次单击%2幻灯片").arg(slides.first()).arg(others.join(QStringLiteral("、")));
        task.steps.append({Kind::Select, numbers, {}, hint});
    }
    void command(const QString &id, const QList<std::pair<QString, QString>> &fields = {})
    {
        const CommandSpec *spec = Commands::find(id);
        const QString menu = spec ? spec->menu : QString();
        // A toolbar's own command is not opened from a menu of the menu bar:
        // the formatting toolbar's button, or the drawing toolbar's 绘图 menu.
        if (Commands::menus().contains(menu))
            task.steps.append({Kind::Menu, menu, {}, QStringLiteral("单击“%1”菜单").arg(menu)});
        else if (menu == u"格式工具栏")
            task.steps.append({Kind::Toolbar, id, {}, QStringLiteral("单击“格式”工具栏上的“%1”按钮").arg(id)});
        else if (!menu.isEmpty())
            task.steps.append({Kind::Toolbar, menu, {}, QStringLiteral("单击“%1”工具栏上的“%1”按钮").arg(menu)});
        task.steps.append({Kind::Command, id, {}, QStringLiteral("单击“%1”命令").arg(id)});
        if (!spec || !spec->hasDialog())
            return;
        for (const auto &[name, value] : fields)
            task.steps.append({Kind::Field, name, value, QStringLiteral("在“%1”中选择或输入“%2”").arg(name, value)});
        task.steps.append({Kind::Ok, {}, {}, QStringLiteral("单击“确定”按钮")});
    }
    void type(const QString &part, const QString &value)
    {
        const QString where = part == u"title" ? QStringLiteral("标题占位符")
                            : part == u"body"  ? QStringLiteral("文本占位符")
                                               : QStringLiteral("备注窗格");
        const QString lines = value.split(u'\n').join(QStringLiteral("”、“"));
        task.steps.append({Kind::Type, part, value,
                           value.isEmpty()         ? QStringLiteral("单击%1，删除其中的全部文字").arg(where)
                           : value.contains(u'\n') ? QStringLiteral("单击%1，依次输入“%2”，各占一行").arg(where, lines)
                                                   : QStringLiteral("单击%1，输入“%2”").arg(where, value)});
    }
    // The show started from the first slide (F5) or from the current one (Shift+F5).
    void startShow(bool fromCurrent, bool byKey)
    {
        const QString id = fromCurrent ? QStringLiteral("从当前幻灯片开始") : QStringLiteral("观看放映");
        const QString key = fromCurrent ? QStringLiteral("Shift+F5") : QStringLiteral("F5");
        if (byKey) {
            task.steps.append({Kind::Command, id, {}, QStringLiteral("按%1键开始放映").arg(key)});
            return;
        }
        task.steps.append({Kind::Menu, QStringLiteral("幻灯片放映"), {}, QStringLiteral("单击“幻灯片放映”菜单")});
        task.steps.append({Kind::Command, id, {}, QStringLiteral("单击“%1”命令（或按%2键）").arg(id, key)});
    }
    void show(const QString &action, const QString &hint) { task.steps.append({Kind::Show, action, {}, hint}); }
    void goal(const QString &path, const QString &value) { task.goal.append({path, value}); }
    void start(const QString &path, const QString &value) { task.start.append({path, value}); }
    void needSlides(int n) { task.slides = std::max(task.slides, n); }
};

QList<std::pair<QString, QString>> fieldsFromText(const Text &t, const CommandSpec &spec, const QMap<QString, QString> &fixed);
void goalFromSolution(Builder &b);

// Values the text gives for the command's other fields, after those a rule has read.
void moreFields(const Text &t, const QString &commandId, QList<std::pair<QString, QString>> &values, QStringList kept = {})
{
    QMap<QString, QString> read;
    for (const auto &[name, value] : values)
        read.insert(name, value);
    kept << QStringLiteral("对象") << QStringLiteral("应用范围");
    for (const QString &name : kept)
        read.insert(name, QStringLiteral("-"));
    for (const auto &[name, value] : fieldsFromText(t, *Commands::find(commandId), read))
        if (!read.contains(name))
            values.append({name, value});
}

QString slidePath(int n, const QString &key)
{
    return QStringLiteral("slide%1.%2").arg(n).arg(key);
}

QStringList sampleTitles(int count)
{
    QStringList titles;
    for (const Slide &s : Document::sample(count).slides)
        titles << s.title;
    return titles;
}

void goalTitles(Builder &b, const QStringList &titles)
{
    b.goal(QStringLiteral("count"), QString::number(titles.size()));
    for (int i = 0; i < titles.size(); ++i)
        b.goal(slidePath(i + 1, QStringLiteral("title")), titles.at(i));
}

const QStringList layoutNames()
{
    return Commands::find(QStringLiteral("新幻灯片"))->field(QStringLiteral("版式"))->choices;
}

QString layoutIn(const Text &t)
{
    for (const QString &q : t.quoted)
        if (layoutNames().contains(q))
            return q;
    return {};
}

// Each rule fills the builder and returns true when the text is of its kind.

bool insertSlide(const Text &t, Builder &b)
{
    if (!t.has("插入") || (!t.has("新幻灯片") && !t.has("版式的幻灯片") && !t.has("版式的新")))
        return false;
    const QString layout = layoutIn(t);
    if (layout.isEmpty())
        return false;
    const bool beforeFirst = t.has("第1张幻灯片之前");
    if (t.has("之前") && !beforeFirst)
        return false;
    int after = t.slideNumbers.value(0, 1);
    if (t.has("最后") || t.has("末尾"))
        after = b.task.slides;
    if (beforeFirst)
        after = 0;
    const int copies = t.has("两张") ? 2 : 1;
    b.task.kind = QStringLiteral("插入幻灯片");
    QStringList titles = sampleTitles(b.task.slides);
    b.select(std::max(after, 1));
    const QString title = t.has("标题为") || t.has("标题中输入") ? t.quoted.value(t.quoted.size() - 1) : QString();
    for (int i = 0; i < copies; ++i) {
        b.command(QStringLiteral("新幻灯片"), {{QStringLiteral("版式"), layout}});
        titles.insert(after, QString());
    }
    if (beforeFirst) {
        // New slides come after the selected one: move the first slide behind the new one.
        b.select(1);
        b.command(QStringLiteral("剪切"));
        b.command(QStringLiteral("粘贴"));
    }
    if (!title.isEmpty() && title != layout) {
        b.type(QStringLiteral("title"), title);
        titles[after + copies - 1] = title;
    }
    goalTitles(b, titles);
    for (int i = 1; i <= copies; ++i)
        b.goal(slidePath(after + i, QStringLiteral("layout")), layout);
    return true;
}

bool deleteSlides(const Text &t, Builder &b)
{
    static const QRegularExpression plain(QStringLiteral("^(在[^，]*中，)?(使用“编辑”菜单中的“删除幻灯片”命令)?(同时)?删除(演示文稿中的)?(第[0-9]+张(和第[0-9]+张)?|最后一张|当前)幻灯片。$"));
    if (!plain.match(t.text).hasMatch())
        return false;
    QList<int> doomed = t.slideNumbers;
    if (t.has("最后一张"))
        doomed = {b.task.slides};
    if (doomed.isEmpty())
        doomed = {1};
    std::sort(doomed.begin(), doomed.end(), std::greater<int>());
    b.task.kind = QStringLiteral("删除幻灯片");
    QStringList titles = sampleTitles(b.task.slides);
    if (t.has("同时") && doomed.size() > 1) {
        // Selected together, deleted at once.
        b.select(QList<int>(doomed.rbegin(), doomed.rend()));
        b.command(QStringLiteral("删除幻灯片"));
    }
    for (int n : doomed) {
        if (!t.has("同时") || doomed.size() == 1) {
            b.select(n);
            b.command(QStringLiteral("删除幻灯片"));
        }
        titles.removeAt(n - 1);
    }
    goalTitles(b, titles);
    return true;
}

bool copyOrMoveSlide(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片(复制|移动)到(第([0-9]+)张幻灯片之后|演示文稿的末尾)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    const bool duplicate = t.has("幻灯片副本”命令");
    if (!m.hasMatch() && !duplicate)
        return false;
    QStringList titles = sampleTitles(b.task.slides);
    const int from = duplicate ? t.slide() : m.captured(1).toInt();
    b.select(from);
    if (duplicate) {
        b.task.kind = QStringLiteral("复制幻灯片");
        b.command(QStringLiteral("幻灯片副本"));
        titles.insert(from, titles.at(from - 1));
        goalTitles(b, titles);
        return true;
    }
    const bool move = m.captured(2) == u"移动";
    int to = m.captured(4).isEmpty() ? b.task.slides : m.captured(4).toInt();
    b.task.kind = move ? QStringLiteral("移动幻灯片") : QStringLiteral("复制幻灯片");
    const QString moved = titles.at(from - 1);
    b.command(move ? QStringLiteral("剪切") : QStringLiteral("复制"));
    if (move) {
        titles.removeAt(from - 1);
        if (from < to)
            --to;
    }
    b.select(to);
    b.command(QStringLiteral("粘贴"));
    titles.insert(to, moved);
    goalTitles(b, titles);
    return true;
}

bool hideSlides(const Text &t, Builder &b)
{
    if (!t.has("隐藏") || !t.has("张幻灯片") || t.has("声音") || t.has("打印") || t.has("母版") || t.has("动画"))
        return false;
    const bool unhide = t.has("取消");
    b.task.kind = unhide ? QStringLiteral("取消隐藏幻灯片") : QStringLiteral("隐藏幻灯片");
    const bool together = t.has("同时") && t.slideNumbers.size() > 1;
    if (together) {
        b.select(t.slideNumbers);
        b.command(QStringLiteral("隐藏幻灯片"));
    }
    for (int n : t.slideNumbers) {
        if (unhide)
            b.start(slidePath(n, QStringLiteral("hidden")), QStringLiteral("1"));
        if (!together) {
            b.select(n);
            b.command(QStringLiteral("隐藏幻灯片"));
        }
        b.goal(slidePath(n, QStringLiteral("hidden")), unhide ? QString() : QStringLiteral("1"));
    }
    return !t.slideNumbers.isEmpty();
}

bool changeLayout(const Text &t, Builder &b)
{
    if (!t.has("版式") || t.has("插入"))
        return false;
    QString layout = layoutIn(t);
    const bool reapply = t.has("重新应用");
    if (layout.isEmpty() && !reapply)
        return false;
    QList<int> slides = t.slideNumbers;
    if (t.has("到第") && slides.size() == 2) {
        const int first = slides.at(0), last = slides.at(1);
        slides.clear();
        for (int n = first; n <= last; ++n)
            slides << n;
    }
    if (slides.isEmpty())
        slides = {1};
    b.task.kind = QStringLiteral("更改版式");
    for (int n : slides) {
        const QString start = n == 1 ? QStringLiteral("标题幻灯片") : QStringLiteral("标题和文本");
        const QString wanted = reapply ? start : layout;
        if (wanted == start)
            b.start(slidePath(n, QStringLiteral("layout")), QStringLiteral("空白"));
        b.select(n);
        b.command(QStringLiteral("幻灯片版式"), {{QStringLiteral("版式"), wanted}});
        b.goal(slidePath(n, QStringLiteral("layout")), wanted);
    }
    return true;
}

bool notes(const Text &t, Builder &b)
{
    if (!t.has("备注") || t.has("母版") || t.has("打印") || t.has("讲义") || t.has("页眉"))
        return false;
    const bool clear = t.has("删除");
    if (!clear && t.quoted.isEmpty())
        return false;
    const QString value = clear ? QString() : t.quoted.last();
    const int n = t.slide();
    b.task.kind = QStringLiteral("备注");
    if (clear)
        b.start(slidePath(n, QStringLiteral("notes")), QStringLiteral("请在此讲解要点"));
    b.select(n);
    b.type(QStringLiteral("notes"), value);
    b.goal(slidePath(n, QStringLiteral("notes")), value);
    return true;
}

bool titleText(const Text &t, Builder &b)
{
    static const QRegularExpression modify(QStringLiteral("标题文字“([^”]+)”修改为“([^”]+)”"));
    static const QRegularExpression enter(QStringLiteral("标题(?:占位符)?中输入(?:文字)?“([^”]+)”"));
    QRegularExpressionMatch m = modify.match(t.text);
    QString value;
    if (m.hasMatch()) {
        b.start(slidePath(t.slide(), QStringLiteral("title")), m.captured(1));
        value = m.captured(2);
    } else if ((m = enter.match(t.text)).hasMatch() && !t.has("新建") && !t.has("插入")) {
        value = m.captured(1);
    } else {
        return false;
    }
    b.task.kind = QStringLiteral("标题文字");
    b.select(t.slide());
    b.type(QStringLiteral("title"), value);
    b.goal(slidePath(t.slide(), QStringLiteral("title")), value);
    return true;
}

bool view(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:将当前演示文稿的视图方式)?切换(?:为|到)“?(幻灯片浏览|备注页|普通)”?视图。$"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    b.task.kind = QStringLiteral("视图");
    b.command(m.captured(1));
    b.goal(QStringLiteral("doc.视图"), m.captured(1));
    return true;
}

bool zoom(const Text &t, Builder &b)
{
    if (!t.has("显示比例") || (t.has("浏览视图") && t.has("然后")))
        return false;
    QString value = t.capture("([0-9]+%)");
    if (value.isEmpty())
        value = t.quoted.contains(QStringLiteral("适应窗口大小")) ? QStringLiteral("适应窗口大小") : QString();
    if (value.isEmpty())
        return false;
    b.task.kind = QStringLiteral("显示比例");
    b.command(QStringLiteral("显示比例"), {{QStringLiteral("比例"), value}});
    b.goal(QStringLiteral("doc.显示比例.比例"), value);
    return true;
}

// Commands whose fields are slide attributes of one placeholder or object.
bool objectFormat(const Text &t, Builder &b, const QString &commandId, const QList<std::pair<QString, QString>> &values,
                  const QString &kind, const QString &prefix = {})
{
    const QString object = t.firstOf(objectWords);
    if (object.isEmpty() || values.isEmpty())
        return false;
    b.task.kind = kind;
    const int n = t.slide();
    if (!QStringList{QStringLiteral("标题"), QStringLiteral("正文"), QStringLiteral("副标题")}.contains(object))
        b.start(slidePath(n, object), QStringLiteral("1"));
    b.select(n);
    QList<std::pair<QString, QString>> fields{{QStringLiteral("对象"), object}};
    fields += values;
    b.command(commandId, fields);
    for (const auto &[name, value] : values)
        b.goal(slidePath(n, (prefix.isEmpty() ? object : prefix + u'.' + object) + u'.' + name), value);
    return true;
}

bool font(const Text &t, Builder &b)
{
    if (t.has("母版") || t.has("替换") || t.has("格式刷") || t.has("中文版式") || t.has("清除") || t.has("项目符号")
        || t.has("字符间距") || t.has("编号") || t.has("大写") || t.has("下标") || t.has("“2005”") || t.has("增大字号")
        || t.has("超链接") || t.has("西文字体") || t.has("重点项目") || t.has("下划线颜色") || t.has("第一段")
        || t.has("插入艺术字") || t.has("插入符号"))
        return false;
    QList<std::pair<QString, QString>> values;
    static const QStringList fonts = {QStringLiteral("黑体"), QStringLiteral("隶书"), QStringLiteral("楷体_GB2312"),
                                      QStringLiteral("宋体"), QStringLiteral("仿宋_GB2312"), QStringLiteral("华文行楷")};
    for (const QString &q : t.quoted)
        if (fonts.contains(q))
            values.append({QStringLiteral("中文字体"), q});
    const QString size = t.capture("([0-9]+)磅");
    if (!size.isEmpty() && t.has("字号"))
        values.append({QStringLiteral("字号"), size});
    const QString shape = t.has("加粗倾斜") || (t.has("加粗") && t.has("倾斜")) ? QStringLiteral("加粗倾斜")
                        : t.has("加粗") ? QStringLiteral("加粗") : t.has("倾斜") ? QStringLiteral("倾斜") : QString();
    if (!shape.isEmpty())
        values.append({QStringLiteral("字形"), shape});
    if (t.has("颜色")) {
        const QString colour = t.firstOf(colourWords);
        if (!colour.isEmpty())
            values.append({QStringLiteral("颜色"), colour});
    }
    if (t.has("下划线"))
        values.append({QStringLiteral("下划线"), QStringLiteral("单线")});
    for (const char *effect : {"阴影", "阴文"})
        if (t.has(effect))
            values.append({QStringLiteral("效果"), QString::fromUtf8(effect)});
    if (!t.has("文字") && !t.has("字号") && !t.has("字体"))
        return false;
    return objectFormat(t, b, QStringLiteral("字体"), values, QStringLiteral("字体"));
}

bool alignment(const Text &t, Builder &b)
{
    const QString align = t.firstOf({QStringLiteral("居中对齐"), QStringLiteral("两端对齐"), QStringLiteral("右对齐"),
                                     QStringLiteral("分散对齐"), QStringLiteral("左对齐")});
    if (align.isEmpty() || t.has("垂直") || t.has("表格") || t.has("顶端"))
        return false;
    return objectFormat(t, b, QStringLiteral("对齐方式"), {{QStringLiteral("对齐"), align}}, QStringLiteral("对齐"));
}

// Slide attributes set for one slide or, by 应用范围, for all.
bool slideSetting(const Text &t, Builder &b, const QString &commandId, const QString &prefix,
                  const QList<std::pair<QString, QString>> &values, const QString &kind, bool everySlide)
{
    if (values.isEmpty())
        return false;
    b.task.kind = kind;
    const int n = t.slide();
    b.select(n);
    QList<std::pair<QString, QString>> fields = values;
    fields.append({QStringLiteral("应用范围"), everySlide ? QStringLiteral("全部应用") : QStringLiteral("应用")});
    b.command(commandId, fields);
    for (int i = 1; i <= b.task.slides; ++i) {
        if (!everySlide && i != n)
            continue;
        for (const auto &[name, value] : values)
            b.goal(slidePath(i, prefix.isEmpty() ? name : prefix + u'.' + name), value);
    }
    return true;
}

bool background(const Text &t, Builder &b)
{
    if (!t.has("背景设置为") || t.has("母版"))
        return false;
    QString fill = t.firstOf({QStringLiteral("单色"), QStringLiteral("双色"), QStringLiteral("纹理"), QStringLiteral("图案"),
                              QStringLiteral("预设颜色"), QStringLiteral("图片")});
    if (fill.isEmpty())
        fill = t.firstOf(colourWords);
    if (fill == u"单色" || fill == u"双色")
        fill += QStringLiteral("渐变");
    if (fill == u"预设颜色")
        fill = QStringLiteral("预设");
    QList<std::pair<QString, QString>> values{{QStringLiteral("填充"), fill}};
    if (!t.quoted.isEmpty())
        values.append({QStringLiteral("设置"), t.quoted.join(QStringLiteral("、"))});
    return slideSetting(t, b, QStringLiteral("背景"), QStringLiteral("背景"), values, QStringLiteral("背景"), t.has("所有幻灯片"));
}

bool designTemplate(const Text &t, Builder &b)
{
    if (!t.has("设计模板") || t.has("新建") || t.quoted.isEmpty())
        return false;
    QString name = t.quoted.last();
    name.remove(QStringLiteral(".dpt"));
    return slideSetting(t, b, QStringLiteral("幻灯片设计"), {}, {{QStringLiteral("设计模板"), name}},
                        QStringLiteral("设计模板"), !t.has("只为"));
}

bool transition(const Text &t, Builder &b)
{
    if ((!t.has("切换效果") && !t.has("切换方式")) || t.quoted.isEmpty())
        return false;
    QList<std::pair<QString, QString>> values{{QStringLiteral("效果"), t.quoted.first()}};
    for (const QString &q : t.quoted.mid(1)) {
        if (q.endsWith(u"速"))
            values.append({QStringLiteral("速度"), q});
        else if (t.text.contains(QStringLiteral("声音为“") + q))
            values.append({QStringLiteral("声音"), q});
        else if (q.startsWith(u"每隔"))
            values.append({QStringLiteral("每隔"), q.mid(2)});
    }
    moreFields(t, QStringLiteral("幻灯片切换"), values, {QStringLiteral("换片方式")});
    return slideSetting(t, b, QStringLiteral("幻灯片切换"), QStringLiteral("切换"), values, QStringLiteral("幻灯片切换"),
                        t.has("所有幻灯片"));
}

bool customAnimation(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("^为第([0-9]+)张幻灯片(?:中)?的(副标题|标题|正文|图片|文本框|艺术字|自选图形|表格|图表|组织结构图)设置“([^”]+)”(进入|强调|退出)?(?:动画)?效果"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch() || t.has("同时") || t.has("分别"))
        return false;
    QList<std::pair<QString, QString>> values{{QStringLiteral("类别"), m.captured(4).isEmpty() ? QStringLiteral("进入") : m.captured(4)},
                                              {QStringLiteral("效果"), m.captured(3)}};
    for (const QString &q : t.quoted.mid(1)) {
        if (t.text.contains(QStringLiteral("方向为“") + q))
            values.append({QStringLiteral("方向"), q});
        else if (t.text.contains(QStringLiteral("速度为“") + q))
            values.append({QStringLiteral("速度"), q});
        else if (t.text.contains(QStringLiteral("开始方式为“") + q))
            values.append({QStringLiteral("开始"), q});
    }
    moreFields(t, QStringLiteral("自定义动画"), values);
    return objectFormat(t, b, QStringLiteral("自定义动画"), values, QStringLiteral("自定义动画"), QStringLiteral("动画"));
}

bool showSetUp(const Text &t, Builder &b)
{
    if ((!t.has("放映方式") && !t.has("放映时")) || t.has("过程中") || t.has("自定义放映") || t.has("排练") || t.has("打印"))
        return false;
    QList<std::pair<QString, QString>> values;
    for (const QString &q : t.quoted)
        if (Commands::find(QStringLiteral("设置放映方式"))->field(QStringLiteral("放映类型"))->choices.contains(q))
            values.append({QStringLiteral("放映类型"), q});
    // A range of slides: 从 the first 到 the last it names (the presentation's last one).
    static const QRegularExpression range(QStringLiteral("第([0-9]+)张到(?:第([0-9]+)张|最后一张)"));
    if (const QRegularExpressionMatch match = range.match(t.text); match.hasMatch()) {
        values.append({QStringLiteral("放映幻灯片"), QStringLiteral("从")});
        values.append({QStringLiteral("从"), match.captured(1)});
        values.append({QStringLiteral("到"), match.captured(2).isEmpty() ? QString::number(b.task.slides) : match.captured(2)});
    }
    for (const QString &option : Commands::find(QStringLiteral("设置放映方式"))->field(QStringLiteral("放映选项"))->choices)
        if (t.text.contains(option.section(u'，', 0, 0).remove(QStringLiteral("放映时")).remove(QStringLiteral("放映"))))
            values.append({QStringLiteral("放映选项"), option});
    if (t.has("绘图笔"))
        values.append({QStringLiteral("绘图笔颜色"), t.firstOf(colourWords)});
    if (t.has("换片方式")) {
        for (const QString &q : t.quoted)
            values.append({QStringLiteral("换片方式"), q});
    }
    if (values.isEmpty())
        return false;
    moreFields(t, QStringLiteral("设置放映方式"), values);
    // One value per field: later options of the same field join the first.
    QList<std::pair<QString, QString>> merged;
    for (const auto &[name, value] : values) {
        auto it = std::find_if(merged.begin(), merged.end(), [&](const auto &p) { return p.first == name; });
        if (it == merged.end())
            merged.append({name, value});
        else
            it->second += QStringLiteral("、") + value;
    }
    b.task.kind = QStringLiteral("设置放映方式");
    b.command(QStringLiteral("设置放映方式"), merged);
    for (const auto &[name, value] : merged)
        b.goal(QStringLiteral("doc.放映方式.") + name, value);
    return true;
}

bool insertObject(const Text &t, Builder &b)
{
    static const QRegularExpression table(QStringLiteral("插入一个([0-9]+)行([0-9]+)列的表格(?:，并在(第[0-9]+行第[0-9]+列)输入“([^”]+)”)?"));
    static const QRegularExpression textBox(QStringLiteral("插入一个(横排|竖排)文本框，输入文字“([^”]+)”"));
    static const QRegularExpression picture(QStringLiteral("插入考生文件夹中的图片“([^”]+)”"));
    static const QRegularExpression chart(QStringLiteral("插入一个图表，图表类型为“([^”]+)”"));
    QString id;
    QList<std::pair<QString, QString>> values;
    QRegularExpressionMatch m;
    if ((m = table.match(t.text)).hasMatch()) {
        id = QStringLiteral("表格");
        values = {{QStringLiteral("行数"), m.captured(1)}, {QStringLiteral("列数"), m.captured(2)}};
        if (!m.captured(3).isEmpty())
            values += {{QStringLiteral("单元格"), m.captured(3)}, {QStringLiteral("内容"), m.captured(4)}};
    } else if ((m = textBox.match(t.text)).hasMatch()) {
        id = QStringLiteral("文本框");
        values = {{QStringLiteral("方向"), m.captured(1)}, {QStringLiteral("文字"), m.captured(2)}};
    } else if ((m = picture.match(t.text)).hasMatch()) {
        id = QStringLiteral("图片");
        values = {{QStringLiteral("来源"), QStringLiteral("来自文件")}, {QStringLiteral("名称"), m.captured(1)}};
    } else if ((m = chart.match(t.text)).hasMatch()) {
        id = QStringLiteral("图表");
        values = {{QStringLiteral("类型"), m.captured(1)}};
    } else {
        return false;
    }
    b.task.kind = QStringLiteral("插入对象");
    const int n = t.slide();
    b.needSlides(n);
    b.select(n);
    b.command(id, values);
    b.goal(slidePath(n, id), QStringLiteral("1"));
    QString cell;
    for (const auto &[name, value] : values) {
        if (name == u"单元格")
            cell = value;
        else if (name == u"内容")   // the text typed into the cell is the cell's
            b.goal(slidePath(n, id + u'.' + cell), value);
        else
            b.goal(slidePath(n, id + u'.' + name), value);
    }
    return true;
}

bool print(const Text &t, Builder &b)
{
    if ((!t.text.startsWith(u"打印") && !t.has("讲义形式打印") && !t.has("设置逐份打印")) || t.has("预览"))
        return false;
    QList<std::pair<QString, QString>> values;
    const QString copies = t.capture("([0-9]+)份");
    if (!copies.isEmpty())
        values.append({QStringLiteral("份数"), copies});
    if (t.has("逐份"))
        values.append({QStringLiteral("逐份打印"), QStringLiteral("是")});
    const QString range = t.capture("的(第[0-9、]+(?:张到第[0-9]+)?张)幻灯片");
    if (!range.isEmpty()) {
        values.append({QStringLiteral("打印范围"), QStringLiteral("幻灯片")});
        values.append({QStringLiteral("幻灯片"), range});
    } else if (t.has("当前幻灯片")) {
        values.append({QStringLiteral("打印范围"), QStringLiteral("当前幻灯片")});
    }
    const QString content = t.firstOf({QStringLiteral("讲义"), QStringLiteral("备注页"), QStringLiteral("大纲视图")});
    if (!content.isEmpty())
        values.append({QStringLiteral("打印内容"), content});
    const QString perPage = t.capture("每页([0-9]+)张");
    if (!perPage.isEmpty())
        values.append({QStringLiteral("每页幻灯片数"), perPage});
    if (t.has("灰度"))
        values.append({QStringLiteral("颜色"), QStringLiteral("灰度")});
    if (t.has("“水平”"))
        values.append({QStringLiteral("顺序"), QStringLiteral("水平")});
    QStringList options;
    for (const char *o : {"幻灯片加框", "根据纸张调整大小", "打印隐藏幻灯片"})
        if (t.has(o) || (QString::fromUtf8(o) == u"幻灯片加框" && t.has("加框")) || (QString::fromUtf8(o) == u"打印隐藏幻灯片" && t.has("隐藏的幻灯片")))
            options << QString::fromUtf8(o);
    if (!options.isEmpty())
        values.append({QStringLiteral("选项"), options.join(QStringLiteral("、"))});
    if (values.isEmpty())
        values.append({QStringLiteral("打印范围"), QStringLiteral("全部")});
    b.task.kind = QStringLiteral("打印");
    b.command(QStringLiteral("打印"), values);
    for (const auto &[name, value] : values)
        b.goal(QStringLiteral("doc.打印.") + name, value);
    return true;
}

bool headerFooter(const Text &t, Builder &b)
{
    if (!t.has("为所有幻灯片添加") && !t.has("仅为当前幻灯片添加") && !t.has("为备注和讲义的页眉"))
        return false;
    QList<std::pair<QString, QString>> values;
    if (t.has("日期和时间") || t.has("固定日期"))
        values.append({QStringLiteral("日期和时间"), t.has("自动更新") ? QStringLiteral("自动更新") : QStringLiteral("固定")});
    if (t.has("固定日期") && !t.quoted.isEmpty())
        values.append({QStringLiteral("固定日期"), t.quoted.first()});
    else if (t.has("日期") && t.has("格式为") && !t.quoted.isEmpty())
        values.append({QStringLiteral("日期格式"), t.quoted.first()});
    if (t.has("幻灯片编号"))
        values.append({QStringLiteral("幻灯片编号"), QStringLiteral("是")});
    if (t.has("标题幻灯片中不显示"))
        values.append({QStringLiteral("标题幻灯片中不显示"), QStringLiteral("是")});
    if (t.has("页脚") && !t.quoted.isEmpty())
        values.append({QStringLiteral("页脚"), t.quoted.first()});
    if (t.has("页眉") && !t.quoted.isEmpty())
        values.append({QStringLiteral("备注和讲义页眉"), t.quoted.first()});
    if (t.has("页码"))
        values.append({QStringLiteral("页码"), QStringLiteral("是")});
    if (values.isEmpty())
        return false;
    values.append({QStringLiteral("应用范围"), t.has("仅为当前") ? QStringLiteral("应用") : QStringLiteral("全部应用")});
    b.task.kind = QStringLiteral("页眉和页脚");
    b.command(QStringLiteral("页眉和页脚"), values);
    for (const auto &[name, value] : values)
        b.goal(QStringLiteral("doc.页眉和页脚.") + name, value);
    return true;
}

// Slides copied or moved with the clipboard: "第5张幻灯片复制一份并粘贴到第2张幻灯片之后",
// "将第4张幻灯片移动到第1张幻灯片之前", "第3张和第5张幻灯片一起移动到演示文稿的末尾",
// "将第3张幻灯片上移一个位置".
bool arrangeSlides(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral(
        "第([0-9]+)张(?:和第([0-9]+)张)?幻灯片(?:一起)?(复制|移动|上移|下移)[^，。]*?"
        "(?:(?:到|在)(?:第([0-9]+)张幻灯片(之后|之前)|演示文稿的(末尾|最后))|一个位置)"));
    // "复制第6张幻灯片并将副本放在…" says the same as "第6张幻灯片复制…".
    static const QRegularExpression verbFirst(QStringLiteral("(复制|移动)(第[0-9]+张幻灯片)"));
    const QString text = QString(t.text).replace(verbFirst, QStringLiteral("\\2\\1"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch() || t.has("占位符"))
        return false;
    QList<int> sources{m.captured(1).toInt()};
    if (!m.captured(2).isEmpty())
        sources << m.captured(2).toInt();
    const QString verb = m.captured(3);
    const bool copy = verb == u"复制" || t.has("副本");
    QStringList titles = sampleTitles(b.task.slides);
    for (int n : sources)
        if (n < 1 || n > titles.size())
            return false;
    // Where the slides go, as "after slide k" of the list before anything moves (0: before the first).
    int after = titles.size();
    if (verb == u"上移")
        after = sources.first() - 2;
    else if (verb == u"下移")
        after = sources.first() + 1;
    else if (!m.captured(4).isEmpty())
        after = m.captured(4).toInt() - (m.captured(5) == u"之前" ? 1 : 0);
    if (after < 0 || after > titles.size())
        return false;
    b.task.kind = copy ? QStringLiteral("复制幻灯片") : QStringLiteral("移动幻灯片");
    // Titles carry the identity of the slides while the list changes.
    QStringList order = titles;
    const QString anchor = after > 0 ? titles.at(after - 1) : QString();
    QStringList placed;
    for (int n : sources) {
        const QString moved = titles.at(n - 1);
        int index = order.indexOf(moved);
        b.select(index + 1);
        b.command(copy ? QStringLiteral("复制") : QStringLiteral("剪切"));
        if (!copy)
            order.removeAt(index);
        // After the anchor and the slides placed before this one.
        int target = anchor.isEmpty() ? 0 : order.indexOf(anchor) + 1;
        target += placed.size();
        if (target == 0) {
            // Pasting puts a slide after the selected one: paste after the first, then move the first behind it.
            b.select(1);
            b.command(QStringLiteral("粘贴"));
            b.select(1);
            b.command(QStringLiteral("剪切"));
            b.command(QStringLiteral("粘贴"));
            order.insert(0, moved);
        } else {
            b.select(target);
            b.command(QStringLiteral("粘贴"));
            order.insert(target, moved);
        }
        placed << moved;
    }
    if (order == titles)
        return false;
    goalTitles(b, order);
    return true;
}

// Slides reused from another presentation: "从…“产品介绍.dps”中重用第2张幻灯片，将其插入到…第3张幻灯片之后",
// "将…“销售报告.dps”的全部幻灯片插入到当前演示文稿的末尾".
bool reuseSlides(const Text &t, Builder &b)
{
    if (!(t.has("重用") || (t.has("的全部幻灯片插入") || t.has("幻灯片插入到"))) || t.quoted.isEmpty())
        return false;
    const QString file = t.quoted.first();
    if (!file.contains(u'.'))
        return false;
    static const QRegularExpression reused(QStringLiteral("重用第([0-9]+)张"));
    static const QRegularExpression afterSlide(QStringLiteral("第([0-9]+)张幻灯片之后"));
    const QRegularExpressionMatch which = reused.match(t.text);
    const QRegularExpressionMatch where = afterSlide.match(t.text);
    const int after = where.hasMatch() ? where.captured(1).toInt() : b.task.slides;
    const QString slides = which.hasMatch() ? QStringLiteral("第%1张").arg(which.captured(1)) : QStringLiteral("全部");
    b.task.kind = QStringLiteral("重用幻灯片");
    b.select(after);
    b.command(QStringLiteral("幻灯片（从文件）"), {{QStringLiteral("文件"), file}, {QStringLiteral("幻灯片"), slides}});
    Session session(b.task.startDocument());
    b.task.playSolution(session);
    QStringList titles;
    for (const Slide &s : session.document().slides)
        titles << s.title;
    goalTitles(b, titles);
    return true;
}

// Starting the show: from the first slide, or from the current one.
bool startShow(const Text &t, Builder &b)
{
    if (!t.has("开始放映") && !t.has("F5") && !t.has("从当前幻灯片开始"))
        return false;
    if (t.has("自定义放映") || t.has("过程中"))
        return false;
    const int n = t.has("当前幻灯片") ? 2 : t.slide();
    b.task.kind = QStringLiteral("观看放映");
    if (n > 1)
        b.select(n);
    b.startShow(n > 1, t.has("F5"));
    b.goal(QStringLiteral("doc.放映"), n > 1 ? QStringLiteral("当前幻灯片") : QStringLiteral("第一张"));
    if (t.has("结束放映")) {
        b.show(QStringLiteral("结束"), QStringLiteral("按Esc键结束放映"));
        b.goal(QStringLiteral("doc.放映状态"), QStringLiteral("已结束"));
    }
    return true;
}

// Done while the show runs: the goal is what the 放映控制 command with the
// values the text gives leaves, the way there is the show's own: started
// with F5, then its context menu, its keys and the pen.
bool duringShow(const Text &t, Builder &b)
{
    if (!t.has("放映过程中"))
        return false;
    const CommandSpec &control = *Commands::find(QStringLiteral("放映控制"));
    QMap<QString, QString> v;
    for (const auto &[name, value] : fieldsFromText(t, control, {}))
        v.insert(name, value);
    if (v.isEmpty())
        return false;
    {
        Builder dialog = b;
        dialog.command(control.id, fieldsFromText(t, control, {}));
        goalFromSolution(dialog);
        b.task.goal = dialog.task.goal;
    }
    b.task.kind = control.id;
    auto rightClick = [](const QString &path) {
        return QStringLiteral("在放映中单击右键，选择%1").arg(path);
    };
    b.startShow(false, t.has("F5"));
    static const QRegularExpression slide(QStringLiteral("第([0-9]+)张"));
    if (const QString n = slide.match(v.value(QStringLiteral("定位"))).captured(1); !n.isEmpty()) {
        b.needSlides(n.toInt());
        b.show(QStringLiteral("定位 ") + n, rightClick(QStringLiteral("“定位至幻灯片”→第%1张幻灯片").arg(n)));
    }
    const QString ink = v.value(QStringLiteral("墨迹"));
    QString pointer = v.value(QStringLiteral("指针选项"));
    if (pointer.isEmpty() && !ink.isEmpty())
        pointer = QStringLiteral("绘图笔");
    if (pointer == u"永远隐藏")
        b.show(pointer, rightClick(QStringLiteral("“指针选项”→“箭头选项”→“永远隐藏”")));
    else if (!pointer.isEmpty())
        b.show(pointer, rightClick(QStringLiteral("“指针选项”→“%1”").arg(pointer)));
    if (const QString colour = v.value(QStringLiteral("墨迹颜色")); !colour.isEmpty())
        b.show(QStringLiteral("墨迹颜色 ") + colour, rightClick(QStringLiteral("“指针选项”→“墨迹颜色”→“%1”").arg(colour)));
    if (!ink.isEmpty() || (t.has("画") && (pointer == u"绘图笔" || pointer == u"荧光笔")))
        b.show(QStringLiteral("画线"), QStringLiteral("在幻灯片上按住鼠标左键拖动，画一条线"));
    if (ink == u"擦除")
        b.show(QStringLiteral("擦除墨迹"), rightClick(QStringLiteral("“指针选项”→“擦除幻灯片上的所有墨迹”")));
    if (const QString screen = v.value(QStringLiteral("屏幕")); !screen.isEmpty())
        b.show(screen, rightClick(QStringLiteral("“屏幕”→“%1”").arg(screen)));
    const QString operation = v.value(QStringLiteral("操作"));
    if (operation == u"上一张" || operation == u"下一张")
        b.show(QStringLiteral("下一张"), QStringLiteral("单击鼠标，切换到下一张幻灯片"));
    if (operation == u"上一张" || operation == u"帮助")
        b.show(operation, rightClick(QStringLiteral("“%1”").arg(operation)));
    if (ink == u"保留" || ink == u"放弃") {
        b.show(QStringLiteral("结束"), QStringLiteral("按Esc键结束放映"));
        b.show(ink + QStringLiteral("墨迹"), QStringLiteral("在“是否保留墨迹注释？”提示中单击“%1”").arg(ink));
    }
    return !b.task.goal.isEmpty();
}

// Rehearsing the show's timings goes through the rehearsal: each slide
// stays its seconds on the screen and 下一项 moves on; the answer to the
// question at its end keeps the new timings or not. Clearing and viewing
// the timings are the 排练时间 dialog's.
bool rehearsal(const Text &t, Builder &b)
{
    b.task.kind = QStringLiteral("排练计时");
    if (!t.has("排练计时")) {
        if (!t.has("排练时间") || (!t.has("清除") && !t.has("查看")))
            return false;
        b.command(QStringLiteral("排练时间"), {{QStringLiteral("操作"), t.has("清除") ? QStringLiteral("清除") : QStringLiteral("查看")}});
        goalFromSolution(b);
        return true;
    }
    QString seconds = t.capture("停留约?([0-9]+)秒");
    if (seconds.isEmpty())
        seconds = QStringLiteral("3");
    const bool keep = !t.has("不保留") && !t.has("放弃");
    b.task.steps.append({Kind::Menu, QStringLiteral("幻灯片放映"), {}, QStringLiteral("单击“幻灯片放映”菜单")});
    b.task.steps.append({Kind::Command, QStringLiteral("排练计时"), {}, QStringLiteral("单击“排练计时”命令，开始排练")});
    for (int n = 1; n <= b.task.slides; ++n)
        b.show(QStringLiteral("下一张"), QStringLiteral("第%1张幻灯片停留约%2秒（看“预演”工具栏上的时间）后，单击“下一项”").arg(n).arg(seconds));
    const QString question = QStringLiteral("在“是否保留新的幻灯片排练时间？”提示中单击“%1”").arg(keep ? QStringLiteral("是") : QStringLiteral("否"));
    b.show(keep ? QStringLiteral("保留排练时间 %1秒").arg(seconds) : QStringLiteral("放弃排练时间"), question);
    goalFromSolution(b);
    return true;
}

// Settings of the 选项 dialog: the setting the text names, each a control
// on its tab, and its value.
bool options(const Text &t, Builder &b)
{
    if (!t.has("“选项”对话框"))
        return false;
    const CommandSpec *spec = Commands::find(QStringLiteral("选项"));
    QStringList settings;
    for (const FieldSpec &field : spec->fields)
        settings << field.name;
    QString setting = t.firstOf(settings);
    if (setting.isEmpty()) {
        // The words of the controls' own labels.
        static const QList<std::pair<const char *, const char *>> labels = {
            {"最近使用", "最近使用的文件列表"}, {"声音反馈", "提供声音反馈"}, {"任务窗格", "显示任务窗格"},
            {"取消操作", "最多可取消操作数"}, {"备份", "生成备份文件"}, {"拼写", "检查拼写"}, {"保存格式", "默认保存格式"},
            {"度量单位", "度量单位"}, {"自动保存", "自动保存"},
        };
        for (const auto &[words, field] : labels)
            if (t.has(words)) {
                setting = QString::fromUtf8(field);
                break;
            }
    }
    if (setting.isEmpty())
        return false;
    QString value = t.capture("([0-9]+)(?:个|分钟)?(?:。|，|$)");
    if (value.isEmpty())
        value = t.capture("([0-9]+)分钟");
    if (value.isEmpty()) {
        const QStringList choices = spec->field(setting)->choices;
        for (const QString &q : t.quoted)
            if (choices.contains(q) && q != u"是" && q != u"否")
                value = q;
    }
    if (value.isEmpty())
        value = t.has("取消") || t.has("不显示") ? QStringLiteral("否") : QStringLiteral("是");
    b.task.kind = QStringLiteral("选项");
    b.command(QStringLiteral("选项"), {{setting, value}});
    b.goal(QStringLiteral("doc.选项.") + setting, value);
    return true;
}

// Views switched through the 视图 menu, a double click in the slide sorter
// included: "在幻灯片浏览视图中，双击第4张幻灯片，切换到该幻灯片的普通视图".
bool switchView(const Text &t, Builder &b)
{
    static const QRegularExpression doubleClick(QStringLiteral("^在幻灯片浏览视图中，双击第([0-9]+)张幻灯片"));
    const QRegularExpressionMatch m = doubleClick.match(t.text);
    if (!m.hasMatch())
        return false;
    b.task.kind = QStringLiteral("视图");
    b.start(QStringLiteral("doc.视图"), QStringLiteral("幻灯片浏览"));
    b.select(m.captured(1).toInt());
    b.command(QStringLiteral("普通"));
    b.goal(QStringLiteral("doc.视图"), QStringLiteral("普通"));
    return true;
}

// "将第2张幻灯片的标题设置为“第一季度”，并将其复制到第3张幻灯片的标题中."
bool titleCopied(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("^将第([0-9]+)张幻灯片的标题设置为“([^”]+)”，并将其复制到第([0-9]+)张幻灯片的标题"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    b.task.kind = QStringLiteral("标题文字");
    for (int n : {m.captured(1).toInt(), m.captured(3).toInt()}) {
        b.select(n);
        b.type(QStringLiteral("title"), m.captured(2));
        b.goal(slidePath(n, QStringLiteral("title")), m.captured(2));
    }
    return true;
}

// In the outline: "将第2张幻灯片标题后输入“项目进度”并按回车，建立一张新幻灯片".
bool outlineNewSlide(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片标题后输入“([^”]+)”并按回车，建立一张新幻灯片"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int after = m.captured(1).toInt();
    b.task.kind = QStringLiteral("插入幻灯片");
    QStringList titles = sampleTitles(b.task.slides);
    b.select(after);
    b.command(QStringLiteral("新幻灯片"), {{QStringLiteral("版式"), QStringLiteral("标题和文本")}});
    b.type(QStringLiteral("title"), m.captured(2));
    titles.insert(after, m.captured(2));
    goalTitles(b, titles);
    return true;
}

// "在第3张幻灯片的文本占位符中依次输入“市场”、“研发”、“生产”三行文字": one line each.
bool bodyLines(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("^在第([0-9]+)张幻灯片的文本占位符中依次输入((?:“[^”]+”、?)+)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const QString text = m.captured(2).remove(u'“').split(u'”', Qt::SkipEmptyParts).join(u'\n').remove(u'、');
    const int n = m.captured(1).toInt();
    b.task.kind = QStringLiteral("正文文字");
    b.select(n);
    b.type(QStringLiteral("body"), text);
    b.goal(slidePath(n, QStringLiteral("body")), text);
    return true;
}

// Two objects animated alike with one value each: "为第2张幻灯片的标题和正文分别设置“飞入”进入效果，
// 方向分别为“自左侧”和“自右侧”".
bool animationsEach(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^为第([0-9]+)张幻灯片的(副标题|标题|正文|图片|文本框)和(副标题|标题|正文|图片|文本框)分别设置“([^”]+)”(进入|强调|退出)效果，(方向|速度)分别为“([^”]+)”和“([^”]+)”"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int n = m.captured(1).toInt();
    b.task.kind = QStringLiteral("自定义动画");
    b.select(n);
    for (int i : {0, 1}) {
        const QString object = m.captured(2 + i);
        const QList<std::pair<QString, QString>> values{{QStringLiteral("类别"), m.captured(5)}, {QStringLiteral("效果"), m.captured(4)},
                                                        {m.captured(6), m.captured(7 + i)}};
        QList<std::pair<QString, QString>> fields{{QStringLiteral("对象"), object}};
        b.command(QStringLiteral("自定义动画"), fields + values);
        for (const auto &[name, value] : values)
            b.goal(slidePath(n, QStringLiteral("动画.%1.%2").arg(object, name)), value);
    }
    return true;
}

// "为第3张幻灯片中的图片添加1.5磅的蓝色实线边框": the object's line.
bool border(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("^为第([0-9]+)张幻灯片中的(图片|文本框|艺术字|自选图形)添加([0-9.]+磅)的(\\S+?色)(实线|虚线)边框"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch() || !colourWords.contains(m.captured(4)))
        return false;
    const int n = m.captured(1).toInt();
    b.task.kind = QStringLiteral("对象格式");
    b.select(n);
    const QList<std::pair<QString, QString>> values{{QStringLiteral("线条颜色"), m.captured(4)}, {QStringLiteral("线型"), m.captured(5)},
                                                    {QStringLiteral("线条粗细"), m.captured(3)}};
    b.command(QStringLiteral("对象格式"), QList<std::pair<QString, QString>>{{QStringLiteral("对象"), m.captured(2)}} + values);
    for (const auto &[name, value] : values)
        b.goal(slidePath(n, m.captured(2) + u'.' + name), value);
    return true;
}

// "使用“编辑”菜单中的“全选”命令选中第2张幻灯片中的所有对象，然后将它们删除".
bool clearAll(const Text &t, Builder &b)
{
    if (!t.has("“全选”命令") || !t.has("所有对象") || !t.has("删除"))
        return false;
    const int n = t.slide();
    b.task.kind = QStringLiteral("清除");
    b.select(n);
    b.command(QStringLiteral("全选"));
    b.command(QStringLiteral("清除"), {{QStringLiteral("清除"), QStringLiteral("全部")}});
    b.goal(QStringLiteral("doc.全选"), QStringLiteral("1"));
    b.goal(slidePath(n, QStringLiteral("清除.清除")), QStringLiteral("全部"));
    return true;
}

// "新建一个空白演示文稿，在第1张幻灯片的标题中输入“欢迎参加培训”": a fresh presentation of one title slide.
bool newPresentation(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("新建一个空白演示文稿(?:，在第1张幻灯片的标题(?:占位符)?中输入“([^”]+)”)?。?$"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    b.task.kind = QStringLiteral("新建");
    b.command(QStringLiteral("新建"), {{QStringLiteral("模板"), QStringLiteral("空白演示文稿")}});
    if (!m.captured(1).isEmpty())
        b.type(QStringLiteral("title"), m.captured(1));
    b.goal(QStringLiteral("doc.新建.模板"), QStringLiteral("空白演示文稿"));
    b.goal(QStringLiteral("count"), QStringLiteral("1"));
    b.goal(slidePath(1, QStringLiteral("layout")), QStringLiteral("标题幻灯片"));
    b.goal(slidePath(1, QStringLiteral("title")), m.captured(1));
    return true;
}

// "在幻灯片浏览视图中，选中第1张到第3张幻灯片", "…选中全部幻灯片": the selection.
bool selectSlides(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("^(在幻灯片浏览视图中，)?选中(?:第([0-9]+)张到第([0-9]+)张|全部)幻灯片。$"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const bool all = m.captured(2).isEmpty();
    if (all && m.captured(1).isEmpty())
        return false;   // 全选 selects the slides in the slide sorter only
    b.task.kind = QStringLiteral("选中幻灯片");
    if (!m.captured(1).isEmpty())
        b.start(QStringLiteral("doc.视图"), QStringLiteral("幻灯片浏览"));
    QList<int> slides;
    const int first = all ? 1 : m.captured(2).toInt();
    const int last = all ? b.task.slides : m.captured(3).toInt();
    for (int n = first; n <= last; ++n)
        slides << n;
    if (slides.size() < 2)
        return false;
    if (all)
        b.command(QStringLiteral("全选"));
    else
        b.select(slides);
    b.goal(QStringLiteral("doc.选中"), Document::slideNumbersText(slides));
    return true;
}

// "将当前演示文稿窗口最小化，然后再将其还原": the state of the document window.
bool windowState(const Text &t, Builder &b)
{
    if (!t.has("窗口最小化") && !t.has("窗口最大化"))
        return false;
    b.task.kind = QStringLiteral("窗口");
    const bool minimise = t.has("最小化");
    b.start(QStringLiteral("doc.窗口"), minimise ? QStringLiteral("最大化") : QStringLiteral("还原"));
    QString last = minimise ? QStringLiteral("最小化") : QStringLiteral("最大化");
    b.command(last);
    if (t.has("还原")) {
        last = QStringLiteral("还原");
        b.command(last);
    }
    b.goal(QStringLiteral("doc.窗口"), last);
    return true;
}

// "切换为全屏显示方式，然后恢复正常显示": full screen on, and off again.
bool fullScreen(const Text &t, Builder &b)
{
    if (!t.has("全屏显示") || t.has("幻灯片大小") || t.has("（4：3）"))
        return false;
    b.task.kind = QStringLiteral("全屏显示");
    b.command(QStringLiteral("全屏显示"));
    const bool back = t.has("恢复") || t.has("退出全屏") || t.has("关闭全屏");
    if (back)
        b.command(QStringLiteral("全屏显示"));
    b.goal(QStringLiteral("doc.全屏显示"), back ? QStringLiteral("0") : QStringLiteral("1"));
    return true;
}

// The format a slide's placeholders start with when a task copies it.
const QList<std::pair<QString, QString>> sampleFormat = {
    {QStringLiteral("中文字体"), QStringLiteral("隶书")}, {QStringLiteral("字号"), QStringLiteral("40")},
    {QStringLiteral("字形"), QStringLiteral("加粗")}, {QStringLiteral("颜色"), QStringLiteral("深蓝色")},
};

// "将第2张幻灯片中标题文字的格式用“格式刷”复制到第3张幻灯片的标题上".
bool formatPainter(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片中?(标题|副标题|正文)文字的格式用“格式刷”复制到第([0-9]+)张幻灯片的(标题|副标题|正文)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int from = m.captured(1).toInt(), to = m.captured(3).toInt();
    b.task.kind = QStringLiteral("格式刷");
    for (const auto &[name, value] : sampleFormat)
        b.start(slidePath(from, m.captured(2) + u'.' + name), value);
    b.select(from);
    b.command(QStringLiteral("格式刷"), {{QStringLiteral("对象"), m.captured(2)},
                                         {QStringLiteral("目标幻灯片"), QStringLiteral("第%1张").arg(to)},
                                         {QStringLiteral("目标对象"), m.captured(4)}});
    for (const auto &[name, value] : sampleFormat)
        b.goal(slidePath(to, m.captured(4) + u'.' + name), value);
    return true;
}

// "复制第1张幻灯片的标题占位符，并将其粘贴到第4张幻灯片中": the object with its text.
bool copyObject(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("复制第([0-9]+)张幻灯片的(标题|副标题|正文)(?:占位符)?，并将其粘贴到第([0-9]+)张幻灯片"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int from = m.captured(1).toInt(), to = m.captured(3).toInt();
    const Slide source = b.task.startDocument().slides.value(from - 1);
    b.task.kind = QStringLiteral("复制对象");
    b.select(from);
    b.command(QStringLiteral("复制对象"), {{QStringLiteral("对象"), m.captured(2)}});
    b.select(to);
    b.command(QStringLiteral("粘贴对象"));
    b.goal(slidePath(to, m.captured(2) + QStringLiteral("副本")), m.captured(2) == u"标题" ? source.title : source.body);
    return true;
}

int chineseCount(const QString &word)
{
    static const QString digits = QStringLiteral("零一两三四五六七八九");
    if (word == u"二")
        return 2;
    const int at = digits.indexOf(word);
    return at > 0 ? at : word.toInt();
}

// "使用“增大字号”按钮，将第1张幻灯片标题的字号增大两次": one size of the list each time.
bool fontSteps(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片(标题|副标题|正文)的字号(增大|减小)([一两二三四五]|[0-9]+)次"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int n = m.captured(1).toInt();
    const QString object = m.captured(2);
    const QString command = m.captured(3) + QStringLiteral("字号");
    const int times = chineseCount(m.captured(4));
    QStringList sizes = Commands::find(QStringLiteral("字体"))->field(QStringLiteral("字号"))->choices;
    const QString start = object == u"标题" ? QStringLiteral("44") : QStringLiteral("32");
    const int at = int(sizes.indexOf(start)) + (m.captured(3) == u"增大" ? times : -times);
    if (times < 1 || at < 0 || at >= sizes.size())
        return false;
    b.task.kind = QStringLiteral("字体");
    b.start(slidePath(n, object + QStringLiteral(".字号")), start);
    b.select(n);
    for (int i = 0; i < times; ++i)
        b.command(command, {{QStringLiteral("对象"), object}});
    b.goal(slidePath(n, object + QStringLiteral(".字号")), sizes.at(at));
    return true;
}

// "为第3张幻灯片中的图片同时添加“渐变”进入效果和“陀螺旋”强调效果": two effects in the object's list.
bool animationsTogether(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^为第([0-9]+)张幻灯片中?的(副标题|标题|正文|图片|文本框|艺术字|自选图形)同时添加“([^”]+)”(进入|强调|退出)效果和“([^”]+)”(进入|强调|退出)效果"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int n = m.captured(1).toInt();
    const QString object = m.captured(2);
    b.task.kind = QStringLiteral("自定义动画");
    if (!QStringList{QStringLiteral("标题"), QStringLiteral("正文"), QStringLiteral("副标题")}.contains(object))
        b.start(slidePath(n, object), QStringLiteral("1"));
    b.select(n);
    QStringList list;
    for (int i : {3, 5}) {
        b.command(QStringLiteral("自定义动画"), {{QStringLiteral("对象"), object}, {QStringLiteral("类别"), m.captured(i + 1)},
                                                 {QStringLiteral("效果"), m.captured(i)}});
        list << m.captured(i + 1) + QStringLiteral("：") + m.captured(i);
    }
    b.goal(slidePath(n, QStringLiteral("动画.%1.列表").arg(object)), list.join(QStringLiteral("、")));
    return true;
}

// "在第2张幻灯片中绘制一条红色、3磅粗的直线，末端为箭头样式": the line's colour, weight and arrow.
bool drawLine(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片中绘制一条(\\S+?色)、([0-9.]+磅)粗的直线(?:，(末端|始端|两端)为箭头)?"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch() || !colourWords.contains(m.captured(2)))
        return false;
    QList<std::pair<QString, QString>> values{{QStringLiteral("形状"), QStringLiteral("直线")}, {QStringLiteral("线条颜色"), m.captured(2)},
                                              {QStringLiteral("线条粗细"), m.captured(3)}};
    if (!m.captured(4).isEmpty())
        values.append({QStringLiteral("箭头样式"), m.captured(4) == u"两端" ? QStringLiteral("双向箭头") : m.captured(4) + QStringLiteral("箭头")});
    const int n = m.captured(1).toInt();
    b.task.kind = QStringLiteral("自选图形");
    b.select(n);
    b.command(QStringLiteral("自选图形"), values);
    b.goal(slidePath(n, QStringLiteral("自选图形")), QStringLiteral("1"));
    for (const auto &[name, value] : values)
        b.goal(slidePath(n, QStringLiteral("自选图形.") + name), value);
    return true;
}

// "在第4张幻灯片的图表中，将“第一季度”东部的数据修改为50": one value of the data sheet.
bool chartData(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片的图表中，将“([^”]+)”(\\S+?)的数据修改为([0-9.]+)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int n = m.captured(1).toInt();
    const QString cell = m.captured(2) + QStringLiteral("、") + m.captured(3);
    b.task.kind = QStringLiteral("图表选项");
    b.start(slidePath(n, QStringLiteral("图表")), QStringLiteral("1"));
    b.select(n);
    b.command(QStringLiteral("图表选项"), {{QStringLiteral("单元格"), cell}, {QStringLiteral("数据"), m.captured(4)}});
    b.goal(slidePath(n, QStringLiteral("图表.") + cell), m.captured(4));
    return true;
}

// "将第3张幻灯片表格的外边框设置为2.25磅的蓝色实线".
bool tableBorder(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片表格的外边框设置为([0-9.]+磅)的(\\S+?色)(实线|虚线)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch() || !colourWords.contains(m.captured(3)))
        return false;
    const int n = m.captured(1).toInt();
    const QList<std::pair<QString, QString>> values{{QStringLiteral("外边框"), m.captured(2)}, {QStringLiteral("线条颜色"), m.captured(3)},
                                                    {QStringLiteral("线型"), m.captured(4)}};
    b.task.kind = QStringLiteral("表格属性");
    b.start(slidePath(n, QStringLiteral("表格")), QStringLiteral("1"));
    b.select(n);
    b.command(QStringLiteral("表格属性"), values);
    for (const auto &[name, value] : values)
        b.goal(slidePath(n, QStringLiteral("表格.") + name), value);
    return true;
}

// "在第5张幻灯片的组织结构图中，为“技术部”添加两个下属": whom, what and how many.
bool orgChartAdd(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("第([0-9]+)张幻灯片的组织结构图中，为“([^”]+)”添加([一两二三四五]|[0-9]+)个(下属|同事|助手)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    const int n = m.captured(1).toInt();
    const QList<std::pair<QString, QString>> values{{QStringLiteral("选中"), m.captured(2)}, {QStringLiteral("添加"), m.captured(4)},
                                                    {QStringLiteral("数量"), QString::number(chineseCount(m.captured(3)))}};
    b.task.kind = QStringLiteral("组织结构图格式");
    b.start(slidePath(n, QStringLiteral("组织结构图")), QStringLiteral("1"));
    b.select(n);
    b.command(QStringLiteral("组织结构图格式"), values);
    for (const auto &[name, value] : values)
        b.goal(slidePath(n, QStringLiteral("组织结构图.") + name), value);
    return true;
}

// "将第1张幻灯片标题文字的字符间距设置为加宽3磅": the kind and the amount.
bool characterSpacing(const Text &t, Builder &b)
{
    static const QRegularExpression pattern(QStringLiteral("字符间距设置为(加宽|紧缩)([0-9.]+磅)"));
    const QRegularExpressionMatch m = pattern.match(t.text);
    if (!m.hasMatch())
        return false;
    return objectFormat(t, b, QStringLiteral("字符间距"), {{QStringLiteral("间距"), m.captured(1)}, {QStringLiteral("度量值"), m.captured(2)}},
                        QStringLiteral("字符间距"));
}

// The commands the texts ask for by their words, with the fields filled from
// the text: a quoted value that is one of a field's choices, a value after
// the field's name ("高度设置为8厘米", "作者设置为“张明”"), a yes/no field
// named in the text, a choice the text mentions, and the quoted names of
// files, addresses and texts for the fields that take them.
struct Recipe
{
    const char *keys;     // "a b|c": both a and b occur, or c does
    const char *command;
    const char *fixed = "";   // "field=value;…", "$q" is the first quoted value, an empty value keeps the field empty
    const char *start = "";   // "path=value;…"
};

const Recipe recipes[] = {
    {"动作按钮", "动作按钮"},
    {"插入艺术字", "艺术字"},
    {"动作路径", "自定义动画", "类别=动作路径"},
    {"“播放”动作", "自定义动画", "效果=播放"},
    {"设置动作|动作设置", "动作设置"},
    {"声音图标", "影片和声音"},
    {"动画 声音", "自定义动画"},
    {"自定义放映 放映方式", "设置放映方式", "放映幻灯片=自定义放映;自定义放映=$q"},
    {"复制 自定义放映", "自定义放映", "操作=复制"},
    {"自定义放映 中的|自定义放映 顺序", "自定义放映", "操作=编辑"},
    {"删除 自定义放映", "自定义放映", "操作=删除"},
    {"新建 自定义放映", "自定义放映", "操作=新建"},
    {"自定义放映", "自定义放映"},
    {"换片方式 张幻灯片", "幻灯片切换"},
    {"清除 排练|查看 排练", "排练时间"},
    {"换片方式", "设置放映方式"},
    {"放映过程中", "放映控制"},
    {"放映文件", "另存为"},
    {"取消 动画方案", "动画方案", "动画方案=无动画"},
    {"动画方案", "动画方案"},
    {"动画", "自定义动画"},
    {"配色方案", "幻灯片设计"},
    {"忽略母版", "背景"},
    {"关闭母版视图|返回普通视图", "普通", "", "doc.视图=幻灯片母版"},
    {"母版", "母版"},
    {"另存为网页|另存为 网页", "另存为网页"},
    {"另存", "另存为"},
    {"PDF", "输出为PDF"},
    {"打包", "打包"},
    {"打印预览", "打印预览"},
    {"占位符 高度|占位符 宽度|占位符 移动", "对象格式"},
    {"删除 占位符", "清除", "清除=全部"},
    {"幻灯片大小|幻灯片的宽度|起始值", "页面设置"},
    {"密码|文件属性", "属性"},
    {"插入 幻灯片编号", "幻灯片编号", "插入=是"},
    {"新建 窗口", "新建窗口"},
    {"排列|平铺", "全部重排"},
    {"切换到已打开", "全部重排"},
    {"全屏显示", "全屏显示"},
    {"关于", "关于金山演示"},
    {"帮助|F1", "金山演示帮助"},
    {"根据 新建|新建 演示文稿|新建 按钮", "新建"},
    {"任务窗格", "任务窗格"},
    {"切换到“大纲”选项卡", "左侧窗格", "选项卡=大纲"},
    {"重新显示 “大纲/幻灯片”窗格", "左侧窗格", "显示=显示;选项卡="},
    {"状态栏", "工具栏", "工具栏=状态栏"},
    {"工具栏 添加", "自定义"},
    {"显示格式", "大纲", "操作=显示格式"},
    {"增大字号", "字体", "字号=54"},
    {"工具栏", "工具栏"},
    {"标尺", "标尺"},
    {"网格", "网格和参考线"},
    {"恢复刚才", "恢复"},
    {"撤销", "撤销"},
    {"全部 字体 替换为", "替换", "替换字体=是"},
    {"所有 替换为|全部 替换为", "替换"},
    {"查找", "查找"},
    {"选中全部幻灯片", "全选"},
    {"关闭 选择保存", "关闭", "保存修改=是"},
    {"关闭当前演示文稿", "关闭"},
    {"退出", "退出"},
    {"打开", "打开"},
    {"保存", "保存"},
    {"金山表格|以对象形式", "对象"},
    {"表格", "表格属性"},
    {"图表", "图表选项"},
    {"插入 组织结构图", "组织结构图"},
    {"组织结构图", "组织结构图格式"},
    {"取消 组合", "组合", "操作=取消组合"},
    {"组合为", "组合"},
    {"置于", "叠放次序"},
    {"对齐 分布", "对齐或分布"},
    {"旋转|翻转", "旋转或翻转"},
    {"阴影", "阴影"},
    {"三维", "三维效果"},
    {"绘制|自选图形|云形标注", "自选图形"},
    {"插入 声音|插入 影片|声音 播放|影片 播放|循环播放", "影片和声音"},
    {"剪贴画", "图片", "来源=剪贴画"},
    {"删除 超链接", "超链接", "链接到=删除链接"},
    {"超链接", "超链接"},
    {"日期", "日期和时间"},
    {"插入符号|特殊符号", "符号"},
    {"取消 项目符号", "项目符号和编号", "项目符号=无"},
    {"项目符号|编号", "项目符号和编号"},
    {"行距|段前", "行距"},
    {"缩进", "段落"},
    {"大写|小写", "更改大小写"},
    {"字符间距", "字符间距"},
    {"中文版式", "中文版式"},
    {"清除 格式", "清除", "清除=格式"},
    {"垂直居中", "对齐方式"},
    {"下划线", "字体", "下划线=单线"},
    {"取消 下标|取消 上标", "字体", "效果=无"},
    {"字体|字号|加粗|倾斜|上标|下标", "字体"},
    {"艺术字|文本框|图片|填充颜色", "对象格式"},
    {"大纲 降级|大纲 提升|大纲 折叠|大纲 展开|大纲 删除|大纲 上移|大纲 下移|显示格式", "大纲"},
};

bool recipeMatches(const Text &t, const char *keys)
{
    for (const QString &alternative : QString::fromUtf8(keys).split(u'|', Qt::SkipEmptyParts)) {
        const QStringList words = alternative.split(u' ', Qt::SkipEmptyParts);
        if (std::all_of(words.begin(), words.end(), [&](const QString &w) { return t.text.contains(w); }))
            return true;
    }
    return false;
}

// The object a text speaks of, the earliest in the text; shapes are 自选图形.
QString objectOf(const Text &t)
{
    static const QList<std::pair<QString, QString>> words = {
        {QStringLiteral("副标题"), QStringLiteral("副标题")}, {QStringLiteral("标题"), QStringLiteral("标题")},
        {QStringLiteral("正文"), QStringLiteral("正文")}, {QStringLiteral("文本占位符"), QStringLiteral("正文")},
        {QStringLiteral("文本框"), QStringLiteral("文本框")}, {QStringLiteral("艺术字"), QStringLiteral("艺术字")},
        {QStringLiteral("图片"), QStringLiteral("图片")}, {QStringLiteral("自选图形"), QStringLiteral("自选图形")},
        {QStringLiteral("表格"), QStringLiteral("表格")}, {QStringLiteral("图表"), QStringLiteral("图表")},
        {QStringLiteral("组织结构图"), QStringLiteral("组织结构图")}, {QStringLiteral("影片"), QStringLiteral("影片")},
        {QStringLiteral("声音"), QStringLiteral("声音")}, {QStringLiteral("椭圆"), QStringLiteral("自选图形")},
        {QStringLiteral("矩形"), QStringLiteral("自选图形")}, {QStringLiteral("五角星"), QStringLiteral("自选图形")},
        {QStringLiteral("箭头"), QStringLiteral("自选图形")}, {QStringLiteral("图形"), QStringLiteral("自选图形")},
    };
    int best = -1;
    QString object;
    for (const auto &[word, name] : words) {
        const int at = t.text.indexOf(word);
        if (at >= 0 && (best < 0 || at < best)) {
            best = at;
            object = name;
        }
    }
    return object;
}

bool isYesNo(const FieldSpec &f)
{
    return f.choices == QStringList{QStringLiteral("是"), QStringLiteral("否")};
}

// What a choice is called in running text: "PPT 文件（*.ppt）" is "PPT".
QString choiceKey(const QString &choice)
{
    QString key = choice.section(u'（', 0, 0).section(u' ', 0, 0);
    return key.size() >= 2 ? key : choice;
}

// The field values a text gives for a command's dialog.
QList<std::pair<QString, QString>> fieldsFromText(const Text &t, const CommandSpec &spec, const QMap<QString, QString> &fixed)
{
    QMap<QString, QString> values = fixed;
    // Quoted names of menus, dialogs and tabs say where to go, not what to fill in.
    QStringList unused;
    QStringList offerable;
    for (const QString &q : t.quoted) {
        const QString after = t.text.mid(t.text.indexOf(QStringLiteral("“%1”").arg(q)) + q.size() + 2, 3);
        const bool place = after.startsWith(u"菜单") || after.startsWith(u"对话框") || after.startsWith(u"选项卡");
        if (!place) {
            offerable << q;
            if (!after.startsWith(u"工具栏") && !after.startsWith(u"按钮") && !fixed.values().contains(q))
                unused << q;
        }
    }
    static const QString colours = QStringList(colourWords).join(u'|');
    const QString valuePattern = QStringLiteral("(?:“([^”]+)”|(第[0-9、]+[张个次位行列](?:到第[0-9]+张|第[0-9]+[行列])?|(?:固定值|加宽|紧缩|左侧|右侧|上下左右各)?[0-9.]+(?:厘米|磅|行|列|秒|%|个|次|份|张|度|倍|分钟)?(?:[0-9]+[行列])?|(?:增加|降低|提高|减少)[一两二三四五六七八九十]次|%1))").arg(colours);
    static const QStringList generic = {QStringLiteral("设置"), QStringLiteral("操作"), QStringLiteral("其他"), QStringLiteral("格式")};
    const bool objectChoicesOwn = spec.field(QStringLiteral("对象")) && !spec.field(QStringLiteral("对象"))->choices.contains(QStringLiteral("正文"));
    auto skipped = [&](const FieldSpec &f) { return values.contains(f.name) || (f.name == u"对象" && !objectChoicesOwn); };
    // Several fields offering the same choices (two colours) take their value by name only.
    auto shared = [&](const FieldSpec &f) {
        return std::count_if(spec.fields.begin(), spec.fields.end(), [&](const FieldSpec &g) { return g.choices == f.choices; }) > 1;
    };
    // How running text calls some choices.
    static const QMap<QString, QString> aliases = {
        {QStringLiteral("本文档中的位置"), QStringLiteral("本文档中")}, {QStringLiteral("电子邮件地址"), QStringLiteral("电子邮件")},
    };
    auto offered = [](const FieldSpec &f, const QString &v) {
        for (const QString &c : f.choices)
            if (c == v || choiceKey(c) == v || (v.contains(u'：') && c == v.section(u'：', -1)))
                return c;
        return QString();
    };
    QList<std::pair<int, int>> taken;   // places of the text already read as a value
    auto take = [&](int at, int length) { taken.append({at, at + length}); };
    auto free = [&](int at, int length) {
        return std::none_of(taken.begin(), taken.end(), [&](const auto &span) { return at < span.second && span.first < at + length; });
    };
    for (const QString &v : fixed)
        if (const int at = t.text.indexOf(QStringLiteral("“%1”").arg(v)); at >= 0)
            take(at, v.size() + 2);
    // 1. A quoted value that one field offers: the last such value counts ("由“飞入”更改为“擦除”").
    for (const FieldSpec &f : spec.fields) {
        if (skipped(f) || shared(f))
            continue;
        for (const QString &q : offerable)
            if (const QString c = offered(f, q); !c.isEmpty()) {
                values.insert(f.name, c);
                unused.removeAll(q);
                take(t.text.indexOf(QStringLiteral("“%1”").arg(q)), q.size() + 2);
            }
    }
    // 2. A value right after the field's name, unless the name is part of another field's name.
    for (const FieldSpec &f : spec.fields) {
        if (skipped(f) || isYesNo(f) || generic.contains(f.name))
            continue;
        QString name = QRegularExpression::escape(f.name);
        if (f.name.endsWith(u"颜色") && f.name.size() > 2)
            name = QRegularExpression::escape(f.name.chopped(2)) + QStringLiteral("(?:颜色)?");
        else if (f.name.endsWith(u"度") && f.name.size() == 2)
            name = QRegularExpression::escape(f.name.chopped(1)) + QStringLiteral("度?");
        const QRegularExpression named(name + QStringLiteral("(?:文字)?(?:的)?(?:间距)?(?:设置为|更改为|调整为|修改为|改为|设置|为字高的|为预设的|为|约|到|至|掉)?") + valuePattern);
        for (auto it = named.globalMatch(t.text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const int at = m.capturedStart();
            const bool partOfAnother = std::any_of(spec.fields.begin(), spec.fields.end(), [&](const FieldSpec &g) {
                if (g.name == f.name)
                    return false;
                const int extra = g.name.size() - f.name.size();
                if (extra > 0 && g.name.endsWith(f.name) && at >= extra && t.text.mid(at - extra, g.name.size()) == g.name)
                    return true;
                return at >= g.name.size() && t.text.mid(at - g.name.size(), g.name.size()) == g.name;
            });
            if (partOfAnother || !free(at, m.capturedLength()))
                continue;
            QString value = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
            static const QRegularExpression unit(QStringLiteral("[磅张个]$"));
            if (f.name == u"字号" || !offered(f, QString(value).remove(unit)).isEmpty())
                value.remove(unit);
            if (!f.choices.isEmpty() && offered(f, value).isEmpty() && !f.choices.first().at(0).isDigit())
                continue;
            values.insert(f.name, offered(f, value).isEmpty() ? value : offered(f, value));
            unused.removeAll(m.captured(1));
            const int valueAt = m.captured(1).isEmpty() ? m.capturedStart(2) : m.capturedStart(1) - 1;
            take(valueAt, m.capturedEnd() - valueAt);
            break;
        }
    }
    // 3. A yes/no field named in the text: yes, unless the text takes it away.
    for (const FieldSpec &f : spec.fields) {
        const int at = t.text.indexOf(f.name);
        if (skipped(f) || !isYesNo(f) || at < 0)
            continue;
        const QString before = t.text.mid(std::max(0, at - 4), std::min(at, 4));
        const int clauseStart = std::max(t.text.lastIndexOf(u'，', at), t.text.lastIndexOf(u'、', at)) + 1;
        const QString clause = t.text.mid(clauseStart, at - clauseStart);
        const bool no = clause.startsWith(u"取消") || clause.startsWith(u"关闭") || before.contains(u'不') || before.contains(u"取消");
        values.insert(f.name, no ? QStringLiteral("否") : QStringLiteral("是"));
        take(at, f.name.size());
    }
    // 4. Choices the text mentions: longer ones first, later ones before earlier, never two on one place.
    //    Large vocabularies (effects) are quoted in the texts; colours shared by fields go by name,
    //    except to a field called just 颜色 when no other colour is named.
    struct Mention { QString field; QString choice; int at; int length; };
    QList<Mention> mentions;
    for (const FieldSpec &f : spec.fields) {
        const bool colour = f.choices.contains(QStringLiteral("红色"));
        if (skipped(f) || f.name == u"应用范围" || isYesNo(f) || (f.choices.size() > 12 && !colour))
            continue;
        if (shared(f)) {
            const bool otherNamed = std::any_of(spec.fields.begin(), spec.fields.end(), [&](const FieldSpec &g) {
                return g.name != f.name && g.choices == f.choices && (values.contains(g.name) || t.text.contains(g.name));
            });
            if (f.name != u"颜色" || otherNamed)
                continue;
        }
        for (const QString &c : f.choices) {
            for (const QString &word : {c, choiceKey(c), aliases.value(c)}) {
                if (word.size() < 2 || word.at(0).isDigit())
                    continue;
                const int at = t.text.lastIndexOf(word);
                if (at >= 0)
                    mentions.append({f.name, c, int(at), int(word.size())});
            }
        }
    }
    std::sort(mentions.begin(), mentions.end(), [](const Mention &a, const Mention &b) {
        return a.length != b.length ? a.length > b.length : a.at + a.length > b.at + b.length;
    });
    for (const Mention &mention : mentions) {
        if (values.contains(mention.field) || !free(mention.at, mention.length))
            continue;
        values.insert(mention.field, mention.choice);
        take(mention.at, mention.length);
    }
    // 5. The range of slides.
    if (spec.field(QStringLiteral("应用范围")))
        values.insert(QStringLiteral("应用范围"), t.has("所有") || t.has("全部幻灯片") || t.has("每张") ? QStringLiteral("全部应用") : QStringLiteral("应用"));
    // 6. Quoted names left over go to the fields that take names: files and addresses first.
    static const QStringList naming = {
        QStringLiteral("文件名"), QStringLiteral("文件"), QStringLiteral("地址"), QStringLiteral("运行程序"), QStringLiteral("图片"),
        QStringLiteral("名称"), QStringLiteral("文字"), QStringLiteral("选中文字"), QStringLiteral("选中"), QStringLiteral("查找内容"),
        QStringLiteral("替换为"), QStringLiteral("内容"), QStringLiteral("文本框"), QStringLiteral("命令"), QStringLiteral("切换到"),
        QStringLiteral("搜索"), QStringLiteral("网页标题"),
    };
    auto looksLikeFile = [](const QString &q) { return q.contains(u'.') || q.contains(u'@'); };
    for (const bool files : {true, false}) {
        for (const FieldSpec &f : spec.fields) {
            if (values.contains(f.name) || !f.choices.isEmpty() || !naming.contains(f.name) || unused.isEmpty())
                continue;
            const bool fileField = naming.indexOf(f.name) < 5;
            if (files != fileField)
                continue;
            for (const QString &q : unused)
                if (!files || looksLikeFile(q)) {
                    values.insert(f.name, q);
                    unused.removeOne(q);
                    break;
                }
        }
    }
    // 7. Slide lists and table cells for the fields that take them.
    for (const char *name : {"幻灯片", "放映幻灯片", "位置", "定位", "地址"}) {
        const FieldSpec *f = spec.field(QString::fromUtf8(name));
        if (!f || values.contains(f->name) || !f->choices.isEmpty())
            continue;
        const QString range = QString::fromUtf8(name) == u"位置" ? t.capture("(第[0-9]+行(?:第[0-9]+列)?(?:下方|上方)?|最后一[行列])")
                                                                : t.capture("(第[0-9、]+张(?:到第[0-9]+张)?)");
        if (!range.isEmpty() && (QString::fromUtf8(name) != u"地址" || t.slideNumbers.size() > 1))
            values.insert(f->name, QString::fromUtf8(name) == u"地址" ? QStringLiteral("第%1张幻灯片").arg(t.slideNumbers.last()) : range);
    }
    if (spec.field(QStringLiteral("对象")) && !values.contains(QStringLiteral("对象")) && !objectChoicesOwn) {
        const QString object = objectOf(t);
        if (!object.isEmpty())
            values.insert(QStringLiteral("对象"), object);
    }
    QList<std::pair<QString, QString>> ordered;
    for (const FieldSpec &f : spec.fields)
        if (values.contains(f.name) && !values.value(f.name).isEmpty())
            ordered.append({f.name, values.value(f.name)});
    return ordered;
}

// The goal is what the solution path leaves in the document.
void goalFromSolution(Builder &b)
{
    Session session(b.task.startDocument());
    b.task.playSolution(session);
    const Document before = b.task.startDocument();
    const Document after = session.document();
    // Where the path leaves the selection is no part of what was asked, nor
    // the way it went (a text asking for one says so: the author adds it).
    for (auto it = after.settings.begin(); it != after.settings.end(); ++it)
        if (before.settings.value(it.key()) != it.value() && it.key() != u"选中" && !it.key().startsWith(u"方式."))
            b.goal(QStringLiteral("doc.") + it.key(), it.value());
    for (int i = 0; i < after.slides.size(); ++i) {
        const Slide &slide = after.slides.at(i);
        const bool changed = i >= before.slides.size() || before.slides.at(i).title != slide.title
                          || before.slides.at(i).layout != slide.layout;
        if (changed) {
            b.goal(slidePath(i + 1, QStringLiteral("title")), slide.title);
            b.goal(slidePath(i + 1, QStringLiteral("layout")), slide.layout);
        }
    }
    for (int i = 0; i < after.slides.size(); ++i) {
        const auto &attributes = after.slides.at(i).attributes;
        for (auto it = attributes.begin(); it != attributes.end(); ++it)
            if (i >= before.slides.size() || before.slides.at(i).attributes.value(it.key()) != it.value())
                b.goal(slidePath(i + 1, it.key()), it.value());
    }
    if (after.slides.size() != before.slides.size())
        b.goal(QStringLiteral("count"), QString::number(after.slides.size()));
}

bool actsOnSlides(const CommandSpec &spec)
{
    return spec.effect == CommandSpec::Effect::SlideAttributes || spec.effect == CommandSpec::Effect::Animation;
}

// The menu a text names ("通过“视图”菜单…"), empty when it names none.
QString namedMenu(const Text &t)
{
    for (const QString &menu : Commands::menus())
        if (t.text.contains(QStringLiteral("“%1”菜单").arg(menu)))
            return menu;
    return {};
}

bool byRecipe(const Text &t, Builder &b, const Recipe &recipe, const QString &command)
{
    const CommandSpec *spec = Commands::find(command);
    if (!spec || !recipeMatches(t, recipe.keys))
        return false;
    QMap<QString, QString> fixed;
    for (const QString &pair : QString::fromUtf8(recipe.fixed).split(u';', Qt::SkipEmptyParts))
        fixed.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1).replace(QStringLiteral("$q"), t.quoted.value(0)));
    for (const QString &pair : QString::fromUtf8(recipe.start).split(u';', Qt::SkipEmptyParts))
        b.start(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    b.task.kind = spec->id;
    const QList<std::pair<QString, QString>> fields = spec->hasDialog() ? fieldsFromText(t, *spec, fixed) : QList<std::pair<QString, QString>>{};
    if (actsOnSlides(*spec)) {
        // "第1张和第2张幻灯片": each of them; otherwise the slide the text names.
        QList<int> slides{t.slide()};
        if (t.slideNumbers.size() == 2 && t.has("张和第") && !t.has("到第"))
            slides = t.slideNumbers;
        for (int n : slides) {
            b.needSlides(n);
            b.select(n);
            b.command(spec->id, fields);
        }
    } else {
        b.command(spec->id, fields);
    }
    goalFromSolution(b);
    return !b.task.goal.isEmpty();
}

// Everything else: the command the text names, its fields filled from the
// text ("作者设置为“张明”" fills 作者), or its main field with the text's
// quoted value or the requirement itself.
struct Fallback { const char *keyword; const char *command; };
const Fallback fallbacks[] = {
    {"母版", "母版"}, {"配色方案", "幻灯片设计"}, {"动画方案", "动画方案"}, {"自定义放映", "自定义放映"},
    {"排练", "排练时间"}, {"放映过程中", "放映控制"}, {"开始放映", "观看放映"}, {"F5", "观看放映"},
    {"放映", "设置放映方式"}, {"动作按钮", "动作按钮"}, {"动作", "动作设置"}, {"超链接", "超链接"},
    {"艺术字", "艺术字"}, {"组织结构图", "组织结构图"}, {"图表", "图表"}, {"表格", "表格"}, {"声音", "影片和声音"},
    {"影片", "影片和声音"}, {"自选图形", "自选图形"}, {"箭头", "自选图形"}, {"矩形", "自选图形"}, {"椭圆", "自选图形"},
    {"五角星", "自选图形"}, {"正圆", "自选图形"}, {"直线", "自选图形"}, {"标注", "自选图形"}, {"图形", "自选图形"},
    {"大纲", "大纲"}, {"动画", "自定义动画"}, {"切换", "幻灯片切换"}, {"图片", "对象格式"}, {"剪贴画", "图片"},
    {"文本框", "对象格式"}, {"项目符号", "项目符号和编号"}, {"编号", "项目符号和编号"}, {"行距", "行距"}, {"段前", "行距"},
    {"符号", "符号"}, {"日期", "日期和时间"}, {"对象", "对象"}, {"查找", "查找"}, {"替换", "替换"}, {"撤销", "撤销"},
    {"恢复", "恢复"}, {"网页", "另存为网页"}, {"PDF", "输出为PDF"}, {"打包", "打包"}, {"另存", "另存为"},
    {"密码", "属性"}, {"属性", "属性"}, {"选项", "选项"}, {"工具栏", "工具栏"}, {"任务窗格", "任务窗格"},
    {"标尺", "标尺"}, {"网格", "网格和参考线"}, {"关于", "关于金山演示"}, {"帮助", "金山演示帮助"}, {"F1", "金山演示帮助"},
    {"窗口", "全部重排"}, {"幻灯片大小", "页面设置"}, {"宽度", "页面设置"}, {"起始值", "页面设置"},
    {"打印预览", "打印预览"}, {"打印", "打印"}, {"保存", "保存"}, {"打开", "打开"}, {"新建", "新建"},
    {"关闭", "关闭"}, {"退出", "退出"}, {"选中", "全选"}, {"中文版式", "对象格式"}, {"版式", "幻灯片版式"}, {"视图", "幻灯片浏览"},
};

void fallback(const Text &t, Builder &b, const QString &forced = {})
{
    QString id = forced.isEmpty() ? QStringLiteral("对象格式") : forced;
    const QString menu = namedMenu(t);
    for (const Fallback &f : fallbacks)
        if (forced.isEmpty() && t.has(f.keyword) && (menu.isEmpty() || Commands::find(QString::fromUtf8(f.command))->menu == menu)) {
            id = QString::fromUtf8(f.command);
            break;
        }
    if (forced.isEmpty() && !menu.isEmpty() && Commands::find(id)->menu != menu) {
        // The text names a menu: its first command with a dialog stands for what is asked.
        for (const CommandSpec &spec : Commands::all())
            if (spec.menu == menu && spec.hasDialog()) {
                id = spec.id;
                break;
            }
    }
    const CommandSpec *spec = Commands::find(id);
    b.task.kind = QStringLiteral("操作：") + id;
    const QString requirement = QString(t.text).remove(u'。').section(u'，', -1).trimmed();
    QList<std::pair<QString, QString>> values;
    if (spec->hasDialog()) {
        QStringList unused;
        for (const QString &q : t.quoted)   // not the names of menus, commands and dialogs
            if (!QRegularExpression(QStringLiteral("“%1”(菜单|命令|对话框)").arg(QRegularExpression::escape(q))).match(t.text).hasMatch())
                unused << q;
        for (const FieldSpec &field : spec->fields) {
            const QRegularExpression named(QRegularExpression::escape(field.name) + QStringLiteral("(?:设置)?为?“([^”]+)”"));
            const QRegularExpressionMatch m = named.match(t.text);
            if (m.hasMatch() && field.name != u"对象") {
                values.append({field.name, m.captured(1)});
                unused.removeOne(m.captured(1));
            }
        }
        if (values.isEmpty()) {
            // The field that takes the requirement: one for anything else, else the first free one, else the last.
            const FieldSpec *main = &spec->fields.last();
            for (const FieldSpec &field : spec->fields)
                if (field.choices.isEmpty() && field.name != u"对象") {
                    main = &field;
                    break;
                }
            for (const char *name : {"格式", "设置", "其他"})
                if (const FieldSpec *other = spec->field(QString::fromUtf8(name)); other && other->choices.isEmpty()) {
                    main = other;
                    break;
                }
            const QString value = unused.isEmpty() ? requirement : unused.join(QStringLiteral("、"));
            values.append({main->name, value});
        }
        if (spec->field(QStringLiteral("对象"))) {
            const QString object = t.firstOf(objectWords);
            if (!object.isEmpty())
                values.prepend({QStringLiteral("对象"), object});
        }
    }
    const int n = t.slide();
    b.needSlides(n);
    if (actsOnSlides(*spec))
        b.select(n);
    b.command(id, values);
    goalFromSolution(b);
}

} // namespace

namespace {

// "A，然后B": both parts in turn, each derived on its own.
bool inTurn(const Text &t, Builder &b)
{
    const int then = t.text.indexOf(QStringLiteral("，然后"));
    if (then < 0)
        return false;
    QString second = t.text.mid(then + 3);
    if (!second.endsWith(u'。'))
        second += u'。';
    const Task parts[] = {deriveTask(b.task.th, t.text.left(then) + u'。'), deriveTask(b.task.th, second)};
    QStringList kinds;
    for (const Task &part : parts) {
        if (part.kind.startsWith(QStringLiteral("操作：")) || part.slides != b.task.slides || !part.start.isEmpty())
            return false;
        kinds << part.kind;
        b.task.steps += part.steps;
        for (const TaskCheck &check : part.goal) {
            auto same = std::find_if(b.task.goal.begin(), b.task.goal.end(), [&](const TaskCheck &c) { return c.path == check.path; });
            if (same == b.task.goal.end())
                b.task.goal.append(check);
            else
                *same = check;
        }
    }
    kinds.removeDuplicates();
    b.task.kind = kinds.join(QStringLiteral("、"));
    return true;
}

} // namespace

Task deriveTask(const QString &th, const QString &questionText)
{
    const Text t(questionText.trimmed());
    Builder b;
    b.task.th = th;
    b.task.text = t.text;
    int highest = 6;
    for (int n : t.slideNumbers)
        highest = std::max(highest, n + 1);
    b.task.slides = highest;

    using Rule = bool (*)(const Text &, Builder &);
    const Rule rules[] = {insertSlide, deleteSlides, copyOrMoveSlide, arrangeSlides, reuseSlides, hideSlides, changeLayout,
                          view, notes, titleText, titleCopied, outlineNewSlide, switchView, zoom, insertObject, customAnimation,
                          transition, background, designTemplate, alignment, font, headerFooter, showSetUp, print,
                          startShow, duringShow, rehearsal, options, bodyLines, animationsEach, border, clearAll, newPresentation, selectSlides,
                          windowState, fullScreen, formatPainter, copyObject, fontSteps, animationsTogether, drawLine,
                          chartData, tableBorder, orgChartAdd, characterSpacing};
    for (Rule rule : rules) {
        Builder attempt = b;
        if (rule(t, attempt) && attempt.task.problems().isEmpty())
            return attempt.task;
    }
    if (Builder attempt = b; inTurn(t, attempt) && attempt.task.problems().isEmpty())
        return attempt.task;
    // A command the text names ("使用“编辑”菜单中的“复制”命令") or a command of the menu it names comes first.
    const QString menu = namedMenu(t);
    QList<std::pair<Recipe, QString>> ordered;
    for (const QString &q : t.quoted)
        if (t.text.contains(QStringLiteral("“%1”命令").arg(q)) && Commands::find(q) && Commands::find(q)->hasDialog())
            ordered.append({Recipe{"", ""}, q});
    for (const Recipe &recipe : recipes)
        if (!menu.isEmpty() && Commands::find(QString::fromUtf8(recipe.command))->menu == menu)
            ordered.append({recipe, QString::fromUtf8(recipe.command)});
    for (const Recipe &recipe : recipes)
        ordered.append({recipe, QString::fromUtf8(recipe.command)});
    for (const auto &[recipe, command] : ordered) {
        Builder attempt = b;
        if (byRecipe(t, attempt, recipe, command) && attempt.task.problems().isEmpty())
            return attempt.task;
    }
    Builder generic = b;
    fallback(t, generic);
    if (generic.task.goal.isEmpty())  // the named command changes nothing here: the general one does
        fallback(t, b, QStringLiteral("对象格式"));
    else
        b = generic;
    return b.task;
}

QStringList readAuthoredTasks(const ContentSources &sources, QList<Task> *tasks)
{
    QStringList problems;
    QSet<QString> asked;
    for (qsizetype i = 0; i < sources.questions.size(); ++i) {
        const ContentSources::Question &question = sources.questions.at(i);
        asked.insert(question.th);
        if (!sources.tasks.contains(question.th)) {
            problems << QStringLiteral("%1: 题目%2没有任务（请在 tasks/ 中编写）").arg(sources.where.questions.value(i), question.th);
            continue;
        }
        const QString where = sources.where.tasks.value(question.th) + QStringLiteral(": 题目%1的任务：").arg(question.th);
        QStringList errors;
        Task task = Task::parse(sources.tasks.value(question.th), &errors);
        if (errors.isEmpty() && task.text != question.ti)
            errors << QStringLiteral("题目文字与题库不同（题库为“%1”）").arg(question.ti);
        if (errors.isEmpty())
            errors = task.problems();
        for (const QString &error : std::as_const(errors))
            problems << where + error;
        if (tasks)
            tasks->append(task);
    }
    for (auto it = sources.where.tasks.begin(); it != sources.where.tasks.end(); ++it)
        if (!asked.contains(it.key()))
            problems << QStringLiteral("%1: 题库中没有题目%2").arg(it.value(), it.key());
    return problems;
}

void writeSimulatorFolders(const QList<Task> &tasks, const QString &programFolder, const QString &simulatorExecutable)
{
    QString root = programFolder;
    if (!root.endsWith(u'/'))
        root += u'/';
    for (const Task &task : tasks) {
        const QString folder = root + QStringLiteral("ovti/金山演示") + task.th;
        if (!QDir().mkpath(folder))
            throw StoreError(QStringLiteral("无法创建文件夹：%1").arg(folder));
        QFile file(folder + QStringLiteral("/task.txt"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            throw StoreError(QStringLiteral("无法写入任务文件：%1（%2）").arg(file.fileName(), file.errorString()));
        file.write(task.toText().toUtf8());
        file.close();
        const QString link = folder + QStringLiteral("/ov");
        QFile::remove(link);
        const QString target = QDir(folder).relativeFilePath(QFileInfo(simulatorExecutable).absoluteFilePath());
        if (!QFile::link(target, link))
            throw StoreError(QStringLiteral("无法创建模拟程序链接：%1").arg(link));
    }
}

QStringList checkTask(const QString &taskFile)
{
    QStringList errors;
    const Task task = Task::load(taskFile, &errors);
    if (errors.isEmpty())
        errors = task.problems();
    for (QString &line : errors)
        line = taskFile + QStringLiteral("：") + line;
    return errors;
}
