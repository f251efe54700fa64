#include "verdictrecorder.h"

#include "storeerror.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

VerdictRecorder::VerdictRecorder(SimBank &bank, SimBank::Mode mode, QObject *parent)
    : QObject(parent), m_bank(bank), m_mode(mode)
{
    m_retry.setInterval(RetryMs);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &VerdictRecorder::retry);
}

bool VerdictRecorder::update(bool correct)
{
    if (m_mode == SimBank::Mode::Practice) {
        if (!correct || m_completed || m_pending)
            return false;
    } else {
        const int recorded = m_pending ? int(*m_pending) : m_ks;
        if (recorded == int(correct))
            return false;
    }
    m_pending = correct;
    m_told = false;
    return write() && m_mode == SimBank::Mode::Practice;
}

bool VerdictRecorder::write()
{
    if (!m_pending)
        return true;
    try {
        if (m_mode == SimBank::Mode::Practice) {
            m_bank.setCompleted();
            m_completed = true;
        } else {
            m_bank.setExamCorrect(*m_pending);
            m_ks = int(*m_pending);
        }
    } catch (const StoreError &error) {
        if (!m_told) {
            m_told = true;
            emit delayed(error.message());
        }
        m_retry.start();
        return false;
    }
    m_pending.reset();
    m_retry.stop();
    return true;
}

void VerdictRecorder::retry()
{
    const bool practice = m_mode == SimBank::Mode::Practice;
    if (write() && practice && m_completed)
        emit completed();
}

bool VerdictRecorder::flush(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (m_pending) {
        m_retry.stop();
        if (write())
            break;
        m_retry.stop();
        if (clock.elapsed() >= ms)
            return false;
        QThread::msleep(quint32(qMin<qint64>(RetryMs, ms - clock.elapsed())));
    }
    return true;
}
