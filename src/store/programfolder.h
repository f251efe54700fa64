#pragma once

#include <QString>

// Every content path starts at the folder of the running program file, never
// at the current directory, so the program can be started from anywhere.
namespace ProgramFolder {

// The program folder, ending with "/".
QString path();

// Points the program folder elsewhere: used by tools that work on a folder
// given to them (the content builder) and by tests with a temporary folder.
void setPath(const QString &folder);

// program folder + relative
QString file(const QString &relative);

// The simulator program of question `th`: "ovti/金山演示" + th + "/ov".
QString simulatorProgram(const QString &th);

} // namespace ProgramFolder
