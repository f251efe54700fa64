#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class Query;

// What the host hands over to the simulators through the bank's single-row
// tables, at the moments the screens choose: where the simulator's panel lies
// on the screen (`jl` for the practice window, `jl1` for the exam room) and
// the input method the candidate picked (`srf`). Each write edits the one
// row of its table in place; an empty table gets its row on the first write.
namespace Handover {

// Table `jl`: screen x and y of the practice window's simulator panel.
void writePracticePanelPosition(Query &query, QPoint position);
// Table `jl1`: screen x and y of the exam room's simulator panel.
void writeExamPanelPosition(Query &query, QPoint position);
// Table `srf`: "英文输入法" stands for plain English input.
void writeInputMethod(Query &query, const QString &inputMethod);

// The practice panel's screen position: the module panel lies at (9, 109)
// in the main window, the practice window is docked at its (0, 0) and its
// simulator panel at (`panelLeft`, 0).
QPoint practicePanelPosition(QPoint mainWindowTopLeft, int panelLeft);
// The exam panel's screen position, centred on a screen of the given size.
QPoint examPanelPosition(QSize screen);

} // namespace Handover
