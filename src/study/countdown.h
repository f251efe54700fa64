#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class Connection;

// The countdown to the examination. The bank keeps it as a number of days
// in table `rq` (written whenever the candidate sets the date) and, beside
// it, the date itself in table `ksrq`, so the shown count can be worked out
// again on any later day. Banks made before `ksrq` existed only have the
// number; they show it as stored until a date is set.
namespace Countdown {

// Whole days from `now` until the examination day (at 00:00), the fraction
// dropped; "0" once that moment has passed.
QString text(const QDateTime &now, QDate exam);

// The local clock; tests put a fixed one in its place.
std::function<QDateTime()> &clock();

// The stored examination date; none when the bank has no date (or no
// table for it). Store errors go on to the caller.
std::optional<QDate> storedDate(Connection &connection);
// Stores the date, making its table in banks that predate it.
void storeDate(Connection &connection, QDate exam);

// Milliseconds from `now` to just after the next local midnight.
qint64 untilNextDay(const QDateTime &now);

} // namespace Countdown
