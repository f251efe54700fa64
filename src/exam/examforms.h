#pragma once

#include <QPointer>
#include <QString>

class Tmnks;
class Tmnks1;
class Tmnks2;
class Tmnks3;
class Tmnks4;
class Tmnksts1;
class Tmnksts2;
class Tmnksts3;
class Tmnksts4;
class Tmnksczts;
class Tmnksksxx;
class QWidget;

// The windows of the mock exam as the other screens reach them. The exam
// room list (Forms::mnks), the result screen, the operation tips and the
// examinee information are long-lived: made at start-up, hidden. The chain
// of one exam (login, transfer, exam room, question window, hand-in boxes)
// is made on demand and gone when the exam has ended.
namespace ExamForms {

inline QPointer<Tmnks1> mnks1;
inline QPointer<Tmnks2> mnks2;
inline QPointer<Tmnks3> mnks3;
inline QPointer<Tmnks4> mnks4;
inline QPointer<Tmnksts1> mnksts1;
inline QPointer<Tmnksts2> mnksts2;
inline QPointer<Tmnksts3> mnksts3;
inline QPointer<Tmnksts4> mnksts4;
inline QPointer<Tmnksczts> mnksczts;
inline QPointer<Tmnksksxx> mnksksxx;

// The exam room list docked by the shell, or null.
Tmnks *list();

// The text of the selected line of the exam room list, untrimmed; empty
// when no line is selected.
QString selectedRoom();

// Makes the mock exam the shell's module: the exam room list and the exam's
// other long-lived windows among the start-up windows.
void install();

// The long-lived result screen, operation tips and examinee information,
// made when missing; and their end with the list.
void createLongLived();
void destroyLongLived();

// A message for the candidate through the notice dialog `tits`, centred
// over `over` when given.
void notice(const QString &text, QWidget *over = nullptr);

} // namespace ExamForms
