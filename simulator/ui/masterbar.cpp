#include "masterbar.h"


#include <QAction>
#include <QToolButton>

MasterBar::MasterBar(QAction *close, QWidget *parent) : QToolBar(QStringLiteral("幻灯片母版视图"), parent)
{
    setObjectName(QStringLiteral("masterBar"));
    setAccessibleName(QStringLiteral("幻灯片母版视图工具栏"));
    setMovable(false);
    setIconSize(QSize(16, 16));
    for (const char *count : {"1", "2", "3", "4", "6", "9"}) {
        const QString slides = QString::fromLatin1(count);
        const QString name = QStringLiteral("每页%1张幻灯片").arg(slides);
        QAction *button = addAction(QStringLiteral("%1张").arg(slides));
        button->setObjectName(QStringLiteral("handout:") + slides);
        button->setToolTip(name);
        button->setIconText(name);
        button->setCheckable(true);
        connect(button, &QAction::triggered, this, [this, slides] { emit handoutChosen(slides); });
        m_handout << button;
    }
    m_titleMaster = addAction(QStringLiteral("插入新标题母版"));
    m_titleMaster->setObjectName(QStringLiteral("master:标题母版"));
    connect(m_titleMaster, &QAction::triggered, this, [this] { emit masterChosen(QStringLiteral("标题母版")); });
    m_slideMaster = addAction(QStringLiteral("幻灯片母版"));
    m_slideMaster->setObjectName(QStringLiteral("master:幻灯片母版"));
    connect(m_slideMaster, &QAction::triggered, this, [this] { emit masterChosen(QStringLiteral("幻灯片母版")); });
    addSeparator();
    addAction(close);
    if (auto *button = qobject_cast<QToolButton *>(widgetForAction(close)))
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void MasterBar::showFor(const QString &view, const QString &handoutSlides)
{
    setWindowTitle(view + QStringLiteral("视图"));
    setAccessibleName(view + QStringLiteral("视图工具栏"));
    const bool handout = view == u"讲义母版";
    m_titleMaster->setVisible(view == u"幻灯片母版");
    m_slideMaster->setVisible(view == u"标题母版");
    for (QAction *button : std::as_const(m_handout)) {
        button->setVisible(handout);
        button->setChecked(button->objectName().section(u':', 1) == handoutSlides);
    }
}
