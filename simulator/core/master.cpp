#include "master.h"

namespace Master {

Slide effective(const Document &document, int index)
{
    if (index < 0 || index >= document.slides.size())
        return {};
    Slide slide = document.slides.at(index);
    static const QList<std::pair<QString, QString>> objects = {
        {QStringLiteral("标题样式"), QStringLiteral("标题")},
        {QStringLiteral("第一级文本"), QStringLiteral("正文")},
        {QStringLiteral("副标题样式"), QStringLiteral("副标题")},
    };
    static const QStringList names = {
        QStringLiteral("中文字体"), QStringLiteral("字号"), QStringLiteral("字形"), QStringLiteral("颜色"),
        QStringLiteral("项目符号"), QStringLiteral("行距"),
    };
    for (const auto &[object, part] : objects)
        for (const QString &name : names) {
            const QString own = part + u'.' + name;
            const QString master = document.settings.value(QStringLiteral("母版.%1.%2").arg(object, name));
            if (!master.isEmpty() && slide.attributes.value(own).isEmpty())
                slide.attributes.insert(own, master);
        }
    return slide;
}

}
