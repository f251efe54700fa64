// The simulator host with real simulator processes under the virtual X
// server, with and without a window manager.
#include "connection.h"
#include "hostwindow.h"
#include "processwatch.h"
#include "simhost.h"
#include "storeerror.h"
#include "testbank.h"
#include "x11embed.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <memory>

#include <xcb/xcb.h>

class TestSimHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void embedding_data();
    void embedding();
    void handshake_data();
    void handshake();
    void jcNotDecimal_data();
    void jcNotDecimal();
    void jcNotTheSimulator_data();
    void jcNotTheSimulator();
    void close_data();
    void close();
    void focusFollowsClicks_data();
    void focusFollowsClicks();
    void positionAfterMove_data();
    void positionAfterMove();
    void waitTakesNoInput();
    void hostEnds_data();
    void hostEnds();
    void waitWhileBankBusy_data();
    void waitWhileBankBusy();
    void simulatorCrashes();
    void lateDestroyNoteForALiveWindow();
    void launcherChildrenEnd();

private:
    void startWindowManager();
    HostWindow *showHost();
    bool embed();
    QString logValue(const QString &key) const;
    QString jc();
    void xdotool(const QStringList &arguments);

    std::unique_ptr<TestBank> m_bank;
    std::unique_ptr<HostWindow> m_window;
    std::unique_ptr<QProcess> m_windowManager;
    QString m_log;
};

void TestSimHost::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    if (!X11Embed::available())
        QSKIP("needs an X server");
}

void TestSimHost::init()
{
    m_bank = std::make_unique<TestBank>();
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("第一章"), QStringLiteral("dqwz=0"));
    const QString folder = m_bank->folder() + QStringLiteral("ovti/金山演示101");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::link(QStringLiteral(FAKESIM), folder + QStringLiteral("/ov")));
    m_log = m_bank->folder() + QStringLiteral("sim.log");
    qputenv("FAKESIM_LOG", m_log.toLocal8Bit());
    qunsetenv("FAKESIM_MODE");
    qunsetenv("FAKESIM_DELAY");
}

void TestSimHost::cleanup()
{
    SimHost::closeAll();
    m_window.reset();
    if (m_windowManager) {
        m_windowManager->terminate();
        m_windowManager->waitForFinished(3000);
        m_windowManager.reset();
    }
    m_bank.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestSimHost::startWindowManager()
{
    // A manager that has ended leaves its announcement on the root window;
    // removed first, its return tells that the new manager is in charge.
    QVERIFY(QProcess::execute(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-remove"),
                                                         QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            == 0);
    m_windowManager = std::make_unique<QProcess>();
    m_windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QVERIFY(m_windowManager->waitForStarted());
    // The manager is ready once it has announced itself on the root window.
    QTRY_VERIFY_WITH_TIMEOUT([] {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        xprop.waitForFinished();
        return xprop.readAllStandardOutput().contains("window id");
    }(), 5000);
}

HostWindow *TestSimHost::showHost()
{
    m_window = std::make_unique<HostWindow>(m_bank->connectionString());
    m_window->move(60, 40);
    // With a window manager and the other tests busy on both cores, mapping
    // can take longer than QtTest's five seconds; a manager still starting
    // may also drop the request to map, which is then made once more.
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_window->show();
        if (QTest::qWaitForWindowExposed(m_window.get(), 10000))
            return m_window.get();
        m_window->hide();
    }
    return nullptr;
}

bool TestSimHost::embed()
{
    if (!m_window && !showHost())
        return false;
    m_window->host->launch(101);
    if (!m_window->host->waitAndEmbed())
        return false;
    const auto window = m_window->host->hwndnotepad();
    // Under a window manager on a busy machine the map may take a while.
    return QTest::qWaitFor([window] { return X11Embed::instance()->isViewable(window); }, 20000);
}

QString TestSimHost::logValue(const QString &key) const
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

QString TestSimHost::jc()
{
    return m_bank->value(QStringLiteral("select jc as v from sbsti where th='101'"));
}

void TestSimHost::xdotool(const QStringList &arguments)
{
    // xdotool runs beside the event loop: the host has to answer the
    // pointer grab while the click is made.
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    QVERIFY(process.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 10000);
    QCOMPARE(process.exitCode(), 0);
}

void TestSimHost::embedding_data()
{
    QTest::addColumn<bool>("windowManager");
    QTest::newRow("bare X server") << false;
    QTest::newRow("openbox") << true;
}

// The announced window ends up a child of the panel at (0, 0), 900 × 700,
// shown, and clipped by the 800 × 600 panel.
void TestSimHost::embedding()
{
    QFETCH(bool, windowManager);
    if (windowManager)
        startWindowManager();
    QSignalSpy embedded(showHost()->host, &SimHost::embedded);
    QVERIFY(embed());

    SimHost &host = *m_window->host;
    X11Embed &x11 = *X11Embed::instance();
    QCOMPARE(embedded.count(), 1);
    QCOMPARE(host.js(), 101);
    QCOMPARE(host.aa(), host.hwndnotepad());
    QCOMPARE(jc(), QString::number(host.hwndnotepad()));
    QCOMPARE(x11.parentOf(host.hwndnotepad()), X11Embed::WindowId(m_window->Panel2->winId()));
    QCOMPARE(x11.geometryOf(host.hwndnotepad()), QRect(0, 0, 900, 700));

    // The screen: the simulator's colour inside the panel, the host's beyond
    // the panel's right and bottom edges where the 900 × 700 window reaches.
    const QColor simulator(255, 0, 255);
    const QPoint origin = m_window->Panel2->mapToGlobal(QPoint(0, 0));
    auto pixel = [](QPoint at) {
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
    };
    QTRY_COMPARE(pixel(origin + QPoint(400, 300)), simulator);
    QTRY_COMPARE(pixel(origin + QPoint(799, 599)), simulator);
    QVERIFY(pixel(origin + QPoint(810, 300)) != simulator);
    QVERIFY(pixel(origin + QPoint(400, 640)) != simulator);
}

void TestSimHost::handshake_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("singleRead");
    QTest::addColumn<int>("limitMs");
    QTest::addColumn<bool>("embeds");

    QTest::newRow("announces at once") << QByteArray("normal") << false << 15000 << true;
    QTest::newRow("announces later") << QByteArray("late") << false << 15000 << true;
    QTest::newRow("single read, announces later") << QByteArray("late") << true << 15000 << true;
    QTest::newRow("never announces") << QByteArray("silent") << false << 700 << false;
    QTest::newRow("single read, never announces") << QByteArray("silent") << true << 700 << false;
    QTest::newRow("ends without announcing") << QByteArray("quit") << false << 15000 << false;
    QTest::newRow("program missing") << QByteArray("missing") << false << 15000 << false;
    QTest::newRow("simulator gives its reason") << QByteArray("fail") << false << 15000 << false;
}

// The wait embeds exactly once when the simulator announces itself, early or
// late; otherwise it ends within its bound with the notice, nothing embedded
// and no simulator left running.
void TestSimHost::handshake()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, singleRead);
    QFETCH(int, limitMs);
    QFETCH(bool, embeds);

    qputenv("FAKESIM_MODE", mode);
    qputenv("FAKESIM_DELAY", "300");
    if (mode == "missing")
        QVERIFY(QFile::remove(m_bank->folder() + QStringLiteral("ovti/金山演示101/ov")));
    SimHost &host = *showHost()->host;
    host.setWaitLimit(limitMs);
    QSignalSpy notices(&host, &SimHost::notice);
    QSignalSpy embedded(&host, &SimHost::embedded);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(host.launch(101), mode != "missing");
    const bool result = singleRead ? host.readAndEmbed() : host.waitAndEmbed();
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(result, embeds);
    QCOMPARE(host.isEmbedded(), embeds);
    QCOMPARE(embedded.count(), embeds ? 1 : 0);
    if (embeds) {
        QCOMPARE(notices.count(), 0);
        QCOMPARE(embedded.at(0).at(0).toUInt(), host.hwndnotepad());
        return;
    }
    QCOMPARE(notices.count(), 1);
    // The simulator's own reason, when it left one, takes the place of ours.
    QCOMPARE(notices.at(0).at(0).toString(),
             mode == "fail" ? QStringLiteral("无法读取题库，模拟程序不能启动。\nno such table: jl")
                            : QStringLiteral("题目101的模拟程序没有启动，请检查模拟程序文件。"));
    // Within the bound: a process that ended or never started does not make
    // the candidate wait for the limit.
    QVERIFY2(elapsed < qMin(limitMs, 5000) + 2000, qPrintable(QString::number(elapsed)));
    QVERIFY(!ProcessWatch::isRunning(host.launchedPid()));
    QVERIFY(m_window->isEnabled());
}

void TestSimHost::jcNotDecimal_data()
{
    QTest::addColumn<bool>("singleRead");
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QString>("before");
    QTest::newRow("simulator writes it, wait") << false << QByteArray("garbage") << QString();
    QTest::newRow("simulator writes it, single read") << true << QByteArray("garbage") << QString();
    QTest::newRow("left from before, wait") << false << QByteArray("late") << QStringLiteral("12ab");
    QTest::newRow("left from before, single read") << true << QByteArray("late") << QStringLiteral("12ab");
}

// A `jc` that is not a decimal number: written by the simulator it is the
// store's error, which the standard error box shows, and the simulator does
// not stay behind; left over from an earlier run it does not block the
// question, the new simulator's own announcement is embedded.
void TestSimHost::jcNotDecimal()
{
    QFETCH(bool, singleRead);
    QFETCH(QByteArray, mode);
    QFETCH(QString, before);
    qputenv("FAKESIM_MODE", mode);
    qputenv("FAKESIM_DELAY", "200");
    m_bank->exec(QStringLiteral("update sbsti set jc='%1' where th='101'").arg(before));
    SimHost &host = *showHost()->host;
    host.setWaitLimit(5000);
    QSignalSpy notices(&host, &SimHost::notice);
    host.launch(101);
    if (!before.isEmpty()) {
        QVERIFY(singleRead ? host.readAndEmbed() : host.waitAndEmbed());
        QCOMPARE(notices.count(), 0);
        return;
    }
    try {
        singleRead ? host.readAndEmbed() : host.waitAndEmbed();
        QFAIL("no StoreError");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("junk")), qPrintable(error.message()));
    }
    QCOMPARE(notices.count(), 0);
    QVERIFY(!host.isEmbedded());
    QVERIFY(!ProcessWatch::isRunning(host.launchedPid()));
}

void TestSimHost::jcNotTheSimulator_data()
{
    QTest::addColumn<bool>("foreign");
    QTest::newRow("window of another process") << true;
    QTest::newRow("no such window") << false;
}

// A `jc` left by someone else is never taken for the simulator's window:
// another program's window keeps its place, and the wait ends with the notice.
void TestSimHost::jcNotTheSimulator()
{
    QFETCH(bool, foreign);
    qputenv("FAKESIM_MODE", "silent");
    QWidget other;
    other.setWindowTitle(QStringLiteral("another program"));
    other.resize(200, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    const auto otherId = X11Embed::WindowId(other.winId());
    const X11Embed::WindowId otherParent = X11Embed::instance()->parentOf(otherId);
    m_bank->exec(QStringLiteral("update sbsti set jc='%1' where th='101'").arg(foreign ? otherId : 0x7ffffff0));

    SimHost &host = *showHost()->host;
    host.setWaitLimit(700);
    QSignalSpy notices(&host, &SimHost::notice);
    host.launch(101);
    QVERIFY(!host.waitAndEmbed());
    QCOMPARE(notices.count(), 1);
    QCOMPARE(host.hwndnotepad(), X11Embed::WindowId(0));
    QCOMPARE(X11Embed::instance()->parentOf(otherId), otherParent);
}

void TestSimHost::close_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("obeys");
    QTest::newRow("simulator obeys") << QByteArray("normal") << true;
    QTest::newRow("simulator ignores the message") << QByteArray("ignoreclose") << false;
}

// The close message ends an obedient simulator, which clears `jc`; one that
// ignores it is ended by the host after the bounded wait.
void TestSimHost::close()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, obeys);
    qputenv("FAKESIM_MODE", mode);
    QVERIFY(embed());
    SimHost &host = *m_window->host;
    const auto window = host.aa();
    QVERIFY(ProcessWatch::isRunning(host.launchedPid()));

    QElapsedTimer clock;
    clock.start();
    host.close();
    const qint64 elapsed = clock.elapsed();

    QTRY_VERIFY(!X11Embed::instance()->exists(window));
    QTRY_VERIFY(!ProcessWatch::isRunning(host.launchedPid()));
    QVERIFY(!host.isEmbedded());
    // The handles stay until the next embedding.
    QCOMPARE(host.aa(), window);
    if (obeys) {
        QVERIFY2(elapsed < SimHost::CloseWaitMs, qPrintable(QString::number(elapsed)));
        QCOMPARE(jc(), QString());
    } else {
        QVERIFY2(elapsed >= SimHost::CloseWaitMs, qPrintable(QString::number(elapsed)));
    }
}

void TestSimHost::focusFollowsClicks_data()
{
    embedding_data();
}

// Typing after a click into the simulator reaches the simulator; a click on
// the host's own line edit takes the keys back.
void TestSimHost::focusFollowsClicks()
{
    QFETCH(bool, windowManager);
    if (windowManager)
        startWindowManager();
    QVERIFY(showHost());
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // The keys go to a simulator as soon as it shows itself, without a click.
    QVERIFY(embed());
    QTRY_COMPARE(X11Embed::instance()->inputFocus(), m_window->host->hwndnotepad());
    xdotool({QStringLiteral("type"), QStringLiteral("k")});
    QTRY_COMPARE(logValue(QStringLiteral("text")), QStringLiteral("k"));
    xdotool({QStringLiteral("key"), QStringLiteral("BackSpace")});
    QTRY_COMPARE(logValue(QStringLiteral("text")), QString());

    // Back in the host by a click on its own control, then into the simulator by a click.
    const QPoint home = m_window->edit->mapToGlobal(QPoint(20, 15));
    xdotool({QStringLiteral("mousemove"), QString::number(home.x()), QString::number(home.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    QTRY_VERIFY(X11Embed::instance()->inputFocus() != m_window->host->hwndnotepad());
    const QPoint simulator = m_window->Panel2->mapToGlobal(QPoint(100, 20));
    xdotool({QStringLiteral("mousemove"), QString::number(simulator.x()), QString::number(simulator.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    QTRY_COMPARE(X11Embed::instance()->inputFocus(), m_window->host->hwndnotepad());
    xdotool({QStringLiteral("type"), QStringLiteral("abc")});
    QTRY_COMPARE(logValue(QStringLiteral("text")), QStringLiteral("abc"));

    const QPoint own = m_window->edit->mapToGlobal(QPoint(20, 15));
    xdotool({QStringLiteral("mousemove"), QString::number(own.x()), QString::number(own.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    xdotool({QStringLiteral("type"), QStringLiteral("xyz")});
    QTRY_COMPARE(m_window->edit->text(), QStringLiteral("xyz"));
    QCOMPARE(logValue(QStringLiteral("text")), QStringLiteral("abc"));
}

void TestSimHost::positionAfterMove_data()
{
    embedding_data();
}

// After the host window moves, the simulator knows its new screen position
// (its pop-ups open there).
void TestSimHost::positionAfterMove()
{
    QFETCH(bool, windowManager);
    if (windowManager)
        startWindowManager();
    QVERIFY(embed());
    auto expected = [this] {
        const QPoint p = m_window->Panel2->mapToGlobal(QPoint(0, 0));
        return QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    };
    QTRY_COMPARE(logValue(QStringLiteral("pos")), expected());
    const QPoint before = m_window->pos();
    m_window->move(before + QPoint(47, 31));
    QTRY_VERIFY(m_window->pos() != before);
    QTRY_COMPARE(logValue(QStringLiteral("pos")), expected());
}

// While it waits, the host window keeps painting but a click on it does nothing.
void TestSimHost::waitTakesNoInput()
{
    qputenv("FAKESIM_MODE", "late");
    qputenv("FAKESIM_DELAY", "1500");
    SimHost &host = *showHost()->host;
    QSignalSpy edits(m_window->edit, &QLineEdit::textChanged);
    int paints = 0;
    QTimer repaint;
    connect(&repaint, &QTimer::timeout, m_window.get(), [this, &paints] {
        m_window->edit->setPlaceholderText(QString::number(++paints));
    });
    repaint.start(50);

    QProcess clicker;
    const QPoint own = m_window->edit->mapToGlobal(QPoint(20, 15));
    QTimer::singleShot(300, m_window.get(), [&clicker, own] {
        clicker.start(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(own.x()), QString::number(own.y()),
                       QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("type"), QStringLiteral("q")});
    });
    host.launch(101);
    QVERIFY(host.waitAndEmbed());
    QVERIFY2(paints >= 10, qPrintable(QString::number(paints)));
    QTRY_COMPARE(clicker.state(), QProcess::NotRunning);
    QTest::qWait(200);
    QCOMPARE(edits.count(), 0);
}

void TestSimHost::hostEnds_data()
{
    QTest::addColumn<bool>("killed");
    QTest::newRow("host killed") << true;
    QTest::newRow("host quits") << false;
}

// However the host ends, its simulator does not outlive it by more than a second.
void TestSimHost::hostEnds()
{
    QFETCH(bool, killed);
    QProcess host;
    host.start(QStringLiteral(MINIHOST), {m_bank->folder()});
    QVERIFY(host.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(host.canReadLine(), 10000);
    const QByteArray line = host.readLine().trimmed();
    QVERIFY2(line.startsWith("embedded "), line.constData());
    const qint64 simulator = line.mid(9).toLongLong();
    QVERIFY(ProcessWatch::isRunning(simulator));

    if (killed) {
        host.kill();
    } else {
        host.write("quit\n");
    }
    QVERIFY(host.waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(!ProcessWatch::isRunning(simulator), 1000);
}

void TestSimHost::waitWhileBankBusy_data()
{
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<bool>("embeds");
    QTest::newRow("held for a while") << 1500 << true;
    QTest::newRow("held past the limit") << 6000 << false;
}

// Another program holding the bank delays the hand-shake but neither fails
// it with the store's error nor blames the simulator: the wait goes on, and
// when the limit comes first the notice says what is wrong.
void TestSimHost::waitWhileBankBusy()
{
    QFETCH(int, holdMs);
    QFETCH(bool, embeds);
    SimHost &host = *showHost()->host;
    host.setWaitLimit(3000);
    QSignalSpy notices(&host, &SimHost::notice);
    Connection other(m_bank->connectionString());
    other.open();
    other.exec(QStringLiteral("begin exclusive"));
    bool released = false;
    QTimer::singleShot(holdMs, this, [&] {
        other.exec(QStringLiteral("commit"));
        released = true;
    });
    host.launch(101);
    QCOMPARE(host.waitAndEmbed(), embeds);
    if (embeds) {
        QCOMPARE(notices.count(), 0);
    } else {
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices.at(0).at(0).toString(), SimHost::busyNoticeText(101));
        QVERIFY(!ProcessWatch::isRunning(host.launchedPid()));
    }
    QTRY_VERIFY_WITH_TIMEOUT(released, holdMs + 1000);
}

// A simulator that ends on its own while embedded is reported once, with
// the question, so that its window can start it again; a closed one is not.
void TestSimHost::simulatorCrashes()
{
    qputenv("FAKESIM_MODE", "crash");
    qputenv("FAKESIM_DELAY", "500");
    SimHost &host = *showHost()->host;
    QSignalSpy ended(&host, &SimHost::simulatorEnded);
    host.launch(101);
    QVERIFY(host.waitAndEmbed());
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);
    QCOMPARE(ended.at(0).at(0).toInt(), 101);
    QVERIFY(!host.isEmbedded());

    qputenv("FAKESIM_MODE", "normal");
    host.launch(101);
    QVERIFY(host.waitAndEmbed());
    host.close();
    QTest::qWait(200);
    QCOMPARE(ended.count(), 1);
}

// A note that the window was destroyed, coming when a window of that id
// exists (a new simulator's, given the id the closed one had): the
// simulator is not taken for ended.
void TestSimHost::lateDestroyNoteForALiveWindow()
{
    QVERIFY(embed());
    SimHost &host = *m_window->host;
    QSignalSpy ended(&host, &SimHost::simulatorEnded);
    const auto window = xcb_window_t(host.hwndnotepad());
    xcb_connection_t *c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_destroy_notify_event_t note{};
    note.response_type = XCB_DESTROY_NOTIFY;
    note.event = window;
    note.window = window;
    char sent[32] = {};   // an event is sent as 32 bytes
    std::memcpy(sent, &note, sizeof note);
    xcb_send_event(c, false, window, XCB_EVENT_MASK_STRUCTURE_NOTIFY, sent);
    xcb_flush(c);
    QTest::qWait(300);
    QCOMPARE(ended.count(), 0);
    QVERIFY(host.isEmbedded());
    host.close();
}

// A launcher script that starts the real program and never announces: when
// the wait gives up, nothing it started is left running.
void TestSimHost::launcherChildrenEnd()
{
    const QString ov = m_bank->folder() + QStringLiteral("ovti/金山演示101/ov");
    const QString childPid = m_bank->folder() + QStringLiteral("child.pid");
    QVERIFY(QFile::remove(ov));
    QFile script(ov);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nsleep 60 &\necho $! > '%1'\nwait\n").arg(childPid).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));

    SimHost &host = *showHost()->host;
    host.setWaitLimit(700);
    QVERIFY(host.launch(101));
    QVERIFY(!host.waitAndEmbed());
    QFile pidFile(childPid);
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    const qint64 child = pidFile.readAll().trimmed().toLongLong();
    QVERIFY(child > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!ProcessWatch::isRunning(child), 1000);
}

QTEST_MAIN(TestSimHost)
#include "tst_simhost.moc"
