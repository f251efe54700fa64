#include "connection.h"
#include "forms.h"
#include "modules.h"
#include "picturebox.h"
#include "placement.h"
#include "programfolder.h"
#include "shellfixture.h"
#include "startup.h"
#include "testbank.h"
#include "tmain.h"
#include "ttcrj.h"
#include "ttits.h"
#include "ttzts.h"

#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

using Look = Tmain::Look;
Q_DECLARE_METATYPE(Tmain::Look)

class TestTmain : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingState();
    void pictureEvents_data();
    void pictureEvents();
    void fromOneButtonOntoAnother();
    void moduleClicks_data();
    void moduleClicks();
    void refusalsWhileQuestionOpen_data();
    void refusalsWhileQuestionOpen();
    void refusedButtonKeepsItsPressedLook_data();
    void refusedButtonKeepsItsPressedLook();
    void updateButtonLeavesSelectionUnshown();
    void guidedPracticeTwice();
    void closeButtonAsksAndCancelGoesOn();
    void placement_data();
    void placement();
    void missingPictureStopsTheClick();
    void missingBankLeavesStartUpGoing_data();
    void missingBankLeavesStartUpGoing();
    void dragCallsThePracticeHookOnlyWhilePracticeIsOpen();

private:
    static void press(QWidget *w) { QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5)); }
    static void release(QWidget *w) { QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(-50, -50)); }
    static void move(QWidget *w)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    static void leave(QWidget *w)
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(w, &event);
    }
    static QString shown(int n) { return Forms::main->navigationButton(n)->picturePath(); }

    std::unique_ptr<TestBank> m_bank;
    Modules::Factories m_savedFactories;
};

void TestTmain::init()
{
    m_savedFactories = Modules::factories();
    m_bank = std::make_unique<TestBank>();
    drawShellPictures(m_bank->folder());
    Startup::createWindows();
    QVERIFY(Forms::main);
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTRY_COMPARE(Forms::main->anniu, 3);
}

void TestTmain::cleanup()
{
    Startup::destroyWindows();
    Modules::factories() = m_savedFactories;
    m_bank.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestTmain::openingState()
{
    Tmain *main = Forms::main;
    QCOMPARE(main->xs, 2);
    QCOMPARE(main->ctbh, 1);
    QCOMPARE(main->f6, 0);
    QCOMPARE(main->anniu, 3);
    QCOMPARE(main->size(), QSize(1020, 758));
    QVERIFY(main->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(main->windowTitle(), QStringLiteral("Pelquor"));
    QVERIFY(main->ADOConnection1.isOpen());
    QVERIFY(!main->Timer1->isActive());
    for (int n : {1, 2, 5, 7, 8})
        QCOMPARE(shown(n), Tmain::picture(n, Look::Normal));
    QCOMPARE(shown(3), Tmain::picture(3, Look::Selected));
    // The chapter browser lies on top in Panel3, its banner filled.
    QVERIFY(Forms::sbsjx);
    QCOMPARE(Forms::sbsjx->parentWidget(), main->Panel3);
    QVERIFY(Forms::sbsjx->isVisible());
    QCOMPARE(main->Panel3->childAt(300, 300), Forms::sbsjx.data());
    const auto banners = Forms::sbsjx->findChildren<QLabel *>();
    QVERIFY(!banners.isEmpty() && !banners.first()->pixmap().isNull());
}

void TestTmain::pictureEvents_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("anniu");
    QTest::addColumn<int>("latch");
    QTest::addColumn<QString>("events");
    QTest::addColumn<Look>("look");
    QTest::addColumn<int>("latchAfter");

    QTest::newRow("press on another button") << 1 << 3 << 0 << "press" << Look::Selected << 0;
    QTest::newRow("press on the selected button") << 3 << 3 << 0 << "press" << Look::Selected << 0;
    QTest::newRow("hover") << 5 << 3 << 0 << "move" << Look::Hover << 1;
    QTest::newRow("hover, moving on") << 5 << 3 << 0 << "move move" << Look::Hover << 1;
    QTest::newRow("hover, then leave") << 7 << 3 << 0 << "move leave" << Look::Normal << 0;
    QTest::newRow("hover while the latch is set") << 2 << 3 << 1 << "move" << Look::Normal << 1;
    QTest::newRow("hover on the selected button") << 3 << 3 << 0 << "move" << Look::Selected << 0;
    QTest::newRow("leave the selected button") << 3 << 3 << 0 << "move leave" << Look::Selected << 0;
    QTest::newRow("leave after a press") << 1 << 3 << 0 << "press leave" << Look::Normal << 0;
    QTest::newRow("selected before any click") << 1 << 0 << 0 << "move" << Look::Hover << 1;
    QTest::newRow("update: hover") << 8 << 3 << 0 << "move" << Look::Hover << 0;
    QTest::newRow("update: hover ignores the latch") << 8 << 3 << 1 << "move" << Look::Hover << 1;
    QTest::newRow("update: leave") << 8 << 3 << 0 << "move leave" << Look::Normal << 0;
    QTest::newRow("update: no pressed look") << 8 << 3 << 0 << "press" << Look::Normal << 0;
}

void TestTmain::pictureEvents()
{
    QFETCH(int, n);
    QFETCH(int, anniu);
    QFETCH(int, latch);
    QFETCH(QString, events);
    QFETCH(Look, look);
    QFETCH(int, latchAfter);

    Tmain *main = Forms::main;
    PictureBox *button = main->navigationButton(n);
    main->anniu = anniu;
    main->anniu1 = latch;
    button->loadPicture(Tmain::picture(n, anniu == n ? Look::Selected : Look::Normal));
    for (const QString &event : events.split(u' ')) {
        if (event == u"press")
            press(button);
        else if (event == u"move")
            move(button);
        else
            leave(button);
    }
    release(button);
    QCOMPARE(button->picturePath(), Tmain::picture(n, look));
    QCOMPARE(main->anniu1, latchAfter);
    QCOMPARE(main->anniu, anniu);
}

void TestTmain::fromOneButtonOntoAnother()
{
    move(Forms::main->Image1);
    leave(Forms::main->Image1);
    move(Forms::main->Image2);
    QCOMPARE(shown(1), Tmain::picture(1, Look::Normal));
    QCOMPARE(shown(2), Tmain::picture(2, Look::Hover));
}

void TestTmain::moduleClicks_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("study plan") << 1;
    QTest::newRow("classroom") << 2;
    QTest::newRow("exam room") << 5;
    QTest::newRow("exam guide") << 7;
}

void TestTmain::moduleClicks()
{
    QFETCH(int, n);
    Tmain *main = Forms::main;
    const QPointer<QWidget> module = n == 1 ? Forms::xxjh : n == 2 ? Forms::wlkt : n == 5 ? Forms::mnks : Forms::kszn;
    QVERIFY(module && !module->isVisible());
    main->xs = 4;

    QTest::mouseClick(main->navigationButton(n), Qt::LeftButton);
    QCOMPARE(main->anniu, n);
    QCOMPARE(main->xs, 4);
    for (int other : {1, 2, 3, 5, 7, 8})
        QCOMPARE(shown(other), Tmain::picture(other, other == n ? Look::Selected : Look::Normal));
    QCOMPARE(module->parentWidget(), main->Panel3);
    QCOMPARE(module->size(), QSize(1000, 645));
    QVERIFY(module->isVisible());
    QCOMPARE(main->Panel3->childAt(300, 300), module.data());

    // Back to guided practice and again: the module keeps its window.
    main->Image3Click();
    QTest::mouseClick(main->navigationButton(n), Qt::LeftButton);
    QCOMPARE(main->Panel3->childAt(300, 300), module.data());
}

void TestTmain::refusalsWhileQuestionOpen_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<Look>("look");  // the pressed look stays until the mouse leaves
    QTest::newRow("study plan") << 1 << Look::Selected;
    QTest::newRow("classroom") << 2 << Look::Selected;
    QTest::newRow("guided practice") << 3 << Look::Selected;
    QTest::newRow("exam room") << 5 << Look::Selected;
    QTest::newRow("exam guide") << 7 << Look::Selected;
    QTest::newRow("update") << 8 << Look::Normal;
    QTest::newRow("close") << 12 << Look::Normal;
}

void TestTmain::refusalsWhileQuestionOpen()
{
    QFETCH(int, n);
    QFETCH(Look, look);
    Tmain *main = Forms::main;
    main->ctbh = 0;
    main->xs = 4;
    const QPointer<QWidget> browser = Forms::sbsjx;
    bool updateChecked = false;
    Modules::factories().updateCheck = [&] { updateChecked = true; };

    QString notice;
    ModalAnswer answer([&](QWidget *modal) {
        auto *tits = qobject_cast<Ttits *>(modal);
        QVERIFY(tits);
        notice = tits->Label1->text();
        QTest::mouseClick(tits->Button1, Qt::LeftButton);
    });
    PictureBox *button = n == 12 ? main->Image12 : main->navigationButton(n);
    const QString lookBefore = button->picturePath();
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    // A hand reaches the button before it clicks: the pointer's arrival (and
    // the hover look it brings) is seen before the click, never after it.
    QTRY_VERIFY(button->underMouse());
    if (n != 3)
        QTRY_VERIFY(button->picturePath() != lookBefore);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(notice, QStringLiteral("请您关闭正在做的题!"));
    QVERIFY(!Forms::tits->isVisible());

    QCOMPARE(main->anniu, 3);
    QCOMPARE(main->xs, 4);
    QCOMPARE(Forms::sbsjx.data(), browser.data());
    QVERIFY(!updateChecked);
    QVERIFY(!Forms::xxjh->isVisible() && !Forms::wlkt->isVisible() && !Forms::mnks->isVisible() && !Forms::kszn->isVisible());
    for (int other : {1, 2, 3, 5, 7, 8}) {
        const Look expected = other == n ? look : other == 3 ? Look::Selected : Look::Normal;
        QCOMPARE(shown(other), Tmain::picture(other, expected));
    }
    QVERIFY(main->isVisible());
}

void TestTmain::refusedButtonKeepsItsPressedLook_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("pointerStays");  // on the button while the notice is up
    QTest::newRow("exam room, pointer stays") << 5 << true;
    QTest::newRow("exam room, pointer moves away") << 5 << false;
    QTest::newRow("guided practice, pointer stays") << 3 << true;
    QTest::newRow("guided practice, pointer moves away") << 3 << false;
}

// Showing the notice takes the pointer from the button (the window system
// sends it a leave) although the pointer has not moved: the pressed look
// stays as long as the pointer is on the button.
void TestTmain::refusedButtonKeepsItsPressedLook()
{
    QFETCH(int, n);
    QFETCH(bool, pointerStays);
    Tmain *main = Forms::main;
    main->ctbh = 0;
    main->anniu = 1;
    PictureBox *button = main->navigationButton(n);
    button->loadPicture(Tmain::picture(n, Look::Normal));
    QCursor::setPos(button->mapToGlobal(QPoint(37, 37)));
    QString lookDuringNotice;
    ModalAnswer answer([&](QWidget *modal) {
        leave(button);
        lookDuringNotice = button->picturePath();
        if (!pointerStays)
            QCursor::setPos(main->mapToGlobal(QPoint(700, 400)));
        QTest::mouseClick(qobject_cast<Ttits *>(modal)->Button1, Qt::LeftButton);
    });
    move(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(37, 37));
    QVERIFY(answer.answered());
    QCOMPARE(lookDuringNotice, Tmain::picture(n, Look::Selected));
    QCOMPARE(shown(n), Tmain::picture(n, pointerStays ? Look::Selected : Look::Normal));
    leave(button);
    QCOMPARE(shown(n), Tmain::picture(n, Look::Normal));
    QCOMPARE(main->anniu, 1);
}

void TestTmain::updateButtonLeavesSelectionUnshown()
{
    Tmain *main = Forms::main;
    int checks = 0;
    Modules::factories().updateCheck = [&] { ++checks; };
    QTest::mouseClick(main->Image8, Qt::LeftButton);
    QCOMPARE(checks, 1);
    QCOMPARE(main->anniu, 3);
    QCOMPARE(shown(8), Tmain::picture(8, Look::Selected));
    QCOMPARE(shown(3), Tmain::picture(3, Look::Normal));
    // The selected button neither hovers nor gets its selected look back.
    move(main->Image3);
    leave(main->Image3);
    QCOMPARE(shown(3), Tmain::picture(3, Look::Normal));
}

void TestTmain::guidedPracticeTwice()
{
    Tmain *main = Forms::main;
    QList<int> xsAtShow;
    QList<QPointer<QWidget>> made;
    auto previous = Modules::factories().sbsjx;
    Modules::factories().sbsjx = [&](QWidget *panel) {
        Modules::ChapterBrowser browser = previous(panel);
        made.append(browser.window);
        // Records xs when the browser's show handler would run.
        struct ShowProbe : QObject
        {
            QList<int> &seen;
            ShowProbe(QObject *parent, QList<int> &seen) : QObject(parent), seen(seen) {}
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::Show)
                    seen.append(Forms::main->xs);
                return false;
            }
        };
        browser.window->installEventFilter(new ShowProbe(browser.window, xsAtShow));
        return browser;
    };
    main->xs = 8;
    QTest::mouseClick(main->Image3, Qt::LeftButton);
    main->xs = 4;
    QTest::mouseClick(main->Image3, Qt::LeftButton);
    QCOMPARE(made.size(), 2);
    QCOMPARE(xsAtShow, QList<int>({2, 2}));
    QCOMPARE(Forms::sbsjx.data(), made.last().data());
    QCOMPARE(main->Panel3->childAt(300, 300), made.last().data());
    QTRY_VERIFY(!made.first());  // an earlier browser is not kept
}

void TestTmain::closeButtonAsksAndCancelGoesOn()
{
    Tmain *main = Forms::main;
    ModalAnswer answer([](QWidget *modal) {
        auto *tcrj = qobject_cast<Ttcrj *>(modal);
        QVERIFY(tcrj);
        QTest::mouseClick(tcrj->Button2, Qt::LeftButton);
    });
    QTest::mouseClick(main->Image12, Qt::LeftButton);
    QVERIFY(answer.answered());
    QVERIFY(!Forms::tcrj->isVisible());
    QVERIFY(main->isVisible());
}

void TestTmain::placement_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("main");
    QTest::addColumn<QPoint>("notice");
    QTest::addColumn<QPoint>("exit");
    QTest::newRow("1024 x 768") << QSize(1024, 768) << QPoint(0, 0) << QPoint(352, 242) << QPoint(377, 254);
    QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QPoint(128, 128) << QPoint(480, 370) << QPoint(505, 382);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QPoint(448, 156) << QPoint(800, 398) << QPoint(825, 410);
    QTest::newRow("800 x 600") << QSize(800, 600) << QPoint(-112, -84) << QPoint(240, 158) << QPoint(265, 170);
    QTest::newRow("odd sizes") << QSize(1023, 767) << QPoint(-1, -1) << QPoint(351, 241) << QPoint(376, 253);
}

void TestTmain::placement()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, main);
    QFETCH(QPoint, notice);
    QFETCH(QPoint, exit);
    QCOMPARE(Placement::mainWindow(screen), main);
    QCOMPARE(Placement::notice(screen), notice);
    QCOMPARE(Placement::exitConfirmation(screen, QSize(270, 140)), exit);
    // The windows themselves are placed so on the screen of this run.
    QCOMPARE(Forms::main->pos(), Placement::mainWindow(Placement::screenSize()));
    QCOMPARE(Forms::tcrj->pos(), Placement::exitConfirmation(Placement::screenSize(), QSize(270, 140)));
}

void TestTmain::missingPictureStopsTheClick()
{
    Tmain *main = Forms::main;
    const QString missing = Tmain::picture(5, Look::Selected);
    QVERIFY(QFile::remove(missing));
    QString message;
    ModalAnswer answer([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Pelquor"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        message = box->text();
        box->accept();
    });
    // The press loads the pressed look and the click the selected one:
    // each meets the missing file.
    QTest::mouseClick(main->Image5, Qt::LeftButton);
    QCOMPARE(answer.count(), 2);
    QVERIFY2(message.contains(missing), qPrintable(message));
    QCOMPARE(main->anniu, 5);
    QVERIFY(!Forms::mnks->isVisible());
    // The program goes on: the next click works.
    QTest::mouseClick(main->Image7, Qt::LeftButton);
    QVERIFY(Forms::kszn->isVisible());
    QCOMPARE(main->anniu, 7);
}

void TestTmain::missingBankLeavesStartUpGoing_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << "missing" << QStringLiteral("找不到题库文件");
    QTest::newRow("not a bank") << "noise" << QStringLiteral("无法打开题库文件");
    QTest::newRow("keyed otherwise") << "key" << QStringLiteral("无法打开题库文件");
}

void TestTmain::missingBankLeavesStartUpGoing()
{
    QFETCH(QString, damage);
    QFETCH(QString, says);
    Startup::destroyWindows();
    if (damage == u"key") {
        Connection other(QStringLiteral("Data Source=%1;Jet OLEDB:Database Password=another").arg(m_bank->databasePath()));
        QVERIFY(QFile::remove(m_bank->databasePath()));
        other.open(Connection::Mode::Create);
        other.exec(QStringLiteral("create table sbsti (th text)"));
    } else {
        QVERIFY(QFile::remove(m_bank->databasePath()));
        if (damage == u"noise") {
            QFile noise(m_bank->databasePath());
            QVERIFY(noise.open(QIODevice::WriteOnly));
            noise.write(QByteArray(8192, 'x'));
        }
    }
    QString message;
    ModalAnswer answer([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        message = box->text();
        box->accept();
    });
    Startup::createWindows();
    Forms::main->show();
    QTRY_COMPARE(Forms::main->anniu, 3);
    QCOMPARE(Forms::main->xs, 2);
    // One message in Chinese for the whole start, naming the file and the way out.
    QCOMPARE(answer.count(), 1);
    QVERIFY2(message.contains(says), qPrintable(message));
    QVERIFY2(message.contains(m_bank->databasePath()), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("scripts/build")), qPrintable(message));
    QVERIFY(Forms::main && Forms::tits && Forms::tcrj && Forms::Tzts && Forms::kszn);
    QVERIFY(!Forms::main->ADOConnection1.isOpen());
}

void TestTmain::dragCallsThePracticeHookOnlyWhilePracticeIsOpen()
{
    Tmain *main = Forms::main;
    int calls = 0;
    QPoint seen;
    main->practiceMoved = [&] { ++calls; seen = main->pos(); };

    auto drag = [main](QPoint by) {
        QWidget *strip = main->imgTitle;
        const QPointF at(600, 400);
        const QPointF global = strip->mapToGlobal(at);
        QMouseEvent pressEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &pressEvent);
        QMouseEvent moveEvent(QEvent::MouseMove, at + by, global + by, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &moveEvent);
        QMouseEvent releaseEvent(QEvent::MouseButtonRelease, at + by, global + by, Qt::LeftButton, Qt::NoButton,
                                 Qt::NoModifier);
        QApplication::sendEvent(strip, &releaseEvent);
    };
    const QPoint start = main->pos();
    drag(QPoint(30, 20));
    QCOMPARE(main->pos(), start + QPoint(30, 20));
    QCOMPARE(calls, 0);

    main->f6 = 1;
    drag(QPoint(-50, 10));
    QCOMPARE(main->pos(), start + QPoint(-20, 30));
    QCOMPARE(calls, 1);
    QCOMPARE(seen, main->pos());
}

QTEST_MAIN(TestTmain)
#include "tst_tmain.moc"
