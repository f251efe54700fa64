#pragma once

#include <QPointer>

class Tkszn;
class Tszsj;
class Twlkt;
class Twlkt2;
class Txxjh;

// The study-aid windows as the other screens reach them. The study plan,
// its date dialog, the guide and the classroom are made at start-up (the
// shell keeps the module windows as Forms::xxjh, Forms::kszn, Forms::wlkt);
// `wlkt2` is the lesson player while "进入课堂" is making it.
namespace StudyForms {

inline QPointer<Tszsj> szsj;
inline QPointer<Twlkt2> wlkt2;

Txxjh *plan();
Twlkt *classroom();
Tkszn *guide();

// Makes the study aids the shell's modules for the study-plan, classroom
// and guide buttons.
void install();

} // namespace StudyForms
