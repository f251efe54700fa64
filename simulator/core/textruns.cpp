#include "textruns.h"

#include <utility>

namespace TextRuns {

namespace {

const QString Opening = QStringLiteral("「");
const QString Closing = QStringLiteral("」.");
const QChar CountOpening = u'〔';
const QChar CountClosing = u'〕';

// The run's text and which of its places it stands at (1: the first).
std::pair<QString, int> parse(const QString &name)
{
    const qsizetype opening = name.lastIndexOf(CountOpening);
    if (opening > 0 && name.endsWith(CountClosing)) {
        bool number = false;
        const int place = name.mid(opening + 1, name.size() - opening - 2).toInt(&number);
        if (number && place >= 2)
            return {name.left(opening), place};
    }
    return {name, 1};
}

} // namespace

QString key(const QString &object, const QString &name)
{
    return object + Opening + name + QStringLiteral("」");
}

QString name(const QString &whole, qsizetype start, qsizetype length)
{
    const QString text = whole.mid(start, length);
    int place = 1;
    for (qsizetype at = whole.indexOf(text); at >= 0 && at < start; at = whole.indexOf(text, at + 1))
        ++place;
    return place == 1 ? text : text + CountOpening + QString::number(place) + CountClosing;
}

QString textOf(const QString &name)
{
    return parse(name).first;
}

qsizetype startIn(const QString &whole, const QString &name)
{
    const auto [text, place] = parse(name);
    if (text.isEmpty())
        return -1;
    qsizetype at = whole.indexOf(text);
    for (int i = 1; i < place && at >= 0; ++i)
        at = whole.indexOf(text, at + 1);
    return at;
}

QMap<QString, Formats> of(const QMap<QString, QString> &attributes, const QString &object)
{
    const QString prefix = object + Opening;
    QMap<QString, Formats> runs;
    for (auto it = attributes.lowerBound(prefix); it != attributes.end() && it.key().startsWith(prefix); ++it) {
        const qsizetype closing = it.key().lastIndexOf(Closing);
        if (closing > prefix.size())
            runs[it.key().mid(prefix.size(), closing - prefix.size())].insert(it.key().mid(closing + Closing.size()), it.value());
    }
    return runs;
}

QString at(const QMap<QString, QString> &attributes, const QString &object, const QString &text, qsizetype position)
{
    const QMap<QString, Formats> runs = of(attributes, object);
    for (auto run = runs.begin(); run != runs.end(); ++run) {
        const qsizetype start = startIn(text, run.key());
        if (start >= 0 && start < position && position <= start + textOf(run.key()).size())
            return run.key();
    }
    return {};
}

void clear(QMap<QString, QString> &attributes, const QString &object, const QString &name)
{
    const QString prefix = object + Opening;
    const QString ending = Closing + name;
    for (auto it = attributes.lowerBound(prefix); it != attributes.end() && it.key().startsWith(prefix);) {
        if (it.key().endsWith(ending))
            it = attributes.erase(it);
        else
            ++it;
    }
}

void followEdit(QMap<QString, QString> &attributes, const QString &object, const QString &before, const QString &after)
{
    if (before == after)
        return;
    const QMap<QString, Formats> runs = of(attributes, object);
    if (runs.isEmpty())
        return;
    // One edit: what the texts share at their start and at their end is
    // untouched; [edited, beforeEnd) of `before` became [edited, afterEnd) of `after`.
    qsizetype edited = 0;
    while (edited < before.size() && edited < after.size() && before.at(edited) == after.at(edited))
        ++edited;
    qsizetype tail = 0;
    while (tail < before.size() - edited && tail < after.size() - edited
           && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    const qsizetype beforeEnd = before.size() - tail;
    const qsizetype afterEnd = after.size() - tail;
    const qsizetype shift = afterEnd - beforeEnd;

    QMap<QString, Formats> moved;
    for (auto run = runs.begin(); run != runs.end(); ++run) {
        const qsizetype start = startIn(before, run.key());
        if (start < 0) {
            moved.insert(run.key(), run.value());  // stands nowhere: left as it is
            continue;
        }
        const qsizetype end = start + textOf(run.key()).size();
        // Typed characters take the format of the character before them.
        const qsizetype newStart = start < edited ? start : start >= beforeEnd ? start + shift : afterEnd;
        const qsizetype newEnd = end < edited ? end : end >= beforeEnd && end > edited ? end + shift : afterEnd;
        if (newEnd > newStart)
            moved.insert(name(after, newStart, newEnd - newStart), run.value());
    }
    for (auto run = runs.begin(); run != runs.end(); ++run)
        for (auto format = run->begin(); format != run->end(); ++format)
            attributes.remove(key(object, run.key()) + u'.' + format.key());
    for (auto run = moved.begin(); run != moved.end(); ++run)
        for (auto format = run->begin(); format != run->end(); ++format)
            attributes.insert(key(object, run.key()) + u'.' + format.key(), format.value());
}

} // namespace TextRuns
