#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

class MoviePlayer;
class QLabel;
class QListWidget;
class QPushButton;

// The lesson player of one classroom course: the course's lessons on the
// left, the selected lesson's movie on the right with play, stop, ten frames
// back and forward, the previous and next lesson, and "返回". The classroom
// makes a new one for every "进入课堂", docks it over itself and shows it
// (FormShow then loads the course named by the classroom's `list`). "返回"
// stops the movie and its sound and hides the player for good.
class Twlkt2 : public QWidget
{
    Q_OBJECT

public:
    // Raises MediaUnavailable where lesson movies cannot be played.
    explicit Twlkt2(QWidget *parent = nullptr);
    ~Twlkt2() override;

    QWidget *Panel1;
    QWidget *imgOperationBG;
    QLabel *Label1;
    QListWidget *ListBox1;
    QWidget *Image1;
    QWidget *imgQueryBG;
    QWidget *Panel2;
    MoviePlayer *ShockwaveFlash1;
    QWidget *Panel3;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *BitBtn3;
    QPushButton *BitBtn4;
    QPushButton *BitBtn5;
    QPushButton *BitBtn6;
    QPushButton *BitBtn7;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    // The lesson file of the current lesson (program folder + "Vide1/" + spname).
    QString swfdbfile;

    // Fills the lesson list of the classroom's course and loads the first
    // lesson; errors go on to the caller (the classroom).
    void FormShow();
    void ListBox1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormClose();
    void step(int frames);
    void lessonButtons();
};
