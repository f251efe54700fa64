#include "editorwindow.h"

#include "commanddialog.h"
#include "editorparts.h"
#include "formatbar.h"
#include "slideart.h"
#include "slideshow.h"
#include "toolicons.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The part of the window the practice panel shows.
constexpr QSize ShownSize(800, 600);

const QStringList slideListCommands = {
    QStringLiteral("新幻灯片"), QStringLiteral("删除幻灯片"), QStringLiteral("幻灯片副本"),
    QStringLiteral("剪切"), QStringLiteral("复制"), QStringLiteral("粘贴"), QStringLiteral("幻灯片版式"),
    QStringLiteral("背景"), QStringLiteral("幻灯片设计"), QStringLiteral("幻灯片切换"), QStringLiteral("隐藏幻灯片"),
};

// The central area: its one child fills what of it lies inside the shown
// part of the window; the rest stays empty.
class ShownPart : public QWidget
{
public:
    using QWidget::QWidget;
    QWidget *content = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override { place(); }
    void moveEvent(QMoveEvent *) override { place(); }

private:
    void place()
    {
        if (!content)
            return;
        const QPoint at = mapTo(window(), QPoint(0, 0));
        content->setGeometry(0, 0, std::min(width(), ShownSize.width() - at.x()),
                             std::min(height(), ShownSize.height() - at.y()));
    }
};

// The notes pane: a white box with the notes line at its top.
class NotesPane : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(130, 130, 130));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

EditorWindow::EditorWindow(QWidget *parent)
    : QMainWindow(parent), m_guide({})
{
    setWindowTitle(QStringLiteral("金山演示 - [演示文稿1]"));
    setFixedSize(900, 700);
}

EditorWindow::EditorWindow(const Task &task, const QString &taskProblem, QWidget *parent)
    : EditorWindow(parent)
{
    setTask(task, taskProblem);
}

void EditorWindow::setTask(const Task &task, const QString &taskProblem)
{
    m_task = task;
    m_session = Session(task.startDocument());
    m_guide = Guide(task.steps);
    buildMenus();
    buildToolBar();
    buildCentre();
    m_strip->setTask(QStringLiteral("要求：") + (task.text.isEmpty() ? taskProblem : task.text));
    refresh();
}

void EditorWindow::restoreDocument(const Document &document)
{
    const QList<int> selected = Document::slideNumbers(document.settings.value(QStringLiteral("选中")));
    m_session = Session(document);
    m_session.select(selected);
    refresh();
}

void EditorWindow::buildMenus()
{
    for (const QString &title : Commands::menus()) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QStringLiteral("menu:") + title);
        m_menus.insert(title, menu);
        // Its entries are put in when it first opens: laying them out is
        // not needed before. The commands exist on the window from the start
        // (found by name, their shortcut keys working).
        connect(menu, &QMenu::aboutToShow, this, [this, menu, title] {
            if (menu->isEmpty())
                menu->addActions(m_menuEntries.value(title));
        });
        connect(menu, &QMenu::aboutToShow, this, [this, title] {
            report(TaskStep{TaskStep::Kind::Menu, title, {}, {}});
        });
        // A menu closed without its command: the guide marks the way again.
        connect(menu, &QMenu::aboutToHide, this, &EditorWindow::updateGuideLater);
    }
    for (const CommandSpec &spec : Commands::all()) {
        if (!m_menus.contains(spec.menu))
            continue;
        auto *action = new QAction(spec.hasDialog() ? spec.id + QStringLiteral("…") : spec.id, this);
        addAction(action);
        m_menuEntries[spec.menu].append(action);
        action->setObjectName(QStringLiteral("command:") + spec.id);
        action->setIconText(spec.id);
        if (!spec.shortcut.isEmpty())
            action->setShortcut(QKeySequence(spec.shortcut));
        const QString id = spec.id;
        connect(action, &QAction::triggered, this, [this, id] { trigger(id); });
        m_actions.insert(spec.id, action);
    }
}

void EditorWindow::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("常用"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Groups as the editor's standard toolbar has them.
    const QList<QList<const char *>> groups = {
        {"新建", "打开", "保存", "打印"}, {"剪切", "复制", "粘贴", "撤销"},
        {"新幻灯片", "字体", "背景", "幻灯片设计"}, {"自定义动画", "幻灯片切换", "观看放映"},
    };
    for (const auto &group : groups) {
        if (!bar->actions().isEmpty())
            bar->addSeparator();
        for (const char *id : group) {
            QAction *action = m_actions.value(QString::fromUtf8(id));
            if (!action)
                continue;
            action->setIcon(ToolIcons::icon(action->iconText()));
            action->setToolTip(action->iconText());
            bar->addAction(action);
        }
    }

    // The formatting toolbar, on a row of its own.
    addToolBarBreak();
    m_formatBar = new FormatBar(this);
    addToolBar(m_formatBar);
    connect(m_formatBar, &FormatBar::chosen, this, &EditorWindow::runWithoutDialog);
    connect(m_formatBar, &FormatBar::painterPicked, this, &EditorWindow::pickFormat);
}

QWidget *EditorWindow::buildNotes(QWidget *parent)
{
    auto *pane = new NotesPane(parent);
    pane->setObjectName(QStringLiteral("notesPane"));
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(2, 2, 2, 2);
    m_notes = new QLineEdit(pane);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setPlaceholderText(QStringLiteral("单击此处添加备注"));
    m_notes->setFrame(false);
    layout->addWidget(m_notes);
    layout->addStretch();
    connect(m_notes, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_session.setText(QStringLiteral("notes"), text);
        report(TaskStep{TaskStep::Kind::Type, QStringLiteral("notes"), text, {}});
        changed();
    });
    return pane;
}

void EditorWindow::buildCentre()
{
    auto *centre = new ShownPart(this);
    auto *content = new QWidget(centre);
    centre->content = content;
    auto *outer = new QVBoxLayout(content);
    outer->setContentsMargins(4, 2, 4, 0);
    outer->setSpacing(3);

    // The task strip: kept at the top so it stays inside the part of the
    // window the practice panel shows.
    m_strip = new TaskStrip(content);
    outer->addWidget(m_strip);

    auto *work = new QHBoxLayout;
    work->setSpacing(4);
    outer->addLayout(work, 1);
    m_slideList = new QListWidget(content);
    m_slideList->setObjectName(QStringLiteral("slideList"));
    m_slideList->setFixedWidth(142);
    m_slideList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_slideList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_slideList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_thumbnails = new SlideThumbnails(&m_session.document(), m_slideList);
    m_slideList->setItemDelegate(m_thumbnails);
    work->addWidget(m_slideList);
    // A click selects one slide, Shift or Ctrl with it several; a click on
    // the slide already selected is still the step the guide asks for.
    m_slideList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_slideList, &QListWidget::itemSelectionChanged, this, &EditorWindow::slideSelectionChosen);
    connect(m_slideList, &QListWidget::itemClicked, this, &EditorWindow::slideSelectionChosen);
    connect(m_slideList, &QListWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        for (const QString &id : slideListCommands)
            if (QAction *action = m_actions.value(id))
                menu.addAction(action);
        menu.exec(m_slideList->viewport()->mapToGlobal(at));
    });

    auto *editing = new QVBoxLayout;
    editing->setSpacing(3);
    work->addLayout(editing, 1);
    m_slide = new SlideView(content);
    editing->addWidget(m_slide, 1);
    m_notesPane = buildNotes(content);
    m_notesPane->setFixedHeight(52);
    editing->addWidget(m_notesPane);
    connect(m_slide, &SlideView::edited, this, [this](const QString &part, const QString &text) {
        if (m_refreshing)
            return;
        m_session.setText(part, text);
        report(TaskStep{TaskStep::Kind::Type, part, text, {}});
        if (part == u"title")
            m_slideList->viewport()->update();
        changed();
    });
    // The sorter view selects as the list does.
    connect(m_slide, &SlideView::slideClicked, this, [this](int index, Qt::KeyboardModifiers modifiers) {
        QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
        if (modifiers & Qt::ShiftModifier) {
            const int from = std::max(0, m_slideList->currentRow());
            QItemSelection range(m_slideList->model()->index(std::min(from, index), 0),
                                 m_slideList->model()->index(std::max(from, index), 0));
            m_slideList->selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
            m_slideList->selectionModel()->setCurrentIndex(m_slideList->model()->index(index, 0),
                                                           QItemSelectionModel::NoUpdate);
            slideSelectionChosen();
            return;
        }
        if (modifiers & Qt::ControlModifier)
            how = QItemSelectionModel::Toggle;
        m_slideList->selectionModel()->setCurrentIndex(m_slideList->model()->index(index, 0), how);
        slideSelectionChosen();
    });

    for (QObject *watched : {static_cast<QObject *>(m_slide->titleEdit()), static_cast<QObject *>(m_slide->bodyEdit()),
                             static_cast<QObject *>(m_slide->bodyEdit()->viewport())})
        watched->installEventFilter(this);

    m_taskPane = new TaskPane(content);
    m_taskPane->setFixedWidth(168);
    work->addWidget(m_taskPane);
    connect(m_taskPane, &TaskPane::activated, this, &EditorWindow::taskPaneEntry);

    m_status = new StatusStrip(content);
    outer->addWidget(m_status);
    setCentralWidget(centre);
}

void EditorWindow::setGuideEnabled(bool enabled)
{
    m_guideEnabled = enabled;
    if (!enabled) {
        m_strip->setHint({}, {});
        if (m_show)
            m_show->setHint({}, {});
    }
    updateGuide();
}

void EditorWindow::showCompleted()
{
    m_strip->setHint(QStringLiteral("恭喜，本题已完成！"), QColor(0, 100, 0));
    if (m_show)
        m_show->setHint(m_strip->hint(), QColor(0, 100, 0));
}

void EditorWindow::trigger(const QString &commandId)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    report(TaskStep{TaskStep::Kind::Command, commandId, {}, {}});
    if (!spec->hasDialog()) {
        m_session.run(commandId);
        refresh();
        changed();
        if (spec->effect == CommandSpec::Effect::Show || spec->effect == CommandSpec::Effect::Rehearsal)
            startShow(spec->effect == CommandSpec::Effect::Rehearsal);
        return;
    }
    if (m_dialog) {
        // Replaced by the new dialog, not given up: the guide stays.
        disconnect(m_dialog, &QDialog::rejected, this, nullptr);
        m_dialog->close();
    }
    auto *dialog = new CommandDialog(*spec, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    if (commandId == u"幻灯片版式")
        dialog->setValue(QStringLiteral("版式"), m_session.document().slides.at(m_session.current() - 1).layout);
    connect(dialog, &CommandDialog::fieldChanged, this, [this](const QString &name, const QString &value) {
        report(TaskStep{TaskStep::Kind::Field, name, value, {}});
    });
    connect(dialog, &QDialog::rejected, this, [this] {
        if (m_guide.reopenDialog())
            updateGuideLater();
    });
    connect(dialog, &CommandDialog::okClicked, this, [this, dialog, commandId] {
        const QMap<QString, QString> fields = dialog->values();
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        runFromDialog(commandId, fields);
    });
    // Centred on the part of the window the practice panel shows.
    dialog->adjustSize();
    const QSize size = dialog->size();
    const QPoint centre = mapToGlobal(QPoint(ShownSize.width() / 2, ShownSize.height() / 2));
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    dialog->move(std::max(corner.x(), centre.x() - size.width() / 2), std::max(corner.y(), centre.y() - size.height() / 2 - 12));
    dialog->open();
    updateGuide();
}

void EditorWindow::runFromDialog(const QString &commandId, const QMap<QString, QString> &fields)
{
    m_session.run(commandId, fields);
    refresh();
    changed();
}

// The task pane's entries do what the editor's do: some at once (told to the
// guide as their command's dialog would be), some by opening that dialog.
void EditorWindow::taskPaneEntry(const QString &entry)
{
    const QString what = entry.section(u':', 1);
    if (entry == u"close") {
        runWithoutDialog(QStringLiteral("任务窗格"), {{QStringLiteral("任务窗格"), QStringLiteral("关闭")}});
    } else if (entry.startsWith(u"layout:")) {
        runWithoutDialog(QStringLiteral("幻灯片版式"), {{QStringLiteral("版式"), what}});
    } else if (what == u"空白演示文稿") {
        runWithoutDialog(QStringLiteral("新建"), {{QStringLiteral("模板"), what}});
    } else if (what == u"根据设计模板" || what == u"根据现有演示文稿") {
        trigger(QStringLiteral("新建"));
        if (m_dialog && what == u"根据现有演示文稿")
            m_dialog->setValue(QStringLiteral("模板"), what);
    } else if (what.endsWith(u".dps")) {
        runWithoutDialog(QStringLiteral("打开"), {{QStringLiteral("文件名"), what}});
    } else if (what == u"其他…") {
        trigger(QStringLiteral("打开"));
    } else if (what == u"全部粘贴") {
        runWithoutDialog(QStringLiteral("粘贴"), {});
    } else if (what.startsWith(u"添加效果")) {
        trigger(QStringLiteral("自定义动画"));
    }
}

void EditorWindow::runWithoutDialog(const QString &commandId, const QMap<QString, QString> &fields)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    // Told to the guide as the command's dialog with these fields would tell it.
    report(TaskStep{TaskStep::Kind::Command, commandId, {}, {}});
    for (const FieldSpec &field : spec->fields)
        if (fields.contains(field.name))
            report(TaskStep{TaskStep::Kind::Field, field.name, fields.value(field.name), {}});
    if (spec->hasDialog())
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
    m_session.run(commandId, fields);
    refresh();
    changed();
}

QString EditorWindow::formatObject() const
{
    const Slide &slide = m_session.document().slides.at(m_session.current() - 1);
    if (m_editing == u"body" && m_editingSlide == m_session.current() && m_slide->bodyEdit()->isVisible())
        return SlideArt::bodyPart(slide);
    return QStringLiteral("标题");
}

void EditorWindow::pickFormat()
{
    if (m_picked) {   // a second click puts the painter down again
        m_picked.reset();
        m_slide->titleEdit()->unsetCursor();
        m_slide->bodyEdit()->viewport()->unsetCursor();
        return;
    }
    report(TaskStep{TaskStep::Kind::Command, QStringLiteral("格式刷"), {}, {}});
    m_picked = PickedFormat{m_session.current(), formatObject()};
    const QCursor brush(ToolIcons::icon(QStringLiteral("格式刷")).pixmap(16, 16), 8, 15);
    m_slide->titleEdit()->setCursor(brush);
    m_slide->bodyEdit()->viewport()->setCursor(brush);
}

void EditorWindow::paintFormat(const QString &part)
{
    if (!m_picked)
        return;
    const PickedFormat picked = *m_picked;
    m_picked.reset();
    m_slide->titleEdit()->unsetCursor();
    m_slide->bodyEdit()->viewport()->unsetCursor();
    const int target = m_session.current();
    const Slide &slide = m_session.document().slides.at(target - 1);
    const QMap<QString, QString> fields = {
        {QStringLiteral("对象"), picked.object},
        {QStringLiteral("目标幻灯片"), QStringLiteral("第%1张").arg(target)},
        {QStringLiteral("目标对象"), part == u"body" ? SlideArt::bodyPart(slide) : QStringLiteral("标题")},
    };
    for (const QString &name : {QStringLiteral("对象"), QStringLiteral("目标幻灯片"), QStringLiteral("目标对象")})
        report(TaskStep{TaskStep::Kind::Field, name, fields.value(name), {}});
    report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
    // The command copies from the current slide: the picked one is current
    // while it runs, and the candidate stays on the slide painted.
    const QList<int> selected = m_session.selection();
    if (picked.slide != target && picked.slide <= m_session.document().slides.size())
        m_session.select(picked.slide);
    m_session.run(QStringLiteral("格式刷"), fields);
    QList<int> back = selected;
    back.removeOne(target);
    back.append(target);
    m_session.select(back);
    refresh();
    changed();
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        const QString part = watched == m_slide->titleEdit() ? QStringLiteral("title") : QStringLiteral("body");
        if (part != m_editing || m_editingSlide != m_session.current()) {
            m_editing = part;
            m_editingSlide = m_session.current();
            const Slide &slide = m_session.document().slides.at(m_session.current() - 1);
            m_formatBar->showFormat(slide, formatObject());
        }
        if (event->type() == QEvent::MouseButtonPress && m_picked)
            paintFormat(part);
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::startShow(bool rehearsal)
{
    if (!m_show) {
        m_show = new SlideShow(&m_session.document(), QRect(QPoint(0, 0), ShownSize), this);
        connect(m_show, &SlideShow::actionTaken, this, &EditorWindow::showActionTaken);
        connect(m_show, &SlideShow::finished, this, [this] {
            refresh();
            updateGuide();
        });
    }
    const bool fromCurrent = m_session.document().settings.value(QStringLiteral("放映")) == u"当前幻灯片";
    m_show->start(fromCurrent && !rehearsal ? m_session.current() - 1 : 0, rehearsal);
    updateGuide();
}

void EditorWindow::showActionTaken(const QString &action)
{
    if (!m_session.runShowAction(action))
        return;
    report(TaskStep{TaskStep::Kind::Show, action, {}, {}});
    changed();
}

void EditorWindow::refresh()
{
    m_refreshing = true;
    const Document &document = m_session.document();
    const int current = m_session.current() - 1;

    // The left pane: shown or closed, thumbnails or outline.
    const QMap<QString, QString> &settings = document.settings;
    m_slideList->setVisible(settings.value(QStringLiteral("左侧窗格.显示")) != u"关闭");
    const bool outline = settings.value(QStringLiteral("左侧窗格.选项卡")) == u"大纲";
    m_thumbnails->setOutline(outline);
    while (m_slideList->count() > document.slides.size())
        delete m_slideList->item(m_slideList->count() - 1);
    while (m_slideList->count() < document.slides.size())
        m_slideList->addItem(QString());
    for (int i = 0; i < document.slides.size(); ++i)
        m_slideList->item(i)->setText(QStringLiteral("%1 %2").arg(i + 1).arg(document.slides.at(i).title));
    m_slideList->doItemsLayout();
    // The list is left alone when it shows the selection already, so that
    // a Shift-click keeps the slide it extends from.
    QList<int> shown;
    for (const QListWidgetItem *item : m_slideList->selectedItems())
        shown << m_slideList->row(item) + 1;
    std::sort(shown.begin(), shown.end());
    if (m_slideList->currentRow() != current || shown != m_session.selection()) {
        m_slideList->setCurrentRow(current);
        for (int n : m_session.selection())
            m_slideList->item(n - 1)->setSelected(true);
    }
    m_slideList->viewport()->update();

    const QString view = settings.value(QStringLiteral("视图"));
    m_slide->showSlide(document, current, view == u"幻灯片浏览");
    const Slide &slide = document.slides.at(current);
    if (m_notes->text() != slide.notes)
        m_notes->setText(slide.notes);
    m_notesPane->setVisible(view != u"幻灯片浏览");

    const QString pane = settings.value(QStringLiteral("任务窗格.任务窗格"));
    m_taskPane->setVisible(pane != u"关闭");
    m_taskPane->setPane(pane.isEmpty() ? QStringLiteral("新建演示文稿") : pane, slide.layout);

    m_formatBar->showFormat(slide, formatObject());

    m_status->setTexts(QStringLiteral("幻灯片 %1 / %2    %3").arg(current + 1).arg(document.slides.size()).arg(slide.layout),
                       (view.isEmpty() ? QStringLiteral("普通") : view) + QStringLiteral("视图"));
    m_refreshing = false;
}

void EditorWindow::slideSelectionChosen()
{
    if (m_refreshing)
        return;
    QList<int> slides;
    for (const QListWidgetItem *item : m_slideList->selectedItems())
        slides << m_slideList->row(item) + 1;
    if (slides.isEmpty())
        return;  // Ctrl took the last one away: the slide under edit stays
    std::sort(slides.begin(), slides.end());
    const QString chosen = Document::slideNumbersText(slides);
    // The slide clicked last is the one under edit.
    const int clicked = m_slideList->currentRow() + 1;
    // A click that leaves the selection as it was (the list reports a click
    // after the change it made) has nothing to redraw.
    if (slides != m_session.selection() || clicked != m_session.current()) {
        if (slides.contains(clicked)) {
            slides.removeOne(clicked);
            slides.append(clicked);
        }
        m_session.select(slides);
        refresh();
    }
    report(TaskStep{TaskStep::Kind::Select, chosen, {}, {}});
    changed();  // the selection itself may be what the task asks for
}

void EditorWindow::changed()
{
    emit documentChanged(m_task.isMet(m_session.document()));
}

void EditorWindow::report(const TaskStep &action)
{
    if (m_refreshing)
        return;
    if (m_guide.report(action))
        updateGuideLater();
}

// The guide shows its new step after the control has finished reacting: a
// menu that is opening or closing must not be disturbed meanwhile.
void EditorWindow::updateGuideLater()
{
    QTimer::singleShot(0, this, [this] { updateGuide(); });
}

std::function<QRect()> EditorWindow::menuTitleArea(QMenu *menu) const
{
    return [bar = menuBar(), title = menu->menuAction()] { return bar->actionGeometry(title); };
}

void EditorWindow::updateGuide()
{
    delete m_mark;
    if (!m_guideEnabled)
        return;
    const TaskStep *step = m_guide.current();
    if (m_show) {
        // The show hides the strip: it repeats the hint at its bottom.
        m_show->setAwaited(step && step->kind == TaskStep::Kind::Show ? step->arg : QString());
        if (!step && !m_task.isMet(m_session.document()))
            m_show->setHint(QStringLiteral("提示：请检查操作结果是否符合题目要求。"), QColor(192, 0, 0));
        else if (step)
            m_show->setHint(QStringLiteral("第%1步：%2").arg(m_guide.position() + 1).arg(step->hint), QColor(192, 0, 0));
    }
    if (!step) {
        if (!m_task.isMet(m_session.document()))
            m_strip->setHint(QStringLiteral("提示：请检查操作结果是否符合题目要求。"), QColor(192, 0, 0));
        return;
    }
    // A dialog field is named as the open dialog shows it, not as the task
    // file names it.
    const QString dialogHint = step->kind == TaskStep::Kind::Field && m_dialog
                                   ? m_dialog->fieldHint(step->arg, step->value) : QString();
    const QString hint = QStringLiteral("第%1步：%2").arg(m_guide.position() + 1)
                             .arg(dialogHint.isEmpty() ? step->hint : dialogHint);
    m_strip->setHint(hint, QColor(192, 0, 0));
    if (m_dialog)
        m_dialog->setGuideHint(hint);
    QWidget *target = nullptr;
    std::function<QRect()> area;
    switch (step->kind) {
    case TaskStep::Kind::Menu:
        if (QMenu *menu = m_menus.value(step->arg)) {
            target = menuBar();
            area = menuTitleArea(menu);
        }
        break;
    case TaskStep::Kind::Command:
        if (QAction *action = m_actions.value(step->arg)) {
            const CommandSpec *spec = Commands::find(step->arg);
            QMenu *menu = spec ? m_menus.value(spec->menu) : nullptr;
            if (menu && menu->isVisible()) {
                menu->setActiveAction(action);
            } else if (menu && step->hint.startsWith(u"单击")) {
                // The menu was closed again: the way to the command starts
                // at the menu's title once more.
                target = menuBar();
                area = menuTitleArea(menu);
            }
        }
        break;
    case TaskStep::Kind::Field:
        if (m_dialog)
            target = m_dialog->revealField(step->arg);
        break;
    case TaskStep::Kind::Ok:
        if (m_dialog)
            target = m_dialog->okButton();
        break;
    case TaskStep::Kind::Select:
        target = m_slideList;
        break;
    case TaskStep::Kind::Show:
        break;
    case TaskStep::Kind::Type:
        target = step->arg == u"title" ? static_cast<QWidget *>(m_slide->titleEdit())
               : step->arg == u"body"  ? static_cast<QWidget *>(m_slide->bodyEdit())
                                       : static_cast<QWidget *>(m_notes);
        break;
    }
    if (target)
        m_mark = new GuideMark(target, area);
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    // A close from the host must not wait behind an open dialog.
    if (m_dialog)
        m_dialog->close();
    event->accept();
}
