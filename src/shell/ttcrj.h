#pragma once

#include <QDialog>

class PictureBox;
class QLabel;
class QPushButton;

// The exit confirmation behind the main window's close button: "确定" ends
// the program at once (nothing is saved by it), "取消" only closes the box.
class Ttcrj : public QDialog
{
    Q_OBJECT

public:
    explicit Ttcrj(QWidget *parent = nullptr);

    PictureBox *Image1;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Button1;
    QPushButton *Button2;

private:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Label2MouseDown(QMouseEvent *event);
    bool eventFilter(QObject *watched, QEvent *event) override;
};
