#include "session.h"

#include "master.h"

#include "commands.h"
#include "outline.h"
#include "shapes.h"
#include "textruns.h"
#include "textsearch.h"

#include <QRegularExpression>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace {

// The slides a presentation in another file holds: three, titled after the file.
QList<Slide> slidesOfFile(const QString &fileName, const QList<int> &numbers)
{
    const QString name = fileName.section(u'/', -1).section(u'.', 0, 0);
    QList<Slide> slides;
    for (int n : numbers) {
        Slide slide;
        slide.layout = QStringLiteral("标题和文本");
        slide.title = QStringLiteral("%1 第%2张").arg(name).arg(n);
        slides << slide;
    }
    return slides;
}

// The text format of an object: its attributes "<object>.<name>" with no deeper part.
// Where an object stands and what it is stacked and grouped with: no format
// of its own, so the format painter leaves it and a pasted copy takes its own.
bool isPlacement(const QString &key)
{
    static const QStringList placement = {QStringLiteral("位置"), QStringLiteral("坐标"), QStringLiteral("大小"),
                                          QStringLiteral("层次"), QStringLiteral("组合"), QStringLiteral("原组合"),
                                          QStringLiteral("旋转"), QStringLiteral("翻转")};
    return placement.contains(key);
}

QMap<QString, QString> formatOf(const Slide &slide, const QString &object)
{
    QMap<QString, QString> format;
    const QString prefix = object + u'.';
    for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it)
        if (it.key().startsWith(prefix) && !it.key().mid(prefix.size()).contains(u'.'))
            format.insert(it.key().mid(prefix.size()), it.value());
    return format;
}

// Settings of the program rather than of one presentation: a new presentation keeps them.
bool programSetting(const QString &key)
{
    static const QStringList program = {
        QStringLiteral("选项"), QStringLiteral("工具栏"), QStringLiteral("任务窗格"), QStringLiteral("左侧窗格"),
        QStringLiteral("标尺"), QStringLiteral("网格"), QStringLiteral("自定义"), QStringLiteral("帮助"),
        QStringLiteral("关于"), QStringLiteral("窗口"), QStringLiteral("全屏显示"),
    };
    return program.contains(key.section(u'.', 0, 0));
}

// The files of the candidate's folder the questions name: presentations to
// open or reuse, a template, pictures, a sound, a movie, a sheet, a program.
const QStringList &folderSamples()
{
    static const QStringList files = {
        QStringLiteral("产品介绍.dps"), QStringLiteral("销售报告.dps"), QStringLiteral("年度总结.dps"),
        QStringLiteral("蓝色经典.dpt"), QStringLiteral("风景.jpg"), QStringLiteral("背景.jpg"), QStringLiteral("符号.jpg"),
        QStringLiteral("封面.png"), QStringLiteral("背景音乐.wav"), QStringLiteral("提示音.mid"), QStringLiteral("宣传片.avi"),
        QStringLiteral("片头.mpg"), QStringLiteral("销量.xls"),
        QStringLiteral("计算器.exe"),
    };
    return files;
}

// The commands that write a file into the folder, and the extension each
// gives a name typed without one when no type is chosen.
const QMap<QString, QString> &savingCommands()
{
    static const QMap<QString, QString> commands = {
        {QStringLiteral("保存"), QStringLiteral("dps")}, {QStringLiteral("另存为"), QStringLiteral("dps")},
        {QStringLiteral("另存为网页"), QStringLiteral("htm")}, {QStringLiteral("输出为PDF"), QStringLiteral("pdf")},
    };
    return commands;
}

// The name a saving command writes: without folders, and with the type's
// extension when typed without one ("模板文件（*.dpt）"), else the command's.
QString savedName(const QString &commandId, const QMap<QString, QString> &fields)
{
    QString name = fields.value(QStringLiteral("文件名")).trimmed().section(u'/', -1).section(u'\\', -1);
    if (!name.isEmpty() && !name.contains(u'.')) {
        static const QRegularExpression extension(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
        const QString typed = extension.match(fields.value(QStringLiteral("保存类型"))).captured(1);
        name += u'.' + (typed.isEmpty() ? savingCommands().value(commandId) : typed);
    }
    return name;
}

} // namespace

int Session::defaultFontSize(const QString &object)
{
    if (object == u"标题")
        return 44;
    if (object == u"副标题" || object == u"正文")
        return 32;
    return 18;
}

Session::Session(Document document) : m_document(std::move(document))
{
    if (m_document.slides.isEmpty())
        m_document.slides.append(Slide{QStringLiteral("标题幻灯片"), {}, {}, {}, false, {}});
    setSelection({m_current});
}

QList<int> Session::selection() const
{
    QList<int> selected;
    for (int n : Document::slideNumbers(m_document.settings.value(QStringLiteral("选中"))))
        if (n <= m_document.slides.size())
            selected << n;
    if (!selected.contains(m_current))
        return {m_current};
    std::sort(selected.begin(), selected.end());
    return selected;
}

void Session::setSelection(const QList<int> &slides)
{
    m_document.settings.insert(QStringLiteral("选中"), Document::slideNumbersText(slides));
}

void Session::setEditing(const QString &part)
{
    QString editing = part == u"title" || part == u"body" ? part : QString();
    // The master's areas take the caret where they are shown: the date,
    // footer and number areas on the slide and title masters, and the
    // header area besides on the notes master.
    if (masterAreas(m_document).contains(part))
        editing = part;
    if (!editing.isEmpty())
        m_shapes.clear();   // the click went into the text
    if (editing != m_editing) {
        m_caret = -1;
        m_selectedText.clear();
    }
    m_editing = editing;
}

void Session::editAtCaret(const CommandSpec &spec, const QMap<QString, QString> &fields)
{
    Slide &slide = m_document.slides[m_current - 1];
    if (spec.id == u"符号") {
        // The symbol goes into the text at the caret.
        const QString symbol = fields.value(QStringLiteral("符号")).trimmed();
        if (!symbol.isEmpty() && m_editing.isEmpty() && m_shapes.size() == 1 && Shapes::kindOf(m_shapes.first()) == u"文本框") {
            // The caret in a text box: the symbol goes after its text.
            const QString key = m_shapes.first() + QStringLiteral(".文字");
            slide.attributes.insert(key, slide.attributes.value(key) + symbol);
            return;
        }
        if (symbol.isEmpty() || (m_editing != u"title" && m_editing != u"body"))
            return;
        QString &text = m_editing == u"title" ? slide.title : slide.body;
        const QString before = text;
        const int at = m_caret < 0 || m_caret > text.size() ? int(text.size()) : m_caret;
        text.insert(at, symbol);
        m_caret = at + int(symbol.size());
        TextRuns::followEdit(slide.attributes, editedObject(), before, text);
        return;
    }
    if (spec.id != u"大纲")
        return;
    const QString operation = fields.value(QStringLiteral("操作")).trimmed();
    const QString named = fields.value(QStringLiteral("内容")).trimmed();
    if (operation == u"全部折叠" || operation == u"全部展开") {
        for (Slide &each : m_document.slides)
            each.attributes.insert(QStringLiteral("大纲.操作"), operation.mid(2));
        return;
    }
    // Whole slides chosen by their icons (no caret in their text) move as slides.
    if ((operation == u"上移" || operation == u"下移") && m_editing.isEmpty() && named.isEmpty()) {
        const QList<int> chosen = selection();
        moveSlides(chosen, operation == u"上移" ? chosen.first() - 1 : chosen.last() + 2);
        return;
    }
    // The caret in a title: 降级 makes it a paragraph of the slide before.
    if (operation == u"降级" && m_editing == u"title" && (named.isEmpty() || named == slide.title.trimmed())) {
        const QString before = m_current > 1 ? m_document.slides.at(m_current - 2).body : QString();
        if (Outline::demoteTitle(m_document, m_current - 1)) {
            const int position = before.isEmpty() ? 0 : int(before.size()) + 1;
            m_current -= 1;
            setSelection({m_current});
            m_editing = QStringLiteral("body");
            m_caret = position;
        }
        return;
    }
    if (operation != u"降级" && operation != u"提升" && operation != u"上移" && operation != u"下移")
        return;
    // The paragraph the text names (the caret's when it is that one), or the caret's.
    const QStringList paragraphs = slide.body.split(u'\n');
    const int caretParagraph = m_editing == u"body"
        ? int(slide.body.left(m_caret < 0 ? slide.body.size() : m_caret).count(u'\n')) : -1;
    int paragraph = caretParagraph;
    if (!named.isEmpty() && (caretParagraph < 0 || paragraphs.value(caretParagraph).trimmed() != named)) {
        paragraph = -1;
        for (int i = 0; i < paragraphs.size() && paragraph < 0; ++i)
            if (paragraphs.at(i).trimmed() == named)
                paragraph = i;
    }
    if (paragraph < 0 || paragraph >= paragraphs.size())
        return;
    if (operation == u"降级") {
        Outline::demote(m_document, m_current - 1, paragraph);
    } else if (operation == u"上移" || operation == u"下移") {
        const int step = operation == u"上移" ? -1 : 1;
        if (Outline::moveParagraph(m_document, m_current - 1, paragraph, step) && m_editing == u"body") {
            const QStringList moved = m_document.slides.at(m_current - 1).body.split(u'\n');
            m_caret = int(moved.mid(0, paragraph + step).join(u'\n').size()) + (paragraph + step > 0 ? 1 : 0);
        }
    } else if (Outline::level(slide, paragraph) > 1) {
        Outline::promote(m_document, m_current - 1, paragraph);
    } else if (const int to = Outline::promote(m_document, m_current - 1, paragraph); to >= 0) {
        // A first-level paragraph promoted is the title of a new slide; the caret goes along.
        m_current = to + 1;
        setSelection({m_current});
        m_editing = QStringLiteral("title");
        m_caret = -1;
    }
}

qsizetype Session::selectionStart(const QString &whole) const
{
    // The caret stands at the selection's end.
    const qsizetype start = m_caret - m_selectedText.size();
    const bool standsThere = m_caret >= 0 && start >= 0 && QStringView(whole).mid(start, m_selectedText.size()) == m_selectedText;
    return standsThere ? start : whole.indexOf(m_selectedText);
}

void Session::setSelectedText(const QString &part, const QString &text, int start)
{
    // In the outline a paragraph of the current slide is chosen by its text:
    // a body paragraph before the title of the same words.
    if (part == u"outline") {
        const Slide &slide = m_document.slides.at(m_current - 1);
        const bool inBody = slide.body.split(u'\n').contains(text);
        setSelectedText(inBody || slide.title != text ? QStringLiteral("body") : QStringLiteral("title"), text);
        return;
    }
    setEditing(part);
    // A task names a later place of the same text by counting: "2005〔2〕".
    m_selectedText = m_editing.isEmpty() ? QString() : TextRuns::textOf(text);
    // The caret stands at the selection's end (its first place in the text
    // unless told where it stands).
    if (!m_selectedText.isEmpty()) {
        const Slide &slide = m_document.slides.at(m_current - 1);
        const QString &whole = m_editing == u"title" ? slide.title : slide.body;
        if (start < 0 && text != m_selectedText)
            start = int(TextRuns::startIn(whole, text));
        const int caret = m_caret;
        m_caret = start >= 0 ? start + int(m_selectedText.size()) : -1;
        const qsizetype at = selectionStart(whole);
        m_caret = at >= 0 ? int(at + m_selectedText.size()) : caret;
    }
}

QString Session::editedObject() const
{
    if (m_editing == u"title")
        return QStringLiteral("标题");
    // In a master view the body is the master's: the title master's is its subtitle.
    const QString master = Master::view(m_document);
    if (m_editing == u"body" && !master.isEmpty())
        return master == u"标题母版" ? QStringLiteral("副标题") : QStringLiteral("正文");
    if (m_editing == u"body")
        return m_document.slides.at(m_current - 1).layout == u"标题幻灯片" ? QStringLiteral("副标题") : QStringLiteral("正文");
    return masterAreas(m_document).contains(m_editing) ? masterArea(m_editing) : QString();
}

QString Session::masterArea(const QString &part)
{
    if (part == u"date")
        return QStringLiteral("日期区");
    if (part == u"footer")
        return QStringLiteral("页脚区");
    if (part == u"number")
        return QStringLiteral("数字区");
    if (part == u"header")
        return QStringLiteral("页眉区");
    return {};
}

QStringList Session::masterAreas(const Document &document)
{
    const QString master = Master::view(document);
    if (master == u"备注母版" || master == u"讲义母版")
        return {QStringLiteral("header"), QStringLiteral("date"), QStringLiteral("footer"), QStringLiteral("number")};
    if (master == u"幻灯片母版" || master == u"标题母版")
        return {QStringLiteral("date"), QStringLiteral("footer"), QStringLiteral("number")};
    return {};
}

bool Session::shownMasterAreas(const Document &document)
{
    const QString master = Master::view(document);
    return master == u"幻灯片母版" || master == u"标题母版";
}

QString Session::animatedObject() const
{
    if (const QString edited = editedObject(); !edited.isEmpty())
        return edited;
    const QString shape = m_shapes.value(0);
    if (Shapes::kindOf(shape) == u"媒体")
        return m_document.slides.at(m_current - 1).attributes.value(shape + QStringLiteral(".类型"), shape);
    return shape;
}

void Session::select(int slide)
{
    m_insertBefore = 0;
    if (slide != m_current) {
        setEditing({});
        m_shapes.clear();
    }
    m_current = std::clamp(slide, 1, int(m_document.slides.size()));
    setSelection({m_current});
}

void Session::select(const QList<int> &slides)
{
    QList<int> valid;
    for (int n : slides)
        if (n >= 1 && n <= m_document.slides.size())
            valid << n;
    if (valid.isEmpty())
        return;
    m_insertBefore = 0;
    if (valid.last() != m_current) {
        m_editing.clear();
        m_shapes.clear();
    }
    m_current = valid.last();
    setSelection(valid);
}

void Session::placeInsertionBar(int before)
{
    if (before < 1 || before > m_document.slides.size() + 1) {
        m_insertBefore = 0;
        return;
    }
    setEditing({});
    m_shapes.clear();
    // The slide before the bar is the one the status bar and the commands name.
    m_current = std::clamp(before - 1, 1, int(m_document.slides.size()));
    setSelection({m_current});
    m_insertBefore = before;
}

bool Session::runShowAction(const QString &action)
{
    const std::optional<ShowAction> taken = ShowActions::find(action);
    if (!taken)
        return false;
    if (!taken->command.isEmpty())
        run(taken->command, taken->fields);
    return true;
}

bool Session::moveSlides(const QList<int> &slides, int before)
{
    QList<int> moving;
    for (int n : slides)
        if (n >= 1 && n <= m_document.slides.size() && !moving.contains(n))
            moving << n;
    std::sort(moving.begin(), moving.end());
    if (moving.isEmpty() || before < 1 || before > m_document.slides.size() + 1)
        return false;
    State previous{m_document, m_current};
    QList<Slide> taken;
    for (int n : moving)
        taken << m_document.slides.at(n - 1);
    const int placeBefore = before - int(std::count_if(moving.begin(), moving.end(), [before](int n) { return n < before; }));
    for (auto it = moving.rbegin(); it != moving.rend(); ++it)
        m_document.slides.removeAt(*it - 1);
    QList<int> placed;
    for (qsizetype i = 0; i < taken.size(); ++i) {
        m_document.slides.insert(placeBefore - 1 + i, taken.at(i));
        placed << placeBefore + int(i);
    }
    m_current = placed.first();
    setSelection(placed);
    m_typing.clear();
    if (!(m_document.slides == previous.document.slides)) {
        remember(std::move(previous));
    }
    m_document.settings.insert(QStringLiteral("方式.移动幻灯片"), QStringLiteral("拖动"));
    return true;
}

void Session::setText(const QString &part, const QString &text)
{
    setEditing(part);
    // The master's prompt texts ("单击此处编辑母版标题样式"…) can be typed
    // over; the notes master's slide image holds none.
    const bool notesMaster = Master::view(m_document) == u"备注母版";
    if ((shownMasterAreas(m_document) && (part == u"title" || part == u"body")) || (notesMaster && part == u"body")) {
        const QString master = Master::view(m_document);
        const QString typing = QStringLiteral("%1.%2").arg(master, part);
        if (m_typing != typing) {
            remember({m_document, m_current});
            m_typing = typing;
        }
        m_document.settings.insert(QStringLiteral("母版.%1.%2").arg(master, part == u"title" ? QStringLiteral("标题") : QStringLiteral("正文")), text);
        return;
    }
    // A master view shows no slide: nothing typed there reaches one.
    if (!Master::view(m_document).isEmpty())
        return;
    const QString typing = QStringLiteral("%1.%2").arg(m_current).arg(part);
    if (m_typing != typing) {
        remember({m_document, m_current});
        m_typing = typing;
    }
    const Slide &edited = m_document.slides.at(m_current - 1);
    const QString before = part == u"title" ? edited.title : edited.body;
    // The body's paragraphs keep their levels and formats as its text changes.
    if (part == u"body")
        Outline::retext(m_document, m_current - 1, text);
    else
        m_document.setValue(QStringLiteral("slide%1.%2").arg(m_current).arg(part), text);
    if (part == u"title" || part == u"body")
        TextRuns::followEdit(m_document.slides[m_current - 1].attributes, editedObject(), before, text);
}

bool Session::breakParagraph()
{
    if (m_editing != u"body")
        return false;
    const QString &body = m_document.slides.at(m_current - 1).body;
    const int at = m_caret < 0 || m_caret > body.size() ? int(body.size()) : m_caret;
    remember({m_document, m_current});
    m_typing.clear();
    Outline::splitParagraph(m_document, m_current - 1, at);
    m_caret = at + 1;
    return true;
}

void Session::setAttributes(const CommandSpec &spec, const QMap<QString, QString> &fields)
{
    static const QStringList bulletOwn = {QStringLiteral("颜色"), QStringLiteral("大小"), QStringLiteral("字体"),
                                          QStringLiteral("图片")};
    QString object = fields.value(QStringLiteral("对象")).trimmed();
    if (object.isEmpty() && spec.field(QStringLiteral("对象")))
        object = editedObject();
    // Without an object named or the caret in one: the selected shapes, each.
    if (object.isEmpty() && spec.field(QStringLiteral("对象")) && !selectedShapes().isEmpty()) {
        const QStringList shapes = selectedShapes();
        // Grouping takes two shapes at least (the editor greys it otherwise).
        if (spec.id == u"组合" && fields.value(QStringLiteral("操作")).trimmed() == u"组合" && shapes.size() < 2)
            return;
        // Grouping and arranging take the selected shapes together.
        m_together = shapes;
        const auto apart = qScopeGuard([this] { m_together.clear(); });
        const QString media = spec.effect == CommandSpec::Effect::Animation ? animatedObject() : QString();
        for (const QString &shape : shapes) {
            QMap<QString, QString> own = fields;
            // An effect of a sound or a movie is kept under its kind (see animatedObject).
            own.insert(QStringLiteral("对象"), Shapes::kindOf(shape) == u"媒体" && !media.isEmpty() && shapes.size() == 1 ? media : shape);
            setAttributes(spec, own);
        }
        return;
    }
    const bool everySlide = fields.value(QStringLiteral("应用范围")) == u"全部应用";
    // A table cell or a value of the chart's data sheet is kept under the cell's name.
    const QString cell = fields.value(QStringLiteral("单元格")).trimmed();
    QString base = spec.prefix;
    if (!object.isEmpty())
        base = base.isEmpty() ? object : base + u'.' + object;
    QList<int> targets = m_masterObjects ? QList<int>{m_current} : selection();
    if (everySlide && !m_masterObjects) {
        targets.clear();
        for (int n = 1; n <= m_document.slides.size(); ++n)
            targets << n;
    }
    for (int n : targets) {
        Slide &target = m_masterObjects ? *m_masterObjects : m_document.slides[n - 1];
        QMap<QString, QString> &attributes = target.attributes;
        if (spec.marksObject)
            attributes.insert(spec.prefix, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            if (it.key() == u"对象" || it.key() == u"应用范围" || it.value().trimmed().isEmpty())
                continue;
            // Arranging relative to the slide is a way of the command, not the object's.
            if (spec.id == u"对齐或分布" && it.key() == u"相对于幻灯片")
                continue;
            QString name = it.key();
            QString value = it.value().trimmed();
            // 向左旋转90° and 向右旋转90° turn the object on from where it stands.
            if (spec.id == u"旋转或翻转" && name == u"旋转" && !object.isEmpty()
                && (value == u"向左旋转90°" || value == u"向右旋转90°")) {
                const double now = Shapes::degrees(attributes.value(base + QStringLiteral(".旋转"))).value_or(0);
                value = Shapes::degreesText(now + (value == u"向右旋转90°" ? 90 : -90));
            }
            // A flip mirrors the object from how it stands: the same flip
            // again gives it back as it was.
            if (spec.id == u"旋转或翻转" && name == u"翻转" && !object.isEmpty()) {
                value = Shapes::flipped(attributes.value(base + QStringLiteral(".翻转")), value);
                if (value.isEmpty()) {
                    attributes.remove(base + QStringLiteral(".翻转"));
                    continue;
                }
            }
            // The bullet has a colour, size, font and picture of its own,
            // apart from the text's.
            if (spec.id == u"项目符号和编号" && bulletOwn.contains(name))
                name = QStringLiteral("项目符号") + name;
            if (!cell.isEmpty() && name == u"单元格")
                continue;
            if (!cell.isEmpty() && (name == u"内容" || name == u"数据"))
                name = cell;
            attributes.insert(base.isEmpty() ? name : base + u'.' + name, value);
            // Formatting the whole placeholder reaches its runs as well.
            if (spec.field(QStringLiteral("选中文字")) && !object.isEmpty() && !object.contains(u'「'))
                TextRuns::clear(attributes, base, name);
        }
        // 每隔 unticked: the slide no longer advances after a time.
        if (spec.id == u"幻灯片切换" && fields.value(QStringLiteral("每隔")).trimmed() == u"否")
            attributes.remove(spec.prefix + QStringLiteral(".每隔"));
        placeShape(spec, fields, object, target);
        if (spec.effect != CommandSpec::Effect::Animation)
            continue;
        // The animation list of the object: one line "类别：效果" for each effect it was given.
        const QString listKey = base + QStringLiteral(".列表");
        const QString operation = fields.value(QStringLiteral("操作")).trimmed();
        const QString effect = fields.value(QStringLiteral("效果")).trimmed();
        QStringList list = attributes.value(listKey).split(QStringLiteral("、"), Qt::SkipEmptyParts);
        if (operation == u"删除") {
            list.clear();
        } else if (!effect.isEmpty()) {
            QString category = fields.value(QStringLiteral("类别")).trimmed();
            if (category.isEmpty())
                category = QStringLiteral("进入");
            const QString entry = category + QStringLiteral("：") + effect;
            if (operation == u"更改" && !list.isEmpty())
                list.last() = entry;
            else
                list << entry;
        }
        if (list.isEmpty())
            attributes.remove(listKey);
        else
            attributes.insert(listKey, list.join(QStringLiteral("、")));
        // The order the slide's objects play in: as their effects were
        // added, moved by 重新排序; the task pane lists them so.
        const QString orderKey = spec.prefix + QStringLiteral(".顺序");
        QStringList order = attributes.value(orderKey).split(QStringLiteral("、"), Qt::SkipEmptyParts);
        if (list.isEmpty())
            order.removeAll(object);
        else if (!order.contains(object) && !object.isEmpty())
            order << object;
        const QString move = fields.value(QStringLiteral("重新排序")).trimmed();
        if (const qsizetype at = order.indexOf(object); at >= 0 && !move.isEmpty()) {
            const qsizetype to = move == u"向前移动" ? at - 1 : at + 1;
            if (to >= 0 && to < order.size())
                order.move(at, to);
        }
        if (order.isEmpty())
            attributes.remove(orderKey);
        else
            attributes.insert(orderKey, order.join(QStringLiteral("、")));
    }
    // An object inserted on the slide under edit is left selected, so typing goes into it.
    if (spec.marksObject && targets.contains(m_current) && Shapes::find(m_document.slides.at(m_current - 1), spec.prefix))
        selectShape(spec.prefix);
}

QStringList Session::folderFiles() const
{
    QStringList files = folderSamples();
    for (const QString &file : m_saved)
        if (!files.contains(file))
            files << file;
    return files;
}

void Session::startWithHistory(bool undoable, bool redoable)
{
    m_history.clear();
    m_typing.clear();
    if (undoable) {
        State before{m_document, m_current};
        before.document.slides[m_current - 1].title.clear();
        remember(std::move(before));
    }
    if (redoable) {
        State inserted{m_document, m_current + 1};
        Slide slide;
        slide.layout = QStringLiteral("标题和文本");
        inserted.document.slides.insert(m_current, slide);
        // As if the slide had been inserted and taken back: a change back to
        // the presentation as it is, taken back from the inserted slide,
        // leaves that slide for 恢复.
        remember({m_document, m_current});
        m_history.undo(inserted);
    }
}

bool Session::run(const QString &commandId, const QMap<QString, QString> &fields, const QString &route)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return false;
    if (commandId == u"剪贴画") {
        // The clip art pane: a clip clicked is a picture from the gallery;
        // the words searched for and the boxes change nothing.
        const QString clip = fields.value(QStringLiteral("名称")).trimmed();
        if (clip.isEmpty())
            return true;
        return run(QStringLiteral("图片"), {{QStringLiteral("来源"), QStringLiteral("剪贴画")}, {QStringLiteral("名称"), clip}}, route);
    }
    // Noted after the change is remembered: the way alone is no step to undo.
    const auto noteRoute = qScopeGuard([&] {
        if (!route.isEmpty())
            m_document.settings.insert(QStringLiteral("方式.") + commandId, route);
    });
    m_typing.clear();
    m_notice.clear();
    QMap<QString, QString> values = fields;
    if (savingCommands().contains(commandId)) {
        const QString name = savedName(commandId, fields);
        if (!name.isEmpty()) {
            values.insert(QStringLiteral("文件名"), name);
            m_saved.removeAll(name);
            m_saved << name;
            // Slides saved as pictures leave the presentation under its own name.
            static const QRegularExpression picture(QStringLiteral("\\.(jpg|png)$"), QRegularExpression::CaseInsensitiveOption);
            if ((commandId == u"保存" || commandId == u"另存为") && !picture.match(name).hasMatch())
                m_fileName = name;
        }
    } else if ((commandId == u"打开" || commandId == u"最近使用的文件") && !fields.value(QStringLiteral("文件名")).trimmed().isEmpty()) {
        m_fileName = fields.value(QStringLiteral("文件名")).trimmed();
    } else if (spec->effect == CommandSpec::Effect::NewPresentation) {
        m_fileName.clear();
    }
    const bool undo = commandId == u"撤销";
    if (undo || commandId == u"恢复") {
        State now{m_document, m_current};
        if (undo ? m_history.undo(now) : m_history.redo(now))
            restore(now);
        apply(spec, fields);
        return true;
    }
    // In a master view, inserting and formatting act on the master; what
    // the view greys does nothing, whichever way it is reached.
    if (Master::greyed(m_document, commandId))
        return true;
    if (spec->marksObject && !Master::view(m_document).isEmpty()) {
        State before{m_document, m_current};
        insertOnMaster(*spec, values);
        remember(std::move(before));
        m_typing.clear();
        return true;
    }
    // An object of the master's own (its text box, a shape drawn on it) is
    // formatted, filled and turned on the master, and so on every slide
    // that follows it.
    if (const QString object = formattedMasterObject(*spec, values); !object.isEmpty()) {
        State before{m_document, m_current};
        values.insert(QStringLiteral("对象"), object);
        changeMasterObjects([&](Slide &objects) {
            m_masterObjects = &objects;
            const auto back = qScopeGuard([this] { m_masterObjects = nullptr; });
            setAttributes(*spec, values);
        });
        if (!(m_document == before.document))
            remember(std::move(before));
        m_typing.clear();
        return true;
    }
    if (const auto onMaster = Master::redirected(m_document, commandId, values, editedObject())) {
        spec = Commands::find(QStringLiteral("母版"));
        values = *onMaster;
    }
    else if (spec->field(QStringLiteral("选中文字")))
        formatSelectedRun(values);
    State before{m_document, m_current};
    apply(spec, values);
    m_insertBefore = 0;
    if (!(m_document == before.document)) {
        remember(std::move(before));
    }
    return true;
}

QString Session::formattedMasterObject(const CommandSpec &spec, const QMap<QString, QString> &fields) const
{
    const QString master = Master::view(m_document);
    if (master.isEmpty() || spec.effect != CommandSpec::Effect::SlideAttributes || spec.marksObject
        || !spec.field(QStringLiteral("对象")))
        return {};
    QString object = fields.value(QStringLiteral("对象")).trimmed();
    if (object.isEmpty() && editedObject().isEmpty() && m_shapes.size() == 1)
        object = m_shapes.first();
    const auto shape = object.isEmpty() ? std::nullopt : Shapes::find(Master::objects(m_document, master), object);
    return shape && !shape->placeholder ? object : QString();
}

QString Session::formattedObject(const QString &object) const
{
    const QString edited = editedObject();
    if (object != edited || edited.isEmpty() || m_selectedText.isEmpty())
        return object;
    const Slide &slide = m_document.slides.at(m_current - 1);
    const QString &whole = m_editing == u"title" ? slide.title : slide.body;
    // Text selected from end to end is the whole placeholder's.
    if (m_selectedText == whole || !whole.contains(m_selectedText))
        return object;
    return TextRuns::key(object, TextRuns::name(whole, selectionStart(whole), m_selectedText.size()));
}

QString Session::shownFormatObject(const QString &object) const
{
    if (object != editedObject() || object.isEmpty() || !m_selectedText.isEmpty() || m_caret < 0)
        return formattedObject(object);
    const Slide &slide = m_document.slides.at(m_current - 1);
    const QString run = TextRuns::at(slide.attributes, object, m_editing == u"title" ? slide.title : slide.body, m_caret);
    return run.isEmpty() ? object : TextRuns::key(object, run);
}

void Session::formatSelectedRun(QMap<QString, QString> &values) const
{
    // A named text (the dialog's own field) or the text selected in the
    // placeholder: the characters formatted are that run's alone.
    QString object = values.value(QStringLiteral("对象")).trimmed();
    if (object.isEmpty())
        object = editedObject();
    const QString named = values.take(QStringLiteral("选中文字")).trimmed();
    const QString run = named.isEmpty() || named == selectedText() ? formattedObject(object) : TextRuns::key(object, named);
    if (!object.isEmpty())
        values.insert(QStringLiteral("对象"), run);
}

void Session::showPane(const QString &commandId, const QString &route)
{
    // Showing a pane changes no presentation: nothing to undo.
    m_document.settings.insert(QStringLiteral("任务窗格"), QStringLiteral("1"));
    // 文件 → 新建 shows the 新建演示文稿 pane.
    m_document.settings.insert(QStringLiteral("任务窗格.任务窗格"), commandId == u"新建" ? QStringLiteral("新建演示文稿") : commandId);
    if (!route.isEmpty())
        m_document.settings.insert(QStringLiteral("方式.") + commandId, route);
}

void Session::remember(State before)
{
    m_history.push(std::move(before));
}

bool Session::canUndo() const
{
    return m_history.canUndo();
}

bool Session::canRedo() const
{
    return m_history.canRedo();
}

int Session::insertionPlace() const
{
    // The index new slides take: at the sorter's bar, else after the current slide.
    return m_insertBefore > 0 ? std::min(m_insertBefore - 1, int(m_document.slides.size())) : m_current;
}

void Session::restore(const State &state)
{
    m_insertBefore = 0;
    m_editing.clear();
    m_shapes.clear();
    m_document = state.document;
    m_current = std::clamp(state.current, 1, std::max(1, int(m_document.slides.size())));
}

void Session::apply(const CommandSpec *spec, const QMap<QString, QString> &fields)
{
    QList<Slide> &slides = m_document.slides;
    QMap<QString, QString> &settings = m_document.settings;
    const int currentBefore = m_current;
    const qsizetype countBefore = slides.size();
    const QList<int> selected = selection();
    using Effect = CommandSpec::Effect;
    // With shapes selected, 剪切 and 复制 take them; 粘贴 puts back the shape copied last.
    if (((spec->effect == Effect::Cut || spec->effect == Effect::Copy) && !selectedShapes().isEmpty())
        || (spec->effect == Effect::Paste && m_objectClipboard && m_copiedObject)) {
        shapeClipboard(spec->effect == Effect::Cut, spec->effect == Effect::Paste);
        return;
    }
    switch (spec->effect) {
    case Effect::SlideAttributes:
        setAttributes(*spec, fields);
        editAtCaret(*spec, fields);
        changeObjectText(*spec, fields);
        break;
    case Effect::FindReplace:
        findOrReplace(*spec, fields);
        settings.insert(spec->prefix, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (!it.value().trimmed().isEmpty())
                settings.insert(spec->prefix + u'.' + it.key(), it.value().trimmed());
        // A dialog confirmed keeps what it showed in the fields left alone.
        for (const FieldSpec &field : spec->fields)
            if (const QString initial = Commands::initialValue(spec->id, field.name); !initial.isEmpty())
                if (const QString key = spec->prefix + u'.' + field.name; settings.value(key).isEmpty())
                    settings.insert(key, initial);
        return;
    case Effect::Animation: {
        // The pane's 自动预览 tick and its 播放 and 幻灯片放映 buttons belong to
        // the slide, not to an effect: a preview is noted where the slide
        // has effects to play.
        const auto hasEffects = [](const Slide &slide) {
            for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it)
                if (it.key().startsWith(QStringLiteral("动画.")) && it.key().endsWith(QStringLiteral(".效果")))
                    return true;
            return false;
        };
        const QString preview = QStringLiteral("动画.预览");
        const QString automatic = fields.value(QStringLiteral("自动预览")).trimmed();
        QMap<QString, QString> effect = fields;
        effect.remove(QStringLiteral("自动预览"));
        effect.remove(QStringLiteral("预览"));
        for (int n : selected) {
            Slide &slide = slides[n - 1];
            if (!automatic.isEmpty())
                slide.attributes.insert(QStringLiteral("动画.自动预览"), automatic);
            if (!fields.value(QStringLiteral("预览")).trimmed().isEmpty() && hasEffects(slide))
                slide.attributes.insert(preview, QStringLiteral("是"));
        }
        effect.remove(QStringLiteral("对象"));
        if (effect.isEmpty() && fields.size() > (fields.contains(QStringLiteral("对象")) ? 1 : 0))
            break;   // the pane's settings only
        QMap<QString, QString> applied = fields;
        applied.remove(QStringLiteral("自动预览"));
        applied.remove(QStringLiteral("预览"));
        setAttributes(*spec, applied);
        // With 自动预览 ticked (as the pane starts) an effect added plays at once.
        if (!fields.value(QStringLiteral("效果")).trimmed().isEmpty())
            for (int n : selected)
                if (slides[n - 1].attributes.value(QStringLiteral("动画.自动预览")) != u"否" && hasEffects(slides[n - 1]))
                    slides[n - 1].attributes.insert(preview, QStringLiteral("是"));
        break;
    }
    case Effect::ReplaceFont: {
        // Every text of the presentation in the font replaced, those never
        // given one (宋体) too.
        const QString from = fields.value(QStringLiteral("替换")).trimmed();
        const QString to = fields.value(QStringLiteral("替换为")).trimmed();
        if (!from.isEmpty() && !to.isEmpty())
            for (Slide &slide : slides)
                for (const QString &object : {QStringLiteral("标题"), QStringLiteral("正文"), QStringLiteral("副标题")}) {
                    const QString key = object + QStringLiteral(".中文字体");
                    if (slide.attributes.value(key, QStringLiteral("宋体")) == from)
                        slide.attributes.insert(key, to);
                }
    }
        [[fallthrough]];
    case Effect::Rehearsal:
        if (spec->effect == Effect::Rehearsal && fields.isEmpty())
            break;   // the rehearsal starts; its answer at the end is what counts
        [[fallthrough]];
    case Effect::DocumentSettings:
        if (spec->id == u"任务窗格") {
            // 视图 → 任务窗格 (Ctrl+F1) hides the pane shown, or shows again
            // the one shown last; the title's switcher and × name one.
            const QString shown = settings.value(QStringLiteral("任务窗格.任务窗格"), QStringLiteral("新建演示文稿"));
            QString next = fields.value(QStringLiteral("任务窗格")).trimmed();
            if (next.isEmpty())
                next = shown == u"关闭" ? settings.value(QStringLiteral("任务窗格.上次"), QStringLiteral("新建演示文稿"))
                                        : QStringLiteral("关闭");
            if (next == u"关闭" && shown != u"关闭")
                settings.insert(QStringLiteral("任务窗格.上次"), shown);
            settings.insert(QStringLiteral("任务窗格"), QStringLiteral("1"));
            settings.insert(QStringLiteral("任务窗格.任务窗格"), next);
            break;
        }
        settings.insert(spec->prefix, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (!it.value().trimmed().isEmpty())
                settings.insert(spec->prefix + u'.' + it.key(), it.value().trimmed());
        // A dialog confirmed keeps what it showed in the fields left alone.
        for (const FieldSpec &field : spec->fields)
            if (const QString initial = Commands::initialValue(spec->id, field.name); !initial.isEmpty())
                if (const QString key = spec->prefix + u'.' + field.name; settings.value(key).isEmpty())
                    settings.insert(key, initial);
        // The master keeps each of its objects' formats apart: they reach the slides (see Master).
        if (spec->id == u"母版" && !fields.value(QStringLiteral("对象")).trimmed().isEmpty())
            for (auto it = fields.begin(); it != fields.end(); ++it)
                if (!it.value().trimmed().isEmpty() && it.key() != u"对象" && it.key() != u"母版类型")
                    settings.insert(Master::formatKey(fields.value(QStringLiteral("母版类型")).trimmed(),
                                                      fields.value(QStringLiteral("对象")).trimmed(), it.key()),
                                    it.value().trimmed());
        break;
    case Effect::InsertSlide: {
        Slide slide;
        slide.layout = fields.value(QStringLiteral("版式"), QStringLiteral("标题和文本"));
        if (slide.layout.isEmpty())
            slide.layout = QStringLiteral("标题和文本");
        const int at = insertionPlace();
        slides.insert(at, slide);
        m_current = at + 1;
        setSelection({m_current});
        break;
    }
    case Effect::DuplicateSlide:
        slides.insert(m_current, slides.at(m_current - 1));
        ++m_current;
        break;
    case Effect::DeleteSlide:
        if (selected.size() < slides.size()) {
            for (auto it = selected.rbegin(); it != selected.rend(); ++it)
                slides.removeAt(*it - 1);
            m_current = std::min(selected.first(), int(slides.size()));
        }
        break;
    case Effect::HideSlide: {
        // Hidden when any of them is shown; shown again when all were hidden.
        const bool hide = std::any_of(selected.begin(), selected.end(), [&](int n) { return !slides.at(n - 1).hidden; });
        for (int n : selected)
            slides[n - 1].hidden = hide;
        break;
    }
    case Effect::SlideLayout:
        // The dialog opens on the slide's own layout: 确定 alone applies it again.
        for (int n : selected) {
            if (!fields.value(QStringLiteral("版式")).isEmpty())
                slides[n - 1].layout = fields.value(QStringLiteral("版式"));
            // The layout, applied again, puts its placeholders back in their
            // place, those deleted too.
            for (const char *part : {"标题", "正文", "副标题"})
                for (const char *key : {".位置", ".大小", ".宽度", ".高度", ".已删除"})
                    slides[n - 1].attributes.remove(QString::fromUtf8(part) + QString::fromUtf8(key));
        }
        break;
    case Effect::Copy:
        m_objectClipboard = false;
        m_clipboard.clear();
        for (int n : selected)
            m_clipboard << slides.at(n - 1);
        break;
    case Effect::Cut:
        if (selected.size() < slides.size()) {
            m_objectClipboard = false;
            m_clipboard.clear();
            for (int n : selected)
                m_clipboard << slides.at(n - 1);
            for (auto it = selected.rbegin(); it != selected.rend(); ++it)
                slides.removeAt(*it - 1);
            m_current = std::clamp(selected.first() - 1, 1, int(slides.size()));
        }
        break;
    case Effect::Paste: {
        int at = insertionPlace();
        for (const Slide &slide : m_clipboard) {
            slides.insert(at++, slide);
            m_current = at;
        }
        break;
    }
    case Effect::View:
        // Only the slide and title masters have the date, footer and number areas.
        if (!masterArea(m_editing).isEmpty())
            m_editing.clear();
        // The master views name the master they show; closing one goes back to the normal view.
        settings.insert(QStringLiteral("视图"), spec->id == u"关闭母版视图" ? QStringLiteral("普通") : spec->id);
        if (spec->id.endsWith(QStringLiteral("母版")))
            settings.insert(QStringLiteral("母版.母版类型"), spec->id);
        // The title master, once made, stays beside the slide master.
        if (spec->id == u"标题母版")
            settings.insert(QStringLiteral("母版.有标题母版"), QStringLiteral("是"));
        // 普通 brings back a closed left pane.
        if (spec->id == u"普通" && settings.value(QStringLiteral("左侧窗格.显示")) == u"关闭")
            settings.insert(QStringLiteral("左侧窗格.显示"), QStringLiteral("显示"));
        break;
    case Effect::InsertFromFile: {
        const QString file = fields.value(QStringLiteral("文件")).trimmed();
        if (file.isEmpty())
            break;
        const QString which = fields.value(QStringLiteral("幻灯片")).trimmed();
        QList<int> numbers;
        if (which.isEmpty() || which == u"全部")
            numbers = {1, 2, 3};
        else if (const int n = QString(which).remove(u'第').remove(u'张').toInt(); n >= 1)
            numbers = {n};
        for (const Slide &slide : slidesOfFile(file, numbers)) {
            slides.insert(m_current, slide);
            ++m_current;
        }
        break;
    }
    case Effect::Show: {
        // From the slide the command names; a 从 field (older task files) says it too.
        const QString from = fields.value(QStringLiteral("从")).trimmed();
        settings.insert(QStringLiteral("放映"), from.isEmpty() ? spec->prefix : from);
        settings.insert(QStringLiteral("放映状态"), QStringLiteral("放映中"));
        break;
    }
    case Effect::EndShow:
        if (settings.value(QStringLiteral("放映状态")) == u"放映中")
            settings.insert(QStringLiteral("放映状态"), QStringLiteral("已结束"));
        break;
    case Effect::NewPresentation: {
        const QString model = fields.value(QStringLiteral("模板")).trimmed();
        const QString file = fields.value(QStringLiteral("文件名")).trimmed();
        Document fresh = Document::sample(0);
        if (!file.isEmpty() && model != u"空白演示文稿" && model != u"通用") {
            fresh.slides = slidesOfFile(file, {1, 2, 3});
            fresh.slides.first().layout = QStringLiteral("标题幻灯片");
        } else {
            Slide slide;
            slide.layout = QStringLiteral("标题幻灯片");
            if (!model.isEmpty() && model != u"空白演示文稿")
                slide.attributes.insert(QStringLiteral("设计模板"), model);
            fresh.slides << slide;
        }
        for (auto it = settings.begin(); it != settings.end(); ++it)
            if (programSetting(it.key()))
                fresh.settings.insert(it.key(), it.value());
        fresh.settings.insert(spec->prefix, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (!it.value().trimmed().isEmpty())
                fresh.settings.insert(spec->prefix + u'.' + it.key(), it.value().trimmed());
        m_document = fresh;
        m_current = 1;
        m_editing.clear();
        setSelection({1});
        return;
    }
    case Effect::SelectAll:
        settings.insert(spec->prefix, QStringLiteral("1"));
        if (settings.value(QStringLiteral("视图")) == u"幻灯片浏览") {
            QList<int> all;
            for (int n = 1; n <= slides.size(); ++n)
                all << n;
            setSelection(all);
        } else if (m_editing.isEmpty()) {
            // Without a caret in a placeholder: every object on the slide,
            // the placeholders too (with a caret the editor takes its text).
            m_shapes.clear();
            for (const Shapes::Shape &shape : Shapes::of(shapeSlide()))
                m_shapes << shape.name;
        }
        break;
    case Effect::WindowState:
        settings.insert(QStringLiteral("窗口"), spec->id);
        break;
    case Effect::FullScreen:
        settings.insert(spec->prefix, settings.value(spec->prefix) == u"1" ? QStringLiteral("0") : QStringLiteral("1"));
        break;
    case Effect::FormatPainter: {
        const QString object = fields.value(QStringLiteral("对象")).trimmed();
        QString target = fields.value(QStringLiteral("目标对象")).trimmed();
        if (target.isEmpty())
            target = object;
        static const QRegularExpression digits(QStringLiteral("[0-9]+"));
        const QString where = digits.match(fields.value(QStringLiteral("目标幻灯片"))).captured();
        const int n = where.isEmpty() ? m_current : where.toInt();
        if (object.isEmpty() || n < 1 || n > slides.size())
            break;
        const QMap<QString, QString> format = formatOf(slides.at(m_current - 1), object);
        for (auto it = format.begin(); it != format.end(); ++it)
            if (!isPlacement(it.key()))
                slides[n - 1].attributes.insert(target + u'.' + it.key(), it.value());
        break;
    }
    case Effect::CopyObject: {
        const QString object = fields.value(QStringLiteral("对象")).trimmed();
        if (object.isEmpty())
            break;
        const Slide &slide = slides.at(m_current - 1);
        QString text = slide.attributes.value(object + QStringLiteral(".文字"));
        if (object == u"标题")
            text = slide.title;
        else if (object == u"正文" || object == u"副标题" || object == u"文本占位符")
            text = slide.body;
        m_copiedObject = CopiedObject{object, text, formatOf(slide, object)};
        break;
    }
    case Effect::PasteObject:
        if (m_copiedObject) {
            QMap<QString, QString> &attributes = slides[m_current - 1].attributes;
            const QString name = m_copiedObject->name + QStringLiteral("副本");
            attributes.insert(name, m_copiedObject->text.isEmpty() ? QStringLiteral("1") : m_copiedObject->text);
            // It lies where the object lay, turned as it was, but in no group and on top.
            for (auto it = m_copiedObject->format.begin(); it != m_copiedObject->format.end(); ++it)
                if (it.key() != u"层次" && it.key() != u"组合" && it.key() != u"原组合")
                    attributes.insert(name + u'.' + it.key(), it.value());
        }
        break;
    case Effect::FontSize: {
        const QString object = fields.value(QStringLiteral("对象")).trimmed();
        if (object.isEmpty())
            break;
        QList<int> sizes;
        for (const QString &choice : Commands::find(QStringLiteral("字体"))->field(QStringLiteral("字号"))->choices)
            sizes << choice.toInt();
        const bool up = spec->id == u"增大字号";
        // Characters selected (or a run named): that run alone, from the size it shows.
        const QString placeholder = object.section(u'「', 0, 0);
        const QString target = object == placeholder ? formattedObject(object) : object;
        for (int n : selected) {
            QMap<QString, QString> &attributes = slides[n - 1].attributes;
            const QString own = placeholder + QStringLiteral(".字号");
            const QString key = target + QStringLiteral(".字号");
            const int size = attributes.value(key, attributes.value(own, QString::number(defaultFontSize(placeholder)))).toInt();
            if (target == placeholder)
                TextRuns::clear(attributes, placeholder, QStringLiteral("字号"));
            int next = size;
            if (up) {
                const auto it = std::upper_bound(sizes.begin(), sizes.end(), size);
                next = it == sizes.end() ? size : *it;
            } else {
                const auto it = std::lower_bound(sizes.begin(), sizes.end(), size);
                next = it == sizes.begin() ? size : *(it - 1);
            }
            attributes.insert(key, QString::number(next));
        }
        break;
    }
    }
    if (m_current != currentBefore || slides.size() != countBefore) {
        setSelection({m_current});
        m_editing.clear();
        m_shapes.clear();
    }
}

namespace {

// A text of a slide the search goes through: its title, body and notes, then
// the texts of its text boxes, shapes and WordArt ("<object>.文字").
struct TextPlace
{
    int slide;     // 0-based
    QString part;  // "title", "body", "notes" or the attribute's key
};

QList<TextPlace> textPlaces(const QList<Slide> &slides)
{
    QList<TextPlace> places;
    for (int n = 0; n < slides.size(); ++n) {
        for (const char *part : {"title", "body", "notes"})
            places.append({n, QString::fromLatin1(part)});
        for (auto it = slides.at(n).attributes.begin(); it != slides.at(n).attributes.end(); ++it)
            if (it.key().endsWith(QStringLiteral(".文字")))
                places.append({n, it.key()});
    }
    return places;
}

QString &textAt(QList<Slide> &slides, const TextPlace &place)
{
    Slide &slide = slides[place.slide];
    if (place.part == u"title")
        return slide.title;
    if (place.part == u"body")
        return slide.body;
    if (place.part == u"notes")
        return slide.notes;
    return slide.attributes[place.part];
}

bool yes(const QString &value)
{
    return value.trimmed() == u"是";
}

// The text an object of the slide shows: the placeholders', else its "文字".
QString *objectText(Slide &slide, const QString &object)
{
    if (object == u"标题")
        return &slide.title;
    if (object == u"正文" || object == u"副标题" || object == u"文本占位符")
        return &slide.body;
    const QString key = object + QStringLiteral(".文字");
    return slide.attributes.contains(key) ? &slide.attributes[key] : nullptr;
}

} // namespace

void Session::findOrReplace(const CommandSpec &spec, const QMap<QString, QString> &fields)
{
    const QString what = fields.value(QStringLiteral("查找内容"));
    if (what.isEmpty())
        return;
    const QString with = fields.value(QStringLiteral("替换为"));
    const bool replacing = spec.id == u"替换";
    // 替换字体 in the replace dialog replaces a font, not a text.
    if (replacing && yes(fields.value(QStringLiteral("替换字体")))) {
        if (!with.trimmed().isEmpty())
            apply(Commands::find(QStringLiteral("替换字体")),
                  {{QStringLiteral("替换"), what.trimmed()}, {QStringLiteral("替换为"), with.trimmed()}});
        return;
    }
    TextSearch::Options options;
    options.matchCase = yes(fields.value(QStringLiteral("区分大小写")));
    options.wholeWord = yes(fields.value(QStringLiteral("全字匹配")));
    QList<Slide> &slides = m_document.slides;
    const QString operation = replacing ? fields.value(QStringLiteral("操作"), QStringLiteral("全部替换")).trimmed()
                                        : QStringLiteral("查找下一个");
    const QString notFound = QStringLiteral("找不到要查找的内容“%1”。").arg(what);
    if (operation != u"替换" && operation != u"查找下一个") {
        int count = 0;
        for (const TextPlace &place : textPlaces(slides))
            count += TextSearch::replaceAll(textAt(slides, place), what, with, options);
        m_notice = count > 0 ? QStringLiteral("已完成对演示文稿的搜索，共替换%1处。").arg(count) : notFound;
        if (count > 0 && !m_editing.isEmpty()) {
            m_caret = -1;
            m_selectedText.clear();
        }
        return;
    }
    // From the caret (after the text selected) of the current slide on, round
    // to where it started.
    const QList<TextPlace> places = textPlaces(slides);
    qsizetype first = 0;
    int from = 0;
    const QString editing = m_editing.isEmpty() ? QStringLiteral("title") : m_editing;
    for (qsizetype i = 0; i < places.size(); ++i)
        if (places.at(i).slide == m_current - 1 && places.at(i).part == editing) {
            first = i;
            from = m_editing.isEmpty() ? 0 : m_caret < 0 ? int(textAt(slides, places.at(i)).size()) : m_caret;
            break;
        }
    // 替换: the text selected, when it is a match, is replaced first.
    if (operation == u"替换" && !m_selectedText.isEmpty() && !m_editing.isEmpty()) {
        QString &text = textAt(slides, places.at(first));
        const int start = from - int(m_selectedText.size());
        if (start >= 0 && TextSearch::indexIn(text, what, options, start) == start && m_selectedText.size() == what.size()) {
            text.replace(start, what.size(), with);
            from = start + int(with.size());
        }
    }
    for (qsizetype k = 0; k <= places.size(); ++k) {
        const TextPlace &place = places.at((first + k) % places.size());
        const QString &text = textAt(slides, place);
        const int start = k == 0 ? from : 0;
        const int at = TextSearch::indexIn(text, what, options, start);
        if (at < 0 || (k == places.size() && at >= from))
            continue;
        // Found: its slide becomes the current one, and the text is selected
        // where the caret can go (a placeholder).
        m_current = place.slide + 1;
        setSelection({m_current});
        if (place.part == u"title" || place.part == u"body") {
            m_editing = place.part;
            m_selectedText = text.mid(at, what.size());
            m_caret = at + int(what.size());
        } else {
            m_editing.clear();
            m_selectedText.clear();
            m_caret = -1;
        }
        return;
    }
    m_notice = notFound;
}

void Session::changeObjectText(const CommandSpec &spec, const QMap<QString, QString> &fields)
{
    const bool changeCase = spec.id == u"更改大小写";
    if (!changeCase && spec.id != u"清除")
        return;
    QString object = fields.value(QStringLiteral("对象")).trimmed();
    if (object.isEmpty())
        object = editedObject();
    if (object.isEmpty())
        return;
    if (changeCase) {
        const QString how = fields.value(QStringLiteral("大小写")).trimmed();
        for (int n : selection()) {
            QString *text = objectText(m_document.slides[n - 1], object);
            if (!text)
                continue;
            // The text selected in that placeholder, else all of it.
            const int start = m_caret - int(m_selectedText.size());
            if (n == m_current && object == editedObject() && !m_selectedText.isEmpty() && start >= 0
                && text->mid(start, m_selectedText.size()) == m_selectedText) {
                m_selectedText = TextSearch::changeCase(m_selectedText, how);
                text->replace(start, m_selectedText.size(), m_selectedText);
            } else {
                *text = TextSearch::changeCase(*text, how);
            }
        }
        return;
    }
    // 清除: the character format (格式), the text (内容) or both (全部).
    static const QStringList characterFormat = {
        QStringLiteral("中文字体"), QStringLiteral("西文字体"), QStringLiteral("字号"), QStringLiteral("字形"),
        QStringLiteral("颜色"), QStringLiteral("下划线"), QStringLiteral("下划线颜色"), QStringLiteral("效果"),
        QStringLiteral("间距"), QStringLiteral("度量值"), QStringLiteral("选中文字"),
    };
    const QString what = fields.value(QStringLiteral("清除")).trimmed();
    const bool format = what == u"格式" || what == u"全部";
    const bool content = what == u"内容" || what == u"全部";
    for (int n : selection()) {
        Slide &slide = m_document.slides[n - 1];
        if (format)
            for (const QString &name : characterFormat)
                slide.attributes.remove(object + u'.' + name);
        if (QString *text = content ? objectText(slide, object) : nullptr)
            text->clear();
        if (content && n == m_current && object == editedObject()) {
            m_caret = -1;
            m_selectedText.clear();
        }
    }
}

void Session::placeShape(const CommandSpec &spec, const QMap<QString, QString> &fields, const QString &object, Slide &slide)
{
    // The selected shapes taken together, once: when the first is reached.
    const QStringList together = m_together.contains(object) ? m_together : QStringList{object};
    if (spec.id == u"叠放次序" && !object.isEmpty()) {
        Shapes::restack(slide, object, fields.value(QStringLiteral("叠放次序")).trimmed());
    } else if (spec.id == u"组合" && !object.isEmpty()) {
        const QString operation = fields.value(QStringLiteral("操作")).trimmed();
        if (operation == u"组合" && object == together.first())
            Shapes::group(slide, together);
        else if (operation == u"取消组合")
            Shapes::ungroup(slide, object);
        else if (operation == u"重新组合")
            Shapes::regroup(slide, object);
    } else if (spec.id == u"对齐或分布" && !object.isEmpty() && object == together.first()) {
        const bool toSlide = fields.value(QStringLiteral("相对于幻灯片")).trimmed() == u"是";
        for (const char *field : {"对齐", "分布"})
            if (const QString how = fields.value(QString::fromUtf8(field)).trimmed(); !how.isEmpty())
                Shapes::arrange(slide, together, how, toSlide);
    } else if (spec.id == u"对象格式" && !object.isEmpty()) {
        // 位置 and the sizes (宽度, 高度) of the dialog move and size the shape's frame.
        const QString where = fields.value(QStringLiteral("位置")).trimmed();
        const bool sized = !fields.value(QStringLiteral("宽度")).trimmed().isEmpty()
                        || !fields.value(QStringLiteral("高度")).trimmed().isEmpty();
        if (const auto shape = Shapes::find(slide, object); shape && (sized || Shapes::isRegion(where)))
            Shapes::setFrame(slide, object, Shapes::isRegion(where) ? Shapes::placedIn(shape->frame, where) : shape->frame);
        // 重设 takes a picture back to its own look; a look set afterwards
        // stands, and the picture is reset no longer.
        const QStringList look = {QStringLiteral("图片颜色"), QStringLiteral("裁剪"), QStringLiteral("亮度"), QStringLiteral("对比度")};
        const bool reset = fields.value(QStringLiteral("重设")).trimmed() == u"是";
        bool restyled = false;
        for (const QString &name : look) {
            if (!fields.value(name).trimmed().isEmpty())
                restyled = true;
            else if (reset)
                slide.attributes.remove(object + u'.' + name);
        }
        if (restyled && !reset)
            slide.attributes.remove(object + QStringLiteral(".重设"));
    } else if (spec.marksObject && (spec.prefix == u"图片" || spec.prefix == u"媒体")
               && !slide.attributes.contains(spec.prefix + QStringLiteral(".位置"))) {
        // A picture or a movie lands in the middle of the slide, a sound as its small icon there.
        const bool sound = spec.prefix == u"媒体" && fields.value(QStringLiteral("类型")).trimmed() != u"影片";
        const QSizeF size = sound ? QSizeF(1.6, 1.6) : QSizeF(10, 7.5);
        Shapes::setFrame(slide, spec.prefix,
                         QRectF(QPointF((Shapes::SlideWidthCm - size.width()) / 2, (Shapes::SlideHeightCm - size.height()) / 2), size));
    }
}

void Session::shapeClipboard(bool cut, bool paste)
{
    Slide &slide = m_document.slides[m_current - 1];
    if (paste) {
        const QString kind = Shapes::kindOf(m_copiedObject->name);
        const bool placeholder = kind == u"标题" || kind == u"正文" || kind == u"副标题";
        const QString name = Shapes::newName(slide, placeholder ? QStringLiteral("文本框") : kind);
        slide.attributes.insert(name, QStringLiteral("1"));
        // The copy is an object of its own: in no group, on top.
        for (auto it = m_copiedObject->format.begin(); it != m_copiedObject->format.end(); ++it)
            if (it.key() != u"层次" && it.key() != u"组合" && it.key() != u"原组合")
                slide.attributes.insert(name + u'.' + it.key(), it.value());
        if (placeholder && !m_copiedObject->text.isEmpty())
            slide.attributes.insert(name + QStringLiteral(".文字"), m_copiedObject->text);
        // On a slide that holds the shape already, the copy lies a little below and to the right.
        const QString key = u'.' + Shapes::placeKey(name);
        const QString at = m_copiedObject->format.value(key.mid(1));
        if (const auto shape = Shapes::find(slide, name)) {
            const bool covered = std::any_of(slide.attributes.keyValueBegin(), slide.attributes.keyValueEnd(), [&](const auto &kv) {
                return kv.first != name + key && kv.first.endsWith(key) && kv.second == at;
            });
            Shapes::setFrame(slide, name, covered || at.isEmpty() ? shape->frame.translated(0.5, 0.5) : shape->frame);
        }
        m_shapes = {name};
        return;
    }
    const QStringList shapes = selectedShapes();
    const QString first = shapes.first();
    QString text = slide.attributes.value(first + QStringLiteral(".文字"));
    if (first == u"标题")
        text = slide.title;
    else if (first == u"正文" || first == u"副标题")
        text = slide.body;
    QMap<QString, QString> format;
    const QString prefix = first + u'.';
    for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it)
        if (it.key().startsWith(prefix) && !it.key().mid(prefix.size()).contains(u'.'))
            format.insert(it.key().mid(prefix.size()), it.value());
    if (const auto shape = Shapes::find(slide, first)) {
        format.insert(Shapes::placeKey(first), Shapes::pairText(shape->frame.x(), shape->frame.y()));
        format.insert(QStringLiteral("大小"), Shapes::pairText(shape->frame.width(), shape->frame.height()));
    }
    m_copiedObject = CopiedObject{first, text, format};
    m_objectClipboard = true;
    if (cut) {
        for (const QString &shape : shapes)
            Shapes::remove(slide, shape);
        m_shapes.clear();
    }
}

namespace {

// The master's text box: a master holds one, and a new one drawn takes its place.
const QString masterBox = QStringLiteral("文本框");

} // namespace

Slide Session::shapeSlide() const
{
    const QString master = Master::view(m_document);
    return master.isEmpty() ? m_document.slides.at(m_current - 1) : Master::objects(m_document, master);
}

void Session::changeMasterObjects(const std::function<void(Slide &)> &change)
{
    const QString master = Master::view(m_document);
    Slide objects = Master::objects(m_document, master);
    change(objects);
    Master::setObjects(m_document.settings, master, objects);
    // What is put on a master makes the presentation one with a master of its own.
    if (!objects.attributes.isEmpty()) {
        m_document.settings.insert(QStringLiteral("母版"), QStringLiteral("1"));
        m_document.settings.insert(QStringLiteral("母版.母版类型"), master);
    }
}

void Session::selectShape(const QString &name, bool add)
{
    if (!Shapes::find(shapeSlide(), name))
        return;
    setEditing({});
    if (!add)
        m_shapes.clear();
    if (!Master::view(m_document).isEmpty()) {
        m_shapes = {name};
        return;
    }
    for (const QString &member : Shapes::withGroup(m_document.slides.at(m_current - 1), name))
        if (!m_shapes.contains(member))
            m_shapes << member;
}

void Session::unselectShape(const QString &name)
{
    if (!Master::view(m_document).isEmpty()) {
        m_shapes.removeAll(name);
        return;
    }
    for (const QString &member : Shapes::withGroup(m_document.slides.at(m_current - 1), name))
        m_shapes.removeAll(member);
}

QStringList Session::selectedShapes() const
{
    QStringList shapes;
    const Slide slide = shapeSlide();
    for (const QString &name : m_shapes)
        if (Shapes::find(slide, name))
            shapes << name;
    return shapes;
}

void Session::beforeShapeChange()
{
    remember({m_document, m_current});
    m_typing.clear();
}

bool Session::setShapeFrame(const QString &name, const QRectF &frame)
{
    if (!Shapes::find(shapeSlide(), name) || !frame.isValid())
        return false;
    if (!Master::view(m_document).isEmpty()) {
        beforeShapeChange();
        changeMasterObjects([&](Slide &objects) { Shapes::setFrame(objects, name, frame); });
        selectShape(name);
        return true;
    }
    const Slide &before = m_document.slides.at(m_current - 1);
    const QRectF was = Shapes::find(before, name)->frame;
    QMap<QString, QRectF> along;   // taken before any moves, as Shapes::arrange does
    if (std::abs(frame.width() - was.width()) < 1e-6 && std::abs(frame.height() - was.height()) < 1e-6) {
        QStringList companions = Shapes::withGroup(before, name);
        if (m_shapes.contains(name))
            companions += selectedShapes();
        for (const QString &other : companions)
            if (other != name && !along.contains(other))
                along.insert(other, Shapes::find(before, other)->frame.translated(frame.topLeft() - was.topLeft()));
    }
    beforeShapeChange();
    // The slide is taken after the document before the change was kept: they share their data until then.
    Slide &slide = m_document.slides[m_current - 1];
    Shapes::setFrame(slide, name, frame);
    for (auto it = along.begin(); it != along.end(); ++it)
        Shapes::setFrame(slide, it.key(), it.value());
    if (!m_shapes.contains(name))
        selectShape(name);
    return true;
}

bool Session::setGroupFrame(const QString &member, const QRectF &frame)
{
    if (!Master::view(m_document).isEmpty())
        return false;
    const auto shape = Shapes::find(m_document.slides.at(m_current - 1), member);
    if (!shape || shape->group.isEmpty() || !frame.isValid())
        return false;
    beforeShapeChange();
    Shapes::scaleGroup(m_document.slides[m_current - 1], member, frame);
    if (!m_shapes.contains(member))
        selectShape(member);
    return true;
}

bool Session::rotateShape(const QString &name, double degrees)
{
    if (!Shapes::find(shapeSlide(), name))
        return false;
    beforeShapeChange();
    if (!Master::view(m_document).isEmpty()) {
        changeMasterObjects([&](Slide &objects) { Shapes::setRotation(objects, name, degrees); });
        selectShape(name);
        return true;
    }
    Shapes::setRotation(m_document.slides[m_current - 1], name, degrees);
    if (!m_shapes.contains(name))
        selectShape(name);
    return true;
}

QString Session::drawShape(const QMap<QString, QString> &fields, const QRectF &frame, const QString &route)
{
    beforeShapeChange();
    QString name;
    const auto draw = [&](Slide &slide) {
        name = Shapes::newName(slide, QStringLiteral("自选图形"));
        slide.attributes.insert(name, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (!it.value().trimmed().isEmpty() && it.key() != u"对象")
                slide.attributes.insert(name + u'.' + it.key(), it.value().trimmed());
        Shapes::setFrame(slide, name, frame.normalized());
    };
    // In a master view the shape is drawn on the master.
    if (Master::view(m_document).isEmpty())
        draw(m_document.slides[m_current - 1]);
    else
        changeMasterObjects(draw);
    if (!route.isEmpty())
        m_document.settings.insert(QStringLiteral("方式.自选图形"), route);
    selectShape(name);
    return name;
}

bool Session::moveShape(const QString &name, const QString &where)
{
    const auto shape = Shapes::find(shapeSlide(), name);
    if (!shape)
        return false;
    if (Shapes::isRegion(where))
        return setShapeFrame(name, Shapes::placedIn(shape->frame, where));
    const auto at = Shapes::pair(where);
    return at && setShapeFrame(name, QRectF(*at, shape->frame.size()));
}

bool Session::resizeShape(const QString &name, const QString &size)
{
    const auto shape = Shapes::find(shapeSlide(), name);
    const auto wh = Shapes::pair(size);
    return shape && wh && wh->x() > 0 && wh->y() > 0
        && setShapeFrame(name, QRectF(shape->frame.topLeft(), QSizeF(wh->x(), wh->y())));
}

bool Session::deleteShapes()
{
    const QStringList shapes = selectedShapes();
    if (shapes.isEmpty())
        return false;
    beforeShapeChange();
    if (!Master::view(m_document).isEmpty()) {
        changeMasterObjects([&shapes](Slide &objects) {
            for (const QString &name : shapes)
                Shapes::remove(objects, name);
        });
        m_shapes.clear();
        return true;
    }
    for (const QString &name : shapes)
        Shapes::remove(m_document.slides[m_current - 1], name);
    m_shapes.clear();
    return true;
}

QString Session::drawTextBox(const QRectF &frame, bool vertical)
{
    beforeShapeChange();
    if (!Master::view(m_document).isEmpty()) {
        changeMasterObjects([&](Slide &objects) {
            Shapes::remove(objects, masterBox);
            objects.attributes.insert(masterBox, QStringLiteral("1"));
            objects.attributes.insert(masterBox + QStringLiteral(".方向"), vertical ? QStringLiteral("竖排") : QStringLiteral("横排"));
            Shapes::setFrame(objects, masterBox, frame.normalized());
        });
        m_shapes = {masterBox};
        setEditing({});
        return masterBox;
    }
    Slide &slide = m_document.slides[m_current - 1];
    const QString name = Shapes::newName(slide, QStringLiteral("文本框"));
    slide.attributes.insert(name, QStringLiteral("1"));
    slide.attributes.insert(name + QStringLiteral(".方向"), vertical ? QStringLiteral("竖排") : QStringLiteral("横排"));
    Shapes::setFrame(slide, name, frame.normalized());
    selectShape(name);
    return name;
}

void Session::setShapeText(const QString &name, const QString &text)
{
    const auto shape = Shapes::find(shapeSlide(), name);
    if (!shape || shape->placeholder)
        return;
    if (const QString master = Master::view(m_document); !master.isEmpty()) {
        const QString typing = QStringLiteral("%1.%2").arg(master, name);
        if (m_typing != typing) {
            remember({m_document, m_current});
            m_typing = typing;
        }
        changeMasterObjects([&](Slide &objects) { objects.attributes.insert(name + QStringLiteral(".文字"), text); });
        return;
    }
    const QString typing = QStringLiteral("%1.%2").arg(m_current).arg(name);
    if (m_typing != typing) {
        remember({m_document, m_current});
        m_typing = typing;
    }
    m_document.slides[m_current - 1].attributes.insert(name + QStringLiteral(".文字"), text);
}

void Session::insertOnMaster(const CommandSpec &spec, const QMap<QString, QString> &fields)
{
    const QString name = spec.prefix;
    changeMasterObjects([&](Slide &objects) {
        // The master holds one object of each kind inserted: a new one takes its place.
        Shapes::remove(objects, name);
        objects.attributes.insert(name, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (!it.value().trimmed().isEmpty() && it.key() != u"对象" && it.key() != u"应用范围")
                objects.attributes.insert(name + u'.' + it.key(), it.value().trimmed());
        placeShape(spec, fields, name, objects);
        // Where it was put is kept, whatever the layout of the slides it shows on.
        Shapes::setFrame(objects, name, Shapes::find(objects, name)->frame);
    });
    m_shapes = {name};
    setEditing({});
}
