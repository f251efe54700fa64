#include "artwork.h"
#include "simulatorfolders.h"
#include "x11embed.h"
#include "forms.h"
#include "inputmethods.h"
#include "practiceforms.h"
#include "simhost.h"
#include "startup.h"
#include "testbank.h"
#include "tmain.h"
#include "picturebox.h"
#include "tsbs.h"
#include "tsbsjx.h"
#include "ttits.h"
#include "txzlxt.h"

#include <QApplication>
#include <QComboBox>
#include <QStandardPaths>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Answers every modal box the way a candidate would and remembers its text:
// the notices of `tits` and, should one appear, the standard error box.
class ModalAnswerer : public QObject
{
public:
    ModalAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *notice = qobject_cast<Ttits *>(modal)) {
                texts << notice->Label1->text();
                notice->close();
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                texts << QStringLiteral("error: ") + box->text();
                box->close();
            }
        });
        m_timer.start(20);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

struct Question
{
    int id;
    QString th;
    QString chapter;
    QString extra;
};

} // namespace

class TestPractice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void browserListsChaptersInIdOrder();
    void startMarksTheWorkingSet_data();
    void startMarksTheWorkingSet();
    void studyAgainTouchesOnlyItsChapter();
    void doubleClickRules();
    void wrongQuestionModeListsTheWrongSet();
    void walkWithEndNotices_data();
    void walkWithEndNotices();
    void gridGeometry_data();
    void gridGeometry();
    void longRunGridScrolls();
    void gridRecoloursAndJumps();
    void stop_data();
    void stop();
    void pickerTicks();
    void pickerStartsWithTheThirdAndFifth();
    void emptyWorkingSetGivesTheBrowserBack();
    void panelPositionHandedOver();
    void inputMethodListWithoutIBus();
    void realSimulatorRun();

private:
    void makeBank(const QList<Question> &questions, const QStringList &chapters = {QStringLiteral("基本操作")});
    void openBrowser(int xs = 2);
    Tsbsjx *browser() const { return PracticeForms::browser(); }
    Tsbs *practice() const { return PracticeForms::sbs; }
    QString value(const QString &select) { return m_bank->value(select); }

    std::unique_ptr<TestBank> m_bank;
    std::unique_ptr<ModalAnswerer> m_answers;
};

void TestPractice::init()
{
    m_answers = std::make_unique<ModalAnswerer>();
}

void TestPractice::cleanup()
{
    SimHost::closeAll();
    Startup::destroyWindows();
    m_answers.reset();
    m_bank.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().size() <= 1);
}

void TestPractice::makeBank(const QList<Question> &questions, const QStringList &chapters)
{
    m_bank = std::make_unique<TestBank>();
    QDir folder(m_bank->folder());
    folder.mkpath(QStringLiteral("images"));
    Artwork::writePictures(folder.filePath(QStringLiteral("images")));
    for (int i = 0; i < chapters.size(); ++i)
        m_bank->exec(QStringLiteral("insert into sbslist (id, list) values (%1, '%2')").arg(i + 1).arg(chapters.at(i)));
    for (const Question &q : questions) {
        m_bank->addQuestion(q.id, q.th, q.chapter, q.extra);
        const QString simulatorFolder = QStringLiteral("ovti/金山演示") + q.th;
        folder.mkpath(simulatorFolder);
        QFile::link(QStringLiteral(FAKESIM), folder.filePath(simulatorFolder + QStringLiteral("/ov")));
    }
}

// Start-up as the program does it: the main window opens on a chapter
// browser; wrong-question training then docks a browser of its own.
void TestPractice::openBrowser(int xs)
{
    PracticeForms::install();
    Startup::createWindows();
    QVERIFY(Forms::main);
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTRY_VERIFY(browser() && browser()->isVisible());
    if (xs == 4) {
        Forms::main->xs = 4;
        auto *wrong = new Tsbsjx(Forms::main->Panel3);
        browser()->close();
        Forms::sbsjx = wrong;
        wrong->show();
    }
    QTRY_VERIFY(browser() && browser()->isVisible());
}

QList<Question> chapterOf(const QString &chapter, int first, int count, const QString &extra = {})
{
    QList<Question> questions;
    for (int i = 0; i < count; ++i)
        questions.append({first + i, QString::number(first + i), chapter, extra});
    return questions;
}

void TestPractice::browserListsChaptersInIdOrder()
{
    makeBank(chapterOf(QStringLiteral("乙"), 201, 2) + chapterOf(QStringLiteral("甲"), 101, 3), {});
    m_bank->exec(QStringLiteral("insert into sbslist (id, list) values (3, '丙'), (1, '甲'), (2, '乙');"
                                "update sbsti set dqwz='2'"));
    openBrowser();
    QListWidget *chapters = browser()->ListBox1;
    QCOMPARE(chapters->count(), 3);
    QCOMPARE(chapters->item(0)->text() + chapters->item(1)->text() + chapters->item(2)->text(), QStringLiteral("甲乙丙"));
    // Showing in ordinary practice puts every question, of every chapter, in practice mode.
    QCOMPARE(value(QStringLiteral("select group_concat(dqwz, '') as v from sbsti")), QStringLiteral("00000"));

    chapters->setCurrentRow(1);
    browser()->ListBox1Click();
    QCOMPARE(browser()->listti, QStringLiteral("乙"));
    QCOMPARE(browser()->ListView1->topLevelItemCount(), 2);
    QCOMPARE(browser()->RichEdit2->toPlainText(), QStringLiteral("温馨提示：\n本章共2道题\n201代表第2章第一题"));
    QCOMPARE(browser()->RichEdit1->toPlainText(), QStringLiteral("要求:\n  题目201的要求"));
}

void TestPractice::startMarksTheWorkingSet_data()
{
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QString>("xz");
    QTest::addColumn<QString>("xzti");
    QTest::newRow("two of five") << QList<int>{1, 3} << "-1-1-" << "-1-1-";
    QTest::newRow("none") << QList<int>{} << "11111" << "-----";
}

void TestPractice::startMarksTheWorkingSet()
{
    QFETCH(QList<int>, ticked);
    QFETCH(QString, xz);
    QFETCH(QString, xzti);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 5) + chapterOf(QStringLiteral("其他"), 201, 1, QStringLiteral("xz=1")));
    openBrowser();
    if (!ticked.isEmpty()) {
        browser()->setCheckBoxes(true);
        for (int row : ticked)
            browser()->setChecked(row, true);
    }
    browser()->Button4Click();
    auto flags = [this](const QString &column) {
        return value(QStringLiteral("select group_concat(case when ifnull(%1, '') = '' then '-' else %1 end, '') as v"
                                    " from (select %1 from sbsti where list='基本操作' order by id)").arg(column));
    };
    QCOMPARE(flags(QStringLiteral("xz")), xz);
    QCOMPARE(flags(QStringLiteral("xzti")), xzti);
    // Questions of other chapters keep their flag.
    QCOMPARE(value(QStringLiteral("select xz as v from sbsti where th='201'")), QStringLiteral("1"));
    QVERIFY(practice());
    QCOMPARE(Forms::main->ctbh, 0);
    QCOMPARE(Forms::main->f6, 1);
    QVERIFY(practice()->host().isEmbedded());
}

void TestPractice::studyAgainTouchesOnlyItsChapter()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 2, QStringLiteral("zt=已完成,dycs=3"))
             + chapterOf(QStringLiteral("其他"), 201, 1, QStringLiteral("zt=已完成,dycs=3")),
             {QStringLiteral("基本操作"), QStringLiteral("其他")});
    openBrowser();
    QCOMPARE(browser()->ListView1->topLevelItem(0)->text(2), QStringLiteral("已完成"));
    QTest::mouseClick(browser()->Button1, Qt::LeftButton);
    QCOMPARE(value(QStringLiteral("select group_concat(ifnull(zt, '') || ifnull(dycs, ''), '/') as v from sbsti")),
             QStringLiteral("//已完成3"));
    QCOMPARE(browser()->ListView1->topLevelItem(0)->text(2), QString());
}

void TestPractice::doubleClickRules()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 2));
    openBrowser();
    QTreeWidget *list = browser()->ListView1;
    list->clearSelection();
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    QVERIFY(!practice());
    QCOMPARE(list->selectedItems().value(0), list->topLevelItem(0));
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    QVERIFY(practice());
}

void TestPractice::wrongQuestionModeListsTheWrongSet()
{
    makeBank({{1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("xz=1,fw=1,dqwz=2")},
              {2, QStringLiteral("102"), QStringLiteral("基本操作"), QStringLiteral("xz=1,dqwz=2")},
              {3, QStringLiteral("103"), QStringLiteral("基本操作"), QStringLiteral("fw=1,dqwz=2")},
              {4, QStringLiteral("104"), QStringLiteral("基本操作"), QStringLiteral("xz=1,fw=1,dqwz=2")}});
    openBrowser(4);
    m_bank->exec(QStringLiteral("update sbsti set dqwz='2'"));
    browser()->ListBox1Click();
    QCOMPARE(browser()->ListBox1->count(), 1);
    QCOMPARE(browser()->ListBox1->item(0)->text(), QStringLiteral("错题练习"));
    QCOMPARE(browser()->ListView1->topLevelItemCount(), 2);
    QCOMPARE(browser()->ListView1->topLevelItem(0)->text(0) + browser()->ListView1->topLevelItem(1)->text(0),
             QStringLiteral("101104"));
    browser()->Button4Click();
    // Only the working set goes to practice mode.
    QCOMPARE(value(QStringLiteral("select group_concat(dqwz, '') as v from sbsti")), QStringLiteral("0020"));
}

void TestPractice::walkWithEndNotices_data()
{
    QTest::addColumn<int>("xs");
    QTest::newRow("chapter") << 2;
    QTest::newRow("wrong questions") << 4;
}

// 101, 103 and 105 chosen, the run opened on 103.
void TestPractice::walkWithEndNotices()
{
    QFETCH(int, xs);
    const QString chosen = xs == 4 ? QStringLiteral("xz=1,fw=1") : QStringLiteral("xz=1");
    makeBank({{1, QStringLiteral("101"), QStringLiteral("基本操作"), chosen},
              {2, QStringLiteral("102"), QStringLiteral("基本操作"), {}},
              {3, QStringLiteral("103"), QStringLiteral("基本操作"), chosen},
              {4, QStringLiteral("104"), QStringLiteral("基本操作"), {}},
              {5, QStringLiteral("105"), QStringLiteral("基本操作"), chosen}});
    openBrowser(xs);
    if (xs == 2) {
        browser()->setCheckBoxes(true);
        for (int row : {0, 2, 4})
            browser()->setChecked(row, true);
        browser()->ListView1->setCurrentItem(browser()->ListView1->topLevelItem(2));
    }
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    const QString first = xs == 2 ? QStringLiteral("题号：103  第2题/共3题") : QStringLiteral("题号：101  第1题/共3题");
    QCOMPARE(sbs->Label1->text(), first);
    if (xs == 4) {
        QTest::mouseClick(sbs->Button3, Qt::LeftButton);
        QCOMPARE(sbs->Label1->text(), QStringLiteral("题号：103  第2题/共3题"));
    }
    QCOMPARE(sbs->RichEdit1->toPlainText(), QStringLiteral("要求:\n  题目103的要求"));

    QTest::mouseClick(sbs->Button3, Qt::LeftButton);
    QCOMPARE(sbs->Label1->text(), QStringLiteral("题号：105  第3题/共3题"));
    QCOMPARE(sbs->js, 105);
    const SimHost::WindowId embedded = sbs->host().aa();

    QTest::mouseClick(sbs->Button3, Qt::LeftButton);
    QCOMPARE(m_answers->texts, QStringList{QStringLiteral("已经是最后一道题了!")});
    QVERIFY(!sbs->Button3->isEnabled());
    QCOMPARE(sbs->js, 105);
    QCOMPARE(sbs->host().aa(), embedded);
    QCOMPARE(sbs->Label1->text(), QStringLiteral("题号：105  第3题/共3题"));

    QTest::mouseClick(sbs->Button1, Qt::LeftButton);
    QCOMPARE(sbs->Label1->text(), QStringLiteral("题号：103  第2题/共3题"));
    QVERIFY(sbs->Button3->isEnabled());
    QTest::mouseClick(sbs->Button1, Qt::LeftButton);
    QTest::mouseClick(sbs->Button1, Qt::LeftButton);
    QCOMPARE(m_answers->texts.last(), QStringLiteral("已经是第一道题了!"));
    QVERIFY(!sbs->Button1->isEnabled());
    QCOMPARE(sbs->js, 101);
    QCOMPARE(sbs->dd, 1);
}

void TestPractice::gridGeometry_data()
{
    QTest::addColumn<int>("xs");
    QTest::addColumn<QPoint>("sixth");
    QTest::addColumn<QPoint>("seventh");
    QTest::newRow("chapter") << 2 << QPoint(174, 31) << QPoint(4, 61);
    QTest::newRow("wrong questions") << 4 << QPoint(179, 31) << QPoint(4, 61);
}

void TestPractice::gridGeometry()
{
    QFETCH(int, xs);
    QFETCH(QPoint, sixth);
    QFETCH(QPoint, seventh);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 13, QStringLiteral("xz=1,fw=1")));
    openBrowser(xs);
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    QTest::mouseClick(sbs->Button4, Qt::LeftButton);
    QVERIFY(sbs->Panel3->isVisible());
    QVERIFY(sbs->gridButton(13) && !sbs->gridButton(14));
    QCOMPARE(sbs->gridButton(6)->pos(), sixth);
    QCOMPARE(sbs->gridButton(7)->pos(), seventh);
    QCOMPARE(sbs->gridButton(13)->pos(), QPoint(4, 91));
    QCOMPARE(sbs->gridButton(1)->size(), QSize(28, 23));
}

// Beyond 11 rows of six the grid scrolls; every button stays whole and reachable.
void TestPractice::longRunGridScrolls()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 70, QStringLiteral("xz=1")));
    openBrowser();
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    QTest::mouseClick(sbs->Button4, Qt::LeftButton);
    auto *area = sbs->Panel3->findChild<QScrollArea *>();
    QVERIFY(area && area->verticalScrollBar()->isVisible());
    for (int k = 1; k <= 70; ++k) {
        QPushButton *button = sbs->gridButton(k);
        QVERIFY(button);
        QVERIFY2(button->geometry().right() < area->viewport()->width(), qPrintable(QString::number(k)));
    }
    area->ensureWidgetVisible(sbs->gridButton(70));
    const QPoint inViewport = sbs->gridButton(70)->mapTo(area->viewport(), QPoint(14, 11));
    QVERIFY(area->viewport()->rect().contains(inViewport));
    QTest::mouseClick(sbs->gridButton(70), Qt::LeftButton);
    QCOMPARE(sbs->js, 170);
}

void TestPractice::gridRecoloursAndJumps()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 4, QStringLiteral("xz=1")));
    openBrowser();
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    m_bank->exec(QStringLiteral("update sbsti set zt='已完成' where th='102'"));
    QTest::mouseClick(sbs->Button4, Qt::LeftButton);
    auto colour = [sbs](int k) { return sbs->gridButton(k)->property("colour").value<QColor>(); };
    QCOMPARE(colour(1), QColor(255, 0, 0));
    QCOMPARE(colour(2), QColor(0, 0, 255));
    QCOMPARE(colour(3), QColor(192, 220, 192));

    QTest::mouseClick(sbs->gridButton(4), Qt::LeftButton);
    QCOMPARE(sbs->js, 104);
    QCOMPARE(sbs->Label1->text(), QStringLiteral("题号：104  第4题/共4题"));
    QCOMPARE(colour(4), QColor(255, 0, 0));
    QCOMPARE(colour(1), QColor(192, 220, 192));
    QVERIFY(sbs->host().isEmbedded());
    QVERIFY(sbs->Panel2->isVisible());
    QCOMPARE(sbs->dd, 1);

    QTest::mouseClick(static_cast<QWidget *>(sbs->Image2), Qt::LeftButton);
    QVERIFY(!sbs->Panel3->isVisible());
}

void TestPractice::stop_data()
{
    QTest::addColumn<int>("xs");
    QTest::newRow("chapter") << 2;
    QTest::newRow("wrong questions") << 4;
}

void TestPractice::stop()
{
    QFETCH(int, xs);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 3, QStringLiteral("xz=1,fw=1")));
    openBrowser(xs);
    if (xs == 2) {
        browser()->setCheckBoxes(true);
        browser()->setChecked(1, true);
    }
    browser()->Button4Click();
    QPointer<Tsbs> sbs = practice();
    QVERIFY(sbs);
    QPointer<Tsbsjx> list = browser();
    m_bank->exec(QStringLiteral("update sbsti set zt='已完成' where th='102'"));
    QTest::mouseClick(sbs->Button5, Qt::LeftButton);
    QTRY_VERIFY(!sbs);
    QCOMPARE(Forms::main->ctbh, 1);
    QCOMPARE(Forms::main->f6, 0);
    if (xs == 4) {
        QTRY_VERIFY(!list);
        QCOMPARE(Forms::main->xs, 8);
    } else {
        QVERIFY(!list->checkBoxes());
        QVERIFY(!list->ListView1->topLevelItem(0)->data(0, Qt::CheckStateRole).isValid());
        QCOMPARE(list->ListView1->topLevelItem(1)->text(2), QStringLiteral("已完成"));
    }
}

void TestPractice::pickerTicks()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 5));
    openBrowser();
    Txzlxt *picker = PracticeForms::picker();
    QTimer::singleShot(0, picker, [picker] {
        QCOMPARE(picker->ListView1->topLevelItemCount(), 5);
        QCOMPARE(picker->ListView1->topLevelItem(4)->text(0), QStringLiteral("105"));
        QCOMPARE(picker->ListView1->topLevelItem(4)->text(1), QStringLiteral("题目105的要求"));
        picker->setTicked(1, true);
        QTest::mouseClick(picker->Button2, Qt::LeftButton);
        QTest::mouseClick(picker->Button2, Qt::LeftButton);
        QVERIFY(picker->isTicked(1) && !picker->isTicked(0));
        QTest::mouseClick(picker->Button4, Qt::LeftButton);
        QTest::mouseClick(picker->Button2, Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            QVERIFY(!picker->isTicked(i));
        QTest::mouseClick(picker->Button3, Qt::LeftButton);
    });
    QTest::mouseClick(browser()->Button2, Qt::LeftButton);
    QVERIFY(!browser()->checkBoxes());
    QVERIFY(!practice());
}

void TestPractice::pickerStartsWithTheThirdAndFifth()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 5));
    openBrowser();
    Txzlxt *picker = PracticeForms::picker();
    QTimer::singleShot(0, picker, [picker] {
        picker->setTicked(2, true);
        picker->setTicked(4, true);
        QTest::mouseClick(picker->Button1, Qt::LeftButton);
    });
    QTest::mouseClick(browser()->Button2, Qt::LeftButton);
    QVERIFY(browser()->checkBoxes());
    QVERIFY(browser()->isChecked(2) && browser()->isChecked(4) && !browser()->isChecked(0));
    QCOMPARE(value(QStringLiteral("select group_concat(th, ',') as v from sbsti where xz='1'")), QStringLiteral("103,105"));
    QVERIFY(practice());
    QCOMPARE(practice()->Label1->text(), QStringLiteral("题号：103  第1题/共2题"));
}

void TestPractice::emptyWorkingSetGivesTheBrowserBack()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 2));
    openBrowser(4);
    browser()->Button4Click();
    QCOMPARE(m_answers->texts, QStringList{QStringLiteral("没有可以练习的题目!")});
    QTRY_VERIFY(!practice());
    QCOMPARE(Forms::main->ctbh, 1);
    QCOMPARE(Forms::main->f6, 0);
    QVERIFY(browser() && browser()->isVisible());
}

// Table jl holds the simulator panel's screen position: at creation, and
// again after the candidate drags the main window.
void TestPractice::panelPositionHandedOver()
{
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 2, QStringLiteral("xz=1")));
    openBrowser();
    browser()->Button4Click();
    QVERIFY(practice());
    const QPoint main = Forms::main->pos();
    QCOMPARE(value(QStringLiteral("select jl || ',' || jl1 as v from jl")),
             QStringLiteral("%1,%2").arg(main.x() + 198 + 9).arg(main.y() + 109));
    Forms::main->move(100, 50);
    QTRY_COMPARE(Forms::main->pos(), QPoint(100, 50));
    QVERIFY(Forms::main->practiceMoved);
    Forms::main->practiceMoved();
    QCOMPARE(value(QStringLiteral("select count(*) || ':' || jl || ',' || jl1 as v from jl")), QStringLiteral("1:307,159"));
    QTest::mouseClick(practice()->Button5, Qt::LeftButton);
    QTRY_VERIFY(!practice());
    QVERIFY(!Forms::main->practiceMoved);
}

// Without IBus the list holds only the English choice, and choosing it
// stores nothing (there is no input method to hand over).
void TestPractice::inputMethodListWithoutIBus()
{
    if (InputMethods::ibusRunning())
        QSKIP("IBus runs here");
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 1, QStringLiteral("xz=1")));
    openBrowser();
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    QCOMPARE(sbs->ComboBox1->count(), 1);
    QCOMPARE(sbs->ComboBox1->currentText(), QStringLiteral("英文输入法"));
    QVERIFY(!sbs->ComboBox1->isEditable());  // nothing typed can reach `srf`
    emit sbs->ComboBox1->activated(0);
    QCOMPARE(value(QStringLiteral("select count(*) as v from srf")), QStringLiteral("0"));
}

// The real simulator of every question: a chapter opened, stepped, jumped
// and stopped, checked in the X window tree and the bank.
void TestPractice::realSimulatorRun()
{
    const QList<Question> questions = chapterOf(QStringLiteral("幻灯片的编辑"), 201, 3);
    makeBank(questions, {QStringLiteral("幻灯片的编辑")});
    QList<ContentSources::Question> tasks;
    for (const Question &q : questions) {
        QDir(m_bank->folder()).remove(QStringLiteral("ovti/金山演示") + q.th + QStringLiteral("/ov"));
        tasks.append({q.th, {}, QStringLiteral("在第1张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。"), q.chapter});
    }
    writeSimulatorFolders(tasks, m_bank->folder(), QStringLiteral(SIMULATOR));
    openBrowser();
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    X11Embed *x = X11Embed::instance();
    auto embeddedRight = [&] {
        const SimHost::WindowId window = sbs->host().aa();
        return window != 0 && x->parentOf(window) == SimHost::WindowId(sbs->Panel2->winId())
            && x->geometryOf(window) == QRect(0, 0, 900, 700);
    };
    QVERIFY(embeddedRight());
    QTRY_VERIFY(x->isViewable(sbs->host().aa()));
    QCOMPARE(value(QStringLiteral("select jc as v from sbsti where th='201'")), QString::number(sbs->host().aa()));

    // X may hand the next simulator the same window id; the process tells.
    const qint64 firstPid = sbs->host().launchedPid();
    QTest::mouseClick(sbs->Button3, Qt::LeftButton);
    QCOMPARE(sbs->js, 202);
    QVERIFY(embeddedRight());
    QVERIFY(sbs->host().launchedPid() != firstPid);
    QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(firstPid)));
    QTRY_COMPARE(value(QStringLiteral("select ifnull(jc, '') as v from sbsti where th='201'")), QString());

    QTest::mouseClick(sbs->Button4, Qt::LeftButton);
    QTest::mouseClick(sbs->gridButton(3), Qt::LeftButton);
    QCOMPARE(sbs->js, 203);
    QVERIFY(embeddedRight());
    QTest::mouseClick(sbs->Button1, Qt::LeftButton);
    QCOMPARE(sbs->js, 202);
    QVERIFY(embeddedRight());

    const qint64 pid = sbs->host().launchedPid();
    QTest::mouseClick(sbs->Button5, Qt::LeftButton);
    QTRY_VERIFY(!practice());
    QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
    QCOMPARE(value(QStringLiteral("select group_concat(ifnull(jc, ''), '') as v from sbsti")), QString());
    QVERIFY(m_answers->texts.isEmpty());
}

QTEST_MAIN(TestPractice)
#include "tst_practice.moc"
