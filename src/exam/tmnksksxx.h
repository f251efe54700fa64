#pragma once

#include <QWidget>

class PictureBox;
class QLabel;
class QPushButton;

// The examinee information box "考生信息" of the question window: a card
// with a photo silhouette and fixed sample values, not the login's values.
// It is shown beside the exam, not modally, and closed with "返回".
class Tmnksksxx : public QWidget
{
    Q_OBJECT

public:
    explicit Tmnksksxx(QWidget *parent = nullptr);

    QLabel *Title;
    PictureBox *Image1;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Button1;

    void Button1Click();
};
