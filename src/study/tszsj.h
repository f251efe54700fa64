#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QPushButton;

// The examination-date dialog of the study plan: a month calendar with
// "确定" and "取消". `kssj` holds the day last confirmed with "确定" in this
// run (at 00:00); the dialog's result tells the study plan whether the
// candidate confirmed a day this time.
class Tszsj : public QDialog
{
    Q_OBJECT

public:
    explicit Tszsj(QWidget *parent = nullptr);

    QCalendarWidget *MonthCalendar1;
    QPushButton *Button1;
    QPushButton *Button2;

    QDate kssj;

private:
    void FormCreate();
    void Button1Click();
    void Button2Click();
};
