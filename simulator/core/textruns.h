#pragma once

#include <QMap>
#include <QString>

// Characters formatted apart from the rest of their placeholder (a run) are
// kept in the slide's attributes under the placeholder's name with the run's
// name: "标题「2005」.效果" = 上标 for "2005" in the title. A run's name is
// its text where the text first stands in the placeholder; where the same
// text stands again, the name counts it: "2005〔2〕" is its second place.
namespace TextRuns {

using Formats = QMap<QString, QString>;  // attribute name -> value

QString key(const QString &object, const QString &name);
// The name of the run of `length` characters at `start` of `whole`.
QString name(const QString &whole, qsizetype start, qsizetype length);
// The characters a run of that name holds.
QString textOf(const QString &name);
// Where the run of that name stands in `whole`; -1 where it stands nowhere.
qsizetype startIn(const QString &whole, const QString &name);
// The runs of `object`: each run's name with its formats.
QMap<QString, Formats> of(const QMap<QString, QString> &attributes, const QString &object);
// The run holding the character before `position` of `text`, the one a
// caret there types in; empty when none does.
QString at(const QMap<QString, QString> &attributes, const QString &object, const QString &text, qsizetype position);
// Removes the attribute `name` from every run of `object`.
void clear(QMap<QString, QString> &attributes, const QString &object, const QString &name);
// The text of `object` changed from `before` to `after` by one edit (typing,
// deleting, typing over a selection): each run follows its characters, as a
// text editor's formats do. Characters typed at a run's end join it; a run
// whose characters are all gone goes.
void followEdit(QMap<QString, QString> &attributes, const QString &object, const QString &before, const QString &after);

} // namespace TextRuns
