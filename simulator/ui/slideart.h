#pragma once

#include "document.h"
#include "shapes.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QTextBlockFormat>
#include <QTextCharFormat>

class QPainter;

// How a slide looks: its background (fill, design template, colour scheme),
// where its layout puts the placeholders, how its texts are formatted and the
// objects inserted on it. The editor's slide, the slide list's thumbnails and
// the dialogs' previews all paint through here, so they agree.
namespace SlideArt {

// A colour by its Chinese name as the dialogs offer it ("红色", "浅蓝色"…),
// or one mixed in the 颜色 dialog ("RGB(0,112,192)").
QColor colour(const QString &name, const QColor &fallback);
// How a colour is stored: the name the lists give it, else "RGB(r,g,b)".
QString colourName(const QColor &colour);
// A picture's 亮度 or 对比度 as steps ("增加两次" is +2, "降低一次" −1), and
// back: what one more click of the picture toolbar's button makes of it.
int adjustmentSteps(const QString &value);
QString adjustmentText(int steps);

// Slide coordinates: the slide is 720 × 540 points (4:3).
constexpr double SlideWidthPt = 720.0;
constexpr double SlideHeightPt = 540.0;

// The placeholders of a layout, in fractions of the slide.
using Placement = Shapes::LayoutFrames;
Placement placement(const QString &layout);

// The text part of a slide the body placeholder holds: 副标题 on a title slide.
QString bodyPart(const Slide &slide);

struct TextStyle
{
    QFont font;
    QColor colour;
    Qt::Alignment alignment;
    bool shadow = false;
};
// The formatting of a part ("标题", "正文", "副标题") with the slide drawn at
// pxPerPt pixels per point. Families the system lacks fall back to close ones.
TextStyle textStyle(const Slide &slide, const QString &part, double pxPerPt, const QFont &base);

// The runs of a part: characters formatted apart from the rest of it, each
// by its name (TextRuns: its text and which of its places) and the format it
// adds to the part's own.
// A hyperlink is one of them: its text (or the whole part) underlined in the
// link colour.
struct Run
{
    QString name;
    QTextCharFormat format;
};
QList<Run> runs(const Slide &slide, const QString &part, double pxPerPt);

// How paragraph `index` (0-based) of a part stands: its outline level as an
// indent (in the document's indent steps), line spacing (行距), the space
// before and after it (段前, 段后) and its first line's indent (首行缩进), at
// pxPerPt pixels per point for text whose single line is `lineHeight` pixels.
QTextBlockFormat paragraphFormat(const Slide &slide, const QString &part, int index, double pxPerPt, double lineHeight);
// Whether the part's lines are spread over the whole width (分散对齐).
bool distributed(const Slide &slide, const QString &part);

// How the lines of a part break (格式 → 中文版式): with 首尾字符 control a
// line never starts with closing punctuation (。，、）…) nor ends with
// opening punctuation; with 标点溢出 such punctuation hangs past the edge
// instead; a western word stays whole on a line unless it may be broken.
// Without any, a line breaks after whatever character fills it.
struct LineBreaking
{
    bool controlled = false;     // 按中文习惯控制首尾字符
    bool hanging = false;        // 允许标点溢出边界
    bool breakingWords = false;  // 允许西文在单词中间换行
};
LineBreaking lineBreaking(const Slide &slide, const QString &part);
// A paragraph broken into lines (where each starts in `text`, how long),
// the first `firstWidth` pixels wide, the others `width`, in `font`.
QList<QPair<qsizetype, qsizetype>> brokenLines(const QString &text, const QFont &font, double firstWidth, double width,
                                               const LineBreaking &rules);

enum Part {
    Background = 0x1,
    Objects = 0x2,
    Texts = 0x4,          // title and body, for thumbnails and previews
    Placeholders = 0x8,   // dashed frames of the placeholders, for the slide under edit
    Footer = 0x10,
};
// Paints slide `index` (0-based) of the document into `rect` (4:3).
void paintSlide(QPainter &painter, const QRectF &rect, const Document &document, int index, int parts,
                const QFont &base);
void paintBackground(QPainter &painter, const QRectF &rect, const Slide &slide);

// The colours of a design template after its colour scheme and the slide's
// own choices: background, title text, body text, accent.
struct Scheme
{
    QColor background, title, body, accent;
    QString decoration;   // 通用 商务 古典 蓝色经典, or empty
};
Scheme scheme(const Slide &slide);

// The small schematic of a layout the layout pickers show.
void paintLayoutIcon(QPainter &painter, const QRectF &rect, const QString &layout);

// Whether a slide has a transition or animations (marked in the thumbnails).
bool hasTransition(const Slide &slide);
bool hasAnimation(const Slide &slide);

} // namespace SlideArt
