#include "randompaper.h"

#include <QThread>

#include <algorithm>
#include <chrono>

namespace RandomPaper {

quint32 monotonicSeed()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return quint32(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void pauseOneMillisecond()
{
    QThread::msleep(1);
}

QList<int> picks(int rowCount, const SeedSource &seed, const Pause &pause)
{
    QList<int> chosen;
    if (rowCount <= 0)
        return chosen;
    const int a = rowCount / PaperSize;
    const int last = rowCount - 1;
    // The cursor of a dataset: moving past the last row stays on it and
    // sets the end condition; further moves do nothing.
    int current = 0;
    bool eof = false;
    auto moveBy = [&](int distance) {
        const int target = current + distance;
        eof = target > last;
        current = std::min(target, last);
    };
    while (!eof) {
        if (pause)
            pause();
        Generator generator{seed ? seed() : 0u};
        const int r = a == 0 ? 0 : int(generator.draw(quint32(a)));
        moveBy(r + 1);
        if (chosen.size() < PaperSize) {
            chosen.append(current);
            moveBy(1);
        }
        if (a - r - 2 > 0)
            moveBy(a - r - 2);
    }
    return chosen;
}

SeedSource &seedSource()
{
    static SeedSource source = monotonicSeed;
    return source;
}

Pause &pause()
{
    static Pause p = pauseOneMillisecond;
    return p;
}

} // namespace RandomPaper
