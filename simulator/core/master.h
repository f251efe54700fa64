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
// "doc.母版.<母版类型>.标题" and ".正文"; they show on the master only. A
// background put on the master ("doc.母版.背景") shows on every slide too.
//
// Objects are inserted and drawn on a master as on a slide (图片, 艺术字,
// 自选图形, 文本框, 表格, 图表, 组织结构图, 媒体, 动作按钮), each keeping what
// a slide's keeps under "doc.母版.<name>." ("doc.母版.艺术字.文字",
// "doc.母版.自选图形.位置"); the title, handout and notes masters' under
// "doc.母版.<母版类型>.<name>.". The text box's own value is its text
// ("doc.母版.文本框" = 内部培训), the picture's its name. The slide
// master's objects show on every slide, the title master's on the title
// slides, behind the slide's own objects; they are selected, moved and
// deleted in their master's view alone.
//
// The title master (标题母版), the notes master (备注母版) and the
// handout master (讲义母版) keep their formats apart, as
// "doc.母版.标题母版.<对象>.<name>", "doc.母版.备注母版.<对象>.<name>" and
// "doc.母版.讲义母版.<区>.<name>" (its areas 页眉区, 日期区, 页脚区, 数字区). The title master's reach the slides of
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
// The places of the slides on a handout page showing `count` slides (1,
// 2, 3, 4, 6 or 9; another count is taken as 6), upright, in fractions
// of the page; its areas lie where the notes page's do.
QList<QRectF> handoutPlaces(int count);

// The format `name` of the notes master's `object` ("备注文本", "日期区"…).
QString notesFormat(const Document &document, const QString &object, const QString &name);

// The slide as the candidate sees it: its own attributes, and the master's
// where it has none (index from 0; an empty slide for one beyond the end).
Slide effective(const Document &document, int index);

// The objects put on the master named ("幻灯片母版", "标题母版", "讲义母版",
// "备注母版"), as a slide of the blank layout holds them ("艺术字",
// "艺术字.文字"…), each with its frame.
Slide objects(const Document &document, const QString &master);
// The master's objects made those of `objects`, a slide as objects() gives.
void setObjects(QMap<QString, QString> &settings, const QString &master, const Slide &objects);
// Whether a command inserting an object (its prefix: 图片, 艺术字…) puts it
// on a master in a master view. An OLE object is not put on one.
bool insertsOnMaster(const QString &prefix);
// Whether the command is greyed in the master view the document shows:
// one that makes slides, or inserts what a master does not hold (an OLE
// object, a comment, a special paste).
bool greyed(const Document &document, const QString &commandId);
// The objects of the masters that lie on the slide (index from 0), back to
// front: the slide master's, and on a title slide the title master's;
// none where the slide leaves out the master's graphics.
QList<Slide> objectsBehind(const Document &document, int index);

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
