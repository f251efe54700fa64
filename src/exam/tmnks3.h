#pragma once

#include "connection.h"
#include "query.h"

#include <QDialog>

#include <memory>

class PictureBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class SimHost;
class Tmnks4;

// The exam room: the full-screen window in which the mock exam takes place.
// Its creation assembles the paper in the question table (`xz` = "1" on the
// paper's rows, in `id` order), embeds the first question's simulator in the
// question panel Panel2 and creates the question window on top of itself.
// It carries out every question switch the question window asks for (close
// the running simulator, launch the next, wait for its announcement, embed
// it) and hosts the question selector overlay. The question window and the
// result screen run their statements through its connection and query.
class Tmnks3 : public QDialog
{
    Q_OBJECT

public:
    explicit Tmnks3(QWidget *parent = nullptr);
    ~Tmnks3() override;

    QWidget *Panel2;    // the question panel
    PictureBox *Image4; // please wait, seen while the panel is hidden
    QWidget *Panel1;    // the selector overlay
    QFrame *Panel3;     // the selector box
    QLabel *Label1;
    QPushButton *BitBtn1;
    QTimer *Timer1;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    int js = 0;

    Tmnks4 *questionWindow() const { return m_question; }
    SimHost &host() { return *m_host; }

    // True when the assembly found a paper; an exam room without one is not shown.
    bool paperReady() const { return m_paperReady; }
    // The number of questions of the paper.
    int paperSize() const { return m_paperSize; }

    // Question switch to question `n`: the running simulator is closed, the
    // simulator of `n` launched, awaited (bounded) and embedded.
    void switchTo(int n);

    // "选题": opens or closes the selector overlay.
    void toggleSelector();
    void BitBtn1Click();
    void jump(int k);
    QPushButton *selectorButton(int k) const;

    // The result screen asks the exam room to close; it closes once control
    // is back in the exam room's own handlers.
    void requestClose() { m_closeRequested = true; }
    bool closeRequested() const { return m_closeRequested; }
    void closeIfRequested();

    void done(int result) override;

    // The paper's rows marked in the question table (`xz` := "1"): drawn
    // from the whole table, or the fixed paper's rows.
    static void markRandomPaper(Connection &connection, Query &query);
    static void markFixedPaper(Connection &connection, Query &query, int paper);

    // How long a question switch waits for the simulator's announcement.
    static int &waitLimit();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
    void assemble();
    void Timer1Timer();
    void buildSelector();
    void FormClose();

    std::unique_ptr<SimHost> m_host;
    Tmnks4 *m_question = nullptr;
    QWidget *m_selectorButtons = nullptr;
    bool m_paperReady = false;
    int m_paperSize = 0;
    bool m_closeRequested = false;
    bool m_closed = false;
};
