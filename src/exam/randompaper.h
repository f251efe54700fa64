#pragma once

#include <QList>

#include <functional>

// The random paper of the mock exam. The draw walks the question table in
// `id` order in passes: each pass reseeds the generator, picks one row among
// the `a` rows that follow its starting row (a = rows / 40) and moves on. It
// never looks at a column, so the paper's spread over the chapters follows
// only from the table's order. When the rows run out before 40 questions are
// picked, the pass that runs past the end picks the table's last row.
namespace RandomPaper {

constexpr int PaperSize = 40;

// The 32-bit linear congruential generator the draw has always used:
// seed := seed × 134775813 + 1 (mod 2^32); the value is the upper 32 bits
// of seed × range, so 0 … range − 1.
struct Generator
{
    quint32 seed = 0;
    quint32 draw(quint32 range)
    {
        seed = seed * 134775813u + 1u;
        return quint32((quint64(seed) * range) >> 32);
    }
};

using SeedSource = std::function<quint32()>;
using Pause = std::function<void()>;

// The low 32 bits of the monotonic clock in nanoseconds.
quint32 monotonicSeed();
// One millisecond, so that two reseedings differ.
void pauseOneMillisecond();

// The 0-based positions, in table order, of the rows the draw picks from a
// table of `rowCount` rows. Every pass calls `pause`, then `seed`.
QList<int> picks(int rowCount, const SeedSource &seed = monotonicSeed, const Pause &pause = pauseOneMillisecond);

// What the exam room draws with; tests fix the seed, the benchmark drops the pause.
SeedSource &seedSource();
Pause &pause();

} // namespace RandomPaper
