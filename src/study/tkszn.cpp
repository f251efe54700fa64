#include "tkszn.h"

#include "errorbox.h"
#include "pageview.h"
#include "programfolder.h"
#include "statements.h"
#include "studyui.h"

#include <QListWidget>

Tkszn::Tkszn(QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("kszn"));
    setWindowTitle(QStringLiteral("考试指南"));
    setFixedSize(1000, 645);
    setAutoFillBackground(true);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 201, 645);
    imgOperationBG = StudyUi::decorativeStrip(Panel1);
    imgOperationBG->setGeometry(1, 1, 199, 26);
    Image2 = StudyUi::headerStrip(Panel1, QStringLiteral("考试指南"));
    Image2->setGeometry(1, 0, 199, 26);
    ListBox1 = StudyUi::titleList(Panel1, QStringLiteral("考试指南列表"));
    ListBox1->setGeometry(1, 27, 199, 464);
    Image1 = StudyUi::decorativeStrip(Panel1);
    Image1->setGeometry(1, 491, 199, 26);
    imgQueryBG = StudyUi::productLogo(Panel1);
    imgQueryBG->setGeometry(1, 517, 199, 127);

    WebBrowser1 = new PageView(this);
    WebBrowser1->setGeometry(201, 0, 799, 645);
    WebBrowser1->viewport()->setCursor(Qt::PointingHandCursor);
    WebBrowser1->setAccessibleName(QStringLiteral("考试指南内容"));

    connect(ListBox1, &QListWidget::currentRowChanged, this, ErrorBox::guarded(this, [this] { ListBox1Click(); }));

    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ErrorBox::run(this, [this] { ADOConnection1.open(); });
}

Tkszn::~Tkszn()
{
    ADOQuery1.close();
    ADOConnection1.close();
}

void Tkszn::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tkszn::FormShow()
{
    StudyUi::fillTitleList(ADOQuery1, ListBox1, QStringLiteral("kszn"));
    ListBox1Click();
}

void Tkszn::ListBox1Click()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    if (!item) {
        WebBrowser1->clear();
        return;
    }
    ADOQuery1.close();
    ADOQuery1.setSql(Sql::titleLookup(QStringLiteral("kszn"), Sql::trimTitle(item->text())));
    ADOQuery1.open();
    const QString fragment = ADOQuery1.isEmpty() ? QString() : ADOQuery1.fieldText(QStringLiteral("wy"));
    ADOQuery1.close();
    WebBrowser1->display(fragment);
}
