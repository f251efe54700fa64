#include "inputroute.h"

#include "editorparts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcutEvent>
#include <QToolBar>

InputRoute::InputRoute(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

QString InputRoute::routeOf(QObject *receiver)
{
    for (QObject *o = receiver; o; o = o->parent()) {
        if (auto *menu = qobject_cast<QMenu *>(o)) {
            // The menu bar's menus and their submenus are named "menu:…".
            for (QObject *m = menu; m; m = m->parent())
                if (qobject_cast<QMenu *>(m) && m->objectName().startsWith(u"menu:"))
                    return QStringLiteral("菜单");
            // A toolbar button's menu (绘图, 自选图形, the colours).
            for (QObject *m = menu; m; m = m->parent())
                if (qobject_cast<QToolBar *>(m))
                    return QStringLiteral("工具栏");
            // A drop-down of the task pane (its switcher, 添加效果, a template's).
            for (QObject *m = menu; m; m = m->parent())
                if (qobject_cast<TaskPane *>(m))
                    return QStringLiteral("任务窗格");
            return QStringLiteral("右键菜单");
        }
        if (qobject_cast<QToolBar *>(o))
            return QStringLiteral("工具栏");
        if (qobject_cast<TaskPane *>(o))
            return QStringLiteral("任务窗格");
    }
    return {};
}

bool InputRoute::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut: {
        m_route = QStringLiteral("快捷键");
        emit keyUsed(static_cast<QShortcutEvent *>(event)->key().toString(QKeySequence::PortableText));
        break;
    }
    case QEvent::MouseButtonPress:
        // The task pane's painted entries act on the press.
        if (routeOf(watched) == u"任务窗格")
            m_route = QStringLiteral("任务窗格");
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress: {
        // The same event passes on to the receiver's parents: the first
        // receiver is the one clicked or typed into.
        const auto *input = static_cast<const QInputEvent *>(event);
        if (event == m_lastEvent && input->timestamp() == m_lastTimestamp)
            break;
        m_lastEvent = event;
        m_lastTimestamp = input->timestamp();
        m_route = routeOf(watched);
        // A key the focused widget takes for itself (Delete in the slide
        // list, Tab in the body) is a key of the editor too.
        if (m_route.isEmpty() && event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            if (key->text().isEmpty() || key->text().at(0).isSpace() || key->modifiers() & Qt::ControlModifier)
                m_route = QStringLiteral("快捷键");
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
