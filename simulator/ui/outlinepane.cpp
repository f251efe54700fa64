#include "outlinepane.h"

#include "document.h"
#include "editoraccess.h"
#include "outline.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

#include <QScopeGuard>

namespace {

// A block's state: 0 a slide's title, 1 to 5 a body paragraph's level.
constexpr int titleState = 0;
// The margin left of the text that holds each slide's number and icon.
constexpr int iconMargin = 34;

// A slide's icon for the accessibility tree: the pane paints it and takes its clicks.
class SlideIcon : public QAbstractButton
{
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent *) override {}
};

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
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &OutlinePane::placeIcons);
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this, &OutlinePane::placeIcons);
}

void OutlinePane::placeIcons()
{
    for (int slide = 1; slide <= m_titles.size(); ++slide) {
        if (m_icons.size() < slide) {
            auto *icon = new SlideIcon(viewport());
            icon->setAttribute(Qt::WA_TransparentForMouseEvents);
            icon->setFocusPolicy(Qt::NoFocus);
            connect(icon, &QAbstractButton::clicked, this, [this, slide] { chooseSlide(slide); });
            m_icons << icon;
        }
        QAbstractButton *icon = m_icons.at(slide - 1);
        icon->setAccessibleName(EditorAccess::slideName(slide, m_titles.at(slide - 1)));
        icon->setGeometry(slideIconRect(slide));
        icon->setVisible(icon->geometry().isValid());
    }
    for (qsizetype i = m_titles.size(); i < m_icons.size(); ++i)
        m_icons.at(i)->hide();
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
    m_titles.clear();
    for (const Slide &slide : shown.slides)
        m_titles << slide.title;
    m_showing = true;
    const auto done = qScopeGuard([this] { m_showing = false; });
    const int position = textCursor().position();
    document()->clear();
    QTextFrameFormat frame = document()->rootFrame()->frameFormat();
    frame.setLeftMargin(iconMargin);
    document()->rootFrame()->setFrameFormat(frame);
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
    placeIcons();
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

QTextBlock OutlinePane::titleBlock(int slide) const
{
    int titles = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        if (block.userState() == titleState && ++titles == slide)
            return block;
    return {};
}

QRectF OutlinePane::blockRect(const QTextBlock &block) const
{
    return document()->documentLayout()->blockBoundingRect(block)
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

QRect OutlinePane::slideIconRect(int slide) const
{
    const QTextBlock block = titleBlock(slide);
    if (!block.isValid())
        return {};
    const QRectF line = blockRect(block);
    const qreal lineHeight = block.layout()->lineCount() > 0 ? block.layout()->lineAt(0).height() : fontMetrics().height();
    return QRect(2, int(line.top() + block.blockFormat().topMargin()), iconMargin - 4, int(lineHeight));
}

QRect OutlinePane::textRect(int slide, const QString &text) const
{
    const QTextBlock title = titleBlock(slide);
    if (!title.isValid())
        return {};
    QTextBlock found;
    for (QTextBlock block = title.next(); block.isValid() && block.userState() != titleState && !found.isValid(); block = block.next())
        if (block.text() == text)
            found = block;
    if (!found.isValid() && title.text() == text)
        found = title;
    if (!found.isValid())
        return {};
    QTextCursor start(found);
    QTextCursor end(found);
    end.movePosition(QTextCursor::EndOfLine);
    const QRect first = cursorRect(start);
    return QRect(first.topLeft(), QPoint(std::max(first.right(), cursorRect(end).left()), first.bottom()));
}

QString OutlinePane::caretParagraph() const
{
    return textCursor().block().text();
}

int OutlinePane::slideAt(int y) const
{
    int slide = 0, titles = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() != titleState)
            continue;
        ++titles;
        if (blockRect(block).top() <= y)
            slide = titles;
    }
    return slide;
}

int OutlinePane::dropBefore(int y) const
{
    // Before the slide whose lines the point lies in the upper half of.
    int slide = 0;
    QTextBlock block = document()->begin();
    while (block.isValid()) {
        ++slide;
        const qreal top = blockRect(block).top();
        QTextBlock next = block.next();
        while (next.isValid() && next.userState() != titleState)
            next = next.next();
        const qreal bottom = next.isValid() ? blockRect(next).top() : blockRect(document()->lastBlock()).bottom();
        if (y < (top + bottom) / 2)
            return slide;
        block = next;
    }
    return slide + 1;
}

void OutlinePane::selectSlides(int first, int last)
{
    const QTextBlock from = titleBlock(first);
    QTextBlock to = titleBlock(last + 1);
    if (!from.isValid())
        return;
    QTextCursor cursor(document());
    cursor.setPosition(from.position());
    cursor.setPosition(to.isValid() ? to.position() - 1 : document()->characterCount() - 1, QTextCursor::KeepAnchor);
    m_showing = true;   // the selection shows the choice; it moves no caret of the editor
    setTextCursor(cursor);
    m_showing = false;
}

void OutlinePane::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    QPainter p(viewport());
    p.setFont(font());
    const int slides = [this] {
        int n = 0;
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
            n += block.userState() == titleState ? 1 : 0;
        return n;
    }();
    for (int slide = 1; slide <= slides; ++slide) {
        const QRect at = slideIconRect(slide);
        if (at.bottom() < 0 || at.top() > viewport()->height())
            continue;
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(at.left(), at.top(), 14, at.height()), Qt::AlignRight | Qt::AlignVCenter, QString::number(slide));
        // The slide's icon: a small white page with a grey edge.
        const QRect icon(at.left() + 17, at.center().y() - 5, 12, 10);
        p.fillRect(icon, Qt::white);
        p.setPen(QColor(110, 110, 110));
        p.drawRect(icon);
        p.drawLine(icon.left() + 2, icon.top() + 3, icon.right() - 2, icon.top() + 3);
    }
    if (m_dropLine >= 0) {
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(2, m_dropLine, viewport()->width() - 2, m_dropLine);
    }
}

void OutlinePane::chooseSlide(int slide)
{
    m_chosen = slide;
    selectSlides(slide, slide);
    emit slidesChosen({slide});
}

void OutlinePane::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int slide = at.x() < iconMargin ? slideAt(at.y()) : 0;
    if (slide < 1 || event->button() != Qt::LeftButton) {
        QTextEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        chooseSlide(slide);
        m_dragged = slide;
        return;
    }
    const int first = m_chosen > 0 ? m_chosen : slide;
    if (first == slide)
        m_chosen = slide;
    selectSlides(std::min(first, slide), std::max(first, slide));
    QList<int> slides;
    for (int n = std::min(first, slide); n <= std::max(first, slide); ++n)
        slides << n;
    m_dragged = slides.size() == 1 ? slide : 0;
    emit slidesChosen(slides);
}

void OutlinePane::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragged) {
        QTextEdit::mouseMoveEvent(event);
        return;
    }
    // The line shows where the slide would go.
    const int before = dropBefore(event->position().toPoint().y());
    const QTextBlock block = titleBlock(before);
    m_dropLine = block.isValid() ? int(blockRect(block).top()) : int(blockRect(document()->lastBlock()).bottom());
    viewport()->update();
}

void OutlinePane::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragged) {
        QTextEdit::mouseReleaseEvent(event);
        return;
    }
    const int dragged = std::exchange(m_dragged, 0);
    const bool moved = m_dropLine >= 0;
    m_dropLine = -1;
    viewport()->update();
    if (!moved)
        return;
    const int before = dropBefore(event->position().toPoint().y());
    if (before != dragged && before != dragged + 1)
        emit slidesMoveAsked(before);
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
    // A title keeps its own line: a break taken away may only join two
    // paragraphs of one slide's body.
    const QTextCursor cursor = textCursor();
    const bool erasing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    QTextBlock first = document()->findBlock(cursor.selectionStart());
    QTextBlock last = document()->findBlock(cursor.selectionEnd());
    if (!cursor.hasSelection() && event->key() == Qt::Key_Backspace && cursor.atBlockStart())
        first = first.previous();
    if (!cursor.hasSelection() && event->key() == Qt::Key_Delete && cursor.atBlockEnd())
        last = last.next();
    if (first != last && (erasing || !event->text().isEmpty())) {
        bool bodyOnly = first.isValid() && last.isValid();
        for (QTextBlock block = first; bodyOnly && block.isValid(); block = block.next()) {
            bodyOnly = block.userState() != titleState;
            if (block == last)
                break;
        }
        if (!bodyOnly)
            return;
        if (!cursor.hasSelection() && event->key() == Qt::Key_Backspace) {
            // Joined here: the text edit would take the paragraph's indent away first.
            QTextCursor join = cursor;
            join.deletePreviousChar();
            setTextCursor(join);
            return;
        }
    }
    QTextEdit::keyPressEvent(event);
}

void OutlinePane::insertFromMimeData(const QMimeData *source)
{
    // Pasted text stays in the caret's paragraph.
    if (source->hasText())
        textCursor().insertText(source->text().simplified());
}
