#include "lessonrecorder.h"

#include "editorparts.h"
#include "editorwindow.h"
#include "outlinepane.h"
#include "shapes.h"
#include "task.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

namespace {

// A control's text as the candidate reads it: no mnemonic, no ellipsis.
QString plain(QString text)
{
    static const QRegularExpression mnemonic(QStringLiteral("\\(&?[A-Za-z0-9]\\)"));
    text.remove(mnemonic);
    text.remove(u'&');
    text.remove(QStringLiteral("…"));
    text.remove(QStringLiteral("..."));
    text.remove(u'：');
    text.remove(u':');
    return text.trimmed();
}

// The entry of a's submenu that a hint names last ("指向“图片”，单击“来自文件”");
// none when a opens no submenu or the hint names none of its entries.
QAction *submenuEntry(QAction *a, const QString &hint)
{
    if (!a->menu())
        return nullptr;
    const qsizetype close = hint.lastIndexOf(u'”');
    const qsizetype open = close < 0 ? -1 : hint.lastIndexOf(u'“', close);
    const QString named = open < 0 ? QString() : hint.mid(open + 1, close - open - 1);
    for (QAction *entry : a->menu()->actions())
        if (!entry->isSeparator() && entry->isEnabled() && plain(entry->text()) == named)
            return entry;
    return nullptr;
}

void mouseClick(QWidget *widget, QPoint local, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &move);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &release);
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        const int key = c == u'\n' ? int(Qt::Key_Return) : int(Qt::Key_unknown);
        const QString t = c == u'\n' ? QStringLiteral("\r") : QString(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, t);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, t);
        QApplication::sendEvent(widget, &release);
    }
}

// Pressed at `from`, moved in a few steps with the button held, let go at `to`.
void mouseDrag(QWidget *widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
{
    auto send = [widget, modifiers](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, modifiers);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 6; ++i)
        send(QEvent::MouseMove, from + (to - from) * i / 6, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// The visible dialog on top, if any.
QDialog *openDialog()
{
    QDialog *found = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
            found = d;
    return found;
}

QMenu *openMenu()
{
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

bool isInput(QWidget *w)
{
    return qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w)
           || qobject_cast<QListWidget *>(w) || qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w)
           || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w);
}

// A dialog field: by accessible or object name, a check box's text, or the
// input nearest to the right of (or below) the label that names it.
QWidget *findField(QWidget *dialog, const QString &name)
{
    const auto all = dialog->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->accessibleName() == name || w->objectName() == name || w->objectName().endsWith(u':' + name))
            return w;
    }
    for (QWidget *w : all) {
        if (auto *b = qobject_cast<QAbstractButton *>(w); b && !qobject_cast<QPushButton *>(w) && plain(b->text()) == name)
            return w;
    }
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        if (plain(label->text()) != name)
            continue;
        if (label->buddy())
            return label->buddy();
        QWidget *best = nullptr;
        int bestDistance = INT_MAX;
        const QPoint from = label->mapTo(dialog, QPoint(label->width(), label->height() / 2));
        for (QWidget *w : all) {
            if (!isInput(w) || w->parentWidget() != label->parentWidget())
                continue;
            const QPoint to = w->mapTo(dialog, QPoint(0, w->height() / 2));
            const int dx = to.x() - from.x() + 4, dy = to.y() - from.y();
            if (dx < 0 && dy < 8)
                continue;
            const int distance = std::abs(dx) + 3 * std::abs(dy);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = w;
            }
        }
        if (best)
            return best;
    }
    return nullptr;
}

// A hidden tab page holding `w` is brought forward first.
void revealTab(QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(p)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w))
                    tabs->setCurrentIndex(i);
        }
    }
}

void setFieldValue(QWidget *w, const QString &value)
{
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        const int i = combo->findText(value);
        if (i >= 0)
            combo->setCurrentIndex(i);
        else if (combo->isEditable())
            combo->setEditText(value);
    } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
        spin->setFocus();
        spin->selectAll();
        typeText(spin, value);
    } else if (auto *line = qobject_cast<QLineEdit *>(w)) {
        line->setFocus();
        line->selectAll();
        typeText(line, value);
    } else if (auto *list = qobject_cast<QListWidget *>(w)) {
        const auto items = list->findItems(value, Qt::MatchExactly);
        if (!items.isEmpty())
            list->setCurrentItem(items.first());
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        static const QStringList off{QStringLiteral("否"), QStringLiteral("0"), QStringLiteral("false"),
                                     QStringLiteral("不勾选"), QStringLiteral("取消")};
        const bool want = !off.contains(value);
        if (button->isChecked() != want)
            button->click();
    }
}

QWidget *findTextTarget(QWidget *editor, const QString &part)
{
    static const QMap<QString, QString> names{{QStringLiteral("title"), QStringLiteral("标题")},
                                              {QStringLiteral("body"), QStringLiteral("正文")},
                                              {QStringLiteral("notes"), QStringLiteral("备注")}};
    for (QWidget *w : editor->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        if (w->objectName() == part || w->objectName().endsWith(u':' + part)
            || (!names.value(part).isEmpty() && w->accessibleName().contains(names.value(part))))
            return w;
    }
    return nullptr;
}

QListWidget *findSlideList(QWidget *editor)
{
    QListWidget *first = nullptr;
    for (QListWidget *list : editor->findChildren<QListWidget *>()) {
        if (!list->isVisible())
            continue;
        if (list->objectName().contains(QStringLiteral("slide"), Qt::CaseInsensitive)
            || list->accessibleName().contains(QStringLiteral("幻灯片")))
            return list;
        if (!first && list->count() > 0)
            first = list;
    }
    return first;
}

QList<int> slideNumbers(const QString &arg)
{
    QList<int> numbers;
    for (const QString &part : arg.split(u',', Qt::SkipEmptyParts)) {
        const QStringList range = part.split(u'-');
        const int from = range.value(0).toInt(), to = range.value(range.size() - 1).toInt();
        for (int n = from; n <= to && n > 0; ++n)
            numbers.append(n);
    }
    return numbers;
}

void drawPointer(QPainter &p, QPointF at, double clickAge)
{
    if (clickAge >= 0 && clickAge < 1) {
        p.setPen(QPen(QColor(255, 140, 0, int(220 * (1 - clickAge))), 3));
        p.setBrush(Qt::NoBrush);
        const double r = 8 + 18 * clickAge;
        p.drawEllipse(at, r, r);
    }
    QPainterPath arrow;
    const double s = 1.3;
    const QPointF pts[] = {{0, 0}, {0, 17}, {4.5, 13}, {7.5, 20}, {10, 19}, {7, 12}, {12.5, 12}};
    arrow.moveTo(at + pts[0] * s);
    for (int i = 1; i < 7; ++i)
        arrow.lineTo(at + pts[i] * s);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

} // namespace

LessonRecorder::LessonRecorder(QString programFolder)
    : m_programFolder(std::move(programFolder))
{
}

LessonRecorder::~LessonRecorder()
{
    closeEditor();
}

void LessonRecorder::closeEditor()
{
    if (QWidget *menu = QApplication::activePopupWidget())
        menu->close();
    if (QDialog *dialog = openDialog())
        dialog->reject();
    delete m_editor.data();
    m_editor = nullptr;
    settle();
}

void LessonRecorder::openEditor(const QString &question)
{
    if (m_editor && question == m_question)
        return;
    closeEditor();
    m_question = question;
    QStringList errors;
    const Task task = Task::load(m_programFolder + QStringLiteral("/ovti/金山演示") + question + QStringLiteral("/task.txt"),
                                 &errors);
    auto *editor = new EditorWindow(task);
    editor->move(0, 0);
    editor->show();
    m_editor = editor;
    settle();
}

void LessonRecorder::settle()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// A field of a command whose task pane is shown: the pane's control that
// sets it, worked as the candidate works it (a pick with the keys in a
// box, a click elsewhere; the dialog a button opens gets the value).
// A question box (自动 / 在单击时): the button that reads the answer.
void LessonRecorder::answerTarget(QDialog *dialog, const QString &answer, Target *t)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
        if (!b->isVisible() || plain(b->text()) != answer)
            continue;
        t->found = true;
        t->at = toFrame(b, b->rect().center());
        t->act = [b = QPointer<QAbstractButton>(b)] {
            if (b)
                b->click();
        };
        return;
    }
}

void LessonRecorder::paneTarget(const LessonBeat &beat, Target *t)
{
    auto *pane = m_editor ? m_editor->findChild<TaskPane *>() : nullptr;
    if (!pane || !pane->isVisible())
        return;
    if (QAction *entry = pane->menuEntry(beat.arg, beat.value)) {
        QMenu *open = pane->openMenu();
        auto *owner = qobject_cast<QMenu *>(entry->parent());
        QMenu *shown = owner && owner->isVisible() ? owner : open;
        const QRect r = shown->actionGeometry(shown->actions().contains(entry) ? entry : owner->menuAction());
        t->found = true;
        t->at = toFrame(shown, r.center());
        t->act = [shown, entry, field = beat.arg] {
            if (field == u"类别" && entry->menu()) {   // its submenu opened
                shown->setActiveAction(entry);
                entry->menu()->popup(shown->mapToGlobal(shown->actionGeometry(entry).topRight()));
                return;
            }
            for (QWidget *p = QApplication::activePopupWidget(); p; p = QApplication::activePopupWidget())
                p->close();
            entry->trigger();
        };
        return;
    }
    QRect area;
    QWidget *control = pane->fieldControl(beat.arg, beat.value, &area);
    if (!control || !control->isVisible())
        return;
    t->found = true;
    if (control == pane) {
        t->at = toFrame(pane, area.center());
        t->act = [pane, area] { mouseClick(pane, area.center()); };
        return;
    }
    t->at = toFrame(control, QPoint(std::min(control->width() / 2, 60), control->height() / 2));
    t->act = [control = QPointer<QWidget>(control), value = beat.value, field = beat.arg] {
        if (!control)
            return;
        if (auto *box = qobject_cast<QComboBox *>(control)) {
            // Stepped with the arrow keys, as a pick the box reports.
            const int to = box->findText(value);
            for (int guard = 0; to >= 0 && box->currentIndex() != to && guard < box->count() + 1; ++guard) {
                QKeyEvent key(QEvent::KeyPress, box->currentIndex() < to ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
                QApplication::sendEvent(box, &key);
            }
        } else if (auto *list = qobject_cast<QListWidget *>(control)) {
            const auto items = list->findItems(value, Qt::MatchExactly);
            if (!items.isEmpty()) {
                list->scrollToItem(items.first());
                mouseClick(list->viewport(), list->visualItemRect(items.first()).center());
            }
        } else if (qobject_cast<QCheckBox *>(control) || qobject_cast<QLineEdit *>(control)) {
            setFieldValue(control, value);
        } else {
            mouseClick(control, control->rect().center());
            // A button that opens a dialog: the value goes there.
            if (QDialog *dialog = openDialog())
                if (QWidget *box = findField(dialog, field)) {
                    revealTab(box);   // shown on its tab, as the candidate sets it
                    setFieldValue(box, value);
                }
        }
    };
}

QPoint LessonRecorder::toFrame(const QWidget *widget, QPoint local) const
{
    const QPoint origin = m_editor ? m_editor->mapToGlobal(QPoint(0, 0)) : QPoint();
    return widget->mapToGlobal(local) - origin;
}

void LessonRecorder::grab()
{
    settle();
    QImage screen(Width, Height, QImage::Format_RGB32);
    screen.fill(QColor(0xf0, 0xf0, 0xf0));
    if (m_editor) {
        QPainter p(&screen);
        p.drawPixmap(0, 0, m_editor->grab());
        // Dialogs, then menus, each where the candidate would see it.
        QList<QWidget *> dialogs, popups;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == m_editor || !w->isVisible())
                continue;
            if (qobject_cast<QMenu *>(w) || w->windowType() == Qt::Popup)
                popups.append(w);
            else if (qobject_cast<QDialog *>(w) || w->windowType() == Qt::Tool)
                dialogs.append(w);
        }
        for (QWidget *w : dialogs + popups) {
            const QPoint at = toFrame(w, QPoint(0, 0));
            const QPixmap picture = w->grab();
            if (qobject_cast<QDialog *>(w)) {
                // The dialog's caption bar, as a window manager would draw it.
                const QRect bar(at.x(), at.y() - 24, picture.width(), 24);
                QLinearGradient g(bar.topLeft(), bar.bottomLeft());
                g.setColorAt(0, QColor(0x3a, 0x6e, 0xc8));
                g.setColorAt(1, QColor(0x1f, 0x4e, 0xa8));
                p.fillRect(bar, g);
                p.setPen(Qt::white);
                QFont f(QStringLiteral("Noto Sans CJK SC"));
                f.setPixelSize(13);
                f.setBold(true);
                p.setFont(f);
                p.drawText(bar.adjusted(8, 0, 0, 0), Qt::AlignVCenter, w->windowTitle());
                p.setPen(QColor(0x1f, 0x4e, 0xa8));
                p.drawRect(QRect(at, picture.size() / picture.devicePixelRatio()).adjusted(-1, -25, 0, 0));
            }
            p.drawPixmap(at, picture);
        }
    }
    m_screen = screen;
}

QImage LessonRecorder::compose(const QString &caption, bool titleCard, double clickAge) const
{
    QImage frame = m_screen;
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    if (titleCard) {
        p.fillRect(frame.rect(), QColor(10, 30, 70, 150));
        const QRect card(90, 200, 620, 170);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 235));
        p.drawRoundedRect(card, 14, 14);
        font.setPixelSize(18);
        p.setFont(font);
        p.setPen(QColor(0x1d, 0x4f, 0xa6));
        p.drawText(card.adjusted(0, 22, 0, 0), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Pelquor 网络课堂"));
        font.setPixelSize(30);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.drawText(card.adjusted(20, 40, -20, 0), Qt::AlignCenter | Qt::TextWordWrap, caption);
        return frame;
    }
    drawPointer(p, m_pointer, clickAge);
    if (!caption.isEmpty()) {
        font.setPixelSize(21);
        font.setBold(true);
        p.setFont(font);
        const QRect room(40, 0, Width - 80, Height);
        QRect text = p.boundingRect(room, Qt::AlignHCenter | Qt::TextWordWrap, caption);
        text.moveBottom(Height - 26);
        const QRect box = text.adjusted(-16, -9, 16, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 175));
        p.drawRoundedRect(box, 10, 10);
        p.setPen(QColor(255, 236, 120));
        p.drawText(text, Qt::AlignHCenter | Qt::TextWordWrap, caption);
    }
    return frame;
}

LessonRecorder::Target LessonRecorder::locate(const LessonBeat &beat)
{
    Target t;
    QWidget *editor = m_editor;
    if (!editor)
        return t;
    switch (beat.action) {
    case LessonBeat::Action::Menu: {
        auto *bar = editor->findChild<QMenuBar *>();
        if (!bar)
            break;
        for (QAction *a : bar->actions()) {
            if (plain(a->text()) != beat.arg)
                continue;
            const QRect r = bar->actionGeometry(a);
            t.found = true;
            t.at = toFrame(bar, r.center());
            t.act = [bar, a, r] {
                mouseClick(bar, r.center());
                if (!QApplication::activePopupWidget())
                    bar->setActiveAction(a);
            };
        }
        break;
    }
    case LessonBeat::Action::Command: {
        if (QMenu *menu = openMenu()) {
            for (QAction *a : menu->actions()) {
                if (plain(a->text()) != beat.arg)
                    continue;
                if (QAction *entry = submenuEntry(a, beat.caption)) {
                    // 指向“图片”，单击“来自文件”: the submenu opened, its entry clicked.
                    QMenu *sub = a->menu();
                    t.found = true;
                    t.at = toFrame(menu, menu->actionGeometry(a).center());
                    t.prepare = [menu, a, sub] {
                        menu->setActiveAction(a);
                        sub->popup(menu->mapToGlobal(menu->actionGeometry(a).topRight()));
                    };
                    t.act = [entry] {
                        for (QWidget *p = QApplication::activePopupWidget(); p; p = QApplication::activePopupWidget())
                            p->close();
                        entry->trigger();
                    };
                    return t;
                }
                const QRect r = menu->actionGeometry(a);
                t.found = true;
                t.at = toFrame(menu, r.center());
                t.prepare = [menu, a] { menu->setActiveAction(a); };
                t.act = [a] {
                    // Closed first, as a click closes the menu before the command runs.
                    for (QWidget *p = QApplication::activePopupWidget(); p; p = QApplication::activePopupWidget())
                        p->close();
                    a->trigger();
                };
                return t;
            }
        }
        for (QToolBar *bar : editor->findChildren<QToolBar *>()) {
            for (QAction *a : bar->actions()) {
                QWidget *button = bar->widgetForAction(a);
                if (!button || !button->isVisible() || (plain(a->text()) != beat.arg && plain(a->iconText()) != beat.arg))
                    continue;
                t.found = true;
                t.at = toFrame(button, button->rect().center());
                t.act = [a] { a->trigger(); };
                return t;
            }
        }
        for (QAction *a : editor->findChildren<QAction *>()) {
            if (plain(a->text()) == beat.arg || plain(a->iconText()) == beat.arg) {
                t.found = true;
                t.at = m_pointer.toPoint();
                t.act = [a] { a->trigger(); };
                return t;
            }
        }
        break;
    }
    case LessonBeat::Action::Field: {
        QDialog *dialog = openDialog();
        QWidget *field = dialog ? findField(dialog, beat.arg) : nullptr;
        if (!field) {
            if (!dialog)
                paneTarget(beat, &t);
            else
                answerTarget(dialog, beat.value, &t);   // a question the editor asks, by its button
            break;
        }
        revealTab(field);
        settle();
        t.found = true;
        t.at = toFrame(field, QPoint(std::min(field->width() / 2, 60), field->height() / 2));
        t.act = [field = QPointer<QWidget>(field), value = beat.value] {
            if (field)
                setFieldValue(field, value);
        };
        break;
    }
    case LessonBeat::Action::Ok: {
        QDialog *dialog = openDialog();
        if (!dialog)
            break;
        for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
            if (plain(b->text()) == QStringLiteral("确定") || b->objectName() == QStringLiteral("ok")) {
                t.found = true;
                t.at = toFrame(b, b->rect().center());
                t.act = [b = QPointer<QPushButton>(b)] {
                    if (b)
                        b->click();
                };
                break;
            }
        }
        break;
    }
    case LessonBeat::Action::Select: {
        const QList<int> numbers = slideNumbers(beat.arg);
        if (auto *outline = editor->findChild<OutlinePane *>(QStringLiteral("outlinePane"));
            outline && outline->isVisible() && !numbers.isEmpty()) {
            // In the 大纲 tab: the slide's icon, Shift with the last one's for a range.
            const QRect icon = outline->slideIconRect(numbers.first());
            if (icon.isEmpty())
                break;
            t.found = true;
            t.at = toFrame(outline->viewport(), icon.center());
            t.act = [outline = QPointer<OutlinePane>(outline), numbers] {
                if (!outline)
                    return;
                mouseClick(outline->viewport(), outline->slideIconRect(numbers.first()).center());
                if (numbers.size() > 1)
                    mouseClick(outline->viewport(), outline->slideIconRect(numbers.last()).center(), Qt::ShiftModifier);
            };
            break;
        }
        QListWidget *list = findSlideList(editor);
        if (!list || numbers.isEmpty() || numbers.first() > list->count())
            break;
        QListWidgetItem *first = list->item(numbers.first() - 1);
        list->scrollToItem(first);
        settle();
        const QRect r = list->visualItemRect(first);
        t.found = true;
        t.at = toFrame(list->viewport(), r.center());
        t.act = [list = QPointer<QListWidget>(list), numbers] {
            for (int i = 0; list && i < numbers.size(); ++i) {
                QListWidgetItem *item = list->item(numbers.at(i) - 1);
                if (!item)
                    continue;
                list->scrollToItem(item);
                mouseClick(list->viewport(), list->visualItemRect(item).center(),
                           i == 0 ? Qt::NoModifier : Qt::ControlModifier);
            }
        };
        break;
    }
    case LessonBeat::Action::Type: {
        if (!Shapes::kindOf(beat.arg).isEmpty()) {
            // Typed on the keyboard into the text box or shape, selected first.
            auto *view = editor->findChild<SlideView *>(QStringLiteral("slide"));
            const QRect frame = view ? view->shapeRect(beat.arg) : QRect();
            if (frame.isEmpty())
                break;
            t.found = true;
            t.at = toFrame(view, frame.center());
            t.act = [view = QPointer<SlideView>(view), name = beat.arg, text = beat.value] {
                if (!view)
                    return;
                if (!view->selectedShapes().contains(name))
                    mouseClick(view, view->shapeGrip(name));
                typeText(view, text);
            };
            break;
        }
        QWidget *target = findTextTarget(editor, beat.arg);
        if (!target)
            break;
        t.found = true;
        t.at = toFrame(target, QPoint(std::min(target->width() / 2, 80), std::min(target->height() / 2, 20)));
        t.act = [target = QPointer<QWidget>(target), text = beat.value] {
            if (!target)
                return;
            mouseClick(target, QPoint(std::min(target->width() / 2, 80), std::min(target->height() / 2, 20)));
            QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : target.data();
            typeText(focus, text);
        };
        break;
    }
    case LessonBeat::Action::Click: {
        // The caret put into the title or body placeholder.
        QWidget *target = findTextTarget(editor, beat.arg);
        if (!target)
            break;
        const QPoint at(std::min(target->width() / 2, 80), std::min(target->height() / 2, 20));
        t.found = true;
        t.at = toFrame(target, at);
        t.act = [target = QPointer<QWidget>(target), at] {
            if (target)
                mouseClick(target, at);
        };
        break;
    }
    case LessonBeat::Action::SelectText: {
        // Clicked into, the caret before the words, Shift with the arrows over them.
        QWidget *target = findTextTarget(editor, beat.arg);
        if (!target)
            break;
        t.found = true;
        t.at = toFrame(target, QPoint(6, std::min(target->height() / 2, 12)));
        t.act = [target = QPointer<QWidget>(target), text = beat.value] {
            if (!target)
                return;
            mouseClick(target, QPoint(6, std::min(target->height() / 2, 12)));
            if (auto *body = qobject_cast<QTextEdit *>(target.data())) {
                const int at = body->toPlainText().indexOf(text);
                if (at < 0)
                    return;
                QTextCursor cursor = body->textCursor();
                cursor.setPosition(at);
                body->setTextCursor(cursor);
            }
            for (qsizetype k = 0; k < text.size(); ++k) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
                QApplication::sendEvent(target, &key);
            }
        };
        break;
    }
    case LessonBeat::Action::Shape: {
        // Clicked on the slide, the others with Shift.
        auto *view = editor->findChild<SlideView *>(QStringLiteral("slide"));
        const QStringList names = beat.arg.split(u',');
        if (!view || !view->isVisible() || view->shapeGrip(names.first().trimmed()).isNull())
            break;
        t.found = true;
        t.at = toFrame(view, view->shapeGrip(names.first().trimmed()));
        t.act = [view = QPointer<SlideView>(view), names] {
            for (qsizetype k = 0; view && k < names.size(); ++k)
                mouseClick(view, view->shapeGrip(names.at(k).trimmed()), k == 0 ? Qt::NoModifier : Qt::ShiftModifier);
        };
        break;
    }
    case LessonBeat::Action::DrawBox: {
        // 插入 → 文本框 → 横排 (or 竖排), then the box dragged out on the slide.
        auto *window = qobject_cast<EditorWindow *>(editor);
        auto *view = editor->findChild<SlideView *>(QStringLiteral("slide"));
        const bool down = beat.arg.section(u' ', 1).trimmed() == u"竖排";
        QAction *entry = editor->findChild<QAction *>(QStringLiteral("entry:文本框:") + (down ? QStringLiteral("竖排") : QStringLiteral("横排")));
        const QStringList n = beat.arg.section(u' ', 0, 0).split(u',');
        if (!window || !view || !entry || n.size() != 4)
            break;
        const QRect box = view->toView(QRectF(n.at(0).toDouble(), n.at(1).toDouble(), n.at(2).toDouble(), n.at(3).toDouble())).toRect();
        t.found = true;
        t.at = toFrame(view, box.topLeft());
        if (QMenu *menu = openMenu()) {
            // The submenu holding the entry opened on the way.
            for (QAction *a : menu->actions())
                if (a->menu() && a->menu()->actions().contains(entry)) {
                    t.prepare = [menu, a] {
                        menu->setActiveAction(a);
                        a->menu()->popup(menu->mapToGlobal(menu->actionGeometry(a).topRight()));
                        a->menu()->setActiveAction(a->menu()->actions().value(0));
                    };
                }
        }
        t.act = [view = QPointer<SlideView>(view), entry = QPointer<QAction>(entry), box] {
            for (QWidget *p = QApplication::activePopupWidget(); p; p = QApplication::activePopupWidget())
                p->close();
            if (!view || !entry)
                return;
            entry->trigger();
            mouseDrag(view, box.topLeft(), box.bottomRight());
        };
        break;
    }
    case LessonBeat::Action::Drag: {
        // The selected slides dragged before slide `arg` (one past the last: the end).
        auto *window = qobject_cast<EditorWindow *>(editor);
        auto *outline = editor->findChild<OutlinePane *>(QStringLiteral("outlinePane"));
        auto *view = editor->findChild<SlideView *>(QStringLiteral("slide"));
        if (!window)
            break;
        const int count = int(window->session().document().slides.size());
        const int before = beat.arg.toInt();
        if (before < 1 || before > count + 1)
            break;
        if (window->session().document().settings.value(QStringLiteral("视图")) == u"幻灯片浏览" && view) {
            const QPoint from = view->sorterCell(window->session().current() - 1).center().toPoint();
            const QRectF cell = view->sorterCell(std::min(before, count) - 1);
            const QPoint to = before > count ? QPoint(int(cell.right()) - 4, int(cell.center().y()))
                                             : QPoint(int(cell.left()) + 6, int(cell.center().y()));
            t.found = true;
            t.at = toFrame(view, to);
            t.act = [view = QPointer<SlideView>(view), from, to] {
                if (view)
                    mouseDrag(view, from, to);
            };
        } else if (outline && outline->isVisible()) {
            const QPoint from = outline->slideIconRect(window->session().current()).center();
            const QRect at = outline->slideIconRect(std::min(before, count));
            const QPoint to = before > count ? QPoint(at.center().x(), outline->viewport()->height() - 3) : QPoint(at.center().x(), at.top() + 1);
            t.found = true;
            t.at = toFrame(outline->viewport(), to);
            t.act = [outline = QPointer<OutlinePane>(outline), from, to] {
                if (outline)
                    mouseDrag(outline->viewport(), from, to);
            };
        } else if (QListWidget *list = findSlideList(editor)) {
            // The list's own drag runs a loop of its own: the drop is what the editor sees.
            const QRect row = list->visualItemRect(list->item(std::min(before, count) - 1));
            const QPoint to = before > count ? QPoint(row.center().x(), row.bottom() - 2) : QPoint(row.center().x(), row.top() + 2);
            t.found = true;
            t.at = toFrame(list->viewport(), to);
            t.act = [window = QPointer<EditorWindow>(window), to] {
                if (window)
                    window->dropSlides(to);
            };
        }
        break;
    }
    case LessonBeat::Action::Pane: {
        // The pane's title drops its switcher down; the pane chosen there.
        auto *pane = editor->findChild<TaskPane *>(QStringLiteral("taskPane"));
        if (!pane || !pane->isVisible())
            break;
        settle();
        const QRect title = pane->entryRect(beat.arg == u"关闭" ? QStringLiteral("close") : QStringLiteral("switch"));
        if (title.isEmpty())
            break;
        t.found = true;
        t.at = toFrame(pane, title.center());
        if (beat.arg == u"关闭") {
            t.act = [pane = QPointer<TaskPane>(pane), title] {
                if (pane)
                    mouseClick(pane, title.center());
            };
            break;
        }
        t.prepare = [pane = QPointer<TaskPane>(pane), title, name = beat.arg] {
            if (!pane)
                return;
            mouseClick(pane, title.center());
            if (QMenu *switcher = pane->switcher())
                switcher->setActiveAction(switcher->findChild<QAction *>(QStringLiteral("pane:") + name));
        };
        t.act = [pane = QPointer<TaskPane>(pane), name = beat.arg] {
            QMenu *switcher = pane ? pane->switcher() : nullptr;
            QAction *entry = switcher ? switcher->findChild<QAction *>(QStringLiteral("pane:") + name) : nullptr;
            for (QWidget *p = QApplication::activePopupWidget(); p; p = QApplication::activePopupWidget())
                p->close();
            if (entry)
                entry->trigger();
        };
        break;
    }
    case LessonBeat::Action::Toolbar: {
        // A toolbar's button clicked, or its box stepped to the value with the
        // keys (a pick the box reports).
        auto *window = qobject_cast<EditorWindow *>(editor);
        QWidget *control = window ? window->toolbarControl(beat.arg) : nullptr;
        if (!control || !control->isVisible())
            break;
        t.found = true;
        t.at = toFrame(control, control->rect().center());
        t.act = [control = QPointer<QWidget>(control), value = beat.value] {
            if (!control)
                return;
            auto *box = qobject_cast<QComboBox *>(control.data());
            if (!box) {
                mouseClick(control, control->rect().center());
                return;
            }
            const int to = box->findText(value);
            for (int guard = 0; to >= 0 && box->currentIndex() != to && guard < box->count() + 1; ++guard) {
                QKeyEvent key(QEvent::KeyPress, box->currentIndex() < to ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
                QApplication::sendEvent(box, &key);
            }
        };
        break;
    }
    case LessonBeat::Action::None:
    case LessonBeat::Action::Editor:
    case LessonBeat::Action::Show:
    case LessonBeat::Action::Other:
        break;
    }
    return t;
}

QStringList LessonRecorder::record(const LessonScript &script, const QList<int> &beatFrames,
                                   const std::function<void(const QImage &)> &sink)
{
    QStringList notFound;
    // The editor of the lesson's first question is on from the start.
    QString firstQuestion;
    for (const LessonBeat &beat : script.beats)
        if (!beat.question.isEmpty() && firstQuestion.isEmpty())
            firstQuestion = beat.question;
    openEditor(firstQuestion);
    m_pointer = QPointF(Width * 0.55, Height * 0.45);
    grab();
    bool implied = false;

    for (qsizetype b = 0; b < script.beats.size(); ++b) {
        const LessonBeat &beat = script.beats.at(b);
        const int frames = beatFrames.value(b, FramesPerSecond);
        const bool titleCard = b == 0;
        if (beat.action == LessonBeat::Action::Editor) {
            openEditor(beat.question);
            grab();
        }
        // After a toolbar control, the command, field and ok steps say what
        // it did: captions over what the click already shows.
        const bool said = implied && (beat.action == LessonBeat::Action::Command
                                      || (!openDialog() && (beat.action == LessonBeat::Action::Field
                                                            || beat.action == LessonBeat::Action::Ok)));
        implied = said || beat.action == LessonBeat::Action::Toolbar;
        const bool acts = beat.action != LessonBeat::Action::None && beat.action != LessonBeat::Action::Editor && !said;
        Target target = acts ? locate(beat) : Target{};
        if (acts && (!target.found || !target.act) && beat.action != LessonBeat::Action::Show)
            notFound << beat.caption;
        const QPointF from = m_pointer;
        double clickAge = -1;
        for (int f = 0; f < frames; ++f) {
            if (target.found && f < MoveFrames) {
                const double x = double(f + 1) / MoveFrames;
                const double ease = x * x * (3 - 2 * x);
                m_pointer = from + (QPointF(target.at) - from) * ease;
            }
            if (target.found && f == MoveFrames && target.prepare) {
                target.prepare();
                grab();
            }
            if (target.found && f == MoveFrames + (target.prepare ? 2 : 0)) {
                target.act();
                grab();
                clickAge = 0;
            }
            sink(compose(beat.caption, titleCard, clickAge));
            if (clickAge >= 0)
                clickAge += 0.25;
        }
    }
    closeEditor();
    return notFound;
}
