#include "tbanben.h"

#include "errorbox.h"
#include "onlineupdate.h"
#include "picturebox.h"
#include "shellart.h"
#include "windowdrag.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// The glow-style buttons: a soft blue gradient that lights up under the mouse.
const char *const GlowStyle =
    "QPushButton { border: 1px solid #5a7fb5; border-radius: 4px; color: #0b2a55;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:0.5 #dce9f9, stop:1 #b9d1f0); }"
    "QPushButton:hover { border-color: #2f6fd0;"
    " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:0.5 #cfe4ff, stop:1 #9cc3f5); }"
    "QPushButton:pressed { background: #9cc3f5; }"
    "QPushButton:focus { border-color: #1d4f9e; }";

} // namespace

Tbanben::Tbanben(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("banben"));
    setWindowTitle(QStringLiteral("版本"));
    setAccessibleName(QStringLiteral("版本"));
    setFixedSize(270, 141);
    setModal(true);

    Image1 = new PictureBox(this);
    Image1->setGeometry(0, 0, 270, 140);
    Image1->setBuiltInPicture(ShellArt::titleStrip());

    Image2 = new QLabel(this);
    Image2->setGeometry(0, 0, 265, 33);
    Image2->setAccessibleName(QStringLiteral("标题栏（按住拖动窗口）"));
    Image2->installEventFilter(this);

    QFont kai(QStringLiteral("楷体_GB2312"));
    kai.setPixelSize(16);
    // The version labels reach to the dialog's edge, so that a version text
    // such as "Pelquor 1.0.0.1" shows whole.
    auto label = [this, &kai](const QString &text, int left, int top, int width = 80) {
        auto *l = new QLabel(text, this);
        l->setGeometry(left, top, width, 22);
        l->setFont(kai);
        l->setAttribute(Qt::WA_TranslucentBackground);
        QPalette black = l->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(black);
        return l;
    };
    Label1 = label(QStringLiteral("当前版本号"), 25, 51);
    Label2 = label(QStringLiteral("升级版本号"), 25, 75);
    Label3 = label(QString(), 121, 51, 270 - 121 - 6);
    Label4 = label(QString(), 121, 75, 270 - 121 - 6);
    Label3->setAccessibleName(QStringLiteral("当前版本号"));
    Label4->setAccessibleName(QStringLiteral("升级版本号"));

    auto button = [this](const QString &text, int left) {
        auto *b = new QPushButton(text, this);
        b->setGeometry(left, 104, 71, 24);
        b->setStyleSheet(QString::fromLatin1(GlowStyle));
        b->setAccessibleName(text);
        return b;
    };
    AdvGlowButton1 = button(QStringLiteral("确定"), 55);
    AdvGlowButton2 = button(QStringLiteral("取消"), 151);
    AdvGlowButton1->setDefault(true);
    connect(AdvGlowButton1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { AdvGlowButton1Click(); }));
    connect(AdvGlowButton2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { AdvGlowButton2Click(); }));
}

void Tbanben::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tbanben::FormShow()
{
    Label3->setText(OnlineUpdate::banben2);
    Label4->setText(OnlineUpdate::banben1);
}

void Tbanben::AdvGlowButton1Click()
{
    OnlineUpdate::startUpdater();
    OnlineUpdate::services().endApplication();
    accept();
}

void Tbanben::AdvGlowButton2Click()
{
    reject();
}

void Tbanben::Image2MouseDown(QPointF pressGlobal)
{
    WindowDrag::start(Image2, pressGlobal);
}

bool Tbanben::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image2 && event->type() == QEvent::MouseButtonPress) {
        const QPointF global = static_cast<QMouseEvent *>(event)->globalPosition();
        ErrorBox::run(this, [this, global] { Image2MouseDown(global); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
