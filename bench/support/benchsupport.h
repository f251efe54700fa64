#pragma once

// What the benchmarks share: the monotonic clock, medians, the printed
// "name: value unit" line, and the yardstick — a bare Qt widgets window
// (bench/simhost/barewindow.cpp) started as a process, timed to its first paint.

#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cstdio>

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
inline double bareWindowMs(const QString &barewindow, const QString &log)
{
    QFile::remove(log);
    qputenv("BARE_LOG", log.toLocal8Bit());
    const double start = nowMs();
    QProcess process;
    process.start(barewindow, {});
    if (!QTest::qWaitFor([&] { return loggedMs(log, {}) > 0; }, 10000))
        return -1;
    const double painted = loggedMs(log, {});
    process.waitForFinished(2000);
    return painted - start;
}

} // namespace Bench
