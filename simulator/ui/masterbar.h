#pragma once

#include <QToolBar>

class QAction;

// The toolbar of the master views (幻灯片母版视图, 讲义母版视图, 备注母版视图):
// shown while the candidate works on a master, with 关闭母版视图 to go back
// to the slides. The slide master's leads to its title master (插入新标题母版)
// and back; the handout master's chooses how many slides a handout page holds.
class MasterBar : public QToolBar
{
    Q_OBJECT

public:
    // `close` is the editor's 关闭母版视图 command.
    MasterBar(QAction *close, QWidget *parent);
    // Titled after the master view shown; the handout buttons only in 讲义母版.
    void showFor(const QString &view, const QString &handoutSlides);

signals:
    void handoutChosen(const QString &slides);
    // 插入新标题母版 (the title master) or, from there, back to 幻灯片母版.
    void masterChosen(const QString &master);

private:
    QList<QAction *> m_handout;
    QAction *m_titleMaster = nullptr;
    QAction *m_slideMaster = nullptr;
};
