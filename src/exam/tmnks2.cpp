#include "tmnks2.h"

#include "errorbox.h"
#include "examforms.h"
#include "examui.h"
#include "picturebox.h"
#include "placement.h"
#include "practiceui.h"
#include "tmnks3.h"

#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>

namespace {

QLabel *cardLabel(QWidget *parent, int pixelSize, int left, int top, int width, int height)
{
    auto *label = new QLabel(parent);
    label->setGeometry(left, top, width, height);
    label->setFont(ExamUi::font(QStringLiteral("仿宋_GB2312"), pixelSize, true));
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

} // namespace

int &Tmnks2::pauseScale()
{
    static int percent = 100;
    return percent;
}

Tmnks2::Tmnks2(const QString &seat, const QString &identity, QWidget *parent)
    : QDialog(parent), m_seat(seat), m_identity(identity)
{
    setObjectName(QStringLiteral("mnks2"));
    setWindowTitle(QStringLiteral("试题传输"));
    ExamUi::makeFullScreen(this);
    setModal(true);

    Panel1 = new QWidget(this);
    Panel1->resize(803, 602);
    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(0, 0, 803, 602);
    Image1->setStretch(true);
    PracticeUi::decorate(Image1, QStringLiteral("mnks2_card.png"));
    Label5 = cardLabel(Panel1, 20, 322, 141, 116, 28);
    Label2 = cardLabel(Panel1, 19, 205, 282, 268, 28);
    Label2->setText(QStringLiteral("金山演示2005"));
    Label4 = cardLabel(Panel1, 19, 205, 316, 332, 28);
    Label3 = cardLabel(Panel1, 19, 205, 388, 145, 29);
    Label1 = new QLabel(QStringLiteral("试题传输中......"), Panel1);
    Label1->setGeometry(189, 534, 177, 16);
    Label1->setFont(ExamUi::font(QStringLiteral("MS Sans Serif"), 13, true));
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setGeometry(100, 564, 351, 17);
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("试题传输进度"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, ErrorBox::guarded(this, [this] { Timer1Timer(); }));
}

void Tmnks2::placePanel()
{
    const QSize screen = Placement::screenSize();
    Panel1->move(screen.width() / 2 - 401, screen.height() / 2 - 301);
}

void Tmnks2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tmnks2::FormShow()
{
    ProgressBar1->setValue(1);
    Timer1->start();
    placePanel();
    Label3->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    Label4->setText(m_identity);
    Label5->setText(m_seat);
}

void Tmnks2::keyPressEvent(QKeyEvent *event)
{
    // The transfer screen cannot be left by Escape.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void Tmnks2::Timer1Timer()
{
    Timer1->stop();
    {
        // The two seconds of the transfer refuse the candidate's input but
        // keep painting, so the bar is seen to fill.
        ExamUi::InputRefusal refusal;
        const int scale = pauseScale();
        for (int i = 0; i <= 1000; ++i) {
            if (i == 0 || i == 500)
                ExamUi::paintingPause(500 * scale / 100);
            if (ProgressBar1->value() < ProgressBar1->maximum())
                ProgressBar1->setValue(ProgressBar1->value() + 1);
            if (i == 1000)
                ExamUi::paintingPause(1000 * scale / 100);
        }
    }

    auto *room = new Tmnks3;
    ExamForms::mnks3 = room;
    if (room->paperReady())
        room->exec();
    delete room;
    accept();
}
