#pragma once

#include "document.h"

// The slide master: the text formats set on it (视图 → 母版 → 幻灯片母版)
// are kept as "doc.母版.<对象>.<name>" (对象: 标题样式, 第一级文本,
// 副标题样式) and reach every slide's title, body or subtitle that has no
// format of its own by that name.
namespace Master {

// The slide as the candidate sees it: its own attributes, and the master's
// where it has none (index from 0; an empty slide for one beyond the end).
Slide effective(const Document &document, int index);

}
