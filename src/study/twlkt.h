#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

class PageView;
class QListWidget;
class QPushButton;

// The classroom index: the courses in order, the description page of the
// selected one, and "进入课堂", which docks a new lesson player for that
// course over the index every time. `list` names the course whose page is
// shown; the player reads it. Where this system cannot play lesson movies,
// "进入课堂" shows the media prompt naming what is missing instead.
class Twlkt : public QWidget
{
    Q_OBJECT

public:
    explicit Twlkt(QWidget *parent = nullptr);
    ~Twlkt() override;

    QWidget *Panel1;
    QWidget *Image2;
    QListWidget *ListBox1;
    QWidget *Image1;
    QWidget *imgQueryBG;
    QWidget *Panel2;
    PageView *WebBrowser1;
    QWidget *Panel4;
    QPushButton *Button4;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    QString list;

    void ListBox1Click();
    void Button4Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void showMediaPrompt(const QString &missing);

    bool m_shown = false;
};
