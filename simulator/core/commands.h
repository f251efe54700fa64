#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

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
        Rehearsal,           // a show that times each slide; its end answer sets "<prefix>.<field>" as settings do
        ReplaceFont,         // as DocumentSettings, and every text set in font 替换 is set in 替换为
        FindReplace,         // as DocumentSettings, and the texts searched: the match found is selected,
                             // or replaced (操作: 全部替换, the default, 替换 or 查找下一个)
    };

    QString id;           // the menu text without its ellipsis, unique
    QString menu;         // 文件 编辑 视图 插入 格式 工具 幻灯片放映 窗口 帮助; or, for a command the
                          // menu bar does not offer, where the editor has it: 绘图 (the drawing
                          // toolbar's 绘图 menu and buttons) or 格式工具栏 (the formatting toolbar)
    Effect effect = Effect::DocumentSettings;
    QString prefix;       // attribute or setting prefix; for SlideAttributes with an 对象 field, "<prefix>.<对象>."
    QList<FieldSpec> fields;
    QString shortcut;     // as QKeySequence reads it
    bool marksObject = false;  // inserting an object: attribute <prefix> := "1"
    // A field the editor asks for in a box of its own once 确定 was pressed
    // (how an inserted movie starts playing); the command runs with the answer.
    QString askedAfterOk = {};

    bool hasDialog() const { return !fields.isEmpty(); }
    const FieldSpec *field(const QString &name) const;
};

namespace Commands {

const QList<CommandSpec> &all();
const CommandSpec *find(const QString &id);
QStringList menus();
// What a document-wide dialog shows in a field nothing was chosen in yet:
// the editor's own defaults (打印 prints all slides once, in colour). Empty
// where the field starts empty.
QString initialValue(const QString &commandId, const QString &field);

} // namespace Commands

// What the candidate does in a running slide show, as the show names it:
//   下一张 上一张 帮助              moving through the show, its help
//   定位 <n>                         going to slide n
//   箭头 绘图笔 荧光笔               the pointer
//   自动 可见 永远隐藏               the arrow's options
//   墨迹颜色 <颜色>                  the ink's colour
//   画线                             a stroke of ink (the document keeps no ink)
//   擦除墨迹                         all ink of the slide erased
//   黑屏 白屏                        the screen
//   结束                             the show ends (Esc, 结束放映, a click at its end)
//   保留墨迹 放弃墨迹                the answer when a show with ink ends
//   保留排练时间 <n>秒  放弃排练时间  the answer when a rehearsal ends, n the seconds
//                                    a slide stayed on the screen, on the average
// Each is carried out as the command of the table with its field values,
// so the show and the old dialogs change the document alike.
struct ShowAction
{
    QString command;   // empty: the document does not change
    QMap<QString, QString> fields;
};

namespace ShowActions {

// Empty for a text that is no show action.
std::optional<ShowAction> find(const QString &action);

} // namespace ShowActions
