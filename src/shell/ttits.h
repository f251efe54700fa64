#pragma once

#include <QDialog>

class PictureBox;
class QLabel;
class QPushButton;

// The notice dialog: one short message for the candidate and "确定".
// The caller sets the text of Label1, may move the dialog, and shows it
// modally. Text and position stay as the last caller left them; the dialog
// is placed only once, when it is created.
class Ttits : public QDialog
{
    Q_OBJECT

public:
    explicit Ttits(QWidget *parent = nullptr);

    // Sets the message and shows the dialog modally where it last was.
    void tell(const QString &message);

    PictureBox *Image1;
    QLabel *z;
    QLabel *Label1;
    QPushButton *Button1;

private:
    void FormCreate();
    void fitMessage();
    void Button1Click();
    void zMouseDown(QMouseEvent *event);
    bool eventFilter(QObject *watched, QEvent *event) override;
};
