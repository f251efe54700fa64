#pragma once

#include <QString>

#include <functional>

class QObject;

// Whether a web site answers, asked in the background: a TCP connection to
// the site's host within a short limit. `reachable` runs only when it does,
// and never after `context` is gone; the caller never waits.
namespace SiteCheck {

constexpr int TimeLimitMs = 3000;

void whenReachable(QObject *context, const QString &address, std::function<void()> reachable);

} // namespace SiteCheck
