#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The presentation the candidate edits: slides with their layout, texts,
// hidden flag and notes, and for each slide the attributes the editor's
// dialogs set (text formatting per placeholder, background, design template,
// transition, custom animations, inserted objects). Document-wide settings
// (view, zoom, show set-up, header and footer, print and file settings) are
// kept by name. Everything is plain data, so a task's goal can be checked
// against it without a screen.
//
// Values are addressed by path, the language of the task files:
//   "count"                      number of slides
//   "slide3.layout"              layout, title, body, notes, hidden ("1" / "")
//   "slide3.标题.字体"           any attribute of slide 3
//   "slide3.标题「2005」.效果"   a format of the characters "2005" alone (a run) in the title;
//                                one given to the whole title reaches its runs too
//   "slide3.正文.段落2.级别"     the outline level (1 to 5) of the body's second
//                                paragraph ("副标题" on a title slide); none: 1
//   "slide3.图片"                an object inserted on the slide ("1"); a second one of its
//                                kind is "文本框2", a pasted one "图片副本"
//   "slide3.图片.位置"           a shape's left and top edge, "x,y" in 厘米 on the slide of
//                                25.4 × 19.05; "slide3.标题.位置" a placeholder's
//   "slide3.图片.大小"           its width and height, "w,h" in 厘米
//   "slide3.图片.层次"           its place in the stacking order, 1 at the back
//                                (a shape never moved or restacked has none: see Shapes)
//   "doc.视图"                   any document setting
//   "doc.选中"                   the selected slides, as "3", "1-3" or "2,4"
//   "doc.窗口"                   the document window: 最大化, 最小化 or 还原
//   "doc.方式.加粗"              how a command was reached: 菜单, 工具栏, 快捷键,
//                                右键菜单 or 任务窗格 (the last time it was used)
struct Slide
{
    QString layout;
    QString title;
    QString body;
    QString notes;
    bool hidden = false;
    QMap<QString, QString> attributes;

    bool operator==(const Slide &other) const = default;
};

class Document
{
public:
    QList<Slide> slides;
    QMap<QString, QString> settings;

    // A presentation of `count` slides about a company's year, as the tasks start from.
    static Document sample(int count);

    // Empty text for a path that names nothing (a slide beyond the end).
    QString value(const QString &path) const;
    // False when the path is malformed or names a slide that does not exist.
    bool setValue(const QString &path, const QString &value);
    static bool isValidPath(const QString &path);

    // Slide numbers written as the selection is: "1-3,5" is 1, 2, 3 and 5.
    // Empty for a text that is not such a list.
    static QList<int> slideNumbers(const QString &text);
    // The shortest such text for the numbers, ascending: {3, 1, 2, 5} is "1-3,5".
    static QString slideNumbersText(QList<int> numbers);

    // The whole presentation as one text (JSON), as the exam keeps the
    // candidate's work between two launches of the simulator; nullopt for
    // a text that is not such a presentation.
    QByteArray toJson() const;
    static std::optional<Document> fromJson(const QByteArray &json);

    bool operator==(const Document &other) const = default;
};
