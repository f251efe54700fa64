#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

class PageView;
class PictureBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The chapter browser, the entry screen of guided practice. It lists the
// chapters (or, in wrong-question training, the single entry "错题练习") and
// the questions of the chosen one with their practice states, and starts a
// practice run: it marks the chosen questions as the working set (`xz`) and
// docks a new practice window over itself. The practice window reads its
// current chapter and selected question; the question picker copies and
// ticks its question list. The mode comes from the main window's `xs`.
class Tsbsjx : public QWidget
{
    Q_OBJECT

public:
    explicit Tsbsjx(QWidget *parent = nullptr);
    ~Tsbsjx() override;

    PictureBox *Image3;
    PictureBox *Image4;
    QLabel *Label1;
    QLabel *Label2;
    QWidget *Panel1;
    QLabel *Image2;
    QListWidget *ListBox1;
    PictureBox *Image1;
    QTextEdit *RichEdit1;
    QWidget *Panel2;
    QTreeWidget *ListView1;
    QTextEdit *RichEdit2;
    QWidget *Panel4;
    QPushButton *Button2;
    QPushButton *Button4;
    QPushButton *Button1;
    PageView *WebBrowser1;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    // The chosen chapter's title, blanks removed (chapter mode only).
    QString listti;

    // Handlers other screens call: the chapter selection (after a stopped
    // run) and the start of a run (from the question picker).
    void ListBox1Click();
    void Button4Click();

    // Check boxes of the question list: off until the picker hands ticks back.
    bool checkBoxes() const { return m_checkBoxes; }
    void setCheckBoxes(bool on);
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);

    // The current chapter item as shown (untrimmed) and trimmed.
    QString currentChapterItem() const;

    bool wrongQuestionMode() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void ListView1SelectItem(QTreeWidgetItem *item);
    void ListView1Click();
    void ListView1DblClick();
    void RichEditSelectionChange();
    void WebBrowser1DocumentComplete();
    void checkProductSite();

    bool m_shown = false;
    bool m_checkBoxes = false;
};
