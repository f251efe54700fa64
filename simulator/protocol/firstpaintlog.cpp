#include "firstpaintlog.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <time.h>

FirstPaintLog::FirstPaintLog(QWidget *window) : QObject(window), m_file(qEnvironmentVariable("PELQUOR_SIM_LOG"))
{
    if (!m_file.isEmpty())
        window->installEventFilter(this);
}

bool FirstPaintLog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || m_done)
        return false;
    m_done = true;
    watched->removeEventFilter(this);
    // Written once the whole frame (every child) is drawn and flushed.
    QTimer::singleShot(0, this, [this] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        QFile log(m_file);
        if (log.open(QIODevice::Append))
            log.write("painted " + QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec) + '\n');
    });
    return false;
}
