// The editor's side of the 大纲 tab's outline: what is typed and asked
// there is carried out on the session, as the slide area's typing is.
#include "editorwindow.h"

#include "outlinepane.h"

#include <QBoxLayout>
#include <QToolBar>
#include <QTextBlock>
#include <QTextCursor>

QWidget *EditorWindow::buildPaneTabs(QWidget *parent)
{
    // Two tabs and a close button in a strip of their own: a click on a tab
    // shows its view, the button closes the pane (视图 → 普通 opens it again).
    auto *tabs = new QToolBar(parent);
    tabs->setObjectName(QStringLiteral("leftPaneTabs"));
    tabs->setAccessibleName(QStringLiteral("左侧窗格选项卡"));
    tabs->setIconSize(QSize(12, 12));
    tabs->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tabs->setStyleSheet(QStringLiteral("QToolBar { border: none; border-bottom: 1px solid #8c8c8c; padding: 0; }"
                                       "QToolButton { padding: 1px 8px; border: 1px solid transparent; }"
                                       "QToolButton:checked { background: white; border: 1px solid #8c8c8c; border-bottom: none; }"));
    auto tab = [this, tabs](const QString &name) {
        QAction *action = tabs->addAction(name);
        action->setCheckable(true);
        action->setToolTip(name + QStringLiteral("选项卡"));
        tabs->widgetForAction(action)->setAccessibleName(name + QStringLiteral("选项卡"));
        connect(action, &QAction::triggered, this, [this, name] {
            runWithoutDialog(QStringLiteral("左侧窗格"), {{QStringLiteral("选项卡"), name}});
        });
        return action;
    };
    m_outlineTab = tab(QStringLiteral("大纲"));
    m_slidesTab = tab(QStringLiteral("幻灯片"));
    auto *gap = new QWidget(tabs);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tabs->addWidget(gap);
    QAction *close = tabs->addAction(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("关闭左侧窗格"));
    tabs->widgetForAction(close)->setAccessibleName(QStringLiteral("关闭左侧窗格"));
    connect(close, &QAction::triggered, this, [this] {
        runWithoutDialog(QStringLiteral("左侧窗格"), {{QStringLiteral("显示"), QStringLiteral("关闭")}});
    });
    return tabs;
}

void EditorWindow::buildOutlinePane(QWidget *parent, QBoxLayout *layout)
{
    m_outlinePane = new OutlinePane(parent);
    m_outlinePane->setFixedWidth(210);
    m_outlinePane->hide();
    layout->addWidget(m_outlinePane);
    // The caret's slide becomes the current one, its part the one edited.
    auto goTo = [this](const OutlinePane::Place &place) {
        if (place.slide < 1)
            return;
        const bool other = place.slide != m_session.current();
        if (other)
            m_session.select(place.slide);
        m_session.setEditing(place.part);
        m_session.setCaret(place.position);
        if (other) {
            report(TaskStep{TaskStep::Kind::Select, QString::number(place.slide), {}, {}});
            refresh();
        }
    };
    connect(m_outlinePane, &OutlinePane::caretMoved, this, [this, goTo](const OutlinePane::Place &place) {
        goTo(place);
        // The caret in a paragraph chooses it for the outline's operations.
        report(TaskStep{TaskStep::Kind::SelectText, QStringLiteral("outline"), m_outlinePane->caretParagraph(), {}});
    });
    // A slide icon clicked chooses its slide, as the slide list does.
    connect(m_outlinePane, &OutlinePane::slidesChosen, this, [this](const QList<int> &slides) {
        if (slides.size() == 1)
            m_session.select(slides.first());
        else
            m_session.select(slides);
        m_session.setEditing(QString());
        report(TaskStep{TaskStep::Kind::Select, Document::slideNumbersText(slides), {}, {}});
        refresh();
    });
    connect(m_outlinePane, &OutlinePane::slidesMoveAsked, this, &EditorWindow::moveSelectedSlides);
    connect(m_outlinePane, &OutlinePane::textEdited, this, [this, goTo](int slide, const QString &part, const QString &text) {
        if (m_refreshing)
            return;
        goTo(m_outlinePane->caretPlace());
        if (slide != m_session.current())
            return;
        m_session.setText(part, text);
        report(TaskStep{TaskStep::Kind::Type, part, text, {}});
        refresh();
        changed();
    });
    connect(m_outlinePane, &OutlinePane::newSlideAsked, this, [this](int slide) {
        m_session.select(slide);
        runWithoutDialog(QStringLiteral("新幻灯片"), {{QStringLiteral("版式"), QStringLiteral("标题和文本")}});
        m_outlinePane->placeCaret(m_session.current(), QStringLiteral("title"), 0);
        m_session.setEditing(QStringLiteral("title"));
    });
    connect(m_outlinePane, &OutlinePane::paragraphBreakAsked, this, [this, goTo](const OutlinePane::Place &place) {
        goTo(place);
        if (!m_session.breakParagraph())
            return;
        const int caret = m_session.caret();
        report(TaskStep{TaskStep::Kind::Type, QStringLiteral("body"), m_session.document().slides.at(m_session.current() - 1).body, {}});
        refresh();
        changed();
        m_outlinePane->placeCaret(m_session.current(), QStringLiteral("body"), caret);
    });
    connect(m_outlinePane, &OutlinePane::levelAsked, this, [this, goTo](const OutlinePane::Place &place, int step) {
        const QTextCursor caret = m_outlinePane->textCursor();
        const QString text = caret.block().text();
        const int offset = caret.positionInBlock();
        goTo(place);
        runWithoutDialog(QStringLiteral("大纲"), {{QStringLiteral("操作"), step > 0 ? QStringLiteral("降级") : QStringLiteral("提升")}});
        // The caret stays in its text, wherever the text went (a slide before or after).
        m_outlinePane->placeCaretOn(std::max(1, m_session.current() - 1), text, offset);
        goTo(m_outlinePane->caretPlace());
    });
}
