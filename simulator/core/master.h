#pragma once

#include "document.h"

#include <QMap>
#include <QRectF>
#include <QString>

#include <optional>

// The slide master: the text formats set on it (视图 → 母版 → 幻灯片母版)
// are kept as "doc.母版.<对象>.<name>" (对象: 标题样式, 第一级文本,
// 副标题样式, and the areas along its foot: 日期区, 页脚区, 数字区) and
// reach every slide's title, body, subtitle, date, footer or number that has
// no format of its own by that name. The prompt texts typed over are kept as
// "doc.母版.<母版类型>.标题" and ".正文"; they show on the master only. A background, picture or text box put on
// the master ("doc.母版.背景", "doc.母版.图片", "doc.母版.文本框") shows on
// every slide too. The text box is drawn on the master as on a slide, and
// keeps its frame as "doc.母版.文本框.位置" and ".大小".
//
// The title master (标题母版) and the notes master (备注母版) keep their
// formats apart, as "doc.母版.标题母版.<对象>.<name>" and
// "doc.母版.备注母版.<对象>.<name>". The title master's reach the slides of
// the 标题幻灯片 layout, before the slide master's; the notes master's
// (对象: 备注文本, and the areas 页眉区, 日期区, 页脚区, 数字区) the
// notes pages.
namespace Master {

// The setting that keeps the format `name` of the master's `object`, for
// the master named ("幻灯片母版", "标题母版", "备注母版"; another or none is
// the slide master).
QString formatKey(const QString &master, const QString &object, const QString &name);

// The notes page as the notes master shows it, upright: where its slide
// image, notes text and areas lie, in fractions of the page.
struct NotesPage
{
    QRectF image, notes, header, date, footer, number;
};
NotesPage notesPage();

// The format `name` of the notes master's `object` ("备注文本", "日期区"…).
QString notesFormat(const Document &document, const QString &object, const QString &name);

// The slide as the candidate sees it: its own attributes, and the master's
// where it has none (index from 0; an empty slide for one beyond the end).
Slide effective(const Document &document, int index);

// The master view the document shows (幻灯片母版, 标题母版, 讲义母版,
// 备注母版), or empty in the other views.
QString view(const Document &document);

// The master as the master view shows it: a document of one slide with the
// master's placeholders ("单击此处编辑母版标题样式"…), formatted as the
// master is, with what was put on the master.
Document shown(const Document &document);

// In a master view the editor's commands act on the master: formatting the
// title or text placeholder, inserting a picture, filling the background.
// The fields the 母版 command is run with instead; none when the command
// acts as it does elsewhere. A command that names no object
// acts on `edited`, the placeholder with the caret ("标题", "正文"…).
std::optional<QMap<QString, QString>> redirected(const Document &document, const QString &commandId,
                                                 const QMap<QString, QString> &fields, const QString &edited);

}
