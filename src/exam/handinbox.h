#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class Tmnks4;

// What the three hand-in confirmation boxes share: a message in 楷体 20 px
// bold black, "交  卷" (hand in) and "继续答题" (go on answering), no buttons
// in the title bar, placed in the middle of the screen when shown. Each is
// made anew when needed. "继续答题" shows the question window again.
class HandInBox : public QDialog
{
    Q_OBJECT

public:
    QLabel *Label1;
    QPushButton *RzBitBtn1; // 交  卷
    QPushButton *RzBitBtn2; // 继续答题

    virtual void RzBitBtn1Click() = 0;
    virtual void RzBitBtn2Click();

protected:
    HandInBox(Tmnks4 *question, const QString &caption, bool sizeable, QSize client, const QString &message,
              QPoint handIn, QPoint goOn, int buttonWidth);

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    Tmnks4 *m_question;
};
