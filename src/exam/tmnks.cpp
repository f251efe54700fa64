#include "tmnks.h"

#include "errorbox.h"
#include "examforms.h"
#include "examui.h"
#include "pageview.h"
#include "picturebox.h"
#include "practiceui.h"
#include "programfolder.h"
#include "statements.h"
#include "tmnks1.h"

#include <QListWidget>
#include <QPushButton>

const QString Tmnks::Heading = QStringLiteral("一、固定考试");
const QString Tmnks::RandomRoom = QStringLiteral("二、随机考试");

int Tmnks::fixedPaperOf(const QString &title)
{
    for (int n = 1; n <= 10; ++n) {
        if (title == QStringLiteral("模拟考试 %1").arg(n))
            return n;
    }
    return 0;
}

Tmnks::Tmnks(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("mnks"));
    setWindowTitle(QStringLiteral("模拟考试"));
    setFixedSize(1000, 645);
    setAutoFillBackground(true);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 201, 645);
    Image2 = new PictureBox(Panel1);
    Image2->setGeometry(2, 0, 199, 26);
    PracticeUi::decorate(Image2, QStringLiteral("mnks_title.png"));
    ListBox1 = new QListWidget(Panel1);
    ListBox1->setGeometry(1, 27, 199, 455);
    ListBox1->setFont(ExamUi::font(QStringLiteral("Tahoma"), 13));
    ListBox1->setAccessibleName(QStringLiteral("考场列表"));
    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(1, 482, 199, 26);
    Image1->setStretch(true);
    PracticeUi::decorate(Image1, QStringLiteral("mnks_strip.png"));
    imgQueryBG = new PictureBox(Panel1);
    imgQueryBG->setGeometry(1, 506, 199, 139);
    imgQueryBG->setStretch(true);
    PracticeUi::decorate(imgQueryBG, QStringLiteral("mnks_logo.png"));

    Panel2 = new QWidget(this);
    Panel2->setGeometry(201, 0, 799, 645);
    WebBrowser1 = new PageView(Panel2);
    WebBrowser1->setGeometry(0, 0, 799, 645);
    WebBrowser1->viewport()->setCursor(Qt::PointingHandCursor);
    WebBrowser1->setAccessibleName(QStringLiteral("考场说明"));
    Panel3 = PracticeUi::panel(Panel2, PracticeUi::skyBlue);
    Panel3->setGeometry(0, 600, 817, 56);
    BitBtn1 = ExamUi::button(Panel3, QStringLiteral("开始考试"), 368, 3, 100, 35);
    BitBtn1->setFont(ExamUi::font(QStringLiteral("Tahoma"), 14, true));

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, ErrorBox::guarded(this, [this] { ListBox1Click(); }));
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, ErrorBox::guarded(this, [this] { ListBox1DblClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn1Click(); }));

    ErrorBox::run(this, [this] { FormCreate(); });
}

Tmnks::~Tmnks()
{
    ADOQuery1.close();
    ADOConnection1.close();
    ExamForms::destroyLongLived();
}

void Tmnks::FormCreate()
{
    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ADOConnection1.open();
}

void Tmnks::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tmnks::FormShow()
{
    ADOQuery1.close();
    ListBox1->clear();
    if (!ADOConnection1.isOpen())
        ADOConnection1.open();
    ADOQuery1.setSql(Sql::titleList(QStringLiteral("mnkc")));
    ADOQuery1.open();
    QStringList titles;
    for (ADOQuery1.first(); !ADOQuery1.eof(); ADOQuery1.next())
        titles << ADOQuery1.fieldText(QStringLiteral("list"));
    ADOQuery1.close();
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->addItems(titles);
        // The second line is the first paper. A list of one line shows it
        // selected unless it is the heading; an empty list selects nothing.
        if (ListBox1->count() > 1)
            ListBox1->setCurrentRow(1);
        else if (ListBox1->count() == 1 && Sql::trimTitle(titles.first()) != Heading)
            ListBox1->setCurrentRow(0);
    }
    ListBox1DblClick();
}

void Tmnks::ListBox1Click()
{
    QListWidgetItem *item = ListBox1->currentItem();
    if (!item || !item->isSelected())
        return;
    if (Sql::trimTitle(item->text()) == Heading) {
        const QSignalBlocker quiet(ListBox1);
        if (ListBox1->count() > 1)
            ListBox1->setCurrentRow(1);
        else
            ListBox1->clearSelection();
    }
}

void Tmnks::ListBox1DblClick()
{
    ListBox1Click();
    QListWidgetItem *item = ListBox1->currentItem();
    QString fragment;
    if (item && item->isSelected()) {
        ADOQuery1.close();
        ADOQuery1.setSql(Sql::titleLookup(QStringLiteral("mnkc"), Sql::trimTitle(item->text())));
        ADOQuery1.open();
        if (!ADOQuery1.isEmpty())
            fragment = ADOQuery1.fieldText(QStringLiteral("wy"));
    }
    WebBrowser1->display(fragment);
    ADOQuery1.close();
}

bool Tmnks::roomHasQuestions(const QString &title)
{
    QString statement;
    if (title == RandomRoom)
        statement = Sql::allQuestionsInOrder();
    else if (const int paper = fixedPaperOf(title))
        statement = Sql::fixedPaper(paper);
    if (statement.isEmpty()) {
        ExamForms::notice(QStringLiteral("请先选择一套试卷!"), window());
        return false;
    }
    if (!ADOConnection1.isOpen())
        ADOConnection1.open();
    ADOQuery1.close();
    ADOQuery1.setSql(statement);
    ADOQuery1.open();
    const bool any = !ADOQuery1.isEmpty();
    ADOQuery1.close();
    if (!any)
        ExamForms::notice(QStringLiteral("这套试卷没有题目，不能开始考试!"), window());
    return any;
}

void Tmnks::BitBtn1Click()
{
    // A room that is no paper, or a paper without questions, never starts
    // an exam: the candidate would meet an empty exam room after the login.
    if (!roomHasQuestions(ExamForms::selectedRoom()))
        return;
    auto *login = new Tmnks1;
    ExamForms::mnks1 = login;
    login->exec();
    delete login;
}
