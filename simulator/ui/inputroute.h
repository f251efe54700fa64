#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QMenu;

// How the candidate reached what the editor now does, told by the input that
// led to it: a click or key in a menu of the menu bar (菜单) or in a context
// menu (右键菜单), a click on a toolbar (工具栏) or in the task pane
// (任务窗格), a shortcut key (快捷键). Watches every input event of the
// application; empty when the last input came from nowhere of these (a
// command run by a program, a test).
class InputRoute : public QObject
{
    Q_OBJECT

public:
    explicit InputRoute(QObject *parent);
    QString route() const { return m_route; }

signals:
    // A shortcut key was pressed, as the task files write it ("Ctrl+B").
    void keyUsed(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QString routeOf(QObject *receiver);
    QString m_route;
    const QEvent *m_lastEvent = nullptr;
    quint64 m_lastTimestamp = 0;
};
