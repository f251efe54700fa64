#include "master.h"

#include "shapes.h"

namespace Master {

QString formatKey(const QString &master, const QString &object, const QString &name)
{
    if (master == u"标题母版" || master == u"备注母版")
        return QStringLiteral("母版.%1.%2.%3").arg(master, object, name);
    return QStringLiteral("母版.%1.%2").arg(object, name);
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
    // What lies on the master lies on every slide: its background under a
    // slide without one of its own, its picture and text box.
    const QMap<QString, QString> &settings = document.settings;
    const QString background = settings.value(QStringLiteral("母版.背景"));
    if (!background.isEmpty() && slide.attributes.value(QStringLiteral("背景.填充")).isEmpty())
        slide.attributes.insert(QStringLiteral("背景.填充"), background);
    const bool plain = slide.attributes.value(QStringLiteral("背景.忽略母版的背景图形")) == u"是";
    if (!plain && !settings.value(QStringLiteral("母版.图片")).isEmpty())
        slide.attributes.insert(QStringLiteral("图片"), QStringLiteral("1"));
    // The master's text box lies where it was drawn on the master; one kept
    // without a frame lies where the editor puts a box of its own.
    const QString text = settings.value(QStringLiteral("母版.文本框"));
    const bool drawn = settings.contains(QStringLiteral("母版.文本框.位置"));
    if (!plain && (!text.isEmpty() || drawn) && slide.attributes.value(QStringLiteral("文本框")).isEmpty()) {
        slide.attributes.insert(QStringLiteral("文本框"), QStringLiteral("1"));
        slide.attributes.insert(QStringLiteral("文本框.文字"), text);
        for (const QString &name : {QStringLiteral("位置"), QStringLiteral("大小"), QStringLiteral("方向")})
            if (const QString value = settings.value(QStringLiteral("母版.文本框.") + name); !value.isEmpty())
                slide.attributes.insert(QStringLiteral("文本框.") + name, value);
    }
    return slide;
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
        slide.layout = QStringLiteral("空白");
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
    if (which.isEmpty() || which == u"讲义母版")
        return std::nullopt;
    QMap<QString, QString> master = {{QStringLiteral("母版类型"), which}};
    QString object = fields.value(QStringLiteral("对象")).trimmed();
    if (object.isEmpty())
        object = edited;
    const bool formatting = commandId == u"字体" || commandId == u"行距" || commandId == u"项目符号和编号";
    if (formatting && !object.isEmpty()) {
        const bool area = object == u"日期区" || object == u"页脚区" || object == u"数字区" || object == u"页眉区";
        if (which == u"备注母版")
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
    if (commandId == u"图片") {
        const QString name = fields.value(QStringLiteral("名称")).trimmed();
        master.insert(QStringLiteral("图片"), name.isEmpty() ? QStringLiteral("1") : name);
        return master;
    }
    if (commandId == u"背景" && !fields.value(QStringLiteral("填充")).trimmed().isEmpty()) {
        master.insert(QStringLiteral("背景"), fields.value(QStringLiteral("填充")).trimmed());
        return master;
    }
    return std::nullopt;
}

}
