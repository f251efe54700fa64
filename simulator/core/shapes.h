#pragma once

#include "document.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

// The shapes of a slide: its placeholders (标题, and 正文 or 副标题 as the
// layout has them) and the objects inserted on it (图片, 文本框, 自选图形,
// 艺术字…; a second one of a kind is "文本框2", a pasted one "图片副本").
// Each has a frame on the slide in 厘米, as the 设置对象格式 dialog shows it
// (the slide is 25.4 × 19.05), and a place in the stacking order.
//
// Frames and order are attributes of the slide, so goals read them by path:
//   "slide2.标题.位置"   "x,y": the shape's left and top edge, in 厘米 from
//                        the slide's top-left corner
//                        (a table's under 坐标: its 位置 is 表格属性's)
//   "slide2.标题.大小"   "w,h": its width and height in 厘米
//   "slide2.标题.层次"   its place in the stacking order, 1 at the back
//   "slide2.标题.旋转"   how far it is turned clockwise about its centre,
//                        "45度" (0 to 359; the frame is the unturned one)
//   "slide2.标题.翻转"   水平翻转 or 垂直翻转 when it is mirrored
//                        ("水平翻转、垂直翻转" both ways)
//   "slide2.图片.组合"   the group it belongs to ("组合1"): a group is
//                        selected, moved and arranged as one object
// A shape never moved has none of these: it stands where its layout puts it
// (an object inserted into the middle of the slide keeps the frame it was
// given). The 对象格式 dialog's 宽度 and 高度 ("8厘米") size it too.
namespace Shapes {

constexpr double SlideWidthCm = 25.4;
constexpr double SlideHeightCm = 19.05;

// The placeholders of a layout, in fractions of the slide.
struct LayoutFrames
{
    QRectF title;          // empty for a blank slide
    QRectF body;           // empty when the layout has no text body
    QRectF extra;          // second column, chart, clip art, table, org chart, content
    QString extraKind;     // 文本 图表 剪贴画 表格 组织结构图 内容
    bool verticalTitle = false;
    bool verticalBody = false;
};
LayoutFrames layoutFrames(const QString &layout);

struct Shape
{
    QString name;   // as paths name it: 标题, 副标题, 图片, 文本框2, 图片副本
    QString kind;   // 标题, 正文, 副标题, 图片, 文本框, 自选图形…
    QRectF frame;   // in 厘米
    bool placeholder = false;
    double rotation = 0;   // degrees clockwise, 0 to 360
    bool flippedLeftRight = false;
    bool flippedUpDown = false;
    QString group;         // empty when it belongs to none
};

// The kinds of object that can be inserted on a slide.
const QStringList &objectKinds();
// The kind a shape's name stands for ("文本框2" → 文本框); empty for a name
// that is no shape.
QString kindOf(const QString &name);

// Every shape of the slide, back to front.
QList<Shape> of(const Slide &slide);
std::optional<Shape> find(const Slide &slide, const QString &name);

// Moves or sizes a shape (the frame is kept on the slide, at least
// 0.2 厘米 a side). False for a name that is no shape of the slide.
bool setFrame(Slide &slide, const QString &name, const QRectF &frame);
// Takes the shape off the slide: an object with all its settings; a
// placeholder with its text ("slide2.标题.已删除" = 是), until the layout
// is applied again.
bool remove(Slide &slide, const QString &name);
// Whether the placeholder (标题, 正文, 副标题) was taken off the slide.
bool isDeleted(const Slide &slide, const QString &placeholder);
// 置于顶层, 置于底层, 上移一层 or 下移一层. False when nothing changes.
bool restack(Slide &slide, const QString &name, const QString &how);
// A name for one more object of the kind: the kind itself while the slide
// has none, else the kind with the next number ("文本框2").
QString newName(const Slide &slide, const QString &kind);

// The attribute a shape's left and top edge are kept under: 位置, or a
// table's 坐标.
QString placeKey(const QString &name);

// The angle a text gives ("45度", "-90°", "30"), in degrees; nullopt when
// it is no angle.
std::optional<double> degrees(const QString &text);
// How the model keeps an angle: whole degrees from 0 to 359, "45度".
QString degreesText(double degrees);
// Turns the shape to the angle (clockwise). False for no shape of the slide.
bool setRotation(Slide &slide, const QString &name, double degrees);
// How a shape kept as flipped `now` stands after one more flip (水平翻转
// or 垂直翻转): each flip mirrors it about its own axis, so the same flip
// twice undoes itself. "水平翻转", "垂直翻转", both joined by "、", or
// empty when it ends unflipped. Another text is taken as it is.
QString flipped(const QString &now, const QString &flip);

// The shapes that move with `name`: every member of its group, or the
// shape alone.
QStringList withGroup(const Slide &slide, const QString &name);
// Makes one group of the shapes (two at least; a member of another group
// brings that group along). Its name, "组合1" or the next free number;
// empty when nothing was grouped.
QString group(Slide &slide, const QStringList &names);
// Parts the group of `name` again; its members remember it, so that
// 重新组合 of any of them makes it again. False when `name` is in none.
bool ungroup(Slide &slide, const QString &name);
bool regroup(Slide &slide, const QString &name);
// The frame around the group of `name` (its own frame when it is in none);
// empty for no shape of that name.
QRectF groupFrame(const Slide &slide, const QString &name);
// The group of `name` sized as one object to the frame `to` (厘米): every
// member keeps its place and share within the group's frame. False when
// `name` is in no group or `to` is empty.
bool scaleGroup(Slide &slide, const QString &name, const QRectF &to);

// 对齐或分布 on the shapes: 左对齐 水平居中 右对齐 顶端对齐 垂直居中
// 底端对齐 line their frames up with each other's outermost (with the
// slide's edges and middle when `toSlide`, or when one object alone is
// arranged); 横向分布 and 纵向分布 space them evenly between the outermost
// two (across the whole slide when `toSlide`, or with fewer than three).
// A group moves as one object. False when no frame moved.
bool arrange(Slide &slide, const QStringList &names, const QString &how, bool toSlide);

// Where a frame given by text stands ("2.5,1.2"); nullopt when it is no
// pair of numbers.
std::optional<QPointF> pair(const QString &text);
QString pairText(double a, double b);

// The region words for the slide's ninths: 左上角 上方 右上角 左侧 中央
// 右侧 左下角 下方 右下角. A corner or 中央 is its ninth; 上方 and 下方 the
// top and bottom rows, 左侧 and 右侧 the left and right columns.
bool isRegion(const QString &word);
// Whether the frame's centre lies in the region.
bool inRegion(const QRectF &frame, const QString &word);
// Whether every place of region `inner` is in region `outer` (右下角 is in
// 下方 and in 右侧; 下方 is not in 右下角).
bool regionWithin(const QString &inner, const QString &outer);
// The ninth the frame's centre lies in, as a region word.
QString regionOf(const QRectF &frame);
// The frame moved (same size) to the middle of the region's ninth.
QRectF placedIn(const QRectF &frame, const QString &word);

} // namespace Shapes
