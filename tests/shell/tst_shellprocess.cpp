#include "shellfixture.h"
#include "testbank.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

#include <memory>

// A private X server for one test, so that a window manager started here
// disturbs no other test.
class XServer
{
public:
    XServer()
    {
        m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                              QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                              QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        QElapsedTimer waited;
        waited.start();
        while (!m_xvfb.canReadLine() && waited.elapsed() < 10000 && m_xvfb.state() != QProcess::NotRunning)
            m_xvfb.waitForReadyRead(100);
        const QByteArray number = m_xvfb.readLine().trimmed();
        if (!number.isEmpty())
            m_display = u':' + QString::fromLatin1(number);
    }
    ~XServer()
    {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }
    QString display() const { return m_display; }

private:
    QProcess m_xvfb;
    QString m_display;
};

class TestShellProcess : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void secondInstanceEndsSilently();
    void altF4ClosesNothingUnderAWindowManager();
    void exitConfirmationEndsTheProgram();
    void pixelGeometryWhateverTheTextScale_data();
    void pixelGeometryWhateverTheTextScale();

private:
    void startProgram(QProcess &process);
    QString tool(const QString &program, const QStringList &arguments);
    bool waitForWindow(const QString &title, bool visible = true, int ms = 10000);
    void click(int x, int y);
    void altF4();

    std::unique_ptr<XServer> m_x;
    std::unique_ptr<TestBank> m_bank;
    QTemporaryDir m_runtime;
    QProcessEnvironment m_env;
};

void TestShellProcess::init()
{
    m_x = std::make_unique<XServer>();
    QVERIFY2(!m_x->display().isEmpty(), "no private X server");
    m_bank = std::make_unique<TestBank>();
    drawShellPictures(m_bank->folder());
    // The program's folder is the folder of its file: a copy lives in the fixture.
    QVERIFY(QFile::copy(QStringLiteral(PELQUOR), m_bank->folder() + QStringLiteral("pelquor")));
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("DISPLAY"), m_x->display());
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
}

void TestShellProcess::cleanup()
{
    m_bank.reset();
    m_x.reset();
}

void TestShellProcess::startProgram(QProcess &process)
{
    process.setProcessEnvironment(m_env);
    process.start(m_bank->folder() + QStringLiteral("pelquor"), {});
    QVERIFY(process.waitForStarted());
}

QString TestShellProcess::tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(program, arguments);
    if (!process.waitForFinished(5000))
        process.kill();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool TestShellProcess::waitForWindow(const QString &title, bool visible, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        const QString found = tool(QStringLiteral("xdotool"),
                                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    u'^' + title + u'$'});
        if (found.isEmpty() != visible)
            return true;
        QTest::qWait(50);
    }
    return false;
}

void TestShellProcess::click(int x, int y)
{
    tool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
    QTest::qWait(100);
    tool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
}

void TestShellProcess::altF4()
{
    // Held down as a person holds a chord, then let go.
    tool(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("alt+F4")});
    QTest::qWait(300);
    tool(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("alt+F4")});
}

void TestShellProcess::secondInstanceEndsSilently()
{
    QProcess first;
    startProgram(first);
    QVERIFY(waitForWindow(QStringLiteral("Pelquor")));

    for (int attempt = 0; attempt < 2; ++attempt) {
        QProcess second;
        QElapsedTimer took;
        took.start();
        startProgram(second);
        QVERIFY(second.waitForFinished(5000));
        qInfo("second start ended after %lld ms", took.elapsed());
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(second.readAllStandardOutput(), QByteArray());
        QCOMPARE(second.readAllStandardError(), QByteArray());
    }
    QCOMPARE(first.state(), QProcess::Running);
    QCOMPARE(tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                              QStringLiteral("--name"), QStringLiteral("^Pelquor$")})
                 .split(u'\n').size(),
             1);

    // Once the first has ended, the program starts again.
    first.terminate();
    QVERIFY(first.waitForFinished(5000));
    QProcess again;
    startProgram(again);
    QVERIFY2(waitForWindow(QStringLiteral("Pelquor")), again.readAllStandardError().constData());
    again.terminate();
    QVERIFY(again.waitForFinished(5000));
}

void TestShellProcess::altF4ClosesNothingUnderAWindowManager()
{
    QProcess manager;
    manager.setProcessEnvironment(m_env);
    manager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QVERIFY(manager.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(tool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                                 .contains(QStringLiteral("window id")),
                             10000);

    // Without the program, Alt+F4 closes a window here (once the manager
    // has its key bindings in place).
    QProcess other;
    other.setProcessEnvironment(m_env);
    other.start(QStringLiteral("xmessage"), {QStringLiteral("-name"), QStringLiteral("control"), QStringLiteral("control")});
    QVERIFY(waitForWindow(QStringLiteral("control")));
    for (int attempt = 0; attempt < 20 && !other.waitForFinished(250); ++attempt) {
        tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^control$"),
                                         QStringLiteral("windowactivate"), QStringLiteral("--sync")});
        altF4();
    }
    QVERIFY2(other.state() == QProcess::NotRunning, "Alt+F4 does not close windows in this setup");

    QProcess program;
    startProgram(program);
    QVERIFY(waitForWindow(QStringLiteral("Pelquor")));
    tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                     QStringLiteral("^Pelquor$"), QStringLiteral("windowactivate"), QStringLiteral("--sync")});
    for (int press = 0; press < 2; ++press)
        altF4();
    QTest::qWait(700);
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(waitForWindow(QStringLiteral("Pelquor")));

    // A quick chord while the program is busy: the close request is handled
    // only after the keys are up again, and is still refused.
    for (int press = 0; press < 3; ++press) {
        ::kill(pid_t(program.processId()), SIGSTOP);
        tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+F4")});
        QTest::qWait(150);
        ::kill(pid_t(program.processId()), SIGCONT);
        QTest::qWait(400);
        QCOMPARE(program.state(), QProcess::Running);
    }
    QVERIFY(waitForWindow(QStringLiteral("Pelquor")));

    program.terminate();
    QVERIFY(program.waitForFinished(5000));
    manager.terminate();
    manager.waitForFinished(5000);
}

void TestShellProcess::exitConfirmationEndsTheProgram()
{
    QProcess program;
    startProgram(program);
    QVERIFY(waitForWindow(QStringLiteral("Pelquor")));
    // 1280 × 1024: the main window at 128, 128; the confirmation at 505, 382.
    const QPoint closeGlyph(128 + 1000, 128 + 10);
    const QPoint confirm(505 + 46 + 37, 382 + 96 + 12);
    const QPoint cancel(505 + 152 + 37, 382 + 96 + 12);

    click(closeGlyph.x(), closeGlyph.y());
    QVERIFY(waitForWindow(QStringLiteral("Orvanta")));
    click(cancel.x(), cancel.y());
    QVERIFY(waitForWindow(QStringLiteral("Orvanta"), false));
    QCOMPARE(program.state(), QProcess::Running);

    click(closeGlyph.x(), closeGlyph.y());
    QVERIFY(waitForWindow(QStringLiteral("Orvanta")));
    click(confirm.x(), confirm.y());
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestShellProcess::pixelGeometryWhateverTheTextScale_data()
{
    QTest::addColumn<QString>("resources");
    QTest::addColumn<QString>("variable");
    QTest::newRow("96 DPI") << QString() << QString();
    QTest::newRow("Xft.dpi 120") << QStringLiteral("Xft.dpi:\t120\n") << QString();
    QTest::newRow("Xft.dpi 192") << QStringLiteral("Xft.dpi:\t192\n") << QString();
    QTest::newRow("scale factor") << QString() << QStringLiteral("QT_SCALE_FACTOR=1.5");
}

// The main window keeps its 1020 × 758 pixels whatever text scale the
// desktop asks for: the simulator panel and the positions handed to the
// simulators are pixel values.
void TestShellProcess::pixelGeometryWhateverTheTextScale()
{
    QFETCH(QString, resources);
    QFETCH(QString, variable);
    if (!resources.isEmpty())
        tool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-f"), QStringLiteral("RESOURCE_MANAGER"),
                                       QStringLiteral("8s"), QStringLiteral("-set"), QStringLiteral("RESOURCE_MANAGER"),
                                       resources});
    if (!variable.isEmpty())
        m_env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    QProcess program;
    startProgram(program);
    QVERIFY(waitForWindow(QStringLiteral("Pelquor")));
    const QString id = tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                        QStringLiteral("--name"), QStringLiteral("^Pelquor$")});
    const QString geometry = tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), id});
    QVERIFY2(geometry.contains(QStringLiteral("Geometry: 1020x758")), qPrintable(geometry));
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
}

QTEST_GUILESS_MAIN(TestShellProcess)
#include "tst_shellprocess.moc"
