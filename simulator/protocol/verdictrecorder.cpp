#include "verdictrecorder.h"

bool VerdictRecorder::update(bool correct)
{
    if (m_mode == SimBank::Mode::Practice) {
        if (!correct || m_completed)
            return false;
        m_bank.setCompleted();
        m_completed = true;
        return true;
    }
    if (m_ks != int(correct)) {
        m_bank.setExamCorrect(correct);
        m_ks = int(correct);
    }
    return false;
}
