// The editor's side of the 大纲 tab's outline: what is typed and asked
// there is carried out on the session, as the slide area's typing is.
#include "editorwindow.h"

#include "outlinepane.h"

#include <QBoxLayout>
#include <QTextBlock>
#include <QTextCursor>

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
    connect(m_outlinePane, &OutlinePane::caretMoved, this, goTo);
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
