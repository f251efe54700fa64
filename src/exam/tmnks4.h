#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;
class Tmnks3;

// The question window of the mock exam: a small window floating over the
// lower right of the exam room's question panel. It shows the number and
// requirement of the current question, moves between questions, restarts
// and marks them, opens the selector, ends the exam and runs the exam clock:
// 50 minutes, counted down once a minute, after which the paper is handed
// in by force. It works through the exam room: the current question `js`,
// the question panel, the question switch and the query are the room's.
//   dd    1 while no question switch runs, 0 during one
//   bs    1 until the selector's buttons are built in this exam
//   sjwt  1 when the clock forced the hand-in
class Tmnks4 : public QWidget
{
    Q_OBJECT

public:
    explicit Tmnks4(Tmnks3 *room);

    QPushButton *BitBtn1; // 上一题
    QPushButton *BitBtn2; // 下一题
    QPushButton *BitBtn3; // 重做本题
    QPushButton *BitBtn4; // 标识本题
    QPushButton *BitBtn5; // 选题
    QTextEdit *RichEdit1;
    QPushButton *BitBtn6; // 结束考试
    QPushButton *BitBtn7; // 考生信息
    QPushButton *BitBtn8; // 操作提示
    QWidget *Panel1;
    QLabel *Label1fanhongwei;
    QLabel *Label4;
    QProgressBar *ProgressBar1;
    QLabel *Label2;
    QLabel *Label3;
    QMenu *PopupMenu1;
    QTimer *Timer1;
    QPushButton *RzBitBtn1;

    int dd = 1;
    int bs = 1;
    int sjwt = 0;

    static const QString Mark; // "(已标识)"

    // The requirement text: "要求:", "  " + ti, and the mark line when marked.
    void fillRequirement(const QString &ti, const QString &mark);
    QString currentTask() const { return m_task; }

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void Label3Click();
    void InputChange(const QString &name);
    // One tick of the exam clock (every 60 s while it runs).
    void Timer1Timer();
    void stopClock();

    // The names of the input-method menu, "英文" first.
    QStringList inputMethodNames() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void step(int direction);
    // Closes whatever of the exam's small boxes is open when the time is up.
    void closeOpenBoxes();

    Tmnks3 *m_room;
    QString m_task;
    QStringList m_inputMethods;
    int m_nested = 0; // handlers that wait in a nested modal box
};
