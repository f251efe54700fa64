#pragma once

#include <QList>
#include <QTextEdit>

class QAbstractButton;
class QTextBlock;

class Document;

// The outline of the 大纲 tab: every slide's title (bold) with its body's
// paragraphs beneath, indented by their level, editable in place. Typing
// changes the slide's title or body; Enter after a title asks for a new
// slide after it; Tab and Shift+Tab ask for the caret's paragraph (or
// title) one level down or up. The pane only shows and asks: the editor
// carries the changes out on its session and shows the document again.
class OutlinePane : public QTextEdit
{
    Q_OBJECT
public:
    explicit OutlinePane(QWidget *parent = nullptr);

    // The document's texts; the caret stays in its place while the candidate types.
    void showDocument(const Document &document);
    // The caret put at the start of a slide's title (slide counted from 1).
    void placeCaret(int slide, const QString &part, int position);

    // The caret put into the first paragraph or title of that slide (or
    // the slide after) that reads `text`, `offset` into it; false when none does.
    bool placeCaretOn(int slide, const QString &text, int offset);
    // Where the caret is: the slide (from 1), "title" or "body", and the
    // place in that part's text (the body's paragraphs joined by line breaks).
    struct Place
    {
        int slide = 0;
        QString part;
        int position = 0;
    };
    Place caretPlace() const;
    // Where a slide's number and icon sit, left of its title (viewport
    // coordinates; empty when the slide has no title line).
    QRect slideIconRect(int slide) const;
    // The first line of that slide's paragraph (or else title) reading `text`.
    QRect textRect(int slide, const QString &text) const;
    // The text of the paragraph or title the caret is in.
    QString caretParagraph() const;


signals:
    void textEdited(int slide, const QString &part, const QString &text);
    void caretMoved(const Place &place);
    void newSlideAsked(int slide);
    void paragraphBreakAsked(const Place &place);
    void levelAsked(const Place &place, int step);
    // A click on a slide's icon (Shift with it: the slides from the one
    // chosen before); a drag of the icon asks its slides moved before `before`.
    void slidesChosen(const QList<int> &slides);
    void slidesMoveAsked(int before);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void contentsEdited();
    Place placeOf(int position) const;
    QTextBlock titleBlock(int slide) const;
    QRectF blockRect(const QTextBlock &block) const;   // in viewport coordinates
    int slideAt(int y) const;          // the slide whose lines reach y, 0 above the first
    int dropBefore(int y) const;       // the slide a drop at y goes before
    void selectSlides(int first, int last);
    void chooseSlide(int slide);
    // The slides' icons as a screen reader finds them: a button over each
    // painted icon, named as the slide list names the slide, that the mouse
    // passes through.
    void placeIcons();

    bool m_showing = false;
    int m_chosen = 0;      // the slide whose icon was clicked last
    int m_dragged = 0;     // the slide whose icon is held down, 0 when none
    int m_dropLine = -1;   // where a dragged slide would go (viewport y), -1 when nowhere
    QList<QAbstractButton *> m_icons;
    QStringList m_titles;
    QString m_shown;   // the texts and levels shown, to leave the pane alone while they stay
};
