#include "countdown.h"
#include "forms.h"
#include "modules.h"
#include "movieplayer.h"
#include "pageview.h"
#include "picturebox.h"
#include "startup.h"
#include "studyfixture.h"
#include "studyforms.h"
#include "tkszn.h"
#include "tmain.h"
#include "tszsj.h"
#include "ttzts.h"
#include "twlkt.h"
#include "twlkt2.h"
#include "txxjh.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

// The study aids inside the real shell, against small fixture banks.
class TestStudy : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void countdownArithmetic_data();
    void countdownArithmetic();
    void settingTheDate();
    void laterDayRecomputes();
    void leavingTheDialogKeepsTheCountdown_data();
    void leavingTheDialogKeepsTheCountdown();
    void emptyCountdownTable();
    void bankWithoutDateShowsStoredCount();
    void finishAndStudyAgain();
    void guidedPracticeFromThePlan();
    void firstOpeningShowsFirstEntry_data();
    void firstOpeningShowsFirstEntry();
    void emptyLists_data();
    void emptyLists();
    void missingTemplateOneBox();
    void classroomTwiceWithReturn();
    void firstAndLastLesson();
    void missingMovieAndSteppingSayNothing();
    void backendMissingShowsPrompt();

private:
    void fillPlan();
    void fillClassroom();
    void open(int button);
    Txxjh *plan() { return StudyForms::plan(); }
    Twlkt *classroom() { return StudyForms::classroom(); }
    // Sets the date through the dialog: "确定" on `day`, or the way out given.
    void setDate(QDate day, const QString &way = QStringLiteral("确定"));
    QList<Twlkt2 *> players() const;

    std::unique_ptr<TestBank> m_bank;
    Modules::Factories m_savedFactories;
    QDateTime m_now;
};

void TestStudy::init()
{
    m_savedFactories = Modules::factories();
    m_bank = std::make_unique<TestBank>();
    drawShellPictures(m_bank->folder());
    writePageTemplate(m_bank->folder());
    m_now = QDateTime(QDate(2026, 3, 10), QTime(10, 0));
    Countdown::clock() = [this] { return m_now; };
    MoviePlayer::availabilityCheck() = [] { return QString(); };
    StudyForms::install();
}

void TestStudy::cleanup()
{
    Startup::destroyWindows();
    Modules::factories() = m_savedFactories;
    Countdown::clock() = [] { return QDateTime::currentDateTime(); };
    m_bank.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestStudy::open(int button)
{
    Startup::createWindows();
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTest::mouseClick(Forms::main->navigationButton(button), Qt::LeftButton, {}, QPoint(5, 5));
}

void TestStudy::fillPlan()
{
    addTitleRow(*m_bank, QStringLiteral("xxjh"), 2, QStringLiteral("第二步 练习"), QStringLiteral("<p>第二步内容</p>"));
    addTitleRow(*m_bank, QStringLiteral("xxjh"), 1, QStringLiteral("第一步 摸底"), QStringLiteral("<p>第一步内容</p>"));
    addTitleRow(*m_bank, QStringLiteral("xxjh"), 3, QStringLiteral("第三步 模拟|已完成|"), QStringLiteral("<p>第三步</p>"));
}

void TestStudy::fillClassroom()
{
    addTitleRow(*m_bank, QStringLiteral("wlkt"), 1, QStringLiteral("第1课 基本操作"), QStringLiteral("<p>课程一</p>"));
    addTitleRow(*m_bank, QStringLiteral("wlkt"), 2, QStringLiteral("第2课 幻灯片"), QStringLiteral("<p>课程二</p>"));
    addLesson(*m_bank, QStringLiteral("第1课 基本操作"), QStringLiteral("1-1 启动"), QStringLiteral("l1_1.webm"));
    addLesson(*m_bank, QStringLiteral("第2课 幻灯片"), QStringLiteral("2-1 插入"), QStringLiteral("l2_1.webm"));
    addLesson(*m_bank, QStringLiteral("第1课 基本操作"), QStringLiteral("1-2 窗口"), QStringLiteral("l1_2.webm"));
    addLesson(*m_bank, QStringLiteral("第1课 基本操作"), QStringLiteral("1-3 新建"), QStringLiteral("l1_3.webm"));
}

QList<Twlkt2 *> TestStudy::players() const
{
    return Forms::main->Panel3->findChildren<Twlkt2 *>(Qt::FindDirectChildrenOnly);
}

void TestStudy::setDate(QDate day, const QString &way)
{
    ModalAnswer answer([&](QWidget *modal) {
        auto *dialog = qobject_cast<Tszsj *>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("设置考试时间"));
        dialog->MonthCalendar1->setSelectedDate(day);
        if (way == u"close")
            dialog->close();
        else
            QTest::mouseClick(way == u"确定" ? dialog->Button1 : dialog->Button2, Qt::LeftButton);
    });
    QTest::mouseClick(plan()->Button1, Qt::LeftButton);
    QVERIFY(answer.answered());
}

void TestStudy::countdownArithmetic_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDate>("exam");
    QTest::addColumn<QString>("count");

    const QDate d(2026, 3, 10);
    const QDateTime ten(d, QTime(10, 0));
    QTest::newRow("D+1 at 10:00") << ten << d.addDays(1) << "0";
    QTest::newRow("D+2") << ten << d.addDays(2) << "1";
    QTest::newRow("D+31") << ten << d.addDays(31) << "30";
    QTest::newRow("today") << ten << d << "0";
    QTest::newRow("a past date") << ten << d.addDays(-40) << "0";
    QTest::newRow("at midnight, D+2") << QDateTime(d, QTime(0, 0)) << d.addDays(2) << "2";
    QTest::newRow("across the year") << QDateTime(QDate(2026, 12, 31), QTime(23, 59)) << QDate(2027, 1, 2) << "1";
}

void TestStudy::countdownArithmetic()
{
    QFETCH(QDateTime, now);
    QFETCH(QDate, exam);
    QFETCH(QString, count);
    QCOMPARE(Countdown::text(now, exam), count);
}

void TestStudy::settingTheDate()
{
    fillPlan();
    m_bank->exec(QStringLiteral("insert into rq (rq) values ('5')"));
    open(1);
    QCOMPARE(plan()->Label2->text(), QStringLiteral("5"));
    setDate(m_now.date().addDays(31));
    QCOMPARE(plan()->Label2->text(), QStringLiteral("30"));
    QCOMPARE(m_bank->value(QStringLiteral("select rq as v from rq")), QStringLiteral("30"));
    QCOMPARE(m_bank->value(QStringLiteral("select count(*) as v from rq")), QStringLiteral("1"));
    QCOMPARE(m_bank->value(QStringLiteral("select ksrq as v from ksrq")), QStringLiteral("2026-04-10"));
    QCOMPARE(StudyForms::szsj->kssj, QDate(2026, 4, 10));
    // Setting it again replaces the one date.
    setDate(m_now.date().addDays(2));
    QCOMPARE(plan()->Label2->text(), QStringLiteral("1"));
    QCOMPARE(m_bank->value(QStringLiteral("select count(*) || ksrq as v from ksrq")), QStringLiteral("12026-03-12"));
}

void TestStudy::laterDayRecomputes()
{
    fillPlan();
    open(1);
    setDate(m_now.date().addDays(31));
    QCOMPARE(plan()->Label2->text(), QStringLiteral("30"));

    // Ten days on, a new run: the count comes from the stored date.
    Startup::destroyWindows();
    m_now = m_now.addDays(10);
    open(1);
    QCOMPARE(plan()->Label2->text(), QStringLiteral("20"));

    // Midnight passes while the window is open.
    m_now = QDateTime(m_now.date().addDays(1), QTime(0, 0, 1));
    plan()->refreshCountdown();
    QCOMPARE(plan()->Label2->text(), QStringLiteral("19"));
    // The stored number is the one written when the date was set.
    QCOMPARE(m_bank->value(QStringLiteral("select rq as v from rq")), QStringLiteral("30"));
    QCOMPARE(Countdown::untilNextDay(QDateTime(QDate(2026, 3, 10), QTime(23, 0))), qint64(3600 * 1000 + 1000));
}

void TestStudy::leavingTheDialogKeepsTheCountdown_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("取消") << "取消";
    QTest::newRow("close box") << "close";
}

void TestStudy::leavingTheDialogKeepsTheCountdown()
{
    QFETCH(QString, way);
    fillPlan();
    m_bank->exec(QStringLiteral("insert into rq (rq) values ('12')"));
    open(1);
    setDate(m_now.date().addDays(3), way);
    QCOMPARE(plan()->Label2->text(), QStringLiteral("12"));
    QCOMPARE(m_bank->value(QStringLiteral("select rq as v from rq")), QStringLiteral("12"));
    QVERIFY(!StudyForms::szsj->kssj.isValid());
}

void TestStudy::emptyCountdownTable()
{
    fillPlan();
    open(1);
    QCOMPARE(plan()->Label2->text(), QString());
    setDate(m_now.date().addDays(9));
    QCOMPARE(m_bank->value(QStringLiteral("select count(*) || rq as v from rq")), QStringLiteral("18"));
}

void TestStudy::bankWithoutDateShowsStoredCount()
{
    fillPlan();
    m_bank->exec(QStringLiteral("insert into rq (rq) values ('7')"));
    open(1);
    QCOMPARE(plan()->Label2->text(), QStringLiteral("7"));
    m_now = m_now.addDays(3);
    plan()->refreshCountdown();
    QCOMPARE(plan()->Label2->text(), QStringLiteral("7"));
}

void TestStudy::finishAndStudyAgain()
{
    fillPlan();
    open(1);
    Txxjh *p = plan();
    QCOMPARE(p->parentWidget(), Forms::main->Panel3);
    QCOMPARE(p->ListBox1->count(), 3);
    QCOMPARE(p->ListBox1->item(0)->text(), QStringLiteral("第一步 摸底"));
    QVERIFY(p->Button3->isEnabled() && !p->Button2->isEnabled());

    p->ListBox1->setCurrentRow(1);
    QVERIFY(p->WebBrowser1->pageHtml().contains(QStringLiteral("第二步内容")));
    QTest::mouseClick(p->Button3, Qt::LeftButton);
    QCOMPARE(p->ListBox1->item(1)->text(), QStringLiteral("第二步 练习|已完成|"));
    QCOMPARE(m_bank->value(QStringLiteral("select list as v from xxjh where id=2")), QStringLiteral("第二步 练习|已完成|"));
    QVERIFY(!p->Button3->isEnabled() && p->Button2->isEnabled());
    QVERIFY(p->WebBrowser1->pageHtml().contains(QStringLiteral("第二步内容")));

    QTest::mouseClick(p->Button2, Qt::LeftButton);
    QCOMPARE(p->ListBox1->item(1)->text(), QStringLiteral("第二步 练习"));
    QCOMPARE(m_bank->value(QStringLiteral("select list as v from xxjh where id=2")), QStringLiteral("第二步 练习"));
    QVERIFY(p->Button3->isEnabled() && !p->Button2->isEnabled());

    // A finished entry from the bank: "重修" is the one offered.
    p->ListBox1->setCurrentRow(2);
    QVERIFY(!p->Button3->isEnabled() && p->Button2->isEnabled());
    QVERIFY(p->WebBrowser1->pageHtml().contains(QStringLiteral("第三步")));
    QCOMPARE(m_bank->value(QStringLiteral("select count(*) as v from xxjh")), QStringLiteral("3"));
}

void TestStudy::guidedPracticeFromThePlan()
{
    fillPlan();
    open(1);
    QCOMPARE(Forms::main->anniu, 1);
    const QPointer<QWidget> before = Forms::sbsjx;
    Forms::main->xs = 8;
    QTest::mouseClick(plan()->Button4, Qt::LeftButton);
    QCOMPARE(Forms::main->anniu, 3);
    QCOMPARE(Forms::main->xs, 2);
    QVERIFY(Forms::sbsjx && Forms::sbsjx != before);
    QCOMPARE(Forms::main->Panel3->childAt(500, 300), Forms::sbsjx.data());
    QVERIFY(Forms::sbsjx->isVisible());
}

void TestStudy::firstOpeningShowsFirstEntry_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("table");
    QTest::newRow("guide") << 7 << "kszn";
    QTest::newRow("classroom") << 2 << "wlkt";
}

void TestStudy::firstOpeningShowsFirstEntry()
{
    QFETCH(int, button);
    QFETCH(QString, table);
    addTitleRow(*m_bank, table, 2, QStringLiteral("乙"), QStringLiteral("<p>乙的内容</p>"));
    addTitleRow(*m_bank, table, 1, QStringLiteral("甲"), QStringLiteral("<p>甲的内容</p>"));
    open(button);
    auto *module = table == u"kszn" ? static_cast<QWidget *>(StudyForms::guide()) : classroom();
    QVERIFY(module && module->isVisible());
    auto *list = module->findChild<QListWidget *>();
    auto *page = module->findChild<PageView *>();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(page->pageHtml().contains(QStringLiteral("甲的内容")));
    QVERIFY(page->pageHtml().contains(QStringLiteral("模板")));
    QTest::keyClick(list, Qt::Key_Down);
    QVERIFY(page->pageHtml().contains(QStringLiteral("乙的内容")));
    QVERIFY(!page->pageHtml().contains(QStringLiteral("甲的内容")));
    if (table == u"wlkt")
        QCOMPARE(classroom()->list, QStringLiteral("乙"));

    // A later opening keeps the selection.
    QTest::mouseClick(Forms::main->navigationButton(1), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(Forms::main->navigationButton(button), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(list->currentRow(), 1);
}

void TestStudy::emptyLists_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("study plan") << 1;
    QTest::newRow("guide") << 7;
    QTest::newRow("classroom") << 2;
}

void TestStudy::emptyLists()
{
    QFETCH(int, button);
    ModalAnswer boxes([](QWidget *modal) { modal->close(); });
    open(button);
    QVERIFY(!boxes.answered());
    QWidget *module = button == 1 ? static_cast<QWidget *>(plan())
                      : button == 2 ? static_cast<QWidget *>(classroom()) : StudyForms::guide();
    QVERIFY(module->isVisible());
    QVERIFY(module->findChild<PageView *>()->toPlainText().isEmpty());
    for (QPushButton *b : module->findChildren<QPushButton *>()) {
        if (b->window() != module->window())
            continue;
        if (b->text() != u"设置考试时间" && b->text() != u"进入手把手")
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
    }
    if (button == 2) {
        QTest::mouseClick(classroom()->Button4, Qt::LeftButton);
        QVERIFY(players().isEmpty());
    }
}

void TestStudy::missingTemplateOneBox()
{
    fillPlan();
    QFile::remove(m_bank->folder() + QStringLiteral("ov.html"));
    QStringList messages;
    ModalAnswer boxes([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            messages << box->text();
        modal->close();
    });
    open(1);
    QTRY_COMPARE(boxes.count(), 1);
    QTest::qWait(100);
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(messages.value(0).contains(QStringLiteral("ov.html")), qPrintable(messages.value(0)));
    // The list is there and the candidate can go on.
    QCOMPARE(plan()->ListBox1->count(), 3);
}

void TestStudy::classroomTwiceWithReturn()
{
    fillClassroom();
    open(2);
    Twlkt *index = classroom();
    QTest::mouseClick(index->Button4, Qt::LeftButton);
    QCOMPARE(players().size(), 1);
    Twlkt2 *first = players().first();
    QVERIFY(first->isVisible());
    QVERIFY(first->isAncestorOf(Forms::main->Panel3->childAt(500, 300)));
    QCOMPARE(first->Label1->text(), QStringLiteral("◆ 第1课 基本操作"));
    QCOMPARE(first->ListBox1->count(), 3);
    QCOMPARE(first->ListBox1->item(0)->text(), QStringLiteral("1-1 启动"));
    QCOMPARE(first->ListBox1->item(2)->text(), QStringLiteral("1-3 新建"));
    QCOMPARE(first->swfdbfile, m_bank->folder() + QStringLiteral("Vide1/l1_1.webm"));
    QVERIFY(!StudyForms::wlkt2);

    QTest::mouseClick(first->BitBtn7, Qt::LeftButton);
    QVERIFY(!first->isVisible());
    QVERIFY(!first->ShockwaveFlash1->isPlaying());
    QVERIFY(index->isVisible());

    index->ListBox1->setCurrentRow(1);
    QTest::mouseClick(index->Button4, Qt::LeftButton);
    QCOMPARE(players().size(), 2);
    Twlkt2 *second = players().last();
    QVERIFY(second != first);
    QVERIFY(second->isVisible() && !first->isVisible());
    QCOMPARE(second->Label1->text(), QStringLiteral("◆ 第2课 幻灯片"));
    QCOMPARE(second->ListBox1->count(), 1);
    QCOMPARE(second->swfdbfile, m_bank->folder() + QStringLiteral("Vide1/l2_1.webm"));
}

void TestStudy::firstAndLastLesson()
{
    fillClassroom();
    open(2);
    QTest::mouseClick(classroom()->Button4, Qt::LeftButton);
    Twlkt2 *player = players().first();
    QStringList messages;
    ModalAnswer boxes([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            messages << box->windowTitle() + u':' + box->text();
        modal->close();
    });
    QTest::mouseClick(player->BitBtn5, Qt::LeftButton);
    QCOMPARE(messages, QStringList{QStringLiteral("Pelquor:已经是第一节")});
    QCOMPARE(player->ListBox1->currentRow(), 0);
    QTest::mouseClick(player->BitBtn6, Qt::LeftButton);
    QTest::mouseClick(player->BitBtn6, Qt::LeftButton);
    QCOMPARE(player->ListBox1->currentRow(), 2);
    QCOMPARE(player->swfdbfile, m_bank->folder() + QStringLiteral("Vide1/l1_3.webm"));
    QCOMPARE(messages.size(), 1);
    QTest::mouseClick(player->BitBtn6, Qt::LeftButton);
    QCOMPARE(messages.value(1), QStringLiteral("Pelquor:已经是最后一节"));
    QCOMPARE(player->ListBox1->currentRow(), 2);
    QTest::mouseClick(player->BitBtn5, Qt::LeftButton);
    QCOMPARE(player->ListBox1->currentRow(), 1);
    QCOMPARE(player->swfdbfile, m_bank->folder() + QStringLiteral("Vide1/l1_2.webm"));
    QCOMPARE(messages.size(), 2);
}

void TestStudy::missingMovieAndSteppingSayNothing()
{
    fillClassroom();
    open(2);
    ModalAnswer boxes([](QWidget *modal) { modal->close(); });
    QTest::mouseClick(classroom()->Button4, Qt::LeftButton);
    Twlkt2 *player = players().first();
    QVERIFY(!player->ShockwaveFlash1->hasMovie());
    for (QPushButton *b : {player->BitBtn3, player->BitBtn4, player->BitBtn1, player->BitBtn2, player->BitBtn3})
        QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!player->ShockwaveFlash1->isPlaying());
    QTest::qWait(50);
    QVERIFY(!boxes.answered());
}

void TestStudy::backendMissingShowsPrompt()
{
    fillClassroom();
    MoviePlayer::availabilityCheck() = [] { return QStringLiteral("测试用的播放组件"); };
    open(2);
    QString shown;
    ModalAnswer prompt([&](QWidget *modal) {
        auto *tzts = qobject_cast<TTzts *>(modal);
        QVERIFY(tzts);
        QCOMPARE(Forms::Tzts.data(), tzts);
        shown = tzts->lbl1->text();
        QVERIFY(!tzts->btn1->isVisible());
        QTest::mouseClick(tzts->btn2, Qt::LeftButton);
    });
    const QPointer<TTzts> startUp = Forms::Tzts;
    QTest::mouseClick(classroom()->Button4, Qt::LeftButton);
    QCOMPARE(prompt.count(), 1);
    QVERIFY2(shown.contains(QStringLiteral("测试用的播放组件")), qPrintable(shown));
    QVERIFY(!shown.contains(QStringLiteral("flash"), Qt::CaseInsensitive));
    QVERIFY(players().isEmpty());
    QVERIFY(!StudyForms::wlkt2);
    QCOMPARE(Forms::Tzts.data(), startUp.data());
    QVERIFY(classroom()->isVisible());
    MoviePlayer::availabilityCheck() = [] { return QString(); };
}

QTEST_MAIN(TestStudy)
#include "tst_study.moc"
