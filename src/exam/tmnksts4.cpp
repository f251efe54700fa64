#include "tmnksts4.h"

#include "errorbox.h"
#include "examforms.h"
#include "examui.h"
#include "forms.h"
#include "modules.h"
#include "picturebox.h"
#include "placement.h"
#include "programfolder.h"
#include "query.h"
#include "statements.h"
#include "tmain.h"
#include "tmnks.h"
#include "tmnks3.h"
#include "tmnks4.h"
#include "tmnksts3.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

Tmnksts4::Tmnksts4(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("mnksts4"));
    setWindowTitle(QStringLiteral("错题训练"));
    ExamUi::makeFullScreen(this);
    setModal(true);

    Panel3 = ExamUi::loweredBox(this, 387, 264);
    m_grid = Panel3;
    const QColor green(0, 128, 0);
    Label1 = new QLabel(Panel3);
    Label1->setGeometry(32, 170, 345, 17);
    Label1->setFont(ExamUi::font(QStringLiteral("宋体"), 13));
    Label1->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    Label2 = new QLabel(QStringLiteral("是否错题练习？"), Panel3);
    Label2->setGeometry(16, 210, 153, 33);
    Label2->setFont(ExamUi::font(QStringLiteral("楷体_GB2312"), 16, true));
    Label2->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    RzBitBtn2 = ExamUi::button(Panel3, QStringLiteral("是"), 184, 209, 75, 30);
    RzBitBtn3 = ExamUi::button(Panel3, QStringLiteral("否"), 288, 209, 75, 30);
    for (QPushButton *b : {RzBitBtn2, RzBitBtn3}) {
        ExamUi::paintButton(b, ExamUi::moneyGreen);
        b->setAutoDefault(false);
        b->setFont(ExamUi::font(QStringLiteral("宋体"), 14, true));
    }
    RzBitBtn2->setAccessibleName(QStringLiteral("是，错题练习"));
    RzBitBtn3->setAccessibleName(QStringLiteral("否，返回考场列表"));

    connect(RzBitBtn2, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { RzBitBtn2Click(); }));
    connect(RzBitBtn3, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { RzBitBtn3Click(); }));

    ErrorBox::run(this, [this] { FormCreate(); });
}

void Tmnksts4::FormCreate()
{
    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
}

QString Tmnksts4::scoreLine(int correct, int size)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString score = locale.toString(correct * 2.5, 'g', QLocale::FloatingPointShortest);
    // The wrong questions are the rest of this paper, whatever its size.
    return QStringLiteral("蓝色-正确(%1)题,红色-错误(%2)题,得分：%3分.").arg(correct).arg(size - correct).arg(score);
}

QPushButton *Tmnksts4::gridButton(int k) const
{
    return m_grid->findChild<QPushButton *>(QStringLiteral("a%1").arg(k), Qt::FindDirectChildrenOnly);
}

void Tmnksts4::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_answered = false;
    ErrorBox::run(this, [this] { FormShow(); });
}

void Tmnksts4::FormShow()
{
    Tmnks3 *room = ExamForms::mnks3;
    Tmnks4 *question = room ? room->questionWindow() : nullptr;
    if (question)
        question->stopClock();
    const QSize screen = Placement::screenSize();
    Panel3->move(screen.width() / 2 - 194, screen.height() / 2 - 200);

    for (QPushButton *old : m_grid->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
        if (old->objectName().startsWith(u'a'))
            delete old;
    }
    m_correct = 0;
    if (!room) {
        Label1->setText(scoreLine(0, 0));
        return;
    }

    Query &query = room->ADOQuery1;
    if (!room->ADOConnection1.isOpen())
        room->ADOConnection1.open();
    query.setSql(Sql::workingSet());
    query.open();
    const int n = query.recordCount();
    query.close();
    room->ADOConnection1.close();
    for (int k = 1; k <= n; ++k)
        ExamUi::questionButton(m_grid, k);

    room->ADOConnection1.open();
    query.setSql(Sql::workingSetInOrder());
    query.open();
    room->ADOConnection1.batch([&] {
        for (query.first(); !query.eof(); query.next()) {
            QPushButton *button = gridButton(query.recNo());
            if (Sql::trimTitle(query.fieldText(QStringLiteral("ks"))) == u"1") {
                ++m_correct;
                ExamUi::paintButton(button, ExamUi::blue);
                query.edit();
                query.setField(QStringLiteral("xz"), QString());
                query.post();
            } else if (Sql::trimTitle(query.fieldText(QStringLiteral("fw"))) == u"1") {
                ExamUi::paintButton(button, ExamUi::red);
            }
        }
    });
    query.close();
    room->ADOConnection1.close();

    Label1->setText(scoreLine(m_correct, n));
    room->requestClose();
    if (question && question->sjwt == 0 && ExamForms::mnksts3 && ExamForms::mnksts3->isVisible())
        ExamForms::mnksts3->close();
}

void Tmnksts4::clearFixedPaperMarks()
{
    const int paper = Tmnks::fixedPaperOf(ExamForms::selectedRoom());
    if (paper == 0)
        return;
    ADOConnection1.open();
    Query query(ADOConnection1);
    query.setSql(Sql::fixedPaper(paper));
    query.open();
    ADOConnection1.batch([&] {
        for (query.first(); !query.eof(); query.next()) {
            query.edit();
            query.setField(QStringLiteral("bs"), QString());
            query.post();
        }
    });
    query.close();
    ADOConnection1.close();
}

void Tmnksts4::RzBitBtn2Click()
{
    try {
        clearFixedPaperMarks();
        Tmain *main = Forms::main;
        if (main) {
            if (QWidget *earlier = Forms::sbsjx; earlier && earlier->isVisible())
                earlier->close();
            const Modules::ChapterBrowser browser = Modules::factories().sbsjx(main->Panel3);
            if (QWidget *earlier = Forms::sbsjx)
                earlier->deleteLater();
            Forms::sbsjx = browser.window;
            // The browser's show handler reads the mode.
            main->xs = 4;
            const QString banner = ProgramFolder::file(QStringLiteral("images/shoubashou.jpg"));
            if (browser.Image2 && QFileInfo::exists(banner))
                PictureBox::loadInto(browser.Image2, banner);
            browser.window->move(0, 0);
            browser.window->show();
            browser.window->raise();
        }
    } catch (...) {
        m_answered = true;
        accept();
        throw;
    }
    m_answered = true;
    accept();
}

void Tmnksts4::RzBitBtn3Click()
{
    try {
        clearFixedPaperMarks();
    } catch (...) {
        m_answered = true;
        accept();
        throw;
    }
    m_answered = true;
    accept();
}

void Tmnksts4::keyPressEvent(QKeyEvent *event)
{
    // The candidate answers the question; Escape does not leave the screen.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void Tmnksts4::closeEvent(QCloseEvent *event)
{
    if (!m_answered) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
