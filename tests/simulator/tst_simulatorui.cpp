#include "clipart.h"
#include "colourdialog.h"
#include "commanddialog.h"
#include "contentsources.h"
#include "drawingbar.h"
#include "editorparts.h"
#include "editorwindow.h"
#include "folderview.h"
#include "formatbar.h"
#include "master.h"
#include "outlinepane.h"
#include "panesteps.h"
#include "session.h"
#include "simulatorfolders.h"
#include "sessionscript.h"
#include "shapes.h"
#include "slideart.h"
#include "slideshow.h"
#include "taskpanes.h"

#include <utility>
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTextEdit>
#include <QTextBlock>
#include <QToolTip>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTransform>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>

// The imitation as the candidate uses it, with the guide on.
class TestSimulatorUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void guidedMenuStaysOpen();
    void guideTakesTheColourList();
    void guideMarksTheDrawingListEntry();
    void guideLeadsIntoContextSubmenus_data();
    void guideLeadsIntoContextSubmenus();
    void guideLeadsIntoMenuSubmenus();
    void drawnDialogFieldsReachTheDocument_data();
    void drawnDialogFieldsReachTheDocument();
    void guideRevealsFieldOnHiddenTab();
    void guideNamesFieldsAsShown_data() { drawnDialogFieldsReachTheDocument_data(); }
    void guideNamesFieldsAsShown();
    void slideListSelects_data();
    void slideListSelects();
    void everyQuestionFollowingTheGuide_data();
    void everyQuestionFollowingTheGuide();
    void taskPaneEntries_data();
    void taskPaneEntries();
    void taskPanesOfControls_data();
    void taskPanesOfControls();
    void menusShowTheirPanes_data();
    void menusShowTheirPanes();
    void caretEditsTheText_data();
    void caretEditsTheText();
    void sameWordsFormattedAtTheirPlace();
    void slideAttributesArePainted_data();
    void slideAttributesArePainted();
    void showActionsReachTheDocument_data();
    void showActionsReachTheDocument();
    void showRunsThroughTheSlidesSetUp_data();
    void showRunsThroughTheSlidesSetUp();
    void guideLeadsThroughTheShow_data();
    void guideLeadsThroughTheShow();
    void toolbarsFitTheShownPart();
    void drawingToolbarMenus_data();
    void drawingToolbarMenus();
    void objectToolbarsActOnTheSelection_data();
    void objectToolbarsActOnTheSelection();
    void drawingToolbarDocksAtTheEdges_data();
    void drawingToolbarDocksAtTheEdges();
    void statusBarTickHidesTheStrip();
    void actionButtonDrawnWhereDragged();
    void guideFramesTheToolbarWays();
    void colourDialogMixesAColour();
    void clipArtPaneInsertsAClip_data();
    void clipArtPaneInsertsAClip();
    void searchOnScreen_data();
    void searchOnScreen();
    void dialogsOnTheCaret_data();
    void dialogsOnTheCaret();
    void formatBarReachesTheDocument_data();
    void formatBarReachesTheDocument();
    void formatBarShowsTheEditedFormat_data();
    void formatBarShowsTheEditedFormat();
    void menusHaveAccessKeysAndTicks();
    void formatMenuAsTheEditorHasIt_data();
    void formatMenuAsTheEditorHasIt();
    void backgroundDialogShowsAndSetsTheFill_data();
    void backgroundDialogShowsAndSetsTheFill();
    void keysActOnTheSlides_data();
    void keysActOnTheSlides();
    void slidesDraggedInTheList();
    void contextMenusAreTheEditors();
    void shapesWithTheMouse_data();
    void shapesWithTheMouse();
    void shapeHandlesAndMenu();
    void flippedTwiceLooksAsBefore();
    void turnedAndStackedInTheThumbnails();
    void textBoxLineOnlyWhenSet();
    void viewButtonsSwitchTheView();
    void paragraphFormatsShow_data();
    void paragraphFormatsShow();
    void objectSettingsShowOnTheSlide_data();
    void objectSettingsShowOnTheSlide();
    void textSettingsShowOnTheSlide_data();
    void textSettingsShowOnTheSlide();
    void linesBreakAsTheChineseLayoutSays_data();
    void linesBreakAsTheChineseLayoutSays();
    void commentMarkerShowsTheComment();
    void titleMasterShowsTheSlideMastersObjects();
    void passwordsAreMasked();
    void savedAsPicturesAsksWhichSlides_data();
    void savedAsPicturesAsksWhichSlides();
    void masterFormatsShowOnTheSlide_data();
    void masterFormatsShowOnTheSlide();
    void selectedCharactersAreFormattedApart();
    void masterViewFormatsEverySlide();
    void masterAreasTakeTheCaret();
    void insertedOnTheSlideMaster();
    void handoutMasterShowsItsPage();
    void notesPageTakesTheNotes();
    void notesMasterFormatsTheNotesPage();
    void outlineEditsTheSlides_data();
    void outlineEditsTheSlides();
    void undoAndRedoGreyed_data();
    void undoAndRedoGreyed();
    void fileDialogsListTheFolder_data();
    void fileDialogsListTheFolder();
    void savedFilesAreListedAndSavedAgain();
    void mediaInsertedFromTheSubmenu_data();
    void mediaInsertedFromTheSubmenu();
    void everyControlHasAChineseName();
    void dialogsOpenOnTheSelection();
    void objectEntriesOpenTheirDialogs_data();
    void objectEntriesOpenTheirDialogs();
    void rehearsalTimesTheSlides_data();
    void rehearsalTimesTheSlides();
};

namespace {

// The rehearsal's clock, moved on by the tests.
qint64 testNow = 0;

// A paragraph over three lines of a sample slide's body: every other
// character a 顿号, so that one of its lines starts with one wherever a
// line breaks when full.
const QString bodyParagraph = QStringLiteral("销售网点覆盖：京、津、沪、渝、冀、晋、辽、吉、黑、苏、浙、皖、闽、赣、鲁、豫、鄂、湘、粤、桂");

// Slide `index` (0-based) of the document painted on white as the slide
// list paints it, `width` pixels wide (4:3): 508 is 20 pixels a 厘米.
QImage paintedSlide(const Document &document, int index, int width = 508,
                    int parts = SlideArt::Background | SlideArt::Objects | SlideArt::Texts)
{
    const int height = width * 3 / 4;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    SlideArt::paintSlide(p, QRectF(0, 0, width, height), document, index, parts, QFont());
    return image;
}

Task taskFrom(const QString &lines)
{
    QStringList errors;
    Task task = Task::parse(QStringLiteral("th: 1\ntext: 练习\n") + lines, &errors);
    if (!errors.isEmpty())
        qWarning("%s", qPrintable(errors.join(u'\n')));
    return task;
}

// Sets a field the way the candidate would, whatever control the dialog uses.
// Shown, mapped and holding the keyboard focus, as the candidate finds the editor.
bool showActive(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The guide's red frame is around `area` of `target` (all of it when empty).
bool framedOn(QWidget *target, QRect area = {})
{
    if (area.isEmpty())
        area = target->rect();
    const QRect frame = QRect(target->mapTo(target->window(), area.topLeft()), area.size()).adjusted(-3, -3, 3, 3)
                      & target->window()->rect();
    const auto marks = target->window()->findChildren<GuideMark *>(QStringLiteral("guideMark"), Qt::FindDirectChildrenOnly);
    return std::any_of(marks.begin(), marks.end(), [target, frame](GuideMark *mark) {
        return mark->isVisible() && mark->target() == target && mark->geometry() == frame;
    });
}

// A question of the bank with the way named `method` made the one the guide follows.
std::optional<Task> authoredTask(const QString &th, const QString &method)
{
    QList<Task> tasks;
    readAuthoredTasks(ContentSources::read(qEnvironmentVariable("PELQUOR_CONTENT_SOURCES", QStringLiteral(CONTENT_SOURCES))), &tasks);
    const auto found = std::find_if(tasks.begin(), tasks.end(), [&th](const Task &task) { return task.th == th; });
    if (found == tasks.end())
        return std::nullopt;
    Task task = *found;
    if (task.method == method)
        return task;
    const auto way = std::find_if(task.otherMethods.begin(), task.otherMethods.end(),
                                  [&method](const TaskPath &path) { return path.name == method; });
    if (way == task.otherMethods.end())
        return std::nullopt;
    std::swap(task.steps, way->steps);
    std::swap(task.method, way->name);
    return task;
}

void setThroughControl(QWidget *control, const QString &value)
{
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentText(value);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->clear();
        line->insert(value);  // as typed (key clicks carry Latin-1 only)
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        do
            box->click();
        while (box->isChecked() != (value == u"是"));
    } else if (auto *list = qobject_cast<QListWidget *>(control)) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->data(Qt::UserRole).toString() == value) {
                list->scrollToItem(list->item(i));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
            }
        }
    } else {
        // A group of radio buttons or check boxes, or a page of a dialog
        // (填充效果's tabs): each chosen part is a button clicked, the next box
        // that offers it chosen, or the tile of a list clicked.
        static const QRegularExpression key(QStringLiteral("\\(&.\\)"));
        QList<QComboBox *> boxes = control->findChildren<QComboBox *>();
        for (const QString &part : value.split(u'、')) {
            bool done = false;
            for (QAbstractButton *button : control->findChildren<QAbstractButton *>())
                if (QString(button->text()).remove(key) == part && button->isVisible()) {
                    button->click();
                    done = true;
                }
            for (qsizetype i = 0; !done && i < boxes.size(); ++i)
                if (boxes.at(i)->isEnabled() && boxes.at(i)->findText(part) >= 0) {
                    boxes.takeAt(i)->setCurrentText(part);
                    done = true;
                }
            for (QListWidget *list : control->findChildren<QListWidget *>())
                for (int i = 0; !done && i < list->count(); ++i)
                    if (list->item(i)->data(Qt::UserRole).toString() == part) {
                        list->scrollToItem(list->item(i));
                        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
                        done = true;
                    }
        }
    }
}

// A value a task could ask for: a choice where the field offers some.
QString sampleValue(const FieldSpec &field, QWidget *control)
{
    if (field.choices.isEmpty())
        return QStringLiteral("第2张到第4张");
    const bool severalTicks = !qobject_cast<QComboBox *>(control) && control->findChildren<QCheckBox *>().size() > 1;
    if (severalTicks && field.choices.size() > 1)
        return field.choices.at(0) + u'、' + field.choices.at(1);
    return field.choices.last();
}

// A stroke of the mouse with the left button held (and the keys).
void drag(QWidget *widget, const QPoint &from, const QPoint &to, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    auto send = [widget, keys](QEvent::Type type, const QPoint &at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, keys);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 6; ++i)
        send(QEvent::MouseMove, from + (to - from) * i / 6, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Plays a step on the shapes of the slide under edit with the mouse, as a
// candidate does: a click on the shape (Shift for the others), a drag of it
// to where the step says, a pull of its lower right handle, a text box
// drawn after 插入 → 文本框 → 横排 (or 竖排), its green handle turned with
// Shift held. False when the shape or the way to draw is missing.
bool shapeGesture(EditorWindow &window, const TaskStep &step)
{
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    if (!view || !view->isVisible())
        return false;
    switch (step.kind) {
    case TaskStep::Kind::Shape: {
        const QStringList names = step.arg.split(u',');
        for (qsizetype k = 0; k < names.size(); ++k) {
            const QPoint at = view->shapeGrip(names.at(k).trimmed());
            if (at.isNull())
                return false;
            QTest::mouseClick(view, Qt::LeftButton, k == 0 ? Qt::NoModifier : Qt::ShiftModifier, at);
        }
        return true;
    }
    case TaskStep::Kind::Move: {
        const QRect frame = view->shapeRect(step.arg);
        if (frame.isEmpty())
            return false;
        const QRectF now = view->toCm(frame);
        QRectF to = now;
        if (Shapes::isRegion(step.value))
            to = Shapes::placedIn(now, step.value);
        else if (const auto at = Shapes::pair(step.value))
            to.moveTopLeft(*at);
        const QPoint grip = view->shapeGrip(step.arg);
        drag(view, grip, grip + (view->toView(to).topLeft() - QPointF(frame.topLeft())).toPoint());
        return true;
    }
    case TaskStep::Kind::Resize: {
        const QRect frame = view->shapeRect(step.arg);
        const auto size = Shapes::pair(step.value);
        if (frame.isEmpty() || !size)
            return false;
        if (!view->selectedShapes().contains(step.arg))
            QTest::mouseClick(view, Qt::LeftButton, {}, view->shapeGrip(step.arg));
        const QRectF sized = view->toView(QRectF(view->toCm(frame).topLeft(), QSizeF(size->x(), size->y())));
        drag(view, QRectF(frame).bottomRight().toPoint(), sized.bottomRight().toPoint());
        return true;
    }
    case TaskStep::Kind::Rotate: {
        const auto angle = Shapes::degrees(step.value);
        if (!angle)
            return false;
        if (!view->selectedShapes().contains(step.arg))
            QTest::mouseClick(view, Qt::LeftButton, {}, view->shapeGrip(step.arg));
        const QRect handle = view->rotationHandle(step.arg);
        if (handle.isEmpty())
            return false;
        const QPointF centre = QRectF(view->shapeRect(step.arg)).center();
        const double turn = *angle * M_PI / 180;
        drag(view, handle.center(), (centre + QPointF(std::sin(turn), -std::cos(turn)) * 80).toPoint(), Qt::ShiftModifier);
        return true;
    }
    case TaskStep::Kind::DrawBox: {
        const bool vertical = step.arg.section(u' ', 1).trimmed() == u"竖排";
        auto *entry = window.findChild<QAction *>(QStringLiteral("entry:文本框:") + (vertical ? QStringLiteral("竖排") : QStringLiteral("横排")));
        const QStringList n = step.arg.section(u' ', 0, 0).split(u',');
        if (!entry || n.size() != 4)
            return false;
        entry->trigger();
        const QRectF box = view->toView(QRectF(n.at(0).toDouble(), n.at(1).toDouble(), n.at(2).toDouble(), n.at(3).toDouble()));
        drag(view, box.topLeft().toPoint(), box.bottomRight().toPoint());
        return true;
    }
    default:
        return false;
    }
}

// Starts the show as the candidate does: F5, or Shift+F5 from the current slide.
SlideShow *startShow(EditorWindow &window, bool fromCurrent)
{
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    QTest::keyClick(&window, Qt::Key_F5, fromCurrent ? Qt::ShiftModifier : Qt::NoModifier);
    SlideShow *show = window.slideShow();
    return show && show->isVisible() ? show : nullptr;
}

// One gesture in the running show: "key Left", "click", "drag", "menu 定位 4"
// (the entry of the show's context menu), "button keepInk".
bool gesture(SlideShow *show, const QString &what)
{
    const QString word = what.section(u' ', 0, 0);
    const QString rest = what.section(u' ', 1);
    if (word == u"key") {
        static const QMap<QString, Qt::Key> keys = {
            {QStringLiteral("Space"), Qt::Key_Space}, {QStringLiteral("Right"), Qt::Key_Right}, {QStringLiteral("Down"), Qt::Key_Down},
            {QStringLiteral("PageDown"), Qt::Key_PageDown}, {QStringLiteral("Return"), Qt::Key_Return}, {QStringLiteral("Left"), Qt::Key_Left},
            {QStringLiteral("Up"), Qt::Key_Up}, {QStringLiteral("PageUp"), Qt::Key_PageUp}, {QStringLiteral("Backspace"), Qt::Key_Backspace},
            {QStringLiteral("Escape"), Qt::Key_Escape}, {QStringLiteral("F5"), Qt::Key_F5}, {QStringLiteral("B"), Qt::Key_B},
        };
        if (!keys.contains(rest))
            return false;
        QTest::keyClick(show, keys.value(rest));
    } else if (word == u"click") {
        QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(400, 300));
    } else if (word == u"drag") {
        drag(show, QPoint(200, 200), QPoint(500, 350));
    } else if (word == u"menu") {
        QAction *entry = show->contextMenu()->findChild<QAction *>(QStringLiteral("show:") + rest);
        if (!entry || !entry->isEnabled())
            return false;
        entry->trigger();
    } else if (word == u"button") {
        auto *button = show->findChild<QPushButton *>(rest);
        if (!button || !button->isVisible())
            return false;
        button->click();
    } else {
        return false;
    }
    return true;
}

// The gesture a candidate makes for a show step of a solution path.
QString gestureFor(const TaskStep &step)
{
    if (step.arg.startsWith(u"保留排练时间"))
        return QStringLiteral("button keepTimings");
    if (step.arg.startsWith(u"放弃排练时间"))
        return QStringLiteral("button discardTimings");
    if (step.arg == u"下一张")
        return QStringLiteral("click");
    if (step.arg == u"结束")
        return QStringLiteral("key Escape");
    if (step.arg == u"画线")
        return QStringLiteral("drag");
    if (step.arg == u"保留墨迹")
        return QStringLiteral("button keepInk");
    if (step.arg == u"放弃墨迹")
        return QStringLiteral("button discardInk");
    return QStringLiteral("menu ") + step.arg;
}

// One gesture in the editor: "click title", "click body", "select 3" (a click
// in the slide list), and on the formatting toolbar "font 黑体", "size 28"
// (an entry picked from the drop-down), "button 加粗", "colour" (the colour
// button itself), "colour 蓝色" (an entry of its list).
bool editorGesture(EditorWindow &window, const QString &what)
{
    const QString word = what.section(u' ', 0, 0);
    const QString rest = what.section(u' ', 1);
    FormatBar *bar = window.formatBar();
    if (word == u"click") {
        auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
        auto *body = window.findChild<QTextEdit *>(QStringLiteral("body"));
        QWidget *target = rest == u"title" ? static_cast<QWidget *>(title) : body->viewport();
        if (!target->isVisible())
            return false;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(10, target->height() / 2));
    } else if (word == u"select") {
        auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(rest.toInt() - 1)).center());
    } else if (word == u"font" || word == u"size") {
        auto *combo = bar->findChild<QComboBox *>(word == u"font" ? QStringLiteral("format:中文字体") : QStringLiteral("format:字号"));
        const int index = combo->findText(rest);
        if (index < 0)
            return false;
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        if (!QTest::qWaitFor([view] { return view->isVisible(); }))
            return false;
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    } else if (word == u"button") {
        QAction *action = bar->findChild<QAction *>(QStringLiteral("format:") + rest);
        QWidget *button = action ? bar->widgetForAction(action) : nullptr;
        if (!button || !button->isVisible())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (word == u"colour") {
        auto *button = bar->findChild<QToolButton *>(QStringLiteral("format:字体颜色"));
        if (rest.isEmpty()) {
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            return true;
        }
        QMenu *colours = button->menu();
        colours->popup(button->mapToGlobal(QPoint(0, button->height())));
        QAction *entry = colours->findChild<QAction *>(QStringLiteral("entry:字体:") + rest);
        colours->close();
        if (!entry)
            return false;
        entry->trigger();
    } else if (word == u"key") {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        QWidget *focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : static_cast<QWidget *>(&window), QKeySequence(rest));
    } else if (word == u"zoom") {
        auto *zoom = window.findChild<QComboBox *>(QStringLiteral("zoom"));
        const int index = zoom ? zoom->findText(rest) : -1;
        if (index < 0 || !zoom->isVisible())
            return false;
        zoom->showPopup();
        QAbstractItemView *view = zoom->view();
        if (!QTest::qWaitFor([view] { return view->isVisible(); }))
            return false;
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    } else {
        return false;
    }
    return true;
}

} // namespace

void TestSimulatorUi::initTestCase()
{
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    SlideShow::setClock([] { return testNow; });
}

// The guide frames the menu title to click and moves on when the menu
// opens; the menu must stay open for the command the guide names next, and
// closed again, its title is framed once more.
void TestSimulatorUi::guidedMenuStaysOpen()
{
    EditorWindow window(deriveTask(QStringLiteral("101"), QStringLiteral("启动金山演示2005，新建一个空白演示文稿。")));
    window.setGuideEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenuBar *bar = window.menuBar();
    QAction *file = bar->actions().value(0);
    QVERIFY(file && file->text() == QStringLiteral("文件(&F)"));
    // The first step's mark frames the menu's title, not the whole bar.
    auto *mark = window.findChild<QWidget *>(QStringLiteral("guideMark"));
    QVERIFY(mark);
    QTRY_VERIFY(mark->isVisible());
    const QRect title(bar->mapTo(&window, bar->actionGeometry(file).topLeft()), bar->actionGeometry(file).size());
    QVERIFY(mark->geometry().contains(title));
    QVERIFY(mark->width() <= title.width() + 6);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    QMenu *menu = file->menu();
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(200);
    QVERIFY(menu->isVisible());
    QVERIFY(menu->activeAction() && menu->activeAction()->text().startsWith(QStringLiteral("新建")));
    // Closed without the command, the way to it starts at the title again.
    menu->close();
    QTRY_VERIFY(window.findChild<QWidget *>(QStringLiteral("guideMark"))
                && window.findChild<QWidget *>(QStringLiteral("guideMark"))->isVisible());
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("guideMark"))->geometry().contains(title));
}

static bool clickEntry(QMenu *menu, const QString &name);

// A colour the 字体颜色 button's face does not show is reached by its arrow:
// the guide frames the arrow, not the face, marks the colour in the list that
// opens, and moves on once it is chosen; closed unchosen, the arrow again.
void TestSimulatorUi::guideTakesTheColourList()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.标题.颜色 = 蓝色\n"
                                                "step: click title | 单击标题占位符\n"
                                                "step: toolbar 字体颜色 | 单击“字体颜色”按钮右侧的箭头\n"
                                                "step: command 字体 | 在颜色列表中单击“蓝色”\n"
                                                "step: field 颜色 = 蓝色 | 在颜色列表中单击“蓝色”\n"
                                                "step: ok | 文字变为蓝色\n")));
    window.setGuideEnabled(true);
    QVERIFY(showActive(window));
    QVERIFY(editorGesture(window, QStringLiteral("click title")));
    auto *button = window.findChild<QToolButton *>(QStringLiteral("format:字体颜色"));
    QVERIFY(button && button->isVisible());
    const QRect face(button->mapTo(&window, QPoint(0, 0)), button->size());
    auto arrowFramed = [&] {
        auto *mark = static_cast<GuideMark *>(window.findChild<QWidget *>(QStringLiteral("guideMark")));
        return mark && mark->isVisible() && mark->target() == button && mark->geometry().right() >= face.right()
            && mark->geometry().left() > face.center().x() - 3;
    };
    QTRY_VERIFY(arrowFramed());
    // The list runs a loop of its own: looked at and closed from inside it.
    QString marked;
    QTimer::singleShot(300, this, [&marked] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            marked = popup->activeAction() ? popup->activeAction()->objectName() : QString();
            popup->close();
        }
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
    QCOMPARE(marked, QStringLiteral("entry:字体:蓝色"));
    QTRY_VERIFY(arrowFramed());
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.标题.颜色")), QString());
    bool chosen = false;
    QTimer::singleShot(300, this, [&chosen] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
            chosen = clickEntry(popup, QStringLiteral("entry:字体:蓝色"));
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
    QVERIFY(chosen);
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.标题.颜色")), QStringLiteral("蓝色"));
    // The face now shows the colour chosen: a screen reader tells it too.
    QCOMPARE(button->accessibleDescription(), QStringLiteral("蓝色"));
}

// The drawing toolbar's lists too: once the 填充颜色 list is open, the guide
// marks the colour asked in it, not another button of the bar.
void TestSimulatorUi::guideMarksTheDrawingListEntry()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\nstart: slide1.文本框 = 1\n"
                                                "goal: slide1.文本框.填充颜色 = 浅黄色\n"
                                                "method: 工具栏\n"
                                                "step: shape 文本框 | 单击文本框\n"
                                                "step: toolbar 填充颜色 | 单击“绘图”工具栏上的“填充颜色”按钮\n"
                                                "step: command 对象格式 | 在颜色列表中选择填充颜色\n"
                                                "step: field 对象 = 文本框 | 文本框已选中\n"
                                                "step: field 填充颜色 = 浅黄色 | 单击“浅黄色”\n"
                                                "step: ok | 文本框填充为浅黄色\n")));
    window.setGuideEnabled(true);
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("工具栏"));
    window.openDialog()->setValue(QStringLiteral("工具栏"), QStringLiteral("绘图"));
    window.openDialog()->setValue(QStringLiteral("显示"), QStringLiteral("显示"));
    window.openDialog()->okButton()->click();
    auto *bar = window.findChild<QToolBar *>(QStringLiteral("drawingBar"));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    QTest::mouseClick(view, Qt::LeftButton, {}, view->shapeGrip(QStringLiteral("文本框")));
    auto *button = bar->findChild<QToolButton *>(QStringLiteral("button:填充颜色"));
    QVERIFY(button && button->isVisible());
    QTRY_VERIFY(window.findChild<GuideMark *>(QStringLiteral("guideMark"))
                && window.findChild<GuideMark *>(QStringLiteral("guideMark"))->target() == button);
    QTest::mouseClick(button, Qt::LeftButton);
    auto *list = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(list);
    QTRY_VERIFY(list->activeAction() && list->activeAction()->objectName() == QStringLiteral("entry:对象格式:浅黄色"));
    QTRY_VERIFY(framedOn(list, list->actionGeometry(list->activeAction())));
    QVERIFY(clickEntry(list, QStringLiteral("entry:对象格式:浅黄色")));
    QTRY_COMPARE(window.session().document().value(QStringLiteral("slide1.文本框.填充颜色")), QStringLiteral("浅黄色"));
}

void TestSimulatorUi::guideLeadsIntoContextSubmenus_data()
{
    QTest::addColumn<QString>("th");
    QTest::addColumn<QString>("submenu");   // the shape menu's submenu holding the command
    QTest::addColumn<QString>("entry");     // its entry for the value asked
    QTest::newRow("420 组合") << QStringLiteral("420") << QStringLiteral("shapeMenu:组合") << QStringLiteral("entry:组合:组合");
    QTest::newRow("421 取消组合") << QStringLiteral("421") << QStringLiteral("shapeMenu:组合") << QStringLiteral("entry:组合:取消组合");
    QTest::newRow("422 置于顶层") << QStringLiteral("422") << QStringLiteral("shapeMenu:叠放次序")
                                 << QStringLiteral("entry:叠放次序:置于顶层");
}

// Along a question's 右键菜单 way the guide frames each step's control: the
// slide in the list, the shapes, the shape to right-click, then in its
// context menu the submenu's entry and, once the submenu is open, the entry
// in it. The context menu closed half-way, the way starts at the shape again.
void TestSimulatorUi::guideLeadsIntoContextSubmenus()
{
    QFETCH(QString, th);
    QFETCH(QString, submenu);
    QFETCH(QString, entry);
    const std::optional<Task> authored = authoredTask(th, QStringLiteral("右键菜单"));
    QVERIFY(authored);
    const Task &task = *authored;
    EditorWindow window(task);
    window.setGuideEnabled(true);
    QVERIFY(showActive(window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    int i = 0;
    for (; task.steps.at(i).kind != TaskStep::Kind::Context; ++i) {
        const TaskStep &step = task.steps.at(i);
        if (step.kind == TaskStep::Kind::Select) {
            QTRY_VERIFY(framedOn(list));
            QListWidgetItem *item = list->item(step.arg.toInt() - 1);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        } else {
            QCOMPARE(step.kind, TaskStep::Kind::Shape);
            QTRY_VERIFY(framedOn(view, view->shapeRect(step.arg.section(u',', 0, 0))));
            QVERIFY(shapeGesture(window, step));
        }
        QTRY_VERIFY(window.guideStep() > i);
    }
    const QString shape = task.steps.at(i).arg;
    QTRY_VERIFY(framedOn(view, view->shapeRect(shape)));

    // The menu runs a loop of its own: looked into from inside it, and
    // whatever happens there, no menu stays open to hold the test.
    auto rightClick = [&](const std::function<QString(QMenu *, QMenu *, QAction *)> &inside) {
        QString failure = QStringLiteral("右键菜单没有打开");
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, this, [&] {
            auto *menu = window.findChild<QMenu *>(QStringLiteral("shapeMenu"));
            QMenu *sub = menu ? menu->findChild<QMenu *>(submenu) : nullptr;
            QAction *choice = sub ? sub->findChild<QAction *>(entry) : nullptr;
            failure = choice ? inside(menu, sub, choice) : QStringLiteral("右键菜单中没有") + entry;
            for (int k = 0; k < 5 && QApplication::activePopupWidget(); ++k)
                QApplication::activePopupWidget()->close();
        });
        timer.start(50);
        const QPoint at = view->shapeGrip(shape);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &event);
        return failure;
    };
    // The guide opens the submenu and marks and frames the entry in it.
    auto entryMarked = [](QMenu *menu, QMenu *sub, QAction *choice) {
        return QTest::qWaitFor([=] {
            return sub->isVisible() && sub->activeAction() == choice && framedOn(sub, sub->actionGeometry(choice))
                && menu->activeAction() == sub->menuAction();
        }, 2000);
    };
    QString failure = rightClick([&](QMenu *menu, QMenu *sub, QAction *choice) {
        if (!entryMarked(menu, sub, choice))
            return QStringLiteral("子菜单中的命令没有标出");
        // The submenu closed again: its entry in the context menu is framed.
        QTest::keyClick(sub, Qt::Key_Left);
        if (!QTest::qWaitFor([=] { return !sub->isVisible() && framedOn(menu, menu->actionGeometry(sub->menuAction())); }, 2000))
            return QStringLiteral("右键菜单中的子菜单没有框出");
        menu->close();
        return QString();
    });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // Closed without the command: back to the right click on the shape.
    QTRY_VERIFY(framedOn(view, view->shapeRect(shape)));
    QCOMPARE(window.guideStep(), i);
    QVERIFY(!task.isMet(window.session().document()));

    failure = rightClick([&](QMenu *menu, QMenu *sub, QAction *choice) {
        if (!entryMarked(menu, sub, choice))
            return QStringLiteral("子菜单中的命令没有标出");
        QTest::mouseClick(sub, Qt::LeftButton, {}, sub->actionGeometry(choice).center());
        return QString();
    });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY2(task.isMet(window.session().document()), qPrintable(task.unmetChecks(window.session().document()).join(u'；')));
}

// The menu bar's submenus the same way: with 视图 open, the guide opens
// 工具栏 ▸ and marks and frames the toolbar to tick in it; the submenu closed
// again, its entry in 视图 is framed.
void TestSimulatorUi::guideLeadsIntoMenuSubmenus()
{
    // 239 shows the 大纲 toolbar through 视图 → 工具栏 ▸ → 大纲 first of all.
    const std::optional<Task> task = authoredTask(QStringLiteral("239"), QString());
    QVERIFY(task);
    QCOMPARE(task->steps.first().kind, TaskStep::Kind::Menu);
    EditorWindow window(*task);
    window.setGuideEnabled(true);
    QVERIFY(showActive(window));
    QMenuBar *bar = window.menuBar();
    auto *view = window.findChild<QMenu *>(QStringLiteral("menu:视图"));
    auto *toolbars = window.findChild<QMenu *>(QStringLiteral("menu:工具栏"));
    auto *tick = window.findChild<QAction *>(QStringLiteral("toolbar:大纲"));
    QVERIFY(view && toolbars && tick);
    QTRY_VERIFY(framedOn(bar, bar->actionGeometry(view->menuAction())));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(view->menuAction()).center());
    QTRY_VERIFY(toolbars->isVisible() && toolbars->activeAction() == tick && framedOn(toolbars, toolbars->actionGeometry(tick)));
    QCOMPARE(view->activeAction(), toolbars->menuAction());
    QTest::keyClick(toolbars, Qt::Key_Left);
    QTRY_VERIFY(!toolbars->isVisible() && framedOn(view, view->actionGeometry(toolbars->menuAction())));
    // The guide does not open it again: the candidate's pointer goes where it will.
    QTest::qWait(100);
    QVERIFY(!toolbars->isVisible());
    view->close();
    QTRY_VERIFY(framedOn(bar, bar->actionGeometry(view->menuAction())));
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

void TestSimulatorUi::drawnDialogFieldsReachTheDocument_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"字体", "新幻灯片", "背景", "设置放映方式",
                                "页眉和页脚", "项目符号和编号", "打印", "另存为", "保存", "打开", "图片",
                                "幻灯片（从文件）", "符号", "对象格式", "表格属性", "替换", "编辑声音对象", "编辑影片对象"})
        QTest::newRow(command) << QString::fromUtf8(command);
}

// Every field of a dialog has its control, in sight once revealed, and what
// the candidate sets there reaches the document exactly as the command with
// those values would put it.
void TestSimulatorUi::drawnDialogFieldsReachTheDocument()
{
    QFETCH(QString, command);
    const CommandSpec *spec = Commands::find(command);
    QVERIFY(spec);
    const Task task = taskFrom(QStringLiteral("start: slides = 4\n"));
    EditorWindow window(task);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.trigger(command);
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    // The whole dialog fits the part of the editor the practice panel shows.
    QVERIFY2(dialog->width() <= 800 && dialog->height() <= 570, qPrintable(QStringLiteral("%1×%2").arg(dialog->width()).arg(dialog->height())));

    QMap<QString, QString> chosen;
    QWidget *accept = dialog->findChild<QPushButton *>(QStringLiteral("ok"));
    for (const FieldSpec &field : spec->fields) {
        if (field.name == spec->askedAfterOk)
            continue;   // asked in a box of its own once 确定 was pressed, for some values only
        auto *control = dialog->findChild<QWidget *>(QStringLiteral("field:") + field.name);
        if (!control && dialog->acceptButton(field.choices.value(0))) {
            // Given by the buttons that close the dialog (全部应用, 应用): one each.
            for (const QString &choice : field.choices)
                QVERIFY2(dialog->acceptButton(choice) && dialog->acceptButton(choice)->isVisible(), qPrintable(choice));
            accept = dialog->acceptButton(field.choices.last());
            chosen.insert(field.name, field.choices.last());
            continue;
        }
        QVERIFY2(control, qPrintable(field.name));
        QString value;
        if (QWidget *shown = dialog->revealField(field.name); shown != control) {
            // Set in a dialog of its own (背景's 填充效果): its page, with a
            // value it offers in a list or a box.
            QVERIFY2(shown && shown->isVisible() && shown->window() != dialog, qPrintable(field.name));
            control = shown;
            for (QListWidget *list : control->findChildren<QListWidget *>())
                if (value.isEmpty() && list->count() > 0)
                    value = list->item(0)->data(Qt::UserRole).toString();
            for (QComboBox *box : control->findChildren<QComboBox *>())
                if (value.isEmpty() && box->isEnabled() && box->count() > 1)
                    value = box->itemText(box->count() - 1);
            QVERIFY2(!value.isEmpty(), qPrintable(field.name));
        }
        // Set as the menu entry that opened the dialog sets it; not shown.
        QVERIFY2(control->isVisible() != dialog->decidedByEntry(field.name), qPrintable(field.name));
        if (value.isEmpty())
            value = sampleValue(field, control);
        setThroughControl(control, value);
        QCOMPARE(dialog->values().value(field.name), value);
        chosen.insert(field.name, value);
    }
    QTest::mouseClick(accept, Qt::LeftButton);

    Session expected(task.startDocument());
    expected.run(command, chosen);
    QVERIFY(window.session().document() == expected.document());
}

// The guide points at a field on a tab that is not in front: the tab comes
// forward, the mark sits on the field and the dialog says what to do there.
// Here the dialog is 效果选项, opened from the 自定义动画 task pane.
void TestSimulatorUi::guideRevealsFieldOnHiddenTab()
{
    EditorWindow window(taskFrom(QStringLiteral("goal: slide1.动画.标题.声音 = 鼓掌\n"
                                                "step: click title | 单击标题占位符\n"
                                                "step: command 自定义动画 | 单击“自定义动画”命令\n"
                                                "step: field 声音 = 鼓掌 | 单击“效果选项…”，在“声音”中选择“鼓掌”\n"
                                                "step: ok | 单击“确定”按钮\n")));
    window.setGuideEnabled(true);
    QVERIFY(showActive(window));
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("title")), Qt::LeftButton, {}, QPoint(6, 6));
    window.trigger(QStringLiteral("自定义动画"));
    auto *options = window.findChild<QPushButton *>(QStringLiteral("pane:效果选项"));
    QVERIFY(options);
    QTRY_VERIFY(options->isVisible() && options->isEnabled());
    // Before the dialog, the mark is on the pane's button that opens it.
    QTRY_VERIFY(window.findChild<QWidget *>(QStringLiteral("guideMark"))
                && static_cast<GuideMark *>(window.findChild<QWidget *>(QStringLiteral("guideMark")))->target() == options);
    QTest::mouseClick(options, Qt::LeftButton);
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("效果选项"));
    // The effect's own options, not the command's dialog: no object to choose there.
    auto *tabs = dialog->findChild<QTabWidget *>();
    QVERIFY(tabs);
    QStringList tabTitles;
    for (int i = 0; i < tabs->count(); ++i)
        tabTitles << tabs->tabText(i);
    QCOMPARE(tabTitles, QStringList({"效果", "计时", "正文文本动画"}));
    QWidget *object = dialog->fieldBox(QStringLiteral("对象"));
    QVERIFY(!object || !object->isVisible());
    QVERIFY(!dialog->fieldBox(QStringLiteral("顺序")));   // the pane's arrows order the effects
    QWidget *sound = dialog->fieldBox(QStringLiteral("声音"));
    QTRY_VERIFY(sound->isVisible());
    auto *mark = dialog->findChild<QWidget *>(QStringLiteral("guideMark"));
    QVERIFY(mark);
    QTRY_VERIFY(mark->isVisible());
    QVERIFY(mark->geometry().contains(QRect(sound->mapTo(dialog, QPoint(0, 0)), sound->size())));
    // The dialog hides the task strip, so it repeats the step itself, in
    // the words of its own control (a drop-down here, not a list).
    auto *hint = dialog->findChild<QLabel *>(QStringLiteral("guideHint"));
    QVERIFY(hint);
    QTRY_COMPARE(hint->text(), QStringLiteral("第3步：在“声音”中选择或输入“鼓掌”"));
    QVERIFY(hint->isVisible());
    // The pane asks only what it does not show itself.
    QWidget *effect = dialog->fieldBox(QStringLiteral("效果"));
    QVERIFY(!effect || !effect->isVisible());

    // Given up, the mark shows the way back: the pane's button again.
    dialog->reject();
    QTRY_VERIFY(window.findChild<QWidget *>(QStringLiteral("guideMark"))
                && static_cast<GuideMark *>(window.findChild<QWidget *>(QStringLiteral("guideMark")))->target() == options);
    QTest::mouseClick(options, Qt::LeftButton);
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("声音")), QStringLiteral("鼓掌"));
    window.openDialog()->okButton()->click();
    QCOMPARE(window.session().document().slides.at(0).attributes.value(QStringLiteral("动画.标题.声音")), QStringLiteral("鼓掌"));
}

// The guide's words for a dialog field name something the candidate can see
// in that dialog: a label, a check box, a group's title.
void TestSimulatorUi::guideNamesFieldsAsShown()
{
    QFETCH(QString, command);
    const CommandSpec *spec = Commands::find(command);
    QVERIFY(spec);
    CommandDialog dialog(*spec);
    QStringList shown;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        shown << label->text();
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        shown << button->text();
    for (const QGroupBox *box : dialog.findChildren<QGroupBox *>())
        shown << box->title();
    for (const QComboBox *box : dialog.findChildren<QComboBox *>())   // a drop-down's entries
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
    for (const FieldSpec &field : spec->fields) {
        if (dialog.decidedByEntry(field.name))
            continue;   // no words of the dialog: the task's own say which menu entry
        if (field.name == spec->askedAfterOk)
            continue;   // its question names it
        const QString hint = dialog.fieldHint(field.name, field.choices.value(0, QStringLiteral("1")));
        const qsizetype open = hint.indexOf(u'“');
        QVERIFY2(open >= 0, qPrintable(hint));
        const QString caption = hint.mid(open + 1, hint.indexOf(u'”', open) - open - 1);
        const bool seen = std::any_of(shown.begin(), shown.end(), [&](const QString &text) {
            return text.startsWith(caption);
        });
        QVERIFY2(seen, qPrintable(field.name + QStringLiteral(" → ") + hint));
    }
}

// Clicks the entry named `name` in an open menu or in one of its submenus
// (opened by a click on the way); false when the menu has no such entry.
// The 颜色 dialog a colour list's 其他颜色 opened over `window`: the
// colour's cell clicked on 标准, or its numbers typed on 自定义, then 确定.
static bool playColourDialog(QWidget *window, const QString &value)
{
    ColourDialog *dialog = nullptr;
    const auto open = [&dialog, window] {
        for (ColourDialog *d : window->findChildren<ColourDialog *>())
            if (d->isVisible())
                dialog = d;
        return dialog != nullptr;
    };
    if (!QTest::qWaitFor(open, 2000))
        return false;
    QWidget *control = dialog->control(value);
    if (auto *cell = qobject_cast<QAbstractButton *>(control)) {
        QTest::mouseClick(cell, Qt::LeftButton, {}, cell->rect().center());
    } else if (control) {
        const QColor colour = SlideArt::colour(value, QColor());
        for (const auto &[name, number] : {std::pair{"红色", colour.red()}, std::pair{"绿色", colour.green()},
                                           std::pair{"蓝色", colour.blue()}}) {
            auto *box = dialog->findChild<QSpinBox *>(QStringLiteral("rgb:") + QString::fromUtf8(name));
            if (!box)
                return false;
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, QString::number(number));
        }
    }
    if (dialog->colour() != value)
        return false;
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    return !dialog->isVisible();
}

// A toolbar dragged by its handle and let go near an edge of the part of
// the window below the toolbars (顶部 底部 左侧 右侧), as a candidate docks it.
static bool dockToolbar(EditorWindow &window, const QString &toolbar, const QString &edge)
{
    auto *grip = window.findChild<QWidget *>(QStringLiteral("grip:") + toolbar);
    auto *strip = window.findChild<QWidget *>(QStringLiteral("taskStrip"));
    if (!grip || !grip->isVisible() || !strip)
        return false;
    const QRect area = strip->parentWidget()->rect();
    const QPoint to = edge == u"左侧" ? QPoint(8, area.height() / 2)
                    : edge == u"右侧" ? QPoint(area.width() - 8, area.height() / 2)
                    : edge == u"顶部" ? QPoint(area.width() / 2, 8)
                                      : QPoint(area.width() / 2, area.height() - 8);
    const QPoint at = grip->mapFrom(strip->parentWidget(), to);
    QTest::mousePress(grip, Qt::LeftButton, {}, grip->rect().center());
    QTest::mouseMove(grip, at);
    QTest::mouseRelease(grip, Qt::LeftButton, {}, at);
    return true;
}

static bool clickEntry(QMenu *menu, const QString &name)
{
    for (QAction *action : menu->actions()) {
        const bool below = action->menu() && action->menu()->findChild<QAction *>(name);
        if (action->objectName() != name && !below)
            continue;
        if (!below) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return true;
        }
        // A submenu is opened with the arrow key: no pointer delay to wait for.
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Right);
        if (!QTest::qWaitFor([sub = action->menu()] { return sub->isVisible(); }, 2000))
            return false;
        return clickEntry(action->menu(), name);
    }
    return false;
}

namespace {
bool pickFrom(QComboBox *box, const QString &text);
}

// The command whose task pane the field step before `index` is for; empty
// when it is a dialog's.
static QString paneCommandAt(const QList<TaskStep> &steps, qsizetype index)
{
    for (qsizetype k = index - 1; k >= 0; --k)
        if (steps.at(k).kind == TaskStep::Kind::Command || steps.at(k).kind == TaskStep::Kind::Pane)
            return PaneSteps::isPane(steps.at(k).arg) ? steps.at(k).arg : QString();
    return {};
}

// A field step taken in the task pane through its control: a box, a
// button, a painted entry, an entry of the drop-down the pane has open, or
// the field of the dialog a button of the pane opens.
static bool playPaneField(EditorWindow &window, const TaskStep &step)
{
    auto *pane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
    if (!pane || !pane->isVisible())
        return false;
    const QString value = step.value.trimmed();
    if (QMenu *menu = pane->openMenu()) {
        if (QAction *entry = pane->menuEntry(step.arg, value)) {
            if (step.arg == u"类别") {   // its submenu opened
                menu->setActiveAction(entry);
                QTest::keyClick(menu, Qt::Key_Right);
                return QTest::qWaitFor([entry] { return entry->menu()->isVisible(); }, 2000);
            }
            return clickEntry(menu, entry->objectName());
        }
        menu->close();
    }
    QRect area;
    QWidget *control = nullptr;
    // A painted entry is there once the pane has been painted.
    if (!QTest::qWaitFor([&] { return (control = pane->fieldControl(step.arg, value, &area)) != nullptr; }, 2000)
        || !control->isVisible() || !control->isEnabled())
        return false;
    if (control == pane)
        QTest::mouseClick(pane, Qt::LeftButton, {}, area.center());
    else if (auto *box = qobject_cast<QComboBox *>(control))
        return pickFrom(box, value);
    else if (qobject_cast<QListWidget *>(control) || qobject_cast<QLineEdit *>(control) || qobject_cast<QCheckBox *>(control))
        setThroughControl(control, value);
    else
        QTest::mouseClick(control, Qt::LeftButton);
    // 添加效果 dropped its menu down: the category or effect there.
    if ((step.arg == u"类别" || step.arg == u"效果") && pane->openMenu())
        return QTest::qWaitFor([pane] { return pane->openMenu()->isVisible(); }, 2000) && playPaneField(window, step);
    // 效果选项 or 编辑配色方案 opened their dialog: the field is set there.
    if (CommandDialog *dialog = window.openDialog(); dialog && dialog->isVisible()) {
        QWidget *field = dialog->revealField(step.arg);
        if (!field)
            return false;
        setThroughControl(field, step.value);
    }
    return true;
}

void TestSimulatorUi::everyQuestionFollowingTheGuide_data()
{
    QTest::addColumn<QString>("source");   // the task as its file holds it
    QTest::addColumn<int>("method");       // index into methods(); -1 - k: mistake k
    // Authors check their sources of another checkout with the same test.
    const ContentSources sources = ContentSources::read(qEnvironmentVariable("PELQUOR_CONTENT_SOURCES", QStringLiteral(CONTENT_SOURCES)));
    QList<Task> tasks;
    readAuthoredTasks(sources, &tasks);
    for (const Task &task : tasks) {
        const QString source = task.toText();
        const QList<TaskPath> methods = task.methods();
        for (int m = 0; m < methods.size(); ++m)
            QTest::newRow(qPrintable(task.th + u' ' + (m == 0 ? QStringLiteral("向导") : methods.at(m).name))) << source << m;
        for (int k = 0; k < task.mistakes.size(); ++k)
            QTest::newRow(qPrintable(task.th + QStringLiteral(" 错误：") + task.mistakes.at(k).name)) << source << -1 - k;
    }
}

// Every question of the bank can be done in the editor, every way its task
// names, with the editor's own controls: along the guide's method the guide
// sees each step taken and the last one completes the task; another method
// completes it too; a mistake does not.
void TestSimulatorUi::everyQuestionFollowingTheGuide()
{
    QFETCH(QString, source);
    QFETCH(int, method);
    const Task task = Task::parse(source, nullptr);
    const bool mistake = method < 0;
    const TaskPath path = mistake ? task.mistakes.at(-1 - method) : task.methods().at(method);
    const bool guided = method == 0;
    const QString th = task.th;
    // Only a goal that names the way needs the real menus: elsewhere the
    // entry's action is triggered as the menu would.
    const bool realMenus = std::any_of(task.goal.begin(), task.goal.end(),
                                       [](const TaskCheck &check) { return check.path.startsWith(u"doc.方式."); });
    EditorWindow window(task);
    window.setGuideEnabled(guided);
    QVERIFY(showActive(window));
    bool met = false;
    connect(&window, &EditorWindow::documentChanged, this, [&met](bool goalMet) { met = goalMet; });
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    SlideShow *show = nullptr;
    bool implied = false;   // the command, field and ok steps after a key say what it did
    bool keyInShow = false; // the show action after a key pressed in the show says what it did
    for (int i = 0; i < path.steps.size(); ++i) {
        const TaskStep &step = path.steps.at(i);
        const TaskStep *before = i > 0 ? &path.steps.at(i - 1) : nullptr;
        const QString where = th + QStringLiteral(" 第%1步：").arg(i + 1) + step.hint;
        // A key runs its command at once, or opens its dialog: then the
        // fields and 确定 are the candidate's to do.
        const bool dialogOpen = window.openDialog() && window.openDialog()->isVisible();
        if (step.kind == TaskStep::Kind::Show && std::exchange(keyInShow, false))
            continue;
        if (implied && (step.kind == TaskStep::Kind::Command
                        || (!dialogOpen && (step.kind == TaskStep::Kind::Field || step.kind == TaskStep::Kind::Ok))))
            continue;
        implied = false;
        switch (step.kind) {
        case TaskStep::Kind::Select: {
            const QList<int> slides = Document::slideNumbers(step.arg);
            QVERIFY2(!slides.isEmpty(), qPrintable(where));
            const Qt::KeyboardModifiers extra = step.arg.contains(u'-') ? Qt::ShiftModifier : Qt::ControlModifier;
            if (auto *outline = window.findChild<OutlinePane *>(QStringLiteral("outlinePane")); outline->isVisible()) {
                // In the 大纲 tab: the slide's icon, Shift with the last one's for a range.
                QVERIFY2(slides.size() == 1 || step.arg.contains(u'-'), qPrintable(where));
                QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, outline->slideIconRect(slides.first()).center());
                if (slides.size() > 1)
                    QTest::mouseClick(outline->viewport(), Qt::LeftButton, Qt::ShiftModifier, outline->slideIconRect(slides.last()).center());
                break;
            }
            auto *sorter = window.findChild<SlideView *>(QStringLiteral("slide"));
            for (int k = 0; k < slides.size(); ++k) {
                if (step.arg.contains(u'-') && k > 0 && k < slides.size() - 1)
                    continue;  // Shift reaches the last one from the first
                if (sorter->isSorter()) {   // the sorter's own slides, Ctrl or Shift with the others
                    QTest::mouseClick(sorter, Qt::LeftButton, k == 0 ? Qt::NoModifier : extra,
                                      sorter->sorterCell(slides.at(k) - 1).center().toPoint());
                    continue;
                }
                QListWidgetItem *item = list->item(slides.at(k) - 1);
                QVERIFY2(item, qPrintable(where));
                list->scrollToItem(item);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, k == 0 ? Qt::NoModifier : extra,
                                  list->visualItemRect(item).center());
            }
            break;
        }
        case TaskStep::Kind::Menu:
            if (!realMenus)
                continue;  // the command's action is triggered as the menu entry would; the guide passes the menu then
            {
                auto *menu = window.findChild<QMenu *>(QStringLiteral("menu:") + step.arg);
                QVERIFY2(menu, qPrintable(where));
                QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(menu->menuAction()).center());
                QTRY_VERIFY2_WITH_TIMEOUT(menu->isVisible(), qPrintable(where), 1000);
            }
            break;
        case TaskStep::Kind::Key: {
            const QKeySequence key(step.arg);
            QVERIFY2(!key.isEmpty(), qPrintable(where));
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
            QTest::keyClick(target, key[0].key(), key[0].keyboardModifiers());
            implied = true;
            keyInShow = show && show->isVisible();
            break;
        }
        case TaskStep::Kind::Click: {
            if (step.arg.startsWith(u"gap ")) {   // between two slides of the sorter
                auto *sorter = window.findChild<SlideView *>(QStringLiteral("slide"));
                const QRectF gap = sorter->gapRect(step.arg.mid(4).toInt());
                QVERIFY2(sorter->isSorter() && !gap.isEmpty(), qPrintable(where));
                QTest::mouseClick(sorter, Qt::LeftButton, {}, gap.center().toPoint());
                break;
            }
            if (!Session::masterArea(step.arg).isEmpty()) {
                // An area the master view paints along its foot.
                auto *slideView = window.findChild<SlideView *>(QStringLiteral("slide"));
                QVERIFY2(slideView, qPrintable(where));
                const QRectF area = slideView->masterArea(step.arg);
                QVERIFY2(!area.isEmpty(), qPrintable(where));
                QTest::mouseClick(slideView, Qt::LeftButton, {}, area.center().toPoint());
                break;
            }
            if (!Shapes::kindOf(step.arg).isEmpty()) {
                // Into a text box on the slide.
                auto *slideView = window.findChild<SlideView *>(QStringLiteral("slide"));
                QTest::mouseClick(slideView, Qt::LeftButton, {}, slideView->shapeRect(step.arg).center());
                break;
            }
            QWidget *target = window.findChild<QWidget *>(step.arg);
            QVERIFY2(target && target->isVisible(), qPrintable(where));
            // With the format painter picked, the click paints: the field and
            // ok steps after it say what it did.
            implied = window.formatPicked();
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, 6));
            break;
        }
        case TaskStep::Kind::Toolbar: {
            QWidget *control = window.toolbarControl(step.arg);
            QVERIFY2(control, qPrintable(where));
            if (auto *box = qobject_cast<QComboBox *>(control)) {
                // A box: opened, and the value the next field step names chosen from its list.
                const TaskStep *value = nullptr;
                for (int k = i + 1; k < path.steps.size(); ++k)
                    if (path.steps.at(k).kind == TaskStep::Kind::Field && path.steps.at(k).arg != u"对象") {
                        value = &path.steps.at(k);
                        break;
                    }
                QVERIFY2(value, qPrintable(where));
                const int index = box->findText(value->value);
                QVERIFY2(index >= 0, qPrintable(where + QStringLiteral("（框中没有“%1”）").arg(value->value)));
                QTest::mouseClick(box, Qt::LeftButton);
                QTRY_VERIFY2_WITH_TIMEOUT(box->view()->isVisible(), qPrintable(where), 1000);
                const QModelIndex item = box->model()->index(index, box->modelColumn());
                // Chosen with the keys: the open list ignores a click that comes at once.
                box->view()->setCurrentIndex(item);
                QTest::keyClick(box->view(), Qt::Key_Return);
            }
            // A button with a list: the entry of the command after it, for
            // the value its field step names; with several fields to set,
            // the entry that opens the command's dialog.
            QString command, value;
            int values = 0;
            for (int k = i + 1; k < path.steps.size() && path.steps.at(k).kind != TaskStep::Kind::Ok; ++k) {
                const TaskStep &next = path.steps.at(k);
                if (next.kind == TaskStep::Kind::Command && command.isEmpty())
                    command = next.arg;
                else if (next.kind == TaskStep::Kind::Field && next.arg != u"对象" && values++ == 0)
                    value = next.value.trimmed();
            }
            const QString first = value;
            if (values > 1)
                value.clear();
            const QString entry = QStringLiteral("entry:%1:%2").arg(command, value);
            // A colour the list does not offer: its 其他颜色 entry, and the 颜色 dialog.
            bool mixed = false;
            const auto choose = [&mixed, entry, value, first](QMenu *popup) {
                if (clickEntry(popup, entry))
                    return true;
                // An entry that makes the first choice, its dialog the rest (an action button drawn).
                if (value.isEmpty() && !first.isEmpty() && clickEntry(popup, entry + first))
                    return true;
                mixed = !value.isEmpty() && clickEntry(popup, entry.section(u':', 0, 1) + u':');
                return mixed;
            };
            if (auto *split = qobject_cast<QToolButton *>(control);
                split && split->popupMode() == QToolButton::MenuButtonPopup && split->accessibleDescription() != value) {
                // A button that applies what its face shows: another value
                // from the list behind its arrow, which runs a loop of its own.
                bool chosen = false;
                QTimer::singleShot(50, this, [&chosen, choose] {
                    if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
                        chosen = choose(popup);
                });
                QTest::mouseClick(split, Qt::LeftButton, {}, QPoint(split->width() - 3, split->height() / 2));
                QVERIFY2(chosen, qPrintable(where + QStringLiteral("（列表中没有该项）")));
            } else if (!qobject_cast<QComboBox *>(control)) {
                QTest::mouseClick(control, Qt::LeftButton);
            }
            if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
                QVERIFY2(choose(popup), qPrintable(where + QStringLiteral("（菜单中没有该项）")));
            if (mixed)
                QVERIFY2(playColourDialog(&window, value), qPrintable(where + QStringLiteral("（颜色对话框）")));
            // A button that draws: the shape drawn by a drag across the middle of the slide.
            if (auto *slideView = window.findChild<SlideView *>(QStringLiteral("slide")); slideView->drawingBox()) {
                const QPointF middle = slideView->slideRect().center();
                drag(slideView, (middle - QPointF(60, 40)).toPoint(), (middle + QPointF(60, 40)).toPoint());
            }
            implied = true;
            break;
        }
        case TaskStep::Kind::Drag: {
            const int before = step.arg.toInt();
            auto *slideView = window.findChild<SlideView *>(QStringLiteral("slide"));
            if (window.session().document().settings.value(QStringLiteral("视图")) == u"幻灯片浏览") {
                // Pressed on the current slide, moved, released at the place.
                const int count = int(window.session().document().slides.size());
                const QPoint from = slideView->sorterCell(window.session().current() - 1).center().toPoint();
                const QRectF cell = slideView->sorterCell(std::min(before, count) - 1);
                const QPoint to = before > count ? QPoint(int(cell.right()) - 4, int(cell.center().y()))
                                                 : QPoint(int(cell.left()) + 6, int(cell.center().y()));
                QTest::mousePress(slideView, Qt::LeftButton, {}, from);
                QTest::mouseMove(slideView, (from + to) / 2);
                QTest::mouseMove(slideView, to);
                QTest::mouseRelease(slideView, Qt::LeftButton, {}, to);
            } else if (auto *outline = window.findChild<OutlinePane *>(QStringLiteral("outlinePane")); outline->isVisible()) {
                // The slide's icon pressed, moved and let go over the slide it goes before.
                const int count = int(window.session().document().slides.size());
                const QPoint from = outline->slideIconRect(window.session().current()).center();
                const QRect at = outline->slideIconRect(std::min(before, count));
                const QPoint to = before > count ? QPoint(at.center().x(), outline->viewport()->height() - 3) : QPoint(at.center().x(), at.top() + 1);
                QTest::mousePress(outline->viewport(), Qt::LeftButton, {}, from);
                QMouseEvent move(QEvent::MouseMove, to, outline->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(outline->viewport(), &move);
                QTest::mouseRelease(outline->viewport(), Qt::LeftButton, {}, to);
            } else {
                // The list's own drag runs a loop of its own: the drop is what the editor sees.
                const int count = list->count();
                QListWidgetItem *item = list->item(std::min(before, count) - 1);
                list->scrollToItem(item);
                const QRect row = list->visualItemRect(item);
                window.dropSlides(before > count ? QPoint(row.center().x(), row.bottom() - 2) : QPoint(row.center().x(), row.top() + 2));
            }
            break;
        }
        case TaskStep::Kind::SelectText: {
            if (step.arg == u"outline") {
                // A click into the paragraph in the outline.
                auto *outline = window.findChild<OutlinePane *>(QStringLiteral("outlinePane"));
                QVERIFY2(outline->isVisible(), qPrintable(where));
                const QRect line = outline->textRect(window.session().current(), step.value);
                QVERIFY2(line.isValid(), qPrintable(where));
                QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, line.center());
                break;
            }
            // Dragged over with the mouse as a candidate would: here the
            // caret goes before the text and Shift with the arrows takes it.
            QWidget *editor = window.findChild<QWidget *>(step.arg);
            QVERIFY2(editor && editor->isVisible(), qPrintable(where));
            QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(6, 6));
            if (auto *body = qobject_cast<QTextEdit *>(editor)) {
                const int at = body->toPlainText().indexOf(step.value);
                QVERIFY2(at >= 0, qPrintable(where));
                QTextCursor cursor = body->textCursor();
                cursor.setPosition(at);
                body->setTextCursor(cursor);
            }
            for (qsizetype k = 0; k < step.value.size(); ++k)
                QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
            break;
        }
        case TaskStep::Kind::Context: {
            const bool onShape = !Shapes::kindOf(step.arg).isEmpty();
            const bool inSorter = step.arg == u"sorter";
            QWidget *target = step.arg == u"list" ? list->viewport()
                            : window.findChild<QWidget *>(step.arg == u"slide" || onShape || inSorter ? QStringLiteral("slide") : step.arg);
            QVERIFY2(target && target->isVisible(), qPrintable(where));
            // The context menu runs its own loop: its entry is clicked from inside it.
            const TaskStep *entry = i + 1 < path.steps.size() ? &path.steps.at(i + 1) : nullptr;
            QVERIFY2(entry && entry->kind == TaskStep::Kind::Command, qPrintable(where));
            // An entry of a submenu (组合 ▸, 叠放次序 ▸) is named by the
            // command and the value its field step sets, as a toolbar list's.
            QString value;
            for (int k = i + 2; k < path.steps.size() && path.steps.at(k).kind == TaskStep::Kind::Field; ++k)
                if (path.steps.at(k).arg != u"对象")
                    value = path.steps.at(k).value.trimmed();
            bool clicked = false, inSubmenu = false;
            QTimer::singleShot(50, this, [&clicked, &inSubmenu, id = entry->arg, hint = entry->hint, value] {
                auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                if (!popup)
                    return;
                // Of the entries giving the command, the one the step's words name (“删除列”).
                for (QAction *action : popup->actions()) {
                    const QString name = action->objectName();
                    const QString text = action->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|…$")));
                    if ((name == QStringLiteral("command:") + id || name.startsWith(QStringLiteral("entry:%1:").arg(id)))
                        && !text.isEmpty() && hint.contains(QStringLiteral("“%1”").arg(text))) {
                        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
                        clicked = true;
                        return;
                    }
                }
                for (QAction *action : popup->actions())
                    if (action->objectName() == QStringLiteral("command:") + id) {
                        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
                        clicked = true;
                        return;
                    }
                if (!value.isEmpty() && clickEntry(popup, QStringLiteral("entry:%1:%2").arg(id, value))) {
                    clicked = inSubmenu = true;
                    return;
                }
                popup->close();
            });
            // A right click lands on a scrolling editor's viewport.
            if (auto *area = qobject_cast<QAbstractScrollArea *>(target))
                target = area->viewport();
            const auto *view = qobject_cast<SlideView *>(target);
            // In the sorter: on the insertion bar, else on the slide chosen last.
            const QPoint at = step.arg == u"slide" ? QPoint(8, 8)
                            : onShape ? view->shapeGrip(step.arg)
                            : inSorter ? (view->insertionBar() > 0 ? view->gapRect(view->insertionBar())
                                                                   : view->sorterCell(window.session().current() - 1)).center().toPoint()
                                      : target->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
            QApplication::sendEvent(target, &event);
            QVERIFY2(clicked, qPrintable(where + QStringLiteral("（右键菜单中没有该命令）")));
            ++i;   // the entry was the next step
            implied = inSubmenu;   // the submenu's entry ran the command with its value
            break;
        }
        case TaskStep::Kind::Command: {
            auto *action = window.findChild<QAction *>(QStringLiteral("command:") + step.arg);
            QVERIFY2(action && action->isEnabled(), qPrintable(where));
            auto *menu = before && before->kind == TaskStep::Kind::Menu
                             ? window.findChild<QMenu *>(QStringLiteral("menu:") + before->arg) : nullptr;
            QWidget *button = nullptr;
            if (path.name == u"工具栏" && !(before && before->kind == TaskStep::Kind::Menu))
                for (QToolBar *bar : window.findChildren<QToolBar *>())
                    if (QWidget *w = bar->isVisible() ? bar->widgetForAction(action) : nullptr)
                        button = w;
            if (path.name == u"视图按钮" && !(before && before->kind == TaskStep::Kind::Menu)) {
                button = window.findChild<QWidget *>(QStringLiteral("viewButton:") + step.arg);
                QVERIFY2(button && button->isVisible(), qPrintable(where + QStringLiteral("（没有该视图按钮）")));
            }
            auto *pane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
            const QRect paneEntry = path.name == u"任务窗格" && !menu && pane->isVisible()
                                        ? pane->entryRect(TaskPane::entryFor(step.arg)) : QRect();
            // An entry of a list the menu holds (the files used last, the open
            // windows) is named by the command and the value its field step sets.
            QAction *listed = nullptr;
            if (menu && menu->isVisible() && i + 1 < path.steps.size() && path.steps.at(i + 1).kind == TaskStep::Kind::Field)
                for (QAction *entry : menu->actions())
                    if (entry->objectName() == QStringLiteral("entry:%1:%2").arg(step.arg, path.steps.at(i + 1).value.trimmed()))
                        listed = entry;
            if (listed) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(listed).center());
                implied = true;
            } else if (menu && menu->isVisible() && menu->actions().contains(action)) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            } else if (!paneEntry.isEmpty()) {
                QTest::mouseClick(pane, Qt::LeftButton, {}, paneEntry.center());   // the task pane's entry
            } else if (button) {
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                if (menu)
                    menu->close();
                action->trigger();
            }
            show = window.slideShow() && window.slideShow()->isVisible() ? window.slideShow() : nullptr;
            break;
        }
        case TaskStep::Kind::Field: {
            if (!dialogOpen && !paneCommandAt(path.steps, i).isEmpty()) {
                QVERIFY2(playPaneField(window, step), qPrintable(where + QStringLiteral("（任务窗格）")));
                break;
            }
            QVERIFY2(window.openDialog(), qPrintable(where));
            QWidget *control = window.openDialog()->revealField(step.arg);
            if (auto *button = control ? nullptr : qobject_cast<QPushButton *>(window.openDialog()->acceptButton(step.value))) {
                button->click();   // 全部应用, 应用: the button closes the dialog, its 确定 step is done
                implied = true;
                break;
            }
            QVERIFY2(control, qPrintable(where));
            if (auto *box = qobject_cast<QComboBox *>(control);
                box && box->findText(step.value.trimmed()) < 0 && box->findText(QStringLiteral("其他颜色…")) >= 0) {
                // A colour the box does not list: its 其他颜色…, and the 颜色 dialog.
                box->setCurrentIndex(box->findText(QStringLiteral("其他颜色…")));
                QVERIFY2(playColourDialog(&window, step.value.trimmed()), qPrintable(where + QStringLiteral("（颜色对话框）")));
                break;
            }
            setThroughControl(control, step.value);
            break;
        }
        case TaskStep::Kind::Ok:
            if (!dialogOpen && !paneCommandAt(path.steps, i).isEmpty())
                break;   // the pane's change was made at once
            QVERIFY2(window.openDialog(), qPrintable(where));
            window.openDialog()->okButton()->click();
            break;
        case TaskStep::Kind::Type: {
            if (auto *outline = window.findChild<OutlinePane *>(QStringLiteral("outlinePane"));
                outline->isVisible() && !step.value.contains(u'\n')) {
                // Typed in the outline over the current slide's title or the caret's paragraph.
                if (step.arg == u"title")
                    outline->placeCaret(window.session().current(), step.arg, 0);
                QTextCursor cursor = outline->textCursor();
                cursor.movePosition(QTextCursor::StartOfBlock);
                cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                outline->setTextCursor(cursor);
                outline->insertPlainText(step.value);   // as an input method commits it
                break;
            }
            if (!Shapes::kindOf(step.arg).isEmpty()) {
                // Typed on the keyboard with the text box or shape selected.
                auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
                QVERIFY2(view->selectedShapes().contains(step.arg), qPrintable(where));
                for (const QChar ch : step.value) {
                    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
                    QApplication::sendEvent(view, &press);
                }
                break;
            }
            QWidget *editor = window.findChild<QWidget *>(step.arg);
            QVERIFY2(editor && editor->isVisible(), qPrintable(where));
            if (auto *line = qobject_cast<QLineEdit *>(editor)) {   // the notes
                line->selectAll();
                line->insert(step.value);
            } else if (auto *body = qobject_cast<QTextEdit *>(editor)) {
                body->selectAll();
                body->insertPlainText(step.value);
            }
            break;
        }
        case TaskStep::Kind::Pane: {
            // The title of the pane shown drops its switcher down.
            auto *pane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
            QVERIFY2(pane && pane->isVisible(), qPrintable(where));
            QTRY_VERIFY2(!pane->entryRect(QStringLiteral("switch")).isEmpty(), qPrintable(where));   // painted
            if (step.arg == u"关闭") {   // the pane's ×
                QTest::mouseClick(pane, Qt::LeftButton, {}, pane->entryRect(QStringLiteral("close")).center());
                break;
            }
            QTest::mouseClick(pane, Qt::LeftButton, {}, pane->entryRect(QStringLiteral("switch")).center());
            QMenu *switcher = pane->switcher();
            QVERIFY2(switcher && QTest::qWaitFor([switcher] { return switcher->isVisible(); }, 2000), qPrintable(where));
            QVERIFY2(clickEntry(switcher, QStringLiteral("pane:") + step.arg), qPrintable(where));
            break;
        }
        case TaskStep::Kind::Shape:
        case TaskStep::Kind::Move:
        case TaskStep::Kind::Resize:
        case TaskStep::Kind::DrawBox:
        case TaskStep::Kind::Rotate:
            QVERIFY2(shapeGesture(window, step), qPrintable(where));
            break;
        case TaskStep::Kind::Dock:
            QVERIFY2(dockToolbar(window, step.arg, step.value), qPrintable(where));
            break;
        case TaskStep::Kind::Show: {
            QVERIFY2(show, qPrintable(where));
            testNow += 3200;  // a rehearsal's slide stays about 3 seconds
            const QString g = gestureFor(step);
            QVERIFY2(gesture(show, g), qPrintable(where));
            break;
        }
        }
        // A show started by a key or the toolbar is played on as one from the menu.
        if (window.slideShow() && window.slideShow()->isVisible())
            show = window.slideShow();
        if (guided)
            QTRY_VERIFY2_WITH_TIMEOUT(window.guideStep() > i, qPrintable(where), 1000);
    }
    QApplication::processEvents();
    if (mistake)
        QVERIFY2(!task.isMet(window.session().document()), qPrintable(th + QStringLiteral(" 错误“") + path.name + QStringLiteral("”被判为正确")));
    else
        QVERIFY2(met, qPrintable(th + QStringLiteral("：") + task.unmetChecks(window.session().document()).join(u'；')));
    if (window.openDialog())
        window.openDialog()->close();
}

void TestSimulatorUi::taskPaneEntries_data()
{
    QTest::addColumn<QString>("pane");       // the pane shown first ("" the new-presentation pane)
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("command");    // what the entry does, as its dialog would
    QTest::addColumn<QString>("fields");     // "name=value;…"; "dialog" when it opens the dialog instead
    QTest::newRow("blank presentation") << "" << "link:空白演示文稿" << "新建" << "模板=空白演示文稿";
    QTest::newRow("recent file") << "" << "link:产品介绍.dps" << "打开" << "文件名=产品介绍.dps";
    QTest::newRow("from a design template") << "" << "link:根据设计模板" << "新建" << "dialog";
    QTest::newRow("from an existing presentation") << "" << "link:根据现有演示文稿" << "新建" << "dialog";
    QTest::newRow("a layout") << "幻灯片版式" << "layout:标题和文本" << "幻灯片版式" << "版式=标题和文本";
    QTest::newRow("paste all") << "剪贴板" << "link:全部粘贴" << "粘贴" << "";
    QTest::newRow("close") << "" << "close" << "任务窗格" << "任务窗格=关闭";
}

// The task pane's entries work: each does what its command would, and the
// guide hears it as that command.
void TestSimulatorUi::taskPaneEntries()
{
    QFETCH(QString, pane);
    QFETCH(QString, entry);
    QFETCH(QString, command);
    QFETCH(QString, fields);
    QString start = QStringLiteral("goal: slide1.title = 不会满足\n");
    if (!pane.isEmpty())
        start += QStringLiteral("start: doc.任务窗格.任务窗格 = %1\n").arg(pane);
    const Task task = taskFrom(start);
    EditorWindow window(task);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *taskPane = window.findChild<QWidget *>(QStringLiteral("taskPane"));
    QVERIFY(taskPane);
    const QRect area = static_cast<TaskPane *>(taskPane)->entryRect(entry);
    QVERIFY2(!area.isEmpty(), qPrintable(entry));
    QTest::mouseClick(taskPane, Qt::LeftButton, {}, area.center());
    if (fields == u"dialog") {
        QTRY_VERIFY(window.openDialog());
        QCOMPARE(window.openDialog()->objectName(), QStringLiteral("dialog:") + command);
        window.openDialog()->close();
        return;
    }
    QMap<QString, QString> values;
    for (const QString &pair : fields.split(u';', Qt::SkipEmptyParts))
        values.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    Session expected(task.startDocument());
    expected.run(command, values, QStringLiteral("任务窗格"));
    QVERIFY(window.session().document() == expected.document());
    QVERIFY(!(window.session().document() == task.startDocument()));
}

namespace {

bool chinese(const QString &text);

// An entry picked from a drop-down, as the candidate picks it.
bool pickFrom(QComboBox *box, const QString &text)
{
    const int index = box ? box->findText(text) : -1;
    if (index < 0 || !box->isVisible() || !box->isEnabled())
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    return true;
}

// A click on a row of a list.
bool clickRow(QListWidget *list, const QString &text, bool startsWith = false)
{
    for (int i = 0; list && i < list->count(); ++i) {
        if (startsWith ? list->item(i)->text().startsWith(text) : list->item(i)->text() == text) {
            list->scrollToItem(list->item(i));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
            return true;
        }
    }
    return false;
}

// One gesture in the task pane: "switch <pane>" (the title's drop-down),
// "design <template>", "effect <transition>", "box <name> <value>",
// "button <text>", "add <category> <effect>", "change <category> <effect>",
// "row <n>" (a row of the effects list), "seconds <n>" (beside 每隔), "tick <name>"
// (a check box); the editor's own gestures otherwise.
bool paneGesture(EditorWindow &window, const QString &what)
{
    auto *pane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
    const QStringList words = what.split(u' ');
    const QString word = words.at(0);
    if (word == u"switch") {
        QTest::mouseClick(pane, Qt::LeftButton, {}, pane->entryRect(QStringLiteral("switch")).center());
        QMenu *menu = pane->switcher();
        if (!menu || !QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return false;
        QAction *entry = menu->findChild<QAction *>(QStringLiteral("pane:") + words.value(1));
        if (!entry)
            return false;
        menu->close();
        entry->trigger();
    } else if (word == u"design") {
        const QString entry = QStringLiteral("design:") + words.value(1);
        if (!QTest::qWaitFor([pane, entry] { return !pane->entryRect(entry).isEmpty(); }))   // painted
            return false;
        const QRect area = pane->entryRect(entry);
        QTest::mouseClick(pane, Qt::LeftButton, {}, area.center());
    } else if (word == u"effect") {
        return clickRow(pane->findChild<QListWidget *>(QStringLiteral("pane:切换效果")), words.value(1));
    } else if (word == u"box") {
        return pickFrom(pane->findChild<QComboBox *>(QStringLiteral("pane:") + words.value(1)), words.value(2));
    } else if (word == u"button") {
        auto *button = pane->findChild<QPushButton *>(QStringLiteral("pane:") + words.value(1));
        if (!button || !button->isVisible() || !button->isEnabled())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (word == u"add" || word == u"change") {
        auto *button = pane->findChild<QToolButton *>(QStringLiteral("pane:") + (word == u"add" ? QStringLiteral("添加效果") : QStringLiteral("更改")));
        if (!button || !button->isEnabled())
            return false;
        QAction *entry = button->menu()->findChild<QAction *>(QStringLiteral("effect:%1:%2").arg(words.value(1), words.value(2)));
        if (!entry)
            return false;
        entry->trigger();
    } else if (word == u"seconds") {   // typed beside 每隔
        auto *seconds = pane->findChild<QLineEdit *>(QStringLiteral("pane:秒数"));
        if (!seconds || !seconds->isVisible())
            return false;
        QTest::keyClicks(seconds, words.value(1));
    } else if (word == u"tick") {
        auto *box = pane->findChild<QCheckBox *>(QStringLiteral("pane:") + words.value(1));
        if (!box || !box->isVisible())
            return false;
        QTest::mouseClick(box, Qt::LeftButton);
    } else if (word == u"row") {
        return clickRow(pane->animationPane() ? pane->animationPane()->list() : nullptr, words.value(1) + u' ', true);
    } else if (word == u"arrow") {
        auto *button = pane->findChild<QToolButton *>(QStringLiteral("pane:") + words.value(1));
        if (!button || !button->isVisible() || !button->isEnabled())
            return false;
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (word == u"entry") {
        const QString entry = words.value(1);
        if (!QTest::qWaitFor([pane, entry] { return !pane->entryRect(entry).isEmpty(); }))   // painted
            return false;
        QTest::mouseClick(pane, Qt::LeftButton, {}, pane->entryRect(entry).center());
    } else if (word == u"pick") {
        QMenu *menu = pane->openMenu();
        return menu && QTest::qWaitFor([menu] { return menu->isVisible(); }) && clickEntry(menu, words.value(1));
    } else {
        return editorGesture(window, what);
    }
    return true;
}

} // namespace

void TestSimulatorUi::taskPanesOfControls_data()
{
    QTest::addColumn<QString>("pane");          // shown first ("" the new-presentation pane)
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QStringList>("script");    // the same through the commands' dialogs (sessionscript.h)
    QTest::addColumn<QStringList>("listed");    // the effects the animation pane lists at the end
    QTest::newRow("switched to the design pane") << "" << QStringList{"switch 幻灯片设计", "design 蓝色经典"}
        << QStringList{"run 幻灯片设计 设计模板=蓝色经典 应用范围=全部应用"} << QStringList{};
    QTest::newRow("transition of the selected slide") << "幻灯片切换"
        << QStringList{"select 2", "effect 溶解", "box 速度 慢速", "box 声音 鼓掌"}
        << QStringList{"select 2", "run 幻灯片切换 效果=溶解", "run 幻灯片切换 速度=慢速", "run 幻灯片切换 声音=鼓掌"} << QStringList{};
    QTest::newRow("transition on all slides") << "幻灯片切换" << QStringList{"select 3", "effect 随机", "button 应用于所有幻灯片"}
        << QStringList{"select 3", "run 幻灯片切换 效果=随机 应用范围=全部应用"} << QStringList{};
    QTest::newRow("a time unticked is kept no more") << "幻灯片切换" << QStringList{"select 2", "seconds 5", "effect 溶解", "tick 每隔"}
        << QStringList{"select 2", "run 幻灯片切换 效果=溶解"} << QStringList{};
    QTest::newRow("effects added in order") << "自定义动画"
        << QStringList{"select 2", "click title", "add 进入 飞入", "click body", "add 强调 陀螺旋", "box 开始 之后"}
        << QStringList{"select 2", "run 自定义动画 对象=标题 类别=进入 效果=飞入", "run 自定义动画 对象=正文 类别=强调 效果=陀螺旋",
                       "run 自定义动画 对象=正文 开始=之后"}
        << QStringList{"1 标题：飞入", "2 正文：陀螺旋"};
    QTest::newRow("effect changed, another removed") << "自定义动画"
        << QStringList{"select 2", "click title", "add 进入 飞入", "box 速度 快速", "click body", "add 进入 渐变", "row 1",
                       "change 退出 飞出", "row 2", "button 删除"}
        << QStringList{"select 2", "run 自定义动画 对象=标题 类别=进入 效果=飞入", "run 自定义动画 对象=标题 速度=快速",
                       "run 自定义动画 对象=正文 类别=进入 效果=渐变", "run 自定义动画 对象=标题 类别=退出 效果=飞出 操作=更改",
                       "run 自定义动画 对象=正文 操作=删除"}
        << QStringList{"1 标题：飞出"};
    QTest::newRow("effects in the order added, one moved earlier") << "自定义动画"
        << QStringList{"select 2", "click body", "add 进入 飞入", "click title", "add 进入 渐变", "row 2", "arrow 向前移动"}
        << QStringList{"select 2", "run 自定义动画 对象=正文 类别=进入 效果=飞入", "run 自定义动画 对象=标题 类别=进入 效果=渐变",
                       "run 自定义动画 对象=标题 重新排序=向前移动"}
        << QStringList{"1 标题：渐变", "2 正文：飞入"};
}

// The panes of controls change the slides exactly as the commands' dialogs
// would, so a task solved in a pane is credited alike; the animation pane
// lists the slide's effects in order, and every control there has a name.
void TestSimulatorUi::taskPanesOfControls()
{
    QFETCH(QString, pane);
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, script);
    QFETCH(QStringList, listed);
    QString start = QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n");
    if (!pane.isEmpty())
        start += QStringLiteral("start: doc.任务窗格.任务窗格 = %1\n").arg(pane);
    const Task task = taskFrom(start);
    EditorWindow window(task);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString &gesture : gestures)
        QVERIFY2(paneGesture(window, gesture), qPrintable(gesture));
    Session expected(task.startDocument());
    QCOMPARE(playScript(expected, script), QString());
    QVERIFY(window.session().document().slides == expected.document().slides);
    auto *taskPane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
    if (!listed.isEmpty())
        QCOMPARE(taskPane->animationPane()->listed(), listed);
    for (QWidget *control : taskPane->findChildren<QWidget *>()) {
        const bool reached = qobject_cast<QAbstractButton *>(control) || qobject_cast<QComboBox *>(control)
                          || qobject_cast<QListWidget *>(control);
        if (reached && control->isVisible()) {
            const QString name = control->accessibleName().isEmpty() ? QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name)
                                                                     : control->accessibleName();
            QVERIFY2(chinese(name), qPrintable(control->objectName()));
        }
    }
}

void TestSimulatorUi::menusShowTheirPanes_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("gestures");   // in the pane then (see paneGesture)
    QTest::addColumn<QStringList>("checks");     // the document afterwards
    QTest::addColumn<QStringList>("listed");     // the effects the animation pane lists at the end
    QTest::newRow("a layout for the selected slides") << "格式" << "幻灯片版式"
        << QStringList{"select 2", "entry layout:标题和表格"}
        << QStringList{"slide2.layout = 标题和表格", "slide3.layout = 标题和文本", "doc.方式.幻灯片版式 = 任务窗格"} << QStringList{};
    QTest::newRow("a template for the selected slide") << "格式" << "幻灯片设计"
        << QStringList{"select 3", "entry designmenu:古典", "pick 应用范围:应用"}
        << QStringList{"slide3.设计模板 = 古典", "slide2.设计模板 = "} << QStringList{};
    QTest::newRow("a transition on every slide") << "幻灯片放映" << "幻灯片切换"
        << QStringList{"select 2", "effect 溶解", "box 速度 慢速", "button 应用于所有幻灯片"}
        << QStringList{"slide1.切换.效果 = 溶解", "slide4.切换.效果 = 溶解", "slide6.切换.效果 = 溶解", "slide6.切换.速度 = 慢速"}
        << QStringList{};
    QTest::newRow("two effects added, the first removed") << "幻灯片放映" << "自定义动画"
        << QStringList{"select 2", "click title", "add 进入 飞入", "click body", "add 退出 百叶窗", "row 1", "button 删除"}
        << QStringList{"slide2.动画.正文.类别 = 退出", "slide2.动画.标题.列表 = "} << QStringList{"1 正文：百叶窗"};
}

// The menu entries of the commands with a task pane show the pane, not a
// dialog, and the pane's controls change the slides at once.
void TestSimulatorUi::menusShowTheirPanes()
{
    QFETCH(QString, menu);
    QFETCH(QString, command);
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, checks);
    QFETCH(QStringList, listed);
    QString source = QStringLiteral("start: slides = 6\nstart: doc.任务窗格.任务窗格 = 新建演示文稿\n");
    for (const QString &check : checks)
        source += QStringLiteral("goal: ") + check + u'\n';
    const Task task = taskFrom(source);
    EditorWindow window(task);
    QVERIFY(showActive(window));
    auto *pane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
    auto *titles = window.findChild<QMenu *>(QStringLiteral("menu:") + menu);
    QVERIFY(pane && titles);
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(titles->menuAction()).center());
    QTRY_VERIFY(titles->isVisible());
    QVERIFY(clickEntry(titles, QStringLiteral("command:") + command));
    QTRY_COMPARE(window.session().document().settings.value(QStringLiteral("任务窗格.任务窗格")), command);
    QVERIFY(!window.openDialog());
    QTRY_COMPARE(pane->entryRect(QStringLiteral("switch")).isEmpty(), false);
    QCOMPARE(window.session().document().settings.value(QStringLiteral("方式.") + command), QStringLiteral("菜单"));
    QVERIFY(!window.session().canUndo());   // a pane shown changes no presentation
    for (const QString &gesture : gestures)
        QVERIFY2(paneGesture(window, gesture), qPrintable(gesture));
    QVERIFY2(task.isMet(window.session().document()), qPrintable(task.unmetChecks(window.session().document()).join(u'；')));
    if (!listed.isEmpty())
        QCOMPARE(pane->animationPane()->listed(), listed);
}

void TestSimulatorUi::caretEditsTheText_data()
{
    // Gestures: the editor's, "caret <n>" (the caret moved in the placeholder
    // clicked), "symbol <s>" (插入 → 符号 with that symbol, 确定).
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QStringList>("checks");
    QTest::newRow("symbol into the title") << QStringList{"select 2", "click title", "caret 2", "symbol ★"}
        << QStringList{"slide2.title = 公司★概况"};
    QTest::newRow("symbol into the body") << QStringList{"select 2", "click body", "caret 0", "symbol ®"}
        << QStringList{"slide2.body = ®成立于1998年\n员工三百余人\n业务遍及全国"};
    QTest::newRow("Tab demotes") << QStringList{"select 2", "click body", "caret 9", "key Tab"}
        << QStringList{"slide2.正文.段落2.级别 = 2", "slide2.大纲.内容 = 员工三百余人", "slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国"};
    QTest::newRow("Shift+Tab promotes") << QStringList{"select 2", "click body", "caret 9", "key Tab", "key Tab", "key Shift+Tab"}
        << QStringList{"slide2.正文.段落2.级别 = 2"};
    QTest::newRow("Tab inside a paragraph is typed") << QStringList{"select 2", "click body", "caret 10", "key Tab"}
        << QStringList{"slide2.正文.段落2.级别 = ", "slide2.body = 成立于1998年\n员\t工三百余人\n业务遍及全国"};
}

// 符号 inserts at the caret of the placeholder being edited; Tab at the
// start of a body paragraph demotes it and Shift+Tab promotes it, and the
// slide shows the level as an indent.
void TestSimulatorUi::caretEditsTheText()
{
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
    auto *body = window.findChild<QTextEdit *>(QStringLiteral("body"));
    for (const QString &gesture : gestures) {
        const QString word = gesture.section(u' ', 0, 0);
        const QString rest = gesture.section(u' ', 1);
        if (word == u"caret") {
            if (title->hasFocus()) {
                title->setCursorPosition(rest.toInt());
            } else {
                QVERIFY(body->hasFocus());
                QTextCursor cursor = body->textCursor();
                cursor.setPosition(rest.toInt());
                body->setTextCursor(cursor);
            }
        } else if (word == u"symbol") {
            window.trigger(QStringLiteral("符号"));
            QVERIFY(window.openDialog());
            setThroughControl(window.openDialog()->fieldBox(QStringLiteral("符号")), rest);
            window.openDialog()->okButton()->click();
            QTRY_VERIFY(!window.openDialog());
        } else {
            QVERIFY2(editorGesture(window, gesture), qPrintable(gesture));
        }
    }
    for (const QString &check : checks)
        QCOMPARE(window.session().document().value(check.section(QStringLiteral(" = "), 0, 0)), check.section(QStringLiteral(" = "), 1));
    QCOMPARE(title->text(), window.session().document().value(QStringLiteral("slide2.title")));
    QCOMPARE(body->toPlainText(), window.session().document().value(QStringLiteral("slide2.body")));
    const int level = window.session().document().value(QStringLiteral("slide2.正文.段落2.级别")).toInt();
    QCOMPARE(body->document()->findBlockByNumber(1).blockFormat().indent(), std::max(0, level - 1));
}

// The same words standing twice in the body, selected at their second
// place and made bold with Ctrl+B: that place alone is bold, in the document
// and on screen, and stays so when text is typed before it.
void TestSimulatorUi::sameWordsFormattedAtTheirPlace()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    QVERIFY(editorGesture(window, QStringLiteral("select 2")));
    QVERIFY(editorGesture(window, QStringLiteral("click body")));
    auto *body = window.findChild<QTextEdit *>(QStringLiteral("body"));
    QTextCursor cursor = body->textCursor();
    cursor.setPosition(0);
    cursor.insertText(QStringLiteral("员工"));
    body->setTextCursor(cursor);
    const QString text = body->toPlainText();
    const int second = int(text.indexOf(QStringLiteral("员工"), 1));
    QCOMPARE(second, 11);
    cursor.setPosition(second);
    cursor.setPosition(second + 2, QTextCursor::KeepAnchor);
    body->setTextCursor(cursor);
    QVERIFY(editorGesture(window, QStringLiteral("key Ctrl+B")));
    const Document &document = window.session().document();
    QCOMPARE(document.value(QStringLiteral("slide2.正文「员工〔2〕」.字形")), QStringLiteral("加粗"));
    QCOMPARE(document.value(QStringLiteral("slide2.正文「员工」.字形")), QString());
    const auto boldAt = [body](int position) {
        QTextCursor at(body->document());
        at.setPosition(position);
        return at.charFormat().fontWeight() == QFont::Bold;
    };
    QTRY_VERIFY(boldAt(second + 1));
    QVERIFY(!boldAt(1));

    cursor.setPosition(0);
    body->setTextCursor(cursor);
    QTest::keyClicks(body, QStringLiteral("x"));
    QCOMPARE(window.session().document().value(QStringLiteral("slide2.正文「员工〔2〕」.字形")), QStringLiteral("加粗"));
    QTRY_VERIFY(boldAt(second + 2));
    QVERIFY(!boldAt(2));
}

void TestSimulatorUi::slideListSelects_data()
{
    QTest::addColumn<QString>("clicks");  // slide numbers; "+" holds Shift, "^" Ctrl
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("goal");
    QTest::newRow("the slide already current") << "1" << "1" << "1";
    QTest::newRow("another slide") << "3" << "3" << "3";
    QTest::newRow("Shift extends") << "1 +3" << "1-3" << "1-3";
    QTest::newRow("Ctrl adds") << "2 ^4" << "2,4" << "2,4";
    QTest::newRow("one slide short") << "1 +2" << "1-2" << "1-3";
}

// Clicks in the slide list select as the editor's list does, the guide
// takes the selection as its step, and a selection the task asks for
// completes it.
void TestSimulatorUi::slideListSelects()
{
    QFETCH(QString, clicks);
    QFETCH(QString, selected);
    QFETCH(QString, goal);
    EditorWindow window(taskFrom(QStringLiteral("goal: doc.选中 = %1\nstep: select %1 | 选中幻灯片\n").arg(goal)));
    window.setGuideEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QVERIFY(list);
    QList<bool> verdicts;
    connect(&window, &EditorWindow::documentChanged, this, [&verdicts](bool met) { verdicts << met; });
    for (const QString &click : clicks.split(u' ')) {
        const Qt::KeyboardModifiers keys = click.startsWith(u'+') ? Qt::ShiftModifier
                                         : click.startsWith(u'^') ? Qt::ControlModifier : Qt::NoModifier;
        QListWidgetItem *item = list->item(click.right(1).toInt() - 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualItemRect(item).center());
    }
    QCOMPARE(window.session().document().value(QStringLiteral("doc.选中")), selected);
    QCOMPARE(window.session().current(), clicks.right(1).toInt());
    QVERIFY(!verdicts.isEmpty());
    QCOMPARE(verdicts.last(), selected == goal);
}

void TestSimulatorUi::slideAttributesArePainted_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("background colour") << "start: slide2.背景.填充 = 红色\n" << QColor(220, 0, 0);
    QTest::newRow("design template") << "start: slide2.设计模板 = 商务\n" << QColor(20, 40, 90);
    QTest::newRow("fill over template") << "start: slide2.设计模板 = 商务\nstart: slide2.背景.填充 = 浅绿色\n"
                                        << QColor(200, 240, 200);
    QTest::newRow("scheme background") << "start: slide2.配色项目 = 背景\nstart: slide2.颜色 = 深蓝色\n"
                                       << QColor(0, 0, 128);
}

// A slide's background shows on the slide under edit and on its thumbnail.
void TestSimulatorUi::slideAttributesArePainted()
{
    QFETCH(QString, start);
    QFETCH(QColor, colour);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\n") + start));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QVERIFY(list);
    list->setCurrentRow(1);
    QCOMPARE(window.session().current(), 2);

    auto *slide = window.findChild<QWidget *>(QStringLiteral("slide"));
    QVERIFY(slide);
    const QImage shown = slide->grab().toImage();
    // Inside the slide, clear of its placeholders: just above the bottom-left corner.
    const QRect area = slide->rect().adjusted(20, 20, -20, -20);
    QPoint corner;
    for (int y = area.bottom(); y > area.top() && corner.isNull(); --y)
        if (shown.pixelColor(slide->width() / 2, y) != shown.pixelColor(2, 2))
            corner = QPoint(slide->width() / 2, y - 6);
    QVERIFY(!corner.isNull());
    QCOMPARE(shown.pixelColor(corner).rgb(), colour.rgb());

    const QImage thumbnails = list->viewport()->grab().toImage();
    const QRect second = list->visualItemRect(list->item(1));
    QCOMPARE(thumbnails.pixelColor(second.center().x(), second.bottom() - 12).rgb(), colour.rgb());
    // The first slide keeps the plain look.
    const QRect first = list->visualItemRect(list->item(0));
    QCOMPARE(thumbnails.pixelColor(first.center().x(), first.bottom() - 12).rgb(), QColor(Qt::white).rgb());
}

void TestSimulatorUi::showActionsReachTheDocument_data()
{
    QTest::addColumn<QString>("start");       // "" from the first slide, "3" from slide 3 (Shift+F5)
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QStringList>("checks");
    QTest::addColumn<int>("shownSlide");       // 0: the show is over
    QTest::addColumn<bool>("ink");
    QTest::newRow("forward keys, F5 quiet") << "" << QStringList{"key Space", "key Right", "key Down", "key F5", "key PageDown", "key Return"}
        << QStringList{"doc.放映 = 第一张", "doc.放映状态 = 放映中", "doc.放映控制.操作 = "} << 6 << false;
    QTest::newRow("back, then on: going back stays done") << "3" << QStringList{"key Left", "key Right", "click"}
        << QStringList{"doc.放映控制.操作 = 上一张"} << 4 << false;
    QTest::newRow("click and back keys") << "3" << QStringList{"click", "key Left", "key Up", "key PageUp", "key Backspace"}
        << QStringList{"doc.放映 = 当前幻灯片", "doc.放映控制.操作 = 上一张"} << 1 << false;
    QTest::newRow("menu next and previous") << "" << QStringList{"menu 下一张", "menu 下一张", "menu 上一张"}
        << QStringList{"doc.放映控制.操作 = 上一张"} << 2 << false;
    QTest::newRow("go to a slide") << "" << QStringList{"menu 定位 4"} << QStringList{"doc.放映控制.定位 = 第4张"} << 4 << false;
    QTest::newRow("highlighter in yellow") << "" << QStringList{"menu 荧光笔", "menu 墨迹颜色 黄色"}
        << QStringList{"doc.放映控制 = 1", "doc.放映控制.指针选项 = 荧光笔", "doc.放映控制.墨迹颜色 = 黄色"} << 1 << false;
    QTest::newRow("arrow hidden for ever") << "" << QStringList{"menu 永远隐藏"} << QStringList{"doc.放映控制.指针选项 = 永远隐藏"} << 1 << false;
    QTest::newRow("black screen, a click brings the slide back") << "" << QStringList{"menu 黑屏", "click"}
        << QStringList{"doc.放映控制.屏幕 = 黑屏", "doc.放映控制.操作 = "} << 1 << false;
    QTest::newRow("white screen") << "" << QStringList{"menu 白屏"} << QStringList{"doc.放映控制.屏幕 = 白屏"} << 1 << false;
    QTest::newRow("help, closed by a key") << "" << QStringList{"menu 帮助", "key Space"} << QStringList{"doc.放映控制.操作 = 帮助"} << 1 << false;
    QTest::newRow("Esc ends") << "" << QStringList{"key Right", "key Escape"} << QStringList{"doc.放映状态 = 已结束"} << 0 << false;
    QTest::newRow("menu ends") << "" << QStringList{"menu 结束"} << QStringList{"doc.放映状态 = 已结束"} << 0 << false;
    QTest::newRow("past the last slide, a click ends") << "" << QStringList{"menu 定位 6", "click", "click"}
        << QStringList{"doc.放映状态 = 已结束"} << 0 << false;
    QTest::newRow("the pen draws, no click advances") << "" << QStringList{"menu 绘图笔", "drag", "click"}
        << QStringList{"doc.放映控制.指针选项 = 绘图笔", "doc.放映状态 = 放映中"} << 1 << true;
    QTest::newRow("ink erased") << "" << QStringList{"menu 绘图笔", "drag", "menu 擦除墨迹"} << QStringList{"doc.放映控制.墨迹 = 擦除"} << 1 << false;
    QTest::newRow("ink kept") << "" << QStringList{"menu 绘图笔", "drag", "key Escape", "button keepInk"}
        << QStringList{"doc.放映控制.墨迹 = 保留", "doc.放映状态 = 已结束"} << 0 << true;
    QTest::newRow("ink discarded") << "" << QStringList{"menu 荧光笔", "drag", "menu 结束", "button discardInk"}
        << QStringList{"doc.放映控制.墨迹 = 放弃", "doc.放映状态 = 已结束"} << 0 << false;
}

// The show's keys, clicks and context-menu entries change the document as
// the 放映控制 and 结束放映 commands with the matching values do, and move
// through the slides as a show does.
void TestSimulatorUi::showActionsReachTheDocument()
{
    QFETCH(QString, start);
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, checks);
    QFETCH(int, shownSlide);
    QFETCH(bool, ink);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.slideShow(), nullptr);  // nothing of the show before it starts
    if (!start.isEmpty())
        window.findChild<QListWidget *>(QStringLiteral("slideList"))->setCurrentRow(start.toInt() - 1);
    SlideShow *show = startShow(window, !start.isEmpty());
    QVERIFY(show);
    QCOMPARE(show->geometry(), window.rect());
    QCOMPARE(show->slideIndex() + 1, start.isEmpty() ? 1 : start.toInt());
    QVERIFY(show->hint().isEmpty());  // the exam has no guide
    QCOMPARE(show->rehearsalBar(), nullptr);
    for (const QString &g : gestures)
        QVERIFY2(gesture(show, g), qPrintable(g));
    for (const QString &check : checks) {
        const QString path = check.section(QStringLiteral(" = "), 0, 0);
        QCOMPARE(path + QStringLiteral(" = ") + window.session().document().value(path), check);
    }
    QCOMPARE(show->isVisible() && !show->atEnd() ? show->slideIndex() + 1 : 0, shownSlide);
    QCOMPARE(show->hasInk(), ink);
}

void TestSimulatorUi::showRunsThroughTheSlidesSetUp_data()
{
    QTest::addColumn<QString>("setUp");       // start lines of the task
    QTest::addColumn<QList<int>>("shown");    // the slides the show passes, in order
    QTest::newRow("every slide but the hidden one") << "start: slide3.hidden = 1\n" << QList<int>{1, 2, 4, 5, 6};
    QTest::newRow("from 2 to 4, 3 hidden") << "start: doc.放映方式.放映幻灯片 = 从\nstart: doc.放映方式.从 = 2\n"
                                               "start: doc.放映方式.到 = 4\nstart: slide3.hidden = 1\n"
                                            << QList<int>{2, 4};
    QTest::newRow("a custom show") << "start: doc.自定义放映.名称 = 精简版\nstart: doc.自定义放映.幻灯片 = 第1、3、5张\n"
                                      "start: doc.放映方式.放映幻灯片 = 自定义放映\nstart: doc.放映方式.自定义放映 = 精简版\n"
                                   << QList<int>{1, 3, 5};
}

// The show from the first slide passes the slides 设置放映方式 names, and
// ends after the last of them.
void TestSimulatorUi::showRunsThroughTheSlidesSetUp()
{
    QFETCH(QString, setUp);
    QFETCH(QList<int>, shown);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n") + setUp));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SlideShow *show = startShow(window, false);
    QVERIFY(show);
    QList<int> passed;
    for (int i = 0; i < 8 && !show->atEnd(); ++i) {
        passed << show->slideIndex() + 1;
        QVERIFY(gesture(show, QStringLiteral("key Right")));
    }
    QCOMPARE(passed, shown);
}

void TestSimulatorUi::guideLeadsThroughTheShow_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("start and end") << "使用F5键放映演示文稿，然后按Esc键结束放映。";
    QTest::newRow("from the current slide") << "从第3张幻灯片开始放映演示文稿。";
    QTest::newRow("highlighter") << "在幻灯片放映过程中，将指针选项设置为“荧光笔”，颜色为黄色。";
    QTest::newRow("ink kept") << "在幻灯片放映过程中，使用绘图笔在当前幻灯片上画一条线，结束放映时保留墨迹注释。";
    QTest::newRow("back one slide") << "在幻灯片放映过程中，切换到上一张幻灯片。";
    QTest::newRow("go to a slide") << "在幻灯片放映过程中，定位到第4张幻灯片。";
    QTest::newRow("rehearsal") << "为演示文稿排练计时，每张幻灯片停留约3秒，并保留排练时间。";
}

// In practice the guide leads through a show task: each step's hint is on
// the show's strip before the candidate takes it, and the path completes the task.
void TestSimulatorUi::guideLeadsThroughTheShow()
{
    QFETCH(QString, text);
    const Task task = deriveTask(QStringLiteral("999"), text);
    EditorWindow window(task);
    window.setGuideEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QList<bool> verdicts;
    connect(&window, &EditorWindow::documentChanged, this, [&verdicts](bool met) { verdicts << met; });
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    SlideShow *show = nullptr;
    bool shownAHint = false;
    for (const TaskStep &step : task.steps) {
        switch (step.kind) {
        case TaskStep::Kind::Select:
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(step.arg.toInt() - 1)).center());
            break;
        case TaskStep::Kind::Menu:
            break;  // F5 and Shift+F5 skip the menu
        case TaskStep::Kind::Command:
            QVERIFY2(step.arg == u"观看放映" || step.arg == u"从当前幻灯片开始" || step.arg == u"排练计时", qPrintable(step.arg));
            if (step.arg == u"排练计时") {
                window.trigger(step.arg);
                show = window.slideShow();
            } else {
                show = startShow(window, step.arg == u"从当前幻灯片开始");
            }
            QVERIFY(show);
            break;
        case TaskStep::Kind::Show: {
            QVERIFY(show);
            QTRY_VERIFY2(show->hint().endsWith(step.hint), qPrintable(show->hint() + QStringLiteral(" ≠ ") + step.hint));
            shownAHint = true;
            testNow += 3200;   // a rehearsal's slide stays about 3 seconds
            const QString g = gestureFor(step);
            QVERIFY2(gesture(show, g), qPrintable(g));
            break;
        }
        default:
            QFAIL(qPrintable(QStringLiteral("not a show path: ") + step.hint));
        }
    }
    QVERIFY(!verdicts.isEmpty());
    QVERIFY(verdicts.last());
    QVERIFY(task.steps.last().kind != TaskStep::Kind::Show || shownAHint);
}

// Both toolbar rows and the editor below them stay inside the part of the
// window the practice panel shows.
void TestSimulatorUi::toolbarsFitTheShownPart()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect shown(0, 0, 800, 600);
    for (const char *name : {"toolbar", "formatBar"}) {
        auto *bar = window.findChild<QToolBar *>(QString::fromUtf8(name));
        QVERIFY(bar);
        for (QAction *action : bar->actions()) {
            QWidget *control = bar->widgetForAction(action);
            if (action->isSeparator() || !control)
                continue;
            QVERIFY2(control->isVisible(), qPrintable(action->toolTip()));
            QVERIFY2(shown.contains(QRect(control->mapTo(&window, QPoint(0, 0)), control->size())), qPrintable(action->toolTip()));
        }
    }
    for (const char *name : {"taskStrip", "slide", "notesPane", "statusStrip"}) {
        auto *part = window.findChild<QWidget *>(QString::fromUtf8(name));
        QVERIFY2(shown.contains(QRect(part->mapTo(&window, QPoint(0, 0)), part->size())), name);
    }
    // The common toolbar shows pictures, its commands' names as tips.
    auto *common = window.findChild<QToolBar *>(QStringLiteral("toolbar"));
    for (QAction *action : common->actions())
        QVERIFY2(action->isSeparator() || qobject_cast<QComboBox *>(common->widgetForAction(action))   // the zoom box
                 || (!action->icon().isNull() && Commands::find(action->toolTip())), qPrintable(action->toolTip()));
}

void TestSimulatorUi::drawingToolbarMenus_data()
{
    QTest::addColumn<QString>("start");     // start lines of the task
    QTest::addColumn<QString>("button");    // the drawing toolbar's button, by its accessible name
    QTest::addColumn<QString>("entry");     // the entry of its menu (or a submenu's), by object name
    QTest::addColumn<QStringList>("checks");
    const QString shape = QStringLiteral("start: slide1.自选图形 = 1\n");
    QTest::newRow("bring to front") << shape << "绘图" << "entry:叠放次序:置于顶层"
        << QStringList{"slide1.自选图形.叠放次序 = 置于顶层", "doc.方式.叠放次序 = 工具栏"};
    QTest::newRow("ungroup") << shape << "绘图" << "entry:组合:取消组合" << QStringList{"slide1.自选图形.操作 = 取消组合"};
    QTest::newRow("align top") << shape << "绘图" << "entry:对齐或分布:顶端对齐" << QStringList{"slide1.自选图形.对齐 = 顶端对齐"};
    QTest::newRow("flip") << shape << "绘图" << "entry:旋转或翻转:水平翻转"
        << QStringList{"slide1.自选图形.翻转 = 水平翻转", "doc.方式.旋转或翻转 = 工具栏"};
    QTest::newRow("flipped back") << shape + "start: slide1.自选图形.翻转 = 水平翻转\n" << "绘图" << "entry:旋转或翻转:水平翻转"
        << QStringList{"slide1.自选图形.翻转 = "};
    QTest::newRow("smiley drawn") << "" << "自选图形" << "entry:自选图形:笑脸"
        << QStringList{"slide1.自选图形 = 1", "slide1.自选图形.形状 = 笑脸", "doc.方式.自选图形 = 工具栏", "slide1.自选图形.大小 = 2.54,2.54"};
    QTest::newRow("a quarter turn right") << shape + "start: slide1.自选图形.旋转 = 30度\n" << "绘图" << "entry:旋转或翻转:向右旋转90°"
        << QStringList{"slide1.自选图形.旋转 = 120度"};
    QTest::newRow("a quarter turn left") << shape << "绘图" << "entry:旋转或翻转:向左旋转90°" << QStringList{"slide1.自选图形.旋转 = 270度"};
    QTest::newRow("text box filled") << "start: slide1.文本框 = 1\n" << "填充颜色" << "entry:对象格式:浅黄色"
        << QStringList{"slide1.文本框.填充颜色 = 浅黄色", "doc.方式.对象格式 = 工具栏"};
    QTest::newRow("shape's line coloured") << shape << "线条颜色" << "entry:对象格式:蓝色" << QStringList{"slide1.自选图形.线条颜色 = 蓝色"};
    QTest::newRow("no line") << shape << "线条颜色" << "entry:对象格式:无" << QStringList{"slide1.自选图形.线条颜色 = 无"};
    QTest::newRow("font colour of the title") << "" << "字体颜色" << "entry:字体:红色" << QStringList{"slide1.标题.颜色 = 红色"};
    QTest::newRow("fill mixed in the colour dialog") << "start: slide1.文本框 = 1\n" << "填充颜色" << "entry:对象格式:"
        << QStringList{"slide1.文本框.填充颜色 = RGB(0,112,192)"};
    QTest::newRow("line of a standard colour") << shape << "线条颜色" << "entry:对象格式:" << QStringList{"slide1.自选图形.线条颜色 = 深红色"};
    QTest::newRow("line weight") << shape << "线型" << "entry:对象格式:3磅" << QStringList{"slide1.自选图形.线条粗细 = 3磅"};
    QTest::newRow("dashes") << shape << "虚线线型" << "entry:对象格式:虚线" << QStringList{"slide1.自选图形.线型 = 虚线"};
    QTest::newRow("arrowheads") << "start: slide1.自选图形 = 1\nstart: slide1.自选图形.形状 = 直线\n" << "箭头样式"
        << "entry:对象格式:双向箭头" << QStringList{"slide1.自选图形.箭头样式 = 双向箭头"};
    // Nothing drawn on the slide: the command's dialog asks for the object, the choice made.
    QTest::newRow("nothing to act on") << "" << "绘图" << "entry:叠放次序:置于底层" << QStringList{"dialog 叠放次序 = 置于底层"};
}

void TestSimulatorUi::objectToolbarsActOnTheSelection_data()
{
    QTest::addColumn<QString>("object");     // on slide 1 from the start, then clicked
    QTest::addColumn<QString>("toolbar");    // the bar its selection brings
    QTest::addColumn<QStringList>("presses"); // buttons by accessible name; "button>entry" picks from its list
    QTest::addColumn<QString>("check");      // "path = value" afterwards
    QTest::newRow("brighter twice") << "图片" << "图片" << QStringList{"增加亮度", "增加亮度"} << "slide1.图片.亮度 = 增加两次";
    QTest::newRow("brighter, then darker") << "图片" << "图片" << QStringList{"增加亮度", "降低亮度"} << "slide1.图片.亮度 = 不变";
    QTest::newRow("less contrast") << "图片" << "图片" << QStringList{"降低对比度"} << "slide1.图片.对比度 = 降低一次";
    QTest::newRow("grey from the list") << "图片" << "图片" << QStringList{"颜色>entry:对象格式:灰度"} << "slide1.图片.图片颜色 = 灰度";
    QTest::newRow("picture reset") << "图片" << "图片" << QStringList{"颜色>entry:对象格式:冲蚀", "重设图片"} << "slide1.图片.图片颜色 = ";
    QTest::newRow("picture turned left") << "图片" << "图片" << QStringList{"向左旋转90°"} << "slide1.图片.旋转 = 270度";
    QTest::newRow("wordart down") << "艺术字" << "艺术字" << QStringList{"艺术字竖排文字"} << "slide1.艺术字.文字方向 = 竖排";
    QTest::newRow("wordart down and back") << "艺术字" << "艺术字" << QStringList{"艺术字竖排文字", "艺术字竖排文字"}
                                           << "slide1.艺术字.文字方向 = 横排";
    QTest::newRow("wordart letters even") << "艺术字" << "艺术字" << QStringList{"艺术字字母高度相同"} << "slide1.艺术字.字母高度相同 = 是";
    QTest::newRow("wordart wave") << "艺术字" << "艺术字" << QStringList{"艺术字形状>entry:对象格式:波形2"} << "slide1.艺术字.形状 = 波形2";
    QTest::newRow("wordart spacing") << "艺术字" << "艺术字" << QStringList{"艺术字字符间距>entry:艺术字字符间距:稀疏"}
                                     << "slide1.艺术字.字符间距 = 稀疏";
    QTest::newRow("table outside border") << "表格" << "表格和边框" << QStringList{"外部框线"} << "slide1.表格.外边框 = 1磅";
    QTest::newRow("table border colour") << "表格" << "表格和边框" << QStringList{"边框颜色>entry:表格属性:红色"} << "slide1.表格.线条颜色 = 红色";
    QTest::newRow("table text to the top") << "表格" << "表格和边框" << QStringList{"顶端对齐"} << "slide1.表格.文字对齐 = 顶端对齐";
    QTest::newRow("cells split in the dialog") << "表格" << "表格和边框" << QStringList{"拆分单元格"} << "dialog 操作 = 拆分";
}

// Selecting a picture, a WordArt object or a table brings its toolbar over
// the slide, inside the part of the window the host shows, every button
// named for a screen reader; its buttons act on the selection (a step of
// 亮度 counted on from the last, 竖排文字 turned over and back), and the bar
// goes with the selection.
void TestSimulatorUi::objectToolbarsActOnTheSelection()
{
    QFETCH(QString, object);
    QFETCH(QString, toolbar);
    QFETCH(QStringList, presses);
    QFETCH(QString, check);
    QString start = QStringLiteral("start: slides = 6\nstart: slide1.%1 = 1\n").arg(object);
    if (object == u"表格")
        start += QStringLiteral("start: slide1.表格.行数 = 3\nstart: slide1.表格.列数 = 3\n");
    EditorWindow window(taskFrom(start));
    QVERIFY(showActive(window));
    const auto objectBar = [&window, toolbar] { return window.findChild<QToolBar *>(QStringLiteral("objectBar:") + toolbar); };
    QVERIFY(!objectBar() || !objectBar()->isVisible());   // made when first needed
    QVERIFY(shapeGesture(window, TaskStep{TaskStep::Kind::Shape, object, {}, {}}));
    QTRY_VERIFY(objectBar() && objectBar()->isVisible());
    QToolBar *bar = objectBar();
    QVERIFY(QRect(0, 0, 800, 600).contains(QRect(bar->mapTo(&window, QPoint(0, 0)), bar->size())));
    for (QToolButton *control : bar->findChildren<QToolButton *>()) {
        if (!control->isVisible())
            continue;
        const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && name.at(0).unicode() >= 0x2e80, qPrintable(control->objectName()));
    }
    for (const QString &press : presses) {
        QWidget *control = window.toolbarControl(press.section(u'>', 0, 0));
        QVERIFY2(control && bar->isAncestorOf(control), qPrintable(press));
        QTest::mouseClick(control, Qt::LeftButton);
        if (press.contains(u'>')) {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY2(menu && clickEntry(menu, press.section(u'>', 1)), qPrintable(press));
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
    }
    const QString path = check.section(QStringLiteral(" = "), 0, 0), value = check.section(QStringLiteral(" = "), 1);
    if (path.startsWith(u"dialog ")) {
        QVERIFY(window.openDialog() && window.openDialog()->isVisible());
        QCOMPARE(window.openDialog()->values().value(path.mid(7)), value);
        window.openDialog()->close();
    } else {
        QCOMPARE(window.session().document().value(path), value);
    }
    // A click on the slide away from the object takes the selection, and the bar, away.
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    QTest::mouseClick(view, Qt::LeftButton, {}, view->slideRect().bottomLeft().toPoint() + QPoint(6, -6));
    QTRY_VERIFY(!bar->isVisible());
}

void TestSimulatorUi::drawingToolbarDocksAtTheEdges_data()
{
    QTest::addColumn<QStringList>("drops");   // edges the handle is let go at, in turn
    QTest::addColumn<QString>("docked");      // where the bar stands then
    QTest::newRow("left") << QStringList{"左侧"} << "左侧";
    QTest::newRow("right") << QStringList{"右侧"} << "右侧";
    QTest::newRow("top") << QStringList{"顶部"} << "顶部";
    QTest::newRow("left and back to the foot") << QStringList{"左侧", "底部"} << "底部";
    QTest::newRow("let go in the middle") << QStringList{"中央"} << "底部";
}

// The drawing toolbar's handle drags it to an edge of the window: it docks
// there across or down, the slide making room beside it and all of it
// inside the part the host shows, and the document says where it is.
void TestSimulatorUi::drawingToolbarDocksAtTheEdges()
{
    QFETCH(QStringList, drops);
    QFETCH(QString, docked);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    auto *bar = window.findChild<QToolBar *>(QStringLiteral("drawingBar"));
    auto *grip = window.findChild<QWidget *>(QStringLiteral("grip:绘图"));
    QVERIFY(bar && grip && grip->isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(grip)->text(QAccessible::Name), QStringLiteral("移动绘图工具栏"));
    for (const QString &edge : drops) {
        if (edge == u"中央") {
            auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
            drag(grip, grip->rect().center(), grip->mapFrom(&window, view->mapTo(&window, view->rect().center())));
        } else {
            QVERIFY(dockToolbar(window, QStringLiteral("绘图"), edge));
        }
    }
    QApplication::processEvents();
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(bar->orientation(), docked == u"左侧" || docked == u"右侧" ? Qt::Vertical : Qt::Horizontal);
    const auto placed = [&window](QWidget *w) { return QRect(w->mapTo(&window, QPoint(0, 0)), w->size()); };
    const QRect shown(0, 0, 800, 600), drawing = placed(bar), slide = placed(window.findChild<QWidget *>(QStringLiteral("slide")));
    QVERIFY2(shown.contains(drawing), qPrintable(QStringLiteral("%1,%2 %3×%4").arg(drawing.x()).arg(drawing.y()).arg(drawing.width()).arg(drawing.height())));
    QVERIFY(!drawing.intersects(slide));
    if (docked == u"左侧")
        QVERIFY(drawing.right() < slide.left());
    else if (docked == u"右侧")
        QVERIFY(drawing.left() > slide.right());
    else if (docked == u"顶部")
        QVERIFY(drawing.bottom() < slide.top());
    else
        QVERIFY(drawing.top() > slide.bottom());
    QCOMPARE(window.session().document().value(QStringLiteral("doc.工具栏.位置")), drops.last() == u"中央" ? QString() : docked);
}

// 视图 → 状态栏 is a tick item: cleared, the status strip goes and the
// document says so; ticked again, it comes back.
void TestSimulatorUi::statusBarTickHidesTheStrip()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    auto *strip = window.findChild<QWidget *>(QStringLiteral("statusStrip"));
    auto *tick = window.findChild<QAction *>(QStringLiteral("toolbar:状态栏"));
    QVERIFY(strip && tick && strip->isVisible() && tick->isCheckable() && tick->isChecked());
    auto *view = window.findChild<QMenu *>(QStringLiteral("menu:视图"));
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(view->menuAction()).center());
    QTRY_VERIFY(view->isVisible());
    QVERIFY(view->actions().contains(tick));
    QTest::mouseClick(view, Qt::LeftButton, {}, view->actionGeometry(tick).center());
    QTRY_VERIFY(!strip->isVisible());
    QVERIFY(!tick->isChecked());
    QCOMPARE(window.session().document().value(QStringLiteral("doc.工具栏.工具栏")), QStringLiteral("状态栏"));
    QCOMPARE(window.session().document().value(QStringLiteral("doc.工具栏.显示")), QStringLiteral("隐藏"));
    tick->trigger();
    QTRY_VERIFY(strip->isVisible());
    QVERIFY(tick->isChecked());
}

// 自选图形 ▸ 动作按钮 ▸ offers the editor's twelve buttons; the one chosen is
// drawn by a drag on the slide and its 动作设置 asked for, and it stands
// where it was drawn. The dialog cancelled, no button is left.
void TestSimulatorUi::actionButtonDrawnWhereDragged()
{
    for (const bool confirmed : {true, false}) {
        EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
        QVERIFY(showActive(window));
        auto *bar = window.findChild<QToolBar *>(QStringLiteral("drawingBar"));
        QToolButton *shapes = nullptr;
        for (QToolButton *b : bar->findChildren<QToolButton *>())
            if (b->accessibleName() == u"自选图形")
                shapes = b;
        QVERIFY(shapes);
        QTest::mouseClick(shapes, Qt::LeftButton);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto *buttons = menu->findChild<QMenu *>(QStringLiteral("drawingMenu:动作按钮"));
        QVERIFY(buttons);
        QStringList offered;
        for (QAction *entry : buttons->actions()) {
            offered << entry->text();
            QVERIFY2(!entry->icon().isNull(), qPrintable(entry->text()));
        }
        QCOMPARE(offered.join(u' '), QStringLiteral("自定义 第一张 后退或前一项 前进或下一项 开始 结束 上一张 文档 声音 影片 帮助 信息"));
        QVERIFY(clickEntry(menu, QStringLiteral("entry:动作按钮:帮助")));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
        QVERIFY(view->drawingBox());
        const QRectF slide = view->slideRect();
        drag(view, (slide.topLeft() + QPointF(20, 20)).toPoint(), (slide.topLeft() + QPointF(70, 60)).toPoint());
        QVERIFY(window.openDialog() && window.openDialog()->isVisible());
        QCOMPARE(window.openDialog()->windowTitle(), QStringLiteral("动作设置"));
        QCOMPARE(window.openDialog()->values().value(QStringLiteral("按钮")), QStringLiteral("帮助"));
        if (!confirmed) {
            window.openDialog()->close();
            QTRY_VERIFY(!window.openDialog() || !window.openDialog()->isVisible());
            QCOMPARE(window.session().document().value(QStringLiteral("slide1.动作按钮")), QString());
            continue;
        }
        window.openDialog()->setValue(QStringLiteral("超链接到"), QStringLiteral("下一张幻灯片"));
        window.openDialog()->okButton()->click();
        const Document &document = window.session().document();
        QCOMPARE(document.value(QStringLiteral("slide1.动作按钮.按钮")), QStringLiteral("帮助"));
        QCOMPARE(document.value(QStringLiteral("slide1.动作按钮.超链接到")), QStringLiteral("下一张幻灯片"));
        const auto button = Shapes::find(document.slides.first(), QStringLiteral("动作按钮"));
        QVERIFY(button);
        QCOMPARE(Shapes::regionOf(button->frame), QStringLiteral("左上角"));
    }
    // On the slide each kind shows its own sign.
    QSet<QByteArray> pictures;
    const QStringList kinds = Commands::find(QStringLiteral("动作按钮"))->field(QStringLiteral("按钮"))->choices;
    for (const QString &kind : kinds) {
        const Task task = taskFrom(QStringLiteral("start: slides = 1\nstart: slide1.动作按钮 = 1\nstart: slide1.动作按钮.按钮 = %1\n").arg(kind));
        const QImage painted = paintedSlide(task.startDocument(), 0, 254, SlideArt::Objects);
        pictures.insert(QByteArray(reinterpret_cast<const char *>(painted.constBits()), painted.sizeInBytes()));
    }
    QCOMPARE(pictures.size(), kinds.size());
}

// The guide frames the control of each of these ways: the drawing
// toolbar's handle, 状态栏 in 视图, a button of the picture toolbar once the
// picture is selected, and the slide while the action button chosen is
// still to be drawn.
void TestSimulatorUi::guideFramesTheToolbarWays()
{
    const auto guided = [](const char *th, const char *method) {
        const std::optional<Task> task = authoredTask(QString::fromUtf8(th), QString::fromUtf8(method));
        auto window = std::make_unique<EditorWindow>(task.value_or(Task()));
        window->setGuideEnabled(true);
        return window;
    };
    const auto markedOn = [](EditorWindow &window, QWidget *target) {
        auto *mark = window.findChild<GuideMark *>(QStringLiteral("guideMark"));
        return target && mark && mark->target() == target;
    };
    const auto selectSlide = [](EditorWindow &window, int slide) {
        auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(slide - 1)).center());
    };
    {
        auto window = guided("141", "拖动");
        QVERIFY(showActive(*window));
        QTRY_VERIFY(markedOn(*window, window->findChild<QWidget *>(QStringLiteral("grip:绘图"))));
        QVERIFY(dockToolbar(*window, QStringLiteral("绘图"), QStringLiteral("左侧")));
        QTRY_COMPARE(window->session().document().value(QStringLiteral("doc.工具栏.位置")), QStringLiteral("左侧"));
        QTRY_VERIFY(!window->findChild<GuideMark *>(QStringLiteral("guideMark")));
    }
    {
        auto window = guided("157", "菜单");
        QVERIFY(showActive(*window));
        auto *view = window->findChild<QMenu *>(QStringLiteral("menu:视图"));
        auto *tick = window->findChild<QAction *>(QStringLiteral("toolbar:状态栏"));
        QTest::mouseClick(window->menuBar(), Qt::LeftButton, {}, window->menuBar()->actionGeometry(view->menuAction()).center());
        QTRY_VERIFY(view->isVisible() && view->activeAction() == tick && framedOn(view, view->actionGeometry(tick)));
        view->close();
    }
    {
        auto window = guided("407", "图片工具栏");
        QVERIFY(showActive(*window));
        selectSlide(*window, 5);
        QVERIFY(shapeGesture(*window, TaskStep{TaskStep::Kind::Shape, QStringLiteral("图片"), {}, {}}));
        QTRY_VERIFY(markedOn(*window, window->toolbarControl(QStringLiteral("增加亮度"))));
    }
    {
        auto window = guided("460", "工具栏");
        QVERIFY(showActive(*window));
        selectSlide(*window, 6);
        QWidget *shapes = window->toolbarControl(QStringLiteral("自选图形"));
        QTRY_VERIFY(markedOn(*window, shapes));
        QTest::mouseClick(shapes, Qt::LeftButton);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu && clickEntry(menu, QStringLiteral("entry:动作按钮:第一张")));
        auto *view = window->findChild<SlideView *>(QStringLiteral("slide"));
        QTRY_VERIFY(view->drawingBox() && framedOn(view, view->slideRect().toRect()));
    }
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

// 其他颜色 of every colour list opens the one 颜色 dialog: 标准 and 自定义,
// every control named in Chinese, 取消 changing nothing. A colour mixed there
// goes where the list was opened (the text, a dialog's box, the 背景 fill),
// and the lists offer it from then on.
void TestSimulatorUi::colourDialogMixesAColour()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.标题.颜色 = 蓝色\n"
                                                "step: click title | 单击标题占位符\n")));
    QVERIFY(showActive(window));
    QVERIFY(editorGesture(window, QStringLiteral("click title")));
    auto *button = window.findChild<QToolButton *>(QStringLiteral("format:字体颜色"));
    QVERIFY(button && button->isVisible());
    // The list runs a loop of its own: its entry is clicked from inside it.
    const auto fromList = [&](const QString &entry) {
        bool clicked = false;
        QTimer::singleShot(50, this, [&clicked, entry] {
            if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
                clicked = clickEntry(popup, entry);
        });
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
        return clicked;
    };
    const auto openDialog = [&window] {
        for (ColourDialog *dialog : window.findChildren<ColourDialog *>())
            if (dialog->isVisible())
                return dialog;
        return static_cast<ColourDialog *>(nullptr);
    };
    QVERIFY(fromList(QStringLiteral("entry:字体:")));
    QTRY_VERIFY(openDialog());
    ColourDialog *dialog = openDialog();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("颜色"));
    auto *tabs = dialog->findChild<QTabWidget *>(QStringLiteral("colourTabs"));
    QVERIFY(tabs && tabs->count() == 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("标准"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("自定义"));
    QCOMPARE(dialog->colour(), QStringLiteral("红色"));   // 当前: the colour the button shows
    for (int tab = 0; tab < 2; ++tab) {
        tabs->setCurrentIndex(tab);
        for (QWidget *control : dialog->findChildren<QWidget *>()) {
            const bool interactive = qobject_cast<QAbstractButton *>(control) || qobject_cast<QAbstractSpinBox *>(control)
                                  || qobject_cast<QComboBox *>(control) || control->objectName() == u"colourField";
            if (!interactive || !control->isVisible())
                continue;
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name.at(0).unicode() >= 0x2e80, qPrintable(control->objectName() + u' ' + name));
        }
    }
    QVERIFY(dialog->findChild<QComboBox *>(QStringLiteral("colourMode"))->currentText() == u"RGB");
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cancel")), Qt::LeftButton);
    QTRY_VERIFY(!openDialog());
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.标题.颜色")), QString());

    // Mixed on 自定义: the text takes it, the button's face shows it, the list offers it.
    QVERIFY(fromList(QStringLiteral("entry:字体:")));
    QVERIFY(playColourDialog(&window, QStringLiteral("RGB(0,112,192)")));
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.标题.颜色")), QStringLiteral("RGB(0,112,192)"));
    QCOMPARE(button->accessibleDescription(), QStringLiteral("RGB(0,112,192)"));
    QCOMPARE(SlideArt::colour(QStringLiteral("RGB(0,112,192)"), Qt::black), QColor(0, 112, 192));
    QVERIFY(fromList(QStringLiteral("entry:字体:RGB(0,112,192)")));

    // The 字体 dialog's colour box lists it too; its 其他颜色… takes 标准's 绿色 cell.
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    auto *box = qobject_cast<QComboBox *>(window.openDialog()->fieldBox(QStringLiteral("颜色")));
    QVERIFY(box);
    QVERIFY(box->findText(QStringLiteral("RGB(0,112,192)")) >= 0);
    box->setCurrentIndex(box->findText(QStringLiteral("其他颜色…")));
    QVERIFY(playColourDialog(&window, QStringLiteral("绿色")));
    QCOMPARE(window.openDialog()->values().value(QStringLiteral("颜色")), QStringLiteral("绿色"));
    window.openDialog()->close();

    // The 背景 dialog's fill: 其他颜色… mixes the fill, listed above 其他颜色… from then on.
    window.trigger(QStringLiteral("背景"));
    QVERIFY(window.openDialog());
    auto *fill = qobject_cast<QComboBox *>(window.openDialog()->fieldBox(QStringLiteral("填充")));
    QVERIFY(fill);
    fill->setCurrentIndex(fill->findText(QStringLiteral("其他颜色…")));
    QVERIFY(playColourDialog(&window, QStringLiteral("RGB(10,20,30)")));
    QCOMPARE(window.openDialog()->values().value(QStringLiteral("填充")), QStringLiteral("RGB(10,20,30)"));
    const int mixed = fill->findText(QStringLiteral("RGB(10,20,30)"));
    QVERIFY(mixed >= 0 && mixed < fill->findText(QStringLiteral("其他颜色…")));
    QVERIFY(!qobject_cast<QListView *>(fill->view())->isRowHidden(mixed));
    window.openDialog()->close();
}

void TestSimulatorUi::clipArtPaneInsertsAClip_data()
{
    QTest::addColumn<bool>("fromToolbar");
    QTest::newRow("插入 → 图片 → 剪贴画") << false;
    QTest::newRow("the drawing toolbar's 插入剪贴画") << true;
}

// The clip art pane: its controls named in Chinese, every clip shown before
// a search, the words and the kind of result narrowing them, and a click on
// a clip inserting it as a picture from the gallery in the middle of the slide.
void TestSimulatorUi::clipArtPaneInsertsAClip()
{
    QFETCH(bool, fromToolbar);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    if (fromToolbar) {
        window.trigger(QStringLiteral("工具栏"));
        window.openDialog()->setValue(QStringLiteral("工具栏"), QStringLiteral("绘图"));
        window.openDialog()->setValue(QStringLiteral("显示"), QStringLiteral("显示"));
        window.openDialog()->okButton()->click();
        auto *bar = window.findChild<DrawingBar *>(QStringLiteral("drawingBar"));
        QVERIFY(bar && bar->isVisible());
        QToolButton *clips = bar->button(QStringLiteral("插入剪贴画"));
        QVERIFY(clips && clips->isVisible());
        QTest::mouseClick(clips, Qt::LeftButton);
    } else {
        auto *pictures = window.findChild<QMenu *>(QStringLiteral("menu:图片"));
        QVERIFY(pictures);
        QCOMPARE(pictures->actions().value(0)->objectName(), QStringLiteral("entry:图片:剪贴画"));
        QCOMPARE(pictures->actions().value(1)->objectName(), QStringLiteral("entry:图片:来自文件"));
        pictures->actions().value(0)->trigger();
    }
    auto *pane = window.findChild<TaskPane *>(QStringLiteral("taskPane"));
    QTRY_VERIFY(pane->isVisible() && pane->clipArtPane() && pane->clipArtPane()->isVisible());
    QCOMPARE(pane->accessibleDescription(), QStringLiteral("剪贴画"));
    ClipArtPane *clips = pane->clipArtPane();
    for (QWidget *control : clips->findChildren<QWidget *>()) {
        const bool interactive = qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control)
                              || qobject_cast<QComboBox *>(control) || qobject_cast<QListWidget *>(control);
        if (!interactive || !control->isVisible())
            continue;
        const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && name.at(0).unicode() >= 0x2e80, qPrintable(control->objectName()));
    }
    for (const char *link : {"pane:管理剪辑…", "pane:网上剪辑"}) {
        auto *button = clips->findChild<QPushButton *>(QString::fromUtf8(link));
        QVERIFY(button && button->isVisible());
    }
    QListWidget *results = clips->results();
    QCOMPARE(results->count(), int(ClipArt::clips().size()));

    // Words nothing matches, and a kind the gallery lacks, find nothing; 人物 its three clips.
    auto *words = clips->findChild<QLineEdit *>(QStringLiteral("pane:搜索文字"));
    auto *search = clips->findChild<QPushButton *>(QStringLiteral("pane:搜索"));
    words->insert(QStringLiteral("潜水艇"));
    QTest::mouseClick(search, Qt::LeftButton);
    QCOMPARE(results->count(), 0);
    words->clear();
    auto *kind = clips->findChild<QComboBox *>(QStringLiteral("pane:结果类型"));
    QVERIFY(pickFrom(kind, QStringLiteral("照片")));
    QCOMPARE(results->count(), 0);
    QVERIFY(pickFrom(kind, QStringLiteral("剪贴画")));
    words->insert(QStringLiteral("人物"));
    QTest::mouseClick(search, Qt::LeftButton);
    QCOMPARE(results->count(), 3);
    QCOMPARE(results->item(0)->data(Qt::UserRole).toString(), QStringLiteral("人物"));
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.图片")), QString());

    const QRect first = results->visualItemRect(results->item(0));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, first.center());
    const Document &document = window.session().document();
    QCOMPARE(document.value(QStringLiteral("slide1.图片")), QStringLiteral("1"));
    QCOMPARE(document.value(QStringLiteral("slide1.图片.来源")), QStringLiteral("剪贴画"));
    QCOMPARE(document.value(QStringLiteral("slide1.图片.名称")), QStringLiteral("人物"));
    const auto picture = Shapes::find(document.slides.at(0), QStringLiteral("图片"));
    QVERIFY(picture);
    QVERIFY(std::abs(picture->frame.center().x() - Shapes::SlideWidthCm / 2) < 0.01);
    QVERIFY(std::abs(picture->frame.center().y() - Shapes::SlideHeightCm / 2) < 0.01);
    QCOMPARE(document.value(QStringLiteral("doc.方式.图片")), QStringLiteral("任务窗格"));
}

// The drawing toolbar's menu buttons show their menus; an entry acts on the
// object on the slide, as the toolbar's way (工具栏).
void TestSimulatorUi::drawingToolbarMenus()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QString, entry);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n") + start));
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("工具栏"));
    window.openDialog()->setValue(QStringLiteral("工具栏"), QStringLiteral("绘图"));
    window.openDialog()->setValue(QStringLiteral("显示"), QStringLiteral("显示"));
    window.openDialog()->okButton()->click();
    auto *bar = window.findChild<QToolBar *>(QStringLiteral("drawingBar"));
    QVERIFY(bar && bar->isVisible());
    // Every control of the bar has a Chinese name for a screen reader.
    for (QToolButton *control : bar->findChildren<QToolButton *>()) {
        if (!control->isVisible())
            continue;
        const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && name.at(0).unicode() >= 0x2e80, qPrintable(control->objectName()));
    }
    // The bar's own button (the formatting toolbar has a 字体颜色 too).
    QToolButton *control = nullptr;
    for (QToolButton *b : bar->findChildren<QToolButton *>())
        if (b->accessibleName() == button)
            control = b;
    QVERIFY(control);
    QTest::mouseClick(control, Qt::LeftButton);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu && menu->isVisible());
    QCOMPARE(menu->accessibleName(), button);
    QVERIFY(clickEntry(menu, entry));
    QTRY_VERIFY(!QApplication::activePopupWidget());
    // 其他…颜色 opened the 颜色 dialog: the colour the first check asks is taken there.
    if (entry.endsWith(u':') && button.endsWith(u"颜色"))
        QVERIFY(playColourDialog(&window, checks.value(0).section(QStringLiteral(" = "), 1)));
    // A shape chosen is drawn where the candidate then clicks.
    if (auto *view = window.findChild<SlideView *>(QStringLiteral("slide")); view->drawingBox())
        QTest::mouseClick(view, Qt::LeftButton, {}, view->slideRect().center().toPoint());
    for (const QString &check : checks) {
        const QString path = check.section(QStringLiteral(" = "), 0, 0);
        const QString value = check.section(QStringLiteral(" = "), 1);
        if (path.startsWith(u"dialog ")) {
            QVERIFY(window.openDialog() && window.openDialog()->isVisible());
            QCOMPARE(window.openDialog()->objectName(), QStringLiteral("dialog:") + path.mid(7));
            QCOMPARE(window.openDialog()->values().value(path.mid(7)), value);
            QCOMPARE(window.session().document().value(QStringLiteral("slide1.叠放次序.叠放次序")), QString());
            window.openDialog()->close();
        } else {
            QCOMPARE(window.session().document().value(path), value);
        }
    }
}

void TestSimulatorUi::searchOnScreen_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("fields");     // "name=value"
    QTest::addColumn<QString>("button");         // the dialog's button clicked: "ok" or "accept:<操作>"
    QTest::addColumn<QString>("selected");       // "<part> <text>": the text selected on screen afterwards
    QTest::addColumn<QString>("notice");         // the message box's text; empty: none
    QTest::newRow("found and selected") << "查找" << QStringList{"查找内容=增长"} << "ok" << "body 增长" << "";
    QTest::newRow("found in a title") << "查找" << QStringList{"查找内容=计划"} << "ok" << "title 计划" << "";
    QTest::newRow("not found") << "查找" << QStringList{"查找内容=集团"} << "ok" << "" << "找不到要查找的内容“集团”。";
    QTest::newRow("all replaced") << "替换" << QStringList{"查找内容=市场", "替换为=营销"} << "ok" << ""
                                  << "已完成对演示文稿的搜索，共替换4处。";
    QTest::newRow("replace: the first match found first") << "替换" << QStringList{"查找内容=增长", "替换为=提高"}
                                                     << "accept:替换" << "body 增长" << "";
}

// 查找 and 替换 through their dialogs: the match is selected in its
// placeholder, and what the search has to say shows in a message box.
void TestSimulatorUi::searchOnScreen()
{
    QFETCH(QString, command);
    QFETCH(QStringList, fields);
    QFETCH(QString, button);
    QFETCH(QString, selected);
    QFETCH(QString, notice);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    window.trigger(command);
    QVERIFY(window.openDialog());
    for (const QString &field : fields)
        setThroughControl(window.openDialog()->revealField(field.section(u'=', 0, 0)), field.section(u'=', 1));
    auto *press = window.openDialog()->findChild<QPushButton *>(button);
    QVERIFY(press);
    press->click();
    if (!selected.isEmpty()) {
        const QString part = selected.section(u' ', 0, 0);
        auto *slide = window.findChild<SlideView *>(QStringLiteral("slide"));
        const QString shown = part == u"title" ? slide->titleEdit()->selectedText()
                                               : slide->bodyEdit()->textCursor().selectedText();
        QCOMPARE(shown, selected.section(u' ', 1));
    }
    auto *box = window.findChild<QMessageBox *>(QStringLiteral("searchNotice"));
    QCOMPARE(box ? box->text() : QString(), notice);
    if (button == u"accept:替换") {
        // Found, not yet replaced: a second 替换 replaces it.
        QCOMPARE(window.session().document().value(QStringLiteral("slide3.body")).section(u'\n', 0, 0), QStringLiteral("市场规模稳步增长"));
        window.trigger(command);
        window.openDialog()->findChild<QPushButton *>(button)->click();
        QCOMPARE(window.session().document().value(QStringLiteral("slide3.body")).section(u'\n', 0, 0), QStringLiteral("市场规模稳步提高"));
    }
}

void TestSimulatorUi::dialogsOnTheCaret_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("part");      // the placeholder clicked into first; empty: none
    QTest::addColumn<QString>("object");    // the object the dialog acts on, shown or not
    QTest::addColumn<bool>("asked");        // 对象 is a control of the dialog
    QTest::newRow("字体 on the title") << "字体" << "title" << "标题" << false;
    QTest::newRow("段落 on the body") << "段落" << "body" << "正文" << false;
    QTest::newRow("bullets on the body") << "项目符号和编号" << "body" << "正文" << false;
    QTest::newRow("hyperlink on the title") << "超链接" << "title" << "标题" << false;
    QTest::newRow("case of the title") << "更改大小写" << "title" << "标题" << false;
    QTest::newRow("字体, no caret") << "字体" << "" << "" << true;
    QTest::newRow("对象格式 keeps its field") << "对象格式" << "title" << "标题" << true;
}

// With the caret in a placeholder, 字体 and its like act on it: their
// dialogs show no 应用于 field; with no caret they ask.
void TestSimulatorUi::dialogsOnTheCaret()
{
    QFETCH(QString, command);
    QFETCH(QString, part);
    QFETCH(QString, object);
    QFETCH(bool, asked);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    if (!part.isEmpty())
        QTest::mouseClick(window.findChild<QWidget *>(part), Qt::LeftButton, {}, QPoint(6, 6));
    window.trigger(command);
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->fieldBox(QStringLiteral("对象"))->isVisible(), asked);
    QCOMPARE(dialog->values().value(QStringLiteral("对象")), object);
    if (QWidget *selected = dialog->fieldBox(QStringLiteral("选中文字")))
        QCOMPARE(selected->isVisible(), asked);
    dialog->close();
}

// Alt with a menu's letter opens it; 视图 → 工具栏 is a submenu of tick
// items that show and hide the toolbars for real.
void TestSimulatorUi::menusHaveAccessKeysAndTicks()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    QStringList titles;
    for (QAction *title : window.menuBar()->actions())
        titles << title->text();
    QCOMPARE(titles.join(u' '), QStringLiteral("文件(&F) 编辑(&E) 视图(&V) 插入(&I) 格式(&O) 工具(&T) 幻灯片放映(&D) 窗口(&W) 帮助(&H)"));
    auto *format = window.findChild<QMenu *>(QStringLiteral("menu:格式"));
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(format->isVisible());
    QVERIFY(format->actions().first()->text().startsWith(QStringLiteral("字体(&F)")));
    format->close();

    // The drawing toolbar is shown from the start, above the status bar and
    // inside the part of the window the host shows; the outline toolbar
    // until its tick is given.
    auto *drawing = window.findChild<QToolBar *>(QStringLiteral("drawingBar"));
    QVERIFY(drawing && drawing->isVisible());
    const QRect drawn(drawing->mapTo(&window, QPoint(0, 0)), drawing->size());
    QVERIFY2(drawn.bottom() < 600 && drawn.top() > window.findChild<QWidget *>(QStringLiteral("slide"))->mapTo(&window, QPoint(0, 0)).y(),
             qPrintable(QStringLiteral("%1,%2 %3×%4").arg(drawn.x()).arg(drawn.y()).arg(drawn.width()).arg(drawn.height())));
    auto *outline = window.findChild<QToolBar *>(QStringLiteral("outlineBar"));
    QVERIFY(outline && !outline->isVisible());
    auto *view = window.findChild<QMenu *>(QStringLiteral("menu:视图"));
    view->popup(QPoint(0, 0));   // fills it
    auto *toolbars = window.findChild<QMenu *>(QStringLiteral("menu:工具栏"));
    QVERIFY(view->actions().contains(toolbars->menuAction()));
    view->close();
    QAction *tick = toolbars->findChild<QAction *>(QStringLiteral("toolbar:大纲"));
    QVERIFY(tick && !tick->isChecked());
    QVERIFY(toolbars->findChild<QAction *>(QStringLiteral("toolbar:绘图"))->isChecked());
    tick->trigger();
    QVERIFY(outline->isVisible());
    QVERIFY(tick->isChecked());
    QCOMPARE(window.session().document().value(QStringLiteral("doc.工具栏.显示")), QStringLiteral("显示"));
    toolbars->findChild<QAction *>(QStringLiteral("toolbar:格式"))->trigger();
    QVERIFY(!window.formatBar()->isVisible());
    QVERIFY(outline->isVisible() && drawing->isVisible());

    // The ruler is a tick item.
    QVERIFY(view->actions().contains(window.findChild<QAction *>(QStringLiteral("tick:标尺"))));

    // 文件 ends with the files used last, numbered, above 退出; a click opens one.
    const auto texts = [](QMenu *menu) {
        menu->popup(QPoint(0, 0));   // fills it
        QStringList shown;
        for (QAction *entry : menu->actions())
            shown << (entry->isSeparator() ? QStringLiteral("-") : entry->text() + (entry->isChecked() ? QStringLiteral("✓") : QString()));
        menu->close();
        return shown;
    };
    auto *file = window.findChild<QMenu *>(QStringLiteral("menu:文件"));
    const QStringList fileEntries = texts(file);
    QCOMPARE(fileEntries.mid(fileEntries.size() - 7),
             QStringList({"-", "&1 年度总结.dps", "&2 产品介绍.dps", "&3 销售报告.dps", "&4 蓝色经典.dpt", "-", "退出(&X)…"}));
    window.findChild<QAction *>(QStringLiteral("entry:最近使用的文件:年度总结.dps"))->trigger();
    QCOMPARE(window.session().document().value(QStringLiteral("doc.打开.文件名")), QStringLiteral("年度总结.dps"));
    // 窗口 ends with the open presentations, the one in front ticked.
    auto *windows = window.findChild<QMenu *>(QStringLiteral("menu:窗口"));
    const QStringList windowEntries = texts(windows);
    QCOMPARE(windowEntries.mid(windowEntries.size() - 3), QStringList({"-", "&1 年度总结.dps✓", "&2 产品介绍.dps"}));
    window.findChild<QAction *>(QStringLiteral("entry:切换窗口:产品介绍.dps"))->trigger();
    QCOMPARE(window.session().document().value(QStringLiteral("doc.切换窗口.切换到")), QStringLiteral("产品介绍.dps"));
    QCOMPARE(texts(windows).mid(windowEntries.size() - 2), QStringList({"&1 年度总结.dps", "&2 产品介绍.dps✓"}));
}

void TestSimulatorUi::formatMenuAsTheEditorHasIt_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("gesture");   // what is selected when the menu opens
    QTest::addColumn<QString>("object");    // the last entry, named after it
    QTest::addColumn<QString>("opens");     // the dialog that entry opens
    QTest::addColumn<QString>("title");     // its window title
    QTest::addColumn<QString>("tabs");      // its tabs; empty: none
    const QString all = QStringLiteral("颜色和线条 尺寸 位置 图片 文本框");
    const QString texts = QStringLiteral("颜色和线条 尺寸 位置 文本框");
    QTest::newRow("nothing selected") << "" << "" << "对象(&O)…" << "对象格式" << "设置对象格式" << all;
    QTest::newRow("caret in the title") << "" << "click title" << "占位符(&O)…" << "对象格式" << "设置占位符格式" << texts;
    QTest::newRow("a shape") << "start: slide1.自选图形 = 1\n" << "shape 自选图形" << "自选图形(&O)…" << "对象格式"
                             << "设置自选图形格式" << texts;
    QTest::newRow("a picture") << "start: slide1.图片 = 1\n" << "shape 图片" << "图片(&O)…" << "对象格式" << "设置图片格式"
                               << "颜色和线条 尺寸 位置 图片";
    QTest::newRow("a text box") << "start: slide1.文本框 = 1\n" << "shape 文本框" << "文本框(&O)…" << "对象格式"
                                << "设置文本框格式" << texts;
    QTest::newRow("word art") << "start: slide1.艺术字 = 1\n" << "shape 艺术字" << "艺术字(&O)…" << "对象格式"
                              << "设置艺术字格式" << texts;
    QTest::newRow("a placeholder's border") << "" << "shape 副标题" << "占位符(&O)…" << "对象格式" << "设置占位符格式" << texts;
    QTest::newRow("a table") << "start: slide1.表格 = 1\n" << "shape 表格" << "表格(&O)…" << "表格属性" << "设置表格格式"
                             << "边框 填充 文本框";
    QTest::newRow("a chart") << "start: slide1.图表 = 1\n" << "shape 图表" << "图表(&O)…" << "图表选项" << "图表选项" << "";
}

// The 格式 menu holds the text's formats, the slide's design, layout and
// background, and the selected object's entry, each with its access key; the
// drawing and formatting toolbars' own commands are not in it.
void TestSimulatorUi::formatMenuAsTheEditorHasIt()
{
    QFETCH(QString, start);
    QFETCH(QString, gesture);
    QFETCH(QString, object);
    QFETCH(QString, opens);
    QFETCH(QString, title);
    QFETCH(QString, tabs);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n") + start));
    QVERIFY(showActive(window));
    if (gesture.startsWith(u"shape "))
        QVERIFY(shapeGesture(window, TaskStep{TaskStep::Kind::Shape, gesture.section(u' ', 1), {}, {}}));
    else if (!gesture.isEmpty())
        QVERIFY(editorGesture(window, gesture));
    auto *format = window.findChild<QMenu *>(QStringLiteral("menu:格式"));
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(format->menuAction()).center());
    QTRY_VERIFY(format->isVisible());
    QStringList entries;
    for (QAction *entry : format->actions())
        entries << (entry->isSeparator() ? QStringLiteral("|") : entry->text());
    QCOMPARE(entries.join(u' '), QStringLiteral("字体(&F)… 段落(&P)… 项目符号和编号(&N)… 对齐方式(&G) 行距(&S)… 更改大小写(&E)… "
                                               "字符间距(&C)… 中文版式(&H)… 替换字体(&R)… | 幻灯片设计(&D)… "
                                               "幻灯片版式(&L)… 背景(&K)… | ") + object);
    QAction *last = format->actions().last();
    QTest::mouseClick(format, Qt::LeftButton, {}, format->actionGeometry(last).center());
    QTRY_VERIFY(window.openDialog());
    QCOMPARE(window.openDialog()->objectName(), QStringLiteral("dialog:") + opens);
    QCOMPARE(window.openDialog()->windowTitle(), title);
    QStringList shownTabs;
    if (auto *tabWidget = window.openDialog()->findChild<QTabWidget *>())
        for (int i = 0; i < tabWidget->count(); ++i)
            shownTabs << tabWidget->tabText(i);
    QCOMPARE(shownTabs.join(u' '), tabs);
    window.openDialog()->close();
    // The drawing toolbar's 绘图 menu names it alike.
    QAction *drawn = nullptr;
    for (QAction *entry : window.findChildren<QAction *>(QStringLiteral("entry:对象格式:")))
        if (entry->text().startsWith(u"设置"))
            drawn = entry;
    QVERIFY(drawn && qobject_cast<QMenu *>(drawn->parent()));
    emit qobject_cast<QMenu *>(drawn->parent())->aboutToShow();
    QCOMPARE(drawn->text(), QStringLiteral("设置%1格式(&O)…").arg(object.section(u'(', 0, 0)));

    // 对齐方式 ▸ aligns where the caret is at once.
    auto *align = window.findChild<QMenu *>(QStringLiteral("menu:对齐方式"));
    QStringList alignments;
    for (QAction *entry : align->actions())
        alignments << entry->text();
    QCOMPARE(alignments.join(u' '), QStringLiteral("左对齐(&L) 居中(&C) 右对齐(&R) 两端对齐(&J) 分散对齐(&D)"));
    if (gesture == u"click title") {
        QTRY_VERIFY(!window.openDialog());
        QVERIFY(editorGesture(window, gesture));
        align->findChild<QAction *>(QStringLiteral("entry:对齐方式:居中对齐"))->trigger();
        QCOMPARE(window.session().document().value(QStringLiteral("slide1.标题.对齐")), QStringLiteral("居中对齐"));
        QVERIFY(!window.openDialog());
    }
}

void TestSimulatorUi::backgroundDialogShowsAndSetsTheFill_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("shown");      // the drop-down's text as the dialog opens
    QTest::addColumn<QStringList>("steps");  // "fill <entry>", "tab <tab>", "pick <part、part>", "effects ok|cancel", "button <name>"
    QTest::addColumn<QStringList>("checks");
    QTest::newRow("a colour, applied to this slide") << "" << "自动"
        << QStringList{"fill 浅绿色", "button 应用"}
        << QStringList{"slide2.背景.填充 = 浅绿色", "slide3.背景.填充 = "};
    QTest::newRow("the fill it has is shown, and kept") << "start: slide2.背景.填充 = 纹理\nstart: slide2.背景.设置 = 羊皮纸\n" << "纹理"
        << QStringList{"button 应用"} << QStringList{"slide2.背景.填充 = 纹理", "slide2.背景.设置 = 羊皮纸"};
    QTest::newRow("one colour fading, to every slide") << "" << "自动"
        << QStringList{"fill 填充效果…", "tab 渐变", "pick 单色、蓝色、水平", "effects ok", "button 全部应用"}
        << QStringList{"slide5.背景.填充 = 单色渐变", "slide5.背景.设置 = 蓝色、水平"};
    QTest::newRow("two colours") << "" << "自动"
        << QStringList{"fill 填充效果…", "pick 双色、白色、浅蓝色、斜上", "effects ok", "button 应用"}
        << QStringList{"slide2.背景.填充 = 双色渐变", "slide2.背景.设置 = 白色、浅蓝色、斜上"};
    QTest::newRow("a pattern in grey") << "" << "自动"
        << QStringList{"fill 填充效果…", "tab 图案", "pick 浅色上对角线、灰色", "effects ok", "button 应用"}
        << QStringList{"slide2.背景.填充 = 图案", "slide2.背景.设置 = 浅色上对角线、灰色"};
    QTest::newRow("a picture of the folder") << "" << "自动"
        << QStringList{"fill 填充效果…", "tab 图片", "pick 背景.jpg", "effects ok", "button 应用"}
        << QStringList{"slide2.背景.填充 = 图片", "slide2.背景.设置 = 背景.jpg"};
    QTest::newRow("effects cancelled give back the fill") << "start: slide2.背景.填充 = 蓝色\n" << "蓝色"
        << QStringList{"fill 填充效果…", "tab 纹理", "pick 羊皮纸", "effects cancel", "button 应用"}
        << QStringList{"slide2.背景.填充 = 蓝色", "slide2.背景.设置 = "};
    QTest::newRow("master graphics left out") << "" << "自动"
        << QStringList{"tick 忽略母版的背景图形", "button 应用"} << QStringList{"slide2.背景.忽略母版的背景图形 = 是", "slide2.背景.填充 = "};
}

// The 背景 dialog opens on the slide's fill; its drop-down, 填充效果 and
// the tick box change it; 应用 and 全部应用 write it to this slide or all.
void TestSimulatorUi::backgroundDialogShowsAndSetsTheFill()
{
    QFETCH(QString, start);
    QFETCH(QString, shown);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n") + start));
    QVERIFY(showActive(window));
    QVERIFY(editorGesture(window, QStringLiteral("select 2")));
    window.trigger(QStringLiteral("背景"));
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    auto *fill = dialog->findChild<QComboBox *>(QStringLiteral("field:填充"));
    QVERIFY(fill && fill->isVisible());
    QCOMPARE(fill->currentText(), shown);
    for (const char *button : {"预览(&P)", "取消", "应用(&A)", "全部应用(&T)"}) {
        const QString name = QString::fromUtf8(button);
        const QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
        QVERIFY2(std::any_of(buttons.begin(), buttons.end(), [&](QPushButton *b) { return b->text() == name && b->isVisible(); }),
                 button);
    }
    QDialog *effects = nullptr;
    for (const QString &step : steps) {
        const QString word = step.section(u' ', 0, 0), rest = step.section(u' ', 1);
        if (word == u"fill") {
            const int index = fill->findText(rest);
            QVERIFY2(index >= 0 && !qobject_cast<QListView *>(fill->view())->isRowHidden(index), qPrintable(step));
            QTest::mouseClick(fill, Qt::LeftButton);
            QTRY_VERIFY(fill->view()->isVisible());
            fill->view()->setCurrentIndex(fill->model()->index(index, 0));
            QTest::keyClick(fill->view(), Qt::Key_Return);
            if (rest == u"填充效果…") {
                QTRY_VERIFY((effects = dialog->findChild<QDialog *>(QStringLiteral("fillEffects"))) && effects->isVisible());
                QCOMPARE(fill->currentText(), shown);   // the box still shows the fill
            }
        } else if (word == u"tab") {
            auto *tabs = effects->findChild<QTabWidget *>();
            QStringList names;
            for (int i = 0; i < tabs->count(); ++i)
                names << tabs->tabText(i);
            QCOMPARE(names.join(u' '), QStringLiteral("渐变 纹理 图案 图片"));
            tabs->tabBar()->setCurrentIndex(names.indexOf(rest));
        } else if (word == u"pick") {
            setThroughControl(effects->findChild<QTabWidget *>()->currentWidget(), rest);
        } else if (word == u"effects") {
            QTest::mouseClick(effects->findChild<QPushButton *>(rest == u"ok" ? QStringLiteral("effectsOk")
                                                                               : QStringLiteral("effectsCancel")), Qt::LeftButton);
            QTRY_VERIFY(!effects->isVisible());
        } else if (word == u"tick") {
            setThroughControl(dialog->findChild<QCheckBox *>(QStringLiteral("field:") + rest), QStringLiteral("是"));
        } else if (word == u"button") {
            QTest::mouseClick(qobject_cast<QPushButton *>(dialog->acceptButton(rest)), Qt::LeftButton);
        }
    }
    QTRY_VERIFY(!window.openDialog());
    for (const QString &check : checks)
        QCOMPARE(window.session().document().value(check.section(QStringLiteral(" = "), 0, 0)), check.section(QStringLiteral(" = "), 1));
}

void TestSimulatorUi::keysActOnTheSlides_data()
{
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QStringList>("checks");
    QTest::newRow("Delete in the slide list") << QStringList{"select 2", "listkey Delete"}
        << QStringList{"count = 5", "slide2.title = 市场分析"};
    QTest::newRow("Esc leaves full screen") << QStringList{"command 全屏显示", "key Esc"} << QStringList{"doc.全屏显示 = 0"};
    QTest::newRow("Esc, no full screen") << QStringList{"key Esc"} << QStringList{"doc.全屏显示 = "};
    QTest::newRow("the sorter: an arrow, then Delete") << QStringList{"command 幻灯片浏览", "sorterclick 2", "sorterkey Right", "sorterkey Delete"}
        << QStringList{"count = 5", "slide3.title = 销售业绩"};
    QTest::newRow("the sorter: Shift+End selects to the last") << QStringList{"command 幻灯片浏览", "sorterclick 4", "sorterkey Shift+End"}
        << QStringList{"doc.选中 = 4-6"};
    QTest::newRow("the sorter: a double click opens the slide") << QStringList{"command 幻灯片浏览", "sorterdouble 4"}
        << QStringList{"doc.视图 = 普通", "doc.选中 = 4"};
    QTest::newRow("Delete in a title deletes text, not slides") << QStringList{"click title", "key End", "key Backspace", "key Home", "key Delete"}
        << QStringList{"count = 6", "slide1.title = 度工作总"};
    // The sorter chooses several slides as the list does, and moves them together.
    QTest::newRow("the sorter: Ctrl with a click, then Delete") << QStringList{"command 幻灯片浏览", "sorterclick 2", "sorterclick 4 Ctrl", "sorterkey Delete"}
        << QStringList{"count = 4", "slide2.title = 市场分析", "slide3.title = 工作计划"};
    QTest::newRow("the sorter: Ctrl takes a chosen slide away") << QStringList{"command 幻灯片浏览", "sorterclick 2", "sorterclick 4 Ctrl", "sorterclick 2 Ctrl"}
        << QStringList{"doc.选中 = 4"};
    QTest::newRow("the sorter: Shift with a click") << QStringList{"command 幻灯片浏览", "sorterclick 2", "sorterclick 4 Shift"} << QStringList{"doc.选中 = 2-4"};
    QTest::newRow("the sorter: two dragged to the end") << QStringList{"command 幻灯片浏览", "sorterclick 3", "sorterclick 5 Ctrl", "sorterdrag 7"}
        << QStringList{"slide4.title = 团队建设", "slide5.title = 市场分析", "slide6.title = 工作计划", "doc.选中 = 5-6"};
    QTest::newRow("the sorter: two dragged to the front") << QStringList{"command 幻灯片浏览", "sorterclick 4", "sorterclick 6 Ctrl", "sorterdrag 1"}
        << QStringList{"slide1.title = 销售业绩", "slide2.title = 团队建设", "slide3.title = 年度工作总结"};
    // A click between two slides places the insertion bar: 粘贴 goes there, Delete does nothing.
    QTest::newRow("the sorter: pasted at the bar") << QStringList{"command 幻灯片浏览", "sorterclick 2", "command 复制", "sortergap 1", "command 粘贴"}
        << QStringList{"count = 7", "slide1.title = 公司概况", "slide2.title = 年度工作总结"};
    QTest::newRow("the sorter: Delete at the bar") << QStringList{"command 幻灯片浏览", "sortergap 3", "sorterkey Delete"} << QStringList{"count = 6"};
    QTest::newRow("the sorter: a drag from the gap moves nothing") << QStringList{"command 幻灯片浏览", "sorterclick 2", "sortergap 3", "sorterdrag 7"}
        << QStringList{"slide2.title = 公司概况", "slide6.title = 团队建设"};
    // A placeholder selected as an object (Esc, or 全选 without a caret) goes with Delete.
    QTest::newRow("Esc in the title, then Delete") << QStringList{"click title", "key Esc", "key Delete"}
        << QStringList{"count = 6", "slide1.标题.已删除 = 是", "slide1.副标题.已删除 = "};
    QTest::newRow("全选 without a caret, then Delete") << QStringList{"select 2", "command 全选", "key Delete"}
        << QStringList{"count = 6", "slide2.标题.已删除 = 是", "slide2.正文.已删除 = 是"};
}

void TestSimulatorUi::keysActOnTheSlides()
{
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    QVERIFY(showActive(window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    for (const QString &g : gestures) {
        if (g.startsWith(u"listkey ")) {
            list->setFocus();
            QTest::keySequence(list, QKeySequence(g.section(u' ', 1)));
        } else if (g.startsWith(u"sorter")) {
            auto *slide = window.findChild<SlideView *>(QStringLiteral("slide"));
            const QString what = g.section(u' ', 1);
            if (g.startsWith(u"sorterkey")) {
                QTest::keySequence(slide, QKeySequence(what));
            } else if (g.startsWith(u"sortergap")) {
                QVERIFY(!slide->gapRect(what.toInt()).isEmpty());
                QTest::mouseClick(slide, Qt::LeftButton, {}, slide->gapRect(what.toInt()).center().toPoint());
                QCOMPARE(slide->insertionBar(), what.toInt());
            } else if (g.startsWith(u"sorterdrag")) {
                // From where the last press was (the slide chosen last, or the bar) to the gap.
                const int bar = slide->insertionBar();
                const QPoint from = (bar > 0 ? slide->gapRect(bar) : slide->sorterCell(window.session().current() - 1)).center().toPoint();
                drag(slide, from, slide->gapRect(what.toInt()).center().toPoint());
            } else {
                const QPoint at = slide->sorterCell(what.section(u' ', 0, 0).toInt() - 1).center().toPoint();
                const QString keys = what.section(u' ', 1);
                const Qt::KeyboardModifiers held = keys == u"Ctrl" ? Qt::ControlModifier : keys == u"Shift" ? Qt::ShiftModifier : Qt::NoModifier;
                if (g.startsWith(u"sorterdouble"))
                    QTest::mouseDClick(slide, Qt::LeftButton, {}, at);
                else
                    QTest::mouseClick(slide, Qt::LeftButton, held, at);
            }
        } else if (g.startsWith(u"command ")) {
            window.findChild<QAction *>(QStringLiteral("command:") + g.section(u' ', 1))->trigger();
        } else {
            QVERIFY2(editorGesture(window, g), qPrintable(g));
        }
    }
    for (const QString &check : checks) {
        const QString path = check.section(QStringLiteral(" = "), 0, 0);
        QCOMPARE(path + QStringLiteral(" = ") + window.session().document().value(path), check);
    }
}

// A slide dropped on the lower half of another goes after it, on its upper
// half before it; the list shows the new order.
void TestSimulatorUi::slidesDraggedInTheList()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QVERIFY(editorGesture(window, QStringLiteral("select 2")));
    auto dropOn = [list, &window](int row, bool lowerHalf) {
        list->scrollToItem(list->item(row));
        const QRect rect = list->visualItemRect(list->item(row));
        window.dropSlides(QPoint(rect.center().x(), lowerHalf ? rect.bottom() - 3 : rect.top() + 3));
    };
    QVERIFY(list->dragEnabled());
    dropOn(4, true);
    const Document &document = window.session().document();
    QCOMPARE(document.value(QStringLiteral("slide5.title")), QStringLiteral("公司概况"));
    QCOMPARE(document.value(QStringLiteral("doc.选中")), QStringLiteral("5"));
    QCOMPARE(list->count(), 6);
    QVERIFY(list->item(4)->text().endsWith(QStringLiteral("公司概况")));
    dropOn(0, false);
    QCOMPARE(document.value(QStringLiteral("slide1.title")), QStringLiteral("公司概况"));
    QCOMPARE(document.value(QStringLiteral("slide2.title")), QStringLiteral("年度工作总结"));
}

// Right-clicking a placeholder or the slide opens the editor's own menus, in Chinese.
void TestSimulatorUi::contextMenusAreTheEditors()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
    auto *slide = window.findChild<QWidget *>(QStringLiteral("slide"));
    for (const auto &[target, name, entry] : {std::tuple{title->viewport(), "textMenu", "字体(&F)…"},
                                              std::tuple{slide, "slideMenu", "网格和参考线(&I)…"}}) {
        QStringList seen;
        QTimer::singleShot(200, this, [&seen, name = QString::fromUtf8(name)] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *menu = qobject_cast<QMenu *>(w); menu && menu->isVisible() && menu->objectName() == name) {
                    for (QAction *action : menu->actions())
                        seen << action->text();
                    menu->close();
                }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        QTRY_VERIFY(!seen.isEmpty());
        QVERIFY2(seen.contains(QString::fromUtf8(entry)), qPrintable(seen.join(u' ')));
        for (const QString &text : seen)
            QVERIFY2(!text.contains(QStringLiteral("&Copy")) && !text.contains(QStringLiteral("Paste")), qPrintable(text));
    }

    // In the sorter: a slide right-clicked is chosen and its menu acts on the
    // chosen slides; right-clicked in a gap, the insertion bar goes there.
    window.trigger(QStringLiteral("幻灯片浏览"));
    auto *sorter = window.findChild<SlideView *>(QStringLiteral("slide"));
    QVERIFY(sorter->isSorter());
    const auto rightClick = [this, sorter](const QPoint &at) {
        QStringList seen;
        QTimer::singleShot(200, this, [&seen] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()); menu && menu->objectName() == u"sorterMenu") {
                for (QAction *action : menu->actions())
                    if (!action->isSeparator())
                        seen << action->objectName().section(u':', 1);
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, sorter->mapToGlobal(at));
        QApplication::sendEvent(sorter, &event);
        return seen;
    };
    QCOMPARE(rightClick(sorter->sorterCell(3).center().toPoint()),
             (QStringList{"剪切", "复制", "粘贴", "新幻灯片", "删除幻灯片", "隐藏幻灯片", "幻灯片切换", "幻灯片设计", "背景"}));
    QCOMPARE(window.session().selection(), QList<int>{4});
    QCOMPARE(rightClick(sorter->gapRect(3).center().toPoint()), (QStringList{"粘贴", "新幻灯片"}));
    QCOMPARE(sorter->insertionBar(), 3);
}

void TestSimulatorUi::passwordsAreMasked()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The passwords are set on the 安全性 tab of 工具 → 选项, not in the presentation's 属性.
    window.trigger(QStringLiteral("属性"));
    QVERIFY(window.openDialog());
    QVERIFY(!window.openDialog()->revealField(QStringLiteral("打开权限密码")));
    window.openDialog()->close();
    window.trigger(QStringLiteral("选项"));
    QVERIFY(window.openDialog());
    auto *tabs = window.openDialog()->findChild<QTabWidget *>();
    QVERIFY(tabs);
    for (const char *name : {"打开权限密码", "修改权限密码"}) {
        tabs->setCurrentIndex(0);
        auto *edit = qobject_cast<QLineEdit *>(window.openDialog()->revealField(QString::fromUtf8(name)));
        QVERIFY2(edit && edit->echoMode() == QLineEdit::Password, name);
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("安全性"));
        QVERIFY2(edit->isVisible() && !edit->accessibleName().isEmpty(), name);
    }
    window.openDialog()->close();
}

void TestSimulatorUi::undoAndRedoGreyed_data()
{
    QTest::addColumn<QString>("steps");         // the task's solution
    QTest::addColumn<QStringList>("actions");   // "type": a key typed into the title; a command through its entry
    QTest::addColumn<bool>("undo");
    QTest::addColumn<bool>("redo");
    QTest::newRow("nothing done") << "" << QStringList{} << false << false;
    QTest::newRow("typed") << "" << QStringList{"type"} << true << false;
    QTest::newRow("typed, undone") << "" << QStringList{"type", "撤销"} << false << true;
    QTest::newRow("undone, redone") << "" << QStringList{"type", "撤销", "恢复"} << true << false;
    QTest::newRow("a task about undoing") << "step: command 撤销 | 单击“撤销”命令\n" << QStringList{} << true << false;
    QTest::newRow("a task about redoing") << "step: command 恢复 | 单击“恢复”命令\n" << QStringList{} << false << true;
}

// 撤销 and 恢复, menu entry and toolbar button, are greyed while there is
// nothing to take back or bring back.
void TestSimulatorUi::undoAndRedoGreyed()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, actions);
    QFETCH(bool, undo);
    QFETCH(bool, redo);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n") + steps));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString &action : actions) {
        if (action == u"type") {
            auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
            title->setFocus();
            title->moveCursor(QTextCursor::End);
            QTest::keyClicks(title, QStringLiteral("x"));
        } else {
            window.findChild<QAction *>(QStringLiteral("command:") + action)->trigger();
        }
    }
    auto *bar = window.findChild<QToolBar *>(QStringLiteral("toolbar"));
    QAction *undoEntry = window.findChild<QAction *>(QStringLiteral("command:撤销"));
    QCOMPARE(undoEntry->isEnabled(), undo);
    QCOMPARE(bar->widgetForAction(undoEntry)->isEnabled(), undo);
    QCOMPARE(window.findChild<QAction *>(QStringLiteral("command:恢复"))->isEnabled(), redo);
}

void TestSimulatorUi::fileDialogsListTheFolder_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("picked");      // double-clicked in the folder's list
    QTest::addColumn<QString>("notListed");   // a file of another type
    QTest::addColumn<QString>("checks");      // "path=value;…" afterwards
    QTest::newRow("open") << "打开" << "销售报告.dps" << "风景.jpg" << "doc.打开.文件名=销售报告.dps;doc.打开.打开方式=打开";
    QTest::newRow("save as") << "另存为" << "年度总结.dps" << "公司模板.dpt"
                             << "doc.另存为.文件名=年度总结.dps;doc.另存为.保存类型=金山演示文件（*.dps）";
    QTest::newRow("save, never saved") << "保存" << "产品介绍.dps" << "背景音乐.wav" << "doc.保存.文件名=产品介绍.dps";
    QTest::newRow("picture from a file") << "图片" << "风景.jpg" << "产品介绍.dps"
                                         << "slide1.图片=1;slide1.图片.名称=风景.jpg;slide1.图片.来源=来自文件";
    QTest::newRow("slides from a file, browsed") << "幻灯片（从文件）" << "产品介绍.dps" << "风景.jpg"
                                                 << "count=9;slide2.title=产品介绍 第1张";
}

// The file dialogs show the candidate's folder with the files of their type;
// a double click on one (in 浏览 where the dialog has it) takes it, and the
// dialog's defaults (the type, how to open) go with it.
void TestSimulatorUi::fileDialogsListTheFolder()
{
    QFETCH(QString, command);
    QFETCH(QString, picked);
    QFETCH(QString, notListed);
    QFETCH(QString, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.trigger(command);
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    // Without a file name the dialog takes nothing.
    const QMap<QString, QString> shown = dialog->values();
    if (shown.value(QStringLiteral("文件名")).isEmpty() && shown.value(QStringLiteral("名称")).isEmpty()
        && shown.value(QStringLiteral("文件")).isEmpty()) {
        dialog->okButton()->click();
        QVERIFY(window.openDialog() && window.openDialog()->isVisible());
        QVERIFY(window.session().document() == Session(taskFrom(QStringLiteral("start: slides = 6\n")).startDocument()).document());
    }
    // Where the file comes from is the menu entry's to say, not a box's.
    if (QWidget *source = dialog->fieldBox(QStringLiteral("来源")))
        QVERIFY(!source->isVisible());
    auto *folder = dialog->findChild<QComboBox *>(QStringLiteral("folder"));
    if (auto *browse = dialog->findChild<QPushButton *>(QStringLiteral("browse"))) {
        QVERIFY(!folder);
        browse->click();
        QTRY_VERIFY(dialog->findChild<QDialog *>(QStringLiteral("browseDialog")));
        folder = dialog->findChild<QDialog *>(QStringLiteral("browseDialog"))->findChild<QComboBox *>(QStringLiteral("folder"));
    }
    QVERIFY(folder);
    QCOMPARE(folder->currentText(), QStringLiteral("考生文件夹"));
    FolderView *files = dialog->folderView();
    QVERIFY(files && files->isVisible());
    QVERIFY2(files->shownFiles().contains(picked) && !files->shownFiles().contains(notListed),
             qPrintable(files->shownFiles().join(u' ')));
    const QList<QListWidgetItem *> found = files->findItems(picked, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    // A double click: the press, release and press of a real one, then its double click.
    const QPoint at = files->visualItemRect(found.first()).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
    if (dialog->findChild<QPushButton *>(QStringLiteral("browse"))) {
        QTRY_VERIFY(!dialog->findChild<QDialog *>(QStringLiteral("browseDialog")));
        QCOMPARE(dialog->values().value(QStringLiteral("文件")), picked);
        dialog->okButton()->click();
    }
    QTRY_VERIFY(!window.openDialog());
    for (const QString &check : checks.split(u';'))
        QCOMPARE(window.session().document().value(check.section(u'=', 0, 0)), check.section(u'=', 1));
}

void TestSimulatorUi::mediaInsertedFromTheSubmenu_data()
{
    QTest::addColumn<QString>("entry");       // of 插入 → 影片和声音
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("place");       // the folder the dialog lists
    QTest::addColumn<QString>("picked");      // double-clicked there
    QTest::addColumn<QString>("notListed");
    QTest::addColumn<QString>("answer");      // the button of the question after 确定
    QTest::addColumn<QString>("checks");      // "path=value;…" afterwards
    QTest::newRow("a sound from a file, at once") << "文件中的声音" << "插入声音" << "考生文件夹" << "提示音.mid"
        << "宣传片.avi" << "自动" << "slide1.媒体=1;slide1.媒体.类型=声音;slide1.媒体.文件=提示音.mid;slide1.媒体.播放=自动";
    QTest::newRow("a movie of the gallery, on a click") << "剪辑管理器中的影片" << "插入影片" << "剪辑管理器" << "地球.mpg"
        << "宣传片.avi" << "单击时" << "slide1.媒体=1;slide1.媒体.类型=影片;slide1.媒体.文件=地球.mpg;slide1.媒体.播放=单击时";
}

// 插入 → 影片和声音 is the editor's submenu: its entry chooses the kind, the
// file dialog the file, and only the answer to how it starts playing inserts
// the object, in the middle of the slide; the dialog has no box for either.
void TestSimulatorUi::mediaInsertedFromTheSubmenu()
{
    QFETCH(QString, entry);
    QFETCH(QString, title);
    QFETCH(QString, place);
    QFETCH(QString, picked);
    QFETCH(QString, notListed);
    QFETCH(QString, answer);
    QFETCH(QString, checks);
    const Task task = taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n"));
    EditorWindow window(task);
    QVERIFY(showActive(window));
    auto *insert = window.findChild<QMenu *>(QStringLiteral("menu:插入"));
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(insert->menuAction()).center());
    QTRY_VERIFY(insert->isVisible());
    auto *media = window.findChild<QMenu *>(QStringLiteral("menu:影片和声音"));
    QVERIFY(media);
    QStringList entries;
    for (QAction *action : media->actions())
        if (!action->isSeparator())
            entries << action->text().section(u'(', 0, 0).trimmed() + (action->isEnabled() ? QString() : QStringLiteral("（灰）"));
    QCOMPARE(entries, QStringList({"剪辑管理器中的影片", "文件中的影片", "剪辑管理器中的声音", "文件中的声音", "播放 CD 乐曲（灰）",
                                   "录制声音（灰）"}));
    QVERIFY(clickEntry(insert, QStringLiteral("entry:影片和声音:") + entry));
    QTRY_VERIFY(window.openDialog() && window.openDialog()->isVisible());
    CommandDialog *dialog = window.openDialog();
    QCOMPARE(dialog->windowTitle(), title);
    QVERIFY(!dialog->fieldBox(QStringLiteral("类型"))->isVisible());
    QVERIFY(!dialog->fieldBox(QStringLiteral("播放")));
    QCOMPARE(dialog->findChild<QComboBox *>(QStringLiteral("folder"))->currentText(), place);
    FolderView *files = dialog->folderView();
    QVERIFY2(files->shownFiles().contains(picked) && !files->shownFiles().contains(notListed), qPrintable(files->shownFiles().join(u' ')));
    const QPoint at = files->visualItemRect(files->findItems(picked, Qt::MatchExactly).value(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
    // 确定 asks first; nothing is inserted before the answer.
    QTRY_VERIFY(dialog->findChild<QDialog *>(QStringLiteral("questionBox")));
    auto *question = dialog->findChild<QDialog *>(QStringLiteral("questionBox"));
    QTRY_VERIFY(question->isVisible());
    QCOMPARE(question->findChild<QLabel *>(QStringLiteral("question"))->text(),
             QStringLiteral("您希望在幻灯片放映中如何开始播放%1？").arg(title.mid(2)));
    QVERIFY(window.session().document() == Session(task.startDocument()).document());
    auto *button = qobject_cast<QPushButton *>(dialog->acceptButton(answer));
    QVERIFY(button);
    QCOMPARE(button->text().section(u'(', 0, 0), answer == u"自动" ? QStringLiteral("自动") : QStringLiteral("在单击时"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(!window.openDialog());
    for (const QString &check : checks.split(u';'))
        QCOMPARE(window.session().document().value(check.section(u'=', 0, 0)), check.section(u'=', 1));
    const auto shape = Shapes::find(window.session().document().slides.at(0), QStringLiteral("媒体"));
    QVERIFY(shape);
    QCOMPARE(Shapes::regionOf(shape->frame), QStringLiteral("中央"));
}

void TestSimulatorUi::savedAsPicturesAsksWhichSlides_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("answer");   // the button of the question; empty: none is asked
    QTest::addColumn<QString>("saved");    // the file written; empty: nothing
    QTest::newRow("a presentation") << "金山演示文件（*.dps）" << "" << "汇报.dps";
    QTest::newRow("every slide as JPEG") << "JPEG 文件交换格式（*.jpg）" << "每张幻灯片" << "汇报.jpg";
    QTest::newRow("the current slide as PNG") << "PNG 可移植网络图形格式（*.png）" << "仅当前幻灯片" << "汇报.png";
    QTest::newRow("asked, then cancelled") << "PNG 可移植网络图形格式（*.png）" << "取消" << "";
}

// Saved as a picture type, 保存 asks whether every slide or the current one
// becomes a picture; the presentation keeps its own name. 取消 there leaves
// the dialog open with nothing saved.
void TestSimulatorUi::savedAsPicturesAsksWhichSlides()
{
    QFETCH(QString, type);
    QFETCH(QString, answer);
    QFETCH(QString, saved);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("另存为"));
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    setThroughControl(dialog->fieldBox(QStringLiteral("文件名")), QStringLiteral("汇报"));
    setThroughControl(dialog->fieldBox(QStringLiteral("保存类型")), type);
    dialog->okButton()->click();
    auto *question = dialog->findChild<QDialog *>(QStringLiteral("questionBox"));
    if (answer.isEmpty()) {
        QVERIFY(!question);
    } else {
        QVERIFY(question);
        QTRY_VERIFY(question->isVisible());
        QCOMPARE(question->findChild<QLabel *>(QStringLiteral("question"))->text(),
                 QStringLiteral("您希望导出演示文稿中的所有幻灯片还是只导出当前幻灯片？"));
        QStringList buttons;
        for (QPushButton *button : question->findChildren<QPushButton *>())
            buttons << button->text();
        QCOMPARE(buttons, QStringList({"每张幻灯片(&E)", "仅当前幻灯片(&C)", "取消"}));
        if (answer == u"取消") {
            question->findChild<QPushButton *>(QStringLiteral("questionCancel"))->click();
            QTRY_VERIFY(!question->isVisible());
            QVERIFY(dialog->isVisible());
        } else {
            qobject_cast<QPushButton *>(dialog->acceptButton(answer))->click();
        }
    }
    const Document &document = window.session().document();
    if (saved.isEmpty()) {
        QVERIFY(!window.session().folderFiles().contains(QStringLiteral("汇报.png")));
        QCOMPARE(document.value(QStringLiteral("doc.另存为")), QString());
        dialog->close();
        return;
    }
    QTRY_VERIFY(!window.openDialog());
    QCOMPARE(document.value(QStringLiteral("doc.另存为.文件名")), saved);
    QCOMPARE(document.value(QStringLiteral("doc.另存为.导出")), answer);
    QVERIFY(window.session().folderFiles().contains(saved));
    QCOMPARE(window.session().fileName(), saved.endsWith(u".dps") ? saved : QString());
}

// What the candidate saved is in the folder the next file dialog lists, and
// 保存 saves a presentation saved before under its name, without asking.
void TestSimulatorUi::savedFilesAreListedAndSavedAgain()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.trigger(QStringLiteral("另存为"));
    QVERIFY(window.openDialog());
    QCOMPARE(window.openDialog()->values().value(QStringLiteral("文件名")), QStringLiteral("演示文稿1"));
    setThroughControl(window.openDialog()->fieldBox(QStringLiteral("文件名")), QStringLiteral("工作汇报"));
    setThroughControl(window.openDialog()->fieldBox(QStringLiteral("保存类型")), QStringLiteral("PPT 文件（*.ppt）"));
    QVERIFY(window.openDialog()->folderView()->shownFiles().isEmpty());   // no .ppt in the folder yet
    window.openDialog()->okButton()->click();
    QTRY_VERIFY(!window.openDialog());

    window.trigger(QStringLiteral("打开"));
    QVERIFY(window.openDialog());
    QVERIFY(window.openDialog()->folderView()->shownFiles().contains(QStringLiteral("工作汇报.ppt")));
    window.openDialog()->close();
    QTRY_VERIFY(!window.openDialog());

    window.trigger(QStringLiteral("保存"));
    QVERIFY(!window.openDialog());
    QCOMPARE(window.session().document().value(QStringLiteral("doc.保存.文件名")), QStringLiteral("工作汇报.ppt"));
}

namespace {

bool chinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff; });
}

QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; parent && i < parent->childCount(); ++i)
        if (QAccessibleInterface *child = parent->child(i))
            names << child->text(QAccessible::Name);
    return names;
}

} // namespace

// What a screen reader says for every control the candidate can reach: a
// Chinese name for each, the slides by number and title, the task pane's
// painted entries as links that can be pressed.
void TestSimulatorUi::everyControlHasAChineseName()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList unnamed;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->isVisible() || w->objectName() == u"qt_scrollarea_viewport")
            continue;
        const bool control = w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w);
        if (!control || w->inherits("QToolBarExtension") || w->inherits("QScrollBar"))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        // A drop-down is read out by its value on this platform; its own name is its label.
        const bool named = face && (chinese(face->text(QAccessible::Name))
                                    || (qobject_cast<QComboBox *>(w) && chinese(w->accessibleName())));
        if (!named)
            unnamed << QStringLiteral("%1 %2").arg(QString::fromUtf8(w->metaObject()->className()), w->objectName());
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));

    const QStringList titles = childNames(QAccessible::queryAccessibleInterface(window.menuBar()));
    QVERIFY2(titles.size() == 9 && std::all_of(titles.begin(), titles.end(), chinese), qPrintable(titles.join(u' ')));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QVERIFY2(childNames(QAccessible::queryAccessibleInterface(list)).contains(QStringLiteral("3 市场分析")),
             qPrintable(childNames(QAccessible::queryAccessibleInterface(list)).join(u' ')));

    QAccessibleInterface *pane = QAccessible::queryAccessibleInterface(window.findChild<QWidget *>(QStringLiteral("taskPane")));
    QTRY_VERIFY(childNames(pane).contains(QStringLiteral("空演示文稿")));
    QVERIFY(childNames(pane).contains(QStringLiteral("关闭任务窗格")));
    QAccessibleInterface *blank = pane->child(int(childNames(pane).indexOf(QStringLiteral("空演示文稿"))));
    QCOMPARE(blank->role(), QAccessible::Link);
    QVERIFY(blank->actionInterface());
    blank->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(window.session().document().value(QStringLiteral("count")), QStringLiteral("1"));

    // The sorter's gaps are named, the insertion bar's among them; a press places the bar.
    for (int k = 0; k < 2; ++k) {   // three slides again
        window.trigger(QStringLiteral("新幻灯片"));
        window.openDialog()->okButton()->click();
    }
    window.trigger(QStringLiteral("幻灯片浏览"));
    auto *sorter = window.findChild<SlideView *>(QStringLiteral("slide"));
    QTest::mouseClick(sorter, Qt::LeftButton, {}, sorter->gapRect(2).center().toPoint());
    QAccessibleInterface *area = QAccessible::queryAccessibleInterface(sorter);
    const QStringList names = childNames(area);
    QVERIFY2(names.contains(QStringLiteral("插入点：第1张和第2张幻灯片之间")) && names.contains(QStringLiteral("第1张幻灯片之前")),
             qPrintable(names.join(u' ')));
    QAccessibleInterface *end = area->child(int(names.indexOf(QStringLiteral("最后一张幻灯片之后"))));
    QVERIFY(end && end->actionInterface());
    end->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(sorter->insertionBar(), 4);
    QCOMPARE(area->indexOfChild(end), int(names.indexOf(QStringLiteral("最后一张幻灯片之后"))));
}

// With the caret in a placeholder, 字体 opens showing that placeholder's
// format, and 中文版式 (which names no object) applies to it; 打印 opens on
// the editor's defaults.
void TestSimulatorUi::dialogsOpenOnTheSelection()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\nstart: slide2.正文.颜色 = 红色\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(editorGesture(window, QStringLiteral("select 2")));
    QVERIFY(editorGesture(window, QStringLiteral("click body")));
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    QMap<QString, QString> shown = window.openDialog()->values();
    QCOMPARE(shown.value(QStringLiteral("对象")), QStringLiteral("正文"));
    QCOMPARE(shown.value(QStringLiteral("颜色")), QStringLiteral("红色"));
    QCOMPARE(shown.value(QStringLiteral("字号")), QStringLiteral("32"));
    QCOMPARE(shown.value(QStringLiteral("中文字体")), QStringLiteral("宋体"));
    window.openDialog()->close();

    window.trigger(QStringLiteral("中文版式"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("选项")), QStringLiteral("允许标点溢出边界"));
    window.openDialog()->okButton()->click();
    QCOMPARE(window.session().document().value(QStringLiteral("slide2.正文.选项")), QStringLiteral("允许标点溢出边界"));
    QCOMPARE(window.session().document().value(QStringLiteral("slide2.正文.颜色")), QStringLiteral("红色"));

    // A document-wide dialog opens on the editor's defaults, which 确定
    // keeps, and later on what was chosen in it.
    window.trigger(QStringLiteral("打印"));
    QVERIFY(window.openDialog());
    shown = window.openDialog()->values();
    QCOMPARE(shown.value(QStringLiteral("打印范围")), QStringLiteral("全部"));
    QCOMPARE(shown.value(QStringLiteral("份数")), QStringLiteral("1"));
    QCOMPARE(shown.value(QStringLiteral("打印内容")), QStringLiteral("幻灯片"));
    setThroughControl(window.openDialog()->revealField(QStringLiteral("份数")), QStringLiteral("3"));
    window.openDialog()->okButton()->click();
    QCOMPARE(window.session().document().value(QStringLiteral("doc.打印.逐份打印")), QStringLiteral("是"));
    window.trigger(QStringLiteral("打印"));
    QVERIFY(window.openDialog());
    QCOMPARE(window.openDialog()->values().value(QStringLiteral("份数")), QStringLiteral("3"));
    window.openDialog()->close();
}

void TestSimulatorUi::objectEntriesOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("start");     // slide 1 holds the object
    QTest::addColumn<QString>("way");       // "context <shape>" or "编辑" with "shape <shape>" selected
    QTest::addColumn<QString>("entries");   // the context menu's or the 编辑 menu's object entry; "|" a line
    QTest::addColumn<QString>("entry");     // the entry chosen; empty: greyed, nothing to choose
    QTest::addColumn<QString>("title");     // the dialog it opens
    QTest::addColumn<QString>("shown");     // a field the dialog shows set, "field=value"
    const QString sound = QStringLiteral("start: slide1.媒体 = 1\nstart: slide1.媒体.类型 = 声音\n");
    const QString movie = QStringLiteral("start: slide1.媒体 = 1\nstart: slide1.媒体.类型 = 影片\n");
    QTest::newRow("table's own menu") << "start: slide1.表格 = 1\n" << "context 表格"
        << "剪切(&T) 复制(&C) 粘贴(&P) | 边框和填充(&B)… | 插入行(&I)… 插入列(&C)… 删除行(&D)… 删除列(&L)… | "
           "合并单元格(&M)… 拆分单元格(&T)… | 自定义动画(&M)… 动作设置(&A)… 超链接(&I)… | 设置表格格式(&O)…"
        << "entry:表格属性:删除列" << "设置表格格式" << "操作=删除";
    QTest::newRow("table's cells merged") << "start: slide1.表格 = 1\nstart: slide1.表格.填充颜色 = 浅黄色\n" << "context 表格" << ""
        << "entry:表格属性:合并单元格" << "设置表格格式" << "填充颜色=浅黄色";
    QTest::newRow("sound's menu") << sound + "start: slide1.媒体.循环播放 = 是\n" << "context 媒体" << ""
        << "command:编辑声音对象" << "声音选项" << "循环播放=是";
    QTest::newRow("编辑 menu, a sound") << sound + "start: slide1.媒体.放映时隐藏声音图标 = 是\n" << "编辑" << "声音 对象(&O)"
        << "command:编辑声音对象" << "声音选项" << "放映时隐藏声音图标=是";
    QTest::newRow("编辑 menu, a movie") << movie + "start: slide1.媒体.播放完毕后返回开头 = 是\n" << "编辑" << "影片 对象(&O)"
        << "command:编辑影片对象" << "影片选项" << "播放完毕后返回开头=是";
    QTest::newRow("编辑 menu, a picture") << "start: slide1.图片 = 1\n" << "编辑" << "对象(&O)" << "" << "" << "";
}

// A table's context menu has its rows, columns and cells; a sound's or a
// movie's options are in its context menu and, named after it, in the 编辑
// menu. Each entry opens its dialog showing what is set.
void TestSimulatorUi::objectEntriesOpenTheirDialogs()
{
    QFETCH(QString, start);
    QFETCH(QString, way);
    QFETCH(QString, entries);
    QFETCH(QString, entry);
    QFETCH(QString, title);
    QFETCH(QString, shown);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n") + start));
    QVERIFY(showActive(window));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    const auto texts = [](const QMenu *menu) {
        QStringList seen;
        for (QAction *action : menu->actions())
            if (action->isVisible())
                seen << (action->isSeparator() ? QStringLiteral("|") : action->text());
        return seen.join(u' ');
    };
    if (way.startsWith(u"context ")) {
        QString seen;
        bool chosen = false;
        QTimer::singleShot(50, this, [&] {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!popup)
                return;
            seen = texts(popup);
            chosen = clickEntry(popup, entry);
        });
        const QPoint at = view->shapeGrip(way.section(u' ', 1));
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &event);
        if (!entries.isEmpty())
            QCOMPARE(seen, entries);
        QVERIFY(chosen);
    } else {
        const QString shape = start.section(u'.', 1, 1).section(u' ', 0, 0);
        QVERIFY(shapeGesture(window, TaskStep{TaskStep::Kind::Shape, shape, {}, {}}));
        auto *edit = window.findChild<QMenu *>(QStringLiteral("menu:编辑"));
        QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(edit->menuAction()).center());
        QTRY_VERIFY(edit->isVisible());
        QAction *object = edit->actions().last();
        QCOMPARE(object->text(), entries);
        QCOMPARE(object->isEnabled(), !entry.isEmpty());
        QVERIFY(object->menu());
        edit->close();
        if (entry.isEmpty())
            return;
        QCOMPARE(texts(object->menu()), QStringLiteral("编辑(&E)"));
        QAction *open = object->menu()->findChild<QAction *>(entry);
        QVERIFY(open && open->isVisible());
        open->trigger();
    }
    QTRY_VERIFY(window.openDialog());
    QCOMPARE(window.openDialog()->windowTitle(), title);
    QCOMPARE(window.openDialog()->values().value(shown.section(u'=', 0, 0)), shown.section(u'=', 1));
    window.openDialog()->close();
}

void TestSimulatorUi::formatBarReachesTheDocument_data()
{
    // The start, what the candidate does, and the command with the fields its
    // dialog would need for the same change, run with slide `from` selected.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("check");
    QTest::newRow("font of the title, nothing clicked") << "" << QStringList{"font 黑体"} << 1
        << "字体 对象=标题 中文字体=黑体" << "slide1.标题.中文字体 = 黑体";
    QTest::newRow("size of the body") << "" << QStringList{"select 2", "click body", "size 28"} << 2
        << "字体 对象=正文 字号=28" << "slide2.正文.字号 = 28";
    QTest::newRow("bold") << "" << QStringList{"select 3", "click title", "button 加粗"} << 3
        << "字体 对象=标题 字形=加粗" << "slide3.标题.字形 = 加粗";
    QTest::newRow("italic kept with bold") << "start: slide2.正文.字形 = 加粗\n" << QStringList{"select 2", "click body", "button 倾斜"} << 2
        << "字体 对象=正文 字形=加粗倾斜" << "slide2.正文.字形 = 加粗倾斜";
    QTest::newRow("bold off, italic stays") << "start: slide1.标题.字形 = 加粗倾斜\n" << QStringList{"click title", "button 加粗"} << 1
        << "字体 对象=标题 字形=倾斜" << "slide1.标题.字形 = 倾斜";
    QTest::newRow("underline of the subtitle") << "" << QStringList{"click body", "button 下划线"} << 1
        << "字体 对象=副标题 下划线=单线" << "slide1.副标题.下划线 = 单线";
    QTest::newRow("right aligned body") << "" << QStringList{"select 4", "click body", "button 右对齐"} << 4
        << "对齐方式 对象=正文 对齐=右对齐" << "slide4.正文.对齐 = 右对齐";
    QTest::newRow("centred body") << "" << QStringList{"select 2", "click body", "button 居中"} << 2
        << "对齐方式 对象=正文 对齐=居中对齐" << "slide2.正文.对齐 = 居中对齐";
    QTest::newRow("left aligned title") << "" << QStringList{"click title", "button 左对齐"} << 1
        << "对齐方式 对象=标题 对齐=左对齐" << "slide1.标题.对齐 = 左对齐";
    QTest::newRow("larger") << "" << QStringList{"select 2", "click title", "button 增大字号"} << 2
        << "增大字号 对象=标题" << "slide2.标题.字号 = 48";
    QTest::newRow("smaller body") << "start: slide2.正文.字号 = 20\n" << QStringList{"select 2", "click body", "button 减小字号"} << 2
        << "减小字号 对象=正文" << "slide2.正文.字号 = 18";
    QTest::newRow("colour from the list") << "" << QStringList{"select 2", "click title", "colour 蓝色"} << 2
        << "字体 对象=标题 颜色=蓝色" << "slide2.标题.颜色 = 蓝色";
    QTest::newRow("shadow") << "" << QStringList{"select 3", "click title", "button 文字阴影"} << 3
        << "字体 对象=标题 效果=阴影" << "slide3.标题.效果 = 阴影";
    QTest::newRow("shadow off") << "start: slide2.正文.效果 = 阴影\n" << QStringList{"select 2", "click body", "button 文字阴影"} << 2
        << "字体 对象=正文 效果=无" << "slide2.正文.效果 = 无";
    QTest::newRow("a Western font is the Western one") << "start: slide1.标题.中文字体 = 黑体\n" << QStringList{"click title", "font Arial"} << 1
        << "字体 对象=标题 西文字体=Arial" << "slide1.标题.西文字体 = Arial";
    QTest::newRow("colour button, the colour it shows") << "" << QStringList{"select 3", "click body", "colour"} << 3
        << "字体 对象=正文 颜色=红色" << "slide3.正文.颜色 = 红色";
    // The editor's keys do what the buttons do.
    QTest::newRow("Ctrl+B") << "" << QStringList{"select 3", "click title", "key Ctrl+B"} << 3
        << "字体 对象=标题 字形=加粗" << "slide3.标题.字形 = 加粗";
    QTest::newRow("Ctrl+I in the body") << "" << QStringList{"select 2", "click body", "key Ctrl+I"} << 2
        << "字体 对象=正文 字形=倾斜" << "slide2.正文.字形 = 倾斜";
    QTest::newRow("Ctrl+U in the title") << "" << QStringList{"click title", "key Ctrl+U"} << 1
        << "字体 对象=标题 下划线=单线" << "slide1.标题.下划线 = 单线";
    QTest::newRow("Ctrl+E in the body") << "" << QStringList{"select 2", "click body", "key Ctrl+E"} << 2
        << "对齐方式 对象=正文 对齐=居中对齐" << "slide2.正文.对齐 = 居中对齐";
    QTest::newRow("Ctrl+J") << "" << QStringList{"select 2", "click body", "key Ctrl+J"} << 2
        << "对齐方式 对象=正文 对齐=两端对齐" << "slide2.正文.对齐 = 两端对齐";
    QTest::newRow("Ctrl+]") << "" << QStringList{"select 2", "click title", "key Ctrl+]"} << 2
        << "增大字号 对象=标题" << "slide2.标题.字号 = 48";
    QTest::newRow("zoom box") << "" << QStringList{"zoom 50%"} << 1 << "显示比例 比例=50%" << "doc.显示比例.比例 = 50%";
    QTest::newRow("format painter to another slide")
        << "start: slide1.标题.中文字体 = 隶书\nstart: slide1.标题.字号 = 54\n"
        << QStringList{"click title", "button 格式刷", "select 3", "click title"} << 1
        << "格式刷 对象=标题 目标幻灯片=第3张 目标对象=标题" << "slide3.标题.字号 = 54";
    QTest::newRow("format painter within the slide")
        << "start: slide2.标题.颜色 = 红色\n" << QStringList{"select 2", "click title", "button 格式刷", "click body"} << 2
        << "格式刷 对象=标题 目标幻灯片=第2张 目标对象=正文" << "slide2.正文.颜色 = 红色";
}

// Each control of the formatting toolbar changes the placeholder being
// edited exactly as its command's dialog does.
void TestSimulatorUi::formatBarReachesTheDocument()
{
    QFETCH(QString, start);
    QFETCH(QStringList, gestures);
    QFETCH(int, from);
    QFETCH(QString, dialog);
    QFETCH(QString, check);
    const Task task = taskFrom(QStringLiteral("start: slides = 6\n") + start);
    EditorWindow window(task);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString &g : gestures)
        QVERIFY2(editorGesture(window, g), qPrintable(g));

    Session expected(task.startDocument());
    expected.select(from);
    QMap<QString, QString> fields;
    for (const QString &pair : dialog.section(u' ', 1).split(u' '))
        fields.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    QVERIFY(expected.run(dialog.section(u' ', 0, 0), fields));
    QVERIFY(window.session().document().slides == expected.document().slides);
    const QString path = check.section(QStringLiteral(" = "), 0, 0);
    QCOMPARE(path + QStringLiteral(" = ") + window.session().document().value(path), check);
}

void TestSimulatorUi::formatBarShowsTheEditedFormat_data()
{
    // The start, where the candidate clicks, and what the bar shows: font,
    // size and the buttons pressed in.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a title as it starts") << "" << QStringList{} << "宋体 44 居中";
    QTest::newRow("a subtitle as it starts") << "" << QStringList{"click body"} << "宋体 32 居中";
    QTest::newRow("a body as it starts") << "" << QStringList{"select 2", "click body"} << "宋体 32 左对齐";
    QTest::newRow("a formatted body")
        << "start: slide2.正文.中文字体 = 楷体_GB2312\nstart: slide2.正文.字号 = 30\nstart: slide2.正文.字形 = 加粗倾斜\n"
           "start: slide2.正文.下划线 = 单线\nstart: slide2.正文.对齐 = 右对齐\n"
        << QStringList{"select 2", "click body"} << "楷体_GB2312 30 加粗 倾斜 下划线 右对齐";
    QTest::newRow("another slide: its title again") << "start: slide3.标题.中文字体 = 黑体\nstart: slide3.标题.字形 = 倾斜\n"
        << QStringList{"select 2", "click body", "select 3"} << "黑体 44 倾斜 居中";
    QTest::newRow("after a change through the bar") << "" << QStringList{"select 2", "click body", "button 加粗", "button 右对齐", "size 20"}
        << "宋体 20 加粗 右对齐";
    // The caret shows the format it types in: a run's inside the run.
    const QString boldRun = "start: slide2.正文「成立」.字形 = 加粗\n";
    QTest::newRow("caret in a run") << boldRun << QStringList{"select 2", "click body", "key Ctrl+Home", "key Right"} << "宋体 32 加粗 左对齐";
    QTest::newRow("caret past a run") << boldRun << QStringList{"select 2", "click body", "key Ctrl+Home", "key Right,Right,Right"}
        << "宋体 32 左对齐";
}

void TestSimulatorUi::formatBarShowsTheEditedFormat()
{
    QFETCH(QString, start);
    QFETCH(QStringList, gestures);
    QFETCH(QString, shown);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\n") + start));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString &g : gestures)
        QVERIFY2(editorGesture(window, g), qPrintable(g));
    FormatBar *bar = window.formatBar();
    QStringList seen{bar->findChild<QComboBox *>(QStringLiteral("format:中文字体"))->currentText(),
                     bar->findChild<QComboBox *>(QStringLiteral("format:字号"))->currentText()};
    for (const char *name : {"加粗", "倾斜", "下划线", "左对齐", "居中", "右对齐"})
        if (bar->findChild<QAction *>(QStringLiteral("format:") + QString::fromUtf8(name))->isChecked())
            seen << QString::fromUtf8(name);
    QCOMPARE(seen.join(u' '), shown);
}

void TestSimulatorUi::rehearsalTimesTheSlides_data()
{
    // On a presentation of three slides: what the candidate does ("wait <ms>",
    // "next" on the bar, "pause", "repeat", "click", "key …", "time <label> <text>"
    // to read the bar), the end question's total, the answer and the settings it leaves.
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("checks");
    const QStringList kept{"doc.排练计时 = 1", "doc.排练计时.操作 = 排练计时", "doc.排练计时.保留排练时间 = 是"};
    QTest::newRow("3 seconds a slide, kept")
        << QStringList{"wait 3100", "time slideTime 0:00:03", "next", "time slideTime 0:00:00", "time totalTime 0:00:03",
                       "wait 3500", "next", "wait 3000", "next"}
        << "0:00:09" << "button keepTimings" << kept + QStringList{"doc.排练计时.停留 = 3秒"};
    QTest::newRow("clicks, keys and a pause, kept with Enter")
        << QStringList{"wait 2600", "click", "wait 1000", "pause", "wait 9000", "time slideTime 0:00:01", "pause", "wait 2000",
                       "next", "wait 4200", "key Space"}
        << "0:00:09" << "key Return" << kept + QStringList{"doc.排练计时.停留 = 3秒"};
    QTest::newRow("repeat times the slide again")
        << QStringList{"wait 8000", "repeat", "time slideTime 0:00:00", "wait 5000", "next", "wait 5000", "next", "wait 5000", "next"}
        << "0:00:15" << "button keepTimings" << kept + QStringList{"doc.排练计时.停留 = 5秒"};
    QTest::newRow("Esc ends early, the question still asked")
        << QStringList{"wait 4000", "next", "wait 4000", "key Escape"}
        << "0:00:08" << "button keepTimings" << kept + QStringList{"doc.排练计时.停留 = 4秒"};
    QTest::newRow("discarded")
        << QStringList{"wait 3000", "next", "wait 3000", "next", "wait 3000", "next"}
        << "0:00:09" << "button discardTimings"
        << QStringList{"doc.排练计时.操作 = 排练计时", "doc.排练计时.保留排练时间 = 否", "doc.排练计时.停留 = "};
}

// The rehearsal runs the show with its bar: each slide's time, the total and
// the question at the end; the answer sets the rehearsal's settings.
void TestSimulatorUi::rehearsalTimesTheSlides()
{
    QFETCH(QStringList, gestures);
    QFETCH(QString, total);
    QFETCH(QString, answer);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.trigger(QStringLiteral("排练计时"));
    SlideShow *show = window.slideShow();
    QVERIFY(show && show->isVisible() && show->rehearsing());
    QWidget *bar = show->rehearsalBar();
    QVERIFY(bar && bar->isVisible());
    QVERIFY(QRect(0, 0, 800, 600).contains(bar->geometry()));
    for (const QString &g : gestures) {
        const QString word = g.section(u' ', 0, 0), rest = g.section(u' ', 1);
        if (word == u"wait") {
            testNow += rest.toLongLong();
            QTest::qWait(250);   // the bar's time moves on by itself
        } else if (word == u"time") {
            QCOMPARE(bar->findChild<QLabel *>(rest.section(u' ', 0, 0))->text(), rest.section(u' ', 1));
        } else if (word == u"next" || word == u"pause" || word == u"repeat") {
            static const QMap<QString, QString> tips = {{"next", "下一项"}, {"pause", "暂停"}, {"repeat", "重复"}};
            QTest::mouseClick(bar->findChild<QToolButton *>(QStringLiteral("rehearsal:") + tips.value(word)), Qt::LeftButton);
        } else {
            QVERIFY2(gesture(show, g), qPrintable(g));
        }
    }
    QWidget *question = show->timingsQuestion();
    QVERIFY(question && question->isVisible());
    QVERIFY(!bar->isVisible());
    QCOMPARE(question->findChild<QLabel *>()->text(),
             QStringLiteral("幻灯片放映共需时间 %1。是否保留新的幻灯片排练时间？").arg(total));
    QVERIFY(window.session().document().value(QStringLiteral("doc.排练计时")).isEmpty());   // nothing before the answer
    if (answer.startsWith(u"button"))
        QVERIFY(gesture(show, answer));
    else
        QTest::keyClick(show, Qt::Key_Return);
    QVERIFY(!show->isVisible());
    for (const QString &check : checks) {
        const QString path = check.section(QStringLiteral(" = "), 0, 0);
        QCOMPARE(path + QStringLiteral(" = ") + window.session().document().value(path), check);
    }
}

void TestSimulatorUi::masterFormatsShowOnTheSlide_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("slide");   // 1 is a title slide, 2 is not
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("bold");
    QTest::newRow("master's colour and shape") << "start: doc.母版.标题样式.颜色 = 红色\nstart: doc.母版.标题样式.字形 = 加粗\n" << 1 << "红色" << true;
    QTest::newRow("slide's own colour wins") << "start: doc.母版.标题样式.颜色 = 红色\nstart: slide1.标题.颜色 = 蓝色\n" << 1 << "蓝色" << false;
    const QString both = QStringLiteral("start: doc.母版.标题样式.颜色 = 红色\nstart: doc.母版.标题母版.标题样式.颜色 = 蓝色\n"
                                        "start: doc.母版.标题样式.字形 = 加粗\n");
    QTest::newRow("title master's colour on a title slide, the slide master's shape") << both << 1 << "蓝色" << true;
    QTest::newRow("the slide master's alone on another slide") << both << 2 << "红色" << true;
}

// The master's title format shows on a slide that has none of its own; a
// title slide's comes from the title master where that has one.
void TestSimulatorUi::masterFormatsShowOnTheSlide()
{
    QFETCH(QString, start);
    QFETCH(int, slide);
    QFETCH(QString, colour);
    QFETCH(bool, bold);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\n") + start + QStringLiteral("goal: slide1.title = 不会满足\n")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(slide - 1)).center());
    auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
    QTRY_COMPARE(title->text(), window.session().document().slides.at(slide - 1).title);
    QVERIFY(title);
    QCOMPARE(title->palette().color(QPalette::Text), SlideArt::colour(colour, Qt::black));
    QCOMPARE(title->font().bold(), bold);
}

// Characters selected with Shift and the arrows take 字体's 上标 and Ctrl+B
// alone: the title shows them apart, the rest of it keeps its format.
void TestSimulatorUi::selectedCharactersAreFormattedApart()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: slide1.title = 2005年市场分析\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
    QTest::mouseClick(title->viewport(), Qt::LeftButton, {}, QPoint(4, title->viewport()->height() / 2));
    QTRY_VERIFY(title->hasFocus());
    QTest::keyClick(title, Qt::Key_Home);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(title, Qt::Key_Right, Qt::ShiftModifier);
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->fieldBox(QStringLiteral("效果")), QStringLiteral("上标"));
    window.openDialog()->okButton()->click();
    QTRY_VERIFY(!window.openDialog());
    // The key's shortcut is the window's: without a window manager the
    // window may not be active again by itself once the dialog is gone.
    window.activateWindow();
    title->setFocus();
    QTRY_VERIFY(QApplication::activeWindow() == &window && title->hasFocus());
    QTest::keyClick(title, Qt::Key_B, Qt::ControlModifier);
    const QMap<QString, QString> &attributes = window.session().document().slides.at(0).attributes;
    QCOMPARE(attributes.value(QStringLiteral("标题「2005」.效果")), QStringLiteral("上标"));
    QCOMPARE(attributes.value(QStringLiteral("标题「2005」.字形")), QStringLiteral("加粗"));
    QVERIFY(!attributes.contains(QStringLiteral("标题.效果")) && !attributes.contains(QStringLiteral("标题.字形")));
    const auto formatAt = [title](int position) {
        QTextCursor cursor(title->document());
        cursor.setPosition(position);
        return cursor.charFormat();
    };
    QTRY_COMPARE(formatAt(3).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatAt(3).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(6).verticalAlignment(), QTextCharFormat::AlignNormal);
    QVERIFY(formatAt(6).fontWeight() != QFont::Bold);
}

// 视图 → 母版 → 幻灯片母版 shows the master in the slide area with its own
// toolbar; the title style formatted there reaches every slide, none of
// which gets a format of its own, once the view is closed again.
void TestSimulatorUi::masterViewFormatsEverySlide()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *menu = window.findChild<QMenu *>(QStringLiteral("menu:视图"));
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    auto *masters = window.findChild<QMenu *>(QStringLiteral("menu:母版"));
    QVERIFY(masters && menu->actions().contains(masters->menuAction()));
    const QStringList entries = [masters] {
        QStringList texts;
        for (QAction *entry : masters->actions())
            texts << entry->text();
        return texts;
    }();
    QCOMPARE(entries, (QStringList{"幻灯片母版(&S)", "讲义母版(&H)", "备注母版(&N)"}));
    menu->setActiveAction(masters->menuAction());
    QTest::keyClick(menu, Qt::Key_Right);
    QTRY_VERIFY(masters->isVisible());
    QTest::mouseClick(masters, Qt::LeftButton, {}, masters->actionGeometry(masters->actions().first()).center());

    auto *bar = window.findChild<QToolBar *>(QStringLiteral("masterBar"));
    auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(title->text(), QStringLiteral("单击此处编辑母版标题样式"));
    QCOMPARE(title->accessibleName(), QStringLiteral("标题区"));
    QVERIFY(!window.findChild<QWidget *>(QStringLiteral("notesPane"))->isVisible());
    QCOMPARE(window.session().document().settings.value(QStringLiteral("母版.母版类型")), QStringLiteral("幻灯片母版"));
    // The status bar names the master shown, not a slide.
    auto *status = window.findChild<QWidget *>(QStringLiteral("statusStrip"));
    QCOMPARE(status->accessibleDescription().section(QStringLiteral("    "), 0, 0), QStringLiteral("幻灯片母版"));

    // The title style: bold from the toolbar, red through 字体.
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseClick(window.toolbarControl(QStringLiteral("加粗")), Qt::LeftButton);
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("颜色")), QStringLiteral("红色"));
    window.openDialog()->okButton()->click();
    const Document &document = window.session().document();
    QCOMPARE(document.settings.value(QStringLiteral("母版.标题样式.颜色")), QStringLiteral("红色"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.标题样式.字形")), QStringLiteral("加粗"));
    QTRY_COMPARE(title->palette().color(QPalette::Text), SlideArt::colour(QStringLiteral("红色"), Qt::black));
    for (const Slide &slide : document.slides)
        QVERIFY(slide.attributes.value(QStringLiteral("标题.颜色")).isEmpty());

    QTest::mouseClick(window.toolbarControl(QStringLiteral("关闭母版视图")), Qt::LeftButton);
    QCOMPARE(window.session().document().settings.value(QStringLiteral("视图")), QStringLiteral("普通"));
    QTRY_VERIFY(!bar->isVisible());
    QCOMPARE(title->accessibleName(), QStringLiteral("标题占位符"));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(title->text(), window.session().document().slides.at(1).title);
    QCOMPARE(title->palette().color(QPalette::Text), SlideArt::colour(QStringLiteral("红色"), Qt::black));
    QVERIFY(title->font().bold());
    QVERIFY(status->accessibleDescription().startsWith(QStringLiteral("幻灯片 2 / 3")));
}

// In the slide master view a screen reader finds the master's five areas;
// a click into the date area puts the caret there and the 格式 toolbar and
// 字体 format that area of the master; the title's prompt is typed over;
// the left pane lists the masters, and a click there chooses one.
void TestSimulatorUi::masterAreasTakeTheCaret()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: doc.页眉和页脚.日期和时间 = 自动更新\n"
                                                "goal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("幻灯片母版"));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
    QTRY_VERIFY(!view->masterArea(QStringLiteral("date")).isEmpty());
    QAccessibleInterface *slide = QAccessible::queryAccessibleInterface(view);
    const QStringList names = childNames(slide);
    for (const char *name : {"标题区", "对象区", "日期区", "页脚区", "数字区"})
        QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join(u' ')));

    // The date area by a click: the caret goes there, the toolbar's 字号 box formats it.
    QTest::mouseClick(view, Qt::LeftButton, {}, view->masterArea(QStringLiteral("date")).center().toPoint());
    QCOMPARE(window.session().editedObject(), QStringLiteral("日期区"));
    QCOMPARE(view->chosenMasterArea(), QStringLiteral("date"));
    auto *size = qobject_cast<QComboBox *>(window.toolbarControl(QStringLiteral("字号")));
    QVERIFY(size);
    QCOMPARE(size->currentText(), QStringLiteral("18"));
    size->setCurrentIndex(size->findText(QStringLiteral("14")));
    emit size->textActivated(QStringLiteral("14"));
    const Document &document = window.session().document();
    QCOMPARE(document.settings.value(QStringLiteral("母版.日期区.字号")), QStringLiteral("14"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.标题样式.字号")), QString());
    // 字体 opens on the area's size, and sets its font.
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    QCOMPARE(window.openDialog()->values().value(QStringLiteral("字号")), QStringLiteral("14"));
    setThroughControl(window.openDialog()->revealField(QStringLiteral("中文字体")), QStringLiteral("黑体"));
    window.openDialog()->okButton()->click();
    QCOMPARE(document.settings.value(QStringLiteral("母版.日期区.中文字体")), QStringLiteral("黑体"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.日期区.字号")), QStringLiteral("14"));

    // A screen reader's press on the footer area chooses it.
    for (int i = 0; i < slide->childCount(); ++i)
        if (slide->child(i)->text(QAccessible::Name) == u"页脚区") {
            QVERIFY(slide->child(i)->rect().contains(view->mapToGlobal(view->masterArea(QStringLiteral("footer")).center().toPoint())));
            slide->child(i)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QVERIFY(slide->child(i)->state().selected);
        }
    QCOMPARE(window.session().editedObject(), QStringLiteral("页脚区"));

    // The master's title prompt typed over; the slides keep their titles.
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(view->chosenMasterArea().isEmpty());
    title->selectAll();
    QInputMethodEvent typed;   // Chinese comes through the input method
    typed.setCommitString(QStringLiteral("公司标题"));
    QApplication::sendEvent(title, &typed);
    QCOMPARE(document.settings.value(QStringLiteral("母版.幻灯片母版.标题")), QStringLiteral("公司标题"));
    QCOMPARE(title->text(), QStringLiteral("公司标题"));
    QCOMPARE(document.slides.first().title, QStringLiteral("年度工作总结"));

    // The left pane: the slide master alone, then with the title master; a click chooses one.
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("幻灯片母版"));
    QTest::mouseClick(window.toolbarControl(QStringLiteral("插入新标题母版")), Qt::LeftButton);
    QCOMPARE(document.settings.value(QStringLiteral("视图")), QStringLiteral("标题母版"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(1)});
    QCOMPARE(title->text(), QStringLiteral("单击此处编辑母版标题样式"));
    auto *status = window.findChild<QWidget *>(QStringLiteral("statusStrip"));
    QCOMPARE(status->accessibleDescription().section(QStringLiteral("    "), 0, 0), QStringLiteral("标题母版"));
    // The title master's title in a colour of its own: the slide master keeps its own.
    const QColor blue = SlideArt::colour(QStringLiteral("蓝色"), Qt::black);
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(6, 6));
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("颜色")), QStringLiteral("蓝色"));
    window.openDialog()->okButton()->click();
    QCOMPARE(document.settings.value(QStringLiteral("母版.标题母版.标题样式.颜色")), QStringLiteral("蓝色"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.标题样式.颜色")), QString());
    QTRY_COMPARE(title->palette().color(QPalette::Text), blue);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(document.settings.value(QStringLiteral("视图")), QStringLiteral("幻灯片母版"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(0)});
    QCOMPARE(title->text(), QStringLiteral("公司标题"));
    QVERIFY(title->palette().color(QPalette::Text) != blue);
    // Delete there takes no slide away.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(document.slides.size(), 3);

    // Back in the slides: the list holds them again, each date in the area's size.
    QTest::mouseClick(window.toolbarControl(QStringLiteral("关闭母版视图")), Qt::LeftButton);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(1)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("2 公司概况"));
    QCOMPARE(Master::effective(document, 1).attributes.value(QStringLiteral("日期区.字号")), QStringLiteral("14"));
    // The title master's colour shows on the title slide alone.
    QCOMPARE(title->palette().color(QPalette::Text), blue);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QVERIFY(title->palette().color(QPalette::Text) != blue);
}

// Word art inserted in the slide master view lands on the master: it is
// taken and dragged there, and shows on every slide behind the slide's own
// text box, where a click does not take it. The view greys 新幻灯片.
void TestSimulatorUi::insertedOnTheSlideMaster()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: slide2.文本框 = 1\nstart: slide2.文本框.文字 = 自己的\n"
                                                "start: slide2.文本框.位置 = 16,1\nstart: slide2.文本框.大小 = 6,2\n"
                                                "goal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    auto *newSlide = window.findChild<QAction *>(QStringLiteral("command:新幻灯片"));
    QVERIFY(newSlide->isEnabled());
    window.trigger(QStringLiteral("幻灯片母版"));
    QVERIFY(!newSlide->isEnabled());
    window.trigger(QStringLiteral("艺术字"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("文字")), QStringLiteral("内部资料"));
    window.openDialog()->okButton()->click();
    const Document &document = window.session().document();
    QCOMPARE(document.settings.value(QStringLiteral("母版.艺术字.文字")), QStringLiteral("内部资料"));
    QCOMPARE(window.session().selectedShapes(), QStringList{QStringLiteral("艺术字")});
    // Dragged on the master to the top left corner.
    const QRect art = view->shapeRect(QStringLiteral("艺术字"));
    QVERIFY(!art.isEmpty());
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().bottomRight() - QPoint(3, 3));
    QVERIFY(window.session().selectedShapes().isEmpty());
    drag(view, art.center(), art.center() - art.topLeft() + view->toView(QRectF(1, 1, 1, 1)).topLeft().toPoint());
    const QRectF frame = Shapes::find(Master::objects(document, QStringLiteral("幻灯片母版")), QStringLiteral("艺术字"))->frame;
    QVERIFY2(frame.topLeft().manhattanLength() < 3, qPrintable(Shapes::pairText(frame.x(), frame.y())));

    // Slide 2: the word art where it lies on the master, the slide's own box too.
    window.trigger(QStringLiteral("关闭母版视图"));
    QVERIFY(newSlide->isEnabled());
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTRY_COMPARE(window.session().current(), 2);
    const QRect onSlide = view->toView(frame).toRect();
    const QImage shown = view->grab().toImage();
    const auto coloured = [&shown](const QRect &area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (const QColor c = shown.pixelColor(x, y); c.saturation() > 120 && c.red() > 150)
                    ++count;
        return count;
    };
    QVERIFY(coloured(onSlide) > onSlide.width() * onSlide.height() / 20);
    QVERIFY(!view->shapeRect(QStringLiteral("文本框")).isEmpty());
    QTest::mouseClick(view, Qt::LeftButton, {}, onSlide.center());
    QVERIFY(window.session().selectedShapes().isEmpty());
    QVERIFY(document.slides.at(1).attributes.value(QStringLiteral("艺术字")).isEmpty());
}

// The handout master shows an upright page with the places of as many
// slides as its toolbar chose, and its four areas, which a screen reader
// finds and a click puts the caret in, to be formatted on the handout
// master alone.
void TestSimulatorUi::handoutMasterShowsItsPage()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("讲义母版"));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    QTRY_VERIFY(!view->masterArea(QStringLiteral("header")).isEmpty());
    QVERIFY(view->slideRect().height() > view->slideRect().width());
    const QStringList names = childNames(QAccessible::queryAccessibleInterface(view));
    for (const char *name : {"页眉区", "日期区", "页脚区", "数字区"})
        QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join(u' ')));
    // Each slide's place on the page, for the count chosen.
    for (const char *count : {"9", "3", "1"}) {
        window.findChild<QAction *>(QStringLiteral("handout:") + QString::fromLatin1(count))->trigger();
        QCOMPARE(window.session().document().settings.value(QStringLiteral("母版.讲义幻灯片数")), QString::fromLatin1(count));
        const QImage shown = view->grab().toImage();
        const QRectF r = view->slideRect();
        const QList<QRectF> places = Master::handoutPlaces(QString::fromLatin1(count).toInt());
        QCOMPARE(places.size(), QString::fromLatin1(count).toInt());
        for (const QRectF &f : places) {
            const QPointF centre(r.x() + f.center().x() * r.width(), r.y() + f.center().y() * r.height());
            QCOMPARE(shown.pixelColor(centre.toPoint()), QColor(235, 238, 245));
        }
    }
    // The footer area by a click: 字体 formats it on the handout master.
    QTest::mouseClick(view, Qt::LeftButton, {}, view->masterArea(QStringLiteral("footer")).center().toPoint());
    QCOMPARE(window.session().editedObject(), QStringLiteral("页脚区"));
    QCOMPARE(view->chosenMasterArea(), QStringLiteral("footer"));
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("字形")), QStringLiteral("加粗"));
    window.openDialog()->okButton()->click();
    const Document &document = window.session().document();
    QCOMPARE(document.settings.value(QStringLiteral("母版.讲义母版.页脚区.字形")), QStringLiteral("加粗"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.页脚区.字形")), QString());
    QCOMPARE(document.settings.value(QStringLiteral("母版.备注母版.页脚区.字形")), QString());
}

// 视图 → 备注页: a click into the notes text on the page puts the caret
// there; what is typed is the slide's notes, which the notes pane shows.
void TestSimulatorUi::notesPageTakesTheNotes()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: slide2.notes = 开场\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    window.trigger(QStringLiteral("备注页"));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    auto *notes = view->findChild<QTextEdit *>(QStringLiteral("notesText"));
    QVERIFY(notes);
    QTRY_VERIFY(notes->isVisible());
    QCOMPARE(notes->accessibleName(), QStringLiteral("备注文本区"));
    QCOMPARE(notes->toPlainText(), QStringLiteral("开场"));
    QVERIFY(view->notesPagePart(QStringLiteral("notes")).contains(QRectF(notes->geometry()).center()));
    QTest::mouseClick(notes->viewport(), Qt::LeftButton, {}, QPoint(60, 8));
    QTRY_VERIFY(notes->hasFocus());
    notes->moveCursor(QTextCursor::End);
    QInputMethodEvent typed;   // Chinese comes through the input method
    typed.setCommitString(QStringLiteral("白"));
    QApplication::sendEvent(notes, &typed);
    QCOMPARE(window.session().document().slides.at(1).notes, QStringLiteral("开场白"));
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("notes"))->text(), QStringLiteral("开场白"));
    // Back in the normal view the page's editor is gone.
    window.trigger(QStringLiteral("普通"));
    QTRY_VERIFY(!notes->isVisible());
}

// The notes master shows an upright page; its header area and notes text
// take the caret and formats of their own, and the notes page view shows
// a slide's notes in the notes text's format.
void TestSimulatorUi::notesMasterFormatsTheNotesPage()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: slide1.notes = 讲解全年的工作成绩\n"
                                                "start: doc.页眉和页脚.备注和讲义页眉 = 内部资料\n"
                                                "start: doc.母版.备注母版.页眉区.颜色 = 红色\n"
                                                "goal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("备注母版"));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    auto *body = window.findChild<BodyEdit *>(QStringLiteral("body"));
    QTRY_VERIFY(!view->masterArea(QStringLiteral("header")).isEmpty());
    QVERIFY(view->slideRect().height() > view->slideRect().width());
    QCOMPARE(window.findChild<QWidget *>(QStringLiteral("statusStrip"))->accessibleDescription().section(QStringLiteral("    "), 0, 0),
             QStringLiteral("备注母版"));
    const QStringList names = childNames(QAccessible::queryAccessibleInterface(view));
    for (const char *name : {"幻灯片图像区", "备注文本区", "页眉区", "日期区", "页脚区", "数字区"})
        QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join(u' ')));

    // The header area by a click: the toolbar's 字号 box sizes it, on the notes master alone.
    QTest::mouseClick(view, Qt::LeftButton, {}, view->masterArea(QStringLiteral("header")).center().toPoint());
    QCOMPARE(window.session().editedObject(), QStringLiteral("页眉区"));
    auto *size = qobject_cast<QComboBox *>(window.toolbarControl(QStringLiteral("字号")));
    size->setCurrentIndex(size->findText(QStringLiteral("14")));
    emit size->textActivated(QStringLiteral("14"));
    const Document &document = window.session().document();
    QCOMPARE(document.settings.value(QStringLiteral("母版.备注母版.页眉区.字号")), QStringLiteral("14"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.页眉区.字号")), QString());

    // The notes text: the caret goes in, 字体 colours it, its prompt is typed over.
    QVERIFY(!body->isReadOnly());
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(window.session().editedObject(), QStringLiteral("正文"));
    window.trigger(QStringLiteral("字体"));
    QVERIFY(window.openDialog());
    setThroughControl(window.openDialog()->revealField(QStringLiteral("颜色")), QStringLiteral("蓝色"));
    window.openDialog()->okButton()->click();
    const QColor blue = SlideArt::colour(QStringLiteral("蓝色"), Qt::black);
    QCOMPARE(document.settings.value(QStringLiteral("母版.备注母版.备注文本.颜色")), QStringLiteral("蓝色"));
    QCOMPARE(document.settings.value(QStringLiteral("母版.第一级文本.颜色")), QString());
    QTRY_COMPARE(body->palette().color(QPalette::Text), blue);
    body->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("备注要点"));
    QApplication::sendEvent(body, &typed);
    QCOMPARE(document.settings.value(QStringLiteral("母版.备注母版.正文")), QStringLiteral("备注要点"));
    QCOMPARE(document.slides.first().notes, QStringLiteral("讲解全年的工作成绩"));

    // The notes page of slide 1: its notes in blue under the slide's picture.
    window.trigger(QStringLiteral("关闭母版视图"));
    const auto pixels = [view](const QString &part, const QColor &colour) {
        const QImage shown = view->grab().toImage();
        const QRect place = view->notesPagePart(part).toRect();
        int count = 0;
        for (int y = place.top(); y < place.bottom(); ++y)
            for (int x = place.left(); x < place.right(); ++x)
                count += shown.pixelColor(QPoint(x, y) * shown.devicePixelRatio()) == colour;
        return count;
    };
    window.trigger(QStringLiteral("备注页"));
    QTRY_VERIFY(view->isNotesPage());
    QVERIFY(!view->titleEdit()->isVisible() && !body->isVisible());
    QVERIFY(view->notesPagePart(QStringLiteral("image")).bottom() < view->notesPagePart(QStringLiteral("notes")).top());
    QVERIFY(pixels(QStringLiteral("notes"), blue) > 0);
    // The notes pages' header, in the header area's colour.
    QVERIFY(pixels(QStringLiteral("header"), SlideArt::colour(QStringLiteral("红色"), Qt::black)) > 0);
    window.trigger(QStringLiteral("普通"));
    QTRY_VERIFY(!view->isNotesPage() && body->isVisible());
}

void TestSimulatorUi::outlineEditsTheSlides_data()
{
    // Gestures in the 大纲 tab's outline: "at <slide> <part> <place>" puts
    // the caret there, "keys" types, "key" presses one key, "button" clicks
    // the 大纲 toolbar's button.
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QStringList>("checks");
    QTest::newRow("typing into a title") << QStringList{"at 2 title 4", "keys 简介"} << QStringList{"slide2.title = 公司概况简介", "doc.选中 = 2"};
    QTest::newRow("typing into a paragraph") << QStringList{"at 2 body 9", "keys 约"}
        << QStringList{"slide2.body = 成立于1998年\n约员工三百余人\n业务遍及全国", "slide2.正文.段落2.级别 = "};
    QTest::newRow("Tab demotes the paragraph") << QStringList{"at 2 body 9", "key Tab"} << QStringList{"slide2.正文.段落2.级别 = 2", "count = 6"};
    QTest::newRow("Shift+Tab on a first level makes a slide") << QStringList{"at 3 body 9", "key Backtab", "keys 新"}
        << QStringList{"count = 7", "slide3.body = 市场规模稳步增长", "slide4.title = 新竞争日趋激烈", "slide4.body = 客户需求多样"};
    QTest::newRow("Tab on a title joins the slide before") << QStringList{"at 3 title 0", "key Tab", "keys 新"}
        << QStringList{"count = 5", "slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国\n新市场分析\n市场规模稳步增长\n竞争日趋激烈\n客户需求多样",
                       "slide2.正文.段落5.级别 = 2"};
    QTest::newRow("Enter after a title makes a slide") << QStringList{"at 2 title 4", "key Return", "keys 项目进度"}
        << QStringList{"count = 7", "slide2.title = 公司概况", "slide3.title = 项目进度", "slide4.title = 市场分析"};
    QTest::newRow("Enter in a paragraph keeps its level") << QStringList{"at 2 body 9", "key Tab", "at 2 body 15", "key Return", "keys 新"}
        << QStringList{"slide2.body = 成立于1998年\n员工三百余人\n新\n业务遍及全国", "slide2.正文.段落3.级别 = 2", "slide2.正文.段落4.级别 = ", "count = 6"};
    QTest::newRow("toolbar moves the caret's paragraph") << QStringList{"at 4 body 0", "button 下移"}
        << QStringList{"slide4.body = 重点项目全部完成\n全年销售额增长18%\n新增客户120家"};
    QTest::newRow("collapsed from the toolbar") << QStringList{"at 2 body 0", "button 折叠", "hidden 2"}
        << QStringList{"slide2.大纲.操作 = 折叠", "slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国"};
    QTest::newRow("Backspace joins two paragraphs") << QStringList{"at 2 body 9", "key Backspace"}
        << QStringList{"slide2.body = 成立于1998年员工三百余人\n业务遍及全国", "slide2.title = 公司概况", "count = 6"};
    QTest::newRow("joined paragraphs, the next keeps its level") << QStringList{"at 2 body 16", "key Tab", "at 2 body 9", "key Backspace"}
        << QStringList{"slide2.body = 成立于1998年员工三百余人\n业务遍及全国", "slide2.正文.段落2.级别 = 2", "slide2.正文.段落1.级别 = "};
    QTest::newRow("slide chosen by its icon through a screen reader") << QStringList{"icon 3"} << QStringList{"doc.选中 = 3"};
    QTest::newRow("Backspace keeps a title apart") << QStringList{"at 3 title 0", "key Backspace"}
        << QStringList{"slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国", "slide3.title = 市场分析", "count = 6"};
    QTest::newRow("Delete keeps a title apart") << QStringList{"at 2 body 22", "key Delete"}
        << QStringList{"slide2.body = 成立于1998年\n员工三百余人\n业务遍及全国", "slide3.title = 市场分析", "count = 6"};
}

void TestSimulatorUi::outlineEditsTheSlides()
{
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\nstart: doc.左侧窗格.选项卡 = 大纲\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *pane = window.findChild<OutlinePane *>(QStringLiteral("outlinePane"));
    QVERIFY(pane && pane->isVisible());
    for (const QString &gesture : gestures) {
        const QStringList words = gesture.split(u' ');
        if (words.at(0) == u"at") {
            pane->setFocus();
            pane->placeCaret(words.at(1).toInt(), words.at(2), words.at(3).toInt());
        } else if (words.at(0) == u"keys") {
            // Chinese comes through the input method, committed at the caret.
            QInputMethodEvent typed;
            typed.setCommitString(words.at(1));
            QApplication::sendEvent(pane, &typed);
        } else if (words.at(0) == u"key") {
            const QMap<QString, Qt::Key> keys = {{"Tab", Qt::Key_Tab}, {"Backtab", Qt::Key_Backtab}, {"Return", Qt::Key_Return}, {"Backspace", Qt::Key_Backspace}, {"Delete", Qt::Key_Delete}};
            QTest::keyClick(pane, keys.value(words.at(1)), words.at(1) == u"Backtab" ? Qt::ShiftModifier : Qt::NoModifier);
        } else if (words.at(0) == u"icon") {
            // The slide's icon, found and pressed in the accessibility tree.
            QAccessibleInterface *area = QAccessible::queryAccessibleInterface(pane->viewport());
            QAccessibleInterface *icon = nullptr;
            for (int i = 0; i < area->childCount() && !icon; ++i)
                if (area->child(i)->text(QAccessible::Name).startsWith(words.at(1) + u' '))
                    icon = area->child(i);
            QVERIFY2(icon && icon->actionInterface() && icon->rect().height() > 0, qPrintable(gesture));
            icon->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_COMPARE(window.session().document().settings.value(QStringLiteral("选中")), words.at(1));   // a press clicks after a moment
        } else if (words.at(0) == u"hidden") {
            // The slide's paragraphs are hidden, the others' shown.
            int titles = 0;
            for (QTextBlock block = pane->document()->begin(); block.isValid(); block = block.next()) {
                const bool title = block.blockFormat().indent() == 0;
                titles += title ? 1 : 0;
                QCOMPARE(block.isVisible(), title || titles != words.at(1).toInt());
            }
        } else {
            auto *action = window.findChild<QAction *>(QStringLiteral("outline:") + words.at(1));
            QVERIFY2(action, qPrintable(gesture));
            action->trigger();
        }
    }
    const Document &document = window.session().document();
    for (const QString &check : checks)
        QCOMPARE(document.value(check.section(QStringLiteral(" = "), 0, 0)), check.section(QStringLiteral(" = "), 1));
    // The outline shows the slides as they are now, paragraphs indented by level.
    QStringList shown;
    for (int n = 1; n <= document.slides.size(); ++n) {
        const Slide &slide = document.slides.at(n - 1);
        shown << slide.title;
        if (!slide.body.isEmpty())
            shown << slide.body;
    }
    QCOMPARE(pane->toPlainText(), shown.join(u'\n'));
    QTextBlock block = pane->document()->begin();
    for (int n = 1; n <= document.slides.size(); ++n) {
        QCOMPARE(block.blockFormat().indent(), 0);
        block = block.next();
        for (int k = 1; k <= (document.slides.at(n - 1).body.isEmpty() ? 0 : document.slides.at(n - 1).body.count(u'\n') + 1); ++k) {
            QCOMPARE(block.blockFormat().indent(), std::max(1, document.value(QStringLiteral("slide%1.正文.段落%2.级别").arg(n).arg(k)).toInt()));
            block = block.next();
        }
    }
}

void TestSimulatorUi::shapesWithTheMouse_data()
{
    // On slide 3 with a picture (10 × 7.5 厘米 in the middle of the slide) and a text box:
    // a gesture on the slide view and what the document holds after it.
    //   click <shape>         a click on it (a placeholder's border)
    //   drag <shape> dx,dy    pressed on it and dragged by so many pixels
    //   handle dx,dy          the selected shape's lower right handle pulled
    //   grouphandle dx,dy     the selected group's lower right handle pulled
    //   key <key>             a key on the slide view
    //   into title            a click into the title's text
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QStringList>("checks");
    QTest::newRow("a click selects") << QStringList{"click 图片"} << QStringList{"selected = 图片"};
    QTest::newRow("Shift adds a shape") << QStringList{"click 图片", "click+ 文本框"} << QStringList{"selected = 图片,文本框"};
    QTest::newRow("a placeholder by its border") << QStringList{"click 标题"} << QStringList{"selected = 标题"};
    QTest::newRow("a click beside every shape selects none") << QStringList{"click 图片", "click nothing"} << QStringList{"selected = "};
    QTest::newRow("a click into the text places the caret") << QStringList{"click 标题", "into title"}
        << QStringList{"selected = ", "editing = title"};
    QTest::newRow("a drag moves") << QStringList{"drag 图片 100,80"} << QStringList{"selected = 图片", "slide3.图片.大小 = 10,7.5", "moved = 100,80"};
    QTest::newRow("a placeholder dragged by its border") << QStringList{"click 标题", "drag 标题 0,150"} << QStringList{"slide3.标题.位置 ~ 中央"};
    QTest::newRow("a handle sizes") << QStringList{"click 图片", "handle 60,30"} << QStringList{"slide3.图片.位置 = 7.7,5.78", "sized = 60,30"};
    QTest::newRow("an arrow nudges") << QStringList{"click 图片", "key Right", "key Down"} << QStringList{"slide3.图片.位置 = 7.9,5.98"};
    QTest::newRow("Delete deletes the shape") << QStringList{"click 图片", "key Delete"} << QStringList{"slide3.图片 = ", "count = 6", "selected = "};
    QTest::newRow("typed into a text box") << QStringList{"click 文本框", "type 要点"} << QStringList{"slide3.文本框.文字 = 要点"};
    QTest::newRow("a text box drawn") << QStringList{"draw 20,20 140,50", "type 甲"}
        << QStringList{"slide3.文本框2 = 1", "slide3.文本框2.方向 = 横排", "slide3.文本框2.文字 = 甲", "selected = 文本框2"};
    QTest::newRow("Shift on a selected shape unselects it") << QStringList{"click 图片", "click+ 文本框", "click+ 图片"}
        << QStringList{"selected = 文本框"};
    QTest::newRow("Ctrl adds and takes away as Shift does") << QStringList{"click 图片", "click^ 文本框", "click^ 图片"}
        << QStringList{"selected = 文本框"};
    QTest::newRow("the green handle turns, Shift by 15°") << QStringList{"click 图片", "turn 50"}
        << QStringList{"slide3.图片.旋转 = 45度", "slide3.图片.位置 = 7.7,5.78", "selected = 图片"};
    QTest::newRow("a turned shape is sized along its sides") << QStringList{"click 图片", "turn 90", "handle 0,60"}
        << QStringList{"sized = 60,0"};
    QTest::newRow("the selection is dragged together") << QStringList{"click 图片", "click+ 文本框", "drag 图片 100,80"}
        << QStringList{"moved = 100,80", "boxmoved = 100,80"};
    QTest::newRow("a group is selected and dragged as one") << QStringList{"click 图片", "click+ 文本框", "group", "click nothing", "drag 图片 100,80"}
        << QStringList{"selected = 图片,文本框", "moved = 100,80", "boxmoved = 100,80", "slide3.文本框.组合 = 组合1"};
    QTest::newRow("a group sized by its handle scales its members") << QStringList{"click 图片", "click+ 文本框", "group", "grouphandle 60,30"}
        << QStringList{"groupscaled = 60,30", "selected = 图片,文本框"};
    QTest::newRow("the toolbar's rectangle drawn by a drag") << QStringList{"tool draw:矩形", "stroke 20,20 120,80"}
        << QStringList{"slide3.自选图形 = 1", "slide3.自选图形.形状 = 矩形", "selected = 自选图形", "dialog = "};
    QTest::newRow("a click places a shape of an inch") << QStringList{"tool draw:椭圆", "stroke 40,40 40,40"}
        << QStringList{"slide3.自选图形.形状 = 椭圆", "slide3.自选图形.大小 = 2.54,2.54"};
    QTest::newRow("a second one drawn is named on") << QStringList{"tool draw:箭头", "stroke 20,20 120,20", "tool draw:矩形", "stroke 20,80 60,120"}
        << QStringList{"slide3.自选图形.箭头样式 = 末端箭头", "flat = 自选图形", "slide3.自选图形2.形状 = 矩形"};
    QTest::newRow("the toolbar's text box, drawn down, no dialog") << QStringList{"tool draw:竖排文本框", "stroke 20,20 60,140", "type 乙"}
        << QStringList{"slide3.文本框2.方向 = 竖排", "slide3.文本框2.文字 = 乙", "dialog = "};
}

void TestSimulatorUi::shapesWithTheMouse()
{
    QFETCH(QStringList, gestures);
    QFETCH(QStringList, checks);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\nstart: slide3.图片 = 1\nstart: slide3.图片.位置 = 7.7,5.78\n"
                                                "start: slide3.图片.大小 = 10,7.5\nstart: slide3.文本框 = 1\n"
                                                "step: select 3 | s\n")));
    QVERIFY(showActive(window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    const auto frameOf = [&window](const QString &name) {
        return Shapes::find(window.session().document().slides.at(2), name)->frame;
    };
    const QRectF before = frameOf(QStringLiteral("图片"));
    const QRectF boxBefore = frameOf(QStringLiteral("文本框"));
    for (const QString &gesture : gestures) {
        const QStringList w = gesture.split(u' ');
        const auto pixels = [](const QString &text) {
            return QPoint(text.section(u',', 0, 0).toInt(), text.section(u',', 1).toInt());
        };
        if (w.at(0).startsWith(u"click")) {
            const QPoint at = w.at(1) == u"nothing" ? view->slideRect().topLeft().toPoint() + QPoint(4, 4) : view->shapeGrip(w.at(1));
            QVERIFY2(!at.isNull(), qPrintable(gesture));
            QTest::mouseClick(view, Qt::LeftButton,
                              w.at(0) == u"click+" ? Qt::ShiftModifier : w.at(0) == u"click^" ? Qt::ControlModifier : Qt::NoModifier, at);
        } else if (w.at(0) == u"turn") {
            // The green handle pulled round to the angle, Shift held.
            const QString name = view->selectedShapes().value(0);
            const QRect handle = view->rotationHandle(name);
            QVERIFY2(!handle.isEmpty(), qPrintable(gesture));
            const QPointF centre = QRectF(view->shapeRect(name)).center();
            const double turn = w.at(1).toDouble() * M_PI / 180;
            drag(view, handle.center(), (centre + QPointF(std::sin(turn), -std::cos(turn)) * 90).toPoint(), Qt::ShiftModifier);
        } else if (w.at(0) == u"group") {
            window.findChild<QAction *>(QStringLiteral("entry:组合:组合"))->trigger();
        } else if (w.at(0) == u"tool") {
            window.findChild<QAction *>(w.at(1))->trigger();
        } else if (w.at(0) == u"stroke") {
            const QPoint origin = view->slideRect().topLeft().toPoint();
            drag(view, origin + pixels(w.at(1)), origin + pixels(w.at(2)));
        } else if (w.at(0) == u"drag") {
            const QPoint grip = view->shapeGrip(w.at(1));
            drag(view, grip, grip + pixels(w.at(2)));
        } else if (w.at(0) == u"handle") {
            // The lower right handle, where it is drawn (turned with its shape).
            const QString name = view->selectedShapes().value(0);
            const QRectF frame = view->shapeRect(name);
            QTransform turned;
            turned.translate(frame.center().x(), frame.center().y());
            turned.rotate(Shapes::find(window.session().document().slides.at(2), name)->rotation);
            turned.translate(-frame.center().x(), -frame.center().y());
            const QPoint corner = turned.map(frame.bottomRight() + QPointF(1, 1)).toPoint();
            drag(view, corner, corner + pixels(w.at(1)));
        } else if (w.at(0) == u"grouphandle") {
            const QRectF box = view->toView(Shapes::groupFrame(window.session().document().slides.at(2), view->selectedShapes().value(0)));
            const QPoint corner = box.bottomRight().toPoint();
            drag(view, corner, corner + pixels(w.at(1)));
        } else if (w.at(0) == u"key") {
            QTest::keyClick(view, w.at(1) == u"Right" ? Qt::Key_Right : w.at(1) == u"Down" ? Qt::Key_Down : Qt::Key_Delete);
        } else if (w.at(0) == u"into") {
            auto *title = window.findChild<TitleEdit *>(QStringLiteral("title"));
            QTest::mouseClick(title, Qt::LeftButton, {}, title->rect().center());
        } else if (w.at(0) == u"type") {
            for (const QChar ch : w.at(1)) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
                QApplication::sendEvent(view, &press);
            }
        } else if (w.at(0) == u"draw") {
            window.findChild<QAction *>(QStringLiteral("entry:文本框:横排"))->trigger();
            const QPoint origin = view->slideRect().topLeft().toPoint();
            drag(view, origin + pixels(w.at(1)), origin + pixels(w.at(2)));
        }
    }
    const Session &session = window.session();
    for (const QString &check : checks) {
        const QString key = check.section(u' ', 0, 0), value = check.section(u' ', 2);
        if (key == u"selected") {
            QCOMPARE(session.selectedShapes().join(u','), value);
            QCOMPARE(view->selectedShapes().join(u','), value);
        } else if (key == u"editing") {
            QCOMPARE(session.editingPart(), value);
        } else if (key == u"flat") {   // a line drawn level: as thin as a frame goes
            QCOMPARE(frameOf(value).height(), 0.2);
        } else if (key == u"dialog") {
            QVERIFY2(!window.openDialog() || !window.openDialog()->isVisible(), qPrintable(check));
        } else if (key == u"moved" || key == u"sized" || key == u"boxmoved") {
            // As far as the mouse went, to a pixel's rounding.
            const QSizeF by = view->toCm(QRectF(view->slideRect().topLeft(),
                                                QSizeF(value.section(u',', 0, 0).toInt(), value.section(u',', 1).toInt()))).size();
            const QRectF after = frameOf(key == u"boxmoved" ? QStringLiteral("文本框") : QStringLiteral("图片"));
            const QPointF change = key == u"moved"    ? after.topLeft() - before.topLeft()
                                 : key == u"boxmoved" ? after.topLeft() - boxBefore.topLeft()
                                                      : QPointF(after.width() - before.width(), after.height() - before.height());
            QVERIFY2(std::abs(change.x() - by.width()) < 0.1 && std::abs(change.y() - by.height()) < 0.1,
                     qPrintable(check + QStringLiteral("（%1, %2）").arg(change.x()).arg(change.y())));
        } else if (key == u"groupscaled") {
            // The group's frame as far as the mouse went; each member's
            // place and size within it kept.
            const QSizeF by = view->toCm(QRectF(view->slideRect().topLeft(),
                                                QSizeF(value.section(u',', 0, 0).toInt(), value.section(u',', 1).toInt()))).size();
            const QRectF was = before.united(boxBefore);
            const QRectF now = Shapes::groupFrame(session.document().slides.at(2), QStringLiteral("图片"));
            QVERIFY2(std::abs(now.width() - was.width() - by.width()) < 0.1 && std::abs(now.height() - was.height() - by.height()) < 0.1,
                     qPrintable(check));
            QCOMPARE(now.topLeft(), was.topLeft());
            const double sx = now.width() / was.width(), sy = now.height() / was.height();
            for (const auto &[name, old] : {std::pair{QStringLiteral("图片"), before}, std::pair{QStringLiteral("文本框"), boxBefore}}) {
                const QRectF f = frameOf(name);
                QVERIFY2(std::abs(f.width() - old.width() * sx) < 0.05 && std::abs(f.height() - old.height() * sy) < 0.05
                             && std::abs(f.left() - (was.left() + (old.left() - was.left()) * sx)) < 0.05,
                         qPrintable(name));
            }
        } else if (check.contains(QStringLiteral(" ~ "))) {
            Task task;
            task.goal = {TaskCheck{key, value}};
            QVERIFY2(task.isMet(session.document()), qPrintable(check));
        } else {
            QCOMPARE(key + QStringLiteral(" = ") + session.document().value(key), check);
        }
    }
}

void TestSimulatorUi::turnedAndStackedInTheThumbnails()
{
    // The slide as the slide list paints it, 20 pixels a 厘米: a shape turned
    // lies across, one in front of the title covers its text, and one sent
    // to the back lies under it.
    Document document = taskFrom(QStringLiteral("start: slides = 6\nstart: slide2.自选图形 = 1\n"
                                                "start: slide2.自选图形.填充颜色 = 红色\nstart: slide2.自选图形.线条颜色 = 红色\n"))
                            .startDocument();
    Slide &slide = document.slides[1];
    const QString shape = QStringLiteral("自选图形");
    const QColor red = SlideArt::colour(QStringLiteral("红色"), Qt::black);
    const auto painted = [&document] { return paintedSlide(document, 1); };
    const auto redAt = [&red](const QImage &image, double x, double y) { return image.pixelColor(int(x * 20), int(y * 20)) == red; };
    QVERIFY(Shapes::setFrame(slide, shape, QRectF(2, 2, 2, 10)));   // standing upright
    QImage image = painted();
    QVERIFY(redAt(image, 3, 3) && !redAt(image, 7, 7));
    QVERIFY(Shapes::setRotation(slide, shape, 90));                 // lying across its centre (3, 7)
    image = painted();
    QVERIFY(!redAt(image, 3, 3) && redAt(image, 7, 7));

    QVERIFY(Shapes::setRotation(slide, shape, 0));
    const QRectF title = Shapes::find(slide, QStringLiteral("标题"))->frame;
    QVERIFY(Shapes::setFrame(slide, shape, title));
    const auto redShare = [&](const QImage &shown) {
        const QRect inside = QRectF(title.topLeft() * 20, title.size() * 20).toRect().adjusted(3, 3, -3, -3);
        int count = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                count += shown.pixelColor(x, y) == red;
        return double(count) / (inside.width() * inside.height());
    };
    QCOMPARE(redShare(painted()), 1.0);
    QVERIFY(Shapes::restack(slide, shape, QStringLiteral("置于底层")));
    QVERIFY(redShare(painted()) < 0.98);
}

// A text box holding text has no outline of its own: the slide (and its
// thumbnail) shows one only once a line colour is set, in that colour.
void TestSimulatorUi::textBoxLineOnlyWhenSet()
{
    Document document = taskFrom(QStringLiteral("start: slides = 6\nstart: slide2.文本框 = 1\nstart: slide2.文本框.方向 = 横排\n"
                                                "start: slide2.文本框.文字 = 欢迎各位同事\n")).startDocument();
    Slide &slide = document.slides[1];
    const QRectF frame = Shapes::find(slide, QStringLiteral("文本框"))->frame;
    // The pixels along the box's left edge, 20 pixels a 厘米, that are not white.
    const auto edge = [&document, &frame] {
        const QImage image = paintedSlide(document, 1);
        QList<QColor> inked;
        const int x = int(frame.left() * 20);
        for (int y = int(frame.top() * 20) + 2; y < int(frame.bottom() * 20) - 2; ++y)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.pixelColor(x + dx, y) != QColor(Qt::white))
                    inked.append(image.pixelColor(x + dx, y));
        return inked;
    };
    QVERIFY(edge().isEmpty());
    slide.attributes.insert(QStringLiteral("文本框.线条颜色"), QStringLiteral("蓝色"));
    const QList<QColor> lined = edge();
    QVERIFY(lined.size() > frame.height() * 20 / 2);
    QVERIFY(lined.contains(SlideArt::colour(QStringLiteral("蓝色"), Qt::black)));
}

// The buttons at the foot of the left pane switch to the sorter and back,
// and start the show from the current slide.
void TestSimulatorUi::viewButtonsSwitchTheView()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    const auto button = [&window](const char *id) {
        return window.findChild<QToolButton *>(QStringLiteral("viewButton:") + QString::fromUtf8(id));
    };
    for (const char *id : {"普通", "幻灯片浏览", "从当前幻灯片开始"})
        QVERIFY(button(id) && button(id)->isVisible() && !button(id)->accessibleName().isEmpty());
    const QMap<QString, QString> &settings = window.session().document().settings;
    QTest::mouseClick(button("幻灯片浏览"), Qt::LeftButton);
    QCOMPARE(settings.value(QStringLiteral("视图")), QStringLiteral("幻灯片浏览"));
    QTest::mouseClick(button("普通"), Qt::LeftButton);
    QCOMPARE(settings.value(QStringLiteral("视图")), QStringLiteral("普通"));
    QVERIFY(editorGesture(window, QStringLiteral("select 3")));
    QTest::mouseClick(button("从当前幻灯片开始"), Qt::LeftButton);
    QTRY_VERIFY(window.slideShow() && window.slideShow()->isVisible());
    QCOMPARE(window.slideShow()->slideIndex(), 2);
    QTest::keyClick(window.slideShow(), Qt::Key_Escape);
    QTRY_VERIFY(!window.slideShow()->isVisible());
}

void TestSimulatorUi::paragraphFormatsShow_data()
{
    // Formats of slide 2's body ("成立于1998年 / 员工三百余人 / 业务遍及全国")
    // and where the slide shows them: its ink reaching "lower" at the bottom,
    // starting lower at the "top", reaching further "right" (or less far:
    // "left"), or "link" words in the link colour; "other": drawn otherwise;
    // "same": nothing changes.
    QTest::addColumn<QStringList>("formats");
    QTest::addColumn<QString>("shows");
    QTest::newRow("line spacing 1.5 lines") << QStringList{"正文.行距=1.5行"} << "lower";
    QTest::newRow("space before") << QStringList{"正文.段前=0.5行"} << "top";
    QTest::newRow("first-line indent") << QStringList{"正文.首行缩进=2厘米"} << "right";
    QTest::newRow("paragraphs 2-3 a level in") << QStringList{"正文.段落=2-3", "正文.缩进=增加一级"} << "right";
    QTest::newRow("distributed") << QStringList{"正文.对齐=分散对齐"} << "right";
    QTest::newRow("characters set apart") << QStringList{"正文.间距=加宽", "正文.度量值=3磅"} << "right";
    QTest::newRow("characters closer") << QStringList{"正文.间距=紧缩", "正文.度量值=1磅"} << "left";
    QTest::newRow("宋体 by default, 黑体 when chosen") << QStringList{"正文.中文字体=黑体"} << "other";
    QTest::newRow("宋体 chosen is the default") << QStringList{"正文.中文字体=宋体"} << "same";
    QTest::newRow("justified single lines stay") << QStringList{"正文.对齐=两端对齐"} << "same";
    QTest::newRow("hyperlink on words") << QStringList{"超链接.正文.文字=员工", "超链接.正文.链接到=网址", "超链接.正文.地址=http://a"} << "link";
    QTest::newRow("hyperlink removed") << QStringList{"超链接.正文.文字=员工", "超链接.正文.链接到=删除链接"} << "same";
}

// Paragraph formats and hyperlinks show on the slide as it is painted (the
// slide list, the sorter and the show), and the link in the editor too.
void TestSimulatorUi::paragraphFormatsShow()
{
    QFETCH(QStringList, formats);
    QFETCH(QString, shows);
    Document document = taskFrom(QStringLiteral("start: slides = 6\n")).startDocument();
    const QRectF frame = Shapes::find(document.slides.at(1), QStringLiteral("正文"))->frame;
    const double pxPerCm = 800 / Shapes::SlideWidthCm;
    const QRect body = QRectF(frame.topLeft() * pxPerCm, frame.size() * pxPerCm).toRect();
    struct Ink { int top = -1, bottom = -1, right = -1, link = 0; QImage picture; };
    const auto ink = [&document, &body] {
        const QImage image = paintedSlide(document, 1, 800, SlideArt::Background | SlideArt::Texts);
        const QColor link = SlideArt::scheme(document.slides.at(1)).accent;
        Ink found;
        found.picture = image.copy(body);
        for (int y = body.top(); y <= body.bottom(); ++y)
            for (int x = body.left(); x <= body.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.lightness() > 200)
                    continue;
                found.top = found.top < 0 ? y : found.top;
                found.bottom = y;
                found.right = std::max(found.right, x);
                found.link += c.blue() > 150 && c.red() < 100 && qAbs(c.hue() - link.hue()) < 20;
            }
        return found;
    };
    const Ink before = ink();
    QVERIFY(before.top >= 0 && before.link == 0);
    for (const QString &format : formats)
        document.slides[1].attributes.insert(format.section(u'=', 0, 0), format.section(u'=', 1));
    const Ink after = ink();
    if (shows == u"lower")
        QVERIFY(after.bottom > before.bottom + 10);
    else if (shows == u"top")
        QVERIFY(after.top > before.top + 5);
    else if (shows == u"right")
        QVERIFY(after.right > before.right + 20);
    else if (shows == u"left")
        QVERIFY(after.right < before.right - 5);
    else if (shows == u"link")
        QVERIFY(after.link > 20);
    else if (shows == u"other")
        QVERIFY(after.picture != before.picture);
    else
        QVERIFY(after.picture == before.picture);

    if (shows == u"link") {
        QString start = QStringLiteral("start: slides = 6\ngoal: slide1.title = 不会满足\n");
        for (const QString &format : formats)
            start += QStringLiteral("start: slide2.%1 = %2\n").arg(format.section(u'=', 0, 0), format.section(u'=', 1));
        EditorWindow window(taskFrom(start));
        QVERIFY(showActive(window));
        QVERIFY(editorGesture(window, QStringLiteral("select 2")));
        auto *editor = window.findChild<QTextEdit *>(QStringLiteral("body"));
        QTextCursor at(editor->document());
        at.setPosition(int(editor->toPlainText().indexOf(QStringLiteral("员工"))) + 1);
        QTRY_VERIFY(at.charFormat().fontUnderline());
        at.setPosition(1);
        QVERIFY(!at.charFormat().fontUnderline());
    }
}

// What the candidate sets on a picture, WordArt, shape, table, chart or
// organisation chart shows on the slide and its thumbnail. Each row paints
// slide 2 before and after the setting and looks in a probe (fractions of
// the object's frame, reaching past it for shadows) for what should show:
//   changed          a share of the probe's pixels differ
//   colour NAME      pixels of that colour appear where there were next to none
//   grey / !grey     no coloured pixels left / colour back where there was none
//   across N, down N lines met by the probe's middle row or column
void TestSimulatorUi::objectSettingsShowOnTheSlide_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QRectF>("probe");
    QTest::addColumn<QString>("check");
    const QRectF whole(0, 0, 1, 1), inside(0.05, 0.05, 0.9, 0.9), leftEdge(-0.01, 0.1, 0.02, 0.8);
    const QString picture = QStringLiteral("图片"), wordArt = QStringLiteral("艺术字"), shape = QStringLiteral("自选图形"),
                  table = QStringLiteral("表格"), chart = QStringLiteral("图表"), org = QStringLiteral("组织结构图");
    const QString words = QStringLiteral("文字 = 欢迎"), rectangle = QStringLiteral("形状 = 矩形");
    QTest::newRow("picture cropped") << picture << QString() << "裁剪 = 左侧2厘米" << whole << "changed";
    QTest::newRow("picture grey") << picture << QString() << "图片颜色 = 灰度" << inside << "grey";
    QTest::newRow("picture black and white") << picture << QString() << "图片颜色 = 黑白" << inside << "grey";
    QTest::newRow("picture washed out") << picture << QString() << "图片颜色 = 冲蚀" << inside << "changed";
    QTest::newRow("picture border") << picture << QString() << "线条颜色 = 蓝色\n线型 = 实线\n线条粗细 = 1.5磅" << leftEdge
                                    << "colour 蓝色";
    QTest::newRow("picture brighter, flatter") << picture << QString() << "亮度 = 增加两次\n对比度 = 降低一次" << inside << "changed";
    QTest::newRow("picture reset") << picture << "图片颜色 = 灰度" << "重设 = 是" << inside << "!grey";
    QTest::newRow("WordArt waved") << wordArt << words << "形状 = 波形1" << whole << "changed";
    QTest::newRow("WordArt arched") << wordArt << words << "形状 = 细上弯弧" << whole << "changed";
    QTest::newRow("WordArt fill") << wordArt << words << "填充颜色 = 蓝色" << whole << "colour 蓝色";
    QTest::newRow("WordArt line") << wordArt << words << "线条颜色 = 绿色" << whole << "colour 绿色";
    QTest::newRow("WordArt stacked") << wordArt << words << "文字方向 = 竖排" << whole << "changed";
    QTest::newRow("shape shadow") << shape << rectangle << "阴影样式 = 6" << QRectF(0.5, 1.0, 0.7, 0.2) << "colour 灰色";
    QTest::newRow("shape extruded") << shape << rectangle << "三维效果样式 = 1" << QRectF(0.2, -0.2, 1, 0.2) << "changed";
    QTest::newRow("table row inserted") << table << "行数 = 4\n列数 = 3" << "位置 = 第2行下方\n操作 = 插入一行"
                                        << QRectF(0.5, -0.02, 0, 1.04) << "down 6";
    QTest::newRow("table column deleted") << table << "行数 = 3\n列数 = 4" << "位置 = 最后一列\n操作 = 删除"
                                          << QRectF(-0.02, 0.5, 1.04, 0) << "across 4";
    QTest::newRow("table row merged") << table << "行数 = 3\n列数 = 3" << "位置 = 第1行\n操作 = 合并"
                                      << QRectF(-0.02, 0.15, 1.04, 0) << "across 2";
    QTest::newRow("table cell split") << table << "行数 = 3\n列数 = 3" << "位置 = 第2行第2列\n拆分为 = 2列1行\n操作 = 拆分"
                                      << QRectF(-0.02, 0.5, 1.04, 0) << "across 5";
    QTest::newRow("table border") << table << "行数 = 3\n列数 = 3" << "外边框 = 2.25磅\n线条颜色 = 蓝色\n线型 = 实线" << leftEdge
                                  << "colour 蓝色";
    QTest::newRow("table row filled") << table << "行数 = 3\n列数 = 3" << "位置 = 第1行\n填充颜色 = 浅黄色"
                                      << QRectF(0.05, 0.05, 0.9, 0.25) << "colour 浅黄色";
    QTest::newRow("chart value") << chart << QString() << "第一季度、东部 = 90" << QRectF(0, 0, 0.4, 1) << "changed";
    QTest::newRow("chart title") << chart << QString() << "图表标题 = 销售统计" << QRectF(0, 0, 1, 0.2) << "changed";
    QTest::newRow("chart legend") << chart << QString() << "图例位置 = 底部" << QRectF(0, 0.8, 1, 0.2) << "changed";
    QTest::newRow("chart labels") << chart << QString() << "数据标签 = 值" << whole << "changed";
    QTest::newRow("org assistant") << org << QString() << "选中 = 总经理\n添加 = 助手\n数量 = 1" << whole << "changed";
    QTest::newRow("org subordinates") << org << QString() << "选中 = 技术部\n添加 = 下属\n数量 = 2" << whole << "changed";
    QTest::newRow("org hanging") << org << QString() << "版式 = 两边悬挂" << whole << "changed";
}

void TestSimulatorUi::objectSettingsShowOnTheSlide()
{
    QFETCH(QString, object);
    QFETCH(QString, start);
    QFETCH(QString, set);
    QFETCH(QRectF, probe);
    QFETCH(QString, check);
    QString lines = QStringLiteral("start: slides = 6\nstart: slide2.%1 = 1\n").arg(object);
    for (const QString &line : start.split(u'\n', Qt::SkipEmptyParts))
        lines += QStringLiteral("start: slide2.%1.%2\n").arg(object, line);
    Document document = taskFrom(lines).startDocument();
    Slide &slide = document.slides[1];
    const QRectF frame = Shapes::find(slide, object)->frame;
    // 20 pixels a 厘米, as the slide list's larger thumbnails.
    const auto painted = [&document] { return paintedSlide(document, 1); };
    // A probe along a line is one pixel wide.
    const QRect area = QRectF((frame.left() + probe.left() * frame.width()) * 20, (frame.top() + probe.top() * frame.height()) * 20,
                              probe.width() * frame.width() * 20, probe.height() * frame.height() * 20)
                           .toRect()
                           .united(QRect(QPointF((frame.left() + probe.left() * frame.width()) * 20,
                                                 (frame.top() + probe.top() * frame.height()) * 20).toPoint(), QSize(1, 1)));
    const auto pixels = [&area](const QImage &image) {
        QList<QColor> found;
        for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
                found.append(image.pixelColor(x, y));
        return found;
    };
    const QImage before = painted();
    for (const QString &line : set.split(u'\n')) {
        const qsizetype at = line.indexOf(QStringLiteral(" = "));
        slide.attributes.insert(object + u'.' + line.left(at), line.mid(at + 3));
    }
    const QImage after = painted();
    const QStringList words = check.split(u' ');
    const QList<QColor> was = pixels(before), is = pixels(after);
    QVERIFY(!is.isEmpty() && was.size() == is.size());
    if (check == u"changed") {
        qsizetype differ = 0;
        for (qsizetype i = 0; i < is.size(); ++i)
            differ += was.at(i) != is.at(i);
        QVERIFY2(differ > is.size() / 50, qPrintable(QString::number(differ)));
    } else if (words.first() == u"colour") {
        const QColor wanted = SlideArt::colour(words.at(1), QColor());
        const auto near = [&wanted](const QList<QColor> &in) {
            return std::count_if(in.begin(), in.end(), [&](const QColor &c) {
                return std::abs(c.red() - wanted.red()) + std::abs(c.green() - wanted.green()) + std::abs(c.blue() - wanted.blue()) < 40;
            });
        };
        QVERIFY2(near(was) < is.size() / 200 && near(is) > is.size() / 50, qPrintable(QStringLiteral("%1 → %2 of %3").arg(near(was)).arg(near(is)).arg(is.size())));
    } else if (check.endsWith(u"grey")) {
        const auto coloured = [](const QList<QColor> &in) {
            return std::count_if(in.begin(), in.end(), [](const QColor &c) { return c.hsvSaturation() > 40; });
        };
        const bool toGrey = check == u"grey";
        QVERIFY(coloured(toGrey ? was : is) > is.size() / 4);
        QCOMPARE(coloured(toGrey ? is : was), 0);
    } else {
        // Dark lines met along the probe's middle, each counted once however wide.
        const auto lines = [&area](const QImage &image) {
            int count = 0;
            bool inLine = false;
            const bool along = area.width() > area.height();
            for (int i = 0; i <= (along ? area.width() : area.height()); ++i) {
                const QPoint at = along ? QPoint(area.left() + i, area.center().y()) : QPoint(area.center().x(), area.top() + i);
                const bool dark = image.valid(at) && image.pixelColor(at).lightness() < 128;
                count += dark && !inLine;
                inLine = dark;
            }
            return count;
        };
        const int wanted = words.at(1).toInt();
        QVERIFY2(lines(before) != wanted && lines(after) == wanted, qPrintable(QStringLiteral("%1 → %2").arg(lines(before)).arg(lines(after))));
    }
}

// How text stands in its box, a table's cells, the body (中文版式) and on
// the master shows on the slide as painted (the slide list, the sorter, the
// show). Each row paints slide 2 before and after `set` (document paths)
// and compares the ink (pixels not white) inside `probe` (厘米 on the
// slide): each check is an edge of the ink ("left", "top", "right",
// "bottom") moving the way given by more than 3 pixels, a fifth "more" or
// "less" ink (a box's fill grown or shrunk), or "changed".
void TestSimulatorUi::textSettingsShowOnTheSlide_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QRectF>("probe");
    QTest::addColumn<QStringList>("checks");
    const QString box = QStringLiteral("slide2.文本框 = 1\nslide2.文本框.方向 = 横排\nslide2.文本框.位置 = 2,5\n");
    const QString longText = box + QStringLiteral("slide2.文本框.文字 = 本季度重点工作：拓展华东市场，完成新产品的推广\n");
    const QString narrow = longText + QStringLiteral("slide2.文本框.大小 = 6,1\n");
    const QString shortText = box + QStringLiteral("slide2.文本框.文字 = 市场调查数据\nslide2.文本框.大小 = 10,4\n");
    const QRectF slide(0, 0, 25.4, 19.05);
    QTest::newRow("text box: one line until it wraps") << narrow << "slide2.文本框.自动换行 = 是" << slide
                                                       << QStringList{"right -", "bottom +"};
    QTest::newRow("wrapped text box grows to its text")
        << narrow + "slide2.文本框.自动换行 = 是\nslide2.文本框.填充颜色 = 浅黄色\n" << "slide2.文本框.自动适应文字 = 是" << slide
        << QStringList{"more"};
    QTest::newRow("unwrapped text box shrinks to its text") << shortText + "slide2.文本框.填充颜色 = 浅黄色\n"
                                                            << "slide2.文本框.自动适应文字 = 是" << slide
                                                            << QStringList{"right -", "bottom -", "less"};
    QTest::newRow("text box margins") << shortText << "slide2.文本框.内部边距 = 0.5厘米" << slide << QStringList{"left +", "top +"};
    QTest::newRow("text box middle") << shortText << "slide2.文本框.垂直对齐 = 垂直居中对齐" << slide << QStringList{"top +"};
    QTest::newRow("text box bottom") << shortText << "slide2.文本框.垂直对齐 = 底端对齐" << slide << QStringList{"top +"};
    QTest::newRow("text box centred across") << shortText << "slide2.文本框.对齐 = 居中对齐" << slide << QStringList{"left +"};
    // The table's first cell (4 × 2 厘米) inside its lines.
    QTest::newRow("table text centred both ways")
        << "slide2.表格 = 1\nslide2.表格.行数 = 3\nslide2.表格.列数 = 3\nslide2.表格.坐标 = 2,5\nslide2.表格.大小 = 12,6\n"
           "slide2.表格.内容 = 产品 一月 二月 甲 120 135 乙 98 110\n"
        << "slide2.表格.文字对齐 = 水平和垂直均居中" << QRectF(2.2, 5.2, 3.6, 1.6) << QStringList{"left +", "top +"};
    // A paragraph of the body over three lines: a 顿号 starts one of them
    // until the layout keeps it off.
    const QString paragraph = QStringLiteral("slide2.body = %1\n").arg(bodyParagraph);
    QTest::newRow("body: no closing punctuation at a line's start") << paragraph << "slide2.正文.选项 = 按中文习惯控制首尾字符"
                                                                    << slide << QStringList{"changed"};
    QTest::newRow("body: punctuation hangs past the edge") << paragraph << "slide2.正文.选项 = 允许标点溢出边界" << slide
                                                           << QStringList{"right +"};
    // The master's shape, formatted and turned there, on every slide.
    const QString masterShape = QStringLiteral("doc.母版.自选图形 = 1\ndoc.母版.自选图形.形状 = 矩形\n"
                                               "doc.母版.自选图形.位置 = 2,8\ndoc.母版.自选图形.大小 = 8,2\n");
    QTest::newRow("master shape turned") << masterShape << "doc.母版.自选图形.旋转 = 90度" << slide
                                         << QStringList{"top -", "bottom +", "left +", "right -"};
    QTest::newRow("master shape filled") << masterShape << "doc.母版.自选图形.填充颜色 = 红色\ndoc.母版.自选图形.线条颜色 = 红色"
                                         << QRectF(2.5, 8.5, 7, 1) << QStringList{"changed"};
}

void TestSimulatorUi::textSettingsShowOnTheSlide()
{
    QFETCH(QString, start);
    QFETCH(QString, set);
    QFETCH(QRectF, probe);
    QFETCH(QStringList, checks);
    QString lines = QStringLiteral("start: slides = 6\n");
    for (const QString &line : start.split(u'\n', Qt::SkipEmptyParts))
        lines += QStringLiteral("start: ") + line + u'\n';
    Document document = taskFrom(lines).startDocument();
    // Only the body's text where the row is about the body; the objects alone otherwise.
    const int parts = SlideArt::Background | (start.contains(QStringLiteral(".body")) ? SlideArt::Texts : SlideArt::Objects);
    const QRect area = QRectF(probe.topLeft() * 20, probe.size() * 20).toRect();
    struct Ink { int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0; QImage picture; };
    const auto ink = [&] {
        Ink found;
        found.picture = paintedSlide(document, 1, 508, parts).copy(area);
        for (int y = 0; y < found.picture.height(); ++y)
            for (int x = 0; x < found.picture.width(); ++x)
                if (found.picture.pixelColor(x, y) != QColor(Qt::white)) {
                    ++found.count;
                    found.left = std::min(found.left, x);
                    found.top = std::min(found.top, y);
                    found.right = std::max(found.right, x);
                    found.bottom = std::max(found.bottom, y);
                }
        return found;
    };
    const Ink before = ink();
    QVERIFY(before.right >= 0);
    for (const QString &line : set.split(u'\n'))
        QVERIFY(document.setValue(line.section(QStringLiteral(" = "), 0, 0), line.section(QStringLiteral(" = "), 1)));
    const Ink after = ink();
    const QString moved = QStringLiteral("left %1→%2, top %3→%4, right %5→%6, bottom %7→%8")
                              .arg(before.left).arg(after.left).arg(before.top).arg(after.top)
                              .arg(before.right).arg(after.right).arg(before.bottom).arg(after.bottom);
    for (const QString &check : checks) {
        if (check == u"changed") {
            QVERIFY(after.picture != before.picture);
            continue;
        }
        if (check == u"more" || check == u"less") {
            QVERIFY2(check == u"more" ? after.count > before.count * 1.2 : after.count * 1.2 < before.count,
                     qPrintable(QStringLiteral("%1 → %2 pixels").arg(before.count).arg(after.count)));
            continue;
        }
        const QString edge = check.section(u' ', 0, 0);
        const int was = edge == u"left" ? before.left : edge == u"top" ? before.top : edge == u"right" ? before.right : before.bottom;
        const int is = edge == u"left" ? after.left : edge == u"top" ? after.top : edge == u"right" ? after.right : after.bottom;
        QVERIFY2(check.endsWith(u'+') ? is > was + 3 : is < was - 3, qPrintable(check + QStringLiteral(": ") + moved));
    }
}

void TestSimulatorUi::linesBreakAsTheChineseLayoutSays_data()
{
    // A paragraph broken into lines five characters wide (lines joined by
    // "|"), under each 中文版式 option.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("lines");
    const QString comma = QStringLiteral("一二三四五，六七"), bracket = QStringLiteral("一二三四（五）六");
    QTest::newRow("none: a line may start with a comma") << comma << QString() << "一二三四五|，六七";
    QTest::newRow("controlled: the comma takes a character down") << comma << "按中文习惯控制首尾字符" << "一二三四|五，六七";
    QTest::newRow("controlled: closing marks in a row") << QStringLiteral("一二三四五。”六") << "按中文习惯控制首尾字符"
                                                         << "一二三四|五。”六";
    QTest::newRow("hanging: the comma stays past the edge") << comma << "允许标点溢出边界" << "一二三四五，|六七";
    QTest::newRow("none: a line may end with an opening bracket") << bracket << QString() << "一二三四（|五）六";
    QTest::newRow("controlled: the bracket goes down") << bracket << "按中文习惯控制首尾字符" << "一二三四|（五）六";
    QTest::newRow("a western word goes down whole") << QStringLiteral("一二三四Office") << QString() << "一二三四|Office";
    QTest::newRow("a word too long for a line is broken") << QStringLiteral("Presentations") << QString() << "";
    QTest::newRow("a western word broken when allowed") << QStringLiteral("一二三四Office") << "允许西文在单词中间换行" << "";
    QTest::newRow("empty") << QString() << QString() << "";
}

void TestSimulatorUi::linesBreakAsTheChineseLayoutSays()
{
    QFETCH(QString, text);
    QFETCH(QString, option);
    QFETCH(QString, lines);
    Slide slide;
    slide.attributes.insert(QStringLiteral("正文.选项"), option);
    const QFont font = SlideArt::textStyle(slide, QStringLiteral("正文"), 1, QFont()).font;
    const double width = QFontMetricsF(font).horizontalAdvance(QStringLiteral("一二三四五")) + 0.5;
    const QList<QPair<qsizetype, qsizetype>> broken =
        SlideArt::brokenLines(text, font, width, width, SlideArt::lineBreaking(slide, QStringLiteral("正文")));
    QStringList shown;
    for (const auto &[start, length] : broken)
        shown << text.mid(start, length);
    // Every character once, in order, on lines none of them empty but the empty paragraph's.
    QCOMPARE(shown.join(QString()), text);
    QVERIFY(!shown.isEmpty() && (text.isEmpty() || !shown.contains(QString())));
    if (!lines.isEmpty())
        QCOMPARE(shown.join(u'|'), lines);
    else if (!text.isEmpty())   // broken inside the word: a line ends in a letter with one after it
        QVERIFY2(shown.size() > 1 && shown.first().back().isLetter() && shown.at(1).front().isLetter(), qPrintable(shown.join(u'|')));
}

// A slide with a comment shows its marker (the author's initials and its
// number) at the top left corner in the normal view; pointing at it or
// clicking it shows the comment, and a screen reader finds it by name.
void TestSimulatorUi::commentMarkerShowsTheComment()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: slide2.批注 = 1\nstart: slide2.批注.内容 = 请核对数据\n"
                                                "goal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    QVERIFY(view->commentMarker().isEmpty());
    QVERIFY(editorGesture(window, QStringLiteral("select 2")));
    const QRect marker = view->commentMarker();
    QVERIFY(!marker.isEmpty() && view->slideRect().contains(marker));
    const QColor inside = view->grab().toImage().pixelColor(marker.left() + 2, marker.center().y());
    QVERIFY2(inside.red() > 200 && inside.green() > 200 && inside.blue() < 160, qPrintable(inside.name()));
    QCOMPARE(view->commentText(), QStringLiteral("请核对数据"));
    QAccessibleInterface *slide = QAccessible::queryAccessibleInterface(view);
    QVERIFY2(childNames(slide).contains(QStringLiteral("批注 考1")), qPrintable(childNames(slide).join(u' ')));
    QTest::mouseClick(view, Qt::LeftButton, {}, marker.center());
    QTRY_VERIFY(QToolTip::isVisible() && QToolTip::text().contains(QStringLiteral("请核对数据")));
    QToolTip::hideText();
    // Not on the master, nor in the sorter.
    window.trigger(QStringLiteral("幻灯片母版"));
    QTRY_VERIFY(view->commentMarker().isEmpty());
    window.trigger(QStringLiteral("关闭母版视图"));
    QTRY_VERIFY(!view->commentMarker().isEmpty());
    window.trigger(QStringLiteral("幻灯片浏览"));
    QTRY_VERIFY(view->commentMarker().isEmpty());
}

// In the master view the left pane lists the slide master and the title
// master; the title master's picture shows the slide master's objects
// behind its own, as the title slides do.
void TestSimulatorUi::titleMasterShowsTheSlideMastersObjects()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\nstart: doc.母版.自选图形 = 1\nstart: doc.母版.自选图形.形状 = 矩形\n"
                                                "start: doc.母版.自选图形.填充颜色 = 红色\nstart: doc.母版.自选图形.线条颜色 = 红色\n"
                                                "start: doc.母版.自选图形.位置 = 0,0\nstart: doc.母版.自选图形.大小 = 25.4,4\n"
                                                "goal: slide1.title = 不会满足\n")));
    QVERIFY(showActive(window));
    window.trigger(QStringLiteral("幻灯片母版"));
    window.trigger(QStringLiteral("标题母版"));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTRY_COMPARE(list->count(), 2);
    const QColor red = SlideArt::colour(QStringLiteral("红色"), Qt::black);
    const auto redIn = [&](int row) {
        const QImage shown = list->viewport()->grab().toImage();
        const QRect item = list->visualItemRect(list->item(row));
        int count = 0;
        for (int y = item.top(); y <= item.bottom(); ++y)
            for (int x = item.left(); x <= item.right(); ++x)
                count += shown.pixelColor(x, y) == red;
        return count;
    };
    QVERIFY(redIn(0) > 50);
    QVERIFY2(redIn(1) > redIn(0) / 2, qPrintable(QStringLiteral("%1 / %2").arg(redIn(1)).arg(redIn(0))));
}

void TestSimulatorUi::shapeHandlesAndMenu()
{
    // A selected shape shows its eight handles; its context menu is the
    // editor's, in Chinese, and acts on it.
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\nstart: slide2.图片 = 1\n")));
    QVERIFY(showActive(window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    const QRect frame = view->shapeRect(QStringLiteral("图片"));
    const QList<QPoint> handles = {frame.topLeft(), QPoint(frame.center().x(), frame.top()), frame.topRight(),
                                   QPoint(frame.right(), frame.center().y()), frame.bottomRight(),
                                   QPoint(frame.center().x(), frame.bottom()), frame.bottomLeft(), QPoint(frame.left(), frame.center().y())};
    const auto whiteHandles = [&] {
        const QImage shown = view->grab().toImage();
        return std::count_if(handles.begin(), handles.end(), [&](const QPoint &at) {
            return shown.pixelColor(at * shown.devicePixelRatio()) == QColor(Qt::white);
        });
    };
    QVERIFY(whiteHandles() < 8);
    // A screen reader finds the picture among the slide's parts, and selects it.
    QAccessibleInterface *slide = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface *picture = nullptr;
    for (int i = 0; i < slide->childCount(); ++i)
        if (slide->child(i)->text(QAccessible::Name) == u"图片")
            picture = slide->child(i);
    QVERIFY(picture && picture->role() == QAccessible::Graphic && picture->rect().contains(view->mapToGlobal(frame.center())));
    picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(window.session().selectedShapes(), QStringList{QStringLiteral("图片")});
    QCOMPARE(whiteHandles(), 8);
    // Its green rotation handle, above the top edge, turns it by steps for a screen reader.
    const QRect knob = view->rotationHandle(QStringLiteral("图片"));
    QVERIFY(!knob.isEmpty() && knob.bottom() < frame.top());
    const QImage shown = view->grab().toImage();
    const QColor knobColour = shown.pixelColor(knob.center() * shown.devicePixelRatio());
    QVERIFY2(knobColour.green() > 150 && knobColour.red() < 120, qPrintable(knobColour.name()));
    QAccessibleInterface *turner = nullptr;
    for (int i = 0; i < slide->childCount(); ++i)
        if (slide->child(i)->text(QAccessible::Name) == u"旋转控点")
            turner = slide->child(i);
    QVERIFY(turner && turner->rect().contains(view->mapToGlobal(knob.center())));
    turner->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(window.session().document().value(QStringLiteral("slide2.图片.旋转")), QStringLiteral("15度"));
    turner->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    turner->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(turner->text(QAccessible::Value), QStringLiteral("345度"));
    turner->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(turner->text(QAccessible::Value), QStringLiteral("0度"));
    // The pointer tells a handle that sizes from the inside that moves.
    QTest::mouseMove(view, frame.bottomRight());
    QTRY_COMPARE(view->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(view, frame.center());
    QTRY_COMPARE(view->cursor().shape(), Qt::SizeAllCursor);

    QStringList seen;
    QString stacked;
    QTimer::singleShot(50, this, [&] {
        auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!popup)
            return;
        for (QAction *action : popup->actions())
            if (!action->isSeparator())
                seen << action->text();
        auto *order = popup->findChild<QMenu *>(QStringLiteral("shapeMenu:叠放次序"));
        if (order)
            for (QAction *entry : order->actions())
                if (entry->objectName() == u"entry:叠放次序:置于底层")
                    entry->trigger();
        popup->close();
    });
    const QPoint at = view->shapeGrip(QStringLiteral("图片"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
    QApplication::sendEvent(view, &event);
    QVERIFY2(!seen.isEmpty(), "no context menu");
    for (const QString &text : seen)
        QVERIFY2(chinese(text), qPrintable(text));
    for (const char *entry : {"剪切(&T)", "复制(&C)", "粘贴(&P)", "组合(&G)", "叠放次序(&R)", "设置图片格式(&O)…"})
        QVERIFY2(seen.contains(QString::fromUtf8(entry)), entry);
    QCOMPARE(window.session().document().value(QStringLiteral("slide2.图片.层次")), QStringLiteral("1"));
}

// An arrow flipped one way points the other; the same flip again shows it
// as it was, and 旋转或翻转's dialog offers no flip of its own to undo it by.
void TestSimulatorUi::flippedTwiceLooksAsBefore()
{
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 6\nstart: slide1.自选图形 = 1\nstart: slide1.自选图形.形状 = 右箭头\n"
                                                "start: slide1.自选图形.填充颜色 = 红色\n")));
    QVERIFY(showActive(window));
    auto *view = window.findChild<SlideView *>(QStringLiteral("slide"));
    const QRect frame = view->shapeRect(QStringLiteral("自选图形")).adjusted(6, 6, -6, -6);   // inside the handles
    const auto shown = [&] {
        view->repaint();
        const QImage image = view->grab().toImage();
        return image.copy(QRect(frame.topLeft() * image.devicePixelRatio(), frame.size() * image.devicePixelRatio()));
    };
    QTest::mouseClick(view, Qt::LeftButton, {}, view->shapeGrip(QStringLiteral("自选图形")));
    const QImage before = shown();
    auto *flip = window.findChild<QAction *>(QStringLiteral("entry:旋转或翻转:水平翻转"));
    QVERIFY(flip);
    flip->trigger();
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.自选图形.翻转")), QStringLiteral("水平翻转"));
    QVERIFY(shown() != before);
    window.trigger(QStringLiteral("旋转或翻转"));
    QVERIFY(window.openDialog());
    QCOMPARE(window.openDialog()->values().value(QStringLiteral("翻转")), QString());
    window.openDialog()->okButton()->click();
    QTRY_VERIFY(!window.openDialog());
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.自选图形.翻转")), QStringLiteral("水平翻转"));
    flip->trigger();
    QCOMPARE(window.session().document().value(QStringLiteral("slide1.自选图形.翻转")), QString());
    QCOMPARE(shown(), before);
}

QTEST_MAIN(TestSimulatorUi)
#include "tst_simulatorui.moc"
