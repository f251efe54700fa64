#include "master.h"

#include "commands.h"
#include "shapes.h"

namespace Master {

QString formatKey(const QString &master, const QString &object, const QString &name)
{
    if (master == u"标题母版" || master == u"备注母版" || master == u"讲义母版")
        return QStringLiteral("母版.%1.%2.%3").arg(master, object, name);
    return QStringLiteral("母版.%1.%2").arg(object, name);
}

QList<QRectF> handoutPlaces(int count)
{
    // One slide large in the middle; two or three down the page (three
    // beside lines for notes); four and six in two columns, nine in three.
    count = count == 1 || count == 2 || count == 3 || count == 4 || count == 9 ? count : 6;
    const int columns = count <= 3 ? 1 : count == 9 ? 3 : 2;
    const int rows = (count + columns - 1) / columns;
    const QRectF page(0.08, 0.08, 0.84, 0.84);
    const QRectF used = count == 3 ? QRectF(page.left(), page.top(), page.width() * 0.5, page.height()) : page;
    const double w = used.width() / columns, h = used.height() / rows;
    QList<QRectF> places;
    for (int i = 0; i < count; ++i) {
        const QRectF cell(used.left() + (i % columns) * w, used.top() + (i / columns) * h, w, h);
        // A slide at 4:3 on the upright page (3:4), as large as its cell
        // lets it be: in fractions of the page, its height is 9/16 of its width.
        const double sw = std::min(cell.width() * 0.9, cell.height() * 0.9 * 16 / 9), sh = sw * 9 / 16;
        places << QRectF(cell.center().x() - sw / 2, cell.center().y() - sh / 2, sw, sh);
    }
    return places;
}

NotesPage notesPage()
{
    NotesPage page;
    page.image = QRectF(0.15, 0.08, 0.70, 0.36);
    page.notes = QRectF(0.10, 0.48, 0.80, 0.40);
    page.header = QRectF(0.04, 0.015, 0.43, 0.05);
    page.date = QRectF(0.53, 0.015, 0.43, 0.05);
    page.footer = QRectF(0.04, 0.935, 0.43, 0.05);
    page.number = QRectF(0.53, 0.935, 0.43, 0.05);
    return page;
}

QString notesFormat(const Document &document, const QString &object, const QString &name)
{
    // Presentations kept before the notes master had formats of its own
    // hold its notes text's under the slide master's naming.
    const QString value = document.settings.value(formatKey(QStringLiteral("备注母版"), object, name));
    return value.isEmpty() && object == u"备注文本" ? document.settings.value(formatKey({}, object, name)) : value;
}

Slide effective(const Document &document, int index)
{
    if (index < 0 || index >= document.slides.size())
        return {};
    Slide slide = document.slides.at(index);
    static const QList<std::pair<QString, QString>> objects = {
        {QStringLiteral("标题样式"), QStringLiteral("标题")},
        {QStringLiteral("第一级文本"), QStringLiteral("正文")},
        {QStringLiteral("副标题样式"), QStringLiteral("副标题")},
        {QStringLiteral("日期区"), QStringLiteral("日期区")},
        {QStringLiteral("页脚区"), QStringLiteral("页脚区")},
        {QStringLiteral("数字区"), QStringLiteral("数字区")},
    };
    static const QStringList names = {
        QStringLiteral("中文字体"), QStringLiteral("字号"), QStringLiteral("字形"), QStringLiteral("颜色"),
        QStringLiteral("项目符号"), QStringLiteral("行距"),
    };
    // A title slide takes the title master's formats, and the slide
    // master's where the title master has none of its own.
    const bool titleSlide = slide.layout == u"标题幻灯片";
    for (const auto &[object, part] : objects)
        for (const QString &name : names) {
            const QString own = part + u'.' + name;
            QString master = titleSlide ? document.settings.value(QStringLiteral("母版.标题母版.%1.%2").arg(object, name)) : QString();
            if (master.isEmpty())
                master = document.settings.value(QStringLiteral("母版.%1.%2").arg(object, name));
            if (!master.isEmpty() && slide.attributes.value(own).isEmpty())
                slide.attributes.insert(own, master);
        }
    // The master's background lies under a slide without one of its own.
    const QString background = document.settings.value(QStringLiteral("母版.背景"));
    if (!background.isEmpty() && slide.attributes.value(QStringLiteral("背景.填充")).isEmpty())
        slide.attributes.insert(QStringLiteral("背景.填充"), background);
    return slide;
}

namespace {

QString objectPrefix(const QString &master)
{
    static const QStringList own = {QStringLiteral("标题母版"), QStringLiteral("讲义母版"), QStringLiteral("备注母版")};
    return own.contains(master) ? QStringLiteral("母版.%1.").arg(master) : QStringLiteral("母版.");
}

// Whether a name under a master's prefix is one of its objects rather
// than a format or setting of the master ("标题样式", "母版类型", "对象").
bool isObjectName(const QString &name)
{
    const QString kind = Shapes::kindOf(name);
    return kind != u"对象" && Shapes::objectKinds().contains(kind);
}

} // namespace

bool insertsOnMaster(const QString &prefix)
{
    return isObjectName(prefix);
}

bool greyed(const Document &document, const QString &commandId)
{
    if (view(document).isEmpty())
        return false;
    static const QStringList slideMaking = {QStringLiteral("新幻灯片"), QStringLiteral("幻灯片副本"), QStringLiteral("幻灯片（从文件）")};
    const CommandSpec *spec = Commands::find(commandId);
    return slideMaking.contains(commandId) || (spec && spec->marksObject && !insertsOnMaster(spec->prefix));
}

Slide objects(const Document &document, const QString &master)
{
    const QString prefix = objectPrefix(master);
    const QMap<QString, QString> &settings = document.settings;
    Slide box;
    box.layout = QStringLiteral("空白");
    QStringList framed;
    for (auto it = settings.lowerBound(prefix); it != settings.end() && it.key().startsWith(prefix); ++it) {
        const QString rest = it.key().mid(prefix.size());
        const QString name = rest.section(u'.', 0, 0);
        if (!isObjectName(name) || it.value().isEmpty())
            continue;
        if (rest != name) {
            box.attributes.insert(rest, it.value());
            if (rest == name + QStringLiteral(".位置"))
                framed << name;
            continue;
        }
        box.attributes.insert(name, QStringLiteral("1"));
        const QString kind = Shapes::kindOf(name);
        if (kind == u"文本框")
            box.attributes.insert(name + QStringLiteral(".文字"), it.value());
        else if (kind == u"图片" && it.value() != u"1" && !settings.contains(it.key() + QStringLiteral(".名称")))
            box.attributes.insert(name + QStringLiteral(".名称"), it.value());
    }
    // A text box drawn but not typed into yet is kept by its frame alone.
    for (const QString &name : framed)
        if (!box.attributes.contains(name) && Shapes::kindOf(name) == u"文本框")
            box.attributes.insert(name, QStringLiteral("1"));
    // One kept without a frame stands where the editor puts a new object,
    // whatever the layout of the slide it is shown on.
    for (const Shapes::Shape &shape : Shapes::of(box))
        Shapes::setFrame(box, shape.name, shape.frame);
    return box;
}

void setObjects(QMap<QString, QString> &settings, const QString &master, const Slide &objects)
{
    const QString prefix = objectPrefix(master);
    for (auto it = settings.lowerBound(prefix); it != settings.end() && it.key().startsWith(prefix);)
        it = isObjectName(it.key().mid(prefix.size()).section(u'.', 0, 0)) ? settings.erase(it) : std::next(it);
    for (auto it = objects.attributes.begin(); it != objects.attributes.end(); ++it) {
        const QString name = it.key().section(u'.', 0, 0);
        if (!isObjectName(name) || it.value().isEmpty())
            continue;
        const QString kind = Shapes::kindOf(name);
        if (it.key() != name) {
            if (kind != u"文本框" || it.key() != name + QStringLiteral(".文字"))
                settings.insert(prefix + it.key(), it.value());
        } else if (kind == u"文本框") {
            if (const QString text = objects.attributes.value(name + QStringLiteral(".文字")); !text.isEmpty())
                settings.insert(prefix + name, text);
        } else if (kind == u"图片") {
            settings.insert(prefix + name, objects.attributes.value(name + QStringLiteral(".名称"), QStringLiteral("1")));
        } else {
            settings.insert(prefix + name, it.value());
        }
    }
}

QList<Slide> objectsBehind(const Document &document, int index)
{
    if (index < 0 || index >= document.slides.size())
        return {};
    const Slide &slide = document.slides.at(index);
    if (slide.attributes.value(QStringLiteral("背景.忽略母版的背景图形")) == u"是")
        return {};
    QList<Slide> layers = {objects(document, QStringLiteral("幻灯片母版"))};
    if (slide.layout == u"标题幻灯片")
        layers << objects(document, QStringLiteral("标题母版"));
    layers.removeIf([](const Slide &layer) { return layer.attributes.isEmpty(); });
    return layers;
}

QString view(const Document &document)
{
    const QString view = document.settings.value(QStringLiteral("视图"));
    static const QStringList masters = {QStringLiteral("幻灯片母版"), QStringLiteral("标题母版"), QStringLiteral("讲义母版"),
                                        QStringLiteral("备注母版")};
    return masters.contains(view) ? view : QString();
}

Document shown(const Document &document)
{
    Document master;
    master.settings = document.settings;
    master.settings.remove(QStringLiteral("选中"));
    Slide slide;
    const QString which = view(document);
    if (which == u"备注母版") {
        // The notes page, upright: the slide's picture above the notes
        // text, the header and date areas above, the footer and number
        // areas below (see notesPage). Its frames are kept as a slide's, in
        // 厘米 of the slide's width and height, for the page drawn upright.
        slide.layout = QStringLiteral("标题和文本");
        slide.title = QStringLiteral("幻灯片图像区");
        slide.body = document.settings.value(QStringLiteral("母版.备注母版.正文"), QStringLiteral("单击此处编辑母版文本样式"));
        const NotesPage page = notesPage();
        const auto place = [&slide](const QString &part, const QRectF &f) {
            slide.attributes.insert(part + QStringLiteral(".位置"), Shapes::pairText(f.x() * Shapes::SlideWidthCm, f.y() * Shapes::SlideHeightCm));
            slide.attributes.insert(part + QStringLiteral(".大小"),
                                    Shapes::pairText(f.width() * Shapes::SlideWidthCm, f.height() * Shapes::SlideHeightCm));
        };
        place(QStringLiteral("标题"), page.image);
        place(QStringLiteral("正文"), page.notes);
        static const QStringList names = {QStringLiteral("中文字体"), QStringLiteral("字号"), QStringLiteral("字形"), QStringLiteral("颜色")};
        for (const QString &object : {QStringLiteral("备注文本"), QStringLiteral("页眉区"), QStringLiteral("日期区"), QStringLiteral("页脚区"),
                                      QStringLiteral("数字区")})
            for (const QString &name : names)
                if (const QString value = notesFormat(document, object, name); !value.isEmpty())
                    slide.attributes.insert((object == u"备注文本" ? QStringLiteral("正文") : object) + u'.' + name, value);
    } else if (which == u"讲义母版") {
        // The handout page, upright: the places of its slides (see
        // handoutPlaces) and the four areas at its corners, as the notes
        // page has them.
        slide.layout = QStringLiteral("空白");
        static const QStringList names = {QStringLiteral("中文字体"), QStringLiteral("字号"), QStringLiteral("字形"), QStringLiteral("颜色")};
        for (const QString &object : {QStringLiteral("页眉区"), QStringLiteral("日期区"), QStringLiteral("页脚区"), QStringLiteral("数字区")})
            for (const QString &name : names)
                if (const QString value = document.settings.value(formatKey(which, object, name)); !value.isEmpty())
                    slide.attributes.insert(object + u'.' + name, value);
    } else if (which == u"标题母版") {
        slide.layout = QStringLiteral("标题幻灯片");
        slide.title = QStringLiteral("单击此处编辑母版标题样式");
        slide.body = QStringLiteral("单击此处编辑母版副标题样式");
    } else {
        slide.layout = QStringLiteral("标题和文本");
        slide.title = QStringLiteral("单击此处编辑母版标题样式");
        slide.body = QStringLiteral("单击此处编辑母版文本样式\n第二级\n第三级\n第四级\n第五级");
        for (int level = 2; level <= 5; ++level)
            slide.attributes.insert(QStringLiteral("正文.段落%1.级别").arg(level), QString::number(level));
        // The text placeholder ends above the date, footer and number areas.
        slide.attributes.insert(QStringLiteral("正文.高度"), QString::number(Shapes::SlideHeightCm * 0.57, 'f', 2));
    }
    // The prompt texts as the candidate typed them over.
    if (which == u"幻灯片母版" || which == u"标题母版") {
        const QString typed = QStringLiteral("母版.%1.").arg(which);
        if (master.settings.contains(typed + QStringLiteral("标题")))
            slide.title = master.settings.value(typed + QStringLiteral("标题"));
        if (master.settings.contains(typed + QStringLiteral("正文")))
            slide.body = master.settings.value(typed + QStringLiteral("正文"));
    }
    // The design and colours of the first slide are the master's.
    if (which == u"幻灯片母版" || which == u"标题母版") {
        if (!document.slides.isEmpty())
            for (auto it = document.slides.first().attributes.begin(); it != document.slides.first().attributes.end(); ++it)
                if (it.key() == u"设计模板" || it.key().startsWith(u"配色"))
                    slide.attributes.insert(it.key(), it.value());
    }
    // The master's own objects are shapes of the master shown, worked on
    // there; the slide master's lie behind the title master's.
    const Slide own = objects(document, which);
    for (auto it = own.attributes.begin(); it != own.attributes.end(); ++it)
        slide.attributes.insert(it.key(), it.value());
    setObjects(master.settings, which, Slide());
    master.slides = {slide};
    if (which == u"幻灯片母版" || which == u"标题母版") {
        master.slides = {effective(master, 0)};
    } else {
        // The handout and notes pages show nothing of the slide master.
        for (auto it = master.settings.begin(); it != master.settings.end();)
            it = it.key().startsWith(u"母版.") && it.key() != u"母版.讲义幻灯片数" ? master.settings.erase(it) : std::next(it);
    }
    return master;
}

std::optional<QMap<QString, QString>> redirected(const Document &document, const QString &commandId,
                                                 const QMap<QString, QString> &fields, const QString &edited)
{
    const QString which = view(document);
    if (which.isEmpty())
        return std::nullopt;
    QMap<QString, QString> master = {{QStringLiteral("母版类型"), which}};
    QString object = fields.value(QStringLiteral("对象")).trimmed();
    if (object.isEmpty())
        object = edited;
    const bool formatting = commandId == u"字体" || commandId == u"行距" || commandId == u"项目符号和编号";
    const bool area = object == u"日期区" || object == u"页脚区" || object == u"数字区" || object == u"页眉区";
    // The handout master formats its areas' text alone.
    if (which == u"讲义母版" && !(commandId == u"字体" && area))
        return std::nullopt;
    if (formatting && !object.isEmpty()) {
        if (which == u"讲义母版")
            master.insert(QStringLiteral("对象"), object);
        else if (which == u"备注母版")
            master.insert(QStringLiteral("对象"), area ? object : QStringLiteral("备注文本"));
        else if (object == u"页眉区")
            return std::nullopt;   // the slide and title masters have no header area
        else if (object == u"标题")
            master.insert(QStringLiteral("对象"), QStringLiteral("标题样式"));
        else if (object == u"日期区" || object == u"页脚区" || object == u"数字区")
            master.insert(QStringLiteral("对象"), object);
        else if (which == u"标题母版")
            master.insert(QStringLiteral("对象"), QStringLiteral("副标题样式"));
        else if (object == u"正文" || object == u"副标题")
            master.insert(QStringLiteral("对象"), QStringLiteral("第一级文本"));
        else
            return std::nullopt;
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            // A bullet's colour, size and font are the bullet's, not the text's.
            const bool kept = commandId != u"项目符号和编号" || it.key() == u"项目符号";
            if (kept && it.key() != u"对象" && it.key() != u"选中文字" && !it.value().trimmed().isEmpty())
                master.insert(it.key(), it.value().trimmed());
        }
        return master;
    }
    if (which != u"幻灯片母版")
        return std::nullopt;
    if (commandId == u"背景" && !fields.value(QStringLiteral("填充")).trimmed().isEmpty()) {
        master.insert(QStringLiteral("背景"), fields.value(QStringLiteral("填充")).trimmed());
        return master;
    }
    return std::nullopt;
}

}
