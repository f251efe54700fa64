#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

class PageView;
class PictureBox;
class QListWidget;
class QPushButton;

// The exam room list "模拟考试", the entry page of the mock exam, docked by
// the main window into its module panel. It lists the exam rooms of `mnkc`
// (the heading "一、固定考试", the fixed papers "模拟考试 1" … "模拟考试 10"
// and the random paper "二、随机考试"), shows the selected room's description
// and starts the exam chain with "开始考试". The selected line is the
// candidate's choice of paper: the exam room and the result screen read it.
class Tmnks : public QWidget
{
    Q_OBJECT

public:
    explicit Tmnks(QWidget *parent = nullptr);
    ~Tmnks() override;

    QWidget *Panel1;
    PictureBox *Image2;
    QListWidget *ListBox1;
    PictureBox *Image1;
    PictureBox *imgQueryBG;
    QWidget *Panel2;
    PageView *WebBrowser1;
    QWidget *Panel3;
    QPushButton *BitBtn1;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    static const QString Heading;  // "一、固定考试"
    static const QString RandomRoom; // "二、随机考试"
    // The fixed paper a room title names ("模拟考试 1" … "模拟考试 10"), or 0.
    static int fixedPaperOf(const QString &title);

    void FormShow();
    void ListBox1Click();
    void ListBox1DblClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    // Whether the room marks at least one question; the candidate is told when not.
    bool roomHasQuestions(const QString &title);

    bool m_shown = false;
};
