#include "ttits.h"

#include "errorbox.h"
#include "picturebox.h"
#include "placement.h"
#include "shellart.h"
#include "windowdrag.h"

#include <QFontMetrics>
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
    const QPixmap background = ShellArt::titleStrip();
    Image1->setBuiltInPicture(background);
    // Below the picture (a long message makes the dialog taller) the body
    // goes on in the picture's own colour.
    QPalette body = palette();
    body.setColor(QPalette::Window, background.toImage().pixelColor(background.width() / 2, background.height() - 3));
    setPalette(body);
    setAutoFillBackground(true);

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
    fitMessage();
    exec();
}

// A message of one short line stands where it always has. A longer one is
// wrapped over the width between the borders, and the dialog grows
// downwards, its body continued in the picture's own colour, so that no
// word of it is cut off.
void Ttits::fitMessage()
{
    static constexpr QRect OneLine(48, 64, 214, 33);
    static constexpr int WrapLeft = 16, WrapTop = 44, WrapWidth = 238, Gap = 8;
    static constexpr QSize Normal(270, 142);
    const QFontMetrics metrics(Label1->font());
    const QString text = Label1->text();
    if (metrics.horizontalAdvance(text) <= OneLine.width() && !text.contains(u'\n')) {
        Label1->setWordWrap(false);
        Label1->setGeometry(OneLine);
        Button1->move(90, 99);
        setFixedSize(Normal);
        return;
    }
    Label1->setWordWrap(true);
    const int textHeight = Label1->heightForWidth(WrapWidth);
    Label1->setGeometry(WrapLeft, WrapTop, WrapWidth, textHeight);
    const int buttonTop = qMax(99, WrapTop + textHeight + Gap);
    Button1->move(90, buttonTop);
    setFixedSize(Normal.width(), qMax(Normal.height(), buttonTop + Button1->height() + 18));
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
