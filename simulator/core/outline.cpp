#include "outline.h"

#include <algorithm>

namespace {

QString levelKey(const QString &object, int paragraph)
{
    return QStringLiteral("%1.段落%2.级别").arg(object).arg(paragraph + 1);
}

QStringList paragraphsOf(const Slide &slide)
{
    return slide.body.isEmpty() ? QStringList() : slide.body.split(u'\n');
}

// Every paragraph's attributes ("级别", "字体"…), in the paragraphs' order;
// they are taken off the slide.
QList<QMap<QString, QString>> takeParagraphAttributes(Slide &slide, int count)
{
    QList<QMap<QString, QString>> attributes(count);
    const QString prefix = Outline::bodyObject(slide) + QStringLiteral(".段落");
    for (auto it = slide.attributes.begin(); it != slide.attributes.end();) {
        if (!it.key().startsWith(prefix)) {
            ++it;
            continue;
        }
        const QString rest = it.key().mid(prefix.size());
        bool ok = false;
        const int n = rest.section(u'.', 0, 0).toInt(&ok);
        if (ok && n >= 1 && n <= count && rest.contains(u'.'))
            attributes[n - 1].insert(rest.section(u'.', 1), it.value());
        it = slide.attributes.erase(it);
    }
    return attributes;
}

void putParagraphAttributes(Slide &slide, const QList<QMap<QString, QString>> &attributes)
{
    const QString object = Outline::bodyObject(slide);
    for (int i = 0; i < attributes.size(); ++i)
        for (auto it = attributes.at(i).begin(); it != attributes.at(i).end(); ++it)
            if (!(it.key() == u"级别" && it.value().toInt() <= 1))
                slide.attributes.insert(QStringLiteral("%1.段落%2.%3").arg(object).arg(i + 1).arg(it.key()), it.value());
}

void shiftLevel(QMap<QString, QString> &attributes, int step)
{
    const int level = std::clamp(std::max(1, attributes.value(QStringLiteral("级别")).toInt()) + step, 1, 5);
    attributes.insert(QStringLiteral("级别"), QString::number(level));
}

bool valid(const Document &document, int slide)
{
    return slide >= 0 && slide < document.slides.size();
}

}

namespace Outline {

QString bodyObject(const Slide &slide)
{
    return slide.layout == u"标题幻灯片" ? QStringLiteral("副标题") : QStringLiteral("正文");
}

int level(const Slide &slide, int paragraph)
{
    return std::max(1, slide.attributes.value(levelKey(bodyObject(slide), paragraph)).toInt());
}

int promote(Document &document, int slide, int paragraph)
{
    if (!valid(document, slide))
        return -1;
    Slide &own = document.slides[slide];
    QStringList paragraphs = paragraphsOf(own);
    if (paragraph < 0 || paragraph >= paragraphs.size())
        return -1;
    if (level(own, paragraph) > 1) {
        const QString key = levelKey(bodyObject(own), paragraph);
        const int up = level(own, paragraph) - 1;
        if (up > 1)
            own.attributes.insert(key, QString::number(up));
        else
            own.attributes.remove(key);
        return slide;
    }
    QList<QMap<QString, QString>> attributes = takeParagraphAttributes(own, int(paragraphs.size()));
    Slide added;
    added.layout = QStringLiteral("标题和文本");
    added.title = paragraphs.at(paragraph);
    const QStringList following = paragraphs.mid(paragraph + 1);
    added.body = following.join(u'\n');
    QList<QMap<QString, QString>> moved = attributes.mid(paragraph + 1);
    for (QMap<QString, QString> &one : moved)
        shiftLevel(one, -1);
    putParagraphAttributes(added, moved);
    own.body = paragraphs.mid(0, paragraph).join(u'\n');
    putParagraphAttributes(own, attributes.mid(0, paragraph));
    document.slides.insert(slide + 1, added);
    return slide + 1;
}

bool demote(Document &document, int slide, int paragraph)
{
    if (!valid(document, slide))
        return false;
    Slide &own = document.slides[slide];
    if (paragraph < 0 || paragraph >= paragraphsOf(own).size())
        return false;
    own.attributes.insert(levelKey(bodyObject(own), paragraph), QString::number(std::min(5, level(own, paragraph) + 1)));
    return true;
}

bool demoteTitle(Document &document, int slide)
{
    if (!valid(document, slide) || slide == 0)
        return false;
    Slide gone = document.slides.at(slide);
    Slide &before = document.slides[slide - 1];
    const QStringList beforeParagraphs = paragraphsOf(before);
    const QStringList goneParagraphs = paragraphsOf(gone);
    QList<QMap<QString, QString>> attributes = takeParagraphAttributes(before, int(beforeParagraphs.size()));
    QList<QMap<QString, QString>> goneAttributes = takeParagraphAttributes(gone, int(goneParagraphs.size()));
    for (QMap<QString, QString> &one : goneAttributes)
        shiftLevel(one, 1);
    attributes << QMap<QString, QString>() << goneAttributes;
    before.body = (beforeParagraphs + QStringList(gone.title) + goneParagraphs).join(u'\n');
    putParagraphAttributes(before, attributes);
    document.slides.removeAt(slide);
    return true;
}

bool splitParagraph(Document &document, int slide, int position)
{
    if (!valid(document, slide))
        return false;
    Slide &own = document.slides[slide];
    if (position < 0 || position > own.body.size())
        return false;
    const int count = int(paragraphsOf(own).size());
    const int paragraph = int(own.body.left(position).count(u'\n'));
    QList<QMap<QString, QString>> attributes = takeParagraphAttributes(own, count);
    if (paragraph < attributes.size())
        attributes.insert(paragraph + 1, attributes.at(paragraph));
    own.body.insert(position, u'\n');
    putParagraphAttributes(own, attributes);
    return true;
}

bool retext(Document &document, int slide, const QString &text)
{
    if (!valid(document, slide))
        return false;
    Slide &own = document.slides[slide];
    const QStringList before = paragraphsOf(own), after = text.split(u'\n');
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype same = 0;   // paragraphs alike at the start
    while (same < shorter && before.at(same) == after.at(same))
        ++same;
    qsizetype sameEnd = 0;   // and at the end
    while (sameEnd < shorter - same && before.at(before.size() - 1 - sameEnd) == after.at(after.size() - 1 - sameEnd))
        ++sameEnd;
    const QList<QMap<QString, QString>> old = takeParagraphAttributes(own, int(before.size()));
    QList<QMap<QString, QString>> attributes = old.mid(0, same);
    const qsizetype changedBefore = before.size() - same - sameEnd;
    for (qsizetype i = 0; i < after.size() - same - sameEnd; ++i) {
        if (i < changedBefore)
            attributes << old.at(same + i);
        else
            attributes << (same + i > 0 ? attributes.last() : QMap<QString, QString>());
    }
    attributes << old.mid(before.size() - sameEnd);
    own.body = text;
    putParagraphAttributes(own, attributes);
    return true;
}

bool moveParagraph(Document &document, int slide, int paragraph, int step)
{
    if (!valid(document, slide) || (step != 1 && step != -1))
        return false;
    Slide &own = document.slides[slide];
    QStringList paragraphs = paragraphsOf(own);
    const int to = paragraph + step;
    if (paragraph < 0 || paragraph >= paragraphs.size() || to < 0 || to >= paragraphs.size())
        return false;
    QList<QMap<QString, QString>> attributes = takeParagraphAttributes(own, int(paragraphs.size()));
    paragraphs.swapItemsAt(paragraph, to);
    attributes.swapItemsAt(paragraph, to);
    own.body = paragraphs.join(u'\n');
    putParagraphAttributes(own, attributes);
    return true;
}

}
