#pragma once

#include "contentsources.h"
#include "task.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every question of the bank gets its simulator folder: "ovti/金山演示<n>/"
// with the task in readable text ("task.txt") and "ov", a relative link to
// the one simulator program. The task is derived from the question's text:
// its kind from keywords, its slide numbers, names and values from the
// numbers and the quoted words of the text.

// Raises StoreError naming the path when a folder, file or link cannot be made.
void writeSimulatorFolders(const QList<ContentSources::Question> &questions, const QString &programFolder,
                           const QString &simulatorExecutable);

Task deriveTask(const QString &th, const QString &text);

// Everything wrong with one task file, one Chinese line each; empty when sound.
QStringList checkTask(const QString &taskFile);
