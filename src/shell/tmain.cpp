#include "tmain.h"

#include "addresses.h"
#include "closeshortcut.h"
#include "desktop.h"
#include "errorbox.h"
#include "forms.h"
#include "modules.h"
#include "picturebox.h"
#include "placement.h"
#include "programfolder.h"
#include "shellart.h"
#include "ttcrj.h"
#include "ttits.h"
#include "windowdrag.h"

#include <QCloseEvent>
#include <QCursor>
#include <QTimer>

namespace {

const QString RefusalNotice = QStringLiteral("请您关闭正在做的题!");
constexpr int UpdateCheckDelayMs = 3000;

QString buttonName(int n)
{
    switch (n) {
    case 1: return QStringLiteral("学习计划");
    case 2: return QStringLiteral("网络课堂");
    case 3: return QStringLiteral("手把手教学");
    case 5: return QStringLiteral("模拟考场");
    case 7: return QStringLiteral("考试指南");
    case 8: return QStringLiteral("在线升级");
    }
    return {};
}

} // namespace

Tmain::Tmain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_closeShortcut(new CloseShortcutGuard(this))
{
    setWindowTitle(QStringLiteral("Pelquor"));
    setFixedSize(1020, 758);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);

    imgTitle = new PictureBox(this);
    imgTitle->setGeometry(0, 0, 1020, 758);
    imgTitle->setStretch(true);
    imgTitle->setBuiltInPicture(ShellArt::mainBackground());

    auto makeButton = [this](int n, int left) {
        auto *button = new PictureBox(this);
        button->setObjectName(QStringLiteral("Image%1").arg(n));
        button->setGeometry(left, 30, 75, 75);
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    Image1 = makeButton(1, 42);
    Image2 = makeButton(2, 133);
    Image3 = makeButton(3, 223);
    Image5 = makeButton(5, 314);
    Image7 = makeButton(7, 405);
    Image8 = makeButton(8, 494);

    Image4 = new PictureBox(this);
    Image4->setGeometry(767, 26, 234, 75);
    Image4->setBuiltInPicture(ShellArt::serviceBanner());
    Image4->setCursor(Qt::PointingHandCursor);

    Image11 = new PictureBox(this);
    Image11->setGeometry(956, 0, 28, 20);
    Image11->setStretch(true);
    Image12 = new PictureBox(this);
    Image12->setGeometry(985, 0, 31, 23);
    Image12->setStretch(true);

    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(9, 109, 1016, 639);
    Panel3->setAutoFillBackground(true);
    QPalette grey = Panel3->palette();
    grey.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));
    Panel3->setPalette(grey);

    // The automatic update check: once, a few seconds after the first showing,
    // when the online update is part of the program.
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(UpdateCheckDelayMs);
    connect(Timer1, &QTimer::timeout, this, [] {
        if (const auto &check = Modules::factories().updateTimer)
            check();
    });

    for (int n : {1, 2, 3, 5, 7}) {
        PictureBox *button = navigationButton(n);
        connect(button, &PictureBox::mousePressed, this, ErrorBox::guarded(this, [this, n] { moduleMouseDown(n); }));
        connect(button, &PictureBox::mouseMoved, this, ErrorBox::guarded(this, [this, n] { moduleMouseMove(n); }));
        connect(button, &PictureBox::mouseLeft, this, ErrorBox::guarded(this, [this, n] { moduleMouseLeave(n); }));
        connect(button, &PictureBox::clicked, this, ErrorBox::guarded(this, [this, n] { moduleClick(n); }));
    }
    connect(Image8, &PictureBox::mouseMoved, this, ErrorBox::guarded(this, [this] { Image8MouseMove(); }));
    connect(Image8, &PictureBox::mouseLeft, this, ErrorBox::guarded(this, [this] { Image8MouseLeave(); }));
    connect(Image8, &PictureBox::clicked, this, ErrorBox::guarded(this, [this] { Image8Click(); }));
    connect(Image4, &PictureBox::clicked, this, ErrorBox::guarded(this, [this] { Image4Click(); }));
    connect(Image11, &PictureBox::mouseMoved, this, ErrorBox::guarded(this, [this] { Image11MouseMove(); }));
    connect(Image11, &PictureBox::mouseLeft, this, ErrorBox::guarded(this, [this] { Image11MouseLeave(); }));
    connect(Image11, &PictureBox::clicked, this, ErrorBox::guarded(this, [this] { Image11Click(); }));
    connect(Image12, &PictureBox::mouseMoved, this, ErrorBox::guarded(this, [this] { Image12MouseMove(); }));
    connect(Image12, &PictureBox::mouseLeft, this, ErrorBox::guarded(this, [this] { Image12MouseLeave(); }));
    connect(Image12, &PictureBox::clicked, this, ErrorBox::guarded(this, [this] { Image12Click(); }));
    connect(imgTitle, &PictureBox::mousePressed, this,
            [this](Qt::MouseButton, QPointF global) { ErrorBox::run(this, [this, global] { imgTitleMouseDown(global); }); });

    ErrorBox::run(nullptr, [this] { FormCreate(); });
}

Tmain::~Tmain() = default;

void Tmain::FormCreate()
{
    m_closeShortcut->engage();
    anniu = 0;
    anniu1 = 0;
    move(Placement::mainWindow(Placement::screenSize()));
    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ADOConnection1.open();
}

void Tmain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (Modules::factories().updateTimer)
        Timer1->start();
    // The first showing opens guided practice. It runs as soon as the
    // message loop has put the window on screen, so the chapter browser's
    // database work does not keep the window itself from appearing.
    QTimer::singleShot(0, this, [this] { ErrorBox::run(this, [this] { FormShow(); }); });
}

void Tmain::FormShow()
{
    ctbh = 1;
    f6 = 0;
    xs = 1;
    Image3Click();
}

void Tmain::closeEvent(QCloseEvent *event)
{
    FormCloseQuery(event);
}

void Tmain::FormCloseQuery(QCloseEvent *event)
{
    m_closeShortcut->release();
    event->accept();
}

QString Tmain::picture(int n, Look look)
{
    static const QString suffix[] = {QStringLiteral(".png"), QStringLiteral("1.png"), QStringLiteral("2.png")};
    return ProgramFolder::file(QStringLiteral("images/") + buttonName(n) + suffix[int(look)]);
}

PictureBox *Tmain::navigationButton(int n) const
{
    switch (n) {
    case 1: return Image1;
    case 2: return Image2;
    case 3: return Image3;
    case 5: return Image5;
    case 7: return Image7;
    case 8: return Image8;
    }
    return nullptr;
}

bool Tmain::refusedWhileQuestionOpen(int n)
{
    if (ctbh != 0)
        return false;
    m_refusedButton = n;
    if (Forms::tits)
        Forms::tits->tell(RefusalNotice);
    m_refusedButton = 0;
    // The pressed look of the refused button stays while the pointer is on
    // it; had the candidate moved away during the notice, it goes now.
    if (PictureBox *button = navigationButton(n);
        button && !button->rect().contains(button->mapFromGlobal(QCursor::pos())))
        moduleMouseLeave(n);
    return true;
}

void Tmain::loadNormalPictures()
{
    for (int n : {1, 2, 3, 5, 7, 8})
        navigationButton(n)->loadPicture(picture(n, Look::Normal));
}

void Tmain::dock(QWidget *module)
{
    if (!module)
        return;
    if (module->parentWidget() != Panel3) {
        module->setParent(Panel3, Qt::Widget);
        module->move(0, 0);
    }
    module->show();
    module->raise();
}

void Tmain::moduleClick(int n)
{
    if (refusedWhileQuestionOpen(n))
        return;
    if (n == 3) {
        Image3Click();
        return;
    }
    anniu = n;
    loadNormalPictures();
    navigationButton(n)->loadPicture(picture(n, Look::Selected));
    switch (n) {
    case 1: dock(Forms::xxjh); break;
    case 2: dock(Forms::wlkt); break;
    case 5: dock(Forms::mnks); break;
    case 7: dock(Forms::kszn); break;
    }
}

void Tmain::Image3Click()
{
    if (refusedWhileQuestionOpen())
        return;
    anniu = 3;
    loadNormalPictures();
    Image3->loadPicture(picture(3, Look::Selected));
    repaint();

    // A new chapter browser every time; the previous one is not used again.
    const Modules::ChapterBrowser browser = Modules::factories().sbsjx(Panel3);
    if (QWidget *earlier = Forms::sbsjx)
        earlier->deleteLater();
    Forms::sbsjx = browser.window;
    // The browser's show handler reads xs, so it is set before the showing.
    xs = 2;
    if (browser.Image2)
        PictureBox::loadInto(browser.Image2, ProgramFolder::file(QStringLiteral("images/shoubashou.jpg")));
    dock(browser.window);
}

void Tmain::moduleMouseDown(int n)
{
    navigationButton(n)->loadPicture(picture(n, Look::Selected));
}

void Tmain::moduleMouseMove(int n)
{
    if (anniu != n && anniu1 == 0) {
        anniu1 = 1;
        navigationButton(n)->loadPicture(picture(n, Look::Hover));
    }
}

void Tmain::moduleMouseLeave(int n)
{
    // Showing the notice of a refused click takes the pointer from the
    // button without the pointer moving: that is no leaving.
    if (n == m_refusedButton)
        return;
    anniu1 = 0;
    if (anniu != n)
        navigationButton(n)->loadPicture(picture(n, Look::Normal));
}

void Tmain::Image8MouseMove()
{
    Image8->loadPicture(picture(8, Look::Hover));
}

void Tmain::Image8MouseLeave()
{
    Image8->loadPicture(picture(8, Look::Normal));
}

void Tmain::Image8Click()
{
    if (refusedWhileQuestionOpen())
        return;
    loadNormalPictures();
    Image8->loadPicture(picture(8, Look::Selected));
    if (const auto &check = Modules::factories().updateCheck)
        check();
}

void Tmain::Image4Click()
{
    Desktop::openAddress(Addresses::chatPage);
}

void Tmain::Image11MouseMove()
{
    Image11->loadPicture(ProgramFolder::file(QStringLiteral("images/xiao.jpg")));
}

void Tmain::Image11MouseLeave()
{
    Image11->clearPicture();
}

void Tmain::Image11Click()
{
    showMinimized();
}

void Tmain::Image12MouseMove()
{
    Image12->loadPicture(ProgramFolder::file(QStringLiteral("images/guan.png")));
}

void Tmain::Image12MouseLeave()
{
    Image12->clearPicture();
}

void Tmain::Image12Click()
{
    if (ctbh != 0) {
        if (Forms::tcrj)
            Forms::tcrj->exec();
    } else if (Forms::tits) {
        Forms::tits->tell(RefusalNotice);
    }
}

void Tmain::imgTitleMouseDown(QPointF pressGlobal)
{
    WindowDrag::start(imgTitle, pressGlobal, [this] { ErrorBox::run(this, [this] { afterDrag(); }); });
}

void Tmain::afterDrag()
{
    if (f6 == 1 && practiceMoved)
        practiceMoved();
}
