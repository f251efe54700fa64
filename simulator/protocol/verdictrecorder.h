#pragma once

#include "simbank.h"

// Turns the simulator's verdict into the bank's record. In practice the
// question is completed once ("已完成" stays, the host only clears it when the
// candidate restarts the chapter). In the exam `ks` follows the document: "1"
// exactly while the answer is correct, empty otherwise, written only when it
// changes. Nothing is written before the candidate has changed anything, so
// opening an answered exam question again does not undo its record.
class VerdictRecorder
{
public:
    VerdictRecorder(SimBank &bank, SimBank::Mode mode) : m_bank(bank), m_mode(mode) {}

    // Called after every change of the document. Returns true when this call
    // completed the practice task.
    bool update(bool correct);

private:
    SimBank &m_bank;
    SimBank::Mode m_mode;
    bool m_completed = false;
    int m_ks = -1;  // unknown until the first change
};
