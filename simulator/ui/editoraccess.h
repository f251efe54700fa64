#pragma once

// What a screen reader (and a test driving the editor through the
// accessibility tree) finds in the editor beyond what Qt tells by itself:
// boxes named by what they set ("字号", "显示比例") with their text as value,
// where Qt on this platform would call them by their current text; and the
// things the slide area paints rather than builds from widgets, the objects
// on the slide and, in the slide sorter, the slides, each named as
// the candidate sees it ("图片", "3 市场分析").
#include <QString>

namespace EditorAccess {

// A slide as the slide list and the sorter name it: "3 市场分析", or
// "3 无标题" for a slide without a title.
QString slideName(int number, const QString &title);

// An object on the slide as it is spoken: "图片", "文本框 2", "自选图形 副本".
QString shapeName(const QString &name);

// Once per process, before the first box or slide area is asked about.
void install();

} // namespace EditorAccess
