#pragma once

#include "document.h"
#include "session.h"

#include <QMap>
#include <QString>
#include <QStringList>

// Plays a script of editor actions through a session, one action a line:
//   "select 1-3"                      the slides selected
//   "type title 欢迎"                 text typed into a part of the slide
//   "show 绘图笔"                     an action in the running show
//   "edit body"                       the caret placed in a placeholder of the current slide
//   "caret 3"                         the caret moved to that place of its text
//   "selecttext body 市场"            text selected in a placeholder (the caret goes after it)
//   "move 2,4 6"                      slides dragged before slide 6 (7: to the end)
//   "run 字体 对象=标题 字号=44"      a command with its dialog's fields
// Returns the first action the session refused, or an empty text.
inline QString playScript(Session &session, const QStringList &actions)
{
    for (const QString &action : actions) {
        const QStringList words = action.split(u' ');
        bool done = true;
        if (words.at(0) == u"select") {
            session.select(Document::slideNumbers(words.value(1)));
        } else if (words.at(0) == u"type") {
            session.setText(words.value(1), words.mid(2).join(u' '));
        } else if (words.at(0) == u"edit") {
            session.setEditing(words.value(1));
        } else if (words.at(0) == u"caret") {
            session.setCaret(words.value(1).toInt());
        } else if (words.at(0) == u"selecttext") {
            session.setSelectedText(words.value(1), words.mid(2).join(u' '));
        } else if (words.at(0) == u"move") {
            done = session.moveSlides(Document::slideNumbers(words.value(1)), words.value(2).toInt());
        } else if (words.at(0) == u"show") {
            done = session.runShowAction(words.mid(1).join(u' '));
        } else {
            QMap<QString, QString> fields;
            for (const QString &pair : words.mid(2))
                fields.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
            done = session.run(words.value(1), fields);
        }
        if (!done)
            return action;
    }
    return {};
}
