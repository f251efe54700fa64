#pragma once

#include "document.h"

#include <QTextEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QWidget>

#include <functional>

class QMimeData;

// The parts of the editor's window that are painted rather than built from
// many widgets: they keep the editor's start-up cheap.

// The task (and in practice the guide's hint) above the editor.
class TaskStrip : public QWidget
{
public:
    explicit TaskStrip(QWidget *parent);
    void setTask(const QString &text);
    // An empty hint hides the hint line.
    void setHint(const QString &text, const QColor &colour);
    QString hint() const { return m_hint; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();
    QString m_task;
    QString m_hint;
    QColor m_hintColour;
};

// The status bar of the editor, inside the part of the window the practice
// panel shows.
class StatusStrip : public QWidget
{
public:
    explicit StatusStrip(QWidget *parent);
    void setTexts(const QString &left, const QString &right);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_left, m_right;
};

// The task pane on the right: the pane named by the document's setting.
// Its title carries the switcher (a drop-down of the panes) and the close
// button; 自定义动画, 幻灯片切换 and 剪贴画 are panes of real controls, made
// when first shown (see AnimationPane, TransitionPane, ClipArtPane).
class AnimationPane;
class TransitionPane;
class ClipArtPane;
class QMenu;

class TaskPane : public QWidget
{
    Q_OBJECT

public:
    explicit TaskPane(QWidget *parent);
    void setPane(const QString &pane, const QString &layout);
    // The slide the panes show and act on, and the object the caret is in.
    void showSlide(const Slide &slide, const QString &object);
    // The panes the switcher offers, in its order.
    static QStringList panes();
    // The words of the title bar and the switcher for a pane ("幻灯片设计 - 动画方案").
    static QString title(const QString &pane);
    // The switcher's drop-down, opened by a click on the title.
    void openSwitcher();
    QMenu *switcher() const { return m_switcher; }
    AnimationPane *animationPane() const { return m_animation; }
    TransitionPane *transitionPane() const { return m_transition; }
    ClipArtPane *clipArtPane() const { return m_clipArt; }
    // Where the entry is painted ("close", "link:<text>", "layout:<name>");
    // empty when the pane does not show it.
    QRect entryRect(const QString &entry) const;
    // The entries as last painted, with what a screen reader calls them.
    QList<QPair<QRect, QString>> entries() const { return m_entries; }
    static QString spokenName(const QString &entry);
    // The entry of the 新建演示文稿 or 剪贴板 pane that leads to a command; empty for none.
    static QString entryFor(const QString &commandId);
    void activate(const QString &entry)
    {
        if (entry == u"switch")
            openSwitcher();
        else
            emit activated(entry);
    }
    // Makes the painted entries reachable through the accessibility tree.
    static void installAccessibility();

    // The control of the pane shown that sets the field of the pane's
    // command (see PaneSteps): a widget, or the pane itself with the
    // painted entry's place in `area`. Null when the pane has none.
    QWidget *fieldControl(const QString &field, const QString &value, QRect *area) const;
    // The drop-down menu the pane has open, and its entry for the field.
    QMenu *openMenu() const;
    QAction *menuEntry(const QString &field, const QString &value) const;

signals:
    // A click on one of the pane's entries ("pane:<name>" a pane chosen in the switcher).
    void activated(const QString &entry);
    // A change asked for in a pane of controls, as its command with the fields of its dialog.
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);
    // A choice that changes nothing yet (an object, a category, a template's drop-down).
    void picked(const QString &commandId, const QString &field, const QString &value);
    // The dialog the pane opens for the rest of its command's fields (效果选项, 编辑配色方案).
    void dialogAsked(const QString &commandId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int headHeight() const { return fontMetrics().height() + 8; }
    void placePanes();

    QString m_pane, m_layout;
    Slide m_slide;
    QString m_object;
    QMenu *m_switcher = nullptr;
    QMenu *m_designMenu = nullptr;   // a template's or colour scheme's drop-down
    void openDesignMenu(const QString &entry);
    AnimationPane *m_animation = nullptr;
    TransitionPane *m_transition = nullptr;
    ClipArtPane *m_clipArt = nullptr;
    QList<QPair<QRect, QString>> m_entries;  // as last painted
};

// The slide list's rows: the slide's number, a thumbnail with its background
// and title, a mark for a hidden slide and for a transition or animations;
// in the outline tab the slide's texts.
class SlideThumbnails : public QStyledItemDelegate
{
public:
    SlideThumbnails(const Document *document, QObject *parent);
    // What the list shows: the presentation's slides, or a master view's masters.
    void setDocument(const Document *document) { m_document = document; }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const Document *m_document;
};

// The body placeholder's editor; it tells where its paragraphs start so the
// slide can draw their bullets.
// Plain text in paragraphs, each indented by its outline level (the
// document's layout draws the indent). Tab at the start of a paragraph
// demotes it, Shift+Tab promotes it: the editor is told through
// `levelAsked` (+1 or -1).
class BodyEdit : public QTextEdit
{
public:
    explicit BodyEdit(QWidget *parent = nullptr);
    QList<int> paragraphTops() const;
    std::function<void(int step)> levelAsked;

protected:
    bool event(QEvent *event) override;
};

// The title placeholder: one line of text, centred from top to bottom in
// its frame, its runs formatted apart. Enter adds no line.
class TitleEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit TitleEdit(QWidget *parent = nullptr);
    QString text() const { return toPlainText(); }
    QString selectedText() const { return textCursor().selectedText(); }
    void setCursorPosition(int position);
    void setSelection(int start, int length);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void centre();
};

// The slide under edit at 4:3, centred in the working area, with its title
// and body placeholders as editors over the painted slide; in the slide
// sorter view, every slide's thumbnail.
class SlideView : public QWidget
{
    Q_OBJECT

public:
    explicit SlideView(QWidget *parent);
    void showSlide(const Document &document, int index, bool sorter);
    // The notes page of slide `index` (视图 → 备注页): the page upright, the
    // slide's picture above its notes, these in the notes master's format.
    void showNotesPage(const Document &document, int index);
    bool isNotesPage() const { return m_notesPage; }
    // Where a part of the notes page lies in the view: "image" (the slide's
    // picture), "notes", "header" or "number"; empty outside the notes page.
    QRectF notesPagePart(const QString &part) const;
    TitleEdit *titleEdit() const { return m_title; }
    BodyEdit *bodyEdit() const { return m_body; }
    QRectF slideRect() const;
    // Where slide `index` (0-based) lies in the sorter view.
    QRectF sorterCell(int index) const;
    // The gap before slide `before` (1-based; one past the last: after the
    // last slide) in the sorter view, where a click places the insertion bar
    // and dragged slides go; empty outside the sorter or the presentation.
    QRectF gapRect(int before) const;
    // The sorter's insertion bar, drawn in its gap while no slide is chosen
    // (see Session::placeInsertionBar); 0 for none.
    void setInsertionBar(int before);
    int insertionBar() const { return m_insertBefore; }
    // The slide (0-based) whose cell holds `at`, -1 for none; the gap there
    // (the slide after it), 0 for none.
    int sorterIndexAt(const QPointF &at) const;
    int gapAt(const QPointF &at) const;
    // What the view shows: the document, the slide under edit (0-based) and
    // whether it shows every slide (the sorter view).
    const Document *document() const { return m_document; }
    // A master view (幻灯片母版, 标题母版, 讲义母版, 备注母版) shows the
    // master: the slide and title masters' prompt texts are typed over, and
    // they show their date, footer and number areas. Empty: the slides again.
    void setMaster(const QString &view);
    QString master() const { return m_master; }
    // The master's areas the view shows: the slide and title masters' along
    // their foot ("date", "footer", "number"), the notes master's at the
    // corners of its page ("header" besides); none in other views. Where
    // one lies in the view (empty for none). The chosen one (the caret is
    // in it) is framed; none: empty.
    QStringList masterAreas() const;
    // The notes page and the notes and handout masters stand upright.
    bool uprightPage() const { return m_notesPage || m_master == u"备注母版" || m_master == u"讲义母版"; }
    QRectF masterArea(const QString &part) const;
    void setMasterArea(const QString &part);
    QString chosenMasterArea() const { return m_masterArea; }
    // A click on the area, as a screen reader's press does it.
    void clickMasterArea(const QString &part) { emit masterAreaClicked(part); }
    int slideIndex() const { return m_index; }
    bool isSorter() const { return m_sorter; }

    // The shapes selected on the slide under edit: framed, with eight handles.
    void setSelectedShapes(const QStringList &names);
    QStringList selectedShapes() const { return m_selectedShapes; }
    // The next drag on the slide draws a text box or a shape (the pointer is
    // a cross); a click without a drag gives one of `clickSize` (厘米) there.
    // A line may be drawn flat: only a drag too short both ways is a click.
    void setDrawingBox(bool drawing, const QSizeF &clickSize = QSizeF(5, 1.2), bool line = false);
    bool drawingBox() const { return m_drawingBox; }
    // Where a shape of the slide under edit lies, in the view; empty for
    // none of that name.
    QRect shapeRect(const QString &name) const;
    // The shape a click at `at` selects (the topmost there); empty for none.
    QString shapeAt(const QPointF &at) const;
    // A place to grip the shape by: on a placeholder's border, else inside it.
    QPoint shapeGrip(const QString &name) const;
    // The green handle that turns the shape, above the middle of its top
    // edge (turned with the shape); empty unless it is the one object selected.
    QRect rotationHandle(const QString &name) const;
    // The objects of the slide under edit (not its placeholders), back to front.
    QStringList objectShapes() const;
    // A click on the shape, as a screen reader's press does it.
    void clickShape(const QString &name) { emit shapeClicked(name, false); }
    // The marker of the slide's comment in the normal view, at the slide's
    // top left corner: the author's initials and the comment's number
    // ("考1"). Empty where the slide has none. Pointing at it or clicking
    // it shows the comment's text.
    QRect commentMarker() const;
    static QString commentLabel() { return QStringLiteral("考1"); }
    QString commentText() const;
    void showComment();
    // Makes the objects on the slide reachable through the accessibility tree.
    // The frame in 厘米 of a rectangle of the view, and back.
    QRectF toCm(const QRectF &rect) const;
    QRectF toView(const QRectF &frame) const;

signals:
    // Typed by the candidate: part is "title", "body" or, on the notes
    // page, "notes".
    void edited(const QString &part, const QString &text);
    // Text selected in a placeholder, standing at `start` of its text
    // (empty: the selection went).
    void textSelected(const QString &part, const QString &text, int start);
    // A click on a slide of the sorter view, with the keys held (Shift, Ctrl);
    // the arrows, Home, End, Page Up and Page Down move to a slide the same way.
    void slideClicked(int index, Qt::KeyboardModifiers modifiers);
    // A double click on a slide of the sorter view: it opens in the normal view.
    void slideOpened(int index);
    // Delete in the sorter view.
    void deleteRequested();
    // A click (either button) into the sorter's gap before slide `before`.
    void gapClicked(int before);
    // The selected slides dragged in the sorter view and dropped before
    // slide `before` (1-based, as numbered now; one past the last: the end).
    void slidesDropped(int before);
    // A click on a shape of the slide under edit (on a placeholder's border,
    // on a picture or a drawn shape), Shift held to add it; an empty name:
    // a click on the slide beside every shape.
    void shapeClicked(const QString &name, bool add);
    // Shift or Ctrl with a click on a selected shape: it is to be unselected.
    void shapeUnselected(const QString &name);
    // A shape turned by its rotation handle: the angle it points to now
    // (degrees clockwise from upright; with Shift, a multiple of 15).
    void shapeRotated(const QString &name, double degrees);
    // A shape dragged (moved) or sized by a handle, or nudged by an arrow
    // key: its new frame in 厘米.
    void shapeFramed(const QString &name, const QRectF &frame, bool sized);
    // A selected group sized by a handle of its frame: the group's new frame
    // in 厘米, the group named by one of its members.
    void groupFramed(const QString &member, const QRectF &frame);
    // Delete with shapes selected.
    void shapesDeleteAsked();
    // A text box drawn by dragging, after drawing was asked for (frame in 厘米).
    void boxDrawn(const QRectF &frame);
    // Typed with a text box or shape selected: its text as it is now.
    void shapeTyped(const QString &name, const QString &text);
    // A click into one of the master's areas (see masterArea).
    void masterAreaClicked(const QString &part);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Text typed through an input method into the selected text box or shape.
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    void placeEditors();
    // How many points the page shown is wide: the slide's width, or an
    // upright notes page's.
    double pageWidthPt() const;
    // The selected text box or drawn shape that takes typed text; empty for none.
    QString typedShape() const;
    QRectF slideThumb(int index) const;           // the slide's picture inside its cell
    void paintBar(QPainter &p, int before) const;
    int dropPlace(const QPointF &at) const;

    const Document *m_document = nullptr;
    int m_index = 0;
    bool m_sorter = false;
    bool m_notesPage = false;
    bool m_loading = false;
    TitleEdit *m_title = nullptr;
    BodyEdit *m_body = nullptr;
    QTextEdit *m_notesText = nullptr;   // the notes page's notes, typed in place
    QString m_bullets;
    QColor m_bulletColour;
    int m_bulletIndent = 0;
    QPointF m_pressAt;
    int m_pressedSelected = -1;   // a selected slide pressed without keys
    int m_dropBefore = 0;         // while dragging in the sorter: where the slides would go
    int m_insertBefore = 0;       // the sorter's insertion bar, if any
    bool m_commentPressed = false;  // the button went down on the comment's marker
    QString m_master;             // the master view shown, if any
    QString m_masterArea;         // its area with the caret, if any

    // The slide under edit: the selected shapes and what the mouse does to them.
    void shapePress(QMouseEvent *event);
    void shapeMove(QMouseEvent *event);
    void shapeRelease(QMouseEvent *event);
    bool shapeKey(QKeyEvent *event);      // true when the key was for the selected shapes
    void paintShapes(QPainter &p);
    int handleAt(const QPointF &at) const;   // 0-7 on a selected shape's handle, 8 on its rotation handle, else -1
    QList<QRectF> handles(const QRectF &frame) const;
    // The selection when it is one group and nothing else: a member's name
    // (empty otherwise), and the group's frame in the view.
    QString selectedGroup() const;
    QRectF groupRect() const;
    // How far a shape of the slide under edit is turned (degrees clockwise).
    double rotationOf(const QString &name) const;
    // A point of the view as it lies on the shape unturned (for hit tests).
    QPointF unturned(const QString &name, const QPointF &at) const;
    QStringList m_selectedShapes;
    bool m_drawingBox = false;
    QSizeF m_clickSize;            // what a click without a drag draws, in 厘米
    bool m_drawingLine = false;
    double m_gestureAngle = 0;     // while turning a shape: where it points
    enum class ShapeGesture { None, Move, Size, Draw, Rotate };
    ShapeGesture m_gesture = ShapeGesture::None;
    QString m_gestureShape;
    int m_handle = -1;
    QRectF m_gestureStart;         // the shape's frame in the view when pressed
    QRectF m_gestureFrame;         // as dragged so far
    bool m_gestureMoved = false;
    bool m_pressedOnSelected = false;   // a click on it without a drag selects it alone
    bool m_gestureGroup = false;        // the handle sizes the selected group
};

// The red frame around the control the guide points at. It sits on the
// control's window and follows the control.
class GuideMark : public QWidget
{
public:
    // Frames the part of the target that `area` tells (in the target's
    // coordinates, asked again whenever the target moves or resizes: one
    // menu title of the menu bar, say), or the whole target without it.
    explicit GuideMark(QWidget *target, std::function<QRect()> area = {});
    QWidget *target() const { return m_target; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow();
    QPointer<QWidget> m_target;
    std::function<QRect()> m_area;
};
