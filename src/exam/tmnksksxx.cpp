#include "tmnksksxx.h"

#include "errorbox.h"
#include "examui.h"
#include "picturebox.h"
#include "practiceui.h"

#include <QLabel>
#include <QPushButton>

Tmnksksxx::Tmnksksxx(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("mnksksxx"));
    setWindowTitle(QStringLiteral("考生信息"));
    setFixedSize(322, 239);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xEA, 0xF2, 0xFB));
    setPalette(palette);
    setAutoFillBackground(true);

    Title = new QLabel(QStringLiteral("考生信息"), this);
    Title->setGeometry(0, 0, 322, 30);
    Title->setAlignment(Qt::AlignCenter);
    Title->setFont(ExamUi::font(QStringLiteral("楷体_GB2312"), 18, true));
    Title->setStyleSheet(QStringLiteral("color: white; background: rgb(43, 92, 143);"));

    Image1 = new PictureBox(this);
    Image1->setGeometry(11, 34, 297, 137);
    PracticeUi::decorate(Image1, QStringLiteral("mnksksxx.png"));
    const QFont values = ExamUi::font(QStringLiteral("宋体"), 12);
    // Fixed sizes: measuring the text would load the Chinese faces at start-up.
    Label1 = new QLabel(QStringLiteral("1234567892098765432"), this);
    Label1->setGeometry(165, 108, 150, 16);
    Label2 = new QLabel(QStringLiteral("2222222222222222222222"), this);
    Label2->setGeometry(167, 128, 154, 16);
    for (QLabel *label : {Label1, Label2}) {
        label->setFont(values);
        label->setAttribute(Qt::WA_TranslucentBackground);
    }
    Button1 = ExamUi::button(this, QStringLiteral("返回"), 118, 201, 75, 25);
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
}

void Tmnksksxx::Button1Click()
{
    close();
}
