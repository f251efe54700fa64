#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

class PageView;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class Tszsj;

// The study plan: the plan's entries in order, the page of the selected one,
// "完成" and "重修" to mark an entry finished (its title then ends with
// "|已完成|", in the list and in `xxjh`.`list`) or open it again, the
// countdown to the examination with "设置考试时间", and the way into guided
// practice. Created hidden at start-up; the main window docks it on its
// first opening, which loads the list, and keeps it with its state.
//
// The countdown shown is worked out from the stored examination date each
// time the window is shown and again at every midnight while it is open;
// a bank without a stored date shows the number kept in `rq`.
class Txxjh : public QWidget
{
    Q_OBJECT

public:
    explicit Txxjh(QWidget *parent = nullptr);
    ~Txxjh() override;

    QWidget *Panel1;
    QWidget *Image2;
    QListWidget *ListBox1;
    QWidget *Image1;
    QWidget *imgQueryBG;
    QWidget *Panel2;
    QWidget *Panel3;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QPushButton *Button1;
    PageView *WebBrowser1;
    QWidget *Panel4;
    QPushButton *Button2;
    QPushButton *Button3;
    QPushButton *Button4;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    // The examination-date dialog; the start-up one unless told otherwise.
    Tszsj *szsj() const;

    void ListBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    // Works the shown count out again from the stored date.
    void refreshCountdown();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void selectionButtons(const QString &title);
    void armMidnight();

    bool m_shown = false;
    QTimer *m_midnight;
};
