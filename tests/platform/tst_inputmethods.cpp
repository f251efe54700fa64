// Chinese typing through IBus: a private IBus daemon on the test's X server,
// the engines the input-method menus list, switching to pinyin, and pinyin
// typed into an embedded simulator arriving there as Chinese text.
#include "artwork.h"
#include "forms.h"
#include "hostwindow.h"
#include "inputmethods.h"
#include "practiceforms.h"
#include "startup.h"
#include "testbank.h"
#include "tmain.h"
#include "tsbs.h"
#include "tsbsjx.h"
#include "x11embed.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestInputMethods : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void listsTheInputMethodsOnly();
    void pinyinTypedIntoTheEmbeddedSimulator();
    void practiceWindowSwitchesAndKeepsTheChoice();

private:
    QString currentEngine();
    QString logValue(const QString &key) const;
    void xdotool(const QStringList &arguments);

    QTemporaryDir m_config;
    std::unique_ptr<QProcess> m_daemon;
    QString m_log;
};

void TestInputMethods::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    if (!X11Embed::available())
        QSKIP("needs an X server");
    if (QStandardPaths::findExecutable(QStringLiteral("ibus-daemon")).isEmpty())
        QSKIP("IBus is not installed (scripts/setup installs it)");
    // The daemon's address file and settings stay in the test's own folder;
    // the simulators started below inherit it and the input module.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    qputenv("QT_IM_MODULE", "ibus");
    qunsetenv("IBUS_ADDRESS");
    QVERIFY(!InputMethods::ibusRunning());
    QVERIFY(InputMethods::engines().isEmpty());

    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_daemon->start(QStringLiteral("ibus-daemon"), {QStringLiteral("--panel=disable"), QStringLiteral("--replace")});
    QVERIFY(m_daemon->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(InputMethods::ibusRunning(), 15000);
}

void TestInputMethods::cleanupTestCase()
{
    SimHost::closeAll();
    if (m_daemon) {
        m_daemon->terminate();
        if (!m_daemon->waitForFinished(3000))
            m_daemon->kill();
        m_daemon->waitForFinished(1000);
    }
}

QString TestInputMethods::currentEngine()
{
    QProcess ibus;
    ibus.start(QStringLiteral("ibus"), {QStringLiteral("engine")});
    ibus.waitForFinished(5000);
    return QString::fromUtf8(ibus.readAllStandardOutput()).trimmed();
}

QString TestInputMethods::logValue(const QString &key) const
{
    QFile file(m_log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (text.startsWith(key + u' '))
            return text.mid(key.size() + 1);
    }
    return {};
}

void TestInputMethods::xdotool(const QStringList &arguments)
{
    // Beside the event loop: the host answers the pointer grab meanwhile.
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    QVERIFY(process.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 10000);
    QCOMPARE(process.exitCode(), 0);
}

// The menus offer the input methods by their IBus names, not the hundreds
// of keyboard layouts IBus also lists; an unknown name switches nothing.
void TestInputMethods::listsTheInputMethodsOnly()
{
    QTRY_VERIFY_WITH_TIMEOUT(InputMethods::engines().contains(QStringLiteral("libpinyin")), 10000);
    const QStringList engines = InputMethods::engines();
    for (const QString &engine : engines)
        QVERIFY2(!engine.startsWith(QStringLiteral("xkb:")), qPrintable(engine));
    QVERIFY(!InputMethods::activate(QStringLiteral("英文输入法")));
    QVERIFY(!InputMethods::activate(QStringLiteral("没有的输入法")));
}

void TestInputMethods::pinyinTypedIntoTheEmbeddedSimulator()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("第一章"), QStringLiteral("dqwz=0"));
    const QString folder = bank.folder() + QStringLiteral("ovti/金山演示101");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::link(QStringLiteral(FAKESIM), folder + QStringLiteral("/ov")));
    m_log = bank.folder() + QStringLiteral("sim.log");
    qputenv("FAKESIM_LOG", QFile::encodeName(m_log));

    QVERIFY(InputMethods::activate(QStringLiteral("libpinyin")));
    QTRY_COMPARE_WITH_TIMEOUT(currentEngine(), QStringLiteral("libpinyin"), 15000);

    HostWindow window(bank.connectionString());
    window.move(60, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.host->launch(101);
    QVERIFY(window.host->waitAndEmbed());
    const auto simulator = window.host->hwndnotepad();
    QTRY_VERIFY(X11Embed::instance()->isViewable(simulator));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QPoint inside = window.Panel2->mapToGlobal(QPoint(100, 20));
    xdotool({QStringLiteral("mousemove"), QString::number(inside.x()), QString::number(inside.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    QTRY_COMPARE(X11Embed::instance()->inputFocus(), simulator);
    // The simulator's input context has to reach the daemon before the keys.
    QTest::qWait(1000);
    xdotool({QStringLiteral("type"), QStringLiteral("zhongwen")});
    xdotool({QStringLiteral("key"), QStringLiteral("space")});
    QTRY_COMPARE_WITH_TIMEOUT(logValue(QStringLiteral("text")), QStringLiteral("中文"), 10000);

    // "英文输入法" gives plain keys back.
    InputMethods::activateEnglish();
    QTRY_COMPARE_WITH_TIMEOUT(currentEngine(), QStringLiteral("xkb:us::eng"), 15000);
    xdotool({QStringLiteral("type"), QStringLiteral("abc")});
    QTRY_COMPARE_WITH_TIMEOUT(logValue(QStringLiteral("text")), QStringLiteral("中文abc"), 10000);
    SimHost::closeAll();
}

// The practice window's list: 英文输入法 and the engines; a choice switches
// IBus and is recorded in `srf`, and the next practice window starts on it.
void TestInputMethods::practiceWindowSwitchesAndKeepsTheChoice()
{
    TestBank bank;
    QDir folder(bank.folder());
    QVERIFY(folder.mkpath(QStringLiteral("images")));
    Artwork::writePictures(folder.filePath(QStringLiteral("images")));
    bank.exec(QStringLiteral("insert into sbslist (id, list) values (1, '基本操作')"));
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("xz=1"));
    QVERIFY(folder.mkpath(QStringLiteral("ovti/金山演示101")));
    QVERIFY(QFile::link(QStringLiteral(FAKESIM), folder.filePath(QStringLiteral("ovti/金山演示101/ov"))));
    qputenv("FAKESIM_LOG", QFile::encodeName(folder.filePath(QStringLiteral("sim.log"))));

    PracticeForms::install();
    Startup::createWindows();
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTRY_VERIFY(PracticeForms::browser() && PracticeForms::browser()->isVisible());
    auto openPractice = [] {
        PracticeForms::browser()->Button4Click();
        return PracticeForms::sbs;
    };

    Tsbs *sbs = openPractice();
    QVERIFY(sbs);
    QComboBox *box = sbs->ComboBox1;
    QVERIFY(!box->isEditable());
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    QCOMPARE(items, QStringList{QStringLiteral("英文输入法")} + InputMethods::engines());
    QCOMPARE(box->currentText(), QStringLiteral("英文输入法"));

    const int pinyin = box->findText(QStringLiteral("libpinyin"));
    QVERIFY(pinyin > 0);
    box->setCurrentIndex(pinyin);
    emit box->activated(pinyin);
    QCOMPARE(bank.value(QStringLiteral("select srf as v from srf")), QStringLiteral("libpinyin"));
    QTRY_COMPARE_WITH_TIMEOUT(currentEngine(), QStringLiteral("libpinyin"), 15000);

    sbs->Button5Click();
    QTRY_VERIFY(!PracticeForms::sbs);
    sbs = openPractice();
    QVERIFY(sbs);
    QCOMPARE(sbs->ComboBox1->currentText(), QStringLiteral("libpinyin"));

    sbs->ComboBox1->setCurrentIndex(0);
    emit sbs->ComboBox1->activated(0);
    QCOMPARE(bank.value(QStringLiteral("select srf as v from srf")), QStringLiteral("英文输入法"));
    QTRY_COMPARE_WITH_TIMEOUT(currentEngine(), QStringLiteral("xkb:us::eng"), 15000);
    sbs->Button5Click();
    SimHost::closeAll();
    Startup::destroyWindows();
}

QTEST_MAIN(TestInputMethods)
#include "tst_inputmethods.moc"
