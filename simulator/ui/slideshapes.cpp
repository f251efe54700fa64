// The shapes of the slide under edit: selecting them with a click, moving
// them by dragging, sizing them by their eight handles, turning one by its
// green rotation handle, nudging them with the arrows, deleting them,
// drawing a text box or a shape and typing into a shape.
// The view only tells what the mouse and the keys did; the editor changes
// the document through the session and shows it again.

#include "editorparts.h"
#include "master.h"
#include "shapes.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>

#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int HandleSize = 7;
// How far above the top edge the rotation handle stands, in pixels.
constexpr double RotationReach = 18;
// Shift while turning a shape snaps it to steps of this many degrees.
constexpr double RotationStep = 15;
// A shape dragged or drawn smaller than this (in pixels) is no gesture.
constexpr double SmallestSide = 6;

Slide slideOf(const Document &document, int index)
{
    return Master::effective(document, index);
}

// Turns `at` by `degrees` clockwise about `centre` (the view's y grows down).
QPointF turned(const QPointF &at, const QPointF &centre, double degrees)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    t.translate(-centre.x(), -centre.y());
    return t.map(at);
}

} // namespace

QRectF SlideView::toCm(const QRectF &rect) const
{
    const QRectF r = slideRect();
    const double sx = Shapes::SlideWidthCm / r.width(), sy = Shapes::SlideHeightCm / r.height();
    return QRectF((rect.x() - r.x()) * sx, (rect.y() - r.y()) * sy, rect.width() * sx, rect.height() * sy);
}

QRectF SlideView::toView(const QRectF &frame) const
{
    const QRectF r = slideRect();
    const double sx = r.width() / Shapes::SlideWidthCm, sy = r.height() / Shapes::SlideHeightCm;
    return QRectF(r.x() + frame.x() * sx, r.y() + frame.y() * sy, frame.width() * sx, frame.height() * sy);
}

QRect SlideView::shapeRect(const QString &name) const
{
    if (!m_document || m_sorter || m_notesPage || m_index < 0 || m_index >= m_document->slides.size())
        return {};
    const auto shape = Shapes::find(m_document->slides.at(m_index), name);
    return shape ? toView(shape->frame).toRect() : QRect();
}

QString SlideView::shapeAt(const QPointF &at) const
{
    if (!m_document || m_sorter || m_notesPage || m_index < 0 || m_index >= m_document->slides.size())
        return {};
    const QList<Shapes::Shape> shapes = Shapes::of(m_document->slides.at(m_index));
    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
        const QRectF frame = toView(it->frame);
        if (frame.adjusted(-2, -2, 2, 2).contains(turned(at, frame.center(), -it->rotation)))
            return it->name;
    }
    return {};
}

double SlideView::rotationOf(const QString &name) const
{
    if (!m_document || m_sorter || m_notesPage || m_index < 0 || m_index >= m_document->slides.size())
        return 0;
    const auto shape = Shapes::find(m_document->slides.at(m_index), name);
    return shape ? shape->rotation : 0;
}

QPointF SlideView::unturned(const QString &name, const QPointF &at) const
{
    return turned(at, QRectF(shapeRect(name)).center(), -rotationOf(name));
}

QRect SlideView::rotationHandle(const QString &name) const
{
    // Placeholders are not turned here: their text is typed in place.
    if (m_selectedShapes != QStringList{name})
        return {};
    const auto shape = Shapes::find(m_document->slides.at(m_index), name);
    if (!shape || shape->placeholder)
        return {};
    const QRectF frame = shapeRect(name);
    const QPointF at = turned(QPointF(frame.center().x(), frame.top() - RotationReach), frame.center(), shape->rotation);
    return QRectF(at - QPointF(HandleSize / 2.0 + 1, HandleSize / 2.0 + 1), QSizeF(HandleSize + 2, HandleSize + 2)).toRect();
}

QPoint SlideView::shapeGrip(const QString &name) const
{
    const QRect frame = shapeRect(name);
    if (frame.isEmpty())
        return {};
    const auto shape = Shapes::find(m_document->slides.at(m_index), name);
    // A placeholder is gripped by its border, a quarter along its top (the
    // handles sit at the corners and the middles).
    if (shape->placeholder)
        return QPoint(frame.left() + frame.width() / 4, frame.top() + 2);
    return frame.center();
}

void SlideView::setSelectedShapes(const QStringList &names)
{
    if (names == m_selectedShapes)
        return;
    m_selectedShapes = names;
    setAttribute(Qt::WA_InputMethodEnabled, !typedShape().isEmpty());
    update();
}

QString SlideView::typedShape() const
{
    if (m_selectedShapes.size() != 1 || !m_document || m_sorter || m_notesPage || m_index < 0 || m_index >= m_document->slides.size())
        return {};
    const auto shape = Shapes::find(m_document->slides.at(m_index), m_selectedShapes.first());
    return shape && (shape->kind == u"文本框" || shape->kind == u"自选图形") ? shape->name : QString();
}

void SlideView::inputMethodEvent(QInputMethodEvent *event)
{
    const QString name = typedShape();
    if (name.isEmpty() || event->commitString().isEmpty()) {
        QWidget::inputMethodEvent(event);
        return;
    }
    const QString text = slideOf(*m_document, m_index).attributes.value(name + QStringLiteral(".文字"));
    emit shapeTyped(name, text + event->commitString());
    event->accept();
}

QVariant SlideView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return !typedShape().isEmpty();
    if (query == Qt::ImCursorRectangle && !typedShape().isEmpty())
        return shapeRect(typedShape());
    return QWidget::inputMethodQuery(query);
}

void SlideView::setDrawingBox(bool drawing, const QSizeF &clickSize, bool line)
{
    m_drawingBox = drawing;
    m_clickSize = clickSize;
    m_drawingLine = line;
    if (drawing)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

QList<QRectF> SlideView::handles(const QRectF &frame) const
{
    // Clockwise from the top-left corner: corners and the middles of the sides.
    const QList<QPointF> points = {
        frame.topLeft(), QPointF(frame.center().x(), frame.top()), frame.topRight(),
        QPointF(frame.right(), frame.center().y()), frame.bottomRight(), QPointF(frame.center().x(), frame.bottom()),
        frame.bottomLeft(), QPointF(frame.left(), frame.center().y()),
    };
    QList<QRectF> rects;
    for (const QPointF &point : points)
        rects << QRectF(point - QPointF(HandleSize / 2.0, HandleSize / 2.0), QSizeF(HandleSize, HandleSize));
    return rects;
}

QString SlideView::selectedGroup() const
{
    if (m_selectedShapes.size() < 2 || !m_document || m_sorter || m_notesPage || m_index < 0 || m_index >= m_document->slides.size())
        return {};
    const Slide &slide = m_document->slides.at(m_index);
    const QString first = m_selectedShapes.first();
    QStringList members = Shapes::withGroup(slide, first), selected = m_selectedShapes;
    members.sort();
    selected.sort();
    return members.size() > 1 && members == selected ? first : QString();
}

QRectF SlideView::groupRect() const
{
    const QString member = selectedGroup();
    return member.isEmpty() ? QRectF() : toView(Shapes::groupFrame(m_document->slides.at(m_index), member));
}

int SlideView::handleAt(const QPointF &at) const
{
    // A group selected alone is sized by the handles of its frame.
    if (const QRectF group = groupRect(); !group.isEmpty()) {
        const QList<QRectF> rects = handles(group);
        for (int i = 0; i < rects.size(); ++i)
            if (rects.at(i).adjusted(-2, -2, 2, 2).contains(at))
                return i;
        return -1;
    }
    // Only one shape selected has handles that size it.
    if (m_selectedShapes.size() != 1)
        return -1;
    const QString name = m_selectedShapes.first();
    if (const QRect rotation = rotationHandle(name); !rotation.isEmpty() && rotation.adjusted(-2, -2, 2, 2).contains(at.toPoint()))
        return 8;
    const QRect frame = shapeRect(name);
    if (frame.isEmpty())
        return -1;
    const QPointF local = unturned(name, at);
    const QList<QRectF> rects = handles(frame);
    for (int i = 0; i < rects.size(); ++i)
        if (rects.at(i).adjusted(-2, -2, 2, 2).contains(local))
            return i;
    return -1;
}

void SlideView::paintShapes(QPainter &p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    // A group is framed as one object, around all its members.
    QList<std::pair<QRectF, double>> frames;   // in the view, with the angle turned by
    QMap<QString, QRectF> groups;
    const QPointF dragged = m_gesture == ShapeGesture::Move && m_gestureMoved ? m_gestureFrame.topLeft() - m_gestureStart.topLeft()
                                                                               : QPointF();
    for (const QString &name : std::as_const(m_selectedShapes)) {
        QRectF frame = shapeRect(name);
        const auto shape = frame.isEmpty() ? std::nullopt : Shapes::find(m_document->slides.at(m_index), name);
        if (!shape)
            continue;
        // While a drag moves the selection, every selected frame follows it.
        frame.translate(dragged);
        if (m_gesture == ShapeGesture::Size && m_gestureMoved && name == m_gestureShape)
            frame = m_gestureFrame;
        if (!shape->group.isEmpty())
            groups[shape->group] = groups.contains(shape->group) ? groups.value(shape->group).united(frame) : frame;
        else
            frames.append({frame, m_gesture == ShapeGesture::Rotate && m_gestureMoved && name == m_gestureShape ? m_gestureAngle
                                                                                                                  : shape->rotation});
    }
    // A group being sized shows the frame it is pulled to.
    if (m_gesture == ShapeGesture::Size && m_gestureMoved && m_gestureGroup) {
        groups.clear();
        frames.clear();
        frames.append({m_gestureFrame, 0});
    }
    for (const QRectF &box : std::as_const(groups))
        frames.append({box, 0});
    for (const auto &[frame, angle] : std::as_const(frames)) {
        p.save();
        p.translate(frame.center());
        p.rotate(angle);
        p.translate(-frame.center());
        if (angle != 0)
            p.setRenderHint(QPainter::Antialiasing);
        // The frame of a selected placeholder is hatched, as the editor shows it.
        p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        if (frames.size() == 1 && m_selectedShapes.size() == 1 && !rotationHandle(m_selectedShapes.first()).isEmpty()) {
            // The green rotation handle on its stalk above the top edge.
            const QPointF top(frame.center().x(), frame.top());
            const QPointF knob = top - QPointF(0, RotationReach);
            p.setPen(QColor(40, 40, 40));
            p.drawLine(top, knob);
            p.setBrush(QColor(60, 200, 60));
            p.drawEllipse(knob, HandleSize / 2.0 + 1, HandleSize / 2.0 + 1);
        }
        p.setPen(QColor(40, 40, 40));
        p.setBrush(Qt::white);
        for (const QRectF &handle : handles(frame))
            p.drawEllipse(handle);
        p.restore();
    }
    if (m_gesture == ShapeGesture::Draw && m_gestureMoved) {
        p.setPen(QPen(QColor(40, 40, 40), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(m_gestureFrame);
    }
    p.restore();
}

void SlideView::shapePress(QMouseEvent *event)
{
    if (m_notesPage)   // a notes page is shown, not edited here
        return;
    // A press a placeholder's text left to the view (past the end of its
    // text) is still a click into the text, not on the placeholder's border;
    // the handles of the selected shape lie above the text all the same.
    const bool onHandle = !m_drawingBox && event->button() == Qt::LeftButton && handleAt(event->position()) >= 0;
    for (const QWidget *editor : {static_cast<QWidget *>(m_title), static_cast<QWidget *>(m_body)}) {
        const QPoint at = event->position().toPoint() - editor->pos();
        if (!m_drawingBox && !onHandle && editor->isVisible() && editor->rect().contains(at)
            && (editor->mask().isEmpty() || editor->mask().contains(at)))
            return;
    }
    setFocus(Qt::MouseFocusReason);
    m_gesture = ShapeGesture::None;
    m_gestureMoved = false;
    m_gestureGroup = false;
    m_pressAt = event->position();
    if (event->button() == Qt::RightButton) {
        // A right click on a shape not selected selects it for its menu.
        const QString name = shapeAt(event->position());
        if (!name.isEmpty() && !m_selectedShapes.contains(name))
            emit shapeClicked(name, false);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_drawingBox) {
        m_gesture = ShapeGesture::Draw;
        m_gestureFrame = QRectF(event->position(), QSizeF());
        return;
    }
    if (const int handle = handleAt(event->position()); handle == 8) {
        m_gesture = ShapeGesture::Rotate;
        m_gestureShape = m_selectedShapes.first();
        m_gestureAngle = rotationOf(m_gestureShape);
        m_gestureStart = m_gestureFrame = shapeRect(m_gestureShape);
        return;
    } else if (handle >= 0) {
        m_gesture = ShapeGesture::Size;
        m_handle = handle;
        m_gestureShape = m_selectedShapes.first();
        m_gestureGroup = !selectedGroup().isEmpty();
        m_gestureStart = m_gestureFrame = m_gestureGroup ? groupRect() : QRectF(shapeRect(m_gestureShape));
        return;
    }
    const QString name = shapeAt(event->position());
    // Ctrl with the click does what Shift does: it adds a shape, or takes
    // a selected one out of the selection.
    const bool add = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (add && !name.isEmpty() && m_selectedShapes.contains(name)) {
        emit shapeUnselected(name);
        return;
    }
    m_pressedOnSelected = !add && m_selectedShapes.contains(name);
    if (name.isEmpty() || !m_selectedShapes.contains(name) || add)
        emit shapeClicked(name, add && !name.isEmpty());
    if (name.isEmpty())
        return;
    m_gesture = ShapeGesture::Move;
    m_gestureShape = name;
    m_gestureStart = m_gestureFrame = shapeRect(name);
}

void SlideView::shapeMove(QMouseEvent *event)
{
    if (m_notesPage)
        return;
    if (!(event->buttons() & Qt::LeftButton) && !m_drawingBox) {
        // The pointer shows what a press does there: size by a handle, move a shape.
        static const Qt::CursorShape sizing[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
                                                 Qt::SizeHorCursor, Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                 Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        const int handle = handleAt(event->position());
        if (handle == 8)
            setCursor(Qt::CrossCursor);
        else if (handle >= 0)
            setCursor(sizing[handle]);
        else if (!shapeAt(event->position()).isEmpty())
            setCursor(Qt::SizeAllCursor);
        else
            unsetCursor();
        return;
    }
    if (m_gesture == ShapeGesture::None || !(event->buttons() & Qt::LeftButton))
        return;
    const QPointF delta = event->position() - m_pressAt;
    if (!m_gestureMoved && delta.manhattanLength() < QApplication::startDragDistance())
        return;
    m_gestureMoved = true;
    switch (m_gesture) {
    case ShapeGesture::Move:
        m_gestureFrame = m_gestureStart.translated(delta);
        break;
    case ShapeGesture::Rotate: {
        // The angle from the shape's centre to the pointer, clockwise from upright.
        const QPointF from = event->position() - m_gestureStart.center();
        double angle = std::atan2(from.x(), -from.y()) * 180 / M_PI;
        if (event->modifiers() & Qt::ShiftModifier)
            angle = std::round(angle / RotationStep) * RotationStep;
        m_gestureAngle = std::fmod(angle + 360, 360);
        break;
    }
    case ShapeGesture::Size: {
        QRectF frame = m_gestureStart;
        // A turned shape is sized along its own sides.
        const QPointF along = turned(m_pressAt + delta, m_pressAt, m_gestureGroup ? 0 : -rotationOf(m_gestureShape)) - m_pressAt;
        // Handles 0-2 move the top edge, 2-4 the right, 4-6 the bottom, 6, 7 and 0 the left.
        if (m_handle <= 2)
            frame.setTop(std::min(frame.top() + along.y(), frame.bottom() - SmallestSide));
        if (m_handle >= 2 && m_handle <= 4)
            frame.setRight(std::max(frame.right() + along.x(), frame.left() + SmallestSide));
        if (m_handle >= 4 && m_handle <= 6)
            frame.setBottom(std::max(frame.bottom() + along.y(), frame.top() + SmallestSide));
        if (m_handle >= 6 || m_handle == 0)
            frame.setLeft(std::min(frame.left() + along.x(), frame.right() - SmallestSide));
        m_gestureFrame = frame;
        break;
    }
    case ShapeGesture::Draw:
        m_gestureFrame = QRectF(m_pressAt, event->position()).normalized();
        break;
    case ShapeGesture::None:
        break;
    }
    update();
}

void SlideView::shapeRelease(QMouseEvent *event)
{
    if (m_notesPage)
        return;
    const ShapeGesture gesture = m_gesture;
    m_gesture = ShapeGesture::None;
    if (gesture == ShapeGesture::None || event->button() != Qt::LeftButton)
        return;
    if (gesture == ShapeGesture::Draw) {
        const QSizeF clickSize = m_clickSize;
        const bool line = m_drawingLine;
        setDrawingBox(false);
        // A click without a drag gives a box of the default size at the place
        // (a text box of one line, a shape of an inch).
        QRectF frame = m_gestureFrame;
        const bool small = line ? frame.width() < SmallestSide && frame.height() < SmallestSide
                                : frame.width() < SmallestSide || frame.height() < SmallestSide;
        if (!m_gestureMoved || small)
            frame = QRectF(m_pressAt, QSizeF(toView(QRectF(QPointF(0, 0), clickSize)).size()));
        emit boxDrawn(toCm(frame));
        return;
    }
    if (!m_gestureMoved) {
        if (gesture == ShapeGesture::Move && m_pressedOnSelected)
            emit shapeClicked(m_gestureShape, false);
        return;
    }
    update();
    if (gesture == ShapeGesture::Rotate) {
        emit shapeRotated(m_gestureShape, m_gestureAngle);
        return;
    }
    const auto shape = Shapes::find(m_document->slides.at(m_index), m_gestureShape);
    if (!shape)
        return;
    const bool group = gesture == ShapeGesture::Size && m_gestureGroup;
    // Each edge goes as far as the mouse took it; an edge not pulled stays
    // exactly where it was (a move keeps the size, a handle the other edges).
    const QRectF r = slideRect();
    const double sx = Shapes::SlideWidthCm / r.width(), sy = Shapes::SlideHeightCm / r.height();
    const QRectF was = group ? Shapes::groupFrame(m_document->slides.at(m_index), m_gestureShape) : shape->frame;
    const QRectF frame = was.adjusted((m_gestureFrame.left() - m_gestureStart.left()) * sx,
                                      (m_gestureFrame.top() - m_gestureStart.top()) * sy,
                                      (m_gestureFrame.right() - m_gestureStart.right()) * sx,
                                      (m_gestureFrame.bottom() - m_gestureStart.bottom()) * sy);
    if (group)
        emit groupFramed(m_gestureShape, frame);
    else
        emit shapeFramed(m_gestureShape, frame, gesture == ShapeGesture::Size);
}

bool SlideView::shapeKey(QKeyEvent *event)
{
    if (m_notesPage)
        return false;
    if (event->key() == Qt::Key_Escape && m_drawingBox) {
        setDrawingBox(false);
        return true;
    }
    if (m_selectedShapes.isEmpty())
        return false;
    const QString first = m_selectedShapes.first();
    const auto shape = Shapes::find(m_document->slides.at(m_index), first);
    if (!shape)
        return false;
    // The arrows nudge the shape a little; with Ctrl a pixel's worth.
    const double step = event->modifiers() & Qt::ControlModifier ? toCm(QRectF(0, 0, 1, 1)).width() : 0.2;
    QPointF by;
    switch (event->key()) {
    case Qt::Key_Left: by = QPointF(-step, 0); break;
    case Qt::Key_Right: by = QPointF(step, 0); break;
    case Qt::Key_Up: by = QPointF(0, -step); break;
    case Qt::Key_Down: by = QPointF(0, step); break;
    case Qt::Key_Delete:
        emit shapesDeleteAsked();
        return true;
    case Qt::Key_Escape:
        emit shapeClicked({}, false);
        return true;
    default: {
        // Typing into a selected text box or drawn shape.
        if (typedShape().isEmpty())
            return false;
        QString text = slideOf(*m_document, m_index).attributes.value(first + QStringLiteral(".文字"));
        if (event->key() == Qt::Key_Backspace)
            text.chop(1);
        else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            text += u'\n';
        else if (!event->text().isEmpty() && event->text().at(0).isPrint())
            text += event->text();
        else
            return false;
        emit shapeTyped(first, text);
        return true;
    }
    }
    emit shapeFramed(first, shape->frame.translated(by), false);
    return true;
}

QStringList SlideView::objectShapes() const
{
    QStringList names;
    if (!m_document || m_sorter || m_notesPage || m_index < 0 || m_index >= m_document->slides.size())
        return names;
    for (const Shapes::Shape &shape : Shapes::of(m_document->slides.at(m_index)))
        if (!shape.placeholder)
            names << shape.name;
    return names;
}

