#pragma once

#include "connection.h"

#include <QPoint>
#include <QString>

// The simulator's side of the bank: its own connection, its question row and
// the hand-over tables the host writes for it. Everything the simulator tells
// the host goes through here: its window id in `jc`, the practice state in
// `zt` and the exam verdict in `ks`.
//
// open() and read() may run on a worker thread while the window is being
// built (the first keyed open of a process is the slow part of start-up);
// every later call runs on the thread that owns the window.
class SimBank
{
public:
    enum class Mode { Practice, Exam };

    struct Row
    {
        QString th;
        QString ti;        // the task statement as the host shows it
        Mode mode = Mode::Practice;
        QPoint position;   // screen position of the host's simulator panel
        bool hasPosition = false;
        QString inputMethod;
    };

    // Writes wait this long on another program's lock before they fail and
    // are tried again by their caller, so a busy bank never freezes the editor.
    static constexpr int BusyWaitMs = 200;

    SimBank(const QString &programFolder, const QString &th);

    // Throws StoreError with a message for the candidate: the bank cannot be
    // opened, or it holds no row for the question.
    void open();
    Row read();

    void announce(quint64 windowId);
    // Empties `jc` only while it still names this window: a simulator of the
    // same question started after this one keeps its announcement.
    void withdraw(quint64 windowId);

    void setCompleted();            // zt := "已完成"
    void setExamCorrect(bool ok);   // ks := "1" or ""

    // For the exam's saved work (ExamWork), on the window's thread.
    Connection &connection() { return m_connection; }

private:
    void writeColumn(const QString &column, const QString &value);

    QString m_th;
    Connection m_connection;
};
