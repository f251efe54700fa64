#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The Flash prompt: the lesson player could not start because the Flash
// player is missing or broken. "是" opens the installer's address in the
// browser and leaves the prompt open; "否" or the close box closes it.
class TTzts : public QDialog
{
    Q_OBJECT

public:
    explicit TTzts(QWidget *parent = nullptr);

    QLabel *lbl1;
    QPushButton *btn1;
    QPushButton *btn2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void btn1Click();
    void btn2Click();
};
