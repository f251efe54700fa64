#pragma once

#include <QPoint>
#include <QSize>

// Where the shell's windows go on a screen of the given size. Integer
// division truncates toward zero; on a small screen the results may be
// negative, and the windows are placed there all the same.
namespace Placement {

// The 1020 × 758 main window, placed as if it were 1024 × 768 and centred.
QPoint mainWindow(QSize screen);
// The notice dialog: 25 pixels left of the centre, its top 142 above the middle.
QPoint notice(QSize screen);
// The exit confirmation: centred across, 60 pixels above the centre.
QPoint exitConfirmation(QSize screen, QSize window);

// The size of the primary screen.
QSize screenSize();

} // namespace Placement
