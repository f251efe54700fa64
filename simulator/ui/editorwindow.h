#pragma once

#include "session.h"
#include "task.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

#include "commanddialog.h"
class FormatBar;
class GuideMark;
class InputRoute;
class ObjectBar;
class QComboBox;
class QLineEdit;
class OutlinePane;
class QBoxLayout;
class QToolBar;
class QListWidget;
class QMenu;
class SlideShow;
class SlideThumbnails;
class SlideView;
class StatusStrip;
class TaskPane;
class TaskStrip;

// The imitation of the presentation editor the candidate works in: menu bar,
// toolbar, slide list with thumbnails, the slide under edit with its title
// and body placeholders, the notes pane, the task pane and the status bar,
// with the task strip on top. The practice panel shows the window's top-left
// 800 × 600 only, so everything sits inside that part. Every command goes through the session, so the verdict sees the same
// document whichever way the candidate took (menu, toolbar, context menu,
// shortcut key).
//
// With the guide on (practice), the strip names the next step of the
// solution path and the control to use is marked; in the exam the strip
// shows the task only.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit EditorWindow(const Task &task, const QString &taskProblem = {}, QWidget *parent = nullptr);
    // The bare frame: its native window exists before the editor is built,
    // so the simulator can announce it while it builds (setTask).
    explicit EditorWindow(QWidget *parent = nullptr);
    // Builds the editor for a task; once, on a bare frame.
    void setTask(const Task &task, const QString &taskProblem = {});

    // The presentation as the candidate left it (the exam's saved work)
    // replaces the start document; nothing is reported as a change.
    void restoreDocument(const Document &document);

    // The selected slides dragged in the slide list and dropped at `at`
    // (in the list's viewport).
    void dropSlides(const QPoint &at);
    // The selected slides moved before slide `before`, as a drag does.
    void moveSelectedSlides(int before);

    void setGuideEnabled(bool enabled);
    // How many steps of the solution path the guide has seen taken.
    int guideStep() const { return m_guide.position(); }
    const Session &session() const { return m_session; }
    // Shown in the strip when the practice task has been completed.
    void showCompleted();

    // Runs a command as the menu does (opening its dialog when it has one,
    // showing its task pane when it has one: see PaneSteps).
    void trigger(const QString &commandId);
    CommandDialog *openDialog() const { return m_dialog; }
    // The running show; null before the first show has started.
    SlideShow *slideShow() const { return m_show; }
    FormatBar *formatBar() const { return m_formatBar; }
    // The button or box of a shown toolbar that a screen reader calls
    // `name` (加粗, 字号, 显示比例, 新建…); null when no shown toolbar has it.
    QWidget *toolbarControl(const QString &name) const;

signals:
    void documentChanged(bool goalMet);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    // Entries of the menus that are submenus or tick items in the editor
    // (视图 → 工具栏, 标尺, 母版; 插入 → 图片) in place of their commands.
    void buildStandIns();
    void buildKeys();
    void buildContextMenus();
    QToolBar *commandBar(const QString &title, const QString &name, const QStringList &ids);
    void buildCentre();
    QWidget *buildNotes(QWidget *parent);
    void refresh();
    void slideSelectionChosen();
    void taskPaneEntry(const QString &entry);
    void changed();
    void updateUndoActions();
    void report(const TaskStep &action);
    void updateGuide();
    void updateGuideLater();
    std::function<QRect()> menuTitleArea(QMenu *menu) const;
    // The way to the guide's command inside an open menu, a context menu or
    // a toolbar button's list: its entry (`entry` when given), or the entry
    // of the submenu holding it and, once that submenu is open, the entry
    // there. Each is made its menu's active entry once while the menu shows
    // (a candidate pointing elsewhere is not pulled back) and is framed.
    void markMenuWay(QMenu *menu, QAction *entry, QWidget **target, std::function<QRect()> *area);
    // Runs a context menu at `at` (global) with the guide looking into it;
    // closed without the command the guide named there, the guide shows the
    // right click again.
    void execContextMenu(QMenu &menu, const QPoint &at);
    void runFromDialog(const QString &commandId, const QMap<QString, QString> &fields, const QString &route);
    // After 查找 or 替换: the match selected, the search's message shown.
    void showFound();
    // The drawing toolbar's buttons and entries: on the object drawingObject names.
    QString drawingObject(const QString &commandId) const;
    void drawingChosen(const QString &commandId, const QMap<QString, QString> &chosen);
    void drawingOpened(const QString &commandId, const QString &field, const QString &value);
    // What a command's dialog shows when it opens: the values set before on
    // `object` (for a command on an object), the current slide or the document.
    QMap<QString, QString> currentValues(const CommandSpec &spec, const QString &object) const;
    // A command with its dialog's fields, run without showing the dialog (the
    // formatting toolbar, the task pane) and told to the guide as the dialog
    // would tell it.
    void runWithoutDialog(const QString &commandId, const QMap<QString, QString> &fields);
    // The text object the formatting toolbar acts on: the placeholder being
    // edited on the current slide, its title when none is.
    QString formatObject() const;
    // The slide the editor formats: the current one, or in a master view the master.
    const Slide &shownSlide() const;
    // The masters the left pane lists in their view (幻灯片母版, then 标题母版
    // once it was made); none outside the slide and title master views.
    QStringList listedMasters() const;
    void pickFormat();
    void paintFormat(const QString &part);
    // The caret moved in the placeholder being edited: 符号 inserts there,
    // and the formatting toolbar shows the format it types in.
    void caretMoved(int position);
    // The slide show, or the rehearsal that times it.
    void startShow(bool rehearsal = false);
    void showActionTaken(const QString &action);

    // The task panes of 自定义动画, 幻灯片切换, 幻灯片版式 and 幻灯片设计 (editorpanes.cpp).
    void paneChosen(const QString &commandId, const QMap<QString, QString> &fields);
    void panePicked(const QString &commandId, const QString &field, const QString &value);
    void openPaneDialog(const QString &commandId);
    // Frames the pane's control for a field step; false when no pane shows one.
    bool markPaneField(const TaskStep &step, QWidget **target, std::function<QRect()> *area);
    // Frames the switcher in the task pane's title, or its entry once open.
    void markPaneSwitch(const TaskStep &step, QWidget **target, std::function<QRect()> *area);

    Task m_task;
    Session m_session;
    Guide m_guide;
    bool m_guideEnabled = false;
    bool m_refreshing = false;
    QMap<QString, QAction *> m_actions;
    QMap<QString, QMenu *> m_menus;
    QMap<QString, QList<QAction *>> m_menuEntries;   // each menu's commands, in order
    QPointer<CommandDialog> m_dialog;

    TaskStrip *m_strip = nullptr;
    QListWidget *m_slideList = nullptr;
    SlideThumbnails *m_thumbnails = nullptr;
    OutlinePane *m_outlinePane = nullptr;   // the 大纲 tab's editable outline
    void buildOutlinePane(QWidget *parent, QBoxLayout *layout);
    // The left pane: its tabs (大纲, 幻灯片) and close button above the slide
    // list or the outline.
    QWidget *m_leftPane = nullptr;
    QAction *m_outlineTab = nullptr;
    QAction *m_slidesTab = nullptr;
    QWidget *buildPaneTabs(QWidget *parent);
    // The shapes of the slide under edit: selection, drag, handles, keys,
    // drawing a text box, and their context menu (see editorshapes.cpp).
    void buildShapes();
    // 插入 → 文本框: 横排 and 竖排, each starting to draw a text box on the slide.
    QAction *textBoxMenu();
    // 插入 → 影片和声音: the clip gallery's or a file's movie or sound.
    QAction *mediaMenu();
    // 格式: the entries in the editor's order, the 对齐方式 submenu and the
    // entry named after the selected object.
    void buildFileLists();
    void openNewDialog(const QString &from);
    void buildFormatMenu();
    QString objectEntryCommand() const;
    QAction *m_objectEntry = nullptr;
    // What the editor calls the selected object (or the placeholder the
    // caret is in) in its format entries: 图片, 自选图形, 占位符…; 对象 for
    // anything else.
    QString selectionName() const;
    // 编辑 → 声音 对象 ▸ / 影片 对象 ▸ with its 编辑 entry, named after the
    // sound or movie selected; greyed 对象 without one.
    void buildObjectEntry();
    QAction *m_mediaEntry = nullptr;

public:
    // The format painter holds a format: the next click into a placeholder paints it.
    bool formatPicked() const { return m_picked.has_value(); }

private:
    // The 图片, 艺术字 and 表格和边框 toolbars floating over the slide: shown
    // while their kind of object is selected, or as ticked in 视图 → 工具栏.
    void buildObjectBars();
    void updateObjectBars();
    // A button of theirs that steps 亮度 or 对比度, or turns a setting over, on the selected object.
    void objectStepped(const QString &field, int by);
    void objectToggled(const QString &commandId, const QString &field);
    QList<ObjectBar *> m_objectBars;
    void shapeMenu(const QString &shape, const QPoint &at);
    // The sorter's context menu: of the chosen slides, or of the insertion bar.
    void sorterMenu(const QPoint &at);
    // A table's own menu: its rows, columns and cells, its borders and fill.
    void tableMenu(const QPoint &at);
    void shapeChanged(const TaskStep &action);
    // A button of the 绘图 toolbar (文本框, 矩形, 自选图形's shapes…): the
    // next drag on the slide draws its text box or shape.
    void startDrawing(const QString &commandId, const QMap<QString, QString> &fields);
    bool m_drawVertical = false;   // the text box drawn next writes down
    // The fields of the 自选图形 drawn next (形状…); empty: a text box is drawn.
    QMap<QString, QString> m_drawShape;
    QString m_drawRoute;           // how the drawing was asked for (工具栏)
    QString m_drawCommand;         // 文本框, 自选图形 or 动作按钮: what the next drag draws
    // An action button drawn on the slide: its frame, taken once its dialog is confirmed.
    std::pair<QPointer<CommandDialog>, QRectF> m_drawnButton;
    // 绘图 → 对齐或分布 → 相对于幻灯片: the objects line up with the slide.
    bool m_alignToSlide = false;
    SlideView *m_slide = nullptr;
    QWidget *m_notesPane = nullptr;
    QLineEdit *m_notes = nullptr;
    TaskPane *m_taskPane = nullptr;
    StatusStrip *m_status = nullptr;
    FormatBar *m_formatBar = nullptr;
    QMap<QString, QToolBar *> m_toolBars;     // 常用 格式 绘图 大纲
    QMap<QString, QAction *> m_toolBarTicks;  // 视图 → 工具栏's tick items
    QAction *m_rulerTick = nullptr;
    QAction *m_statusTick = nullptr;   // 视图 → 状态栏
    // The drawing toolbar docked along an edge of the window: 底部 (where it
    // starts), 顶部, 左侧 or 右侧; moved there by its handle or by 工具栏.
    void dockDrawingBar(const QString &where);
    void drawingBarDropped(const QPoint &global);
    QString m_drawingDock = QStringLiteral("底部");
    QBoxLayout *m_outerLayout = nullptr;   // the strip, the work area, the drawing toolbar, the status bar
    QBoxLayout *m_workLayout = nullptr;    // the left pane, the slide, the task pane
    QAction *m_outlineTick = nullptr;   // 视图 → 大纲: the left pane's 大纲 tab
    QMap<QString, bool> m_toolBarShown;
    QMap<QString, QAction *> m_standIns;      // command id → the menu entry that leads to it
    QAction *m_leaveFullScreen = nullptr;
    QComboBox *m_zoom = nullptr;
    QString m_editing;           // "title" or "body" (a master's "date"…): the placeholder last clicked into
    int m_editingSlide = 0;      // on this slide (1-based)
    struct PickedFormat { int slide; QString object; };
    std::optional<PickedFormat> m_picked;   // the format painter holds this object's format
    QPointer<GuideMark> m_mark;
    QPointer<QMenu> m_contextMenu;   // the context menu open now
    // The entries the guide has made active in the menus showing now.
    QList<std::pair<QPointer<QMenu>, QPointer<QAction>>> m_markedEntries;
    InputRoute *m_route = nullptr;
    SlideShow *m_show = nullptr;
    class MasterBar *m_masterBar = nullptr;   // the master views' toolbar
    Document m_masterShown;                   // the master as a master view shows it
    Document m_masterList;                    // the masters as the left pane lists them
    // 播放 of the 自定义动画 pane: the slide's animated objects appear one by
    // one on the slide under edit; anything done meanwhile ends it. (An
    // effect added with 自动预览 ticked is noted as seen, not played: the
    // slide stays as it is for what the candidate does next.)
    void playEffects();
    int m_effectsPlayed = 0;
    Document m_effectsShown;                  // the slide view shows it (it keeps no copy)
    Document m_previewed;                     // the document as 背景's 预览 shows it on the slide
};
