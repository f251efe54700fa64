#pragma once

// Both programs are laid out in pixels: the main window is 1020 × 758, a
// simulator fills its 900 × 700 in the host's panel and reports screen
// positions through the bank. A desktop text scale (Xft.dpi 120, a scale
// factor) must change none of that, so the scaling Qt would derive from the
// desktop is switched off and fonts given in points are sized at 96 DPI.
// Call before the QApplication is created.
namespace PixelGeometry {

void keep();

} // namespace PixelGeometry
