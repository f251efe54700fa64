#include "simhost.h"

#include "connection.h"
#include "processwatch.h"
#include "programfolder.h"
#include "query.h"
#include "statements.h"
#include "storeerror.h"
#include "x11embed.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QDir>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

// The wait wakes when the bank file changes, which is when a simulator's
// announcement lands; the fallback pause only bounds how late a change is
// noticed when that wake-up is missed, and how late a vanished process or the
// limit is noticed.
constexpr int PassFallbackMs = 20;
constexpr int ClosePollMs = 10;
// A read during the wait gives way quickly to another program's write, so
// the wait's own limit holds however busy the bank is.
constexpr int WaitBusyMs = 300;

bool isDecimal(const QString &text)
{
    bool ok = false;
    text.trimmed().toLongLong(&ok);
    return ok;
}

// One file per host process: the launched simulator leaves its reason
// there when it cannot start.
QString startFailureFile()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/pelquor-simulator-%1.err").arg(QCoreApplication::applicationPid());
}

QList<SimHost *> &hosts()
{
    static QList<SimHost *> list;
    return list;
}

QSet<qint64> &launchedPids()
{
    static QSet<qint64> pids;
    return pids;
}

// Last resort when the program ends without its quit path (exit() from
// anywhere): no X calls any more, only the processes are ended.
void endLaunchedProcesses()
{
    for (qint64 pid : std::as_const(launchedPids()))
        ProcessWatch::end(pid, 100);
    launchedPids().clear();
}

void registerCleanup()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::atexit(endLaunchedProcesses);
    if (auto *app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, &SimHost::closeAll);
}

// Input that arrived while the host waited was held back by the event loop;
// it is dropped rather than delivered late (a candidate's impatient clicks on
// "下一题" must not switch questions once the simulator is there).
class InputDiscarder : public QObject
{
public:
    InputDiscarder()
    {
        qApp->installEventFilter(this);
        QCoreApplication::processEvents();
    }
    ~InputDiscarder() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
};

int remainingMs(Clock::time_point deadline)
{
    // Rounded up: a wait of n milliseconds lasts at least n milliseconds.
    return int(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count());
}

} // namespace

SimHost::SimHost(Connection &connection, Query &query, QWidget *panel, QObject *parent)
    : QObject(parent), m_connection(connection), m_query(query)
{
    registerCleanup();
    hosts().append(this);
    setPanel(panel);
    if (X11Embed::available())
        connect(X11Embed::instance(), &X11Embed::windowGone, this, &SimHost::windowGone);
}

SimHost::~SimHost()
{
    hosts().removeAll(this);
    if (m_embedded || ProcessWatch::isRunning(m_pid))
        close();
}

void SimHost::setPanel(QWidget *panel)
{
    m_panel = panel;
    if (m_panel && X11Embed::available())
        m_panel->winId();
}

QString SimHost::noticeText(int th)
{
    return QStringLiteral("题目%1的模拟程序没有启动，请检查模拟程序文件。").arg(th);
}

QString SimHost::busyNoticeText(int th)
{
    return QStringLiteral("题库文件正被其他程序占用，题目%1的模拟程序没能及时打开题库。请关闭占用题库的程序后重新打开本题。")
        .arg(th);
}

QString SimHost::endedNoticeText(int th)
{
    return QStringLiteral("题目%1的模拟程序意外退出了。单击“确定”重新开始本题。").arg(th);
}

bool SimHost::launch(int th)
{
    m_js = th;
    m_embedded = false;
    m_pid = 0;
    m_bankBusy = false;
    m_jcBeforeLaunch = jcNow();
    m_errorFile = startFailureFile();
    QFile::remove(m_errorFile);
    const qint64 pid = ProcessWatch::startDetached(ProgramFolder::simulatorProgram(QString::number(th)), m_errorFile);
    if (pid > 0) {
        m_pid = pid;
        launchedPids().insert(pid);
        return true;
    }
    return false;
}

void SimHost::readHandshake()
{
    m_query.close();
    m_query.setSql(Sql::questionByNumber(QString::number(m_js)));
    m_query.open();
}

QString SimHost::jcNow()
{
    // A look only: under another program's lock it gives way at once.
    m_connection.setBusyTimeout(WaitBusyMs);
    const auto restore = qScopeGuard([this] { m_connection.setBusyTimeout(Connection::BusyTimeoutMs); });
    try {
        readHandshake();
        const QString value = m_query.isEmpty() ? QString() : m_query.fieldText(QStringLiteral("jc"));
        m_query.close();
        return value;
    } catch (const StoreError &) {
        // The wait reads again and reports what is still wrong then.
        m_query.close();
        return {};
    }
}

QString SimHost::takeStartFailure()
{
    QFile file(m_errorFile);
    if (m_errorFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QString message = QString::fromUtf8(file.readAll()).trimmed();
    file.remove();
    return message;
}

bool SimHost::simulatorRunning() const
{
    return ProcessWatch::isRunning(m_pid);
}

// Embeds the window `jc` of the current row names, when it is a window of
// the simulator just launched. A `jc` that is not a decimal number raises
// the store's error; a stale or foreign value is not an announcement.
bool SimHost::tryEmbed()
{
    const QString jc = m_query.fieldText(QStringLiteral("jc"));
    if (jc.isEmpty())
        return false;
    // Left over from an earlier run and not a window id: the new simulator
    // replaces it with its own; only a value it writes itself is reported.
    if (jc == m_jcBeforeLaunch && !isDecimal(jc))
        return false;
    const int id = m_query.fieldInt(QStringLiteral("jc"));
    if (id <= 0 || !m_panel)
        return false;
    X11Embed *x11 = X11Embed::instance();
    const X11Embed::Owner owner = x11->owner(WindowId(id));
    if (!owner.exists || !ProcessWatch::isSameOrDescendant(owner.pid, m_pid))
        return false;
    QWidget *top = m_panel->window();
    if (!x11->embed(WindowId(id), WindowId(m_panel->winId()), QRect(QPoint(0, 0), SimulatorSize),
                    WindowId(top->winId())))
        return false;

    m_hwndnotepad = WindowId(id);
    m_aa = WindowId(id);
    m_embedded = true;
    x11->notifyPosition(m_hwndnotepad);
    emit embedded(m_hwndnotepad);
    return true;
}

bool SimHost::giveUp()
{
    m_query.close();
    const bool stillStarting = simulatorRunning();
    // A simulator that shows up after the wait gave up would float on the
    // screen on its own, so the launched process is ended.
    ProcessWatch::end(m_pid);
    // The simulator's own reason (a bank it cannot read, a missing table)
    // says more than ours.
    QString text = takeStartFailure();
    if (text.isEmpty())
        text = stillStarting && m_bankBusy ? busyNoticeText(m_js) : noticeText(m_js);
    emit notice(text);
    return false;
}

bool SimHost::waitAndEmbed()
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_waitLimitMs);
    struct QuickReads
    {
        Connection &connection;
        explicit QuickReads(Connection &c) : connection(c) { connection.setBusyTimeout(WaitBusyMs); }
        ~QuickReads() { connection.setBusyTimeout(Connection::BusyTimeoutMs); }
    } quickReads(m_connection);
    // Another program writing the bank only delays a read: the wait goes
    // on, and its limit ends it with a notice that says so.
    auto readAndTryEmbed = [this] {
        try {
            readHandshake();
        } catch (const StoreError &error) {
            if (!error.isBusy())
                throw;
            m_bankBusy = true;
            m_query.close();
            return false;
        }
        return tryEmbed();
    };
    try {
        if (readAndTryEmbed()) {
            m_query.close();
            return true;
        }

        QEventLoop loop;
        QTimer pause;
        pause.setSingleShot(true);
        connect(&pause, &QTimer::timeout, &loop, &QEventLoop::quit);
        // A write to the bank ends when its rollback journal is deleted
        // beside the file: a change of that folder is the moment to look.
        connect(bankFolderWatch(), &QFileSystemWatcher::directoryChanged, &loop, &QEventLoop::quit);
        const QString journal = m_connection.dataSource() + QStringLiteral("-journal");

        struct AfterWait
        {
            ~AfterWait() { InputDiscarder(); }
        } afterWait;
        for (;;) {
            if (!simulatorRunning() || remainingMs(deadline) <= 0)
                return giveUp();
            // The window keeps painting while it waits, but takes no input.
            if (!pause.isActive())
                pause.start(qBound(1, remainingMs(deadline), PassFallbackMs));
            loop.exec(QEventLoop::ExcludeUserInputEvents);
            // While a write is under way its journal lies beside the bank, and
            // a read would only sleep on the writer's lock; the journal's
            // removal wakes the wait again.
            if (pause.isActive() && QFile::exists(journal))
                continue;
            pause.stop();
            // The simulator writes from its own connection; only a freshly
            // opened connection sees that write.
            m_connection.close();
            try {
                m_connection.open();
            } catch (const StoreError &error) {
                if (!error.isBusy())
                    throw;
                m_bankBusy = true;
                continue;
            }
            if (readAndTryEmbed()) {
                m_query.close();
                return true;
            }
        }
    } catch (...) {
        ProcessWatch::end(m_pid);
        throw;
    }
}

QFileSystemWatcher *SimHost::bankFolderWatch()
{
    const QString folder = QFileInfo(m_connection.dataSource()).absolutePath();
    if (!m_bankFolderWatch)
        m_bankFolderWatch = new QFileSystemWatcher(this);
    if (m_bankFolderWatch->directories() != QStringList{folder}) {
        if (!m_bankFolderWatch->directories().isEmpty())
            m_bankFolderWatch->removePaths(m_bankFolderWatch->directories());
        m_bankFolderWatch->addPath(folder);
    }
    return m_bankFolderWatch;
}

bool SimHost::readAndEmbed()
{
    // The wait's first pass is that single read, embedding what `jc` holds;
    // an empty, stale or foreign value goes on into the wait.
    return waitAndEmbed();
}

void SimHost::windowGone(quint32 window)
{
    if (!m_embedded || m_closing || window != m_hwndnotepad)
        return;
    m_embedded = false;
    ProcessWatch::end(m_pid);
    emit simulatorEnded(m_js);
}

void SimHost::close()
{
    const QScopedValueRollback closing(m_closing, true);
    bool windowStayed = false;
    if (m_embedded && QCoreApplication::instance()) {
        X11Embed *x11 = X11Embed::instance();
        const WindowId window = m_aa;
        if (x11->exists(window)) {
            x11->sendDelete(window);
            const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(CloseWaitMs);
            QEventLoop loop;
            QTimer poll;
            poll.setSingleShot(true);
            connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
            connect(x11, &X11Embed::windowGone, &loop, [&loop, window](quint32 gone) {
                if (gone == window)
                    loop.quit();
            });
            while (x11->exists(window) && remainingMs(deadline) > 0) {
                poll.start(qBound(1, remainingMs(deadline), ClosePollMs));
                loop.exec(QEventLoop::ExcludeUserInputEvents);
                poll.stop();
            }
            windowStayed = x11->exists(window);
            InputDiscarder();
        }
        x11->release(window);
    }
    if (windowStayed || !m_embedded)
        ProcessWatch::end(m_pid);
    if (!ProcessWatch::isRunning(m_pid))
        launchedPids().remove(m_pid);
    m_embedded = false;
}

void SimHost::closeAll()
{
    const QList<SimHost *> current = hosts();
    for (SimHost *host : current) {
        // A nested wait may have destroyed a host meanwhile.
        if (hosts().contains(host))
            host->close();
    }
    endLaunchedProcesses();
}
