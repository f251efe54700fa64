#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

// The editor's clip gallery: a few pictures in each category, drawn by code.
// The first clip of a category bears the category's name ("人物"), the
// others their own ("教师"). The 剪贴画 task pane searches and shows them;
// a picture inserted from there (图片.来源 = 剪贴画, 图片.名称 = the clip's
// name) is painted on the slide from the same drawing.
namespace ClipArt {

struct Clip
{
    QString name;
    QString category;
};

// Every clip, category by category.
const QList<Clip> &clips();
// The clips whose name or category holds `words` (all of them for none).
QList<Clip> search(const QString &words);
bool contains(const QString &name);
// Draws the clip named `name` into `r`; an unknown name gets a plain frame.
void paint(QPainter &p, const QRectF &r, const QString &name);

} // namespace ClipArt
