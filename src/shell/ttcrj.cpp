#include "ttcrj.h"

#include "errorbox.h"
#include "picturebox.h"
#include "placement.h"
#include "shellart.h"
#include "windowdrag.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

Ttcrj::Ttcrj(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Orvanta"));
    setFixedSize(270, 140);
    setModal(true);
    QFont buttons(QStringLiteral("Tahoma"));
    buttons.setPointSize(9);
    setFont(buttons);

    Image1 = new PictureBox(this);
    Image1->setGeometry(0, 0, 270, 140);
    Image1->setStretch(true);
    Image1->setBuiltInPicture(ShellArt::exitQuestion());

    // The question is in the picture; the label stays hidden.
    Label1 = new QLabel(QStringLiteral("您确定要退出系统吗？"), this);
    Label1->setGeometry(30, 99, 217, 33);
    Label1->hide();

    Label2 = new QLabel(this);
    Label2->setGeometry(0, 0, 271, 33);
    Label2->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setGeometry(46, 96, 75, 25);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    Button2->setGeometry(152, 96, 75, 25);
    Button2->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button2Click(); }));

    ErrorBox::run(this, [this] { FormCreate(); });
}

void Ttcrj::FormCreate()
{
    move(Placement::exitConfirmation(Placement::screenSize(), size()));
}

void Ttcrj::Button1Click()
{
    // Ends every event loop, the modal one of this box included, without
    // asking the windows to close first.
    QCoreApplication::exit(0);
}

void Ttcrj::Button2Click()
{
    close();
}

void Ttcrj::Label2MouseDown(QMouseEvent *event)
{
    WindowDrag::start(Label2, event->globalPosition());
}

bool Ttcrj::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonPress) {
        auto *press = static_cast<QMouseEvent *>(event);
        ErrorBox::run(this, [this, press] { Label2MouseDown(press); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
