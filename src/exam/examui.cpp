#include "examui.h"

#include "placement.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFrame>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

namespace ExamUi {

QFont font(const QString &family, int pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void makeFullScreen(QWidget *window)
{
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window->setGeometry(QRect(QPoint(0, 0), Placement::screenSize()));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, roomBlue);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void paintButton(QPushButton *button, const QColor &colour)
{
    if (!button)
        return;
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    const bool dark = colour == blue || colour == red || colour == selectorGreen;
    palette.setColor(QPalette::ButtonText, dark ? Qt::white : Qt::black);
    button->setPalette(palette);
    button->setProperty("colour", colour);
    button->update();
}

QFrame *loweredBox(QWidget *parent, int width, int height)
{
    auto *box = new QFrame(parent);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, boxFace);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    box->resize(width, height);
    return box;
}

QColor buttonColour(const QPushButton *button)
{
    return button ? button->property("colour").value<QColor>() : QColor();
}

QPushButton *questionButton(QWidget *parent, int k)
{
    auto *b = new QPushButton(QString::number(k), parent);
    b->setObjectName(QStringLiteral("a%1").arg(k));
    b->setAccessibleName(QStringLiteral("第%1题").arg(k));
    b->setGeometry(35 * ((k - 1) % 10) + 20, 30 * ((k - 1) / 10 + 1) - 5, 28, 23);
    // Without the system theme, so the colour shows whatever the desktop's style.
    static QStyle *plain = QStyleFactory::create(QStringLiteral("Windows"));
    if (plain)
        b->setStyle(plain);
    b->setAutoFillBackground(true);
    b->setFocusPolicy(Qt::NoFocus);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    paintButton(b, moneyGreen);
    b->show();
    return b;
}

QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *b = new QPushButton(text, parent);
    b->setGeometry(left, top, width, height);
    b->setAccessibleName(QString(text).remove(u' '));
    return b;
}

InputRefusal::InputRefusal()
{
    qApp->installEventFilter(this);
}

InputRefusal::~InputRefusal()
{
    qApp->removeEventFilter(this);
}

bool InputRefusal::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

void paintingPause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace ExamUi
