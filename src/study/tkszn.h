#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

class PageView;
class QListWidget;

// The examination guide: the guide's topics in order and the page of the
// selected one. Created hidden at start-up; its first opening fills the list.
class Tkszn : public QWidget
{
    Q_OBJECT

public:
    explicit Tkszn(QWidget *parent = nullptr);
    ~Tkszn() override;

    QWidget *Panel1;
    QWidget *imgOperationBG;
    QWidget *Image2;
    QListWidget *ListBox1;
    QWidget *Image1;
    QWidget *imgQueryBG;
    PageView *WebBrowser1;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    void ListBox1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    bool m_shown = false;
};
