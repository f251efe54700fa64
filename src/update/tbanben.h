#pragma once

#include <QDialog>

class PictureBox;
class QLabel;
class QPushButton;

// The version dialog: the installed release (banben2) and the one the
// update server offers (banben1), "确定" to hand over to the updater and end
// the program, "取消" to close. Borderless like the notice dialog, with the
// same title-strip background; a press on the title strip drags it.
// exec() answers Accepted after "确定", Rejected after "取消".
class Tbanben : public QDialog
{
    Q_OBJECT

public:
    explicit Tbanben(QWidget *parent = nullptr);

    PictureBox *Image1;
    QLabel *Image2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QPushButton *AdvGlowButton1;
    QPushButton *AdvGlowButton2;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void AdvGlowButton1Click();
    void AdvGlowButton2Click();
    void Image2MouseDown(QPointF pressGlobal);
};
