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
//   "shape 图片"                      a shape clicked; "shape 自选图形,自选图形2" several (Shift)
//   "moveshape 图片 右下角"           a shape dragged to a region or to "x,y" (厘米)
//   "resize 图片 12,9"                a shape sized by its handles (厘米)
//   "rotate 图片 45"                  a shape turned by its rotation handle (degrees)
//   "sizegroup 图片 1,1,14,12"        the group of a shape sized by its handles to a frame (厘米)
//   "unshape 图片"                    a selected shape clicked with Shift: unselected
//   "drawbox 1,1,5,2"                 a text box drawn: left, top, width, height (厘米)
//   "drawshape 椭圆 1,1,4,3"          a shape of the drawing toolbar drawn by dragging (厘米)
//   "typeshape 文本框 甲"             text typed into a shape
//   "delete"                          Delete with shapes selected
//   "bar 4"                           the sorter's insertion bar placed before slide 4
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
        } else if (words.at(0) == u"shape") {
            const QStringList names = words.value(1).split(u',');
            for (qsizetype k = 0; k < names.size(); ++k)
                session.selectShape(names.at(k), k > 0);
            done = session.selectedShapes() == names;
        } else if (words.at(0) == u"moveshape") {
            done = session.moveShape(words.value(1), words.value(2));
        } else if (words.at(0) == u"rotate") {
            done = session.rotateShape(words.value(1), words.value(2).toDouble());
        } else if (words.at(0) == u"sizegroup") {
            const QStringList n = words.value(2).split(u',');
            done = n.size() == 4
                && session.setGroupFrame(words.value(1), QRectF(n.at(0).toDouble(), n.at(1).toDouble(), n.at(2).toDouble(), n.at(3).toDouble()));
        } else if (words.at(0) == u"unshape") {
            session.unselectShape(words.value(1));
        } else if (words.at(0) == u"resize") {
            done = session.resizeShape(words.value(1), words.value(2));
        } else if (words.at(0) == u"drawbox") {
            const QStringList n = words.value(1).split(u',');
            done = n.size() == 4
                && !session.drawTextBox(QRectF(n.at(0).toDouble(), n.at(1).toDouble(), n.at(2).toDouble(), n.at(3).toDouble())).isEmpty();
        } else if (words.at(0) == u"drawshape") {
            const QStringList n = words.value(2).split(u',');
            done = n.size() == 4
                && !session.drawShape({{QStringLiteral("形状"), words.value(1)}},
                                      QRectF(n.at(0).toDouble(), n.at(1).toDouble(), n.at(2).toDouble(), n.at(3).toDouble())).isEmpty();
        } else if (words.at(0) == u"typeshape") {
            session.setShapeText(words.value(1), words.mid(2).join(u' '));
        } else if (words.at(0) == u"delete") {
            done = session.deleteShapes();
        } else if (words.at(0) == u"bar") {
            session.placeInsertionBar(words.value(1).toInt());
            done = session.insertionBar() > 0;
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
