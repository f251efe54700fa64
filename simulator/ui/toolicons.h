#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QPainter;
class QRectF;

// The small pictures of the editor's toolbars, painted once each (16 × 16)
// rather than read from image files. Keyed by the command or control they
// stand for: a command of the table ("新建", "剪切", "观看放映"…) or a
// control of the formatting toolbar ("加粗", "倾斜", "下划线", "左对齐",
// "居中", "右对齐", "增大字号", "减小字号", "格式刷").
namespace ToolIcons {

// A null icon for a name that has no picture.
QIcon icon(const QString &name);
// An action button (第一张, 帮助…) as drawn on a slide, filling `r`: the
// picture its entry in 自选图形 ▸ 动作按钮 shows, at any size.
void paintActionButton(QPainter &p, const QRectF &r, const QString &button);
// The font colour button: an "A" over a bar of the colour.
QIcon fontColour(const QColor &colour);

} // namespace ToolIcons
