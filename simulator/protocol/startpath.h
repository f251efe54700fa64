#pragma once

#include <QString>

// Where a simulator was started from. Every question folder holds a link
// "ov" to the one simulator program; the folder name ("金山演示101") names the
// question. The link is never resolved: the path the process was started
// with is what tells the questions apart.
namespace StartPath {

// "…/ovti/金山演示101/ov" → "101"; empty when the folder does not name a question.
QString questionNumber(const QString &startedPath);

// The question folder ("…/ovti/金山演示101/") and the program folder two levels
// above it, both absolute and ending with "/", not resolving links.
QString questionFolder(const QString &startedPath);
QString programFolder(const QString &startedPath);

// The path this process was started with (argv[0] as given to exec).
QString ofThisProcess();

} // namespace StartPath
