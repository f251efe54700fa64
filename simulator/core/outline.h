#pragma once

#include "document.h"

// What the outline's 提升, 降级, 上移 and 下移 do to the slides. The outline
// shows each slide's title with its body's paragraphs beneath, indented by
// their level ("<object>.段落K.级别", none: 1); the paragraphs' own
// attributes move with them. Slides and paragraphs are counted from 0 here.
namespace Outline {

// The object the body is on that slide: 副标题 on a title slide, 正文 otherwise.
QString bodyObject(const Slide &slide);
int level(const Slide &slide, int paragraph);

// One level up. A paragraph at level 1 becomes the title of a new slide after
// its own, and the paragraphs after it go along as that slide's body, one
// level up as well. Returns the slide that holds the text afterwards, -1
// (nothing changed) when there is no such paragraph.
int promote(Document &document, int slide, int paragraph);
// One level down, to 5 at most. Returns false when there is no such paragraph.
bool demote(Document &document, int slide, int paragraph);
// A slide's title one level down: it becomes the last paragraph (level 1) of
// the slide before, its own paragraphs follow one level down, and the slide
// goes. Returns false for the first slide or one that does not exist.
bool demoteTitle(Document &document, int slide);
// The body broken at `position` of its text (Enter): the new paragraph
// takes the broken one's level and attributes, the later ones move along.
// Returns false for a place outside the body.
bool splitParagraph(Document &document, int slide, int position);
// The body's text replaced by `text` as typed (a paragraph joined to the one
// before with Backspace, lines pasted): paragraphs the same before and after
// the change keep their attributes, a joined one keeps the first one's, new
// ones take the one's before. Returns false for a slide that does not exist.
bool retext(Document &document, int slide, const QString &text);
// A paragraph one place up (step -1) or down (1) among its slide's
// paragraphs. Returns false when it is already first or last.
bool moveParagraph(Document &document, int slide, int paragraph, int step);

}
