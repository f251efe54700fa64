#include "examharness.h"
#include "randompaper.h"
#include "tsbsjx.h"
#include "x11embed.h"

#include <QMenu>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

void linkFakeSimulator(QDir &folder, const QString &program)
{
    QFile::link(QStringLiteral(FAKESIM), folder.filePath(program));
}

QList<int> progression(int first, int step, int count, QList<int> tail = {})
{
    QList<int> values;
    for (int i = 0; i < count; ++i)
        values << first + i * step;
    return values + tail;
}

} // namespace

class TestExam : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listOpensOnTheFirstPaper();
    void shortRoomLists_data();
    void shortRoomLists();
    void loginChecks_data();
    void loginChecks();
    void randomDraw_data();
    void randomDraw();
    void randomPaperMarksTheDrawnRows();
    void fixedPaperInIdOrder();
    void selectorColoursAndGeometry();
    void endsOfThePaper();
    void markingAndRestart();
    void silentSimulatorLeavesTheExamUsable();
    void clockForcesTheHandIn_data();
    void clockForcesTheHandIn();
    void scoring_data();
    void scoring();
    void wrongQuestionTraining();
    void marksAfterTheAnswer_data();
    void marksAfterTheAnswer();
    void inputMethodRecorded();

private:
    void makeBank(const QList<ExamQuestion> &questions, const QStringList &rooms = examRooms());
    // The exam room of the room chosen in the list, shown as the transfer screen shows it.
    Tmnks3 *startExam(const QString &room);
    // Through the three hand-in boxes to the result screen and back.
    void handIn(Tmnks3 *room);
    QString value(const QString &select) { return m_bank->value(select); }
    QString column(const QString &name)
    {
        return value(QStringLiteral("select group_concat(ifnull(%1, '') || '', ',') as v from (select %1 from sbsti order by id)")
                         .arg(name));
    }

    std::unique_ptr<TestBank> m_bank;
    std::unique_ptr<ExamAnswerer> m_answers;
};

void TestExam::init()
{
    m_answers = std::make_unique<ExamAnswerer>();
    Tmnks2::pauseScale() = 0;
    Tmnks3::waitLimit() = SimHost::DefaultWaitLimitMs;
    RandomPaper::seedSource() = RandomPaper::monotonicSeed;
    RandomPaper::pause() = RandomPaper::pauseOneMillisecond;
}

void TestExam::cleanup()
{
    if (Tmnks3 *room = ExamForms::mnks3) {
        room->requestClose();
        room->closeIfRequested();
        delete room;
    }
    SimHost::closeAll();
    Startup::destroyWindows();
    m_answers.reset();
    m_bank.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().size() <= 1);
}

void TestExam::makeBank(const QList<ExamQuestion> &questions, const QStringList &rooms)
{
    m_bank = makeExamBank(questions, linkFakeSimulator, rooms);
}

Tmnks3 *TestExam::startExam(const QString &room)
{
    if (!ExamForms::list() && !openExamList())
        return nullptr;
    selectRoom(room);
    auto *exam = new Tmnks3;
    ExamForms::mnks3 = exam;
    if (!exam->paperReady())
        return exam;
    exam->show();
    if (!QTest::qWaitForWindowExposed(exam) || !QTest::qWaitFor([exam] { return exam->questionWindow()->isVisible(); }))
        return nullptr;
    return exam;
}

void TestExam::handIn(Tmnks3 *room)
{
    room->questionWindow()->BitBtn6Click();
}

void TestExam::listOpensOnTheFirstPaper()
{
    makeBank(examQuestions(1, 101, 3, QStringLiteral("1")));
    QVERIFY(openExamList());
    Tmnks *rooms = ExamForms::list();
    QCOMPARE(rooms->ListBox1->count(), 5);
    QCOMPARE(ExamForms::selectedRoom(), QStringLiteral("模拟考试 1"));
    QVERIFY(rooms->WebBrowser1->pageHtml().contains(QStringLiteral("考场2的说明")));

    // The heading is never shown selected; a single click does not change the page.
    rooms->ListBox1->setCurrentRow(3);
    rooms->ListBox1->setCurrentRow(0);
    QCOMPARE(rooms->ListBox1->currentRow(), 1);
    QVERIFY(rooms->WebBrowser1->pageHtml().contains(QStringLiteral("考场2的说明")));

    // A double click shows exactly that room's description.
    rooms->ListBox1->setCurrentRow(4);
    rooms->ListBox1DblClick();
    QVERIFY(rooms->WebBrowser1->pageHtml().contains(QStringLiteral("考场5的说明")));
    QVERIFY(!rooms->WebBrowser1->pageHtml().contains(QStringLiteral("考场2的说明")));

    // A paper without questions does not start an exam.
    selectRoom(QStringLiteral("模拟考试 2"));
    rooms->BitBtn1Click();
    QVERIFY(m_answers->sawText(QStringLiteral("这套试卷没有题目，不能开始考试!")));
    QVERIFY(!ExamForms::mnks1);
}

void TestExam::shortRoomLists_data()
{
    QTest::addColumn<QStringList>("rooms");
    QTest::addColumn<int>("selected");
    QTest::newRow("none") << QStringList{} << -1;
    QTest::newRow("only the heading") << QStringList{QStringLiteral("一、固定考试")} << -1;
    QTest::newRow("only the random paper") << QStringList{QStringLiteral("二、随机考试")} << 0;
}

void TestExam::shortRoomLists()
{
    QFETCH(QStringList, rooms);
    QFETCH(int, selected);
    makeBank(examQuestions(1, 101, 3, QStringLiteral("1")), rooms);
    QVERIFY(openExamList());
    Tmnks *list = ExamForms::list();
    QCOMPARE(list->ListBox1->count(), rooms.size());
    QCOMPARE(ExamForms::selectedRoom().isEmpty(), selected < 0);
    if (selected < 0) {
        list->BitBtn1Click();
        QTRY_VERIFY(m_answers->sawText(QStringLiteral("请先选择一套试卷!")));
        QVERIFY(!ExamForms::mnks1);
    }
}

void TestExam::loginChecks_data()
{
    QTest::addColumn<QString>("seat");
    QTest::addColumn<QString>("identity");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focused");
    QTest::newRow("initial values") << QStringLiteral("28") << Tmnks1::SampleIdentity << QString() << QString();
    QTest::newRow("18 spaces") << QStringLiteral("28") << QString(18, u' ') << QString() << QString();
    QTest::newRow("18 letters") << QStringLiteral("28") << QString(18, u'x') << QString() << QString();
    QTest::newRow("empty seat, 18 characters") << QString() << Tmnks1::SampleIdentity << QString() << QString();
    QTest::newRow("17 characters") << QStringLiteral("28") << QString(17, u'1') << QStringLiteral("身份证号位数不对！")
                                   << QStringLiteral("unchanged");
    QTest::newRow("19 characters") << QStringLiteral("28") << QString(19, u'1') << QStringLiteral("身份证号位数不对！")
                                   << QStringLiteral("unchanged");
    QTest::newRow("both empty") << QString() << QString() << QStringLiteral("请填写座位号") << QStringLiteral("Edit1");
    QTest::newRow("identity only spaces") << QStringLiteral("28") << QStringLiteral("   ") << QStringLiteral("请填写身份证号")
                                          << QStringLiteral("Edit2");
}

void TestExam::loginChecks()
{
    QFETCH(QString, seat);
    QFETCH(QString, identity);
    QFETCH(QString, warning);
    QFETCH(QString, focused);
    // No room is chosen, so a login that passes ends at the empty paper.
    makeBank({}, {});
    QVERIFY(openExamList());
    Tmnks1 login;
    QCOMPARE(login.Edit1->text(), QStringLiteral("28"));
    QCOMPARE(login.Edit2->text().size(), 18);
    login.show();
    QVERIFY(QTest::qWaitForWindowExposed(&login));
    login.Edit1->setText(seat);
    login.Edit2->setText(identity);
    login.Edit2->setFocus();
    QTRY_VERIFY(login.Edit2->hasFocus());

    QString transfer;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (Tmnks2 *screen = ExamForms::mnks2; screen && screen->isVisible() && transfer.isEmpty())
            transfer = screen->Label5->text() + u'|' + screen->Label4->text() + u'|' + screen->Label2->text();
    });
    watch.start(5);
    QTest::mouseClick(login.Label1, Qt::LeftButton);
    watch.stop();

    if (warning.isEmpty()) {
        QCOMPARE(transfer, seat + u'|' + identity + QStringLiteral("|金山演示2005"));
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QVERIFY(m_answers->sawText(QStringLiteral("这套试卷没有题目")));
        return;
    }
    QVERIFY(transfer.isEmpty());
    QCOMPARE(login.lastWarning(), warning);
    QVERIFY(m_answers->sawText(QStringLiteral("message: ") + warning));
    QVERIFY(login.isVisible());
    // The window's focus widget: whether the window itself is active again
    // after the warning is the window manager's business (the tests run
    // without one).
    if (focused == u"unchanged") {
        QCOMPARE(login.focusWidget(), login.Edit2);
    } else {
        QLineEdit *edit = focused == u"Edit1" ? login.Edit1 : login.Edit2;
        QTRY_COMPARE(login.focusWidget(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
    }
}

void TestExam::randomDraw_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QList<int>>("picked");
    // Seed 0 draws r = 0 on every pass, seed 2^32 − 1 draws r = a − 1.
    QTest::newRow("30 rows") << 30 << 0u << progression(1, 2, 15);
    QTest::newRow("30 rows, any seed") << 30 << 0xFFFFFFFFu << progression(1, 2, 15);
    QTest::newRow("79 rows") << 79 << 0u << progression(1, 2, 39, {78});
    QTest::newRow("80 rows, r = 0") << 80 << 0u << progression(1, 2, 40);
    QTest::newRow("80 rows, r = a - 1") << 80 << 0xFFFFFFFFu << progression(2, 3, 26, {79});
    QTest::newRow("400 rows, r = 0") << 400 << 0u << progression(1, 10, 40);
    QTest::newRow("400 rows, r = a - 1") << 400 << 0xFFFFFFFFu << progression(10, 11, 36, {399});
}

void TestExam::randomDraw()
{
    QFETCH(int, rows);
    QFETCH(quint32, seed);
    QFETCH(QList<int>, picked);
    int passes = 0;
    const QList<int> drawn = RandomPaper::picks(rows, [seed] { return seed; }, [&passes] { ++passes; });
    QCOMPARE(drawn, picked);
    QVERIFY(!drawn.contains(0));
    QVERIFY(drawn.size() <= RandomPaper::PaperSize);
    QVERIFY(std::is_sorted(drawn.cbegin(), drawn.cend()));
    QCOMPARE(QSet<int>(drawn.cbegin(), drawn.cend()).size(), drawn.size());
    QVERIFY(passes >= drawn.size());

    // The generator as the draw has always used it.
    RandomPaper::Generator generator{0xFFFFFFFFu};
    QCOMPARE(generator.draw(10), 9u);
    QCOMPARE(generator.seed, 4160191484u);
}

void TestExam::randomPaperMarksTheDrawnRows()
{
    // 80 rows in a scrambled id order: the draw follows the id order.
    QList<ExamQuestion> questions;
    for (int i = 0; i < 80; ++i)
        questions.append({(i * 37) % 80 + 1, QString::number(100 + i), QStringLiteral("基本操作"), QString()});
    makeBank(questions);
    m_bank->exec(QStringLiteral("update sbsti set xz='1', fw='1', ks='1', bs='(已标识)', jc='7', dqwz='0'"));
    RandomPaper::seedSource() = [] { return 0xFFFFFFFFu; };
    Tmnks3 *room = startExam(QStringLiteral("二、随机考试"));
    QVERIFY(room && room->paperReady());
    QStringList expected;
    for (int position : progression(2, 3, 26, {79}))
        expected << value(QStringLiteral("select th as v from sbsti order by id limit 1 offset %1").arg(position));
    QCOMPARE(value(QStringLiteral("select group_concat(th, ',') as v from (select th from sbsti where xz='1' order by id)")),
             expected.join(u','));
    QCOMPARE(room->paperSize(), 27);
    // Every trace of the earlier paper is gone; only the first question is visited.
    QCOMPARE(value(QStringLiteral("select count(*) as v from sbsti where dqwz='2'")), QStringLiteral("80"));
    QCOMPARE(value(QStringLiteral("select count(*) as v from sbsti where ks<>'' or bs<>''")), QStringLiteral("0"));
    QCOMPARE(value(QStringLiteral("select group_concat(th) as v from sbsti where fw='1'")), expected.first());
}

void TestExam::fixedPaperInIdOrder()
{
    QList<ExamQuestion> questions = {{9, QStringLiteral("305"), QStringLiteral("基本操作"), QStringLiteral("3")},
                                     {2, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("1")},
                                     {5, QStringLiteral("203"), QStringLiteral("基本操作"), QStringLiteral("3")},
                                     {7, QStringLiteral("102"), QStringLiteral("基本操作"), QStringLiteral("3")},
                                     {1, QStringLiteral("110"), QStringLiteral("基本操作"), QStringLiteral("13")}};
    makeBank(questions);
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 3"));
    QVERIFY(room && room->paperReady());
    QCOMPARE(value(QStringLiteral("select group_concat(th, ',') as v from (select th from sbsti where xz='1' order by id)")),
             QStringLiteral("203,102,305"));
    QCOMPARE(room->js, 203);
    Tmnks4 *question = room->questionWindow();
    QCOMPARE(question->windowTitle(), QStringLiteral("第1题"));
    QCOMPARE(question->RichEdit1->toPlainText(), QStringLiteral("要求:\n  题目203的要求"));
    // The first question is embedded at 0, 0, 900 × 700 in the question panel.
    X11Embed *x = X11Embed::instance();
    QCOMPARE(x->parentOf(room->host().aa()), SimHost::WindowId(room->Panel2->winId()));
    QCOMPARE(x->geometryOf(room->host().aa()), QRect(0, 0, 900, 700));
    const QSize screen = room->size();
    QCOMPARE(room->Panel2->geometry(), QRect(screen.width() / 2 - 395, screen.height() / 2 - 303, 800, 601));
    QCOMPARE(value(QStringLiteral("select jl || ',' || jl1 as v from jl1")),
             QStringLiteral("%1,%2").arg(screen.width() / 2 - 395).arg(screen.height() / 2 - 303));
    QCOMPARE(question->pos(), room->Panel2->pos() + QPoint(660, 367));
    QCOMPARE(question->size(), QSize(316, 201));
}

void TestExam::selectorColoursAndGeometry()
{
    makeBank(examQuestions(1, 101, 40, QStringLiteral("1")));
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    QVERIFY(room);
    Tmnks4 *question = room->questionWindow();
    question->BitBtn2Click();
    QCOMPARE(question->windowTitle(), QStringLiteral("第2题"));
    question->BitBtn2Click();
    question->BitBtn4Click();
    question->BitBtn5Click();
    QVERIFY(room->Panel1->isVisible());
    QVERIFY(!question->isVisible());
    const QSize screen = room->size();
    QCOMPARE(room->Panel3->geometry(), QRect(screen.width() / 2 - 194, screen.height() / 2 - 200, 373, 261));
    QCOMPARE(ExamUi::buttonColour(room->selectorButton(1)), QColor(0, 128, 0));
    QCOMPARE(ExamUi::buttonColour(room->selectorButton(2)), QColor(0, 128, 0));
    QCOMPARE(ExamUi::buttonColour(room->selectorButton(3)), QColor(255, 0, 0));
    for (int k = 4; k <= 40; ++k)
        QCOMPARE(ExamUi::buttonColour(room->selectorButton(k)), QColor(255, 255, 255));
    QVERIFY(!room->selectorButton(41));
    QCOMPARE(room->selectorButton(1)->geometry(), QRect(20, 25, 28, 23));
    QCOMPARE(room->selectorButton(10)->geometry(), QRect(335, 25, 28, 23));
    QCOMPARE(room->selectorButton(11)->geometry(), QRect(20, 55, 28, 23));
    QCOMPARE(room->selectorButton(40)->geometry(), QRect(335, 115, 28, 23));
    QCOMPARE(room->selectorButton(40)->objectName(), QStringLiteral("a40"));

    // A jump: the caption follows the number, the mark line is not shown.
    QTest::mouseClick(room->selectorButton(3), Qt::LeftButton);
    QVERIFY(!room->Panel1->isVisible());
    QVERIFY(question->isVisible());
    QCOMPARE(question->windowTitle(), QStringLiteral("第3题"));
    QCOMPARE(question->RichEdit1->toPlainText(), QStringLiteral("要求:\n  题目103的要求"));
    QTest::mouseClick(question->BitBtn5, Qt::LeftButton);
    QTest::mouseClick(room->selectorButton(25), Qt::LeftButton);
    QCOMPARE(room->js, 125);
    QCOMPARE(value(QStringLiteral("select fw as v from sbsti where th='125'")), QStringLiteral("1"));
    QCOMPARE(X11Embed::instance()->parentOf(room->host().aa()), SimHost::WindowId(room->Panel2->winId()));
    // The buttons are made once per exam.
    question->BitBtn5Click();
    QCOMPARE(room->Panel3->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^a\\d+$"))).size(), 40);
    room->BitBtn1Click();
    QVERIFY(question->isVisible());
}

void TestExam::endsOfThePaper()
{
    makeBank(examQuestions(1, 101, 3, QStringLiteral("1")));
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    QVERIFY(room);
    Tmnks4 *question = room->questionWindow();
    QTest::mouseClick(question->BitBtn1, Qt::LeftButton);
    QVERIFY(!question->BitBtn1->isEnabled());
    QCOMPARE(room->js, 101);
    QTRY_VERIFY(question->BitBtn1->isEnabled());

    QTest::mouseClick(question->BitBtn2, Qt::LeftButton);
    QCOMPARE(question->windowTitle(), QStringLiteral("第2题"));
    QTest::mouseClick(question->BitBtn2, Qt::LeftButton);
    QCOMPARE(room->js, 103);
    QTest::mouseClick(question->BitBtn2, Qt::LeftButton);
    QVERIFY(!question->BitBtn2->isEnabled());
    QCOMPARE(room->js, 103);
    QCOMPARE(question->windowTitle(), QStringLiteral("第3题"));
    QTRY_VERIFY(question->BitBtn2->isEnabled());
    QCOMPARE(value(QStringLiteral("select group_concat(fw, '') as v from sbsti")), QStringLiteral("111"));
    // Only one simulator runs: the previous ones were closed.
    QTRY_COMPARE(value(QStringLiteral("select count(*) as v from sbsti where jc<>''")), QStringLiteral("1"));
}

void TestExam::markingAndRestart()
{
    makeBank(examQuestions(1, 101, 3, QStringLiteral("1")));
    // Work kept from an earlier paper is forgotten by the new one.
    m_bank->exec(QStringLiteral("create table kswj (th text primary key, wd text); "
                                "insert into kswj (th, wd) values ('101', 'earlier')"));
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    QVERIFY(room);
    QCOMPARE(value(QStringLiteral("select count(*) as v from kswj")), QStringLiteral("0"));
    Tmnks4 *question = room->questionWindow();
    const QString marked = QStringLiteral("要求:\n  题目101的要求\n     (已标识)");
    question->BitBtn4Click();
    question->BitBtn4Click();
    QCOMPARE(question->RichEdit1->toPlainText(), marked);
    QCOMPARE(value(QStringLiteral("select bs as v from sbsti where th='101'")), QStringLiteral("(已标识)"));

    // Away and back: the mark line is shown again.
    question->BitBtn2Click();
    question->BitBtn1Click();
    QCOMPARE(question->RichEdit1->toPlainText(), marked);

    // "重做本题" starts the simulator afresh, without the work it kept for
    // this question (the others keep theirs), and keeps caption and requirement.
    m_bank->exec(QStringLiteral("insert into kswj (th, wd) values ('101', 'work 1'), ('102', 'work 2')"));
    const qint64 before = room->host().launchedPid();
    question->BitBtn3Click();
    QCOMPARE(value(QStringLiteral("select count(*) as v from kswj where th='101'")), QStringLiteral("0"));
    QCOMPARE(value(QStringLiteral("select wd as v from kswj where th='102'")), QStringLiteral("work 2"));
    QVERIFY(room->host().launchedPid() != before);
    QVERIFY(room->host().isEmbedded());
    QCOMPARE(question->windowTitle(), QStringLiteral("第1题"));
    QCOMPARE(question->RichEdit1->toPlainText(), marked);

    // Through the selector the mark line is not shown.
    question->BitBtn5Click();
    room->jump(1);
    QCOMPARE(question->RichEdit1->toPlainText(), QStringLiteral("要求:\n  题目101的要求"));

    // Close requests of the question window are refused.
    question->close();
    QVERIFY(question->isVisible());
}

void TestExam::silentSimulatorLeavesTheExamUsable()
{
    makeBank(examQuestions(1, 101, 2, QStringLiteral("1")));
    qputenv("FAKESIM_MODE", "silent");
    Tmnks3::waitLimit() = 400;
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    qunsetenv("FAKESIM_MODE");
    QVERIFY(room);
    QTRY_VERIFY(m_answers->sawText(SimHost::noticeText(101)));
    Tmnks4 *question = room->questionWindow();
    question->BitBtn2Click();
    QCOMPARE(room->js, 102);
    QVERIFY(room->host().isEmbedded());
    QCOMPARE(question->dd, 1);
    QVERIFY(room->Panel2->isVisible());
}

void TestExam::clockForcesTheHandIn_data()
{
    QTest::addColumn<bool>("boxOpen");
    QTest::newRow("answering") << false;
    QTest::newRow("hand-in box open") << true;
}

void TestExam::clockForcesTheHandIn()
{
    QFETCH(bool, boxOpen);
    makeBank(examQuestions(1, 101, 3, QStringLiteral("1")));
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    QVERIFY(room);
    Tmnks4 *question = room->questionWindow();
    QVERIFY(question->Timer1->isActive());
    QCOMPARE(question->Timer1->interval(), 60000);
    for (int minute = 1; minute < 50; ++minute)
        question->Timer1Timer();
    QCOMPARE(question->Label4->text(), QStringLiteral("1"));
    QVERIFY(room->isVisible());

    bool boxesGone = true;
    QPointer<Tmnksts4> result = ExamForms::mnksts4;
    if (boxOpen) {
        // The last minute runs out while the first hand-in box asks.
        m_answers->handIn = false;
        m_answers->onBox = [&](QWidget *) {
            QTimer::singleShot(0, question, [&] {
                question->Timer1Timer();
                boxesGone = !ExamForms::mnksts1 || !ExamForms::mnksts1->isVisible();
            });
        };
        connect(result, &QDialog::finished, this, [&] { boxesGone = boxesGone && !ExamForms::mnksts1->isVisible(); });
        question->BitBtn6Click();
    } else {
        question->Timer1Timer();
    }
    QCOMPARE(question->Label4->text(), QStringLiteral("0"));
    QCOMPARE(question->ProgressBar1->value(), 50);
    QVERIFY(!question->Timer1->isActive());
    QCOMPARE(question->sjwt, 1);
    const int message = m_answers->seen.indexOf(QStringLiteral("message: 考试时间到,强制交卷!"));
    QVERIFY(message >= 0);
    QVERIFY(m_answers->seen.indexOf(QRegularExpression(QStringLiteral("result: .*"))) > message);
    QVERIFY(!m_answers->sawText(QStringLiteral("mnksts2")));
    QVERIFY(boxesGone);
    // The existing result screen scored the paper; the exam room closed behind it.
    QCOMPARE(ExamForms::mnksts4.data(), result.data());
    QVERIFY(!room->isVisible());
    QVERIFY(!room->host().isEmbedded());
}

void TestExam::scoring_data()
{
    QTest::addColumn<QString>("room");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("correct");
    QTest::addColumn<QString>("line");
    QTest::newRow("39 of 40") << QStringLiteral("模拟考试 1") << 40 << 39
                              << QStringLiteral("蓝色-正确(39)题,红色-错误(1)题,得分：97.5分.");
    QTest::newRow("short random paper") << QStringLiteral("二、随机考试") << 30 << 15
                                        << QStringLiteral("蓝色-正确(15)题,红色-错误(0)题,得分：37.5分.");
    QTest::newRow("none correct") << QStringLiteral("模拟考试 1") << 40 << 0
                                  << QStringLiteral("蓝色-正确(0)题,红色-错误(40)题,得分：0分.");
}

void TestExam::scoring()
{
    QFETCH(QString, room);
    QFETCH(int, questions);
    QFETCH(int, correct);
    QFETCH(QString, line);
    makeBank(examQuestions(1, 101, questions, QStringLiteral("1")));
    Tmnks3 *exam = startExam(room);
    QVERIFY(exam);
    // The simulators' verdicts: the first `correct` questions of the paper.
    m_bank->exec(QStringLiteral("update sbsti set ks='1' where xz='1' and id in (select id from sbsti where xz='1' "
                                "order by id limit %1)").arg(correct));
    exam->questionWindow()->BitBtn2Click();
    handIn(exam);
    QCOMPARE(m_answers->seen.mid(0, 3),
             (QStringList{QStringLiteral("mnksts1: 您确定是否要交卷?"),
                          QStringLiteral("mnksts2: 按\"交卷\"按钮将要退出考场,并且不能重新登陆!\n\n您确定是否要交卷?"),
                          QStringLiteral("mnksts3: 您还有题目未完成!\n\n您确定是否要交卷?")}));
    QCOMPARE(m_answers->resultLine, line);
    const int size = int(m_answers->resultColours.size());
    QCOMPARE(size, correct == 15 ? 15 : 40);
    // Correct blue; visited wrong red (the second question); never visited money green.
    for (int k = 1; k <= size; ++k) {
        const QColor expected = k <= correct ? ExamUi::blue : k <= 2 ? ExamUi::red : ExamUi::moneyGreen;
        QCOMPARE(m_answers->resultColours.at(k - 1), expected);
    }
    QCOMPARE(value(QStringLiteral("select count(*) as v from sbsti where xz='1'")), QString::number(size - correct));
    QVERIFY(!exam->isVisible());
    QCOMPARE(Tmnksts4::scoreLine(40, 40), QStringLiteral("蓝色-正确(40)题,红色-错误(0)题,得分：100分."));
}

void TestExam::wrongQuestionTraining()
{
    makeBank(examQuestions(1, 101, 5, QStringLiteral("1")));
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    QVERIFY(room);
    Tmnks4 *question = room->questionWindow();
    question->BitBtn2Click();
    question->BitBtn2Click();
    m_bank->exec(QStringLiteral("update sbsti set ks='1' where th='101'"));
    m_answers->resultAnswer = QStringLiteral("是");
    handIn(room);
    QVERIFY(!room->isVisible());
    QCOMPARE(Forms::main->xs, 4);
    auto *browser = qobject_cast<Tsbsjx *>(Forms::sbsjx.data());
    QVERIFY(browser);
    QTRY_VERIFY(browser->isVisible());
    QCOMPARE(browser->parentWidget(), Forms::main->Panel3);
    QCOMPARE(browser->ListBox1->count(), 1);
    QCOMPARE(browser->ListBox1->item(0)->text(), QStringLiteral("错题练习"));
    QStringList listed;
    for (int i = 0; i < browser->ListView1->topLevelItemCount(); ++i)
        listed << browser->ListView1->topLevelItem(i)->text(0);
    listed.sort();
    QCOMPARE(listed, (QStringList{QStringLiteral("102"), QStringLiteral("103")}));
}

void TestExam::marksAfterTheAnswer_data()
{
    QTest::addColumn<QString>("room");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("marks");
    QTest::newRow("fixed paper, 否") << QStringLiteral("模拟考试 1") << QStringLiteral("否") << QStringLiteral("0");
    QTest::newRow("fixed paper, 是") << QStringLiteral("模拟考试 1") << QStringLiteral("是") << QStringLiteral("0");
    QTest::newRow("random paper, 否") << QStringLiteral("二、随机考试") << QStringLiteral("否") << QStringLiteral("1");
}

void TestExam::marksAfterTheAnswer()
{
    QFETCH(QString, room);
    QFETCH(QString, answer);
    QFETCH(QString, marks);
    makeBank(examQuestions(1, 101, 6, QStringLiteral("1")));
    Tmnks3 *exam = startExam(room);
    QVERIFY(exam);
    exam->questionWindow()->BitBtn4Click();
    m_answers->resultAnswer = answer;
    handIn(exam);
    QVERIFY(m_answers->sawText(QStringLiteral("result: ")));
    QCOMPARE(value(QStringLiteral("select count(*) as v from sbsti where bs<>''")), marks);
    QCOMPARE(Forms::main->xs, answer == u"是" ? 4 : 2);
}

void TestExam::inputMethodRecorded()
{
    makeBank(examQuestions(1, 101, 2, QStringLiteral("1")));
    Tmnks3 *room = startExam(QStringLiteral("模拟考试 1"));
    QVERIFY(room);
    Tmnks4 *question = room->questionWindow();
    QCOMPARE(question->inputMethodNames().value(0), QStringLiteral("英文"));
    question->InputChange(QStringLiteral("英文"));
    QCOMPARE(value(QStringLiteral("select srf as v from srf")), QStringLiteral("英文输入法"));
}

QTEST_MAIN(TestExam)
#include "tst_exam.moc"
