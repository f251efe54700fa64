#pragma once

// The screens name their fonts the way the system always has (楷体_GB2312,
// 宋体, 仿宋_GB2312, 新宋体, Tahoma, MS Sans Serif). These names are mapped
// to installed fonts of the same style, so Chinese text is drawn in a Kai,
// Song/Ming or plain sans face as the screen intends, never as boxes.
namespace Fonts {

// Registers the substitutes; call once after the application object exists.
void install();

} // namespace Fonts
