#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

class Connection;
class QFileSystemWatcher;
class Query;

// The question simulator host of one embedding window (the practice window,
// the exam room). It launches a question's simulator, waits until the
// simulator announces its window in `jc` of the question's row, embeds that
// window into the window's simulator panel and closes it again.
//
// The host runs on the window's own connection and query: the simulator
// writes `jc` from its own process, and a freshly opened connection is the
// host's way of seeing that write.
//
// The wait is bounded and calm: between passes it sleeps until the bank
// file changes (or a short fallback pause passes), the window keeps painting
// but takes no input, and a simulator that does not announce itself within
// the limit, or ends without announcing, ends the wait with `notice` naming
// the question. Only a window that belongs to the process just launched is
// ever re-parented.
class SimHost : public QObject
{
    Q_OBJECT

public:
    using WindowId = quint32;

    static constexpr int DefaultWaitLimitMs = 15000;
    static constexpr int CloseWaitMs = 2000;
    static constexpr QSize SimulatorSize{900, 700};

    SimHost(Connection &connection, Query &query, QWidget *panel, QObject *parent = nullptr);
    ~SimHost() override;

    // The simulator panel; made native so that the simulator can be its child.
    void setPanel(QWidget *panel);
    QWidget *panel() const { return m_panel; }

    // Starts the simulator of question `th` ("ovti/金山演示<th>/ov" in the
    // program folder, no arguments) and keeps its process id. False when the
    // program could not be started; the wait that follows then gives the notice.
    bool launch(int th);

    // The hand-shake wait after a launch. True when the simulator's window was
    // embedded; false after the notice. Store errors (a `jc` that is not a
    // decimal number, a failing bank) are raised as StoreError.
    bool waitAndEmbed();

    // The single-read hand-shake: one read of `jc` right after the launch.
    // When the simulator has not announced itself yet, falls back to the wait.
    bool readAndEmbed();

    // The close message to `aa`, at most CloseWaitMs for the window to go,
    // then the launched process is ended.
    void close();

    // Every simulator launched by any host and still running is closed; run
    // when the application quits and, for processes only, at exit.
    static void closeAll();

    void setWaitLimit(int ms) { m_waitLimitMs = ms; }
    int waitLimit() const { return m_waitLimitMs; }

    // The system's state of the embedding window.
    int js() const { return m_js; }                       // question of the current simulator
    WindowId hwndnotepad() const { return m_hwndnotepad; } // window re-parented and moved
    WindowId aa() const { return m_aa; }                   // window that gets the close message

    qint64 launchedPid() const { return m_pid; }
    bool isEmbedded() const { return m_embedded; }

    static QString noticeText(int th);
    // The wait ran out while the simulator was still trying to reach a bank
    // that another program keeps busy.
    static QString busyNoticeText(int th);
    // The embedded simulator ended without being closed (it crashed).
    static QString endedNoticeText(int th);

signals:
    // A Chinese notice for the candidate (shown through `tits`).
    void notice(const QString &text);
    void embedded(quint32 window);
    // The embedded simulator of question `th` is gone without a close: its
    // panel is empty until the question is started again.
    void simulatorEnded(int th);

private:
    void readHandshake();
    bool tryEmbed();
    bool giveUp();
    QString jcNow();
    QString takeStartFailure();
    void windowGone(quint32 window);
    bool simulatorRunning() const;
    QFileSystemWatcher *bankFolderWatch();

    Connection &m_connection;
    Query &m_query;
    QPointer<QWidget> m_panel;
    int m_waitLimitMs = DefaultWaitLimitMs;
    // Kept from wait to wait: closing an inotify watch blocks for a kernel
    // grace period (10-20 ms here), which a switch of questions would pay.
    QFileSystemWatcher *m_bankFolderWatch = nullptr;

    int m_js = 0;
    WindowId m_hwndnotepad = 0;
    WindowId m_aa = 0;
    qint64 m_pid = 0;
    bool m_embedded = false;
    // `jc` as it stood before the launch: an old value that is not a window
    // id is left from an earlier run, not the new simulator's announcement.
    QString m_jcBeforeLaunch;
    // The bank answered "busy" during the current wait.
    bool m_bankBusy = false;
    bool m_closing = false;
    // Where the launched simulator leaves its reason when it cannot start.
    QString m_errorFile;
};
