#pragma once

#include <QPointer>

class Tmain;
class Tjsct;
class Ttcrj;
class Ttits;
class TTzts;
class QLabel;
class QWidget;

// The program's long-lived windows, created at start-up in a fixed order
// and kept for the whole run, and the current chapter browser. Modules reach
// each other through these, as the screens always have.
namespace Forms {

inline QPointer<Tmain> main;
inline QPointer<Tjsct> jsct;
inline QPointer<Ttcrj> tcrj;
inline QPointer<Ttits> tits;
inline QPointer<TTzts> Tzts;

// Module windows docked into the main window's Panel3.
inline QPointer<QWidget> xxjh;   // study plan
inline QPointer<QWidget> wlkt;   // classroom index
inline QPointer<QWidget> mnks;   // exam room list
inline QPointer<QWidget> kszn;   // exam guide
inline QPointer<QWidget> xzlxt;  // question picker of guided practice
inline QPointer<QWidget> sbsjx;  // the current chapter browser, new on every activation

} // namespace Forms
