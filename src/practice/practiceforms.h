#pragma once

#include <QPointer>

class Tsbs;
class Tsbsjx;
class Txzlxt;

// The guided-practice windows as the other screens reach them: the current
// chapter browser (kept by the shell as Forms::sbsjx), the practice window
// of the run in progress and the question picker.
namespace PracticeForms {

inline QPointer<Tsbs> sbs;

Tsbsjx *browser();

// The question picker (Forms::xzlxt), made at start-up.
Txzlxt *picker();

// A new practice window as the current `sbs`, docked at (0, 0) into the main
// window's Panel3 over the browser and shown; its showing opens the first question.
void openPracticeWindow();

// Makes guided practice the shell's module: the navigation button's new
// chapter browser, and the picker among the start-up windows.
void install();

} // namespace PracticeForms
