#include "txxjh.h"

#include "countdown.h"
#include "errorbox.h"
#include "forms.h"
#include "pageview.h"
#include "programfolder.h"
#include "statements.h"
#include "studyforms.h"
#include "studyui.h"
#include "tmain.h"
#include "tszsj.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

const QString CompletionMarker = QStringLiteral("|已完成|");

} // namespace

Txxjh::Txxjh(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("xxjh"));
    setWindowTitle(QStringLiteral("学习计划"));
    setFixedSize(1000, 645);
    setAutoFillBackground(true);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 201, 645);
    Image2 = StudyUi::headerStrip(Panel1, QStringLiteral("学习计划"));
    Image2->setGeometry(2, 1, 199, 26);
    ListBox1 = StudyUi::titleList(Panel1, QStringLiteral("学习计划列表"));
    ListBox1->setGeometry(1, 27, 199, 455);
    Image1 = StudyUi::decorativeStrip(Panel1);
    Image1->setGeometry(-3, 481, 203, 26);
    imgQueryBG = StudyUi::productLogo(Panel1);
    imgQueryBG->setGeometry(1, 505, 199, 139);

    Panel2 = new QWidget(this);
    Panel2->setGeometry(201, 0, 799, 645);
    Panel3 = StudyUi::panel(Panel2, StudyUi::skyBlue);
    Panel3->setGeometry(0, 0, 799, 26);
    QPalette blue;
    blue.setColor(QPalette::WindowText, Qt::blue);
    auto label = [&](const QString &text, int left) {
        auto *l = new QLabel(text, Panel3);
        l->setFont(StudyUi::tahoma(true));
        l->setPalette(blue);
        l->move(left, 7);
        return l;
    };
    Label1 = label(QStringLiteral("距考试还有"), 280);
    Label2 = label(QString(), 378);
    Label2->setFixedSize(31, 13);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setAccessibleName(QStringLiteral("距考试天数"));
    Label3 = label(QStringLiteral("天"), 415);
    Button1 = StudyUi::button(Panel3, QStringLiteral("设置考试时间"), 608, 0, 121, 25);

    WebBrowser1 = new PageView(Panel2);
    WebBrowser1->setGeometry(0, 26, 799, 645 - 26 - 36);
    WebBrowser1->setAccessibleName(QStringLiteral("学习内容"));

    Panel4 = StudyUi::panel(Panel2, StudyUi::skyBlue, true);
    Panel4->setGeometry(0, 645 - 36, 799, 36);
    Button2 = StudyUi::button(Panel4, QStringLiteral("重修"), 88, 4, 75, 25);
    Button3 = StudyUi::button(Panel4, QStringLiteral("完成"), 251, 4, 75, 25);
    Button4 = StudyUi::button(Panel4, QStringLiteral("进入手把手"), 529, 4, 169, 25);
    Button2->setEnabled(false);
    Button3->setEnabled(false);

    // Mouse and keyboard both move the current row; filling the list does
    // it with the signals blocked, so each selection shows its page once.
    connect(ListBox1, &QListWidget::currentRowChanged, this, ErrorBox::guarded(this, [this] { ListBox1Click(); }));
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button4Click(); }));

    m_midnight = new QTimer(this);
    m_midnight->setSingleShot(true);
    connect(m_midnight, &QTimer::timeout, this, [this] {
        ErrorBox::run(this, [this] { refreshCountdown(); });
        armMidnight();
    });

    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ErrorBox::run(this, [this] { ADOConnection1.open(); });
}

Txxjh::~Txxjh()
{
    ADOQuery1.close();
    ADOConnection1.close();
}

Tszsj *Txxjh::szsj() const
{
    // The date dialog is made when the candidate first sets the date: its
    // month calendar costs as much as the rest of the study plan, and it
    // would be paid at every start of the program.
    if (!StudyForms::szsj)
        StudyForms::szsj = new Tszsj(const_cast<Txxjh *>(this));
    return StudyForms::szsj;
}

void Txxjh::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // The captions take the size of their text when the plan is first
        // shown: measuring text loads fonts, which the program's start
        // need not wait for.
        Label1->adjustSize();
        Label3->adjustSize();
        ErrorBox::run(this, [this] { FormShow(); });
    } else {
        ErrorBox::run(this, [this] { refreshCountdown(); });
    }
    armMidnight();
}

void Txxjh::armMidnight()
{
    m_midnight->start(int(Countdown::untilNextDay(Countdown::clock()())));
}

void Txxjh::FormShow()
{
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::singleRow(QStringLiteral("rq")));
    ADOQuery1.open();
    Label2->setText(ADOQuery1.isEmpty() ? QString() : ADOQuery1.fieldText(QStringLiteral("rq")));
    ADOQuery1.close();
    refreshCountdown();

    StudyUi::fillTitleList(ADOQuery1, ListBox1, QStringLiteral("xxjh"));
    ListBox1Click();
}

void Txxjh::refreshCountdown()
{
    if (const std::optional<QDate> exam = Countdown::storedDate(ADOConnection1))
        Label2->setText(Countdown::text(Countdown::clock()(), *exam));
}

void Txxjh::selectionButtons(const QString &title)
{
    const bool finished = title.contains(u'|');
    Button3->setEnabled(!finished);
    Button2->setEnabled(finished);
}

void Txxjh::ListBox1Click()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    if (!item) {
        // An empty plan: nothing to show and nothing to mark.
        Button2->setEnabled(false);
        Button3->setEnabled(false);
        WebBrowser1->clear();
        return;
    }
    const QString title = item->text();
    selectionButtons(title);
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::titleLookup(QStringLiteral("xxjh"), Sql::trimTitle(title)));
    ADOQuery1.open();
    WebBrowser1->display(ADOQuery1.isEmpty() ? QString() : ADOQuery1.fieldText(QStringLiteral("wy")));
}

void Txxjh::Button3Click()
{
    QListWidgetItem *item = ListBox1->currentItem();
    if (!item)
        return;
    const QString title = item->text();
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::titleLookup(QStringLiteral("xxjh"), Sql::trimTitle(title)));
    ADOQuery1.open();
    ADOQuery1.edit();
    ADOQuery1.setField(QStringLiteral("list"), title + CompletionMarker);
    ADOQuery1.post();
    ADOQuery1.close();
    item->setText(title + CompletionMarker);
    Button3->setEnabled(false);
    Button2->setEnabled(true);
}

void Txxjh::Button2Click()
{
    QListWidgetItem *item = ListBox1->currentItem();
    if (!item)
        return;
    const QString title = item->text();
    QString reopened = title;
    const qsizetype p = title.indexOf(u'|');
    if (p >= 0)
        reopened.remove(p, 100);
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::titleLookup(QStringLiteral("xxjh"), Sql::trimTitle(title)));
    ADOQuery1.open();
    ADOQuery1.edit();
    ADOQuery1.setField(QStringLiteral("list"), reopened);
    ADOQuery1.post();
    ADOQuery1.close();
    item->setText(reopened);
    Button2->setEnabled(false);
    Button3->setEnabled(true);
}

void Txxjh::Button1Click()
{
    Tszsj *dialog = szsj();
    if (!dialog)
        return;
    if (const std::optional<QDate> exam = Countdown::storedDate(ADOConnection1))
        dialog->MonthCalendar1->setSelectedDate(*exam);
    else
        dialog->MonthCalendar1->setSelectedDate(Countdown::clock()().date());
    // Only a confirmed day changes the countdown: "取消" or the close box
    // leave the stored count and date as they were.
    if (dialog->exec() != QDialog::Accepted || !dialog->kssj.isValid())
        return;
    const QString count = Countdown::text(Countdown::clock()(), dialog->kssj);
    Label2->setText(count);
    ADOConnection1.batch([&] {
        ADOQuery1.close();
        ADOQuery1.setSql(Sql::singleRow(QStringLiteral("rq")));
        ADOQuery1.open();
        ADOQuery1.edit();
        ADOQuery1.setField(QStringLiteral("rq"), count);
        ADOQuery1.post();
        ADOQuery1.close();
        Countdown::storeDate(ADOConnection1, dialog->kssj);
    });
}

void Txxjh::Button4Click()
{
    if (Forms::main)
        Forms::main->Image3Click();
}
