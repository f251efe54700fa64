#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QWidget;
class Tsbsjx;

// The question picker "选择练习题": a copy of the chapter browser's question
// list with a check box on every row. "开始练习" hands the ticks back to the
// browser and starts the run through the browser's own start step.
// Created once at start-up and shown modally again and again.
class Txzlxt : public QDialog
{
    Q_OBJECT

public:
    explicit Txzlxt(QWidget *parent = nullptr);

    // Made at the first showing.
    QTreeWidget *ListView1 = nullptr;
    QWidget *Panel4 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button3 = nullptr;

    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    void FormShow();
    void Button4Click();
    void Button2Click();
    void Button1Click();
    void Button3Click();
};
