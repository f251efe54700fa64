#pragma once

// What the benchmarks share: the monotonic clock, medians, the printed
// "name: value unit" line, and the yardstick — a bare Qt widgets window
// (bench/simhost/barewindow.cpp) started as a process, timed to its first paint.

#include "processwatch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QString>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <time.h>

namespace Bench {

inline double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

inline double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

inline void print(const char *name, double value, const char *unit)
{
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Handles events until `done` holds or the time is up. Unlike QTest::qWaitFor,
// which sleeps up to 10 ms between its checks, it checks right after each
// batch of events, so the moment it returns is when the awaited event was
// handled.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake;  // bounds each blocking wait, so the deadline is noticed
    wake.start(20);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A "key value" line of a log written by a child process (monotonic ns), as
// milliseconds; an empty key reads a log of one bare number.
inline double loggedMs(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (key.isEmpty() && parts.size() == 1 && !parts.at(0).isEmpty())
            return parts.at(0).toDouble() / 1e6;
        if (parts.size() == 2 && parts.at(0) == key.toUtf8())
            return parts.at(1).toDouble() / 1e6;
    }
    return -1;
}

// Start of the bare window's process to its first paint; -1 when it failed.
// The window is started as the simulator host starts a simulator, and the
// measurement returns once its process has ended.
inline double bareWindowMs(const QString &barewindow, const QString &log)
{
    QFile::remove(log);
    qputenv("BARE_LOG", log.toLocal8Bit());
    const double start = nowMs();
    const qint64 pid = ProcessWatch::startDetached(barewindow);
    if (pid == 0)
        return -1;
    const bool painted = waitUntil([&] { return loggedMs(log, {}) > 0; }, 10000);
    if (!painted)
        ProcessWatch::end(pid);
    (void)waitUntil([pid] { return !ProcessWatch::isRunning(pid); }, 2000);
    return painted ? loggedMs(log, {}) - start : -1;
}

} // namespace Bench
