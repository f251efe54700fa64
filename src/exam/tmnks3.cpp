#include "tmnks3.h"

#include "errorbox.h"
#include "examforms.h"
#include "examui.h"
#include "handover.h"
#include "picturebox.h"
#include "placement.h"
#include "practiceui.h"
#include "programfolder.h"
#include "randompaper.h"
#include "simhost.h"
#include "statements.h"
#include "tmnks.h"
#include "tmnks4.h"
#include "tmnksksxx.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QWindow>

Tmnks3::Tmnks3(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("mnks3"));
    setWindowTitle(QStringLiteral("模拟考场"));
    ExamUi::makeFullScreen(this);
    setModal(true);

    Image4 = new PictureBox(this);
    Image4->resize(490, 160);
    PracticeUi::decorate(Image4, QStringLiteral("mnks3_wait.png"));
    Image4->setAccessibleName(QStringLiteral("正在读取试题，请稍候"));

    Panel2 = PracticeUi::panel(this, ExamUi::moneyGreen);
    Panel2->resize(800, 601);
    Panel2->setAccessibleName(QStringLiteral("试题区"));

    // The selector overlay lies over the question panel, which is a native
    // window holding the simulator: only a native overlay can cover it.
    Panel1 = PracticeUi::panel(this, ExamUi::roomBlue);
    Panel1->setAttribute(Qt::WA_NativeWindow);
    Panel1->setGeometry(rect());
    Panel1->hide();
    Panel3 = ExamUi::loweredBox(Panel1, 373, 261);
    m_selectorButtons = Panel3;
    Label1 = new QLabel(QStringLiteral("说明：\n     红色代表已经标记的题，\n     绿色代表已经访问的题，\n     白色代表为没访问的题。"),
                        Panel3);
    Label1->setGeometry(32, 180, 233, 57);
    Label1->setFont(ExamUi::font(QStringLiteral("宋体"), 13));
    Label1->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    BitBtn1 = ExamUi::button(Panel3, QStringLiteral("关闭选题"), 271, 215, 75, 25);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    connect(BitBtn1, &QPushButton::clicked, this, ErrorBox::guarded(this, [this] { BitBtn1Click(); }));
    connect(Timer1, &QTimer::timeout, this, ErrorBox::guarded(this, [this] { Timer1Timer(); }));

    m_host = std::make_unique<SimHost>(ADOConnection1, ADOQuery1, Panel2);
    m_host->setWaitLimit(waitLimit());
    connect(m_host.get(), &SimHost::notice, this, [this](const QString &text) { ExamForms::notice(text, Panel2); });

    ErrorBox::run(this, [this] { FormCreate(); });
}

int &Tmnks3::waitLimit()
{
    static int limit = SimHost::DefaultWaitLimitMs;
    return limit;
}

Tmnks3::~Tmnks3()
{
    FormClose();
}


void Tmnks3::FormCreate()
{
    ADOConnection1.setConnectionString(Connection::connectionStringFor(ProgramFolder::path()));
    ADOConnection1.open();
    assemble();
}

void Tmnks3::assemble()
{
    const QSize screen = Placement::screenSize();
    const QPoint panel = Handover::examPanelPosition(screen);
    Handover::writeExamPanelPosition(ADOQuery1, panel);
    Panel2->move(panel);
    Panel3->move(screen.width() / 2 - 194, screen.height() / 2 - 200);
    Image4->move(screen.width() / 2 - 180, screen.height() / 2 - 180);

    // The six resets (and the forgetting of the work the simulators kept)
    // run one by one in their order, written to the file at
    // once: no simulator runs yet that could read between them.
    ADOConnection1.batch([this] {
        for (const QString &statement : Sql::paperReset() + Sql::forgetExamWork()) {
            ADOQuery1.setSql(statement);
            ADOQuery1.execSql();
        }
    });
    const QString room = ExamForms::selectedRoom();
    if (room == Tmnks::RandomRoom)
        markRandomPaper(ADOConnection1, ADOQuery1);
    else if (const int paper = Tmnks::fixedPaperOf(room))
        markFixedPaper(ADOConnection1, ADOQuery1, paper);

    ADOConnection1.close();
    ADOConnection1.open();
    ADOQuery1.setSql(Sql::workingSetInOrder());
    ADOQuery1.open();
    if (ADOQuery1.isEmpty()) {
        ADOQuery1.close();
        ExamForms::notice(QStringLiteral("这套试卷没有题目，不能开始考试!"));
        return;
    }
    m_paperSize = ADOQuery1.recordCount();
    ADOQuery1.first();
    ADOQuery1.edit();
    ADOQuery1.setField(QStringLiteral("fw"), QStringLiteral("1"));
    ADOQuery1.post();
    js = ADOQuery1.fieldInt(QStringLiteral("th"));
    const QString ti = ADOQuery1.fieldText(QStringLiteral("ti"));
    const QString bs = ADOQuery1.fieldText(QStringLiteral("bs"));
    ADOQuery1.close();
    m_paperReady = true;

    // The question window exists before the first launch, so that a
    // simulator that never announces itself still leaves a usable exam.
    m_question = new Tmnks4(this);
    m_question->move(Panel2->x() + 660, Panel2->y() + 367);
    m_question->fillRequirement(ti, bs);

    ADOConnection1.close();
    ADOConnection1.open();
    m_host->launch(js);
    m_host->waitAndEmbed();
    ADOQuery1.close();
    ADOConnection1.close();
}

void Tmnks3::markRandomPaper(Connection &connection, Query &query)
{
    query.setSql(Sql::allQuestionsInOrder());
    query.open();
    const QList<int> picked = RandomPaper::picks(query.recordCount(), RandomPaper::seedSource(), RandomPaper::pause());
    const QSet<int> chosen(picked.cbegin(), picked.cend());
    connection.batch([&] {
        for (query.first(); !query.eof(); query.next()) {
            if (!chosen.contains(query.recNo() - 1))
                continue;
            query.edit();
            query.setField(QStringLiteral("xz"), QStringLiteral("1"));
            query.post();
        }
    });
    query.close();
}

void Tmnks3::markFixedPaper(Connection &connection, Query &query, int paper)
{
    query.setSql(Sql::fixedPaper(paper));
    query.open();
    connection.batch([&] {
        for (query.first(); !query.eof(); query.next()) {
            query.edit();
            query.setField(QStringLiteral("xz"), QStringLiteral("1"));
            query.post();
        }
    });
    query.close();
}

void Tmnks3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The question window is shown once the exam room is on the screen: a
    // window manager stacks a window mapped before its full-screen parent
    // underneath it.
    QTimer::singleShot(0, this, [this] {
        if (m_question && isVisible() && !m_closed && !m_question->isVisible()) {
            // Transient for the exam room, so that the window manager keeps
            // it above the room whenever either is stacked again.
            m_question->winId();
            if (QWindow *handle = m_question->windowHandle(); handle && windowHandle())
                handle->setTransientParent(windowHandle());
            m_question->show();
            m_question->raise();
            m_question->activateWindow();
        }
    });
}

void Tmnks3::keyPressEvent(QKeyEvent *event)
{
    // The exam room is left only by handing in.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void Tmnks3::switchTo(int n)
{
    js = n;
    ADOConnection1.close();
    ADOConnection1.open();
    m_host->close();
    m_host->launch(n);
    m_host->waitAndEmbed();
    ADOQuery1.close();
}

void Tmnks3::Timer1Timer()
{
    if (m_question) {
        m_question->BitBtn1->setEnabled(true);
        m_question->BitBtn2->setEnabled(true);
    }
    Timer1->stop();
}

QPushButton *Tmnks3::selectorButton(int k) const
{
    return m_selectorButtons->findChild<QPushButton *>(QStringLiteral("a%1").arg(k), Qt::FindDirectChildrenOnly);
}

void Tmnks3::buildSelector()
{
    if (!ADOConnection1.isOpen())
        ADOConnection1.open();
    ADOQuery1.setSql(Sql::workingSet());
    ADOQuery1.open();
    const int n = ADOQuery1.recordCount();
    ADOQuery1.close();
    ADOConnection1.close();
    for (int k = 1; k <= n; ++k) {
        QPushButton *button = ExamUi::questionButton(m_selectorButtons, k);
        connect(button, &QPushButton::clicked, this, ErrorBox::guarded(this, [this, k] { jump(k); }));
    }
}

void Tmnks3::toggleSelector()
{
    if (!m_question)
        return;
    m_question->BitBtn1->setEnabled(true);
    m_question->BitBtn2->setEnabled(true);
    if (Panel1->isVisible()) {
        Panel1->hide();
    } else {
        Panel1->setGeometry(rect());
        Panel1->show();
        Panel1->raise();
        if (m_question->bs == 1) {
            m_question->bs = 0;
            buildSelector();
        }
        if (!ADOConnection1.isOpen())
            ADOConnection1.open();
        ADOQuery1.setSql(Sql::workingSetInOrder());
        ADOQuery1.open();
        for (ADOQuery1.first(); !ADOQuery1.eof(); ADOQuery1.next()) {
            QPushButton *button = selectorButton(ADOQuery1.recNo());
            const bool visited = Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("fw"))) == u"1";
            ExamUi::paintButton(button, visited ? ExamUi::selectorGreen : ExamUi::white);
            if (!Sql::trimTitle(ADOQuery1.fieldText(QStringLiteral("bs"))).isEmpty())
                ExamUi::paintButton(button, ExamUi::red);
        }
        ADOQuery1.close();
        ADOConnection1.close();
    }
    m_question->hide();
}

void Tmnks3::BitBtn1Click()
{
    Panel1->hide();
    if (m_question)
        m_question->show();
}

void Tmnks3::jump(int k)
{
    Panel1->hide();
    if (!m_question)
        return;
    QString ti;
    if (m_question->dd == 1) {
        m_question->dd = 0;
        try {
            if (!ADOConnection1.isOpen())
                ADOConnection1.open();
            ADOQuery1.setSql(Sql::workingSetInOrder());
            ADOQuery1.open();
            int chosen = js;
            for (ADOQuery1.first(); !ADOQuery1.eof(); ADOQuery1.next()) {
                if (ADOQuery1.recNo() != k)
                    continue;
                chosen = ADOQuery1.fieldInt(QStringLiteral("th"));
                ADOQuery1.edit();
                ADOQuery1.setField(QStringLiteral("fw"), QStringLiteral("1"));
                ADOQuery1.post();
            }
            m_question->setWindowTitle(QStringLiteral("第%1题").arg(k));
            ADOQuery1.close();
            ADOConnection1.close();
            js = chosen;
            ADOConnection1.open();
            ADOQuery1.setSql(Sql::questionByNumber(QString::number(js)));
            ADOQuery1.open();
            ti = ADOQuery1.fieldText(QStringLiteral("ti"));
            switchTo(js);
        } catch (...) {
            // A failed jump leaves the question window usable.
            m_question->dd = 1;
            m_question->show();
            throw;
        }
    }
    // After a jump the mark line is not shown.
    m_question->fillRequirement(ti.isNull() ? m_question->currentTask() : ti, QString());
    ADOConnection1.close();
    m_question->dd = 1;
    m_question->show();
    m_question->raise();
}

void Tmnks3::closeIfRequested()
{
    if (m_closeRequested && !m_closed && isVisible())
        done(QDialog::Accepted);
}

void Tmnks3::done(int result)
{
    // Only the end of the exam closes the exam room: an Escape or a stray
    // close request leaves the candidate in the exam.
    if (!m_closeRequested)
        return;
    FormClose();
    QDialog::done(result);
}

void Tmnks3::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    Timer1->stop();
    if (m_question)
        m_question->stopClock();
    m_host->close();
    ADOQuery1.close();
    ADOConnection1.close();
    // The examinee information box is long-lived; it leaves with the exam.
    if (Tmnksksxx *info = ExamForms::mnksksxx; info && info->parentWidget() == this) {
        info->hide();
        info->setParent(nullptr, info->windowFlags());
    }
}
