#pragma once

#include "contentsources.h"
#include "task.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every question of the bank gets its simulator folder: "ovti/金山演示<n>/"
// with its task in readable text ("task.txt") and "ov", a relative link to
// the one simulator program. The tasks are authored in the sources
// (tasks/<chapter>.txt).

// The authored task of every question, read and checked: each question has
// one, for its text, and it is sound (Task::problems). Problems are Chinese
// lines naming the source file and line; the tasks are those that could be read.
QStringList readAuthoredTasks(const ContentSources &sources, QList<Task> *tasks);

// Raises StoreError naming the path when a folder, file or link cannot be made.
void writeSimulatorFolders(const QList<Task> &tasks, const QString &programFolder, const QString &simulatorExecutable);

// A first draft of a question's task, from keywords, the slide numbers and
// the quoted words of its text: an aid for the author, who reviews it
// against the text and completes it (pelquor-content draft).
Task deriveTask(const QString &th, const QString &text);

// Everything wrong with one task file, one Chinese line each; empty when sound.
QStringList checkTask(const QString &taskFile);
