#include "tmnks4.h"

#include "errorbox.h"
#include "examforms.h"
#include "examui.h"
#include "handover.h"
#include "inputmethods.h"
#include "simhost.h"
#include "statements.h"
#include "tmnks3.h"
#include "tmnksczts.h"
#include "tmnksksxx.h"
#include "tmnksts1.h"
#include "tmnksts2.h"
#include "tmnksts3.h"
#include "tmnksts4.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

const QString Tmnks4::Mark = QStringLiteral("(已标识)");

namespace {

constexpr int ExamMinutes = 50;

QLabel *statusLabel(QWidget *parent, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void separator(QWidget *parent, int left)
{
    auto *line = new QFrame(parent);
    line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    line->setGeometry(left, 2, 2, 22);
}

// Counts a handler that waits inside a nested modal box.
struct Nested
{
    explicit Nested(int &depth) : m_depth(depth) { ++m_depth; }
    ~Nested() { --m_depth; }
    int &m_depth;
};

} // namespace

Tmnks4::Tmnks4(Tmnks3 *room)
    : QWidget(room, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_room(room)
{
    setObjectName(QStringLiteral("mnks4"));
    setWindowTitle(QStringLiteral("第1题"));
    setFixedSize(316, 201);

    BitBtn1 = ExamUi::button(this, QStringLiteral("上一题"), 1, 0, 57, 25);
    BitBtn2 = ExamUi::button(this, QStringLiteral("下一题"), 64, 0, 57, 25);
    BitBtn3 = ExamUi::button(this, QStringLiteral("重做本题"), 125, 0, 57, 25);
    BitBtn4 = ExamUi::button(this, QStringLiteral("标识本题"), 188, 0, 57, 25);
    BitBtn5 = ExamUi::button(this, QStringLiteral("选题"), 251, 0, 57, 25);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setGeometry(1, 31, 312, 117);
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setFont(ExamUi::font(QStringLiteral("新宋体"), 15));
    RichEdit1->setAccessibleName(QStringLiteral("题目要求"));
    BitBtn6 = ExamUi::button(this, QStringLiteral("结束考试"), 1, 148, 57, 25);
    BitBtn7 = ExamUi::button(this, QStringLiteral("考生信息"), 116, 148, 57, 25);
    BitBtn8 = ExamUi::button(this, QStringLiteral("操作提示"), 232, 148, 57, 25);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 201 - 28, 316, 28);
    Label1fanhongwei = statusLabel(Panel1, QStringLiteral("剩余    分钟"), 2, 5);
    Label4 = new QLabel(QString::number(ExamMinutes), Panel1);
    Label4->setGeometry(26, 5, 14, 12);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setAccessibleName(QStringLiteral("剩余分钟"));
    separator(Panel1, 66);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setGeometry(69, 2, 110, 20);
    ProgressBar1->setRange(0, ExamMinutes);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("已用时间"));
    separator(Panel1, 184);
    Label2 = statusLabel(Panel1, QStringLiteral("考生甲"), 190, 5);
    separator(Panel1, 247);
    Label3 = new QLabel(QStringLiteral("输入法"), Panel1);
    Label3->setGeometry(253, 3, 41, 16);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setAccessibleName(QStringLiteral("输入法"));
    Label3->installEventFilter(this);
    // The four blanks of "剩余    分钟" leave the room the minutes are drawn in.
    for (QLabel *label : {Label1fanhongwei, Label4, Label2, Label3})
        label->setFont(ExamUi::font(QStringLiteral("Tahoma"), 13));
    Label4->setFont(ExamUi::font(QStringLiteral("Tahoma"), 12, true));
    Label4->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    Label4->setGeometry(26, 5, 14, 12);
    Label1fanhongwei->adjustSize();
    Label2->adjustSize();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setAccessibleName(QStringLiteral("输入法菜单"));
    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);

    // Only looks: the selector's buttons follow it; its click is the jump.
    RzBitBtn1 = new QPushButton(this);
    RzBitBtn1->hide();

    connect(BitBtn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn4Click(); }));
    connect(BitBtn5, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn5Click(); }));
    connect(BitBtn6, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn6Click(); }));
    connect(BitBtn7, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn7Click(); }));
    connect(BitBtn8, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn8Click(); }));
    connect(Timer1, &QTimer::timeout, this, ErrorBox::guarded(this, [this] { Timer1Timer(); }));

    ErrorBox::run(this, [this] { FormCreate(); });
}

void Tmnks4::FormCreate()
{
    PopupMenu1->clear();
    m_inputMethods = InputMethods::engines();
    for (const QString &name : QStringList{QStringLiteral("英文")} + m_inputMethods) {
        // The caption is exactly the input method's name: no accelerator marks.
        QAction *item = PopupMenu1->addAction(QString(name).replace(u'&', QStringLiteral("&&")));
        item->setData(name);
        connect(item, &QAction::triggered, this, ErrorBox::guarded(this, [this, name] { InputChange(name); }));
    }
    sjwt = 0;
    bs = 1;
    dd = 1;
}

QStringList Tmnks4::inputMethodNames() const
{
    QStringList names;
    for (QAction *item : PopupMenu1->actions())
        names << item->data().toString();
    return names;
}

void Tmnks4::fillRequirement(const QString &ti, const QString &mark)
{
    m_task = ti;
    RichEdit1->clear();
    RichEdit1->append(QStringLiteral("要求:"));
    RichEdit1->append(QStringLiteral("  ") + ti);
    if (!mark.isEmpty())
        RichEdit1->append(QStringLiteral("     ") + mark);
}

void Tmnks4::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Showing a running clock does not restart it.
    if (!Timer1->isActive() && Label4->text().trimmed() != u"0")
        Timer1->start();
}

void Tmnks4::closeEvent(QCloseEvent *event)
{
    // The question window is never closed by the candidate; it goes with the exam room.
    event->ignore();
}

bool Tmnks4::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        auto *release = static_cast<QMouseEvent *>(event);
        if (release->button() == Qt::LeftButton)
            ErrorBox::run(this, [this] { Label3Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// "上一题" (-1) and "下一题" (+1): the neighbour of `js` in the paper, or at the
// paper's end the button that leads off it is disabled for a second.
void Tmnks4::step(int direction)
{
    const bool next = direction > 0;
    QPushButton *pressed = next ? BitBtn2 : BitBtn1;
    QPushButton *other = next ? BitBtn1 : BitBtn2;
    if (dd == 1) {
        dd = 0;
        try {
            Query &query = m_room->ADOQuery1;
            if (!m_room->ADOConnection1.isOpen())
                m_room->ADOConnection1.open();
            query.setSql(Sql::workingSetInOrder(true));
            query.open();
            int current = 0;
            for (query.first(); !query.eof(); query.next()) {
                if (Sql::trimTitle(query.fieldText(QStringLiteral("th"))) == QString::number(m_room->js))
                    current = query.recNo();
            }
            const int target = current + direction;
            if (current == 0 || target < 1 || target > query.recordCount()) {
                query.close();
                pressed->setEnabled(false);
            } else {
                other->setEnabled(true);
                query.first();
                query.moveBy(target - 1);
                const int th = query.fieldInt(QStringLiteral("th"));
                const QString ti = query.fieldText(QStringLiteral("ti"));
                const QString mark = query.fieldText(QStringLiteral("bs"));
                setWindowTitle(QStringLiteral("第%1题").arg(target));
                query.edit();
                query.setField(QStringLiteral("fw"), QStringLiteral("1"));
                query.post();
                query.close();
                // The please-wait picture shows while the panel is hidden.
                m_room->Panel2->hide();
                m_room->repaint();
                m_room->switchTo(th);
                raise();
                fillRequirement(ti, Sql::trimTitle(mark));
                m_room->Panel2->show();
                raise();
            }
        } catch (...) {
            dd = 1;
            m_room->Panel2->show();
            m_room->Timer1->start();
            throw;
        }
    }
    dd = 1;
    m_room->Timer1->start();
}

void Tmnks4::BitBtn1Click()
{
    step(-1);
}

void Tmnks4::BitBtn2Click()
{
    step(+1);
}

void Tmnks4::BitBtn3Click()
{
    if (dd == 1) {
        dd = 0;
        try {
            m_room->Panel2->hide();
            m_room->repaint();
            // The question starts again from its beginning, not from the
            // work its simulator kept.
            for (const QString &statement : Sql::forgetExamWork(QString::number(m_room->js))) {
                m_room->ADOQuery1.setSql(statement);
                m_room->ADOQuery1.execSql();
            }
            m_room->switchTo(m_room->js);
            m_room->ADOQuery1.close();
            m_room->ADOConnection1.close();
            m_room->Panel2->show();
        } catch (...) {
            dd = 1;
            m_room->Panel2->show();
            throw;
        }
        dd = 1;
    }
}

void Tmnks4::BitBtn4Click()
{
    Query &query = m_room->ADOQuery1;
    if (!m_room->ADOConnection1.isOpen())
        m_room->ADOConnection1.open();
    query.setSql(Sql::questionByNumber(QString::number(m_room->js)));
    query.open();
    if (!query.isEmpty() && Sql::trimTitle(query.fieldText(QStringLiteral("bs"))).isEmpty()) {
        query.edit();
        query.setField(QStringLiteral("bs"), Mark);
        query.post();
        RichEdit1->append(QStringLiteral("     ") + Mark);
    }
    query.close();
}

void Tmnks4::BitBtn5Click()
{
    m_room->toggleSelector();
}

void Tmnks4::BitBtn6Click()
{
    hide();
    {
        const Nested nested(m_nested);
        auto *box = new Tmnksts1(this);
        ExamForms::mnksts1 = box;
        box->exec();
        delete box;
    }
    // The question window's own close request is refused; the exam room
    // closes once the result screen has asked it to.
    close();
    m_room->closeIfRequested();
}

void Tmnks4::BitBtn7Click()
{
    ExamForms::createLongLived();
    Tmnksksxx *info = ExamForms::mnksksxx;
    // Beside the modal exam room only its own windows take input, so the
    // box goes with the room while it is shown.
    if (info->parentWidget() != m_room)
        info->setParent(m_room, info->windowFlags());
    info->move(pos());
    info->show();
    info->raise();
}

void Tmnks4::BitBtn8Click()
{
    const Nested nested(m_nested);
    auto *tips = new Tmnksczts(this);
    ExamForms::mnksczts = tips;
    tips->exec();
    delete tips;
    m_room->closeIfRequested();
}

void Tmnks4::Label3Click()
{
    PopupMenu1->popup(QPoint(x() + Label3->x(), y() + 175));
}

void Tmnks4::InputChange(const QString &chosen)
{
    QString name = chosen;
    // The engine becomes IBus's current one for typing into the simulator.
    if (name == u"英文")
        InputMethods::activateEnglish();
    else if (m_inputMethods.contains(name))
        InputMethods::activate(name);
    if (name == u"英文")
        name = QStringLiteral("英文输入法");
    if (!m_room->ADOConnection1.isOpen())
        m_room->ADOConnection1.open();
    Handover::writeInputMethod(m_room->ADOQuery1, name);
}

void Tmnks4::stopClock()
{
    Timer1->stop();
}

void Tmnks4::closeOpenBoxes()
{
    for (QDialog *box : std::initializer_list<QDialog *>{ExamForms::mnksts3, ExamForms::mnksts2, ExamForms::mnksts1,
                                                         ExamForms::mnksczts}) {
        if (box && box->isVisible())
            box->reject();
    }
    if (ExamForms::mnksksxx)
        ExamForms::mnksksxx->hide();
}

void Tmnks4::Timer1Timer()
{
    Label4->setText(QString::number(Label4->text().trimmed().toInt() - 1));
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
    if (Label4->text().trimmed() != u"0")
        return;
    hide();
    Timer1->stop();
    // A hand-in box or the tips still open at the end of the time would stand
    // over the result screen and outlive it: they close first.
    closeOpenBoxes();
    QMessageBox message(QMessageBox::NoIcon, QApplication::applicationName(), QStringLiteral("考试时间到,强制交卷!"),
                        QMessageBox::Ok, this);
    message.exec();
    sjwt = 1;
    ExamForms::createLongLived();
    ExamForms::mnksts4->exec();
    // Inside a hand-in box's wait the handler that opened it closes the room.
    if (m_nested == 0)
        m_room->closeIfRequested();
}
