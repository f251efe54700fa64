#pragma once

#include <QDialog>

class PictureBox;
class QPushButton;

// The operation tips box "操作提示" of the question window: a picture with
// six numbered tips on working in the exam, and "确 定".
class Tmnksczts : public QDialog
{
    Q_OBJECT

public:
    explicit Tmnksczts(QWidget *parent = nullptr);

    PictureBox *Image1;
    QPushButton *RzBitBtn1;

    // The six tips, in their order; the picture shows them.
    static QStringList tips();

protected:
    void showEvent(QShowEvent *event) override;
};
