#include "tmnks1.h"

#include "errorbox.h"
#include "examforms.h"
#include "examui.h"
#include "picturebox.h"
#include "placement.h"
#include "practiceui.h"
#include "tmnks2.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>

const QString Tmnks1::SampleIdentity = QStringLiteral("110105199003078216");

namespace {

// A transparent click area over a button drawn in the background picture.
QLabel *clickArea(QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    auto *area = new QLabel(parent);
    area->setGeometry(left, top, width, height);
    area->setCursor(Qt::PointingHandCursor);
    area->setAttribute(Qt::WA_TranslucentBackground);
    area->setAccessibleName(name);
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

QLineEdit *field(QWidget *parent, const QString &name, const QString &text, int left, int top, int width, int height)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setGeometry(left, top, width, height);
    edit->setFrame(false);
    edit->setFont(ExamUi::font(QStringLiteral("MS Sans Serif"), 13));
    edit->setAccessibleName(name);
    return edit;
}

} // namespace

Tmnks1::Tmnks1(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("mnks1"));
    setWindowTitle(QStringLiteral("进入考场"));
    ExamUi::makeFullScreen(this);
    setModal(true);

    Panel1 = new QWidget(this);
    Panel1->resize(785, 577);
    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(0, 0, 785, 577);
    Image1->setStretch(true);
    PracticeUi::decorate(Image1, QStringLiteral("mnks1_login.png"));
    Edit1 = field(Panel1, QStringLiteral("座位号"), QStringLiteral("28"), 333, 289, 213, 23);
    // The seat field is reached by Enter, not by Tab.
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Edit2 = field(Panel1, QStringLiteral("身份证号"), SampleIdentity, 333, 319, 213, 24);
    Label1 = clickArea(Panel1, QStringLiteral("登录"), 365, 365, 90, 37);
    Label2 = clickArea(Panel1, QStringLiteral("退出"), 491, 365, 92, 37);
    Label1->installEventFilter(this);
    Label2->installEventFilter(this);

    connect(Edit1, &QLineEdit::returnPressed, this, ErrorBox::guarded(this, [this] { Edit2->setFocus(); }));
    connect(Edit2, &QLineEdit::returnPressed, this, ErrorBox::guarded(this, [this] { Label1Click(); }));

    ErrorBox::run(this, [this] { FormCreate(); });
}

void Tmnks1::FormCreate()
{
    const QSize screen = Placement::screenSize();
    Panel1->move(screen.width() / 2 - 392, screen.height() / 2 - 289);
}

void Tmnks1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tmnks1::FormShow()
{
    activateWindow();
    Edit1->setFocus();
}

bool Tmnks1::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Label1 || watched == Label2) && event->type() == QEvent::MouseButtonRelease) {
        auto *release = static_cast<QMouseEvent *>(event);
        auto *area = static_cast<QWidget *>(watched);
        if (release->button() == Qt::LeftButton && area->rect().contains(release->position().toPoint())) {
            if (watched == Label1)
                ErrorBox::run(this, [this] { Label1Click(); });
            else
                ErrorBox::run(this, [this] { Label2Click(); });
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tmnks1::warn(const QString &text)
{
    m_lastWarning = text;
    QMessageBox::warning(this, QApplication::applicationName(), text);
}

void Tmnks1::Label1Click()
{
    // The identity number decides first: any 18 characters log in, whatever
    // the seat field holds.
    if (Edit2->text().size() == 18) {
        auto *transfer = new Tmnks2(Edit1->text(), Edit2->text());
        ExamForms::mnks2 = transfer;
        transfer->exec();
        delete transfer;
        accept();
        return;
    }
    if (Edit1->text().trimmed().isEmpty()) {
        warn(QStringLiteral("请填写座位号"));
        Edit1->selectAll();
        Edit1->setFocus();
    } else if (!Edit2->text().trimmed().isEmpty()) {
        warn(QStringLiteral("身份证号位数不对！"));
    } else {
        warn(QStringLiteral("请填写身份证号"));
        Edit2->selectAll();
        Edit2->setFocus();
    }
}

void Tmnks1::Label2Click()
{
    reject();
}
