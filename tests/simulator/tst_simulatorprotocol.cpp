// The simulator's side of the hand-shake, with real simulator processes on
// the virtual X server: the test plays the host with its own X connection.

#include "testbank.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <memory>

namespace {

struct FreeDeleter { void operator()(void *p) const { free(p); } };
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

// A host stand-in: one X connection, a panel window to embed into.
class FakeHost
{
public:
    FakeHost() : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    }
    ~FakeHost() { xcb_disconnect(m_connection); }

    bool ok() const { return !xcb_connection_has_error(m_connection); }

    xcb_window_t createPanel()
    {
        const xcb_window_t panel = xcb_generate_id(m_connection);
        const uint32_t values[] = {m_screen->white_pixel, 1};
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, panel, m_screen->root, 50, 40, 800, 600, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_connection, panel);
        xcb_flush(m_connection);
        return panel;
    }

    void embed(xcb_window_t window, xcb_window_t panel)
    {
        xcb_reparent_window(m_connection, window, panel, 0, 0);
        const uint32_t geometry[] = {0, 0, 900, 700};
        xcb_configure_window(m_connection, window,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                             geometry);
        xcb_flush(m_connection);
    }

    bool exists(xcb_window_t window)
    {
        Reply<xcb_get_window_attributes_reply_t> reply(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return reply != nullptr;
    }

    bool viewable(xcb_window_t window)
    {
        Reply<xcb_get_window_attributes_reply_t> reply(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    QPoint rootPosition(xcb_window_t window)
    {
        Reply<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
            m_connection, xcb_translate_coordinates(m_connection, window, m_screen->root, 0, 0), nullptr));
        return reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint(-1, -1);
    }

    quint32 pidOf(xcb_window_t window)
    {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!reply || xcb_get_property_value_length(reply.get()) != 4)
            return 0;
        return *static_cast<quint32 *>(xcb_get_property_value(reply.get()));
    }

    // The mapped top-level windows of a process (an error box, for instance).
    QList<xcb_window_t> mappedWindowsOf(quint32 pid)
    {
        QList<xcb_window_t> found;
        Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_screen->root), nullptr));
        if (!tree)
            return found;
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
            if (pidOf(children[i]) == pid && viewable(children[i]))
                found.append(children[i]);
        return found;
    }

    void sendDelete(xcb_window_t window)
    {
        xcb_client_message_event_t event = {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
        xcb_flush(m_connection);
    }

private:
    xcb_atom_t atom(const char *name)
    {
        Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, uint16_t(strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    xcb_connection_t *m_connection;
    xcb_screen_t *m_screen = nullptr;
};

} // namespace

class TestSimulatorProtocol : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void announcesWithoutShowing_data();
    void announcesWithoutShowing();
    void showsWhenReparented();
    void showsOnItsOwnAtStoredPosition_data();
    void showsOnItsOwnAtStoredPosition();
    void closeMessageEndsAndWithdraws();
    void terminationWithdraws();
    void closeKeepsALaterAnnouncement();
    void endsWhenHostGoes();
    void examWorkKeptAcrossRelaunch();
    void slideDraggedInTheList();
    void badBankShowsMessageAndFails_data();
    void badBankShowsMessageAndFails();
    void hostedStartFailureGoesToTheHost_data();
    void hostedStartFailureGoesToTheHost();
    void endsWhenHostDiesBeforeTheEmbed();

private:
    // Starts the simulator of question 101 through its folder's link, the way the host does.
    void launch(const QProcessEnvironment &extra = {});
    xcb_window_t waitForAnnouncement();
    QString jc() { return m_bank->value(QStringLiteral("select jc as v from sbsti where th='101'")); }
    QString savedWork()
    {
        if (m_bank->value(QStringLiteral("select count(*) as v from sqlite_master where name='kswj'")) != u"1")
            return {};
        return m_bank->value(QStringLiteral("select wd as v from kswj where th='101'"));
    }
    // Launches, embeds and clicks the first slide of the slide list, as the candidate would.
    void launchAndClickFirstSlide();

    std::unique_ptr<TestBank> m_bank;
    std::unique_ptr<QProcess> m_process;
    FakeHost m_host;
};

void TestSimulatorProtocol::init()
{
    QVERIFY(m_host.ok());
    m_bank = std::make_unique<TestBank>();
    const QString folder = m_bank->folder() + QStringLiteral("ovti/金山演示101");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::link(QStringLiteral(SIMULATOR_EXECUTABLE), folder + QStringLiteral("/ov")));
    QFile task(folder + QStringLiteral("/task.txt"));
    QVERIFY(task.open(QIODevice::WriteOnly));
    task.write("th: 101\ntext: 隐藏第2张幻灯片。\nkind: 隐藏幻灯片\ngoal: slide2.hidden = 1\n"
               "step: select 2 | 单击第2张幻灯片\nstep: menu 幻灯片放映 | 单击“幻灯片放映”菜单\n"
               "step: command 隐藏幻灯片 | 单击“隐藏幻灯片”\n");
}

void TestSimulatorProtocol::cleanup()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
    m_process.reset();
    m_bank.reset();
}

void TestSimulatorProtocol::launch(const QProcessEnvironment &extra)
{
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const QString &name : extra.keys())
        environment.insert(name, extra.value(name));
    m_process->setProcessEnvironment(environment);
    m_process->start(m_bank->folder() + QStringLiteral("ovti/金山演示101/ov"), {});
    QVERIFY(m_process->waitForStarted(5000));
}

xcb_window_t TestSimulatorProtocol::waitForAnnouncement()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        const QString value = jc();
        if (!value.isEmpty())
            return xcb_window_t(value.toULong());
        QTest::qWait(10);
    }
    return 0;
}

void TestSimulatorProtocol::announcesWithoutShowing_data()
{
    QTest::addColumn<QString>("dqwz");
    QTest::newRow("practice") << QStringLiteral("0");
    QTest::newRow("exam") << QStringLiteral("2");
}

void TestSimulatorProtocol::announcesWithoutShowing()
{
    QFETCH(QString, dqwz);
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=") + dqwz);
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    QVERIFY(m_host.exists(window));
    QCOMPARE(m_host.pidOf(window), quint32(m_process->processId()));
    // It must wait for the host: a window mapped on the root window before
    // the move is lost under a window manager.
    QTest::qWait(500);
    QVERIFY(!m_host.viewable(window));
}

void TestSimulatorProtocol::showsWhenReparented()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    const xcb_window_t panel = m_host.createPanel();
    QElapsedTimer clock;
    clock.start();
    m_host.embed(window, panel);
    QTRY_VERIFY_WITH_TIMEOUT(m_host.viewable(window), 2000);
    QVERIFY2(clock.elapsed() < 1500, "shown by its own fallback, not by the re-parenting");
    QCOMPARE(m_host.rootPosition(window), QPoint(50, 40));
}

void TestSimulatorProtocol::showsOnItsOwnAtStoredPosition_data()
{
    QTest::addColumn<QString>("dqwz");
    QTest::addColumn<QPoint>("expected");
    // Both tables are filled; the mode picks one.
    QTest::newRow("practice uses jl") << QStringLiteral("0") << QPoint(307, 159);
    QTest::newRow("exam uses jl1") << QStringLiteral("2") << QPoint(117, 209);
}

void TestSimulatorProtocol::showsOnItsOwnAtStoredPosition()
{
    QFETCH(QString, dqwz);
    QFETCH(QPoint, expected);
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=") + dqwz);
    m_bank->exec(QStringLiteral("insert into jl (jl, jl1) values (307, 159); insert into jl1 (jl, jl1) values (117, 209)"));
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    QTest::qWait(2000);
    QVERIFY(!m_host.viewable(window));
    QTRY_VERIFY_WITH_TIMEOUT(m_host.viewable(window), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(m_host.rootPosition(window), expected, 1000);
}

void TestSimulatorProtocol::closeMessageEndsAndWithdraws()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    m_host.embed(window, m_host.createPanel());
    QTRY_VERIFY_WITH_TIMEOUT(m_host.viewable(window), 2000);
    m_host.sendDelete(window);
    QVERIFY(m_process->waitForFinished(2000));
    QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_process->exitCode(), 0);
    QCOMPARE(jc(), QString());
}

// The host ends a simulator that ignored the close message with SIGTERM:
// its id must not stay in `jc`.
void TestSimulatorProtocol::terminationWithdraws()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    launch();
    QVERIFY(waitForAnnouncement() != 0);
    m_process->terminate();
    QVERIFY(m_process->waitForFinished(2000));
    QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(jc(), QString());
}

void TestSimulatorProtocol::closeKeepsALaterAnnouncement()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    // A newer simulator of the same question announced itself meanwhile.
    m_bank->exec(QStringLiteral("update sbsti set jc='4242' where th='101'"));
    m_host.sendDelete(window);
    QVERIFY(m_process->waitForFinished(2000));
    QCOMPARE(jc(), QStringLiteral("4242"));
}

void TestSimulatorProtocol::endsWhenHostGoes()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=2"));
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    {
        // The host's own connection: when it goes, the server destroys its
        // panel and the simulator's window inside it.
        FakeHost host;
        host.embed(window, host.createPanel());
        QTRY_VERIFY_WITH_TIMEOUT(m_host.viewable(window), 2000);
    }
    QElapsedTimer clock;
    clock.start();
    QVERIFY(m_process->waitForFinished(3000));
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("ended after %1 ms").arg(clock.elapsed())));
}

void TestSimulatorProtocol::launchAndClickFirstSlide()
{
    launch();
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    m_host.embed(window, m_host.createPanel());
    QTRY_VERIFY_WITH_TIMEOUT(m_host.viewable(window), 2000);
    QTest::qWait(300);   // painted and laid out
    // The panel lies at 50, 40; the first thumbnail of the slide list below the menus, toolbars and task strip.
    QProcess click;
    click.start(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(50 + 60), QString::number(40 + 175),
                                           QStringLiteral("click"), QStringLiteral("1")});
    QVERIFY(click.waitForFinished(5000));
    QCOMPARE(click.exitCode(), 0);
}

// In the exam the candidate's document is kept on every change and shown
// again when the question's simulator starts anew; `ks` keeps the verdict
// of the document as it was left.
void TestSimulatorProtocol::examWorkKeptAcrossRelaunch()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=2"));
    // A bank from before the table existed: the simulator creates it.
    launchAndClickFirstSlide();
    QTRY_VERIFY_WITH_TIMEOUT(savedWork().contains(QStringLiteral("\"选中\":\"1\"")), 3000);
    QCOMPARE(m_bank->value(QStringLiteral("select ks as v from sbsti where th='101'")), QString());
    m_host.sendDelete(xcb_window_t(jc().toULong()));
    QVERIFY(m_process->waitForFinished(3000));
    QCOMPARE(m_process->exitCode(), 0);

    // The candidate had hidden slide 2 (the task's goal) and moved to slide 4.
    QString work = savedWork();
    QVERIFY(work.contains(QStringLiteral("\"hidden\":false")));
    const int second = work.indexOf(QStringLiteral("\"hidden\":false"), work.indexOf(QStringLiteral("\"hidden\":false")) + 1);
    work.replace(second, 14, QStringLiteral("\"hidden\":true"));
    work.replace(QStringLiteral("\"选中\":\"1\""), QStringLiteral("\"选中\":\"4\""));
    m_bank->exec(QStringLiteral("update kswj set wd='%1' where th='101'; update sbsti set ks='1' where th='101'")
                     .arg(QString(work).replace(u'\'', QStringLiteral("''"))));

    launchAndClickFirstSlide();
    QTRY_VERIFY_WITH_TIMEOUT(savedWork().contains(QStringLiteral("\"选中\":\"1\"")), 3000);
    QVERIFY(savedWork().contains(QStringLiteral("\"hidden\":true")));
    QCOMPARE(m_bank->value(QStringLiteral("select ks as v from sbsti where th='101'")), QStringLiteral("1"));
}

// A thumbnail dragged down the slide list with the mouse moves the slide
// (seen in the exam's saved document).
void TestSimulatorProtocol::slideDraggedInTheList()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=2"));
    launchAndClickFirstSlide();
    QTRY_VERIFY_WITH_TIMEOUT(savedWork().contains(QStringLiteral("\"选中\":\"1\"")), 3000);
    const QString x = QString::number(50 + 60);
    QProcess drag;
    drag.start(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), x, QString::number(40 + 175), QStringLiteral("mousedown"), QStringLiteral("1"),
                                          QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mousemove"), x, QString::number(40 + 200),
                                          QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mousemove"), x, QString::number(40 + 330),
                                          QStringLiteral("sleep"), QStringLiteral("0.3"), QStringLiteral("mouseup"), QStringLiteral("1")});
    QVERIFY(drag.waitForFinished(5000));
    QCOMPARE(drag.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(savedWork().indexOf(QStringLiteral("公司概况")) < savedWork().indexOf(QStringLiteral("年度工作总结")), 3000);
    QVERIFY(savedWork().contains(QStringLiteral("\"选中\":\"")));
}

void TestSimulatorProtocol::badBankShowsMessageAndFails_data()
{
    QTest::addColumn<bool>("corruptBank");
    QTest::newRow("no row for the question") << false;
    QTest::newRow("unreadable bank") << true;
}

void TestSimulatorProtocol::badBankShowsMessageAndFails()
{
    QFETCH(bool, corruptBank);
    m_bank->addQuestion(1, QStringLiteral("102"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    if (corruptBank) {
        QFile file(m_bank->databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
    }
    launch();
    QList<xcb_window_t> boxes;
    QTRY_VERIFY_WITH_TIMEOUT(!(boxes = m_host.mappedWindowsOf(quint32(m_process->processId()))).isEmpty(), 5000);
    QCOMPARE(m_process->state(), QProcess::Running);
    m_host.sendDelete(boxes.first());
    QVERIFY(m_process->waitForFinished(3000));
    QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
    QVERIFY(m_process->exitCode() != 0);
}

void TestSimulatorProtocol::hostedStartFailureGoesToTheHost_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no row for the question") << "row" << QStringLiteral("题库中没有题目101");
    QTest::newRow("position table missing") << "jl" << QStringLiteral("no such table: jl");
}

// Launched by a host, a simulator that cannot start leaves its reason where
// the host reads it and ends at once, without a box nobody would answer.
void TestSimulatorProtocol::hostedStartFailureGoesToTheHost()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    m_bank->addQuestion(1, damage == u"row" ? QStringLiteral("102") : QStringLiteral("101"), QStringLiteral("基本操作"),
                        QStringLiteral("dqwz=0"));
    if (damage == u"jl")
        m_bank->exec(QStringLiteral("drop table jl"));
    const QString errorFile = m_bank->folder() + QStringLiteral("start.err");
    QProcess host;
    host.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(host.waitForStarted());
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("PELQUOR_SIMULATOR_ERROR_FILE"), errorFile);
    extra.insert(QStringLiteral("PELQUOR_HOST_PID"), QString::number(host.processId()));
    launch(extra);
    QVERIFY(m_process->waitForFinished(5000));
    QVERIFY(m_process->exitCode() != 0);
    QFile file(errorFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString message = QString::fromUtf8(file.readAll());
    QVERIFY2(message.contains(reason), qPrintable(message));
    host.kill();
    host.waitForFinished();
}

// The host was killed between the launch and the embed: the simulator does
// not live on to show itself as a stray window.
void TestSimulatorProtocol::endsWhenHostDiesBeforeTheEmbed()
{
    m_bank->addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    QProcess host;
    host.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(host.waitForStarted());
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("PELQUOR_HOST_PID"), QString::number(host.processId()));
    launch(extra);
    const xcb_window_t window = waitForAnnouncement();
    QVERIFY(window != 0);
    host.kill();
    host.waitForFinished();
    QVERIFY(m_process->waitForFinished(2000));
    QVERIFY(!m_host.viewable(window));
    QCOMPARE(jc(), QString());
}

QTEST_GUILESS_MAIN(TestSimulatorProtocol)
#include "tst_simulatorprotocol.moc"
