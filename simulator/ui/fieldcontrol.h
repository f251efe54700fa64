#pragma once

#include "commands.h"

#include <QString>

#include <functional>

class QWidget;

// One field of a command's dialog as a control: its widget carries the
// object name "field:<name>" (the guide marks it, tests set it), and it reads
// and writes the field's value as the command table spells it.
//
// An empty value means "not set": the command leaves that part alone. A yes/no
// box stays empty until the candidate clicks it; a group of check boxes joins
// the ticked choices with "、".
struct FieldControl
{
    enum class Kind {
        Combo,    // editable drop-down: the choices, or any typed value
        Line,     // typed value only
        Radios,   // one of the choices, side by side
        Column,   // one of the choices, one under the other
        Checks,   // several of the choices, one under the other
        CheckRow, // several of the choices, side by side
        YesNo,    // a check box for a 是/否 field
        List,     // a list of the choices
        Tiles,    // the choices as painted tiles (layouts, bullets, templates)
    };

    QWidget *widget = nullptr;
    std::function<QString()> value;
    std::function<void(const QString &)> setValue;
    Kind kind = Kind::Combo;  // the control made: a choice-bound kind without choices becomes typed
};

// Paints a tile's picture for one choice.
using TilePainter = std::function<void(class QPainter &, const class QRectF &, const QString &choice)>;

// `label` is the text a check box shows (YesNo); `changed` receives every
// change of the value, whether the candidate or the program made it.
FieldControl makeFieldControl(FieldControl::Kind kind, const FieldSpec &field, const QString &label,
                              const TilePainter &tiles, QWidget *parent,
                              const std::function<void(const QString &)> &changed);
