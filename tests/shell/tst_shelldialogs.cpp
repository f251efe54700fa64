#include "forms.h"
#include "shellfixture.h"
#include "startup.h"
#include "testbank.h"
#include "tmain.h"
#include "picturebox.h"
#include "ttcrj.h"
#include "simhost.h"
#include "ttits.h"
#include "ttzts.h"
#include "errorbox.h"
#include "storeerror.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <memory>

// Stands in for the system browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestShellDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noticeKeepsTextAndPlace();
    void noticeShowsTheWholeText_data();
    void noticeShowsTheWholeText();
    void dragStripMovesTheDialog_data();
    void dragStripMovesTheDialog();
    void flashPrompt();
    void errorWrapper_data();
    void errorWrapper();

private:
    std::unique_ptr<TestBank> m_bank;
};

void TestShellDialogs::init()
{
    m_bank = std::make_unique<TestBank>();
    drawShellPictures(m_bank->folder());
    Startup::createWindows();
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTRY_COMPARE(Forms::main->anniu, 3);
}

void TestShellDialogs::cleanup()
{
    Startup::destroyWindows();
    m_bank.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestShellDialogs::noticeKeepsTextAndPlace()
{
    Ttits *tits = Forms::tits;
    const QPoint created = tits->pos();
    QCOMPARE(tits->size(), QSize(270, 142));

    QStringList texts;
    QList<QPoint> places;
    auto answerer = [&] {
        return std::make_unique<ModalAnswer>([&](QWidget *modal) {
            QCOMPARE(modal, tits);
            texts.append(tits->Label1->text());
            places.append(tits->pos());
            QTest::mouseClick(tits->Button1, Qt::LeftButton);
        });
    };
    {
        auto answer = answerer();
        tits->tell(QStringLiteral("已经是最后一道题了!"));
    }
    // The practice window puts it beside its simulator panel...
    tits->move(created + QPoint(-100, 75));
    {
        auto answer = answerer();
        tits->tell(QStringLiteral("已经是第一道题了!"));
    }
    // ...and the main window's notice comes up where it was left.
    Forms::main->ctbh = 0;
    {
        auto answer = answerer();
        QTest::mouseClick(Forms::main->Image1, Qt::LeftButton);
    }
    QCOMPARE(texts, QStringList({QStringLiteral("已经是最后一道题了!"), QStringLiteral("已经是第一道题了!"),
                                 QStringLiteral("请您关闭正在做的题!")}));
    QCOMPARE(places, QList<QPoint>({created, created + QPoint(-100, 75), created + QPoint(-100, 75)}));
    QCOMPARE(tits->Label1->text(), QStringLiteral("请您关闭正在做的题!"));
}

void TestShellDialogs::noticeShowsTheWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("oneLine");
    QTest::newRow("short") << QStringLiteral("已经是第一道题了!") << true;
    QTest::newRow("simulator not started") << SimHost::noticeText(101) << false;
    QTest::newRow("bank busy") << SimHost::busyNoticeText(612) << false;
    QTest::newRow("simulator ended") << SimHost::endedNoticeText(612) << false;
    QTest::newRow("simulator's own reason")
        << QStringLiteral("无法读取题库，模拟程序不能启动。\nno such table: jl") << false;
}

// Every notice is shown whole: a short one stands where it always has, a
// long one wraps and the dialog grows, with "确定" below the last line.
void TestShellDialogs::noticeShowsTheWholeText()
{
    QFETCH(QString, text);
    QFETCH(bool, oneLine);
    Ttits *tits = Forms::tits;
    QRect label, button;
    QSize size;
    bool wraps = false;
    {
        ModalAnswer answer([&](QWidget *) {
            label = tits->Label1->geometry();
            button = tits->Button1->geometry();
            size = tits->size();
            wraps = tits->Label1->wordWrap();
            QTest::mouseClick(tits->Button1, Qt::LeftButton);
        });
        tits->tell(text);
    }
    const QFontMetrics metrics(tits->Label1->font());
    if (oneLine) {
        QCOMPARE(label, QRect(48, 64, 214, 33));
        QCOMPARE(size, QSize(270, 142));
        QVERIFY(metrics.horizontalAdvance(text) <= label.width());
    } else {
        QVERIFY(wraps);
        const QRect needed = metrics.boundingRect(QRect(0, 0, label.width(), 10000), Qt::TextWordWrap, text);
        QVERIFY2(needed.height() <= label.height(), qPrintable(QStringLiteral("%1 > %2").arg(needed.height()).arg(label.height())));
        QCOMPARE(size.width(), 270);
    }
    QVERIFY(QRect(QPoint(), size).contains(label));
    QVERIFY(QRect(QPoint(), size).contains(button));
    QVERIFY(button.top() >= label.bottom());
}

void TestShellDialogs::dragStripMovesTheDialog_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<bool>("moves");
    QTest::newRow("notice, title strip") << "tits" << QPoint(100, 10) << true;
    QTest::newRow("notice, message") << "tits" << QPoint(100, 70) << false;
    QTest::newRow("exit confirmation, title strip") << "tcrj" << QPoint(200, 20) << true;
    QTest::newRow("exit confirmation, body") << "tcrj" << QPoint(200, 60) << false;
}

void TestShellDialogs::dragStripMovesTheDialog()
{
    QFETCH(QString, dialog);
    QFETCH(QPoint, pressAt);
    QFETCH(bool, moves);
    QDialog *window = dialog == u"tits" ? static_cast<QDialog *>(Forms::tits.data()) : static_cast<QDialog *>(Forms::tcrj.data());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QPoint start = window->pos();
    QWidget *target = window->childAt(pressAt);
    QVERIFY(target);
    const QPointF local = target->mapFrom(window, QPointF(pressAt));
    const QPointF global = target->mapToGlobal(local);
    const QPointF by(40, -25);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent move(QEvent::MouseMove, local + by, global + by, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local + by, global + by, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    QCOMPARE(window->pos(), moves ? start + by.toPoint() : start);
    window->hide();
}

void TestShellDialogs::flashPrompt()
{
    UrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    TTzts *prompt = Forms::Tzts;
    QCOMPARE(prompt->windowTitle(), QStringLiteral("Pelquor"));
    prompt->show();
    QVERIFY(QTest::qWaitForWindowExposed(prompt));
    QTest::mouseClick(prompt->btn1, Qt::LeftButton);
    QCOMPARE(browser.opened.size(), 1);
    QVERIFY(browser.opened.first().path().endsWith(QStringLiteral("/install_flash_player_ax.exe")));
    QVERIFY(prompt->isVisible());
    QTest::mouseClick(prompt->btn2, Qt::LeftButton);
    QVERIFY(!prompt->isVisible());
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestShellDialogs::errorWrapper_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("store error") << 0 << "no such table: nosuch";
    QTest::newRow("other exception") << 1 << "bad_alloc";
}

void TestShellDialogs::errorWrapper()
{
    QFETCH(int, kind);
    QFETCH(QString, message);
    bool rest = false;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, &button, ErrorBox::guarded(&button, [&] {
        if (kind == 0)  // the engine's own error
            m_bank->exec(QStringLiteral("select * from nosuch"));
        throw std::bad_alloc();
        rest = true;
    }));
    button.show();

    QStringList shown;
    ModalAnswer answer([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Pelquor"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        shown.append(box->text());
        box->accept();
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(message), qPrintable(shown.first()));
    QVERIFY(!rest);
    // The program goes on: the same handler runs and is caught again.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(shown.size(), 2);
}

QTEST_MAIN(TestShellDialogs)
#include "tst_shelldialogs.moc"
