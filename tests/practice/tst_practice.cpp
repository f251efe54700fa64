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
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
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
            } else if (auto *box = qobject_cast<QMessageBox *>(modal); box && box->icon() == QMessageBox::Question) {
                texts << QStringLiteral("question: ") + box->text();
                QTest::mouseClick(box->button(confirm ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
            } else if (box) {
                texts << QStringLiteral("error: ") + box->text();
                box->close();
            }
        });
        m_timer.start(20);
    }
    QStringList texts;
    bool confirm = true;  // the answer to a question box

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
    void chapterFollowsTheCurrentItem_data();
    void chapterFollowsTheCurrentItem();
    void studyAgainAsksThenTouchesOnlyItsChapter_data();
    void studyAgainAsksThenTouchesOnlyItsChapter();
    void doubleClickRules();
    void wrongQuestionModeListsTheWrongSet();
    void taskBoxShowsTheLabelledTask_data();
    void taskBoxShowsTheLabelledTask();
    void walkWithEndNotices_data();
    void walkWithEndNotices();
    void gridShowsEveryButtonWhole_data();
    void gridShowsEveryButtonWhole();
    void gridRecoloursAndJumps();
    void stop_data();
    void stop();
    void pickerTicks();
    void pickerStartsWithTheThirdAndFifth();
    void pickerShowsNumbersAndStatesWhole_data();
    void pickerShowsNumbersAndStatesWhole();
    void pickerComesBackWhenMinimised();
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
    std::unique_ptr<QProcess> m_windowManager;
};

void TestPractice::init()
{
    m_answers = std::make_unique<ModalAnswerer>();
}

void TestPractice::cleanup()
{
    SimHost::closeAll();
    Startup::destroyWindows();
    if (m_windowManager) {
        m_windowManager->terminate();
        m_windowManager->waitForFinished(3000);
        m_windowManager.reset();
    }
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

void TestPractice::chapterFollowsTheCurrentItem_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::newRow("arrow key") << "down";
    QTest::newRow("mouse") << "click";
    QTest::newRow("end key") << "end";
}

// However the candidate moves to the second chapter, its questions are listed
// and "开始练习" practises them.
void TestPractice::chapterFollowsTheCurrentItem()
{
    QFETCH(QString, gesture);
    makeBank(chapterOf(QStringLiteral("甲"), 101, 3) + chapterOf(QStringLiteral("乙"), 201, 2),
             {QStringLiteral("甲"), QStringLiteral("乙")});
    openBrowser();
    QListWidget *chapters = browser()->ListBox1;
    QCOMPARE(browser()->ListView1->topLevelItemCount(), 3);
    if (gesture == u"click") {
        QTest::mouseClick(chapters->viewport(), Qt::LeftButton, {}, chapters->visualItemRect(chapters->item(1)).center());
    } else {
        chapters->setFocus();
        QTest::keyClick(chapters, gesture == u"down" ? Qt::Key_Down : Qt::Key_End);
    }
    QCOMPARE(chapters->currentRow(), 1);
    QCOMPARE(browser()->listti, QStringLiteral("乙"));
    QCOMPARE(browser()->ListView1->topLevelItemCount(), 2);
    QCOMPARE(browser()->ListView1->topLevelItem(0)->text(0), QStringLiteral("201"));
    QVERIFY(browser()->RichEdit2->toPlainText().endsWith(QStringLiteral("201代表第2章第一题")));
    browser()->Button4Click();
    QCOMPARE(value(QStringLiteral("select group_concat(th, ',') as v from sbsti where xz='1'")), QStringLiteral("201,202"));
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

void TestPractice::studyAgainAsksThenTouchesOnlyItsChapter_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("states");
    QTest::newRow("confirmed") << true << "//已完成3";
    QTest::newRow("cancelled") << false << "已完成3/已完成3/已完成3";
}

void TestPractice::studyAgainAsksThenTouchesOnlyItsChapter()
{
    QFETCH(bool, confirm);
    QFETCH(QString, states);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 2, QStringLiteral("zt=已完成,dycs=3"))
             + chapterOf(QStringLiteral("其他"), 201, 1, QStringLiteral("zt=已完成,dycs=3")),
             {QStringLiteral("基本操作"), QStringLiteral("其他")});
    openBrowser();
    QCOMPARE(browser()->ListView1->topLevelItem(0)->text(2), QStringLiteral("已完成"));
    m_answers->confirm = confirm;
    QTest::mouseClick(browser()->Button1, Qt::LeftButton);
    QCOMPARE(m_answers->texts, QStringList{QStringLiteral("question: 确定要清除本章的练习记录吗？")});
    QCOMPARE(value(QStringLiteral("select group_concat(ifnull(zt, '') || ifnull(dycs, ''), '/') as v from sbsti")), states);
    QCOMPARE(browser()->ListView1->topLevelItem(0)->text(2), confirm ? QString() : QStringLiteral("已完成"));
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

void TestPractice::taskBoxShowsTheLabelledTask_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("shown");  // the question whose task ends up in the box
    QTest::newRow("browser row") << "browser" << "102";
    QTest::newRow("opening") << "open" << "101";
    QTest::newRow("next") << "next" << "102";
    QTest::newRow("previous") << "previous" << "102";
    QTest::newRow("grid jump") << "jump" << "102";
}

// Tasks as a bank may hold them: markup, which is shown as typed and never
// rendered (an image tag would load a file), and 100 KB of text. The task
// box shows the task from its beginning; in the practice window it changes
// with the position label, so that even while the next simulator is being
// embedded the candidate never reads one question's number over another's task.
void TestPractice::taskBoxShowsTheLabelledTask()
{
    QFETCH(QString, step);
    QFETCH(QString, shown);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 3, QStringLiteral("xz=1")));
    QDir(m_bank->folder()).mkpath(QStringLiteral("images"));
    auto taskOf = [](const QString &th) {
        return QStringLiteral("<img src=images/sbs_wait.png><b>题目%1</b>&amp;").arg(th)
             + QStringLiteral("很长的要求，一行又一行。\n").repeated(3000);
    };
    for (const QString &th : {QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103")})
        m_bank->exec(QStringLiteral("update sbsti set ti='%1' where th='%2'").arg(taskOf(th), th));
    auto showsFromItsStart = [&](QTextEdit *box, const QString &th) {
        const QScrollBar *bar = box->verticalScrollBar();
        return box->toPlainText() == QStringLiteral("要求:\n  ") + taskOf(th) && bar->maximum() > 0 && bar->value() == 0;
    };
    openBrowser();
    QTreeWidget *list = browser()->ListView1;
    if (step == u"browser") {
        list->setCurrentItem(list->topLevelItem(1));
        QTRY_VERIFY(showsFromItsStart(browser()->RichEdit1, shown));
        QTest::qWait(100);
        QVERIFY(showsFromItsStart(browser()->RichEdit1, shown));
        return;
    }
    list->setCurrentItem(list->topLevelItem(step == u"previous" ? 2 : 0));
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    auto labelled = [sbs] { return sbs->Label1->text().mid(3, 3); };
    QStringList mismatched;
    connect(&sbs->host(), &SimHost::embedded, sbs, [&] {
        if (sbs->RichEdit1->toPlainText() != QStringLiteral("要求:\n  ") + taskOf(labelled()))
            mismatched << labelled();
    });
    if (step == u"next") {
        QTest::mouseClick(sbs->Button3, Qt::LeftButton);
    } else if (step == u"previous") {
        QTest::mouseClick(sbs->Button1, Qt::LeftButton);
    } else if (step == u"jump") {
        QTest::mouseClick(sbs->Button4, Qt::LeftButton);
        QTest::mouseClick(sbs->gridButton(2), Qt::LeftButton);
    }
    QCOMPARE(mismatched, QStringList());
    QCOMPARE(labelled(), shown);
    QTRY_VERIFY(showsFromItsStart(sbs->RichEdit1, shown));
    QTest::qWait(100);
    QVERIFY(showsFromItsStart(sbs->RichEdit1, shown));
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

void TestPractice::gridShowsEveryButtonWhole_data()
{
    QTest::addColumn<int>("xs");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("top");  // of the first row in the grid panel
    QTest::newRow("chapter, 13") << 2 << 13 << 31;
    QTest::newRow("wrong questions, 13") << 4 << 13 << 31;
    QTest::newRow("chapter, 60") << 2 << 60 << 31;
    QTest::newRow("wrong questions, 60") << 4 << 60 << 31;
    QTest::newRow("chapter, 66") << 2 << 66 << 31;
    QTest::newRow("chapter, 72") << 2 << 72 << 30;
    QTest::newRow("chapter, 75") << 2 << 75 << 30;
    QTest::newRow("wrong questions, 75") << 4 << 75 << 30;
    QTest::newRow("chapter, 100") << 2 << 100 << 30;
}

// Rows of six buttons 28 × 23, 30 pixels apart below the header, evenly
// spaced with equal margins: the sixth column lies whole inside the panel.
// Up to 12 rows show at once; a longer run scrolls, and wherever it is
// scrolled no row shows cut or hides under the header. Scrolled to its end,
// the last row shows whole and answers a click.
void TestPractice::gridShowsEveryButtonWhole()
{
    QFETCH(int, xs);
    QFETCH(int, count);
    QFETCH(int, top);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, count, QStringLiteral("xz=1,fw=1")));
    openBrowser(xs);
    browser()->Button4Click();
    Tsbs *sbs = practice();
    QVERIFY(sbs);
    QTest::mouseClick(sbs->Button4, Qt::LeftButton);
    QVERIFY(sbs->Panel3->isVisible());
    QVERIFY(sbs->gridButton(count) && !sbs->gridButton(count + 1));
    auto *area = sbs->Panel3->findChild<QScrollArea *>();
    QVERIFY(area);
    QWidget *viewport = area->viewport();
    QScrollBar *bar = area->verticalScrollBar();
    QCOMPARE(bar->isVisible(), count > 72);
    QVERIFY(viewport->width() + (bar->isVisible() ? bar->width() : 0) <= sbs->Panel3->width());
    const QRect header = sbs->Image3->geometry().united(sbs->Image2->geometry());
    QVERIFY(viewport->mapTo(sbs->Panel3, QPoint(0, 0)).y() > header.bottom());

    const QRect first = sbs->gridButton(1)->geometry();
    QCOMPARE(first.size(), QSize(28, 23));
    QCOMPARE(sbs->gridButton(1)->mapTo(sbs->Panel3, QPoint(0, 0)).y(), top);
    const int step = sbs->gridButton(2)->x() - first.x();
    QVERIFY(step >= 30);
    for (int k = 1; k <= count; ++k) {
        const QRect button = sbs->gridButton(k)->geometry();
        QCOMPARE(button.topLeft(), first.topLeft() + QPoint((k - 1) % 6 * step, (k - 1) / 6 * 30));
        QCOMPARE(button.size(), first.size());
    }
    const int rightMargin = viewport->width() - 1 - sbs->gridButton(6)->geometry().right();
    QVERIFY2(first.left() >= 2 && qAbs(rightMargin - first.left()) <= 1,
             qPrintable(QStringLiteral("margins %1 and %2").arg(first.left()).arg(rightMargin)));

    auto cutRows = [&] {
        QList<int> cut;
        for (int k = 1; k <= count; k += 6) {
            const QRect inView(sbs->gridButton(k)->mapTo(viewport, QPoint(0, 0)), first.size());
            if (viewport->rect().intersects(inView) && !viewport->rect().contains(inView))
                cut << k;
        }
        return cut;
    };
    QCOMPARE(cutRows(), QList<int>());
    for (auto action : {QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderPageStepAdd,
                        QAbstractSlider::SliderToMaximum, QAbstractSlider::SliderPageStepSub}) {
        bar->triggerAction(action);
        QCOMPARE(cutRows(), QList<int>());
    }
    bar->setValue(bar->maximum());
    QVERIFY(viewport->rect().contains(QRect(sbs->gridButton(count)->mapTo(viewport, QPoint(0, 0)), first.size())));
    QTest::mouseClick(sbs->gridButton(count), Qt::LeftButton);
    QCOMPARE(sbs->js, 100 + count);
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
    // The colour is the button's face as painted, flat: no shading.
    auto colour = [sbs](int k) {
        const QImage face = sbs->gridButton(k)->grab().toImage();
        const QColor colour = face.pixelColor(4, 4);
        return colour == face.pixelColor(face.width() - 5, face.height() - 5) ? colour : QColor();
    };
    QCOMPARE(colour(1), QColor(255, 0, 0));
    QCOMPARE(colour(2), QColor(0, 0, 255));
    QCOMPARE(colour(3), QColor(192, 220, 192));
    QCOMPARE(sbs->gridButton(3)->accessibleName(), QStringLiteral("第3题"));

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

void TestPractice::pickerShowsNumbersAndStatesWhole_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::newRow("5 questions") << 5 << 800;
    QTest::newRow("40 questions, scrolling") << 40 << 800;
    QTest::newRow("40 questions, narrowed") << 40 << 640;
}

// The numbers beside their check boxes and the states show whole, inside
// the window, whatever its width; the task takes the rest.
void TestPractice::pickerShowsNumbersAndStatesWhole()
{
    QFETCH(int, count);
    QFETCH(int, width);
    makeBank(chapterOf(QStringLiteral("基本操作"), 101, count, QStringLiteral("zt=已完成")));
    openBrowser();
    Txzlxt *picker = PracticeForms::picker();
    QStringList cut;
    QTimer::singleShot(0, picker, [&] {
        picker->resize(width, 600);
        QTest::qWait(50);
        QTreeWidget *list = picker->ListView1;
        const QHeaderView *header = list->header();
        const QAbstractItemView *view = list;
        for (int column : {0, 2}) {
            const int size = header->sectionSize(column);
            if (size < view->sizeHintForColumn(column) || size < header->sectionSizeHint(column)
                || header->sectionViewportPosition(column) + size > list->viewport()->width())
                cut << list->headerItem()->text(column);
        }
        if (header->sectionViewportPosition(2) + header->sectionSize(2) < list->viewport()->width() - 1)
            cut << QStringLiteral("要求 leaves a gap");
        QTest::mouseClick(picker->Button3, Qt::LeftButton);
    });
    QTest::mouseClick(browser()->Button2, Qt::LeftButton);
    QCOMPARE(cut, QStringList());
}

// Under a window manager the picker, which blocks the program while it is
// open, cannot be minimised out of sight: it comes straight back.
void TestPractice::pickerComesBackWhenMinimised()
{
    QVERIFY(QProcess::execute(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-remove"),
                                                         QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            == 0);
    m_windowManager = std::make_unique<QProcess>();
    m_windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QVERIFY(m_windowManager->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT([] {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        xprop.waitForFinished();
        return xprop.readAllStandardOutput().contains("window id");
    }(), 5000);

    makeBank(chapterOf(QStringLiteral("基本操作"), 101, 3));
    openBrowser();
    Txzlxt *picker = PracticeForms::picker();
    bool shown = false;
    bool back = false;
    QTimer::singleShot(0, picker, [&] {
        const auto window = SimHost::WindowId(picker->winId());
        shown = QTest::qWaitFor([&] { return X11Embed::instance()->isViewable(window); }, 5000);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QString::number(window)});
        QTest::qWait(500);
        back = QTest::qWaitFor([&] { return X11Embed::instance()->isViewable(window) && !picker->isMinimized(); }, 3000);
        QTest::mouseClick(picker->Button3, Qt::LeftButton);
    });
    QTest::mouseClick(browser()->Button2, Qt::LeftButton);
    QVERIFY(shown);
    QVERIFY(back);
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
    QList<Task> tasks;
    for (const Question &q : questions) {
        QDir(m_bank->folder()).remove(QStringLiteral("ovti/金山演示") + q.th + QStringLiteral("/ov"));
        tasks.append(deriveTask(q.th, QStringLiteral("在第1张幻灯片之后插入一张新幻灯片，版式为“标题和文本”。")));
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
