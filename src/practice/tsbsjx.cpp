#include "tsbsjx.h"

#include "addresses.h"
#include "errorbox.h"
#include "forms.h"
#include "pageview.h"
#include "picturebox.h"
#include "practiceforms.h"
#include "practiceui.h"
#include "programfolder.h"
#include "sitecheck.h"
#include "statements.h"
#include "tmain.h"
#include "tsbs.h"
#include "txzlxt.h"

#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

Tsbsjx::Tsbsjx(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("sbsjx"));
    setFixedSize(1016, 637);
    setAttribute(Qt::WA_DeleteOnClose);

    Image3 = new PictureBox(this);
    Image3->setGeometry(0, 0, 1016, 637);
    Image3->setStretch(true);
    PracticeUi::decorate(Image3, QStringLiteral("sbsjx_bg.png"));

    Image4 = new PictureBox(this);
    Image4->setGeometry(825, -1, 173, 638);
    Image4->setStretch(true);
    PracticeUi::decorate(Image4, QStringLiteral("sbsjx_right.png"));
    Label1 = PracticeUi::siteArea(this, 859, 236, 113, 29);
    Label2 = PracticeUi::siteArea(this, 863, 189, 98, 31);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(-1, -8, 201, 645);
    Image2 = new QLabel(Panel1);
    Image2->setGeometry(1, 3, 194, 31);
    ListBox1 = new QListWidget(Panel1);
    ListBox1->setAccessibleName(QStringLiteral("章节"));
    ListBox1->setGeometry(1, 32, 194, 375);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(13);
    ListBox1->setFont(tahoma);
    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(1, 406, 193, 27);
    PracticeUi::decorate(Image1, QStringLiteral("sbsjx_bar.png"));
    RichEdit1 = PracticeUi::richEdit(Panel1);
    RichEdit1->setAccessibleName(QStringLiteral("题目要求"));
    RichEdit1->setGeometry(1, 435, 193, 210);

    Panel2 = PracticeUi::panel(this, QColor(0, 0, 255));
    Panel2->setGeometry(194, 0, 630, 447);
    ListView1 = new QTreeWidget(Panel2);
    ListView1->setAccessibleName(QStringLiteral("本章题目"));
    ListView1->setGeometry(-1, -1, 631, 429);
    ListView1->setFont(tahoma);
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("题号"), QStringLiteral("要求"), QStringLiteral("状态")});
    ListView1->setColumnWidth(0, 50);
    ListView1->setColumnWidth(1, 480);
    ListView1->setColumnWidth(2, 100);
    ListView1->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setUniformRowHeights(true);
    ListView1->setStyleSheet(PracticeUi::gridLines());

    RichEdit2 = PracticeUi::richEdit(this, 16);
    RichEdit2->setAccessibleName(QStringLiteral("温馨提示"));
    RichEdit2->setGeometry(193, 427, 631, 162);

    Panel4 = PracticeUi::panel(this, PracticeUi::skyBlue);
    Panel4->setGeometry(193, 588, 631, 49);
    Button2 = PracticeUi::button(Panel4, QStringLiteral("自选题目"), 73, 5, 92, 34);
    Button4 = PracticeUi::button(Panel4, QStringLiteral("开始练习"), 291, 5, 91, 34);
    Button1 = PracticeUi::button(Panel4, QStringLiteral("重新学习"), 509, 5, 92, 34);

    WebBrowser1 = new PageView(this);
    WebBrowser1->setGeometry(824, 539, 168, 97);
    WebBrowser1->setVisible(false);
    WebBrowser1->move(1024, 1024);

    // Every change of the current chapter, by mouse or by the arrow keys,
    // lists that chapter: the list never shows another chapter's questions.
    connect(ListBox1, &QListWidget::currentRowChanged, this, ErrorBox::guarded(this, [this] { ListBox1Click(); }));
    connect(ListView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        ErrorBox::run(this, [&] { ListView1SelectItem(current); });
    });
    connect(ListView1, &QTreeWidget::itemClicked, this, ErrorBox::guarded(this, [this] { ListView1Click(); }));
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, ErrorBox::guarded(this, [this] { ListView1DblClick(); }));
    connect(RichEdit1, &QTextEdit::selectionChanged, this, [this] { RichEditSelectionChange(); });
    connect(RichEdit2, &QTextEdit::selectionChanged, this, [this] { RichEditSelectionChange(); });
    connect(Button2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button2Click(); }));
    connect(Button4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button4Click(); }));
    connect(Button1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button1Click(); }));
    connect(WebBrowser1, &PageView::documentComplete, this,
            ErrorBox::guarded(this, [this] { WebBrowser1DocumentComplete(); }));

    // A failing bank leaves the browser without an open connection; its
    // handlers then show the store's error when they need the bank.
    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ErrorBox::run(this, [this] { ADOConnection1.open(); });
}

Tsbsjx::~Tsbsjx()
{
    ADOQuery1.close();
    ADOConnection1.close();
}

bool Tsbsjx::wrongQuestionMode() const
{
    return Forms::main && Forms::main->xs == 4;
}

QString Tsbsjx::currentChapterItem() const
{
    const QListWidgetItem *item = ListBox1->currentItem();
    return item ? item->text() : QString();
}

void Tsbsjx::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tsbsjx::closeEvent(QCloseEvent *event)
{
    ADOQuery1.close();
    ADOConnection1.close();
    QWidget::closeEvent(event);
}

void Tsbsjx::FormShow()
{
    // The simulators of this run are told to guide (practice mode).
    if (Forms::main && Forms::main->xs == 2) {
        ADOQuery1.setSql(Sql::allQuestions());
        ADOQuery1.open();
        ADOConnection1.batch([this] {
            for (; !ADOQuery1.eof(); ADOQuery1.next()) {
                ADOQuery1.edit();
                ADOQuery1.setField(QStringLiteral("dqwz"), QStringLiteral("0"));
                ADOQuery1.post();
            }
        });
        ADOQuery1.close();
    }
    ADOQuery1.close();
    {
        // Filling the list is no choice of a chapter; the first one is
        // listed once, below.
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        if (wrongQuestionMode()) {
            ListBox1->addItem(QStringLiteral("错题练习"));
        } else {
            ADOQuery1.setSql(Sql::chapters());
            ADOQuery1.open();
            for (; !ADOQuery1.eof(); ADOQuery1.next())
                ListBox1->addItem(ADOQuery1.fieldText(QStringLiteral("list")));
            ADOQuery1.close();
        }
        if (ListBox1->count() > 0)
            ListBox1->setCurrentRow(0);
    }
    ListBox1Click();
    checkProductSite();
}

void Tsbsjx::checkProductSite()
{
    // The check runs in the background with a short limit: the candidate
    // never waits for it, and an unreachable site simply keeps the panel hidden.
    SiteCheck::whenReachable(this, Addresses::productSite, [this] {
        WebBrowser1->setVisible(true);
        WebBrowser1->navigate(QUrl(Addresses::productPanelPage));
        WebBrowser1->move(824, 539);
    });
}

void Tsbsjx::WebBrowser1DocumentComplete()
{
    WebBrowser1->setPanelBodyStyle();
}

void Tsbsjx::ListBox1Click()
{
    if (wrongQuestionMode()) {
        ADOQuery1.close();
        ADOQuery1.setSql(Sql::wrongQuestions());
        ADOQuery1.open();
    } else {
        listti = Sql::trimTitle(currentChapterItem());
        ADOQuery1.close();
        ADOQuery1.setSql(Sql::chapterQuestions(listti));
        ADOQuery1.open();
    }

    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    for (; !ADOQuery1.eof(); ADOQuery1.next()) {
        auto *item = new QTreeWidgetItem(ListView1);
        item->setText(0, Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("th"))));
        item->setText(1, ADOQuery1.fieldText(QStringLiteral("ti")));
        item->setText(2, ADOQuery1.fieldText(QStringLiteral("zt")));
        item->setTextAlignment(2, Qt::AlignCenter);
        if (m_checkBoxes)
            item->setCheckState(0, Qt::Unchecked);
    }
    ListView1->setUpdatesEnabled(true);
    if (ListView1->topLevelItemCount() > 0)
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    ADOQuery1.close();

    const int k = wrongQuestionMode() ? 1 : ListBox1->currentRow() + 1;
    RichEdit2->clear();
    RichEdit2->append(QStringLiteral("温馨提示："));
    RichEdit2->append(QStringLiteral("本章共%1道题").arg(ListView1->topLevelItemCount()));
    RichEdit2->append(QString::number(k) + QStringLiteral("01代表第") + QString::number(k) + QStringLiteral("章第一题"));
}

void Tsbsjx::ListView1SelectItem(QTreeWidgetItem *item)
{
    if (item)
        PracticeUi::showTask(RichEdit1, item->text(1));
}

void Tsbsjx::ListView1Click()
{
    if (ListView1->selectedItems().isEmpty() && ListView1->topLevelItemCount() > 0)
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
}

void Tsbsjx::ListView1DblClick()
{
    if (ListView1->topLevelItemCount() == 0)
        return;
    if (ListView1->selectedItems().isEmpty()) {
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
        return;
    }
    Button4Click();
}

void Tsbsjx::RichEditSelectionChange()
{
    // Text of the task box cannot be selected.
    QTextCursor cursor = RichEdit1->textCursor();
    if (cursor.hasSelection()) {
        cursor.clearSelection();
        RichEdit1->setTextCursor(cursor);
    }
}

void Tsbsjx::setCheckBoxes(bool on)
{
    m_checkBoxes = on;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = ListView1->topLevelItem(i);
        if (on)
            item->setCheckState(0, Qt::Unchecked);
        else
            item->setData(0, Qt::CheckStateRole, QVariant());
    }
}

bool Tsbsjx::isChecked(int row) const
{
    const QTreeWidgetItem *item = ListView1->topLevelItem(row);
    return m_checkBoxes && item && item->checkState(0) == Qt::Checked;
}

void Tsbsjx::setChecked(int row, bool checked)
{
    if (QTreeWidgetItem *item = ListView1->topLevelItem(row); item && m_checkBoxes)
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void Tsbsjx::Button4Click()
{
    ADOConnection1.close();
    ADOConnection1.open();
    if (wrongQuestionMode()) {
        ADOQuery1.setSql(Sql::startWrongPractice());
        ADOQuery1.execSql();
        ADOQuery1.close();
    } else {
        const QString chapter = Sql::trimTitle(currentChapterItem());
        ADOQuery1.close();
        ADOQuery1.setSql(Sql::chapterMarking(chapter));
        ADOQuery1.open();
        int unticked = 0;
        ADOConnection1.batch([&] {
            for (int r = 0; !ADOQuery1.eof(); ADOQuery1.next(), ++r) {
                ADOQuery1.edit();
                if (isChecked(r)) {
                    ADOQuery1.setField(QStringLiteral("xz"), QStringLiteral("1"));
                    ADOQuery1.setField(QStringLiteral("xzti"), QStringLiteral("1"));
                } else {
                    ADOQuery1.setField(QStringLiteral("xzti"), QString());
                    ADOQuery1.setField(QStringLiteral("xz"), QString());
                    ++unticked;
                }
                ADOQuery1.post();
            }
            // Nothing ticked: the whole chapter is practised.
            if (unticked == ADOQuery1.recordCount()) {
                ADOQuery1.setSql(Sql::chapterMarking(chapter));
                ADOQuery1.open();
                for (; !ADOQuery1.eof(); ADOQuery1.next()) {
                    ADOQuery1.edit();
                    ADOQuery1.setField(QStringLiteral("xz"), QStringLiteral("1"));
                    ADOQuery1.post();
                }
            }
        });
        ADOQuery1.close();
    }
    PracticeForms::openPracticeWindow();
}

void Tsbsjx::Button1Click()
{
    // The chapter's practice record is gone for good: the candidate confirms.
    QMessageBox ask(QMessageBox::Question, QStringLiteral("重新学习"), QStringLiteral("确定要清除本章的练习记录吗？"),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.button(QMessageBox::Yes)->setText(QStringLiteral("确定"));
    ask.button(QMessageBox::No)->setText(QStringLiteral("取消"));
    ask.setDefaultButton(QMessageBox::No);
    ask.setEscapeButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;

    ADOQuery1.close();
    ADOQuery1.setSql(Sql::chapterRestart(Sql::trimTitle(currentChapterItem())));
    ADOQuery1.open();
    ADOConnection1.batch([this] {
        for (; !ADOQuery1.eof(); ADOQuery1.next()) {
            ADOQuery1.edit();
            ADOQuery1.setField(QStringLiteral("dycs"), QString());
            ADOQuery1.setField(QStringLiteral("zt"), QString());
            ADOQuery1.post();
        }
    });
    ADOQuery1.close();
    ListBox1Click();
}

void Tsbsjx::Button2Click()
{
    PracticeForms::picker()->exec();
}
