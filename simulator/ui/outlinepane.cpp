#include "outlinepane.h"

#include "document.h"
#include "outline.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include <QScopeGuard>

namespace {

// A block's state: 0 a slide's title, 1 to 5 a body paragraph's level.
constexpr int titleState = 0;

}

OutlinePane::OutlinePane(QWidget *parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("outlinePane"));
    setAccessibleName(QStringLiteral("大纲"));
    setAcceptRichText(false);
    setTabChangesFocus(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setIndentWidth(16);
    connect(document(), &QTextDocument::contentsChanged, this, &OutlinePane::contentsEdited);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        if (!m_showing && hasFocus())
            emit caretMoved(caretPlace());
    });
}

void OutlinePane::showDocument(const Document &shown)
{
    QString texts;
    for (const Slide &slide : shown.slides) {
        texts += slide.title + u'\x1f' + slide.body + u'\x1f';
        for (int i = 0; i <= slide.body.count(u'\n'); ++i)
            texts += QString::number(Outline::level(slide, i));
        texts += slide.attributes.value(QStringLiteral("大纲.操作")) + u'\x1e';
    }
    if (texts == m_shown)
        return;
    m_shown = texts;
    m_showing = true;
    const auto done = qScopeGuard([this] { m_showing = false; });
    const int position = textCursor().position();
    document()->clear();
    QTextCursor cursor(document());
    QTextCharFormat titleFormat;
    titleFormat.setFontWeight(QFont::Bold);
    bool first = true;
    for (const Slide &slide : shown.slides) {
        auto addBlock = [&](const QString &text, int state, const QTextCharFormat &format) {
            QTextBlockFormat block;
            block.setIndent(state);
            block.setTopMargin(state == titleState ? 4 : 0);
            if (!first)
                cursor.insertBlock(block, format);
            else
                cursor.setBlockFormat(block);
            first = false;
            cursor.setCharFormat(format);
            cursor.insertText(text);
            cursor.block().setUserState(state);
        };
        // A collapsed slide shows its title alone, underlined in grey.
        const bool collapsed = slide.attributes.value(QStringLiteral("大纲.操作")) == u"折叠";
        QTextCharFormat title = titleFormat;
        if (collapsed) {
            title.setUnderlineStyle(QTextCharFormat::DashUnderline);
            title.setUnderlineColor(Qt::gray);
        }
        addBlock(slide.title, titleState, title);
        const QStringList paragraphs = slide.body.isEmpty() ? QStringList() : slide.body.split(u'\n');
        for (int i = 0; i < paragraphs.size(); ++i) {
            addBlock(paragraphs.at(i), Outline::level(slide, i), QTextCharFormat());
            cursor.block().setVisible(!collapsed);
        }
    }
    document()->markContentsDirty(0, document()->characterCount());
    QTextCursor kept(document());
    kept.setPosition(std::min(position, document()->characterCount() - 1));
    setTextCursor(kept);
}

void OutlinePane::placeCaret(int slide, const QString &part, int position)
{
    int titles = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == titleState && ++titles == slide) {
            QTextBlock target = block;
            int left = position;
            if (part == u"body") {
                // Past the title, through the paragraphs, each one place for its line break.
                for (target = block.next(); target.isValid() && target.userState() != titleState; target = target.next()) {
                    if (left <= target.length() - 1)
                        break;
                    left -= target.length();
                }
                if (!target.isValid() || target.userState() == titleState)
                    return;
            }
            QTextCursor cursor(target);
            cursor.setPosition(target.position() + std::clamp(left, 0, target.length() - 1));
            setTextCursor(cursor);
            return;
        }
    }
}

bool OutlinePane::placeCaretOn(int slide, const QString &text, int offset)
{
    int titles = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        titles += block.userState() == titleState ? 1 : 0;
        if (titles >= slide && titles <= slide + 1 && block.text() == text) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + std::clamp(offset, 0, block.length() - 1));
            setTextCursor(cursor);
            return true;
        }
    }
    return false;
}

OutlinePane::Place OutlinePane::placeOf(int position) const
{
    Place place;
    const QTextBlock at = document()->findBlock(position);
    int offset = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == titleState) {
            ++place.slide;
            offset = 0;
        }
        if (block == at) {
            place.part = block.userState() == titleState ? QStringLiteral("title") : QStringLiteral("body");
            place.position = offset + position - block.position();
            return place;
        }
        if (block.userState() != titleState)
            offset += block.length();   // the paragraph and its line break
    }
    return place;
}

OutlinePane::Place OutlinePane::caretPlace() const
{
    return placeOf(textCursor().position());
}

void OutlinePane::contentsEdited()
{
    if (m_showing)
        return;
    // Typing stays within one paragraph (Enter is the pane's own): the
    // slide of the caret gets its title and body again.
    const Place place = caretPlace();
    if (place.slide < 1)
        return;
    QString title;
    QStringList paragraphs;
    int titles = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == titleState) {
            if (++titles > place.slide)
                break;
            if (titles == place.slide)
                title = block.text();
        } else if (titles == place.slide) {
            paragraphs << block.text();
        }
    }
    emit textEdited(place.slide, place.part, place.part == u"title" ? title : paragraphs.join(u'\n'));
}

void OutlinePane::keyPressEvent(QKeyEvent *event)
{
    const Place place = caretPlace();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        // After a title, a new slide; in a paragraph, a new paragraph at its level.
        if (place.part == u"title")
            emit newSlideAsked(place.slide);
        else if (!textCursor().hasSelection())
            emit paragraphBreakAsked(place);
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        emit levelAsked(place, event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier) ? 1 : -1);
        return;
    }
    // A paragraph break taken away would join two parts: the pane keeps its paragraphs.
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()
        && ((event->key() == Qt::Key_Backspace && cursor.atBlockStart()) || (event->key() == Qt::Key_Delete && cursor.atBlockEnd())))
        return;
    if (cursor.hasSelection() && document()->findBlock(cursor.selectionStart()) != document()->findBlock(cursor.selectionEnd())
        && !event->text().isEmpty())
        return;
    QTextEdit::keyPressEvent(event);
}

void OutlinePane::insertFromMimeData(const QMimeData *source)
{
    // Pasted text stays in the caret's paragraph.
    if (source->hasText())
        textCursor().insertText(source->text().simplified());
}
