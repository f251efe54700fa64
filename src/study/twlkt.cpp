#include "twlkt.h"

#include "errorbox.h"
#include "forms.h"
#include "movieplayer.h"
#include "pageview.h"
#include "programfolder.h"
#include "statements.h"
#include "studyforms.h"
#include "studyui.h"
#include "tmain.h"
#include "ttzts.h"
#include "twlkt2.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

Twlkt::Twlkt(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("wlkt"));
    setWindowTitle(QStringLiteral("网络课堂"));
    setFixedSize(1000, 645);
    setAutoFillBackground(true);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 201, 645);
    Image2 = StudyUi::headerStrip(Panel1, QStringLiteral("网络课堂"));
    Image2->setGeometry(1, 1, 199, 28);
    ListBox1 = StudyUi::titleList(Panel1, QStringLiteral("课程列表"));
    ListBox1->setGeometry(1, 29, 199, 448);
    Image1 = StudyUi::decorativeStrip(Panel1);
    Image1->setGeometry(1, 477, 199, 28);
    imgQueryBG = StudyUi::productLogo(Panel1);
    imgQueryBG->setGeometry(1, 505, 199, 139);

    Panel2 = new QWidget(this);
    Panel2->setGeometry(201, 0, 799, 645);
    WebBrowser1 = new PageView(Panel2);
    WebBrowser1->setGeometry(1, 1, 797, 607);
    WebBrowser1->setAccessibleName(QStringLiteral("课程介绍"));
    Panel4 = StudyUi::panel(Panel2, StudyUi::skyBlue, true);
    Panel4->setGeometry(0, 645 - 36, 799, 36);
    Button4 = StudyUi::button(Panel4, QStringLiteral("进入课堂"), 352, 4, 121, 25);
    Button4->setEnabled(false);

    connect(ListBox1, &QListWidget::currentRowChanged, this, ErrorBox::guarded(this, [this] { ListBox1Click(); }));
    connect(Button4, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { Button4Click(); }));

    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ErrorBox::run(this, [this] { ADOConnection1.open(); });
}

Twlkt::~Twlkt()
{
    ADOQuery1.close();
    ADOConnection1.close();
}

void Twlkt::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ErrorBox::run(this, [this] { FormShow(); });
}

void Twlkt::FormShow()
{
    StudyUi::fillTitleList(ADOQuery1, ListBox1, QStringLiteral("wlkt"));
    ListBox1Click();
}

void Twlkt::ListBox1Click()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    Button4->setEnabled(item != nullptr);
    if (!item) {
        list.clear();
        WebBrowser1->clear();
        return;
    }
    list = item->text();
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::titleLookup(QStringLiteral("wlkt"), Sql::trimTitle(list)));
    ADOQuery1.open();
    WebBrowser1->display(ADOQuery1.isEmpty() ? QString() : ADOQuery1.fieldText(QStringLiteral("wy")));
}

void Twlkt::Button4Click()
{
    // The player lies over the index in the main window's module panel.
    QWidget *panel = Forms::main ? Forms::main->Panel3 : parentWidget();
    try {
        if (!StudyForms::wlkt2)
            StudyForms::wlkt2 = new Twlkt2(panel);
        Twlkt2 *player = StudyForms::wlkt2;
        if (player->parentWidget() != panel)
            player->setParent(panel, panel ? Qt::Widget : Qt::FramelessWindowHint);
        player->move(0, 0);
        player->show();
        player->raise();
        player->FormShow();
        StudyForms::wlkt2 = nullptr;
    } catch (const MediaUnavailable &missing) {
        showMediaPrompt(missing.message());
    } catch (...) {
        // A player whose showing failed part-way is not left lying over
        // the index; the standard error box tells what went wrong.
        if (Twlkt2 *player = StudyForms::wlkt2) {
            player->close();
            player->deleteLater();
        }
        StudyForms::wlkt2 = nullptr;
        throw;
    }
}

void Twlkt::showMediaPrompt(const QString &missing)
{
    auto *prompt = new TTzts(this);
    prompt->lbl1->setText(QStringLiteral("无法播放课程视频：本机缺少%1。").arg(missing));
    prompt->lbl1->setWordWrap(true);
    prompt->lbl1->setFixedWidth(420);
    prompt->lbl1->adjustSize();
    // Nothing to download here: the prompt only tells, and closes.
    prompt->btn1->hide();
    prompt->btn2->setText(QStringLiteral("确定"));
    prompt->btn2->setAccessibleName(QStringLiteral("确定"));
    const int below = prompt->lbl1->geometry().bottom() + 10;
    prompt->btn2->move(prompt->width() - prompt->btn2->width() - 16, below);
    prompt->resize(prompt->width(), below + prompt->btn2->height() + 11);
    const QPointer<TTzts> startUp = Forms::Tzts;
    Forms::Tzts = prompt;
    prompt->exec();
    delete prompt;
    Forms::Tzts = startUp;
}
