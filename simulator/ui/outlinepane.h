#pragma once

#include <QTextEdit>

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

signals:
    void textEdited(int slide, const QString &part, const QString &text);
    void caretMoved(const Place &place);
    void newSlideAsked(int slide);
    void paragraphBreakAsked(const Place &place);
    void levelAsked(const Place &place, int step);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void contentsEdited();
    Place placeOf(int position) const;

    bool m_showing = false;
    QString m_shown;   // the texts and levels shown, to leave the pane alone while they stay
};
