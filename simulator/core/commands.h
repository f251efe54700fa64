#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The commands of the imitated editor: where each sits in the menu bar, the
// fields of its dialog and what it changes in the document. The menu bar,
// the toolbar and the dialogs are built from this table, and the session
// carries the commands out, so the screen and the tests share one meaning.
struct FieldSpec
{
    QString name;
    QStringList choices;  // offered in the dialog; the candidate may also type a value
};

struct CommandSpec
{
    enum class Effect {
        SlideAttributes,     // fields become attributes of the current slide (or all, by 应用范围)
        DocumentSettings,    // fields become document settings "<prefix>.<field>"
        InsertSlide, DeleteSlide, DuplicateSlide, HideSlide, SlideLayout,
        Cut, Copy, Paste, View, Show,
        InsertFromFile,      // slides of another presentation (文件, 幻灯片: 全部 or 第n张) after the current one
        NewPresentation,     // a fresh presentation of one title slide replaces the document (模板, 文件名 as settings too)
        SelectAll,           // in the slide sorter every slide is selected; "全选" := "1" in any view
        WindowState,         // the document window: setting 窗口 := the command's id
        FullScreen,          // full screen on ("1") and off again ("0")
        EndShow,             // the running show ends: 放映状态 := 已结束
        Animation,           // as SlideAttributes, and the object's list of effects "<prefix>.<对象>.列表"
        FormatPainter,       // the text format of 对象 is copied to 目标对象 of slide 目标幻灯片
        CopyObject,          // 对象 of the current slide, its text and format, to the object clipboard
        PasteObject,         // the copied object onto the current slide, as "<对象>副本"
        FontSize,            // the font size of 对象 one step up (增大字号) or down through the size choices
    };

    QString id;           // the menu text without its ellipsis, unique
    QString menu;         // 文件 编辑 视图 插入 格式 工具 幻灯片放映 窗口 帮助
    Effect effect = Effect::DocumentSettings;
    QString prefix;       // attribute or setting prefix; for SlideAttributes with an 对象 field, "<prefix>.<对象>."
    QList<FieldSpec> fields;
    QString shortcut;     // as QKeySequence reads it
    bool marksObject = false;  // inserting an object: attribute <prefix> := "1"

    bool hasDialog() const { return !fields.isEmpty(); }
    const FieldSpec *field(const QString &name) const;
};

namespace Commands {

const QList<CommandSpec> &all();
const CommandSpec *find(const QString &id);
QStringList menus();

} // namespace Commands
