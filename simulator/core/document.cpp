#include "document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

const QStringList sampleTitles = {
    QStringLiteral("年度工作总结"), QStringLiteral("公司概况"), QStringLiteral("市场分析"),
    QStringLiteral("销售业绩"), QStringLiteral("工作计划"), QStringLiteral("团队建设"),
    QStringLiteral("产品介绍"), QStringLiteral("客户服务"), QStringLiteral("谢谢观看"),
};

const QStringList sampleBodies = {
    QStringLiteral("市场部\n二〇〇五年十二月"),
    QStringLiteral("成立于1998年\n员工三百余人\n业务遍及全国"),
    QStringLiteral("市场规模稳步增长\n竞争日趋激烈\n客户需求多样"),
    QStringLiteral("全年销售额增长18%\n重点项目全部完成\n新增客户120家"),
    QStringLiteral("拓展华南市场\n推出两款新产品\n完善售后服务"),
    QStringLiteral("团队建设\n技能培训\n绩效考核"),
};

struct SlidePath
{
    int number = 0;   // 1-based
    QString key;
};

std::optional<SlidePath> slidePath(const QString &path)
{
    static const QRegularExpression pattern(QStringLiteral("^slide([0-9]+)\\.(.+)$"));
    const QRegularExpressionMatch match = pattern.match(path);
    if (!match.hasMatch())
        return std::nullopt;
    return SlidePath{match.captured(1).toInt(), match.captured(2)};
}

} // namespace

Document Document::sample(int count)
{
    Document document;
    for (int i = 0; i < count; ++i) {
        Slide slide;
        slide.layout = i == 0 ? QStringLiteral("标题幻灯片") : QStringLiteral("标题和文本");
        slide.title = sampleTitles.value(i % sampleTitles.size());
        slide.body = sampleBodies.value(i % sampleBodies.size());
        document.slides.append(slide);
    }
    document.settings.insert(QStringLiteral("视图"), QStringLiteral("普通"));
    document.settings.insert(QStringLiteral("显示比例"), QStringLiteral("100%"));
    return document;
}

QString Document::value(const QString &path) const
{
    if (path == u"count")
        return QString::number(slides.size());
    if (path.startsWith(u"doc."))
        return settings.value(path.mid(4));
    const auto target = slidePath(path);
    if (!target || target->number < 1 || target->number > slides.size())
        return {};
    const Slide &slide = slides.at(target->number - 1);
    if (target->key == u"layout")
        return slide.layout;
    if (target->key == u"title")
        return slide.title;
    if (target->key == u"body")
        return slide.body;
    if (target->key == u"notes")
        return slide.notes;
    if (target->key == u"hidden")
        return slide.hidden ? QStringLiteral("1") : QString();
    return slide.attributes.value(target->key);
}

bool Document::setValue(const QString &path, const QString &value)
{
    if (path.startsWith(u"doc.") && path.size() > 4) {
        settings.insert(path.mid(4), value);
        return true;
    }
    const auto target = slidePath(path);
    if (!target || target->number < 1 || target->number > slides.size())
        return false;
    Slide &slide = slides[target->number - 1];
    if (target->key == u"layout")
        slide.layout = value;
    else if (target->key == u"title")
        slide.title = value;
    else if (target->key == u"body")
        slide.body = value;
    else if (target->key == u"notes")
        slide.notes = value;
    else if (target->key == u"hidden")
        slide.hidden = !value.isEmpty() && value != u"0";
    else
        slide.attributes.insert(target->key, value);
    return true;
}

QList<int> Document::slideNumbers(const QString &text)
{
    static const QRegularExpression part(QStringLiteral("^([0-9]+)(?:-([0-9]+))?$"));
    QList<int> numbers;
    for (const QString &piece : text.split(u',')) {
        const QRegularExpressionMatch m = part.match(piece.trimmed());
        if (!m.hasMatch())
            return {};
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        if (first < 1 || last < first)
            return {};
        for (int n = first; n <= last; ++n)
            if (!numbers.contains(n))
                numbers << n;
    }
    return numbers;
}

QString Document::slideNumbersText(QList<int> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    QStringList parts;
    for (qsizetype i = 0; i < numbers.size();) {
        qsizetype j = i;
        while (j + 1 < numbers.size() && numbers.at(j + 1) == numbers.at(j) + 1)
            ++j;
        parts << (j == i ? QString::number(numbers.at(i)) : QStringLiteral("%1-%2").arg(numbers.at(i)).arg(numbers.at(j)));
        i = j + 1;
    }
    return parts.join(u',');
}

bool Document::isValidPath(const QString &path)
{
    return path == u"count" || (path.startsWith(u"doc.") && path.size() > 4) || slidePath(path).has_value();
}

namespace {

QJsonObject jsonOf(const QMap<QString, QString> &map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

std::optional<QMap<QString, QString>> mapOf(const QJsonValue &value)
{
    if (!value.isObject() && !value.isUndefined())
        return std::nullopt;
    QMap<QString, QString> map;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString())
            return std::nullopt;
        map.insert(it.key(), it.value().toString());
    }
    return map;
}

} // namespace

QByteArray Document::toJson() const
{
    QJsonArray slideArray;
    for (const Slide &slide : slides) {
        QJsonObject object;
        object.insert(QStringLiteral("layout"), slide.layout);
        object.insert(QStringLiteral("title"), slide.title);
        object.insert(QStringLiteral("body"), slide.body);
        object.insert(QStringLiteral("notes"), slide.notes);
        object.insert(QStringLiteral("hidden"), slide.hidden);
        object.insert(QStringLiteral("attributes"), jsonOf(slide.attributes));
        slideArray.append(object);
    }
    QJsonObject root;
    root.insert(QStringLiteral("slides"), slideArray);
    root.insert(QStringLiteral("settings"), jsonOf(settings));
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<Document> Document::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !parsed.isObject())
        return std::nullopt;
    const QJsonObject root = parsed.object();
    const QJsonValue slideArray = root.value(QStringLiteral("slides"));
    if (!slideArray.isArray() || slideArray.toArray().isEmpty())
        return std::nullopt;
    Document document;
    for (const QJsonValue &value : slideArray.toArray()) {
        if (!value.isObject())
            return std::nullopt;
        const QJsonObject object = value.toObject();
        const auto attributes = mapOf(object.value(QStringLiteral("attributes")));
        if (!attributes)
            return std::nullopt;
        Slide slide;
        slide.layout = object.value(QStringLiteral("layout")).toString();
        slide.title = object.value(QStringLiteral("title")).toString();
        slide.body = object.value(QStringLiteral("body")).toString();
        slide.notes = object.value(QStringLiteral("notes")).toString();
        slide.hidden = object.value(QStringLiteral("hidden")).toBool();
        slide.attributes = *attributes;
        document.slides.append(slide);
    }
    const auto settings = mapOf(root.value(QStringLiteral("settings")));
    if (!settings)
        return std::nullopt;
    document.settings = *settings;
    return document;
}
