#pragma once

#include "connection.h"
#include "query.h"

#include <QWidget>

#include <memory>

class PictureBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextEdit;
class SimHost;

// The practice window "手把手" of one practice run. It embeds the current
// question's simulator in its panel Panel2, shows the task and the position
// of the question in the run, and steps to the previous or next question,
// jumps through the numbered question grid, hands the chosen input method to
// the simulators and stops the run. While it is shown the main window refuses
// to switch modules (`ctbh` = 0) and knows a practice window is open (`f6`).
//
// The run set R is the working set of the browser's chapter (chapter mode) or
// the wrong-question set (wrong-question mode, `xs` = 4).
class Tsbs : public QWidget
{
    Q_OBJECT

public:
    explicit Tsbs(QWidget *parent = nullptr);
    ~Tsbs() override;

    QWidget *Panel1;
    PictureBox *imgOperationBG;
    QLabel *Label5;
    PictureBox *Image1;
    QLabel *Label2;
    QLabel *Label4;
    PictureBox *Image5;
    QLabel *Label1;
    QTextEdit *RichEdit1;
    QWidget *Panel3;
    PictureBox *Image3;
    PictureBox *Image2;
    QWidget *Panel2;
    PictureBox *Image4;
    QWidget *Panel4;
    QLabel *Label3;
    QComboBox *ComboBox1;
    QPushButton *Button4;
    QPushButton *Button1;
    QPushButton *Button3;
    QPushButton *Button5;

    Connection ADOConnection1;
    Query ADOQuery1{ADOConnection1};

    int js = 0;
    int jsti = 0;
    int dd = 1;
    int bs = 1;

    SimHost &host() { return *m_host; }
    bool wrongQuestionMode() const;

    // The grid button of position k ("a" followed by k), or null.
    QPushButton *gridButton(int k) const;

    // The handlers, callable from tests as the candidate's clicks are.
    void Button3Click();  // 下一题
    void Button1Click();  // 上一题
    void Button4Click();  // 自选题目
    void Button5Click();  // 停  止
    void gridJump(int k);
    void ComboBox1Select();

    // Table jl: where the simulator panel lies on the screen now.
    void writePanelPosition();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void restoreInputMethod();
    void FormShow();
    void Image2Click();

    void step(int direction);
    void switchTo(const QString &task, QPushButton *enable);
    void recolourGrid();
    void restartEndedSimulator(int th);
    void buildGrid();
    // "题号：101  第2题/共3题"
    void showPosition(const QString &number, int position, int count);
    void notice(const QString &text);
    void endOfRun();
    void openRunSet();
    void openChapterItemRunSet();
    // The task of `js` when it is in the working set (empty result otherwise).
    QString openNeighbour();
    // The 1-based place of question `number` in the open result, 0 if absent.
    int positionOf(int number);
    // A step that fails half-way leaves the window usable again.
    template<typename Step>
    void guardedStep(Step &&step);

    std::unique_ptr<SimHost> m_host;
    QScrollArea *m_gridArea = nullptr;
    QWidget *m_grid = nullptr;
    QStringList m_inputMethods;
    QString m_inputMethod;  // the candidate's choice, as the window keeps it
    bool m_shown = false;
};
