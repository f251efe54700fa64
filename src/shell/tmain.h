#pragma once

#include "connection.h"

#include <QWidget>

#include <functional>

class CloseShortcutGuard;
class PictureBox;
class QTimer;

// The main window: a fixed borderless 1020 × 758 window whose navigation
// bar opens the modules and docks their windows into the module panel
// Panel3. It owns the fields through which the modules coordinate:
//   xs    mode of guided practice (1 start-up, 2 ordinary, 4 wrong-question
//         training, 8 wrong-question training ended);
//   ctbh  1 while the candidate may switch modules and close the program,
//         0 while a practice question is open;
//   f6    1 while the practice window is shown.
// The navigation buttons show a normal, a selected (also pressed) and a
// hover picture; `anniu` is the selected button, `anniu1` the hover latch
// all of them share.
class Tmain : public QWidget
{
    Q_OBJECT

public:
    explicit Tmain(QWidget *parent = nullptr);
    ~Tmain() override;

    int anniu = 0;
    int anniu1 = 0;
    int ctbh = 0;
    int xs = 0;
    int f6 = 0;

    PictureBox *imgTitle;
    PictureBox *Image1;  // study plan
    PictureBox *Image2;  // classroom
    PictureBox *Image3;  // guided practice
    PictureBox *Image5;  // exam room
    PictureBox *Image7;  // exam guide
    PictureBox *Image8;  // online update
    PictureBox *Image4;  // customer-service banner
    PictureBox *Image11; // minimise
    PictureBox *Image12; // close
    QWidget *Panel3;
    QTimer *Timer1;
    Connection ADOConnection1;

    // Called after the candidate has dragged the main window while the
    // practice window is open (f6 = 1): the practice window stores the new
    // screen position of its simulator panel in table jl (jl := main left +
    // its Panel2 left + 9, jl1 := main top + 109) through its own query.
    std::function<void()> practiceMoved;

    // Activates guided practice exactly as a click on Image3 does.
    void Image3Click();

    // The picture file of navigation button n (1, 2, 3, 5, 7, 8) in a look.
    enum class Look { Normal, Selected, Hover };
    static QString picture(int n, Look look);
    PictureBox *navigationButton(int n) const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormCloseQuery(QCloseEvent *event);

    void moduleClick(int n);
    void moduleMouseDown(int n);
    void moduleMouseMove(int n);
    void moduleMouseLeave(int n);
    void Image8MouseMove();
    void Image8MouseLeave();
    void Image8Click();
    void Image4Click();
    void Image11MouseMove();
    void Image11MouseLeave();
    void Image11Click();
    void Image12MouseMove();
    void Image12MouseLeave();
    void Image12Click();
    void imgTitleMouseDown(QPointF pressGlobal);
    void afterDrag();

    // The notice while a practice question is open; true when refused.
    // n is the module button clicked, 0 for a button without a pressed look.
    bool refusedWhileQuestionOpen(int n = 0);
    void loadNormalPictures();
    void dock(QWidget *module);

    CloseShortcutGuard *m_closeShortcut;
    bool m_shown = false;
    int m_refusedButton = 0;  // the module button whose refusal notice is up
};
