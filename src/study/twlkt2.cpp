#include "twlkt2.h"

#include "errorbox.h"
#include "movieplayer.h"
#include "programfolder.h"
#include "statements.h"
#include "studyforms.h"
#include "studyui.h"
#include "twlkt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

Twlkt2::Twlkt2(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("wlkt2"));
    setWindowTitle(QStringLiteral("网络课堂"));
    setFixedSize(1000, 642);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

    Panel2 = new QWidget(this);
    Panel2->setGeometry(201, 0, 799, 642);
    // First of all, so that a system without the media backend fails
    // before anything else is made.
    ShockwaveFlash1 = new MoviePlayer(Panel2);
    ShockwaveFlash1->setGeometry(1, 1, 797, 584);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 201, 642);
    imgOperationBG = StudyUi::headerStrip(Panel1, QString());
    imgOperationBG->setGeometry(1, 1, 199, 26);
    // Centred over the whole strip, so that long course titles stay whole.
    Label1 = new QLabel(Panel1);
    Label1->setGeometry(1, 5, 199, 17);
    Label1->setAlignment(Qt::AlignCenter);
    QFont caption = StudyUi::tahoma(true);
    Label1->setFont(caption);
    QPalette white;
    white.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(white);
    ListBox1 = StudyUi::titleList(Panel1, QStringLiteral("课时列表"));
    ListBox1->setGeometry(1, 27, 199, 447);
    Image1 = StudyUi::decorativeStrip(Panel1);
    Image1->setGeometry(1, 474, 199, 28);
    imgQueryBG = StudyUi::productLogo(Panel1);
    imgQueryBG->setGeometry(1, 502, 199, 139);

    Panel3 = StudyUi::panel(Panel2, StudyUi::skyBlue);
    Panel3->setGeometry(0, 642 - 56, 799, 56);
    const QString texts[] = {QStringLiteral("播放"), QStringLiteral("停止"), QStringLiteral("后退"),
                             QStringLiteral("快进"), QStringLiteral("上一节"), QStringLiteral("下一节"),
                             QStringLiteral("返回")};
    const int lefts[] = {16, 132, 248, 365, 481, 597, 714};
    QPushButton **buttons[] = {&BitBtn1, &BitBtn2, &BitBtn3, &BitBtn4, &BitBtn5, &BitBtn6, &BitBtn7};
    for (int i = 0; i < 7; ++i)
        *buttons[i] = StudyUi::button(Panel3, texts[i], lefts[i], 14, 75, 25);

    connect(ListBox1, &QListWidget::currentRowChanged, this, ErrorBox::guarded(this, [this] { ListBox1Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn4Click(); }));
    connect(BitBtn5, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn5Click(); }));
    connect(BitBtn6, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn6Click(); }));
    connect(BitBtn7, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn7Click(); }));

    // The player's own connection; an unusable bank shows its error when
    // the lessons are read.
    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ErrorBox::run(this, [this] { ADOConnection1.open(); });
}

Twlkt2::~Twlkt2()
{
    ADOQuery1.close();
    ADOConnection1.close();
}

void Twlkt2::FormShow()
{
    const Twlkt *classroom = StudyForms::classroom();
    const QString course = classroom ? classroom->list : QString();
    Label1->setText(QStringLiteral("◆ ") + course);
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        ADOQuery1.close();
        ADOQuery1.setSql(Sql::lessonsOfCourse(course));
        ADOQuery1.open();
        for (; !ADOQuery1.eof(); ADOQuery1.next())
            ListBox1->addItem(ADOQuery1.fieldText(QStringLiteral("list")));
        ADOQuery1.close();
        if (ListBox1->count() > 0)
            ListBox1->setCurrentRow(0);
    }
    lessonButtons();
    ListBox1Click();
}

void Twlkt2::lessonButtons()
{
    // A course without lessons: nothing to play or to move through.
    const bool any = ListBox1->count() > 0;
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6})
        b->setEnabled(any);
}

void Twlkt2::ListBox1Click()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    if (!item)
        return;
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::lessonByTitle(Sql::trimTitle(item->text())));
    ADOQuery1.open();
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->StopPlay();
    swfdbfile = ProgramFolder::file(QStringLiteral("Vide1/")
                                    + (ADOQuery1.isEmpty() ? QString() : ADOQuery1.fieldText(QStringLiteral("spname"))));
    ShockwaveFlash1->setMovie(swfdbfile);
    ShockwaveFlash1->Play();
}

void Twlkt2::BitBtn1Click()
{
    ShockwaveFlash1->Play();
}

void Twlkt2::BitBtn2Click()
{
    ShockwaveFlash1->Stop();
}

void Twlkt2::step(int frames)
{
    // Stepping past either end of the movie, or without one, says nothing.
    try {
        const int n = ShockwaveFlash1->FrameNum();
        ShockwaveFlash1->GotoFrame(n + frames);
        ShockwaveFlash1->Play();
    } catch (const StoreError &) {
    }
}

void Twlkt2::BitBtn3Click()
{
    step(-10);
}

void Twlkt2::BitBtn4Click()
{
    step(10);
}

void Twlkt2::BitBtn5Click()
{
    if (ListBox1->currentRow() <= 0) {
        QMessageBox::information(this, QStringLiteral("Pelquor"), QStringLiteral("已经是第一节"));
        return;
    }
    ListBox1->setCurrentRow(ListBox1->currentRow() - 1);
}

void Twlkt2::BitBtn6Click()
{
    if (ListBox1->count() == ListBox1->currentRow() + 1) {
        QMessageBox::information(this, QStringLiteral("Pelquor"), QStringLiteral("已经是最后一节"));
        return;
    }
    ListBox1->setCurrentRow(ListBox1->currentRow() + 1);
}

void Twlkt2::BitBtn7Click()
{
    close();
}

void Twlkt2::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void Twlkt2::FormClose()
{
    ADOQuery1.close();
    ADOConnection1.close();
    ShockwaveFlash1->StopPlay();
    ShockwaveFlash1->unload();
}
