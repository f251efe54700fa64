#include "ttits.h"

#include "errorbox.h"
#include "picturebox.h"
#include "placement.h"
#include "shellart.h"
#include "windowdrag.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

Ttits::Ttits(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Orvanta"));
    setFixedSize(270, 142);
    setModal(true);
    QFont buttons(QStringLiteral("Tahoma"));
    buttons.setPointSize(9);
    setFont(buttons);

    Image1 = new PictureBox(this);
    Image1->setGeometry(0, 1, 270, 140);
    Image1->setBuiltInPicture(ShellArt::titleStrip());

    z = new QLabel(this);
    z->setGeometry(0, 1, 270, 32);
    z->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("已经是第一道题了!"), this);
    Label1->setGeometry(48, 64, 214, 33);
    QFont font(QStringLiteral("楷体_GB2312"));
    font.setPixelSize(19);
    Label1->setFont(font);
    Label1->setAttribute(Qt::WA_TranslucentBackground);

    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setGeometry(90, 99, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));

    ErrorBox::run(this, [this] { FormCreate(); });
}

void Ttits::FormCreate()
{
    move(Placement::notice(Placement::screenSize()));
}

void Ttits::tell(const QString &message)
{
    Label1->setText(message);
    exec();
}

void Ttits::Button1Click()
{
    close();
}

void Ttits::zMouseDown(QMouseEvent *event)
{
    WindowDrag::start(z, event->globalPosition());
}

bool Ttits::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == z && event->type() == QEvent::MouseButtonPress) {
        auto *press = static_cast<QMouseEvent *>(event);
        ErrorBox::run(this, [this, press] { zMouseDown(press); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
