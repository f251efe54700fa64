#include "textruns.h"

namespace TextRuns {

namespace {

const QString Opening = QStringLiteral("「");
const QString Closing = QStringLiteral("」.");

} // namespace

QString key(const QString &object, const QString &text)
{
    return object + Opening + text + QStringLiteral("」");
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
        const qsizetype start = text.indexOf(run.key());
        if (start >= 0 && start < position && position <= start + run.key().size())
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
        const qsizetype start = before.indexOf(run.key());
        if (start < 0) {
            moved.insert(run.key(), run.value());  // stands nowhere: left as it is
            continue;
        }
        const qsizetype end = start + run.key().size();
        // Typed characters take the format of the character before them.
        const qsizetype newStart = start < edited ? start : start >= beforeEnd ? start + shift : afterEnd;
        const qsizetype newEnd = end < edited ? end : end >= beforeEnd && end > edited ? end + shift : afterEnd;
        if (newEnd > newStart)
            moved.insert(after.mid(newStart, newEnd - newStart), run.value());
    }
    for (auto run = runs.begin(); run != runs.end(); ++run)
        for (auto format = run->begin(); format != run->end(); ++format)
            attributes.remove(key(object, run.key()) + u'.' + format.key());
    for (auto run = moved.begin(); run != moved.end(); ++run)
        for (auto format = run->begin(); format != run->end(); ++format)
            attributes.insert(key(object, run.key()) + u'.' + format.key(), format.value());
}

} // namespace TextRuns
