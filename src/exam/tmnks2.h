#pragma once

#include <QDialog>

class PictureBox;
class QLabel;
class QProgressBar;
class QTimer;

// The transfer screen of the mock exam: the candidate's admission card with
// the seat and identity numbers just entered and today's date, beside the
// operation tips, while a progress bar fills and the paper is prepared. It
// then creates the exam room (which assembles the paper and embeds the
// first question) and shows it.
class Tmnks2 : public QDialog
{
    Q_OBJECT

public:
    Tmnks2(const QString &seat, const QString &identity, QWidget *parent = nullptr);

    QWidget *Panel1;
    PictureBox *Image1;
    QLabel *Label5;
    QLabel *Label2;
    QLabel *Label4;
    QLabel *Label3;
    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QTimer *Timer1;

    // The pauses of the transfer, 500 + 500 + 1000 ms; tests shorten them.
    static int &pauseScale();  // percent of the real pauses

    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormShow();
    void placePanel();

    QString m_seat;
    QString m_identity;
};
