#pragma once

#include "fieldcontrol.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// How the dialogs candidates use most are laid out: group boxes on a grid,
// tabs where the editor has them, a preview where it helps. Each entry names
// the fields of the command it places; a field the entry does not place
// still gets a control (under "其他"), and a placed field the command lacks is
// left out, so the table and the command table may change independently.
// Commands without an entry get the plain form.
struct DialogItem
{
    // Fill: the background's fill drop-down with its 填充效果 dialog
    // (BackgroundFill), standing for the fields 填充 and 设置.
    enum class Extra { Field, Note, Preview, Fill };
    enum class Preview { None, Font, Background, HeaderFooter, Handout };

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

// A file dialog: the candidate's folder (考生文件夹) as the current folder
// with its files listed to click, the file name and type boxes below, the
// buttons beside them. Fields the command has besides the name and the type
// follow as labelled rows. With `browse`, the dialog holds the name box and
// 浏览 beside it only, and 浏览 opens the folder in a dialog of its own.
struct FileChooser
{
    QString place;        // "保存位置(I)：", "查找范围(I)："
    QString nameField;    // the field the file name box is
    QString nameLabel;
    QString typeField;    // the field the type box is; empty: the box shows `types` only
    QString typeLabel;
    QStringList types;    // offered when no field is the type box; the first is chosen
    QString accept;       // the text of the button that accepts ("保存(S)")
    bool browse = false;
    QMap<QString, QString> labels;   // the rows of the other fields: field → label
    QMap<QString, QString> defaults; // what the dialog opens with, as the editor's does
    // Fields the way the dialog was opened decides (the submenu entry that
    // opened it): they keep a control, which is not shown.
    QStringList hidden = {};
    // A hidden field whose value chooses the types offered and the title.
    QString kindField = {};
    QMap<QString, QStringList> typesFor = {};
    QMap<QString, QString> titleFor = {};
};

// A button beside OK that accepts too, with a field the dialog shows no
// control for set: "替换(R)" is 替换 with 操作 = 替换.
struct AcceptButton
{
    QString text;
    QString field;
    QString value;
};

// What the editor asks in a box of its own once 确定 was pressed: each
// answer is a button that sets the field and closes both, and the command
// runs. The text's "%1" is the value of `subject`.
struct Question
{
    QString text;
    QString subject;
    QString fallback;     // for "%1" while the subject field is empty
    QString field;
    QList<AcceptButton> answers;
    // Asked only while this field holds one of these values; empty: always.
    QString whenField = {};
    QStringList whenValues = {};
    bool cancel = false;   // a 取消 button that leaves the dialog open
};

struct DialogLayout
{
    QString title;   // the window title; empty: the command
    QList<DialogGroup> groups;
    std::optional<FileChooser> files = std::nullopt;
    QString accept = {};              // the text of OK; empty: 确定
    QList<AcceptButton> alsoAccept = {};
    bool acceptedByAlsoOnly = false;  // no 确定: the alsoAccept buttons close the dialog
    bool previewButton = false;       // 预览(P) beside the buttons (see CommandDialog::previewAsked)
    std::optional<Question> question = std::nullopt;
};

namespace DialogLayouts {

// Null when the command has the plain form.
const DialogLayout *find(const QString &commandId);
// The tile pictures of a field shown as tiles.
TilePainter tilePainter(const QString &field);

} // namespace DialogLayouts
