#pragma once

#include "document.h"
#include "history.h"

struct CommandSpec;

#include <QList>
#include <QMap>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

// The editor's working state without any screen: the document, the slide
// under edit, the selected slides and the clipboards for slides and for one
// object. The editor window calls it for every menu command, toolbar button,
// shortcut, context-menu entry and typed text, and tests play the tasks'
// solution paths through it.
//
// The selection is a document setting ("doc.选中"): a click selects one
// slide, Shift or Ctrl with the click several. Deleting, hiding, cutting,
// copying and the slide attributes act on every selected slide.
class Session
{
public:
    explicit Session(Document document = Document::sample(6));

    const Document &document() const { return m_document; }
    int current() const { return m_current; }   // 1-based
    QList<int> selection() const;                // ascending, holds current()
    void select(int slide);
    // Several slides; the last one becomes the current slide. Numbers beyond
    // the presentation are left out.
    void select(const QList<int> &slides);
    // In the sorter a click between two slides places the insertion bar
    // there instead of choosing a slide: 新幻灯片 and 粘贴 put their slides
    // at the bar, which goes with the next command or slide chosen. Before
    // slide `before` (one past the last: the end); 0, or a place beyond the
    // presentation, takes it away.
    void placeInsertionBar(int before);
    int insertionBar() const { return m_insertBefore; }

    // Carries out a command of the command table with its dialog's fields.
    // Returns false (and changes nothing) for an unknown command.
    // 撤销 and 恢复 take back and bring back the changes made before, as
    // far as there are any (a burst of typing into one part is one change);
    // either way the document notes that the command was used.
    // A route (菜单, 工具栏, 快捷键, 右键菜单, 任务窗格) is how the candidate
    // reached the command; the document notes it as "doc.方式.<command>".
    bool run(const QString &commandId, const QMap<QString, QString> &fields = {}, const QString &route = {});
    // A command whose entry shows its task pane (see PaneSteps): the pane
    // shown, the way to it noted as the command's.
    void showPane(const QString &commandId, const QString &route = {});
    // Whether 撤销 and 恢复 would take anything back or bring anything back
    // (the editor greys them otherwise).
    bool canUndo() const;
    bool canRedo() const;
    // The session starts with a history, as a task about 撤销 or 恢复
    // assumes, the document as it is: `undoable`, the current slide's title
    // was just typed (撤销 takes it away); `redoable`, a new slide after the
    // current one was just taken back (恢复 brings it back).
    void startWithHistory(bool undoable, bool redoable);

    // The candidate's folder (考生文件夹) as the file dialogs list it: the
    // files the questions work with, then what the candidate saved in this
    // session (a name typed without extension gets the saved type's).
    QStringList folderFiles() const;
    // The file the presentation was last saved as or opened from; empty for
    // one never saved (保存 then asks for a name).
    QString fileName() const { return m_fileName; }

    // An action taken in the running slide show (see ShowActions), through
    // its command. Returns false (and changes nothing) for an unknown action.
    bool runShowAction(const QString &action);

    // Slides dragged in the slide list, the outline or the sorter: they go,
    // in their order, before slide `before` as numbered now (one past the
    // last for the end), and stay selected; the document notes the way
    // ("doc.方式.移动幻灯片" = 拖动). Returns false (and changes nothing)
    // when there is nothing to move or the place is not valid.
    bool moveSlides(const QList<int> &slides, int before);

    // The caret placed in a placeholder of the current slide ("title" or
    // "body"; empty: none). Commands that act on an object (字体, 中文版式,
    // 自定义动画…) act on this one when the candidate names none; choosing
    // another slide takes the caret away.
    void setEditing(const QString &part);
    // In the slide master and title master views the caret also goes into
    // the master's date, footer and number areas ("date", "footer", "number");
    // in the notes and handout master views into those and the header area
    // ("header").
    // The object the caret is in: 标题, 正文, 副标题 or one of those areas
    // (页眉区, 日期区, 页脚区, 数字区); empty when none.
    QString editedObject() const;
    // The area of the master a part names (date: 日期区…); empty for other parts.
    static QString masterArea(const QString &part);
    // The areas ("header", "date"…) the master view shown has; none outside
    // the master views.
    static QStringList masterAreas(const Document &document);
    // Whether the master view shown is the slide or the title master's:
    // the masters the left pane lists.
    static bool shownMasterAreas(const Document &document);
    // What an effect of the 自定义动画 pane goes to: the placeholder with the
    // caret, else the first shape selected; a sound or a movie by its kind
    // (声音, 影片), as the animation paths name it. Empty when none.
    QString animatedObject() const;
    QString editingPart() const { return m_editing; }
    // Where in that placeholder's text the caret is (-1: at its end). 符号
    // inserts there; 大纲's 降级 and 提升 act on the caret's paragraph of the
    // body when they name no paragraph by its text (内容).
    void setCaret(int position) { m_caret = position; }
    int caret() const { return m_caret; }
    // Text selected with the mouse or Shift and the arrows in a placeholder
    // of the current slide (the caret goes there too). A command with a
    // "选中文字" field (字体) acts on it when the field is left empty. Where
    // the same text stands more than once, `start` tells which (-1: the first).
    void setSelectedText(const QString &part, const QString &text, int start = -1);
    QString selectedText() const { return m_editing.isEmpty() ? QString() : m_selectedText; }
    // What character formats of `object` act on now: the run selected in it,
    // else the object itself.
    QString formattedObject(const QString &object) const;
    // The format the formatting toolbar shows: the selected run's, else the
    // run the caret types in, else the object's.
    QString shownFormatObject(const QString &object) const;

    // Enter at the caret in the body (the outline's): a new paragraph there,
    // at the broken paragraph's level. False when the caret is not in the body.
    bool breakParagraph();

    // Text typed into the current slide: part is "title", "body" or "notes".
    // In the slide or title master view, the title and body are the master's
    // prompt texts ("doc.母版.<母版类型>.标题", ".正文").
    void setText(const QString &part, const QString &text);

    // The font size of a text object that has none set (增大字号 and 减小字号 start there).
    static int defaultFontSize(const QString &object);

    // The shapes selected on the current slide (see Shapes): a click on a
    // shape's border, on a picture or a drawn shape selects it, Shift with
    // the click adds one. Choosing another slide or clicking into a
    // placeholder's text leaves none selected. Commands on an object
    // (对象格式, 叠放次序, 对齐或分布, 组合…) act on the selected shapes when
    // the candidate names no object and the caret is in none; 剪切, 复制 and
    // Delete take the shapes rather than the slides.
    // Names that are no shape of the current slide are left out.
    // A member of a group selects the whole group.
    void selectShape(const QString &name, bool add = false);
    // Shift (or Ctrl) with a click on a selected shape: it (its group) is
    // selected no more.
    void unselectShape(const QString &name);
    QStringList selectedShapes() const;
    void clearShapeSelection() { m_shapes.clear(); }
    // A shape of the current slide dragged or sized: its new frame in 厘米.
    // It becomes the selected shape. False for a name that is no shape there.
    // A shape moved (its size kept) takes the other selected shapes and its
    // group along by as much.
    bool setShapeFrame(const QString &name, const QRectF &frame);
    // The group of `member` sized by a handle of its frame to `frame` (厘米):
    // its members' frames scale together. False when it is in no group.
    bool setGroupFrame(const QString &member, const QRectF &frame);
    // Turned by its rotation handle to the angle (clockwise, degrees), as
    // 旋转或翻转's 旋转 keeps it ("45度"). False for no shape there.
    bool rotateShape(const QString &name, double degrees);
    // A shape of the 自选图形 command drawn by dragging on the current slide
    // (frame in 厘米) with the command's fields (形状, 箭头样式…): named as
    // the slide's next 自选图形, selected. `route` is noted as the command's way.
    QString drawShape(const QMap<QString, QString> &fields, const QRectF &frame, const QString &route = {});
    // Moved to a region of the slide ("右下角", see Shapes) or to "x,y";
    // sized to "w,h". False for a place or size that is neither.
    bool moveShape(const QString &name, const QString &where);
    bool resizeShape(const QString &name, const QString &size);
    // Delete with shapes selected: they go (a placeholder's text empties).
    bool deleteShapes();
    // A text box drawn by dragging on the current slide (frame in 厘米),
    // its text across or down (方向 横排 or 竖排): it is named as the slide's
    // next text box, selected, and takes typed text.
    QString drawTextBox(const QRectF &frame, bool vertical = false);
    // Text typed into a drawn text box or a selected shape ("<name>.文字").
    void setShapeText(const QString &name, const QString &text);
    // The slide whose shapes the candidate selects, drags and types into:
    // the current one, or in a master view the objects put on that master
    // (see Master::objects). There objects are inserted, drawn, moved,
    // typed into and deleted as on a slide, and land on the master; a
    // master holds one text box, which a new one drawn replaces.
    Slide shapeSlide() const;

    // What the last command has to tell the candidate, as the editor's
    // message box says it: a search that found nothing ("找不到…"), how many
    // texts 全部替换 replaced. Empty when it has nothing to say.
    QString notice() const { return m_notice; }

private:
    struct CopiedObject
    {
        QString name;
        QString text;
        QMap<QString, QString> format;
    };

    using State = History::State;

    void apply(const CommandSpec *spec, const QMap<QString, QString> &fields);
    // 字体 with text selected: the object it formats becomes the selected run.
    void formatSelectedRun(QMap<QString, QString> &values) const;
    // A change made or about to be made: 撤销 goes back to `before`.
    void remember(State before);
    void restore(const State &state);
    int insertionPlace() const;
    void setSelection(const QList<int> &slides);
    void setAttributes(const CommandSpec &spec, const QMap<QString, QString> &fields);
    void editAtCaret(const CommandSpec &spec, const QMap<QString, QString> &fields);
    // 查找 and 替换 on the texts of the presentation; 更改大小写 and 清除 on an object's text.
    void findOrReplace(const CommandSpec &spec, const QMap<QString, QString> &fields);
    void changeObjectText(const CommandSpec &spec, const QMap<QString, QString> &fields);
    // What a command does to a shape's frame or stacking (叠放次序, 对象格式's
    // 位置, a picture inserted into the middle of the slide).
    void placeShape(const CommandSpec &spec, const QMap<QString, QString> &fields, const QString &object, Slide &slide);
    // 剪切 or 复制 with shapes selected, or 粘贴 of the shape copied.
    void shapeClipboard(bool cut, bool paste);
    // The objects of the master the view shows, changed (see Master::objects).
    void changeMasterObjects(const std::function<void(Slide &)> &change);
    // The master's own object a command formats in a master view (named by
    // its 对象, or the one selected); empty for a command acting elsewhere.
    QString formattedMasterObject(const CommandSpec &spec, const QMap<QString, QString> &fields) const;
    // An object inserted in a master view: it goes on the master, selected.
    void insertOnMaster(const CommandSpec &spec, const QMap<QString, QString> &fields);
    // Remembered for 撤销 before a change made on the slide itself.
    void beforeShapeChange();

    Document m_document;
    int m_current = 1;
    int m_insertBefore = 0;   // the sorter's insertion bar: before this slide; 0 for none
    History m_history;
    QString m_typing;  // "<slide>.<part>" while the candidate types into it
    QString m_editing; // "title" or "body": where the caret is on the current slide
    int m_caret = -1;
    QStringList m_saved;   // files saved in this session, oldest first
    QString m_fileName;
    QString m_selectedText;  // selected there
    // Where the selected text stands in `whole`, the placeholder's text.
    qsizetype selectionStart(const QString &whole) const;
    QList<Slide> m_clipboard;
    std::optional<CopiedObject> m_copiedObject;
    QString m_notice;
    QStringList m_shapes;          // the selected shapes of the current slide
    QStringList m_together;        // while a command acts on each selected shape: all of them
    Slide *m_masterObjects = nullptr;  // while a command formats a master's object: that master's objects
    bool m_objectClipboard = false;  // 粘贴 pastes the copied shape, not slides
};
