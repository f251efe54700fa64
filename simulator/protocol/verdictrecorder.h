#pragma once

#include "simbank.h"

#include <QObject>
#include <QTimer>

#include <optional>

// Turns the simulator's verdict into the bank's record. In practice the
// question is completed once ("已完成" stays, the host only clears it when the
// candidate restarts the chapter). In the exam `ks` follows the document: "1"
// exactly while the answer is correct, empty otherwise, written only when it
// changes. Nothing is written before the candidate has changed anything, so
// opening an answered exam question again does not undo its record.
//
// A verdict is never lost to a bank that cannot take the write at once
// (another program holding the file, a full disk): it stays pending and is
// written again and again until it lands, and the candidate is told of a
// completion only once it is recorded.
class VerdictRecorder : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryMs = 250;

    VerdictRecorder(SimBank &bank, SimBank::Mode mode, QObject *parent = nullptr);

    // Called after every change of the document. Returns true when this call
    // recorded the completion of the practice task.
    bool update(bool correct);

    bool isPending() const { return m_pending.has_value(); }

    // Tries a pending write until it lands or `ms` have passed (the way out
    // of a simulator being closed). True when nothing is pending any more.
    bool flush(int ms);

signals:
    // A completion that could only be written by a later attempt.
    void completed();
    // The first failed attempt of a pending verdict, with the bank's reason.
    void delayed(const QString &reason);

private:
    // Writes the pending verdict; true when it landed (or nothing was pending).
    bool write();
    void retry();

    SimBank &m_bank;
    SimBank::Mode m_mode;
    bool m_completed = false;
    int m_ks = -1;  // unknown until the first change
    std::optional<bool> m_pending;  // the verdict still to be written
    bool m_told = false;            // delayed() said for the pending verdict
    QTimer m_retry;
};
