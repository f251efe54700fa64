#include "contentsources.h"
#include "examharness.h"
#include "simulatorfolders.h"
#include "tsbsjx.h"
#include "x11embed.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTreeWidget>

#include <functional>

namespace {

// A run of the exam as a candidate makes it, step by step: each step waits
// for its condition and then acts from the event loop (the actions open
// modal windows, inside which the next steps go on).
class Script : public QObject
{
public:
    struct Step
    {
        QString name;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    explicit Script(QList<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(20);
        m_waiting.start();
    }

    int done() const { return m_next; }
    QString waitingFor() const { return m_next < m_steps.size() ? m_steps.at(m_next).name : QString(); }
    bool finished() const { return m_next == m_steps.size(); }

private:
    void poll()
    {
        if (m_busy || finished())
            return;
        if (!m_steps.at(m_next).ready()) {
            // The steps run inside the exam's modal windows, where the test's
            // own timeout is never checked: a step that never comes ends the
            // run here, naming it.
            if (m_waiting.hasExpired(StepTimeout))
                qFatal("step never ready: %s", qPrintable(m_steps.at(m_next).name));
            return;
        }
        m_busy = true;
        const Step step = m_steps.at(m_next);
        qInfo("step: %s", qPrintable(step.name));
        QTimer::singleShot(0, this, [this, step] {
            ++m_next;
            m_waiting.restart();
            m_busy = false;
            if (step.act)
                step.act();
        });
    }

    QList<Step> m_steps;
    static constexpr int StepTimeout = 45000;
    QTimer m_timer;
    QElapsedTimer m_waiting;
    int m_next = 0;
    bool m_busy = false;
};

void runTool(const QStringList &arguments)
{
    QProcess::startDetached(QStringLiteral("xdotool"), arguments);
}

bool embeddedAndShown(Tmnks3 *room)
{
    X11Embed *x = X11Embed::instance();
    const SimHost::WindowId window = room->host().aa();
    return room->host().isEmbedded() && window != 0 && x->parentOf(window) == SimHost::WindowId(room->Panel2->winId())
        && x->geometryOf(window) == QRect(0, 0, 900, 700) && x->isViewable(window);
}

} // namespace

class TestExamRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void listToWrongQuestionTraining();

private:
    QString value(const QString &select) { return m_bank->value(select); }

    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<TestBank> m_bank;
};

void TestExamRun::initTestCase()
{
    QProcess::execute(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-remove"),
                                                QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    m_windowManager = std::make_unique<QProcess>();
    m_windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QVERIFY(m_windowManager->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT([] {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        xprop.waitForFinished();
        return xprop.readAllStandardOutput().contains("window id");
    }(), 5000);
}

void TestExamRun::cleanupTestCase()
{
    SimHost::closeAll();
    Startup::destroyWindows();
    m_bank.reset();
    if (m_windowManager) {
        m_windowManager->terminate();
        m_windowManager->waitForFinished(3000);
    }
}

void TestExamRun::listToWrongQuestionTraining()
{
    // Fixed paper 1: three questions that a new slide (Ctrl+M) answers.
    const QString task = QStringLiteral("在第1张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。");
    QList<ExamQuestion> questions = examQuestions(1, 201, 3, QStringLiteral("1"));
    questions.append({4, QStringLiteral("204"), QStringLiteral("基本操作"), QStringLiteral("2")});
    m_bank = makeExamBank(questions, {});
    m_bank->exec(QStringLiteral("update sbsti set ti='%1', list='幻灯片的编辑'").arg(task));
    QList<Task> tasks;
    for (const ExamQuestion &q : questions)
        tasks.append(deriveTask(q.th, task));
    writeSimulatorFolders(tasks, m_bank->folder(), QStringLiteral(SIMULATOR));

    QVERIFY(openExamList());
    selectRoom(QStringLiteral("模拟考试 1"));
    ExamAnswerer answers;
    answers.resultAnswer = QStringLiteral("是");

    QString card;
    int progressAtRoom = -1;
    qint64 firstPid = 0;
    auto room = [] { return ExamForms::mnks3.data(); };
    auto question = [room] { return room() ? room()->questionWindow() : nullptr; };
    auto visible = [](QWidget *w) { return w && w->isVisible(); };
    QElapsedTimer sinceClick;
    QElapsedTimer focusHeld;
    auto clickIntoSimulator = [&] {
        const QPoint at = room()->Panel2->mapToGlobal(QPoint(400, 300));
        runTool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
        sinceClick.start();
    };

    Script script({
        {QStringLiteral("login"), [&] { return visible(ExamForms::mnks1); },
         [&] { QTest::mouseClick(ExamForms::mnks1->Label1, Qt::LeftButton); }},
        {QStringLiteral("transfer"), [&] { return visible(ExamForms::mnks2) && !ExamForms::mnks2->Label3->text().isEmpty(); },
         [&] {
             Tmnks2 *t = ExamForms::mnks2;
             card = t->Label5->text() + u'|' + t->Label4->text() + u'|' + t->Label2->text() + u'|' + t->Label3->text();
         }},
        {QStringLiteral("first question embedded"),
         [&] { return visible(room()) && visible(question()) && embeddedAndShown(room()) && QGuiApplication::focusWindow(); },
         [&] {
             progressAtRoom = ExamForms::mnks2->ProgressBar1->value();
             firstPid = room()->host().launchedPid();
             clickIntoSimulator();
         }},
        // The window manager may still be activating the question window the
        // room has just shown: the keys go once the simulator has kept the
        // keyboard a while, and a click the activation undid is made again.
        {QStringLiteral("simulator has the keyboard"),
         [&] {
             if (X11Embed::instance()->inputFocus() != room()->host().aa()) {
                 focusHeld.invalidate();
                 if (sinceClick.hasExpired(3000))
                     clickIntoSimulator();
                 return false;
             }
             if (!focusHeld.isValid())
                 focusHeld.start();
             return focusHeld.hasExpired(500);
         },
         [&] {
             // The candidate inserts a new slide with the 标题和文本 layout.
             runTool({QStringLiteral("key"), QStringLiteral("ctrl+m"), QStringLiteral("sleep"), QStringLiteral("1"),
                      QStringLiteral("key"), QStringLiteral("Right"), QStringLiteral("Right"), QStringLiteral("Return")});
         }},
        {QStringLiteral("first question answered"), [&] { return value(QStringLiteral("select ks as v from sbsti where th='201'")) == u"1"; },
         [&] { QTest::mouseClick(question()->BitBtn2, Qt::LeftButton); }},
        {QStringLiteral("second question embedded"), [&] { return room()->js == 202 && question()->dd == 1 && embeddedAndShown(room()); },
         [&] { QTest::mouseClick(question()->BitBtn4, Qt::LeftButton); }},
        {QStringLiteral("marked"), [&] { return value(QStringLiteral("select bs as v from sbsti where th='202'")) == u"(已标识)"; },
         [&] { QTest::mouseClick(question()->BitBtn5, Qt::LeftButton); }},
        {QStringLiteral("selector"), [&] { return room()->Panel1->isVisible() && room()->selectorButton(3); },
         [&] {
             QCOMPARE(ExamUi::buttonColour(room()->selectorButton(1)), QColor(0, 128, 0));
             QCOMPARE(ExamUi::buttonColour(room()->selectorButton(2)), QColor(255, 0, 0));
             QCOMPARE(ExamUi::buttonColour(room()->selectorButton(3)), QColor(255, 255, 255));
             QTest::mouseClick(room()->selectorButton(1), Qt::LeftButton);
         }},
        {QStringLiteral("jumped back"), [&] { return room()->js == 201 && visible(question()) && embeddedAndShown(room()); },
         [&] { QTest::mouseClick(question()->BitBtn6, Qt::LeftButton); }},
    });

    Forms::mnks.data()->setFocus();
    QTimer::singleShot(0, ExamForms::list(), [] { ExamForms::list()->BitBtn1->click(); });
    QTRY_VERIFY_WITH_TIMEOUT(script.finished() && answers.sawText(QStringLiteral("result: ")) && !ExamForms::mnks1, 60000);

    QCOMPARE(card.section(u'|', 0, 2), QStringLiteral("28|%1|金山演示2005").arg(Tmnks1::SampleIdentity));
    QVERIFY(!card.section(u'|', 3).isEmpty());
    QCOMPARE(progressAtRoom, 1000);
    QVERIFY(firstPid != 0);
    QVERIFY(answers.sawText(QStringLiteral("mnksts3: 您还有题目未完成!")));
    QCOMPARE(answers.resultLine, QStringLiteral("蓝色-正确(1)题,红色-错误(2)题,得分：2.5分."));
    QCOMPARE(answers.resultColours, (QList<QColor>{ExamUi::blue, ExamUi::red, ExamUi::moneyGreen}));

    // The bank as the exam leaves it.
    QCOMPARE(value(QStringLiteral("select group_concat(ifnull(xz,'') || ':' || ifnull(fw,'') || ':' || ifnull(ks,''), ',') as v "
                                  "from (select * from sbsti order by id)")),
             QStringLiteral(":1:1,1:1:,1::,::"));
    QCOMPARE(value(QStringLiteral("select count(*) as v from sbsti where dqwz='2'")), QStringLiteral("4"));
    QCOMPARE(value(QStringLiteral("select count(*) as v from sbsti where bs<>''")), QStringLiteral("0"));
    // No simulator is left: every one was closed, the last with the exam room.
    QTRY_COMPARE(value(QStringLiteral("select count(*) as v from sbsti where jc<>''")), QStringLiteral("0"));
    QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(firstPid)));

    // Wrong-question training: the chapter browser lists the visited wrong question.
    QCOMPARE(Forms::main->xs, 4);
    auto *browser = qobject_cast<Tsbsjx *>(Forms::sbsjx.data());
    QVERIFY(browser);
    QTRY_VERIFY(browser->isVisible());
    QCOMPARE(browser->ListView1->topLevelItemCount(), 1);
    QCOMPARE(browser->ListView1->topLevelItem(0)->text(0), QStringLiteral("202"));
    QVERIFY(!ExamForms::mnks3);
    QVERIFY(ExamForms::list()->isVisible());
}

QTEST_MAIN(TestExamRun)
#include "tst_examrun.moc"
