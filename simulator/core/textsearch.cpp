#include "textsearch.h"

namespace {

// A letter or digit a Latin word is made of: a whole word ends where these end.
bool wordCharacter(QChar c)
{
    return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_');
}

bool sentenceEnd(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == u'\n' || c == u'。' || c == u'！' || c == u'？';
}

} // namespace

namespace TextSearch {

int indexIn(const QString &text, const QString &what, const Options &options, int from)
{
    if (what.isEmpty() || from < 0)
        return -1;
    const Qt::CaseSensitivity sensitivity = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text.indexOf(what, from, sensitivity); at >= 0; at = text.indexOf(what, at + 1, sensitivity)) {
        if (!options.wholeWord)
            return int(at);
        const qsizetype end = at + what.size();
        const bool openStart = at == 0 || !wordCharacter(text.at(at - 1)) || !wordCharacter(what.front());
        const bool openEnd = end == text.size() || !wordCharacter(text.at(end)) || !wordCharacter(what.back());
        if (openStart && openEnd)
            return int(at);
    }
    return -1;
}

int replaceAll(QString &text, const QString &what, const QString &with, const Options &options)
{
    int count = 0;
    for (int at = indexIn(text, what, options); at >= 0; at = indexIn(text, what, options, at + int(with.size()))) {
        text.replace(at, what.size(), with);
        ++count;
    }
    return count;
}

QString changeCase(const QString &text, const QString &how)
{
    QString changed = text;
    if (how == u"全部大写")
        return changed.toUpper();
    if (how == u"全部小写")
        return changed.toLower();
    if (how == u"切换大小写") {
        for (QChar &c : changed)
            c = c.isUpper() ? c.toLower() : c.toUpper();
        return changed;
    }
    const bool sentences = how == u"句首字母大写";
    if (!sentences && how != u"词首字母大写")
        return changed;
    // The first letter of each sentence (or word) up, the others down.
    bool atStart = true;
    for (QChar &c : changed) {
        if (c.isLetter()) {
            c = atStart ? c.toUpper() : c.toLower();
            atStart = false;
        } else if (sentences ? sentenceEnd(c) : !wordCharacter(c)) {
            atStart = true;
        }
    }
    return changed;
}

} // namespace TextSearch
