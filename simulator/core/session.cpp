#include "session.h"

#include "commands.h"

Session::Session(Document document) : m_document(std::move(document))
{
    if (m_document.slides.isEmpty())
        m_document.slides.append(Slide{QStringLiteral("标题幻灯片"), {}, {}, {}, false, {}});
}

void Session::select(int slide)
{
    m_current = std::clamp(slide, 1, int(m_document.slides.size()));
}

void Session::setText(const QString &part, const QString &text)
{
    m_document.setValue(QStringLiteral("slide%1.%2").arg(m_current).arg(part), text);
}

bool Session::run(const QString &commandId, const QMap<QString, QString> &fields)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return false;
    QList<Slide> &slides = m_document.slides;
    using Effect = CommandSpec::Effect;
    switch (spec->effect) {
    case Effect::SlideAttributes: {
        const QString object = fields.value(QStringLiteral("对象")).trimmed();
        const bool everySlide = fields.value(QStringLiteral("应用范围")) == u"全部应用";
        QString base = spec->prefix;
        if (!object.isEmpty())
            base = base.isEmpty() ? object : base + u'.' + object;
        for (int i = 0; i < slides.size(); ++i) {
            if (!everySlide && i != m_current - 1)
                continue;
            QMap<QString, QString> &attributes = slides[i].attributes;
            if (spec->marksObject)
                attributes.insert(spec->prefix, QStringLiteral("1"));
            for (auto it = fields.begin(); it != fields.end(); ++it) {
                if (it.key() == u"对象" || it.key() == u"应用范围" || it.value().trimmed().isEmpty())
                    continue;
                attributes.insert(base.isEmpty() ? it.key() : base + u'.' + it.key(), it.value().trimmed());
            }
        }
        break;
    }
    case Effect::DocumentSettings:
        m_document.settings.insert(spec->prefix, QStringLiteral("1"));
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (!it.value().trimmed().isEmpty())
                m_document.settings.insert(spec->prefix + u'.' + it.key(), it.value().trimmed());
        break;
    case Effect::InsertSlide: {
        Slide slide;
        slide.layout = fields.value(QStringLiteral("版式"), QStringLiteral("标题和文本"));
        if (slide.layout.isEmpty())
            slide.layout = QStringLiteral("标题和文本");
        slides.insert(m_current, slide);
        ++m_current;
        break;
    }
    case Effect::DuplicateSlide:
        slides.insert(m_current, slides.at(m_current - 1));
        ++m_current;
        break;
    case Effect::DeleteSlide:
        if (slides.size() > 1) {
            slides.removeAt(m_current - 1);
            m_current = std::min(m_current, int(slides.size()));
        }
        break;
    case Effect::HideSlide:
        slides[m_current - 1].hidden = !slides[m_current - 1].hidden;
        break;
    case Effect::SlideLayout:
        if (!fields.value(QStringLiteral("版式")).isEmpty())
            slides[m_current - 1].layout = fields.value(QStringLiteral("版式"));
        break;
    case Effect::Copy:
        m_clipboard = slides.at(m_current - 1);
        break;
    case Effect::Cut:
        if (slides.size() > 1) {
            m_clipboard = slides.takeAt(m_current - 1);
            m_current = std::max(1, m_current - 1);
        }
        break;
    case Effect::Paste:
        if (m_clipboard) {
            slides.insert(m_current, *m_clipboard);
            ++m_current;
        }
        break;
    case Effect::View:
        m_document.settings.insert(QStringLiteral("视图"), spec->id);
        break;
    case Effect::InsertFromFile: {
        // The other presentation has three slides titled after the file.
        QString file = fields.value(QStringLiteral("文件")).trimmed();
        if (file.isEmpty())
            break;
        file = file.section(u'/', -1).section(u'.', 0, 0);
        const QString which = fields.value(QStringLiteral("幻灯片")).trimmed();
        QList<int> numbers;
        if (which.isEmpty() || which == u"全部")
            numbers = {1, 2, 3};
        else if (const int n = QString(which).remove(u'第').remove(u'张').toInt(); n >= 1)
            numbers = {n};
        for (int n : numbers) {
            Slide slide;
            slide.layout = QStringLiteral("标题和文本");
            slide.title = QStringLiteral("%1 第%2张").arg(file).arg(n);
            slides.insert(m_current, slide);
            ++m_current;
        }
        break;
    }
    case Effect::Show:
        m_document.settings.insert(QStringLiteral("放映"), fields.value(QStringLiteral("从"), QStringLiteral("第一张")));
        break;
    }
    return true;
}
