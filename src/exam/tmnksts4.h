#pragma once

#include "connection.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The result screen "错题训练" of the mock exam. Showing it stops the exam
// clock and scores the paper from what the simulators recorded (`ks` = "1"
// is a correct answer, 2.5 points) and what the exam recorded (`fw` = "1"
// is a visited question): a grid in the selector's geometry shows correct
// questions blue, visited wrong ones red, never visited ones money green.
// Correct questions leave the working set (`xz`), so the paper's wrong
// questions remain in it. "是" hands them to guided practice in
// wrong-question mode (`xs` = 4); "否" goes back to the exam room list.
class Tmnksts4 : public QDialog
{
    Q_OBJECT

public:
    explicit Tmnksts4(QWidget *parent = nullptr);

    QFrame *Panel3;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *RzBitBtn2; // 是
    QPushButton *RzBitBtn3; // 否

    Connection ADOConnection1;

    // The score line for `correct` right answers on a paper of `size` questions.
    static QString scoreLine(int correct, int size);

    QPushButton *gridButton(int k) const;
    int correctCount() const { return m_correct; }

    void RzBitBtn2Click();
    void RzBitBtn3Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void clearFixedPaperMarks();

    QWidget *m_grid = nullptr;
    int m_correct = 0;
    bool m_answered = false;
};
