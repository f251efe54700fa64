#pragma once

#include "fieldcontrol.h"

#include <QList>
#include <QString>

// How the dialogs candidates use most are laid out: group boxes on a grid,
// tabs where the editor has them, a preview where it helps. Each entry names
// the fields of the command it places; a field the entry does not place
// still gets a control (under "其他"), and a placed field the command lacks is
// left out, so the table and the command table may change independently.
// Commands without an entry get the plain form.
struct DialogItem
{
    enum class Extra { Field, Note, Preview };
    enum class Preview { None, Font, Background, Transition, HeaderFooter, Handout, Files };

    Extra extra = Extra::Field;
    QString field;   // the field, or a note's text
    FieldControl::Kind kind = FieldControl::Kind::Combo;
    QString label;   // shown before the control; empty: none
    Preview preview = Preview::None;
};

struct DialogGroup
{
    QString tab;     // empty: on the dialog itself; the tabs sit in row 1 of the dialog's grid
    QString title;   // empty: no frame
    int row = 0;
    int column = 0;
    int columnSpan = 1;
    QList<DialogItem> items;
    int columns = 1;  // label and control pairs a row
};

struct DialogLayout
{
    QString title;   // the window title; empty: the command
    QList<DialogGroup> groups;
};

namespace DialogLayouts {

// Null when the command has the plain form.
const DialogLayout *find(const QString &commandId);
// The tile pictures of a field shown as tiles.
TilePainter tilePainter(const QString &field);

} // namespace DialogLayouts
