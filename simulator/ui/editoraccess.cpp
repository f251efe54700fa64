#include "editoraccess.h"

#include "editorparts.h"
#include "session.h"
#include "shapes.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace {

// A box named by what it sets, its text as its value. Opening and closing
// its list is its action, as with Qt's own boxes. Every box gets it, even
// one asked about before its name was set (as its items went in): a box
// without a name is named by its text, as Qt names it.
class NamedBoxAccessible : public QAccessibleWidget
{
public:
    explicit NamedBoxAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    int childCount() const override { return box()->isEditable() && box()->lineEdit() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && childCount() == 2)
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return box()->accessibleName().isEmpty() ? box()->currentText() : box()->accessibleName();
        case QAccessible::Value:
            return box()->currentText();
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return QAccessibleWidget::doAction(name);
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

// Something the slide area paints rather than builds from a widget: a leaf
// of the slide area's interface that a screen reader can act on.
class PaintedPartAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit PaintedPartAccessible(SlideView *view) : m_view(view) {}

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

protected:
    QPointer<SlideView> m_view;
};

// One thing the slide area paints: an object on the slide under edit (a
// graphic a press selects, as a click does), or in the sorter view one slide,
// which a press chooses.
class SlidePartAccessible : public PaintedPartAccessible
{
public:
    SlidePartAccessible(SlideView *view, bool slide, int index) : PaintedPartAccessible(view), m_slide(slide), m_index(index) {}

    bool isValid() const override { return m_view && m_view->document() && m_slide == m_view->isSorter() && m_index < count(); }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        if (m_slide)
            return EditorAccess::slideName(m_index + 1, m_view->document()->slides.at(m_index).title);
        return EditorAccess::shapeName(objects().at(m_index));
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = m_slide ? m_view->sorterCell(m_index).toRect() : m_view->shapeRect(objects().at(m_index));
        return QRect(m_view->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return m_slide ? QAccessible::ListItem : QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.selectable = true;
        state.selected = m_slide ? m_index == m_view->slideIndex()
                                       || Document::slideNumbers(m_view->document()->settings.value(QStringLiteral("选中"))).contains(m_index + 1)
                                 : m_view->selectedShapes().contains(objects().at(m_index));
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (!isValid() || name != pressAction())
            return;
        if (m_slide)
            emit m_view->slideClicked(m_index, Qt::NoModifier);
        else
            m_view->clickShape(objects().at(m_index));
    }

private:
    QStringList objects() const { return m_view->objectShapes(); }
    int count() const
    {
        return int(m_slide ? m_view->document()->slides.size() : objects().size());
    }

    bool m_slide;
    int m_index;
};

// One of the areas a master paints (页眉区, 日期区, 页脚区, 数字区): a
// press puts the caret there, as a click does.
class MasterAreaAccessible : public PaintedPartAccessible
{
public:
    MasterAreaAccessible(SlideView *view, const QString &part) : PaintedPartAccessible(view), m_part(part) {}

    bool isValid() const override { return m_view && !m_view->masterArea(m_part).isEmpty(); }
    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? Session::masterArea(m_part) : QString();
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = m_view->masterArea(m_part).toRect();
        return QRect(m_view->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = isValid();
        state.selected = isValid() && m_view->chosenMasterArea() == m_part;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (isValid() && name == pressAction())
            m_view->clickMasterArea(m_part);
    }

private:
    QString m_part;
};

// The green handle that turns the one object selected. A screen reader
// cannot drag it: its increase and decrease actions turn the object a step
// of 15° clockwise or back, as Shift with the drag snaps it.
class RotationHandleAccessible : public PaintedPartAccessible
{
public:
    explicit RotationHandleAccessible(SlideView *view) : PaintedPartAccessible(view) {}

    bool isValid() const override { return m_view && !shape().isEmpty(); }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return QStringLiteral("旋转控点");
        if (t == QAccessible::Value)
            return m_view->document()->slides.at(m_view->slideIndex()).attributes.value(shape() + QStringLiteral(".旋转"),
                                                                                         QStringLiteral("0度"));
        return {};
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = m_view->rotationHandle(shape());
        return QRect(m_view->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override { return {}; }
    QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
    void doAction(const QString &name) override
    {
        if (!isValid() || (name != increaseAction() && name != decreaseAction()))
            return;
        const auto turned = Shapes::find(m_view->document()->slides.at(m_view->slideIndex()), shape());
        if (turned)
            emit m_view->shapeRotated(shape(), turned->rotation + (name == increaseAction() ? 15 : -15));
    }

    // The object the handle turns; empty when none shows one.
    QString shape() const
    {
        if (!m_view || m_view->isSorter() || m_view->selectedShapes().size() != 1)
            return {};
        const QString name = m_view->selectedShapes().first();
        return m_view->rotationHandle(name).isEmpty() ? QString() : name;
    }

};

// In the sorter, the gap before a slide (after the last one at the end): a
// press places the insertion bar there, which the gap then names.
class SorterGapAccessible : public PaintedPartAccessible
{
public:
    SorterGapAccessible(SlideView *view, int before) : PaintedPartAccessible(view), m_before(before) {}

    bool isValid() const override { return m_view && m_view->document() && !m_view->gapRect(m_before).isEmpty(); }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        const int count = int(m_view->document()->slides.size());
        const QString place = m_before == 1       ? QStringLiteral("第1张幻灯片之前")
                            : m_before > count    ? QStringLiteral("最后一张幻灯片之后")
                                                  : QStringLiteral("第%1张和第%2张幻灯片之间").arg(m_before - 1).arg(m_before);
        return m_view->insertionBar() == m_before ? QStringLiteral("插入点：") + place : place;
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = m_view->gapRect(m_before).toRect();
        return QRect(m_view->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::Caret; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.selected = isValid() && m_view->insertionBar() == m_before;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (isValid() && name == pressAction())
            emit m_view->gapClicked(m_before);
    }

private:
    int m_before;
};

// The marker of the slide's comment: named as it reads ("批注 考1"), its
// description the comment's text; a press shows the comment, as a click does.
class CommentMarkerAccessible : public PaintedPartAccessible
{
public:
    explicit CommentMarkerAccessible(SlideView *view) : PaintedPartAccessible(view) {}

    bool isValid() const override { return m_view && !m_view->commentMarker().isEmpty(); }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return QStringLiteral("批注 ") + SlideView::commentLabel();
        if (t == QAccessible::Description)
            return m_view->commentText();
        return {};
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect marker = m_view->commentMarker();
        return QRect(m_view->mapToGlobal(marker.topLeft()), marker.size());
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override { return {}; }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (isValid() && name == pressAction())
            m_view->showComment();
    }
};

// The slide area: its placeholders (real text boxes), then what it paints:
// the objects on the slide (or the slides of the sorter), then a master's
// areas, then the rotation handle while one shows, then the comment's marker,
// then the sorter's gaps.
class SlideViewAccessible : public QAccessibleWidget
{
public:
    explicit SlideViewAccessible(SlideView *view) : QAccessibleWidget(view, QAccessible::Pane) {}

    int childCount() const override { return firstGap() + gaps(); }
    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        index -= widgets;
        if (index >= painted() && index < painted() + areas()) {
            const QString part = view()->masterAreas().at(index - painted());
            auto &area = m_areas[part];
            if (!area) {
                area = new MasterAreaAccessible(view(), part);
                QAccessible::registerAccessibleInterface(area);
            }
            return area;
        }
        if (index == painted() + areas() && handle()->isValid())
            return handle();
        if (index + widgets == commentIndex() && comment()->isValid())
            return comment();
        if (const int gap = index + widgets - firstGap(); gap >= 0 && gap < gaps()) {
            auto &cache = m_gaps[gap + 1];
            if (!cache) {
                cache = new SorterGapAccessible(view(), gap + 1);
                QAccessible::registerAccessibleInterface(cache);
            }
            return cache;
        }
        if (index >= painted())
            return nullptr;
        // Registered once each, so that the same part keeps its interface.
        auto &cache = m_parts[{view()->isSorter(), index}];
        if (!cache) {
            cache = new SlidePartAccessible(view(), view()->isSorter(), index);
            QAccessible::registerAccessibleInterface(cache);
        }
        return cache;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = m_areas.begin(); it != m_areas.end(); ++it)
            if (it.value() == child)
                return view()->masterAreas().contains(it.key())
                           ? QAccessibleWidget::childCount() + painted() + int(view()->masterAreas().indexOf(it.key())) : -1;
        if (child && child == m_handle)
            return m_handle->isValid() ? QAccessibleWidget::childCount() + painted() + areas() : -1;
        if (child && child == m_comment)
            return m_comment->isValid() ? commentIndex() : -1;
        for (auto it = m_gaps.begin(); it != m_gaps.end(); ++it)
            if (it.value() == child)
                return it.key() <= gaps() ? firstGap() + it.key() - 1 : -1;
        for (auto it = m_parts.begin(); it != m_parts.end(); ++it)
            if (it.value() == child)
                return it.key().first == view()->isSorter() ? QAccessibleWidget::childCount() + it.key().second : -1;
        return QAccessibleWidget::indexOfChild(child);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return view()->isSorter() ? QStringLiteral("幻灯片浏览") : view()->accessibleName();
        return QAccessibleWidget::text(t);
    }

private:
    SlideView *view() const { return static_cast<SlideView *>(widget()); }
    int painted() const
    {
        if (!view()->document())
            return 0;
        return int(view()->isSorter() ? view()->document()->slides.size() : view()->objectShapes().size());
    }
    // The sorter's gaps come last: one before each slide and one after the last.
    int gaps() const
    {
        return view()->isSorter() && view()->document() ? int(view()->document()->slides.size()) + 1 : 0;
    }
    int commentIndex() const { return QAccessibleWidget::childCount() + painted() + areas() + (handle()->isValid() ? 1 : 0); }
    int firstGap() const { return commentIndex() + (comment()->isValid() ? 1 : 0); }
    int areas() const
    {
        return view()->document() ? int(view()->masterAreas().size()) : 0;
    }
    RotationHandleAccessible *handle() const
    {
        if (!m_handle) {
            m_handle = new RotationHandleAccessible(view());
            QAccessible::registerAccessibleInterface(m_handle);
        }
        return m_handle;
    }
    CommentMarkerAccessible *comment() const
    {
        if (!m_comment) {
            m_comment = new CommentMarkerAccessible(view());
            QAccessible::registerAccessibleInterface(m_comment);
        }
        return m_comment;
    }
    mutable QMap<std::pair<bool, int>, QAccessibleInterface *> m_parts;
    mutable QMap<QString, QAccessibleInterface *> m_areas;
    mutable QMap<int, QAccessibleInterface *> m_gaps;
    mutable RotationHandleAccessible *m_handle = nullptr;
    mutable CommentMarkerAccessible *m_comment = nullptr;
};

QAccessibleInterface *editorFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == u"SlideView")
        return new SlideViewAccessible(static_cast<SlideView *>(object));
    if (className == u"QComboBox")
        return new NamedBoxAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

QString EditorAccess::shapeName(const QString &name)
{
    const QString kind = Shapes::kindOf(name);
    const QString rest = name.mid(kind.size());
    return rest.isEmpty() ? kind : kind + u' ' + rest;
}

QString EditorAccess::slideName(int number, const QString &title)
{
    const QString shown = title.simplified();
    return QStringLiteral("%1 %2").arg(number).arg(shown.isEmpty() ? QStringLiteral("无标题") : shown);
}

void EditorAccess::install()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(editorFactory);
    installed = true;
}
