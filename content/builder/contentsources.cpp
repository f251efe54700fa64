#include "contentsources.h"

#include "schema.h"
#include "storeerror.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace {

struct SourceLine
{
    int number = 0;
    QString text;
};

[[noreturn]] void fail(const QString &file, int line, const QString &why)
{
    throw StoreError(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(why));
}

// All lines of a file with their numbers; comments and, unless `keepBlank`,
// blank lines left out.
QList<SourceLine> readLines(const QString &path, bool keepBlank = false)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QList<SourceLine> lines;
    int number = 0;
    // Decoded line by line, so that a byte that is not UTF-8 is reported on its
    // line instead of ending up in the bank as a replacement character.
    const QList<QByteArray> texts = file.readAll().split('\n');
    for (const QByteArray &bytes : texts) {
        ++number;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (utf8.hasError())
            fail(path, number, QStringLiteral("不是有效的 UTF-8 文本（请以 UTF-8 编码保存此文件）"));
        if (text.endsWith(u'\r'))
            text.chop(1);
        if (text.startsWith(u'#') || (!keepBlank && text.trimmed().isEmpty()))
            continue;
        lines.append({number, text});
    }
    while (!lines.isEmpty() && lines.last().text.trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// "a | b | c" split into exactly `count` trimmed, non-empty-where-required fields.
QStringList fields(const QString &path, const SourceLine &line, int count)
{
    QStringList parts = line.text.split(u'|');
    if (parts.size() != count)
        fail(path, line.number, QStringLiteral("应有 %1 个以“|”分隔的字段，实有 %2 个").arg(count).arg(parts.size()));
    for (QString &part : parts)
        part = part.trimmed();
    return parts;
}

QString origin(const QString &path, int line)
{
    return QStringLiteral("%1:%2").arg(path).arg(line);
}

void readChapters(const QString &folder, ContentSources &sources)
{
    const QString path = folder + QStringLiteral("/chapters.txt");
    sources.where.files.insert(QStringLiteral("sbslist"), origin(path, 1));
    QSet<int> numbers;
    for (const SourceLine &line : readLines(path)) {
        const QStringList f = fields(path, line, 2);
        bool ok = false;
        const int number = f.at(0).toInt(&ok);
        if (!ok || number < 1)
            fail(path, line.number, QStringLiteral("章节编号“%1”不是正整数").arg(f.at(0)));
        if (f.at(1).isEmpty())
            fail(path, line.number, QStringLiteral("章节名称为空"));
        if (numbers.contains(number))
            fail(path, line.number, QStringLiteral("章节编号 %1 重复").arg(number));
        numbers.insert(number);
        sources.chapters.append({number, f.at(1)});
        sources.where.chapters.append(origin(path, line.number));
    }
}

void readQuestions(const QString &folder, ContentSources &sources)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    sources.where.files.insert(QStringLiteral("sbsti"), folder + QStringLiteral("/questions"));
    // A questions file whose chapter is not listed would be left out without
    // a word, and its questions missing from every paper.
    QSet<QString> listed;
    for (const ContentSources::Chapter &chapter : sources.chapters)
        listed.insert(QStringLiteral("%1.txt").arg(chapter.number));
    const QDir questionsFolder(folder + QStringLiteral("/questions"));
    for (const QString &name : questionsFolder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        if (listed.contains(name))
            continue;
        const QString path = folder + QStringLiteral("/questions/") + name;
        const QList<SourceLine> lines = readLines(path);
        const int first = lines.isEmpty() ? 1 : lines.first().number;
        const QString chapter = name.chopped(4);
        if (!digits.match(chapter).hasMatch())
            fail(path, first, QStringLiteral("文件名应为章节编号（如 1.txt），“%1”不是").arg(chapter));
        fail(path, first, QStringLiteral("chapters.txt 中没有第 %1 章（该章的行被删去或编号有误），本文件的题目不属于任何章节")
                              .arg(chapter));
    }
    for (const ContentSources::Chapter &chapter : sources.chapters) {
        const QString path = folder + QStringLiteral("/questions/%1.txt").arg(chapter.number);
        for (const SourceLine &line : readLines(path)) {
            const QStringList f = fields(path, line, 3);
            if (!digits.match(f.at(0)).hasMatch())
                fail(path, line.number, QStringLiteral("题号“%1”不是数字").arg(f.at(0)));
            if (!f.at(1).isEmpty() && !digits.match(f.at(1)).hasMatch())
                fail(path, line.number, QStringLiteral("试卷编号“%1”不是数字").arg(f.at(1)));
            if (f.at(2).isEmpty())
                fail(path, line.number, QStringLiteral("题目为空"));
            sources.questions.append({f.at(0), f.at(1), f.at(2), chapter.title});
            sources.where.questions.append(origin(path, line.number));
        }
    }
}

// Blocks of "== title" followed by the lines of the entry's HTML.
void readList(const QString &folder, const QString &table, ContentSources &sources)
{
    const QString path = folder + u'/' + table + QStringLiteral(".txt");
    QList<ContentSources::Entry> entries;
    QList<QString> &where = sources.where.lists[table];
    sources.where.files.insert(table, origin(path, 1));
    for (const SourceLine &line : readLines(path, true)) {
        if (line.text.startsWith(QStringLiteral("=="))) {
            const QString title = line.text.mid(2).trimmed();
            if (title.isEmpty())
                fail(path, line.number, QStringLiteral("标题为空"));
            entries.append({title, {}});
            where.append(origin(path, line.number));
        } else if (entries.isEmpty()) {
            if (!line.text.trimmed().isEmpty())
                fail(path, line.number, QStringLiteral("内容前缺少以“== ”开头的标题行"));
        } else {
            entries.last().html += line.text + u'\n';
        }
    }
    for (auto &entry : entries)
        entry.html = entry.html.trimmed();
    sources.lists.insert(table, entries);
}

void readLessons(const QString &folder, ContentSources &sources)
{
    const QString path = folder + QStringLiteral("/wlktsp.txt");
    sources.where.files.insert(QStringLiteral("wlktsp"), origin(path, 1));
    for (const SourceLine &line : readLines(path)) {
        const QStringList f = fields(path, line, 3);
        if (f.contains(QString()))
            fail(path, line.number, QStringLiteral("课程、课时和视频文件名都不能为空"));
        sources.lessons.append({f.at(0), f.at(1), f.at(2)});
        sources.where.lessons.append(origin(path, line.number));
    }
}

// Blocks beginning with a "th: <number>" line, one a question.
void readTasks(const QString &folder, ContentSources &sources)
{
    const QDir tasksFolder(folder + QStringLiteral("/tasks"));
    sources.where.files.insert(QStringLiteral("tasks"), tasksFolder.path());
    for (const QString &name : tasksFolder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString path = tasksFolder.filePath(name);
        QString th;
        for (const SourceLine &line : readLines(path)) {
            if (line.text.startsWith(QStringLiteral("th:"))) {
                th = line.text.mid(3).trimmed();
                if (sources.tasks.contains(th))
                    fail(path, line.number, QStringLiteral("题号 %1 的任务重复（另见 %2）").arg(th, sources.where.tasks.value(th)));
                sources.where.tasks.insert(th, origin(path, line.number));
            } else if (th.isEmpty()) {
                fail(path, line.number, QStringLiteral("任务应以“th: 题号”行开始"));
            }
            sources.tasks[th] += line.text + u'\n';
        }
    }
}

} // namespace

ContentSources ContentSources::read(const QString &folder)
{
    ContentSources sources;
    readChapters(folder, sources);
    readQuestions(folder, sources);
    for (const QString &table : Schema::titleTables())
        readList(folder, table, sources);
    readLessons(folder, sources);
    readTasks(folder, sources);
    return sources;
}
