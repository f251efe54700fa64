#pragma once

#include <QList>
#include <QString>

// Finding, replacing and changing the case of the texts of a presentation, as
// 编辑 → 查找 and 替换 and 格式 → 更改大小写 do. Plain functions on text, so
// the session and the tests share one meaning of "a match".
namespace TextSearch {

struct Options
{
    bool matchCase = false;   // 区分大小写
    bool wholeWord = false;   // 全字匹配: a Latin word is not found inside a longer one
};

// Where `what` occurs in `text`, from `from` on, as the options read it;
// -1 when it does not (or when `what` is empty).
int indexIn(const QString &text, const QString &what, const Options &options, int from = 0);
// Every occurrence replaced, left to right; returns how many.
int replaceAll(QString &text, const QString &what, const QString &with, const Options &options);

// The case choices of 更改大小写: 句首字母大写 (each sentence's first letter
// up, the rest down), 全部小写, 全部大写, 词首字母大写 (each word's first
// letter up), 切换大小写 (every letter turned). An unknown choice changes nothing.
QString changeCase(const QString &text, const QString &how);

} // namespace TextSearch
